// Numbers in text: recognising them, formatting counts and p-values for display, and the
// compact number lists users type ("1-3,5,7,8").

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

bool is_ascii_digit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Every character a digit (ASCII or any Unicode decimal digit), "%", "," or ".".
bool only_number_characters(std::u16string_view s) {
  for (const char16_t c : s) {
    if (is_ascii_digit(c) || c == u'%' || c == u',' || c == u'.') continue;
    if (c < 0x80 || !IsADigitChar(c)) return false;
  }
  return true;
}

// Whether the runtime's integer reader could accept the text at all: after leading spaces
// it must start with a sign, a digit or a hexadecimal mark. Most words fail here at once.
bool may_start_an_integer(std::u16string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  if (i == s.size()) return false;
  const char16_t c = s[i];
  return is_ascii_digit(c) || c == u'-' || c == u'+' || c == u'$' || c == u'x' || c == u'X';
}

// The digits of the number that starts at `from` (ignored characters skipped, up to the
// next "," or "-"), for the message about a number too large.
[[noreturn]] void throw_too_large(std::u16string_view s, std::size_t from) {
  std::u16string digits;
  for (std::size_t i = from; i < s.size() && s[i] != u',' && s[i] != u'-'; ++i) {
    if (is_ascii_digit(s[i])) digits.push_back(s[i]);
  }
  throw Exception(u"number list: " + digits +
                  u" is larger than the largest number a list may hold, 2147483647");
}

// Walks a compact list and hands each single number or range to `take(first, last)` (a
// single number n as (n, n); a range whose end is below its start is not handed on).
// Characters other than digits, "," and "-" are skipped as if absent, so "1 2" is 12.
// `take` returns false to stop the walk.
template <typename Take>
void walk_compact_list(std::u16string_view s, Take&& take) {
  std::int64_t number = 0;  // the number being read: a single one or a range's end
  bool have_number = false;
  std::size_t number_from = 0;  // where it started, for the message
  bool in_range = false;
  std::int64_t range_start = 0;
  // Hands on what has been read; false when the walk is to stop.
  const auto flush = [&]() -> bool {
    bool go_on = true;
    if (in_range) {
      const std::int64_t last = have_number ? number : 0;
      if (last >= range_start) go_on = take(range_start, last);
    } else if (have_number) {
      go_on = take(number, number);
    }
    number = 0;
    have_number = false;
    in_range = false;
    return go_on;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (is_ascii_digit(c)) {
      if (!have_number) number_from = i;
      number = number * 10 + (c - u'0');
      have_number = true;
      if (number > INT32_MAX) throw_too_large(s, number_from);
    } else if (c == u',') {
      if (!flush()) return;
    } else if (c == u'-') {
      // A range starts at the number read so far, 0 when there is none.
      const std::int64_t start = in_range || !have_number ? 0 : number;
      if (in_range && !flush()) return;
      number = 0;
      have_number = false;
      in_range = true;
      range_start = start;
    }
  }
  flush();
}

[[noreturn]] void throw_too_many() {
  throw Exception(u"number list: more than 16777216 numbers when its ranges are written out");
}

// The numbers of a compact list, ranges written out, within the limit.
std::vector<std::int32_t> expanded_numbers(std::u16string_view s) {
  std::vector<std::int32_t> numbers;
  walk_compact_list(s, [&](std::int64_t first, std::int64_t last) {
    const auto count = static_cast<std::uint64_t>(last - first + 1);
    if (count > HumanNumberListLimit - numbers.size()) throw_too_many();
    // One allocation for a long range (growth stays geometric; the limit bounds it).
    if (numbers.capacity() - numbers.size() < count) {
      numbers.reserve(std::min<std::size_t>(
          HumanNumberListLimit,
          std::max<std::size_t>(numbers.size() + count, 2 * numbers.capacity())));
    }
    for (std::int64_t n = first; n <= last; ++n) numbers.push_back(static_cast<std::int32_t>(n));
    return true;
  });
  return numbers;
}

