// How the corpus search searches one part of a text: read a piece, give its characters
// their class words (and, for sentence counts, the structure markers), run the engine over
// the piece for every search word, carry each word's running counts on to the next piece,
// and give each hit its context from the text around it.
//
// Pieces are cut where no hit can cross the cut. Without markers a piece ends with the
// blank that comes before a word, so the blank's "a word starts next" is counted in the
// piece that ends with it (the spare class word after a piece is not blank) and the word
// starts the next piece, which the matcher takes as preceded by a boundary. With markers a
// piece ends with the last character of a line's content, so that the next piece can
// begin with the next paragraph's markers. Search words that hold a space could match
// across a cut; they are searched over the whole text in one piece.
//
// The buffer holds, before the piece, the last `window` units of the text before it, so
// that a hit's left context is at hand; a hit whose right context runs past what has been
// read waits until the next piece is read.
#include <algorithm>
#include <cstring>
#include <deque>
#include <limits>

#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Corpus_search_internal.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane::detail {

namespace {

// Where to end a piece of buf[0..n): after the last blank that a non-blank follows, or
// (with markers) after the last non-blank that a line break follows, looking no further
// back than `low` (at least 1). 0 when there is no such place.
std::size_t piece_end(const char16_t* buf, std::size_t n, bool markers, std::size_t low = 1) {
  low = std::max<std::size_t>(low, 1);
  if (!markers) {
    for (std::size_t c = n - 1; c >= low; --c)
      if (is_blank(buf[c - 1]) && !is_blank(buf[c])) return c;
    return 0;
  }
  for (std::size_t c = n - 1; c >= low; --c)
    if ((buf[c] == u'\r' || buf[c] == u'\n') && !is_blank(buf[c - 1])) return c;
  return 0;
}

bool spans_blanks(const TSearch_word_format_rec& w) {
  for (char16_t c : w.search_text)
    if (c == u' ' || is_blank(c)) return true;
  return false;
}

bool low_surrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

constexpr std::int64_t kNoTextStart = std::numeric_limits<std::int64_t>::min() / 2;

}  // namespace

part_searcher::part_searcher(const search_plan& plan)
    : plan_(plan), s_(std::make_unique<state>(plan.options.lcid)), piecewise_(true) {
  for (const TSearch_word_format_rec& w : plan.words)
    if (spans_blanks(w)) piecewise_ = false;
  if (!plan.options.sort_keys.empty())
    s_->keys = std::make_unique<concordance_key_maker>(plan.options.sort_keys, plan.options.lcid,
                                                       plan.options.allow);
  prepare_byte_patterns();
}

part_searcher::~part_searcher() = default;

bool part_searcher::search(text_file_reader& whole, std::size_t from, std::size_t to, bool first,
                           const std::string& path, part_output& out, const part_flush& flush,
                           std::atomic<std::uint64_t>& bytes_read) {
  state& s = *s_;
  s.file_name = u16(path);
  s.file_size = whole.bytes_total();
  s.pending.clear();
  s.words = plan_.words;
  const std::size_t n_words = plan_.words.size();
  s.left.assign(n_words, plan_.options.max_per_word);
  out.stats.assign(n_words, TSearchStatsRec{});
  out.counted.assign(n_words, 0);
  out.units = 0;
  out.batch.clear();
  bool stopped = false;
  if (whole.raw_bytes() != nullptr &&
      search_by_bytes(whole, from, to, first, out, flush, stopped)) {
    bytes_read.store(to - from, std::memory_order_relaxed);
    return !stopped;
  }
  if (whole.raw_bytes() == nullptr || (from == 0 && to == whole.raw_size()))
    return search_pieces(whole, whole, from, to, first, out, flush, bytes_read);
  text_file_reader range(whole, from, to);
  return search_pieces(range, whole, from, to, first, out, flush, bytes_read);
}

