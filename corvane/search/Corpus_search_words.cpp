// Counting words on a text's raw bytes, as the matcher counts them on the decoded
// characters: a word starts at a non-blank character after a blank one. ASCII runs go
// through a kernel (scalar reference, SSE2, AVX2 picked at run time); other characters are
// decoded one at a time.
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Corpus_search_internal.hpp"
#include "corvane/text/Bare_assemb_kernels.hpp"

namespace corvane::detail {

namespace {

inline unsigned ascii_blank(unsigned char b) {
  return b < 0x21 || b == 0x7F ? 1 : 0;
}

// Sixteen bytes a block: the scalar reference keeps the vector kernels' block rule, so that
// all three stop at the same place.
std::size_t scalar_ascii_run(const unsigned char* p, std::size_t n, std::int64_t& count,
                             unsigned& blank_before) {
  std::size_t i = 0;
  while (i + 16 <= n) {
    bool ascii = true;
    for (std::size_t k = 0; k < 16; ++k) ascii = ascii && p[i + k] < 0x80;
    if (!ascii) break;
    for (std::size_t k = 0; k < 16; ++k) {
      const unsigned blank = ascii_blank(p[i + k]);
      if (!blank && blank_before) ++count;
      blank_before = blank;
    }
    i += 16;
  }
  return i;
}

// Code units the bytes decode to, CR LF pairs wholly inside counted once as two units.
std::uint64_t scalar_units(const unsigned char* p, std::size_t n, bool utf8) {
  std::uint64_t units = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned b = p[i];
    units += !utf8 || (b & 0xC0) != 0x80 ? 1 : 0;
    units += utf8 && b >= 0xF0 ? 1 : 0;
    units += b == '\r' || b == '\n' ? 1 : 0;
    if (b == '\r' && i + 1 < n && p[i + 1] == '\n') units -= 2;
  }
  return units;
}

#if defined(__x86_64__)

// Bits set in a mask, without the library call that __builtin_popcount becomes on
// processors the build does not assume to have POPCNT.
inline unsigned bits32(std::uint32_t x) {
  x = x - ((x >> 1) & 0x55555555u);
  x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
  x = (x + (x >> 4)) & 0x0F0F0F0Fu;
  return (x * 0x01010101u) >> 24;
}

std::size_t sse2_ascii_run(const unsigned char* p, std::size_t n, std::int64_t& count,
                           unsigned& blank_before) {
  const __m128i space = _mm_set1_epi8(0x21), del = _mm_set1_epi8(0x7F);
  std::size_t i = 0;
  unsigned prev = blank_before;
  std::int64_t c = 0;
  while (i + 16 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    if (_mm_movemask_epi8(v) != 0) break;
    const auto blank = static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmplt_epi8(v, space), _mm_cmpeq_epi8(v, del))));
    const std::uint32_t after_blank = ((blank << 1) | prev) & 0xFFFF;
    c += bits32(~blank & after_blank & 0xFFFF);
    prev = blank >> 15;
    i += 16;
  }
  count += c;
  blank_before = prev;
  return i;
}

__attribute__((target("avx2,popcnt"))) std::size_t avx2_ascii_run(const unsigned char* p,
                                                                  std::size_t n,
                                                                  std::int64_t& count,
                                                                  unsigned& blank_before) {
  const __m256i space = _mm256_set1_epi8(0x21), del = _mm256_set1_epi8(0x7F);
  std::size_t i = 0;
  std::uint64_t prev = blank_before;
  std::int64_t c = 0;
  while (i + 32 <= n) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
    if (_mm256_movemask_epi8(v) != 0) break;
    const auto blank = static_cast<std::uint32_t>(_mm256_movemask_epi8(
        _mm256_or_si256(_mm256_cmpgt_epi8(space, v), _mm256_cmpeq_epi8(v, del))));
    const std::uint32_t after_blank = (blank << 1) | static_cast<std::uint32_t>(prev);
    c += _mm_popcnt_u32(~blank & after_blank);
    prev = blank >> 31;
    i += 32;
  }
  count += c;
  blank_before = static_cast<unsigned>(prev);
  // The last sixteen bytes of a block the 32-byte loop could not take.
  return i + sse2_ascii_run(p + i, n - i, count, blank_before);
}

std::uint64_t sum_bytes(__m128i acc) {
  const __m128i sums = _mm_sad_epu8(acc, _mm_setzero_si128());
  return static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) +
         static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
}