std::u16string compact_form(const std::vector<std::int32_t>& numbers) {
  std::u16string r;
  std::int64_t previous = 0, run_start = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::int64_t n = numbers[i];
    const bool run_open = !r.empty() && r.back() == u'-';
    if (i == 0 || n != previous + 1) {
      if (!run_open) {
        if (!r.empty() && is_ascii_digit(r.back())) r.push_back(u',');
        r += IntToStr(n);
      } else {
        // Close the run; a run of only two numbers is written with a comma.
        if (previous == run_start + 1) r.back() = u',';
        r += IntToStr(previous);
        r.push_back(u',');
        r += IntToStr(n);
      }
    } else {
      if (!run_open) {
        run_start = previous;
        r.push_back(u'-');
      }
      if (i + 1 == numbers.size()) {
        if (n == run_start + 1) r.back() = u',';
        r += IntToStr(n);
      }
    }
    previous = n;
  }
  return r;
}

}  // namespace

bool IsANumber(std::u16string_view s) {
  // Most tokens of a text are words: an ASCII letter other than the hexadecimal marks x and
  // X, or any other ASCII character that can neither start an integer nor be part of a
  // number, settles it at the first character.
  if (!s.empty() && s[0] < 0x80) {
    const char16_t c = s[0];
    if (!is_ascii_digit(c) && c != u'%' && c != u',' && c != u'.' && c != u' ' && c != u'-' &&
        c != u'+' && c != u'$' && c != u'x' && c != u'X') {
      return false;
    }
  }
  if (only_number_characters(s)) return true;
  int ignored;
  return may_start_an_integer(s) && TryStrToInt(s, ignored);
}

std::u16string EasiestNRepresentationOfLargeNumber(float x) {
  static constexpr const char16_t* patterns[] = {u"%0.n", u"%.1nK", u"%.1nM", u"%.1nG",
                                                 u"%.1nYikes"};
  int k = 0;
  while (x >= 1000 && std::isfinite(x)) {
    x /= 1000;
    ++k;
  }
  return Format(patterns[k < 4 ? k : 4], {x}, UserDefaultFormatSettings);
}

std::u16string FormattedWithDecimals(float x, int decimals, bool thousands, bool percent) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  std::u16string picture = thousands ? u"###0,." : u"###0.";
  picture.append(static_cast<std::size_t>(decimals), u'0');
  std::u16string r = FormatFloat(picture, x, UserDefaultFormatSettings);
  if (percent) r.push_back(u'%');
  return r;
}

std::u16string PValueStr(long double p) {
  // p "equals" a round value v when v lies in [p - p/10000, p + p/10000).
  const auto near = [p](long double v) { return v >= p - p / 10000 && v < p + p / 10000; };
  long double shown = p;
  if (near(0.05L)) {
    shown = 0.05L;
  } else {
    long double v = 1;
    for (int e = 1; e <= 10; ++e) {
      v /= 10;
      if (near(v)) {
        shown = v;
        break;
      }
    }
  }
  std::u16string r =
      FloatToStrF(static_cast<double>(shown), ffFixed, 17, 16, UserDefaultFormatSettings);
  // Trailing zeros go only from a fixed-point fraction, never from an exponent or NAN/INF.
  if (r.find(UserDefaultFormatSettings.DecimalSeparator) != std::u16string::npos &&
      r.find(u'E') == std::u16string::npos) {
    while (!r.empty() && r.back() == u'0') r.pop_back();
  }
  return r;
}

std::u16string OrdinalFormatOf(std::int32_t n) {
  switch (n % 10) {
    case 1:
      return u"%dst";
    case 2:
      return u"%dnd";
    case 3:
      return u"%drd";
    default:
      return u"%dth";
  }
}

