#pragma once
// TDateTime: a double counting days since 1899-12-30 00:00, its fraction the time of day.
// Before 1899-12-30 the value is negative: its integer part (truncated towards zero) is
// the day and its fraction, taken by absolute value, the time of day, so -1.25 is
// 1899-12-29 06:00. Decoding rounds to whole milliseconds.
// The clock behind Now() can be replaced, so that code which waits or stamps times can be
// tested without sleeping.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = SecsPerDay * 1000;

// The current local date and time, from the installed clock.
TDateTime Now();

// The clock Now() reads. An empty function restores the system clock (local time).
using TClockFunction = std::function<TDateTime()>;
void set_clock(TClockFunction clock);
TDateTime system_clock_now();

// Whole seconds between two date-times, truncated towards zero; the span is first
// rounded to whole milliseconds so that a span of exactly one second stored as
// 0.99999999 s still counts as one.
long long SecondsBetween(TDateTime a, TDateTime b);
// Whole milliseconds between the two instants (the negative-date rule applied to each).
long long MilliSecondsBetween(TDateTime a, TDateTime b);

// ---- Calendar: proleptic Gregorian, years 1..9999 ----

bool IsLeapYear(int year);
// Days in the month, or 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// EConvertError "Invalid argument to date encode" for a date that does not exist.
TDateTime EncodeDate(int year, int month, int day);
// Year, month and day of the day containing `dt`; all 0 before 0001-01-01 or for a value
// that is not a date at all (NaN, infinite, far out of range).
void DecodeDate(TDateTime dt, int& year, int& month, int& day);

// Hour < 24, minute < 60, second < 60, millisecond < 1000.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
// EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& millisecond);

// The date and the time of day combined with the negative-date rule.
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& dt);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond);
void DecodeDateTime(TDateTime dt, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& millisecond);

// Today at midnight and the time of day now, from the clock behind Now().
TDateTime Date();
TDateTime Time();

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime dt);

// The same day `months` months later (or earlier), clipped to the end of a shorter month;
// the time of day is kept. EConvertError when the year leaves 1..9999.
TDateTime IncMonth(TDateTime dt, int months = 1);

// DOS packed date-time: date in the high 16 bits ((year-1980)<<9 | month<<5 | day), time
// in the low ones (hour<<11 | minute<<5 | second/2). Years outside 1980..2107 give 0.
std::int32_t DateTimeToFileDate(TDateTime dt);
// EConvertError for a packed value that holds no valid date or time.
TDateTime FileDateToDateTime(std::int32_t file_date);

// Seconds since 1970-01-01 00:00 (no time zone is applied), rounded.
std::int64_t DateTimeToUnix(TDateTime dt);
TDateTime UnixToDateTime(std::int64_t seconds);

// ---- Formatting and reading (the settings default to FormatSettings()) ----

// Specifiers, letters in either case:
//   c        ShortDateFormat, then " " and LongTimeFormat unless the time is midnight
//   d dd     day; ddd dddd short/long day name; ddddd ShortDateFormat; dddddd LongDateFormat
//   m mm     month; mmm mmmm short/long month name; right after h or hh: minutes
//   yy yyyy  two- or four-digit year
//   h hh     hour (12-hour when am/pm, a/p or ampm follows); n nn minute; s ss second
//   z zzz    millisecond;  t tt  ShortTimeFormat / LongTimeFormat
//   am/pm a/p  the letters as written;  ampm  TimeAMString / TimePMString
//   /  DateSeparator;  :  TimeSeparator;  '...' "..." literal text
// Anything else is copied.
std::u16string FormatDateTime(std::u16string_view format, TDateTime dt);
std::u16string FormatDateTime(std::u16string_view format, TDateTime dt,
                              const TFormatSettings& settings);
std::u16string DateToStr(TDateTime dt);  // "ddddd"
std::u16string DateToStr(TDateTime dt, const TFormatSettings& settings);
std::u16string TimeToStr(TDateTime dt);  // "tt"
std::u16string TimeToStr(TDateTime dt, const TFormatSettings& settings);
std::u16string DateTimeToStr(TDateTime dt);  // "c"
std::u16string DateTimeToStr(TDateTime dt, const TFormatSettings& settings);

// Two or three numbers separated by DateSeparator, in the order ShortDateFormat gives
// (day-month-year, month-day-year or year-month-day), blanks allowed around them. With two
// numbers the year is the current one; a year of one or two digits is placed in the
// century window (TwoDigitYearCenturyWindow) around the current year.
bool TryStrToDate(std::u16string_view s, TDateTime& date);
bool TryStrToDate(std::u16string_view s, TDateTime& date, const TFormatSettings& settings);
// EConvertError "'%s' is not a valid date".
TDateTime StrToDate(std::u16string_view s);
TDateTime StrToDate(std::u16string_view s, const TFormatSettings& settings);

// A date as TryStrToDate reads it, then optionally a time of day: hours TimeSeparator
// minutes, optionally TimeSeparator seconds and "." (or DecimalSeparator) milliseconds,
// then optionally AM or PM (TimeAMString/TimePMString or the English markers, either case;
// the hour is then 1 to 12). Blanks are allowed between the pieces.
bool TryStrToDateTime(std::u16string_view s, TDateTime& value);
bool TryStrToDateTime(std::u16string_view s, TDateTime& value, const TFormatSettings& settings);
// EConvertError "'%s' is not a valid date and time".
TDateTime StrToDateTime(std::u16string_view s);
TDateTime StrToDateTime(std::u16string_view s, const TFormatSettings& settings);

namespace detail {
// A date-time as whole days since 0001-01-01 (that day being 1) and milliseconds into the
// day, as the classic TTimeStamp. `valid` is false for NaN, infinity and far-off values.
struct TimeStamp {
  std::int64_t date = 0;
  std::int64_t time = 0;
  bool valid = false;
};
TimeStamp date_time_to_time_stamp(TDateTime dt);
}  // namespace detail

}  // namespace corvane
