// Terminal display widths, with ICU's grapheme cluster breaks and character properties.
#include "corvane/text/Display_columns.hpp"

#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <memory>
#include <vector>

namespace corvane {

namespace {

// ASCII takes a column a character (controls too: hosts show them as spaces).
bool all_plain_ascii(std::u16string_view text) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i del = _mm_set1_epi16(0x7F);
  for (; i + 8 <= text.size(); i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i bad =
        _mm_or_si128(_mm_xor_si128(_mm_cmpeq_epi16(_mm_and_si128(v, high), _mm_setzero_si128()),
                                   _mm_set1_epi16(-1)),
                     _mm_cmpeq_epi16(v, del));
    if (_mm_movemask_epi8(bad) != 0) return false;
  }
#endif
  for (; i < text.size(); ++i)
    if (text[i] >= 0x7F) return false;
  return true;
}

std::size_t char_columns(UChar32 c) {
  if (c < 0x7F) return 1;
  const auto gc = U_GET_GC_MASK(c);
  if ((gc & (U_GC_MN_MASK | U_GC_ME_MASK | U_GC_CF_MASK)) != 0) return 0;
  if (c == 0x200B || (c >= 0x1160 && c <= 0x11FF)) return 0;  // zero width, Hangul jamo
  const int eaw = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
  if (eaw == U_EA_WIDE || eaw == U_EA_FULLWIDTH) return 2;
  if (u_hasBinaryProperty(c, UCHAR_EMOJI_PRESENTATION)) return 2;
  return 1;
}

struct break_closer {
  void operator()(UBreakIterator* b) const { ubrk_close(b); }
};

// The cluster boundaries of the text, 0 and its size included.
void cluster_bounds(std::u16string_view text, std::vector<std::size_t>& bounds) {
  bounds.clear();
  thread_local std::unique_ptr<UBreakIterator, break_closer> it;
  UErrorCode status = U_ZERO_ERROR;
  if (!it) {
    it.reset(ubrk_open(UBRK_CHARACTER, "", nullptr, 0, &status));
    if (U_FAILURE(status)) it.reset();
  }
  status = U_ZERO_ERROR;
  if (it) ubrk_setText(it.get(), text.data(), static_cast<std::int32_t>(text.size()), &status);
  if (!it || U_FAILURE(status)) {
    // No break iterator: every code point is a cluster.
    for (std::size_t i = 0; i < text.size();) {
      bounds.push_back(i);
      i += U16_IS_LEAD(text[i]) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1]) ? 2 : 1;
    }
    bounds.push_back(text.size());
    return;
  }
  for (std::int32_t b = ubrk_first(it.get()); b != UBRK_DONE; b = ubrk_next(it.get()))
    bounds.push_back(static_cast<std::size_t>(b));
  if (bounds.empty() || bounds.back() != text.size()) bounds.push_back(text.size());
}

std::size_t cluster_columns(std::u16string_view text, std::size_t from, std::size_t to) {
  // Control characters (a CR LF pair is one cluster) each take a column as a space.
  if (text[from] < 0x20) return to - from;
  UChar32 c;
  std::size_t i = from;
  U16_NEXT(text.data(), i, text.size(), c);
  return char_columns(c);
}

}  // namespace

std::size_t display_columns(std::u16string_view text) {
  if (all_plain_ascii(text)) return text.size();
  std::vector<std::size_t> bounds;
  cluster_bounds(text, bounds);
  std::size_t columns = 0;
  for (std::size_t k = 0; k + 1 < bounds.size(); ++k)
    columns += cluster_columns(text, bounds[k], bounds[k + 1]);
  return columns;
}

std::u16string_view display_head(std::u16string_view text, std::size_t columns, std::size_t& used) {
  if (all_plain_ascii(text)) {
    used = std::min(columns, text.size());
    return text.substr(0, used);
  }
  std::vector<std::size_t> bounds;
  cluster_bounds(text, bounds);
  used = 0;
  std::size_t end = 0;
  for (std::size_t k = 0; k + 1 < bounds.size(); ++k) {
    const std::size_t w = cluster_columns(text, bounds[k], bounds[k + 1]);
    if (used + w > columns) break;
    used += w;
    end = bounds[k + 1];
  }
  return text.substr(0, end);
}

std::u16string_view display_tail(std::u16string_view text, std::size_t columns, std::size_t& used) {
  if (all_plain_ascii(text)) {
    used = std::min(columns, text.size());
    return text.substr(text.size() - used);
  }
  std::vector<std::size_t> bounds;
  cluster_bounds(text, bounds);
  used = 0;
  std::size_t start = text.size();
  for (std::size_t k = bounds.size() - 1; k > 0; --k) {
    const std::size_t w = cluster_columns(text, bounds[k - 1], bounds[k]);
    if (used + w > columns) break;
    used += w;
    start = bounds[k - 1];
  }
  return text.substr(start);
}

}  // namespace corvane
