#include "corvane/rtl/Numbers.hpp"

#include <gtest/gtest.h>

#include "corvane/rtl/Exception.hpp"

namespace corvane {
namespace {

TFormatSettings german() {
  TFormatSettings fs;
  fs.DecimalSeparator = u',';
  fs.ThousandSeparator = u'.';
  fs.CurrencyString = std::u16string(1, u'\u20ac');  // GCC 12 warns wrongly on "= u\"€\""
  fs.CurrencyFormat = 3;
  fs.NegCurrFormat = 8;
  return fs;
}

TEST(Numbers, IntToStrAndHex) {
  EXPECT_EQ(IntToStr(-42), u"-42");
  EXPECT_EQ(IntToStr(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(IntToStr(std::size_t{18446744073709551615u}), u"18446744073709551615");
  EXPECT_EQ(IntToHex(255, 4), u"00FF");
  EXPECT_EQ(IntToHex(0, 0), u"0");
  EXPECT_EQ(IntToHex(-1, 2), u"FFFFFFFF");
  EXPECT_EQ(IntToHex(std::int64_t{-1}, 1), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(std::int16_t{-1}, 1), u"FFFFFFFF");
}

TEST(Numbers, TryStrToIntFollowsValRulesAndRangeLimits) {
  // Hexadecimal covers the unsigned range and wraps: "$FFFFFFFF" is -1.
  const std::pair<const char16_t*, int> good[] = {{u"$1F", 31},
                                                  {u"-0x10", -16},
                                                  {u"+0X1a", 26},
                                                  {u"x10", 16},
                                                  {u"-$10", -16},
                                                  {u"   12", 12},
                                                  {u"007", 7},
                                                  {u"2147483647", INT32_MAX},
                                                  {u"-2147483648", INT32_MIN},
                                                  {u"$FFFFFFFF", -1}};
  for (auto [text, want] : good) {
    int v = 0;
    EXPECT_TRUE(TryStrToInt(text, v)) << "refused a good integer";
    EXPECT_EQ(v, want);
  }
  int v = 0;
  for (const char16_t* bad :
       {u"", u" ", u"-", u"+", u"$", u"0x", u"12 ", u"1 2", u"--1", u"1.0", u"\t1", u"- 1", u"$G",
        u"１", u"1F", u"2147483648", u"-2147483649", u"99999999999999999999999", u"$100000000"}) {
    EXPECT_FALSE(TryStrToInt(bad, v)) << "accepted a bad integer";
  }

  std::int64_t w = 0;
  EXPECT_TRUE(TryStrToInt64(u"9223372036854775807", w));
  EXPECT_EQ(w, INT64_MAX);
  EXPECT_TRUE(TryStrToInt64(u"-9223372036854775808", w));
  EXPECT_EQ(w, INT64_MIN);
  EXPECT_FALSE(TryStrToInt64(u"9223372036854775808", w));
  EXPECT_TRUE(TryStrToInt64(u"$FFFFFFFFFFFFFFFF", w));
  EXPECT_EQ(w, -1);
}

TEST(Numbers, StrToIntRaisesOrDefaults) {
  EXPECT_EQ(StrToInt(u"-5"), -5);
  EXPECT_EQ(StrToIntDef(u"x", 9), 9);
  EXPECT_EQ(StrToInt64Def(u"12345678901", 0), 12345678901);
  try {
    StrToInt(u"abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"'abc' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt64(u""), EConvertError);
}

TEST(Numbers, StrToFloatUsesTheDecimalSeparator) {
  const TFormatSettings us;
  double v = 0;
  EXPECT_TRUE(TryStrToFloat(u" 2.5e3 ", v, us));
  EXPECT_EQ(v, 2500);
  EXPECT_TRUE(TryStrToFloat(u"-.5", v, us));
  EXPECT_EQ(v, -0.5);
  EXPECT_TRUE(TryStrToFloat(u"5.", v, us));
  EXPECT_EQ(v, 5);
  for (const char16_t* bad : {u"", u".", u"1e", u"1,5", u"1.2.3", u"e5", u"1 000", u"--1"}) {
    EXPECT_FALSE(TryStrToFloat(bad, v, us));
  }
  EXPECT_TRUE(TryStrToFloat(u"1,5", v, german()));
  EXPECT_EQ(v, 1.5);
  EXPECT_FALSE(TryStrToFloat(u"1.5", v, german()));
  EXPECT_EQ(StrToFloatDef(u"x", 7.5, us), 7.5);
  EXPECT_THROW(StrToFloat(u"x", us), EConvertError);
}

TEST(Numbers, FloatToStrIsGeneralWith15Digits) {
  const TFormatSettings us;
  EXPECT_EQ(FloatToStr(0.1, us), u"0.1");
  EXPECT_EQ(FloatToStr(0, us), u"0");
  EXPECT_EQ(FloatToStr(1.0 / 3, us), u"0.333333333333333");
  EXPECT_EQ(FloatToStr(1e20, us), u"1E20");
  EXPECT_EQ(FloatToStr(1e15, us), u"1E15");
  EXPECT_EQ(FloatToStr(999999999999999.0, us), u"999999999999999");
  EXPECT_EQ(FloatToStr(0.0001, us), u"0.0001");
  EXPECT_EQ(FloatToStr(1.5e-5, us), u"1.5E-5");
  EXPECT_EQ(FloatToStr(1.5, german()), u"1,5");
}

TEST(Numbers, FloatToStrF) {
  const TFormatSettings us;
  EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 15, 2, us), u"1,234,567.89");
  EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 4, 2, us), u"1235.00");
  EXPECT_EQ(FloatToStrF(0.125, ffFixed, 15, 2, us), u"0.13");  // decimal half up
  EXPECT_EQ(FloatToStrF(9.999, ffFixed, 15, 2, us), u"10.00");
  EXPECT_EQ(FloatToStrF(-0.001, ffFixed, 15, 2, us), u"0.00");
  EXPECT_EQ(FloatToStrF(12345.678, ffExponent, 4, 2, us), u"1.235E+04");
  EXPECT_EQ(FloatToStrF(-0.00012, ffExponent, 3, 3, us), u"-1.20E-004");
  EXPECT_EQ(FloatToStrF(1e20, ffFixed, 15, 2, us), u"1E20");  // too wide for the precision
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, us), u"($1,234.50)");
  EXPECT_EQ(FloatToStrF(-1234.5, ffCurrency, 15, 2, german()), u"-1.234,50 \u20ac");
  // p-value style: 17 significant digits, 16 decimals
  EXPECT_EQ(FloatToStrF(0.05, ffFixed, 17, 16, us), u"0.0500000000000000");
}