void part_searcher::search_buffer_words(const char16_t* chars, std::size_t m,
                                        std::vector<part_hit>& found,
                                        std::vector<std::int64_t>& counted,
                                        std::vector<TSearchStatsRec>& stats,
                                        const std::vector<std::int32_t>* markers) {
  state& s = *s_;
  const bool limited = plan_.options.max_per_word > 0;
  const bool count_only = plan_.options.count_only;
  std::size_t word = 0;
  const TSearchFoundEvent on_found = [&](TObject*, const TSearchFound_Rec& hit) {
    if (markers != nullptr) {
      const auto a = std::lower_bound(markers->begin(), markers->end(), hit.hit_pos_in_characters);
      const auto b =
          std::lower_bound(a, markers->end(), hit.hit_pos_in_characters + hit.hit_characters);
      if (b - a >= hit.hit_characters) return false;
    }
    word = static_cast<std::size_t>(hit.search_number);
    // Past its limit a word is not taken (the first word is searched on to count the
    // words of the whole text).
    if (limited && s.left[word] <= 0) return false;
    if (count_only) {
      ++counted[word];
    } else {
      found.push_back({hit.hit_pos_in_characters, hit.hit_characters, hit.search_number,
                       hit.count_stats, 0, 0, 0, 0, 0, 0});
    }
    if (limited) --s.left[word];
    return true;
  };
  for (std::size_t w = 0; w < s.words.size(); ++w)
    s.words[w].n_to_find = !limited || w == 0 ? 0 : (s.left[w] > 0 ? s.left[w] : -1);
  search_buffer(s.engine, s.file_name, chars, s.classes.data(), m, s.file_size, plan_.options.allow,
                s.words, stats, on_found);
}

void part_searcher::finish_hit(part_hit& h, std::u16string_view all, hit_batch& batch) {
  state& s = *s_;
  // h.left, h.hit and h.right give the parts of `all`.
  const auto width = static_cast<std::size_t>(plan_.options.context);
  std::size_t l0 = h.left > width ? h.left - width : 0;
  // Context never starts or ends inside a surrogate pair.
  if (l0 < h.left && low_surrogate(all[l0]) && (l0 > 0 || h.left > width)) ++l0;
  const std::size_t r0 = h.left + h.hit;
  std::size_t r1 = r0 + std::min<std::size_t>(h.right, width);
  if (r1 > r0 && r1 < r0 + h.right && low_surrogate(all[r1])) --r1;
  part_hit out = h;
  out.chars_at = batch.chars.size();
  out.left = static_cast<std::uint32_t>(h.left - l0);
  out.right = static_cast<std::uint32_t>(r1 - r0);
  batch.chars.append(all.substr(l0, r1 - l0));
  out.keys_at = batch.keys.size();
  if (s.keys) {
    const SortableHit sortable{all, nullptr, static_cast<std::int32_t>(h.left),
                               static_cast<std::int32_t>(h.hit)};
    s.keys->append(sortable, batch.keys);
  }
  out.keys = static_cast<std::uint32_t>(batch.keys.size() - out.keys_at);
  batch.hits.push_back(out);
}

