#include "corvane/platform/CharTypes.hpp"

#include <unicode/uchar.h>

namespace corvane {

std::uint16_t char_type1_of_code_point(char32_t c) noexcept {
  if (c > 0x10FFFF) return 0;
  const UChar32 cp = static_cast<UChar32>(c);
  const int8_t category = u_charType(cp);
  if (category == U_UNASSIGNED) return 0;
  const uint32_t mask = U_MASK(category);
  std::uint16_t w = C1_DEFINED;
  if (u_hasBinaryProperty(cp, UCHAR_UPPERCASE) || category == U_TITLECASE_LETTER) w |= C1_UPPER;
  if (u_hasBinaryProperty(cp, UCHAR_LOWERCASE)) w |= C1_LOWER;
  if (category == U_DECIMAL_DIGIT_NUMBER || category == U_OTHER_NUMBER) w |= C1_DIGIT;
  if (u_hasBinaryProperty(cp, UCHAR_WHITE_SPACE)) w |= C1_SPACE;
  if (mask & (U_GC_P_MASK | U_GC_S_MASK)) w |= C1_PUNCT;
  if (category == U_CONTROL_CHAR) w |= C1_CNTRL;
  if (cp == 0x09 || category == U_SPACE_SEPARATOR) w |= C1_BLANK;
  if (u_hasBinaryProperty(cp, UCHAR_HEX_DIGIT)) w |= C1_XDIGIT;
  if (u_hasBinaryProperty(cp, UCHAR_ALPHABETIC)) w |= C1_ALPHA;
  return w;
}

void char_types1(std::u16string_view text, std::uint16_t* out) noexcept {
  const std::uint16_t* t = char_type1_table();
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = t[text[i]];
}

namespace detail {

alignas(64) std::uint16_t char_type1_words[65536];

namespace {

struct CharType1Builder {
  CharType1Builder() {
    for (char32_t c = 0; c < 0x10000; ++c) char_type1_words[c] = char_type1_of_code_point(c);
  }
};

// Priority 101 is the first the toolchain allows to user code: the table is ready before
// any other static initialiser of the library could read it.
__attribute__((init_priority(101))) const CharType1Builder char_type1_builder;

}  // namespace
}  // namespace detail

}  // namespace corvane
