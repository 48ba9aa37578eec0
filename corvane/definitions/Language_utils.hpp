#pragma once
// The colours that tell search words apart on screen: the search word of number n gets
// one of five colour sets, chosen by n mod 5.

#include <cstdint>

#include "corvane/definitions/My_types_mini.hpp"

namespace corvane {

// The colours of search word n, by n mod 5 (a negative remainder counts as 4).
TMyCanvasColourRec SearchFoundColoursFromNumber(std::int32_t n);
// The same colours, both typefaces bold.
TMyCanvasColourRecAndTypeface SearchFoundColoursAndFontStyleFromNumber(std::int32_t n);
// The text colour of search word n, by n mod 5: 1 blue 0xFF0000, 2 dark green 0x006400,
// 3 dark blue 0x8B0000, 4 dark violet 0xD30094; 0 or a negative remainder the text colour
// of the current display style (text_colour_of_display_style).
TColor TextColourFromNumber(std::int32_t n);

// Where TextColourFromNumber reads the display style's text colour: by default the text
// colour of the style in use (GetABaseTMSTextColour of GlobalTMSStyle). A host may install
// its own.
using TDisplayTextColourSource = TColor (*)();
extern TDisplayTextColourSource text_colour_of_display_style;

}  // namespace corvane
