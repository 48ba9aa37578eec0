#include "corvane/rtl/Numbers.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

std::u16string ascii_to_u16(std::string_view s) {
  return std::u16string(s.begin(), s.end());
}

// Val's rules for an integer of `bits` width; hexadecimal may use the unsigned range.
template <typename Signed>
bool parse_integer(std::u16string_view s, Signed& out) {
  using Unsigned = std::make_unsigned_t<Signed>;
  std::size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  bool hex = false;
  if (i < s.size() && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  Unsigned magnitude = 0;
  const Unsigned limit =
      hex ? std::numeric_limits<Unsigned>::max()
          : static_cast<Unsigned>(std::numeric_limits<Signed>::max()) + (negative ? 1u : 0u);
  const unsigned base = hex ? 16 : 10;
  for (; i < s.size(); ++i) {
    const char16_t c = s[i];
    unsigned d;
    if (c >= u'0' && c <= u'9') {
      d = c - u'0';
    } else if (hex && c >= u'a' && c <= u'f') {
      d = c - u'a' + 10;
    } else if (hex && c >= u'A' && c <= u'F') {
      d = c - u'A' + 10;
    } else {
      return false;
    }
    if (magnitude > (limit - d) / base) return false;
    magnitude = magnitude * base + d;
  }
  if (negative) magnitude = static_cast<Unsigned>(0) - magnitude;
  out = static_cast<Signed>(magnitude);
  return true;
}

[[noreturn]] void throw_not_integer(std::u16string_view s) {
  throw EConvertError(u"'" + std::u16string(s) + u"' is not a valid integer value");
}

template <typename Unsigned>
std::u16string to_hex(Unsigned v, int digits) {
  std::u16string r;
  do {
    r.insert(r.begin(), u"0123456789ABCDEF"[v & 15]);
    v >>= 4;
  } while (v != 0);
  if (digits > 32) digits = 32;
  if (static_cast<int>(r.size()) < digits) r.insert(0, digits - r.size(), u'0');
  return r;
}

std::u16string digits_from(const detail::DecimalFloat& d, int from, int to) {
  // Digits of positions [from, to) counted from the decimal point's left edge, as
  // position p holds the digit worth 10^(exponent - 1 - p).
  std::u16string r;
  for (int p = from; p < to; ++p) {
    r.push_back(p >= 0 && p < static_cast<int>(d.digits.size()) ? d.digits[p] : u'0');
  }
  return r;
}

std::u16string exponent_text(int e, int min_digits, bool always_sign) {
  std::u16string r;
  if (e < 0) {
    r.push_back(u'-');
  } else if (always_sign) {
    r.push_back(u'+');
  }
  std::u16string num = ascii_to_u16(std::to_string(e < 0 ? -e : e));
  if (min_digits > 4) min_digits = 4;
  if (static_cast<int>(num.size()) < min_digits) num.insert(0, min_digits - num.size(), u'0');
  return r + num;
}

std::u16string special_text(const detail::DecimalFloat& d) {
  return ascii_to_u16(d.digits);
}

std::u16string general_text(double value, int precision, int exp_digits,
                            const TFormatSettings& fs) {
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  const detail::DecimalFloat d = detail::float_to_decimal(value, precision);
  if (d.special) return special_text(d);
  if (d.digits.empty()) return u"0";
  std::u16string r = d.negative ? u"-" : u"";
  const int n = static_cast<int>(d.digits.size());
  if (d.exponent > precision || d.exponent < -3) {
    r.push_back(d.digits[0]);
    if (n > 1) {
      r.push_back(fs.DecimalSeparator);
      r += digits_from(d, 1, n);
    }
    r.push_back(u'E');
    r += exponent_text(d.exponent - 1, exp_digits, false);
    return r;
  }
  r += d.exponent > 0 ? digits_from(d, 0, d.exponent) : u"0";
  if (n > d.exponent) {
    r.push_back(fs.DecimalSeparator);
    r += digits_from(d, d.exponent, n);
  }
  return r;
}

// The unsigned fixed-point text of an already rounded value: integer part, separator and
// exactly `decimals` digits.
std::u16string fixed_body(const detail::DecimalFloat& d, int decimals, bool thousands,
                          const TFormatSettings& fs) {
  std::u16string int_part = d.exponent > 0 ? digits_from(d, 0, d.exponent) : u"0";
  if (thousands) int_part = detail::group_thousands(int_part, fs.ThousandSeparator);
  if (decimals > 0) {
    int_part.push_back(fs.DecimalSeparator);
    int_part += digits_from(d, d.exponent, d.exponent + decimals);
  }
  return int_part;
}

std::u16string currency_text(std::u16string_view number, bool negative, const TFormatSettings& fs) {
  const std::u16string n(number);
  const std::u16string& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 1:
        return n + c;
      case 2:
        return c + u" " + n;
      case 3:
        return n + u" " + c;
      default:
        return c + n;
    }
  }
  switch (fs.NegCurrFormat) {
    case 1:
      return u"-" + c + n;
    case 2:
      return c + u"-" + n;
    case 3:
      return c + n + u"-";
    case 4:
      return u"(" + n + c + u")";
    case 5:
      return u"-" + n + c;
    case 6:
      return n + u"-" + c;
    case 7:
      return n + c + u"-";
    case 8:
      return u"-" + n + u" " + c;
    case 9:
      return u"-" + c + u" " + n;
    case 10:
      return n + u" " + c + u"-";
    case 11:
      return c + u" " + n + u"-";
    case 12:
      return c + u" -" + n;
    case 13:
      return n + u"- " + c;
    case 14:
      return u"(" + c + u" " + n + u")";
    case 15:
      return u"(" + n + u" " + c + u")";
    default:
      return u"(" + c + n + u")";
  }
}

}  // namespace

