// Bare_assemb: the in-place replacing, shortening, comparing, checksum, case and
// zero-width routines. The scans are in Bare_assemb_scan.cpp.
//
// Each routine is one forward pass. The simple per-character loops are written so that the
// compiler can vectorise them; the shortening ones copy the buffer onto itself with a read
// and a write position.

#include <algorithm>
#include <cstring>

#include "corvane/text/Bare_assemb.hpp"

namespace corvane {
namespace {

constexpr char16_t kSpaceW = u' ';
constexpr char16_t kCR = 13;
constexpr char16_t kLF = 10;

template <class T>
void replace_by_space(T* buffer, T c, std::ptrdiff_t length) {
  if (buffer == nullptr) return;
  for (std::ptrdiff_t i = 0; i < length; ++i) buffer[i] = buffer[i] == c ? T(' ') : buffer[i];
}

template <class T, class U>
void replace_below_32_by_space(T* buffer, std::ptrdiff_t length) {
  if (buffer == nullptr) return;
  for (std::ptrdiff_t i = 0; i < length; ++i)
    buffer[i] = static_cast<U>(buffer[i]) < 32 ? T(' ') : buffer[i];
}

template <class T>
void replace_carriage_returns(T* buffer, std::ptrdiff_t length) {
  if (buffer == nullptr) return;
  for (std::ptrdiff_t i = 0; i < length; ++i) {
    if (buffer[i] != T(kCR)) continue;
    buffer[i] = T(' ');
    if (i + 1 < length && buffer[i + 1] == T(kLF)) buffer[++i] = T(' ');
  }
}

template <class T>
void fill(T* buffer, std::ptrdiff_t count, T value) {
  if (buffer == nullptr || count <= 0) return;
  std::fill_n(buffer, count, value);
}

template <class T>
std::ptrdiff_t how_far_equal(const T* buffer, const T* other, std::ptrdiff_t count) {
  if (buffer == nullptr || other == nullptr || count <= 0) return 0;
  const auto [a, b] = std::mismatch(buffer, buffer + count, other);
  if (a == buffer + count) return 0;
  return count - ((a - buffer) + 1);
}

template <class T>
bool equal_contents(const T* buffer, const T* other, std::ptrdiff_t count) {
  if (count <= 0) return true;
  if (buffer == nullptr || other == nullptr) return false;
  return std::memcmp(buffer, other, count * sizeof(T)) == 0;
}

// The search for the closing character of ClearBetweenChars and CleanBetweenChars. The
// read position only moves forward, so the next closing character at or after it is
// found once and remembered; the whole clean-up stays a single pass.
class next_close_finder {
 public:
  next_close_finder(const char* buffer, char close, std::ptrdiff_t length)
      : buffer_(buffer), close_(close), length_(length) {}

  // The index of the first closing character at or after `from`, or `length` when none.
  std::ptrdiff_t at_or_after(std::ptrdiff_t from) {
    if (next_ < from) {
      next_ = from;
      while (next_ < length_ && buffer_[next_] != close_) ++next_;
    }
    return next_;
  }

