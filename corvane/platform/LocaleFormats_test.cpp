#include "corvane/platform/LocaleFormats.hpp"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Format.hpp"

namespace corvane {
namespace {

// Tuesday 2024-03-05 14:07:09
const TDateTime kWhen = EncodeDateTime(2024, 3, 5, 14, 7, 9, 0);

TEST(LocaleFormats, PatternConversion) {
  using detail::icu_pattern_to_format;
  EXPECT_EQ(icu_pattern_to_format(u"M/d/yy", u'/', 0), u"m/d/yyyy");
  EXPECT_EQ(icu_pattern_to_format(u"dd.MM.yy", u'.', 0), u"dd/mm/yyyy");
  EXPECT_EQ(icu_pattern_to_format(u"EEEE, MMMM d, y", 0, 0), u"dddd, mmmm d, yyyy");
  EXPECT_EQ(icu_pattern_to_format(u"EEE d MMM", 0, 0), u"ddd d mmm");
  EXPECT_EQ(icu_pattern_to_format(u"h:mm:ss a", 0, u':'), u"h:nn:ss AMPM");
  EXPECT_EQ(icu_pattern_to_format(u"H.mm.ss", 0, u'.'), u"h:nn:ss");
  EXPECT_EQ(icu_pattern_to_format(u"HH:mm:ss.SSS", 0, u':'), u"hh:nn:ss.zzz");
  // literal letters and runtime specifier characters are quoted
  EXPECT_EQ(icu_pattern_to_format(u"d 'de' MMMM 'de' y", 0, 0), u"d\" de \"mmmm\" de \"yyyy");
  EXPECT_EQ(icu_pattern_to_format(u"y/MM/dd", u'-', 0), u"yyyy\"/\"mm\"/\"dd");
  EXPECT_EQ(icu_pattern_to_format(u"h 'o''clock' a", 0, 0), u"h\" o'clock \"AMPM");
  // eras and zones have no letter here; a day period before the hour cannot be expressed
  EXPECT_EQ(icu_pattern_to_format(u"G y", 0, 0), u"yyyy");
  EXPECT_EQ(icu_pattern_to_format(u"HH:mm:ss zzzz", 0, u':'), u"hh:nn:ss");
  EXPECT_EQ(icu_pattern_to_format(u"a h:mm", 0, u':'), u"h:nn");
  EXPECT_EQ(icu_pattern_to_format(u"h:mm\u202Fa", 0, u':'), u"h:nn AMPM");

  EXPECT_EQ(detail::pattern_separator(u"dd.MM.yy", u'/'), u'.');
  EXPECT_EQ(detail::pattern_separator(u"d\u200F/M\u200F/y", u'?'), u'/');
  EXPECT_EQ(detail::pattern_separator(u"y\u5e74M\u6708d\u65e5", u'/'), u'\u5e74');
  EXPECT_EQ(detail::pattern_separator(u"yyyy", u'/'), u'/');
}

TEST(LocaleFormats, UnitedStates) {
  const TFormatSettings fs = format_settings_for_locale("en_US");
  EXPECT_EQ(fs.DecimalSeparator, u'.');
  EXPECT_EQ(fs.ListSeparator, u',');
  EXPECT_EQ(fs.ShortDateFormat, u"m/d/yyyy");
  EXPECT_EQ(fs.LongDateFormat, u"dddd, mmmm d, yyyy");
  EXPECT_EQ(fs.CurrencyFormat, 0);
  EXPECT_EQ(fs.CurrencyDecimals, 2);
  EXPECT_EQ(fs.TimeAMString, u"AM");
  EXPECT_EQ(fs.ShortDayNames[0], u"Sun");
  EXPECT_EQ(DateToStr(kWhen, fs), u"3/5/2024");
  EXPECT_EQ(TimeToStr(kWhen, fs), u"2:07:09 PM");
  EXPECT_EQ(FormatDateTime(u"dddddd", kWhen, fs), u"Tuesday, March 5, 2024");
  EXPECT_EQ(Format(u"%n|%m", {1234.5, -2.0}, fs), u"1,234.50|-$2.00");
}

TEST(LocaleFormats, Germany) {
  const TFormatSettings fs = format_settings_for_locale("de_DE");
  EXPECT_EQ(fs.ListSeparator, u';');
  EXPECT_EQ(fs.ShortDateFormat, u"dd/mm/yyyy");
  EXPECT_EQ(fs.LongTimeFormat, u"hh:nn:ss");
  EXPECT_EQ(fs.CurrencyFormat, 3);
  EXPECT_EQ(DateToStr(kWhen, fs), u"05.03.2024");
  EXPECT_EQ(TimeToStr(kWhen, fs), u"14:07:09");
  EXPECT_EQ(FormatDateTime(u"dddddd", kWhen, fs), u"Dienstag, 5. M\u00e4rz 2024");
  EXPECT_EQ(Format(u"%n|%m", {1234.5, -2.0}, fs), u"1.234,50|-2,00 \u20ac");
  TDateTime d = 0;
  EXPECT_TRUE(TryStrToDate(u"5.3.2024", d, fs));
  EXPECT_EQ(d, EncodeDate(2024, 3, 5));
}

TEST(LocaleFormats, France) {
  const TFormatSettings fs = format_settings_for_locale("fr_FR");
  EXPECT_EQ(fs.DecimalSeparator, u',');
  // a no-break space of one kind or another, depending on the locale data's age
  EXPECT_TRUE(fs.ThousandSeparator == u'\u202f' || fs.ThousandSeparator == u'\u00a0');
  EXPECT_EQ(fs.DateSeparator, u'/');
  EXPECT_EQ(fs.ShortDateFormat, u"dd/mm/yyyy");
  EXPECT_EQ(DateToStr(kWhen, fs), u"05/03/2024");
  EXPECT_EQ(FormatDateTime(u"dddddd", kWhen, fs), u"mardi 5 mars 2024");
  EXPECT_EQ(Format(u"%.0n", {1234567.0}, fs),
            std::u16string(u"1") + fs.ThousandSeparator + u"234" + fs.ThousandSeparator + u"567");
}

TEST(LocaleFormats, Japan) {
  const TFormatSettings fs = format_settings_for_locale("ja_JP");
  EXPECT_EQ(fs.DecimalSeparator, u'.');
  EXPECT_EQ(fs.ShortDateFormat, u"yyyy/mm/dd");
  EXPECT_EQ(fs.CurrencyDecimals, 0);
  EXPECT_EQ(fs.TimeAMString, u"\u5348\u524d");
  EXPECT_EQ(DateToStr(kWhen, fs), u"2024/03/05");
  EXPECT_EQ(TimeToStr(kWhen, fs), u"14:07:09");
  EXPECT_EQ(FormatDateTime(u"dddddd", kWhen, fs), u"2024\u5e743\u67085\u65e5\u706b\u66dc\u65e5");
  EXPECT_EQ(Format(u"%m", {1234.0}, fs), fs.CurrencyString + u"1,234");
  TDateTime d = 0;
  EXPECT_TRUE(TryStrToDate(u"2024/3/5", d, fs));
  EXPECT_EQ(d, EncodeDate(2024, 3, 5));
}

TEST(LocaleFormats, UserDefaultFollowsTheDefaultLocale) {
  const icu::Locale saved = icu::Locale::getDefault();
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale::setDefault(icu::Locale("de_DE"), status);
  const TFormatSettings fs = user_default_format_settings();
  icu::Locale::setDefault(saved, status);
  EXPECT_EQ(fs.DecimalSeparator, u',');
  EXPECT_EQ(fs.ShortDateFormat, u"dd/mm/yyyy");
}

}  // namespace
}  // namespace corvane
