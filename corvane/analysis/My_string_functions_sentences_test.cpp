#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {
namespace {

using Lines = std::vector<std::u16string>;

Lines entries(const std::unique_ptr<TStringList>& list) {
  Lines out;
  for (int i = 0; i < list->Count(); ++i) out.push_back(list->Get(i));
  return out;
}

constexpr std::uint32_t kEnglish = 0x0409;

Lines by_locale(const std::u16string& para, int longest_tag = 0) {
  return entries(SentencesFromParagraph(para, u"", kEnglish, longest_tag));
}

Lines extracted(bool take_rest, int minimum, const std::u16string& para) {
  return entries(SentencesExtractedFromParagraph(take_rest, minimum, para));
}

TEST(EndOfSentence, SkipsTerminatorsInsideWordsAndNumbers) {
  EXPECT_EQ(EndOfSentence(1, u"Pi is 3.14 roughly. Yes"), 19);
  EXPECT_EQ(EndOfSentence(1, u"See e.g. this"), 8);
  EXPECT_EQ(EndOfSentence(20, u"Pi is 3.14 roughly. Yes"), 23);  // runs to the last position
  EXPECT_EQ(EndOfSentence(1, u"Hello"), 5);
}

TEST(EndOfSentence, NeedsALetterOrDigitFirst) {
  EXPECT_EQ(EndOfSentence(1, u"... !"), -1);
  EXPECT_EQ(EndOfSentence(1, u""), -1);
  EXPECT_EQ(EndOfSentence(6, u"Hello"), -1);
  // The terminators before the first letter are passed over.
  EXPECT_EQ(EndOfSentence(1, u"?! Yes."), 7);
  EXPECT_EQ(EndOfSentence(0, u"A."), 2);
}

TEST(SentenceStarts, LetterOrDigitPositionAndCaseTest) {
  EXPECT_EQ(FirstLetterOrDigitPosAfterSentenceEnd(u". . A", 1), 5);
  EXPECT_EQ(FirstLetterOrDigitPosAfterSentenceEnd(u". 7 A", 1), 3);
  EXPECT_EQ(FirstLetterOrDigitPosAfterSentenceEnd(u"...", 1), 3);  // the length when none
  EXPECT_EQ(FirstLetterOrDigitPosAfterSentenceEnd(u"Ab", 0), 1);
  EXPECT_FALSE(FirstCharAfterSentenceEndUpperCase(u"ab", 1));
  EXPECT_TRUE(FirstCharAfterSentenceEndUpperCase(u"ab", 2));  // the last character
  EXPECT_TRUE(FirstCharAfterSentenceEndUpperCase(u"Ab", 1));
  EXPECT_TRUE(FirstCharAfterSentenceEndUpperCase(u"1b", 1));
  EXPECT_TRUE(FirstCharAfterSentenceEndUpperCase(u"ab", 5));
}

TEST(FirstValidStartOfSentence, PassesOverLowerCaseContinuations) {
  const std::u16string s = u"It rains. the dog barks. He runs.";
  EXPECT_EQ(FirstValidStartOfSentence(s, 10), 26);
  EXPECT_EQ(FirstValidStartOfSentence(s, 1), 1);
  // No further end after a lower-case candidate: the length of the text.
  EXPECT_EQ(FirstValidStartOfSentence(u"Ok. a!!", 4), 7);
  EXPECT_EQ(FirstValidStartOfSentence(u"Ok. the end", 4), 11);
}

TEST(SentencesExtractedFromParagraph, LowerCaseTextStartsNoSentence) {
  EXPECT_EQ(extracted(false, 0, u"It rains. the dog barks. He runs."),
            (Lines{u"It rains.", u"He runs."}));
  EXPECT_EQ(extracted(false, 0, u"Pi is 3.14 now. Yes"), (Lines{u"Pi is 3.14 now."}));
  EXPECT_EQ(extracted(false, 0, u""), Lines{});
  EXPECT_EQ(extracted(false, 0, u"all lower case."), Lines{});
}

TEST(SentencesExtractedFromParagraph, TakeRestKeepsTheOpenSentenceOnce) {
  EXPECT_EQ(extracted(true, 0, u"Hello there. More text"), (Lines{u"Hello there.", u"More text"}));
  EXPECT_EQ(extracted(true, 0, u"It ends."), (Lines{u"It ends."}));
  EXPECT_EQ(extracted(true, 0, u"It ends. "), (Lines{u"It ends."}));
  EXPECT_EQ(extracted(true, 0, u"It rains. the end"), (Lines{u"It rains."}));
  EXPECT_EQ(extracted(true, 0, u"It rains. X"), (Lines{u"It rains.", u"X"}));
  EXPECT_EQ(extracted(true, 0, u"just words"), Lines{});
}

TEST(SentencesExtractedFromParagraph, MinimumCountsWordCharactersAndLength) {
  // "I." has one word character: below the minimum of 2 its full stop ends nothing.
  EXPECT_EQ(extracted(false, 2, u"I. Am here."), (Lines{u"I. Am here."}));
  EXPECT_EQ(extracted(false, 0, u"I. Am here."), (Lines{u"I.", u"Am here."}));
  // A rest no longer than the minimum is dropped.
  EXPECT_EQ(extracted(true, 1, u"Ok. X"), (Lines{u"Ok."}));
}

TEST(SentencesExtractedFromParagraph, OtherScripts) {
  EXPECT_EQ(extracted(false, 0, u"你好。再见。"), (Lines{u"你好。", u"再见。"}));
  // Devanagari vowel signs are marks (Mc, Mn): they count but start nothing.
  EXPECT_EQ(extracted(false, 0, u"यह है। वह गया।"), (Lines{u"यह है।", u"वह गया।"}));
  EXPECT_EQ(extracted(false, 0, u"ما هذا؟ لا شيء."), (Lines{u"ما هذا؟", u"لا شيء."}));
}

TEST(SentencesFromParagraph, MarkerCutsAndTrimsPieces) {
  EXPECT_EQ(entries(SentencesFromParagraph(u"One.<s>Two.<s>Three", u"<s>", kEnglish, 0)),
            (Lines{u"One.", u"Two.", u"Three"}));
  EXPECT_EQ(entries(SentencesFromParagraph(u"<s> One <s><s>two. <s>  ", u"<s>", kEnglish, 0)),
            (Lines{u"One", u"two."}));
  EXPECT_EQ(entries(SentencesFromParagraph(u"No marker here. Two.", u"|", kEnglish, 0)),
            (Lines{u"No marker here. Two."}));
  // The marker works even for a locale the splitter would refuse.
  EXPECT_EQ(entries(SentencesFromParagraph(u"a|b", u"|", 0xFFFFFFFF, 0)), (Lines{u"a", u"b"}));
}

TEST(SentencesFromParagraph, LocaleSplitterKeepsClosersWithTheSentence) {
  EXPECT_EQ(by_locale(u"He said «Stop.» Then left."), (Lines{u"He said «Stop.»", u"Then left."}));
  EXPECT_EQ(by_locale(u"He said \"Stop!\" Then left."),
            (Lines{u"He said \"Stop!\"", u"Then left."}));
  EXPECT_EQ(by_locale(u"(Really?) Yes."), (Lines{u"(Really?)", u"Yes."}));
  // Without a space, the next sentence's first letter is not taken along.
  EXPECT_EQ(by_locale(u"Stop.Then go."), (Lines{u"Stop.", u"Then go."}));
}

TEST(SentencesFromParagraph, LocaleSplitterLowerCaseDigitsAndNonEnders) {
  EXPECT_EQ(by_locale(u"Dr. smith came. Then"), (Lines{u"Dr. smith came.", u"Then"}));
  EXPECT_EQ(by_locale(u"It is 3.14 now. Yes."), (Lines{u"It is 3.14 now.", u"Yes."}));
  EXPECT_EQ(by_locale(u"Wait... Then go."), (Lines{u"Wait...", u"Then go."}));
  EXPECT_EQ(by_locale(u"Wait... then go."), (Lines{u"Wait... then go."}));
  EXPECT_EQ(by_locale(u"One; Two: Three, Four."), (Lines{u"One; Two: Three, Four."}));
  EXPECT_EQ(by_locale(u"Wait\u2026 Go."), (Lines{u"Wait\u2026 Go."}));  // never ends
  // Other punctuation outside the tables ends a sentence by the look-ahead alone.
  EXPECT_EQ(by_locale(u"Ab\u2E3C Cd"), (Lines{u"Ab\u2E3C", u"Cd"}));
  // A rest of one final character is dropped; two or more are kept.
  EXPECT_EQ(by_locale(u"Stop. A"), (Lines{u"Stop."}));
  EXPECT_EQ(by_locale(u"Stop. Ab"), (Lines{u"Stop.", u"Ab"}));
  EXPECT_EQ(by_locale(u"  "), Lines{});
  EXPECT_EQ(by_locale(u""), Lines{});
  EXPECT_EQ(by_locale(u". Go"), (Lines{u". Go"}));  // the first character is never an end
}

TEST(SentencesFromParagraph, LocaleSplitterOtherScripts) {
  EXPECT_EQ(entries(SentencesFromParagraph(u"今日は晴れ。明日も。", u"", 0x0411, 0)),
            (Lines{u"今日は晴れ。", u"明日も。"}));
  EXPECT_EQ(entries(SentencesFromParagraph(u"ما هذا؟ لا شيء.", u"", 0x0401, 0)),
            (Lines{u"ما هذا؟", u"لا شيء."}));
  EXPECT_EQ(entries(SentencesFromParagraph(u"Он ушёл. Она осталась.", u"", 0x0419, 0)),
            (Lines{u"Он ушёл.", u"Она осталась."}));
}

TEST(SentencesFromParagraph, ShortTagsCountAsPunctuation) {
  const std::u16string para = u"He left. <i>Then</i> she came.";
  // As mark-up the tag is passed over and "Then" starts the next sentence.
  EXPECT_EQ(by_locale(para, 2), (Lines{u"He left.", u"<i>Then</i> she came."}));
  // Longer than the limit: "i" is a lower-case letter and the sentence goes on.
  EXPECT_EQ(by_locale(para, 1), (Lines{para}));
  EXPECT_EQ(by_locale(para, 0), (Lines{para}));
  // An over-long stretch gets its own classes back; a later short tag still counts.
  EXPECT_EQ(by_locale(u"a < b. <i>Yes</i> ok", 3), (Lines{u"a < b.", u"<i>Yes</i> ok"}));
}

TEST(SentencesFromParagraph, UnknownLocaleGivesAnEmptyList) {
  EXPECT_EQ(entries(SentencesFromParagraph(u"One. Two.", u"", 0xFFFFFFFF, 0)), Lines{});
}

TEST(GetStringTypeExNT2000, WideTextGetsTheCharacterTable) {
  const std::u16string text = u"Ab1 .\u3002";
  std::vector<std::uint16_t> types(text.size() + 1, 0xBEEF);
  ASSERT_TRUE(GetStringTypeExNT2000(true, kEnglish, CT_CTYPE1, text.data(),
                                    static_cast<int>(text.size()), types.data()));
  for (std::size_t i = 0; i < text.size(); ++i) EXPECT_EQ(types[i], char_type1(text[i])) << i;
  EXPECT_EQ(types[text.size()], 0xBEEF);  // nothing written past the length
  EXPECT_NE(types[0] & C1_UPPER, 0);
  EXPECT_NE(types[2] & C1_DIGIT, 0);
  // -1: up to the terminating zero.
  std::vector<std::uint16_t> z(8, 0xBEEF);
  ASSERT_TRUE(GetStringTypeExNT2000(true, kEnglish, CT_CTYPE1, u"a b", -1, z.data()));
  EXPECT_EQ(z[1] & C1_SPACE, C1_SPACE);
  EXPECT_EQ(z[3], 0xBEEF);
}

TEST(GetStringTypeExNT2000, EightBitTextUsesTheLocalesCodePage) {
  std::uint16_t types[4] = {};
  // Greek (1253): 0xE1 is small alpha, 0xC1 capital alpha.
  ASSERT_TRUE(GetStringTypeExNT2000(false, 0x0408, CT_CTYPE1, "\xE1\xC1", 2, types));
  EXPECT_EQ(types[0], char_type1(u'\u03B1'));
  EXPECT_EQ(types[1], char_type1(u'\u0391'));
  // Japanese (932): both bytes of a double-byte character get its class.
  ASSERT_TRUE(GetStringTypeExNT2000(false, 0x0411, CT_CTYPE1, "\x82\xA0\x41.", 4, types));
  EXPECT_EQ(types[0], char_type1(u'\u3042'));
  EXPECT_EQ(types[1], char_type1(u'\u3042'));
  EXPECT_EQ(types[2], char_type1(u'A'));
  EXPECT_EQ(types[3], char_type1(u'.'));
}

TEST(GetStringTypeExNT2000, RefusesWhatItCannotAnswer) {
  std::uint16_t types[2] = {7, 7};
  EXPECT_FALSE(GetStringTypeExNT2000(true, kEnglish, 2, u"ab", 2, types));  // CT_CTYPE2
  EXPECT_FALSE(GetStringTypeExNT2000(true, 0xFFFFFFFF, CT_CTYPE1, u"ab", 2, types));
  EXPECT_FALSE(GetStringTypeExNT2000(true, kEnglish, CT_CTYPE1, nullptr, 2, types));
  EXPECT_FALSE(GetStringTypeExNT2000(true, kEnglish, CT_CTYPE1, u"ab", 2, nullptr));
  EXPECT_FALSE(GetStringTypeExNT2000(true, kEnglish, CT_CTYPE1, u"ab", -2, types));
  EXPECT_EQ(types[0], 7);
  EXPECT_TRUE(GetStringTypeExNT2000(true, kEnglish, CT_CTYPE1, u"ab", 0, types));
  EXPECT_EQ(types[0], 7);
}

TEST(WordsAndCapitals, CountsRunsAndTestsFirstLetters) {
  EXPECT_EQ(BasicWordCount(u""), 0);
  EXPECT_EQ(BasicWordCount(u"  a1 b  "), 2);
  EXPECT_EQ(BasicWordCount(u"don't"), 2);
  EXPECT_EQ(BasicWordCount(u"naïve café"), 2);
  EXPECT_EQ(BasicWordCount(u"--- ..."), 0);
  EXPECT_FALSE(FirstLetterIsCapitalised(u""));
  EXPECT_TRUE(FirstLetterIsCapitalised(u"Émile"));
  EXPECT_FALSE(FirstLetterIsCapitalised(u"abc"));
  EXPECT_FALSE(FirstLetterIsCapitalised(u" Abc"));
  EXPECT_TRUE(NextWordCapitalised(u"the Cat", 4));
  EXPECT_FALSE(NextWordCapitalised(u"the cat", 4));
  EXPECT_FALSE(NextWordCapitalised(u"x 1A", 2));  // a digit comes first
  EXPECT_FALSE(NextWordCapitalised(u"...", 1));
  EXPECT_FALSE(NextWordCapitalised(u"Ab", 3));
}

TEST(SentenceRoutines, ArbitraryTextNeverBreaksThem) {
  // Terminators, tags, spaces, cased letters, digits, marks and lone surrogates, mixed.
  std::u16string alphabet = u"aZ9.?!;<>/ \t\u00AB\u00BB\u3002\u0964\u0301\u2026";
  alphabet += char16_t{0xD800};
  alphabet += char16_t{0xDC00};
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::u16string s(random() % 24, u' ');
    for (char16_t& c : s) c = alphabet[random() % alphabet.size()];
    const int p = static_cast<int>(random() % 30) - 2;
    const int end = EndOfSentence(p, s);
    EXPECT_TRUE(end == -1 || (end >= std::max(p, 1) && end <= static_cast<int>(s.size())));
    const int start = FirstValidStartOfSentence(s, p);
    EXPECT_GE(start, 1);
    SentencesExtractedFromParagraph(round % 2 == 0, round % 3, s);
    for (const std::u16string& sentence : by_locale(s, round % 5)) {
      EXPECT_FALSE(sentence.empty());
      EXPECT_NE(s.find(sentence), std::u16string::npos);
    }
    NextWordCapitalised(s, p);
    BasicWordCount(s);
  }
}

}  // namespace
}  // namespace corvane
