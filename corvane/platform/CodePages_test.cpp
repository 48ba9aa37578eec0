#include "corvane/platform/CodePages.hpp"

#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include "corvane/rtl/StringList.hpp"

namespace corvane {
namespace {

TEST(CodePages, WindowsNumbersOpen) {
  for (int cp : {874,  932, 936, 949, 950,   1250,  1251,  1252,  1253,  1254,  1255,  1256,  1257,
                 1258, 437, 850, 866, 10000, 20127, 20866, 28591, 28605, 54936, 65000, 65001, 1200})
    EXPECT_TRUE(is_valid_code_page(cp)) << cp;
  EXPECT_FALSE(is_valid_code_page(12345));
  EXPECT_FALSE(is_valid_code_page(-1));
  EXPECT_EQ(icu_converter_name(CP_ACP), icu_converter_name(system_ansi_code_page()));
}

TEST(CodePages, Conversions) {
  std::u16string text;
  ASSERT_TRUE(code_page_to_utf16(1252, "caf\xE9 \x80", text));
  EXPECT_EQ(text, u"caf\u00E9 \u20AC");
  ASSERT_TRUE(code_page_to_utf16(1251, "\xCF\xF0\xE8", text));
  EXPECT_EQ(text, u"\u041F\u0440\u0438");
  ASSERT_TRUE(code_page_to_utf16(932, "\x82\xA0", text));
  EXPECT_EQ(text, u"\u3042");
  ASSERT_TRUE(code_page_to_utf16(65001, "\xF0\x9F\x98\x80", text));
  EXPECT_EQ(text, u"\U0001F600");
  ASSERT_TRUE(code_page_to_utf16(1252, "", text));
  EXPECT_EQ(text, u"");
  EXPECT_FALSE(code_page_to_utf16(12345, "abc", text));
  EXPECT_EQ(text, u"");

  std::string bytes;
  ASSERT_TRUE(utf16_to_code_page(1252, u"\u00E9\u20AC\u4E2D", bytes));
  EXPECT_EQ(bytes[0], '\xE9');
  EXPECT_EQ(bytes[1], '\x80');
  EXPECT_EQ(bytes.substr(2), "?");  // the ideograph cannot be held
  ASSERT_TRUE(utf16_to_code_page(932, u"a\u00E9", bytes));
  EXPECT_EQ(bytes, "a?");
  CodePageConverter c(1253);
  ASSERT_TRUE(c.ok());
  ASSERT_TRUE(c.from_utf16(u"\u03B1\u03B2", bytes));
  EXPECT_EQ(bytes, "\xE1\xE2");
  ASSERT_TRUE(c.to_utf16(bytes, text));  // the converter is reusable
  EXPECT_EQ(text, u"\u03B1\u03B2");
}

TEST(CodePages, SystemCodePageIsConfigurable) {
  const int before = system_ansi_code_page();
  EXPECT_TRUE(set_system_ansi_code_page(1251));
  EXPECT_EQ(system_ansi_code_page(), 1251);
  EXPECT_FALSE(set_system_ansi_code_page(12345));
  EXPECT_EQ(system_ansi_code_page(), 1251);
  EXPECT_TRUE(set_system_ansi_code_page(0));
  EXPECT_EQ(system_ansi_code_page(), before);
}

TEST(CodePages, StringListsReadEightBitTextInTheSystemCodePage) {
  ASSERT_TRUE(set_system_ansi_code_page(1251));
  EXPECT_EQ(decode_text_bytes("\xC0\xFF"), u"\u0410\u044F");
  ASSERT_TRUE(set_system_ansi_code_page(1253));
  EXPECT_EQ(decode_text_bytes("\xE1"), u"\u03B1");
  set_system_ansi_code_page(0);
}

TEST(CodePages, LocaleDefaults) {
  const std::pair<TLCID, int> known[] = {
      {0x0409, 1252}, {0x0405, 1250}, {0x0419, 1251}, {0x0411, 932},  {0x0C04, 950},
      {0x0439, 0},    {0x081A, 1250}, {0x0C1A, 1251}, {0x042C, 1254}, {0x082C, 1251}};
  for (auto [lcid, cp] : known) {
    int got = -5;
    EXPECT_TRUE(lcid_default_ansi_code_page(lcid, got)) << std::hex << lcid;
    EXPECT_EQ(got, cp) << std::hex << lcid;
  }
  int got = -5;
  EXPECT_FALSE(lcid_default_ansi_code_page(0x7FFF, got));
  EXPECT_FALSE(locale_default_ansi_code_page("xx_YY", got));
  EXPECT_EQ(got, -5);
}

TEST(CodePages, EveryLocaleWithAnLcidHasADefault) {
  for (TLCID id = 1; id < 0x100000; ++id) {
    std::string name;
    if (id == kLocaleInvariant || id == kLocaleUserDefault || id == kLocaleSystemDefault) continue;
    if (!icu_locale_for_lcid(id, name)) continue;
    int cp = -1;
    EXPECT_TRUE(locale_default_ansi_code_page(name, cp)) << name;
  }
  for (int i = 0; i < uloc_countAvailable(); ++i) {
    const char* name = uloc_getAvailable(i);
    if (!lcid_for_icu_locale(name)) continue;
    int cp = -1;
    EXPECT_TRUE(locale_default_ansi_code_page(name, cp)) << name;
  }
}

}  // namespace
}  // namespace corvane
