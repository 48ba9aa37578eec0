// Shifted Julian dates: conversions both ways, the shifted calendar's leap years, the
// fall-backs to 0.0 and today, and timeline period arithmetic.
#include "corvane/dates/Juliandateroutines.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

TYearMonthDay ymd(std::int32_t y, std::int32_t m, std::int32_t d) {
  return TYearMonthDay{y, m, d};
}

// Today is 2024-03-15 10:30 while a test runs.
class JulianDates : public ::testing::Test {
 protected:
  void SetUp() override {
    set_clock([] { return EncodeDateTime(2024, 3, 15, 10, 30, 0, 0); });
  }
  void TearDown() override { set_clock(nullptr); }
};

TEST_F(JulianDates, KnownDatesAndTheClearedRecord) {
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2000, 1, 1)), 4095136.5);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2010, 7, 1)), 4098969.5);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(1, 1, 1)), 3365016.5);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(-4499, 1, 1)), 1721425.5);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(5499, 12, 31)), 5373483.5);

  TYearMonthDay cleared = ymd(7, 7, 7);
  ClearAYearMonthDayRec(cleared);
  EXPECT_EQ(cleared, ymd(-4001, 1, 1));
  EXPECT_EQ(AClearYearMonthDayRec(), cleared);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(cleared), ClearedJulianDate);
  EXPECT_EQ(JulianDateToYearMonthDayRemovingConst(ClearedJulianDate), cleared);
}

TEST_F(JulianDates, ClampsMonthAndDayButRefusesDaysTheMonthLacks) {
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2010, 13, 5)),
            YearMonthDayToJulianAddingConst(ymd(2010, 12, 5)));
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2010, 1, 40)),
            YearMonthDayToJulianAddingConst(ymd(2010, 1, 31)));
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2010, -3, 0)),
            YearMonthDayToJulianAddingConst(ymd(2010, 1, 1)));
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2010, 4, 31)), 0.0);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2010, 2, 30)), 0.0);
}

TEST_F(JulianDates, LeapYearsAreThoseOfTheShiftedYear) {
  // 6500 is no leap year, 6400 is one; the rule is otherwise the ordinary one.
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2000, 2, 29)), 0.0);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(1900, 2, 29)), 4058670.5);
  EXPECT_NE(YearMonthDayToJulianAddingConst(ymd(2004, 2, 29)), 0.0);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(2100, 2, 29)), 0.0);
  EXPECT_NE(YearMonthDayToJulianAddingConst(ymd(-500, 2, 29)), 0.0);   // 4000
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(-400, 2, 29)), 0.0);   // 4100
  EXPECT_NE(YearMonthDayToJulianAddingConst(ymd(-4496, 2, 29)), 0.0);  // 4
}

TEST_F(JulianDates, YearsOutsideTheRangeAndTheSixteenBitWrap) {
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(-4500, 12, 31)), 0.0);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(5500, 1, 1)), 0.0);
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(-4501, 1, 1)), 0.0);
  // year + 4500 is a 16-bit value: 63036 reads as -2500.
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(63036, 3, 1)),
            YearMonthDayToJulianAddingConst(ymd(-2500, 3, 1)));
  // The extremes of 32 bits are -1 and 0 modulo 65536.
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(INT32_MAX, 1, 1)),
            YearMonthDayToJulianAddingConst(ymd(-1, 1, 1)));
  EXPECT_EQ(YearMonthDayToJulianAddingConst(ymd(INT32_MIN, INT32_MIN, INT32_MAX)),
            YearMonthDayToJulianAddingConst(ymd(0, 1, 31)));
}

