// The scans of Bare_assemb: the scalar reference kernels, the choice of kernels at run time,
// and the public routines over them.

#include <atomic>
#include <cstring>

#include "corvane/text/Bare_assemb.hpp"
#include "corvane/text/Bare_assemb_kernels.hpp"

namespace corvane {
namespace detail {
namespace {

// The reference: scan for the pattern's first character, compare the rest, go on after
// that first character when they differ.

template <class T>
const T* scalar_scan(const T* s, std::ptrdiff_t n, T c) {
  for (std::ptrdiff_t i = 0; i < n; ++i)
    if (s[i] == c) return s + i;
  return nullptr;
}

template <class T>
const T* scalar_find(const T* s, std::ptrdiff_t n, const T* p, std::ptrdiff_t m) {
  if (m < 1 || n < m) return nullptr;
  const T* const last_start = s + (n - m);
  for (const T* at = s; at <= last_start; ++at) {
    at = scalar_scan(at, last_start - at + 1, p[0]);
    if (at == nullptr) return nullptr;
    std::ptrdiff_t k = 1;
    while (k < m && at[k] == p[k]) ++k;
    if (k == m) return at;
  }
  return nullptr;
}

template <class T>
const T* scalar_ifind(const T* s, std::ptrdiff_t n, const T* a, const T* b, std::ptrdiff_t m) {
  if (m < 1 || n < m) return nullptr;
  const T* const last_start = s + (n - m);
  for (const T* at = s; at <= last_start; ++at) {
    std::ptrdiff_t k = 0;
    while (k < m && (at[k] == a[k] || at[k] == b[k])) ++k;
    if (k == m) return at;
  }
  return nullptr;
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

// The kernels of the public routines, reached through one relaxed load of a pointer of this
// file (no guard, no call through the exported, interposable active_scan_kernels), so that
// the routines end in a plain tail call. Until the first call it points at a table whose
// entries make the choice, store it and go on with the chosen kernel.
extern const detail::bare_scan_kernels choosing_kernels;
std::atomic<const detail::bare_scan_kernels*> chosen_kernels{&choosing_kernels};

const detail::bare_scan_kernels& choose() {
  const auto* k = &detail::active_scan_kernels();
  chosen_kernels.store(k, std::memory_order_relaxed);
  return *k;
}

inline const detail::bare_scan_kernels& kernels() {
  return *chosen_kernels.load(std::memory_order_relaxed);
}

const detail::bare_scan_kernels choosing_kernels = {
    detail::simd_level::scalar,
    "choosing",
    [](const std::uint8_t* s, std::ptrdiff_t n, std::uint8_t c) { return choose().scan8(s, n, c); },
    [](const char16_t* s, std::ptrdiff_t n, char16_t c) { return choose().scan16(s, n, c); },
    [](const std::uint8_t* s, std::ptrdiff_t n, const std::uint8_t* p, std::ptrdiff_t m) {
      return choose().find8(s, n, p, m);
    },
    [](const char16_t* s, std::ptrdiff_t n, const char16_t* p, std::ptrdiff_t m) {
      return choose().find16(s, n, p, m);
    },
    [](const std::uint8_t* s, std::ptrdiff_t n, const std::uint8_t* a, const std::uint8_t* b,
       std::ptrdiff_t m) { return choose().ifind8(s, n, a, b, m); },
    [](const char16_t* s, std::ptrdiff_t n, const char16_t* a, const char16_t* b,
       std::ptrdiff_t m) { return choose().ifind16(s, n, a, b, m); },
};

const std::uint8_t* bytes(const char* p) {
  return reinterpret_cast<const std::uint8_t*>(p);
}

std::ptrdiff_t zero_terminated_length(const char16_t* p) {
  std::ptrdiff_t n = 0;
  while (p[n] != 0) ++n;
  return n;
}

const char* chars(const std::uint8_t* p) {
  return reinterpret_cast<const char*>(p);
}

}  // namespace

const char* FastStrPos(const char* buffer, const char* pattern, std::ptrdiff_t length) {
  if (buffer == nullptr || pattern == nullptr || length <= 0) return nullptr;
  const auto m = static_cast<std::ptrdiff_t>(std::strlen(pattern));
  if (m == 0 || length < m) return nullptr;
  return chars(kernels().find8(bytes(buffer), length, bytes(pattern), m));
}

const char16_t* FastStrPosW(const char16_t* buffer, const char16_t* pattern,
                            std::ptrdiff_t length) {
  if (buffer == nullptr || pattern == nullptr || length <= 0) return nullptr;
  const std::ptrdiff_t m = zero_terminated_length(pattern);
  if (m == 0 || length < m) return nullptr;
  return kernels().find16(buffer, length, pattern, m);
}

const char* FastStrIPos(const char* buffer, const char* pattern_a, const char* pattern_b,
                        std::ptrdiff_t length) {
  if (buffer == nullptr || pattern_a == nullptr || pattern_b == nullptr || length <= 0)
    return nullptr;
  const auto m = static_cast<std::ptrdiff_t>(std::strlen(pattern_a));
  if (m == 0 || static_cast<std::ptrdiff_t>(std::strlen(pattern_b)) != m || length < m)
    return nullptr;
  return chars(kernels().ifind8(bytes(buffer), length, bytes(pattern_a), bytes(pattern_b), m));
}

const char16_t* FastStrIPosW(const char16_t* buffer, const char16_t* pattern_a,
                             const char16_t* pattern_b, std::ptrdiff_t length) {
  if (buffer == nullptr || pattern_a == nullptr || pattern_b == nullptr || length <= 0)
    return nullptr;
  const std::ptrdiff_t m = zero_terminated_length(pattern_a);
  if (m == 0 || zero_terminated_length(pattern_b) != m || length < m) return nullptr;
  return kernels().ifind16(buffer, length, pattern_a, pattern_b, m);
}

const char* FastStrScan(const char* buffer, char c, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return nullptr;
  return chars(kernels().scan8(bytes(buffer), length, static_cast<std::uint8_t>(c)));
}

const char16_t* FastStrScanW(const char16_t* buffer, char16_t c, std::ptrdiff_t length) {
  if (buffer == nullptr || length <= 0) return nullptr;
  return kernels().scan16(buffer, length, c);
}

std::ptrdiff_t SearchAndReplaceFastW(char16_t* buffer, const char16_t* find,
                                     const char16_t* replacement, std::ptrdiff_t length,
                                     std::ptrdiff_t find_length) {
  if (buffer == nullptr || find == nullptr || replacement == nullptr || find_length < 1) return 0;
  const auto& k = kernels();
  std::ptrdiff_t replaced = 0;
  char16_t* const end = buffer + length;
  for (char16_t* p = buffer; end - p >= find_length; p += find_length) {
    const char16_t* hit = k.find16(p, end - p, find, find_length);
    if (hit == nullptr) break;
    p = buffer + (hit - buffer);
    std::memmove(p, replacement, find_length * sizeof(char16_t));
    ++replaced;
  }
  return replaced;
}

}  // namespace corvane
