// corvane draw: one line painted by the line drawer on the fixed-advance canvas, each
// drawing call printed.
#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdio>
#include <memory>
#include <ostream>

#include "corvane/definitions/Mytmsstylebase.hpp"
#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/display/Rtl_and_ltr_painting.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

constexpr int kCanvasHeight = 16;
constexpr int kLargestCell = 100000;

bool parse_int(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end && !text.empty();
}

// "A,B" (separator ',') or "AxB" (separator 'x').
bool parse_pair(const std::string& text, char separator, int& a, int& b) {
  const std::size_t at = text.find(separator);
  if (at == std::string::npos) return false;
  return parse_int(std::string_view(text).substr(0, at), a) &&
         parse_int(std::string_view(text).substr(at + 1), b);
}

std::string hex_colour(TColor c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

std::vector<std::string> split_commas(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    if (comma > at) parts.push_back(text.substr(at, comma - at));
    at = comma + 1;
  }
  return parts;
}

}  // namespace

int command_draw(const DrawOptions& o, std::ostream& out, std::ostream& err) {
  TPackageScope package;
  auto fail = [&err](const std::string& message) {
    err << "corvane draw: " << message << '\n';
    return 2;
  };
  if (o.advance < 1 || o.advance > 1000)
    return fail("--advance must be 1 to 1000 pixels, not " + std::to_string(o.advance));
  int width = 400, height = 20;
  if (!o.cell.empty() && !parse_pair(o.cell, 'x', width, height))
    return fail("--cell takes WIDTHxHEIGHT in pixels (400x20), not \"" + o.cell + "\"");
  if (width > kLargestCell || height > kLargestCell)
    return fail("a cell of at most " + std::to_string(kLargestCell) + " pixels a side");
  if (width < o.advance)
    return fail("the cell (" + std::to_string(width) + " pixels wide) is narrower than one " +
                "character (" + std::to_string(o.advance) + " pixels)");
  if (height < kCanvasHeight)
    return fail("the cell (" + std::to_string(height) + " pixels high) is lower than one line (" +
                std::to_string(kCanvasHeight) + " pixels)");
  const TTMSStyle style = o.style.has_value() ? *o.style : GlobalTMSStyle;
  if (!IsKnownTMSStyle(style))
    return fail("unknown style " + std::to_string(style) + " (the styles are 0 to " +
                std::to_string(kHighestTMSStyle) + ")");
  std::uint32_t lcid = 0x0409;
  const std::string lang = !o.lang.empty() ? o.lang : reading_settings().lang;
  if (!lang.empty() && !lcid_from_argument(lang, lcid))
    return fail("--lang " + lang + " names no locale");
  TCVAlignment alignment = default_aligned;
  if (o.align == "centre" || o.align == "center")
    alignment = centre_aligned;
  else if (o.align == "right")
    alignment = right_aligned;
  else if (o.align != "default")
    return fail("--align takes default, centre or right, not \"" + o.align + "\"");

  const std::u16string text = utf8_to_utf16(o.text);
  int hit_start = 0, hit_length = 0;
  const bool concordance = !o.hit.empty();
  if (concordance) {
    if (!parse_pair(o.hit, ',', hit_start, hit_length) || hit_start < 1 || hit_length < 1 ||
        static_cast<std::size_t>(hit_start) + hit_length - 1 > text.size())
      return fail("--hit takes START,LENGTH (from 1, in UTF-16 units) inside the text's " +
                  std::to_string(text.size()) + " units, not \"" + o.hit + "\"");
  }

  FixedAdvanceCanvas canvas(o.advance, kCanvasHeight);
  TMyTextDrawer drawer;
  drawer.SetStyleColours(style);
  const TRect cell{0, 0, width, height};
  TExtraFontList runs;
  if (concordance) {
    runs.AddOne(ExtraFontRun(hit_start - 1, hit_length,
                             DefaultWordHandlingColours(style)[wh_searchword], efc_centre_word));
    drawer.SetExtraFontList(&runs);
    drawer.DrawConcText(canvas, cell, text, hit_start - 1, hit_length, lcid);
  } else {
    for (const std::string& word : split_commas(o.words)) drawer.AddASearch(utf8_to_utf16(word));
    drawer.ParseAndPaintOneLine(text, canvas, cell, alignment, pra_screen, lcid);
  }
  for (const FixedAdvanceCanvas::Drawn& d : canvas.drawn()) {
    out << d.x << '\t' << d.y << '\t' << hex_colour(d.font.colour) << '\t'
        << (d.background_mode == BackgroundMode::transparent ? std::string("transparent")
                                                             : hex_colour(d.brush_colour))
        << '\t' << utf16_to_utf8(d.text) << '\n';
    if (!output_ok(out)) return 1;
  }
  return 0;
}

void add_draw_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<DrawOptions>();
  auto* cmd = app.add_subcommand(
      "draw",
      "Paint one line with the line drawer on a canvas whose every character is --advance "
      "pixels wide and 16 high, in the cell (0,0)-(W,H), and print each drawing call: "
      "x<TAB>y<TAB>text colour<TAB>background colour or transparent<TAB>text (x is the left "
      "edge of what is visible; colours #RRGGBB). With --hit, a concordance line: the hit "
      "centred, the context round it; else a plain line placed by --align with the --words "
      "coloured. Exit status 2 for a bad option (a cell narrower than a character or lower "
      "than a line, an unknown style)");
  cmd->add_option("TEXT", o->text, "The line (UTF-8)")->required();
  cmd->add_option("--hit", o->hit, "START,LENGTH of the hit, from 1, in UTF-16 units");
  cmd->add_option("--lang", o->lang,
                  "The text's locale (he_IL, 0x0401...): right-to-left languages are painted "
                  "right to left (default: the global --lang, else en_US)");
  cmd->add_option("--cell", o->cell, "The cell, WIDTHxHEIGHT in pixels (default 400x20)");
  cmd->add_option("--align", o->align, "default, centre or right (lines without --hit)");
  cmd->add_option("--advance", o->advance, "Pixels a character (default 8)");
  cmd->add_option("--style", o->style, "The visual style, 0 to 12 (default: the start-up style)");
  cmd->add_option("--words", o->words,
                  "Search words to colour, comma-separated, in the search-word syntax");
  cmd->callback([o, &status, &out, &err] { status = command_draw(*o, out, err); });
}

}  // namespace corvane::cli
