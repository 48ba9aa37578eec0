// FormatDateTime and the date reading of StrToDate.

#include <cmath>

#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"

namespace corvane {

namespace {

char16_t upper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

bool starts_with_nocase(std::u16string_view s, std::size_t at, std::u16string_view what) {
  if (s.size() - at < what.size()) return false;
  for (std::size_t k = 0; k < what.size(); ++k) {
    if (upper(s[at + k]) != upper(what[k])) return false;
  }
  return true;
}

void append_number(std::u16string& out, long long v, int min_digits) {
  std::u16string d;
  if (v < 0) v = -v;
  do {
    d.insert(d.begin(), static_cast<char16_t>(u'0' + v % 10));
    v /= 10;
  } while (v != 0);
  if (static_cast<int>(d.size()) < min_digits) d.insert(0, min_digits - d.size(), u'0');
  out += d;
}

struct Parts {
  int year, month, day, hour, minute, second, msec, day_of_week;
};

// Whether the hour ending at `from` is on the 12-hour clock: the format is read on, outside
// quotes, up to the first "a" (true when it starts am/pm, a/p or ampm) or the next "h".
bool twelve_hour_ahead(std::u16string_view fmt, std::size_t from) {
  char16_t quote = 0;
  for (std::size_t i = from; i < fmt.size(); ++i) {
    const char16_t c = fmt[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == u'\'' || c == u'"') {
      quote = c;
    } else if (upper(c) == u'H') {
      return false;
    } else if (upper(c) == u'A') {
      return starts_with_nocase(fmt, i, u"AM/PM") || starts_with_nocase(fmt, i, u"A/P") ||
             starts_with_nocase(fmt, i, u"AMPM");
    }
  }
  return false;
}

class DateFormatter {
 public:
  DateFormatter(const Parts& p, const TFormatSettings& fs) : p_(p), fs_(fs) {}

  void append(std::u16string& out, std::u16string_view fmt, int depth) {
    if (depth > 2) return;  // formats naming formats: two levels are enough
    char16_t last_token = 0;
    std::size_t i = 0;
    while (i < fmt.size()) {
      const char16_t c = fmt[i];
      char16_t token = upper(c);
      if (token >= u'A' && token <= u'Z') {
        if (token == u'M' && last_token == u'H') token = u'N';
        last_token = token;
      }
      std::size_t count = 1;
      while (i + count < fmt.size() && fmt[i + count] == c) ++count;
      switch (token) {
        case u'Y':
          if (count <= 2) {
            append_number(out, p_.year % 100, 2);
          } else {
            append_number(out, p_.year, 4);
          }
          i += count;
          break;
        case u'M':
          if (count <= 2) {
            append_number(out, p_.month, static_cast<int>(count));
          } else if (p_.month >= 1 && p_.month <= 12) {
            out +=
                count == 3 ? fs_.ShortMonthNames[p_.month - 1] : fs_.LongMonthNames[p_.month - 1];
          }
          i += count;
          break;
        case u'D':
          if (count <= 2) {
            append_number(out, p_.day, static_cast<int>(count));
          } else if (count == 3) {
            out += fs_.ShortDayNames[p_.day_of_week - 1];
          } else if (count == 4) {
            out += fs_.LongDayNames[p_.day_of_week - 1];
          } else if (count == 5) {
            append(out, fs_.ShortDateFormat, depth + 1);
          } else {
            append(out, fs_.LongDateFormat, depth + 1);
          }
          i += count;
          break;
        case u'H': {
          int h = p_.hour;
          if (twelve_hour_ahead(fmt, i + count)) {
            h %= 12;
            if (h == 0) h = 12;
          }
          append_number(out, h, count >= 2 ? 2 : 1);
          i += count;
          break;
        }
        case u'N':
          append_number(out, p_.minute, count >= 2 ? 2 : 1);
          i += count;
          break;
        case u'S':
          append_number(out, p_.second, count >= 2 ? 2 : 1);
          i += count;
          break;
        case u'Z':
          append_number(out, p_.msec, count >= 2 ? 3 : 1);
          i += count;
          break;
        case u'T':
          append(out, count == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat, depth + 1);
          i += count;
          break;
        case u'C':
          append(out, fs_.ShortDateFormat, depth + 1);
          if (p_.hour != 0 || p_.minute != 0 || p_.second != 0) {
            out.push_back(u' ');
            append(out, fs_.LongTimeFormat, depth + 1);
          }
          i += 1;
          break;
        case u'A': {
          const bool pm = p_.hour >= 12;
          if (starts_with_nocase(fmt, i, u"AM/PM")) {
            out.append(fmt.substr(pm ? i + 3 : i, 2));
            i += 5;
          } else if (starts_with_nocase(fmt, i, u"A/P")) {
            out.push_back(fmt[pm ? i + 2 : i]);
            i += 3;
          } else if (starts_with_nocase(fmt, i, u"AMPM")) {
            out += pm ? fs_.TimePMString : fs_.TimeAMString;
            i += 4;
          } else {
            out.push_back(c);
            i += 1;
          }
          break;
        }
        case u'/':
          if (fs_.DateSeparator != 0) out.push_back(fs_.DateSeparator);
          i += 1;
          break;
        case u':':
          if (fs_.TimeSeparator != 0) out.push_back(fs_.TimeSeparator);
          i += 1;
          break;
        case u'\'':
        case u'"': {
          const std::size_t close = fmt.find(c, i + 1);
          const std::size_t end = close == std::u16string_view::npos ? fmt.size() : close;
          out.append(fmt.substr(i + 1, end - i - 1));
          i = end + 1;
          break;
        }
        default:
          out.push_back(c);
          i += 1;
          break;
      }
    }
  }

