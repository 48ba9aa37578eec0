#include "corvane/platform/CharTypes.hpp"

#include <unicode/uchar.h>
#include <unicode/uset.h>

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

// The table is built from ICU's ranges (the general-category runs, then the sets of the
// binary properties) rather than one code point at a time: a few thousand ranges instead
// of 65,536 lookups of six properties each, which shortens every program's start. It
// equals char_type1_of_code_point code point by code point (a test checks all of them).
UBool category_range(const void*, UChar32 start, UChar32 limit, UCharCategory category) {
  if (start >= 0x10000 || category == U_UNASSIGNED) return true;
  limit = limit > 0x10000 ? 0x10000 : limit;
  const uint32_t mask = U_MASK(category);
  std::uint16_t w = C1_DEFINED;
  if (category == U_TITLECASE_LETTER) w |= C1_UPPER;
  if (category == U_DECIMAL_DIGIT_NUMBER || category == U_OTHER_NUMBER) w |= C1_DIGIT;
  if (mask & (U_GC_P_MASK | U_GC_S_MASK)) w |= C1_PUNCT;
  if (category == U_CONTROL_CHAR) w |= C1_CNTRL;
  if (category == U_SPACE_SEPARATOR) w |= C1_BLANK;
  for (UChar32 c = start; c < limit; ++c) char_type1_words[c] = w;
  return true;
}

// Adds `flag` to every assigned BMP code point of the property's set.
bool add_property(UProperty property, std::uint16_t flag) {
  UErrorCode status = U_ZERO_ERROR;
  const USet* set = u_getBinaryPropertySet(property, &status);
  if (U_FAILURE(status) || set == nullptr) return false;
  const int32_t ranges = uset_getRangeCount(set);
  for (int32_t r = 0; r < ranges; ++r) {
    UChar32 start = 0, end = 0;
    status = U_ZERO_ERROR;
    uset_getItem(set, r, &start, &end, nullptr, 0, &status);
    if (U_FAILURE(status)) return false;
    for (UChar32 c = start; c <= end && c < 0x10000; ++c)
      if (char_type1_words[c] != 0) char_type1_words[c] |= flag;
  }
  return true;
}

struct CharType1Builder {
  CharType1Builder() {
    u_enumCharTypes(category_range, nullptr);
    char_type1_words[0x09] |= C1_BLANK;
    const bool ranges_ok =
        add_property(UCHAR_UPPERCASE, C1_UPPER) && add_property(UCHAR_LOWERCASE, C1_LOWER) &&
        add_property(UCHAR_WHITE_SPACE, C1_SPACE) && add_property(UCHAR_HEX_DIGIT, C1_XDIGIT) &&
        add_property(UCHAR_ALPHABETIC, C1_ALPHA);
    // Without the property sets (an ICU without their data), one code point at a time.
    if (!ranges_ok)
      for (char32_t c = 0; c < 0x10000; ++c) char_type1_words[c] = char_type1_of_code_point(c);
  }
};

// Priority 101 is the first the toolchain allows to user code: the table is ready before
// any other static initialiser of the library could read it.
__attribute__((init_priority(101))) const CharType1Builder char_type1_builder;

}  // namespace
}  // namespace detail

}  // namespace corvane
