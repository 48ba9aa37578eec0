// Shifted Julian dates: records to numbers and back, and the arithmetic of timeline periods.

#include "corvane/dates/Juliandateroutines.hpp"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "corvane/dates/Juliandateroutines_internal.hpp"

namespace corvane {

namespace detail {

inline bool day_number(std::int32_t year, std::int32_t month, std::int32_t day,
                       std::int64_t& days) noexcept {
  static constexpr std::int8_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (day > kDays[month - 1] + (month == 2 && leap)) return false;
  days = days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
         kDaysFrom1899To1970;
  return true;
}

bool gregorian_day_number(std::int32_t year, std::int32_t month, std::int32_t day,
                          std::int64_t& days) noexcept {
  return day_number(year, month, day, days);
}

TYearMonthDay today() {
  TYearMonthDay r;
  DecodeDate(Date(), r.year, r.month, r.day);
  return r;
}

}  // namespace detail

namespace {

std::int32_t clamp(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

// The year as the 16-bit calendar year the encoder takes: the value modulo 65536.
std::int32_t sixteen_bit(std::int64_t year) {
  return static_cast<std::int32_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(year)));
}

// Julian date of a calendar date, or 0.0 when the calendar has no such day.
double encode_julian(std::int32_t year, std::int32_t month, std::int32_t day) {
  std::int64_t days;
  if (!detail::day_number(year, clamp(month, 1, 12), clamp(day, 1, 31), days)) {
    return 0.0;
  }
  return static_cast<double>(days) + JulianDateOfDayZero;
}

// "Rounding up" as periods count it: a whole number stays, anything else goes up to the
// next whole number.
std::int32_t rounded_up(double v) {
  const double whole = std::trunc(v);
  return static_cast<std::int32_t>(v == whole ? whole : whole + 1);
}

std::int32_t year_periods(const TYearMonthDay& first, const TYearMonthDay& second, int span) {
  const std::int64_t distance =
      std::llabs(static_cast<std::int64_t>(second.year) - static_cast<std::int64_t>(first.year));
  return static_cast<std::int32_t>(distance / span);
}

}  // namespace

void ClearAYearMonthDayRec(TYearMonthDay& rec) {
  rec.year = ClearedYear;
  rec.month = 1;
  rec.day = 1;
}

TYearMonthDay AClearYearMonthDayRec() {
  TYearMonthDay r;
  ClearAYearMonthDayRec(r);
  return r;
}

double YearMonthDayToJulianAddingConst(const TYearMonthDay& rec) {
  return encode_julian(sixteen_bit(static_cast<std::int64_t>(rec.year) + JulianYearShift),
                       rec.month, rec.day);
}

double YearMonthDayToJulianDateSemConvertir(const TYearMonthDay& rec) {
  const double j = encode_julian(sixteen_bit(rec.year), rec.month, rec.day);
  return j != 0.0 ? j : Date() + JulianDateOfDayZero;
}

double DateTimeToJulianAddingConst(TDateTime date_time) {
  int year, month, day;
  DecodeDate(date_time, year, month, day);
  if (year == 0) return 0.0;  // before 0001-01-01, or no date-time at all
  return encode_julian(year + JulianYearShift, month, day);
}

TYearMonthDay DateToYearMonthDay(TDateTime date_time, bool remove_shift) {
  TYearMonthDay r;
  // Whole days, the common case, take the short road; the rest follows the runtime's
  // rules for fractions and negative date-times.
  if (date_time >= detail::kFirstCalendarDay && date_time <= detail::kLastCalendarDay &&
      date_time == static_cast<double>(static_cast<std::int64_t>(date_time))) {
    detail::civil_from_days(static_cast<std::int64_t>(date_time) - detail::kDaysFrom1899To1970,
                            r.year, r.month, r.day);
  } else {
    if (!detail::date_time_to_time_stamp(date_time).valid) return detail::today();
    DecodeDate(date_time, r.year, r.month, r.day);
  }
  if (remove_shift) r.year -= JulianYearShift;
  return r;
}

TYearMonthDay DateToYearMonthDayRemovingConst(TDateTime date_time) {
  return DateToYearMonthDay(date_time, true);
}

