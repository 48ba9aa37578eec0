// Clean-up routines: each allocates its result once at the input's length, writes the kept
// characters by position and cuts the result to the written length. Loops over text that may
// be whole files yield once per character.
#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {
// Copies the characters of `s` for which keep(c) holds.
template <typename Keep>
std::u16string kept(std::u16string_view s, Keep keep) {
  std::u16string out(s.size(), u'\0');
  std::size_t n = 0;
  for (char16_t c : s)
    if (keep(c)) out[n++] = c;
  out.resize(n);
  return out;
}

constexpr bool is_line_end(char16_t c) {
  return c == u'\r' || c == u'\n';
}
}  // namespace

std::u16string StrippedOfChar(std::u16string_view s, char16_t c) {
  return kept(s, [c](char16_t x) { return x != c; });
}

std::u16string StrippedOfChars(std::u16string_view s, std::u16string_view chars) {
  return kept(s, [chars](char16_t x) { return chars.find(x) == std::u16string_view::npos; });
}

std::u16string StrippedOfCommas(std::u16string_view s) {
  return StrippedOfChar(s, u',');
}

std::u16string StrippedDoubleSpaces(std::u16string_view s) {
  std::u16string out(s.size(), u'\0');
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    MyYieldProcess();
    if (s[i] == u' ' && i > 0 && s[i - 1] == u' ') continue;
    out[n++] = s[i];
  }
  out.resize(n);
  return out;
}

std::u16string StrippedOfSingleAmpersands(std::u16string_view s) {
  std::u16string out(s.size(), u'\0');
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != u'&') {
      out[n++] = s[i];
    } else if (i + 1 < s.size() && s[i + 1] == u'&') {
      out[n++] = u'&';
      ++i;
    }
  }
  out.resize(n);
  return out;
}

std::u16string StrippedMultipleLineEnds(std::u16string_view s) {
  return StrippedMultipleLineEnds(s, 1);
}

std::u16string StrippedMultipleLineEnds(std::u16string_view s, int pairs) {
  if (pairs < 1) pairs = 1;
  const std::size_t keep_after_cr = 2 * static_cast<std::size_t>(pairs) - 1;
  std::u16string out(s.size(), u'\0');
  std::size_t n = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    MyYieldProcess();
    if (s[i] != u'\r') {
      out[n++] = s[i++];
      continue;
    }
    // A run of line ends starting with this carriage return: keep the CR and at most the
    // run's last 2n - 1 characters.
    std::size_t end = i + 1;
    while (end < s.size() && is_line_end(s[end])) ++end;
    out[n++] = u'\r';
    std::size_t from = i + 1;
    if (end - from > keep_after_cr) from = end - keep_after_cr;
    while (from < end) out[n++] = s[from++];
    i = end;
  }
  out.resize(n);
  return out;
}

std::u16string DoubleQuotesAdded(std::u16string_view s) {
  return u"\"" + Trim(s) + u"\"";
}

std::u16string DoubleQuotesRemoved(std::u16string_view s) {
  return StrippedOfChar(Trim(s), u'"');
}

}  // namespace corvane
