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

}  // namespace corvane
