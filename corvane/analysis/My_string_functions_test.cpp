#include "corvane/analysis/My_string_functions.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "corvane/rtl/StringList.hpp"

namespace corvane {
namespace {

std::vector<std::u16string> entries(const TStringList& list) {
  std::vector<std::u16string> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Get(i));
  return out;
}

using Lines = std::vector<std::u16string>;

TEST(StringListFromString, SplitsCrLfTextIntoLinesKeepingAFinalEmptyPiece) {
  EXPECT_EQ(entries(*StringListFromString(u"a\r\nb")), (Lines{u"a", u"b"}));
  EXPECT_EQ(entries(*StringListFromString(u"")), (Lines{u""}));
  EXPECT_EQ(entries(*StringListFromString(u"a\r\nb\r\n")), (Lines{u"a", u"b", u""}));
  // Only one line feed after a separator is skipped.
  EXPECT_EQ(entries(*StringListFromString(u"a\r\n\nb")), (Lines{u"a", u"\nb"}));
  EXPECT_EQ(entries(*StringListFromString(u',', u"x,,y")), (Lines{u"x", u"", u"y"}));
}

TEST(StringToStringList, QuotesEndItemsAndAnOpenQuoteNegatesTheCount) {
  TStringList list;
  EXPECT_EQ(StringToStringList(u',', u"a,\"b c\",d", list), 3);
  EXPECT_EQ(entries(list), (Lines{u"a", u"b c", u"d"}));
  EXPECT_EQ(StringToStringList(u',', u"a,\"b", list), -2);
  EXPECT_EQ(entries(list), (Lines{u"a", u"b"}));
  // The separator splits inside quotes too, and the item after a closing quote is added at
  // the end even when empty.
  EXPECT_EQ(StringToStringList(u',', u"\"x,y\"", list), 3);
  EXPECT_EQ(entries(list), (Lines{u"x", u"y", u""}));
  list.Add(u"left over");
  EXPECT_EQ(StringToStringList(u',', u"", list), 0);
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringToStringListAllowDoubleQuotes, KeepsQuotesAsCharacters) {
  TStringList list;
  EXPECT_EQ(StringToStringListAllowDoubleQuotes(u'/', u"\"a\"/b/", list), 3);
  EXPECT_EQ(entries(list), (Lines{u"\"a\"", u"b", u""}));
  EXPECT_EQ(StringToStringListAllowDoubleQuotes(u'/', u"", list), 0);
}

TEST(StringListToString, SkipsEmptyEntriesAndCutsWithEtc) {
  TStringList list;
  list.Add(u"a");
  list.Add(u"");
  list.Add(u"b");
  EXPECT_EQ(StringListToString(u',', list), u"a,b");
  EXPECT_EQ(StringListToString(u',', list, 1), u"b");
  TStringList three;
  three.Add(u"abc");
  three.Add(u"def");
  three.Add(u"ghi");
  EXPECT_EQ(StringListToString(u',', three, 0, 3), u"abc etc.");
  EXPECT_EQ(StringListToString(u',', three, 0, 7), u"abc,def etc.");
  EXPECT_EQ(StringListToString(u',', three, 0, 11), u"abc,def,ghi");  // nothing remains
  EXPECT_EQ(AddToListWithSeparatorIfNeeded(u"", u"x", u"; "), u"x");
  EXPECT_EQ(AddToListWithSeparatorIfNeeded(u"w", u"x", u"; "), u"w; x");
}

TEST(CleanUp, StripsCharactersSpacesAndAmpersands) {
  EXPECT_EQ(StrippedOfChars(u"a-b,c;d", u"-;,"), u"abcd");
  EXPECT_EQ(StrippedOfCommas(u"1,234,567"), u"1234567");
  EXPECT_EQ(StrippedDoubleSpaces(u"a   b  c d"), u"a b c d");
  EXPECT_EQ(StrippedDoubleSpaces(u"  lead"), u" lead");
  EXPECT_EQ(StrippedOfSingleAmpersands(u"&File"), u"File");
  EXPECT_EQ(StrippedOfSingleAmpersands(u"Fish && Chips"), u"Fish & Chips");
  EXPECT_EQ(StrippedOfSingleAmpersands(u"&&&x&"), u"&x");
}

TEST(CleanUp, ShortensRunsOfLineEnds) {
  EXPECT_EQ(StrippedMultipleLineEnds(u"a\r\n\r\n\r\nb"), u"a\r\nb");
  EXPECT_EQ(StrippedMultipleLineEnds(u"a\r\nb\rc"), u"a\r\nb\rc");
  EXPECT_EQ(StrippedMultipleLineEnds(u"a\n\n\nb"), u"a\n\n\nb");  // runs start with a CR
  EXPECT_EQ(StrippedMultipleLineEnds(u"a\r\n\r\n\r\n\r\nb", 2), u"a\r\n\r\nb");
  EXPECT_EQ(StrippedMultipleLineEnds(u"a\r\n\r\nb", 3), u"a\r\n\r\nb");
  EXPECT_EQ(StrippedMultipleLineEnds(u"a\r\n\r\n\r\nb", 1),
            StrippedMultipleLineEnds(u"a\r\n\r\n\r\nb"));
}

TEST(CleanUp, AddsAndRemovesDoubleQuotesAroundTheTrimmedText) {
  EXPECT_EQ(DoubleQuotesAdded(u"  two words "), u"\"two words\"");
  EXPECT_EQ(DoubleQuotesRemoved(u" \"quoted\" "), u"quoted");
  EXPECT_EQ(DoubleQuotesRemoved(u""), u"");
}

TEST(ReadableReferences, NumberTextTurnsHexMarksIntoDollar) {
  EXPECT_EQ(BracedNumberStrToDigitalformat(u"X41"), u"$41");
  EXPECT_EQ(BracedNumberStrToDigitalformat(u"41h"), u"$41");
  EXPECT_EQ(BracedNumberStrToDigitalformat(u"65"), u"65");
  EXPECT_EQ(BracedNumberStrToDigitalformat(u""), u"");
}

TEST(ReadableReferences, BracedReferencesConvertAndBadOnesStay) {
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR(65)}{chr(x42)}"), u"AB");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR(41h)}"), u"A");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR(abc)}{CHR(67)}"), u"{CHR(abc)}C");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR()}"), u"{CHR()}");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR(65"), u"{CHR(65");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR(9)}x"), u"\tx");
  // Values above 65535 keep their low 16 bits.
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR(65601)}"), u"A");
}

