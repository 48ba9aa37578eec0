#pragma once
// A canvas with real fonts: text is laid out by pango on cairo, so that scripts that need
// shaping (Arabic) are shaped by HarfBuzz and right-to-left runs are set right to left. It
// draws on an image surface that can be saved as PNG; made 0 x 0 it only measures.
//
// Measuring is cached per font and text: a concordance measures the same words again and
// again, and a look-up is far cheaper than a layout. The cache is bounded (it is emptied
// when it holds cache_limit() texts).
//
// Fonts: the canvas font's name is looked up among the installed families. A name that is
// not installed is replaced by "DejaVu Sans" (whose fonts cover Latin, Greek, Cyrillic,
// Hebrew and Arabic), and the warning callback hears of it once per name.
//
// Also replacing_file: a file written beside its name and renamed over it when complete,
// which the picture writers use.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/platform/Canvas.hpp"

namespace corvane {

// The family every canvas starts with and falls back on.
inline constexpr std::u16string_view kDefaultCanvasFamily = u"DejaVu Sans";

// Whether fontconfig has fonts of this family (a generic name such as "Sans" or
// "Monospace" counts as installed). Case-insensitive.
bool font_family_installed(std::u16string_view family);

// The red, green and blue of a colour (red in the low byte); a system colour (top byte
// 0xFF) is resolved through the system colour table first.
struct RgbColour {
  std::uint8_t r = 0, g = 0, b = 0;
};
RgbColour rgb_of_colour(std::uint32_t colour);
// "#rrggbb" for a colour, a system colour resolved.
std::string hex_of_colour(std::uint32_t colour);

class CairoCanvas : public Canvas {
 public:
  // An image of width x height pixels, filled white; 0 x 0 (or less) measures only.
  explicit CairoCanvas(int width = 0, int height = 0);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  // Widths and fit as the platform gives them: dx[i] is the width of text[0..i] in whole
  // pixels (the second half of a surrogate pair adds nothing), size.cy the font's height
  // (ascent plus descent). The text is laid out whole, so that joined letters are
  // measured joined.
  bool text_extent_ex(std::u16string_view text, int max_extent, int& fit, std::vector<int>& dx,
                      TSize& size) override;
  // Draws with the text's top at y; with kTextOutRtlReading the text's base direction is
  // right to left. An opaque background fills the text's box with brush_colour first.
  void text_out(int x, int y, const TRect& clip, std::u16string_view text,
                unsigned options) override;
  void draw_text(const TRect& rect, std::u16string_view text, DrawTextAlign align,
                 DrawTextEllipsis ellipsis) override;

  // The text as draw_text shows it in `room` pixels: itself when it fits or ellipsis is
  // none; else cut at its end (end) or before its last path element (path) with U+2026.
  std::u16string shortened(std::u16string_view text, int room, DrawTextEllipsis ellipsis);

  // Fills a rectangle with a colour.
  void fill_rect(const TRect& rect, std::uint32_t colour);

  // The current font's ascent (top of a line to its baseline) and height, in pixels.
  int ascent();
  int line_height();
  // The family that the current font is drawn in: its own, or the fallback.
  std::u16string resolved_family();

  int width() const noexcept;
  int height() const noexcept;
  // Makes the image width x height, keeping what is drawn in the part that stays (the rest
  // is white). False when cairo cannot make an image that large.
  bool resize(int width, int height);

  // Saves the image as PNG, beside the name and renamed over it when complete. False,
  // with a message in error, when it cannot be written (the old file is left as it was).
  bool write_png(const std::string& file_name, std::string& error);

  // Told once per family name that is not installed, with the family used instead.
  using missing_font_callback =
      std::function<void(const std::u16string& wanted, const std::u16string& used)>;
  void on_missing_font(missing_font_callback callback);

  std::size_t cached_texts() const noexcept;
  std::size_t cache_limit() const noexcept;
  void set_cache_limit(std::size_t texts) noexcept;

  // The cairo context (a cairo_t*) for drawing beyond text; valid while the canvas lives.
  void* cairo_context() noexcept;

 private:
  struct impl;
  std::unique_ptr<impl> impl_;
};

// A file written beside its name (in the same folder) and renamed over it by commit(): a
// half-written file never stands under the name, and a file already there stays as it was
// when writing fails. Without commit() the temporary file is removed.
class replacing_file {
 public:
  explicit replacing_file(std::string target);
  ~replacing_file();
  replacing_file(const replacing_file&) = delete;
  replacing_file& operator=(const replacing_file&) = delete;

  // Creates the temporary file; false with a message naming the target.
  bool open(std::string& error);
  // Appends bytes; failures are remembered and reported by commit().
  void write(std::string_view bytes);
  // Overwrites bytes at an offset already written (for a header finished last).
  void write_at(std::uint64_t offset, std::string_view bytes);
  std::uint64_t size() const noexcept { return size_; }
  // Flushes, closes and renames; false with a message when anything failed.
  bool commit(std::string& error);
  const std::string& target() const noexcept { return target_; }

 private:
  std::string target_, temp_;
  std::FILE* file_ = nullptr;
  std::uint64_t size_ = 0;
  int error_ = 0;
};

}  // namespace corvane