// Every day the shifted calendar holds converts to a number and back to itself, the numbers
// run on one a day, and they agree with the standard library's calendar.
TEST_F(JulianDates, EveryDayFromMinus4499To5499RoundTrips) {
  using namespace std::chrono;
  double expected = 1721425.5;
  long count = 0;
  for (int y = -4499; y <= 5499; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const int shifted = y + 4500;
      const int days = static_cast<int>(static_cast<unsigned>(
          year_month_day_last{year{shifted} / month{unsigned(m)} / last}.day()));
      for (int d = 1; d <= days; ++d) {
        const double j = YearMonthDayToJulianAddingConst(ymd(y, m, d));
        if (j != expected) {
          FAIL() << y << "-" << m << "-" << d << " gives " << j << ", expected " << expected;
        }
        const TYearMonthDay back = JulianDateToYearMonthDayRemovingConst(j);
        if (back != ymd(y, m, d)) {
          FAIL() << y << "-" << m << "-" << d << " comes back as " << back.year << "-" << back.month
                 << "-" << back.day;
        }
        expected += 1;
        ++count;
      }
    }
  }
  EXPECT_EQ(count, 9999 * 365 + 2424);  // 9999 years, 2424 of them leap years
}

TEST_F(JulianDates, ReadingBackFractionsZeroAndNonsense) {
  // A fraction belongs to the day that holds it.
  EXPECT_EQ(JulianDateToYearMonthDayRemovingConst(4095136.5 + 0.75), ymd(2000, 1, 1));
  EXPECT_EQ(JulianDateToYearMonthDayRemovingConst(4095319.1), ymd(2000, 7, 2));
  // 0.0 is no date: today, with no shift taken off.
  EXPECT_EQ(JulianDateToYearMonthDayRemovingConst(0.0), ymd(2024, 3, 15));
  // Before the calendar's first day: year -4500, month 0, day 0.
  EXPECT_EQ(JulianDateToYearMonthDayRemovingConst(1000.5), ymd(-4500, 0, 0));
  EXPECT_EQ(JulianDateToYearMonthDayRemovingConst(std::nan("")), ymd(2024, 3, 15));
  EXPECT_EQ(JulianDateToYearMonthDayRemovingConst(std::numeric_limits<double>::infinity()),
            ymd(2024, 3, 15));
}

TEST_F(JulianDates, DateTimesBothWays) {
  const TDateTime noon = EncodeDateTime(2010, 7, 1, 12, 0, 0, 0);
  EXPECT_EQ(DateTimeToJulianAddingConst(noon), YearMonthDayToJulianAddingConst(ymd(2010, 7, 1)));
  EXPECT_EQ(DateTimeToJulianAddingConst(EncodeDate(5499, 12, 31)), 5373483.5);
  EXPECT_EQ(DateTimeToJulianAddingConst(EncodeDate(5500, 1, 1)), 0.0);
  EXPECT_EQ(DateTimeToJulianAddingConst(-700000.0), 0.0);
  EXPECT_EQ(DateTimeToJulianAddingConst(std::nan("")), 0.0);

  EXPECT_EQ(DateToYearMonthDay(noon, false), ymd(2010, 7, 1));
  EXPECT_EQ(DateToYearMonthDay(noon, true), ymd(-2490, 7, 1));
  EXPECT_EQ(DateToYearMonthDayRemovingConst(noon), ymd(-2490, 7, 1));
  EXPECT_EQ(DateToYearMonthDay(-1.25, false), ymd(1899, 12, 29));  // negative date-time rule
  EXPECT_EQ(DateToYearMonthDay(std::nan(""), true), ymd(2024, 3, 15));

  EXPECT_EQ(YearMonthDayToJulianDateSemConvertir(ymd(2000, 1, 1)), 2451544.5);
  EXPECT_EQ(YearMonthDayToJulianDateSemConvertir(ymd(0, 1, 1)),
            EncodeDate(2024, 3, 15) + JulianDateOfDayZero);
}

