// Timeline rows from dated counts: the span, the period each count lands in, and the
// period ends the period routines cannot express.
#include "corvane/dates/Timeline_builder.hpp"

#include <gtest/gtest.h>

#include "corvane/rtl/Exception.hpp"

namespace corvane {
namespace {

double J(std::int32_t y, std::int32_t m, std::int32_t d) {
  return YearMonthDayToJulianAddingConst(TYearMonthDay{y, m, d});
}

TEST(TimelineBuilder, YearsFromEarliestToLatest) {
  const TTimeLineDataRec row = TimelineFromDatedCounts(
      {{J(2003, 5, 5), 2, 100}, {J(2000, 7, 1), 1, 10}, {J(2003, 1, 1), 3, 0}}, tlpb_years);
  EXPECT_EQ(row.basis, tlpb_years);
  EXPECT_EQ(row.start_date, J(2000, 1, 1));
  EXPECT_EQ(row.finish_date, J(2003, 12, 31) + 1);
  ASSERT_EQ(row.periods, 4u);
  // Periods are measured in mean years of 365.25 days: 1 January 2003 is 1095 days (three
  // shifted years of 365) after the start, 2.998 mean years, so it counts in the third
  // period, while 5 May 2003 is in the fourth.
  EXPECT_EQ(row.hitsandWCounts, (TArrayOfHitsAndWordCounts{{1, 10}, {0, 0}, {3, 0}, {2, 100}}));
  EXPECT_EQ(row.hits_total, 6u);
  EXPECT_EQ(row.wordcount_total, 110u);
  EXPECT_EQ(row.max_hits, 3u);
  EXPECT_EQ(row.max_wordcount, 100u);
  EXPECT_FLOAT_EQ(row.hitsper1000, 6000.0f / 110);
  EXPECT_TRUE(row.IsOverallOrLine1Data);
  EXPECT_EQ(JulianDateDetails(4, row).period_mid.year, 2003);
}

TEST(TimelineBuilder, DecadesAcrossYearZeroAndOtherBases) {
  TTimeLineDataRec row = TimelineFromDatedCounts({{J(-15, 1, 1)}, {J(25, 1, 1)}}, tlpb_decades);
  // Periods count from the decade that starts in -10 (towards zero) to the one ending in 29.
  EXPECT_EQ(row.start_date, J(-10, 1, 1));
  EXPECT_EQ(row.finish_date, J(29, 12, 31) + 1);
  ASSERT_EQ(row.periods, 4u);
  EXPECT_EQ(row.hitsandWCounts[0].hits, 1u);
  EXPECT_EQ(row.hitsandWCounts[3].hits, 1u);

  row = TimelineFromDatedCounts({{J(2000, 1, 1)}, {J(2000, 1, 3)}}, tlpb_hours);
  EXPECT_EQ(row.periods, 1u);
  EXPECT_EQ(row.hitsandWCounts[0].hits, 2u);
  row = TimelineFromDatedCounts({{J(2000, 1, 1)}, {J(2000, 1, 3)}}, tlpb_days);
  EXPECT_EQ(row.periods, 3u);
  EXPECT_EQ(TimelineFromDatedCounts({}, tlpb_days).periods, 0u);
}

TEST(TimelineBuilder, PeriodEndsTheShiftedCalendarLacks) {
  // February 2000 ends on the 29th unshifted; the shifted calendar ends it on the 28th.
  TTimeLineDataRec row = TimelineFromDatedCounts({{J(2000, 1, 5)}, {J(2000, 2, 10)}}, tlpb_months);
  EXPECT_EQ(row.finish_date, J(2000, 2, 28) + 1);
  EXPECT_EQ(row.periods, 2u);
  // A month BC ends on its own last day, not on today's date.
  row = TimelineFromDatedCounts({{J(-500, 3, 5)}}, tlpb_weeks);
  EXPECT_EQ(row.start_date, J(-500, 3, 1));
  EXPECT_EQ(row.finish_date, J(-500, 3, 31) + 1);
  EXPECT_EQ(row.periods, 4u);
  // The millennium of 5000 ends where the calendar does.
  row = TimelineFromDatedCounts({{J(5001, 1, 1)}}, tlpb_millennia);
  EXPECT_EQ(row.finish_date, J(5499, 12, 31) + 1);
}

TEST(TimelineBuilder, OverflowAndImpossibleDatesRaise) {
  EXPECT_THROW(TimelineFromDatedCounts(
                   {{J(2000, 1, 1), 4000000000u, 0}, {J(2000, 1, 1), 300000000u, 0}}, tlpb_years),
               Exception);
  EXPECT_THROW(TimelineFromDatedCounts({{0.0}}, tlpb_years), Exception);
  EXPECT_THROW(TimelineFromDatedCounts({{1e300}}, tlpb_years), Exception);
  EXPECT_NO_THROW(TimelineFromDatedCounts({{J(2000, 1, 1), 4294967295u, 4294967295u}}, tlpb_years));
}

}  // namespace
}  // namespace corvane
