// The contents of the message catalogue: both groups complete, the texts that other units
// show word for word, and placeholders that agree with what each identifier announces.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

using msg::MessageId;

TEST(CatalogueTexts, BothGroupsAreCompleteAndEachIdentifierIsOneEntry) {
  const auto first = msg::group("Generalruntime1const");
  const auto second = msg::group("Generalruntime2const");
  EXPECT_EQ(first.size(), 357u);
  EXPECT_EQ(second.size(), 1072u);
  EXPECT_EQ(msg::Generalruntime1const_entry_count, 357u);
  EXPECT_EQ(msg::Generalruntime2const_entry_count, 1072u);
  EXPECT_EQ((std::vector<std::string_view>{"Generalruntime1const", "Generalruntime2const"}),
            msg::group_names());

  // No identifier twice within a group; the second group repeats exactly four of the first.
  std::set<std::uint16_t> in_first, in_second;
  for (MessageId id : first) EXPECT_TRUE(in_first.insert(id.index).second) << msg::identifier(id);
  for (MessageId id : second) EXPECT_TRUE(in_second.insert(id.index).second) << msg::identifier(id);
  std::set<std::string_view> shared;
  for (std::uint16_t i : in_second)
    if (in_first.count(i)) shared.insert(msg::identifier(MessageId{i}));
  EXPECT_EQ(shared, (std::set<std::string_view>{"_CVNo", "_CVL", "_CVR", "_CVCentre"}));
  EXPECT_EQ(msg::size(), 357u + 1072u - 4u);
  EXPECT_EQ(in_first.size() + in_second.size() - shared.size(), msg::size());

  // Every identifier is found by its name, and names the entry it came from.
  for (MessageId id : msg::all()) {
    const std::string_view name = msg::identifier(id);
    EXPECT_TRUE(name.starts_with("_CV") || name == "_WESEpisodes") << name;
    ASSERT_TRUE(msg::find(name)) << name;
    EXPECT_EQ(msg::find(name)->index, id.index);
  }
  // The C++ constants drop the leading underscore and agree with the catalogue.
  EXPECT_EQ(msg::identifier(msg::CVN), "_CVN");
  EXPECT_EQ(msg::identifier(msg::CV_TMSStyleBlue), "_CV_TMSStyleBlue");
  EXPECT_EQ(msg::identifier(msg::WESEpisodes), "_WESEpisodes");
  EXPECT_EQ(first.front(), msg::CVN);
  EXPECT_EQ(second.front(), msg::CVDoYouWantToX);
  EXPECT_EQ(second.back(), msg::CVAdditionalRequirement);
}

// A sample of the texts that the runtime's own routines and the tools' tables show word
// for word: confirmations, condition phrases, units, column and list names.
TEST(CatalogueTexts, TextsOtherUnitsRelyOnAreExact) {
  const std::pair<const char*, const char16_t*> expected[] = {
      {"_CVOnlyMbSpaceOnDriveDProceed", u"Only %dMb space left on %s -- Proceed?"},
      {"_CVConfirmation", u"Confirmation"},
      {"_CVOverwriteXQ", u"Overwrite %s?"},
      {"_CVOverwriteXWithBackupQ", u"Overwrite %s (with backup)?"},
      {"_CVTrue", u"true"},
      {"_CVStopListFileS", u"stop list file %s"},
      {"_CVXsColumnNsValue", u"col %d (%s) value"},
      {"_CVNotX", u"NOT (%s)"},
      {"_CVFileAlreadyExists", u"File(s) already found there."},
      {"_CVDeleteThe1XFileInY", u"Delete the one %s file in %s?"},
      {"_CVDeleteAllXFilesInY", u"Delete all %d %s files in %s?"},
      {"_CVFileReadError", u"file read error : %s"},
      {"_CVTagsAsAffixToWords", u"tags as %s to words"},
      {"_CVAIsBetweenXandY", u"%s is between %s and %s"},
      {"_CVFoundWithinNWordsLeftOf", u"%s found in %s within %d words left of %s"},
      {"_CVIsAMatchedEntry", u"item is matched"},
      {"_CVMI", u"MI3"},
      {"_CVCentre", u"Centre"},
      {"_CVEnter", u"<Enter>"},
      {"_CVUnknown_date_str", u"<no date found>"},
      {"_CVNo", u"No"},
      {"_CVByte", u"bytes"},
      {"_CVAboutNHoursMinsToGo", u"~ %dh %dm to go"},
      {"_CVSegmentN", u"%d/%d"},
      {"_CVL5", u"L5"},
      {"_CVFilePercent", u"File %"},
      {"_CVBytePosition", u"position in file"},
      {"_CVProminaAsWordlist", u"Promina as Tabulon"},
      {"_CVConcgramList", u"CVWeavgram List"},
      {"_CVChargramList", u"Chargram List"},
  };
  for (const auto& [name, text] : expected) {
    const auto id = msg::find(name);
    ASSERT_TRUE(id) << name;
    EXPECT_EQ(u8(msg::builtin_text(*id)), u8(text)) << name;
  }
}

