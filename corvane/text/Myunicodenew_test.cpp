#include "corvane/text/Myunicodenew.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/frame/Package_log.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

TEST(Myunicodenew, ZeroTerminatedCopies) {
  char* a = MyNewPAnsichar("hello");
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a, "hello");
  DeletePAnsichar(a);
  EXPECT_EQ(MyNewPAnsichar(""), nullptr);
  EXPECT_EQ(MyNewPAnsichar(nullptr), nullptr);
  char16_t* w = MyNewPChar(u"h\u00E9");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(std::u16string(w), u"h\u00E9");
  DeletePWideChar(w);
  EXPECT_EQ(MyNewPChar(u""), nullptr);
  DeletePWideChar(nullptr);
  DeletePAnsichar(nullptr);
}

TEST(Myunicodenew, CheckedNewLen) {
  char* a = CheckedNewLenPAnsichar("abcdef", 3);
  EXPECT_STREQ(a, "abc");
  DeletePAnsichar(a);
  char16_t* w = CheckedNewLenPchar(u"abcdef", 4);
  EXPECT_EQ(std::u16string(w), u"abcd");
  DeletePWideChar(w);
  // A count beyond the source's zero stops at the zero and pads.
  w = CheckedNewLenPchar(u"ab", 5);
  EXPECT_EQ(std::u16string(w, 6), std::u16string(u"ab\0\0\0\0", 6));
  DeletePWideChar(w);
  EXPECT_EQ(CheckedNewLenPchar(u"abc", 0), nullptr);
  EXPECT_EQ(CheckedNewLenPchar(nullptr, 3), nullptr);
  EXPECT_EQ(CheckedNewLenPAnsichar("abc", -1), nullptr);
}

TEST(Myunicodenew, FillWChar) {
  char16_t buf[5] = {u'x', u'x', u'x', u'x', u'x'};
  FillWChar(buf, 7, u'-');  // floor(7 / 2) = 3 positions
  EXPECT_EQ(std::u16string(buf, 5), u"---xx");
  FillWChar(buf, 1, u'+');
  EXPECT_EQ(buf[0], u'-');
  FillWChar(nullptr, 8, u'+');
}

TEST(Myunicodenew, StrScanIndex) {
  EXPECT_EQ(StrScanIndex(u"abcabc", u'b', 2), 2);
  EXPECT_EQ(StrScanIndex(u"abcabc", u'b', 3), 5);
  EXPECT_EQ(StrScanIndex(u"abcabc", u'c', 6), 6);  // the last position
  EXPECT_EQ(StrScanIndex(u"abcabc", u'c', 7), 0);
  EXPECT_EQ(StrScanIndex(u"", u'a', 1), 0);
  EXPECT_EQ(StrScanIndex(u"abc", u'a', 0), 1);
}

TEST(Myunicodenew, ExpandTabbedWideString) {
  EXPECT_EQ(ExpandTabbedWideString(u"a\tb", 3), u"a   b");
  EXPECT_EQ(ExpandTabbedWideString(u"\ta\t\t", 1), u" a  ");
  EXPECT_EQ(ExpandTabbedWideString(u"a\tb", 0), u"ab");
  EXPECT_EQ(ExpandTabbedWideString(u"a\tb", -2), u"ab");
}

TEST(Myunicodenew, TextExtents) {
  FixedAdvanceCanvas canvas(7, 15);
  EXPECT_EQ(GetTextExtentW(&canvas, u"abcdef", 4), (TSize{28, 15}));
  EXPECT_EQ(GetTextExtentW(&canvas, u"abc", 0), (TSize{0, 0}));
  EXPECT_EQ(GetTextExtentW(&canvas, u"abc", -1), (TSize{0, 0}));
  EXPECT_EQ(GetTextExtentW(nullptr, u"abc", 3), (TSize{0, 0}));
  canvas.set_failing(true);
  EXPECT_EQ(GetTextExtentW(&canvas, u"abc", 3), (TSize{0, 0}));
  canvas.set_failing(false);

  int fit = -1;
  std::vector<int> dx;
  TSize size;
  ASSERT_TRUE(DefaultGetTextExtentExPointW(&canvas, u"abcdef", 5, 20, fit, dx, size));
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(dx, (std::vector<int>{7, 14, 21, 28, 35}));
  EXPECT_EQ(size, (TSize{35, 15}));
  EXPECT_FALSE(DefaultGetTextExtentExPointW(nullptr, u"a", 1, 20, fit, dx, size));
  EXPECT_FALSE(DefaultGetTextExtentExPointW(&canvas, nullptr, 1, 20, fit, dx, size));
  EXPECT_FALSE(DefaultGetTextExtentExPointW(&canvas, u"a", -1, 20, fit, dx, size));
}

TEST(Myunicodenew, StartUpSetsTheExtentRoutineAndShutDownLogs) {
  std::vector<std::u16string> lines;
  auto previous_log = package_log_line;
  package_log_line = [&](const std::u16string& l) { lines.push_back(l); };
  Myunicodenew_initialization();
  EXPECT_EQ(MyGetTextExtentExPointW, &DefaultGetTextExtentExPointW);
  Myunicodenew_finalization();
  EXPECT_EQ(MyGetTextExtentExPointW, nullptr);
  package_log_line = previous_log;
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], u"quit myUnicodeNew, ");
}

TEST(Myunicodenew, FormatValidNumberStr) {
  struct Case {
    std::u16string_view typed;
    int result;
    std::u16string_view converted;
  };
  const Case cases[] = {
      {u"a{chr(65)}b", 65, u"aAb"},
      {u"x#9y", 9, u"x\ty"},
      {u"{CHR(x)}", -1, u"{CHR(x)}"},
      {u"#", -1, u"#"},
      {u"a#b", -1, u"a#b"},
      {u"", -1, u""},
      // Several notations; the result is the last number converted.
      {u"{Chr(72)}{CHR(105)} #33#", 33, u"Hi !#"},
      // A ")}" before the "{CHR(" stays and the search goes on after it.
      {u")} {CHR(66)}", 66, u")} B"},
      // A bad number is skipped; the next notation still converts.
      {u"{CHR(1x)} {CHR(67)}", 67, u"{CHR(1x)} C"},
      // Numbers beyond 32 bits or beyond Unicode stay as written.
      {u"#99999999999 #1114112", -1, u"#99999999999 #1114112"},
      {u"#128512", 128512, u"\U0001F600"},
      // The hash pass sees what the braced pass produced.
      {u"{CHR(35)}65", 65, u"A"},
  };
  for (const Case& c : cases) {
    std::u16string s(c.typed);
    EXPECT_EQ(MyFormatValidNumberStr(s), c.result) << u8(c.typed);
    EXPECT_EQ(s, c.converted) << u8(c.typed);
  }
}

TEST(Myunicodenew, FormatValidNumberStrYields) {
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  std::u16string s = u"{CHR(65)}#66";
  MyFormatValidNumberStr(s);
  AYieldProcessProc = nullptr;
  EXPECT_EQ(yields, 2);
}

}  // namespace
}  // namespace corvane
