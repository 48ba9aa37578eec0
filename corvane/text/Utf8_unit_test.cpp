#include "corvane/text/Utf8_unit.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "corvane/frame/Mykpsmall.hpp"

namespace corvane {
namespace {

TEST(Utf8Unit, LeadByteTable) {
  // The first and last byte of each run.
  const int runs[][3] = {{0x00, 0xBF, 0}, {0xC0, 0xDF, 1}, {0xE0, 0xEF, 2},
                         {0xF0, 0xF7, 3}, {0xF8, 0xFB, 4}, {0xFC, 0xFF, 5}};
  for (const auto& [first, last, count] : runs) {
    EXPECT_EQ(UTF8_continuation_bytes[first], count) << first;
    EXPECT_EQ(UTF8_continuation_bytes[last], count) << last;
  }
}

TEST(Utf8Unit, Signatures) {
  EXPECT_EQ(UTF8SignatureAsUTF8String(), "\xEF\xBB\xBF");
  const unsigned char sig[] = {0xEF, 0xBB, 0xBF, 'a'};
  const unsigned char not_sig[] = {0xEF, 0xBB, 0xBE, 'a'};
  EXPECT_TRUE(IsUTF8SignatureA(sig));
  EXPECT_FALSE(IsUTF8SignatureA(not_sig));
  EXPECT_FALSE(IsUTF8SignatureA(nullptr));
  EXPECT_TRUE(IsUTF8Signature(sig));
  EXPECT_FALSE(IsUTF8Signature(nullptr));
  // Raw file bytes in a UTF-16 buffer, in memory order.
  char16_t w[4] = {};
  std::memcpy(w, sig, 4);
  EXPECT_TRUE(IsUTF8SignatureW(w));
  char16_t short_w[3] = {};
  std::memcpy(short_w, sig, 2);  // one code unit, then the zero
  EXPECT_FALSE(IsUTF8SignatureW(short_w));
  EXPECT_FALSE(IsUTF8SignatureW(nullptr));
}

TEST(Utf8Unit, LengthInChars) {
  EXPECT_EQ(UTF8LengthInChars(""), 0);
  EXPECT_EQ(UTF8LengthInChars("abc"), 3);
  EXPECT_EQ(UTF8LengthInChars("a\xC3\xA9"), 2);
  EXPECT_EQ(UTF8LengthInChars("a\x80"), 2);  // 0x80 cannot lead: the byte length
  EXPECT_EQ(UTF8LengthInChars("\xC3"), 1);   // runs past the end: the byte length
  EXPECT_EQ(UTF8LengthInChars("ab\xE2\x82"), 4);
  EXPECT_EQ(UTF8LengthInChars("\xE2\x82\xAC\xF0\x9F\x98\x80"), 2);
  EXPECT_EQ(UTF8LengthInChars("\xFC\x80\x80\x80\x80\x80z"), 2);  // six-byte form counted
  EXPECT_EQ(UTF8LengthInChars("x\xFEy"), 3);
}

TEST(Utf8Unit, CheckedUTF) {
  bool plain = false;
  EXPECT_TRUE(CheckedUTF("", plain));
  EXPECT_TRUE(plain);
  EXPECT_TRUE(CheckedUTF("abc", plain));
  EXPECT_TRUE(plain);
  EXPECT_TRUE(CheckedUTF("\xC3\xA9\xFF", plain));  // decided at the first sequence
  EXPECT_FALSE(plain);
  EXPECT_FALSE(CheckedUTF("\xC0\x80", plain));          // overlong
  EXPECT_FALSE(CheckedUTF("\xE0\x80\x80", plain));      // overlong
  EXPECT_FALSE(CheckedUTF("ab\x80", plain));            // continuation byte in lead position
  EXPECT_FALSE(CheckedUTF("ab\xC3", plain));            // cut short
  EXPECT_FALSE(CheckedUTF("\xF4\x90\x80\x80", plain));  // beyond U+10FFFF
  EXPECT_FALSE(CheckedUTF("\xF8\x88\x80\x80\x80", plain));
  EXPECT_FALSE(CheckedUTF("\xE2\x82x", plain));
  EXPECT_TRUE(CheckedUTF("\xF0\x9F\x98\x80", plain));
  EXPECT_FALSE(plain);
  EXPECT_TRUE(CheckedUTF("\xED\x9F\xBF", plain));
}

TEST(Utf8Unit, CheckedUTFYieldsPerByteAndStopsEarly) {
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  bool plain = true;
  EXPECT_TRUE(CheckedUTF("abc\xC3\xA9 and much more", plain));
  AYieldProcessProc = nullptr;
  EXPECT_EQ(yields, 4);  // a, b, c and the lead byte; the rest is not examined
}

}  // namespace
}  // namespace corvane
