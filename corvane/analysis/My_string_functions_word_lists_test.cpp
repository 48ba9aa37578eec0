#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {
namespace {

using Counts = std::vector<std::pair<std::u16string, int>>;

Counts counts(const std::unique_ptr<TStringList>& list) {
  Counts out;
  for (int i = 0; i < list->Count(); ++i)
    out.emplace_back(list->Get(i), int_from_object(list->GetObject(i)));
  return out;
}

Counts ngrams(const std::u16string& text, int n, int longest_tag = 100) {
  return counts(SimpleNGramListOfTxt(text, n, longest_tag, false));
}

// The word list as a sorted string list makes it, word by word: the answers the fast
// index must give.
Counts reference_word_list(const std::u16string& text, int min_length) {
  TStringList list;
  list.SetSorted(true);
  std::u16string word;
  const auto count = [&] {
    if (!word.empty() && static_cast<int>(word.size()) >= min_length) {
      std::int32_t at = 0;
      if (list.Find(word, at))
        list.PutObject(at, object_from_int(int_from_object(list.GetObject(at)) + 1));
      else
        list.AddObject(word, object_from_int(1));
    }
    word.clear();
  };
  for (const char16_t c : text) {
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                        (c >= u'0' && c <= u'9') || c >= 0xC0;
    if (letter)
      word += c;
    else
      count();
  }
  count();
  Counts out;
  for (int i = 0; i < list.Count(); ++i)
    out.emplace_back(list.Get(i), int_from_object(list.GetObject(i)));
  return out;
}

TEST(SimpleTabulonOfTxt, CaseVariantsCountUnderTheFirstSpelling) {
  const std::u16string text = u"The cat saw the CAT.";
  EXPECT_EQ(counts(SimpleTabulonOfTxt(text, 1, false)),
            (Counts{{u"cat", 2}, {u"saw", 1}, {u"The", 2}}));
  // By frequency: descending, ties by code unit ("T" before "c").
  const auto by_freq = SimpleTabulonOfTxt(text, 1, true);
  EXPECT_EQ(counts(by_freq), (Counts{{u"The", 2}, {u"cat", 2}, {u"saw", 1}}));
  EXPECT_FALSE(by_freq->Sorted());
  EXPECT_TRUE(SimpleTabulonOfTxt(text, 4, false)->Count() == 0);
  EXPECT_EQ(SimpleTabulonOfTxt(u"", 1, false)->Count(), 0);
  EXPECT_EQ(SimpleTabulonOfTxt(u" .,;\r\n", 0, true)->Count(), 0);
}

TEST(SimpleTabulonOfTxt, TheListIsSortedAndFindsByItsOwnComparison) {
  const auto list = SimpleTabulonOfTxt(u"zebra Apple apple banana", 1, false);
  EXPECT_TRUE(list->Sorted());
  EXPECT_EQ(counts(list), (Counts{{u"Apple", 2}, {u"banana", 1}, {u"zebra", 1}}));
  EXPECT_EQ(list->IndexOf(u"APPLE"), 0);
  EXPECT_EQ(list->IndexOf(u"ZEBRA"), 2);
  // A word added later goes where the list's own order puts it.
  list->AddObject(u"cherry", object_from_int(1));
  EXPECT_EQ(list->IndexOf(u"cherry"), 2);
}

TEST(SimpleTabulonOfTxt, WordsAreLettersAndDecimalDigitsOfAnyScript) {
  // Digits of any script belong to words; a superscript two (a number, not a decimal
  // digit), the apostrophe and the hyphen part words.
  EXPECT_EQ(counts(SimpleTabulonOfTxt(u"abc123 x\u00b2y don't e-mail \u0663\u0664", 1, false)),
            (Counts{{u"\u0663\u0664", 1},
                    {u"abc123", 1},
                    {u"don", 1},
                    {u"e", 1},
                    {u"mail", 1},
                    {u"t", 1},
                    {u"x", 1},
                    {u"y", 1}}));
  // Greek and Cyrillic case variants merge as Latin ones do; accents do not.
  EXPECT_EQ(counts(SimpleTabulonOfTxt(u"Λόγος ΛΌΓΟΣ λογος Мир мир", 1, false)),
            (Counts{{u"λογος", 1}, {u"Λόγος", 2}, {u"Мир", 2}}));
}

TEST(SimpleTabulonOfTxt, SurrogatePairsAreOneCharacter) {
  // Two Gothic letters make one word of four code units; a lone surrogate separates words.
  // (Mathematical bold letters are the same word as plain ones when case is ignored.)
  EXPECT_EQ(SimpleTabulonOfTxt(u"\U0001D400\U0001D401 ab", 1, false)->Count(), 1);
  const std::u16string bold = u"\U00010330\U00010331";
  EXPECT_EQ(counts(SimpleTabulonOfTxt(bold + u" ab", 1, false)).size(), 2u);
  EXPECT_EQ(counts(SimpleTabulonOfTxt(bold, 4, false)), (Counts{{bold, 1}}));
  EXPECT_EQ(SimpleTabulonOfTxt(bold, 5, false)->Count(), 0);
  std::u16string lone = u"ab";
  lone += static_cast<char16_t>(0xD800);
  lone += u"cd";
  EXPECT_EQ(counts(SimpleTabulonOfTxt(lone, 1, false)), (Counts{{u"ab", 1}, {u"cd", 1}}));
}

TEST(SimpleTabulonOfTxt, TrailingWordStart) {
  EXPECT_EQ(trailing_word_start(u"ab cd"), 3u);
  EXPECT_EQ(trailing_word_start(u"ab "), 3u);
  EXPECT_EQ(trailing_word_start(u"abc"), 0u);
  EXPECT_EQ(trailing_word_start(u""), 0u);
  EXPECT_EQ(trailing_word_start(u"a \U00010330\U00010331"), 2u);
  std::u16string lone = u"ab";
  lone += static_cast<char16_t>(0xDC00);
  EXPECT_EQ(trailing_word_start(lone), 3u);
}

TEST(SimpleTabulonOfTxt, AcceptanceTestChoosesTheWords) {
  std::vector<std::u16string> offered;
  const auto list = SimpleTabulonOfTxt(
      u"one Two three two",
      [&](const std::u16string& w) {
        offered.push_back(w);
        return w.size() == 3;
      },
      false);
  EXPECT_EQ(offered, (std::vector<std::u16string>{u"one", u"Two", u"three", u"two"}));
  EXPECT_EQ(counts(list), (Counts{{u"one", 1}, {u"Two", 2}}));
  EXPECT_EQ(SimpleTabulonOfTxt(u"a b", TWordAcceptanceTest{}, false)->Count(), 0);
}

TEST(SimpleTabulonOfTxt, AgreesWithTheSortedListOnRandomText) {
  // Case, accents, sharp s against "ss" (equal when case is ignored), ligatures, and
  // words that differ only past a common start.
  const std::vector<std::u16string> pieces = {
      u"Strasse", u"STRASSE", u"Straße", u"resume", u"résumé", u"RÉSUMÉ", u"cote", u"côte", u"coté",
      u"Côté",    u"ﬁne",     u"fine",   u"FINE",   u"a",      u"A",      u"ab",   u"aB",   u"abc",
      u"Ab1",     u"ab1",     u"Ǆ",      u"ǅ",      u"ǆ",      u"İ",      u"i",    u"ı",    u"I"};
  std::mt19937 rng(23);
  for (int round = 0; round < 20; ++round) {
    std::u16string text;
    for (int k = 0; k < 400; ++k) {
      text += pieces[rng() % pieces.size()];
      text += (rng() % 3 == 0) ? u"." : u" ";
    }
    const int min_length = static_cast<int>(rng() % 4);
    ASSERT_EQ(counts(SimpleTabulonOfTxt(text, min_length, false)),
              reference_word_list(text, min_length))
        << "round " << round;
  }
}

TEST(SimpleTabulonOfTxt, YieldsOncePerCharacter) {
  int calls = 0;
  AYieldProcessProc = [&] { ++calls; };
  SimpleTabulonOfTxt(u"ab cd", 1, false);
  AYieldProcessProc = nullptr;
  EXPECT_EQ(calls, 5);
}

TEST(SimpleNGramListOfTxt, WindowsSlideAtSpacesAndCommasAndResetAtOtherPunctuation) {
  EXPECT_EQ(ngrams(u"a b c d.", 2), (Counts{{u"a b", 1}, {u"b c", 1}, {u"c d", 1}}));
  // An incomplete window runs across a full stop.
  EXPECT_EQ(ngrams(u"a b. c d", 3), (Counts{{u"a b c", 1}, {u"b c d", 1}}));
  EXPECT_EQ(ngrams(u"x, y", 2), (Counts{{u"x y", 1}}));
  EXPECT_EQ(ngrams(u"w x; y z", 2), (Counts{{u"w x", 1}, {u"y z", 1}}));
  EXPECT_EQ(ngrams(u"v w x; y z", 2), (Counts{{u"v w", 1}, {u"w x", 1}, {u"y z", 1}}));
  // Dashes and connectors slide; a full window at a full stop, a colon or a bracket resets.
  EXPECT_EQ(ngrams(u"p q-r s_t", 2), (Counts{{u"p q", 1}, {u"q r", 1}, {u"r s", 1}, {u"s t", 1}}));
  EXPECT_EQ(ngrams(u"p q: r s) t u", 2), (Counts{{u"p q", 1}, {u"r s", 1}, {u"t u", 1}}));
  // Runs of separators and punctuation are one break.
  EXPECT_EQ(ngrams(u"  a  ,, b \u3000 c  ", 2), (Counts{{u"a b", 1}, {u"b c", 1}}));
}

TEST(SimpleNGramListOfTxt, CaseVariantsDigitsAndScripts) {
  EXPECT_EQ(ngrams(u"The cat. the CAT! THE Cat", 2), (Counts{{u"The cat", 3}}));
  EXPECT_EQ(ngrams(u"in 1999 \u0968\u0966 x\u00b2", 2),
            (Counts{{u"1999 \u0968\u0966", 1}, {u"\u0968\u0966 x\u00b2", 1}, {u"in 1999", 1}}));
  EXPECT_EQ(ngrams(u"Жили были дед", 2), (Counts{{u"были дед", 1}, {u"Жили были", 1}}));
  const std::u16string bold = u"\U0001D400";
  EXPECT_EQ(ngrams(bold + u" " + bold + bold, 2), (Counts{{bold + u" " + bold + bold, 1}}));
}

TEST(SimpleNGramListOfTxt, TagsAreSkippedWithoutEndingTheWord) {
  EXPECT_EQ(ngrams(u"a <i>b</i>c d", 2), (Counts{{u"a bc", 1}, {u"bc d", 1}}));
  EXPECT_EQ(ngrams(u"a. <p> b", 2), (Counts{{u"a b", 1}}));
  // A tag without ">" ends at a space once the longest tag has passed; until then it
  // runs on.
  EXPECT_EQ(ngrams(u"a <b c", 2, 1), (Counts{{u"a c", 1}}));
  EXPECT_EQ(ngrams(u"a <b c d e", 2, 4), (Counts{{u"a d", 1}, {u"d e", 1}}));
  EXPECT_EQ(ngrams(u"a <b c", 2, 100), (Counts{}));
}

TEST(SimpleNGramListOfTxt, SymbolsAndControlsJoinTheWordsEitherSide) {
  // A line break is two control characters: while the window is incomplete the words
  // join (hosts turn CR and LF into spaces first when lines should part words); a
  // complete window is recorded and slides.
  EXPECT_EQ(ngrams(u"a\r\nb c d", 2), (Counts{{u"ab", 1}, {u"c d", 1}}));
  EXPECT_EQ(ngrams(u"a b\r\nc d", 2), (Counts{{u"a b", 1}, {u"b c", 1}, {u"c d", 1}}));
  EXPECT_EQ(ngrams(u"5$ 6+7 x", 2), (Counts{{u"56", 1}, {u"7 x", 1}}));
}

TEST(SimpleNGramListOfTxt, OneGramsAndDegenerateArguments) {
  EXPECT_EQ(ngrams(u"The cat saw the CAT.", 1),
            counts(SimpleTabulonOfTxt(u"The cat saw the CAT.", 1, false)));
  EXPECT_EQ(ngrams(u"a\r\nb c", 1), (Counts{{u"a", 1}, {u"b", 1}, {u"c", 1}}));
  EXPECT_EQ(ngrams(u"a b c", 0), Counts{});
  EXPECT_EQ(ngrams(u"a b c", -5), Counts{});
  EXPECT_EQ(ngrams(u"a b c", 4), Counts{});
  EXPECT_EQ(ngrams(u"a b c", 1000000000), Counts{});
  EXPECT_EQ(ngrams(u"", 2), Counts{});
  EXPECT_EQ(ngrams(u"a b c", 2, -7), (Counts{{u"a b", 1}, {u"b c", 1}}));
  // A long text with a long window stays linear: each slide only moves the front.
  std::u16string big;
  for (int i = 0; i < 20000; ++i) big += u"w" + std::u16string(1, u'a' + i % 26) + u" ";
  EXPECT_EQ(SimpleNGramListOfTxt(big, 500, 100, false)->Count(), 26);
}

TEST(SimpleNGramListOfTxt, SortAndProgress) {
  std::vector<int> seen;
  const auto list = SimpleNGramListOfTxt(u"b c b c a b", 2, 100, true,
                                         [&](int percent) { seen.push_back(percent); });
  EXPECT_EQ(counts(list), (Counts{{u"b c", 2}, {u"a b", 1}, {u"c a", 1}, {u"c b", 1}}));
  // Once per new entry, at the position reached: "b c" at 4, "c b" at 6, "c a" at 10,
  // "a b" at the end (11 characters).
  EXPECT_EQ(seen, (std::vector<int>{36, 54, 90, 100}));
}

TEST(TypeAndTokenDifferences2SimpleWordLists, CountsTypesAndTokensOfBothLists) {
  auto first = SimpleTabulonOfTxt(u"a a b", 1, false);
  auto second = SimpleTabulonOfTxt(u"A c c c", 1, true);
  std::u16string last;
  auto r = TypeAndTokenDifferences2SimpleWordLists(*first, *second, 0, 50, last);
  EXPECT_EQ(r.type_diffs, 2);
  EXPECT_EQ(r.token_diffs, 5);  // |2-1| for a, 1 for b, 3 for c
  EXPECT_NEAR(r.type_diff_pc, 200.0f / 3, 1e-4);
  EXPECT_NEAR(r.token_diff_pc, 500.0f / 6, 1e-4);
  EXPECT_FALSE(r.show_it);
  EXPECT_EQ(last, u"c");
  // Only the second threshold counts.
  r = TypeAndTokenDifferences2SimpleWordLists(*first, *second, 99, 70, last);
  EXPECT_TRUE(r.show_it);

  TStringList none, also_none;
  last = u"unchanged";
  r = TypeAndTokenDifferences2SimpleWordLists(none, also_none, 0, 5, last);
  EXPECT_EQ(r.type_diffs, 0);
  EXPECT_EQ(r.type_diff_pc, 0.0f);
  EXPECT_EQ(r.token_diff_pc, 0.0f);
  EXPECT_TRUE(r.show_it);
  EXPECT_EQ(last, u"unchanged");
}

TEST(BagOfWordsSimilar, FindsTheFirstWordThatDiffersTooMuch) {
  EXPECT_EQ(BagOfWordsSimilar(u"The cat sat.", u"the CAT sat", 0, 1, 1).wd, u"");
  // Both lists have two entries: the second text's is walked, most frequent first.
  auto r = BagOfWordsSimilar(u"a a a b", u"a b", 0, 1, 1);
  EXPECT_EQ(r.wd, u"A");
  EXPECT_EQ(r.first_text_freq, 3);
  EXPECT_EQ(r.second_text_freq, 1);
  EXPECT_EQ(BagOfWordsSimilar(u"a a a b", u"a b", 2, 1, 1).wd, u"");
  // Too rare or too short to be looked at.
  EXPECT_EQ(BagOfWordsSimilar(u"a a a b", u"a b", 0, 4, 1).wd, u"");
  EXPECT_EQ(BagOfWordsSimilar(u"a a a bb", u"a bb", 0, 1, 2).wd, u"");
  // Words only in the list with fewer entries are never examined.
  EXPECT_EQ(BagOfWordsSimilar(u"x y z w", u"x y z q q q q", 0, 1, 1).wd, u"Q");
  EXPECT_EQ(BagOfWordsSimilar(u"x y z w w w w", u"x y z", 0, 1, 1).wd, u"W");
  EXPECT_EQ(BagOfWordsSimilar(u"x y z w w w w v", u"x y z", 0, 1, 1).wd, u"W");
  EXPECT_EQ(BagOfWordsSimilar(u"x y", u"x y z z z", 0, 1, 1).wd, u"Z");
  EXPECT_EQ(BagOfWordsSimilar(u"x y z w v", u"x y z q q q q q", 1, 1, 1).wd, u"");
}

}  // namespace
}  // namespace corvane
