#pragma once
// The colours of each visual style, and the colour every role of a display takes in it:
// normal text, tags, the search word, the words of the three sort levels, context words,
// deleted entries, the most frequent collocate, key words of a viewed text, the lines
// and marks of timeline plots. Every routine takes the style number (0 to 12; other
// numbers get each table's fallback value).

#include <array>
#include <cstdint>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/definitions/Mytmsstylebase.hpp"

namespace corvane {

enum TWordHandlingColours : std::uint8_t {
  wh_normal_text,
  wh_tags,
  wh_searchword,
  wh_mainsort,
  wh_secondsort,
  wh_thirdSort,
  wh_contextword,
  wh_deleted,
  wh_mostfreqcolloc,
  wh_viewtextkeywords,
  wh_viewtext,
  wh_timeline_hits_line,
  wh_timeline_hits_blob,
  wh_timeline_quantity_line,
  wh_timeline_quantity_blob,
  wh_timeline_quantity_fill,
  wh_timeline_year_divider,
  wh_timeline_horiz_divider,
  wh_sort_triangle,
  wh_wont_fit,
  wh_spare
};
constexpr int kWordHandlingColourCount = wh_spare + 1;
using TWordHandlingColourRecsArray =
    std::array<TMyCanvasColourRecAndTypeface, kWordHandlingColourCount>;

// The role's name as written in code ("wh_searchword"); empty out of range.
const char* WordHandlingColourName(TWordHandlingColours role);

constexpr TTMSStyle kHighestTMSStyle = 12;
// True for the styles 0 to 12.
bool IsKnownTMSStyle(TTMSStyle style);

// The style's base colours.
TColor GetABaseTMSTextColour(TTMSStyle style);
TColor GetABaseTMSHighlightedTextColour(TTMSStyle style);
TColor GetABaseTMSBackgroundColour(TTMSStyle style);
TColor GetABaseTMSHighlightBackgroundColour(TTMSStyle style);
// Gradient backgrounds (headers, fixed cells), light and dark end.
TColor GetABaseTMSGradientLightColour(TTMSStyle style);
TColor GetABaseTMSGradientDarkColour(TTMSStyle style);
// Buttons and scroll bars; the button face (0xFF00000F) where a style has no colour.
TColor GetABaseTMSButtonColour(TTMSStyle style);
TColor GetABaseTMSScrollbarTextColour(TTMSStyle style);
TColor GetABaseTMSScrollbarLightColour(TTMSStyle style);
TColor GetABaseTMSScrollbarDarkColour(TTMSStyle style);

// One record per role. Each role's text colour is the same in every style; its background
// is the style's background, except key words of a viewed text (0x000080 on lemon chiffon
// 0xCDFAFF). Normal and viewed text take the style's text colour. Selected: the role's own
// text colour on the style's highlight background (normal text: the style's highlighted
// text colour). Typefaces are empty except the search word's (bold).
TWordHandlingColourRecsArray DefaultWordHandlingColours(TTMSStyle style);
// Entries the user does not want: gold (0x00D7FF) on dark green (0x006400).
TMyCanvasColourRecAndTypeface UnwantedEntryColours(TTMSStyle style);

// Text, selected text, background, selected background := the style's text, highlighted
// text, background and highlight background.
TMyCanvasColourRec StyleStandardColours(TTMSStyle style);
// The same with the viewed text's text and background colours.
TMyCanvasColourRec StyleStandardColoursViewtext(TTMSStyle style);
// The two above with empty typefaces.
TMyCanvasColourRecAndTypeface StyleStandardColoursAndTypeface(TTMSStyle style);
TMyCanvasColourRecAndTypeface StyleStandardColoursViewtextAndTypeface(TTMSStyle style);
// The search word: the standard colours inverted (text := selected text, selected text :=
// text, background := selected background, selected background := background), bold.
TMyCanvasColourRecAndTypeface SearchStandardColoursAndTypeface(TTMSStyle style);
// The same from the viewed-text colours.
TMyCanvasColourRecAndTypeface SearchStandardColoursAndTypefaceViewText(TTMSStyle style);

// A system colour (top byte 0xFF) resolved to its current RGB value; any other value
// unchanged. Painters call this just before handing a colour to a device.
TColor ResolvedColour(TColor c);
// True for a system colour (top byte 0xFF).
constexpr bool IsSystemColour(TColor c) {
  return (c >> 24) == 0xFF;
}

}  // namespace corvane
