#pragma once
// The date part of the definitions unit Wdef: the record behind one timeline row, the
// dates of its periods, the names of the timeline bases, the package's date-reading format
// and the decoding of packed file dates.
//
// It lives beside Juliandateroutines rather than with the rest of Wdef in the definitions
// folder: the dates folder sits low, so that the string-list sorts and the file services,
// which sit below the definitions, can read dates with the package's format too.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/FormatSettings.hpp"

namespace corvane {

struct TDateTimeDetailsRec {
  TYearMonthDay period_start;
  TYearMonthDay period_mid;
  TYearMonthDay period_end;
};

struct THitAndWordCountRec {
  std::uint32_t hits = 0;
  std::uint32_t wordcount = 0;
  friend bool operator==(const THitAndWordCountRec&, const THitAndWordCountRec&) = default;
};
using TArrayOfHitsAndWordCounts = std::vector<THitAndWordCountRec>;

// The data behind one timeline row of a grid: the span from start_date to finish_date
// (shifted Julian dates) is cut into `periods` periods of equal length, one entry of
// hitsandWCounts per period.
struct TTimeLineDataRec {
  TTimeLinePlotbase basis = tlpb_unknown;
  double start_date = 0;
  double finish_date = 0;
  std::uint32_t wordcount_total = 0;
  std::uint32_t hits_total = 0;
  std::uint32_t periods = 0;
  std::uint32_t max_hits = 0;
  std::uint32_t max_wordcount = 0;
  float hitsper1000 = 0;
  float dispersion_value = 0;
  bool IsOverallOrLine1Data = false;
  std::array<std::uint8_t, 3> spare{};  // room for later fields; never read
  TArrayOfHitsAndWordCounts hitsandWCounts;
  std::u16string searchword;
};

// The display names of the bases, in their order: "unknown", "millennia", "centuries",
// "decades", "years", "months", "weeks", "days", "hours", "data field", "custom", "spare".
// Copied from the message catalogue when the unit starts (Wdef_dates_initialization): a
// translation loaded before the package starts names them, one loaded later does not
// until the unit is started again.
extern std::array<std::u16string, TimeLinePlotbaseCount> TimeLinePlotbaseStr;

// The settings for turning strings into date-times: the user's defaults with date
// separator "/", short date format "dd/mm/yyyy", time separator ":" and long time format
// "hh:nn:ss". Set when the unit starts.
extern TFormatSettings Global_StringToDateTimeFormat;

// The unit's start-up: fills the two globals above. Its shut-down empties them.
void Wdef_dates_initialization();
void Wdef_dates_finalization();

// The start, middle and end of period k (counted from 1) of the row. The middle is
// start_date + (2k - 1) x width / 2, width = (finish_date - start_date) / max(periods, 1),
// read back as a date (today's for 0.0). The start and end are copies of the middle with
// the years of its millennium, century or decade (months and days stay those of the
// middle), months 1 and 12 (years), or days 1 and the month's last (months and weeks);
// other bases leave all three equal.
TDateTimeDetailsRec JulianDateDetails(std::int32_t period, const TTimeLineDataRec& data);

// The label of period k: its middle as JulianToStringRemovingConst writes it on the row's
// basis, in full or abbreviated.
std::u16string JulianDateStrFromTimelineData(std::int32_t period, const TTimeLineDataRec& data,
                                             bool abbreviated);

// The date-time of a packed MS-DOS file date and time (as zip entries keep them): the date
// word ((year - 1980) << 9 | month << 5 | day) and the time word (hour << 11 | minute << 5 |
// second / 2). 0.0 for a value that holds no valid date or time; never raises.
TDateTime LastModTimeAndDateToDateTime(std::uint16_t time, std::uint16_t date);

}  // namespace corvane
