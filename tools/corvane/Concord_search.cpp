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

// Characters per piece: the characters and their class words stay within a core's cache.
constexpr std::size_t kPiece = std::size_t{1} << 17;

constexpr std::uint16_t kBlankClasses = C1_SPACE | C1_CNTRL | C1_BLANK;

inline bool blank(char16_t c) {
  return (char_type1_table()[c] & kBlankClasses) != 0;
}

// Where to end a piece of buf[0..n): after the last blank that a non-blank follows, or
// (with markers) after the last non-blank that a line break follows. 0 when there is no
// such place.
std::size_t piece_end(const char16_t* buf, std::size_t n, bool markers) {
  if (!markers) {
    for (std::size_t c = n - 1; c > 0; --c)
      if (blank(buf[c - 1]) && !blank(buf[c])) return c;
    return 0;
  }
  for (std::size_t c = n - 1; c > 0; --c)
    if ((buf[c] == u'\r' || buf[c] == u'\n') && !blank(buf[c - 1])) return c;
  return 0;
}

bool spans_blanks(const TSearch_word_format_rec& w) {
  for (char16_t c : w.search_text)
    if (c == u' ' || blank(c)) return true;
  return false;
}

}  // namespace

file_searcher::file_searcher(const SearchPlan& plan) : plan_(plan), piecewise_(true) {
  for (const TSearch_word_format_rec& w : plan.words)
    if (spans_blanks(w)) piecewise_ = false;
}

void file_searcher::search(FileResult& r, std::atomic<std::uint64_t>& bytes_read) {
  text_file_reader reader(u16(r.path));
  r.bytes = reader.bytes_total();
  const std::u16string file_name = u16(r.path);
  const std::size_t n_words = plan_.words.size();
  std::vector<TSearch_word_format_rec> words = plan_.words;
  std::vector<TSearchStatsRec> stats(n_words);
  std::vector<std::int32_t> left(n_words, plan_.max_per_word);
  const std::uint16_t* const types = char_type1_table();

  // The text's first character is taken as following a blank, so that the first word is
  // counted like every other: a blank stands before it in the first piece.
  if (buf_.size() < 2 * kPiece + 64) buf_.resize(2 * kPiece + 64);
  std::size_t n = 1;  // characters in buf_
  buf_[0] = u' ';
  std::int64_t base = -1;  // text position of buf_[0]
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
  const TSearchFoundEvent on_found = [&](TObject*, const TSearchFound_Rec& hit) {
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
        static_cast<std::int32_t>(std::min<std::uint64_t>(r.bytes, INT32_MAX)),
        static_cast<std::int32_t>(m), 0, false, on_found, nullptr);
    engine.fBufferDetailsStart = classes_.data();
    engine.HandleAllowables(plan_.allow, false, false);
    for (word_index = 0; word_index < n_words; ++word_index) {
      if (plan_.max_per_word > 0 && left[word_index] <= 0) continue;
      TSearch_word_format_rec& w = words[word_index];
      w.n_to_find = plan_.max_per_word > 0 ? left[word_index] : 0;
      engine.ThisFileChunk_Stats = stats[word_index];
      engine.current_search_number = static_cast<std::int32_t>(word_index);
      const std::size_t before = r.hits.size();
      engine.SearchAndDo(&w);
      stats[word_index] = engine.ThisFileChunk_Stats;
      left[word_index] -= static_cast<std::int32_t>(r.hits.size() - before);
    }
    if (plan_.keep_text) {
      const std::size_t skip = base < 0 ? static_cast<std::size_t>(-base) : 0;
      r.text.append(buf_.data() + skip, len - skip);
    }
  };

  for (;;) {
    if (buf_.size() - n < 2 * kPiece) buf_.resize(n + 2 * kPiece);
    const std::size_t got = reader.read(buf_.data() + n, 2 * kPiece);
    n += got;
    bytes_read.store(reader.bytes_done(), std::memory_order_relaxed);
    const bool at_end = got == 0;
    std::size_t cut = n;
    if (!at_end) {
      // Keep reading until the piece is full, then cut where no hit can cross.
      if (!piecewise_ || n < kPiece) continue;
      cut = piece_end(buf_.data(), n, plan_.markers);
      if (cut == 0) continue;
    }
    if (n > 1 || base >= 0) search_piece(cut);
    if (at_end) break;
    std::memmove(buf_.data(), buf_.data() + cut, (n - cut) * sizeof(char16_t));
    n -= cut;
    base += static_cast<std::int64_t>(cut);
  }
  // Every text ends with a line break, whose "a word starts next" the spare class word
  // after the last piece wrongly confirms.
  if (n_words > 0 && (n > 1 || base >= 0))
    r.words = std::max<std::int64_t>(0, stats[0].number[stats_word] - 1);
  std::stable_sort(r.hits.begin(), r.hits.end(),
                   [](const Hit& a, const Hit& b) { return a.position < b.position; });
}

}  // namespace corvane::cli
