// Searching without decoding the whole text. A search word of plain ASCII characters can
// only match where the raw bytes hold, at each of its positions, one of its case forms'
// bytes: UTF-8 and the 8-bit code pages write ASCII as itself and nothing else with those
// bytes. So the bytes are scanned for the word with the vector scan, each line that holds
// a candidate is decoded and searched as usual (a line break always comes before and after
// a word, so a line decides its hits alone), and the words and code units of everything
// else are counted on the bytes: a hit's position and word number are what a search of
// the whole text gives. A rare word is then found at the speed of the scan.
//
// Also where a text's bytes are cut into ranges, and the text decoded round a byte.
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "corvane/platform/CharTypes.hpp"
#include "corvane/search/Corpus_search_internal.hpp"
#include "corvane/text/Bare_assemb.hpp"

namespace corvane::detail {

namespace {

inline bool line_break(unsigned char b) {
  return b == '\n' || b == '\r';
}

// The first character boundary at or after x (or at or before it), never between CR and LF.
std::size_t boundary_after(const unsigned char* p, std::size_t n, bool utf8, std::size_t x) {
  while (utf8 && x < n && (p[x] & 0xC0) == 0x80) ++x;
  if (x > 0 && x < n && p[x - 1] == '\r' && p[x] == '\n') ++x;
  return x;
}

std::size_t boundary_before(const unsigned char* p, std::size_t n, bool utf8, std::size_t x) {
  while (utf8 && x > 0 && x < n && (p[x] & 0xC0) == 0x80) --x;
  if (x > 0 && x < n && p[x - 1] == '\r' && p[x] == '\n') --x;
  return x;
}

void decode_bytes(const text_file_reader& whole, std::size_t a, std::size_t b,
                  std::u16string& out) {
  if (b <= a) return;
  text_file_reader range(whole, a, b);
  const std::size_t at = out.size();
  // At most two units a byte, and room for the decoder's vector stores.
  out.resize(at + 2 * (b - a) + 64);
  std::size_t n = at;
  for (std::size_t got; (got = range.read(out.data() + n, out.size() - n)) > 0;) n += got;
  out.resize(n);
}

}  // namespace

void decode_window(const text_file_reader& whole, std::size_t at, bool after, std::size_t units,
                   std::u16string& out) {
  out.clear();
  const unsigned char* p = whole.raw_bytes();
  const std::size_t n = whole.raw_size();
  if (p == nullptr || units == 0) return;
  const bool utf8 = whole.raw_byte_map() == nullptr;
  // A code unit takes at most three bytes.
  const std::size_t span = 3 * units + 8;
  // The window lies in a neighbouring range, which may have been read and given back
  // already: its bytes are given back again once decoded.
  constexpr std::size_t kBlock = std::size_t{64} << 10;
  if (after) {
    const std::size_t b = boundary_before(p, n, utf8, std::min(n, at + span));
    decode_bytes(whole, at, b, out);
    whole.release(at, b + kBlock - 1);
    if (out.size() > units) out.resize(units);
  } else {
    const std::size_t a = boundary_after(p, n, utf8, at > span ? at - span : 0);
    decode_bytes(whole, a, at, out);
    whole.release(a, at);
    if (out.size() > units) out.erase(0, out.size() - units);
  }
}

void part_searcher::prepare_byte_patterns() {
  s_->byte_patterns.clear();
  // A word limit makes the words searched depend on where the scan stops (but counting
  // counts them all).
  if (!plan_.options.byte_prefilter ||
      (plan_.options.max_per_word > 0 && !plan_.options.count_only))
    return;
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
  s_->byte_patterns = std::move(patterns);
}

bool part_searcher::search_by_bytes(const text_file_reader& whole, std::size_t from, std::size_t to,
                                    bool first, part_output& out, const part_flush& flush,
                                    bool& stopped) {
  state& s = *s_;
  const unsigned char* p = whole.raw_bytes();
  if (s.byte_patterns.empty() || p == nullptr || whole.raw_trusted() || whole.raw_has_zeros() ||
      whole.raw_repaired())
    return false;
  const char16_t* map = whole.raw_byte_map();
  const bool reporting = !plan_.options.count_only;

  std::vector<std::pair<std::size_t, std::size_t>> lines;
  const auto* bytes = reinterpret_cast<const char*>(p);
  // The lines of bytes [at, stop) that hold a candidate; stop follows a line break (or ends
  // the part), and no candidate holds one.
  auto candidate_lines = [&](std::size_t at, std::size_t stop) {
    lines.clear();
    for (const auto& [a, b] : s.byte_patterns) {
      for (std::size_t x = at; x < stop;) {
        const char* hit =
            FastStrIPos(bytes + x, a.c_str(), b.c_str(), static_cast<std::ptrdiff_t>(stop - x));
        if (hit == nullptr) break;
        const auto c = static_cast<std::size_t>(hit - bytes);
        std::size_t start = c, end = c;
        while (start > from && !line_break(p[start - 1])) --start;
        while (end < to && !line_break(p[end])) ++end;
        lines.emplace_back(start, end);
        x = end;
      }
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  };
  // The text is scanned a stretch at a time, each stretch's lines searched and its memory
  // given back before the next. When the first stretch has candidates on more than one
  // line in a thousand bytes (about what a line costs searched alone), the part is searched
  // in full instead.
  // Small enough that the counts read the bytes from the cache the scan left them in.
  const std::size_t kStretch =
      std::clamp<std::size_t>(plan_.options.range, 4096, std::size_t{256} << 10);
  auto stretch_stop = [&](std::size_t at) {
    if (to - at <= kStretch) return to;
    const void* lf = std::memchr(p + at + kStretch, '\n', to - at - kStretch);
    return lf == nullptr ? to
                         : static_cast<std::size_t>(static_cast<const unsigned char*>(lf) - p) + 1;
  };
  std::size_t stretch_end = stretch_stop(from);
  candidate_lines(from, stretch_end);
  if (lines.size() > (stretch_end - from) / 1024 + 16) return false;

  const std::size_t n_words = plan_.words.size();
  const std::int64_t text_start = first ? 0 : std::numeric_limits<std::int64_t>::min() / 2;
  const bool utf8 = map == nullptr;
  const std::size_t text_end = whole.raw_size();
  const std::size_t keep = reporting ? plan_.window : 0;
  std::int64_t units = 0;  // code units of [from, cursor)
  std::int64_t words = 0;  // word starts in [from, cursor)
  std::size_t cursor = from, released = from;
  std::vector<TSearchStatsRec> line_stats(n_words);
  std::u16string window;
  const std::uint16_t* const types = char_type1_table();
  const word_start_kernel& kernel = active_word_start_kernel();
  // Code units of bytes [a, b), which never part a CR LF pair; the text's end closes an
  // open last line.
  auto units_in = [&](std::size_t a, std::size_t b) -> std::int64_t {
    const auto n = static_cast<std::int64_t>(kernel.units(p + a, b - a, utf8));
    return b >= text_end && b > a && !line_break(p[b - 1]) ? n + 2 : n;
  };
  // Paragraphs (lines with content) and sentences begun before the cursor.
  const bool markers = plan_.markers;
  std::int64_t sentences = 0, paragraphs = 0;
  std::u16string piece, para;
  std::vector<int> ends;
  std::vector<std::size_t> starts;
  auto structure_in = [&](std::size_t a, std::size_t b) {
    for (std::size_t ls = a; ls < b;) {
      // The line runs to the next CR or LF; whether it has content (a non-blank character)
      // and may end a sentence ("." "!" "?" or anything beyond ASCII).
      bool content = false, may_end = false;
      std::size_t i = ls;
      std::size_t le = b;
#if defined(__SSE2__)
      const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
      const __m128i dot = _mm_set1_epi8('.'), bang = _mm_set1_epi8('!'), query = _mm_set1_epi8('?');
      const __m128i space = _mm_set1_epi8(0x20), del = _mm_set1_epi8(0x7F);
      for (; i + 16 <= b; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const auto breaks = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        const unsigned within = breaks != 0 ? (1u << __builtin_ctz(breaks)) - 1 : 0xFFFFu;
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(v)) & within;
        const auto ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
                              _mm_or_si128(_mm_cmpeq_epi8(v, dot), _mm_cmpeq_epi8(v, bang)),
                              _mm_cmpeq_epi8(v, query)))) &
                          within;
        // Signed: bytes of 0x80 and above are not above 0x20; they are decoded below.
        const auto printable = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(
                                   _mm_cmpeq_epi8(v, del), _mm_cmpgt_epi8(v, space)))) &
                               within;
        may_end = may_end || (ends | high) != 0;
        content = content || printable != 0;
        if (high != 0 && !content) break;  // a character beyond ASCII decides
        if (breaks != 0) {
          le = i + static_cast<std::size_t>(__builtin_ctz(breaks));
          i = le;
          break;
        }
      }
