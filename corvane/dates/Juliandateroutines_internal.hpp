#pragma once
// What the sources of Juliandateroutines share: the day arithmetic of the proleptic
// Gregorian calendar and the constants of the period spans.

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

std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) noexcept;
void civil_from_days(std::int64_t z, std::int32_t& year, std::int32_t& month,
                     std::int32_t& day) noexcept;
// The day count from 1899-12-30 of a date of years 1..9999; false for a day the calendar
// lacks.
bool gregorian_day_number(std::int32_t year, std::int32_t month, std::int32_t day,
                          std::int64_t& days) noexcept;
// Today's date (unshifted), from the runtime's clock.
TYearMonthDay today();

}  // namespace corvane::detail
