#include "corvane/display/SvgCanvas.hpp"

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "corvane/display/Svg_read_back_test_support.hpp"

namespace corvane {
namespace {

using test_svg::Element;
using test_svg::parse;

TEST(SvgCanvasElements, TextIsPlacedByLeftEdgeAndBaselineEscapedAndColoured) {
  CairoCanvas measurer;
  SvgCanvas svg(measurer, u"DejaVu Sans", 11);
  svg.font().colour = 0x0000FF;  // red in the low byte
  svg.background_mode = BackgroundMode::transparent;
  svg.text_out(10, 20, TRect{0, 0, 500, 60}, u"a<b & \"c\"", kTextOutClipped);
  const std::vector<Element> e = parse(svg.elements());
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].name, "text");
  EXPECT_EQ(e[0].attrs.at("x"), "10");
  measurer.font() = svg.font();
  EXPECT_EQ(e[0].attrs.at("y"), std::to_string(20 + measurer.ascent()));
  EXPECT_EQ(e[0].attrs.at("fill"), "#ff0000");
  EXPECT_EQ(e[0].text, "a<b & \"c\"");
  EXPECT_EQ(e[0].attrs.count("direction"), 0u);
  EXPECT_EQ(e[0].attrs.count("font-family"), 0u);  // the document's family
}

TEST(SvgCanvasElements, RightToLeftTextKeepsLogicalOrderAndAnchorsItsEndAtTheLeftEdge) {
  CairoCanvas measurer;
  SvgCanvas svg(measurer, u"DejaVu Sans", 11);
  svg.background_mode = BackgroundMode::transparent;
  svg.text_align = TextAlign::right;  // x is the right edge, as the drawer sets it
  const std::u16string word = u"\u0627\u0644\u0633\u0644\u0627\u0645";
  svg.text_out(300, 0, TRect{0, 0, 400, 20}, word, kTextOutClipped | kTextOutRtlReading);
  const std::vector<Element> e = parse(svg.elements());
  ASSERT_EQ(e.size(), 1u);
  measurer.font() = svg.font();
  const int w = measurer.text_extent(word).cx;
  EXPECT_EQ(e[0].attrs.at("x"), std::to_string(300 - w));
  EXPECT_EQ(e[0].attrs.at("direction"), "rtl");
  EXPECT_EQ(e[0].attrs.at("text-anchor"), "end");
  EXPECT_EQ(e[0].text, "\u0627\u0644\u0633\u0644\u0627\u0645");
}

TEST(SvgCanvasElements, OwnBackgroundGetsARectBehindTheTextAndThePageColourNone) {
  CairoCanvas measurer;
  SvgCanvas svg(measurer, u"DejaVu Sans", 11);
  svg.page_background = 0xFFFFFF;
  svg.background_mode = BackgroundMode::opaque;
  svg.brush_colour = 0xFFFFFF;
  svg.text_out(0, 0, TRect{0, 0, 400, 20}, u"plain", kTextOutClipped);
  svg.brush_colour = 0x000080;
  svg.font().bold = true;
  svg.text_out(50, 0, TRect{0, 0, 400, 20}, u"hit", kTextOutClipped);
  const std::vector<Element> e = parse(svg.elements());
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].name, "text");
  EXPECT_EQ(e[1].name, "rect");
  EXPECT_EQ(e[1].attrs.at("x"), "50");
  EXPECT_EQ(e[1].attrs.at("fill"), "#800000");
  measurer.font() = svg.font();
  EXPECT_EQ(e[1].attrs.at("width"), std::to_string(measurer.text_extent(u"hit").cx));
  EXPECT_EQ(e[2].name, "text");
  EXPECT_EQ(e[2].attrs.at("font-weight"), "bold");
  EXPECT_EQ(e[2].attrs.at("x"), "50");
}

TEST(SvgCanvasElements, ClippingDropsHiddenTextAndClipsTextThatRunsOut) {
  CairoCanvas measurer;
  SvgCanvas svg(measurer, u"DejaVu Sans", 11);
  svg.background_mode = BackgroundMode::transparent;
  const TRect cell{0, 0, 100, 20};
  svg.text_out(200, 0, cell, u"outside", kTextOutClipped);
  svg.text_out(0, 40, cell, u"below", kTextOutClipped);
  EXPECT_EQ(svg.elements(), "");
  svg.text_out(90, 0, cell, u"runs out", kTextOutClipped);
  svg.text_out(95, 0, cell, u"again", kTextOutClipped);
  const std::vector<Element> e = parse(svg.elements());
  ASSERT_EQ(e.size(), 4u);  // one clipPath with its rect, shared by both texts
  EXPECT_EQ(e[0].name, "clipPath");
  EXPECT_EQ(e[1].name, "rect");
  EXPECT_EQ(e[1].attrs.at("width"), "100");
  EXPECT_EQ(e[2].attrs.at("clip-path"), "url(#" + e[0].attrs.at("id") + ")");
  EXPECT_EQ(e[3].attrs.at("clip-path"), e[2].attrs.at("clip-path"));
  std::string taken;
  svg.take(taken);
  EXPECT_EQ(svg.elements(), "");
  EXPECT_EQ(parse(taken).size(), 4u);
}

TEST(SvgCanvasDocument, StartHasAFixedLengthAndAFirstRectFillingThePicture) {
  const std::string a = svg_document_start(1000, 0, 0xFDEADA, u"DejaVu Sans", 11);
  const std::string b = svg_document_start(1000, 9999999999LL, 0xFDEADA, u"DejaVu Sans", 11);
  EXPECT_EQ(a.size(), b.size());
  const std::vector<Element> e = parse(b + svg_document_end());
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].name, "svg");
  EXPECT_EQ(e[0].attrs.at("height"), "9999999999");
  EXPECT_EQ(e[0].attrs.at("width"), "1000");
  EXPECT_EQ(e[0].attrs.at("font-size"), "14.67");
  EXPECT_EQ(e[1].name, "rect");
  EXPECT_EQ(e[1].attrs.at("fill"), "#daeafd");
  EXPECT_EQ(e[1].attrs.at("width"), "100%");
  EXPECT_EQ(xml_escaped(u"x\x01y\xD800"), "x y\xEF\xBF\xBD");
}

}  // namespace
}  // namespace corvane
