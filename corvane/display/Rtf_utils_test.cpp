#include "corvane/display/Rtf_utils.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/platform/SystemColours.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

// What a reader of the written document sees: the text (line breaks as LF) and the format
// of each UTF-16 unit, colours as plain RGB.
struct read_back {
  std::u16string text;
  std::vector<TRichCharFormat> formats;
};

// A small RTF reader, enough for what the writer produces: groups, the colour table,
// \cf \highlight \cb \chcbpat \b \i \ul \strike \par \tab \uN with one fallback character.
read_back read_rtf(const std::string& rtf) {
  read_back out;
  std::vector<TColor> table;
  std::vector<TRichCharFormat> stack{TRichCharFormat{}};
  std::vector<int> skip_depth;  // groups whose text is not body text
  int depth = 0;
  bool in_colortbl = false;
  TColor pending = 0;
  bool first_entry = true;
  std::size_t i = 0;
  const auto add = [&](char16_t c) {
    if (!skip_depth.empty()) return;
    out.text += c;
    out.formats.push_back(stack.back());
  };
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '{') {
      stack.push_back(stack.back());
      ++depth;
      ++i;
    } else if (c == '}') {
      if (!skip_depth.empty() && skip_depth.back() == depth) skip_depth.pop_back();
      if (in_colortbl) in_colortbl = false;
      stack.pop_back();
      --depth;
      ++i;
    } else if (c == '\r' || c == '\n') {
      ++i;
    } else if (c == ';' && in_colortbl) {
      if (!first_entry) table.push_back(pending);
      first_entry = false;
      pending = 0;
      ++i;
    } else if (c == '\\') {
      ++i;
      if (i < rtf.size() && !std::isalpha(static_cast<unsigned char>(rtf[i]))) {
        add(static_cast<unsigned char>(rtf[i]));
        ++i;
        continue;
      }
      std::string word;
      while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i]))) word += rtf[i++];
      std::string num;
      if (i < rtf.size() && rtf[i] == '-') num += rtf[i++];
      while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i]))) num += rtf[i++];
      if (i < rtf.size() && rtf[i] == ' ') ++i;
      const int n = num.empty() ? 0 : std::atoi(num.c_str());
      TRichCharFormat& f = stack.back();
      const auto colour = [&](int k) {
        return k >= 1 && k <= (int)table.size() ? table[k - 1] : kNoColour;
      };
      if (word == "fonttbl") {
        skip_depth.push_back(depth);
      } else if (word == "colortbl") {
        in_colortbl = true;
        skip_depth.push_back(depth);
      } else if (word == "red") {
        pending |= n;
      } else if (word == "green") {
        pending |= n << 8;
      } else if (word == "blue") {
        pending |= n << 16;
      } else if (word == "cf") {
        f.fore = colour(n);
      } else if (word == "highlight" || word == "cb" || word == "chcbpat") {
        f.back = colour(n);
      } else if (word == "b") {
        f.styles.include(tf_bold);
      } else if (word == "i") {
        f.styles.include(tf_italics);
      } else if (word == "ul") {
        f.styles.include(tf_underline);
      } else if (word == "strike") {
        f.styles.include(tf_strikeout);
      } else if (word == "par") {
        add(u'\n');
      } else if (word == "tab") {
        add(u'\t');
      } else if (word == "u") {
        add(static_cast<char16_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(n))));
        ++i;  // the fallback character
      }
    } else {
      add(static_cast<unsigned char>(c));
      ++i;
    }
  }
  return out;
}

TColor parse_hex(const std::string& s) {
  const unsigned long v = std::strtoul(s.c_str() + 1, nullptr, 16);
  return ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
}