TEST(ReadableReferences, HashReferencesConvertUntilOneFails) {
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"#x41;"), u"A");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"#65;"), u"A;");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"a#66b"), u"aBb");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"#"), u"#");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"#;"), u"#;");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"#x;"), u"#x;");
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"# #65"), u"# #65");  // the pass ended
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"#65#66"), u"AB");
  // The braced pass runs first, so a braced "#" can start a hash reference.
  EXPECT_EQ(CVFormattedReadableStringToWorkString(u"{CHR(35)}67"), u"C");
}

TEST(ReadableReferences, WorkToReadableWritesLowCodesBraced) {
  EXPECT_EQ(CVFormattedWorkStringToReadableString(u"a\tb", 32), u"a{CHR(9)}b");
  EXPECT_EQ(CVFormattedWorkStringToReadableString(u"a\tb", 0), u"a\tb");
  EXPECT_EQ(CVFormattedWorkStringToReadableString(u"", 32), u"");
  const std::u16string round = u"x\x1D\x1By";
  EXPECT_EQ(CVFormattedReadableStringToWorkString(CVFormattedWorkStringToReadableString(round, 32)),
            round);
}

TEST(WideTrimSpaceOnly, TrimsUnicodeWhiteSpaceButNotControlCodes) {
  EXPECT_EQ(WideTrimSpaceOnly(u"\u00A0x\t"), u"x");
  EXPECT_EQ(WideTrimSpaceOnly(u"\u2028\u3000 a b \u0085"), u"a b");
  EXPECT_EQ(WideTrimSpaceOnly(u"\x1A dog"), u"\x1A dog");
  EXPECT_EQ(WideTrimSpaceOnly(u" \t\r\n"), u"");
}

TEST(TitleCasedString, CapitalisesWordStartsAfterSpacesOnly) {
  EXPECT_EQ(TitleCasedString(u"the CAT sat", false), u"The Cat Sat");
  EXPECT_EQ(TitleCasedString(u"the CAT sat", true), u"The cat sat");
  EXPECT_EQ(TitleCasedString(u"plan b", false), u"Plan B");
  EXPECT_EQ(TitleCasedString(u"(word 'tis McDonald", false), u"(word 'tis Mcdonald");
  EXPECT_EQ(TitleCasedString(u"ÉCOLE élève", false), u"École Élève");
  EXPECT_EQ(TitleCasedString(u"", false), u"");
}

}  // namespace
}  // namespace corvane
