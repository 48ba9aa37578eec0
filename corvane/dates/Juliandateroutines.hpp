#pragma once
// Dates as shifted Julian day numbers, the dates users type, and timeline periods.
//
// Corpora reach back beyond the first year the calendar routines accept (year 1), so a
// date is stored as the astronomical Julian date of the same month and day 4500 years
// later: 2415018.5 plus the days from 1899-12-30 to (year + 4500, month, day) of the
// proleptic Gregorian calendar, counted at midnight. Whole dates end in .5: 2000-01-01 is
// 4095136.5, 0001-01-01 is 3365016.5. The value 0.0 means "no date".
//
// The shift is applied when a record or a date-time becomes a number ("AddingConst") and
// removed when a number becomes a record ("RemovingConst"). The years that convert are
// -4499 to 5499, and the leap years are those of the shifted year under the Gregorian rule:
// 1900 has a 29 February here (6400 is a leap year), 2000 has none (6500 is not).
//
// Year + 4500 is taken as a 16-bit unsigned value, so very large and very negative years
// wrap round modulo 65536 before the calendar sees them: a year from 61036 on reads as a
// year 65536 lower (63036 converts as -2500), and a year below -4500 reads as a year above
// 61035 and does not convert (0.0). Callers that take years from users should keep them in
// -4499..5499.
//
// Every routine is a pure function of its arguments, of today's date (from the runtime's
// clock) and of the user's default format settings (month names, separators); none raises
// and none keeps state. Numbers fall back to 0.0, records to today's date, strings to "??".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/DateTime.hpp"

