#include "corvane/text/Wingenok.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "corvane/platform/CodePages.hpp"

namespace corvane {
namespace {

TEST(Wingenok, Constants) {
  EXPECT_EQ(UTF8_signature, (std::array<std::uint8_t, 3>{0xEF, 0xBB, 0xBF}));
  EXPECT_EQ(CRLF, u"\r\n");
  EXPECT_EQ(HexCharactersStr.size(), 22u);
  EXPECT_EQ(HexSignalStr, u"Xx$Hh");
  EXPECT_FLOAT_EQ(mm_to_inch * inch_to_mm, 1.0f);
  EXPECT_FLOAT_EQ(inch_to_mm100, 100 * inch_to_mm);
}

TEST(Wingenok, LanguageStringlist) {
  TLanguageStringlist list(0x041F);
  EXPECT_EQ(list.Language, 0x041Fu);
  EXPECT_TRUE(list.SaveUnicode);
  // The rest is the ordinary string list.
  list.SetSorted(true);
  list.Add(u"b");
  list.Add(u"a");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(0), u"a");
  TStringList* base = &list;
  base->Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(Wingenok, DigitClasses) {
  EXPECT_TRUE(IsOrdinaryNumberChar(u'0'));
  EXPECT_TRUE(IsOrdinaryNumberChar(u'9'));
  EXPECT_FALSE(IsOrdinaryNumberChar(u'/'));
  EXPECT_FALSE(IsOrdinaryNumberChar(u':'));
  EXPECT_FALSE(IsOrdinaryNumberChar(u'\u0663'));
  EXPECT_TRUE(IsADigitChar(u'\u0663'));  // Arabic-Indic three
  EXPECT_TRUE(IsADigitChar(u'\u096B'));  // Devanagari five
  EXPECT_TRUE(IsADigitChar(u'\uFF17'));  // full-width seven
  EXPECT_TRUE(IsADigitChar(u'5'));
  EXPECT_FALSE(IsADigitChar(u'\u00B2'));  // superscript two
  EXPECT_FALSE(IsADigitChar(u'\u2167'));  // Roman numeral eight
  EXPECT_FALSE(IsADigitChar(u'a'));
}

TEST(Wingenok, CasePerLocale) {
  const TLCID turkish = 0x041F, azeri = 0x042C, german = 0x0407, greek = 0x0408;
  EXPECT_EQ(Uppercase(turkish, u"istanbul"), u"\u0130STANBUL");
  EXPECT_EQ(Lowercase(turkish, u"ISPARTA"), u"\u0131sparta");
  EXPECT_EQ(Lowercase(azeri, u"\u0130I"), u"i\u0131");
  EXPECT_EQ(Uppercase(0x0409, u"istanbul"), u"ISTANBUL");
  EXPECT_EQ(Uppercase(german, u"Stra\u00DFe"), u"STRASSE");
  EXPECT_EQ(Lowercase(greek, u"\u039F\u0394\u039F\u03A3"), u"\u03BF\u03B4\u03BF\u03C2");
  EXPECT_EQ(Lowercase(0x7FFF, u"ABC"), u"abc");  // unknown locale: no language's rules
  // Locale-free: simple mapping, length kept.
  EXPECT_EQ(Uppercase(u"Stra\u00DFe"), u"STRA\u00DFE");
  EXPECT_EQ(Lowercase(u"\u039F\u03A3"), u"\u03BF\u03C3");
  EXPECT_EQ(Lowercase(u"\u0130"), u"i");
  EXPECT_EQ(Uppercase(u""), u"");
}

TEST(Wingenok, CaseInPlace) {
  std::u16string buf = u"istanbul";
  EXPECT_EQ(UppercaseIt(0x041F, buf.data()), 9);  // eight characters and the zero
  EXPECT_EQ(buf, u"\u0130STANBUL");
  buf = u"Stra\u00DFe";
  EXPECT_EQ(UppercaseIt(0x0407, buf.data()), 7);
  EXPECT_EQ(buf, u"STRA\u00DFE");  // cannot grow in place
  buf = u"\u039F\u0394\u039F\u03A3";
  EXPECT_EQ(LowercaseIt(0x0408, buf.data()), 5);
  EXPECT_EQ(buf, u"\u03BF\u03B4\u03BF\u03C2");
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
  EXPECT_TRUE(UserDefaultMeasurements(0x0809));
  EXPECT_TRUE(UserDefaultMeasurements(0x0407));
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
  EXPECT_EQ(StrLScanW(s.data(), u'z', 6), nullptr);
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
