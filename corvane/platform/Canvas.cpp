#include "corvane/platform/Canvas.hpp"

#include <algorithm>

namespace corvane {

namespace {

bool is_trail_of_pair(std::u16string_view text, std::size_t i) {
  return i > 0 && text[i] >= 0xDC00 && text[i] <= 0xDFFF && text[i - 1] >= 0xD800 &&
         text[i - 1] <= 0xDBFF;
}

}  // namespace

TSize Canvas::text_extent(std::u16string_view text) {
  int fit = 0;
  std::vector<int> dx;
  TSize size;
  if (!text_extent_ex(text, -1, fit, dx, size)) return TSize{};
  return size;
}

int FixedAdvanceCanvas::width_of(std::u16string_view text) const {
  int w = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!is_trail_of_pair(text, i)) w += advance_;
  return w;
}

bool FixedAdvanceCanvas::text_extent_ex(std::u16string_view text, int max_extent, int& fit,
                                        std::vector<int>& dx, TSize& size) {
  if (failing_) return false;
  dx.assign(text.size(), 0);
  int w = 0;
  int fitted = 0;
  bool fitting = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_trail_of_pair(text, i)) w += advance_;
    dx[i] = w;
    if (fitting && (max_extent < 0 || w <= max_extent))
      ++fitted;
    else
      fitting = false;
  }
  fit = fitted;
  size = TSize{w, height_};
  return true;
}

void FixedAdvanceCanvas::record(int left, int y, std::u16string_view text, const TRect* clip,
                                unsigned options) {
  Drawn d;
  d.y = y;
  d.options = options;
  d.font = font_;
  d.brush_colour = brush_colour;
  d.background_mode = background_mode;
  if (clip && (y + height_ <= clip->Top || y >= clip->Bottom)) {
    d.x = left;
    drawn_.push_back(std::move(d));
    return;
  }
  // Keep the characters whose cells lie wholly inside the clip.
  int x = left;
  bool started = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int w = is_trail_of_pair(text, i) ? 0 : advance_;
    const int cell_left = is_trail_of_pair(text, i) ? x - advance_ : x;
    const bool inside = !clip || (cell_left >= clip->Left && cell_left + advance_ <= clip->Right);
    if (inside) {
      if (!started) d.x = cell_left;
      started = true;
      d.text.push_back(text[i]);
    }
    x += w;
  }
  if (!started) d.x = left;
  drawn_.push_back(std::move(d));
}

void FixedAdvanceCanvas::text_out(int x, int y, const TRect& clip, std::u16string_view text,
                                  unsigned options) {
  const int left = text_align == TextAlign::right ? x - width_of(text) : x;
  record(left, y, text, (options & kTextOutClipped) ? &clip : nullptr, options);
}

void FixedAdvanceCanvas::draw_text(const TRect& rect, std::u16string_view text, DrawTextAlign align,
                                   DrawTextEllipsis ellipsis) {
  std::u16string shown(text);
  const int room = std::max(0, rect.Width());
  if (ellipsis != DrawTextEllipsis::none && width_of(shown) > room) {
    const int keep = std::max(0, room / std::max(1, advance_) - 1);
    if (ellipsis == DrawTextEllipsis::end) {
      shown = std::u16string(text.substr(0, keep)) + u"\u2026";
    } else {
      // Keep the last path element whole where possible and cut before it.
      std::size_t slash = text.find_last_of(u"\\/");
      std::u16string_view tail =
          slash == std::u16string_view::npos ? text.substr(text.size()) : text.substr(slash);
      int head = keep - static_cast<int>(tail.size());
      if (head < 0) {
        head = 0;
        tail = tail.substr(tail.size() - std::min<std::size_t>(tail.size(), keep));
      }
      shown = std::u16string(text.substr(0, head)) + u"\u2026" + std::u16string(tail);
    }
  }
  const int w = width_of(shown);
  int left = rect.Left;
  if (align == DrawTextAlign::centre) left = rect.Left + (rect.Width() - w) / 2;
  if (align == DrawTextAlign::right) left = rect.Right - w;
  record(left, rect.Top, shown, &rect, kTextOutClipped);
}

}  // namespace corvane
