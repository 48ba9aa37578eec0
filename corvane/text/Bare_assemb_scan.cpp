// The scans of Bare_assemb: the scalar reference kernels, the choice of kernels at run time,
// and the public routines over them.

#include <cstring>

#include "corvane/text/Bare_assemb.hpp"
#include "corvane/text/Bare_assemb_kernels.hpp"

namespace corvane {
namespace detail {
namespace {

// The reference: scan for the pattern's first character, compare the rest, go on after
// that first character when they differ.

template <class T>
std::ptrdiff_t scalar_scan(const T* s, std::ptrdiff_t n, T c) {
  for (std::ptrdiff_t i = 0; i < n; ++i)
    if (s[i] == c) return i;
  return -1;
}

template <class T>
std::ptrdiff_t scalar_find(const T* s, std::ptrdiff_t n, const T* p, std::ptrdiff_t m) {
  if (m < 1 || n < m) return -1;
  const std::ptrdiff_t candidates = n - m + 1;
  for (std::ptrdiff_t i = 0; i < candidates; ++i) {
    const std::ptrdiff_t hit = scalar_scan(s + i, candidates - i, p[0]);
    if (hit < 0) return -1;
    i += hit;
    std::ptrdiff_t k = 1;
    while (k < m && s[i + k] == p[k]) ++k;
    if (k == m) return i;
  }
  return -1;
}

template <class T>
std::ptrdiff_t scalar_ifind(const T* s, std::ptrdiff_t n, const T* a, const T* b,
                            std::ptrdiff_t m) {
  if (m < 1 || n < m) return -1;
  const std::ptrdiff_t candidates = n - m + 1;
  for (std::ptrdiff_t i = 0; i < candidates; ++i) {
    if (s[i] != a[0] && s[i] != b[0]) continue;
    std::ptrdiff_t k = 1;
    while (k < m && (s[i + k] == a[k] || s[i + k] == b[k])) ++k;
    if (k == m) return i;
  }
  return -1;
}

bool cpu_has_avx2() {
#if defined(__x86_64__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

}  // namespace

const bare_scan_kernels scalar_scan_kernels = {simd_level::scalar,         "scalar",
                                               scalar_scan<std::uint8_t>,  scalar_scan<char16_t>,
                                               scalar_find<std::uint8_t>,  scalar_find<char16_t>,
                                               scalar_ifind<std::uint8_t>, scalar_ifind<char16_t>};

bool simd_level_supported(simd_level level) {
  switch (level) {
    case simd_level::scalar:
      return true;
#if defined(__x86_64__)
    case simd_level::sse2:
      return true;
    case simd_level::avx2: {
      static const bool has_avx2 = cpu_has_avx2();
      return has_avx2;
    }
#endif
    default:
      return false;
  }
}

const bare_scan_kernels& scan_kernels(simd_level level) {
  if (!simd_level_supported(level)) return scalar_scan_kernels;
#if defined(__x86_64__)
  if (level == simd_level::avx2) return avx2_scan_kernels;
  if (level == simd_level::sse2) return sse2_scan_kernels;
#endif
  return scalar_scan_kernels;
}

const bare_scan_kernels& active_scan_kernels() {
  static const bare_scan_kernels& chosen = simd_level_supported(simd_level::avx2)
                                               ? scan_kernels(simd_level::avx2)
                                               : scan_kernels(simd_level::sse2);
  return chosen;
}

}  // namespace detail

namespace {

const detail::bare_scan_kernels& kernels() {
  return detail::active_scan_kernels();
}

const std::uint8_t* bytes(const char* p) {
  return reinterpret_cast<const std::uint8_t*>(p);
}

std::ptrdiff_t zero_terminated_length(const char16_t* p) {
  std::ptrdiff_t n = 0;
  while (p[n] != 0) ++n;
  return n;
}

template <class T>
const T* at(const T* buffer, std::ptrdiff_t index) {
  return index < 0 ? nullptr : buffer + index;
}

}  // namespace

const char* FastStrPos(const char* buffer, const char* pattern, std::ptrdiff_t length) {
  if (buffer == nullptr || pattern == nullptr || length <= 0) return nullptr;
  const auto m = static_cast<std::ptrdiff_t>(std::strlen(pattern));
  if (m == 0 || length < m) return nullptr;
  return at(buffer, kernels().find8(bytes(buffer), length, bytes(pattern), m));
}

const char16_t* FastStrPosW(const char16_t* buffer, const char16_t* pattern,
                            std::ptrdiff_t length) {
  if (buffer == nullptr || pattern == nullptr || length <= 0) return nullptr;
  const std::ptrdiff_t m = zero_terminated_length(pattern);
  if (m == 0 || length < m) return nullptr;
  return at(buffer, kernels().find16(buffer, length, pattern, m));
}

const char* FastStrIPos(const char* buffer, const char* pattern_a, const char* pattern_b,
                        std::ptrdiff_t length) {
  if (buffer == nullptr || pattern_a == nullptr || pattern_b == nullptr || length <= 0)
    return nullptr;
  const auto m = static_cast<std::ptrdiff_t>(std::strlen(pattern_a));
  if (m == 0 || static_cast<std::ptrdiff_t>(std::strlen(pattern_b)) != m || length < m)
    return nullptr;
  return at(buffer, kernels().ifind8(bytes(buffer), length, bytes(pattern_a), bytes(pattern_b), m));
}

const char16_t* FastStrIPosW(const char16_t* buffer, const char16_t* pattern_a,
                             const char16_t* pattern_b, std::ptrdiff_t length) {
  if (buffer == nullptr || pattern_a == nullptr || pattern_b == nullptr || length <= 0)
    return nullptr;
  const std::ptrdiff_t m = zero_terminated_length(pattern_a);
  if (m == 0 || zero_terminated_length(pattern_b) != m || length < m) return nullptr;
  return at(buffer, kernels().ifind16(buffer, length, pattern_a, pattern_b, m));
}

const char* FastStrScan(const char* buffer, char c, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return nullptr;
  return at(buffer, kernels().scan8(bytes(buffer), length, static_cast<std::uint8_t>(c)));
}

const char16_t* FastStrScanW(const char16_t* buffer, char16_t c, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return nullptr;
  return at(buffer, kernels().scan16(buffer, length, c));
}

std::ptrdiff_t SearchAndReplaceFastW(char16_t* buffer, const char16_t* find,
                                     const char16_t* replacement, std::ptrdiff_t length,
                                     std::ptrdiff_t find_length) {
  if (buffer == nullptr || find == nullptr || replacement == nullptr || find_length < 1) return 0;
  const auto& k = kernels();
  std::ptrdiff_t replaced = 0;
  std::ptrdiff_t i = 0;
  while (length - i >= find_length) {
    const std::ptrdiff_t hit = k.find16(buffer + i, length - i, find, find_length);
    if (hit < 0) break;
    std::memmove(buffer + i + hit, replacement, find_length * sizeof(char16_t));
    ++replaced;
    i += hit + find_length;
  }
  return replaced;
}

}  // namespace corvane
