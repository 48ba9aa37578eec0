#include "corvane/platform/SystemColours.hpp"

#include <array>

namespace corvane {

namespace {
constexpr std::uint32_t rgb(unsigned r, unsigned g, unsigned b) {
  return r | (g << 8) | (b << 16);
}

// The standard light theme of the desktop the suite was made for.
constexpr std::array<std::uint32_t, kSystemColourCount> kStandard = {
    rgb(200, 200, 200),  // scroll bar
    rgb(0, 0, 0),        // desktop background
    rgb(153, 180, 209),  // active caption
    rgb(191, 205, 219),  // inactive caption
    rgb(240, 240, 240),  // menu
    rgb(255, 255, 255),  // window
    rgb(100, 100, 100),  // window frame
    rgb(0, 0, 0),        // menu text
    rgb(0, 0, 0),        // window text
    rgb(0, 0, 0),        // caption text
    rgb(180, 180, 180),  // active border
    rgb(244, 247, 252),  // inactive border
    rgb(171, 171, 171),  // application workspace
    rgb(0, 120, 215),    // highlight
    rgb(255, 255, 255),  // highlight text
    rgb(240, 240, 240),  // button face
    rgb(160, 160, 160),  // button shadow
    rgb(109, 109, 109),  // grey text
    rgb(0, 0, 0),        // button text
    rgb(0, 0, 0),        // inactive caption text
    rgb(255, 255, 255),  // button highlight
    rgb(105, 105, 105),  // 3-D dark shadow
    rgb(227, 227, 227),  // 3-D light
    rgb(0, 0, 0),        // tooltip text
    rgb(255, 255, 225),  // tooltip background
    rgb(0, 0, 0),        // (unused index 25)
    rgb(0, 102, 204),    // hot-tracked item
    rgb(185, 209, 234),  // active caption gradient
    rgb(215, 228, 242),  // inactive caption gradient
    rgb(0, 120, 215),    // menu highlight
    rgb(240, 240, 240),  // menu bar
};

std::array<std::uint32_t, kSystemColourCount>& table() {
  static std::array<std::uint32_t, kSystemColourCount> t = kStandard;
  return t;
}
}  // namespace

std::uint32_t GetSysColor(int index) {
  if (index < 0 || index >= kSystemColourCount) return 0;
  return table()[index];
}

void SetSysColor(int index, std::uint32_t value) {
  if (index >= 0 && index < kSystemColourCount) table()[index] = value;
}

void reset_system_colours() {
  table() = kStandard;
}

}  // namespace corvane
