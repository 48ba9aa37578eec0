#include "corvane/text/Bare_assemb.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include <memory>
#include <string>

#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

// A copy of `text` in a buffer of exactly its length plus room for one terminator, which
// holds a marker so that tests see whether a routine wrote a terminator.
template <class T>
std::unique_ptr<T[]> exact_copy(std::basic_string_view<T> text, T marker = T('#')) {
  auto buffer = std::make_unique<T[]>(text.size() + 1);
  std::copy(text.begin(), text.end(), buffer.get());
  buffer[text.size()] = marker;
  return buffer;
}

// The buffer's text up to its terminator, or all `capacity` characters when it has none.
template <class T>
std::basic_string<T> up_to_zero(const std::unique_ptr<T[]>& buffer, std::size_t capacity) {
  const std::basic_string_view<T> all(buffer.get(), capacity);
  return std::basic_string<T>(all.substr(0, all.find(T(0))));
}

TEST(BareAssembScan, PositionSearchBounds) {
  const std::u16string_view text = u"abcabd";
  const auto buffer = exact_copy(text);
  EXPECT_EQ(FastStrPosW(buffer.get(), u"abcabd", 6), buffer.get());   // the whole buffer
  EXPECT_EQ(FastStrPosW(buffer.get(), u"abcabd", 5), nullptr);        // one short of it
  EXPECT_EQ(FastStrPosW(buffer.get(), u"abd", 6), buffer.get() + 3);  // ends on the last unit
  EXPECT_EQ(FastStrPosW(buffer.get(), u"abd", 5), nullptr);
  EXPECT_EQ(FastStrPosW(buffer.get(), u"", 6), nullptr);
  EXPECT_EQ(FastStrPosW(buffer.get(), nullptr, 6), nullptr);
  EXPECT_EQ(FastStrPosW(static_cast<const char16_t*>(nullptr), u"a", 6), nullptr);
  EXPECT_EQ(FastStrPosW(buffer.get(), u"a", 0), nullptr);
  EXPECT_EQ(FastStrPosW(buffer.get(), u"a", -3), nullptr);

  const char bytes[] = {'x', 'a', 'b', 'a', 'b', 'c'};  // not zero-terminated
  EXPECT_EQ(FastStrPos(bytes, "abc", 6), bytes + 3);
  EXPECT_EQ(FastStrPos(bytes, "abc", 5), nullptr);
  EXPECT_EQ(FastStrPos(bytes, "", 6), nullptr);
}

TEST(BareAssembScan, CaseInsensitiveSearchTakesEitherFormAtEachIndex) {
  for (const std::u16string_view text : {u"xaB", u"xAb", u"xab", u"xAB"}) {
    const auto buffer = exact_copy(text);
    EXPECT_EQ(FastStrIPosW(buffer.get(), u"ab", u"AB", 3), buffer.get() + 1) << u8(text);
  }
  const auto whole = exact_copy(std::u16string_view(u"AbC"));
  EXPECT_EQ(FastStrIPosW(whole.get(), u"abc", u"ABC", 3), whole.get());
  EXPECT_EQ(FastStrIPosW(whole.get(), u"abc", u"AB", 3), nullptr);  // lengths differ
  EXPECT_EQ(FastStrIPosW(whole.get(), u"abc", nullptr, 3), nullptr);
  EXPECT_EQ(FastStrIPosW(whole.get(), u"ba", u"BA", 3), nullptr);
  const char* bytes = "zzAbz";
  EXPECT_EQ(FastStrIPos(bytes, "ab", "AB", 5), bytes + 2);
  EXPECT_EQ(FastStrIPos(bytes, "b", "B", 5), bytes + 3);  // one character: either form
  EXPECT_EQ(FastStrIPos(bytes, "ab", "A", 5), nullptr);
}

