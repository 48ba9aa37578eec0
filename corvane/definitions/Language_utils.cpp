#include "corvane/definitions/Language_utils.hpp"

#include "corvane/definitions/Mytmsstylebase.hpp"
#include "corvane/definitions/Tms_utils.hpp"

namespace corvane {

namespace {

TColor text_colour_of_current_style() {
  return GetABaseTMSTextColour(GlobalTMSStyle);
}

// Text, selected text, background, selected background, by n mod 5.
constexpr TColor kSearchWordColours[5][4] = {
    {0xFFFFFF, 0x006400, 0x006400, 0xFFFFFF}, {0xF0FBFF, 0x8B0000, 0x8B0000, 0xF0FBFF},
    {0xFFFFFF, 0xFFFFFF, 0x800080, 0x800080}, {0xF0FBFF, 0x000080, 0x000080, 0xF0FBFF},
    {0xFFFFFF, 0x800000, 0x800000, 0xFFFFFF},
};

}  // namespace

TDisplayTextColourSource text_colour_of_display_style = text_colour_of_current_style;

TMyCanvasColourRec SearchFoundColoursFromNumber(std::int32_t n) {
  int row = n % 5;
  if (row < 0) row = 4;
  TMyCanvasColourRec rec;
  for (int i = 0; i < 4; ++i) rec.colours[i] = kSearchWordColours[row][i];
  return rec;
}

TMyCanvasColourRecAndTypeface SearchFoundColoursAndFontStyleFromNumber(std::int32_t n) {
  TMyCanvasColourRecAndTypeface rec;
  rec.colourset = SearchFoundColoursFromNumber(n);
  rec.default_typeface.include(tf_bold);
  rec.highlight_typeface.include(tf_bold);
  return rec;
}

TColor TextColourFromNumber(std::int32_t n) {
  switch (n % 5) {
    case 1:
      return 0xFF0000;
    case 2:
      return 0x006400;
    case 3:
      return 0x8B0000;
    case 4:
      return 0xD30094;
    default:
      return text_colour_of_display_style != nullptr ? text_colour_of_display_style() : 0;
  }
}

}  // namespace corvane
