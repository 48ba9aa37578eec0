#pragma once
// A timeline row from dated counts: the periods that cover the dates on a basis, and the
// hits and words of each period. Not one of the package's own routines; the command-line
// program builds its timelines with it.
//
// The row runs from the start of the earliest date's period to the day after the end of
// the latest date's period, in PeriodNumberFor(first, last) + 1 periods, and each count
// lands in period PeriodNumberFor(first, its date) + 1 (StartOfPeriod, EndOfPeriod and
// PeriodNumberFor of Juliandateroutines).
//
// Two period ends that those routines cannot turn into a shifted Julian date are mended
// so that no row runs to the wrong end: a month's end taken from the unshifted calendar
// that the shifted one lacks (29 February 2000, as 6500 has none) steps back to the
// month's last day, and a month or week period of a year before 1 (for which EndOfPeriod
// gives today's date) ends on its month's last day; a millennium, century or decade that
// ends after 5499 ends on 5499-12-31.

#include <cstdint>
#include <vector>

#include "corvane/dates/Wdef_dates.hpp"

namespace corvane {

struct TDatedCount {
  double julian = 0;  // a shifted Julian date (not 0.0, not the cleared date)
  std::uint32_t hits = 1;
  std::uint32_t words = 0;
};

// The row of the counts on the basis: hitsandWCounts, the totals and maxima, hitsper1000
// (hits per thousand words, 0 without words) and IsOverallOrLine1Data set; the
// dispersion is left 0. An empty list gives a row of no periods. Raises corvane::Exception
// when a period's or the row's hits or words pass 4294967295, and for a date that is no
// shifted Julian date of the calendar.
TTimeLineDataRec TimelineFromDatedCounts(const std::vector<TDatedCount>& counts,
                                         TTimeLinePlotbase basis);

}  // namespace corvane
