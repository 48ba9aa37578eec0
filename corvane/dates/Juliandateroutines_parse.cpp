// Dates users type: fixed-position formats ("dd/mm/yy") both ways, and the free form of
// a year or year/month/day.

#include <cstdint>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Numbers.hpp"

namespace corvane {

namespace {

bool is_blank(char16_t c) {
  return c <= u' ';
}

// A decimal integer in 32 bits: blanks may lead, a sign may start it, then digits and
// nothing else. Unlike the runtime's integer reader, "$" and "0x" (hexadecimal) are refused:
// nobody types a year in hexadecimal.
bool read_decimal(std::u16string_view s, std::int32_t& value) {
  std::size_t i = 0;
  while (i < s.size() && is_blank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  if (i == s.size()) return false;
  std::int64_t v = 0;
  for (; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

bool is_field_letter(char16_t c) {
  return c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u'n';
}

std::size_t run_length(std::u16string_view s, std::size_t at) {
  std::size_t n = 1;
  while (at + n < s.size() && s[at + n] == s[at]) ++n;
  return n;
}

std::int32_t clamp(std::int64_t v, std::int64_t lo, std::int64_t hi) {
  return static_cast<std::int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

// Trimmed of blanks (codes up to the space) at both ends.
std::u16string_view trimmed(std::u16string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::u16string StringFromTYrMmDyHrMn(const TYrMmDyHrMn& rec, std::u16string_view format) {
  std::u16string out;
  std::size_t i = 0;
  while (i < format.size()) {
    const char16_t c = format[i];
    if (!is_field_letter(c)) {
      out.push_back(c);
      ++i;
      continue;
    }
    const std::size_t run = run_length(format, i);
    i += run;
    if (c == u'y') {
      if (run == 2) out += Format(u"%.2d", {rec.year});
      if (run == 4) out += Format(u"%.4d", {rec.year});
      continue;
    }
    const std::int32_t v = c == u'm'   ? rec.month
                           : c == u'd' ? rec.day
                           : c == u'h' ? rec.hour
                                       : rec.minute;
    if (run == 1) out += Format(u"%d", {v});
    if (run == 2) out += Format(u"%.2d", {v});
  }
  return out;
}

TYrMmDyHrMn DatefromUsersString(std::u16string_view text, std::u16string_view format) {
  TYrMmDyHrMn r;
  if (text.size() != format.size()) return r;
  std::size_t i = 0;
  while (i < format.size()) {
    const char16_t c = format[i];
    if (!is_field_letter(c)) {
      ++i;
      continue;
    }
    const std::size_t run = run_length(format, i);
    std::int32_t number = 0;
    const bool read = read_decimal(text.substr(i, run), number);
    i += run;
    std::int64_t v = -1;
    if (c == u'y') {
      if (read && run == 2) v = 2000 + static_cast<std::int64_t>(number);
      if (read && run == 4) v = number;
      r.year = clamp(v, 0, INT32_MAX);
      continue;
    }
    if (read && run <= 2) v = number;
    switch (c) {
      case u'm':
        r.month = clamp(v, 1, 12);
        break;
      case u'd':
        r.day = clamp(v, 1, 31);
        break;
      case u'h':
        r.hour = clamp(v, 0, 23);
        break;
      default:
        r.minute = clamp(v, 0, 59);
        break;
    }
  }
  return r;
}

double UserStrDateAndTimeParsed(std::u16string_view text) {
  const std::u16string_view s = trimmed(text);
  if (s.size() < 4 || s.find(u'<') != std::u16string_view::npos) return ClearedJulianDate;
  const std::u16string unknown = LoadResString(msg::CVUnknown_date_str);
  if (!unknown.empty() && s.find(unknown) != std::u16string_view::npos) return ClearedJulianDate;

  TYearMonthDay rec;
  if (read_decimal(s, rec.year)) {
    rec.month = 7;
    rec.day = 1;
    return YearMonthDayToJulianAddingConst(rec);
  }
  const std::size_t first = s.find(u'/');
  if (first == std::u16string_view::npos) return ClearedJulianDate;
  const std::size_t second = s.find(u'/', first + 1);
  if (second == std::u16string_view::npos) return ClearedJulianDate;
  if (!read_decimal(s.substr(0, first), rec.year) ||
      !read_decimal(s.substr(first + 1, second - first - 1), rec.month) ||
      !read_decimal(s.substr(second + 1), rec.day)) {
    return ClearedJulianDate;
  }
  return YearMonthDayToJulianAddingConst(rec);
}

}  // namespace corvane