TEST(BareAssembScan, ScanFindsFirstOccurrenceOnly) {
  const std::u16string_view text = u"a\u00e9b\u00e9";
  const auto buffer = exact_copy(text);
  EXPECT_EQ(FastStrScanW(buffer.get(), u'\u00e9', 4), buffer.get() + 1);
  EXPECT_EQ(FastStrScanW(buffer.get(), u'\u00e9', 1), nullptr);
  EXPECT_EQ(FastStrScanW(buffer.get(), u'\u00e9' + 0x100, 4), nullptr);  // same low byte
  const char bytes[] = {'a', '\xe9', 'b'};
  EXPECT_EQ(FastStrScan(bytes, '\xe9', 3), bytes + 1);
  EXPECT_EQ(FastStrScan(bytes, 'z', 3), nullptr);
  EXPECT_EQ(FastStrScan(static_cast<const char*>(nullptr), 'a', 3), nullptr);
}

TEST(BareAssembScan, SearchAndReplaceFastWReplacesWholeOccurrencesWithoutOverlap) {
  std::u16string text = u"aaaa-ab-aab";
  EXPECT_EQ(SearchAndReplaceFastW(text.data(), u"aa", u"XY", text.size(), 2), 3);
  EXPECT_EQ(text, u"XYXY-ab-XYb");
  std::u16string same = u"abc";
  EXPECT_EQ(SearchAndReplaceFastW(same.data(), u"abcd", u"wxyz", 3, 4), 0);  // longer than buffer
  EXPECT_EQ(SearchAndReplaceFastW(same.data(), u"c", u"Z", 3, 1), 1);
  EXPECT_EQ(same, u"abZ");
  EXPECT_EQ(SearchAndReplaceFastW(same.data(), u"a", u"b", 3, 0), 0);
  EXPECT_EQ(SearchAndReplaceFastW(same.data(), nullptr, u"b", 3, 1), 0);
}

TEST(BareAssembReplace, CharactersBecomeSpaces) {
  std::u16string w = u"a\tb\x1f\x7f\u0120";
  ReplaceControlCharsBySpaceW(w.data(), w.size());
  EXPECT_EQ(w, u"a b \x7f\u0120");  // 0x120 has a control-range low byte but is no control
  ReplaceCharacterBySpaceW(w.data(), u'\u0120', w.size());
  EXPECT_EQ(w, u"a b \x7f ");

  std::string a = "a\tb\x01\xe9\x80";
  ReplaceControlCharsBySpaceA(a.data(), a.size());
  EXPECT_EQ(a, "a b \xe9\x80");  // bytes above 127 are not below 32
  std::string t = "x\ty\t";
  ReplaceTabsBySpace(t.data(), 2);
  EXPECT_EQ(t, "x y\t");
  ReplaceCharacterBySpace(t.data(), 'y', t.size());
  EXPECT_EQ(t, "x  \t");
}

TEST(BareAssembReplace, CarriageReturnTakesTheFollowingLineFeedOnly) {
  std::u16string w = u"a\r\nb\nc\r\r\n\r";
  ReplaceCarriageReturnsBySpaceW(w.data(), w.size());
  EXPECT_EQ(w, u"a  b\nc    ");
  std::string a = "a\r\nb\n";
  ReplaceCarriageReturnsBySpaceA(a.data(), 2);  // the LF lies beyond the length
  EXPECT_EQ(a, "a \nb\n");
}

TEST(BareAssembReplace, BlankAndZeroTheFirstCount) {
  std::u16string w = u"abcd";
  BlankOutSomeBytesW(w.data(), 2);
  EXPECT_EQ(w, u"  cd");
  ZeroSomeBytesW(w.data(), 3);
  EXPECT_EQ(w, std::u16string(u"\0\0\0d", 4));
  BlankOutSomeBytesW(w.data(), -1);
  ZeroSomeBytesW(w.data(), 0);
  EXPECT_EQ(w, std::u16string(u"\0\0\0d", 4));
  std::string a = "abc";
  BlankOutSomeBytesA(a.data(), 1);
  EXPECT_EQ(a, " bc");
}

TEST(BareAssembShorten, LengthConvertedToUnixDropsLineFeeds) {
  std::string a = "a\r\nb\n\nc#";
  EXPECT_EQ(LengthConvertedToUnix(a.data(), 7), 4);
  EXPECT_EQ(a.substr(0, 4), "a\rbc");
  EXPECT_EQ(LengthConvertedToUnix(a.data(), 0), 0);
}

