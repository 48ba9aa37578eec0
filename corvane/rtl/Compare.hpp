#pragma once
// Locale-aware comparison of two strings, as the string list sorts and finds them.

#include <string_view>

namespace corvane {

// Compares a and b with the collator of the default locale (default_icu_locale: ICU's
// default from the environment, the C/POSIX locale read as en_US):
// secondary strength when not case_sensitive (case differences ignored, accents not),
// tertiary when case_sensitive. Returns -1, 0 or 1. The collators are opened once per
// thread and reopened when the default locale changes.
int compare_strings(std::u16string_view a, std::u16string_view b, bool case_sensitive);

}  // namespace corvane
