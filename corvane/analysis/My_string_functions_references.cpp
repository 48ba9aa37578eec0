// Readable character references ("{CHR(65)}", "#65", "#x41;"), white-space trimming and
// title case.
#include <unicode/uchar.h>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/platform/CaseMapping.hpp"
#include "corvane/rtl/Numbers.hpp"

namespace corvane {

namespace {
constexpr std::u16string_view kBracedOpen = u"{CHR(";
constexpr std::u16string_view kBracedClose = u")}";
constexpr std::u16string_view kHexSignal = u"Xx$Hh";
constexpr std::u16string_view kHexCharacters = u"0123456789ABCDEFabcdef";

char16_t ascii_upper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? c - 32 : c;
}

// Finds "{CHR(" at or after `from` (0-based), its letters in any case. The comparison is
// letter by letter so that positions never shift the way a whole-string upper-casing could.
std::size_t find_braced_open(std::u16string_view s, std::size_t from) {
  for (std::size_t i = from; i + kBracedOpen.size() <= s.size(); ++i) {
    std::size_t k = 0;
    while (k < kBracedOpen.size() && ascii_upper(s[i + k]) == kBracedOpen[k]) ++k;
    if (k == kBracedOpen.size()) return i;
  }
  return std::u16string_view::npos;
}

// The integer parser of the runtime decides what a reference's number may be; values above
// 65535 keep their low 16 bits.
bool reference_char(std::u16string_view number_text, char16_t& c) {
  int value = 0;
  if (!TryStrToInt(number_text, value)) return false;
  c = static_cast<char16_t>(static_cast<unsigned>(value) & 0xFFFF);
  return true;
}

void braced_pass(std::u16string& r) {
  std::size_t p = 0;
  for (;;) {
    MyYieldProcess();
    p = find_braced_open(r, p);
    if (p == std::u16string::npos) return;
    const std::size_t q = r.find(kBracedClose, p);
    const std::size_t digits = p + kBracedOpen.size();
    if (q == std::u16string::npos || digits >= q) return;
    char16_t c;
    if (reference_char(
            BracedNumberStrToDigitalformat(std::u16string_view(r).substr(digits, q - digits)), c))
      r.replace(p, q + kBracedClose.size() - p, 1, c);
    ++p;
  }
}

void hash_pass(std::u16string& r) {
  for (;;) {
    MyYieldProcess();
    const std::size_t p = r.find(u'#');
    if (p == std::u16string::npos) return;
    std::size_t e = p + 1;
    while (e < r.size() && kHexSignal.find(r[e]) != std::u16string_view::npos) ++e;
    std::u16string number;
    std::size_t end;  // one past the reference
    if (e == p + 1) {
      end = e;
      while (end < r.size() && r[end] >= u'0' && r[end] <= u'9') ++end;
      number = r.substr(e, end - e);
    } else {
      end = e;
      while (end < r.size() && kHexCharacters.find(r[end]) != std::u16string_view::npos) ++end;
      number = u"$" + r.substr(e, end - e);
      if (end < r.size() && r[end] == u';') ++end;
    }
    char16_t c;
    if (!reference_char(number, c)) return;
    r.replace(p, end - p, 1, c);
  }
}
}  // namespace

std::u16string BracedNumberStrToDigitalformat(std::u16string_view s) {
  std::u16string r = simple_upper(s);
  if (r.empty()) return r;
  if (r.front() == u'X') r.front() = u'$';
  if (r.back() == u'H') {
    r.pop_back();
    r.insert(r.begin(), u'$');
  }
  return r;
}

std::u16string CVFormattedReadableStringToWorkString(std::u16string_view s) {
  std::u16string r(s);
  braced_pass(r);
  hash_pass(r);
  return r;
}

std::u16string CVFormattedWorkStringToReadableString(std::u16string_view s, std::int32_t below) {
  std::u16string r;
  r.reserve(s.size());
  for (char16_t c : s) {
    if (static_cast<std::int32_t>(c) < below) {
      r += kBracedOpen;
      r += IntToStr(static_cast<int>(c));
      r += kBracedClose;
    } else {
      r += c;
    }
  }
  return r;
}

bool is_unicode_white_space(char16_t c) {
  return u_isUWhiteSpace(c);
}

std::u16string WideTrimSpaceOnly(std::u16string_view s) {
  std::size_t first = 0, last = s.size();
  while (first < last && is_unicode_white_space(s[first])) ++first;
  while (last > first && is_unicode_white_space(s[last - 1])) --last;
  return std::u16string(s.substr(first, last - first));
}

std::u16string TitleCasedString(std::u16string_view s, bool only_first) {
  std::u16string r = simple_lower(s);
  std::size_t p = 0;
  for (;;) {
    while (p < r.size() && !u_isalpha(r[p])) ++p;
    if (p >= r.size()) break;
    if (p == 0 || s[p - 1] < 33) r[p] = simple_upper(r[p]);
    if (only_first) break;
    ++p;
    while (p < r.size() && r[p] >= 33) ++p;
    if (p >= r.size()) break;
  }
  return r;
}

}  // namespace corvane