namespace corvane {

// TYearMonthDay (year, month, day) and TYrMmDyHrMn (and hour, minute) are the shared
// records of Basic_types; `year` is the real calendar year and may be 0 or negative.
using TYearMonthDayArray = std::vector<TYearMonthDay>;

// The bases on which a timeline cuts time into periods. Weeks are quarters of a month
// throughout: a week period is a calendar month counted four times over.
enum TTimeLinePlotbase : std::uint8_t {
  tlpb_unknown,
  tlpb_millennia,
  tlpb_centuries,
  tlpb_decades,
  tlpb_years,
  tlpb_months,
  tlpb_weeks,
  tlpb_days,
  tlpb_hours,
  tlpb_datafield,
  tlpb_custom,
  tlpb_spare,
};
inline constexpr int TimeLinePlotbaseCount = 12;

// The cleared ("no date") record is -4001-01-01; its shifted Julian date.
inline constexpr std::int32_t ClearedYear = -4001;
inline constexpr double ClearedJulianDate = 1903316.5;
// What the calendar's day count of 1899-12-30 is as a Julian date.
inline constexpr double JulianDateOfDayZero = 2415018.5;
inline constexpr std::int32_t JulianYearShift = 4500;

// ---- Records ------------------------------------------------------------------------

// Sets the record to the cleared date (-4001-01-01).
void ClearAYearMonthDayRec(TYearMonthDay& rec);
TYearMonthDay AClearYearMonthDayRec();

// ---- To numbers ---------------------------------------------------------------------

// The shifted Julian date of the record. The month is clamped to 1..12 and the day to
// 1..31 first; a day the month lacks (31 April, 29 February 2000) or a year outside
// -4499..5499 (after the 16-bit wrap above) gives 0.0.
double YearMonthDayToJulianAddingConst(const TYearMonthDay& rec);
// The unshifted Julian date of the record (year 1..9999 only, clamped as above); the
// Julian date of today at midnight when the record does not convert.
double YearMonthDayToJulianDateSemConvertir(const TYearMonthDay& rec);
// The shifted Julian date of the date-time's day (its time of day is dropped); 0.0 for a
// date-time after 5499-12-31 or before 0001-01-01.
double DateTimeToJulianAddingConst(TDateTime date_time);

// ---- Back to records ----------------------------------------------------------------

// The date of the day that holds the shifted Julian date (4500 taken off the year); today's
// date for 0.0. A number before the calendar's first day splits into year -4500, month 0,
// day 0.
TYearMonthDay JulianDateToYearMonthDayRemovingConst(double julian);
// The date-time's year, month and day, 4500 taken off the year when `remove_shift`; today's
// date when the value is no date-time at all (NaN, infinite, far out of range). A value
// before 0001-01-01 splits into year 0 (or -4500), month 0, day 0.
TYearMonthDay DateToYearMonthDay(TDateTime date_time, bool remove_shift);
TYearMonthDay DateToYearMonthDayRemovingConst(TDateTime date_time);

// ---- To text ------------------------------------------------------------------------

// The date of a shifted Julian date as a timeline label on the basis: the full form
// (YearMonthDayAsString) or the abbreviated one. "??" for the cleared date, for a number
// that holds no formattable date (before the calendar, NaN, infinite) and on any failure.
// 0.0 has no special meaning here: it lies before the calendar and gives "??".
std::u16string JulianToStringRemovingConst(double julian, TTimeLinePlotbase basis,
                                           bool abbreviated);
// The record on the basis's format (TimeLineBasisFormatString): the year with at least four
// digits ("-0500" for 500 BC, "12345" beyond 9999), then the month and day parts formatted
// inside the year 2000 with the user's month names and separators, so that 29 February
// always shows. 2010-01-05 by days is "2010/Jan/05" in English; by years "2010". "??" when
// the month and day are no date of the year 2000.
std::u16string YearMonthDayAsString(const TYearMonthDay& rec, TTimeLinePlotbase basis);
// The short label of the record: millennia, centuries and decades "yyyy"; years "yy";
// months "mmm"; weeks "w" (a literal w); days "d"; hours "h"; other bases
// "yy/mmm/dd hh:nn". The year shown is the record's own ("yyyy" at least four digits with
// a minus sign before a year BC, "yy" the last two digits, also with the minus sign), the
// month and day those of the record in the year 2000. "??" on failure.
std::u16string AbbreviatedYearMonthDayAsString(const TYearMonthDay& rec, TTimeLinePlotbase basis);
// millennia..years "yyyy"; months "yyyy/mmm"; weeks and days "yyyy/mmm/dd"; hours
// "yyyy/mmm/dd hh"; unknown, data field, custom and spare "yyyy/mmm/dd hh:nn".
std::u16string TimeLineBasisFormatString(TTimeLinePlotbase basis);

// ---- Dates users type ---------------------------------------------------------------

// The record through a format whose runs of "y", "m" (month), "d", "h" and "n" (minute),
// lower case only, stand for the fields: "yy" the year with at least two digits (2010 stays
// 2010), "yyyy" with at least four; for the others one letter the number as it is, two
// with at least two digits. A run of any other length yields nothing; every other
// character is copied. 2010-03-04 05:06 through "yyyy-mm-dd hh:nn" is "2010-03-04 05:06".
std::u16string StringFromTYrMmDyHrMn(const TYrMmDyHrMn& rec, std::u16string_view format);
// Reads the text through a format of the same form: each run reads the characters at the
// same positions as a decimal integer ("yy" 2000 plus the number, "yyyy" the number, then
// clamped: year 0..2147483647, month 1..12, day 1..31, hour 0..23, minute 0..59). A run of
// another length, or characters that are no decimal integer (blanks may lead, a sign may
// start it), give -1 before the clamp. All zero when text and format differ in length
// (UTF-16 code units); a field the format lacks stays 0.
TYrMmDyHrMn DatefromUsersString(std::u16string_view text, std::u16string_view format);
// The shifted Julian date of a typed date, trimmed of blanks: a whole decimal integer is a
// year (1 July of it); else year/month/day with "/" between decimal integers. Texts of
// fewer than 4 characters, texts holding "<" or the catalogue's "<no date found>", and any
// other form give the cleared date's 1903316.5; a date that does not exist gives 0.0.
double UserStrDateAndTimeParsed(std::u16string_view text);

// ---- Timeline periods ---------------------------------------------------------------
// Integer division truncates towards zero: the millennium of -1234 starts in -1000.

// The first day of the period that holds the record: millennia, centuries, decades the
// first year's 1 January; years 1 January; months and weeks the 1st of the month; other
// bases the record itself.
TYearMonthDay StartOfPeriod(const TYearMonthDay& rec, TTimeLinePlotbase basis);
// The last day of the period: millennia, centuries, decades the last year's 31 December;
// years 31 December; months and weeks the month's last day in the record's own (unshifted)
// year, or today's date when that year is outside 1..9999 or the record's day is no day of
// that month; other bases the record itself.
TYearMonthDay EndOfPeriod(const TYearMonthDay& rec, TTimeLinePlotbase basis);
// How many periods run from the first date to the second: the year distance div 1000
// (100, 10) plus 1 for millennia, centuries and decades; the day span of the two shifted
// Julian dates divided by 365.25 (years), 30.4375 (months), 30.4375 then times 4 (weeks)
// or 1 (days), rounded up; 1 for other bases.
std::int32_t PeriodsBetween(const TYearMonthDay& first, const TYearMonthDay& second,
                            TTimeLinePlotbase basis);
// The number, from 0, of the period that holds the second date when periods are counted
// from the first: the year distance div 1000 (100, 10); the integer part of the year span,
// the month span, four times the month span or the day span; 0 for other bases.
std::int32_t PeriodNumberFor(const TYearMonthDay& first, const TYearMonthDay& second,
                             TTimeLinePlotbase basis);

}  // namespace corvane
