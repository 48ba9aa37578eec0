#pragma once
// Conversions between UTF-8 (the outside world: command line, file names, what())
// and UTF-16 (every text inside the library). Ill-formed input never fails: each
// bad sequence or lone surrogate becomes U+FFFD.

#include <string>
#include <string_view>

namespace corvane {

std::u16string utf8_to_utf16(std::string_view utf8);
// The same, appended to `out`. An ASCII byte is never taken into a bad sequence, so text
// cut at ASCII bytes decodes piece by piece exactly as it does whole.
void append_utf8_as_utf16(std::u16string& out, std::string_view utf8);
std::string utf16_to_utf8(std::u16string_view utf16);

// Short spellings for tests and literals: u16("naïve"), u8(text).
inline std::u16string u16(std::string_view utf8) {
  return utf8_to_utf16(utf8);
}
inline std::string u8(std::u16string_view utf16) {
  return utf16_to_utf8(utf16);
}

}  // namespace corvane