 private:
  const Parts& p_;
  const TFormatSettings& fs_;
};

enum class DateOrder { MDY, DMY, YMD };

DateOrder date_order(std::u16string_view fmt) {
  char16_t quote = 0;
  for (char16_t c : fmt) {
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    switch (upper(c)) {
      case u'\'':
      case u'"':
        quote = c;
        break;
      case u'E':
      case u'Y':
        return DateOrder::YMD;
      case u'M':
        return DateOrder::MDY;
      case u'D':
        return DateOrder::DMY;
      default:
        break;
    }
  }
  return DateOrder::MDY;
}

class Scanner {
 public:
  explicit Scanner(std::u16string_view s) : s_(s) {}
  void blanks() {
    while (i_ < s_.size() && s_[i_] == u' ') ++i_;
  }
  // Up to four digits; `length` gets how many were read.
  bool number(int& value, int& length) {
    blanks();
    value = length = 0;
    while (i_ < s_.size() && s_[i_] >= u'0' && s_[i_] <= u'9' && length < 4) {
      value = value * 10 + (s_[i_++] - u'0');
      ++length;
    }
    return length > 0;
  }
  bool character(char16_t c) {
    blanks();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  bool at_end() {
    blanks();
    return i_ == s_.size();
  }
  // 1 for an AM marker, 2 for a PM one (either case), 0 when neither follows.
  int am_pm(const TFormatSettings& settings) {
    blanks();
    for (int half = 1; half <= 2; ++half) {
      for (std::u16string_view marker :
           {std::u16string_view(half == 1 ? settings.TimeAMString : settings.TimePMString),
            std::u16string_view(half == 1 ? u"AM" : u"PM")}) {
        if (!marker.empty() && starts_with_nocase(s_, i_, marker)) {
          i_ += marker.size();
          return half;
        }
      }
    }
    return 0;
  }

 private:
  std::u16string_view s_;
  std::size_t i_ = 0;
};

int current_year() {
  int y, m, d;
  DecodeDate(Now(), y, m, d);
  return y;
}

}  // namespace

std::u16string FormatDateTime(std::u16string_view format, TDateTime dt,
                              const TFormatSettings& settings) {
  Parts p{};
  DecodeDateTime(dt, p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
  p.day_of_week = DayOfWeek(dt);
  std::u16string out;
  DateFormatter(p, settings).append(out, format.empty() ? std::u16string_view(u"c") : format, 0);
  return out;
}

std::u16string FormatDateTime(std::u16string_view format, TDateTime dt) {
  return FormatDateTime(format, dt, FormatSettings());
}

std::u16string DateToStr(TDateTime dt, const TFormatSettings& settings) {
  return FormatDateTime(u"ddddd", dt, settings);
}
std::u16string DateToStr(TDateTime dt) {
  return DateToStr(dt, FormatSettings());
}
std::u16string TimeToStr(TDateTime dt, const TFormatSettings& settings) {
  return FormatDateTime(u"tt", dt, settings);
}
std::u16string TimeToStr(TDateTime dt) {
  return TimeToStr(dt, FormatSettings());
}
std::u16string DateTimeToStr(TDateTime dt, const TFormatSettings& settings) {
  return FormatDateTime(u"c", dt, settings);
}
std::u16string DateTimeToStr(TDateTime dt) {
  return DateTimeToStr(dt, FormatSettings());
}

namespace {

// The date at the scanner's position: two or three numbers in the settings' order.
bool read_date(Scanner& sc, TDateTime& date, const TFormatSettings& settings) {
  int n1, n2, n3 = 0, l1, l2, l3 = 0;
  if (!sc.number(n1, l1) || !sc.character(settings.DateSeparator) || !sc.number(n2, l2)) {
    return false;
  }
  bool three = false;
  if (sc.character(settings.DateSeparator)) {
    if (!sc.number(n3, l3)) return false;
    three = true;
  }
  int y, m, d, year_length;
  const DateOrder order = date_order(settings.ShortDateFormat);
  if (!three) {
    y = current_year();
    year_length = 4;
    if (order == DateOrder::DMY) {
      d = n1;
      m = n2;
    } else {
      m = n1;
      d = n2;
    }
  } else {
    switch (order) {
      case DateOrder::MDY:
        m = n1, d = n2, y = n3, year_length = l3;
        break;
      case DateOrder::DMY:
        d = n1, m = n2, y = n3, year_length = l3;
        break;
      default:
        y = n1, m = n2, d = n3, year_length = l1;
        break;
    }
  }
  if (y <= 99 && year_length <= 2) {
    const int window = settings.TwoDigitYearCenturyWindow;
    const int base = current_year() - window;
    y += base / 100 * 100;
    if (window > 0 && y < base) y += 100;
  }
  return TryEncodeDate(y, m, d, date);
}

// A time of day at the scanner's position: hours and minutes, optional seconds and
// milliseconds, then an optional AM or PM marker (the settings' or the English one).
bool read_time(Scanner& sc, TDateTime& time, const TFormatSettings& settings) {
  int hour, minute, second = 0, msec = 0, length;
  if (!sc.number(hour, length) || length > 2 || !sc.character(settings.TimeSeparator) ||
      !sc.number(minute, length) || length > 2) {
    return false;
  }
  if (sc.character(settings.TimeSeparator)) {
    if (!sc.number(second, length) || length > 2) return false;
    if (sc.character(settings.DecimalSeparator) || sc.character(u'.')) {
      if (!sc.number(msec, length) || length > 3) return false;
      for (; length < 3; ++length) msec *= 10;
    }
  }
  const int half = sc.am_pm(settings);
  if (half != 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (half == 2 ? 12 : 0);
  }
  return TryEncodeTime(hour, minute, second, msec, time);
}

}  // namespace

bool TryStrToDate(std::u16string_view s, TDateTime& date, const TFormatSettings& settings) {
  Scanner sc(s);
  return read_date(sc, date, settings) && sc.at_end();
}

bool TryStrToDateTime(std::u16string_view s, TDateTime& value, const TFormatSettings& settings) {
  Scanner sc(s);
  TDateTime date, time = 0;
  if (!read_date(sc, date, settings)) return false;
  if (!sc.at_end() && !read_time(sc, time, settings)) return false;
  if (!sc.at_end()) return false;
  // The time of day counts away from midnight on either side of the epoch.
  value = date < 0 ? date - time : date + time;
  return true;
}

bool TryStrToDateTime(std::u16string_view s, TDateTime& value) {
  return TryStrToDateTime(s, value, FormatSettings());
}

TDateTime StrToDateTime(std::u16string_view s, const TFormatSettings& settings) {
  TDateTime d;
  if (!TryStrToDateTime(s, d, settings)) {
    throw EConvertError(u"'" + std::u16string(s) + u"' is not a valid date and time");
  }
  return d;
}

TDateTime StrToDateTime(std::u16string_view s) {
  return StrToDateTime(s, FormatSettings());
}

bool TryStrToDate(std::u16string_view s, TDateTime& date) {
  return TryStrToDate(s, date, FormatSettings());
}

TDateTime StrToDate(std::u16string_view s, const TFormatSettings& settings) {
  TDateTime d;
  if (!TryStrToDate(s, d, settings)) {
    throw EConvertError(u"'" + std::u16string(s) + u"' is not a valid date");
  }
  return d;
}

TDateTime StrToDate(std::u16string_view s) {
  return StrToDate(s, FormatSettings());
}

}  // namespace corvane
