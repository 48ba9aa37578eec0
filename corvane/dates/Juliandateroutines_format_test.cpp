// Timeline labels, fixed-position date formats and the dates users type.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "corvane/dates/Juliandateroutines.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {
namespace {

TYearMonthDay ymd(std::int32_t y, std::int32_t m, std::int32_t d) {
  return TYearMonthDay{y, m, d};
}

// English month names and "/" as the date separator, whatever the machine's locale.
class DateText : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = UserDefaultFormatSettings;
    UserDefaultFormatSettings = TFormatSettings{};
  }
  void TearDown() override {
    UserDefaultFormatSettings = saved_;
    msg::clear_translation();
  }
  TFormatSettings saved_;
};

std::string label(const TYearMonthDay& d, TTimeLinePlotbase basis) {
  return u8(YearMonthDayAsString(d, basis));
}
std::string short_label(const TYearMonthDay& d, TTimeLinePlotbase basis) {
  return u8(AbbreviatedYearMonthDayAsString(d, basis));
}

TEST_F(DateText, FullLabelsOnEveryBasis) {
  const TYearMonthDay d = ymd(2010, 1, 5);
  EXPECT_EQ(label(d, tlpb_days), "2010/Jan/05");
  EXPECT_EQ(label(d, tlpb_weeks), "2010/Jan/05");
  EXPECT_EQ(label(d, tlpb_years), "2010");
  EXPECT_EQ(label(d, tlpb_millennia), "2010");
  EXPECT_EQ(label(d, tlpb_months), "2010/Jan");
  EXPECT_EQ(label(d, tlpb_hours), "2010/Jan/05 00");
  EXPECT_EQ(label(d, tlpb_custom), "2010/Jan/05 00:00");
  EXPECT_EQ(label(ymd(-500, 7, 1), tlpb_days), "-0500/Jul/01");
  EXPECT_EQ(label(ymd(12345, 7, 1), tlpb_years), "12345");
  EXPECT_EQ(label(ymd(7, 7, 1), tlpb_years), "0007");
  // 29 February formats whatever the year; a day no year has does not.
  EXPECT_EQ(label(ymd(2001, 2, 29), tlpb_days), "2001/Feb/29");
  EXPECT_EQ(label(ymd(2001, 2, 30), tlpb_days), "??");
  EXPECT_EQ(label(ymd(2001, 0, 0), tlpb_years), "??");

  UserDefaultFormatSettings.DateSeparator = u'.';
  UserDefaultFormatSettings.ShortMonthNames[0] = u"janv.";
  EXPECT_EQ(label(d, tlpb_days), "2010.janv..05");
}

TEST_F(DateText, AbbreviatedLabelsShowTheRecordsOwnYear) {
  const TYearMonthDay d = ymd(1995, 6, 7);
  EXPECT_EQ(short_label(d, tlpb_millennia), "1995");
  EXPECT_EQ(short_label(d, tlpb_decades), "1995");
  EXPECT_EQ(short_label(d, tlpb_years), "95");
  EXPECT_EQ(short_label(d, tlpb_months), "Jun");
  EXPECT_EQ(short_label(d, tlpb_weeks), "w");
  EXPECT_EQ(short_label(d, tlpb_days), "7");
  EXPECT_EQ(short_label(d, tlpb_hours), "0");
  EXPECT_EQ(short_label(d, tlpb_unknown), "95/Jun/07 00:00");
  EXPECT_EQ(short_label(ymd(-1205, 6, 7), tlpb_years), "-05");
  EXPECT_EQ(short_label(ymd(-500, 1, 1), tlpb_centuries), "-0500");
  EXPECT_EQ(short_label(ymd(1995, 13, 1), tlpb_months), "??");
}

TEST_F(DateText, LabelsOfJulianNumbers) {
  EXPECT_EQ(u8(JulianToStringRemovingConst(4095136.5, tlpb_days, false)), "2000/Jan/01");
  EXPECT_EQ(u8(JulianToStringRemovingConst(4095136.5, tlpb_days, true)), "1");
  EXPECT_EQ(u8(JulianToStringRemovingConst(4095136.5 + 0.5, tlpb_years, false)), "2000");
  // The cleared date, anything in its year, 0.0 and numbers that are no date give "??".
  EXPECT_EQ(u8(JulianToStringRemovingConst(ClearedJulianDate, tlpb_years, false)), "??");
  EXPECT_EQ(u8(JulianToStringRemovingConst(ClearedJulianDate + 40, tlpb_days, true)), "??");
  EXPECT_EQ(u8(JulianToStringRemovingConst(0.0, tlpb_years, false)), "??");
  EXPECT_EQ(u8(JulianToStringRemovingConst(-1e300, tlpb_years, false)), "??");
  EXPECT_EQ(u8(JulianToStringRemovingConst(std::nan(""), tlpb_days, false)), "??");
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(u8(JulianToStringRemovingConst(inf, tlpb_days, false)), "??");
  EXPECT_EQ(u8(JulianToStringRemovingConst(-inf, tlpb_days, true)), "??");
  // Past 9999 + 4500 the calendar still splits the day; the label shows the year.
  EXPECT_EQ(u8(JulianToStringRemovingConst(5373483.5 + 366, tlpb_years, false)), "5500");
}

