// The date part of Wdef: timeline rows, basis names, the date-reading format and packed
// file dates.

#include "corvane/dates/Wdef_dates.hpp"

#include <algorithm>

#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

std::array<std::u16string, TimeLinePlotbaseCount> TimeLinePlotbaseStr;
TFormatSettings Global_StringToDateTimeFormat;

void Wdef_dates_initialization() {
  static constexpr std::array<msg::MessageId, TimeLinePlotbaseCount> names = {
      msg::CVUnknown, msg::CVMillennia, msg::CVCenturies, msg::CVDecades,
      msg::CVYears,   msg::CVMonths,    msg::CVWeeks,     msg::CVDays,
      msg::CVHours,   msg::CVData,      msg::CVCustom,    msg::CVSpare};
  for (std::size_t i = 0; i < names.size(); ++i) TimeLinePlotbaseStr[i] = LoadResString(names[i]);

  Global_StringToDateTimeFormat = UserDefaultFormatSettings;
  Global_StringToDateTimeFormat.DateSeparator = u'/';
  Global_StringToDateTimeFormat.ShortDateFormat = u"dd/mm/yyyy";
  Global_StringToDateTimeFormat.TimeSeparator = u':';
  Global_StringToDateTimeFormat.LongTimeFormat = u"hh:nn:ss";
}

void Wdef_dates_finalization() {
  for (std::u16string& name : TimeLinePlotbaseStr) name.clear();
  Global_StringToDateTimeFormat = TFormatSettings{};
}

namespace {

// The middle of period k of the row, as a shifted Julian date.
double period_middle(std::int32_t period, const TTimeLineDataRec& data) {
  const double periods = std::max<std::uint32_t>(data.periods, 1);
  const double k = period;
  return data.start_date + (2 * k - 1) * (data.finish_date - data.start_date) / (2 * periods);
}

}  // namespace

TDateTimeDetailsRec JulianDateDetails(std::int32_t period, const TTimeLineDataRec& data) {
  const double periods = std::max<std::uint32_t>(data.periods, 1);
  const double width = (data.finish_date - data.start_date) / periods;
  const double middle = data.start_date + (2 * static_cast<double>(period) - 1) * width / 2;

  TDateTimeDetailsRec r;
  r.period_mid = JulianDateToYearMonthDayRemovingConst(middle);
  r.period_start = r.period_mid;
  r.period_end = r.period_mid;
  const auto years_of = [&](std::int32_t n) {
    r.period_start.year = (r.period_mid.year / n) * n;
    const std::int64_t last = static_cast<std::int64_t>(r.period_start.year) + (n - 1);
    r.period_end.year = static_cast<std::int32_t>(std::min<std::int64_t>(last, INT32_MAX));
  };
  switch (data.basis) {
    case tlpb_millennia:
      years_of(1000);
      break;
    case tlpb_centuries:
      years_of(100);
      break;
    case tlpb_decades:
      years_of(10);
      break;
    case tlpb_years:
      r.period_start.month = 1;
      r.period_end.month = 12;
      break;
    case tlpb_months:
    case tlpb_weeks:
      r.period_start.day = 1;
      r.period_end.day = DaysInAMonth(r.period_mid.year, r.period_mid.month);
      break;
    default:
      break;
  }
  return r;
}

std::u16string JulianDateStrFromTimelineData(std::int32_t period, const TTimeLineDataRec& data,
                                             bool abbreviated) {
  return JulianToStringRemovingConst(period_middle(period, data), data.basis, abbreviated);
}

TDateTime LastModTimeAndDateToDateTime(std::uint16_t time, std::uint16_t date) {
  const int year = (date >> 9) + 1980, month = (date >> 5) & 15, day = date & 31;
  const int hour = time >> 11, minute = (time >> 5) & 63, second = (time & 31) * 2;
  TDateTime d, t;
  if (!TryEncodeDate(year, month, day, d) || !TryEncodeTime(hour, minute, second, 0, t)) {
    return 0.0;
  }
  return d + t;
}

}  // namespace corvane