// A reader of the HTML fragment: spans with color/background-color, b/i/u/s, <br>, the
// five entities the writer uses.
read_back read_html(const std::string& html) {
  std::vector<TRichCharFormat> stack{TRichCharFormat{}};
  std::string utf8;
  std::vector<TRichCharFormat> per_byte;
  std::size_t i = 0;
  while (i < html.size()) {
    if (html[i] == '<') {
      const std::size_t close = html.find('>', i);
      const std::string tag = html.substr(i + 1, close - i - 1);
      i = close + 1;
      if (tag == "br") {
        utf8 += '\n';
        per_byte.push_back(stack.back());
      } else if (tag[0] == '/') {
        stack.pop_back();
      } else {
        TRichCharFormat f = stack.back();
        if (tag == "b") f.styles.include(tf_bold);
        if (tag == "i") f.styles.include(tf_italics);
        if (tag == "u") f.styles.include(tf_underline);
        if (tag == "s") f.styles.include(tf_strikeout);
        if (tag.rfind("span style=\"", 0) == 0) {
          const std::string style = tag.substr(12, tag.size() - 13);
          std::size_t p = 0;
          while (p < style.size()) {
            std::size_t end = style.find(';', p);
            if (end == std::string::npos) end = style.size();
            const std::string decl = style.substr(p, end - p);
            if (decl.rfind("color:", 0) == 0) f.fore = parse_hex(decl.substr(6));
            if (decl.rfind("background-color:", 0) == 0) f.back = parse_hex(decl.substr(17));
            p = end + 1;
          }
        }
        stack.push_back(f);
      }
    } else if (html[i] == '&') {
      const std::size_t semi = html.find(';', i);
      const std::string e = html.substr(i, semi - i + 1);
      utf8 += e == "&amp;" ? '&' : e == "&lt;" ? '<' : e == "&gt;" ? '>' : '"';
      per_byte.push_back(stack.back());
      i = semi + 1;
    } else {
      utf8 += html[i++];
      per_byte.push_back(stack.back());
    }
  }
  // Back to UTF-16, one format per unit (the format of the character's first byte).
  read_back out;
  for (std::size_t b = 0; b < utf8.size();) {
    std::size_t len = 1;
    const auto lead = static_cast<unsigned char>(utf8[b]);
    if (lead >= 0xF0)
      len = 4;
    else if (lead >= 0xE0)
      len = 3;
    else if (lead >= 0xC0)
      len = 2;
    const std::u16string units = utf8_to_utf16(utf8.substr(b, len));
    for (const char16_t u : units) {
      out.text += u;
      out.formats.push_back(per_byte[b]);
    }
    b += len;
  }
  return out;
}

// The model's text and formats as a reader should see them: line breaks as one LF,
// system colours resolved.
read_back expected(const TRichEdit& e) {
  read_back out;
  const std::u16string& t = e.text();
  for (std::size_t i = 0; i < t.size(); ++i) {
    TRichCharFormat f = e.format_at(static_cast<std::int32_t>(i));
    if (f.fore != kNoColour) f.fore = ResolvedColour(f.fore);
    if (f.back != kNoColour) f.back = ResolvedColour(f.back);
    if (t[i] == u'\n' && i > 0 && t[i - 1] == u'\r') continue;  // CR LF: one break, the CR's
    out.text += t[i] == u'\r' ? u'\n' : t[i];
    out.formats.push_back(f);
  }
  return out;
}

void expect_same(const read_back& got, const read_back& want) {
  ASSERT_EQ(utf16_to_utf8(got.text), utf16_to_utf8(want.text));
  ASSERT_EQ(got.formats.size(), want.formats.size());
  for (std::size_t i = 0; i < want.formats.size(); ++i) {
    const TRichCharFormat& g = got.formats[i];
    const TRichCharFormat& w = want.formats[i];
    ASSERT_TRUE(g == w) << "at " << i << ": fore " << std::hex << g.fore << " want " << w.fore
                        << ", back " << g.back << " want " << w.back << ", styles "
                        << int(g.styles.bits) << " want " << int(w.styles.bits);
  }
}

Ttypeface_Set bold() {
  Ttypeface_Set s;
  s.include(tf_bold);
  return s;
}

TEST(Rtf_utils, RangesSplitAndMergeRuns) {
  TRichEdit e;
  e.set_text(u"abcdefghij");
  RichEdit_ColourASection(e, 0x0000FF, 0xFFFFFF, bold(), {2, 3});
  EXPECT_EQ(e.selection().cpMin, 2);
  EXPECT_EQ(e.selection().length, 3);
  std::vector<TRichRun> r = e.runs();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[1].start, 2);
  EXPECT_EQ(r[1].length, 3);
  EXPECT_EQ(r[1].format.fore, 0x0000FFu);
  EXPECT_EQ(r[1].format.back, 0xFFFFFFu);
  EXPECT_TRUE(r[1].format.styles.contains(tf_bold));
  // The same format next to it joins the run; a background alone keeps the rest.
  RichEdit_ColourASection(e, 0x0000FF, 0xFFFFFF, bold(), {5, 2});
  EXPECT_EQ(e.runs().size(), 3u);
  e.set_selection({3, 1});
  RichEdit_SetSelBgColor(e, 0x00FF00);
  r = e.runs();
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[2].format.fore, 0x0000FFu);
  EXPECT_EQ(r[2].format.back, 0x00FF00u);
  // Ranges past the text are clamped; a negative length colours nothing.
  RichEdit_ColourASection(e, 1, 2, {}, {8, 100});
  EXPECT_EQ(e.format_at(9).fore, 1u);
  EXPECT_EQ(e.selection().length, 2);
  RichEdit_ColourASection(e, 7, 7, {}, {0, -4});
  EXPECT_EQ(e.format_at(0), TRichCharFormat{});
  std::int32_t covered = 0;
  for (const TRichRun& run : e.runs()) {
    EXPECT_EQ(run.start, covered);
    covered += run.length;
  }
  EXPECT_EQ(covered, 10);
  // New text: no formatting left.
  e.set_text(u"xy");
  EXPECT_EQ(e.runs().size(), 1u);
  EXPECT_EQ(e.format_at(1), TRichCharFormat{});
}

