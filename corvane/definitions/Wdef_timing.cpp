// The package-wide stopwatch and its estimate of the time still to go.
#include <cmath>

#include "corvane/definitions/Wdef_services.hpp"
#include "corvane/messages/Generalruntime2const.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Format.hpp"

namespace corvane {

TDateTime Global_StartTime = 0;

void StartTiming() {
  Global_StartTime = Now();
}

TDateTime ElapsedTime(bool restart) {
  const TDateTime now = Now();
  const TDateTime elapsed = now - Global_StartTime;
  if (restart) Global_StartTime = now;
  return elapsed;
}

std::int64_t SecondsSinceGlobalStartTime() {
  return SecondsBetween(Now(), Global_StartTime);
}

TDateTime EstimateOfTimeRemaining(std::int64_t done, std::int64_t total) {
  if (done <= 0) return 0;
  // The elapsed time in whole milliseconds: a date-time far from its epoch holds a short
  // span only to a microsecond or so, and total / done would magnify that error.
  const double elapsed = static_cast<double>(MilliSecondsBetween(Now(), Global_StartTime));
  const double estimate =
      elapsed * static_cast<double>(total) / static_cast<double>(done) - elapsed;
  return estimate > 0 && std::isfinite(estimate) ? estimate / MSecsPerDay : 0;
}

std::u16string MessageOfEstimatedTimeRemaining(std::int64_t done, std::int64_t total) {
  const TDateTime estimate = EstimateOfTimeRemaining(done, total);
  // Whole milliseconds first, so that 30 s held as 29.9999999 s still reads 30.
  const double ms = std::round(estimate * MSecsPerDay);
  const std::int64_t seconds_in_all =
      ms < 9.0e15 ? static_cast<std::int64_t>(ms) / 1000 : std::int64_t{9000000000000};
  const std::int64_t hours = seconds_in_all / 3600;
  const std::int64_t minutes = seconds_in_all / 60 % 60;
  const std::int64_t seconds = seconds_in_all % 60;
  if (hours == 0 && minutes == 0) return Format(msg::text(msg::CVAboutNSecondsToGo), {seconds});
  if (hours == 0) return Format(msg::text(msg::CVAboutNMinsToGo), {minutes});
  return Format(msg::text(msg::CVAboutNHoursMinsToGo), {hours, minutes});
}

}  // namespace corvane
