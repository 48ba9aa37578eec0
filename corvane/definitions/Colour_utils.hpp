#pragma once
// Named colours: the web colours by name and back, contrasting text, mixing, and the
// list of (colour, name) pairs that colour pickers offer (MyColourArray).
//
// The web colours are the named colours of CSS (CSS Color Module Level 4, "Named colors",
// https://www.w3.org/TR/css-color-4/#named-colors): all 148 names, written in CamelCase
// ("AliceBlue", "LightGoldenrodYellow"), in that list's alphabetical order. Several names
// share a value (Aqua and Cyan, Fuchsia and Magenta, each Gray and its Grey): a colour's
// name is the first in that order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/definitions/My_types_mini.hpp"

namespace corvane {

struct TMyColourRec {
  TColor colour = 0;
  std::u16string name;
  bool operator==(const TMyColourRec&) const = default;
};
using TMyColourArray = std::vector<TMyColourRec>;

// The web colours, in order, names without prefix.
const TMyColourArray& WebColours();

// False for black (0) and for no colour (kNoColour); true otherwise.
bool IsOKBackgroundColour(TColor c);
// A text colour that reads on background c: white for black and for system colours (any
// value that is negative as a signed number), black for white, else white when
// 1 - (0.299 R + 0.587 G + 0.114 B) / 255 is at least 0.5, black otherwise.
TColor GetContrastingTextColour(TColor c);
// Each channel (a x w + b x (255 - w)) div 256.
TColor MixColors(TColor a, TColor b, std::uint8_t w);
// The web colour's name; "Black" for a colour that has none.
std::u16string WebColourToName(TColor c);
// The web colour of that name (letter case ignored); 0 when there is none.
TColor NameToWebColour(std::u16string_view name);
// The same look-ups in a given list: the name of the first entry with that colour ("" when
// none), the colour of the first entry of that name (letter case ignored; 0 when none).
std::u16string NameOfAMyColourArrayColour(TColor c, const TMyColourArray& array);
TColor ColourOfAMyColourArrayName(std::u16string_view name, const TMyColourArray& array);

// A colour as people read it: "#RRGGBB" (red first), a system colour "sys:N" (its index:
// "sys:15" is the button face), no colour (kNoColour) "none".
std::string ColourAsText(TColor c);

// Filled at start-up: each web colour whose value is not yet in the list, then the six
// colours of the style library ("VLightOlive_TMS" ... "LightSkyBlue_TMS").
extern TMyColourArray MyColourArray;

void Colour_utils_initialization();
void Colour_utils_finalization();

}  // namespace corvane
