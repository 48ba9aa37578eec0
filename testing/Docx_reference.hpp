#pragma once
// The text of a document's body part computed the slow, obvious way, for checking the
// library's walk against: the whole part decoded first, every alternate-content block
// replaced by editing the string and searching again from its start, and the paragraphs
// and runs found by plain searches. Quadratic; for small parts only.

#include <algorithm>
#include <string>
#include <string_view>

#include "corvane/rtl/Utf.hpp"

namespace corvane::testing {

inline std::u16string docx_reference_runs(std::u16string_view c) {
  constexpr auto npos = std::u16string_view::npos;
  std::u16string text;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t t = c.find(u"<w:t", pos);
    if (t == npos) break;
    if (t + 4 < c.size() && c[t + 4] != u' ' && c[t + 4] != u'>') {
      pos = t + 1;
      continue;
    }
    const std::size_t r = c.find(u'>', t + 4);
    if (r == npos) break;
    const std::size_t u = c.find(u"</w:t>", r + 1);
    if (u == npos) {
      pos = r + 1;
      continue;
    }
    text += c.substr(r + 1, u - r - 1);
    pos = u + 6;  // on after the run's closing tag: no text is taken twice
  }
  return text;
}

inline std::u16string docx_reference_text(std::string_view body) {
  constexpr auto npos = std::u16string::npos;
  std::u16string d = utf8_to_utf16(body);
  for (;;) {
    const std::size_t a = d.find(u"<mc:AlternateContent>");
    if (a == npos) break;
    const std::size_t z = d.find(u"</mc:AlternateContent>", a + 1);
    const std::size_t f = d.find(u"<mc:Fallback>", a + 1);
    const std::size_t g = f == npos ? npos : d.find(u"</mc:Fallback>", f + 1);
    if (z == npos || g == npos) break;
    if (g < z)
      d = d.substr(0, a) + d.substr(f, g - f) + d.substr(z);
    else  // the fallback closes beyond the block: each stretch is kept once
      d = d.substr(0, a) + d.substr(std::min(f, z));
  }
  std::u16string out;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t p = d.find(u"<w:p", pos);
    if (p == npos) break;
    if (p + 4 < d.size() && d[p + 4] != u' ' && d[p + 4] != u'>') {
      pos = p + 1;
      continue;
    }
    const std::size_t q = d.find(u'>', p + 4);
    if (q == npos) {
      pos = p + 1;
      continue;
    }
    if (d[q - 1] == u'/') {
      pos = q + 1;
      continue;
    }
    const std::size_t e = d.find(u"</w:p>", q + 1);
    if (e == npos) {
      pos = p + 1;
      continue;
    }
    out += docx_reference_runs(std::u16string_view(d).substr(q + 1, e - q - 1));
    out += u"\r\n";
    pos = e;
  }
  return out;
}

}  // namespace corvane::testing
