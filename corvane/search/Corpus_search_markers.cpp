// Sentence and paragraph markers for the corpus search's counts. A paragraph is a line with
// some non-blank character on it; its sentences are cut as `corvane sentences` cuts them.
//
// Each marker is a character of its own in a marked copy of the text, placed right after
// the last non-blank character before the unit's first word. So the blank that leads into
// the unit's first word comes after the marker: the matcher counts that word as a word
// start inside the new unit, and the unit's word positions run from 2 (the boundary sets
// the position to 1, the first word start raises it). Hosts print the position
// less one.
#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Corpus_search_internal.hpp"
#include "corvane/text/Bare_assemb.hpp"

namespace corvane::detail {

namespace {

// The marker character itself: never searched for, only its class word counts.
constexpr char16_t kMarkerChar = 0x0001;

// False when no character of the paragraph can end a sentence, so that the sentence
// splitter need not look: in ASCII only ".", "!" and "?" can (other punctuation never
// does); anything beyond ASCII is left to the splitter.
bool may_end_a_sentence(std::u16string_view para) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128i dot = _mm_set1_epi16('.'), bang = _mm_set1_epi16('!'), query = _mm_set1_epi16('?');
  const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
  for (; i + 8 <= para.size(); i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(para.data() + i));
    const __m128i hit = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi16(v, dot), _mm_cmpeq_epi16(v, bang)),
        _mm_or_si128(_mm_cmpeq_epi16(v, query),
                     _mm_xor_si128(_mm_cmpeq_epi16(_mm_and_si128(v, high), _mm_setzero_si128()),
                                   _mm_set1_epi16(-1))));
    if (_mm_movemask_epi8(hit) != 0) return true;
  }
#endif
  for (; i < para.size(); ++i) {
    const char16_t c = para[i];
    if (c == u'.' || c == u'!' || c == u'?' || c >= 0x80) return true;
  }
  return false;
}

}  // namespace

void inner_sentence_starts(std::u16string_view para, std::uint32_t lcid, std::vector<int>& ends,
                           std::vector<std::size_t>& starts) {
  starts.clear();
  if (!may_end_a_sentence(para) || !sentence_ends_in_paragraph(para, lcid, 0, ends)) return;
  for (const int last : ends) {
    // The sentence's last non-blank character, 0-based in the paragraph.
    std::size_t end = static_cast<std::size_t>(last);
    while (end > 0 && is_blank(para[end - 1])) --end;
    // Only a sentence that another follows in the paragraph gets a boundary.
    std::size_t after = static_cast<std::size_t>(last);
    while (after < para.size() && is_blank(para[after])) ++after;
    if (end > 0 && after < para.size()) starts.push_back(end);
  }
}

void mark_structure(std::u16string_view text, std::uint32_t lcid, std::vector<char16_t>& marked,
                    std::vector<std::uint16_t>& classes, std::vector<std::int32_t>& inserted) {
  const std::uint16_t* const types = char_type1_table();
  // (position in text, marker code), in text order.
  std::vector<std::pair<std::size_t, std::uint16_t>> marks;
  std::vector<int> ends;
  std::vector<std::size_t> starts;
  std::size_t last_end = 0;  // just after the last non-blank character so far
  std::size_t line = 0;
  while (line < text.size()) {
    const char16_t* lf =
        FastStrScanW(text.data() + line, u'\n', static_cast<std::ptrdiff_t>(text.size() - line));
    std::size_t stop = lf == nullptr ? text.size() : static_cast<std::size_t>(lf - text.data());
    const std::size_t next_line = lf == nullptr ? text.size() : stop + 1;
    std::size_t content_end = stop;
    while (content_end > line && is_blank(text[content_end - 1])) --content_end;
    std::size_t first = line;
    while (first < content_end && is_blank(text[first])) ++first;
    if (first < content_end) {
      marks.emplace_back(last_end, marker_paragraph_start);
      marks.emplace_back(last_end, marker_sentence_start);
      inner_sentence_starts(text.substr(line, content_end - line), lcid, ends, starts);
      for (const std::size_t at : starts) marks.emplace_back(line + at, marker_sentence_start);
      last_end = content_end;
    }
    line = next_line;
  }

  marked.resize(text.size() + marks.size());
  classes.resize(text.size() + marks.size() + 2);
  inserted.clear();
  std::size_t from = 0, to = 0;
  auto copy_up_to = [&](std::size_t at) {
    for (; from < at; ++from, ++to) {
      marked[to] = text[from];
      classes[to] = types[text[from]];
    }
  };
  for (const auto& [at, code] : marks) {
    copy_up_to(at);
    inserted.push_back(static_cast<std::int32_t>(to));
    classes[to] = static_cast<std::uint16_t>(kMarkerBit | code);
    marked[to++] = kMarkerChar;
  }
  copy_up_to(text.size());
}

}  // namespace corvane::detail
