// FormatFloat: number pictures made of "0", "#", ".", ",", "E+" and literal text.

#include <algorithm>
#include <vector>

#include "corvane/rtl/Numbers.hpp"

namespace corvane {

namespace {

// The sections of a picture, split at ";" outside quotes.
std::vector<std::u16string_view> split_sections(std::u16string_view format) {
  std::vector<std::u16string_view> sections;
  std::size_t start = 0;
  char16_t quote = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (c == u';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

struct Picture {
  int int_places = 0;      // "0" and "#" before the decimal point
  int int_min = 0;         // from the first "0" before the point up to it
  int frac_places = 0;     // "0" and "#" after the point
  int frac_min = 0;        // up to the last "0" after the point
  bool thousands = false;  // a "," before the point
  bool scientific = false;
};

bool is_exponent_at(std::u16string_view s, std::size_t i) {
  return (s[i] == u'E' || s[i] == u'e') && i + 1 < s.size() &&
         (s[i + 1] == u'+' || s[i + 1] == u'-');
}

Picture read_picture(std::u16string_view s) {
  Picture p;
  bool after_point = false;
  int first_zero = -1;
  char16_t quote = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (is_exponent_at(s, i)) {
      p.scientific = true;
      break;
    } else if (c == u'.') {
      after_point = true;
    } else if (c == u',') {
      if (!after_point) p.thousands = true;
    } else if (c == u'0' || c == u'#') {
      if (after_point) {
        ++p.frac_places;
        if (c == u'0') p.frac_min = p.frac_places;
      } else {
        if (c == u'0' && first_zero < 0) first_zero = p.int_places;
        ++p.int_places;
      }
    }
  }
  if (first_zero >= 0) p.int_min = p.int_places - first_zero;
  return p;
}

std::u16string digits_at(const detail::DecimalFloat& d, int from, int to) {
  std::u16string r;
  for (int p = from; p < to; ++p) {
    r.push_back(p >= 0 && p < static_cast<int>(d.digits.size()) ? d.digits[p] : u'0');
  }
  return r;
}

std::u16string apply_picture(std::u16string_view s, double value, bool show_sign,
                             const TFormatSettings& fs) {
  const Picture p = read_picture(s);
  const double magnitude = value < 0 ? -value : value;
  std::u16string int_digits, frac;
  int exponent = 0;
  if (p.scientific) {
    int sig = std::max(p.int_places, 1) + p.frac_places;
    if (sig > 18) sig = 18;
    const detail::DecimalFloat d = detail::float_to_decimal(magnitude, sig);
    const int lead = std::max(p.int_places, 1);
    exponent = d.digits.empty() ? 0 : d.exponent - lead;
    detail::DecimalFloat shifted = d;
    shifted.exponent = lead;
    int_digits = digits_at(shifted, 0, lead);
    while (static_cast<int>(int_digits.size()) > p.int_min && !int_digits.empty() &&
           int_digits[0] == u'0') {
      int_digits.erase(0, 1);
    }
    frac = digits_at(shifted, lead, lead + p.frac_places);
  } else {
    const detail::DecimalFloat d = detail::float_to_decimal(magnitude, 18, p.frac_places);
    if (d.exponent > 18) return FloatToStr(value, fs);
    if (d.exponent > 0) int_digits = digits_at(d, 0, d.exponent);
    frac = digits_at(d, d.exponent, d.exponent + p.frac_places);
    if (d.digits.empty()) show_sign = false;
  }
  if (static_cast<int>(int_digits.size()) < p.int_min) {
    int_digits.insert(0, p.int_min - int_digits.size(), u'0');
  }
  while (static_cast<int>(frac.size()) > p.frac_min && frac.back() == u'0') frac.pop_back();

  std::u16string out;
  if (show_sign) out.push_back(u'-');
  const int L = static_cast<int>(int_digits.size());
  auto put_int_digit = [&](int idx) {
    out.push_back(int_digits[idx]);
    const int left = L - 1 - idx;
    if (p.thousands && left > 0 && left % 3 == 0) out.push_back(fs.ThousandSeparator);
  };
  bool int_done = false;
  auto flush_int = [&]() {  // a picture without integer places still shows the digits
    if (!int_done && p.int_places == 0) {
      for (int i = 0; i < L; ++i) put_int_digit(i);
    }
    int_done = true;
  };
  int k = 0, m = 0;
  bool after_point = false, after_exponent = false;
  char16_t quote = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (quote) {
      if (c == quote) {
        quote = 0;
      } else {
        out.push_back(c);
      }
      continue;
    }
    if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (after_exponent) {
      out.push_back(c);  // the exponent ends the number: the rest is text
    } else if (is_exponent_at(s, i)) {
      after_exponent = true;
      flush_int();
      out.push_back(c);
      const bool always = s[i + 1] == u'+';
      i += 2;
      int min_digits = 0;
      while (i < s.size() && s[i] == u'0') ++min_digits, ++i;
      --i;
      if (exponent < 0) {
        out.push_back(u'-');
      } else if (always) {
        out.push_back(u'+');
      }
      std::u16string e;
      for (int v = exponent < 0 ? -exponent : exponent; v > 0; v /= 10) {
        e.insert(e.begin(), static_cast<char16_t>(u'0' + v % 10));
      }
      min_digits = std::max(min_digits, 1);
      if (static_cast<int>(e.size()) < min_digits) e.insert(0, min_digits - e.size(), u'0');
      out += e;
    } else if (c == u'.') {
      flush_int();
      if (!after_point && !frac.empty()) out.push_back(fs.DecimalSeparator);
      after_point = true;
    } else if (c == u',') {
      // turns on grouping; prints nothing itself
    } else if (c == u'0' || c == u'#') {
      if (after_point) {
        if (m < static_cast<int>(frac.size())) out.push_back(frac[m]);
        ++m;
      } else {
        const int j = L - p.int_places + k;
        if (k == 0) {
          for (int idx = 0; idx <= j && idx < L; ++idx) put_int_digit(idx);
        } else if (j >= 0 && j < L) {
          put_int_digit(j);
        }
        ++k;
        if (k == p.int_places) int_done = true;
      }
    } else {
      out.push_back(c);
    }
  }
  flush_int();
  return out;
}

}  // namespace

std::u16string FormatFloat(std::u16string_view format, double value,
                           const TFormatSettings& settings) {
  if (format.empty()) return FloatToStr(value, settings);
  if (value != value || value - value != 0) return FloatToStr(value, settings);  // NaN, INF
  const auto sections = split_sections(format);
  if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
    return apply_picture(sections[1], value, false, settings);
  }
  if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
    return apply_picture(sections[2], value, false, settings);
  }
  return apply_picture(sections[0], value, value < 0, settings);
}

std::u16string FormatFloat(std::u16string_view format, double value) {
  return FormatFloat(format, value, FormatSettings());
}

}  // namespace corvane