namespace detail {

DecimalFloat float_to_decimal(double value, int precision, int decimals) {
  DecimalFloat r;
  if (std::isnan(value)) {
    r.special = true;
    r.digits = "NAN";
    return r;
  }
  if (std::isinf(value)) {
    r.special = true;
    r.negative = value < 0;
    r.digits = value < 0 ? "-INF" : "INF";
    return r;
  }
  if (value == 0) return r;
  if (precision > 18) precision = 18;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17e", std::fabs(value));
  // buf is "d.ddddddddddddddddde±xx": 18 significant digits.
  std::string digits;
  digits.push_back(buf[0]);
  const char* p = buf + 2;
  while (*p >= '0' && *p <= '9') digits.push_back(*p++);
  const int exp10 = std::atoi(p + 1);
  r.negative = value < 0;
  r.exponent = exp10 + 1;
  long long keep = precision;
  if (decimals < 9999)
    keep = std::min<long long>(keep, static_cast<long long>(r.exponent) + decimals);
  if (keep < 0) {
    return DecimalFloat{};
  }
  if (keep < static_cast<long long>(digits.size())) {
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      int i = static_cast<int>(digits.size()) - 1;
      while (i >= 0 && digits[i] == '9') digits[i--] = '0';
      if (i >= 0) {
        ++digits[i];
      } else {
        digits.insert(digits.begin(), '1');
        ++r.exponent;
      }
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return DecimalFloat{};
  r.digits = std::move(digits);
  return r;
}

std::u16string group_thousands(std::u16string_view digits, char16_t separator) {
  if (separator == 0 || digits.size() <= 3) return std::u16string(digits);
  std::u16string r;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    r.push_back(digits[i]);
    const std::size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) r.push_back(separator);
  }
  return r;
}

}  // namespace detail

std::u16string IntToStr(int value) {
  return ascii_to_u16(std::to_string(value));
}
std::u16string IntToStr(std::int64_t value) {
  return ascii_to_u16(std::to_string(value));
}
std::u16string UIntToStr(std::uint64_t value) {
  return ascii_to_u16(std::to_string(value));
}
std::u16string IntToHex(int value, int digits) {
  return to_hex(static_cast<std::uint32_t>(value), digits);
}
std::u16string IntToHex(std::int64_t value, int digits) {
  return to_hex(static_cast<std::uint64_t>(value), digits);
}

bool TryStrToInt(std::u16string_view s, int& value) {
  std::int32_t v;
  if (!parse_integer(s, v)) return false;
  value = v;
  return true;
}
int StrToInt(std::u16string_view s) {
  int v;
  if (!TryStrToInt(s, v)) throw_not_integer(s);
  return v;
}
int StrToIntDef(std::u16string_view s, int default_value) {
  int v;
  return TryStrToInt(s, v) ? v : default_value;
}
bool TryStrToInt64(std::u16string_view s, std::int64_t& value) {
  return parse_integer(s, value);
}
std::int64_t StrToInt64(std::u16string_view s) {
  std::int64_t v;
  if (!TryStrToInt64(s, v)) throw_not_integer(s);
  return v;
}
std::int64_t StrToInt64Def(std::u16string_view s, std::int64_t default_value) {
  std::int64_t v;
  return TryStrToInt64(s, v) ? v : default_value;
}

