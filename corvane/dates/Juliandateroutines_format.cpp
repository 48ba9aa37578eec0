// Shifted Julian dates as timeline labels, in the user's month names and separators.

#include <cmath>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/dates/Juliandateroutines_internal.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

constexpr std::u16string_view kNoDate = u"??";

std::u16string_view abbreviated_format(TTimeLinePlotbase basis) {
  switch (basis) {
    case tlpb_millennia:
    case tlpb_centuries:
    case tlpb_decades:
      return u"yyyy";
    case tlpb_years:
      return u"yy";
    case tlpb_months:
      return u"mmm";
    case tlpb_weeks:
      return u"w";
    case tlpb_days:
      return u"d";
    case tlpb_hours:
      return u"h";
    default:
      return u"yy/mmm/dd hh:nn";
  }
}

// The record's month and day in the year 2000 (a leap year, so 29 February formats), at
// midnight; false when they are no day of that year.
bool day_in_2000(const TYearMonthDay& rec, TDateTime& dt) {
  return TryEncodeDate(2000, rec.month, rec.day, dt);
}

// The last two digits of the year, with a minus sign before a year BC.
std::u16string two_digit_year(std::int32_t year) {
  const std::int64_t y = year;
  const std::int64_t last_two = (y < 0 ? -y : y) % 100;
  std::u16string r = y < 0 ? u"-" : u"";
  r.push_back(static_cast<char16_t>(u'0' + last_two / 10));
  r.push_back(static_cast<char16_t>(u'0' + last_two % 10));
  return r;
}

}  // namespace

std::u16string TimeLineBasisFormatString(TTimeLinePlotbase basis) {
  switch (basis) {
    case tlpb_millennia:
    case tlpb_centuries:
    case tlpb_decades:
    case tlpb_years:
      return u"yyyy";
    case tlpb_months:
      return u"yyyy/mmm";
    case tlpb_weeks:
    case tlpb_days:
      return u"yyyy/mmm/dd";
    case tlpb_hours:
      return u"yyyy/mmm/dd hh";
    default:
      return u"yyyy/mmm/dd hh:nn";
  }
}

std::u16string YearMonthDayAsString(const TYearMonthDay& rec, TTimeLinePlotbase basis) {
  TDateTime dt;
  if (!day_in_2000(rec, dt)) return std::u16string(kNoDate);
  // The format starts with "yyyy", which the year 2000 fills with four characters: the
  // record's own year takes their place.
  const std::u16string in_2000 =
      FormatDateTime(TimeLineBasisFormatString(basis), dt, UserDefaultFormatSettings);
  std::u16string text = Format(u"%5.4d", {rec.year});
  if (in_2000.size() > 4) text.append(in_2000, 4);
  return Trim(text);
}

std::u16string AbbreviatedYearMonthDayAsString(const TYearMonthDay& rec, TTimeLinePlotbase basis) {
  TDateTime dt;
  if (!day_in_2000(rec, dt)) return std::u16string(kNoDate);
  std::u16string_view format = abbreviated_format(basis);
  std::u16string text;
  if (format.starts_with(u"yyyy")) {
    text = Format(u"%.4d", {rec.year});
    format.remove_prefix(4);
  } else if (format.starts_with(u"yy")) {
    text = two_digit_year(rec.year);
    format.remove_prefix(2);
  }
  if (!format.empty()) text += FormatDateTime(format, dt, UserDefaultFormatSettings);
  return text;
}

std::u16string JulianToStringRemovingConst(double julian, TTimeLinePlotbase basis,
                                           bool abbreviated) {
  const TDateTime dt = julian - JulianDateOfDayZero;
  if (!detail::date_time_to_time_stamp(dt).valid) return std::u16string(kNoDate);
  const TYearMonthDay rec = DateToYearMonthDay(dt, true);
  if (rec.year == ClearedYear) return std::u16string(kNoDate);
  return abbreviated ? AbbreviatedYearMonthDayAsString(rec, basis)
                     : YearMonthDayAsString(rec, basis);
}

}  // namespace corvane
