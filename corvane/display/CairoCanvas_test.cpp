#include "corvane/display/CairoCanvas.hpp"

#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvane {
namespace {

namespace fs = std::filesystem;

int width_of(CairoCanvas& c, std::u16string_view text) {
  return c.text_extent(text).cx;
}

TEST(CairoCanvasMeasuring, WidthsAreCumulativePerUnitAndFitCountsThem) {
  CairoCanvas c;
  int fit = 0;
  std::vector<int> dx;
  TSize size;
  ASSERT_TRUE(c.text_extent_ex(u"Hello world", -1, fit, dx, size));
  ASSERT_EQ(dx.size(), 11u);
  EXPECT_EQ(fit, 11);
  EXPECT_EQ(dx.back(), size.cx);
  EXPECT_GT(size.cy, 5);
  for (std::size_t i = 1; i < dx.size(); ++i) EXPECT_GE(dx[i], dx[i - 1]);
  // Fit stops before the first character that passes the extent.
  ASSERT_TRUE(c.text_extent_ex(u"Hello world", dx[4], fit, dx, size));
  EXPECT_EQ(fit, 5);
  // A surrogate pair: its second half adds nothing.
  ASSERT_TRUE(c.text_extent_ex(u"a\U0001D400b", -1, fit, dx, size));
  ASSERT_EQ(dx.size(), 4u);
  EXPECT_EQ(dx[1], dx[2]);
  EXPECT_GT(dx[1], dx[0]);
  // Empty text and a lone surrogate measure without harm.
  ASSERT_TRUE(c.text_extent_ex(u"", -1, fit, dx, size));
  EXPECT_EQ(size.cx, 0);
  EXPECT_GT(width_of(c, std::u16string(1, char16_t(0xD800))), 0);
}

TEST(CairoCanvasMeasuring, ArabicIsShapedNotMeasuredLetterByLetter) {
  CairoCanvas c;
  c.font().size = 20;
  // Joined letters take their medial and final forms, narrower than the isolated ones.
  const std::u16string word = u"\u0627\u0644\u0639\u0631\u0628\u064A\u0629\u0633\u0645\u0647";
  int isolated = 0;
  for (const char16_t ch : word) isolated += width_of(c, std::u16string(1, ch));
  const int shaped = width_of(c, word);
  EXPECT_GT(shaped, 0);
  EXPECT_NE(shaped, isolated);
  EXPECT_LT(shaped, isolated);
}

TEST(CairoCanvasMeasuring, BoldIsWiderAndSizesScale) {
  CairoCanvas c;
  const int plain = width_of(c, u"Concordance");
  c.font().bold = true;
  EXPECT_GT(width_of(c, u"Concordance"), plain);
  c.font().bold = false;
  c.font().size = 20;
  EXPECT_GT(width_of(c, u"Concordance"), plain * 3 / 2);
}

TEST(CairoCanvasMeasuring, CacheHoldsOneEntryPerFontAndTextAndStaysBounded) {
  CairoCanvas c;
  width_of(c, u"word");
  width_of(c, u"word");
  EXPECT_EQ(c.cached_texts(), 1u);
  c.font().bold = true;
  width_of(c, u"word");
  EXPECT_EQ(c.cached_texts(), 2u);
  c.set_cache_limit(3);
  for (const char16_t* w : {u"a", u"b", u"c", u"d", u"e"}) width_of(c, w);
  EXPECT_LE(c.cached_texts(), 3u);
  // The widths do not depend on whether they came from the cache.
  c.font().bold = false;
  const int first = width_of(c, u"zebra");
  c.set_cache_limit(1);
  width_of(c, u"other");
  EXPECT_EQ(width_of(c, u"zebra"), first);
}

TEST(CairoCanvasFonts, MissingFamilyFallsBackWithOneWarning) {
  CairoCanvas c;
  std::vector<std::u16string> warned;
  c.on_missing_font([&](const std::u16string& wanted, const std::u16string& used) {
    warned.push_back(wanted + u"->" + used);
  });
  const int dejavu = width_of(c, u"fallback");
  c.font().name = u"No Such Family 42";
  EXPECT_EQ(c.resolved_family(), u"DejaVu Sans");
  EXPECT_EQ(width_of(c, u"fallback"), dejavu);
  width_of(c, u"again");
  ASSERT_EQ(warned.size(), 1u);
  EXPECT_EQ(warned[0], u"No Such Family 42->DejaVu Sans");
  EXPECT_TRUE(font_family_installed(u"dejavu sans"));
  EXPECT_TRUE(font_family_installed(u"Monospace"));
  EXPECT_FALSE(font_family_installed(u"No Such Family 42"));
}

// The columns of the image that hold ink (a pixel that is not white) in rows [top, bottom).
std::vector<bool> ink_columns(CairoCanvas& c, int top, int bottom) {
  auto* surface = cairo_get_target(static_cast<cairo_t*>(c.cairo_context()));
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<bool> ink(static_cast<std::size_t>(c.width()), false);
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < c.width(); ++x) {
      const auto* px = reinterpret_cast<const std::uint32_t*>(data + y * stride) + x;
      if ((*px & 0xFFFFFF) != 0xFFFFFF) ink[static_cast<std::size_t>(x)] = true;
    }
  return ink;
}

