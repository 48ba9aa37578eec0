#include "corvane/rtl/System_text.hpp"

#include <gtest/gtest.h>

#include <unicode/uloc.h>

#include <string>

#include "corvane/rtl/StringList.hpp"

namespace corvane {
namespace {

// Puts back whatever decoder the test found.
class SystemTextTest : public ::testing::Test {
 protected:
  void TearDown() override { set_ansi_decoder(saved_); }
  TAnsiDecoder saved_ = set_ansi_decoder(nullptr);
};

TEST_F(SystemTextTest, BuiltInDecoderIsWindows1252) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string text = decode_ansi_text(all);
  ASSERT_EQ(text.size(), 256u);
  for (int b = 0; b < 0x80; ++b) EXPECT_EQ(text[b], b);
  for (int b = 0xA0; b < 0x100; ++b) EXPECT_EQ(text[b], b);
  EXPECT_EQ(text[0x80], u'\u20AC');
  EXPECT_EQ(text[0x8A], u'\u0160');
  EXPECT_EQ(text[0x99], u'\u2122');
  EXPECT_EQ(text[0x9F], u'\u0178');
  for (int gap : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(text[gap], gap);
}

bool as_question_marks(std::string_view bytes, std::u16string& out) {
  out.assign(bytes.size(), u'?');
  return true;
}
bool refusing(std::string_view, std::u16string& out) {
  out = u"junk";
  return false;
}

TEST_F(SystemTextTest, InstalledDecoderServesStringListsAndFallsBackWhenItFails) {
  EXPECT_EQ(set_ansi_decoder(&as_question_marks), nullptr);
  EXPECT_EQ(decode_text_bytes("a\xE9"), u"??");
  // A byte-order mark decides without asking the decoder.
  EXPECT_EQ(decode_text_bytes("\xEF\xBB\xBF\xC3\xA9"), u"\u00E9");

  EXPECT_EQ(set_ansi_decoder(&refusing), &as_question_marks);
  EXPECT_EQ(decode_text_bytes("a\x80"), u"a\u20AC");
}

TEST(DefaultLocale, PosixReadsAsUsEnglish) {
  const std::string saved = uloc_getDefault();
  UErrorCode status = U_ZERO_ERROR;
  uloc_setDefault("en_US_POSIX", &status);
  EXPECT_EQ(default_icu_locale(), "en_US");
  uloc_setDefault("de_AT", &status);
  EXPECT_EQ(default_icu_locale(), "de_AT");
  uloc_setDefault(saved.c_str(), &status);
}

}  // namespace
}  // namespace corvane