TYearMonthDay JulianDateToYearMonthDayRemovingConst(double julian) {
  if (julian == 0.0) return detail::today();
  const double dt = julian - JulianDateOfDayZero;
  // Whole days of the calendar (every date that came from a record) take the short road.
  if (dt >= detail::kFirstCalendarDay && dt <= detail::kLastCalendarDay &&
      dt == static_cast<double>(static_cast<std::int64_t>(dt))) {
    std::int32_t y, m, d;
    detail::civil_from_days(static_cast<std::int64_t>(dt) - detail::kDaysFrom1899To1970, y, m, d);
    // Year and month are joined into one 64-bit store: written as two 32-bit fields, the
    // record is read back whole to be returned in a register, and that read stalls on the
    // two smaller writes (a store-forwarding stall that doubled the cost of this routine).
    const std::uint64_t year_and_month = static_cast<std::uint32_t>(y - JulianYearShift) |
                                         static_cast<std::uint64_t>(static_cast<std::uint32_t>(m))
                                             << 32;
    TYearMonthDay r;
    std::memcpy(&r, &year_and_month, sizeof year_and_month);
    r.day = d;
    return r;
  }
  return DateToYearMonthDay(dt, true);
}

TYearMonthDay StartOfPeriod(const TYearMonthDay& rec, TTimeLinePlotbase basis) {
  TYearMonthDay r = AClearYearMonthDayRec();
  switch (basis) {
    case tlpb_millennia:
      r.year = (rec.year / 1000) * 1000;
      break;
    case tlpb_centuries:
      r.year = (rec.year / 100) * 100;
      break;
    case tlpb_decades:
      r.year = (rec.year / 10) * 10;
      break;
    case tlpb_years:
      r.year = rec.year;
      break;
    case tlpb_months:
    case tlpb_weeks:
      r.year = rec.year;
      r.month = rec.month;
      break;
    default:
      r = rec;
      break;
  }
  return r;
}

TYearMonthDay EndOfPeriod(const TYearMonthDay& rec, TTimeLinePlotbase basis) {
  TYearMonthDay r = AClearYearMonthDayRec();
  // (year div n) x n + n - 1, held at the largest year near the top of the 32 bits.
  const auto last_of = [&](std::int32_t n) {
    const std::int64_t y = static_cast<std::int64_t>(rec.year / n) * n + (n - 1);
    r.year = static_cast<std::int32_t>(y > INT32_MAX ? INT32_MAX : y);
    r.month = 12;
    r.day = 31;
  };
  switch (basis) {
    case tlpb_millennia:
      last_of(1000);
      break;
    case tlpb_centuries:
      last_of(100);
      break;
    case tlpb_decades:
      last_of(10);
      break;
    case tlpb_years:
      last_of(1);
      break;
    case tlpb_months:
    case tlpb_weeks: {
      std::int64_t ignored;
      if (!detail::gregorian_day_number(rec.year, rec.month, rec.day, ignored)) {
        return detail::today();
      }
      r.year = rec.year;
      r.month = rec.month;
      r.day = DaysInAMonth(rec.year, rec.month);
      break;
    }
    default:
      r = rec;
      break;
  }
  return r;
}

std::int32_t PeriodsBetween(const TYearMonthDay& first, const TYearMonthDay& second,
                            TTimeLinePlotbase basis) {
  const double span =
      std::fabs(YearMonthDayToJulianAddingConst(second) - YearMonthDayToJulianAddingConst(first));
  switch (basis) {
    case tlpb_millennia:
      return year_periods(first, second, 1000) + 1;
    case tlpb_centuries:
      return year_periods(first, second, 100) + 1;
    case tlpb_decades:
      return year_periods(first, second, 10) + 1;
    case tlpb_years:
      return rounded_up(span / detail::kDaysPerYear);
    case tlpb_months:
      return rounded_up(span / detail::kDaysPerMonth);
    case tlpb_weeks:
      return rounded_up(span / detail::kDaysPerMonth) * 4;
    case tlpb_days:
      return rounded_up(span);
    default:
      return 1;
  }
}

std::int32_t PeriodNumberFor(const TYearMonthDay& first, const TYearMonthDay& second,
                             TTimeLinePlotbase basis) {
  const double span =
      std::fabs(YearMonthDayToJulianAddingConst(second) - YearMonthDayToJulianAddingConst(first));
  switch (basis) {
    case tlpb_millennia:
      return year_periods(first, second, 1000);
    case tlpb_centuries:
      return year_periods(first, second, 100);
    case tlpb_decades:
      return year_periods(first, second, 10);
    case tlpb_years:
      return static_cast<std::int32_t>(span / detail::kDaysPerYear);
    case tlpb_months:
      return static_cast<std::int32_t>(span / detail::kDaysPerMonth);
    case tlpb_weeks:
      return static_cast<std::int32_t>(4 * (span / detail::kDaysPerMonth));
    case tlpb_days:
      return static_cast<std::int32_t>(span);
    default:
      return 0;
  }
}

}  // namespace corvane