void part_searcher::take_hits(std::vector<part_hit>& found, const char16_t* window,
                              std::int64_t window_start, std::size_t window_size,
                              std::int64_t text_start, bool text_ends, part_output& out) {
  state& s = *s_;
  const auto need = static_cast<std::int64_t>(plan_.window);
  const std::int64_t window_end = window_start + static_cast<std::int64_t>(window_size);
  auto chars = [&](std::int64_t a, std::int64_t b) {
    return std::u16string_view(window + (a - window_start), static_cast<std::size_t>(b - a));
  };
  // The waiting hits first: they come before the new ones.
  for (pending_hit& p : s.pending) {
    if (p.complete) continue;
    const std::int64_t at = p.hit.position + p.hit.length + p.hit.right;
    const std::int64_t stop = std::min(window_end, p.hit.position + p.hit.length + need);
    if (at >= window_start && stop > at) {
      p.chars.append(chars(at, stop));
      p.hit.right += static_cast<std::uint32_t>(stop - at);
    }
    p.complete = text_ends || p.hit.right >= need;
  }
  const auto drain = [&] {
    while (!s.pending.empty() && s.pending.front().complete) {
      pending_hit& p = s.pending.front();
      finish_hit(p.hit, p.chars, out.batch);
      s.pending.pop_front();
    }
  };
  drain();
  // Text order; at one position, the search words' order.
  const auto before = [](const part_hit& a, const part_hit& b) {
    return a.position != b.position ? a.position < b.position : a.search_number < b.search_number;
  };
  if (!std::is_sorted(found.begin(), found.end(), before))
    std::sort(found.begin(), found.end(), before);
  for (part_hit& h : found) {
    // A search word that can match a blank (a wildcard) may take in the blank put before
    // the text: the hit starts with the text.
    const std::int64_t first = std::max(window_start, text_start);
    if (h.position < first) {
      h.length =
          static_cast<std::int32_t>(std::max<std::int64_t>(0, h.position + h.length - first));
      h.position = first;
    }
    const std::int64_t end = std::min(h.position + h.length, window_end);
    h.length = static_cast<std::int32_t>(end - h.position);
    const std::int64_t l0 = std::max(h.position - need, first);
    const std::int64_t r1 = std::min(window_end, end + need);
    const std::u16string_view around = chars(l0, std::max(end, r1));
    h.left = static_cast<std::uint32_t>(h.position - l0);
    h.hit = static_cast<std::uint32_t>(h.length);
    h.right = static_cast<std::uint32_t>(std::max<std::int64_t>(0, r1 - end));
    const bool complete = text_ends || r1 - end >= need;
    if (complete && s.pending.empty()) {
      finish_hit(h, around, out.batch);
    } else {
      s.pending.push_back({h, std::u16string(around), complete});
    }
  }
  found.clear();
  drain();
}

