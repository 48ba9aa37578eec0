#include "corvane/text/Utf8_unit.hpp"

#include <array>
#include <cstring>

#include "corvane/frame/Mykpsmall.hpp"

namespace corvane {

namespace {

constexpr unsigned char kSignature[3] = {0xEF, 0xBB, 0xBF};

// A sequence of n bytes (n from the lead byte) is legal UTF-8.
bool legal_sequence(const unsigned char* b, int n) {
  if (n < 1 || n > 4) return false;
  const unsigned char b1 = b[0];
  if ((b1 >= 0x80 && b1 <= 0xC1) || b1 > 0xF4) return false;
  if (n == 4 && (b[3] < 0x80 || b[3] > 0xBF)) return false;
  if (n >= 3 && (b[2] < 0x80 || b[2] > 0xBF)) return false;
  if (n >= 2) {
    const unsigned char b2 = b[1];
    if (b2 < 0x80 || b2 > 0xBF) return false;
    if (b1 == 0xE0 && b2 < 0xA0) return false;
    if (b1 == 0xF0 && b2 < 0x90) return false;
    if (b1 == 0xF4 && b2 > 0x8F) return false;
  }
  return true;
}

}  // namespace

std::string UTF8SignatureAsUTF8String() {
  return std::string(reinterpret_cast<const char*>(kSignature), 3);
}

bool IsUTF8Signature(const void* p) noexcept {
  return p && std::memcmp(p, kSignature, 3) == 0;
}

bool IsUTF8SignatureA(const void* p) noexcept {
  return IsUTF8Signature(p);
}

bool IsUTF8SignatureW(const char16_t* p) noexcept {
  if (!p || p[0] == 0 || p[1] == 0) return false;
  return IsUTF8Signature(p);
}

int UTF8LengthInChars(std::string_view s) {
  const auto* b = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t len = s.size();
  if (len == 0) return 0;
  std::size_t i = 0;
  int count = 0;
  while (i < len) {
    const unsigned char c = b[i];
    std::size_t step;
    if (c < 0x80)
      step = 1;
    else if (c >= 0xC0 && c <= 0xDF)
      step = 2;
    else if (c >= 0xE0 && c <= 0xEF)
      step = 3;
    else if (c >= 0xF0 && c <= 0xF7)
      step = 4;
    else if (c >= 0xF8 && c <= 0xFB)
      step = 5;
    else if (c >= 0xFC && c <= 0xFD)
      step = 6;
    else
      return static_cast<int>(len);
    ++count;
    i += step;
  }
  if (i > len) return static_cast<int>(len);
  return count;
}

bool CheckedUTF(std::string_view s, bool& plain) {
  plain = true;
  const auto* b = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t len = s.size();
  for (std::size_t i = 0; i < len; ++i) {
    MyYieldProcess();
    const std::size_t k = UTF8_continuation_bytes[b[i]];
    if (k + 1 > len - i) return false;
    if (!legal_sequence(b + i, static_cast<int>(k + 1))) return false;
    if (k > 0) {
      plain = false;
      return true;
    }
  }
  return true;
}

}  // namespace corvane
