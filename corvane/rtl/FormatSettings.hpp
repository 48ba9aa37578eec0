#pragma once
// Number and date format settings, as Format, FormatFloat and the date routines use them.
// A default-constructed record holds the invariant (US English) settings; the user's own
// come from the platform's locale data.

#include <array>
#include <cstdint>
#include <string>

namespace corvane {

struct TFormatSettings {
  char16_t ThousandSeparator = u',';
  char16_t DecimalSeparator = u'.';
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  char16_t ListSeparator = u',';
  std::u16string CurrencyString = u"$";
  std::uint8_t CurrencyFormat = 0;
  std::uint8_t NegCurrFormat = 0;
  std::uint8_t CurrencyDecimals = 2;
  std::u16string ShortDateFormat = u"M/d/yyyy";
  std::u16string LongDateFormat = u"dddd, MMMM d, yyyy";
  std::u16string TimeAMString = u"AM";
  std::u16string TimePMString = u"PM";
  std::u16string ShortTimeFormat = u"h:mm AMPM";
  std::u16string LongTimeFormat = u"h:mm:ss AMPM";
  std::array<std::u16string, 12> ShortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                 u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  std::array<std::u16string, 12> LongMonthNames{
      u"January", u"February", u"March",     u"April",   u"May",      u"June",
      u"July",    u"August",   u"September", u"October", u"November", u"December"};
  std::array<std::u16string, 7> ShortDayNames{u"Sun", u"Mon", u"Tue", u"Wed",
                                              u"Thu", u"Fri", u"Sat"};
  std::array<std::u16string, 7> LongDayNames{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                             u"Thursday", u"Friday", u"Saturday"};
  std::uint16_t TwoDigitYearCenturyWindow = 50;
};

// The settings the runtime's formatting routines use when none are passed: the user's
// defaults once the package has started (see Wingenok), the invariant ones before.
TFormatSettings& FormatSettings();

}  // namespace corvane
