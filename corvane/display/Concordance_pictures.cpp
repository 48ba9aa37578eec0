#include "corvane/display/Concordance_pictures.hpp"

#include <algorithm>
#include <set>

#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/definitions/Wdef_languages.hpp"
#include "corvane/display/CairoCanvas.hpp"
#include "corvane/display/Rtf_utils.hpp"
#include "corvane/display/Rtl_and_ltr_painting.hpp"
#include "corvane/display/SvgCanvas.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

constexpr int kMostPixels = 32767;  // cairo's largest image side

void set_base_font(Canvas& canvas, const std::u16string& family, int size) {
  CanvasFont& f = canvas.font();
  f.name = family;
  f.size = size;
  f.bold = f.italic = f.underline = f.strike_out = false;
}

std::u16string flattened(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out)
    if (c < 0x20) c = u' ';
  return out;
}

std::string html_escaped(std::u16string_view s) {
  return xml_escaped(s);
}

}  // namespace

bool check_concordance_picture_options(const concordance_picture_options& o, std::string& error) {
  if (!IsKnownTMSStyle(o.style)) {
    error = "unknown style " + std::to_string(o.style) + " (the styles are 0 to " +
            std::to_string(kHighestTMSStyle) + ")";
    return false;
  }
  if (o.font_size < 1 || o.font_size > 200) {
    error = "a font size must be between 1 and 200 points";
    return false;
  }
  if (o.cell_width > kMostPixels) {
    error = "a cell can be at most " + std::to_string(kMostPixels) + " pixels wide";
    return false;
  }
  CairoCanvas measurer;
  set_base_font(measurer, o.font, o.font_size);
  const int character = measurer.text_extent(u"W").cx;
  if (o.cell_width < std::max(1, character)) {
    error = "a cell of " + std::to_string(o.cell_width) +
            " pixels is narrower than a character of the font (" + std::to_string(character) +
            " pixels)";
    return false;
  }
  return true;
}

std::vector<concordance_line_run> concordance_line_runs(std::u16string_view left,
                                                        std::u16string_view hit,
                                                        std::u16string_view right,
                                                        const concordance_picture_options& o) {
  std::vector<concordance_line_run> runs;
  std::u16string text;
  text.reserve(left.size() + hit.size() + right.size());
  text.append(left).append(hit).append(right);
  const auto n = static_cast<std::int32_t>(text.size());
  // Tags: "<" followed by a letter, "/", "!" or "?" to the next ">"; a ">" with no "<"
  // before it closes a tag begun before the line, and a tag with no ">" after it runs to
  // the line's end (the context cut it).
  auto opens_tag = [&](std::int32_t i) {
    if (i + 1 >= n) return false;
    const char16_t next = text[static_cast<std::size_t>(i) + 1];
    return next == u'/' || next == u'!' || next == u'?' || (next >= u'a' && next <= u'z') ||
           (next >= u'A' && next <= u'Z') || next > 0x7F;
  };
  std::int32_t open = -1;
  bool seen_open = false;
  for (std::int32_t i = 0; i < n; ++i) {
    if (text[static_cast<std::size_t>(i)] == u'<') {
      if (open < 0 && opens_tag(i)) open = i;
      seen_open = true;
    } else if (text[static_cast<std::size_t>(i)] == u'>') {
      if (open >= 0) {
        runs.push_back({open, i - open + 1, wh_tags});
        open = -1;
      } else if (!seen_open) {
        runs.push_back({0, i + 1, wh_tags});
        seen_open = true;
      }
    }
  }
  if (open >= 0) runs.push_back({open, n - open, wh_tags});
  // The sort words, the first key's last.
  static const int kSortRoles[3] = {wh_mainsort, wh_secondsort, wh_thirdSort};
  const SortableHit sortable{text, nullptr, static_cast<std::int32_t>(left.size()),
                             static_cast<std::int32_t>(hit.size())};
  for (std::size_t k = std::min<std::size_t>(o.sort_keys.size(), 3); k-- > 0;) {
    if (o.sort_keys[k].kind == 'F') continue;
    const std::u16string_view word = sort_key_text(sortable, o.sort_keys[k], o.allowed_in_words);
    if (word.empty() || word.data() < text.data() || word.data() >= text.data() + text.size())
      continue;
    runs.push_back({static_cast<std::int32_t>(word.data() - text.data()),
                    static_cast<std::int32_t>(word.size()), kSortRoles[k]});
  }
  if (!hit.empty())
    runs.push_back({static_cast<std::int32_t>(left.size()), static_cast<std::int32_t>(hit.size()),
                    wh_searchword});
  return runs;
}

struct concordance_pictures::impl {
  concordance_picture_files files;
  concordance_picture_options o;
  std::function<void(const std::string&)> warn;
  std::set<std::u16string> warned;
  TWordHandlingColourRecsArray roles{};
  TMyCanvasColourRecAndTypeface standard;
  TBiDiMode direction = bdLeftToRight;
  std::u16string family;
  int row = 0;
  std::size_t n = 0, png_lines = 0, png_rows = 0, png_cap = 0, left_out = 0;
  CairoCanvas measurer;
  std::unique_ptr<CairoCanvas> png;
  std::unique_ptr<SvgCanvas> svg;
  std::unique_ptr<replacing_file> svg_file, html_file;
  TMyTextDrawer drawer;
  TExtraFontList runs;
  std::string buffer;
  bool begun = false;

