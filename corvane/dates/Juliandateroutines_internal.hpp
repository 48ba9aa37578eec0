#pragma once
// What the sources of Juliandateroutines share: the day arithmetic of the proleptic
// Gregorian calendar and the constants of the period spans.

#include <chrono>
#include <cstdint>

#include "corvane/dates/Juliandateroutines.hpp"

namespace corvane::detail {

// Days from 1899-12-30 (day 0 of the date-time) to 1970-01-01.
inline constexpr std::int64_t kDaysFrom1899To1970 = 25569;
// Date-times of 0001-01-01 and 9999-12-31.
inline constexpr double kFirstCalendarDay = -693593;
inline constexpr double kLastCalendarDay = 2958465;
// The mean year and month that period spans are measured in.
inline constexpr double kDaysPerYear = 365.25;
inline constexpr double kDaysPerMonth = 30.4375;

// Days since 1970-01-01 of a proleptic Gregorian date, and back: the standard library's
// calendar arithmetic, inline because every conversion runs through it.
inline std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) noexcept {
  using namespace std::chrono;
  return sys_days(year_month_day{year{static_cast<int>(y)}, month{m}, day{d}})
      .time_since_epoch()
      .count();
}

inline void civil_from_days(std::int64_t z, std::int32_t& y, std::int32_t& m,
                            std::int32_t& d) noexcept {
  using namespace std::chrono;
  const year_month_day date{sys_days{days{static_cast<int>(z)}}};
  y = static_cast<int>(date.year());
  m = static_cast<int>(static_cast<unsigned>(date.month()));
  d = static_cast<int>(static_cast<unsigned>(date.day()));
}

// The day count from 1899-12-30 of a date of years 1..9999; false for a day the calendar
// lacks.
bool gregorian_day_number(std::int32_t year, std::int32_t month, std::int32_t day,
                          std::int64_t& days) noexcept;
// Today's date (unshifted), from the runtime's clock.
TYearMonthDay today();

}  // namespace corvane::detail
