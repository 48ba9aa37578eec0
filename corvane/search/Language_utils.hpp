#pragma once
// The colours that tell search words apart on screen: the search word of number n gets
// one of five colour sets, chosen by n mod 5.

#include <cstdint>

namespace corvane {

// Colours are 24-bit values 0x00BBGGRR.
using TColor = std::uint32_t;

// The colour records of the settings unit (My_types_mini), kept here until that unit is
// built; fields and order as there.
enum TMyCanvasColourTypes : std::uint8_t {
  tct_text,
  tct_selected_text,
  tct_background,
  tct_selected_background
};
struct TMyCanvasColourRec {
  TColor colours[4] = {};
};
enum TTypefaceStyle : std::uint8_t { tf_bold, tf_italics, tf_underline, tf_strikeout };
// A set of TTypefaceStyle: bit n is member n.
struct Ttypeface_Set {
  std::uint8_t bits = 0;
  constexpr bool contains(TTypefaceStyle s) const { return (bits >> s) & 1u; }
  constexpr void include(TTypefaceStyle s) { bits |= static_cast<std::uint8_t>(1u << s); }
  constexpr bool operator==(const Ttypeface_Set&) const = default;
};
struct TMyCanvasColourRecAndTypeface {
  TMyCanvasColourRec colours;
  Ttypeface_Set default_typeface;
  Ttypeface_Set highlight_typeface;
};

// The colours of search word n, by n mod 5 (a negative remainder counts as 4).
TMyCanvasColourRec SearchFoundColoursFromNumber(std::int32_t n);
// The same colours, both typefaces bold.
TMyCanvasColourRecAndTypeface SearchFoundColoursAndFontStyleFromNumber(std::int32_t n);
// The text colour of search word n, by n mod 5: 1 blue 0xFF0000, 2 dark green 0x006400,
// 3 dark blue 0x8B0000, 4 dark violet 0xD30094; 0 or a negative remainder the text colour
// of the current display style (text_colour_of_display_style).
TColor TextColourFromNumber(std::int32_t n);

// Where TextColourFromNumber reads the display style's text colour. Black (0) until the
// display units install their own.
using TDisplayTextColourSource = TColor (*)();
extern TDisplayTextColourSource text_colour_of_display_style;

}  // namespace corvane