  void missing_font(const std::u16string& wanted, const std::u16string& used) {
    if (warn && warned.insert(wanted).second)
      warn("the font \"" + u8(wanted) + "\" is not installed; \"" + u8(used) + "\" is used");
  }

  void watch(CairoCanvas& canvas) {
    canvas.on_missing_font([this](const std::u16string& wanted, const std::u16string& used) {
      missing_font(wanted, used);
    });
  }

  TExtraFontCategory category_of(int role) const {
    switch (role) {
      case wh_searchword:
        return efc_centre_word;
      case wh_mainsort:
        return efc_sort1;
      case wh_secondsort:
        return efc_sort2;
      case wh_thirdSort:
        return efc_sort3;
      default:
        return efc_tag;
    }
  }

  void draw(Canvas& canvas, int top, const std::u16string& text, std::int32_t hit_start,
            std::int32_t hit_length) {
    set_base_font(canvas, family, o.font_size);
    drawer.default_colours_and_typefaces = standard;
    drawer.SetExtraFontList(&runs);
    const TRect cell{0, top, o.cell_width, top + row};
    drawer.DrawConcText(canvas, cell, text, hit_start, hit_length, o.lcid);
  }

  // One cell of the HTML table: the part of the line from `offset`, coloured by the runs.
  std::string html_cell(std::u16string_view part, std::int32_t offset,
                        const std::vector<concordance_line_run>& line_runs) {
    TRichEdit edit;
    edit.set_text(std::u16string(part));
    const auto size = static_cast<std::int32_t>(part.size());
    for (const concordance_line_run& r : line_runs) {
      const std::int32_t from = std::max(r.start - offset, 0);
      const std::int32_t to = std::min(r.start + r.length - offset, size);
      if (from >= to) continue;
      const TMyCanvasColourRecAndTypeface& c = roles[static_cast<std::size_t>(r.role)];
      TRichCharFormat f;
      f.fore = c.colourset.colours[tct_text];
      f.back = c.colourset.colours[tct_background];
      f.styles = c.default_typeface;
      edit.format_range(TCharRange{from, to - from}, f, rf_fore | rf_back | rf_styles);
    }
    return edit.html_fragment();
  }

  std::string html_start() const {
    const TMyCanvasColourRec& c = standard.colourset;
    std::string s =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Concordance</title>\n"
        "<style>\n"
        "table.concordance { border-collapse: collapse; font-family: \"";
    s += html_escaped(family);
    s += "\"; font-size: " + std::to_string(o.font_size) + "pt; color: ";
    s += hex_of_colour(c.colours[tct_text]);
    s += "; background-color: ";
    s += hex_of_colour(c.colours[tct_background]);
    s += "; table-layout: fixed; width: " + std::to_string(o.cell_width) + "px; }\n";
    // The context cells are cut at their outer edges, so that the words next to the hit
    // show: the cell before the hit runs towards its outer side (its text kept in its own
    // direction by <bdi>).
    s += "table.concordance td { white-space: pre; overflow: hidden; padding: 0; }\n"
         "td.before { width: 42%; direction: rtl; text-align: right; }\n"
         "tr[dir=\"rtl\"] td.before { direction: ltr; text-align: left; }\n"
         "td.hit { width: 16%; text-align: center; }\n"
         "td.after { width: 42%; }\n"
         "</style>\n</head>\n<body>\n<table class=\"concordance\">\n";
    return s;
  }
};

concordance_pictures::concordance_pictures(concordance_picture_files files,
                                           concordance_picture_options options)
    : impl_(std::make_unique<impl>()) {
  impl_->files = std::move(files);
  impl_->o = std::move(options);
}

concordance_pictures::~concordance_pictures() = default;

void concordance_pictures::on_warning(std::function<void(const std::string&)> warn) {
  impl_->warn = std::move(warn);
}

bool concordance_pictures::begin(std::string& error) {
  impl& m = *impl_;
  if (!check_concordance_picture_options(m.o, error)) return false;
  m.roles = DefaultWordHandlingColours(m.o.style);
  m.standard = StyleStandardColoursAndTypeface(m.o.style);
  m.direction = BiDiModeFromLCID(m.o.lcid);
  m.watch(m.measurer);
  set_base_font(m.measurer, m.o.font, m.o.font_size);
  m.family = m.measurer.resolved_family();
  set_base_font(m.measurer, m.family, m.o.font_size);
  m.row = ComputedLineHeight(m.measurer) + m.drawer.interline_spacing;
  if (!m.files.png.empty()) {
    // The PNG is written last: find out now whether it can be.
    replacing_file probe(m.files.png);
    if (!probe.open(error)) return false;
    m.png_cap = std::min<std::size_t>(m.o.most_png_lines,
                                      static_cast<std::size_t>(kMostPixels / std::max(1, m.row)));
    m.png = std::make_unique<CairoCanvas>(m.o.cell_width, m.row);
    m.png_rows = 1;
    m.watch(*m.png);
  }
  if (!m.files.svg.empty()) {
    m.svg_file = std::make_unique<replacing_file>(m.files.svg);
    if (!m.svg_file->open(error)) return false;
    m.svg = std::make_unique<SvgCanvas>(m.measurer, m.family, m.o.font_size);
    m.svg->page_background = m.standard.colourset.colours[tct_background];
    m.svg_file->write(
        svg_document_start(m.o.cell_width, 0, m.svg->page_background, m.family, m.o.font_size));
  }
  if (!m.files.html.empty()) {
    m.html_file = std::make_unique<replacing_file>(m.files.html);
    if (!m.html_file->open(error)) return false;
    m.html_file->write(m.html_start());
  }
  m.begun = true;
  return true;
}

