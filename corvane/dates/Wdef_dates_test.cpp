// Timeline rows: the dates and labels of their periods; the basis names and date-reading
// format set at start-up; packed file dates.
#include "corvane/dates/Wdef_dates.hpp"

#include <gtest/gtest.h>

#include "corvane/messages/Message_catalogue.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {
namespace {

TYearMonthDay ymd(std::int32_t y, std::int32_t m, std::int32_t d) {
  return TYearMonthDay{y, m, d};
}

TTimeLineDataRec row(TTimeLinePlotbase basis, double start, double finish, std::uint32_t periods) {
  TTimeLineDataRec r;
  r.basis = basis;
  r.start_date = start;
  r.finish_date = finish;
  r.periods = periods;
  return r;
}

TEST(TimelineRows, PeriodDetailsByYears) {
  // 2000-01-01 to 2010-01-01 in ten periods: the first one's middle is 4095319.1.
  const TTimeLineDataRec r = row(tlpb_years, 4095136.5, 4098788.5, 10);
  const TDateTimeDetailsRec d = JulianDateDetails(1, r);
  EXPECT_EQ(d.period_mid, ymd(2000, 7, 2));
  EXPECT_EQ(d.period_start, ymd(2000, 1, 2));
  EXPECT_EQ(d.period_end, ymd(2000, 12, 2));
  EXPECT_EQ(JulianDateDetails(10, r).period_mid, ymd(2009, 7, 2));
}

TEST(TimelineRows, PeriodDetailsOnOtherBases) {
  const double start = YearMonthDayToJulianAddingConst(ymd(-1234, 1, 1));
  const double finish = YearMonthDayToJulianAddingConst(ymd(-1234, 3, 1));
  TDateTimeDetailsRec d = JulianDateDetails(1, row(tlpb_millennia, start, finish, 1));
  EXPECT_EQ(d.period_mid, ymd(-1234, 1, 30));
  EXPECT_EQ(d.period_start, ymd(-1000, 1, 30));
  EXPECT_EQ(d.period_end, ymd(-1, 1, 30));
  d = JulianDateDetails(1, row(tlpb_decades, start, finish, 1));
  EXPECT_EQ(d.period_start.year, -1230);
  EXPECT_EQ(d.period_end.year, -1221);
  // Months (and weeks) run from the 1st to the month's last day.
  d = JulianDateDetails(2, row(tlpb_months, start, finish, 2));
  EXPECT_EQ(d.period_start, ymd(-1234, 2, 1));
  EXPECT_EQ(d.period_end, ymd(-1234, 2, 28));
  d = JulianDateDetails(1, row(tlpb_days, start, finish, 59));
  EXPECT_EQ(d.period_start, d.period_mid);
  EXPECT_EQ(d.period_end, d.period_mid);
  // No periods count as one; period 0 lies before the row's start.
  EXPECT_EQ(JulianDateDetails(1, row(tlpb_days, start, finish, 0)).period_mid, ymd(-1234, 1, 30));
  EXPECT_EQ(JulianDateDetails(0, row(tlpb_days, start, start + 10, 1)).period_mid,
            ymd(-1235, 12, 27));
}

TEST(TimelineRows, MiddlesBeforeTheYear1900OfTheShiftedCalendar) {
  // Before -2600 the middle is a negative date-time, whose day is the one its integer part
  // names (truncated towards zero), as the runtime splits such date-times: 29.5 days after
  // 1 January is 31 January there, not 30 January.
  const double start = YearMonthDayToJulianAddingConst(ymd(-3000, 1, 1));
  const double finish = YearMonthDayToJulianAddingConst(ymd(-3000, 3, 1));
  TDateTimeDetailsRec d = JulianDateDetails(1, row(tlpb_millennia, start, finish, 1));
  EXPECT_EQ(d.period_mid, ymd(-3000, 1, 31));
  EXPECT_EQ(d.period_start, ymd(-3000, 1, 31));
  EXPECT_EQ(d.period_end, ymd(-2001, 1, 31));
  d = JulianDateDetails(2, row(tlpb_weeks, start, finish, 2));
  EXPECT_EQ(d.period_mid, ymd(-3000, 2, 15));
  EXPECT_EQ(d.period_start, ymd(-3000, 2, 1));
  EXPECT_EQ(d.period_end, ymd(-3000, 2, 28));
}

TEST(TimelineRows, LabelsOfPeriods) {
  const TFormatSettings saved = UserDefaultFormatSettings;
  UserDefaultFormatSettings = TFormatSettings{};
  const TTimeLineDataRec r = row(tlpb_years, 4095136.5, 4098788.5, 10);
  EXPECT_EQ(u8(JulianDateStrFromTimelineData(1, r, false)), "2000");
  EXPECT_EQ(u8(JulianDateStrFromTimelineData(3, r, true)), "02");
  const TTimeLineDataRec m = row(tlpb_months, 4095136.5, 4095136.5 + 60, 2);
  EXPECT_EQ(u8(JulianDateStrFromTimelineData(2, m, false)), "2000/Feb");
  // A row of zeros has no dates at all.
  EXPECT_EQ(u8(JulianDateStrFromTimelineData(1, TTimeLineDataRec{}, false)), "??");
  UserDefaultFormatSettings = saved;
}

TEST(TimelineRows, PackedFileDates) {
  // 2010-07-01 12:34:56: date (30 << 9 | 7 << 5 | 1), time (12 << 11 | 34 << 5 | 28).
  EXPECT_EQ(LastModTimeAndDateToDateTime(12 << 11 | 34 << 5 | 28, 30 << 9 | 7 << 5 | 1),
            EncodeDateTime(2010, 7, 1, 12, 34, 56, 0));
  EXPECT_EQ(LastModTimeAndDateToDateTime(0, 0), 0.0);                      // month 0
  EXPECT_EQ(LastModTimeAndDateToDateTime(31, 30 << 9 | 7 << 5 | 1), 0.0);  // 62 seconds
  EXPECT_EQ(LastModTimeAndDateToDateTime(24 << 11, 30 << 9 | 7 << 5 | 1), 0.0);
  EXPECT_EQ(LastModTimeAndDateToDateTime(0, 30 << 9 | 2 << 5 | 30), 0.0);  // 30 February
  EXPECT_EQ(LastModTimeAndDateToDateTime(0xFFFF, 0xFFFF), 0.0);
}

TEST(TimelineRows, StartUpFillsBasisNamesAndTheReadingFormat) {
  msg::clear_translation();
  // The unit's own start-up, as the package runs it.
  struct UnitScope {
    UnitScope() { Wdef_dates_initialization(); }
    ~UnitScope() { Wdef_dates_finalization(); }
  };
  {
    UnitScope unit;
    EXPECT_EQ(u8(TimeLinePlotbaseStr[tlpb_unknown]), "unknown");
    EXPECT_EQ(u8(TimeLinePlotbaseStr[tlpb_datafield]), "data field");
    EXPECT_EQ(u8(TimeLinePlotbaseStr[tlpb_spare]), "spare");
    EXPECT_EQ(Global_StringToDateTimeFormat.DateSeparator, u'/');
    EXPECT_EQ(u8(Global_StringToDateTimeFormat.ShortDateFormat), "dd/mm/yyyy");
    EXPECT_EQ(Global_StringToDateTimeFormat.TimeSeparator, u':');
    EXPECT_EQ(u8(Global_StringToDateTimeFormat.LongTimeFormat), "hh:nn:ss");
    EXPECT_EQ(Global_StringToDateTimeFormat.ShortMonthNames,
              UserDefaultFormatSettings.ShortMonthNames);
  }
  // A translation loaded before start-up names the bases.
  msg::load_translation("_CVDecades\tdécadas\n", "es");
  {
    UnitScope unit;
    EXPECT_EQ(u8(TimeLinePlotbaseStr[tlpb_decades]), "décadas");
  }
  msg::clear_translation();
}

}  // namespace
}  // namespace corvane
