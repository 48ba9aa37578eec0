// Facts about a locale as the national-language service gives them, from ICU's data, and
// the list of every identifier ICU knows.
#include <unicode/ucurr.h>
#include <unicode/uloc.h>

#include <array>

#include "corvane/platform/CodePages.hpp"
#include "corvane/platform/Locales.hpp"

namespace corvane {

namespace {

using Getter = int32_t (*)(const char*, const char*, UChar*, int32_t, UErrorCode*);

// A display name of the locale in the display locale (ICU's own texts, no fallback to
// codes: a locale ICU cannot name in that language answers its code, which we pass on).
std::u16string display(Getter get, const std::string& locale, const char* in) {
  std::array<UChar, 1024> buf{};
  UErrorCode err = U_ZERO_ERROR;
  const int32_t n = get(locale.c_str(), in, buf.data(), buf.size(), &err);
  if (U_FAILURE(err) || n <= 0 || n > static_cast<int32_t>(buf.size())) return {};
  return std::u16string(buf.data(), buf.data() + n);
}

std::string part(int32_t (*get)(const char*, char*, int32_t, UErrorCode*),
                 const std::string& locale) {
  std::array<char, ULOC_FULLNAME_CAPACITY> buf{};
  UErrorCode err = U_ZERO_ERROR;
  const int32_t n = get(locale.c_str(), buf.data(), buf.size(), &err);
  if (U_FAILURE(err) || n <= 0 || n >= static_cast<int32_t>(buf.size())) return {};
  return std::string(buf.data(), n);
}

// The currency symbol of the locale in the locale's own language. A locale without a
// country takes the currency of its likely one ("en" that of "en_Latn_US").
std::u16string currency_symbol(const std::string& locale) {
  std::string where = locale;
  if (part(uloc_getCountry, locale).empty()) {
    std::array<char, ULOC_FULLNAME_CAPACITY> full{};
    UErrorCode err = U_ZERO_ERROR;
    const int32_t n = uloc_addLikelySubtags(locale.c_str(), full.data(), full.size(), &err);
    if (U_FAILURE(err) || n <= 0 || n >= static_cast<int32_t>(full.size())) return {};
    where.assign(full.data(), n);
  }
  std::array<UChar, 4> code{};
  UErrorCode err = U_ZERO_ERROR;
  ucurr_forLocale(where.c_str(), code.data(), code.size(), &err);
  if (U_FAILURE(err) || code[0] == 0) return {};
  UBool is_choice = false;
  int32_t length = 0;
  err = U_ZERO_ERROR;
  const UChar* name =
      ucurr_getName(code.data(), locale.c_str(), UCURR_SYMBOL_NAME, &is_choice, &length, &err);
  if (U_FAILURE(err) || name == nullptr || length <= 0) return {};
  return std::u16string(name, name + length);
}

std::u16string number_text(int n) {
  const std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

}  // namespace

const std::vector<TLCID>& all_locale_lcids() {
  static const std::vector<TLCID> all = [] {
    std::vector<TLCID> ids;
    std::array<char, ULOC_FULLNAME_CAPACITY> buf{};
    // Language (bits 0-9), sub-language (10-15) and sort order (16-19).
    for (TLCID id = 1; id <= 0xFFFFF; ++id) {
      if (id == kLocaleInvariant || id == kLocaleUserDefault || id == kLocaleSystemDefault)
        continue;
      UErrorCode err = U_ZERO_ERROR;
      const int32_t n = uloc_getLocaleForLCID(id, buf.data(), buf.size(), &err);
      if (U_FAILURE(err) || n <= 0 || n >= static_cast<int32_t>(buf.size())) continue;
      // ICU answers an unknown sub-language with its language: keep exact matches only.
      if (uloc_getLCID(buf.data()) == id) ids.push_back(id);
    }
    return ids;
  }();
  return all;
}

std::u16string locale_info_text(TLCID lcid, std::uint32_t info) {
  std::string locale;
  if (!icu_locale_for_lcid(lcid, locale)) return {};
  int code_page = 0;
  switch (info) {
    case kLocaleNativeLanguageName:
      return display(uloc_getDisplayLanguage, locale, locale.c_str());
    case kLocaleEnglishLanguageName:
      return display(uloc_getDisplayLanguage, locale, "en");
    case kLocaleEnglishCountryName:
      return display(uloc_getDisplayCountry, locale, "en");
    case kLocaleCurrencySymbol:
      return currency_symbol(locale);
    case kLocaleIso639Name: {
      const std::string s = part(uloc_getLanguage, locale);
      return std::u16string(s.begin(), s.end());
    }
    case kLocaleIso3166Name: {
      const std::string s = part(uloc_getCountry, locale);
      return std::u16string(s.begin(), s.end());
    }
    case kLocaleOemCodePage:
      return locale_default_oem_code_page(locale, code_page) ? number_text(code_page)
                                                             : std::u16string();
    case kLocaleAnsiCodePage:
      return locale_default_ansi_code_page(locale, code_page) ? number_text(code_page)
                                                              : std::u16string();
    default:
      return {};
  }
}

}  // namespace corvane
