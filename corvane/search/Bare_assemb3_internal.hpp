#pragma once
// Internal to the buffer matcher: the vector kernels that skip over quiet characters.

#include <cstdint>

namespace corvane::detail {

// Walks the UTF-16 characters `c` and class words `w` from index i in whole blocks (8
// characters for SSE2, 16 for AVX2) while a block and the class word after it fit, that is
// while i + width <= end; `w[end]` must be readable. Stops at the first character that is
// a marker (class bit 0x8000) or equals a, b or t and returns its index, or returns the
// index where whole blocks no longer fit. Adds to `starts` the word starts (a whitespace
// class word followed by one that is not) among the characters passed over.
std::int32_t matcher_skip_sse2(const char16_t* c, const std::uint16_t* w, std::int32_t i,
                               std::int32_t end, char16_t a, char16_t b, char16_t t,
                               std::int32_t& starts);
std::int32_t matcher_skip_avx2(const char16_t* c, const std::uint16_t* w, std::int32_t i,
                               std::int32_t end, char16_t a, char16_t b, char16_t t,
                               std::int32_t& starts);

}  // namespace corvane::detail