TEST(Rtf_utils, MarginsCaretAndScrolling) {
  TRichEdit e;
  SetRicheditMargins(e, 12, 30);
  EXPECT_EQ(e.left_margin(), 12);
  EXPECT_EQ(e.right_margin(), 30);
  std::u16string text;
  for (int k = 0; k < 100; ++k) text += u"line\r\n";  // 100 lines and an empty 101st
  e.set_text(text);
  e.set_visible_line_count(10);
  EXPECT_EQ(e.line_count(), 101);
  EXPECT_EQ(e.line_of(6), 1);
  EXPECT_EQ(e.line_of(5), 0);  // the LF of CR LF belongs to its line
  RichEdit_ScrollToPOsition(e, 6 * 50 + 2);
  EXPECT_EQ(e.caret(), 302);
  EXPECT_EQ(e.first_visible_line(), 41);  // line 50 is the last one shown
  RichEdit_ScrollToPOsition(e, -1);       // nothing happens
  EXPECT_EQ(e.caret(), 302);
  RichEdit_ScrollToPOsition(e, 0);
  EXPECT_EQ(e.first_visible_line(), 0);
  RichEdit_ScrollToPOsition(e, 1 << 30);  // past the end: the end
  EXPECT_EQ(e.caret(), 600);
  CentreLineVerticallyInEdit(e, 50);
  EXPECT_EQ(e.first_visible_line(), 46);
  CentreLineVerticallyInEdit(e, 2);
  EXPECT_EQ(e.first_visible_line(), 0);
  CentreLineVerticallyInEdit(e, 5000);
  EXPECT_EQ(e.first_visible_line(), 100 - 4);
  TRichEdit empty;
  CentreLineVerticallyInEdit(empty, 3);
  EXPECT_EQ(empty.first_visible_line(), 0);
}

TEST(Rtf_utils, ColourAllTheseWords) {
  TMyCanvasColourRec c;
  c.colours[tct_text] = 0x000080;
  c.colours[tct_background] = 0xCDFAFF;
  TRichEdit e;
  e.set_text(u"The other theme: THE theatre, the; then.");
  EXPECT_EQ(RichEdit_ColourAllTheseWords(e, {u"the"}, c, {}), 3);
  EXPECT_EQ(e.format_at(0).fore, 0x000080u);
  EXPECT_EQ(e.format_at(0).back, 0xCDFAFFu);
  EXPECT_EQ(e.format_at(5).fore, kNoColour);   // "other" is not "the"
  EXPECT_EQ(e.format_at(17).fore, 0x000080u);  // THE
  EXPECT_EQ(e.format_at(22).fore, kNoColour);  // theatre
  // A prefix word takes the whole word; the longest match wins where words overlap.
  e.set_text(u"theatre the theme");
  EXPECT_EQ(RichEdit_ColourAllTheseWords(e, {u"the*", u""}, c, bold()), 3);
  EXPECT_EQ(e.runs().size(), 5u);  // three words, two plain spaces
  e.set_text(u"theatre the theme");
  EXPECT_EQ(RichEdit_ColourAllTheseWords(e, {u"thea*", u"the"}, c, bold()), 2);
  EXPECT_EQ(e.format_at(6).fore, 0x000080u);
  EXPECT_EQ(e.format_at(12).fore, kNoColour);
  // Case is kept apart when asked; parts of words when whole words are not wanted.
  e.set_text(u"Ab ab xaby");
  EXPECT_EQ(RichEdit_ColourAllTheseWords(e, {u"ab"}, c, {}, {true, true}), 1);
  e.set_text(u"Ab ab xaby");
  EXPECT_EQ(RichEdit_ColourAllTheseWords(e, {u"ab"}, c, {}, {false, false}), 3);
  // Letters of other scripts, combining marks and characters beyond the BMP count as word.
  e.set_text(u"ΛΟΓΟΣ λόγος logé loge\u0301 𝐀x x𝐀 x");
  EXPECT_EQ(RichEdit_ColourAllTheseWords(e, {u"λογος", u"λόγος", u"loge", u"x"}, c, {}), 3);
  EXPECT_EQ(e.format_at(0).fore, 0x000080u);
  EXPECT_EQ(e.format_at(18).fore, kNoColour);  // loge + combining acute is another word
  EXPECT_EQ(e.format_at(static_cast<std::int32_t>(e.text().size()) - 1).fore, 0x000080u);
  // Nothing to look for: nothing coloured, selection untouched.
  e.set_selection({1, 2});
  EXPECT_EQ(RichEdit_ColourAllTheseWords(e, {}, c, {}), 0);
  EXPECT_EQ(e.selection().length, 2);
}

