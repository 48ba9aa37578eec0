#include "corvane/platform/Locales.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Locales, LcidToIcuAndBack) {
  std::string name;
  ASSERT_TRUE(icu_locale_for_lcid(0x041F, name));
  EXPECT_EQ(name, "tr_TR");
  ASSERT_TRUE(icu_locale_for_lcid(0x0C07, name));
  EXPECT_EQ(name, "de_AT");
  ASSERT_TRUE(icu_locale_for_lcid(0x081A, name));
  EXPECT_EQ(name, "sr_Latn_CS");
  EXPECT_EQ(lcid_for_icu_locale("de_AT"), 0x0C07u);
  EXPECT_EQ(lcid_for_icu_locale("en_GB"), 0x0809u);
  EXPECT_EQ(lcid_for_icu_locale("ja-JP"), 0x0411u);  // BCP 47 spelling accepted
  EXPECT_EQ(lcid_for_icu_locale(""), 0u);
  EXPECT_EQ(lcid_for_icu_locale("xx_YY"), 0u);
}

TEST(Locales, PlaceholdersAndUnknowns) {
  std::string name = "kept";
  EXPECT_FALSE(icu_locale_for_lcid(0x7FFF, name));
  EXPECT_EQ(name, "kept");
  ASSERT_TRUE(icu_locale_for_lcid(kLocaleInvariant, name));
  EXPECT_EQ(name, "");
  ASSERT_TRUE(icu_locale_for_lcid(kLocaleUserDefault, name));
  EXPECT_EQ(name, default_icu_locale());
  EXPECT_EQ(icu_locale_or_root(0x7FFF), "");
  EXPECT_NE(default_lcid(), 0u);
}

TEST(Locales, ScriptsAndMeasurement) {
  EXPECT_EQ(locale_language("sr_Latn_RS"), "sr");
  EXPECT_EQ(locale_script("sr_RS"), "Cyrl");
  EXPECT_EQ(locale_script("sr_Latn_RS"), "Latn");
  EXPECT_EQ(locale_script("zh_TW"), "Hant");
  EXPECT_EQ(locale_measurement_system(0x0409), 1);  // en-US
  EXPECT_EQ(locale_measurement_system(0x0407), 0);  // de-DE
  EXPECT_EQ(locale_measurement_system(0x7FFF), -1);
}

}  // namespace
}  // namespace corvane
