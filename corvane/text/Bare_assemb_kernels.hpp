#pragma once
// The scan kernels behind FastStrPos, FastStrIPos and FastStrScan: a scalar reference and
// vector versions (SSE2, AVX2), one table of them per instruction set. The public routines
// use the best table the processor supports; tests and benchmarks may pick any supported
// one. Each kernel returns a pointer to the first hit in s[0, n), or null.

#include <cstddef>
#include <cstdint>

namespace corvane::detail {

enum class simd_level { scalar, sse2, avx2 };

struct bare_scan_kernels {
  simd_level level;
  const char* name;
  // The first `c`.
  const std::uint8_t* (*scan8)(const std::uint8_t* s, std::ptrdiff_t n, std::uint8_t c);
  const char16_t* (*scan16)(const char16_t* s, std::ptrdiff_t n, char16_t c);
  // The first occurrence of the m units of `p`. Requires 1 <= m.
  const std::uint8_t* (*find8)(const std::uint8_t* s, std::ptrdiff_t n, const std::uint8_t* p,
                               std::ptrdiff_t m);
  const char16_t* (*find16)(const char16_t* s, std::ptrdiff_t n, const char16_t* p,
                            std::ptrdiff_t m);
  // The first position i at which s[i + k] equals a[k] or b[k] for every k < m.
  // Requires 1 <= m.
  const std::uint8_t* (*ifind8)(const std::uint8_t* s, std::ptrdiff_t n, const std::uint8_t* a,
                                const std::uint8_t* b, std::ptrdiff_t m);
  const char16_t* (*ifind16)(const char16_t* s, std::ptrdiff_t n, const char16_t* a,
                             const char16_t* b, std::ptrdiff_t m);
};

// True when this build has the level's kernels and the processor can run them.
bool simd_level_supported(simd_level level);
// The kernels of a supported level (the scalar ones for an unsupported level).
const bare_scan_kernels& scan_kernels(simd_level level);
// The kernels the public routines use: the best supported level, decided once.
const bare_scan_kernels& active_scan_kernels();

// The tables themselves; the vector ones exist on x86-64 only.
extern const bare_scan_kernels scalar_scan_kernels;
#if defined(__x86_64__)
extern const bare_scan_kernels sse2_scan_kernels;
extern const bare_scan_kernels avx2_scan_kernels;
#endif

}  // namespace corvane::detail
