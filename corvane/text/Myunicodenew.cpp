#include "corvane/text/Myunicodenew.hpp"

#include <algorithm>
#include <cstring>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/frame/Package_log.hpp"

namespace corvane {

TGetTextExtentExPointWFunc MyGetTextExtentExPointW = nullptr;

bool DefaultGetTextExtentExPointW(Canvas* DC, const char16_t* lpszStr, int cchString,
                                  int nMaxExtent, int& lpnFit, std::vector<int>& alpDX,
                                  TSize& lpSize) {
  if (!DC || cchString < 0 || (cchString > 0 && !lpszStr)) return false;
  std::u16string_view text(lpszStr ? lpszStr : u"", static_cast<std::size_t>(cchString));
  return DC->text_extent_ex(text, nMaxExtent, lpnFit, alpDX, lpSize);
}

namespace {

template <typename Char>
Char* new_copy(const Char* p, std::size_t n) {
  Char* out = new Char[n + 1];
  std::size_t i = 0;
  if (p)
    for (; i < n && p[i]; ++i) out[i] = p[i];
  std::fill(out + i, out + n + 1, Char{0});
  return out;
}

}  // namespace

char* MyNewPAnsichar(const char* s) {
  if (!s || !*s) return nullptr;
  return new_copy(s, std::strlen(s));
}

char16_t* MyNewPChar(const char16_t* s) {
  if (!s || !*s) return nullptr;
  return new_copy(s, std::char_traits<char16_t>::length(s));
}

char* CheckedNewLenPAnsichar(const char* p, int n) {
  if (!p || n <= 0) return nullptr;
  return new_copy(p, static_cast<std::size_t>(n));
}

char16_t* CheckedNewLenPchar(const char16_t* p, int n) {
  if (!p || n <= 0) return nullptr;
  return new_copy(p, static_cast<std::size_t>(n));
}

void DeletePAnsichar(char* p) noexcept {
  delete[] p;
}

void DeletePWideChar(char16_t* p) noexcept {
  delete[] p;
}

void FillWChar(char16_t* p, int size, char16_t c) noexcept {
  if (!p || size < 2) return;
  std::fill_n(p, size / 2, c);
}

int StrScanIndex(std::u16string_view s, char16_t c, int start) noexcept {
  if (start < 1) start = 1;
  if (static_cast<std::size_t>(start) > s.size()) return 0;
  const std::size_t at = s.find(c, static_cast<std::size_t>(start - 1));
  return at == std::u16string_view::npos ? 0 : static_cast<int>(at + 1);
}

std::u16string ExpandTabbedWideString(std::u16string_view s, int n) {
  const std::size_t spaces = n > 0 ? static_cast<std::size_t>(n) : 0;
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c == u'\t')
      out.append(spaces, u' ');
    else
      out.push_back(c);
  }
  return out;
}

TSize GetTextExtentW(Canvas* DC, const char16_t* text, int count) {
  if (!DC || !text || count <= 0) return TSize{};
  return DC->text_extent(std::u16string_view(text, static_cast<std::size_t>(count)));
}

namespace {

// A decimal integer with an optional sign, within 32 bits.
bool parse_int(std::u16string_view t, long long& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
  if (i == t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < u'0' || t[i] > u'9') return false;
    v = v * 10 + (t[i] - u'0');
    if (v > 2147483648LL) return false;
  }
  v = negative ? -v : v;
  if (v > 2147483647LL) return false;
  value = v;
  return true;
}

bool is_code_point(long long v) {
  return v >= 0 && v <= 0x10FFFF;
}

std::u16string character_of(long long v) {
  if (v <= 0xFFFF) return std::u16string(1, static_cast<char16_t>(v));
  const long long u = v - 0x10000;
  return {static_cast<char16_t>(0xD800 + (u >> 10)), static_cast<char16_t>(0xDC00 + (u & 0x3FF))};
}

// The first "{CHR(" at or after from, in any case.
std::size_t find_chr_open(std::u16string_view s, std::size_t from) {
  static constexpr std::u16string_view kOpen = u"{CHR(";
  for (std::size_t i = from; i + kOpen.size() <= s.size(); ++i) {
    bool match = true;
    for (std::size_t k = 0; k < kOpen.size() && match; ++k) {
      char16_t c = s[i + k];
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
      match = c == kOpen[k];
    }
    if (match) return i;
  }
  return std::u16string_view::npos;
}

}  // namespace

int MyFormatValidNumberStr(std::u16string& s) {
  int result = -1;
  constexpr std::size_t npos = std::u16string::npos;
  // "{CHR(n)}"
  std::size_t from = 0;
  while (true) {
    const std::size_t open = find_chr_open(s, from);
    const std::size_t close = s.find(u")}", from);
    if (open == npos || close == npos) break;
    MyYieldProcess();
    if (close < open) {
      from = close + 2;
      continue;
    }
    long long v = 0;
    if (parse_int(std::u16string_view(s).substr(open + 5, close - open - 5), v) &&
        is_code_point(v)) {
      const std::u16string ch = character_of(v);
      s.replace(open, close + 2 - open, ch);
      result = static_cast<int>(v);
      from = open + ch.size();
    } else {
      from = close + 2;
    }
  }
  // "#n"
  std::size_t i = 0;
  while ((i = s.find(u'#', i)) != npos) {
    MyYieldProcess();
    std::size_t end = i + 1;
    while (end < s.size() && s[end] >= u'0' && s[end] <= u'9') ++end;
    long long v = 0;
    if (end > i + 1 && parse_int(std::u16string_view(s).substr(i + 1, end - i - 1), v) &&
        is_code_point(v)) {
      const std::u16string ch = character_of(v);
      s.replace(i, end - i, ch);
      result = static_cast<int>(v);
      i += ch.size();
    } else {
      ++i;
    }
  }
  return result;
}

void Myunicodenew_initialization() {
  MyGetTextExtentExPointW = DefaultGetTextExtentExPointW;
}

void Myunicodenew_finalization() {
  MyGetTextExtentExPointW = nullptr;
  write_package_log_line(u"quit myUnicodeNew, ");
}

}  // namespace corvane
