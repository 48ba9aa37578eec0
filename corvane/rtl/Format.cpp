#include "corvane/rtl/Format.hpp"

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Numbers.hpp"

namespace corvane {

namespace {

// No placeholder asks for a million characters: a larger width, precision or index is a
// malformed format rather than a request to allocate it.
constexpr long long kMaxNumber = 1'000'000;

class Formatter {
 public:
  Formatter(std::u16string_view format, TFormatArgs args, const TFormatSettings& fs)
      : fmt_(format), args_(args.begin()), count_(args.size()), fs_(fs) {}

  std::u16string run() {
    std::u16string out;
    std::size_t i = 0;
    while (i < fmt_.size()) {
      const std::size_t pct = fmt_.find(u'%', i);
      if (pct == std::u16string_view::npos) {
        out.append(fmt_.substr(i));
        break;
      }
      out.append(fmt_.substr(i, pct - i));
      i = placeholder(pct + 1, out);
    }
    return out;
  }

 private:
  [[noreturn]] void fail() const {
    throw EConvertError(u"Format '" + std::u16string(fmt_) +
                        u"' invalid or incompatible with argument");
  }

  const TVarRec& next_arg() {
    if (next_ >= count_) fail();
    return args_[next_++];
  }

  // Digits or "*"; -1 when neither is there.
  long long number(std::size_t& i) {
    if (i < fmt_.size() && fmt_[i] == u'*') {
      ++i;
      const TVarRec& a = next_arg();
      if (!a.is_integer()) fail();
      const std::int64_t v = a.as_int64();
      if (v > kMaxNumber) fail();
      return v < 0 ? -1 : v;  // a negative width or precision counts as none
    }
    if (i >= fmt_.size() || fmt_[i] < u'0' || fmt_[i] > u'9') return -1;
    long long v = 0;
    while (i < fmt_.size() && fmt_[i] >= u'0' && fmt_[i] <= u'9') {
      v = v * 10 + (fmt_[i++] - u'0');
      if (v > kMaxNumber) fail();
    }
    return v;
  }

  std::size_t placeholder(std::size_t i, std::u16string& out) {
    if (i < fmt_.size() && fmt_[i] == u'%') {
      out.push_back(u'%');
      return i + 1;
    }
    long long width = number(i);
    if (i < fmt_.size() && fmt_[i] == u':') {
      // The first number was an argument index; unnumbered placeholders go on from there.
      if (width < 0) fail();
      next_ = static_cast<std::size_t>(width);
      ++i;
      width = -1;
    }
    bool left = false;
    if (width < 0 && i < fmt_.size() && fmt_[i] == u'-') {
      left = true;
      ++i;
    }
    if (width < 0) width = number(i);
    long long precision = -1;
    if (i < fmt_.size() && fmt_[i] == u'.') {
      ++i;
      const bool star = i < fmt_.size() && fmt_[i] == u'*';
      precision = number(i);
      if (precision < 0 && !star) precision = 0;  // "%.f" is "%.0f"
    }
    if (i >= fmt_.size()) fail();
    const char16_t type = fmt_[i] | 0x20;  // case-insensitive for letters
    std::u16string text = convert(type, precision);
    if (width > 0 && static_cast<long long>(text.size()) < width) {
      const std::size_t pad = static_cast<std::size_t>(width) - text.size();
      if (left) {
        text.append(pad, u' ');
      } else {
        text.insert(0, pad, u' ');
      }
    }
    out += text;
    return i + 1;
  }

  std::u16string convert(char16_t type, long long precision) {
    switch (type) {
      case u'd':
      case u'u':
      case u'x': {
        const TVarRec& a = next_arg();
        if (!a.is_integer()) fail();
        std::u16string digits;
        bool negative = false;
        if (type == u'd' && a.kind() == TVarRec::Kind::Unsigned) {
          digits = unsigned_text(a.as_uint64());
        } else if (type == u'd') {
          const std::int64_t v = a.as_int64();
          negative = v < 0;
          const std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(v) : v;
          digits = unsigned_text(mag);
        } else {
          std::uint64_t v = a.as_uint64();
          if (a.kind() == TVarRec::Kind::Integer) v = static_cast<std::uint32_t>(v);
          digits = type == u'u' ? unsigned_text(v) : IntToHex(static_cast<std::int64_t>(v), 0);
        }
        if (precision > 0 && static_cast<long long>(digits.size()) < precision) {
          digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), u'0');
        }
        return negative ? u"-" + digits : digits;
      }
      case u'e':
      case u'f':
      case u'g':
      case u'n':
      case u'm': {
        const TVarRec& a = next_arg();
        if (a.kind() != TVarRec::Kind::Float) fail();
        const double v = a.as_float();
        const int prec = static_cast<int>(precision);
        switch (type) {
          case u'e':
            return FloatToStrF(v, ffExponent, precision < 0 ? 15 : prec, 3, fs_);
          case u'f':
            return FloatToStrF(v, ffFixed, 18, precision < 0 ? 2 : prec, fs_);
          case u'g':
            return FloatToStrF(v, ffGeneral, precision < 0 ? 15 : prec, 3, fs_);
          case u'n':
            return FloatToStrF(v, ffNumber, 18, precision < 0 ? 2 : prec, fs_);
          default:
            return FloatToStrF(v, ffCurrency, 18, precision < 0 ? fs_.CurrencyDecimals : prec, fs_);
        }
      }
      case u's': {
        const TVarRec& a = next_arg();
        std::u16string text;
        if (a.kind() == TVarRec::Kind::String) {
          text.assign(a.as_string());
        } else if (a.kind() == TVarRec::Kind::Char) {
          text.assign(1, a.as_char());
        } else {
          fail();
        }
        if (precision >= 0 && static_cast<long long>(text.size()) > precision) {
          text.resize(static_cast<std::size_t>(precision));
        }
        return text;
      }
      case u'p': {
        const TVarRec& a = next_arg();
        if (a.kind() != TVarRec::Kind::Pointer) fail();
        return IntToHex(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(a.as_pointer())),
                        static_cast<int>(sizeof(void*) * 2));
      }
      default:
        fail();
    }
  }

  static std::u16string unsigned_text(std::uint64_t v) {
    std::u16string r;
    do {
      r.insert(r.begin(), static_cast<char16_t>(u'0' + v % 10));
      v /= 10;
    } while (v != 0);
    return r;
  }

  std::u16string_view fmt_;
  const TVarRec* args_;
  std::size_t count_;
  std::size_t next_ = 0;
  const TFormatSettings& fs_;
};

}  // namespace

std::u16string Format(std::u16string_view format, TFormatArgs args,
                      const TFormatSettings& settings) {
  return Formatter(format, args, settings).run();
}

std::u16string Format(std::u16string_view format, TFormatArgs args) {
  return Format(format, args, FormatSettings());
}

void FmtStr(std::u16string& target, std::u16string_view format, TFormatArgs args) {
  target = Format(format, args);
}

}  // namespace corvane
