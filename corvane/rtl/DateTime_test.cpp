#include "corvane/rtl/DateTime.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "corvane/rtl/Exception.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

struct Ymd {
  int y, m, d;
  bool operator==(const Ymd&) const = default;
};
Ymd ymd(TDateTime dt) {
  Ymd r{};
  DecodeDate(dt, r.y, r.m, r.d);
  return r;
}

TEST(DateTime, EncodeDateKnownDays) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1970, 1, 1), 25569);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
  TDateTime d = 123;
  EXPECT_TRUE(TryEncodeDate(2024, 2, 29, d));
  for (auto [y, m, dd] : {Ymd{2023, 2, 29}, Ymd{1900, 2, 29}, Ymd{0, 1, 1}, Ymd{10000, 1, 1},
                          Ymd{2024, 0, 1}, Ymd{2024, 13, 1}, Ymd{2024, 4, 31}, Ymd{2024, 1, 0}}) {
    EXPECT_FALSE(TryEncodeDate(y, m, dd, d)) << y << "-" << m << "-" << dd;
  }
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(2023, 2), 28);
  EXPECT_EQ(DaysInAMonth(2023, 13), 0);
}

TEST(DateTime, DecodeDateMatchesEveryDayOfTheCalendar) {
  Ymd want{1, 1, 1};
  for (int day = -693593; day <= 2958465; ++day) {
    ASSERT_EQ(ymd(day), want) << "day " << day;
    if (++want.d > DaysInAMonth(want.y, want.m)) {
      want.d = 1;
      if (++want.m > 12) want.m = 1, ++want.y;
    }
  }
  EXPECT_EQ(ymd(-693594), (Ymd{0, 0, 0}));
  EXPECT_EQ(ymd(NAN), (Ymd{0, 0, 0}));
  EXPECT_EQ(ymd(INFINITY), (Ymd{0, 0, 0}));
}

TEST(DateTime, NegativeValuesTakeTheFractionByAbsoluteValue) {
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(-1.25, y, mo, d, h, mi, s, ms);
  EXPECT_EQ((Ymd{y, mo, d}), (Ymd{1899, 12, 29}));
  EXPECT_EQ(h, 6);
  DecodeDateTime(-0.5, y, mo, d, h, mi, s, ms);
  EXPECT_EQ((Ymd{y, mo, d}), (Ymd{1899, 12, 30}));
  EXPECT_EQ(h, 12);
  EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
  EXPECT_EQ(EncodeDateTime(2000, 1, 1, 18, 0, 0, 0), 36526.75);
  // 1899-12-29 06:00 is 18 hours before 1899-12-30 00:00, not 30
  EXPECT_EQ(MilliSecondsBetween(-1.25, 0), 18LL * 3600 * 1000);
  EXPECT_EQ(MilliSecondsBetween(0, EncodeTime(0, 0, 1, 0)), 1000);
  EXPECT_EQ(MilliSecondsBetween(36526.5, 36526.5 + EncodeTime(0, 0, 0, 7)), 7);
}

TEST(DateTime, TimeEncodingAndRounding) {
  int h, m, s, ms;
  DecodeTime(EncodeTime(23, 59, 59, 999), h, m, s, ms);
  EXPECT_EQ((std::array{h, m, s, ms}), (std::array{23, 59, 59, 999}));
  TDateTime t;
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, t));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, t));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0, t));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, t));
  EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0, t));
  EXPECT_THROW(EncodeTime(25, 0, 0, 0), EConvertError);
  // a hair before midnight rounds to the next day's 00:00, never to 24:00
  const TDateTime late = 36526 + 0.9999999999;
  DecodeTime(late, h, m, s, ms);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(ymd(late), (Ymd{2000, 1, 2}));
}

TEST(DateTime, DayOfWeekIsOneForSunday) {
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3) + 0.9), 1);
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 29)), 6);
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);
}

TEST(DateTime, IncMonthClipsTheDay) {
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 12, 15) + 0.5, 1), EncodeDate(2025, 1, 15) + 0.5);
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), -13), EncodeDate(2022, 12, 15));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 15), 0), EncodeDate(2024, 1, 15));
  EXPECT_EQ(IncMonth(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), 1),
            EncodeDateTime(1900, 1, 29, 6, 0, 0, 0));
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1)), EConvertError);
  EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
}

TEST(DateTime, DosFileDates) {
  const TDateTime dt = EncodeDateTime(2024, 3, 15, 13, 45, 31, 0);
  EXPECT_EQ(static_cast<std::uint32_t>(DateTimeToFileDate(dt)), 0x586F6DAFu);
  EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(dt)), EncodeDateTime(2024, 3, 15, 13, 45, 30, 0));
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(1979, 12, 31)), 0);
  EXPECT_EQ(DateTimeToFileDate(EncodeDate(2108, 1, 1)), 0);
  const TDateTime last = EncodeDateTime(2107, 12, 31, 23, 59, 58, 0);
  EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(last)), last);
  EXPECT_EQ(FileDateToDateTime(0x00210000), EncodeDate(1980, 1, 1));
  EXPECT_THROW(FileDateToDateTime(0), EConvertError);           // month 0
  EXPECT_THROW(FileDateToDateTime(0x0021F000), EConvertError);  // hour 30
}

TEST(DateTime, UnixTimes) {
  EXPECT_EQ(DateTimeToUnix(EncodeDate(1970, 1, 1)), 0);
  EXPECT_EQ(DateTimeToUnix(EncodeDateTime(2001, 9, 9, 1, 46, 40, 0)), 1000000000);
  EXPECT_EQ(UnixToDateTime(1000000000), EncodeDateTime(2001, 9, 9, 1, 46, 40, 0));
  EXPECT_EQ(UnixToDateTime(-86400), EncodeDate(1969, 12, 31));
  EXPECT_EQ(UnixToDateTime(-2209226400), -1.25);
  EXPECT_EQ(DateTimeToUnix(-1.25), -2209226400);
  EXPECT_EQ(DateTimeToUnix(NAN), 0);
}

TEST(DateTime, DateAndTimeFollowTheInstalledClock) {
  testing::ManualClock clock(EncodeDate(2026, 6, 15) + 0.75);
  EXPECT_EQ(Date(), EncodeDate(2026, 6, 15));
  EXPECT_EQ(Time(), 0.75);
}

}  // namespace
}  // namespace corvane