bool concordance_pictures::add(std::u16string_view left_in, std::u16string_view hit_in,
                               std::u16string_view right_in) {
  impl& m = *impl_;
  if (!m.begun) return false;
  const std::u16string left = flattened(left_in), hit = flattened(hit_in),
                       right = flattened(right_in);
  const std::vector<concordance_line_run> line_runs = concordance_line_runs(left, hit, right, m.o);
  const std::u16string text = left + hit + right;
  const auto hit_start = static_cast<std::int32_t>(left.size());
  const auto hit_length = static_cast<std::int32_t>(hit.size());
  m.runs.Clear();
  for (const concordance_line_run& r : line_runs)
    m.runs.AddOne(ExtraFontRun(r.start, r.length, m.roles[static_cast<std::size_t>(r.role)],
                               m.category_of(r.role)));
  if (m.png) {
    if (m.png_lines < m.png_cap) {
      if (m.png_lines == m.png_rows) {
        m.png_rows = std::min(m.png_cap, std::max<std::size_t>(64, 2 * m.png_rows));
        m.png->resize(m.o.cell_width, static_cast<int>(m.png_rows) * m.row);
      }
      const int top = static_cast<int>(m.png_lines) * m.row;
      m.png->fill_rect(TRect{0, top, m.o.cell_width, top + m.row},
                       m.standard.colourset.colours[tct_background]);
      m.draw(*m.png, top, text, hit_start, hit_length);
      ++m.png_lines;
    } else {
      ++m.left_out;
    }
  }
  if (m.svg) {
    const long long top = static_cast<long long>(m.n) * m.row;
    // Coordinates stay within what an int holds; lines beyond are not drawn.
    if (top + m.row < 2147483647LL)
      m.draw(*m.svg, static_cast<int>(top), text, hit_start, hit_length);
    m.buffer.clear();
    m.svg->take(m.buffer);
    m.svg_file->write(m.buffer);
  }
  if (m.html_file) {
    m.buffer = m.direction == bdRightToLeft ? "<tr dir=\"rtl\">" : "<tr>";
    m.buffer += "<td class=\"before\"><bdi>";
    m.buffer += m.html_cell(left, 0, line_runs);
    m.buffer += "</bdi></td><td class=\"hit\">";
    m.buffer += m.html_cell(hit, hit_start, line_runs);
    m.buffer += "</td><td class=\"after\">";
    m.buffer += m.html_cell(right, hit_start + hit_length, line_runs);
    m.buffer += "</td></tr>\n";
    m.html_file->write(m.buffer);
  }
  ++m.n;
  return true;
}

bool concordance_pictures::finish(std::string& error) {
  impl& m = *impl_;
  if (!m.begun) {
    error = "the pictures were not begun";
    return false;
  }
  m.begun = false;
  bool ok = true;
  auto fail = [&](const std::string& why) {
    if (ok) error = why;
    ok = false;
  };
  std::string why;
  if (m.svg_file) {
    const long long height = static_cast<long long>(std::max<std::size_t>(1, m.n)) * m.row;
    m.svg_file->write(svg_document_end());
    m.svg_file->write_at(0, svg_document_start(m.o.cell_width, height, m.svg->page_background,
                                               m.family, m.o.font_size));
    if (!m.svg_file->commit(why)) fail(why);
  }
  if (m.html_file) {
    m.html_file->write("</table>\n</body>\n</html>\n");
    if (!m.html_file->commit(why)) fail(why);
  }
  if (m.png) {
    const int rows = static_cast<int>(std::max<std::size_t>(1, m.png_lines));
    if (!m.png->resize(m.o.cell_width, rows * m.row)) {
      fail("cannot write " + m.files.png + ": the image is too large");
    } else {
      if (m.png_lines == 0)
        m.png->fill_rect(TRect{0, 0, m.o.cell_width, m.row},
                         m.standard.colourset.colours[tct_background]);
      if (!m.png->write_png(m.files.png, why)) fail(why);
    }
  }
  return ok;
}

std::size_t concordance_pictures::lines() const noexcept {
  return impl_->n;
}
std::size_t concordance_pictures::png_lines_left_out() const noexcept {
  return impl_->left_out;
}
int concordance_pictures::row_height() const noexcept {
  return impl_->row;
}

}  // namespace corvane
