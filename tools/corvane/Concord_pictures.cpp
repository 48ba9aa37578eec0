// corvane concord's pictures: the options that ask for PNG, SVG and HTML pictures of the
// concordance, and how they become the library's picture options.
#include <CLI/CLI.hpp>

#include "corvane/definitions/Mytmsstylebase.hpp"
#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Concord_pictures.hpp"

namespace corvane::cli {

void add_concord_picture_options(CLI::App& concord, ConcordOptions& o) {
  concord.add_option("--png", o.png,
                     "Also draw the concordance as a PNG picture: each hit one line in its own "
                     "cell, the hit centred, in the style's colours");
  concord.add_option("--svg", o.svg, "Also draw it as SVG (the text stays text)");
  concord.add_option("--html", o.html,
                     "Also write it as an HTML table: cells of class before, hit and after");
  concord.add_option("--style", o.style,
                     "The display style of the pictures' colours, 0 to " +
                         std::to_string(kHighestTMSStyle) + " (default: the start-up style)");
  concord.add_option("--cell-width", o.cell_width,
                     "Pixels a picture's line is wide (default 1000)");
  concord.add_option("--font", o.font,
                     "The pictures' font family (default DejaVu Sans; a family that is not "
                     "installed falls back on it with a warning)");
  concord.add_option("--font-size", o.font_size, "The pictures' font size in points (default 11)");
}

bool wants_pictures(const ConcordOptions& o) {
  return !o.png.empty() || !o.svg.empty() || !o.html.empty();
}

bool concord_picture_options(const ConcordOptions& o, std::uint32_t lcid,
                             const std::vector<ConcordSortKey>& keys,
                             concordance_picture_options& out, std::string& error) {
  out.style = o.style == ConcordOptions::kStyleNotGiven ? GlobalTMSStyle : o.style;
  out.cell_width = o.cell_width;
  out.font = u16(o.font);
  out.font_size = o.font_size;
  out.lcid = lcid;
  out.sort_keys = keys;
  out.allowed_in_words = u16(o.allow);
  if (o.font.empty()) {
    error = "--font names no font";
    return false;
  }
  return check_concordance_picture_options(out, error);
}

}  // namespace corvane::cli
