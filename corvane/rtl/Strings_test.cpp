#include "corvane/rtl/Strings.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Strings, PosIsOneBasedWithOffset) {
  EXPECT_EQ(Pos(u"b", u"abcb"), 2u);
  EXPECT_EQ(Pos(u"b", u"abcb", 3), 4u);
  EXPECT_EQ(Pos(u"x", u"abc"), 0u);
  EXPECT_EQ(Pos(u"", u"abc"), 0u);
  EXPECT_EQ(Pos(u"a", u"abc", 0), 0u);
  EXPECT_EQ(Pos(u"c", u"abc", 4), 0u);
  EXPECT_EQ(Pos(u"abcd", u"abc"), 0u);
}

TEST(Strings, CopyClampsIndexAndCount) {
  EXPECT_EQ(Copy(u"hello", 2, 3), u"ell");
  EXPECT_EQ(Copy(u"hello", 0, 2), u"he");
  EXPECT_EQ(Copy(u"hello", -5, 2), u"he");
  EXPECT_EQ(Copy(u"hello", 4, 100), u"lo");
  EXPECT_EQ(Copy(u"hello", 6, 1), u"");
  EXPECT_EQ(Copy(u"hello", 2, -1), u"");
  EXPECT_EQ(Copy(u"hello", 1, INT64_MAX), u"hello");
}

TEST(Strings, InsertAndDelete) {
  std::u16string s = u"abc";
  Insert(u"X", s, 2);
  EXPECT_EQ(s, u"aXbc");
  Insert(u"<", s, -3);
  EXPECT_EQ(s, u"<aXbc");
  Insert(u">", s, 99);
  EXPECT_EQ(s, u"<aXbc>");
  Delete(s, 1, 1);
  EXPECT_EQ(s, u"aXbc>");
  Delete(s, 4, 100);
  EXPECT_EQ(s, u"aXb");
  Delete(s, 0, 1);
  Delete(s, 4, 1);
  Delete(s, 2, 0);
  Delete(s, 2, -4);
  EXPECT_EQ(s, u"aXb");
}

TEST(Strings, TrimRemovesControlsAndSpaces) {
  EXPECT_EQ(Trim(u" \t\r\n a b \x01"), u"a b");
  EXPECT_EQ(TrimLeft(u"  a "), u"a ");
  EXPECT_EQ(TrimRight(u"  a \x1f"), u"  a");
  EXPECT_EQ(Trim(u"   "), u"");
  EXPECT_EQ(Trim(u"\u00a0a\u00a0"), u"\u00a0a\u00a0");  // no-break space is not blank
}

TEST(Strings, CaseAndComparisonAreAscii) {
  EXPECT_EQ(UpperCase(u"abz\u00e9"), u"ABZ\u00e9");
  EXPECT_EQ(LowerCase(u"ABZ\u00c9"), u"abz\u00c9");
  EXPECT_TRUE(SameText(u"Hello", u"hELLO"));
  EXPECT_FALSE(SameText(u"\u00e9", u"\u00c9"));
  EXPECT_EQ(CompareText(u"abc", u"ABD"), 'C' - 'D');
  EXPECT_EQ(CompareStr(u"abc", u"ABC"), 'a' - 'A');
  EXPECT_LT(CompareStr(u"ab", u"abc"), 0);
  EXPECT_EQ(CompareStr(u"abc", u"abc"), 0);
  // '_' lies between the upper and lower case letters: folding to upper puts it after
  EXPECT_GT(CompareText(u"_", u"a"), 0);
}

TEST(Strings, StringReplace) {
  EXPECT_EQ(StringReplace(u"aXbXc", u"X", u"--", 0), u"a--bXc");
  EXPECT_EQ(StringReplace(u"aXbXc", u"X", u"--", rfReplaceAll), u"a--b--c");
  EXPECT_EQ(StringReplace(u"aXbxc", u"x", u"", rfReplaceAll), u"aXbc");
  EXPECT_EQ(StringReplace(u"aXbxc", u"x", u"", rfReplaceAll | rfIgnoreCase), u"abc");
  EXPECT_EQ(StringReplace(u"\u00e9t\u00c9", u"\u00e9", u"e", rfReplaceAll | rfIgnoreCase), u"ete");
  EXPECT_EQ(StringReplace(u"aaa", u"aa", u"a", rfReplaceAll), u"aa");  // no rescan
  EXPECT_EQ(StringReplace(u"abc", u"", u"x", rfReplaceAll), u"abc");
}

TEST(Strings, Quoting) {
  EXPECT_EQ(StringOfChar(u'-', 3), u"---");
  EXPECT_EQ(StringOfChar(u'-', -1), u"");
  EXPECT_EQ(QuotedStr(u"it's"), u"'it''s'");
  EXPECT_EQ(AnsiQuotedStr(u"a\"b", u'"'), u"\"a\"\"b\"");
  EXPECT_EQ(AnsiDequotedStr(u"'it''s'", u'\''), u"it's");
  EXPECT_EQ(AnsiDequotedStr(u"plain", u'\''), u"plain");
  EXPECT_EQ(AnsiDequotedStr(u"'open", u'\''), u"'open");
  EXPECT_EQ(AnsiDequotedStr(u"'ab'cd", u'\''), u"ab");
  EXPECT_EQ(AnsiDequotedStr(u"''", u'\''), u"");
  EXPECT_EQ(AnsiDequotedStr(u"", u'\''), u"");
}

TEST(Strings, Delimiters) {
  EXPECT_EQ(LastDelimiter(u"/\\", u"a/b\\c.txt"), 4u);
  EXPECT_EQ(LastDelimiter(u".", u"abc"), 0u);
  EXPECT_TRUE(IsDelimiter(u"/:", u"c:/x", 2));
  EXPECT_FALSE(IsDelimiter(u"/:", u"c:/x", 4));
  EXPECT_FALSE(IsDelimiter(u"/:", u"c:/x", 0));
  EXPECT_FALSE(IsDelimiter(u"/:", u"c:/x", 5));
}

}  // namespace
}  // namespace corvane
