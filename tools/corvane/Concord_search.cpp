// How corvane concord searches one text: read a piece, give its characters their class
// words (and, for sentence counts, the structure markers), mark the word-internal
// characters, run one engine over the piece for every search word, and carry each word's
// running counts on to the next piece.
//
// Pieces are cut where no hit can cross the cut. Without markers a piece ends with the
// blank that comes before a word, so the blank's "a word starts next" is counted in the
// piece that ends with it (the spare class word after a piece is not blank) and the word
// starts the next piece, which the matcher takes as preceded by a boundary. With markers a
// piece ends with the last character of a line's content, so that the next piece can
// begin with the next paragraph's markers. Search words that hold a space could match
// across a cut; they are searched over the whole text in one piece.
#include <algorithm>
#include <cstring>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/CharTypes.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Search_engines.hpp"
#include "tools/corvane/Concord_internal.hpp"

namespace corvane::cli {

namespace {

// Where to end a piece of buf[0..n): after the last blank that a non-blank follows, or
// (with markers) after the last non-blank that a line break follows. 0 when there is no
// such place.
std::size_t piece_end(const char16_t* buf, std::size_t n, bool markers) {
  if (!markers) {
    for (std::size_t c = n - 1; c > 0; --c)
      if (is_blank(buf[c - 1]) && !is_blank(buf[c])) return c;
    return 0;
  }
  for (std::size_t c = n - 1; c > 0; --c)
    if ((buf[c] == u'\r' || buf[c] == u'\n') && !is_blank(buf[c - 1])) return c;
  return 0;
}

bool spans_blanks(const TSearch_word_format_rec& w) {
  for (char16_t c : w.search_text)
    if (c == u' ' || is_blank(c)) return true;
  return false;
}

}  // namespace

file_searcher::file_searcher(const SearchPlan& plan) : plan_(plan), piecewise_(true) {
  for (const TSearch_word_format_rec& w : plan.words)
    if (spans_blanks(w)) piecewise_ = false;
  prepare_byte_patterns();
}

void file_searcher::search(text_file_reader& reader, bool first, const std::string& path,
                           PartResult& r, std::atomic<std::uint64_t>& bytes_read) {
  if (count_by_bytes(reader, first, path, r)) {
    bytes_read.store(reader.bytes_total(), std::memory_order_relaxed);
    return;
  }
  search_pieces(reader, first, path, r, bytes_read);
}

void file_searcher::search_pieces(text_file_reader& reader, bool first, const std::string& path,
                                  PartResult& r, std::atomic<std::uint64_t>& bytes_read) {
  const std::u16string file_name = u16(path);
  const std::size_t n_words = plan_.words.size();
  const std::size_t piece = std::max<std::size_t>(plan_.piece, 64);
  std::vector<TSearch_word_format_rec> words = plan_.words;
  std::vector<TSearchStatsRec>& stats = r.stats;
  stats.assign(n_words, TSearchStatsRec{});
  std::vector<std::int32_t> left(n_words, plan_.max_per_word);
  const std::uint16_t* const types = char_type1_table();
  const std::uint64_t file_bytes = reader.bytes_total();

  // The text's first character is taken as following a blank, so that the first word is
  // counted like every other: a blank stands before it in the first piece. A later range
  // starts where the range before left a counted word start or a line's end.
  // Reads of at most 1 Mi units at a time fill a piece (or, searched whole, the text).
  const std::size_t chunk = std::min<std::size_t>(2 * piece, std::size_t{1} << 20);
  if (buf_.size() < chunk + 64) buf_.resize(chunk + 64);
  std::size_t n = 0;      // characters in buf_
  std::int64_t base = 0;  // text position of buf_[0]
  if (first) {
    buf_[0] = u' ';
    n = 1;
    base = -1;
  }
  Global_in_heading = false;

  // Where a hit of the piece being searched lies in the text.
  const std::int32_t* ins_begin = nullptr;
  const std::int32_t* ins_end = nullptr;
  std::int64_t piece_base = 0;
  auto text_pos = [&](std::int32_t p) -> std::int64_t {
    const auto before = std::lower_bound(ins_begin, ins_end, p) - ins_begin;
    return piece_base + p - before;
  };
  std::size_t word_index = 0;
  TSearchAndDoEngine engine(true, true, plan_.lcid, nullptr);
  r.counted.assign(n_words, 0);
  std::int64_t* counted = r.counted.data();
  const TSearchFoundEvent on_found = [&](TObject*, const TSearchFound_Rec& hit) {
    if (plan_.count_only) {
      ++counted[word_index];
      return true;
    }
    const std::int64_t from = text_pos(hit.hit_pos_in_characters);
    const std::int64_t to = text_pos(hit.hit_pos_in_characters + hit.hit_characters);
    r.hits.push_back({static_cast<std::int32_t>(from), static_cast<std::int32_t>(to - from),
                      static_cast<std::int32_t>(word_index), hit.count_stats});
    return true;
  };

  auto search_piece = [&](std::size_t len) {
    const char16_t* chars = buf_.data();
    std::size_t m = len;
    if (plan_.markers) {
      mark_structure(std::u16string_view(buf_.data(), len), plan_.lcid, marked_, classes_,
                     inserted_);
      chars = marked_.data();
      m = marked_.size();
      ins_begin = inserted_.data();
      ins_end = inserted_.data() + inserted_.size();
    } else {
      if (classes_.size() < len + 2) classes_.resize(len + 2);
      for (std::size_t i = 0; i < len; ++i) classes_[i] = types[chars[i]];
      ins_begin = ins_end = nullptr;
    }
    classes_[m] = classes_[m + 1] = 0;
    piece_base = base;
    engine.PrepareForConcordancing(
        file_name, chars, classes_.data(), classes_.data() + m + 1,
        static_cast<std::int32_t>(std::min<std::uint64_t>(file_bytes, INT32_MAX)),
        static_cast<std::int32_t>(m), 0, false, on_found, nullptr);
    engine.fBufferDetailsStart = classes_.data();
    engine.HandleAllowables(plan_.allow, false, false);
    for (word_index = 0; word_index < n_words; ++word_index) {
      if (plan_.max_per_word > 0 && left[word_index] <= 0) continue;
      TSearch_word_format_rec& w = words[word_index];
      w.n_to_find = plan_.max_per_word > 0 ? left[word_index] : 0;
      engine.ThisFileChunk_Stats = stats[word_index];
      engine.current_search_number = static_cast<std::int32_t>(word_index);
      const std::size_t before = r.hits.size() + static_cast<std::size_t>(counted[word_index]);
      engine.SearchAndDo(&w);
      stats[word_index] = engine.ThisFileChunk_Stats;
      left[word_index] -= static_cast<std::int32_t>(
          r.hits.size() + static_cast<std::size_t>(counted[word_index]) - before);
    }
    if (plan_.keep_text) {
      const std::size_t skip = base < 0 ? static_cast<std::size_t>(-base) : 0;
      r.text.append(buf_.data() + skip, len - skip);
    }
  };

  for (;;) {
    if (buf_.size() - n < chunk + 64) buf_.resize(std::max(n + chunk + 64, buf_.size() * 3 / 2));
    const std::size_t got = reader.read(buf_.data() + n, chunk);
    n += got;
    bytes_read.store(reader.bytes_done(), std::memory_order_relaxed);
    const bool at_end = got == 0;
    std::size_t cut = n;
    if (!at_end) {
      // Keep reading until the piece is full, then cut where no hit can cross.
      if (!piecewise_ || n < piece) continue;
      cut = piece_end(buf_.data(), n, plan_.markers);
      if (cut == 0) continue;
    }
    if (n > 1 || base >= 0) search_piece(cut);
    if (at_end) break;
    std::memmove(buf_.data(), buf_.data() + cut, (n - cut) * sizeof(char16_t));
    n -= cut;
    base += static_cast<std::int64_t>(cut);
  }
  r.units = base + static_cast<std::int64_t>(n);
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

void join_parts(FileResult& r, std::vector<PartResult>& parts, const SearchPlan& plan) {
  const std::size_t n_words = plan.words.size();
  std::vector<TSearchStatsRec> before(n_words);  // each word's counts before the part
  std::int64_t offset = 0;
  std::vector<std::int32_t> kept(n_words, 0);
  for (PartResult& part : parts) {
    for (Hit& h : part.hits) {
      const auto w = static_cast<std::size_t>(h.search_number);
      if (plan.max_per_word > 0 && kept[w]++ >= plan.max_per_word) continue;
      h.position += static_cast<std::int32_t>(offset);
      for (int k = 0; k < 5; ++k) {
        // A hit outside a heading has no heading number.
        if (k == stats_heading) continue;
        // Word positions run on from the part before while no unit has begun in this one.
        if (k != stats_word && h.counts.number[k] == 0)
          h.counts.position[k] += before[w].position[k];
        h.counts.number[k] += before[w].number[k];
      }
      r.hits.push_back(h);
    }
    for (std::size_t w = 0; w < part.counted.size(); ++w) {
      std::int64_t c = part.counted[w];
      if (plan.max_per_word > 0) {
        c = std::min<std::int64_t>(c, std::max(0, plan.max_per_word - kept[w]));
        kept[w] += static_cast<std::int32_t>(c);
      }
      r.hit_count += c;
    }
    if (plan.keep_text) r.text += part.text;
    offset += part.units;
    for (std::size_t w = 0; w < n_words && w < part.stats.size(); ++w) {
      const TSearchStatsRec& end = part.stats[w];
      for (int k = 0; k < 5; ++k) {
        if (k == stats_heading) continue;
        before[w].position[k] =
            end.number[k] > 0 ? end.position[k] : before[w].position[k] + end.position[k];
        before[w].number[k] += end.number[k];
      }
    }
    part = PartResult{};
  }
  // Every text ends with a line break, whose "a word starts next" the spare class word
  // after the last piece wrongly confirms.
  if (n_words > 0 && offset > 0)
    r.words = std::max<std::int64_t>(0, before[0].number[stats_word] - 1);
  std::stable_sort(r.hits.begin(), r.hits.end(),
                   [](const Hit& a, const Hit& b) { return a.position < b.position; });
  r.hit_count += static_cast<std::int64_t>(r.hits.size());
}

}  // namespace corvane::cli
