#include "corvane/rtl/Strings.hpp"

#include <unicode/uchar.h>

#include <algorithm>

namespace corvane {

namespace {
constexpr char16_t ascii_upper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}
constexpr char16_t ascii_lower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}
char16_t fold_unit(char16_t c) {
  // Surrogates are left alone: simple mapping of a lone unit keeps lengths unchanged.
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  return static_cast<char16_t>(u_toupper(c));
}
}  // namespace

std::size_t Pos(std::u16string_view sub, std::u16string_view s, std::size_t offset) {
  if (sub.empty() || offset < 1 || offset > s.size()) return 0;
  const std::size_t at = s.find(sub, offset - 1);
  return at == std::u16string_view::npos ? 0 : at + 1;
}

std::u16string Copy(std::u16string_view s, std::int64_t index, std::int64_t count) {
  if (index < 1) index = 1;
  const auto len = static_cast<std::int64_t>(s.size());
  if (count <= 0 || index > len) return {};
  count = std::min(count, len - index + 1);
  return std::u16string(
      s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count)));
}

void Insert(std::u16string_view sub, std::u16string& s, std::int64_t index) {
  const auto len = static_cast<std::int64_t>(s.size());
  if (index < 1) index = 1;
  if (index > len + 1) index = len + 1;
  s.insert(static_cast<std::size_t>(index - 1), sub);
}

void Delete(std::u16string& s, std::int64_t index, std::int64_t count) {
  const auto len = static_cast<std::int64_t>(s.size());
  if (index < 1 || index > len || count <= 0) return;
  count = std::min(count, len - index + 1);
  s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

std::u16string TrimLeft(std::u16string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  return std::u16string(s.substr(i));
}

std::u16string TrimRight(std::u16string_view s) {
  std::size_t n = s.size();
  while (n > 0 && s[n - 1] <= u' ') --n;
  return std::u16string(s.substr(0, n));
}

std::u16string Trim(std::u16string_view s) {
  std::size_t i = 0, n = s.size();
  while (i < n && s[i] <= u' ') ++i;
  while (n > i && s[n - 1] <= u' ') --n;
  return std::u16string(s.substr(i, n - i));
}

std::u16string UpperCase(std::u16string_view s) {
  std::u16string r(s);
  for (auto& c : r) c = ascii_upper(c);
  return r;
}

std::u16string LowerCase(std::u16string_view s) {
  std::u16string r(s);
  for (auto& c : r) c = ascii_lower(c);
  return r;
}

int CompareStr(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int CompareText(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = ascii_upper(a[i]), y = ascii_upper(b[i]);
    if (x != y) return static_cast<int>(x) - static_cast<int>(y);
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

bool SameStr(std::u16string_view a, std::u16string_view b) {
  return a == b;
}

std::u16string StringOfChar(char16_t ch, std::int64_t count) {
  if (count <= 0) return {};
  return std::u16string(static_cast<std::size_t>(count), ch);
}

std::u16string StringReplace(std::u16string_view s, std::u16string_view old_pattern,
                             std::u16string_view new_pattern, TReplaceFlags flags) {
  if (old_pattern.empty()) return std::u16string(s);
  std::u16string hay, needle;
  std::u16string_view search_in = s, search_for = old_pattern;
  if (flags & rfIgnoreCase) {
    hay.assign(s);
    needle.assign(old_pattern);
    for (auto& c : hay) c = fold_unit(c);
    for (auto& c : needle) c = fold_unit(c);
    search_in = hay;
    search_for = needle;
  }
  std::u16string result;
  result.reserve(s.size());
  std::size_t from = 0;
  while (true) {
    const std::size_t at = search_in.find(search_for, from);
    if (at == std::u16string_view::npos) break;
    result.append(s.substr(from, at - from));
    result.append(new_pattern);
    from = at + old_pattern.size();
    if (!(flags & rfReplaceAll)) break;
  }
  result.append(s.substr(from));
  return result;
}

std::u16string AnsiQuotedStr(std::u16string_view s, char16_t quote) {
  std::u16string r;
  r.reserve(s.size() + 2);
  r.push_back(quote);
  for (char16_t c : s) {
    r.push_back(c);
    if (c == quote) r.push_back(quote);
  }
  r.push_back(quote);
  return r;
}

std::u16string QuotedStr(std::u16string_view s) {
  return AnsiQuotedStr(s, u'\'');
}

std::u16string AnsiDequotedStr(std::u16string_view s, char16_t quote) {
  if (s.empty()) return {};
  std::u16string extracted;
  std::size_t i = 0;
  if (s[0] == quote) {
    i = 1;
    while (i < s.size()) {
      if (s[i] == quote) {
        if (i + 1 < s.size() && s[i + 1] == quote) {
          extracted.push_back(quote);
          i += 2;
          continue;
        }
        ++i;  // the closing quote
        break;
      }
      extracted.push_back(s[i++]);
    }
  }
  // Not quoted at both ends and nothing (or everything) taken: the text stands as it is.
  if ((extracted.empty() || i >= s.size()) && (s.front() != quote || s.back() != quote)) {
    return std::u16string(s);
  }
  return extracted;
}

std::size_t LastDelimiter(std::u16string_view delimiters, std::u16string_view s) {
  const std::size_t at = s.find_last_of(delimiters);
  return at == std::u16string_view::npos ? 0 : at + 1;
}

bool IsDelimiter(std::u16string_view delimiters, std::u16string_view s, std::int64_t index) {
  if (index < 1 || index > static_cast<std::int64_t>(s.size())) return false;
  return delimiters.find(s[static_cast<std::size_t>(index - 1)]) != std::u16string_view::npos;
}

}  // namespace corvane
