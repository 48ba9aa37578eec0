// The rich-text model written out: RTF, HTML and terminal text.
#include <cstdio>

#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/display/Rtf_utils.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

bool is_set(TColor c) {
  return c != kNoColour;
}

std::string hex_colour(TColor c) {
  c = ResolvedColour(c);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

// Calls piece(text) for the stretches between line breaks and line_break() for each
// break (CR LF, LF or CR), in order.
template <typename Piece, typename Break>
void split_lines(std::u16string_view s, Piece piece, Break line_break) {
  std::size_t from = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != u'\r' && s[i] != u'\n') continue;
    if (i > from) piece(s.substr(from, i - from));
    line_break();
    if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    from = i + 1;
  }
  if (from < s.size()) piece(s.substr(from));
}

// The run's text; an LF whose CR ends the run before belongs to that line break.
std::u16string_view run_text(const std::u16string& text, const TRichRun& run) {
  std::u16string_view s = std::u16string_view(text).substr(run.start, run.length);
  if (run.start > 0 && text[run.start - 1] == u'\r' && !s.empty() && s[0] == u'\n')
    s.remove_prefix(1);
  return s;
}

// ---- RTF

struct colour_table {
  std::vector<TColor> colours;  // resolved; index k+1 in the document
  int index(TColor c) {
    c = ResolvedColour(c) & 0xFFFFFF;
    for (std::size_t k = 0; k < colours.size(); ++k)
      if (colours[k] == c) return static_cast<int>(k) + 1;
    colours.push_back(c);
    return static_cast<int>(colours.size());
  }
};

void rtf_text(std::string& out, std::u16string_view s) {
  split_lines(
      s,
      [&](std::u16string_view piece) {
        for (const char16_t c : piece) {
          if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
          } else if (c == u'\t') {
            out += "\\tab ";
          } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
          } else {
            out += "\\u" + std::to_string(static_cast<std::int16_t>(c)) + "?";
          }
        }
      },
      [&] { out += "\\par\r\n"; });
}

// ---- HTML

void html_text(std::string& out, std::u16string_view s) {
  split_lines(
      s,
      [&](std::u16string_view piece) {
        for (const char ch : utf16_to_utf8(piece)) {
          switch (ch) {
            case '&':
              out += "&amp;";
              break;
            case '<':
              out += "&lt;";
              break;
            case '>':
              out += "&gt;";
              break;
            case '"':
              out += "&quot;";
              break;
            default:
              out += ch;
          }
        }
      },
      [&] { out += "<br>"; });
}

constexpr const char* kStyleTags[4][2] = {
    {"<b>", "</b>"}, {"<i>", "</i>"}, {"<u>", "</u>"}, {"<s>", "</s>"}};

// ---- Terminal

std::string ansi_start(const TRichCharFormat& f) {
  std::string codes;
  const auto add = [&](const std::string& code) {
    if (!codes.empty()) codes += ';';
    codes += code;
  };
  if (f.styles.contains(tf_bold)) add("1");
  if (f.styles.contains(tf_italics)) add("3");
  if (f.styles.contains(tf_underline)) add("4");
  if (f.styles.contains(tf_strikeout)) add("9");
  const auto rgb = [](TColor c) {
    c = ResolvedColour(c);
    return std::to_string(c & 0xFF) + ';' + std::to_string((c >> 8) & 0xFF) + ';' +
           std::to_string((c >> 16) & 0xFF);
  };
  if (is_set(f.fore)) add("38;2;" + rgb(f.fore));
  if (is_set(f.back)) add("48;2;" + rgb(f.back));
  return codes.empty() ? std::string() : "\x1b[" + codes + "m";
}

// Control characters would act on the terminal: they are shown as U+FFFD.
std::u16string terminal_safe(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out)
    if ((c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F)) c = 0xFFFD;
  return out;
}

}  // namespace

std::string TRichEdit::rtf() const {
  colour_table table;
  std::string body;
  if (is_set(font_colour)) body += "\\cf" + std::to_string(table.index(font_colour)) + ' ';
  for (const TRichRun& run : runs()) {
    const std::u16string_view s = run_text(ftext, run);
    const TRichCharFormat& f = run.format;
    if (f == TRichCharFormat{}) {
      rtf_text(body, s);
      continue;
    }
    body += '{';
    if (is_set(f.fore)) body += "\\cf" + std::to_string(table.index(f.fore));
    if (is_set(f.back)) {
      const std::string n = std::to_string(table.index(f.back));
      body += "\\highlight" + n + "\\cb" + n + "\\chcbpat" + n;
    }
    if (f.styles.contains(tf_bold)) body += "\\b";
    if (f.styles.contains(tf_italics)) body += "\\i";
    if (f.styles.contains(tf_underline)) body += "\\ul";
    if (f.styles.contains(tf_strikeout)) body += "\\strike";
    body += ' ';
    rtf_text(body, s);
    body += '}';
  }
  std::string out =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl{\\f0\\fnil\\fcharset0 DejaVu "
      "Sans;}}\r\n{\\colortbl ;";
  for (const TColor c : table.colours)
    out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) +
           "\\blue" + std::to_string((c >> 16) & 0xFF) + ';';
  out += "}\r\n\\viewkind4\\pard\\f0\\fs22 ";
  out += body;
  out += "\r\n}\r\n";
  return out;
}

std::string TRichEdit::html_fragment() const {
  std::string out;
  for (const TRichRun& run : runs()) {
    const std::u16string_view s = run_text(ftext, run);
    const TRichCharFormat& f = run.format;
    const bool span = is_set(f.fore) || is_set(f.back);
    if (span) {
      out += "<span style=\"";
      if (is_set(f.fore)) out += "color:" + hex_colour(f.fore);
      if (is_set(f.fore) && is_set(f.back)) out += ';';
      if (is_set(f.back)) out += "background-color:" + hex_colour(f.back);
      out += "\">";
    }
    for (int k = 0; k < 4; ++k)
      if (f.styles.contains(static_cast<TTypefaceStyle>(k))) out += kStyleTags[k][0];
    html_text(out, s);
    for (int k = 3; k >= 0; --k)
      if (f.styles.contains(static_cast<TTypefaceStyle>(k))) out += kStyleTags[k][1];
    if (span) out += "</span>";
  }
  return out;
}

std::string TRichEdit::html() const {
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
  html_text(out, title.empty() ? std::u16string_view(u"Text") : std::u16string_view(title));
  out += "</title>\n</head>\n<body";
  if (is_set(font_colour) || is_set(background_colour)) {
    out += " style=\"";
    if (is_set(font_colour)) out += "color:" + hex_colour(font_colour);
    if (is_set(font_colour) && is_set(background_colour)) out += ';';
    if (is_set(background_colour)) out += "background-color:" + hex_colour(background_colour);
    out += '"';
  }
  out += ">\n<div style=\"white-space:pre-wrap\">";
  out += html_fragment();
  out += "</div>\n</body>\n</html>\n";
  return out;
}

std::string TRichEdit::ansi() const {
  std::string out;
  for (const TRichRun& run : runs()) {
    const std::u16string_view s = run_text(ftext, run);
    const std::string start = ansi_start(run.format);
    // Each line's stretch is wrapped on its own, so that a background never runs on past
    // a line's end.
    split_lines(
        s,
        [&](std::u16string_view piece) {
          out += start;
          out += utf16_to_utf8(terminal_safe(piece));
          if (!start.empty()) out += "\x1b[0m";
        },
        [&] { out += '\n'; });
  }
  return out;
}

}  // namespace corvane
