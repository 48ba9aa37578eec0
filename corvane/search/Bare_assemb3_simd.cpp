// The vector kernels of the buffer matcher. Each compares a block of class words (and the
// block shifted by one, for the word-start test) and characters at once, counts the word
// starts of a block with nothing in it, and hands the block back to the scalar loop at the
// first character that needs attention.

#include "corvane/search/Bare_assemb3_internal.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define CORVANE_MATCHER_X86 1
#endif

namespace corvane::detail {

#if CORVANE_MATCHER_X86

namespace {

// One block of 8: the event and word-start masks (two bits per character).
template <bool Second>
inline void block_sse2(const char16_t* c, const std::uint16_t* w, const __m128i* pat,
                       unsigned& events, unsigned& starts) {
  const __m128i ws_bits = _mm_set1_epi16(0x68);
  const __m128i zero = _mm_setzero_si128();
  const __m128i W = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w));
  const __m128i Wn = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 1));
  const __m128i C = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c));
  const __m128i not_ws = _mm_cmpeq_epi16(_mm_and_si128(W, ws_bits), zero);
  const __m128i next_not_ws = _mm_cmpeq_epi16(_mm_and_si128(Wn, ws_bits), zero);
  __m128i cand = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(C, pat[0]), _mm_cmpeq_epi16(C, pat[1])),
                              _mm_cmpeq_epi16(C, pat[2]));
  if constexpr (Second) {
    const __m128i Cn = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + 1));
    const __m128i markup =
        _mm_cmpeq_epi16(_mm_and_si128(Wn, _mm_set1_epi16(short(0x8800))), _mm_set1_epi16(0x0800));
    const __m128i next =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(Cn, pat[3]), _mm_cmpeq_epi16(Cn, pat[4])),
                     _mm_or_si128(_mm_cmpeq_epi16(Cn, pat[5]), markup));
    cand = _mm_and_si128(cand, next);
  }
  events = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(cand, _mm_srai_epi16(W, 15))));
  starts = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(not_ws, next_not_ws)));
}

template <bool Second>
std::int32_t skip_sse2(const char16_t* c, const std::uint16_t* w, std::int32_t i, std::int32_t end,
                       const matcher_skip_pattern& p, std::int32_t& starts) {
  __m128i pat[6];
  for (int k = 0; k < 3; ++k) {
    pat[k] = _mm_set1_epi16(static_cast<short>(p.first[k]));
    pat[3 + k] = _mm_set1_epi16(static_cast<short>(p.next[k]));
  }
  std::int32_t s = 0;
  while (i + 8 < end) {
    unsigned em, sm;
    block_sse2<Second>(c + i, w + i, pat, em, sm);
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

template <bool Second>
__attribute__((target("avx2,popcnt,bmi"))) std::int32_t skip_avx2(const char16_t* c,
                                                                  const std::uint16_t* w,
                                                                  std::int32_t i, std::int32_t end,
                                                                  const matcher_skip_pattern& p,
                                                                  std::int32_t& starts) {
  const __m256i ws_bits = _mm256_set1_epi16(0x68);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i markup_mask = _mm256_set1_epi16(short(0x8800));
  const __m256i markup_bit = _mm256_set1_epi16(0x0800);
  __m256i pat[6];
  for (int k = 0; k < 3; ++k) {
    pat[k] = _mm256_set1_epi16(static_cast<short>(p.first[k]));
    pat[3 + k] = _mm256_set1_epi16(static_cast<short>(p.next[k]));
  }
  std::int32_t s = 0;
  while (i + 16 < end) {
    const __m256i W = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + i));
    const __m256i Wn = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + i + 1));
    const __m256i C = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + i));
    const __m256i not_ws = _mm256_cmpeq_epi16(_mm256_and_si256(W, ws_bits), zero);
    const __m256i next_not_ws = _mm256_cmpeq_epi16(_mm256_and_si256(Wn, ws_bits), zero);
    __m256i cand = _mm256_or_si256(
        _mm256_or_si256(_mm256_cmpeq_epi16(C, pat[0]), _mm256_cmpeq_epi16(C, pat[1])),
        _mm256_cmpeq_epi16(C, pat[2]));
    if constexpr (Second) {
      const __m256i Cn = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + i + 1));
      const __m256i markup = _mm256_cmpeq_epi16(_mm256_and_si256(Wn, markup_mask), markup_bit);
      const __m256i next = _mm256_or_si256(
          _mm256_or_si256(_mm256_cmpeq_epi16(Cn, pat[3]), _mm256_cmpeq_epi16(Cn, pat[4])),
          _mm256_or_si256(_mm256_cmpeq_epi16(Cn, pat[5]), markup));
      cand = _mm256_and_si256(cand, next);
    }
    const unsigned em = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_or_si256(cand, _mm256_srai_epi16(W, 15))));
    const unsigned sm =
        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_andnot_si256(not_ws, next_not_ws)));
    if (em != 0) {
      const int k = __builtin_ctz(em);  // k <= 30, so the shift is defined
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

}  // namespace

std::int32_t matcher_skip_sse2(const char16_t* c, const std::uint16_t* w, std::int32_t i,
                               std::int32_t end, const matcher_skip_pattern& p,
                               std::int32_t& starts) {
  return p.second ? skip_sse2<true>(c, w, i, end, p, starts)
                  : skip_sse2<false>(c, w, i, end, p, starts);
}

std::int32_t matcher_skip_avx2(const char16_t* c, const std::uint16_t* w, std::int32_t i,
                               std::int32_t end, const matcher_skip_pattern& p,
                               std::int32_t& starts) {
  return p.second ? skip_avx2<true>(c, w, i, end, p, starts)
                  : skip_avx2<false>(c, w, i, end, p, starts);
}

#else

std::int32_t matcher_skip_sse2(const char16_t*, const std::uint16_t*, std::int32_t i, std::int32_t,
                               const matcher_skip_pattern&, std::int32_t&) {
  return i;
}
std::int32_t matcher_skip_avx2(const char16_t*, const std::uint16_t*, std::int32_t i, std::int32_t,
                               const matcher_skip_pattern&, std::int32_t&) {
  return i;
}

#endif

}  // namespace corvane::detail
