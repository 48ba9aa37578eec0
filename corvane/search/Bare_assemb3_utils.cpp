// The text-section callbacks, the preparation of the class array (word-internal characters)
// and the small buffer utilities of the matcher's unit.

#include <algorithm>

#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/text/Bare_assemb.hpp"

namespace corvane {

void DefaultHandleTextSectionProc(std::int32_t, std::int32_t) {}

THandleTextSectionProc HandleSentenceEndProc = DefaultHandleTextSectionProc;
THandleTextSectionProc HandleParagraphEndProc = DefaultHandleTextSectionProc;
THandleTextSectionProc HandleHeadingEndProc = DefaultHandleTextSectionProc;
THandleTextSectionProc HandleSectionEndProc = DefaultHandleTextSectionProc;

void Bare_assemb3_initialization() {
  HandleSentenceEndProc = DefaultHandleTextSectionProc;
  HandleParagraphEndProc = DefaultHandleTextSectionProc;
  HandleHeadingEndProc = DefaultHandleTextSectionProc;
  HandleSectionEndProc = DefaultHandleTextSectionProc;
}

void Bare_assemb3_finalization() {}

namespace {

constexpr std::uint16_t kMiddleLetterClass = 0x0302;  // defined, letter, lower case
constexpr std::uint16_t kMiddleDigitClass = 0x0204;   // defined, digit

inline bool is_markup(std::uint16_t w) {
  return (w & (kMarkerBit | kMarkupBit)) == kMarkupBit;
}

// A neighbour that lets a middle character join a word: a word character, not a marker.
inline bool joins(std::uint16_t w) {
  return !(w & kMarkerBit) && (w & kWordCharClasses);
}

inline std::uint32_t char_at(const void* buffer, bool is_unicode, std::int32_t i) {
  return is_unicode ? static_cast<const char16_t*>(buffer)[i]
                    : static_cast<const std::uint8_t*>(buffer)[i];
}

}  // namespace

void HandleMiddleChars(const void* buffer, std::uint16_t* details, std::u16string_view allowables,
                       std::uint16_t n_allowables, std::int32_t n_chars, bool is_unicode,
                       bool no_check_after, bool no_check_before) {
  if (!buffer || !details || n_chars <= 0) return;
  const std::size_t n_allow = std::min<std::size_t>(n_allowables, allowables.size());
  for (std::size_t a = 0; a < n_allow; ++a) {
    const std::uint32_t c = allowables[a];
    // In UTF-16 buffers the occurrences are found by the vector scan.
    const auto* wide = static_cast<const char16_t*>(buffer);
    for (std::int32_t j = 0; j < n_chars; ++j) {
      if (is_unicode) {
        const char16_t* at = FastStrScanW(wide + j, static_cast<char16_t>(c), n_chars - j);
        if (at == nullptr) break;
        j = static_cast<std::int32_t>(at - wide);
      } else if (char_at(buffer, is_unicode, j) != c) {
        continue;
      }
      if (details[j] & kMarkupBit) continue;
      std::uint16_t cls = kMiddleLetterClass;
      if (!no_check_before) {
        std::int32_t k = j - 1;
        while (k >= 0 && is_markup(details[k])) --k;
        if (k < 0 || !joins(details[k])) continue;
        if (details[k] & C1_DIGIT) cls = kMiddleDigitClass;
      }
      if (!no_check_after) {
        std::int32_t k = j + 1;
        while (k < n_chars && is_markup(details[k])) ++k;
        if (k >= n_chars || !joins(details[k])) continue;
        if (details[k] & C1_DIGIT) cls = kMiddleDigitClass;
      }
      details[j] = cls;
    }
  }
}

void HandleMiddleCharsInNumbers(bool is_unicode, bool space_allowed, const void* buffer,
                                std::uint16_t* details, std::int32_t n_chars) {
  if (!buffer || !details) return;
  for (std::int32_t j = 0; j + 2 < n_chars; ++j) {
    if (!(details[j] & C1_DIGIT) || (details[j + 1] & C1_DIGIT) || !(details[j + 2] & C1_DIGIT))
      continue;
    const std::uint32_t m = char_at(buffer, is_unicode, j + 1);
    if (m >= 0xB8) continue;
    if (m == 0xB7 || m == u'.' || m == u',' || (space_allowed && m == u' '))
      details[j + 1] = kMiddleDigitClass;
  }
}

namespace {

template <class Ch>
std::int32_t remove_char(Ch* buffer, Ch c, std::int32_t n) {
  if (!buffer || n <= 0) return 0;
  std::int32_t out = 0;
  for (std::int32_t i = 0; i < n; ++i)
    if (buffer[i] != c) buffer[out++] = buffer[i];
  buffer[out] = 0;
  return out;
}

}  // namespace

std::int32_t RemoveCharA(char* buffer, char c, std::int32_t n) {
  return remove_char(buffer, c, n);
}

std::int32_t RemoveCharW(char16_t* buffer, char16_t c, std::int32_t n) {
  return remove_char(buffer, c, n);
}

void ReplaceChar1ByChar2W(char16_t* buffer, char16_t c1, char16_t c2, std::int32_t n) {
  if (!buffer) return;
  for (std::int32_t i = 0; i < n; ++i)
    if (buffer[i] == c1) buffer[i] = c2;
}

std::int32_t ScanForInt(std::int32_t value, const std::int32_t* values, std::int32_t n) {
  if (!values) return value;
  for (std::int32_t i = 0; i < n; ++i)
    if (values[i] == value) return i + 1;
  return value;
}

}  // namespace corvane
