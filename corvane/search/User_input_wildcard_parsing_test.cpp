#include "corvane/search/User_input_wildcard_parsing.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ParseTranslate, ReplacesTheFirstCharacterOfEveryOccurrence) {
  std::u16string s = u"}}}}}}";
  EXPECT_TRUE(Parse_Translate(s, u"}}}", 0x15));
  EXPECT_EQ(s, u"\x15\x15\x15\x15}}");
  s = u"abc";
  EXPECT_FALSE(Parse_Translate(s, u"x", 0x1C));
  EXPECT_EQ(s, u"abc");
  s = u"aa";
  EXPECT_FALSE(Parse_Translate(s, u"a", u'a'));  // a code equal to the symbol changes nothing
}

TEST(ParseRetainRestore, RoundTripsEveryQuotedSpecial) {
  std::u16string s;
  for (auto q : quoted_specials) s += q;
  Parse_Retain(s, kQuotedSpecialBase);
  std::u16string codes;
  for (char16_t c = 0xE000; c <= 0xE00A; ++c) codes += c;
  EXPECT_EQ(s, codes);
  Parse_Restore(s, kQuotedSpecialBase);
  EXPECT_EQ(s, u"^/*==?:\\<>#}}}/\\");
}

TEST(DoMainParseTranslates, TranslatesTheFiveSymbolsAndReportsTheLast) {
  std::u16string s = u"^#*?";
  EXPECT_FALSE(DoMainParse_Translates(s));
  EXPECT_EQ(s, u"\x1E\x1B\x1D\x1C");
  s = u"a}}}";
  EXPECT_TRUE(DoMainParse_Translates(s));
}

TEST(TagWildcardConverted, FirstOccurrenceOfEachSymbolOnly) {
  EXPECT_EQ(TagWildcardConverted(u"~p*"), u"\x1Fp\x1D");
  EXPECT_EQ(TagWildcardConverted(u"**"), u"\x1D*");
  EXPECT_EQ(TagWildcardConverted(u"\"*\"x*"), u"*x*");  // quoted: bare character, no code
  EXPECT_EQ(TagWildcardConverted(u""), u"");
}

TEST(ContainsPairedTagMarkup, EmptySlotsAreSkipped) {
  TIgnore_tag_type tags{};
  std::u16string s = u"<b>";
  EXPECT_FALSE(ContainsPairedTagMarkup(tags, s));
  EXPECT_EQ(s, u"<b>");
  tags = tags_from_pairs(u"<>");
  EXPECT_TRUE(ContainsPairedTagMarkup(tags, s));
  EXPECT_EQ(s,
            u"\x19"
            u"b\x18");
}

}  // namespace
}  // namespace corvane
