#include "corvane/definitions/Colour_utils.hpp"

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

TEST(Colour_utils, BackgroundsAndContrast) {
  EXPECT_FALSE(IsOKBackgroundColour(0));
  EXPECT_FALSE(IsOKBackgroundColour(kNoColour));
  EXPECT_TRUE(IsOKBackgroundColour(0xFFFFFF));
  EXPECT_TRUE(IsOKBackgroundColour(0xFF00000F));
  EXPECT_EQ(GetContrastingTextColour(0x0000FF), 0xFFFFFFu);  // pure red: 0.701
  EXPECT_EQ(GetContrastingTextColour(0x00FFFF), 0x000000u);  // yellow
  EXPECT_EQ(GetContrastingTextColour(0), 0xFFFFFFu);
  EXPECT_EQ(GetContrastingTextColour(0xFF00000F), 0xFFFFFFu);  // system colour
  EXPECT_EQ(GetContrastingTextColour(0xFFFFFF), 0x000000u);
  EXPECT_EQ(GetContrastingTextColour(0xFF0000), 0xFFFFFFu);  // blue: 0.886
  EXPECT_EQ(GetContrastingTextColour(0x00FF00), 0x000000u);  // green: 0.413
  // Exactly 0.5 is dark: grey 0x80 gives 1 - 128/255 = 0.498 (light), 0x7F gives 0.502.
  EXPECT_EQ(GetContrastingTextColour(0x808080), 0x000000u);
  EXPECT_EQ(GetContrastingTextColour(0x7F7F7F), 0xFFFFFFu);
}

TEST(Colour_utils, ColourAsText) {
  EXPECT_EQ(ColourAsText(0x0000FF), "#FF0000");  // red is the low byte
  EXPECT_EQ(ColourAsText(0xCDFAFF), "#FFFACD");
  EXPECT_EQ(ColourAsText(0xFF00000F), "sys:15");
  EXPECT_EQ(ColourAsText(kNoColour), "none");
  EXPECT_EQ(ColourAsText(0), "#000000");
}

TEST(Colour_utils, MixColorsByChannel) {
  EXPECT_EQ(MixColors(0xFFFFFF, 0x000000, 255), 0xFEFEFEu);  // 255*255 div 256
  EXPECT_EQ(MixColors(0xFFFFFF, 0x000000, 0), 0u);
  EXPECT_EQ(MixColors(0x000000, 0xFFFFFF, 0), 0xFEFEFEu);
  // Channels stay apart: red from a, blue from b.
  EXPECT_EQ(MixColors(0x0000FF, 0xFF0000, 128), (0x7Eu << 16) | 0x7Fu);  // 255*127, 255*128
  EXPECT_EQ(MixColors(0xFF0000FF, 0x1F000000, 255) >> 24, 0u);
}

TEST(Colour_utils, WebColourNames) {
  EXPECT_EQ(WebColours().size(), 148u);
  EXPECT_EQ(WebColourToName(0xCDFAFF), u"LemonChiffon");
  EXPECT_EQ(WebColourToName(0x8B3D48), u"DarkSlateBlue");
  EXPECT_EQ(WebColourToName(0x00D7FF), u"Gold");
  EXPECT_EQ(WebColourToName(0x0000FF), u"Red");
  EXPECT_EQ(WebColourToName(0xFFFF00), u"Aqua");  // before Cyan
  EXPECT_EQ(WebColourToName(0x808080), u"Gray");  // before Grey
  EXPECT_EQ(WebColourToName(0x123457), u"Black");
  EXPECT_EQ(WebColourToName(kNoColour), u"Black");
  EXPECT_EQ(NameToWebColour(u"RebeccaPurple"), 0x993366u);
  EXPECT_EQ(NameToWebColour(u"lightgoldenrodyellow"), 0xD2FAFAu);
  EXPECT_EQ(NameToWebColour(u"Grey"), 0x808080u);
  EXPECT_EQ(NameToWebColour(u"clWebRed"), 0u);  // names carry no prefix
  EXPECT_EQ(NameToWebColour(u"Nonesuch"), 0u);
  EXPECT_EQ(NameToWebColour(u""), 0u);
  // Every name maps to its colour and back to a name of the same colour.
  for (const TMyColourRec& r : WebColours()) {
    EXPECT_EQ(NameToWebColour(r.name), r.colour);
    EXPECT_EQ(NameToWebColour(WebColourToName(r.colour)), r.colour);
    EXPECT_EQ(r.colour >> 24, 0u);
  }
}

TEST(Colour_utils, MyColourArrayHasEachValueOnceThenTheStyleColours) {
  Colour_utils_initialization();
  const TMyColourArray& a = MyColourArray;
  ASSERT_EQ(a.size(), 139u + 6u);
  std::set<TColor> web;
  for (std::size_t i = 0; i < 139; ++i) EXPECT_TRUE(web.insert(a[i].colour).second) << i;
  EXPECT_EQ(a[0].name, u"AliceBlue");
  EXPECT_EQ(NameOfAMyColourArrayColour(0xFF00FF, a), u"Fuchsia");
  EXPECT_EQ(ColourOfAMyColourArrayName(u"Magenta", a), 0u);  // dropped as a duplicate
  const TMyColourRec tail[6] = {
      {0xE4F0F2, u"VLightOlive_TMS"}, {0x7BEEFF, u"Yellow_TMS"}, {0x8CC0B1, u"LightOlive"},
      {0xFDEADA, u"LightBlue_TMS"},   {0xFADAC4, u"BlueX_TMS"},  {0xFDF0D7, u"LightSkyBlue_TMS"},
  };
  for (int i = 0; i < 6; ++i) EXPECT_EQ(a[139 + i], tail[i]);
  EXPECT_EQ(ColourOfAMyColourArrayName(u"yellow_tms", a), 0x7BEEFFu);
  EXPECT_EQ(NameOfAMyColourArrayColour(0x123457, a), u"");
  // Start-up twice builds the same list, not a longer one.
  Colour_utils_initialization();
  EXPECT_EQ(MyColourArray.size(), 145u);
}

}  // namespace
}  // namespace corvane
