#include "corvane/display/Rtf_utils.hpp"

#include <algorithm>
#include <stdexcept>

#include "corvane/platform/CaseMapping.hpp"
#include "corvane/platform/CharTypes.hpp"

namespace corvane {

namespace {

bool is_high(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// True when the character at i belongs to a word: anything assigned that is not a space,
// punctuation, symbol or control (letters, digits, marks). A surrogate is judged by the
// code point of its pair.
bool word_unit(const std::u16string& s, std::int32_t i) {
  if (i < 0 || i >= static_cast<std::int32_t>(s.size())) return false;
  const char16_t c = s[i];
  std::uint16_t t = 0;
  if (is_high(c) && i + 1 < static_cast<std::int32_t>(s.size()) && is_low(s[i + 1])) {
    t = char_type1_of_code_point(0x10000 + ((char32_t{c} - 0xD800) << 10) + (s[i + 1] - 0xDC00));
  } else if (is_low(c) && i > 0 && is_high(s[i - 1])) {
    t = char_type1_of_code_point(0x10000 + ((char32_t{s[i - 1]} - 0xD800) << 10) + (c - 0xDC00));
  } else {
    t = char_type1(c);
  }
  return (t & C1_DEFINED) != 0 && (t & (C1_SPACE | C1_PUNCT | C1_CNTRL)) == 0;
}

// Lower case for comparing, with final sigma as sigma (so that a capital word ending in
// sigma matches its lower-case form). Keeps the length.
std::u16string folded(std::u16string_view s) {
  std::u16string out = simple_lower(s);
  for (char16_t& c : out)
    if (c == 0x03C2) c = 0x03C3;
  return out;
}

}  // namespace

TRichEdit::TRichEdit() {
  set_text({});
}

void TRichEdit::set_text(std::u16string text) {
  // Positions are 32-bit: a longer text is refused rather than cut or mis-addressed.
  if (text.size() > static_cast<std::size_t>(INT32_MAX - 1))
    throw std::length_error("a rich-edit text holds at most 2^31 - 2 characters");
  ftext = std::move(text);
  fformats.clear();
  fformats[0] = TRichCharFormat{};
  fline_starts.assign(1, 0);
  const auto n = static_cast<std::int32_t>(ftext.size());
  for (std::int32_t i = 0; i < n; ++i) {
    if (ftext[i] == u'\r') {
      if (i + 1 < n && ftext[i + 1] == u'\n') ++i;
      fline_starts.push_back(i + 1);
    } else if (ftext[i] == u'\n') {
      fline_starts.push_back(i + 1);
    }
  }
  fselection = {};
  fcaret = 0;
  ffirst_visible = 0;
}

void TRichEdit::clamp(TCharRange& range) const {
  const auto n = static_cast<std::int32_t>(ftext.size());
  range.cpMin = std::clamp(range.cpMin, 0, n);
  range.length = std::clamp(range.length, 0, n - range.cpMin);
}

void TRichEdit::set_selection(TCharRange range) {
  clamp(range);
  fselection = range;
  fcaret = range.cpMin + range.length;
}

void TRichEdit::set_caret(std::int32_t position) {
  set_selection({position, 0});
}

TRichCharFormat TRichEdit::format_at(std::int32_t position) const {
  if (position < 0 || position >= static_cast<std::int32_t>(ftext.size())) return {};
  auto it = fformats.upper_bound(position);
  --it;  // there is always a key 0
  return it->second;
}

void TRichEdit::format_range(TCharRange range, const TRichCharFormat& format, std::uint8_t mask) {
  clamp(range);
  if (range.length == 0 || mask == 0) return;
  const std::int32_t a = range.cpMin, b = range.cpMin + range.length;
  const TRichCharFormat at_a = format_at(a);
  if (b < static_cast<std::int32_t>(ftext.size())) fformats[b] = format_at(b);
  fformats[a] = at_a;
  for (auto it = fformats.find(a); it != fformats.end() && it->first < b; ++it) {
    TRichCharFormat& f = it->second;
    if (mask & rf_fore) f.fore = format.fore;
    if (mask & rf_back) f.back = format.back;
    if (mask & rf_styles) f.styles = format.styles;
  }
  // Merge neighbours that now look the same, from the key before a up to b.
  auto it = fformats.find(a);
  if (it != fformats.begin()) --it;
  while (it != fformats.end() && it->first <= b) {
    auto next = std::next(it);
    if (next != fformats.end() && next->first <= b && next->second == it->second) {
      fformats.erase(next);
    } else {
      it = next;
    }
  }
}

void TRichEdit::format_selection(const TRichCharFormat& format, std::uint8_t mask) {
  format_range(fselection, format, mask);
}

std::vector<TRichRun> TRichEdit::runs() const {
  std::vector<TRichRun> out;
  const auto n = static_cast<std::int32_t>(ftext.size());
  for (auto it = fformats.begin(); it != fformats.end(); ++it) {
    const auto next = std::next(it);
    const std::int32_t end = next == fformats.end() ? n : next->first;
    if (end > it->first) out.push_back({it->first, end - it->first, it->second});
  }
  return out;
}

void TRichEdit::set_margins_message(std::uint32_t packed) {
  fleft_margin = static_cast<std::int32_t>(packed & 0xFFFF);
  fright_margin = static_cast<std::int32_t>(packed >> 16);
}

std::int32_t TRichEdit::line_of(std::int32_t position) const {
  const auto it = std::upper_bound(fline_starts.begin(), fline_starts.end(), position);
  return it == fline_starts.begin() ? 0 : static_cast<std::int32_t>(it - fline_starts.begin()) - 1;
}

std::int32_t TRichEdit::line_start(std::int32_t line) const {
  if (line <= 0) return 0;
  if (line >= line_count()) return static_cast<std::int32_t>(ftext.size());
  return fline_starts[line];
}

void TRichEdit::set_first_visible_line(std::int32_t line) {
  ffirst_visible = std::clamp(line, 0, line_count() - 1);
}

void TRichEdit::set_visible_line_count(std::int32_t lines) {
  fvisible_lines = std::max(lines, 1);
}

void TRichEdit::scroll_caret_into_view() {
  const std::int32_t line = line_of(fcaret);
  if (line < ffirst_visible) {
    set_first_visible_line(line);
  } else if (line >= ffirst_visible + fvisible_lines) {
    set_first_visible_line(line - fvisible_lines + 1);
  }
}

void SetRicheditMargins(TRichEdit& edit, std::int32_t left, std::int32_t right) {
  const std::uint32_t packed =
      (static_cast<std::uint32_t>(left) & 0xFFFF) | (static_cast<std::uint32_t>(right) << 16);
  edit.set_margins_message(packed);
}

void RichEdit_SetSelBgColor(TRichEdit& edit, TColor colour) {
  TRichCharFormat f;
  f.back = colour;
  edit.format_selection(f, rf_back);
}

void RichEdit_ColourASection(TRichEdit& edit, TColor fore, TColor back, Ttypeface_Set styles,
                             TCharRange range) {
  edit.set_selection(range);
  TRichCharFormat f;
  f.fore = fore;
  f.styles = styles;
  edit.format_selection(f, rf_fore | rf_styles);
  RichEdit_SetSelBgColor(edit, back);
}

void RichEdit_ScrollToPOsition(TRichEdit& edit, std::int32_t position) {
  if (position < 0) return;
  edit.set_caret(position);
  edit.scroll_caret_into_view();
}

void CentreLineVerticallyInEdit(TRichEdit& edit, std::int32_t line) {
  line = std::clamp(line, 0, edit.line_count() - 1);
  edit.set_first_visible_line(line - (edit.visible_line_count() - 1) / 2);
}

std::int32_t RichEdit_ColourAllTheseWords(TRichEdit& edit, const std::vector<std::u16string>& words,
                                          const TMyCanvasColourRec& colours, Ttypeface_Set styles,
                                          const TColourWordsOptions& options) {
  struct wanted {
    std::u16string w;
    bool prefix;
  };
  std::vector<wanted> list;
  for (const std::u16string& word : words) {
    wanted x{word, false};
    if (!x.w.empty() && x.w.back() == u'*') {
      x.w.pop_back();
      x.prefix = true;
    }
    if (x.w.empty()) continue;
    if (!options.case_sensitive) x.w = folded(x.w);
    list.push_back(std::move(x));
  }
  if (list.empty()) return 0;
  // Longest first, so that the first match at a place is the longest.
  std::stable_sort(list.begin(), list.end(),
                   [](const wanted& a, const wanted& b) { return a.w.size() > b.w.size(); });

  const std::u16string& original = edit.text();
  std::u16string text = options.case_sensitive ? original : folded(original);
  if (text.size() != original.size()) text = original;  // never: simple mappings keep lengths
  const auto n = static_cast<std::int32_t>(text.size());
  TRichCharFormat f;
  f.fore = colours.colours[tct_text];
  f.back = colours.colours[tct_background];
  f.styles = styles;
  std::int32_t count = 0;
  std::int32_t i = 0;
  while (i < n) {
    if (options.whole_words && (word_unit(original, i - 1) || is_low(text[i]))) {
      ++i;
      continue;
    }
    std::int32_t matched = 0;
    for (const wanted& x : list) {
      const auto len = static_cast<std::int32_t>(x.w.size());
      if (len > n - i || text.compare(i, len, x.w) != 0) continue;
      std::int32_t end = i + len;
      if (x.prefix && options.whole_words)
        while (end < n && word_unit(original, end)) ++end;
      // A match ends on a whole character, and a whole word ends where the word does.
      if (end < n && is_low(text[end])) continue;
      if (options.whole_words && word_unit(original, end)) continue;
      matched = end - i;
      break;
    }
    if (matched == 0) {
      ++i;
      continue;
    }
    edit.format_range({i, matched}, f, rf_fore | rf_back | rf_styles);
    ++count;
    i += matched;
  }
  return count;
}

}  // namespace corvane
