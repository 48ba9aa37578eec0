#pragma once
// Locale identifiers (the 32-bit LCIDs that settings and language records store) and the
// ICU locales they stand for.
//
// An LCID holds a language (bits 0-9), a sub-language (bits 10-15) and a sort order
// (bits 16-19). Four values are placeholders rather than locales: 0 (neutral), 0x0400
// (the user's default), 0x0800 (the system default) and 0x007F (invariant). The first
// three stand for the default locale of the environment, the invariant one for ICU's root
// locale.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/rtl/System_text.hpp"  // default_icu_locale

namespace corvane {

using TLCID = std::uint32_t;

inline constexpr TLCID kLocaleNeutral = 0x0000;
inline constexpr TLCID kLocaleInvariant = 0x007F;
inline constexpr TLCID kLocaleUserDefault = 0x0400;
inline constexpr TLCID kLocaleSystemDefault = 0x0800;

// The ICU locale name ("tr_TR", "sr_Latn_RS") of an LCID. The placeholders resolve as
// described above (the invariant one to "", ICU's root). An LCID that names no locale
// gives false and leaves `name` unchanged.
bool icu_locale_for_lcid(TLCID lcid, std::string& name);

// The same, with ICU's root locale ("") for an LCID that names no locale. For callers
// that must go on whatever they are given.
std::string icu_locale_or_root(TLCID lcid);

// The LCID of an ICU locale name ("de_AT" -> 0x0C07; "de" -> 0x0407); 0 when ICU knows
// no identifier for it.
TLCID lcid_for_icu_locale(std::string_view name);

// The LCID of the environment's default locale (0x0409 when it has none).
TLCID default_lcid();

// The language part of a locale name ("sr_Latn_RS" -> "sr"), and its script, explicit or
// likely ("sr_RS" -> "Cyrl", "sr_Latn_RS" -> "Latn", "en" -> "Latn").
std::string locale_language(std::string_view name);
std::string locale_script(std::string_view name);

// The measurement system of a locale: 0 metric, 1 U.S., 2 U.K. (ICU's values); -1 when
// the LCID names no locale or the locale data cannot be read.
int locale_measurement_system(TLCID lcid);

// Every LCID that ICU maps to a locale and back to itself, ascending; the placeholders
// are not among them. Worked out once, on first use.
const std::vector<TLCID>& all_locale_lcids();

// The locale facts that locale_info_text answers, by the national-language service's
// numbers for them.
inline constexpr std::uint32_t kLocaleNativeLanguageName = 2;        // "Deutsch"
inline constexpr std::uint32_t kLocaleOemCodePage = 11;              // "850"
inline constexpr std::uint32_t kLocaleCurrencySymbol = 20;           // "€"
inline constexpr std::uint32_t kLocaleIso639Name = 0x59;             // "de"
inline constexpr std::uint32_t kLocaleIso3166Name = 0x5A;            // "DE"
inline constexpr std::uint32_t kLocaleEnglishLanguageName = 0x1001;  // "German"
inline constexpr std::uint32_t kLocaleEnglishCountryName = 0x1002;   // "Germany"
inline constexpr std::uint32_t kLocaleAnsiCodePage = 0x1004;         // "1252"

// One fact about a locale as text, from ICU's data (code pages from our tables, in
// decimal). Empty for an LCID that names no locale, a number not listed above, or a fact
// the locale lacks (a language without a country has no country name). The placeholders
// answer for the environment's locale.
std::u16string locale_info_text(TLCID lcid, std::uint32_t info);

}  // namespace corvane
