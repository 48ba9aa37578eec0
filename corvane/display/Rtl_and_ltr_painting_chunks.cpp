// Cutting a line into word chunks, fitting chunks into a width, and putting runs of
// odd-direction chunks back into reading order.
#include <unicode/uchar.h>

#include <algorithm>
#include <limits>

#include "corvane/display/Rtl_and_ltr_painting.hpp"
#include "corvane/display/Rtl_and_ltr_painting_internal.hpp"

namespace corvane {

namespace {

// The bidirectional category of a character as the chunker uses it. `continuation` marks
// a character that belongs to the one before it whatever it is: the second half of a
// surrogate pair, a combining mark, a boundary neutral, the zero-width joiner.
enum class Cat : std::uint8_t {
  ltr_letter,
  rtl_letter,
  european_number,
  european_separator,
  european_terminator,
  arabic_number,
  common_separator,
  block_separator,
  segment_separator,
  white_space,
  other_neutral,
  not_applicable,
  continuation,
};

enum class Dir : std::int8_t { none = -1, ltr = 0, rtl = 1 };

bool is_lead(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool is_trail(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

char32_t code_point_at(std::u16string_view text, std::size_t i) {
  if (is_lead(text[i]) && i + 1 < text.size() && is_trail(text[i + 1]))
    return 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  return text[i];
}

Cat category_of(std::u16string_view text, std::size_t i) {
  if (is_trail(text[i]) && i > 0 && is_lead(text[i - 1])) return Cat::continuation;
  const char32_t c = code_point_at(text, i);
  if (c == 0x200D) return Cat::continuation;
  if (c == 0x200C) return Cat::other_neutral;
  switch (u_charDirection(static_cast<UChar32>(c))) {
    case U_LEFT_TO_RIGHT:
      return Cat::ltr_letter;
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC:
      return Cat::rtl_letter;
    case U_EUROPEAN_NUMBER:
      return Cat::european_number;
    case U_EUROPEAN_NUMBER_SEPARATOR:
      return Cat::european_separator;
    case U_EUROPEAN_NUMBER_TERMINATOR:
      return Cat::european_terminator;
    case U_ARABIC_NUMBER:
      return Cat::arabic_number;
    case U_COMMON_NUMBER_SEPARATOR:
      return Cat::common_separator;
    case U_BLOCK_SEPARATOR:
      return Cat::block_separator;
    case U_SEGMENT_SEPARATOR:
      return Cat::segment_separator;
    case U_WHITE_SPACE_NEUTRAL:
      return Cat::white_space;
    case U_OTHER_NEUTRAL:
      return Cat::other_neutral;
    case U_DIR_NON_SPACING_MARK:
    case U_BOUNDARY_NEUTRAL:
      return Cat::continuation;
    default:
      return Cat::not_applicable;
  }
}

bool is_symbol(char32_t c) {
  switch (u_charType(static_cast<UChar32>(c))) {
    case U_MATH_SYMBOL:
    case U_CURRENCY_SYMBOL:
    case U_MODIFIER_SYMBOL:
    case U_OTHER_SYMBOL:
      return true;
    default:
      return false;
  }
}

bool is_number(Cat c) {
  return c == Cat::european_number || c == Cat::arabic_number;
}
bool is_blank(Cat c) {
  return c == Cat::white_space || c == Cat::not_applicable;
}

// Measures text with the larger of the two typefaces set on the canvas, restoring the
// canvas's font styles afterwards.
std::int32_t measured(Canvas& canvas, std::u16string_view text, Ttypeface_Set a, Ttypeface_Set b) {
  const CanvasFont saved = canvas.font();
  TryToSetFontStyle(&canvas, LargerTypeFaceToFontStyles(a, b));
  const std::int32_t w = canvas.text_extent(text).cx;
  canvas.font() = saved;
  return w;
}

}  // namespace

namespace painting_detail {

bool is_single_space(const TWordChunk& chunk) {
  return chunk.w == u" ";
}

std::vector<std::pair<std::int32_t, std::int32_t>> odd_runs_to_reverse(const TWordChunkList& list,
                                                                       std::int32_t first,
                                                                       std::int32_t last) {
  std::vector<std::pair<std::int32_t, std::int32_t>> runs;
  first = std::max(first, 0);
  last = std::min(last, list.Count() - 1);
  std::int32_t i = first;
  while (i <= last) {
    if (!list.Holder(i)->data.odd_direction) {
      ++i;
      continue;
    }
    std::int32_t j = i;
    while (j + 1 <= last && list.Holder(j + 1)->data.odd_direction) ++j;
    if (j - i + 1 >= 3) {
      std::int32_t end = j;
      if (list.Holder(end)->data.w <= u" ") --end;  // a trailing space stays put
      if (end > i) runs.emplace_back(i, end);
    }
    i = j + 1;
  }
  return runs;
}

}  // namespace painting_detail

using painting_detail::is_single_space;

// ---- TWordChunkList

TWordChunkList::TWordChunkList(const TMyCanvasColourRecAndTypeface& defaults,
                               char16_t padding_character, bool concordancing_)
    : fdefault(defaults),
      searchword_padding_character(padding_character),
      concordancing(concordancing_) {}

TWordChunkList::~TWordChunkList() {
  Clear();
}

void TWordChunkList::Clear() {
  TList::Clear();
  has_odd_directions = false;
}

void TWordChunkList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<TWordChunkHolder*>(item);
}

TWordChunkHolder* TWordChunkList::Holder(std::int32_t i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return static_cast<TWordChunkHolder*>(List()[i]);
}

void TWordChunkList::AddChunk(TWordChunk chunk) {
  if (chunk.odd_direction) has_odd_directions = true;
  auto holder = std::make_unique<TWordChunkHolder>(std::move(chunk));
  Add(holder.get());
  holder.release();
}

TWordChunk TWordChunkList::GetAWordChunk(std::int32_t i) const {
  const TWordChunkHolder* h = Holder(i);
  return h ? h->data : TWordChunk{};
}

std::int32_t TWordChunkList::LineWidth(const std::vector<std::int32_t>& indexes) const {
  std::int64_t sum = 0;
  for (std::int32_t i : indexes)
    if (const TWordChunkHolder* h = Holder(i)) sum += h->data.pixel_width;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(sum, 0, std::numeric_limits<std::int32_t>::max()));
}

TWordsWhichFit TWordChunkList::WhichWordsFit(std::int32_t first, std::int32_t width,
                                             bool trim) const {
  TWordsWhichFit r;
  first = std::max(first, 0);
  if (trim && first < Count() && is_single_space(Holder(first)->data)) ++first;
  r.first_segment = first;
  r.last_segment = first - 1;
  std::int64_t pixels = 0;
  for (std::int32_t i = first; i < Count(); ++i) {
    const TWordChunk& c = Holder(i)->data;
    if (pixels + c.pixel_width > width) break;
    pixels += c.pixel_width;
    r.last_segment = i;
  }
  if (trim && r.last_segment >= r.first_segment && is_single_space(Holder(r.last_segment)->data)) {
    pixels -= Holder(r.last_segment)->data.pixel_width;
    --r.last_segment;
  }
  for (std::int32_t i = r.first_segment; i <= r.last_segment; ++i)
    if (Holder(i)->data.odd_direction) r.reorder_check_needed = true;
  r.pixels = static_cast<std::int32_t>(pixels);
  return r;
}

// The rules, walking the characters with the previous character's category and the
// running direction (letters, European numbers, separators and terminators set it; the
// other characters leave it as it was):
//  - a letter of another direction than the running one, or a letter after a closed tag,
//    starts a chunk;
//  - white space after something else stands alone; more white space starts the next chunk;
//  - a separator (comma, colon, line break) after something else stands alone, except ","
//    or "." between digits; more separators start the next chunk;
//  - digits never break outside a tag; European separators and terminators break at a
//    change of direction or after a closed tag;
//  - "<" with a ">" to come (before any other "<") and no blank after it opens a tag, which
//    starts a chunk and stays whole up to its ">"; another neutral joins a neutral before
//    it, and stands alone after a number, after text of the other direction, or (in
//    right-to-left text) when it is a symbol.
// A chunk takes the running direction at its end (the line's, when nothing set one).
std::int32_t TWordChunkList::LoadFrom(std::u16string_view text, std::int32_t hit_start,
                                      std::int32_t hit_length, const TExtraFontList* extra_fonts,
                                      Canvas& canvas, std::uint32_t lcid, TBiDiMode direction,
                                      bool pad_hit) {
  (void)lcid;  // the categories do not depend on the locale
  Clear();
  BaseDirection = direction;
  const std::size_t n = text.size();
  std::size_t start = 0;
  while (start < n && text[start] <= 32 && (hit_start < 0 || start < std::size_t(hit_start)))
    ++start;
  if (start >= n) return -1;

  std::vector<Cat> cats(n);
  for (std::size_t i = start; i < n; ++i) cats[i] = category_of(text, i);
  // A "<" opens a tag when a ">" comes before the next "<" (positions from i on).
  constexpr std::size_t none = std::numeric_limits<std::size_t>::max();
  std::vector<std::size_t> next_close(n + 1, none), next_open(n + 1, none);
  for (std::size_t i = n; i-- > start;) {
    next_close[i] = text[i] == u'>' ? i : next_close[i + 1];
    next_open[i] = text[i] == u'<' ? i : next_open[i + 1];
  }
  auto opens_tag = [&](std::size_t i) {
    if (text[i] != u'<' || i + 1 >= n) return false;
    if (is_blank(cats[i + 1]) || cats[i + 1] == Cat::block_separator) return false;
    return next_close[i + 1] != none && next_close[i + 1] < next_open[i + 1];
  };
  auto next_cat = [&](std::size_t i) {
    for (std::size_t j = i + 1; j < n; ++j)
      if (cats[j] != Cat::continuation) return cats[j];
    return Cat::not_applicable;
  };

  const Dir base = direction == bdRightToLeft ? Dir::rtl : Dir::ltr;
  std::vector<std::pair<std::size_t, std::size_t>> spans;  // [start, end)
  std::vector<bool> odd;
  std::size_t chunk_start = start;
  Dir dir = Dir::none;
  Cat prev = Cat::continuation;  // nothing yet
  bool in_tag = false, tag_closed = false, pending = false, prev_alone = false;

  auto end_chunk = [&](std::size_t at) {
    if (at > chunk_start) {
      spans.emplace_back(chunk_start, at);
      odd.push_back((dir == Dir::none ? base : dir) != base);
    }
    chunk_start = at;
  };

  for (std::size_t i = start; i < n; ++i) {
    const Cat cat = cats[i];
    if (cat == Cat::continuation) continue;
    bool brk = pending;
    bool alone = false;
    Dir new_dir = dir;
    bool open_tag = false;
    const char16_t c = text[i];
    if (in_tag) {
      brk = false;
      if (c == u'>') {
        in_tag = false;
        tag_closed = true;
      }
    } else {
      switch (cat) {
        case Cat::ltr_letter:
        case Cat::rtl_letter: {
          const Dir d = cat == Cat::ltr_letter ? Dir::ltr : Dir::rtl;
          if ((dir != Dir::none && d != dir) || tag_closed) brk = true;
          new_dir = d;
          break;
        }
        case Cat::white_space:
        case Cat::not_applicable:
          if (!is_blank(prev)) brk = alone = true;
          break;
        case Cat::common_separator:
        case Cat::block_separator:
        case Cat::segment_separator:
          if ((c == u',' || c == u'.') && is_number(prev) && is_number(next_cat(i))) break;
          if (cat != prev) brk = alone = true;
          break;
        case Cat::european_number:
          new_dir = Dir::ltr;
          break;
        case Cat::arabic_number:
          break;
        case Cat::european_separator:
        case Cat::european_terminator:
          if ((dir != Dir::none && dir != Dir::ltr) || tag_closed) brk = true;
          new_dir = Dir::ltr;
          break;
        case Cat::other_neutral:
          if (opens_tag(i)) {
            brk = true;
            open_tag = true;
          } else if (prev == Cat::other_neutral) {
            brk = false;
            alone = prev_alone;
          } else if (is_number(prev) || (dir != Dir::none && dir != base) ||
                     (base == Dir::rtl && is_symbol(code_point_at(text, i)))) {
            brk = alone = true;
          }
          break;
        case Cat::continuation:
          break;
      }
    }
    if (brk) {
      end_chunk(i);
      if (!in_tag) tag_closed = false;
    }
    if (open_tag) in_tag = true;
    dir = new_dir;
    prev = cat;
    pending = alone;
    prev_alone = alone;
  }
  end_chunk(n);

  // The chunks, measured and coloured.
  std::int32_t hit_chunk = -1, hit_end_chunk = -1;
  const std::int64_t hit_last = hit_start + std::max<std::int64_t>(hit_length, 1) - 1;
  for (std::size_t k = 0; k < spans.size(); ++k) {
    const auto [s, e] = spans[k];
    if (hit_start >= 0 && std::size_t(hit_start) >= s && std::size_t(hit_start) < e)
      hit_chunk = static_cast<std::int32_t>(k);
    if (hit_start >= 0 && hit_last >= std::int64_t(s) && hit_last < std::int64_t(e))
      hit_end_chunk = static_cast<std::int32_t>(k);
  }
  for (std::size_t k = 0; k < spans.size(); ++k) {
    const auto [s, e] = spans[k];
    TWordChunk chunk;
    chunk.w = std::u16string(text.substr(s, e - s));
    chunk.odd_direction = odd[k];
    chunk.colourAndFont.default_colours = true;
    chunk.colourAndFont.colour_rec = fdefault.colourset;
    chunk.colourAndFont.default_typeface = fdefault.default_typeface;
    chunk.colourAndFont.highlight_typeface = fdefault.highlight_typeface;
    if (extra_fonts && !is_single_space(chunk)) {
      const std::int64_t mid = std::int64_t(s) + std::int64_t(e - s) / 2;
      for (std::int32_t r = 0; r < extra_fonts->Count(); ++r) {
        const TExtraFontHolder* h = extra_fonts->Holder(r);
        if (!h) continue;
        const TExtraFontRec& run = h->data;
        if (run.switch_on_at_char <= mid &&
            (run.switch_off_at_char < 0 || mid <= run.switch_off_at_char))
          chunk.colourAndFont = run;
      }
    }
    if (concordancing && pad_hit) {
      if (static_cast<std::int32_t>(k) == hit_chunk)
        chunk.w.insert(chunk.w.begin(), searchword_padding_character);
      if (static_cast<std::int32_t>(k) == hit_end_chunk)
        chunk.w.push_back(searchword_padding_character);
    }
    chunk.pixel_width = measured(canvas, chunk.w, chunk.colourAndFont.default_typeface,
                                 chunk.colourAndFont.highlight_typeface);
    AddChunk(std::move(chunk));
  }
  if (Count() == 0) return -1;
  if (concordancing && hit_chunk >= 0) return hit_chunk;
  return Count() - 1;
}

// ---- Reordering

void ReorderAnyLTRSinRTLSequences(TWordChunkList& list, std::int32_t first, std::int32_t last) {
  for (const auto& [a, b] : painting_detail::odd_runs_to_reverse(list, first, last))
    for (std::int32_t i = a, j = b; i < j; ++i, --j) list.Exchange(i, j);
}

}  // namespace corvane
