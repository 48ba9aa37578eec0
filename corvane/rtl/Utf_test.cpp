#include "corvane/rtl/Utf.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Utf, RoundTripsAllPlanes) {
  const std::string text = "a\xC3\xAF\xE2\x82\xAC\xF0\x9F\x98\x80z";  // a ï € 😀 z
  const std::u16string wide = utf8_to_utf16(text);
  EXPECT_EQ(wide, (std::u16string{u'a', 0x00EF, 0x20AC, 0xD83D, 0xDE00, u'z'}));
  EXPECT_EQ(utf16_to_utf8(wide), text);
}

TEST(Utf, IllFormedInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8_to_utf16("\xC3"), u"\uFFFD");          // truncated sequence
  EXPECT_EQ(utf8_to_utf16("\xC0\xAF"), u"\uFFFD");      // overlong
  EXPECT_EQ(utf8_to_utf16("\xED\xA0\x80"), u"\uFFFD");  // encoded surrogate
  EXPECT_EQ(utf8_to_utf16("\xFFx"), u"\uFFFDx");        // impossible byte
  EXPECT_EQ(utf8_to_utf16("\xE2\x82x"), u"\uFFFDx");    // cut short before an ASCII byte
  EXPECT_EQ(utf16_to_utf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(Utf, AppendingKeepsWhatIsThereAndMatchesTheWholeDecode) {
  // Long ASCII stretches (read eight bytes at a time) around and between other sequences.
  const std::string text =
      "0123456789abcdef\xD0\xA1nineteen bytes long\xF0\x9F\x98\x80\xE2\x82tail of it";
  std::u16string out = u"kept:";
  append_utf8_as_utf16(out, text);
  EXPECT_EQ(out, u"kept:" + utf8_to_utf16(text));
  EXPECT_EQ(out, u"kept:0123456789abcdef\u0421nineteen bytes long\U0001F600\uFFFDtail of it");
  append_utf8_as_utf16(out, "");
  EXPECT_EQ(out.size(), 5 + 16 + 1 + 19 + 2 + 1 + 10);
}

}  // namespace
}  // namespace corvane
