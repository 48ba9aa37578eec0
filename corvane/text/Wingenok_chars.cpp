// Character classes and the locale services of Wingenok: digits, case per locale and
// locale-free, default code pages, measurement systems.

#include <unicode/uchar.h>
#include <cstring>

#include "corvane/platform/CaseMapping.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/platform/CodePages.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

bool IsOrdinaryNumberChar(char16_t c) noexcept {
  return c >= u'0' && c <= u'9';
}

bool IsADigitChar(char16_t c) noexcept {
  // Decimal digits only: the class table also counts other numbers (superscripts,
  // fractions) as digits.
  if (c < 0x80) return c >= u'0' && c <= u'9';
  return (char_type1(c) & C1_DIGIT) != 0 && u_charType(c) == U_DECIMAL_DIGIT_NUMBER;
}

std::u16string Lowercase(TLCID locale, std::u16string_view s) {
  return to_lower_for_locale(icu_locale_or_root(locale), s);
}

std::u16string Uppercase(TLCID locale, std::u16string_view s) {
  return to_upper_for_locale(icu_locale_or_root(locale), s);
}

std::u16string Lowercase(std::u16string_view s) {
  return simple_lower(s);
}

std::u16string Uppercase(std::u16string_view s) {
  return simple_upper(s);
}

namespace {

int map_in_place(TLCID locale, char16_t* p, bool upper) {
  if (!p) return 0;
  std::string name;
  if (!icu_locale_for_lcid(locale, name)) return 0;
  std::size_t n = std::char_traits<char16_t>::length(p);
  if (n >= static_cast<std::size_t>(INT32_MAX)) return 0;
  if (upper)
    to_upper_in_place_for_locale(name, p, n);
  else
    to_lower_in_place_for_locale(name, p, n);
  return static_cast<int>(n + 1);
}

}  // namespace

int LowercaseIt(TLCID locale, char16_t* p) {
  return map_in_place(locale, p, false);
}

int UppercaseIt(TLCID locale, char16_t* p) {
  return map_in_place(locale, p, true);
}

int CodePageFromLocale(TLCID lcid) {
  int cp = 0;
  if (lcid_default_ansi_code_page(lcid, cp)) return cp;
  return system_ansi_code_page();
}

int LCIDToCodePage(TLCID lcid) {
  return CodePageFromLocale(lcid);
}

bool UserDefaultMeasurements(TLCID lcid) {
  return locale_measurement_system(lcid) != 1;
}

}  // namespace corvane
