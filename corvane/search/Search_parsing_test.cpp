#include "corvane/search/Search_parsing.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Myunicodenew_search_words.hpp"

namespace corvane {
namespace {

const TMySearchFlags LR{myLeftBounded, myRightBounded};

TSearch_word_format_rec parse(std::u16string s, std::u16string_view tag_pairs = u"") {
  TSearch_word_format_rec rec;
  Parsed_SearchWord(tags_from_pairs(tag_pairs), s, rec);
  return rec;
}

std::vector<std::u16string> split(std::u16string line, bool on = true) {
  line = StrippedDoubleSpaces(line);
  auto list = SplitSWList(line, on);
  std::vector<std::u16string> out;
  for (int i = 0; i < list->Count(); ++i) out.push_back(list->Get(i));
  return out;
}

struct Row {
  std::u16string typed;
  std::u16string search_text;
  TMySearchFlags flags;
};

TEST(ParsedSearchWord, GivesEveryRowOfTheSyntaxTable) {
  const Row rows[] = {
      {u"cat", u"cat", LR},
      {u"cat*", u"cat", {myLeftBounded}},
      {u"*ness", u"ness", {myRightBounded}},
      {u"==Paris==", u"Paris", {myLeftBounded, myCaseIsSensitive, myRightBounded}},
      {u"~dog", u"dog", {myLeftBounded, mySW_To_Avoid, myRightBounded}},
      {u"c*t", u"c\x1Dt", LR},
      {u"# years", u"\x1B years", LR},
      {u"big * dog", u"big \x1A dog", LR},
      {u"\"*\"star", u"*star", LR},
      {u"/\\The", u"\x10The", LR},
  };
  for (const Row& row : rows) {
    const TSearch_word_format_rec rec = parse(row.typed);
    EXPECT_EQ(rec.search_text, row.search_text) << u8(row.typed);
    EXPECT_EQ(rec.flags, row.flags) << u8(row.typed);
    EXPECT_EQ(rec.typed_in_text, row.typed);
  }
}

TEST(ParsedSearchWord, ContextWordIsCutOffAndKeptUntrimmed) {
  const TSearch_word_format_rec rec = parse(u"cat context:=tail ");
  EXPECT_EQ(rec.search_text, u"cat");
  EXPECT_EQ(rec.sw_context_needed, u"tail ");
  EXPECT_TRUE(rec.has_file_based_context_word);
  EXPECT_EQ(rec.flags, LR);
  EXPECT_TRUE(rec.ambiguous);  // typed text differs from the search text
  const TSearch_word_format_rec empty = parse(u" context:=tail");
  EXPECT_EQ(empty.search_text, u"");
  EXPECT_EQ(empty.sw_context_needed, u"tail");
}

TEST(ParsedSearchWord, AmbiguityAndCaseCopies) {
  TSearch_word_format_rec rec = parse(u"Straße");
  EXPECT_FALSE(rec.ambiguous);
  EXPECT_EQ(rec.copies[upper_copy].size(), rec.search_text.size());  // same length always
  rec = parse(u"cat*");
  EXPECT_TRUE(rec.ambiguous);
  rec = parse(u"éCOLE");
  EXPECT_EQ(rec.copies[upper_copy], u"ÉCOLE");
  EXPECT_EQ(rec.copies[title_copy], u"École");
  rec = parse(u"");
  EXPECT_EQ(rec.flags, LR);
  EXPECT_TRUE(rec.copies[title_copy].empty());
}

TEST(FlagsFromSW, EdgeCasesOfTheMarkers) {
  auto flags_of = [](std::u16string s, std::u16string expected_text) {
    const TMySearchFlags f = FlagsFromSW(s);
    EXPECT_EQ(s, expected_text);
    return f;
  };
  EXPECT_EQ(flags_of(u"==", u""),
            (TMySearchFlags{myLeftBounded, myCaseIsSensitive, myRightBounded}));
  EXPECT_EQ(flags_of(u"===", u""),
            (TMySearchFlags{myLeftBounded, myCaseIsSensitive, myRightBounded}));
  EXPECT_EQ(flags_of(u"==x", u"==x"), LR);  // no closing pair
  EXPECT_EQ(flags_of(u"==*x*==", u"*x"), (TMySearchFlags{myLeftBounded, myCaseIsSensitive}));
  EXPECT_EQ(flags_of(u"~*x", u"*x"),
            (TMySearchFlags{myLeftBounded, mySW_To_Avoid, myRightBounded}));
  EXPECT_EQ(flags_of(u"*", u""), (TMySearchFlags{myRightBounded}));
  EXPECT_EQ(flags_of(u"", u""), LR);
  // Two leading asterisks: the first is the flag, the second becomes a wildcard.
  EXPECT_EQ(parse(u"**ing").search_text, u"\x1Ding");
}

TEST(SWStringPlusFlags, ShowsTheMarkersBack) {
  EXPECT_EQ(SWStringPlusFlags(u"cat", {myLeftBounded}), u"cat*");
  EXPECT_EQ(SWStringPlusFlags(u"Paris", {myCaseIsSensitive}), u"==*Paris*==");
  EXPECT_EQ(SWStringPlusFlags(u"dog", {myLeftBounded, myRightBounded, mySW_To_Avoid}), u"dog");
}

TEST(SplitSWList, SplitsAtSlashesNotQuotedAndNotAtTheEnds) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(split(u"cat/dog", false), (V{u"cat/dog"}));
  EXPECT_EQ(split(u"a//b"), (V{u"a", u"/b"}));
  EXPECT_EQ(split(u"/cat"), (V{u"/cat"}));
  EXPECT_EQ(split(u"cat/"), (V{u"cat/"}));
  EXPECT_EQ(split(u"a\"/\"b"), (V{u"a\"/\"b"}));
  EXPECT_EQ(split(u"big   cat/small  dog"), (V{u"big cat", u"small dog"}));
  EXPECT_EQ(split(u""), V{});
}

TEST(ParseSWChunk, TagsTranslateOnlyWhenPaired) {
  TSearch_word_format_rec rec = parse(u"<b>x", u"<>");
  EXPECT_TRUE(rec.contains_a_tag);
  EXPECT_EQ(rec.search_text,
            u"\x19"
            u"b\x18x");
  rec = parse(u"b>", u"<>");
  EXPECT_FALSE(rec.contains_a_tag);
  EXPECT_EQ(rec.search_text, u"b>");
  rec = parse(u"<b", u"<>");  // opening without closing
  EXPECT_FALSE(rec.contains_a_tag);
  EXPECT_EQ(rec.search_text,
            u"\x19"
            u"b");
  rec = parse(u"[n]<b>", u"<>[]");
  EXPECT_TRUE(rec.contains_a_tag);
  EXPECT_EQ(rec.search_text,
            u"\x19n\x18\x19"
            u"b\x18");
}

TEST(ParseSWChunk, QuotedSpecialsAndPrivateUseCharacters) {
  EXPECT_EQ(parse(u"a\"*\"b").search_text, u"a*b");
  EXPECT_EQ(parse(u"\"==\"x").search_text, u"==x");
  EXPECT_EQ(parse(u"\"}}}\"").search_text, u"}}}");
  // Text that already holds U+E000..U+E00A comes out as if those were quoted specials.
  EXPECT_EQ(parse(u"a\uE002b\uE008").search_text, u"a*b#");
  // "}}}": only the first brace of each occurrence becomes code 21.
  EXPECT_EQ(parse(u"x}}}").search_text, u"x\x15}}");
}

TEST(ParseSWChunk, LineBreakSymbolOnlyAtTheEnds) {
  EXPECT_EQ(parse(u"end/\\").search_text, u"end\x13");
  EXPECT_EQ(parse(u"mid/\\dle").search_text, u"mid/\\dle");
}

TEST(UnParsedSearchWord, TakesFlagsOnly) {
  std::u16string s = u"c*t*";
  TSearch_word_format_rec rec;
  UnParsed_SearchWord(s, rec);
  EXPECT_EQ(rec.search_text, u"c*t");
  EXPECT_EQ(rec.flags, (TMySearchFlags{myLeftBounded}));
  EXPECT_TRUE(rec.ambiguous);
  EXPECT_EQ(rec.copies[upper_copy], u"C*T");
}

TEST(SearchWordBuffers, KeepEightyCharactersAndATerminator) {
  const search_word_type32 b = StringToSearch_word_type32(std::u16string(100, u'w'));
  EXPECT_EQ(Search_word_type32ToString(b.data()), std::u16string(80, u'w'));
  EXPECT_EQ(b[80], u'\0');
  EXPECT_EQ(Search_word_type32ToString(StringToSearch_word_type32(u"cat").data()), u"cat");
  EXPECT_EQ(Search_word_type32ToString(nullptr), u"");
}

}  // namespace
}  // namespace corvane