TEST(Rtf_utils, RtfBytes) {
  TRichEdit e;
  e.set_text(u"a{b}\\ é\t😀\r\nz");
  RichEdit_ColourASection(e, 0x0000FF, 0xCDFAFF, bold(), {0, 1});
  EXPECT_EQ(e.rtf(),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n"
            "{\\fonttbl{\\f0\\fnil\\fcharset0 DejaVu Sans;}}\r\n"
            "{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green250\\blue205;}\r\n"
            "\\viewkind4\\pard\\f0\\fs22 "
            "{\\cf1\\highlight2\\cb2\\chcbpat2\\b a}\\{b\\}\\\\ \\u233?\\tab \\u-10179?\\u-8704?"
            "\\par\r\nz\r\n}\r\n");
}

TEST(Rtf_utils, HtmlBytes) {
  TRichEdit e;
  e.set_text(u"<a&b> \"q\"\nsé");
  RichEdit_ColourASection(e, 0x000080, 0xCDFAFF, {}, {1, 1});
  RichEdit_ColourASection(e, 0xFF0000, kNoColour, bold(), {3, 1});
  RichEdit_ColourASection(e, kNoColour, kNoColour, bold(), {11, 1});
  EXPECT_EQ(e.html_fragment(),
            "&lt;<span style=\"color:#800000;background-color:#fffacd\">a</span>&amp;"
            "<span style=\"color:#0000ff\"><b>b</b></span>&gt; &quot;q&quot;<br>s<b>é</b>");
  e.font_colour = 0x000000;
  e.background_colour = 0xFF00000F;  // a system colour, resolved
  e.title = u"<t>";
  reset_system_colours();
  const std::string doc = e.html();
  EXPECT_EQ(doc.rfind("<!DOCTYPE html>\n", 0), 0u);
  EXPECT_NE(doc.find("<title>&lt;t&gt;</title>"), std::string::npos);
  const TColor face = GetSysColor(COLOR_BTNFACE);
  char want[80];
  std::snprintf(want, sizeof want, "<body style=\"color:#000000;background-color:#%02x%02x%02x\">",
                face & 0xFF, (face >> 8) & 0xFF, (face >> 16) & 0xFF);
  EXPECT_NE(doc.find(want), std::string::npos) << doc;
  EXPECT_EQ(doc.find("1fffffff"), std::string::npos);
  EXPECT_NE(doc.find(e.html_fragment()), std::string::npos);
}

TEST(Rtf_utils, WritersReadBack) {
  reset_system_colours();
  std::mt19937 rng(21);
  const std::u16string alphabet = u"ab Z{}\\<>&\"\té€𝄞\r\n\u0019";
  const TColor palette[] = {kNoColour, 0, 0xFFFFFF, 0x0000FF, 0xCDFAFF, 0xFF00000F, 0x123456};
  for (int round = 0; round < 200; ++round) {
    std::u16string text;
    const int len = static_cast<int>(rng() % 40);
    for (int k = 0; k < len; ++k) {
      const char16_t c = alphabet[rng() % alphabet.size()];
      if (c == 0xD834) {  // keep the pair whole
        text += u"𝄞";
        continue;
      }
      if (c == 0xDD1E) continue;
      text += c;
    }
    TRichEdit e;
    e.set_text(text);
    for (int k = 0; k < 4; ++k) {
      Ttypeface_Set s;
      s.bits = static_cast<std::uint8_t>(rng() % 16);
      RichEdit_ColourASection(
          e, palette[rng() % 7], palette[rng() % 7], s,
          {static_cast<std::int32_t>(rng() % 40), static_cast<std::int32_t>(rng() % 10)});
    }
    // A pair split by a format change would be two broken halves in any writer.
    bool split_pair = false;
    for (const TRichRun& r : e.runs())
      if (r.start > 0 && e.text()[r.start] >= 0xDC00 && e.text()[r.start] <= 0xDFFF)
        split_pair = true;
    SCOPED_TRACE(utf16_to_utf8(text));
    expect_same(read_rtf(e.rtf()), expected(e));
    if (!split_pair) expect_same(read_html(e.html_fragment()), expected(e));
  }
}

TEST(Rtf_utils, TerminalText) {
  TRichEdit e;
  e.set_text(u"ab\ncd\x1b[2J");
  RichEdit_ColourASection(e, 0x000080, 0xCDFAFF, bold(), {1, 3});
  EXPECT_EQ(e.ansi(),
            "a\x1b[1;38;2;128;0;0;48;2;255;250;205mb\x1b[0m\n\x1b[1;38;2;128;0;0;48;2;255;250;"
            "205mc\x1b[0md\xEF\xBF\xBD[2J");
}

}  // namespace
}  // namespace corvane
