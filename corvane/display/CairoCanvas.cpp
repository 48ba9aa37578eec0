#include "corvane/display/CairoCanvas.hpp"

#include <cairo.h>
#include <fcntl.h>
#include <pango/pangocairo.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "corvane/platform/SystemColours.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

constexpr double kDpi = 96.0;

std::string lower_ascii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

const std::unordered_set<std::string>& installed_families() {
  static const std::unordered_set<std::string> families = [] {
    std::unordered_set<std::string> names = {"sans",  "sans-serif", "serif",   "monospace",
                                             "mono",  "system-ui",  "cursive", "fantasy",
                                             "emoji", "math"};
    PangoFontMap* map = pango_cairo_font_map_get_default();
    PangoFontFamily** list = nullptr;
    int n = 0;
    pango_font_map_list_families(map, &list, &n);
    for (int i = 0; i < n; ++i) names.insert(lower_ascii(pango_font_family_get_name(list[i])));
    g_free(list);
    return names;
  }();
  return families;
}

// UTF-8 of a UTF-16 text, with the UTF-8 offset and the UTF-16 index of every code point
// (a lone surrogate becomes U+FFFD).
void to_utf8(std::u16string_view text, std::string& out, std::vector<int>& byte_of_char,
             std::vector<int>& unit_of_char) {
  out.clear();
  byte_of_char.clear();
  unit_of_char.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    byte_of_char.push_back(static_cast<int>(out.size()));
    unit_of_char.push_back(static_cast<int>(i));
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    }
    if (c == 0) c = 0xFFFD;  // pango stops at a NUL
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