std::u16string HumanAbbreviatedNumberListString(const TStringList& list) {
  std::vector<std::int32_t> numbers;
  numbers.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) {
    int n;
    if (TryStrToInt(list.Get(i), n)) numbers.push_back(n);
  }
  return compact_form(numbers);
}

std::u16string HumanAbbreviatedNumberListString(const std::vector<std::int32_t>& list) {
  return compact_form(list);
}

std::u16string HumanAbbreviatedNumberListStringExpanded(std::u16string_view s) {
  std::u16string r;
  for (const std::int32_t n : expanded_numbers(s)) {
    if (!r.empty()) r.push_back(u',');
    r += IntToStr(n);
  }
  return r;
}

std::vector<std::int32_t> HumanAbbreviatedNumberListStringAsIntegers(std::u16string_view s,
                                                                     std::int32_t offset) {
  std::vector<std::int32_t> numbers = expanded_numbers(s);
  for (std::int32_t& n : numbers) {
    const std::int64_t v = static_cast<std::int64_t>(n) - offset;
    if (v < INT32_MIN || v > INT32_MAX) {
      throw Exception(u"number list: " + IntToStr(n) + u" less " + IntToStr(offset) +
                      u" is beyond the range of whole numbers");
    }
    n = static_cast<std::int32_t>(v);
  }
  return numbers;
}

std::u16string ANumberInHumanString(std::u16string_view s, std::int32_t k) {
  if (k < 1) return u"";
  std::int64_t remaining = k, found = 0;
  bool any = false;
  walk_compact_list(s, [&](std::int64_t first, std::int64_t last) {
    any = true;
    const std::int64_t count = last - first + 1;
    if (remaining <= count) {
      found = first + remaining - 1;
      remaining = 0;
      return false;
    }
    remaining -= count;
    found = last;
    return true;
  });
  return any ? IntToStr(found) : u"";
}

std::u16string HumanAbbreviatedNumberListStringToMonths(std::u16string_view s) {
  std::u16string r(s);
  for (int m = 1; m <= 12; ++m) {
    const char16_t key[2] = {static_cast<char16_t>(u'0' + m / 10),
                             static_cast<char16_t>(u'0' + m % 10)};
    const std::size_t at = r.find(std::u16string_view(key, 2));
    if (at != std::u16string::npos) {
      r.replace(at, 2, UserDefaultFormatSettings.ShortMonthNames[m - 1]);
    }
  }
  return r;
}

std::u16string WithLeftZeros(std::int32_t width, std::int32_t n) {
  constexpr std::int32_t kWidest = 1000;
  if (width > kWidest) width = kWidest;
  std::u16string r = IntToStr(n);
  if (static_cast<std::int32_t>(r.size()) < width) {
    r.insert(0, static_cast<std::size_t>(width) - r.size(), u'0');
  }
  return r;
}

std::u16string ToHexNumStr(std::u16string_view s) {
  std::u16string r;
  r.reserve(s.size() * 3);
  for (const char16_t c : s) {
    r += IntToHex(static_cast<int>(c), 2);
    r.push_back(u',');
  }
  return r;
}

std::u16string FromHexNumStr(std::u16string_view s) {
  const auto hex_value = [](char16_t c) -> int {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
  };
  std::u16string r;
  for (std::size_t i = 0; i + 3 <= s.size(); i += 3) {
    const int high = hex_value(s[i]), low = hex_value(s[i + 1]);
    if (high >= 0 && low >= 0) r.push_back(static_cast<char16_t>(high * 16 + low));
  }
  return r;
}

std::u16string FromNumStr(std::u16string_view s) {
  std::u16string r;
  std::size_t start = 0;
  for (std::size_t comma = s.find(u','); comma != std::u16string_view::npos;
       start = comma + 1, comma = s.find(u',', start)) {
    int code;
    if (TryStrToInt(s.substr(start, comma - start), code) && code >= 0 && code <= 0xFFFF) {
      r.push_back(static_cast<char16_t>(code));
    }
  }
  return r;
}

}  // namespace corvane