 private:
  const char* buffer_;
  char close_;
  std::ptrdiff_t length_;
  std::ptrdiff_t next_ = -1;
};

std::uint8_t byte_at(const char* p, std::ptrdiff_t i) {
  return static_cast<std::uint8_t>(p[i]);
}

}  // namespace

// --- Replacing characters in place -----------------------------------------------------------

void ReplaceCharacterBySpace(char* buffer, char c, std::ptrdiff_t length) {
  replace_by_space(buffer, c, length);
}
void ReplaceCharacterBySpaceW(char16_t* buffer, char16_t c, std::ptrdiff_t length) {
  replace_by_space(buffer, c, length);
}
void ReplaceControlCharsBySpaceA(char* buffer, std::ptrdiff_t length) {
  replace_below_32_by_space<char, unsigned char>(buffer, length);
}
void ReplaceControlCharsBySpaceW(char16_t* buffer, std::ptrdiff_t length) {
  replace_below_32_by_space<char16_t, char16_t>(buffer, length);
}
void ReplaceCarriageReturnsBySpaceA(char* buffer, std::ptrdiff_t length) {
  replace_carriage_returns(buffer, length);
}
void ReplaceCarriageReturnsBySpaceW(char16_t* buffer, std::ptrdiff_t length) {
  replace_carriage_returns(buffer, length);
}
void ReplaceTabsBySpace(char* buffer, std::ptrdiff_t length) {
  replace_by_space(buffer, '\t', length);
}
void BlankOutSomeBytesA(char* buffer, std::ptrdiff_t count) {
  fill(buffer, count, ' ');
}
void BlankOutSomeBytesW(char16_t* buffer, std::ptrdiff_t count) {
  fill(buffer, count, kSpaceW);
}
void ZeroSomeBytesW(char16_t* buffer, std::ptrdiff_t count) {
  fill(buffer, count, char16_t(0));
}

// --- Shortening in place -----------------------------------------------------------------

std::ptrdiff_t LengthConvertedToUnix(char* buffer, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return 0;
  std::ptrdiff_t w = 0;
  for (std::ptrdiff_t r = 0; r < length; ++r)
    if (buffer[r] != '\n') buffer[w++] = buffer[r];
  return w;
}

void CutDoubleCRLFsW(char16_t* buffer, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return;
  const auto crlf_at = [&](std::ptrdiff_t i) {
    return i + 1 < length && buffer[i] == kCR && buffer[i + 1] == kLF;
  };
  std::ptrdiff_t w = 0;
  std::ptrdiff_t r = 0;
  while (r < length) {
    if (crlf_at(r)) {
      while (crlf_at(r + 2)) r += 2;
      buffer[w++] = kCR;
      buffer[w++] = kLF;
      r += 2;
    } else {
      buffer[w++] = buffer[r++];
    }
  }
  if (w < length) buffer[w] = 0;
}

std::ptrdiff_t RemoveRedundantSpaceW(char16_t* buffer, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return 0;
  std::ptrdiff_t w = 0;
  std::ptrdiff_t r = 0;
  while (r < length) {
    const char16_t c = buffer[r++];
    buffer[w++] = c;
    if (c == kSpaceW)
      while (r < length && buffer[r] == kSpaceW) ++r;
  }
  buffer[w] = 0;
  return w;
}

void ClearBetweenChars(char* buffer, char open, char close, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return;
  next_close_finder closes(buffer, close, length);
  std::ptrdiff_t w = 0;
  std::ptrdiff_t r = 0;
  while (r < length) {
    if (buffer[r] != open) {
      buffer[w++] = buffer[r++];
      continue;
    }
    const std::ptrdiff_t j = closes.at_or_after(r);
    r = j < length ? j + 1 : r + 1;  // the stretch, or the opening character alone
  }
  buffer[w] = 0;
}

void CleanBetweenChars(char* buffer, char open, char close, std::ptrdiff_t length,
                       int longest_stretch, bool remove) {
  if (buffer == nullptr || length <= 0 || longest_stretch < 1) return;
  next_close_finder closes(buffer, close, length);
  std::ptrdiff_t w = 0;
  std::ptrdiff_t r = 0;
  while (r < length) {
    if (buffer[r] != open) {
      buffer[w++] = buffer[r++];
      continue;
    }
    const std::ptrdiff_t window = std::min<std::ptrdiff_t>(length - r, longest_stretch);
    const std::ptrdiff_t j = closes.at_or_after(r);
    if (j >= r + window) {
      ++r;  // no closing character near enough: drop the opening one alone
      continue;
    }
    if (!remove) {
      // Every position written here is at or before j, none of it still to be read.
      std::fill_n(buffer + w, j - r + 1, ' ');
      w += j - r + 1;
    }
    r = j + 1;
  }
  buffer[w] = 0;
}

// --- Comparing and checksums --------------------------------------------------------------

std::ptrdiff_t HowFarEqualContentsA(const char* buffer, const char* other, std::ptrdiff_t count) {
  return how_far_equal(buffer, other, count);
}
std::ptrdiff_t HowFarEqualContentsW(const char16_t* buffer, const char16_t* other,
                                    std::ptrdiff_t count) {
  return how_far_equal(buffer, other, count);
}
bool EqualContentsA(const char* buffer, const char* other, std::ptrdiff_t count) {
  return equal_contents(buffer, other, count);
}
bool EqualContentsW(const char16_t* buffer, const char16_t* other, std::ptrdiff_t count) {
  return equal_contents(buffer, other, count);
}

std::uint32_t My2Checksum(const void* buffer, std::ptrdiff_t word_count) {
  if (buffer == nullptr || word_count <= 0) return 0;
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  std::uint32_t sum = 0;
  for (std::ptrdiff_t i = 0; i < word_count; ++i)
    sum += std::uint32_t(p[2 * i]) | std::uint32_t(p[2 * i + 1]) << 8;
  return sum & 0xFFFFu;
}

std::uint32_t My4Checksum(const void* buffer, std::ptrdiff_t byte_count) {
  if (buffer == nullptr || byte_count < 4) return 0;
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  std::uint32_t sum = 0;
  for (std::ptrdiff_t i = 0; i + 4 <= byte_count; i += 4)
    sum += std::uint32_t(p[i]) | std::uint32_t(p[i + 1]) << 8 | std::uint32_t(p[i + 2]) << 16 |
           std::uint32_t(p[i + 3]) << 24;
  return sum;
}

// --- Rearranging and case -----------------------------------------------------------------

void Swap2Strings(char16_t* buffer, std::ptrdiff_t first_length, std::ptrdiff_t second_length) {
  if (buffer == nullptr || first_length < 0 || second_length < 0) return;
  const std::ptrdiff_t total = first_length + second_length;
  if (total == 0 || buffer[0] == 0) return;
  // Each unit moves from i to (i + second_length) mod total. Follow the cycles: carry a unit
  // to its target, pick up the one there, until the cycle closes; then the next cycle starts
  // at the next index. Stop after `total` moves.
  std::ptrdiff_t moves = 0;
  for (std::ptrdiff_t start = 0; moves < total; ++start) {
    std::ptrdiff_t i = start;
    char16_t carried = buffer[start];
    do {
      std::ptrdiff_t target = i + second_length;
      if (target >= total) target -= total;
      std::swap(carried, buffer[target]);
      i = target;
      ++moves;
    } while (i != start);
  }
}

void CapitaliseABuffer(char* buffer, const ANSILower_or_upperStr_type& lower,
                       const ANSILower_or_upperStr_type& upper, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return;
  // For every byte value, its upper-case form. Filled from the back so that the first
  // position of a letter in the lower-case list wins.
  std::uint8_t to_upper[256];
  for (int c = 0; c < 256; ++c) to_upper[c] = static_cast<std::uint8_t>(c);
  for (int c = 'a'; c <= 'z'; ++c) to_upper[c] = static_cast<std::uint8_t>(c - 32);
  const int k = std::min(lower.length(), upper.length());
  for (int j = k - 1; j >= 0; --j) {
    const auto c = static_cast<std::uint8_t>(lower.chars[j]);
    if (c > 122) to_upper[c] = static_cast<std::uint8_t>(upper.chars[j]);
  }
  for (std::ptrdiff_t i = 0; i < length; ++i)
    buffer[i] = static_cast<char>(to_upper[byte_at(buffer, i)]);
}

void CutLowercaseWords(char* buffer, const ANSILower_or_upperStr_type& lower,
                       const ANSILower_or_upperStr_type& upper, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return;
  const auto in = [](const ANSILower_or_upperStr_type& list, char c) {
    return list.view().find(c) != std::string_view::npos;
  };
  bool has_capital = false;
  for (std::ptrdiff_t i = 0; i < length; ++i) {
    const std::uint8_t c = byte_at(buffer, i);
    if (c <= 32) {
      has_capital = false;
    } else if (c < 65) {
      // digits and punctuation stay
    } else if (c <= 90) {
      has_capital = true;
    } else if (has_capital || c <= 96) {
      // after a capital everything stays, and so do [ \ ] ^ _ `
    } else if (c <= 122) {
      buffer[i] = ' ';
    } else if (in(lower, buffer[i])) {
      buffer[i] = ' ';
    } else if (in(upper, buffer[i])) {
      has_capital = true;
    }
  }
}

// --- Zero-width characters ------------------------------------------------------------------

void SetZeroWidthJoinersToDefined(const char16_t* text, std::uint16_t* types,
                                  std::ptrdiff_t length) {
  if (text == nullptr || types == nullptr) return;
  for (std::ptrdiff_t i = 0; i < length; ++i)
    if (text[i] == 0x200D) types[i] = 0x0200;
}

void SetZeroWidthNonJoinersToDefinedAlpha(const char16_t* text, std::uint16_t* types,
                                          std::ptrdiff_t length) {
  if (text == nullptr || types == nullptr) return;
  for (std::ptrdiff_t i = 0; i < length; ++i)
    if (text[i] == 0x200C) types[i] = 0x0300;
}

// --- Byte-order marks ------------------------------------------------------------------------

namespace {
unsigned first_word(const void* buffer) {
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  return unsigned(p[0]) | unsigned(p[1]) << 8;
}
}  // namespace

const void* UnicodeSigned(const void* buffer) {
  if (buffer == nullptr) return nullptr;
  const unsigned w = first_word(buffer);
  return w == 0xFEFF || w == 0xFFFE ? buffer : nullptr;
}

const void* UnicodeByteReversed(const void* buffer) {
  if (buffer == nullptr) return nullptr;
  return first_word(buffer) == 0xFFFE ? buffer : nullptr;
}

}  // namespace corvane