// What an identifier announces: how many string and number placeholders its text takes,
// and whether it is a question. The rule, on the identifier without "_CV", "_CV_" or "_":
// - a trailing "Q" (or "Query") marks a question: the text ends with "?";
// - the rest is cut into CamelCase words ("XMLData" gives "XML", "Data"; digits are words
//   of their own). A single word ("_CVN", "_CVMI", "_CVS1") is a word, not a placeholder;
// - otherwise the words "X", "Y", "S", and "X" run into a lower-case word ("Xwith",
//   "Xed", "Xs") each stand for a %s; "N", "D", "Float" and "N" run into "s", "many", "of",
//   "to", "in" or "times" each stand for a number (%d, %.0n, %1.3f...); a capitals word
//   made only of X, Y and N ("XY", "XN") stands for one placeholder per letter. Other
//   capitals ("No", "None", "Next", "XML", "OK", "CV") are ordinary words.
struct Announced {
  int strings = 0;
  int numbers = 0;
  bool question = false;
};

std::vector<std::string> camel_words(std::string_view s) {
  const auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
  const auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t j = i;
    if (upper(s[i])) {
      while (j < s.size() && upper(s[j])) ++j;
      if (j < s.size() && lower(s[j])) {
        if (j - i > 1) {  // "XMLData": the last capital starts the next word
          words.emplace_back(s.substr(i, j - 1 - i));
          i = j - 1;
          continue;
        }
        while (j < s.size() && lower(s[j])) ++j;
      }
    } else if (lower(s[i])) {
      while (j < s.size() && lower(s[j])) ++j;
    } else if (digit(s[i])) {
      while (j < s.size() && digit(s[j])) ++j;
    } else {
      ++i;  // "_"
      continue;
    }
    words.emplace_back(s.substr(i, j - i));
    i = j;
  }
  return words;
}

