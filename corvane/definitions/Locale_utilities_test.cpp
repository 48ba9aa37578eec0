#include "corvane/definitions/Locale_utilities.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "corvane/definitions/My_lang_rec_holder.hpp"
#include "corvane/platform/Locales.hpp"

namespace corvane {
namespace {

TEST(LocaleUtilities, NamesCodePagesAndCurrencies) {
  EXPECT_EQ(EnglishLanguageNameFromLCID(0x0407), u"German");
  EXPECT_EQ(LocalLanguageNameFromLCID(0x0407), u"Deutsch");
  EXPECT_EQ(CountryFromLCID(0x0C07), u"Austria");
  EXPECT_EQ(CurrencyFromLCID(0x0809), u"\u00a3");
  EXPECT_EQ(WindowsCodepageFromLCID(0x0419), 1251);
  EXPECT_EQ(DOSCodepageFromLCID(0x0419), 866);
  EXPECT_EQ(DOSCodepageFromLCID(0x0409), 437);
  EXPECT_EQ(DOSCodepageFromLCID(0x0809), 850);
  EXPECT_EQ(DOSCodepageFromLCID(0x0411), 932);
  EXPECT_EQ(WindowsCodepageFromLCID(0x0439), 0);  // Hindi: no 8-bit page
  // Unknown locales: empty texts, code page 0.
  EXPECT_EQ(EnglishLanguageNameFromLCID(0x0FFF), u"");
  EXPECT_EQ(WindowsCodepageFromLCID(0x0FFF), 0);
}

TEST(LocaleUtilities, AllCurrenciesOfALanguageEachOnce) {
  const std::vector<std::uint32_t> all = {0x0809, 0x0409, 0x0C09, 0x0407};
  EXPECT_EQ(LCIDAllCurrencyString(0x0409, all), u"\u00a3,$");
  EXPECT_EQ(LCIDAllCurrencyString(0x0407, all), u"\u20ac");
  EXPECT_EQ(LCIDAllCurrencyString(0x0419, all), u"");
}

TEST(LocaleUtilities, SubVarietiesCarryTheirIdentifiers) {
  const std::vector<std::uint32_t> all = {0x0407, 0x0409, 0x0C07, 0x0807, 0x0407};
  const auto list = LCIDSubVarieties(0x0407, all);
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Get(0), u"Germany");
  EXPECT_EQ(list->Get(1), u"Austria");
  EXPECT_EQ(static_cast<TLCIDHolder*>(list->GetObject(2))->lcid, 0x0807u);
}

TEST(LocaleUtilities, ReplaceableQuery) {
  const TGetLocaleDataProc saved = GetLocaleDataProc;
  GetLocaleDataProc = [](std::uint32_t, std::uint32_t info) -> std::u16string {
    return info == 0x1004 ? u"12x" : u"q";
  };
  EXPECT_EQ(WindowsCodepageFromLCID(0x0409), 0);  // not a number
  EXPECT_EQ(CountryFromLCID(0x0409), u"q");
  GetLocaleDataProc = nullptr;
  EXPECT_EQ(CountryFromLCID(0x0409), u"United States");
  GetLocaleDataProc = saved;
}

TEST(LocaleUtilities, ScriptNeedsAndNames) {
  EXPECT_TRUE(LanguageRequiresUnicode(0x0804));
  EXPECT_TRUE(LanguageRequiresUnicode(0x042A));
  EXPECT_FALSE(LanguageRequiresUnicode(0x0409));
  EXPECT_TRUE(LanguageHasCombiningCharacters(0x046A));
  EXPECT_TRUE(LanguageHasCombiningCharacters(0x0439));
  EXPECT_FALSE(LanguageHasCombiningCharacters(0x0411));
  EXPECT_EQ(SysLanguageVariantName(u"English (United States)"), u"United States");
  EXPECT_EQ(SysLanguageVariantName(u" Plain (x) "), u"x");
  EXPECT_EQ(SysLanguageVariantName(u"Odd(one)"), u"Oddone");
  EXPECT_EQ(ShortenedSysLanguageName(u"English (United States)"), u"English");
  EXPECT_EQ(ShortenedSysLanguageName(u"Deutsch"), u"Deutsch");
}

TEST(LocaleUtilities, EveryIdentifierIcuKnows) {
  const std::vector<TLCID>& all = all_locale_lcids();
  ASSERT_GT(all.size(), 200u);
  EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
  EXPECT_TRUE(std::binary_search(all.begin(), all.end(), 0x0409u));
  EXPECT_FALSE(std::binary_search(all.begin(), all.end(), kLocaleUserDefault));
  for (TLCID id : all) EXPECT_EQ(lcid_for_icu_locale(icu_locale_or_root(id)), id) << id;
}

TEST(LanguageHolders, SettersAndOwnedNames) {
  TCVDefinedLanguageHolder h(fixed_lang_details_rec32{}, 7);
  EXPECT_TRUE(h.SetAllowables(u"'-abcdefghijk"));
  EXPECT_EQ(TenWideCharTostring(h.data.allowable_middle_letters), u"'-abcdefgh");
  EXPECT_TRUE(h.SetWinFontName(u"DejaVu Sans"));
  EXPECT_TRUE(h.SetWinFontSize(12));
  EXPECT_TRUE(h.SetCustomLanguage(true));
  EXPECT_TRUE(h.SetPreference(lang_rank_2));
  EXPECT_TRUE(h.SetHyphenBreaks(true));
  EXPECT_EQ(WideCharFieldToString(h.data.new_win_font.fontname), u"DejaVu Sans");
  EXPECT_EQ(h.data.new_win_font.fontsize, 12);
  EXPECT_TRUE(h.data.custom_language && h.data.hyphen_breaks_word);
  EXPECT_EQ(h.data.preference, lang_rank_2);
  EXPECT_EQ(h.versionNumber, 7);
  TListOfAllNamesStringlist names;
  names.AddLang({u"Welsh", 0x0452, true});
  EXPECT_EQ(names.LangHolder(0)->data.FLCID, 0x0452u);
  EXPECT_EQ(names.LangHolder(1), nullptr);
}

}  // namespace
}  // namespace corvane
