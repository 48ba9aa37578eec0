#include "corvane/definitions/Tms_utils.hpp"

#include "corvane/platform/SystemColours.hpp"

namespace corvane {

namespace {

constexpr TColor kButtonFace = 0xFF00000F;
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

constexpr const char* kRoleNames[kWordHandlingColourCount] = {
    "wh_normal_text",
    "wh_tags",
    "wh_searchword",
    "wh_mainsort",
    "wh_secondsort",
    "wh_thirdSort",
    "wh_contextword",
    "wh_deleted",
    "wh_mostfreqcolloc",
    "wh_viewtextkeywords",
    "wh_viewtext",
    "wh_timeline_hits_line",
    "wh_timeline_hits_blob",
    "wh_timeline_quantity_line",
    "wh_timeline_quantity_blob",
    "wh_timeline_quantity_fill",
    "wh_timeline_year_divider",
    "wh_timeline_horiz_divider",
    "wh_sort_triangle",
    "wh_wont_fit",
    "wh_spare",
};

// The text colour of each role, the same in every style. The normal text, the viewed text
// and the spare role take the style's text colour instead (marked kNoColour here).
constexpr TColor kRoleText[kWordHandlingColourCount] = {
    kNoColour,  // normal text
    0x808080,   // tags: grey
    0xFF0000,   // search word: blue
    0x000080,   // main sort: maroon
    0x006400,   // second sort: dark green
    0xD30094,   // third sort: dark violet
    0x8B3D48,   // context word: dark slate blue
    0x808080,   // deleted: grey
    0x0000FF,   // most frequent collocate: red
    0x000080,   // key words of a viewed text: maroon
    kNoColour,  // viewed text
    0x008000,   // timeline hits line: green
    0x000000,   // timeline hits blob
    0x0000FF,   // timeline quantity line: red
    0x000000,   // timeline quantity blob
    0x808080,   // timeline quantity fill
    0x000080,   // timeline year divider
    0xC0C0C0,   // timeline horizontal divider: silver
    0x0000FF,   // sort triangle
    0x800080,   // a line that will not fit: purple
    kNoColour,  // spare
};

constexpr TColor kViewTextKeywordBackground = 0xCDFAFF;  // lemon chiffon

}  // namespace

const char* WordHandlingColourName(TWordHandlingColours role) {
  return static_cast<int>(role) < kWordHandlingColourCount ? kRoleNames[role] : "";
}

bool IsKnownTMSStyle(TTMSStyle style) {
  return style >= 0 && style <= kHighestTMSStyle;
}

TColor GetABaseTMSTextColour(TTMSStyle) {
  return kBlack;
}

TColor GetABaseTMSHighlightedTextColour(TTMSStyle style) {
  switch (style) {
    case 3:
    case 4:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
      return kBlack;
    default:
      return kWhite;
  }
}

TColor GetABaseTMSBackgroundColour(TTMSStyle style) {
  switch (style) {
    case 1:
      return 0xCBC0FF;
    case 2:
      return 0xCFF0EA;
    case 3:
    case 6:
      return 0xFFF8F0;
    case 4:
      return 0xFCEBDC;
    case 5:
      return kButtonFace;
    case 7:
    case 9:
    case 10:
    case 11:
      return kWhite;
    case 8:
      return 0xBFBFBF;
    case 12:
      return 0xD3D3D3;
    default:
      return 0xFDEADA;
  }
}

TColor GetABaseTMSHighlightBackgroundColour(TTMSStyle style) {
  if (style > kHighestTMSStyle) return 0xE0A57D;
  switch (style) {
    case 1:
      return 0xCBC0FF;
    case 2:
      return 0x8CC0B1;
    case 3:
      return 0xFFF8F0;
    case 4:
      return 0xFFF8F8;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
      return 0x7BEEFF;
    case 11:
    case 12:
      return 0xA9A9A9;
    default:  // 0, 5 and negative numbers
      return 0xFADAC4;
  }
}

// The gradient runs from the style's background to its highlight background, except in
// style 12 (silver to slate) and style 5, which follows the system's button face.
TColor GetABaseTMSGradientLightColour(TTMSStyle style) {
  if (style == 12) return 0xC0C0C0;
  if (style == 5) return kButtonFace;
  return GetABaseTMSBackgroundColour(style);
}

TColor GetABaseTMSGradientDarkColour(TTMSStyle style) {
  if (style == 12) return 0x908070;
  if (style == 5) return kButtonFace;
  return GetABaseTMSHighlightBackgroundColour(style);
}

TColor GetABaseTMSButtonColour(TTMSStyle style) {
  return IsKnownTMSStyle(style) ? GetABaseTMSGradientLightColour(style) : kButtonFace;
}

TColor GetABaseTMSScrollbarTextColour(TTMSStyle style) {
  return IsKnownTMSStyle(style) && style != 5 ? GetABaseTMSTextColour(style) : kButtonFace;
}

TColor GetABaseTMSScrollbarLightColour(TTMSStyle style) {
  return IsKnownTMSStyle(style) ? GetABaseTMSGradientLightColour(style) : kButtonFace;
}

TColor GetABaseTMSScrollbarDarkColour(TTMSStyle style) {
  return IsKnownTMSStyle(style) ? GetABaseTMSGradientDarkColour(style) : kButtonFace;
}

TWordHandlingColourRecsArray DefaultWordHandlingColours(TTMSStyle style) {
  const TColor text = GetABaseTMSTextColour(style);
  const TColor background = GetABaseTMSBackgroundColour(style);
  const TColor highlight_background = GetABaseTMSHighlightBackgroundColour(style);
  TWordHandlingColourRecsArray out{};
  for (int r = 0; r < kWordHandlingColourCount; ++r) {
    TMyCanvasColourRec& c = out[r].colourset;
    const TColor role_text = kRoleText[r] == kNoColour ? text : kRoleText[r];
    c.colours[tct_text] = role_text;
    c.colours[tct_selected_text] = role_text;
    c.colours[tct_background] = background;
    c.colours[tct_selected_background] = highlight_background;
  }
  out[wh_normal_text].colourset.colours[tct_selected_text] =
      GetABaseTMSHighlightedTextColour(style);
  out[wh_viewtextkeywords].colourset.colours[tct_background] = kViewTextKeywordBackground;
  out[wh_searchword].default_typeface.include(tf_bold);
  out[wh_searchword].highlight_typeface.include(tf_bold);
  return out;
}

TMyCanvasColourRecAndTypeface UnwantedEntryColours(TTMSStyle style) {
  TMyCanvasColourRecAndTypeface r;
  r.colourset.colours[tct_text] = 0x00D7FF;
  r.colourset.colours[tct_selected_text] = 0x00D7FF;
  r.colourset.colours[tct_background] = 0x006400;
  r.colourset.colours[tct_selected_background] = GetABaseTMSHighlightBackgroundColour(style);
  return r;
}

TMyCanvasColourRec StyleStandardColours(TTMSStyle style) {
  TMyCanvasColourRec c;
  c.colours[tct_text] = GetABaseTMSTextColour(style);
  c.colours[tct_selected_text] = GetABaseTMSHighlightedTextColour(style);
  c.colours[tct_background] = GetABaseTMSBackgroundColour(style);
  c.colours[tct_selected_background] = GetABaseTMSHighlightBackgroundColour(style);
  return c;
}

TMyCanvasColourRec StyleStandardColoursViewtext(TTMSStyle style) {
  TMyCanvasColourRec c = StyleStandardColours(style);
  const TMyCanvasColourRec v = DefaultWordHandlingColours(style)[wh_viewtext].colourset;
  c.colours[tct_text] = v.colours[tct_text];
  c.colours[tct_background] = v.colours[tct_background];
  return c;
}

TMyCanvasColourRecAndTypeface StyleStandardColoursAndTypeface(TTMSStyle style) {
  TMyCanvasColourRecAndTypeface r;
  r.colourset = StyleStandardColours(style);
  return r;
}

TMyCanvasColourRecAndTypeface StyleStandardColoursViewtextAndTypeface(TTMSStyle style) {
  TMyCanvasColourRecAndTypeface r;
  r.colourset = StyleStandardColoursViewtext(style);
  return r;
}

namespace {

TMyCanvasColourRecAndTypeface inverted_bold(const TMyCanvasColourRec& s) {
  TMyCanvasColourRecAndTypeface r;
  r.colourset.colours[tct_text] = s.colours[tct_selected_text];
  r.colourset.colours[tct_selected_text] = s.colours[tct_text];
  r.colourset.colours[tct_background] = s.colours[tct_selected_background];
  r.colourset.colours[tct_selected_background] = s.colours[tct_background];
  r.default_typeface.include(tf_bold);
  r.highlight_typeface.include(tf_bold);
  return r;
}

}  // namespace

TMyCanvasColourRecAndTypeface SearchStandardColoursAndTypeface(TTMSStyle style) {
  return inverted_bold(StyleStandardColours(style));
}

TMyCanvasColourRecAndTypeface SearchStandardColoursAndTypefaceViewText(TTMSStyle style) {
  return inverted_bold(StyleStandardColoursViewtext(style));
}

TColor ResolvedColour(TColor c) {
  return IsSystemColour(c) ? static_cast<TColor>(GetSysColor(static_cast<int>(c & 0xFF))) : c;
}

}  // namespace corvane
