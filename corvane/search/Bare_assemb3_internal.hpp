#pragma once
// Internal to the buffer matcher: the vector kernels that pass over quiet characters.

#include <cstdint>

namespace corvane::detail {

// What makes a character a candidate start: it equals one of the three case forms of the
// search text's first character and, when `second` is set, the character after it equals
// one of the forms of the second search character or is mark-up (which the match would
// pass over). The second test is only used where a mismatch there must fail the match.
struct matcher_skip_pattern {
  char16_t first[3];
  char16_t next[3];
  bool second;
};

// Walks the UTF-16 characters `c` and class words `w` from index i in whole blocks (8
// characters for SSE2, 16 for AVX2) while a block fits with one character and one class
// word after it to spare (i + width < end, with `w[end]` readable). Stops at the first
// character that is a marker (class bit 0x8000) or a candidate and returns its index, or
// returns the index where whole blocks no longer fit. Adds to `starts` the word starts (a
// white-space class word followed by one that is not) among the characters passed over.
std::int32_t matcher_skip_sse2(const char16_t* c, const std::uint16_t* w, std::int32_t i,
                               std::int32_t end, const matcher_skip_pattern& p,
                               std::int32_t& starts);
std::int32_t matcher_skip_avx2(const char16_t* c, const std::uint16_t* w, std::int32_t i,
                               std::int32_t end, const matcher_skip_pattern& p,
                               std::int32_t& starts);

}  // namespace corvane::detail