TEST(CairoCanvasDrawing, RightToLeftReadingSetsTheLatinRunOnTheRight) {
  // "abc <Hebrew>": left to right the Latin run comes first (on the left); in right-to-left
  // reading order it comes first on the right.
  const std::u16string hebrew = u"\u05D0\u05D1\u05D2\u05D3";
  const std::u16string mixed = u"abc " + hebrew;
  const TRect clip{0, 0, 300, 30};
  auto first_ink = [](const std::vector<bool>& ink) {
    for (std::size_t i = 0; i < ink.size(); ++i)
      if (ink[i]) return static_cast<int>(i);
    return -1;
  };
  CairoCanvas alone(300, 30), ltr(300, 30), rtl(300, 30);
  for (CairoCanvas* c : {&alone, &ltr, &rtl}) c->background_mode = BackgroundMode::transparent;
  alone.text_out(0, 0, clip, hebrew, kTextOutClipped);
  ltr.text_out(0, 0, clip, mixed, kTextOutClipped);
  rtl.text_out(0, 0, clip, mixed, kTextOutClipped | kTextOutRtlReading);
  const std::vector<bool> a = ink_columns(alone, 0, 30), l = ink_columns(ltr, 0, 30),
                          r = ink_columns(rtl, 0, 30);
  const int hebrew_width = width_of(alone, hebrew);
  // Right to left, the leftmost columns are the Hebrew word's, as when it is drawn alone.
  EXPECT_EQ(first_ink(r), first_ink(a));
  EXPECT_TRUE(std::equal(a.begin(), a.begin() + hebrew_width - 1, r.begin()));
  EXPECT_FALSE(std::equal(a.begin(), a.begin() + hebrew_width - 1, l.begin()));
}

TEST(CairoCanvasDrawing, RightAlignedTextEndsAtXAndClipHoldsIt) {
  CairoCanvas c(200, 20);
  c.text_align = TextAlign::right;
  c.brush_colour = 0x0000FF;  // an opaque red box behind the text
  c.text_out(150, 0, TRect{0, 0, 200, 20}, u"word", kTextOutClipped);
  const std::vector<bool> ink = ink_columns(c, 0, 20);
  const int w = width_of(c, u"word");
  EXPECT_TRUE(ink[static_cast<std::size_t>(149)]);
  EXPECT_FALSE(ink[150]);
  EXPECT_TRUE(ink[static_cast<std::size_t>(150 - w)]);
  EXPECT_FALSE(ink[static_cast<std::size_t>(150 - w - 1)]);
  // Clipped to a narrower rectangle, nothing shows outside it.
  CairoCanvas d(200, 20);
  d.text_out(10, 0, TRect{0, 0, 30, 20}, u"a long text that runs on", kTextOutClipped);
  const std::vector<bool> clipped = ink_columns(d, 0, 20);
  EXPECT_TRUE(std::none_of(clipped.begin() + 30, clipped.end(), [](bool b) { return b; }));
}

TEST(CairoCanvasDrawing, EllipsisShortensToTheRoom) {
  CairoCanvas c;
  const std::u16string text = u"a rather long line of words";
  const std::u16string end = c.shortened(text, 60, DrawTextEllipsis::end);
  EXPECT_EQ(end.back(), u'\u2026');
  EXPECT_LE(width_of(c, end), 60);
  EXPECT_EQ(text.substr(0, end.size() - 1), end.substr(0, end.size() - 1));
  EXPECT_EQ(c.shortened(u"short", 200, DrawTextEllipsis::end), u"short");
  const std::u16string path = u"C:\\Users\\someone\\corpus\\texts\\file.txt";
  const std::u16string cut = c.shortened(path, 120, DrawTextEllipsis::path);
  EXPECT_NE(cut.find(u'\u2026'), std::u16string::npos);
  EXPECT_EQ(cut.substr(cut.size() - 9), u"\\file.txt");
  EXPECT_LE(width_of(c, cut), 120);
}

TEST(CairoCanvasFiles, PngIsWrittenBesideItsNameAndRenamed) {
  const fs::path dir =
      fs::temp_directory_path() / ("cairo_canvas_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  CairoCanvas c(40, 10);
  c.fill_rect(TRect{0, 0, 40, 10}, 0x00FF00);
  std::string error;
  const std::string target = (dir / "out.png").string();
  ASSERT_TRUE(c.write_png(target, error)) << error;
  std::ifstream in(target, std::ios::binary);
  std::string head(8, '\0');
  in.read(head.data(), 8);
  EXPECT_EQ(head, std::string("\x89PNG\r\n\x1a\n", 8));
  // Only the picture is left in the folder: no temporary file.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  // A folder that does not exist: an error naming the file, and nothing written.
  const std::string nowhere = (dir / "missing" / "out.png").string();
  EXPECT_FALSE(c.write_png(nowhere, error));
  EXPECT_NE(error.find(nowhere), std::string::npos);
  // A target that cannot be replaced (a folder): the error comes at the rename, and no
  // temporary file stays behind.
  fs::create_directories(dir / "taken.png");
  EXPECT_FALSE(c.write_png((dir / "taken.png").string(), error));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
  fs::remove_all(dir);
}

TEST(CairoCanvasFiles, ReplacingFileRewritesAHeaderAndLeavesTheOldFileOnFailure) {
  const fs::path dir =
      fs::temp_directory_path() / ("replacing_file_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string target = (dir / "a.txt").string();
  { std::ofstream(target) << "old"; }
  {
    replacing_file f(target);
    std::string error;
    ASSERT_TRUE(f.open(error));
    f.write("0000 body");
    // Not committed: the old file stays.
  }
  std::stringstream old;
  old << std::ifstream(target).rdbuf();
  EXPECT_EQ(old.str(), "old");
  replacing_file f(target);
  std::string error;
  ASSERT_TRUE(f.open(error));
  f.write("0000 body");
  f.write_at(0, "1234");
  f.write(" tail");
  ASSERT_TRUE(f.commit(error)) << error;
  std::stringstream now;
  now << std::ifstream(target).rdbuf();
  EXPECT_EQ(now.str(), "1234 body tail");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace corvane