TEST(BareAssembShorten, CutDoubleCRLFsW) {
  const std::u16string_view three = u"x\r\n\r\n\r\ny";
  auto buffer = exact_copy(three);
  CutDoubleCRLFsW(buffer.get(), three.size());
  EXPECT_EQ(up_to_zero(buffer, three.size() + 1), u"x\r\ny");  // shortened: terminator written

  const std::u16string_view single = u"a\r\nb";
  buffer = exact_copy(single);
  CutDoubleCRLFsW(buffer.get(), single.size());
  EXPECT_EQ(std::u16string_view(buffer.get(), 5), u"a\r\nb#");  // unchanged, no terminator

  // Only pairs wholly inside the length count; a CR alone between pairs breaks the run.
  const std::u16string_view cut = u"\r\n\r\r\n\r\n\r";
  buffer = exact_copy(cut);
  CutDoubleCRLFsW(buffer.get(), cut.size());
  EXPECT_EQ(up_to_zero(buffer, cut.size() + 1), u"\r\n\r\r\n\r");
}

TEST(BareAssembShorten, RemoveRedundantSpaceW) {
  for (const auto& [text, want] :
       {std::pair<std::u16string_view, std::u16string_view>{u"a  b", u"a b"},
        {u"a   ", u"a "},
        {u" a b ", u" a b "}}) {
    auto buffer = exact_copy(text);
    EXPECT_EQ(RemoveRedundantSpaceW(buffer.get(), text.size()), std::ssize(want)) << u8(text);
    EXPECT_EQ(up_to_zero(buffer, text.size() + 1), want);
  }
}

std::string cleared(std::string_view text, char open, char close) {
  auto buffer = exact_copy(text);
  ClearBetweenChars(buffer.get(), open, close, text.size());
  return up_to_zero(buffer, text.size() + 1);
}

TEST(BareAssembShorten, ClearBetweenChars) {
  EXPECT_EQ(cleared("a<b>c", '<', '>'), "ac");
  EXPECT_EQ(cleared("a<bc", '<', '>'), "abc");
  EXPECT_EQ(cleared("<<a>b<", '<', '>'), "b");  // a stretch ends at the first closer
  EXPECT_EQ(cleared("a>b<c>d<e", '<', '>'), "a>bde");
  EXPECT_EQ(cleared("a|b|c", '|', '|'), "abc");  // equal characters go one by one
  EXPECT_EQ(cleared("", '<', '>'), "#");         // length 0: untouched
}

std::string cleaned(std::string_view text, int longest, bool remove) {
  auto buffer = exact_copy(text);
  CleanBetweenChars(buffer.get(), '(', ')', text.size(), longest, remove);
  return up_to_zero(buffer, text.size() + 1);
}

TEST(BareAssembShorten, CleanBetweenChars) {
  EXPECT_EQ(cleaned("x(12)y", 4, true), "xy");
  EXPECT_EQ(cleaned("x(12)y", 4, false), "x    y");
  EXPECT_EQ(cleaned("x(12)y", 3, true), "x12)y");
  EXPECT_EQ(cleaned("x(12)y", 3, false), "x12)y");
  EXPECT_EQ(cleaned("(1)(2345)(6", 3, false), "   2345)6");
  EXPECT_EQ(cleaned("ab(c)", 100, true), "ab");      // window cut at the buffer's end
  EXPECT_EQ(cleaned("x(12)y", 0, true), "x(12)y#");  // invalid window: untouched
}

TEST(BareAssembCompare, HowFarEqualContents) {
  EXPECT_EQ(HowFarEqualContentsW(u"abc", u"abd", 3), 0);
  EXPECT_EQ(HowFarEqualContentsW(u"abc", u"xbc", 3), 2);
  EXPECT_EQ(HowFarEqualContentsW(u"abc", u"abc", 3), 0);
  EXPECT_EQ(HowFarEqualContentsA("abcde", "abXde", 5), 2);
  EXPECT_EQ(HowFarEqualContentsA("abc", "xyz", 0), 0);
  EXPECT_TRUE(EqualContentsW(u"abc", u"abd", 2));
  EXPECT_FALSE(EqualContentsW(u"abc", u"abd", 3));
  EXPECT_TRUE(EqualContentsA("a", "b", 0));
  EXPECT_FALSE(EqualContentsA("\xe9", "\xc9", 1));
}

