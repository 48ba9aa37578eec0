#pragma once
// The drawing surface that text measurement and painting go through: a font, a brush, a
// background mode and a text alignment, text extents with fit and per-character extents,
// and text output clipped to a rectangle, in a rectangle with alignment, or with an
// ellipsis. The package's routines that took a device context take a Canvas*.
//
// FixedAdvanceCanvas is the one used by tests: every character is `advance` pixels wide
// and `height` pixels high, and what is drawn is recorded. The cairo canvas that renders
// with real fonts lives with the line drawer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/platform/Desktop.hpp"

namespace corvane {

struct TSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const TSize&) const = default;
};

struct CanvasFont {
  std::u16string name = u"DejaVu Sans";
  int size = 10;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  std::uint32_t colour = 0;  // red in the low byte
  bool operator==(const CanvasFont&) const = default;
};

enum class BackgroundMode { opaque, transparent };
// The reference point of text_out: x is the left edge of the text, or its right edge.
enum class TextAlign { left, right };

// Options of text_out (the values of the system's text-output flags).
inline constexpr unsigned kTextOutOpaque = 2;
inline constexpr unsigned kTextOutClipped = 4;
inline constexpr unsigned kTextOutRtlReading = 128;

// Placement and options of draw_text.
enum class DrawTextAlign { left, centre, right };
enum class DrawTextEllipsis { none, end, path };

class Canvas {
 public:
  virtual ~Canvas() = default;

  CanvasFont& font() noexcept { return font_; }
  const CanvasFont& font() const noexcept { return font_; }
  std::uint32_t brush_colour = 0xFFFFFF;
  BackgroundMode background_mode = BackgroundMode::opaque;
  TextAlign text_align = TextAlign::left;

  // Measures text in the current font. `size` gets the width and height of the whole
  // text; `dx[i]` the width of text[0..i] (so dx.back() is the whole width); `fit` the
  // number of characters whose cumulative width is at most max_extent (max_extent < 0:
  // every character fits). False when the canvas cannot measure (then nothing is set).
  virtual bool text_extent_ex(std::u16string_view text, int max_extent, int& fit,
                              std::vector<int>& dx, TSize& size) = 0;

  // Width and height of text in the current font; (0, 0) when it cannot be measured.
  TSize text_extent(std::u16string_view text);

  // Draws text with its reference point at (x, y) (top edge; left or right edge by
  // text_align), clipped to `clip` when options include kTextOutClipped, in reading order
  // right to left when they include kTextOutRtlReading.
  virtual void text_out(int x, int y, const TRect& clip, std::u16string_view text,
                        unsigned options) = 0;

  // Draws text on one line in `rect`, placed by `align`, shortened with an ellipsis when
  // it is wider than the rectangle (end: the end is cut; path: the middle is cut, keeping
  // the last path element).
  virtual void draw_text(const TRect& rect, std::u16string_view text, DrawTextAlign align,
                         DrawTextEllipsis ellipsis) = 0;

 protected:
  CanvasFont font_;
};

// A canvas whose every code point is `advance` pixels wide (a surrogate pair is one code
// point: its second half adds nothing) and `height` pixels high. Drawing is recorded:
// each call adds one Drawn entry holding the part of the text that lies inside the clip.
class FixedAdvanceCanvas : public Canvas {
 public:
  explicit FixedAdvanceCanvas(int advance = 8, int height = 16)
      : advance_(advance), height_(height) {}

  struct Drawn {
    int x = 0;  // left edge of the visible text
    int y = 0;
    std::u16string text;  // what is visible, in storage order
    unsigned options = 0;
    CanvasFont font;
    std::uint32_t brush_colour = 0;
    BackgroundMode background_mode = BackgroundMode::opaque;
  };

  bool text_extent_ex(std::u16string_view text, int max_extent, int& fit, std::vector<int>& dx,
                      TSize& size) override;
  void text_out(int x, int y, const TRect& clip, std::u16string_view text,
                unsigned options) override;
  void draw_text(const TRect& rect, std::u16string_view text, DrawTextAlign align,
                 DrawTextEllipsis ellipsis) override;

  // Makes text_extent_ex fail, to test callers' failure paths.
  void set_failing(bool failing) noexcept { failing_ = failing; }

  int advance() const noexcept { return advance_; }
  int height() const noexcept { return height_; }
  const std::vector<Drawn>& drawn() const noexcept { return drawn_; }
  void clear_drawn() { drawn_.clear(); }

 private:
  int width_of(std::u16string_view text) const;
  void record(int left, int y, std::u16string_view text, const TRect* clip, unsigned options);

  int advance_;
  int height_;
  bool failing_ = false;
  std::vector<Drawn> drawn_;
};

}  // namespace corvane