TEST(Numbers, FormatFloatPictures) {
  const TFormatSettings us;
  EXPECT_EQ(FormatFloat(u"0.00", 3.14159, us), u"3.14");
  EXPECT_EQ(FormatFloat(u"#,##0", 1234567, us), u"1,234,567");
  EXPECT_EQ(FormatFloat(u"#,##0", 999.5, us), u"1,000");
  EXPECT_EQ(FormatFloat(u"#,##0.00", -1234.5, us), u"-1,234.50");
  EXPECT_EQ(FormatFloat(u"###0,.00", 1234.5, us), u"1,234.50");
  EXPECT_EQ(FormatFloat(u"###0,.", 1234.4, us), u"1,234");
  EXPECT_EQ(FormatFloat(u"###0.", 12.6, us), u"13");
  EXPECT_EQ(FormatFloat(u"#.##", 0.5, us), u".5");
  EXPECT_EQ(FormatFloat(u"0", 2.5, us), u"3");
  EXPECT_EQ(FormatFloat(u"0.0E+00", 12345, us), u"1.2E+04");
  EXPECT_EQ(FormatFloat(u"0.00E-0", 0.00123, us), u"1.23E-3");
  EXPECT_EQ(FormatFloat(u"0E+0 0#E+0", 5, us), u"5E+0 0#E+0");  // text after the exponent
  EXPECT_EQ(FormatFloat(u"0E+", 5, us), u"5E+0");
  EXPECT_EQ(FormatFloat(u"'$'#,##0", 1000, us), u"$1,000");
  EXPECT_EQ(FormatFloat(u"0.00;(0.00)", -1.5, us), u"(1.50)");
  EXPECT_EQ(FormatFloat(u"0.00;(0.00);\"zero\"", 0, us), u"zero");
  EXPECT_EQ(FormatFloat(u"0.0 \"a;b\"", 1, us), u"1.0 a;b");
  EXPECT_EQ(FormatFloat(u"", 1.5, us), u"1.5");
  EXPECT_EQ(FormatFloat(u"#,##0.00", 1234.5, german()), u"1.234,50");
}

}  // namespace
}  // namespace corvane
