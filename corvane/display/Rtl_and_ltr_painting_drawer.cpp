// TMyTextDrawer: colours of a chunk, placing and painting one line, and the concordance
// line built outwards from its hit.
#include <algorithm>
#include <limits>
#include <map>

#include "corvane/display/Rtl_and_ltr_painting.hpp"
#include "corvane/display/Rtl_and_ltr_painting_internal.hpp"

namespace corvane {

using painting_detail::is_single_space;

namespace {

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
// How many lines a measured concordance line may grow by on each side of its hit line.
constexpr int kMostMeasuredLines = 9;

bool printing(TCVoutput output) {
  return output == pra_printer || output == pra_print_preview;
}

}  // namespace

TMyTextDrawer::TMyTextDrawer()
    : search_colours_and_style(StyleSearchColoursAndTypeface()),
      default_colours_and_typefaces(BogStandardColoursAndTypeface()),
      fSearchlist(std::make_unique<TSearchWordItems>()),
      defaultExtraFontList(std::make_unique<TExtraFontList>()) {}

TMyTextDrawer::~TMyTextDrawer() = default;

// ---- Colours and typefaces

void TMyTextDrawer::SetupHighlightOutputColours(Canvas& canvas, bool selected, TCVoutput output,
                                                const TRect& R) {
  (void)canvas;
  (void)R;
  if (DeletedEntry) return;
  MonoChrome = MonoChrome && printing(output);
  Selecionado = selected && !printing(output);
}

void TMyTextDrawer::SetFontStyle(Canvas& canvas, Ttypeface_Set typeface) {
  TryToSetFontStyle(&canvas, TypeFaceToFontStyles(typeface));
}

void TMyTextDrawer::SetColoursAndTypeForWord(Canvas& canvas, const TWordChunk& chunk) {
  const TExtraFontRec& rec = chunk.colourAndFont;
  TMyCanvasColourRec colours;
  Ttypeface_Set normal, highlight;
  if (rec.default_colours) {
    colours = default_colours_and_typefaces.colourset;
    normal = default_colours_and_typefaces.default_typeface;
    highlight = default_colours_and_typefaces.highlight_typeface;
    canvas.background_mode =
        Transparent_Background ? BackgroundMode::transparent : BackgroundMode::opaque;
  } else {
    colours = rec.colour_rec;
    normal = rec.default_typeface;
    highlight = rec.highlight_typeface;
    canvas.background_mode = BackgroundMode::opaque;
  }
  if (MonoChrome) colours = BogStandardColours();
  canvas.brush_colour =
      DeviceColour(colours.colours[Selecionado ? tct_selected_background : tct_background]);
  if (DeletedEntry) return;
  canvas.font().colour = DeviceColour(colours.colours[Selecionado ? tct_selected_text : tct_text]);
  SetFontStyle(canvas, Selecionado ? highlight : normal);
}

void TMyTextDrawer::SetMainColoursTo(const TMyCanvasColourRecAndTypeface& colours) {
  default_colours_and_typefaces = colours;
}

void TMyTextDrawer::SetColoursToMonochrome() {
  default_colours_and_typefaces = BogStandardColoursAndTypeface();
}

void TMyTextDrawer::SetStyleColours(TTMSStyle style) {
  default_colours_and_typefaces = StyleStandardColoursAndTypeface(style);
  search_colours_and_style = DefaultWordHandlingColours(style)[wh_searchword];
}

TExtraFontRec TMyTextDrawer::DefaultExtraFontRec() const {
  TExtraFontRec r{};
  r.default_colours = true;
  r.colour_rec = default_colours_and_typefaces.colourset;
  r.default_typeface = default_colours_and_typefaces.default_typeface;
  r.highlight_typeface = default_colours_and_typefaces.highlight_typeface;
  return r;
}

void TMyTextDrawer::SetExtraFontList(TExtraFontList* list) {
  concExtraFontList = list;
}

Ttypeface_Set TMyTextDrawer::GetBaseTypefaces() const {
  return default_colours_and_typefaces.default_typeface;
}

void TMyTextDrawer::SetBaseTypefaces(Ttypeface_Set typefaces) {
  default_colours_and_typefaces.default_typeface = typefaces;
}

void TMyTextDrawer::IncludeOrExcludeInDefaultTypeface(TTypefaceStyle style, bool include) {
  Ttypeface_Set& t = default_colours_and_typefaces.default_typeface;
  if (include)
    t.include(style);
  else
    t.bits = static_cast<std::uint8_t>(t.bits & ~(1u << style));
}

void TMyTextDrawer::SetMainFontFaceDeleted(bool deleted) {
  DeletedEntry = deleted;
  IncludeOrExcludeInDefaultTypeface(tf_strikeout, deleted);
}

// ---- Placing

std::int32_t TMyTextDrawer::GetPlaceXNearMargin(const TRect& R) const {
  return BaseDirection == bdRightToLeft ? R.Right - edge_margin : R.Left + edge_margin;
}

std::int32_t TMyTextDrawer::GetPlaceXForLineWidth(const TRect& R, std::int32_t width,
                                                  TCVAlignment alignment) const {
  if (BaseDirection == bdRightToLeft) {
    if (alignment == centre_aligned) return R.Right - (R.Right - R.Left - width) / 2;
    if (alignment == right_aligned) return R.Right - edge_margin;
    // Against the left margin: the right reference point is the line's width from it.
    return R.Left + edge_margin + width;
  }
  if (alignment == centre_aligned) return R.Left + (R.Right - R.Left - width) / 2;
  if (alignment == right_aligned) return R.Right - edge_margin - width;
  return R.Left + edge_margin;
}

TWordsWhichFit TMyTextDrawer::ComputedFitSpan(TWordChunkList& list, std::int32_t first,
                                              std::int32_t width) {
  if (!list.has_odd_directions && Alignamento == default_aligned) {
    TWordsWhichFit r;
    r.first_segment = first;
    r.last_segment = kMaxInt;
    r.pixels = kMaxInt;
    return r;
  }
  TWordsWhichFit r = list.WhichWordsFit(first, width, Alignamento != default_aligned);
  if (r.reorder_check_needed) ReorderAnyLTRSinRTLSequences(list, r.first_segment, r.last_segment);
  return r;
}

TNextWordFitting TMyTextDrawer::NextWordFitsOK(const TWordChunkList& list, std::int32_t next,
                                               std::int32_t x, const TRect& R) const {
  if (next < 0 || next >= list.Count()) return nw_done_all;
  const std::int32_t w = list.Holder(next)->data.pixel_width;
  if (list.BaseDirection == bdRightToLeft)
    return std::int64_t(x) - w < R.Left + edge_margin ? nw_wont_fit : nw_fits_OK;
  return std::int64_t(x) + w > R.Right - edge_margin ? nw_wont_fit : nw_fits_OK;
}

// ---- Drawing one chunk

std::int32_t TMyTextDrawer::effective_line_height(Canvas& canvas) {
  if (line_height <= 0) line_height = ComputedLineHeight(canvas);
  return line_height;
}

void TMyTextDrawer::draw_chunk(Canvas& canvas, const TWordChunk& chunk, std::int32_t left,
                               std::int32_t y, const TRect& R, unsigned options) {
  if (fjust_measuring) return;
  const bool right_ref = canvas.text_align == TextAlign::right;
  canvas.text_out(right_ref ? left + chunk.pixel_width : left, y, R, chunk.w, options);
}

// Deletes three characters at a time from the middle until the text is narrower than the
// room less an "M", or shorter than four; then an ellipsis goes where the last cut was.
void TMyTextDrawer::draw_shrunk_chunk(Canvas& canvas, const TWordChunk& chunk, std::int32_t x,
                                      std::int32_t y, const TRect& R, TBiDiMode direction) {
  if (fjust_measuring) return;
  TShrinkRec s;
  s.shrink_str = chunk.w;
  s.R = R;
  s.R.Top = std::max(R.Top, y);
  s.R.Bottom = std::min(R.Bottom, y + effective_line_height(canvas));
  const std::int32_t room = R.Width() - canvas.text_extent(u"M").cx;
  s.mid = static_cast<std::int32_t>(s.shrink_str.size() / 2);
  while (s.shrink_str.size() >= 4 && canvas.text_extent(s.shrink_str).cx >= room) {
    std::size_t at = s.shrink_str.size() / 2;
    if (at > 0 && s.shrink_str[at] >= 0xDC00 && s.shrink_str[at] <= 0xDFFF &&
        s.shrink_str[at - 1] >= 0xD800 && s.shrink_str[at - 1] <= 0xDBFF)
      --at;
    std::size_t end = std::min(s.shrink_str.size(), at + 3);
    if (end < s.shrink_str.size() && s.shrink_str[end] >= 0xDC00 && s.shrink_str[end] <= 0xDFFF)
      ++end;
    s.shrink_str.erase(at, end - at);
    s.mid = static_cast<std::int32_t>(at);
  }
  s.shrink_str.insert(static_cast<std::size_t>(std::min<std::int32_t>(
                          s.mid, static_cast<std::int32_t>(s.shrink_str.size()))),
                      1, u'\u2026');
  DrawTextAlign align = DrawTextAlign::right;
  if (Alignamento == centre_aligned) {
    const std::int32_t w = canvas.text_extent(s.shrink_str).cx;
    s.R.Left = std::max(R.Left, R.Left + (R.Width() - w) / 2);
    s.R.Right = std::min(R.Right, s.R.Left + w);
    align = DrawTextAlign::centre;
  } else if (Alignamento == right_aligned) {
    s.R.Right = std::clamp(x, R.Left, R.Right);
  }
  (void)direction;
  canvas.draw_text(s.R, s.shrink_str, align, DrawTextEllipsis::none);
}

// ---- One line

TNextWordFitPlusLastWordnumber TMyTextDrawer::PaintOneLine(std::int32_t first, std::int32_t line,
                                                           const TRect& R, TWordChunkList& list,
                                                           Canvas& canvas, unsigned options) {
  TNextWordFitPlusLastWordnumber result;
  result.last_wordnumber_painted = first - 1;
  const bool rtl = list.BaseDirection == bdRightToLeft;
  canvas.text_align = rtl ? TextAlign::right : TextAlign::left;
  const std::int32_t room = R.Width() - 2 * edge_margin;
  const TWordsWhichFit span = ComputedFitSpan(list, first, room);
  std::int32_t x = 0;
  switch (Alignamento) {
    case centre_aligned:
      x = rtl ? R.Right - (R.Right - R.Left - span.pixels) / 2
              : R.Left + (R.Right - R.Left - span.pixels) / 2;
      break;
    case right_aligned:
    case decimal_aligned:
      x = rtl ? R.Left + span.pixels + 1 : R.Right - span.pixels - 1;
      break;
    default:
      x = GetPlaceXNearMargin(R);
  }
  const std::int32_t y = R.Top + line * (effective_line_height(canvas) + interline_spacing);
  std::int32_t i = span.first_segment;
  if (line > 0 && i < list.Count() && is_single_space(list.Holder(i)->data)) ++i;
  if (i >= list.Count()) {
    result.nextword_fit = nw_done_all;
    return result;
  }
  const bool span_empty = span.last_segment < span.first_segment;
  while (true) {
    const TWordChunk& chunk = list.Holder(i)->data;
    SetColoursAndTypeForWord(canvas, chunk);
    result.last_wordnumber_painted = i;
    if ((chunk.pixel_width > room && Alignamento == default_aligned) ||
        (span_empty && chunk.pixel_width > 0)) {
      draw_shrunk_chunk(canvas, chunk, x, y, R, list.BaseDirection);
      result.nextword_fit = i + 1 >= list.Count() ? nw_done_all : nw_wont_fit;
      break;
    }
    draw_chunk(canvas, chunk, rtl ? x - chunk.pixel_width : x, y, R, options);
    if (Transparent_Background) canvas.background_mode = BackgroundMode::transparent;
    x = ShiftUpLinePixels(x, chunk, rtl);
    TNextWordFitting fit = NextWordFitsOK(list, i + 1, x, R);
    if (fit == nw_fits_OK && i + 1 > span.last_segment) fit = nw_found_span;
    result.nextword_fit = fit;
    if (fit != nw_fits_OK) break;
    ++i;
  }
  return result;
}

std::int32_t TMyTextDrawer::ParseAndPaintOneLine(std::u16string_view text, Canvas& canvas,
                                                 const TRect& R, TCVAlignment alignment,
                                                 TCVoutput output, std::uint32_t lcid) {
  BaseDirection = BiDiModeFromLCID(lcid);
  Alignamento = alignment;
  text_fits_within_Rect = true;
  if (!fjust_measuring) SetupHighlightOutputColours(canvas, Selecionado, output, R);
  const std::int32_t lh = effective_line_height(canvas);

  // The runs: the default extra fonts, then each search word found.
  TExtraFontList runs;
  for (std::int32_t i = 0; i < defaultExtraFontList->Count(); ++i)
    runs.AddOne(defaultExtraFontList->GetAFontFrec(i));
  const TBaseSearchItems& items = Searchlist();
  for (std::int64_t hit : FindBoundedSWPositionsInString(items, text)) {
    const auto at = static_cast<std::int32_t>(hit >> 32);
    const auto length = static_cast<std::int32_t>(hit & 0xFFFFFFFF);
    runs.AddOne(ExtraFontRun(at, length, search_colours_and_style, efc_centre_word));
  }

  TWordChunkList list(default_colours_and_typefaces, searchword_padding_character, false);
  if (list.LoadFrom(text, -1, 0, &runs, canvas, lcid, BaseDirection, false) < 0) return 0;
  const unsigned options = GetMyTextFlags(BaseDirection);
  std::int32_t first = 0, line = 0;
  while (true) {
    const TNextWordFitPlusLastWordnumber r = PaintOneLine(first, line, R, list, canvas, options);
    ++line;
    if (r.nextword_fit == nw_done_all) break;
    if (r.last_wordnumber_painted + 1 >= list.Count()) break;
    text_fits_within_Rect = false;
    if (!Word_wrapped) break;
    const std::int64_t next_bottom =
        std::int64_t(R.Top) + std::int64_t(line) * (lh + interline_spacing) + lh;
    if (!fjust_measuring && next_bottom > R.Bottom) break;
    if (fjust_measuring && line > 2 * kMostMeasuredLines) break;
    text_fits_within_Rect = true;
    first = std::max(r.last_wordnumber_painted + 1, first + 1);
  }
  return line;
}

// ---- A concordance line

namespace {

struct Placed {
  std::int32_t index;
  std::int32_t left;
};

}  // namespace

TRect TMyTextDrawer::DrawConcText(Canvas& canvas, const TRect& R, std::u16string_view text,
                                  std::int32_t hit_start, std::int32_t hit_length,
                                  std::uint32_t lcid, TCVoutput output, bool margins,
                                  bool pad_hit) {
  BaseDirection = BiDiModeFromLCID(lcid);
  Alignamento = centre_aligned;
  text_fits_within_Rect = true;
  if (!fjust_measuring) SetupHighlightOutputColours(canvas, Selecionado, output, R);
  edge_margin = GetMyDisplayMargins(canvas.text_extent(u" ").cx, margins);
  const std::int32_t lh = effective_line_height(canvas);
  const std::int32_t step = lh + interline_spacing;

  TWordChunkList list(default_colours_and_typefaces, searchword_padding_character, true);
  const std::int32_t hit = list.LoadFrom(text, hit_start, hit_length, concExtraFontList, canvas,
                                         lcid, BaseDirection, pad_hit);
  if (hit < 0) return TRect{R.Left, R.Top, R.Left, R.Top};
  const bool rtl = BaseDirection == bdRightToLeft;
  const TPoint centre = ComputedRectDeadCentre(R, lh);
  const std::int32_t cx = centre.X + ComputedTextDisplacement(canvas, HorizontalConcDisplacement);
  const std::int32_t inner_left = R.Left + edge_margin, inner_right = R.Right - edge_margin;

  // Lines by number: 0 holds the hit, negative ones stand above, positive ones below. Each
  // holds its chunks in the order they were laid out.
  std::map<std::int32_t, std::vector<Placed>> lines;
  const std::int32_t hit_width = list.Holder(hit)->data.pixel_width;
  const std::int32_t hit_left = cx - hit_width / 2;
  lines[0].push_back({hit, hit_left});

  auto line_leaves = [&](std::int32_t line) {
    const std::int64_t top = std::int64_t(centre.Y) + std::int64_t(line) * step;
    if (fjust_measuring) return line < -kMostMeasuredLines || line > kMostMeasuredLines;
    return top < R.Top || top + lh > R.Bottom;
  };
  // Lays out the chunks from `from` by `delta` (-1: towards the start of the text), on
  // lines going `line_delta`, moving x leftwards when `leftwards`.
  auto lay_out = [&](std::int32_t from, std::int32_t delta, std::int32_t line_delta, bool leftwards,
                     std::int32_t cursor) {
    std::int32_t line = 0;
    bool line_start = false;
    for (std::int32_t i = from; i >= 0 && i < list.Count(); i += delta) {
      const TWordChunk& c = list.Holder(i)->data;
      const bool fits = leftwards ? std::int64_t(cursor) - c.pixel_width >= inner_left
                                  : std::int64_t(cursor) + c.pixel_width <= inner_right;
      if (!fits && !line_start) {
        if (line_leaves(line + line_delta)) {
          text_fits_within_Rect = false;
          return;
        }
        line += line_delta;
        cursor = leftwards ? inner_right : inner_left;
        line_start = true;
        if (is_single_space(c)) continue;  // no space at the edge of a new line
      }
      line_start = false;
      const std::int32_t left = leftwards ? cursor - c.pixel_width : cursor;
      lines[line].push_back({i, left});
      cursor = leftwards ? left : left + c.pixel_width;
    }
  };
  // The text before the hit reads away from it: leftwards in left-to-right text, to the
  // right in right-to-left text; the text after it the other way.
  lay_out(hit - 1, -1, -1, !rtl, rtl ? hit_left + hit_width : hit_left);
  lay_out(hit + 1, +1, +1, rtl, rtl ? hit_left : hit_left + hit_width);

  const std::int32_t top_line = lines.begin()->first, bottom_line = lines.rbegin()->first;
  for (auto& [number, placed] : lines) {
    std::sort(placed.begin(), placed.end(),
              [](const Placed& a, const Placed& b) { return a.index < b.index; });
    std::int32_t lo = kMaxInt, hi = std::numeric_limits<std::int32_t>::min();
    for (const Placed& p : placed) {
      lo = std::min(lo, p.left);
      hi = std::max(hi, p.left + list.Holder(p.index)->data.pixel_width);
    }
    // Odd-direction runs read the other way: mirror each run inside the room it takes.
    std::map<std::int32_t, std::size_t> at;
    for (std::size_t k = 0; k < placed.size(); ++k) at[placed[k].index] = k;
    for (const auto& [a, b] :
         painting_detail::odd_runs_to_reverse(list, placed.front().index, placed.back().index)) {
      std::int32_t run_lo = kMaxInt, run_hi = std::numeric_limits<std::int32_t>::min();
      for (std::int32_t i = a; i <= b; ++i) {
        if (!at.count(i)) continue;
        const Placed& p = placed[at[i]];
        run_lo = std::min(run_lo, p.left);
        run_hi = std::max(run_hi, p.left + list.Holder(i)->data.pixel_width);
      }
      for (std::int32_t i = a; i <= b; ++i) {
        if (!at.count(i)) continue;
        Placed& p = placed[at[i]];
        p.left = run_lo + run_hi - (p.left + list.Holder(i)->data.pixel_width);
      }
    }
    if (number == 0) continue;
    // Lines other than the hit's are placed by their width.
    const std::int32_t width = hi - lo;
    TCVAlignment align = centre_aligned;
    if (number == top_line || number == bottom_line) align = rtl ? right_aligned : default_aligned;
    const std::int32_t ref = GetPlaceXForLineWidth(R, width, align);
    const std::int32_t new_lo = rtl ? ref - width : ref;
    for (Placed& p : placed) p.left += new_lo - lo;
  }

  canvas.text_align = rtl ? TextAlign::right : TextAlign::left;
  const std::int32_t room = R.Width() - 2 * edge_margin;
  for (const auto& [number, placed] : lines) {
    const std::int32_t y = centre.Y + number * step;
    for (const Placed& p : placed) {
      const TWordChunk& c = list.Holder(p.index)->data;
      SetColoursAndTypeForWord(canvas, c);
      if (c.pixel_width > room) {
        draw_shrunk_chunk(canvas, c, p.left, y, R, BaseDirection);
      } else {
        const TBiDiMode d = c.odd_direction ? (rtl ? bdLeftToRight : bdRightToLeft) : BaseDirection;
        draw_chunk(canvas, c, p.left, y, R, GetMyTextFlags(d));
      }
      if (Transparent_Background) canvas.background_mode = BackgroundMode::transparent;
    }
  }
  return TRect{R.Left, centre.Y + top_line * step, R.Right, centre.Y + bottom_line * step + lh};
}

}  // namespace corvane
