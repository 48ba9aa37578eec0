#include "corvane/rtl/Format.hpp"

#include <gtest/gtest.h>

#include "corvane/rtl/Exception.hpp"

namespace corvane {
namespace {

const TFormatSettings us;

std::u16string F(std::u16string_view fmt, TFormatArgs args) {
  return Format(fmt, args, us);
}

TEST(Format, Integers) {
  EXPECT_EQ(F(u"%d items", {42}), u"42 items");
  EXPECT_EQ(F(u"%5.4d", {7}), u" 0007");
  EXPECT_EQ(F(u"%.3d", {-7}), u"-007");
  EXPECT_EQ(F(u"%-4d|", {7}), u"7   |");
  EXPECT_EQ(F(u"%d", {std::int64_t{-9000000000}}), u"-9000000000");
  EXPECT_EQ(F(u"%d", {INT32_MIN}), u"-2147483648");
  EXPECT_EQ(F(u"%u", {-1}), u"4294967295");
  EXPECT_EQ(F(u"%u", {4000000000u}), u"4000000000");
  EXPECT_EQ(F(u"%d", {UINT64_MAX}), u"18446744073709551615");
  EXPECT_EQ(F(u"%x", {255}), u"FF");
  EXPECT_EQ(F(u"%.4x", {255}), u"00FF");
  EXPECT_EQ(F(u"%x", {-1}), u"FFFFFFFF");
  EXPECT_EQ(F(u"%x", {std::int64_t{-1}}), u"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(F(u"%D", {3}), u"3");
}

TEST(Format, NumberFormatN) {
  EXPECT_EQ(F(u"%.0n", {1234567.0}), u"1,234,567");
  EXPECT_EQ(F(u"%n", {1234567.891}), u"1,234,567.89");
  EXPECT_EQ(F(u"%0.n", {999.0}), u"999");
  EXPECT_EQ(F(u"%2.0n", {5.0}), u" 5");
  EXPECT_EQ(F(u"%.1nK", {1.25}), u"1.3K");
  EXPECT_EQ(F(u"%.2n", {-1234.5}), u"-1,234.50");
}

TEST(Format, FixedGeneralScientific) {
  EXPECT_EQ(F(u"%f", {2.0}), u"2.00");
  EXPECT_EQ(F(u"%1.3f", {3.14159}), u"3.142");
  EXPECT_EQ(F(u"%3.2f", {3.14159}), u"3.14");
  EXPECT_EQ(F(u"%5.3f", {1.0}), u"1.000");
  EXPECT_EQ(F(u"%8.3f|", {1.0}), u"   1.000|");
  EXPECT_EQ(F(u"%.0f", {2.5}), u"3");
  EXPECT_EQ(F(u"%4.2g", {3.14159}), u" 3.1");
  EXPECT_EQ(F(u"%g", {0.5}), u"0.5");
  EXPECT_EQ(F(u"%g", {1e20}), u"1E020");
  EXPECT_EQ(F(u"%.3g", {1234.5}), u"1.23E003");
  EXPECT_EQ(F(u"%e", {1234.5}), u"1.23450000000000E+003");
  EXPECT_EQ(F(u"%.2e", {-0.000123}), u"-1.2E-004");
}

TEST(Format, Money) {
  EXPECT_EQ(F(u"%m", {1234.5}), u"$1,234.50");
  EXPECT_EQ(F(u"%m", {-1.0}), u"($1.00)");
  EXPECT_EQ(F(u"%.0m", {2.0}), u"$2");
  TFormatSettings de;
  de.DecimalSeparator = u',';
  de.ThousandSeparator = u'.';
  de.CurrencyString = std::u16string(1, u'\u20ac');  // GCC 12 warns wrongly on "= u\"€\""
  de.CurrencyFormat = 3;
  EXPECT_EQ(Format(u"%m", {1234.5}, de), u"1.234,50 \u20ac");
  EXPECT_EQ(Format(u"%n", {1234.5}, de), u"1.234,50");
}

TEST(Format, StringsAndCharacters) {
  const std::u16string owned = u"abc";
  const std::u16string_view view = u"view";
  EXPECT_EQ(F(u"[%s|%s|%s|%s]", {owned, view, u"lit", u'c'}), u"[abc|view|lit|c]");
  EXPECT_EQ(F(u"%.2s", {owned}), u"ab");
  EXPECT_EQ(F(u"%-5.2s|", {owned}), u"ab   |");
  EXPECT_EQ(F(u"%5s", {owned}), u"  abc");
  EXPECT_EQ(F(u"%1s", {owned}), u"abc");
  EXPECT_EQ(F(u"%s", {static_cast<const char16_t*>(nullptr)}), u"");
  EXPECT_EQ(F(u"100%%", {}), u"100%");
}

TEST(Format, IndexesAndStars) {
  EXPECT_EQ(F(u"%1:s %0:s", {u"a", u"b"}), u"b a");
  EXPECT_EQ(F(u"%1:s %s", {u"a", u"b", u"c"}), u"b c");
  EXPECT_EQ(F(u"%0:s%0:s", {u"x"}), u"xx");
  EXPECT_EQ(F(u"%*d", {5, 42}), u"   42");
  EXPECT_EQ(F(u"%-*d|", {4, 42}), u"42  |");
  EXPECT_EQ(F(u"%.*f", {1, 2.25}), u"2.3");
  EXPECT_EQ(F(u"%*.*f", {6, 1, 2.25}), u"   2.3");
  EXPECT_EQ(F(u"%*d|", {-3, 42}), u"42|");
  EXPECT_EQ(F(u"%.*s|", {-1, u"abc"}), u"abc|");
}

TEST(Format, Pointer) {
  const std::u16string p = F(u"%p", {nullptr});
  EXPECT_EQ(p, std::u16string(sizeof(void*) * 2, u'0'));
  int x = 0;
  EXPECT_EQ(F(u"%p", {&x}).size(), sizeof(void*) * 2);
}

TEST(Format, BadArgumentsRaiseEConvertError) {
  const auto message_of = [](std::u16string_view fmt, TFormatArgs args) -> std::u16string {
    try {
      Format(fmt, args, us);
    } catch (const EConvertError& e) {
      return e.Message();
    }
    return u"(no error)";
  };
  EXPECT_EQ(message_of(u"%d", {}), u"Format '%d' invalid or incompatible with argument");
  EXPECT_EQ(message_of(u"%d and %d", {1}),
            u"Format '%d and %d' invalid or incompatible with argument");
  for (const char16_t* f : {u"%d", u"%u", u"%x", u"%s", u"%p"}) {
    EXPECT_THROW(Format(f, {1.5}, us), EConvertError) << "float accepted";
  }
  for (const char16_t* f : {u"%f", u"%e", u"%g", u"%n", u"%m", u"%s", u"%p"}) {
    EXPECT_THROW(Format(f, {1}, us), EConvertError) << "integer accepted";
  }
  EXPECT_THROW(Format(u"%d", {u"12"}, us), EConvertError);
  EXPECT_THROW(Format(u"%", {1}, us), EConvertError);
  EXPECT_THROW(Format(u"%5", {1}, us), EConvertError);
  EXPECT_THROW(Format(u"%z", {1}, us), EConvertError);
  EXPECT_THROW(Format(u"%3:d", {1}, us), EConvertError);
  EXPECT_THROW(Format(u"%*d", {u"x", 1}, us), EConvertError);
  EXPECT_THROW(Format(u"%99999999999d", {1}, us), EConvertError);
  EXPECT_THROW(Format(u"%*d", {2000000000, 1}, us), EConvertError);
}

}  // namespace
}  // namespace corvane
