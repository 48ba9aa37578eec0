#include "corvane/display/SvgCanvas.hpp"

#include <algorithm>
#include <cstdio>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

void append_number(std::string& out, long long n) {
  out += std::to_string(n);
}

}  // namespace

std::string xml_escaped(std::u16string_view text) {
  // Escaped in UTF-16 and converted once: the runtime's converter turns a lone surrogate
  // into U+FFFD. Controls and the two non-characters that XML forbids become blanks.
  std::u16string escaped;
  escaped.reserve(text.size());
  for (const char16_t c : text) {
    switch (c) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'"':
        escaped += u"&quot;";
        break;
      default:
        escaped += (c < 0x20 || c == 0xFFFE || c == 0xFFFF) ? u' ' : c;
    }
  }
  return utf16_to_utf8(escaped);
}

std::string svg_font_pixels(int points) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", points * 96.0 / 72.0);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string svg_document_start(int width, long long height, std::uint32_t background,
                               std::u16string_view family, int font_size) {
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" xml:space=\"preserve\" width=\"";
  append_number(s, width);
  std::string h = "\" height=\"" + std::to_string(std::max(0LL, height)) + "\"";
  h.resize(std::max<std::size_t>(h.size(), 22), ' ');  // room for ten digits
  s += h;
  s += " font-family=\"";
  s += xml_escaped(family);
  s += "\" font-size=\"";
  s += svg_font_pixels(font_size);
  s += "\">\n<rect width=\"100%\" height=\"100%\" fill=\"";
  s += hex_of_colour(background);
  s += "\"/>\n";
  return s;
}

std::string svg_document_end() {
  return "</svg>\n";
}

SvgCanvas::SvgCanvas(CairoCanvas& measurer, std::u16string document_family, int document_size)
    : measurer_(measurer),
      document_family_(std::move(document_family)),
      document_size_(document_size) {
  font_.name = document_family_;
  font_.size = document_size_;
}

void SvgCanvas::sync_font() {
  measurer_.font() = font_;
}

bool SvgCanvas::text_extent_ex(std::u16string_view text, int max_extent, int& fit,
                               std::vector<int>& dx, TSize& size) {
  sync_font();
  return measurer_.text_extent_ex(text, max_extent, fit, dx, size);
}

std::string SvgCanvas::clip_attribute(const TRect& clip) {
  if (clip_count_ == 0 || !(clip == last_clip_)) {
    ++clip_count_;
    last_clip_ = clip;
    elements_ += "<clipPath id=\"c";
    append_number(elements_, clip_count_);
    elements_ += "\"><rect x=\"";
    append_number(elements_, clip.Left);
    elements_ += "\" y=\"";
    append_number(elements_, clip.Top);
    elements_ += "\" width=\"";
    append_number(elements_, std::max(0, clip.Width()));
    elements_ += "\" height=\"";
    append_number(elements_, std::max(0, clip.Height()));
    elements_ += "\"/></clipPath>\n";
  }
  return " clip-path=\"url(#c" + std::to_string(clip_count_) + ")\"";
}

void SvgCanvas::text_element(int left, int top, int width, const TRect* clip,
                             std::u16string_view text, bool rtl) {
  if (text.empty()) return;
  const int height = measurer_.line_height();
  std::string clip_attr;
  if (clip != nullptr) {
    if (left >= clip->Right || left + width <= clip->Left || top >= clip->Bottom ||
        top + height <= clip->Top || clip->Width() <= 0 || clip->Height() <= 0)
      return;  // nothing of it shows
    if (left < clip->Left || left + width > clip->Right || top < clip->Top ||
        top + height > clip->Bottom)
      clip_attr = clip_attribute(*clip);
  }
  if (background_mode == BackgroundMode::opaque &&
      hex_of_colour(brush_colour) != hex_of_colour(page_background)) {
    elements_ += "<rect x=\"";
    append_number(elements_, left);
    elements_ += "\" y=\"";
    append_number(elements_, top);
    elements_ += "\" width=\"";
    append_number(elements_, width);
    elements_ += "\" height=\"";
    append_number(elements_, height);
    elements_ += "\" fill=\"";
    elements_ += hex_of_colour(brush_colour);
    elements_ += '"';
    elements_ += clip_attr;
    elements_ += "/>\n";
  }
  elements_ += "<text x=\"";
  append_number(elements_, left);
  elements_ += "\" y=\"";
  append_number(elements_, top + measurer_.ascent());
  elements_ += "\" fill=\"";
  elements_ += hex_of_colour(font_.colour);
  elements_ += '"';
  if (font_.name != document_family_) {
    elements_ += " font-family=\"";
    elements_ += xml_escaped(measurer_.resolved_family());
    elements_ += '"';
  }
  if (font_.size != document_size_) {
    elements_ += " font-size=\"";
    elements_ += svg_font_pixels(font_.size);
    elements_ += '"';
  }
  if (font_.bold) elements_ += " font-weight=\"bold\"";
  if (font_.italic) elements_ += " font-style=\"italic\"";
  if (font_.underline || font_.strike_out) {
    elements_ += " text-decoration=\"";
    if (font_.underline) elements_ += "underline";
    if (font_.underline && font_.strike_out) elements_ += ' ';
    if (font_.strike_out) elements_ += "line-through";
    elements_ += '"';
  }
  if (rtl) elements_ += " direction=\"rtl\" text-anchor=\"end\"";
  elements_ += clip_attr;
  elements_ += '>';
  elements_ += xml_escaped(text);
  elements_ += "</text>\n";
}

void SvgCanvas::text_out(int x, int y, const TRect& clip, std::u16string_view text,
                         unsigned options) {
  sync_font();
  const int w = measurer_.text_extent(text).cx;
  const int left = text_align == TextAlign::right ? x - w : x;
  const bool rtl = (options & kTextOutRtlReading) != 0;
  // Right to left, the text's end is its left edge: x stays the left edge with the end
  // anchored there.
  text_element(left, y, w, (options & kTextOutClipped) ? &clip : nullptr, text, rtl);
}

void SvgCanvas::draw_text(const TRect& rect, std::u16string_view text, DrawTextAlign align,
                          DrawTextEllipsis ellipsis) {
  sync_font();
  const std::u16string shown = measurer_.shortened(text, std::max(0, rect.Width()), ellipsis);
  const int w = measurer_.text_extent(shown).cx;
  int left = rect.Left;
  if (align == DrawTextAlign::centre) left = rect.Left + (rect.Width() - w) / 2;
  if (align == DrawTextAlign::right) left = rect.Right - w;
  text_element(left, rect.Top, w, &rect, shown, false);
}

void SvgCanvas::fill_rect(const TRect& rect, std::uint32_t colour) {
  elements_ += "<rect x=\"";
  append_number(elements_, rect.Left);
  elements_ += "\" y=\"";
  append_number(elements_, rect.Top);
  elements_ += "\" width=\"";
  append_number(elements_, std::max(0, rect.Width()));
  elements_ += "\" height=\"";
  append_number(elements_, std::max(0, rect.Height()));
  elements_ += "\" fill=\"";
  elements_ += hex_of_colour(colour);
  elements_ += "\"/>\n";
}

void SvgCanvas::take(std::string& out) {
  out += elements_;
  elements_.clear();
}

}  // namespace corvane
