#include "corvane/definitions/Language_utils.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Language_utils, SearchWordColours) {
  TMyCanvasColourRec c = SearchFoundColoursFromNumber(0);
  EXPECT_EQ(c.colours[tct_selected_text], 0x006400u);
  EXPECT_EQ(c.colours[tct_selected_background], 0xFFFFFFu);
  c = SearchFoundColoursFromNumber(7);  // row 2 keeps its selection colours
  EXPECT_EQ(c.colours[tct_selected_text], c.colours[tct_text]);
  EXPECT_EQ(c.colours[tct_background], 0x800080u);
  // Any negative remainder is row 4.
  EXPECT_EQ(SearchFoundColoursFromNumber(-3).colours[tct_background], 0x800000u);
  const TMyCanvasColourRecAndTypeface t = SearchFoundColoursAndFontStyleFromNumber(6);
  EXPECT_EQ(t.colourset.colours[tct_background], 0x8B0000u);
  EXPECT_EQ(t.highlight_typeface.bits, 1);
}

TEST(Language_utils, TextColours) {
  EXPECT_EQ(TextColourFromNumber(1), 0xFF0000u);
  EXPECT_EQ(TextColourFromNumber(0), 0u);
  const TDisplayTextColourSource saved = text_colour_of_display_style;
  text_colour_of_display_style = [] { return TColor{0x123456}; };
  EXPECT_EQ(TextColourFromNumber(5), 0x123456u);
  EXPECT_EQ(TextColourFromNumber(-2), 0x123456u);
  text_colour_of_display_style = saved;
}

}  // namespace
}  // namespace corvane
