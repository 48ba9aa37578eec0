#include "corvane/platform/CaseMapping.hpp"

#include <unicode/casemap.h>
#include <unicode/edits.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {

namespace {

enum class Direction { lower, upper };

int32_t map_full(Direction d, const char* locale, const char16_t* src, int32_t n, char16_t* dest,
                 int32_t capacity, icu::Edits* edits, UErrorCode& err) {
  if (d == Direction::lower)
    return icu::CaseMap::toLower(locale, 0, src, n, dest, capacity, edits, err);
  return icu::CaseMap::toUpper(locale, 0, src, n, dest, capacity, edits, err);
}

// The full mapping into a new string; edits (when wanted) record what changed where.
bool map_full_string(Direction d, const std::string& locale, std::u16string_view text,
                     std::u16string& out, icu::Edits* edits) {
  if (text.size() > static_cast<std::size_t>(INT32_MAX / 3)) return false;
  const int32_t n = static_cast<int32_t>(text.size());
  out.resize(text.size() + 16);
  UErrorCode err = U_ZERO_ERROR;
  int32_t len = map_full(d, locale.c_str(), text.data(), n, out.data(),
                         static_cast<int32_t>(out.size()), edits, err);
  if (err == U_BUFFER_OVERFLOW_ERROR) {
    if (edits) edits->reset();
    out.resize(len);
    err = U_ZERO_ERROR;
    len = map_full(d, locale.c_str(), text.data(), n, out.data(), static_cast<int32_t>(out.size()),
                   edits, err);
  }
  if (U_FAILURE(err)) return false;
  out.resize(len);
  return true;
}

std::u16string map_string(Direction d, std::string_view locale, std::u16string_view text) {
  std::u16string out;
  if (text.empty()) return out;
  if (!map_full_string(d, std::string(locale), text, out, nullptr)) return std::u16string(text);
  return out;
}

UChar32 simple_map(Direction d, UChar32 c) {
  return d == Direction::lower ? u_tolower(c) : u_toupper(c);
}

// Maps text[from, to) code point by code point with the simple mapping, in place.
void simple_map_range(Direction d, char16_t* text, std::size_t from, std::size_t to) {
  std::size_t i = from;
  while (i < to) {
    if (U16_IS_LEAD(text[i]) && i + 1 < to && U16_IS_TRAIL(text[i + 1])) {
      UChar32 m = simple_map(d, U16_GET_SUPPLEMENTARY(text[i], text[i + 1]));
      if (U_IS_SUPPLEMENTARY(m)) {
        text[i] = U16_LEAD(m);
        text[i + 1] = U16_TRAIL(m);
      }
      i += 2;
    } else {
      UChar32 m = simple_map(d, text[i]);
      if (!U_IS_SUPPLEMENTARY(m)) text[i] = static_cast<char16_t>(m);
      ++i;
    }
  }
}

void map_in_place(Direction d, std::string_view locale, char16_t* text, std::size_t n) {
  if (!text || n == 0) return;
  std::u16string mapped;
  icu::Edits edits;
  if (!map_full_string(d, std::string(locale), std::u16string_view(text, n), mapped, &edits)) {
    simple_map_range(d, text, 0, n);
    return;
  }
  if (mapped.size() == n) {
    std::copy(mapped.begin(), mapped.end(), text);
    return;
  }
  UErrorCode err = U_ZERO_ERROR;
  icu::Edits::Iterator it = edits.getFineIterator();
  while (it.next(err)) {
    if (!it.hasChange()) continue;
    const auto src = static_cast<std::size_t>(it.sourceIndex());
    const auto old_len = static_cast<std::size_t>(it.oldLength());
    if (old_len == static_cast<std::size_t>(it.newLength())) {
      std::copy_n(mapped.data() + it.destinationIndex(), old_len, text + src);
    } else {
      simple_map_range(d, text, src, src + old_len);
    }
  }
  if (U_FAILURE(err)) simple_map_range(d, text, 0, n);
}

std::u16string simple_string(Direction d, std::u16string_view text) {
  std::u16string out(text);
  simple_map_range(d, out.data(), 0, out.size());
  return out;
}

}  // namespace

std::u16string to_lower_for_locale(std::string_view locale, std::u16string_view text) {
  return map_string(Direction::lower, locale, text);
}

std::u16string to_upper_for_locale(std::string_view locale, std::u16string_view text) {
  return map_string(Direction::upper, locale, text);
}

void to_lower_in_place_for_locale(std::string_view locale, char16_t* text, std::size_t n) {
  map_in_place(Direction::lower, locale, text, n);
}

void to_upper_in_place_for_locale(std::string_view locale, char16_t* text, std::size_t n) {
  map_in_place(Direction::upper, locale, text, n);
}

char16_t simple_lower(char16_t c) noexcept {
  if (U16_IS_SURROGATE(c)) return c;
  const UChar32 m = u_tolower(c);
  return U_IS_SUPPLEMENTARY(m) ? c : static_cast<char16_t>(m);
}

char16_t simple_upper(char16_t c) noexcept {
  if (U16_IS_SURROGATE(c)) return c;
  const UChar32 m = u_toupper(c);
  return U_IS_SUPPLEMENTARY(m) ? c : static_cast<char16_t>(m);
}

std::u16string simple_lower(std::u16string_view text) {
  return simple_string(Direction::lower, text);
}

std::u16string simple_upper(std::u16string_view text) {
  return simple_string(Direction::upper, text);
}

}  // namespace corvane
