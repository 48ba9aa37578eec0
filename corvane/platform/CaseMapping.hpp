#pragma once
// Case mapping, per locale and locale-free.
//
// Per locale, the full Unicode mapping with the locale's own rules, through ICU: Turkish
// and Azeri dotted and dotless i, Lithuanian dot-above retention, Greek final sigma on
// lower-casing, and one-to-many mappings such as German sharp s upper-cased to "SS".
//
// Locale-free, the Unicode simple mapping: one code point to one code point, so a string
// keeps its length (sharp s stays sharp s in upper case; capital sigma always becomes
// U+03C3).

#include <cstddef>
#include <string>
#include <string_view>

#include "corvane/platform/Locales.hpp"

namespace corvane {

// Full mapping with the rules of the ICU locale `locale` ("" for the root locale). On an
// ICU failure (which only memory exhaustion could cause) the text is returned unchanged.
std::u16string to_lower_for_locale(std::string_view locale, std::u16string_view text);
std::u16string to_upper_for_locale(std::string_view locale, std::u16string_view text);

// In place and length-preserving, with the rules of `locale` wherever they keep the
// length: each change of the full mapping that would alter the length (sharp s to "SS",
// capital I with dot above to i and a combining dot outside Turkish) falls back to the
// simple mapping of the characters concerned. So Turkish "I" still lower-cases to U+0131
// and a final capital sigma still becomes U+03C2.
void to_lower_in_place_for_locale(std::string_view locale, char16_t* text, std::size_t n);
void to_upper_in_place_for_locale(std::string_view locale, char16_t* text, std::size_t n);

// The simple mapping of one code unit. Surrogate halves map to themselves.
char16_t simple_lower(char16_t c) noexcept;
char16_t simple_upper(char16_t c) noexcept;

// The simple mapping of a string, code point by code point (surrogate pairs are mapped as
// the character they make; lone halves stay).
std::u16string simple_lower(std::u16string_view text);
std::u16string simple_upper(std::u16string_view text);

}  // namespace corvane
