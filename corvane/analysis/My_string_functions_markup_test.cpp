#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"

namespace corvane {
namespace {

TEST(TagForms, OffTagsAndTheirClosingForms) {
  EXPECT_TRUE(IsAnOffTag(u"</b>"));
  EXPECT_FALSE(IsAnOffTag(u"<b>"));
  EXPECT_FALSE(IsAnOffTag(u"<"));
  EXPECT_EQ(SameTagButSwitchedOff(u"<b>"), u"</b>");
  EXPECT_EQ(SameTagButSwitchedOff(u"b>"), u"/b>");
  EXPECT_EQ(SameTagButSwitchedOff(u""), u"");
  // Attributes stay, so such a closing form is seldom found.
  EXPECT_EQ(SameTagButSwitchedOff(u"<s n=1>"), u"</s n=1>");
  EXPECT_EQ(TagOnNumbered(u"<p>", 3), u"<p \"3\">");
  EXPECT_EQ(TagOnNumbered(u"<p>", -12), u"<p \"-12\">");
  EXPECT_EQ(TagOnNumbered(u"<p", 3), u"<p");
  EXPECT_EQ(TagOnNumbered(u"", 3), u"");
}

TEST(TagForms, Brackets) {
  EXPECT_EQ(Angle_Bracketed(u"<b"), u"<b>");
  EXPECT_EQ(Angle_Bracketed(u"<b>"), u"<b>");
  EXPECT_EQ(Angle_Bracketed(u"b"), u"<b>");
  EXPECT_EQ(Angle_Bracketed(u""), u"<>");
  EXPECT_EQ(Bracketed(u"x)"), u"(x)");
  EXPECT_EQ(Bracketed(u"(x)"), u"(x)");
  EXPECT_EQ(UNAngle_Bracketed(u"<b>"), u"b");
  EXPECT_EQ(UNAngle_Bracketed(u"<<b>>"), u"<b>");
  EXPECT_EQ(UNAngle_Bracketed(u"<"), u"");
  EXPECT_TRUE(IsAngleBracketed(u"<>"));
  EXPECT_TRUE(IsAngleBracketed(u"<b>"));
  EXPECT_FALSE(IsAngleBracketed(u"<"));
  EXPECT_FALSE(IsAngleBracketed(u">"));
  EXPECT_FALSE(IsAngleBracketed(u"<b"));
}

TEST(TagForms, CaseAndPercentTests) {
  EXPECT_TRUE(IsAllUppercase(u""));
  EXPECT_TRUE(IsAllUppercase(u"<HEAD N=1>"));
  EXPECT_FALSE(IsAllUppercase(u"HEAd"));
  EXPECT_FALSE(IsAllUppercase(u"\u00DF"));   // sharp s is a lower-case letter
  EXPECT_TRUE(IsAllUppercase(u"\u4E2D1%"));  // other letters, digits and signs are not
  EXPECT_TRUE(ContainsAPercent(u"<%x>"));
  EXPECT_FALSE(ContainsAPercent(u"<x>"));
}

TEST(PrecedingContext, ClipsAtTheStart) {
  EXPECT_EQ(PrecedingContext(u"abcdef", 3, 5), u"bcd");
  EXPECT_EQ(PrecedingContext(u"abcdef", 10, 3), u"ab");
  EXPECT_EQ(PrecedingContext(u"abcdef", 0, 5), u"");
  EXPECT_EQ(PrecedingContext(u"abcdef", -1, 5), u"");
  EXPECT_EQ(PrecedingContext(u"abcdef", 3, 1), u"");
  EXPECT_EQ(PrecedingContext(u"abcdef", 3, 0), u"");
  EXPECT_EQ(PrecedingContext(u"abc", 2, 10), u"");  // past the end: nothing there
  EXPECT_EQ(PrecedingContext(u"abc", 5, 4), u"abc");
}

TEST(SimpleTagValue, BetweenFirstOpeningAndFirstClosing) {
  bool found = false;
  EXPECT_EQ(SimpleTagValue(u"title", u"<title>Hi</title>", found), u"Hi");
  EXPECT_TRUE(found);
  EXPECT_EQ(SimpleTagValue(u"title", u"<title>Hi", found), u"");
  EXPECT_FALSE(found);
  EXPECT_EQ(SimpleTagValue(u"Title", u"<title>Hi</title>", found), u"");  // case matters
  EXPECT_FALSE(found);
  EXPECT_EQ(SimpleTagValue(u"t", u"</t> x <t>y", found), u"");  // closing before opening
  EXPECT_FALSE(found);
  EXPECT_EQ(SimpleTagValue(u"t", u"<t></t>", found), u"");  // empty but found
  EXPECT_TRUE(found);
  EXPECT_EQ(SimpleTagValue(u"t", u"<t>a</t><t>b</t>", found), u"a");
  EXPECT_EQ(TrimmedSimpleTagValue(u"t", u"<t> \r\n a b\t</t>", found), u"a b");
  EXPECT_TRUE(found);
  EXPECT_EQ(TrimmedSimpleTagValue(u"t", u"no tags", found), u"");
  EXPECT_FALSE(found);
}

TEST(ExtractMarkupDataFromText, EndSearchedFromTheStartMark) {
  EXPECT_EQ(ExtractMarkupDataFromText(u"x]a[b]c", u"[", u"]"), u"b");
  EXPECT_EQ(ExtractMarkupDataFromText(u"[b", u"[", u"]"), u"");
  EXPECT_EQ(ExtractMarkupDataFromText(u"b]", u"[", u"]"), u"");
  EXPECT_EQ(ExtractMarkupDataFromText(u"<a>b", u"<a>", u">"), u"");  // end inside start
  EXPECT_EQ(ExtractMarkupDataFromText(u"ab", u"", u"b"), u"");
}

TEST(MarkupWithoutText, KeepsOnlyTheTags) {
  EXPECT_EQ(MarkupWithoutText(u"x<a>y<b>z"), u"<a><b>");
  EXPECT_EQ(MarkupWithoutText(u"x<a>y<b"), u"<a>");
  EXPECT_EQ(MarkupWithoutText(u"<a<b>"), u"<a<b><b>");  // overlapping copy
  EXPECT_EQ(MarkupWithoutText(u"no tags"), u"");
  EXPECT_EQ(MarkupWithoutText(u"x[a]y", u'[', u']'), u"[a]");
}

TEST(WithoutMarkup, DropsTagsWithinTheLongestSpan) {
  EXPECT_EQ(WithoutMarkup(u"a<b>c", u'<', u'>', 10), u"ac");
  EXPECT_EQ(WithoutMarkup(u"a<b>c", 10), u"ac");
  // The tag spans two positions: with a longest tag of 1 it is text.
  EXPECT_EQ(WithoutMarkup(u"a<b>c", u'<', u'>', 1), u"a<b>c");
  EXPECT_EQ(WithoutMarkup(u"a<b>c", 2), u"ac");
  EXPECT_EQ(WithoutMarkup(u"a<bc", 10), u"a");  // unclosed within reach: the rest goes
  EXPECT_EQ(WithoutMarkup(u"a<bcdefghijklmn", 10), u"a<bcdefghijklmn");
  EXPECT_EQ(WithoutMarkup(u"a<b>c", 0), u"a<b>c");
  EXPECT_EQ(WithoutMarkup(u"a<b>c", -5), u"a<b>c");
  EXPECT_EQ(WithoutMarkup(u"x<a<b>y", 10), u"xy");
  EXPECT_EQ(WithoutMarkup(u"a>b", 10), u"a>b");
  EXPECT_EQ(WithoutMarkup(u"1 < 2 and <i>3</i> > 2", 5), u"1 < 2 and 3 > 2");
  EXPECT_EQ(WithoutMarkup(u"a[b]c<d>", u'[', u']', 10), u"ac<d>");
}

TEST(ParaDivHeadingEndToCRLF, AnyLetterCase) {
  EXPECT_EQ(ParaDivHeadingEndToCRLF(u"one</P>two"), u"one\r\ntwo");
  EXPECT_EQ(ParaDivHeadingEndToCRLF(u"a</div>b</HEAD>c</Div></p>"), u"a\r\nb\r\nc\r\n\r\n");
  EXPECT_EQ(ParaDivHeadingEndToCRLF(u"<p>a</pre></ p>"), u"<p>a</pre></ p>");
}

TEST(OpenWithoutCloseTagInText, FindsTheFirstUnclosedTag) {
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", u"a <b>x</b> <i>y", false, false, 5, nullptr),
            u"<i>");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", u"<b>x</b>", false, false, 5, nullptr), u"");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", u"no tags <", false, false, 5, nullptr), u"");
  // The closing form may come before the tag.
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", u"</b><b>", false, false, 5, nullptr), u"");
  // Attributes stay in the closing form, so this one counts as unclosed.
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", u"<s n=1>a</s>", false, false, 5, nullptr),
            u"<s n=1>");
}

