// corvane colours: the colour tables of a display style, and the named colours that
// colour pickers offer.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <ostream>

#include "corvane/definitions/Colour_utils.hpp"
#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

struct colour_row {
  std::string name;
  TColor text, background;
};

std::vector<colour_row> style_rows(TTMSStyle style) {
  const TMyCanvasColourRec standard = StyleStandardColours(style);
  const TMyCanvasColourRec search = SearchStandardColoursAndTypeface(style).colourset;
  std::vector<colour_row> rows = {
      {"standard", standard.colours[tct_text], standard.colours[tct_background]},
      {"standard_selected", standard.colours[tct_selected_text],
       standard.colours[tct_selected_background]},
      {"search", search.colours[tct_text], search.colours[tct_background]},
      {"search_selected", search.colours[tct_selected_text],
       search.colours[tct_selected_background]},
  };
  const TWordHandlingColourRecsArray roles = DefaultWordHandlingColours(style);
  for (int r = 0; r < kWordHandlingColourCount; ++r) {
    const TMyCanvasColourRec& c = roles[r].colourset;
    rows.push_back({WordHandlingColourName(static_cast<TWordHandlingColours>(r)),
                    c.colours[tct_text], c.colours[tct_background]});
  }
  return rows;
}

}  // namespace

bool style_from_argument(const char* command, const std::string& text, TTMSStyle& style,
                         std::ostream& err) {
  if (text.empty()) {
    style = GlobalTMSStyle;
    return true;
  }
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || errno != 0 ||
      !IsKnownTMSStyle(static_cast<TTMSStyle>(v)) || v != static_cast<TTMSStyle>(v)) {
    err << "corvane " << command << ": --style " << text << ": no such style (give 0 to "
        << kHighestTMSStyle << ")\n";
    return false;
  }
  style = static_cast<TTMSStyle>(v);
  return true;
}

int command_colours(const std::string& style_text, bool web, bool json, std::ostream& out,
                    std::ostream& err) {
  TPackageScope package;  // MyColourArray is built at start-up
  TTMSStyle style = 0;
  if (!style_from_argument("colours", style_text, style, err)) return 2;
  if (web) {
    if (json) out << '[';
    bool first = true;
    for (const TMyColourRec& c : MyColourArray) {
      if (json) {
        out << (first ? "\n  " : ",\n  ") << "{\"name\": ";
        write_json_string(out, c.name);
        out << ", \"colour\": " << c.colour << '}';
      } else {
        out << u8(c.name) << '\t' << ColourAsText(c.colour) << '\n';
      }
      first = false;
    }
    if (json) out << "\n]\n";
    return output_ok(out) ? 0 : 2;
  }
  const std::vector<colour_row> rows = style_rows(style);
  if (json) out << '[';
  bool first = true;
  for (const colour_row& r : rows) {
    if (json) {
      out << (first ? "\n  " : ",\n  ") << "{\"name\": ";
      write_json_string(out, r.name);
      out << ", \"text\": " << r.text << ", \"background\": " << r.background << '}';
    } else {
      out << r.name << '\t' << ColourAsText(r.text) << '\t' << ColourAsText(r.background) << '\n';
    }
    first = false;
  }
  if (json) out << "\n]\n";
  return output_ok(out) ? 0 : 2;
}

void add_colours_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::string style;
    bool web = false, json = false;
  };
  auto o = std::make_shared<options>();
  auto* cmd = app.add_subcommand(
      "colours",
      "The colours of a display style, one line per use, tab-separated: name, text colour, "
      "background colour. The uses: standard, standard_selected, search, search_selected, "
      "then each role (wh_normal_text ... wh_spare). Colours as #RRGGBB, a system colour as "
      "sys:N (sys:15 the button face), no colour as none. Exit status 2 for an unknown style");
  cmd->add_option("--style", o->style, "The style, 0 to 12 (default: the start-up style, 7)");
  cmd->add_flag("--web", o->web,
                "Print the named colours offered to pickers instead: name<TAB>#RRGGBB, in order");
  cmd->add_flag("--json", o->json,
                "One JSON array of objects, colours as 32-bit values (red in the low byte)");
  cmd->callback(
      [o, &status, &out, &err] { status = command_colours(o->style, o->web, o->json, out, err); });
}

}  // namespace corvane::cli
