#include <gtest/gtest.h>

#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

const TFormatSettings us;
// Tuesday 2024-03-05 14:07:09.045
const TDateTime kAfternoon = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);

std::u16string F(std::u16string_view fmt, TDateTime dt = kAfternoon) {
  return FormatDateTime(fmt, dt, us);
}

TEST(FormatDateTime, NumbersAndNames) {
  EXPECT_EQ(F(u"yyyy-mm-dd hh:nn:ss.zzz"), u"2024-03-05 14:07:09.045");
  EXPECT_EQ(F(u"d/m/yy"), u"5/3/24");
  EXPECT_EQ(F(u"y yyy"), u"24 2024");
  EXPECT_EQ(F(u"ddd dddd mmm mmmm"), u"Tue Tuesday Mar March");
  EXPECT_EQ(F(u"DDDD MMMM YYYY"), u"Tuesday March 2024");
  EXPECT_EQ(F(u"h n s z"), u"14 7 9 45");
  EXPECT_EQ(F(u"yyyy", EncodeDate(5, 1, 1)), u"0005");
}

TEST(FormatDateTime, MAfterAnHourIsMinutes) {
  EXPECT_EQ(F(u"hh:mm"), u"14:07");
  EXPECT_EQ(F(u"h mm"), u"14 07");
  EXPECT_EQ(F(u"mm hh mm"), u"03 14 07");
  EXPECT_EQ(F(u"'mm' \"h\" mm"), u"mm h 03");  // quoted letters are not tokens
}

TEST(FormatDateTime, TwelveHourClock) {
  EXPECT_EQ(F(u"h:mm am/pm"), u"2:07 pm");
  EXPECT_EQ(F(u"hh:mm AM/PM"), u"02:07 PM");
  EXPECT_EQ(F(u"h a/p"), u"2 p");
  EXPECT_EQ(F(u"h ampm"), u"2 PM");
  EXPECT_EQ(F(u"h am/pm", EncodeDate(2024, 1, 1)), u"12 am");
  EXPECT_EQ(F(u"h AMPM", EncodeDate(2024, 1, 1) + 0.5), u"12 PM");
  EXPECT_EQ(F(u"am/pm h"), u"pm 14");  // only a marker after the hour switches the clock
  EXPECT_EQ(F(u"h 'am/pm'"), u"14 am/pm");
  EXPECT_EQ(F(u"h an"), u"14 a7");
}

TEST(FormatDateTime, NamedFormatsAndSeparators) {
  EXPECT_EQ(F(u"c"), u"3/5/2024 2:07:09 PM");
  EXPECT_EQ(F(u"c", EncodeDate(2024, 3, 5)), u"3/5/2024");
  EXPECT_EQ(F(u"dddddd"), u"Tuesday, March 5, 2024");
  EXPECT_EQ(F(u"t"), u"2:07 PM");
  EXPECT_EQ(F(u"tt"), u"2:07:09 PM");
  EXPECT_EQ(F(u""), u"3/5/2024 2:07:09 PM");
  EXPECT_EQ(F(u"yyyy w x!"), u"2024 w x!");
  TFormatSettings de = us;
  de.DateSeparator = u'.';
  de.TimeSeparator = u'-';
  de.ShortDateFormat = u"dd/mm/yyyy";
  de.LongTimeFormat = u"hh:nn:ss";
  EXPECT_EQ(FormatDateTime(u"c", kAfternoon, de), u"05.03.2024 14-07-09");
  EXPECT_EQ(DateToStr(kAfternoon, de), u"05.03.2024");
  EXPECT_EQ(TimeToStr(kAfternoon, de), u"14-07-09");
  // a format naming itself stops instead of recursing for ever
  de.ShortDateFormat = u"ddddd";
  EXPECT_EQ(FormatDateTime(u"ddddd", kAfternoon, de), u"");
}

TEST(FormatDateTime, BeforeTheEpoch) {
  EXPECT_EQ(F(u"yyyy-mm-dd hh:nn", -1.25), u"1899-12-29 06:00");
  EXPECT_EQ(F(u"dddd", -1.25), u"Friday");
}

TEST(StrToDate, FollowsTheShortDateOrder) {
  testing::ManualClock clock(EncodeDate(2026, 6, 15) + 0.5);
  TFormatSettings dmy = us;
  dmy.ShortDateFormat = u"dd.MM.yyyy";
  dmy.DateSeparator = u'.';
  TFormatSettings ymd = us;
  ymd.ShortDateFormat = u"yyyy/MM/dd";
  // Without a year, the current one.
  const struct {
    const TFormatSettings& fs;
    const char16_t* text;
    int year;
  } cases[] = {{us, u"3/5/2024", 2024}, {us, u" 3 / 5 / 2024 ", 2024},
               {us, u"3/5", 2026},      {dmy, u"05.03.2024", 2024},
               {dmy, u"5.3", 2026},     {ymd, u"2024/03/05", 2024},
               {ymd, u"3/5", 2026}};
  for (const auto& c : cases) {
    TDateTime d = 0;
    EXPECT_TRUE(TryStrToDate(c.text, d, c.fs)) << "refused a good date";
    EXPECT_EQ(d, EncodeDate(c.year, 3, 5));
  }
}