TEST_F(JulianDates, StartAndEndOfPeriods) {
  const TYearMonthDay d = ymd(1995, 6, 15);
  EXPECT_EQ(StartOfPeriod(d, tlpb_decades), ymd(1990, 1, 1));
  EXPECT_EQ(EndOfPeriod(d, tlpb_decades), ymd(1999, 12, 31));
  EXPECT_EQ(StartOfPeriod(d, tlpb_weeks), ymd(1995, 6, 1));
  EXPECT_EQ(EndOfPeriod(d, tlpb_weeks), ymd(1995, 6, 30));
  EXPECT_EQ(StartOfPeriod(d, tlpb_millennia), ymd(1000, 1, 1));
  EXPECT_EQ(EndOfPeriod(d, tlpb_millennia), ymd(1999, 12, 31));
  EXPECT_EQ(StartOfPeriod(d, tlpb_centuries), ymd(1900, 1, 1));
  EXPECT_EQ(EndOfPeriod(d, tlpb_years), ymd(1995, 12, 31));
  EXPECT_EQ(StartOfPeriod(d, tlpb_days), d);
  EXPECT_EQ(EndOfPeriod(d, tlpb_hours), d);
  // Truncation towards zero: the millennium of -1234 starts in -1000 and ends in -1.
  EXPECT_EQ(StartOfPeriod(ymd(-1234, 5, 5), tlpb_millennia), ymd(-1000, 1, 1));
  EXPECT_EQ(EndOfPeriod(ymd(-1234, 5, 5), tlpb_millennia), ymd(-1, 12, 31));
  // Months end by the record's own year: February 2000 has 29 days there.
  EXPECT_EQ(EndOfPeriod(ymd(2000, 2, 10), tlpb_months), ymd(2000, 2, 29));
  // A year the calendar lacks, or a day the month lacks, gives today.
  EXPECT_EQ(EndOfPeriod(ymd(-500, 3, 3), tlpb_months), ymd(2024, 3, 15));
  EXPECT_EQ(EndOfPeriod(ymd(1900, 2, 29), tlpb_months), ymd(2024, 3, 15));
  EXPECT_EQ(EndOfPeriod(ymd(INT32_MAX, 1, 1), tlpb_millennia).year, INT32_MAX);
}

TEST_F(JulianDates, PeriodsBetweenAndPeriodNumbers) {
  const TYearMonthDay a = ymd(1990, 1, 1), b = ymd(1999, 12, 31);
  EXPECT_EQ(PeriodsBetween(a, b, tlpb_decades), 1);
  EXPECT_EQ(PeriodsBetween(a, b, tlpb_years), 10);  // 3651 / 365.25 = 9.9959
  EXPECT_EQ(PeriodsBetween(a, b, tlpb_weeks), 480);
  EXPECT_EQ(PeriodNumberFor(a, b, tlpb_weeks), 479);  // 4 x 3651 / 30.4375 = 479.8
  EXPECT_EQ(PeriodsBetween(a, b, tlpb_months), 120);
  EXPECT_EQ(PeriodNumberFor(a, b, tlpb_months), 119);
  EXPECT_EQ(PeriodsBetween(a, b, tlpb_days), 3651);  // a whole number stays
  EXPECT_EQ(PeriodNumberFor(a, b, tlpb_days), 3651);
  EXPECT_EQ(PeriodNumberFor(a, b, tlpb_years), 9);
  EXPECT_EQ(PeriodsBetween(a, b, tlpb_hours), 1);
  EXPECT_EQ(PeriodNumberFor(a, b, tlpb_custom), 0);
  // The year distance is absolute, whichever date comes first.
  EXPECT_EQ(PeriodNumberFor(b, ymd(1750, 1, 1), tlpb_centuries), 2);
  EXPECT_EQ(PeriodsBetween(ymd(-4499, 1, 1), ymd(5499, 1, 1), tlpb_millennia), 10);
  EXPECT_EQ(PeriodNumberFor(ymd(INT32_MIN, 1, 1), ymd(INT32_MAX, 1, 1), tlpb_decades), 429496729);
  EXPECT_EQ(PeriodsBetween(a, a, tlpb_years), 0);
}

}  // namespace
}  // namespace corvane
