#pragma once
// The system colour table: the colours that the window system assigns to its display
// elements (window background, selected text, button face ...), indexed as the suite's
// stored colours name them. A colour value is 32 bits with red in the low byte.

#include <cstdint>

namespace corvane {

// System colour indices.
enum TSystemColourIndex : int {
  COLOR_SCROLLBAR = 0,
  COLOR_BACKGROUND = 1,
  COLOR_ACTIVECAPTION = 2,
  COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4,
  COLOR_WINDOW = 5,
  COLOR_WINDOWFRAME = 6,
  COLOR_MENUTEXT = 7,
  COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9,
  COLOR_ACTIVEBORDER = 10,
  COLOR_INACTIVEBORDER = 11,
  COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17,
  COLOR_BTNTEXT = 18,
  COLOR_INACTIVECAPTIONTEXT = 19,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
  COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24,
  COLOR_HOTLIGHT = 26,
  COLOR_GRADIENTACTIVECAPTION = 27,
  COLOR_GRADIENTINACTIVECAPTION = 28,
  COLOR_MENUHILIGHT = 29,
  COLOR_MENUBAR = 30
};
constexpr int kSystemColourCount = 31;

// The current RGB value of a system colour; 0 (black) for an index outside the table,
// as the window system answers.
std::uint32_t GetSysColor(int index);

// A host that follows a desktop theme sets its own values here.
void SetSysColor(int index, std::uint32_t rgb);

// Puts the whole table back to the standard light theme.
void reset_system_colours();

}  // namespace corvane
