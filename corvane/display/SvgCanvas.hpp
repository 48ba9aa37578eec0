#pragma once
// A canvas that writes SVG: what is drawn on it becomes elements whose text stays text
// (searchable, selectable), placed where the cairo canvas would put it, as it measures
// with one. Each text drawn is one <text> element: x its left edge, y its baseline, fill
// its colour as #rrggbb, the text in logical order, escaped; a text drawn in right-to-left
// reading order gets direction="rtl" and text-anchor="end" (its end is its left edge). A
// text on an opaque background other than the page's gets a <rect> of that colour behind
// it. A text that runs out of its clip rectangle is clipped by a <clipPath>; one wholly
// outside is not written.
//
// The elements collect in a buffer that the owner takes (take()) and writes where it
// wants, so that a long document streams; svg_document_start/svg_document_end give the
// document around them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/display/CairoCanvas.hpp"
#include "corvane/platform/Canvas.hpp"

namespace corvane {

class SvgCanvas : public Canvas {
 public:
  // Measures with `measurer` (which must outlive this canvas); texts whose font has the
  // document's family and size (see svg_document_start) carry no font attributes.
  SvgCanvas(CairoCanvas& measurer, std::u16string document_family, int document_size);

  bool text_extent_ex(std::u16string_view text, int max_extent, int& fit, std::vector<int>& dx,
                      TSize& size) override;
  void text_out(int x, int y, const TRect& clip, std::u16string_view text,
                unsigned options) override;
  void draw_text(const TRect& rect, std::u16string_view text, DrawTextAlign align,
                 DrawTextEllipsis ellipsis) override;

  // A <rect> filled with the colour.
  void fill_rect(const TRect& rect, std::uint32_t colour);

  // The colour of the page: an opaque background of this colour gets no <rect>.
  std::uint32_t page_background = 0xFFFFFF;

  // The elements written since the last take(), appended to out and forgotten.
  void take(std::string& out);
  const std::string& elements() const noexcept { return elements_; }

 private:
  void sync_font();
  // The clip-path attribute for a clip rectangle (defining the clipPath on first use).
  std::string clip_attribute(const TRect& clip);
  void text_element(int left, int top, int width, const TRect* clip, std::u16string_view text,
                    bool rtl);

  CairoCanvas& measurer_;
  std::u16string document_family_;
  int document_size_;
  std::string elements_;
  TRect last_clip_{};
  int clip_count_ = 0;
};

// Size in pixels (at 96 dots an inch) of a font size in points, as an SVG number.
std::string svg_font_pixels(int points);

// Text escaped for XML character data and attribute values, as UTF-8 ("&", "<", ">", '"'
// as entities; control characters that XML cannot hold as spaces; a lone surrogate as
// U+FFFD).
std::string xml_escaped(std::u16string_view text);

// The start of a document width x height: the <svg> element (preserving spaces, with the
// default font family and size of its texts), then a first <rect> filling the picture
// with the background. Its length does not depend on height (up to 10 digits), so that a
// writer that learns the height last can write it again over the first.
std::string svg_document_start(int width, long long height, std::uint32_t background,
                               std::u16string_view family, int font_size);
std::string svg_document_end();

}  // namespace corvane
