#pragma once
// The user's default number and date formats, from the locale data of the default locale
// (taken from the environment: LC_ALL, LC_NUMERIC/LC_TIME, LANG).
//
// ICU date patterns are turned into the runtime's format letters: years become "yyyy",
// months m..mmmm, weekdays ddd/dddd, minutes n/nn, milliseconds z/zzz, day periods AMPM;
// eras and time zones are dropped. The short date's separator becomes DateSeparator (and
// "/" in ShortDateFormat), the time pattern's becomes TimeSeparator (and ":").

#include <string>
#include <string_view>

#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

TFormatSettings user_default_format_settings();

// The settings of an ICU locale such as "de_DE" or "ja_JP". An unknown locale gets ICU's
// fallback (root) data.
TFormatSettings format_settings_for_locale(const char* icu_locale);

namespace detail {
// Converts an ICU date or time pattern. `date_separator`/`time_separator`, when not 0, are
// the characters that stand for the runtime's "/" and ":" in this pattern.
std::u16string icu_pattern_to_format(std::u16string_view pattern, char16_t date_separator,
                                     char16_t time_separator);
// The first separator character after the first field of a pattern, or `fallback`.
char16_t pattern_separator(std::u16string_view pattern, char16_t fallback);
}  // namespace detail

}  // namespace corvane
