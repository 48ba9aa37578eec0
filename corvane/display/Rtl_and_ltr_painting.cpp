// The line drawer's free routines: output options, measuring, typefaces, placement
// helpers, the whole-line ellipsis and the colours the drawer starts with.
#include "corvane/display/Rtl_and_ltr_painting.hpp"

#include <stdexcept>

#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/display/Rtl_and_ltr_painting_internal.hpp"

namespace corvane {

unsigned GetMyTextFlags(TBiDiMode direction) {
  return kTextOutClipped | (direction == bdRightToLeft ? kTextOutRtlReading : 0u);
}

std::int32_t GetMyDisplayMargins(std::int32_t margin, bool wanted) {
  return wanted ? margin : 0;
}

TSize CanvasPixelWidthAndHeight(std::u16string_view text, Canvas& canvas) {
  return canvas.text_extent(text);
}

TSize CanvasPixelWidthAndHeight(std::u16string_view text, Canvas& canvas, bool add_space_pixels) {
  TSize size = canvas.text_extent(text);
  if (add_space_pixels)
    for (char16_t c : text)
      if (c == u' ') ++size.cx;
  return size;
}

std::int32_t ComputedTextHeight(Canvas& canvas) {
  return canvas.text_extent(u"Yy").cy;
}

std::int32_t ComputedLineHeight(Canvas& canvas) {
  return canvas.text_extent(u"yTTG").cy;
}

TPoint ComputedRectDeadCentre(const TRect& R, std::int32_t height) {
  TPoint p;
  p.X = R.Left + (R.Right - R.Left) / 2;
  p.Y = (R.Bottom - R.Top) >= 2 * height ? R.Top + (R.Bottom - R.Top - height) / 2 : R.Top;
  return p;
}

std::int32_t ComputedTextDisplacement(Canvas& canvas, std::int32_t n) {
  if (n == 0) return 0;
  return n * canvas.text_extent(u"n").cx;
}

TFontStyles TypeFaceToFontStyles(Ttypeface_Set set) {
  TFontStyles s;
  s.bold = set.contains(tf_bold);
  s.italic = set.contains(tf_italics);
  s.underline = set.contains(tf_underline);
  s.strike_out = set.contains(tf_strikeout);
  return s;
}

Ttypeface_Set LargerOfTwoTypeFaces(Ttypeface_Set a, Ttypeface_Set b) {
  return a.empty() ? b : a;
}

TFontStyles LargerTypeFaceToFontStyles(Ttypeface_Set a, Ttypeface_Set b) {
  return TypeFaceToFontStyles(LargerOfTwoTypeFaces(a, b));
}

void TryToSetFontStyle(Canvas* canvas, TFontStyles styles) {
  if (!canvas) throw std::runtime_error("error setting font style");
  CanvasFont& f = canvas->font();
  f.bold = styles.bold;
  f.italic = styles.italic;
  f.underline = styles.underline;
  f.strike_out = styles.strike_out;
}

std::int32_t ShiftUpLinePixels(std::int32_t x, const TWordChunk& chunk, bool backwards) {
  return backwards ? x - chunk.pixel_width : x + chunk.pixel_width;
}

void EllipsisOutputALine(Canvas& canvas, std::u16string_view text, TRect R, std::int32_t width) {
  R.Right = R.Left + width;
  const bool path = text.find(u":\\") != std::u16string_view::npos ||
                    text.find(u"\\\\") != std::u16string_view::npos;
  canvas.draw_text(R, text, DrawTextAlign::left,
                   path ? DrawTextEllipsis::path : DrawTextEllipsis::end);
}

TExtraFontRec ExtraFontRun(std::int32_t start, std::int32_t length,
                           const TMyCanvasColourRecAndTypeface& colours,
                           TExtraFontCategory applies_to) {
  TExtraFontRec r;
  r.switch_on_at_char = start;
  r.switch_off_at_char = start + (length > 0 ? length : 1) - 1;
  r.colour_rec = colours.colourset;
  r.default_typeface = colours.default_typeface;
  r.highlight_typeface = colours.highlight_typeface;
  r.spare_typefaces = colours.default_typeface;
  r.applies_to = applies_to;
  r.Colouring_word_instead_of_tag = applies_to != efc_tag;
  return r;
}

TColor DeviceColour(TColor colour) {
  return ResolvedColour(colour);
}

}  // namespace corvane