TEST(OpenWithoutCloseTagInText, FiltersAndAcceptanceTest) {
  const std::u16string text = u"ab <i>x <%P> <HR> <br> tail";
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", text, false, false, 5, nullptr), u"<i>");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", text, true, true, 5, nullptr), u"<HR>");
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", text, false, true, 5, nullptr), u"<%P>");
  std::vector<T2StringsAndIntegerRec> offered;
  const auto none = [&](T2StringsAndIntegerRec r) {
    offered.push_back(r);
    return false;
  };
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", text, false, false, 4, none), u"");
  ASSERT_EQ(offered.size(), 4u);
  EXPECT_EQ(offered[0].int_, 4);
  EXPECT_EQ(offered[0].s1, u"<i>");
  EXPECT_EQ(offered[0].s2, u"ab ");
  EXPECT_EQ(offered[3].s1, u"<br>");
  EXPECT_EQ(offered[3].int_, 19);
  EXPECT_EQ(offered[3].s2, u"HR> ");
  const auto second = [n = 0](T2StringsAndIntegerRec) mutable { return ++n == 2; };
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", text, false, false, 4, second), u"<%P>");
}

// The unclosed-tag search indexes the text's closing tags; it must answer as the plain
// search does: every "<", its next ">", the closing form searched in the whole text.
std::vector<std::u16string> plain_unclosed(const std::u16string& text) {
  std::vector<std::u16string> out;
  for (std::size_t s = text.find(u'<'); s != std::u16string::npos; s = text.find(u'<', s + 1)) {
    const std::size_t e = text.find(u'>', s);
    if (e == std::u16string::npos) continue;
    const std::u16string tag = text.substr(s, e - s + 1);
    if (IsAnOffTag(tag)) continue;
    if (text.find(SameTagButSwitchedOff(tag)) == std::u16string::npos) out.push_back(tag);
  }
  return out;
}

