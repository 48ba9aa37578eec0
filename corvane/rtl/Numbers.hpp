#pragma once
// Integer and floating-point conversions with the classic runtime's rules.
//
// Integers are read the way Val reads them: leading spaces, an optional sign, then decimal
// digits or hexadecimal ones after "$", "x", "X", "0x" or "0X"; nothing may follow, and a
// value out of range is a failure (hexadecimal may use the full unsigned width and wraps).
// Floats are read and written with a TFormatSettings decimal separator; rounding to a
// number of digits is decimal half away from zero on the value's 18 significant digits.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

std::u16string IntToStr(int value);
std::u16string IntToStr(std::int64_t value);
std::u16string UIntToStr(std::uint64_t value);
// Other integer types (long long, unsigned, size_t...) without ambiguity; characters and
// Booleans are not numbers here.
template <typename T>
requires(std::is_integral_v<T> && !std::is_same_v<T, int> && !std::is_same_v<T, std::int64_t> &&
         !std::is_same_v<T, bool> && !std::is_same_v<T, char> && !std::is_same_v<T, char8_t> &&
         !std::is_same_v<T, char16_t> && !std::is_same_v<T, char32_t> &&
         !std::is_same_v<T, wchar_t>) std::u16string IntToStr(T value) {
  if constexpr (std::is_signed_v<T>) {
    return IntToStr(static_cast<std::int64_t>(value));
  } else {
    return UIntToStr(static_cast<std::uint64_t>(value));
  }
}
// Upper-case hexadecimal with at least `digits` digits; negative 32-bit values are shown in
// two's complement (8 digits), negative 64-bit ones in 16.
std::u16string IntToHex(int value, int digits);
std::u16string IntToHex(std::int64_t value, int digits);
// Other integer types: unsigned ones and those of 64 bits show their full width.
template <typename T>
requires(std::is_integral_v<T> && !std::is_same_v<T, int> && !std::is_same_v<T, std::int64_t> &&
         !std::is_same_v<T, bool>) std::u16string IntToHex(T value, int digits) {
  if constexpr (sizeof(T) <= sizeof(int) && std::is_signed_v<T>) {
    return IntToHex(static_cast<int>(value), digits);
  } else {
    return IntToHex(static_cast<std::int64_t>(value), digits);
  }
}

bool TryStrToInt(std::u16string_view s, int& value);
int StrToInt(std::u16string_view s);  // EConvertError "'%s' is not a valid integer value"
int StrToIntDef(std::u16string_view s, int default_value);
bool TryStrToInt64(std::u16string_view s, std::int64_t& value);
std::int64_t StrToInt64(std::u16string_view s);
std::int64_t StrToInt64Def(std::u16string_view s, std::int64_t default_value);

// Blanks around the number are allowed; an optional sign, digits with at most one decimal
// separator, and an optional exponent ("E" or "e", optional sign, digits). No thousands
// separators.
bool TryStrToFloat(std::u16string_view s, double& value);
bool TryStrToFloat(std::u16string_view s, double& value, const TFormatSettings& settings);
double StrToFloat(
    std::u16string_view s);  // EConvertError "'%s' is not a valid floating point value"
double StrToFloat(std::u16string_view s, const TFormatSettings& settings);
double StrToFloatDef(std::u16string_view s, double default_value);
double StrToFloatDef(std::u16string_view s, double default_value, const TFormatSettings& settings);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// ffGeneral: the shortest of fixed and scientific with `precision` significant digits,
//   scientific when the integer part has more than `precision` digits or the value is below
//   0.0001; `digits` is the minimum number of exponent digits.
// ffExponent: "d.dddE+ddd" with `precision` significant digits, at least `digits` exponent
//   digits, the exponent's sign always shown.
// ffFixed: `digits` decimals (0..18); general when the integer part needs more than
//   `precision` digits.
// ffNumber: ffFixed with thousands separators.
// ffCurrency: ffNumber's digits with CurrencyString placed by CurrencyFormat/NegCurrFormat.
std::u16string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::u16string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                           const TFormatSettings& settings);
// ffGeneral with 15 significant digits.
std::u16string FloatToStr(double value);
std::u16string FloatToStr(double value, const TFormatSettings& settings);

// Picture formatting: up to three sections separated by ";" (positive, negative, zero);
// "0" a digit always shown, "#" a digit shown when significant, "." the decimal separator,
// "," anywhere before it turns on thousands separators, "E+"/"E-"/"e+"/"e-" followed by
// "0"s scientific notation; text in single or double quotes and any other character are
// copied. An empty format gives FloatToStr's result.
std::u16string FormatFloat(std::u16string_view format, double value);
std::u16string FormatFloat(std::u16string_view format, double value,
                           const TFormatSettings& settings);

namespace detail {

// A float split into decimal digits, as the classic TFloatRec: the value is
// 0.d1d2d3... × 10^exponent. `digits` has no trailing zeros; it is empty for zero.
struct DecimalFloat {
  std::string digits;
  int exponent = 0;
  bool negative = false;
  bool special = false;  // infinity or NaN; `digits` then holds "INF", "-INF" or "NAN"
};

// Rounds `value` to `precision` significant digits (at most 18) and at most `decimals`
// digits after the decimal point (decimals >= 9999 means no limit).
DecimalFloat float_to_decimal(double value, int precision, int decimals = 9999);

// Decimal integer text with a separator between groups of three.
std::u16string group_thousands(std::u16string_view digits, char16_t separator);

}  // namespace detail

}  // namespace corvane
