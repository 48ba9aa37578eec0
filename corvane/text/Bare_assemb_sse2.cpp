// The SSE2 scan kernels. SSE2 is part of every x86-64 processor, so this file needs no
// target attribute.

#include "corvane/text/Bare_assemb_kernels.hpp"

#if defined(__x86_64__)

#include <emmintrin.h>

namespace corvane::detail {
namespace {

#define CORVANE_SIMD_TARGET

struct sse2_u8 {
  using unit = std::uint8_t;
  using vec = __m128i;
  static constexpr std::ptrdiff_t lanes = 16;
  static constexpr int bits = 1;
  CORVANE_SIMD_TARGET static vec splat(unit c) { return _mm_set1_epi8(static_cast<char>(c)); }
  CORVANE_SIMD_TARGET static vec load(const unit* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  }
  CORVANE_SIMD_TARGET static vec eq(vec a, vec b) { return _mm_cmpeq_epi8(a, b); }
  CORVANE_SIMD_TARGET static vec or_(vec a, vec b) { return _mm_or_si128(a, b); }
  CORVANE_SIMD_TARGET static vec and_(vec a, vec b) { return _mm_and_si128(a, b); }
  CORVANE_SIMD_TARGET static std::uint32_t mask(vec a) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(a));
  }
};

struct sse2_u16 {
  using unit = char16_t;
  using vec = __m128i;
  static constexpr std::ptrdiff_t lanes = 8;
  static constexpr int bits = 2;
  CORVANE_SIMD_TARGET static vec splat(unit c) { return _mm_set1_epi16(static_cast<short>(c)); }
  CORVANE_SIMD_TARGET static vec load(const unit* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  }
  CORVANE_SIMD_TARGET static vec eq(vec a, vec b) { return _mm_cmpeq_epi16(a, b); }
  CORVANE_SIMD_TARGET static vec or_(vec a, vec b) { return _mm_or_si128(a, b); }
  CORVANE_SIMD_TARGET static vec and_(vec a, vec b) { return _mm_and_si128(a, b); }
  CORVANE_SIMD_TARGET static std::uint32_t mask(vec a) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(a));
  }
};

#include "corvane/text/Bare_assemb_simd_body.hpp"

CORVANE_SIMD_TARGET const std::uint8_t* scan8(const std::uint8_t* s, std::ptrdiff_t n,
                                              std::uint8_t c) {
  return simd_scan<sse2_u8>(s, n, c);
}
CORVANE_SIMD_TARGET const char16_t* scan16(const char16_t* s, std::ptrdiff_t n, char16_t c) {
  return simd_scan<sse2_u16>(s, n, c);
}
CORVANE_SIMD_TARGET const std::uint8_t* find8(const std::uint8_t* s, std::ptrdiff_t n,
                                              const std::uint8_t* p, std::ptrdiff_t m) {
  return m == 1 ? simd_scan<sse2_u8>(s, n, p[0]) : simd_find<sse2_u8, false>(s, n, p, p, m);
}
CORVANE_SIMD_TARGET const char16_t* find16(const char16_t* s, std::ptrdiff_t n, const char16_t* p,
                                           std::ptrdiff_t m) {
  return m == 1 ? simd_scan<sse2_u16>(s, n, p[0]) : simd_find<sse2_u16, false>(s, n, p, p, m);
}
CORVANE_SIMD_TARGET const std::uint8_t* ifind8(const std::uint8_t* s, std::ptrdiff_t n,
                                               const std::uint8_t* a, const std::uint8_t* b,
                                               std::ptrdiff_t m) {
  return simd_find<sse2_u8, true>(s, n, a, b, m);
}
CORVANE_SIMD_TARGET const char16_t* ifind16(const char16_t* s, std::ptrdiff_t n, const char16_t* a,
                                            const char16_t* b, std::ptrdiff_t m) {
  return simd_find<sse2_u16, true>(s, n, a, b, m);
}

}  // namespace

#undef CORVANE_SIMD_TARGET

const bare_scan_kernels sse2_scan_kernels = {simd_level::sse2, "sse2", scan8,  scan16, find8,
                                             find16,           ifind8, ifind16};

}  // namespace corvane::detail

#endif  // __x86_64__
