#include "corvane/platform/Canvas.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FixedAdvanceCanvas, ExtentWithFitAndPerCharacterExtents) {
  FixedAdvanceCanvas c(10, 20);
  int fit = -1;
  std::vector<int> dx;
  TSize size;
  ASSERT_TRUE(c.text_extent_ex(u"abcd", 25, fit, dx, size));
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(dx, (std::vector<int>{10, 20, 30, 40}));
  EXPECT_EQ(size, (TSize{40, 20}));
  ASSERT_TRUE(c.text_extent_ex(u"a\U0001F600b", -1, fit, dx, size));
  EXPECT_EQ(fit, 4);
  EXPECT_EQ(dx, (std::vector<int>{10, 20, 20, 30}));  // the pair is one character
  ASSERT_TRUE(c.text_extent_ex(u"", 5, fit, dx, size));
  EXPECT_EQ(fit, 0);
  EXPECT_EQ(size, (TSize{0, 20}));
  c.set_failing(true);
  EXPECT_EQ(c.text_extent(u"abc"), (TSize{0, 0}));
}

TEST(FixedAdvanceCanvas, TextOutClipsAndAligns) {
  FixedAdvanceCanvas c(10, 20);
  c.font().bold = true;
  c.text_out(5, 0, TRect{20, 0, 50, 20}, u"abcdef", kTextOutClipped);
  ASSERT_EQ(c.drawn().size(), 1u);
  EXPECT_EQ(c.drawn()[0].text, u"cd");  // cells 25-35 and 35-45 lie inside
  EXPECT_EQ(c.drawn()[0].x, 25);
  EXPECT_TRUE(c.drawn()[0].font.bold);
  c.text_align = TextAlign::right;
  c.text_out(100, 0, TRect{}, u"abc", kTextOutRtlReading);
  EXPECT_EQ(c.drawn()[1].x, 70);
  EXPECT_EQ(c.drawn()[1].text, u"abc");  // not clipped without the option
  c.text_out(0, 40, TRect{0, 0, 100, 20}, u"abc", kTextOutClipped);
  EXPECT_EQ(c.drawn()[2].text, u"");
}

TEST(FixedAdvanceCanvas, DrawTextWithEllipsis) {
  FixedAdvanceCanvas c(10, 20);
  c.draw_text(TRect{0, 0, 60, 20}, u"abcdefghij", DrawTextAlign::left, DrawTextEllipsis::end);
  EXPECT_EQ(c.drawn()[0].text, u"abcde\u2026");
  c.draw_text(TRect{0, 0, 80, 20}, u"C:\\one\\two\\f.txt", DrawTextAlign::left,
              DrawTextEllipsis::path);
  EXPECT_EQ(c.drawn()[1].text, u"C\u2026\\f.txt");  // eight cells
  c.draw_text(TRect{0, 0, 100, 20}, u"ab", DrawTextAlign::centre, DrawTextEllipsis::none);
  EXPECT_EQ(c.drawn()[2].x, 40);
  c.draw_text(TRect{0, 0, 100, 20}, u"ab", DrawTextAlign::right, DrawTextEllipsis::none);
  EXPECT_EQ(c.drawn()[3].x, 80);
}

}  // namespace
}  // namespace corvane
