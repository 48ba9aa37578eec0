#include "corvane/rtl/DateTime.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "corvane/rtl/Exception.hpp"

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

namespace {

// Days from 0001-01-01 (day 1) to 1899-12-30 (TDateTime 0).
constexpr std::int64_t kDateDelta = 693594;
constexpr std::int64_t kMSecsPerDay = 86'400'000;
// Days from 1899-12-30 to 1970-01-01.
constexpr std::int64_t kUnixDateDelta = 25569;

constexpr int kMonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                   {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Milliseconds since 1899-12-30 00:00 of the instant `dt` stands for.
std::int64_t instant_msecs(const detail::TimeStamp& ts) {
  return (ts.date - kDateDelta) * kMSecsPerDay + ts.time;
}

// The TDateTime of an instant given in milliseconds since 1899-12-30 00:00.
TDateTime from_instant_msecs(std::int64_t ms) {
  std::int64_t day = ms / kMSecsPerDay;
  std::int64_t time = ms % kMSecsPerDay;
  if (time < 0) {
    time += kMSecsPerDay;
    --day;
  }
  const double frac = static_cast<double>(time) / MSecsPerDay;
  return day >= 0 ? static_cast<double>(day) + frac : static_cast<double>(day) - frac;
}

TDateTime combine(TDateTime date, TDateTime time) {
  return date < 0 ? date - time : date + time;
}

}  // namespace

namespace detail {

TimeStamp date_time_to_time_stamp(TDateTime dt) {
  TimeStamp ts;
  // Beyond a billion days there is no calendar date left to speak of.
  if (!std::isfinite(dt) || std::fabs(dt) > 1e9) return ts;
  const double total = std::round(std::fabs(dt) * MSecsPerDay);
  const auto ms = static_cast<std::int64_t>(total);
  const std::int64_t days = ms / kMSecsPerDay;
  ts.time = ms % kMSecsPerDay;
  ts.date = kDateDelta + (dt < 0 ? -days : days);
  ts.valid = true;
  return ts;
}

}  // namespace detail

long long MilliSecondsBetween(TDateTime a, TDateTime b) {
  const auto ta = detail::date_time_to_time_stamp(a);
  const auto tb = detail::date_time_to_time_stamp(b);
  if (!ta.valid || !tb.valid) return 0;
  const std::int64_t d = instant_msecs(ta) - instant_msecs(tb);
  return d < 0 ? -d : d;
}

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return kMonthDays[IsLeapYear(year) ? 1 : 0][month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInAMonth(year, month)) return false;
  const int* table = kMonthDays[IsLeapYear(year) ? 1 : 0];
  std::int64_t days = day;
  for (int m = 1; m < month; ++m) days += table[m - 1];
  const std::int64_t y = year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  date = static_cast<double>(days - kDateDelta);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d;
  if (!TryEncodeDate(year, month, day, d)) {
    throw EConvertError(std::u16string(u"Invalid argument to date encode"));
  }
  return d;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
  year = month = day = 0;
  const auto ts = detail::date_time_to_time_stamp(dt);
  if (!ts.valid || ts.date <= 0) return;
  constexpr std::int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
  std::int64_t t = ts.date - 1;
  std::int64_t y = 1 + (t / D400) * 400;
  t %= D400;
  std::int64_t i = t / D100, d = t % D100;
  if (i == 4) {
    --i;
    d += D100;
  }
  y += i * 100;
  y += (d / D4) * 4;
  d %= D4;
  i = d / D1;
  d %= D1;
  if (i == 4) {
    --i;
    d += D1;
  }
  y += i;
  const int* table = kMonthDays[IsLeapYear(static_cast<int>(y)) ? 1 : 0];
  int m = 1;
  while (d >= table[m - 1]) d -= table[m++ - 1];
  year = static_cast<int>(y);
  month = m;
  day = static_cast<int>(d) + 1;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time) {
  if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 ||
      millisecond < 0 || millisecond >= 1000) {
    return false;
  }
  const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  time = static_cast<double>(ms) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  TDateTime t;
  if (!TryEncodeTime(hour, minute, second, millisecond, t)) {
    throw EConvertError(std::u16string(u"Invalid argument to time encode"));
  }
  return t;
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& millisecond) {
  const auto ts = detail::date_time_to_time_stamp(dt);
  std::int64_t ms = ts.valid ? ts.time : 0;
  millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  second = static_cast<int>(ms % 60);
  ms /= 60;
  minute = static_cast<int>(ms % 60);
  hour = static_cast<int>(ms / 60);
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                       int millisecond, TDateTime& dt) {
  TDateTime d, t;
  if (!TryEncodeDate(year, month, day, d) || !TryEncodeTime(hour, minute, second, millisecond, t)) {
    return false;
  }
  dt = combine(d, t);
  return true;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                         int millisecond) {
  return combine(EncodeDate(year, month, day), EncodeTime(hour, minute, second, millisecond));
}

