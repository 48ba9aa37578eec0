// Numbers in text, numbers for display, and compact number lists both ways.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {
namespace {

// English separators and month names whatever the machine's locale.
class Numbers : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = UserDefaultFormatSettings;
    UserDefaultFormatSettings = TFormatSettings{};
  }
  void TearDown() override { UserDefaultFormatSettings = saved_; }
  TFormatSettings saved_;
};

TEST(NumberRecognition, IntegersAndNumberCharacters) {
  for (const char16_t* yes : {u"1,234.5", u"-3", u"+7", u" 42", u"$1F", u"0x10", u"", u"50%",
                              u"...", u"\u0663\u0664", u"\uFF11\uFF12.5", u"2147483647"}) {
    EXPECT_TRUE(IsANumber(yes)) << u8(yes);
  }
  for (const char16_t* no : {u"12a", u"-3.5", u"the", u"3 ", u"-", u"2147483648x", u"\u00B2",
                             u"1e5", u"-2147483649", u"x"}) {
    EXPECT_FALSE(IsANumber(no)) << u8(no);
  }
}

TEST_F(Numbers, ShortFormsOfLargeNumbers) {
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(999)), "999");
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(1234)), "1.2K");
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(5.3e6f)), "5.3M");
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(7.25e9f)), "7.3G");
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(2e12f)), "2.0Yikes");
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(3e38f)), "300.0Yikes");  // 12 divisions
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(-5000)), "-5,000");
  EXPECT_EQ(u8(EasiestNRepresentationOfLargeNumber(0.4f)), "0");
  // Infinite values end the division at once instead of dividing for ever.
  EXPECT_FALSE(EasiestNRepresentationOfLargeNumber(std::numeric_limits<float>::infinity()).empty());
  EXPECT_FALSE(EasiestNRepresentationOfLargeNumber(std::nanf("")).empty());
}

TEST_F(Numbers, FixedDecimalsPercentAndThousands) {
  EXPECT_EQ(u8(FormattedWithDecimals(1234.567f, 2, true, false)), "1,234.57");
  EXPECT_EQ(u8(FormattedWithDecimals(1234.567f, 2, false, true)), "1234.57%");
  EXPECT_EQ(u8(FormattedWithDecimals(0.5f, 3, false, false)), "0.500");
  EXPECT_EQ(u8(FormattedWithDecimals(1234.567f, 0, true, false)), "1,235");
  EXPECT_EQ(u8(FormattedWithDecimals(-2.5f, -4, false, false)), "-3");
  EXPECT_EQ(u8(FormattedWithDecimals(1.0f, 1000, false, false)), "1.000000000000000000");
  UserDefaultFormatSettings.DecimalSeparator = u',';
  UserDefaultFormatSettings.ThousandSeparator = u'.';
  EXPECT_EQ(u8(FormattedWithDecimals(1234.5f, 1, true, false)), "1.234,5");
}

TEST_F(Numbers, PValues) {
  EXPECT_EQ(u8(PValueStr(0.0499999L)), "0.05");
  EXPECT_EQ(u8(PValueStr(0.05L)), "0.05");
  EXPECT_EQ(u8(PValueStr(0.00999999L)), "0.01");
  EXPECT_EQ(u8(PValueStr(0.1L)), "0.1");
  EXPECT_EQ(u8(PValueStr(1e-10L)), "0.0000000001");
  EXPECT_EQ(u8(PValueStr(0.0123L)), "0.0123");
  EXPECT_EQ(u8(PValueStr(0.0L)), "0.");
  EXPECT_EQ(u8(PValueStr(1.0L)), "1.");
  EXPECT_EQ(u8(PValueStr(-0.05L)), "-0.05");  // no round value for negatives: shown as it is
  EXPECT_EQ(u8(PValueStr(1e30L)), "1E30");    // an exponent keeps its zeros
  EXPECT_FALSE(PValueStr(std::numeric_limits<long double>::quiet_NaN()).empty());
}

TEST(NumberFormats, Ordinals) {
  EXPECT_EQ(u8(OrdinalFormatOf(1)), "%dst");
  EXPECT_EQ(u8(OrdinalFormatOf(22)), "%dnd");
  EXPECT_EQ(u8(OrdinalFormatOf(13)), "%drd");
  EXPECT_EQ(u8(OrdinalFormatOf(11)), "%dst");
  EXPECT_EQ(u8(OrdinalFormatOf(4)), "%dth");
  EXPECT_EQ(u8(OrdinalFormatOf(-1)), "%dth");
  EXPECT_EQ(u8(Format(OrdinalFormatOf(22), {22})), "22nd");
}

std::string compact(std::vector<std::int32_t> v) {
  return u8(HumanAbbreviatedNumberListString(v));
}

TEST(NumberLists, CompactForm) {
  EXPECT_EQ(compact({1, 2, 3, 5, 7, 8}), "1-3,5,7,8");
  EXPECT_EQ(compact({1, 2, 5}), "1,2,5");
  EXPECT_EQ(compact({4}), "4");
  EXPECT_EQ(compact({}), "");
  EXPECT_EQ(compact({1, 2}), "1,2");
  EXPECT_EQ(compact({1, 2, 3}), "1-3");
  EXPECT_EQ(compact({9, 10, 11, 12, 3, 4, 5}), "9-12,3-5");
  EXPECT_EQ(compact({3, 3, 4}), "3,3,4");
  EXPECT_EQ(compact({5, 4, 3}), "5,4,3");
  EXPECT_EQ(compact({2147483646, 2147483647, -2147483647 - 1}),
            "2147483646,2147483647,-2147483648");

  TStringList list;
  for (const char16_t* s : {u"1", u"2", u"x", u"3", u"", u"7", u"8"}) list.Add(s);
  EXPECT_EQ(u8(HumanAbbreviatedNumberListString(list)), "1-3,7,8");
  list.Add(u"not a number");  // the last entry skipped still closes the run
  EXPECT_EQ(u8(HumanAbbreviatedNumberListString(list)), "1-3,7,8");
}

