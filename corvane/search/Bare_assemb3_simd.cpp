// The vector kernels of the buffer matcher. Each compares a block of class words (and the
// block shifted by one, for the word-start test) and characters at once, and hands the
// block back to the scalar loop as soon as it holds a character that needs attention.

#include "corvane/search/Bare_assemb3_internal.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define CORVANE_MATCHER_X86 1
#endif

namespace corvane::detail {

#if CORVANE_MATCHER_X86

std::int32_t matcher_skip_sse2(const char16_t* c, const std::uint16_t* w, std::int32_t i,
                               std::int32_t end, char16_t a, char16_t b, char16_t t,
                               std::int32_t& starts) {
  const __m128i ws_bits = _mm_set1_epi16(0x68);
  const __m128i zero = _mm_setzero_si128();
  const __m128i va = _mm_set1_epi16(static_cast<short>(a));
  const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
  const __m128i vt = _mm_set1_epi16(static_cast<short>(t));
  std::int32_t s = 0;
  while (i + 8 <= end) {
    const __m128i W = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + i));
    const __m128i Wn = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + i + 1));
    const __m128i C = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + i));
    const __m128i not_ws = _mm_cmpeq_epi16(_mm_and_si128(W, ws_bits), zero);
    const __m128i next_not_ws = _mm_cmpeq_epi16(_mm_and_si128(Wn, ws_bits), zero);
    const __m128i start = _mm_andnot_si128(not_ws, next_not_ws);
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(C, va), _mm_cmpeq_epi16(C, vb)),
                                     _mm_or_si128(_mm_cmpeq_epi16(C, vt), _mm_srai_epi16(W, 15)));
    const unsigned em = static_cast<unsigned>(_mm_movemask_epi8(hit));
    const unsigned sm = static_cast<unsigned>(_mm_movemask_epi8(start));
    if (em != 0) {
      const int k = __builtin_ctz(em);  // a byte index: two per character
      s += __builtin_popcount(sm & ((1u << k) - 1)) / 2;
      starts += s;
      return i + k / 2;
    }
    s += __builtin_popcount(sm) / 2;
    i += 8;
  }
  starts += s;
  return i;
}

__attribute__((target("avx2,popcnt,bmi"))) std::int32_t matcher_skip_avx2(
    const char16_t* c, const std::uint16_t* w, std::int32_t i, std::int32_t end, char16_t a,
    char16_t b, char16_t t, std::int32_t& starts) {
  const __m256i ws_bits = _mm256_set1_epi16(0x68);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i va = _mm256_set1_epi16(static_cast<short>(a));
  const __m256i vb = _mm256_set1_epi16(static_cast<short>(b));
  const __m256i vt = _mm256_set1_epi16(static_cast<short>(t));
  std::int32_t s = 0;
  while (i + 16 <= end) {
    const __m256i W = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + i));
    const __m256i Wn = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + i + 1));
    const __m256i C = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + i));
    const __m256i not_ws = _mm256_cmpeq_epi16(_mm256_and_si256(W, ws_bits), zero);
    const __m256i next_not_ws = _mm256_cmpeq_epi16(_mm256_and_si256(Wn, ws_bits), zero);
    const __m256i start = _mm256_andnot_si256(not_ws, next_not_ws);
    const __m256i hit =
        _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi16(C, va), _mm256_cmpeq_epi16(C, vb)),
                        _mm256_or_si256(_mm256_cmpeq_epi16(C, vt), _mm256_srai_epi16(W, 15)));
    const unsigned em = static_cast<unsigned>(_mm256_movemask_epi8(hit));
    const unsigned sm = static_cast<unsigned>(_mm256_movemask_epi8(start));
    if (em != 0) {
      const int k = __builtin_ctz(em);
      // k <= 30 here, so the shift is defined.
      s += __builtin_popcount(sm & ((1u << k) - 1)) / 2;
      starts += s;
      return i + k / 2;
    }
    s += __builtin_popcount(sm) / 2;
    i += 16;
  }
  starts += s;
  return i;
}

#else

std::int32_t matcher_skip_sse2(const char16_t*, const std::uint16_t*, std::int32_t i, std::int32_t,
                               char16_t, char16_t, char16_t, std::int32_t&) {
  return i;
}
std::int32_t matcher_skip_avx2(const char16_t*, const std::uint16_t*, std::int32_t i, std::int32_t,
                               char16_t, char16_t, char16_t, std::int32_t&) {
  return i;
}

#endif

}  // namespace corvane::detail