void DecodeDateTime(TDateTime dt, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& millisecond) {
  DecodeDate(dt, year, month, day);
  DecodeTime(dt, hour, minute, second, millisecond);
}

TDateTime Date() {
  return std::trunc(Now());
}

TDateTime Time() {
  const TDateTime now = Now();
  return std::fabs(now - std::trunc(now));
}

int DayOfWeek(TDateTime dt) {
  const auto ts = detail::date_time_to_time_stamp(dt);
  const std::int64_t r = ts.date % 7;
  return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

TDateTime IncMonth(TDateTime dt, int months) {
  int year, month, day;
  DecodeDate(dt, year, month, day);
  const auto ts = detail::date_time_to_time_stamp(dt);
  const std::int64_t index = static_cast<std::int64_t>(year) * 12 + (month - 1) + months;
  const std::int64_t new_year = index >= 0 ? index / 12 : -1;
  if (new_year < 1 || new_year > 9999) {
    throw EConvertError(std::u16string(u"Invalid argument to date encode"));
  }
  year = static_cast<int>(new_year);
  month = static_cast<int>(index % 12) + 1;
  day = std::min(day, DaysInAMonth(year, month));
  return combine(EncodeDate(year, month, day), static_cast<double>(ts.time) / MSecsPerDay);
}

std::int32_t DateTimeToFileDate(TDateTime dt) {
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(dt, y, mo, d, h, mi, s, ms);
  if (y < 1980 || y > 2107) return 0;
  const std::uint32_t date = static_cast<std::uint32_t>(((y - 1980) << 9) | (mo << 5) | d);
  const std::uint32_t time = static_cast<std::uint32_t>((h << 11) | (mi << 5) | (s >> 1));
  return static_cast<std::int32_t>((date << 16) | time);
}

TDateTime FileDateToDateTime(std::int32_t file_date) {
  const auto packed = static_cast<std::uint32_t>(file_date);
  const int date = static_cast<int>(packed >> 16), time = static_cast<int>(packed & 0xFFFF);
  return EncodeDate((date >> 9) + 1980, (date >> 5) & 15, date & 31) +
         EncodeTime(time >> 11, (time >> 5) & 63, (time & 31) * 2, 0);
}

std::int64_t DateTimeToUnix(TDateTime dt) {
  const auto ts = detail::date_time_to_time_stamp(dt);
  if (!ts.valid) return 0;
  const std::int64_t ms = instant_msecs(ts) - kUnixDateDelta * kMSecsPerDay;
  return std::llround(static_cast<double>(ms) / 1000.0);
}

TDateTime UnixToDateTime(std::int64_t seconds) {
  // Clamp to what a double of milliseconds can hold exactly; far beyond any calendar date.
  constexpr std::int64_t kLimit = 4'000'000'000'000'000;
  if (seconds > kLimit / 1000) seconds = kLimit / 1000;
  if (seconds < -kLimit / 1000) seconds = -kLimit / 1000;
  return from_instant_msecs(seconds * 1000 + kUnixDateDelta * kMSecsPerDay);
}

}  // namespace corvane
