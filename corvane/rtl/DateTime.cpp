#include "corvane/rtl/DateTime.hpp"

#include <chrono>
#include <cmath>
#include <ctime>

namespace corvane {

namespace {
TClockFunction& installed_clock() {
  static TClockFunction clock;
  return clock;
}
}  // namespace

TDateTime system_clock_now() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t secs = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&secs, &local);
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  // Days from 1899-12-30 to 1970-01-01 are 25569; local time is the UTC time shifted by
  // the zone offset in force.
  const double utc_days = static_cast<double>(secs) / SecsPerDay + 25569.0;
  return utc_days + static_cast<double>(local.tm_gmtoff) / SecsPerDay +
         static_cast<double>(ms) / MSecsPerDay;
}

TDateTime Now() {
  const TClockFunction& clock = installed_clock();
  return clock ? clock() : system_clock_now();
}

void set_clock(TClockFunction clock) {
  installed_clock() = std::move(clock);
}

long long SecondsBetween(TDateTime a, TDateTime b) {
  const double ms = std::round(std::fabs(a - b) * MSecsPerDay);
  return static_cast<long long>(ms / 1000.0);
}

}  // namespace corvane
