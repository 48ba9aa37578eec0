#pragma once
// Format: the classic runtime's printf-like formatting over a list of typed arguments.
//
//   Format(u"%s has %d hits", {name, count})
//
// A placeholder is "%" [index ":"] ["-"] [width] ["." precision] type, where index, width
// and precision are digits or "*" (taken from the next argument, which must be an
// integer). Types:
//   d  integer; precision = minimum digits, zero-padded
//   u  integer shown unsigned;  x  integer in upper-case hexadecimal
//   e  float, scientific (precision = significant digits, default 15)
//   f  float, fixed (precision = decimals, default 2)
//   g  float, shortest of fixed and scientific (precision = significant digits, default 15)
//   n  float, fixed with thousands separators (default 2 decimals)
//   m  float, money with CurrencyString and CurrencyFormat (default CurrencyDecimals)
//   s  string or character; precision = maximum characters
//   p  pointer, hexadecimal;  %%  a percent sign
// Width pads with spaces on the left, or on the right after "-". Integer arguments are not
// accepted by the float types nor floats by the integer ones; a wrong kind, a missing
// argument or a malformed placeholder raises EConvertError
// "Format '<format>' invalid or incompatible with argument".

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

// One argument of Format. Strings are held as views: the arguments of a call live until
// the call returns.
class TVarRec {
 public:
  enum class Kind { Integer, Int64, Unsigned, Float, String, Char, Pointer };

  TVarRec(int v) : kind_(Kind::Integer), int_(v) {}
  TVarRec(long v) : kind_(Kind::Int64), int_(v) {}
  TVarRec(long long v) : kind_(Kind::Int64), int_(v) {}
  TVarRec(unsigned v) : kind_(Kind::Unsigned), uint_(v) {}
  TVarRec(unsigned long v) : kind_(Kind::Unsigned), uint_(v) {}
  TVarRec(unsigned long long v) : kind_(Kind::Unsigned), uint_(v) {}
  TVarRec(double v) : kind_(Kind::Float), float_(v) {}
  TVarRec(float v) : kind_(Kind::Float), float_(v) {}
  TVarRec(const std::u16string& v) : kind_(Kind::String), str_(v) {}
  TVarRec(std::u16string_view v) : kind_(Kind::String), str_(v) {}
  TVarRec(const char16_t* v) : kind_(Kind::String), str_(v ? std::u16string_view(v) : u"") {}
  TVarRec(char16_t v) : kind_(Kind::Char), char_(v) {}
  template <typename T>
  requires(!std::is_same_v<std::remove_cv_t<T>, char16_t> &&
           !std::is_same_v<std::remove_cv_t<T>, char>) TVarRec(T* v)
      : kind_(Kind::Pointer), ptr_(v) {}
  TVarRec(std::nullptr_t) : kind_(Kind::Pointer), ptr_(nullptr) {}
  // Narrow strings and Booleans are not arguments (they would silently become pointers
  // or integers).
  TVarRec(const char*) = delete;
  TVarRec(bool) = delete;

  Kind kind() const { return kind_; }
  bool is_integer() const {
    return kind_ == Kind::Integer || kind_ == Kind::Int64 || kind_ == Kind::Unsigned;
  }
  std::int64_t as_int64() const {
    return kind_ == Kind::Unsigned ? static_cast<std::int64_t>(uint_) : int_;
  }
  std::uint64_t as_uint64() const {
    return kind_ == Kind::Unsigned ? uint_ : static_cast<std::uint64_t>(int_);
  }
  double as_float() const { return float_; }
  std::u16string_view as_string() const { return str_; }
  char16_t as_char() const { return char_; }
  const void* as_pointer() const { return ptr_; }

 private:
  Kind kind_;
  std::int64_t int_ = 0;
  std::uint64_t uint_ = 0;
  double float_ = 0;
  std::u16string_view str_;
  char16_t char_ = 0;
  const void* ptr_ = nullptr;
};

using TFormatArgs = std::initializer_list<TVarRec>;

std::u16string Format(std::u16string_view format, TFormatArgs args);
std::u16string Format(std::u16string_view format, TFormatArgs args,
                      const TFormatSettings& settings);

// Format into `target`, as the classic FmtStr procedure.
void FmtStr(std::u16string& target, std::u16string_view format, TFormatArgs args);

}  // namespace corvane