TEST(BareAssembCompare, Checksums) {
  const unsigned char words[] = {0xFF, 0xFF, 0x02, 0x00};
  EXPECT_EQ(My2Checksum(words, 2), 1u);
  EXPECT_EQ(My2Checksum(words, 0), 0u);
  const unsigned char seven[] = {0x01, 0x02, 0x03, 0x04, 0xAA, 0xBB, 0xCC};
  EXPECT_EQ(My4Checksum(seven, 7), 0x04030201u);
  EXPECT_EQ(My4Checksum(seven, 3), 0u);
  const unsigned char wrap[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0};
  EXPECT_EQ(My4Checksum(wrap, 8), 1u);
}

TEST(BareAssembRearrange, Swap2Strings) {
  std::u16string s = u"abcXY";
  Swap2Strings(s.data(), 3, 2);
  EXPECT_EQ(s, u"XYabc");
  s = u"abXY";
  Swap2Strings(s.data(), 2, 2);  // two cycles
  EXPECT_EQ(s, u"XYab");
  s = u"abcdefXYZ";
  Swap2Strings(s.data(), 6, 3);  // three cycles of three
  EXPECT_EQ(s, u"XYZabcdef");
  s = u"abc";
  Swap2Strings(s.data(), 3, 0);
  EXPECT_EQ(s, u"abc");
  s = std::u16string(u"\0bc", 3);
  Swap2Strings(s.data(), 1, 2);  // a leading zero means: do nothing
  EXPECT_EQ(s, std::u16string(u"\0bc", 3));
}

TEST(BareAssembCase, CapitaliseABuffer) {
  const auto lower = ANSILower_or_upperStr_type::from("\xe9\xe0\xfc");
  const auto upper = ANSILower_or_upperStr_type::from("\xc9\xc0");  // shorter: k = 2
  std::string text = "caf\xe9 \xe0 \xfc{z}";
  CapitaliseABuffer(text.data(), lower, upper, text.size());
  EXPECT_EQ(text, "CAF\xc9 \xc0 \xfc{Z}");
}

TEST(BareAssembCase, CutLowercaseWords) {
  const auto lower = ANSILower_or_upperStr_type::from("\xe9");
  const auto upper = ANSILower_or_upperStr_type::from("\xc9");
  std::string text = "the Cat eBay \xe9t\xc9 x1y_z \xc9t\xe9";
  CutLowercaseWords(text.data(), lower, upper, text.size());
  EXPECT_EQ(text, "    Cat  Bay   \xc9  1 _  \xc9t\xe9");
  // The length byte is no letter: a list holding only its length prefix matches nothing.
  std::string one = "\x01";
  const ANSILower_or_upperStr_type empty{};
  CutLowercaseWords(one.data(), empty, empty, 1);
  EXPECT_EQ(one, "\x01");
}

TEST(BareAssembZeroWidth, JoinersAndNonJoiners) {
  const std::u16string text = u"a\u200Db\u200Cc";
  std::uint16_t types[] = {0x0101, 0x0000, 0x0101, 0x0000, 0x0101};
  SetZeroWidthJoinersToDefined(text.data(), types, text.size());
  SetZeroWidthNonJoinersToDefinedAlpha(text.data(), types, text.size());
  const std::uint16_t expected[] = {0x0101, 0x0200, 0x0101, 0x0300, 0x0101};
  EXPECT_TRUE(std::equal(std::begin(types), std::end(types), std::begin(expected)));
}

TEST(BareAssembMarks, ByteOrderMarks) {
  const unsigned char le[] = {0xFF, 0xFE, 'a', 0};
  const unsigned char be[] = {0xFE, 0xFF, 0, 'a'};
  const unsigned char none[] = {'a', 0, 'b', 0};
  EXPECT_EQ(UnicodeSigned(le), le);
  EXPECT_EQ(UnicodeSigned(be), be);
  EXPECT_EQ(UnicodeSigned(none), nullptr);
  EXPECT_EQ(UnicodeByteReversed(le), nullptr);
  EXPECT_EQ(UnicodeByteReversed(be), be);
  EXPECT_EQ(UnicodeSigned(nullptr), nullptr);
}

}  // namespace
}  // namespace corvane