TEST(StrToDate, TwoDigitYearsUseTheCenturyWindow) {
  testing::ManualClock clock(EncodeDate(2026, 6, 15));
  TDateTime d = 0;
  EXPECT_TRUE(TryStrToDate(u"3/5/24", d, us));
  EXPECT_EQ(d, EncodeDate(2024, 3, 5));
  EXPECT_TRUE(TryStrToDate(u"3/5/76", d, us));  // 2026 - 50 = 1976 is the window's start
  EXPECT_EQ(d, EncodeDate(1976, 3, 5));
  EXPECT_TRUE(TryStrToDate(u"3/5/75", d, us));
  EXPECT_EQ(d, EncodeDate(2075, 3, 5));
  EXPECT_TRUE(TryStrToDate(u"3/5/0024", d, us));  // four digits are taken as written
  EXPECT_EQ(d, EncodeDate(24, 3, 5));
  TFormatSettings no_window = us;
  no_window.TwoDigitYearCenturyWindow = 0;
  EXPECT_TRUE(TryStrToDate(u"3/5/99", d, no_window));
  EXPECT_EQ(d, EncodeDate(2099, 3, 5));
}

TEST(StrToDate, RejectsWhatIsNotADate) {
  testing::ManualClock clock(EncodeDate(2026, 6, 15));
  TDateTime d = 0;
  for (const char16_t* bad : {u"", u"3", u"3/", u"2/30/2024", u"3-5-2024", u"3/5/2024x",
                              u"3/5/2024/1", u"a/b/c", u"13/1/2024", u"3/5/12345"}) {
    EXPECT_FALSE(TryStrToDate(bad, d, us)) << "accepted a bad date";
  }
  try {
    StrToDate(u"x", us);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'x' is not a valid date");
  }
}

TEST(StrToDateTime, DayMonthYearWithAnOptionalTime) {
  testing::ManualClock clock(EncodeDate(2026, 6, 15) + 0.5);
  // The order the suite reads fields with: day first, "/" and ":".
  TFormatSettings dmy = us;
  dmy.ShortDateFormat = u"dd/mm/yyyy";
  dmy.TimeSeparator = u':';
  TDateTime v = 0;
  EXPECT_TRUE(TryStrToDateTime(u"03/05/2024", v, dmy));
  EXPECT_EQ(v, EncodeDate(2024, 5, 3));  // 3 May, not 5 March
  EXPECT_TRUE(TryStrToDateTime(u"03/05/2024 14:07", v, dmy));
  EXPECT_EQ(v, EncodeDateTime(2024, 5, 3, 14, 7, 0, 0));
  EXPECT_TRUE(TryStrToDateTime(u" 3/5/2024  14:07:09.5 ", v, dmy));
  EXPECT_EQ(v, EncodeDateTime(2024, 5, 3, 14, 7, 9, 500));
  EXPECT_TRUE(TryStrToDateTime(u"3/5/2024 2:07 pm", v, dmy));
  EXPECT_EQ(v, EncodeDateTime(2024, 5, 3, 14, 7, 0, 0));
  EXPECT_TRUE(TryStrToDateTime(u"3/5/2024 12:00 AM", v, dmy));
  EXPECT_EQ(v, EncodeDate(2024, 5, 3));
  EXPECT_TRUE(TryStrToDateTime(u"3/5 10:30", v, dmy));  // the current year
  EXPECT_EQ(v, EncodeDateTime(2026, 5, 3, 10, 30, 0, 0));
  EXPECT_TRUE(TryStrToDateTime(u"28/12/1899 06:00", v, dmy));  // before the epoch
  EXPECT_EQ(v, -2.25);
  // Another time separator is the settings' own.
  TFormatSettings dot = dmy;
  dot.TimeSeparator = u'.';
  EXPECT_TRUE(TryStrToDateTime(u"3/5/2024 14.07", v, dot));
  EXPECT_FALSE(TryStrToDateTime(u"3/5/2024 14:07", v, dot));
  for (const char16_t* bad : {u"", u"14:07", u"3/5/2024 14", u"3/5/2024 24:00", u"3/5/2024 14:60",
                              u"3/5/2024 13:00 PM", u"3/5/2024 14:07 x", u"31/2/2024 10:00",
                              u"3/5/2024 123:00", u"3/5/2024 1:2:3:4", u"5/13/2024"}) {
    EXPECT_FALSE(TryStrToDateTime(bad, v, dmy)) << "accepted a bad date-time";
  }
  EXPECT_THROW(StrToDateTime(u"3/5/2024 x", dmy), EConvertError);
  EXPECT_EQ(StrToDateTime(u"3/5/2024 1:00", dmy), EncodeDateTime(2024, 5, 3, 1, 0, 0, 0));
}

}  // namespace
}  // namespace corvane