TEST(NumberLists, ExpandingAndReadingBack) {
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u"2-4,9")), "2,3,4,9");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u"1-3,5,7,8")), "1,2,3,5,7,8");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u"5")), "5");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u"")), "");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u"-3")), "0,1,2,3");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u"7-5,1")), "1");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u" 1 ;2x,, 4 ")), "12,4");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringExpanded(u"2147483647")), "2147483647");
  EXPECT_EQ((HumanAbbreviatedNumberListStringAsIntegers(u"2-4", 1)),
            (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ((HumanAbbreviatedNumberListStringAsIntegers(u"9,2-3", -1)),
            (std::vector<std::int32_t>{10, 3, 4}));

  // Every compact form reads back as the list it was made from.
  const std::vector<std::int32_t> list = {0, 1, 2, 3, 10, 12, 13, 20, 21, 22, 23, 40};
  EXPECT_EQ(HumanAbbreviatedNumberListStringAsIntegers(HumanAbbreviatedNumberListString(list), 0),
            list);
}

TEST(NumberLists, HostileListsRaiseInsteadOfExhaustingMemory) {
  EXPECT_THROW(HumanAbbreviatedNumberListStringExpanded(u"1,2147483648"), Exception);
  EXPECT_THROW(HumanAbbreviatedNumberListStringExpanded(u"1-99999999999999999999"), Exception);
  EXPECT_THROW(HumanAbbreviatedNumberListStringExpanded(u"0-2000000000"), Exception);
  EXPECT_THROW(HumanAbbreviatedNumberListStringAsIntegers(u"0-16777216", 0), Exception);
  EXPECT_THROW(HumanAbbreviatedNumberListStringAsIntegers(u"0-9000000,0-9000000", 0), Exception);
  EXPECT_EQ(HumanAbbreviatedNumberListStringAsIntegers(u"1-16777216", 0).size(), 16777216u);
  EXPECT_THROW(HumanAbbreviatedNumberListStringAsIntegers(u"5", INT32_MIN), Exception);
  try {
    HumanAbbreviatedNumberListStringExpanded(u"3,12345678901,4");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("12345678901"), std::string::npos) << e.what();
  }
}

TEST(NumberLists, KthNumberWithoutExpanding) {
  EXPECT_EQ(u8(ANumberInHumanString(u"2-4,9", 2)), "3");
  EXPECT_EQ(u8(ANumberInHumanString(u"2-4,9", 4)), "9");
  EXPECT_EQ(u8(ANumberInHumanString(u"2-4,9", 9)), "9");
  EXPECT_EQ(u8(ANumberInHumanString(u"2-4,9", 1)), "2");
  EXPECT_EQ(u8(ANumberInHumanString(u"", 1)), "");
  EXPECT_EQ(u8(ANumberInHumanString(u"2-4", 0)), "");
  EXPECT_EQ(u8(ANumberInHumanString(u"7-5", 1)), "");
  // A range far beyond what could be written out is still answered.
  EXPECT_EQ(u8(ANumberInHumanString(u"0-2147483647", 2000000000)), "1999999999");
  EXPECT_EQ(u8(ANumberInHumanString(u"0-2147483647,5", INT32_MAX)), "2147483646");
  EXPECT_THROW(ANumberInHumanString(u"2147483648,1", 1), Exception);
  EXPECT_EQ(u8(ANumberInHumanString(u"1,2147483648", 1)), "1");  // found before it is read
}

TEST_F(Numbers, MonthsLeftZerosAndCharacterCodes) {
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringToMonths(u"01-03,12")), "Jan-Mar,Dec");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringToMonths(u"01,01")), "Jan,01");
  EXPECT_EQ(u8(HumanAbbreviatedNumberListStringToMonths(u"1-3")), "1-3");

  EXPECT_EQ(u8(WithLeftZeros(4, 7)), "0007");
  EXPECT_EQ(u8(WithLeftZeros(2, 12345)), "12345");
  EXPECT_EQ(u8(WithLeftZeros(4, -5)), "00-5");
  EXPECT_EQ(WithLeftZeros(INT32_MAX, 1).size(), 1000u);
  EXPECT_EQ(u8(WithLeftZeros(-3, 1)), "1");

  EXPECT_EQ(u8(ToHexNumStr(u"AB")), "41,42,");
  EXPECT_EQ(u8(ToHexNumStr(u"\u00E9\u20AC\n")), "E9,20AC,0A,");
  EXPECT_EQ(u8(FromHexNumStr(u"41,42,")), "AB");
  EXPECT_EQ(u8(FromHexNumStr(u"41,42")), "A");  // a text of length L gives L div 3
  EXPECT_EQ(u8(FromHexNumStr(u"zz,43,")), "C");
  EXPECT_EQ(u8(FromNumStr(u"65,66,")), "AB");
  EXPECT_EQ(u8(FromNumStr(u"65,66")), "A");
  EXPECT_EQ(u8(FromNumStr(u"65,x,70000,-1,,8364,")), "A\u20AC");
}

}  // namespace
}  // namespace corvane