bool part_searcher::search_pieces(text_file_reader& reader, const text_file_reader& whole,
                                  std::size_t from, std::size_t to, bool first, part_output& out,
                                  const part_flush& flush, std::atomic<std::uint64_t>& bytes_read) {
  state& s = *s_;
  const std::size_t piece = std::max<std::size_t>(plan_.options.piece, 64);
  const std::uint16_t* const types = char_type1_table();
  const bool reporting = !plan_.options.count_only;
  const std::size_t keep = reporting ? plan_.window : 0;
  const bool ends_text = whole.raw_bytes() == nullptr || to >= whole.raw_size();

  // Reads of at most 1 Mi units at a time fill a piece (or, searched whole, the text).
  const std::size_t chunk = std::min<std::size_t>(2 * piece, std::size_t{1} << 20);
  std::vector<char16_t>& buf = s.buf;
  if (buf.size() < chunk + keep + 64) buf.resize(chunk + keep + 64);
  std::size_t n = 0;       // characters in buf
  std::size_t hist = 0;    // of which the first are text before the piece
  std::size_t looked = 0;  // buf[0, looked) holds no cut after the piece's length
  std::int64_t start = 0;  // text position of buf[0]
  if (first) {
    // The text's first character is taken as following a blank, so that the first word is
    // counted like every other: a blank stands before it in the first piece.
    buf[0] = u' ';
    n = 1;
    start = -1;
  } else if (keep > 0) {
    // A later range starts where the range before left a counted word start or a line's
    // end; the text before it gives the first hits their left context.
    std::u16string before;
    decode_window(whole, from, false, keep, before);
    std::copy(before.begin(), before.end(), buf.begin());
    n = hist = before.size();
    start = -static_cast<std::int64_t>(n);
  }
  const std::int64_t text_start = first ? 0 : kNoTextStart;
  Global_in_heading = false;

  // Where a hit of the piece being searched lies in the text.
  auto search_piece = [&](std::size_t at, std::size_t len, bool text_ends) {
    const char16_t* chars = buf.data() + at;
    std::size_t m = len;
    const std::int32_t* ins_begin = nullptr;
    const std::int32_t* ins_end = nullptr;
    if (plan_.markers) {
      mark_structure(std::u16string_view(chars, len), plan_.options.lcid, s.marked, s.classes,
                     s.inserted);
      chars = s.marked.data();
      m = s.marked.size();
      ins_begin = s.inserted.data();
      ins_end = s.inserted.data() + s.inserted.size();
    } else {
      if (s.classes.size() < len + 2) s.classes.resize(len + 2);
      for (std::size_t i = 0; i < len; ++i) s.classes[i] = types[chars[i]];
    }
    if (s.classes.size() < m + 2) s.classes.resize(m + 2);
    const std::size_t first_hit = s.found.size();
    search_buffer_words(chars, m, s.found, out.counted, out.stats,
                        plan_.markers ? &s.inserted : nullptr);
    const std::int64_t piece_start = start + static_cast<std::int64_t>(at);
    for (std::size_t i = first_hit; i < s.found.size(); ++i) {
      part_hit& h = s.found[i];
      auto text_pos = [&](std::int64_t p) {
        const auto before = std::lower_bound(ins_begin, ins_end, p) - ins_begin;
        return piece_start + p - before;
      };
      const std::int64_t a = text_pos(h.position), b = text_pos(h.position + h.length);
      h.position = a;
      h.length = static_cast<std::int32_t>(b - a);
    }
    if (reporting) take_hits(s.found, buf.data(), start, n, text_start, text_ends, out);
  };

  for (;;) {
    if (buf.size() - n < chunk + 64) buf.resize(std::max(n + chunk + 64, buf.size() * 3 / 2));
    const std::size_t got = reader.read(buf.data() + n, chunk);
    n += got;
    bytes_read.store(reader.bytes_done(), std::memory_order_relaxed);
    const bool at_end = got == 0;
    std::size_t cut = n;
    if (!at_end) {
      // Keep reading until the piece is full and the text after it gives the piece's hits
      // their right context, then cut where no hit can cross.
      if (!piecewise_ || n - hist < piece + keep) continue;
      // A cut in the piece's length, else anywhere before the text its hits need; a text
      // without one is searched on as it is read, each part of it looked at once.
      // (Never right after the blank put before the text: that piece would be searched as
      // the empty text.)
      const std::size_t lowest = start + static_cast<std::int64_t>(hist) < 0 ? 2 : 1;
      std::size_t c = piece_end(buf.data() + hist, piece, plan_.markers, lowest);
      if (c == 0) {
        const std::size_t limit = n - hist - keep;
        c = piece_end(buf.data() + hist, limit, plan_.markers,
                      std::max(lowest, looked > hist + piece ? looked - hist - 1 : piece));
        looked = hist + limit;
      }
      if (c == 0) continue;
      cut = hist + c;
    }
    if (cut - hist > 1 || start + static_cast<std::int64_t>(hist) >= 0) {
      search_piece(hist, cut - hist, at_end && ends_text);
      if (!flush(out)) return false;
    }
    if (at_end) break;
    // What follows the cut stays, with the text before it that later hits need.
    const std::size_t drop = cut - std::min(cut, keep);
    std::memmove(buf.data(), buf.data() + drop, (n - drop) * sizeof(char16_t));
    n -= drop;
    hist = cut - drop;
    looked = 0;
    start += static_cast<std::int64_t>(drop);
  }
  out.units = start + static_cast<std::int64_t>(n);
  if (!s.pending.empty()) {
    // The text after a range gives its last hits their right context.
    std::u16string after;
    if (!ends_text) decode_window(whole, to, true, keep, after);
    take_hits(s.found, after.data(), out.units, after.size(), text_start, true, out);
  }
  return flush(out);
}

}  // namespace corvane::detail