Announced announced(std::string_view identifier) {
  std::string_view body = identifier;
  for (std::string_view prefix : {"_CV_", "_CV", "_"})
    if (body.starts_with(prefix)) {
      body.remove_prefix(prefix.size());
      break;
    }
  Announced a;
  if (body.size() > 1 && body.ends_with("Q")) {
    a.question = true;
    body.remove_suffix(1);
  } else if (body.size() > 5 && body.ends_with("Query")) {
    a.question = true;
    body.remove_suffix(5);
  }
  const std::vector<std::string> words = camel_words(body);
  const auto x_run_in = [](const std::string& w) {
    return w.size() > 1 && w[0] == 'X' &&
           std::all_of(w.begin() + 1, w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  };
  const auto n_run_in = [](const std::string& w) {
    return w.size() > 1 && w[0] == 'N' &&
           std::set<std::string>{"s", "many", "of", "to", "in", "times"}.count(w.substr(1));
  };
  const auto count = std::count_if(words.begin(), words.end(), [](const std::string& w) {
    return !(w[0] >= '0' && w[0] <= '9');
  });
  if (count == 1 && !x_run_in(words.front())) return a;
  for (const std::string& w : words) {
    if (w == "X" || w == "Y" || w == "S" || x_run_in(w)) {
      ++a.strings;
    } else if (w == "N" || w == "D" || w == "Float" || n_run_in(w)) {
      ++a.numbers;
    } else if (w.size() > 1 && w.find_first_not_of("XYN") == std::string::npos) {
      for (char c : w) (c == 'N' ? a.numbers : a.strings)++;
    }
  }
  return a;
}

// Entries whose texts take other placeholders than their identifiers announce, with what
// they take: {strings, numbers, is a template}.
struct Takes {
  int strings;
  int numbers;
  bool is_template = true;
};
const std::map<std::string, Takes>& exceptions() {
  static const std::map<std::string, Takes> list = {
      // Texts that other units show word for word and fill as they are.
      {"_CVFileReadError", {1, 0}},
      {"_CVSegmentN", {0, 2}},
      {"_CVOnlyMbSpaceOnDriveDProceed", {1, 1}},  // "D" is the drive, the %d its free space
      {"_CVDeleteAllXFilesInY", {2, 1}},
      {"_CVEquals", {2, 0}},
      {"_CVStartsWith", {2, 0}},
      {"_CVEndsWith", {2, 0}},
      {"_CVFoundAnywhereIn", {2, 0}},
      {"_CVFoundWithinNWordsOf", {3, 1}},
      {"_CVFoundWithinNWordsLeftOf", {3, 1}},
      {"_CVFoundWithinNWordsRightOf", {3, 1}},
      {"_CVAIsBetweenXandY", {3, 0}},  // "A" is the first value
      {"_CVAboutNHoursMinsToGo", {0, 2}},
      {"_CVTagTreatmentIs", {1, 0}},
      {"_CVTagsAsAffixToWords", {1, 0}},
      // A display name that is never formatted.
      {"_CVFilePercent", {0, 0, false}},
      // Condition phrases filled like their neighbours above.
      {"_CVGreaterOrEquals", {2, 0}},
      {"_CVComesWithOrAfter", {2, 0}},
      {"_CVLessOrEquals", {2, 0}},
      {"_CVComesWithOrBefore", {2, 0}},
      // Identifiers cut off in mid-word: the last capital is no placeholder.
      {"_CVThisWillZapYourD", {0, 0}},
      {"_CVYOucanMake", {0, 0}},
      // Other letters or runs of capitals that stand for a value.
      {"_CVNTBytes", {0, 1}},
      {"_CVNGBytes", {0, 1}},
      {"_CVNMBytes", {0, 1}},
      {"_CVNKBytes", {0, 1}},
      {"_CVXORYNotFoundOrFaulty", {2, 0}},
      {"_CVXKWsInDatabase", {1, 0}},
      {"_CVCheckingXOK", {1, 0}},
      {"_CVNResultsOutOFNAtCurrentSettings", {0, 2}},
      {"_CVXFoundNStrTimesInY", {3, 0}},            // "NStr": the count already written as text
      {"_CVNmanyTextsAddedByXAtDateD", {2, 1}},     // "D": the date, as text
      {"_CVNoFontsAvailableForLanguageL", {1, 0}},  // "L": the language's name
      {"_CVNoPreferredLanguageButSetToL", {1, 0}},
      {"_CVUseCustomSortForLanguageL", {1, 0}},
      {"_CVDataFromColumnCQ", {1, 0}},  // "C": the column's name
      {"_CVSDX", {1, 0}},               // like _CVMinX, _CVMaxX, _CVMeanX
      // Statistics and progress shown with their value although the identifier names none.
      {"_CVPValueIs", {0, 1}},
      {"_CVDiceCoefficientIs", {0, 1}},
      {"_CVOverlapCoefficientIs", {0, 1}},
      {"_CVWorkingPercent", {0, 1}},
      {"_CVFontIsAndSizeIs", {1, 1}},
  };
  return list;
}

TEST(CatalogueTexts, IdentifierLettersAnnounceThePlaceholders) {
  // The rule on a few identifiers of each kind.
  const auto is = [](std::string_view id, int s, int n, bool q) {
    const Announced a = announced(id);
    EXPECT_EQ(a.strings, s) << id;
    EXPECT_EQ(a.numbers, n) << id;
    EXPECT_EQ(a.question, q) << id;
  };
  is("_CVOverwriteXQ", 1, 0, true);
  is("_CVXMLData", 0, 0, false);
  is("_CVNone", 0, 0, false);
  is("_CVN", 0, 0, false);
  is("_CVS1", 0, 0, false);
  is("_CVMergeXwithY", 2, 0, false);
  is("_CVNManyXedOutOfN", 1, 2, false);
  is("_CVItemNOfNAndLineNofN", 0, 4, false);
  is("_CVXsColumnNsValue", 1, 1, false);
  is("_CVIncludingXY", 2, 0, false);
  is("_CVS1S2Differ", 2, 0, false);
  is("_CVNmanyFilesInDFolders", 0, 2, false);
  is("_CVFloatGBytes", 0, 1, false);
  is("_CVOKToZapNmanyEntriesQuery", 0, 1, true);
  is("_CVQ", 0, 0, false);

  std::set<std::string> needed;
  for (MessageId id : msg::all()) {
    const std::string name(msg::identifier(id));
    const std::u16string text = msg::builtin_text(id);
    const auto kinds = msg::argument_kinds(text);
    const Announced a = announced(name);
    Takes want{a.strings, a.numbers};
    const auto listed = exceptions().find(name);
    if (listed != exceptions().end()) want = listed->second;
    if (!want.is_template) {
      EXPECT_FALSE(kinds) << name;
      continue;
    }
    ASSERT_TRUE(kinds) << name << " is not a valid template";
    EXPECT_EQ(std::count(kinds->begin(), kinds->end(), '.'), 0) << name;
    const int strings = static_cast<int>(std::count(kinds->begin(), kinds->end(), 's'));
    const int numbers = static_cast<int>(kinds->size()) - strings;
    EXPECT_EQ(strings, want.strings) << name << ": " << u8(text);
    EXPECT_EQ(numbers, want.numbers) << name << ": " << u8(text);
    if (a.question) {
      EXPECT_TRUE(text.ends_with(u"?")) << name << ": " << u8(text);
    }
    if (listed != exceptions().end() && (a.strings != strings || a.numbers != numbers || !kinds))
      needed.insert(name);
  }
  // The exceptions list holds no entry that the rule would get right on its own.
  for (const auto& [name, _] : exceptions())
    EXPECT_TRUE(needed.count(name) || !exceptions().at(name).is_template) << name;
}

TEST(CatalogueTexts, PlaceholdersAreTheFormsTheFormatterKnows) {
  const std::set<std::u16string> known = {u"%s",   u"%d",    u"%.0n",  u"%0.n",  u"%2.0n", u"%.1n",
                                          u"%.2n", u"%1.3f", u"%3.2f", u"%5.3f", u"%4.2g", u"%%"};
  std::set<std::u16string> used;
  for (MessageId id : msg::all()) {
    const std::u16string text = msg::builtin_text(id);
    for (std::size_t i = text.find(u'%'); i != std::u16string::npos; i = text.find(u'%', i)) {
      std::size_t j = i + 1;
      while (j < text.size() && (text[j] == u'.' || (text[j] >= u'0' && text[j] <= u'9'))) ++j;
      const std::u16string form = text.substr(i, j + 1 - i);
      if (msg::identifier(id) != "_CVFilePercent") {
        EXPECT_TRUE(known.count(form)) << msg::identifier(id) << ": " << u8(form);
      }
      used.insert(form);
      i = j + 1;
    }
  }
  for (const auto& form : known) EXPECT_TRUE(used.count(form)) << u8(form) << " is unused";
}

TEST(CatalogueTexts, ATranslationTakesEffectAtTheNextLookUp) {
  EXPECT_EQ(LoadResString(msg::CVOverwriteXQ), u"Overwrite %s?");
  msg::load_translation(
      "_CVOverwriteXQ\t%s \xC3\xBC"
      "berschreiben?\n_CVYes\tJa\n",
      "de");
  EXPECT_EQ(LoadResString(msg::CVOverwriteXQ), u"%s \u00FCberschreiben?");
  EXPECT_EQ(msg::text(msg::CVYes), u"Ja");
  EXPECT_EQ(msg::text(msg::CVNo), u"No");  // not translated: built-in text
  EXPECT_EQ(msg::builtin_text(msg::CVYes), u"Yes");
  msg::clear_translation();
  EXPECT_EQ(LoadResString(msg::CVOverwriteXQ), u"Overwrite %s?");
}

}  // namespace
}  // namespace corvane