bool is_lead(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

bool font_family_installed(std::u16string_view family) {
  return installed_families().count(lower_ascii(u8(family))) > 0;
}

RgbColour rgb_of_colour(std::uint32_t colour) {
  if ((colour >> 24) == 0xFF) colour = GetSysColor(static_cast<int>(colour & 0xFF));
  return RgbColour{static_cast<std::uint8_t>(colour & 0xFF),
                   static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                   static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

std::string hex_of_colour(std::uint32_t colour) {
  const RgbColour c = rgb_of_colour(colour);
  static const char* const digits = "0123456789abcdef";
  std::string s = "#";
  for (const std::uint8_t v : {c.r, c.g, c.b}) {
    s += digits[v >> 4];
    s += digits[v & 15];
  }
  return s;
}

struct CairoCanvas::impl {
  struct font_entry {
    CanvasFont key;  // name, size, bold and italic; the rest zero
    PangoFontDescription* desc = nullptr;
    std::u16string family;
    int ascent = 0, height = 0;
  };
  struct measured {
    std::vector<int> dx;
    int width = 0;
  };

  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  PangoContext* context = nullptr;
  PangoLayout* layout = nullptr;
  int width = 0, height = 0;
  std::vector<font_entry> fonts;
  int font_in_layout = -1;
  PangoDirection direction = PANGO_DIRECTION_LTR;
  std::unordered_map<std::u16string, measured> cache;
  std::size_t limit = std::size_t{1} << 18;
  std::u16string key;
  std::string utf8;
  std::vector<int> byte_of_char, unit_of_char, char_width;
  missing_font_callback on_missing;
  std::unordered_set<std::u16string> warned;

  impl(int w, int h) {
    make_surface(w, h);
    context = pango_cairo_create_context(cr);
    pango_cairo_context_set_resolution(context, kDpi);
    pango_context_set_base_dir(context, PANGO_DIRECTION_LTR);
    layout = pango_layout_new(context);
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    pango_layout_set_auto_dir(layout, FALSE);
  }

  ~impl() {
    for (font_entry& f : fonts) pango_font_description_free(f.desc);
    if (layout) g_object_unref(layout);
    if (context) g_object_unref(context);
    if (cr) cairo_destroy(cr);
    if (surface) cairo_surface_destroy(surface);
  }

  // A white image of w x h pixels (1 x 1 for a measuring canvas).
  bool make_surface(int w, int h) {
    width = std::max(0, w);
    height = std::max(0, h);
    cairo_surface_t* s =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, width), std::max(1, height));
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(s);
      return false;
    }
    cairo_t* c = cairo_create(s);
    cairo_set_source_rgb(c, 1, 1, 1);
    cairo_paint(c);
    if (surface) {
      cairo_set_source_surface(c, surface, 0, 0);
      cairo_paint(c);
      cairo_destroy(cr);
      cairo_surface_destroy(surface);
    }
    surface = s;
    cr = c;
    return true;
  }

  int font_index(const CanvasFont& f) {
    for (std::size_t i = 0; i < fonts.size(); ++i) {
      const CanvasFont& k = fonts[i].key;
      if (k.name == f.name && k.size == f.size && k.bold == f.bold && k.italic == f.italic)
        return static_cast<int>(i);
    }
    font_entry e;
    e.key.name = f.name;
    e.key.size = f.size;
    e.key.bold = f.bold;
    e.key.italic = f.italic;
    e.key.colour = 0;
    e.family = f.name;
    if (e.family.empty() || !font_family_installed(e.family)) {
      e.family = std::u16string(kDefaultCanvasFamily);
      if (!f.name.empty() && warned.insert(f.name).second && on_missing)
        on_missing(f.name, e.family);
    }
    e.desc = pango_font_description_new();
    pango_font_description_set_family(e.desc, u8(e.family).c_str());
    // A negative size is in pixels, as the platform's font heights are.
    const int size = std::clamp(f.size == 0 ? 10 : f.size, -2000, 2000);
    if (size > 0)
      pango_font_description_set_size(e.desc, size * PANGO_SCALE);
    else
      pango_font_description_set_absolute_size(e.desc, -size * PANGO_SCALE);
    pango_font_description_set_weight(e.desc, f.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(e.desc, f.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    PangoFontMetrics* m = pango_context_get_metrics(context, e.desc, nullptr);
    const int a = pango_font_metrics_get_ascent(m), d = pango_font_metrics_get_descent(m);
    pango_font_metrics_unref(m);
    e.ascent = PANGO_PIXELS_CEIL(a);
    e.height = PANGO_PIXELS_CEIL(a + d);
    fonts.push_back(std::move(e));
    return static_cast<int>(fonts.size() - 1);
  }

  int select(const CanvasFont& f) {
    const int i = font_index(f);
    if (i != font_in_layout) {
      pango_layout_set_font_description(layout, fonts[static_cast<std::size_t>(i)].desc);
      font_in_layout = i;
    }
    return i;
  }

  void set_direction(PangoDirection d) {
    if (d == direction) return;
    direction = d;
    pango_context_set_base_dir(context, d);
    pango_layout_context_changed(layout);
  }

  void set_text(std::u16string_view text) {
    to_utf8(text, utf8, byte_of_char, unit_of_char);
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
  }

  // Lays the text out and gives the cumulative widths per UTF-16 unit.
  measured lay_out(std::u16string_view text) {
    set_text(text);
    char_width.assign(byte_of_char.size(), 0);
    PangoLayoutIter* it = pango_layout_get_iter(layout);
    std::vector<int> widths;
    do {
      PangoLayoutRun* run = pango_layout_iter_get_run_readonly(it);
      if (run == nullptr) continue;
      const int n = run->item->num_chars;
      widths.assign(static_cast<std::size_t>(std::max(0, n)), 0);
      pango_glyph_item_get_logical_widths(run, utf8.data(), widths.data());
      const auto first = static_cast<std::size_t>(
          std::lower_bound(byte_of_char.begin(), byte_of_char.end(), run->item->offset) -
          byte_of_char.begin());
      for (int k = 0; k < n && first + k < char_width.size(); ++k)
        char_width[first + k] += widths[static_cast<std::size_t>(k)];
    } while (pango_layout_iter_next_run(it));
    pango_layout_iter_free(it);
    measured m;
    m.dx.assign(text.size(), 0);
    long long sum = 0;
    for (std::size_t c = 0; c < char_width.size(); ++c) {
      sum += char_width[c];
      const std::size_t from = static_cast<std::size_t>(unit_of_char[c]);
      const std::size_t to =
          c + 1 < unit_of_char.size() ? static_cast<std::size_t>(unit_of_char[c + 1]) : text.size();
      for (std::size_t u = from; u < to; ++u)
        m.dx[u] = static_cast<int>(PANGO_PIXELS(static_cast<int>(sum)));
    }
    m.width = static_cast<int>(PANGO_PIXELS(static_cast<int>(sum)));
    return m;
  }

  const measured& measure(int font, std::u16string_view text) {
    key.assign(1, static_cast<char16_t>(font));
    key.append(text);
    auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    if (cache.size() >= limit) cache.clear();
    return cache.emplace(key, lay_out(text)).first->second;
  }

  void set_colour(std::uint32_t colour) {
    const RgbColour c = rgb_of_colour(colour);
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
  }

  // Draws the text with its box's left edge at `left` and top at `top`, the baseline where
  // the font's ascent puts it, so that chunks drawn one by one share their baseline.
  void show(const font_entry& f, const CanvasFont& font, double left, double top,
            std::u16string_view text, PangoDirection d) {
    set_direction(d);
    set_text(text);
    PangoAttrList* attrs = nullptr;
    if (font.underline || font.strike_out) {
      attrs = pango_attr_list_new();
      if (font.underline)
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
      if (font.strike_out) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
      pango_layout_set_attributes(layout, attrs);
    }
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    set_colour(font.colour);
    cairo_move_to(cr, left - logical.x / double(PANGO_SCALE), top + f.ascent - baseline);
    pango_cairo_show_layout(cr, layout);
    if (attrs) {
      pango_layout_set_attributes(layout, nullptr);
      pango_attr_list_unref(attrs);
    }
  }
};

CairoCanvas::CairoCanvas(int width, int height) : impl_(std::make_unique<impl>(width, height)) {
  font_.name = std::u16string(kDefaultCanvasFamily);
}

CairoCanvas::~CairoCanvas() = default;

bool CairoCanvas::text_extent_ex(std::u16string_view text, int max_extent, int& fit,
                                 std::vector<int>& dx, TSize& size) {
  const int f = impl_->select(font_);
  const impl::measured& m = impl_->measure(f, text);
  dx = m.dx;
  int fitted = 0;
  if (max_extent < 0) {
    fitted = static_cast<int>(text.size());
  } else {
    while (fitted < static_cast<int>(dx.size()) &&
           dx[static_cast<std::size_t>(fitted)] <= max_extent)
      ++fitted;
  }
  fit = fitted;
  size = TSize{m.width, impl_->fonts[static_cast<std::size_t>(f)].height};
  return true;
}

void CairoCanvas::text_out(int x, int y, const TRect& clip, std::u16string_view text,
                           unsigned options) {
  if (impl_->width <= 0 || text.empty()) return;
  const int f = impl_->select(font_);
  const impl::font_entry& fe = impl_->fonts[static_cast<std::size_t>(f)];
  const int w = impl_->measure(f, text).width;
  const int left = text_align == TextAlign::right ? x - w : x;
  cairo_t* cr = impl_->cr;
  cairo_save(cr);
  if (options & kTextOutClipped) {
    cairo_rectangle(cr, clip.Left, clip.Top, std::max(0, clip.Width()), std::max(0, clip.Height()));
    cairo_clip(cr);
  }
  if (background_mode == BackgroundMode::opaque) {
    impl_->set_colour(brush_colour);
    cairo_rectangle(cr, left, y, w, fe.height);
    cairo_fill(cr);
  }
  impl_->show(fe, font_, left, y, text,
              (options & kTextOutRtlReading) ? PANGO_DIRECTION_RTL : PANGO_DIRECTION_LTR);
  cairo_restore(cr);
}

std::u16string CairoCanvas::shortened(std::u16string_view text, int room,
                                      DrawTextEllipsis ellipsis) {
  const int f = impl_->select(font_);
  std::u16string shown(text);
  if (ellipsis != DrawTextEllipsis::none && impl_->measure(f, text).width > room) {
    const std::vector<int> dx = impl_->measure(f, text).dx;
    const int dots = impl_->measure(f, u"\u2026").width;
    // The longest head of text[0, end) that fits in `space` with the ellipsis.
    auto head = [&](std::size_t end, int space) {
      std::size_t k = 0;
      while (k < end && dx[k] + dots <= space) ++k;
      if (k > 0 && k < text.size() && is_lead(text[k - 1])) --k;
      return k;
    };
    std::size_t cut = text.size();
    if (ellipsis == DrawTextEllipsis::path) {
      const std::size_t slash = text.find_last_of(u"\\/");
      if (slash != std::u16string_view::npos && slash > 0) cut = slash;
    }
    const int tail = impl_->measure(f, text.substr(cut)).width;
    if (cut < text.size() && tail + dots <= room) {
      shown = std::u16string(text.substr(0, head(cut, room - tail))) + u"\u2026" +
              std::u16string(text.substr(cut));
    } else if (cut < text.size()) {
      // Not even the last element fits: keep as much of its end as fits.
      std::size_t from = text.size();
      while (from > cut && impl_->measure(f, text.substr(from - 1)).width + dots <= room) --from;
      shown = u"\u2026" + std::u16string(text.substr(from));
    } else {
      shown = std::u16string(text.substr(0, head(text.size(), room))) + u"\u2026";
    }
  }
  return shown;
}

void CairoCanvas::draw_text(const TRect& rect, std::u16string_view text, DrawTextAlign align,
                            DrawTextEllipsis ellipsis) {
  if (impl_->width <= 0 || text.empty()) return;
  const int f = impl_->select(font_);
  const impl::font_entry& fe = impl_->fonts[static_cast<std::size_t>(f)];
  const int room = std::max(0, rect.Width());
  const std::u16string shown = shortened(text, room, ellipsis);
  const int w = impl_->measure(f, shown).width;
  int left = rect.Left;
  if (align == DrawTextAlign::centre) left = rect.Left + (rect.Width() - w) / 2;
  if (align == DrawTextAlign::right) left = rect.Right - w;
  cairo_t* cr = impl_->cr;
  cairo_save(cr);
  cairo_rectangle(cr, rect.Left, rect.Top, room, std::max(0, rect.Height()));
  cairo_clip(cr);
  if (background_mode == BackgroundMode::opaque) {
    impl_->set_colour(brush_colour);
    cairo_rectangle(cr, left, rect.Top, w, fe.height);
    cairo_fill(cr);
  }
  impl_->show(fe, font_, left, rect.Top, shown, PANGO_DIRECTION_LTR);
  cairo_restore(cr);
}

void CairoCanvas::fill_rect(const TRect& rect, std::uint32_t colour) {
  if (impl_->width <= 0) return;
  impl_->set_colour(colour);
  cairo_rectangle(impl_->cr, rect.Left, rect.Top, rect.Width(), rect.Height());
  cairo_fill(impl_->cr);
}

int CairoCanvas::ascent() {
  return impl_->fonts[static_cast<std::size_t>(impl_->select(font_))].ascent;
}

int CairoCanvas::line_height() {
  return impl_->fonts[static_cast<std::size_t>(impl_->select(font_))].height;
}

std::u16string CairoCanvas::resolved_family() {
  return impl_->fonts[static_cast<std::size_t>(impl_->select(font_))].family;
}

int CairoCanvas::width() const noexcept {
  return impl_->width;
}
int CairoCanvas::height() const noexcept {
  return impl_->height;
}

bool CairoCanvas::resize(int width, int height) {
  return impl_->make_surface(width, height);
}

namespace {
cairo_status_t write_to_file(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<replacing_file*>(closure)->write(
      std::string_view(reinterpret_cast<const char*>(data), length));
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

bool CairoCanvas::write_png(const std::string& file_name, std::string& error) {
  replacing_file out(file_name);
  if (!out.open(error)) return false;
  cairo_surface_flush(impl_->surface);
  if (cairo_surface_write_to_png_stream(impl_->surface, write_to_file, &out) !=
      CAIRO_STATUS_SUCCESS) {
    error = "cannot write " + file_name + ": the image could not be encoded";
    return false;
  }
  return out.commit(error);
}

void CairoCanvas::on_missing_font(missing_font_callback callback) {
  impl_->on_missing = std::move(callback);
}

std::size_t CairoCanvas::cached_texts() const noexcept {
  return impl_->cache.size();
}
std::size_t CairoCanvas::cache_limit() const noexcept {
  return impl_->limit;
}
void CairoCanvas::set_cache_limit(std::size_t texts) noexcept {
  impl_->limit = std::max<std::size_t>(1, texts);
}

void* CairoCanvas::cairo_context() noexcept {
  return impl_->cr;
}

// --- replacing_file ---

replacing_file::replacing_file(std::string target) : target_(std::move(target)) {}

replacing_file::~replacing_file() {
  if (file_) std::fclose(file_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

bool replacing_file::open(std::string& error) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target_.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  if (base.empty()) {
    error = "cannot write " + target_ + ": no file name";
    return false;
  }
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp_ = dir + "." + base + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) +
            ".tmp";
    fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    error = "cannot write " + target_ + ": " + std::strerror(errno);
    temp_.clear();
    return false;
  }
  file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    error = "cannot write " + target_ + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  return true;
}

void replacing_file::write(std::string_view bytes) {
  if (file_ == nullptr || error_ != 0 || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    error_ = errno != 0 ? errno : EIO;
  size_ += bytes.size();
}

void replacing_file::write_at(std::uint64_t offset, std::string_view bytes) {
  if (file_ == nullptr || error_ != 0) return;
  if (std::fflush(file_) != 0 || ::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0 ||
      std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
      std::fflush(file_) != 0 || ::fseeko(file_, 0, SEEK_END) != 0)
    error_ = errno != 0 ? errno : EIO;
}

bool replacing_file::commit(std::string& error) {
  if (file_ == nullptr) {
    error = "cannot write " + target_ + ": not open";
    return false;
  }
  if (std::fflush(file_) != 0 && error_ == 0) error_ = errno;
  if (error_ == 0 && ::fsync(::fileno(file_)) != 0 && errno != EINVAL) error_ = errno;
  if (std::fclose(file_) != 0 && error_ == 0) error_ = errno;
  file_ = nullptr;
  if (error_ == 0) error_ = detail::replace_file_keeping_attributes(temp_, target_);
  if (error_ != 0) {
    error = "cannot write " + target_ + ": " + std::strerror(error_);
    ::unlink(temp_.c_str());
    temp_.clear();
    return false;
  }
  temp_.clear();
  return true;
}

}  // namespace corvane
