// UTF-16 byte order and the code-unit scan of Wingenok. StrLScanW runs on 16 code units a
// step with AVX2 where the processor has it, else 8 with SSE2, and finishes the tail one
// unit at a time; it never reads past the n units it is given.

#include <cstring>
#include <vector>

#include "corvane/text/Wingenok.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define CORVANE_X86 1
#endif

namespace corvane {

void StrSwapByteOrder(char16_t* p) noexcept {
  if (!p) return;
  for (; *p; ++p) *p = static_cast<char16_t>((*p >> 8) | (*p << 8));
}

namespace detail {

const char16_t* StrLScanW_scalar(const char16_t* p, char16_t c, int n) noexcept {
  if (!p || n <= 0) return nullptr;
  for (int i = 0; i < n; ++i)
    if (p[i] == c) return p + i;
  return nullptr;
}

}  // namespace detail

namespace {

using ScanFn = const char16_t* (*)(const char16_t*, char16_t, int) noexcept;

#ifdef CORVANE_X86

const char16_t* scan_sse2(const char16_t* p, char16_t c, int n) noexcept {
  if (!p || n <= 0) return nullptr;
  const __m128i needle = _mm_set1_epi16(static_cast<short>(c));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    __m128i a = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), needle);
    __m128i b =
        _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 8)), needle);
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(a, b)));
    if (mask) {
      unsigned ma = static_cast<unsigned>(_mm_movemask_epi8(a));
      if (ma) return p + i + __builtin_ctz(ma) / 2;
      return p + i + 8 + __builtin_ctz(static_cast<unsigned>(_mm_movemask_epi8(b))) / 2;
    }
  }
  for (; i + 8 <= n; i += 8) {
    unsigned m = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), needle)));
    if (m) return p + i + __builtin_ctz(m) / 2;
  }
  for (; i < n; ++i)
    if (p[i] == c) return p + i;
  return nullptr;
}

__attribute__((target("avx2"))) const char16_t* scan_avx2(const char16_t* p, char16_t c,
                                                          int n) noexcept {
  if (!p || n <= 0) return nullptr;
  const __m256i needle = _mm256_set1_epi16(static_cast<short>(c));
  int i = 0;
  for (; i + 32 <= n; i += 32) {
    __m256i a =
        _mm256_cmpeq_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)), needle);
    __m256i b = _mm256_cmpeq_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 16)),
                                   needle);
    if (!_mm256_testz_si256(_mm256_or_si256(a, b), _mm256_or_si256(a, b))) {
      unsigned ma = static_cast<unsigned>(_mm256_movemask_epi8(a));
      if (ma) return p + i + __builtin_ctz(ma) / 2;
      return p + i + 16 + __builtin_ctz(static_cast<unsigned>(_mm256_movemask_epi8(b))) / 2;
    }
  }
  for (; i + 16 <= n; i += 16) {
    unsigned m = static_cast<unsigned>(_mm256_movemask_epi8(
        _mm256_cmpeq_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)), needle)));
    if (m) return p + i + __builtin_ctz(m) / 2;
  }
  if (i + 8 <= n) {
    const __m128i needle8 = _mm_set1_epi16(static_cast<short>(c));
    unsigned m = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), needle8)));
    if (m) return p + i + __builtin_ctz(m) / 2;
    i += 8;
  }
  for (; i < n; ++i)
    if (p[i] == c) return p + i;
  return nullptr;
}

struct Kernel {
  ScanFn fn;
  const char* name;
};

Kernel pick_kernel() noexcept {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return {scan_avx2, "avx2"};
  return {scan_sse2, "sse2"};
}

#else

struct Kernel {
  ScanFn fn;
  const char* name;
};

Kernel pick_kernel() noexcept {
  return {detail::StrLScanW_scalar, "scalar"};
}

#endif

const Kernel& kernel() noexcept {
  static const Kernel k = pick_kernel();
  return k;
}

}  // namespace

const char16_t* StrLScanW(const char16_t* p, char16_t c, int n) noexcept {
  return kernel().fn(p, c, n);
}

namespace detail {

const char* StrLScanW_kernel() noexcept {
  return kernel().name;
}

std::span<const StrLScanW_kernel_entry> StrLScanW_kernels() noexcept {
  static const auto list = [] {
    std::vector<StrLScanW_kernel_entry> v{{"scalar", StrLScanW_scalar}};
#ifdef CORVANE_X86
    v.push_back({"sse2", scan_sse2});
    if (__builtin_cpu_supports("avx2")) v.push_back({"avx2", scan_avx2});
#endif
    return v;
  }();
  return list;
}

}  // namespace detail

}  // namespace corvane
