#include <gtest/gtest.h>

#include "corvane/platform/CodePages.hpp"
#include "corvane/platform/Locales.hpp"

namespace corvane {
namespace {

TEST(LocaleInfo, FactsByNumber) {
  EXPECT_EQ(locale_info_text(0x0C07, kLocaleEnglishCountryName), u"Austria");
  EXPECT_EQ(locale_info_text(0x0C07, kLocaleIso639Name), u"de");
  EXPECT_EQ(locale_info_text(0x0C07, kLocaleIso3166Name), u"AT");
  EXPECT_EQ(locale_info_text(0x0411, kLocaleNativeLanguageName), u"\u65e5\u672c\u8a9e");
  EXPECT_EQ(locale_info_text(0x0411, kLocaleCurrencySymbol), u"\uffe5");
  EXPECT_EQ(locale_info_text(0x0411, kLocaleAnsiCodePage), u"932");
  EXPECT_EQ(locale_info_text(0x0009, kLocaleCurrencySymbol), u"$");  // English: the likely U.S.
  EXPECT_EQ(locale_info_text(0x0009, kLocaleEnglishCountryName), u"");
  EXPECT_EQ(locale_info_text(0x0409, 0x9999), u"");
  EXPECT_EQ(locale_info_text(0x0FFF, kLocaleEnglishLanguageName), u"");
}

TEST(LocaleInfo, OemCodePagesBesideTheAnsiOnes) {
  const struct {
    const char* locale;
    int oem;
  } cases[] = {{"en_US", 437}, {"en", 437},    {"en_GB", 850},  {"fr_FR", 850}, {"pl_PL", 852},
               {"ru_RU", 866}, {"el_GR", 737}, {"tr_TR", 857},  {"he_IL", 862}, {"ar_EG", 720},
               {"lt_LT", 775}, {"ja_JP", 932}, {"vi_VN", 1258}, {"hi_IN", 1}};
  for (const auto& c : cases) {
    int cp = -5;
    EXPECT_TRUE(locale_default_oem_code_page(c.locale, cp)) << c.locale;
    EXPECT_EQ(cp, c.oem) << c.locale;
  }
  int cp = -5;
  EXPECT_FALSE(locale_default_oem_code_page("xx_QQ", cp));
  EXPECT_EQ(cp, -5);
  // Every known identifier has both code pages.
  for (TLCID id : all_locale_lcids()) {
    int ansi = 0, oem = 0;
    EXPECT_TRUE(lcid_default_ansi_code_page(id, ansi) && lcid_default_oem_code_page(id, oem))
        << std::hex << id;
  }
}

}  // namespace
}  // namespace corvane