std::uint64_t sse2_units(const unsigned char* p, std::size_t n, bool utf8) {
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  const __m128i cont_top = _mm_set1_epi8(static_cast<char>(0xC0 - 0x100));
  const __m128i lead4 = _mm_set1_epi8(static_cast<char>(0xEF - 0x100));
  const __m128i zero = _mm_setzero_si128();
  std::uint64_t units = 0, pairs = 0;
  std::size_t i = 0;
  // Each block looks one byte ahead for the LF of a CR LF pair. Per-byte counters, summed
  // before they can overflow: at most three events a byte per block.
  while (i + 17 <= n) {
    __m128i plus = zero, minus = zero;
    for (int round = 0; round < 80 && i + 17 <= n; ++round, i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
      const __m128i is_cr = _mm_cmpeq_epi8(v, cr);
      plus = _mm_sub_epi8(plus, _mm_or_si128(is_cr, _mm_cmpeq_epi8(v, lf)));
      minus = _mm_sub_epi8(minus, _mm_and_si128(is_cr, _mm_cmpeq_epi8(next, lf)));
      if (utf8) {
        // Signed: bytes 0x80-0xBF are below both zero and 0xC0; 0xF0 and above are above 0xEF.
        const __m128i high = _mm_cmplt_epi8(v, zero);
        plus = _mm_sub_epi8(plus, _mm_andnot_si128(_mm_and_si128(high, _mm_cmplt_epi8(v, cont_top)),
                                                   _mm_set1_epi8(-1)));
        plus = _mm_sub_epi8(plus, _mm_and_si128(high, _mm_cmpgt_epi8(v, lead4)));
      } else {
        plus = _mm_sub_epi8(plus, _mm_set1_epi8(-1));
      }
    }
    units += sum_bytes(plus);
    pairs += sum_bytes(minus);
  }
  return units - 2 * pairs + scalar_units(p + i, n - i, utf8);
}

constexpr word_start_kernel kSse2{"sse2", sse2_ascii_run, sse2_units};
constexpr word_start_kernel kAvx2{"avx2", avx2_ascii_run, sse2_units};

#endif

constexpr word_start_kernel kScalar{"scalar", scalar_ascii_run, scalar_units};

}  // namespace

const word_start_kernel& scalar_word_start_kernel() {
  return kScalar;
}

std::vector<const word_start_kernel*> supported_word_start_kernels() {
  std::vector<const word_start_kernel*> kernels = {&kScalar};
#if defined(__x86_64__)
  if (simd_level_supported(simd_level::sse2)) kernels.push_back(&kSse2);
  if (simd_level_supported(simd_level::avx2) && __builtin_cpu_supports("popcnt"))
    kernels.push_back(&kAvx2);
#endif
  return kernels;
}

const word_start_kernel& active_word_start_kernel() {
  static const word_start_kernel* const best = supported_word_start_kernels().back();
  return *best;
}

std::int64_t count_word_starts(const unsigned char* p, std::size_t from, std::size_t to,
                               const char16_t* map, bool first) {
  if (from >= to) return 0;
  const std::uint16_t* const types = char_type1_table();
  const word_start_kernel& kernel = active_word_start_kernel();
  std::int64_t count = 0;
  unsigned prev_blank = first ? 1 : 0;
  std::size_t i = from;
  while (i < to) {
    i += kernel.ascii_run(p + i, to - i, count, prev_blank);
    if (i >= to) break;
    const unsigned b = p[i];
    std::uint32_t c = b;
    std::size_t len = 1;
    if (b >= 0x80) {
      if (map != nullptr) {
        c = map[b];
      } else if (b < 0xE0) {
        c = (b & 0x1F) << 6 | (p[i + 1] & 0x3F);
        len = 2;
      } else if (b < 0xF0) {
        c = (b & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F);
        len = 3;
      } else {
        c = 0x10000;  // a surrogate pair: no blank
        len = 4;
      }
    }
    const unsigned blank = c < 0x10000 && (types[c] & kWhitespaceClasses) != 0 ? 1 : 0;
    if (!blank && prev_blank) ++count;
    prev_blank = blank;
    i += len;
  }
  // The decoded text always ends with a line break (the decoder closes an open last line),
  // and the spare class word after it reads as the start of a word.
  return count + 1;
}

}  // namespace corvane::detail