TEST(DateFormats, BasisFormatStrings) {
  EXPECT_EQ(u8(TimeLineBasisFormatString(tlpb_centuries)), "yyyy");
  EXPECT_EQ(u8(TimeLineBasisFormatString(tlpb_months)), "yyyy/mmm");
  EXPECT_EQ(u8(TimeLineBasisFormatString(tlpb_weeks)), "yyyy/mmm/dd");
  EXPECT_EQ(u8(TimeLineBasisFormatString(tlpb_hours)), "yyyy/mmm/dd hh");
  EXPECT_EQ(u8(TimeLineBasisFormatString(tlpb_datafield)), "yyyy/mmm/dd hh:nn");
  EXPECT_EQ(u8(TimeLineBasisFormatString(static_cast<TTimeLinePlotbase>(200))),
            "yyyy/mmm/dd hh:nn");
}

TEST(DateFormats, WritingThroughAFormat) {
  const TYrMmDyHrMn r{2010, 3, 4, 5, 6};
  EXPECT_EQ(u8(StringFromTYrMmDyHrMn(r, u"yyyy-mm-dd hh:nn")), "2010-03-04 05:06");
  EXPECT_EQ(u8(StringFromTYrMmDyHrMn(r, u"d/m/yyy")), "4/3/");  // a run of three y: nothing
  EXPECT_EQ(u8(StringFromTYrMmDyHrMn(r, u"yy h:n")), "2010 5:6");
  EXPECT_EQ(u8(StringFromTYrMmDyHrMn(r, u"ddd MM YY y")), " MM YY ");  // upper case is text
  EXPECT_EQ(u8(StringFromTYrMmDyHrMn(TYrMmDyHrMn{7, 12, 31, 23, 59}, u"yyyy yy")), "0007 07");
  EXPECT_EQ(u8(StringFromTYrMmDyHrMn(r, u"")), "");
}

TEST(DateFormats, ReadingThroughAFormat) {
  EXPECT_EQ(DatefromUsersString(u"05/11/98", u"dd/mm/yy"), (TYrMmDyHrMn{2098, 11, 5, 0, 0}));
  EXPECT_EQ(DatefromUsersString(u"05/11/98", u"dd/mm/yyyy"), (TYrMmDyHrMn{}));
  EXPECT_EQ(DatefromUsersString(u"2010-03-04 05:06", u"yyyy-mm-dd hh:nn"),
            (TYrMmDyHrMn{2010, 3, 4, 5, 6}));
  // Unreadable fields become -1 and are clamped: day 1, year 0, hour 0.
  EXPECT_EQ(DatefromUsersString(u"xx/11/ab 1z", u"dd/mm/yy hh"), (TYrMmDyHrMn{0, 11, 1, 0, 0}));
  // Out of range values are clamped, runs of other lengths read as -1.
  EXPECT_EQ(DatefromUsersString(u"99/45/77:88", u"mm/dd/hh:nn"), (TYrMmDyHrMn{0, 12, 31, 23, 59}));
  EXPECT_EQ(DatefromUsersString(u"123 201", u"ddd yyy"), (TYrMmDyHrMn{0, 0, 1, 0, 0}));
  // Hexadecimal is not a number here; a blank may lead.
  EXPECT_EQ(DatefromUsersString(u"$1/ 7", u"dd/mm"), (TYrMmDyHrMn{0, 7, 1, 0, 0}));
  EXPECT_EQ(DatefromUsersString(u"", u""), (TYrMmDyHrMn{}));
}

TEST_F(DateText, TypedDates) {
  const auto parsed = [](std::u16string_view s) {
    return JulianDateToYearMonthDayRemovingConst(UserStrDateAndTimeParsed(s));
  };
  EXPECT_EQ(parsed(u"1850"), ymd(1850, 7, 1));
  EXPECT_EQ(parsed(u"  1850/3/4 \t"), ymd(1850, 3, 4));
  EXPECT_EQ(parsed(u"-500"), ymd(-500, 7, 1));
  EXPECT_EQ(parsed(u"-500/12/31"), ymd(-500, 12, 31));
  EXPECT_EQ(parsed(u"2010/ 2/ 3"), ymd(2010, 2, 3));
  EXPECT_EQ(UserStrDateAndTimeParsed(u"2000"), YearMonthDayToJulianAddingConst(ymd(2000, 7, 1)));

  for (const char16_t* unknown :
       {u"1850-3-4", u"<no date found>", u"185", u"  185  ", u"", u"1850/3", u"1850/3/", u"/3/4x",
        u"1850/3/4/5", u"1850/x/4", u"$7D0", u"0x7D0", u"2010 /3/4", u"1850 AD", u"<1850>"}) {
    EXPECT_EQ(UserStrDateAndTimeParsed(unknown), ClearedJulianDate) << u8(unknown);
  }
  // A date that does not exist is no date at all.
  EXPECT_EQ(UserStrDateAndTimeParsed(u"2010/2/30"), 0.0);
  EXPECT_EQ(UserStrDateAndTimeParsed(u"2000/2/29"), 0.0);
  EXPECT_EQ(UserStrDateAndTimeParsed(u"99999"), 0.0);
  // Month and day are clamped as in the conversion.
  EXPECT_EQ(parsed(u"2010/13/40"), ymd(2010, 12, 31));

  // The catalogue's text of an unknown date counts in any translation.
  msg::load_translation("_CVUnknown_date_str\tsans date 1850\n", "fr");
  EXPECT_EQ(UserStrDateAndTimeParsed(u"sans date 1850"), ClearedJulianDate);
  EXPECT_EQ(parsed(u"1850"), ymd(1850, 7, 1));
}

}  // namespace
}  // namespace corvane
