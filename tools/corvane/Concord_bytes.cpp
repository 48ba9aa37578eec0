// Counting hits without decoding the whole text. A search word of plain ASCII characters
// can only match where the raw bytes hold, at each of its positions, one of its case forms'
// bytes: UTF-8 and the 8-bit code pages write ASCII as itself and nothing else with those
// bytes. So the bytes are scanned for the word with the vector scan, each line that holds
// a candidate is decoded and searched as usual (a line break always comes before and after
// a word, so a line decides its hits alone), and the words of the whole text are counted
// on the bytes. A rare word is then counted at the speed of the scan.
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "corvane/platform/CharTypes.hpp"
#include "corvane/text/Bare_assemb.hpp"
#include "tools/corvane/Concord_internal.hpp"

namespace corvane::cli {

namespace {

inline bool line_break(unsigned char b) {
  return b == '\n' || b == '\r';
}

// Bits set in a 16-bit mask, without the library call that __builtin_popcount becomes on
// processors the build does not assume to have POPCNT.
inline unsigned bits16(unsigned x) {
  x = x - ((x >> 1) & 0x5555u);
  x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
  x = (x + (x >> 4)) & 0x0F0Fu;
  return (x + (x >> 8)) & 0x1Fu;
}

}  // namespace

void file_searcher::prepare_byte_patterns() {
  byte_patterns_.clear();
  if (!plan_.count_only || plan_.markers) return;
  std::vector<std::pair<std::string, std::string>> patterns;
  for (const TSearch_word_format_rec& w : plan_.words) {
    const std::u16string& text = w.search_text;
    const bool same = w.flags.contains(myCaseIsSensitive);
    const std::u16string* forms[3] = {&w.copies[same ? unchanged_copy : upper_copy],
                                      &w.copies[same ? unchanged_copy : lower_copy],
                                      &w.copies[same ? unchanged_copy : title_copy]};
    std::string a, b;
    for (std::size_t i = 0; i < text.size(); ++i) {
      char16_t c[3];
      for (int f = 0; f < 3; ++f) {
        // Printable ASCII only: wildcard codes, blanks and other scripts go the usual way.
        if (forms[f]->size() != text.size()) return;
        c[f] = (*forms[f])[i];
        if (c[f] <= 0x20 || c[f] >= 0x7F) return;
      }
      const char16_t x = c[0];
      const char16_t y = c[1] != x ? c[1] : c[2];
      if (c[2] != x && c[2] != y) return;
      a += static_cast<char>(x);
      b += static_cast<char>(y);
    }
    if (a.empty()) return;
    patterns.emplace_back(std::move(a), std::move(b));
  }
  byte_patterns_ = std::move(patterns);
}

bool file_searcher::count_by_bytes(text_file_reader& reader, bool first, const std::string& path,
                                   PartResult& r) {
  const unsigned char* p = reader.raw_bytes();
  if (byte_patterns_.empty() || p == nullptr) return false;
  const std::size_t from = reader.raw_from(), to = reader.raw_size();
  if (reader.raw_trusted() &&
      (std::memchr(p + from, 0, to - from) != nullptr || !is_strict_utf8(p + from, to - from)))
    throw text_not_utf8();

  // The lines that hold a candidate; too many, and the text is searched whole.
  const std::size_t most = (to - from) / 16384 + 16;
  std::vector<std::pair<std::size_t, std::size_t>> lines;
  const auto* bytes = reinterpret_cast<const char*>(p);
  for (const auto& [a, b] : byte_patterns_) {
    for (std::size_t at = from; at < to;) {
      const char* hit =
          FastStrIPos(bytes + at, a.c_str(), b.c_str(), static_cast<std::ptrdiff_t>(to - at));
      if (hit == nullptr) break;
      const auto c = static_cast<std::size_t>(hit - bytes);
      std::size_t start = c, end = c;
      while (start > from && !line_break(p[start - 1])) --start;
      while (end < to && !line_break(p[end])) ++end;
      lines.emplace_back(start, end);
      if (lines.size() > most) return false;
      at = end;
    }
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());

  const std::size_t n_words = plan_.words.size();
  r.counted.assign(n_words, 0);
  std::atomic<std::uint64_t> ignored{0};
  PartResult line_result;
  for (const auto& [start, end] : lines) {
    text_file_reader line(reader, start, end);
    search_pieces(line, false, path, line_result, ignored);
    for (std::size_t w = 0; w < n_words; ++w) r.counted[w] += line_result.counted[w];
  }
  // Without markers the units' word positions are word counts too.
  const std::int64_t words = count_word_starts(p, from, to, reader.raw_byte_map(), first);
  r.stats.assign(n_words, TSearchStatsRec{});
  for (TSearchStatsRec& s : r.stats) {
    s.number[stats_word] = static_cast<std::int32_t>(words);
    for (int k : {stats_sentence, stats_paragraph, stats_section})
      s.position[k] = s.out_of[k] = static_cast<std::int32_t>(words);
  }
  // Counting needs no positions: the part's size in bytes stands for its length.
  r.units = static_cast<std::int64_t>(to - from);
  return true;
}

std::int64_t count_word_starts(const unsigned char* p, std::size_t from, std::size_t to,
                               const char16_t* map, bool first) {
  if (from >= to) return 0;
  const std::uint16_t* const types = char_type1_table();
  std::int64_t count = 0;
  unsigned prev_blank = first ? 1 : 0;
  std::size_t i = from;
  while (i < to) {
#if defined(__SSE2__)
    // Sixteen ASCII bytes at a time: a byte is blank below 0x21 and at 0x7F.
    const __m128i space = _mm_set1_epi8(0x21), del = _mm_set1_epi8(0x7F);
    while (i + 16 <= to) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      if (_mm_movemask_epi8(v) != 0) break;
      const auto blank = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_or_si128(_mm_cmplt_epi8(v, space), _mm_cmpeq_epi8(v, del))));
      const unsigned after_blank = ((blank << 1) | prev_blank) & 0xFFFF;
      count += bits16(~blank & after_blank & 0xFFFF);
      prev_blank = blank >> 15;
      i += 16;
    }
    if (i >= to) break;
#endif
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

}  // namespace corvane::cli
