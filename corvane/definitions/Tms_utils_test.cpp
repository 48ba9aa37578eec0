#include "corvane/definitions/Tms_utils.hpp"

#include <gtest/gtest.h>

#include "corvane/definitions/Language_utils.hpp"
#include "corvane/platform/SystemColours.hpp"

namespace corvane {
namespace {

TEST(Colour_tables, FixedSetsAndTypefaces) {
  const TMyCanvasColourRec b = BogStandardColours();
  EXPECT_EQ(b.colours[tct_text], 0x000000u);
  EXPECT_EQ(b.colours[tct_selected_text], 0xFFFFFFu);
  EXPECT_EQ(b.colours[tct_background], 0xFFFFFFu);
  EXPECT_EQ(b.colours[tct_selected_background], 0x660000u);
  const TMyCanvasColourRec s = StyleSearchColours();
  EXPECT_EQ(s.colours[tct_text], 0xFFFFFFu);
  EXPECT_EQ(s.colours[tct_selected_text], 0x000080u);
  EXPECT_EQ(s.colours[tct_background], 0x000080u);
  EXPECT_EQ(s.colours[tct_selected_background], 0xFFFFFFu);
  EXPECT_TRUE(BogStandardColoursAndTypeface().default_typeface.empty());
  EXPECT_TRUE(BogStandardColoursAndTypeface().highlight_typeface.empty());
  const TMyCanvasColourRecAndTypeface st = StyleSearchColoursAndTypeface();
  EXPECT_EQ(st.colourset, s);
  EXPECT_EQ(st.default_typeface.bits, 1u);  // bold only
  EXPECT_EQ(st.highlight_typeface.bits, 1u);
}

TEST(Colour_tables, BaseColoursOfEveryStyle) {
  // text, highlighted text, background, highlight background for styles 0..12.
  const TColor want[13][4] = {
      {0, 0xFFFFFF, 0xFDEADA, 0xFADAC4}, {0, 0xFFFFFF, 0xCBC0FF, 0xCBC0FF},
      {0, 0xFFFFFF, 0xCFF0EA, 0x8CC0B1}, {0, 0, 0xFFF8F0, 0xFFF8F0},
      {0, 0, 0xFCEBDC, 0xFFF8F8},        {0, 0xFFFFFF, 0xFF00000F, 0xFADAC4},
      {0, 0, 0xFFF8F0, 0x7BEEFF},        {0, 0, 0xFFFFFF, 0x7BEEFF},
      {0, 0, 0xBFBFBF, 0x7BEEFF},        {0, 0, 0xFFFFFF, 0x7BEEFF},
      {0, 0, 0xFFFFFF, 0x7BEEFF},        {0, 0xFFFFFF, 0xFFFFFF, 0xA9A9A9},
      {0, 0xFFFFFF, 0xD3D3D3, 0xA9A9A9},
  };
  for (TTMSStyle st = 0; st <= kHighestTMSStyle; ++st) {
    SCOPED_TRACE(st);
    EXPECT_EQ(GetABaseTMSTextColour(st), want[st][0]);
    EXPECT_EQ(GetABaseTMSHighlightedTextColour(st), want[st][1]);
    EXPECT_EQ(GetABaseTMSBackgroundColour(st), want[st][2]);
    EXPECT_EQ(GetABaseTMSHighlightBackgroundColour(st), want[st][3]);
    EXPECT_EQ(StyleStandardColours(st).colours[tct_background], want[st][2]);
  }
  // Out of range: the fallbacks.
  EXPECT_EQ(GetABaseTMSBackgroundColour(13), 0xFDEADAu);
  EXPECT_EQ(GetABaseTMSBackgroundColour(-1), 0xFDEADAu);
  EXPECT_EQ(GetABaseTMSHighlightBackgroundColour(13), 0xE0A57Du);
  EXPECT_EQ(GetABaseTMSHighlightedTextColour(99), 0xFFFFFFu);
  EXPECT_FALSE(IsKnownTMSStyle(13));
  EXPECT_FALSE(IsKnownTMSStyle(-1));
  EXPECT_TRUE(IsKnownTMSStyle(0));
  EXPECT_TRUE(IsKnownTMSStyle(12));
  // Gradients.
  EXPECT_EQ(GetABaseTMSGradientLightColour(0), 0xFDEADAu);
  EXPECT_EQ(GetABaseTMSGradientDarkColour(0), 0xFADAC4u);
  EXPECT_EQ(GetABaseTMSGradientLightColour(12), 0xC0C0C0u);
  EXPECT_EQ(GetABaseTMSGradientDarkColour(12), 0x908070u);
  EXPECT_EQ(GetABaseTMSButtonColour(5), 0xFF00000Fu);
}

TEST(Colour_tables, RolesAreTheSameInEveryStyle) {
  for (TTMSStyle st : {0, 5, 7, 12}) {
    SCOPED_TRACE(st);
    const TWordHandlingColourRecsArray a = DefaultWordHandlingColours(st);
    auto text = [&](TWordHandlingColours r) { return a[r].colourset.colours[tct_text]; };
    auto back = [&](TWordHandlingColours r) { return a[r].colourset.colours[tct_background]; };
    EXPECT_EQ(text(wh_tags), 0x808080u);
    EXPECT_EQ(text(wh_searchword), 0xFF0000u);  // blue: red is the low byte
    EXPECT_EQ(text(wh_mainsort), 0x000080u);
    EXPECT_EQ(text(wh_secondsort), 0x006400u);
    EXPECT_EQ(text(wh_thirdSort), 0xD30094u);
    EXPECT_EQ(text(wh_contextword), 0x8B3D48u);
    EXPECT_EQ(text(wh_deleted), 0x808080u);
    EXPECT_EQ(text(wh_mostfreqcolloc), 0x0000FFu);
    EXPECT_EQ(text(wh_viewtextkeywords), 0x000080u);
    EXPECT_EQ(back(wh_viewtextkeywords), 0xCDFAFFu);
    EXPECT_EQ(text(wh_timeline_hits_line), 0x008000u);
    EXPECT_EQ(text(wh_timeline_hits_blob), 0x000000u);
    EXPECT_EQ(text(wh_timeline_quantity_line), 0x0000FFu);
    EXPECT_EQ(text(wh_timeline_quantity_blob), 0x000000u);
    EXPECT_EQ(text(wh_timeline_quantity_fill), 0x808080u);
    EXPECT_EQ(text(wh_timeline_year_divider), 0x000080u);
    EXPECT_EQ(text(wh_timeline_horiz_divider), 0xC0C0C0u);
    EXPECT_EQ(text(wh_sort_triangle), 0x0000FFu);
    EXPECT_EQ(text(wh_wont_fit), 0x800080u);
    EXPECT_EQ(text(wh_viewtext), GetABaseTMSTextColour(st));
    for (TWordHandlingColours r : {wh_tags, wh_searchword, wh_mainsort, wh_secondsort, wh_thirdSort,
                                   wh_contextword, wh_deleted, wh_mostfreqcolloc, wh_viewtext})
      EXPECT_EQ(back(r), GetABaseTMSBackgroundColour(st)) << WordHandlingColourName(r);
    EXPECT_EQ(a[wh_normal_text].colourset, StyleStandardColours(st));
  }
  EXPECT_STREQ(WordHandlingColourName(wh_thirdSort), "wh_thirdSort");
  EXPECT_STREQ(WordHandlingColourName(wh_spare), "wh_spare");
  EXPECT_EQ(UnwantedEntryColours(7).colourset.colours[tct_text], 0x00D7FFu);
  EXPECT_EQ(UnwantedEntryColours(7).colourset.colours[tct_background], 0x006400u);
}

TEST(Colour_tables, SearchColoursInvertTheStandardOnes) {
  const TMyCanvasColourRecAndTypeface s = SearchStandardColoursAndTypeface(1);
  EXPECT_EQ(s.colourset.colours[tct_text], 0xFFFFFFu);
  EXPECT_EQ(s.colourset.colours[tct_selected_text], 0x000000u);
  EXPECT_EQ(s.colourset.colours[tct_background], 0xCBC0FFu);
  EXPECT_EQ(s.colourset.colours[tct_selected_background], 0xCBC0FFu);
  EXPECT_TRUE(s.default_typeface.contains(tf_bold));
  EXPECT_TRUE(s.highlight_typeface.contains(tf_bold));
  const TMyCanvasColourRecAndTypeface v = SearchStandardColoursAndTypefaceViewText(7);
  EXPECT_EQ(v.colourset.colours[tct_text], 0x000000u);
  EXPECT_EQ(v.colourset.colours[tct_background], 0x7BEEFFu);
  EXPECT_EQ(v.colourset.colours[tct_selected_background], 0xFFFFFFu);
  EXPECT_TRUE(StyleStandardColoursViewtextAndTypeface(3).default_typeface.empty());
}

TEST(Colour_tables, SystemColoursResolveOnlyWhenPainting) {
  reset_system_colours();
  EXPECT_EQ(ResolvedColour(0xFF00000F), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ResolvedColour(0x0000FF), 0x0000FFu);
  EXPECT_EQ(ResolvedColour(kNoColour), kNoColour);
  SetSysColor(COLOR_BTNFACE, 0x123456);
  EXPECT_EQ(ResolvedColour(GetABaseTMSBackgroundColour(5)), 0x123456u);
  reset_system_colours();
}

TEST(Colour_tables, DisplayStyleTextColourFollowsTheStyle) {
  const TTMSStyle saved = GlobalTMSStyle;
  GlobalTMSStyle = 2;
  EXPECT_EQ(TextColourFromNumber(5), GetABaseTMSTextColour(2));
  GlobalTMSStyle = saved;
  EXPECT_EQ(kStartUpTMSStyle, 7);
}

}  // namespace
}  // namespace corvane
