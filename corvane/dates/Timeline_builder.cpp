// Timeline rows from dated counts.

#include "corvane/dates/Timeline_builder.hpp"

#include <algorithm>
#include <cstdint>

#include "corvane/rtl/Exception.hpp"

namespace corvane {

namespace {

constexpr std::uint64_t kMaxCount = UINT32_MAX;

// The end of the latest date's period, mended where the period routines give a day the
// shifted calendar cannot hold (see the header).
TYearMonthDay period_end(const TYearMonthDay& latest, TTimeLinePlotbase basis) {
  TYearMonthDay last = EndOfPeriod(latest, basis);
  if ((basis == tlpb_months || basis == tlpb_weeks) &&
      (last.year != latest.year || last.month != latest.month)) {
    last = TYearMonthDay{latest.year, latest.month, 31};  // EndOfPeriod fell back to today
  }
  while (YearMonthDayToJulianAddingConst(last) == 0.0 && last.day > 28 && last.month >= 1 &&
         last.month <= 12) {
    --last.day;
  }
  if (YearMonthDayToJulianAddingConst(last) == 0.0) last = TYearMonthDay{5499, 12, 31};
  return last;
}

void add_checked(std::uint32_t& total, std::uint32_t amount, const char* what) {
  if (static_cast<std::uint64_t>(total) + amount > kMaxCount) {
    throw Exception(std::string("timeline: the ") + what + " add up to more than 4294967295");
  }
  total += amount;
}

}  // namespace

TTimeLineDataRec TimelineFromDatedCounts(const std::vector<TDatedCount>& counts,
                                         TTimeLinePlotbase basis) {
  TTimeLineDataRec row;
  row.basis = basis;
  row.IsOverallOrLine1Data = true;
  if (counts.empty()) return row;

  std::vector<TYearMonthDay> dates;
  dates.reserve(counts.size());
  std::size_t earliest = 0, latest = 0;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    // The calendar's days are -4499-01-01 (1721425.5) to 5499-12-31 (5373483.5).
    if (!(counts[i].julian >= 1721425.5 && counts[i].julian < 5373484.5)) {
      throw Exception(std::string("timeline: a count's date is no date of the calendar"));
    }
    dates.push_back(JulianDateToYearMonthDayRemovingConst(counts[i].julian));
    if (counts[i].julian < counts[earliest].julian) earliest = i;
    if (counts[i].julian > counts[latest].julian) latest = i;
  }

  const TYearMonthDay first = StartOfPeriod(dates[earliest], basis);
  const TYearMonthDay last = period_end(dates[latest], basis);
  row.start_date = YearMonthDayToJulianAddingConst(first);
  row.finish_date = YearMonthDayToJulianAddingConst(last) + 1;
  const std::int32_t periods = std::max(PeriodNumberFor(first, last, basis), 0) + 1;
  row.periods = static_cast<std::uint32_t>(periods);
  row.hitsandWCounts.resize(row.periods);

  for (std::size_t i = 0; i < counts.size(); ++i) {
    const std::int32_t k = std::clamp(PeriodNumberFor(first, dates[i], basis), 0, periods - 1);
    THitAndWordCountRec& cell = row.hitsandWCounts[static_cast<std::size_t>(k)];
    add_checked(cell.hits, counts[i].hits, "hits of a period");
    add_checked(cell.wordcount, counts[i].words, "words of a period");
    add_checked(row.hits_total, counts[i].hits, "hits of the timeline");
    add_checked(row.wordcount_total, counts[i].words, "words of the timeline");
  }
  for (const THitAndWordCountRec& cell : row.hitsandWCounts) {
    row.max_hits = std::max(row.max_hits, cell.hits);
    row.max_wordcount = std::max(row.max_wordcount, cell.wordcount);
  }
  row.hitsper1000 = row.wordcount_total == 0
                        ? 0.0f
                        : static_cast<float>(1000.0 * row.hits_total / row.wordcount_total);
  return row;
}

}  // namespace corvane