#endif
      for (; i < le; ++i) {
        const unsigned c = p[i];
        if (c == '\n' || c == '\r') {
          le = i;
          break;
        }
        if (c < 0x80) {
          content = content || (c > 0x20 && c != 0x7F);
          may_end = may_end || c == '.' || c == '!' || c == '?';
          continue;
        }
        may_end = true;
        std::uint32_t ch = 0x10000;  // outside the BMP: no blank
        std::size_t len = 1;
        if (map != nullptr) {
          ch = map[c];
        } else if (c < 0xE0) {
          ch = (c & 0x1F) << 6 | (p[i + 1] & 0x3F);
          len = 2;
        } else if (c < 0xF0) {
          ch = (c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F);
          len = 3;
        } else {
          len = 4;
        }
        content = content || ch >= 0x10000 || (types[ch] & kWhitespaceClasses) == 0;
        i += len - 1;
      }
      std::size_t next = le;
      if (next < b) next += p[next] == '\r' && next + 1 < b && p[next + 1] == '\n' ? 2 : 1;
      if (content) {
        ++paragraphs;
        ++sentences;
        if (may_end) {
          para.clear();
          decode_bytes(whole, ls, le, para);
          std::size_t content_end = para.size();
          while (content_end > 0 && is_blank(para[content_end - 1])) --content_end;
          inner_sentence_starts(std::u16string_view(para).substr(0, content_end),
                                plan_.options.lcid, ends, starts);
          sentences += static_cast<std::int64_t>(starts.size());
        }
      }
      ls = next;
    }
  };
  // Whether the matcher has seen a blank just before byte x.
  auto blank_before = [&](std::size_t x) { return x == from ? first : line_break(p[x - 1]); };
  // Word starts in bytes [a, b), without the spare class word's.
  auto starts_in = [&](std::size_t a, std::size_t b, bool blank_before) -> std::int64_t {
    return a < b ? count_word_starts(p, a, b, map, blank_before) - 1 : 0;
  };
  for (;;) {
    for (const auto& [start, end] : lines) {
      units += units_in(cursor, start);
      words += starts_in(cursor, start, blank_before(cursor));
      if (markers) {
        structure_in(cursor, start);
        // The line is searched after the line break before it (or the blank before the
        // text), with its paragraph and sentence markers first, as in a whole search: the
        // counts are those before the markers.
        for (TSearchStatsRec& st : line_stats) {
          st = TSearchStatsRec{};
          st.number[stats_word] = static_cast<std::int32_t>(words);
          st.number[stats_sentence] = static_cast<std::int32_t>(sentences);
          st.number[stats_paragraph] = static_cast<std::int32_t>(paragraphs);
          st.position[stats_section] = st.out_of[stats_section] = static_cast<std::int32_t>(words);
        }
      } else {
        // The matcher has counted the word that starts the line by the time it reaches it.
        const std::size_t next = boundary_after(p, text_end, utf8, start + 1);
        const std::int64_t at_line = words + starts_in(start, next, blank_before(start));
        for (TSearchStatsRec& st : line_stats) {
          st = TSearchStatsRec{};
          st.number[stats_word] = static_cast<std::int32_t>(at_line);
          for (int k : {stats_sentence, stats_paragraph, stats_section})
            st.position[k] = st.out_of[k] = static_cast<std::int32_t>(at_line);
        }
      }
      // The line, with the text round it that its hits' contexts take (a code unit takes
      // at most three bytes), decoded at once.
      // As many bytes as units, the text is mostly ASCII; three times as many where that
      // gives too few units.
      std::size_t span = keep > 0 ? keep + 8 : 0;
      std::size_t a = boundary_after(p, text_end, utf8, start > span ? start - span : 0);
      std::size_t b = boundary_before(p, text_end, utf8, std::min(text_end, end + span));
      if (a > 0 && kernel.units(p + a, start - a, utf8) < keep)
        a = boundary_after(p, text_end, utf8, start > 3 * span ? start - 3 * span : 0);
      if (b < text_end && kernel.units(p + end, b - end, utf8) < keep)
        b = boundary_before(p, text_end, utf8, std::min(text_end, end + 3 * span));
      window.clear();
      decode_bytes(whole, a, b, window);
      const auto left_units = static_cast<std::int64_t>(kernel.units(p + a, start - a, utf8));
      const auto line_units = static_cast<std::size_t>(kernel.units(p + start, end - start, utf8));
      const char16_t* line = window.data() + left_units;
      if (markers) {
        const bool at_text_start = start == from && first;
        piece.assign(at_text_start ? u" " : u"\r\n");
        const auto prefix = static_cast<std::int64_t>(piece.size());
        piece.append(line, line_units);
        mark_structure(piece, plan_.options.lcid, s.marked, s.classes, s.inserted);
        search_buffer_words(s.marked.data(), s.marked.size(), s.found, out.counted, line_stats,
                            &s.inserted);
        for (part_hit& h : s.found) {
          auto text_pos = [&](std::int64_t at) {
            const auto before =
                std::lower_bound(s.inserted.begin(), s.inserted.end(), at) - s.inserted.begin();
            return units - prefix + at - before;
          };
          const std::int64_t a = text_pos(h.position), b = text_pos(h.position + h.length);
          h.position = a;
          h.length = static_cast<std::int32_t>(b - a);
        }
        // The line's paragraph, its first sentence and the sentences inside it.
        sentences += static_cast<std::int64_t>(s.inserted.size()) - 1;
        ++paragraphs;
      } else {
        if (s.classes.size() < line_units + 2) s.classes.resize(line_units + 2);
        for (std::size_t i = 0; i < line_units; ++i) s.classes[i] = types[line[i]];
        search_buffer_words(line, line_units, s.found, out.counted, line_stats, nullptr);
        for (part_hit& h : s.found) h.position += units;
      }
      if (reporting)
        take_hits(s.found, window.data(), units - left_units, window.size(), text_start, true, out);
      units += static_cast<std::int64_t>(line_units);
      words += starts_in(start, end, blank_before(start));
      cursor = end;
      if (out.batch.hits.size() >= 1024) {
        if (!flush(out)) {
          stopped = true;
          return true;
        }
      }
    }
    // The rest of the stretch is counted while it is at hand.
    if (markers) structure_in(cursor, stretch_end);
    units += units_in(cursor, stretch_end);
    words += starts_in(cursor, stretch_end, blank_before(cursor));
    cursor = stretch_end;
    // At the part's end, the block the next part begins in goes too.
    whole.release(released, cursor < to ? cursor : to + (std::size_t{64} << 10) - 1);
    released = cursor;
    if (cursor >= to) break;
    stretch_end = stretch_stop(cursor);
    candidate_lines(cursor, stretch_end);
  }
  // The contexts of the first and last lines may have read into the neighbouring ranges.
  if (keep > 0) {
    const std::size_t span = 3 * keep + 8;
    whole.release(from > span ? from - span : 0, from);
    whole.release(to, to + span + (std::size_t{64} << 10));
  }
  // The spare class word after the part reads as a word start after a blank: after the line
  // break that ends the text or a range cut after one, not after the printable character
  // that ends a range cut for markers.
  if (to >= text_end || line_break(p[to - 1])) words += 1;
  for (TSearchStatsRec& st : out.stats) {
    st = TSearchStatsRec{};
    st.number[stats_word] = static_cast<std::int32_t>(words);
    if (markers) {
      // Every content line starts its paragraph and sentence within its own part, so the
      // next part needs the numbers only, not the word positions within the last ones.
      st.number[stats_sentence] = static_cast<std::int32_t>(sentences);
      st.number[stats_paragraph] = static_cast<std::int32_t>(paragraphs);
      st.position[stats_section] = st.out_of[stats_section] = static_cast<std::int32_t>(words);
    } else {
      // Without markers the units' word positions are word counts too.
      for (int k : {stats_sentence, stats_paragraph, stats_section})
        st.position[k] = st.out_of[k] = static_cast<std::int32_t>(words);
    }
  }
  out.units = units;
  if (!flush(out)) stopped = true;
  return true;
}

std::vector<std::size_t> range_cuts(const unsigned char* p, std::size_t n, std::size_t target,
                                    bool markers) {
  auto printable = [](unsigned char b) { return b > 0x20 && b < 0x7F; };
  std::vector<std::size_t> cuts = {0};
  target = std::max<std::size_t>(target, 4096);
  // A place to cut is looked for in the next 64 KiB; a text without one stays whole there.
  constexpr std::size_t kLook = 1 << 16;
  for (std::size_t at = target; at + 1 < n; at += target) {
    const std::size_t stop = std::min(n - 1, at + kLook);
    for (std::size_t i = std::max(at, cuts.back() + 1); i < stop; ++i) {
      const bool good = markers ? (p[i] == '\r' || p[i] == '\n') && printable(p[i - 1])
                                : p[i - 1] == '\n' && printable(p[i]);
      if (good) {
        cuts.push_back(i);
        at = i;
        break;
      }
    }
  }
  cuts.push_back(n);
  return cuts;
}

}  // namespace corvane::detail