TEST(OpenWithoutCloseTagInText, AgreesWithThePlainSearchOnRandomTexts) {
  std::mt19937 rng(7);
  const std::u16string alphabet = u"<</>ab ";
  for (int round = 0; round < 3000; ++round) {
    std::u16string text(rng() % 40, u' ');
    for (char16_t& c : text) c = alphabet[rng() % alphabet.size()];
    std::vector<std::u16string> got;
    OpenWithoutCloseTagInText(u"", u"", text, false, false, 3, [&](T2StringsAndIntegerRec r) {
      got.push_back(r.s1);
      return false;
    });
    ASSERT_EQ(got, plain_unclosed(text)) << std::string(text.begin(), text.end());
  }
}

TEST(MarkupRoutines, ManyOpeningCharactersStayLinear) {
  // 200,000 "<" before one "a>": every tag ends at the same ">".
  std::u16string text(200000, u'<');
  text += u"a>";
  EXPECT_EQ(WithoutMarkup(text, 10), std::u16string(199991, u'<'));
  int offered = 0;
  EXPECT_EQ(OpenWithoutCloseTagInText(u"", u"", text, false, true, 5,
                                      [&](T2StringsAndIntegerRec) { return ++offered > 0; }),
            u"");
  EXPECT_EQ(offered, 0);
  EXPECT_EQ(MarkupWithoutText(std::u16string(200000, u'<')), u"");
}

}  // namespace
}  // namespace corvane
