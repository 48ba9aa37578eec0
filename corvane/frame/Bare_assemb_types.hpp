#pragma once
// The short 8-bit string type of the buffer routines' case tables.

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace corvane {

// A length-prefixed 8-bit string of at most 128 characters, laid out as the length byte
// followed by the characters. The case routines of Bare_assemb take two of them: the extra
// lower-case letters of an 8-bit code page and, at the same positions, their upper-case
// forms. A length byte above 128 (read from damaged data) counts as 128.
struct ANSILower_or_upperStr_type {
  static constexpr int max_length = 128;

  std::uint8_t length_byte = 0;
  char chars[max_length] = {};

  // The text cut to 128 characters.
  static ANSILower_or_upperStr_type from(std::string_view text) {
    ANSILower_or_upperStr_type s;
    const auto n = std::min<std::size_t>(text.size(), max_length);
    std::copy_n(text.data(), n, s.chars);
    s.length_byte = static_cast<std::uint8_t>(n);
    return s;
  }
  int length() const { return std::min<int>(length_byte, max_length); }
  std::string_view view() const { return {chars, static_cast<std::size_t>(length())}; }
};

}  // namespace corvane