bool TryStrToFloat(std::u16string_view s, double& value, const TFormatSettings& settings) {
  std::size_t i = 0, n = s.size();
  while (i < n && s[i] <= u' ') ++i;
  while (n > i && s[n - 1] <= u' ') --n;
  std::string ascii;
  std::size_t k = i;
  if (k < n && (s[k] == u'+' || s[k] == u'-')) {
    if (s[k] == u'-') ascii.push_back('-');
    ++k;
  }
  int mantissa_digits = 0;
  bool seen_point = false;
  for (; k < n; ++k) {
    const char16_t c = s[k];
    if (c >= u'0' && c <= u'9') {
      ascii.push_back(static_cast<char>(c));
      ++mantissa_digits;
    } else if (c == settings.DecimalSeparator && !seen_point) {
      seen_point = true;
      ascii.push_back('.');
    } else {
      break;
    }
  }
  if (mantissa_digits == 0) return false;
  if (k < n && (s[k] == u'e' || s[k] == u'E')) {
    ascii.push_back('e');
    ++k;
    if (k < n && (s[k] == u'+' || s[k] == u'-')) ascii.push_back(static_cast<char>(s[k++]));
    int exp_digits = 0;
    for (; k < n && s[k] >= u'0' && s[k] <= u'9'; ++k, ++exp_digits) {
      ascii.push_back(static_cast<char>(s[k]));
    }
    if (exp_digits == 0) return false;
  }
  if (k != n) return false;
  double v = 0;
  const auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size()) return false;
  value = v;
  return true;
}
bool TryStrToFloat(std::u16string_view s, double& value) {
  return TryStrToFloat(s, value, FormatSettings());
}
double StrToFloat(std::u16string_view s, const TFormatSettings& settings) {
  double v;
  if (!TryStrToFloat(s, v, settings)) {
    throw EConvertError(u"'" + std::u16string(s) + u"' is not a valid floating point value");
  }
  return v;
}
double StrToFloat(std::u16string_view s) {
  return StrToFloat(s, FormatSettings());
}
double StrToFloatDef(std::u16string_view s, double default_value, const TFormatSettings& settings) {
  double v;
  return TryStrToFloat(s, v, settings) ? v : default_value;
}
double StrToFloatDef(std::u16string_view s, double default_value) {
  return StrToFloatDef(s, default_value, FormatSettings());
}

std::u16string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                           const TFormatSettings& fs) {
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  switch (format) {
    case ffGeneral:
      return general_text(value, precision, digits, fs);
    case ffExponent: {
      const detail::DecimalFloat d = detail::float_to_decimal(value, precision);
      if (d.special) return special_text(d);
      std::u16string r = d.negative ? u"-" : u"";
      r.push_back(d.digits.empty() ? u'0' : static_cast<char16_t>(d.digits[0]));
      if (precision > 1) {
        r.push_back(fs.DecimalSeparator);
        r += digits_from(d, 1, precision);
      }
      r.push_back(u'E');
      r += exponent_text(d.digits.empty() ? 0 : d.exponent - 1, digits, true);
      return r;
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      if (digits < 0) digits = 0;
      if (digits > 18) digits = 18;
      const detail::DecimalFloat d = detail::float_to_decimal(value, precision, digits);
      if (d.special) return special_text(d);
      if (d.exponent > precision) return general_text(value, precision, 0, fs);
      const std::u16string body = fixed_body(d, digits, format != ffFixed, fs);
      if (format == ffCurrency) return currency_text(body, d.negative, fs);
      return d.negative ? u"-" + body : body;
    }
  }
  return {};
}
std::u16string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings());
}
std::u16string FloatToStr(double value, const TFormatSettings& settings) {
  return general_text(value, 15, 0, settings);
}
std::u16string FloatToStr(double value) {
  return FloatToStr(value, FormatSettings());
}

}  // namespace corvane
