// corvane view: a text with every occurrence of some words coloured, written as RTF or
// HTML, or shown on a terminal.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <ostream>

#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/display/Rtf_utils.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

namespace {

// The rich-text model holds the whole text: a longer one is refused rather than filling
// memory (each character also costs its share of the colour runs and line table).
constexpr std::size_t kLongestViewedText = std::size_t{1} << 26;  // UTF-16 units

std::vector<std::u16string> split_words(const std::vector<std::string>& args) {
  std::vector<std::u16string> words;
  for (const std::string& a : args) {
    std::size_t from = 0;
    while (from <= a.size()) {
      std::size_t comma = a.find(',', from);
      if (comma == std::string::npos) comma = a.size();
      std::string w = a.substr(from, comma - from);
      const auto first = w.find_first_not_of(" \t");
      const auto last = w.find_last_not_of(" \t");
      if (first != std::string::npos) words.push_back(u16(w.substr(first, last - first + 1)));
      from = comma + 1;
    }
  }
  return words;
}

bool write_output(const std::string& file, const std::string& bytes, std::ostream& err) {
  try {
    detail::write_file_replacing(u16(file), bytes);
    return true;
  } catch (const Exception& e) {
    err << "corvane view: " << file << ": " << u8(e.Message()) << '\n';
  } catch (const std::exception& e) {
    err << "corvane view: " << file << ": " << failure(e) << '\n';
  }
  return false;
}

}  // namespace

int command_view(const ViewOptions& o, std::ostream& out, std::ostream& err) {
  TPackageScope package;
  TTMSStyle style = 0;
  if (!style_from_argument("view", o.style, style, err)) return 2;
  text_encoding_choice encoding;
  std::string why;
  if (!text_encoding_setting("", encoding, why)) {
    err << "corvane view: " << why << '\n';
    return 2;
  }
  if (!check_file("view", o.file, err)) return 2;
  std::u16string text;
  try {
    text_file_reader reader(u16(o.file), encoding);
    reader.settle();
    report_reading("view", o.file, reader.report(), err);
    std::u16string part(std::size_t{1} << 16, u'\0');
    while (const std::size_t got = reader.read(part.data(), part.size())) {
      if (text.size() + got > kLongestViewedText) {
        err << "corvane view: " << o.file << ": too long to view (more than " << kLongestViewedText
            << " characters)\n";
        return 2;
      }
      text.append(part.data(), got);
    }
  } catch (const Exception& e) {
    err << "corvane view: " << o.file << ": " << u8(e.Message()) << '\n';
    return 2;
  } catch (const std::exception& e) {
    err << "corvane view: " << o.file << ": " << failure(e) << '\n';
    return 2;
  }

  TRichEdit edit;
  edit.set_text(std::move(text));
  const TMyCanvasColourRec page = StyleStandardColoursViewtext(style);
  edit.font_colour = page.colours[tct_text];
  edit.background_colour = page.colours[tct_background];
  edit.title = u16(o.file);
  const TMyCanvasColourRecAndTypeface keywords =
      DefaultWordHandlingColours(style)[wh_viewtextkeywords];
  RichEdit_ColourAllTheseWords(edit, split_words(o.words), keywords.colourset,
                               keywords.default_typeface);

  if (!o.rtf.empty() || !o.html.empty()) {
    if (!o.rtf.empty() && !write_output(o.rtf, edit.rtf(), err)) return 2;
    if (!o.html.empty() && !write_output(o.html, edit.html(), err)) return 2;
    return 0;
  }
  if (&out == &std::cout && isatty(STDOUT_FILENO)) {
    out << edit.ansi();
  } else {
    // Plain: the text as read, every line ended by LF.
    std::u16string plain;
    const std::u16string& t = edit.text();
    plain.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (t[i] == u'\r') {
        plain += u'\n';
        if (i + 1 < t.size() && t[i + 1] == u'\n') ++i;
      } else {
        plain += t[i];
      }
    }
    out << u8(plain);
  }
  out.flush();
  return output_ok(out) ? 0 : 2;
}

void add_view_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<ViewOptions>();
  auto* cmd = app.add_subcommand(
      "view",
      "A text with every occurrence of the --words coloured (the key-word colours of the "
      "style), written as RTF (--rtf) and/or HTML (--html); with neither, printed, in colour "
      "on a terminal. Words match whole, letter case ignored; a word ending in * matches the "
      "words it starts. Exit status 2 for an unknown style, a text that cannot be read or an "
      "output that cannot be written");
  cmd->add_option("FILE", o->file, "The text file")->required();
  cmd->add_option("--words", o->words, "The words to colour, comma-separated")->delimiter(',');
  cmd->add_option("--style", o->style, "The style, 0 to 12 (default: the start-up style, 7)");
  cmd->add_option("--rtf", o->rtf, "Write an RTF document to this file");
  cmd->add_option("--html", o->html, "Write an HTML document to this file");
  cmd->callback([o, &status, &out, &err] { status = command_view(*o, out, err); });
}

}  // namespace corvane::cli
