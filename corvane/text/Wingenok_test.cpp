#include "corvane/text/Wingenok.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "corvane/platform/CodePages.hpp"

namespace corvane {
namespace {

TEST(Wingenok, DigitClasses) {
  for (char16_t c : {u'0', u'9'}) EXPECT_TRUE(IsOrdinaryNumberChar(c)) << int(c);
  for (char16_t c : {u'/', u':', u'\u0663'}) EXPECT_FALSE(IsOrdinaryNumberChar(c)) << int(c);
  // Arabic-Indic three, Devanagari five, full-width seven: decimal digits of other scripts.
  for (char16_t c : {u'5', u'\u0663', u'\u096B', u'\uFF17'}) EXPECT_TRUE(IsADigitChar(c)) << int(c);
  // Superscript two and Roman numeral eight are numbers but no digits.
  for (char16_t c : {u'\u00B2', u'\u2167', u'a'}) EXPECT_FALSE(IsADigitChar(c)) << int(c);
}

TEST(Wingenok, CasePerLocale) {
  const TLCID turkish = 0x041F, german = 0x0407, greek = 0x0408;
  EXPECT_EQ(Uppercase(turkish, u"istanbul"), u"\u0130STANBUL");
  EXPECT_EQ(Lowercase(turkish, u"ISPARTA"), u"\u0131sparta");
  EXPECT_EQ(Uppercase(0x0409, u"istanbul"), u"ISTANBUL");
  EXPECT_EQ(Uppercase(german, u"Stra\u00DFe"), u"STRASSE");
  EXPECT_EQ(Lowercase(greek, u"\u039F\u0394\u039F\u03A3"), u"\u03BF\u03B4\u03BF\u03C2");
  EXPECT_EQ(Lowercase(0x7FFF, u"ABC"), u"abc");  // unknown locale: no language's rules
  // Locale-free: simple mapping, length kept.
  EXPECT_EQ(Uppercase(u"Stra\u00DFe"), u"STRA\u00DFE");
  EXPECT_EQ(Lowercase(u"\u039F\u03A3"), u"\u03BF\u03C3");
  EXPECT_EQ(Lowercase(u"\u0130"), u"i");
}

TEST(Wingenok, CaseInPlace) {
  std::u16string buf = u"istanbul";
  EXPECT_EQ(UppercaseIt(0x041F, buf.data()), 9);  // eight characters and the zero
  EXPECT_EQ(buf, u"\u0130STANBUL");
  buf = u"Stra\u00DFe";
  EXPECT_EQ(UppercaseIt(0x0407, buf.data()), 7);
  EXPECT_EQ(buf, u"STRA\u00DFE");  // cannot grow in place
  buf = u"ABC";
  EXPECT_EQ(LowercaseIt(0x7FFF, buf.data()), 0);
  EXPECT_EQ(buf, u"ABC");
  EXPECT_EQ(LowercaseIt(0x0409, nullptr), 0);
  buf = u"";
  EXPECT_EQ(LowercaseIt(0x0409, buf.data()), 1);
}

TEST(Wingenok, CodePagesAndMeasurement) {
  EXPECT_EQ(CodePageFromLocale(0x0419), 1251);
  EXPECT_EQ(CodePageFromLocale(0x0411), 932);
  EXPECT_EQ(CodePageFromLocale(0x0439), 0);  // Hindi: no 8-bit code page
  EXPECT_EQ(CodePageFromLocale(0x7FFF), system_ansi_code_page());
  for (TLCID id : {0x0409u, 0x0405u, 0x0804u, 0x7FFFu, 0u})
    EXPECT_EQ(LCIDToCodePage(id), CodePageFromLocale(id));
  EXPECT_FALSE(UserDefaultMeasurements(0x0409));
  EXPECT_TRUE(UserDefaultMeasurements(0x0809));  // the United Kingdom
  EXPECT_TRUE(UserDefaultMeasurements(0x7FFF));
}

TEST(Wingenok, StrSwapByteOrder) {
  std::u16string s = u"\u0041\u1234\uFF00";
  StrSwapByteOrder(s.data());
  EXPECT_EQ(s, u"\u4100\u3412\u00FF");
  std::u16string t = u"A";
  t += u'\0';
  t += u'B';
  StrSwapByteOrder(t.data());
  EXPECT_EQ(t[0], 0x4100);
  EXPECT_EQ(t[2], u'B');  // stops at the zero
  StrSwapByteOrder(nullptr);
}

TEST(Wingenok, StrLScanWEdges) {
  const std::u16string s = u"abcabc";
  EXPECT_EQ(StrLScanW(s.data(), u'c', 6), s.data() + 2);
  EXPECT_EQ(StrLScanW(s.data(), u'c', 2), nullptr);
  EXPECT_EQ(StrLScanW(s.data(), u'a', 0), nullptr);
  EXPECT_EQ(StrLScanW(s.data(), u'a', -3), nullptr);
  EXPECT_EQ(StrLScanW(static_cast<const char16_t*>(nullptr), u'a', 5), nullptr);
  // The zero is an ordinary code unit to a counted scan.
  std::u16string z = u"ab";
  z += u'\0';
  z += u"c";
  EXPECT_EQ(StrLScanW(z.data(), u'c', 4), z.data() + 3);
  EXPECT_EQ(StrLScanW(z.data(), u'\0', 4), z.data() + 2);
}

TEST(Wingenok, StrLScanWKernelsAgreeWithTheScalarReference) {
  std::mt19937 rng(7);
  const auto kernels = detail::StrLScanW_kernels();
  ASSERT_GE(kernels.size(), 1u);
  EXPECT_STREQ(kernels[0].name, "scalar");
  for (int len = 0; len <= 200; ++len) {
    for (int trial = 0; trial < 12; ++trial) {
      // A buffer of its exact length, so a read past the end shows under the sanitizer.
      std::vector<char16_t> buf(static_cast<std::size_t>(len));
      std::uniform_int_distribution<int> unit(0, trial < 6 ? 3 : 0xFFFF);
      for (auto& c : buf) c = static_cast<char16_t>(unit(rng) + (trial < 6 ? 'a' : 0));
      const char16_t needle = static_cast<char16_t>(trial < 6 ? 'x' : 0xFFFF - trial);
      if (len > 0 && trial % 3 == 1) buf[0] = needle;
      if (len > 0 && trial % 3 == 2) buf[static_cast<std::size_t>(len) - 1] = needle;
      const char16_t* p = buf.data();
      const char16_t* want = detail::StrLScanW_scalar(p, needle, len);
      for (const auto& k : kernels) {
        ASSERT_EQ(k.fn(p, needle, len), want) << k.name << " len " << len;
        // Counted shorter than the buffer: a match past n is not seen.
        if (len > 1) {
          ASSERT_EQ(k.fn(p, needle, len - 1), detail::StrLScanW_scalar(p, needle, len - 1));
        }
      }
      ASSERT_EQ(StrLScanW(p, needle, len), want);
      if (len > 0 && trial % 3 == 2 && detail::StrLScanW_scalar(p, needle, len - 1) == nullptr) {
        ASSERT_EQ(want, p + len - 1);
      }
    }
  }
}

}  // namespace
}  // namespace corvane
