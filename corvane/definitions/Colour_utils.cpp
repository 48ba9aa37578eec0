#include "corvane/definitions/Colour_utils.hpp"

#include <algorithm>
#include <cstdio>

namespace corvane {

TMyColourArray MyColourArray;

namespace {

struct web_colour {
  TColor colour;
  const char16_t* name;
};

// CSS named colours (CSS Color Module Level 4), red in the low byte.
constexpr web_colour kWebColours[] = {
    {0xFFF8F0, u"AliceBlue"},
    {0xD7EBFA, u"AntiqueWhite"},
    {0xFFFF00, u"Aqua"},
    {0xD4FF7F, u"Aquamarine"},
    {0xFFFFF0, u"Azure"},
    {0xDCF5F5, u"Beige"},
    {0xC4E4FF, u"Bisque"},
    {0x000000, u"Black"},
    {0xCDEBFF, u"BlanchedAlmond"},
    {0xFF0000, u"Blue"},
    {0xE22B8A, u"BlueViolet"},
    {0x2A2AA5, u"Brown"},
    {0x87B8DE, u"BurlyWood"},
    {0xA09E5F, u"CadetBlue"},
    {0x00FF7F, u"Chartreuse"},
    {0x1E69D2, u"Chocolate"},
    {0x507FFF, u"Coral"},
    {0xED9564, u"CornflowerBlue"},
    {0xDCF8FF, u"Cornsilk"},
    {0x3C14DC, u"Crimson"},
    {0xFFFF00, u"Cyan"},
    {0x8B0000, u"DarkBlue"},
    {0x8B8B00, u"DarkCyan"},
    {0x0B86B8, u"DarkGoldenrod"},
    {0xA9A9A9, u"DarkGray"},
    {0x006400, u"DarkGreen"},
    {0xA9A9A9, u"DarkGrey"},
    {0x6BB7BD, u"DarkKhaki"},
    {0x8B008B, u"DarkMagenta"},
    {0x2F6B55, u"DarkOliveGreen"},
    {0x008CFF, u"DarkOrange"},
    {0xCC3299, u"DarkOrchid"},
    {0x00008B, u"DarkRed"},
    {0x7A96E9, u"DarkSalmon"},
    {0x8FBC8F, u"DarkSeaGreen"},
    {0x8B3D48, u"DarkSlateBlue"},
    {0x4F4F2F, u"DarkSlateGray"},
    {0x4F4F2F, u"DarkSlateGrey"},
    {0xD1CE00, u"DarkTurquoise"},
    {0xD30094, u"DarkViolet"},
    {0x9314FF, u"DeepPink"},
    {0xFFBF00, u"DeepSkyBlue"},
    {0x696969, u"DimGray"},
    {0x696969, u"DimGrey"},
    {0xFF901E, u"DodgerBlue"},
    {0x2222B2, u"Firebrick"},
    {0xF0FAFF, u"FloralWhite"},
    {0x228B22, u"ForestGreen"},
    {0xFF00FF, u"Fuchsia"},
    {0xDCDCDC, u"Gainsboro"},
    {0xFFF8F8, u"GhostWhite"},
    {0x00D7FF, u"Gold"},
    {0x20A5DA, u"Goldenrod"},
    {0x808080, u"Gray"},
    {0x008000, u"Green"},
    {0x2FFFAD, u"GreenYellow"},
    {0x808080, u"Grey"},
    {0xF0FFF0, u"Honeydew"},
    {0xB469FF, u"HotPink"},
    {0x5C5CCD, u"IndianRed"},
    {0x82004B, u"Indigo"},
    {0xF0FFFF, u"Ivory"},
    {0x8CE6F0, u"Khaki"},
    {0xFAE6E6, u"Lavender"},
    {0xF5F0FF, u"LavenderBlush"},
    {0x00FC7C, u"LawnGreen"},
    {0xCDFAFF, u"LemonChiffon"},
    {0xE6D8AD, u"LightBlue"},
    {0x8080F0, u"LightCoral"},
    {0xFFFFE0, u"LightCyan"},
    {0xD2FAFA, u"LightGoldenrodYellow"},
    {0xD3D3D3, u"LightGray"},
    {0x90EE90, u"LightGreen"},
    {0xD3D3D3, u"LightGrey"},
    {0xC1B6FF, u"LightPink"},
    {0x7AA0FF, u"LightSalmon"},
    {0xAAB220, u"LightSeaGreen"},
    {0xFACE87, u"LightSkyBlue"},
    {0x998877, u"LightSlateGray"},
    {0x998877, u"LightSlateGrey"},
    {0xDEC4B0, u"LightSteelBlue"},
    {0xE0FFFF, u"LightYellow"},
    {0x00FF00, u"Lime"},
    {0x32CD32, u"LimeGreen"},
    {0xE6F0FA, u"Linen"},
    {0xFF00FF, u"Magenta"},
    {0x000080, u"Maroon"},
    {0xAACD66, u"MediumAquamarine"},
    {0xCD0000, u"MediumBlue"},
    {0xD355BA, u"MediumOrchid"},
    {0xDB7093, u"MediumPurple"},
    {0x71B33C, u"MediumSeaGreen"},
    {0xEE687B, u"MediumSlateBlue"},
    {0x9AFA00, u"MediumSpringGreen"},
    {0xCCD148, u"MediumTurquoise"},
    {0x8515C7, u"MediumVioletRed"},
    {0x701919, u"MidnightBlue"},
    {0xFAFFF5, u"MintCream"},
    {0xE1E4FF, u"MistyRose"},
    {0xB5E4FF, u"Moccasin"},
    {0xADDEFF, u"NavajoWhite"},
    {0x800000, u"Navy"},
    {0xE6F5FD, u"OldLace"},
    {0x008080, u"Olive"},
    {0x238E6B, u"OliveDrab"},
    {0x00A5FF, u"Orange"},
    {0x0045FF, u"OrangeRed"},
    {0xD670DA, u"Orchid"},
    {0xAAE8EE, u"PaleGoldenrod"},
    {0x98FB98, u"PaleGreen"},
    {0xEEEEAF, u"PaleTurquoise"},
    {0x9370DB, u"PaleVioletRed"},
    {0xD5EFFF, u"PapayaWhip"},
    {0xB9DAFF, u"PeachPuff"},
    {0x3F85CD, u"Peru"},
    {0xCBC0FF, u"Pink"},
    {0xDDA0DD, u"Plum"},
    {0xE6E0B0, u"PowderBlue"},
    {0x800080, u"Purple"},
    {0x993366, u"RebeccaPurple"},
    {0x0000FF, u"Red"},
    {0x8F8FBC, u"RosyBrown"},
    {0xE16941, u"RoyalBlue"},
    {0x13458B, u"SaddleBrown"},
    {0x7280FA, u"Salmon"},
    {0x60A4F4, u"SandyBrown"},
    {0x578B2E, u"SeaGreen"},
    {0xEEF5FF, u"SeaShell"},
    {0x2D52A0, u"Sienna"},
    {0xC0C0C0, u"Silver"},
    {0xEBCE87, u"SkyBlue"},
    {0xCD5A6A, u"SlateBlue"},
    {0x908070, u"SlateGray"},
    {0x908070, u"SlateGrey"},
    {0xFAFAFF, u"Snow"},
    {0x7FFF00, u"SpringGreen"},
    {0xB48246, u"SteelBlue"},
    {0x8CB4D2, u"Tan"},
    {0x808000, u"Teal"},
    {0xD8BFD8, u"Thistle"},
    {0x4763FF, u"Tomato"},
    {0xD0E040, u"Turquoise"},
    {0xEE82EE, u"Violet"},
    {0xB3DEF5, u"Wheat"},
    {0xFFFFFF, u"White"},
    {0xF5F5F5, u"WhiteSmoke"},
    {0x00FFFF, u"Yellow"},
    {0x32CD9A, u"YellowGreen"},
};

constexpr web_colour kStyleLibraryColours[] = {
    {0xE4F0F2, u"VLightOlive_TMS"}, {0x7BEEFF, u"Yellow_TMS"}, {0x8CC0B1, u"LightOlive"},
    {0xFDEADA, u"LightBlue_TMS"},   {0xFADAC4, u"BlueX_TMS"},  {0xFDF0D7, u"LightSkyBlue_TMS"},
};

char16_t ascii_lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool same_name(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return ascii_lower(x) == ascii_lower(y); });
}

}  // namespace

const TMyColourArray& WebColours() {
  static const TMyColourArray table = [] {
    TMyColourArray t;
    for (const web_colour& w : kWebColours) t.push_back({w.colour, w.name});
    return t;
  }();
  return table;
}

bool IsOKBackgroundColour(TColor c) {
  return c != 0 && c != kNoColour;
}

TColor GetContrastingTextColour(TColor c) {
  if (static_cast<std::int32_t>(c) < 1) return 0xFFFFFF;
  if (c == 0xFFFFFF) return 0x000000;
  const double r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
  const double darkness = 1.0 - (0.299 * r + 0.587 * g + 0.114 * b) / 255.0;
  return darkness >= 0.5 ? 0xFFFFFF : 0x000000;
}

TColor MixColors(TColor a, TColor b, std::uint8_t w) {
  TColor out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= ((ca * w + cb * (255u - w)) / 256u) << shift;
  }
  return out;
}

std::u16string WebColourToName(TColor c) {
  for (const web_colour& w : kWebColours)
    if (w.colour == c) return w.name;
  return u"Black";
}

TColor NameToWebColour(std::u16string_view name) {
  for (const web_colour& w : kWebColours)
    if (same_name(w.name, name)) return w.colour;
  return 0;
}

std::u16string NameOfAMyColourArrayColour(TColor c, const TMyColourArray& array) {
  for (const TMyColourRec& r : array)
    if (r.colour == c) return r.name;
  return {};
}

TColor ColourOfAMyColourArrayName(std::u16string_view name, const TMyColourArray& array) {
  for (const TMyColourRec& r : array)
    if (same_name(r.name, name)) return r.colour;
  return 0;
}

std::string ColourAsText(TColor c) {
  if (c == kNoColour) return "none";
  char buf[16];
  if ((c >> 24) == 0xFF) {
    std::snprintf(buf, sizeof buf, "sys:%u", c & 0xFF);
  } else {
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  }
  return buf;
}

void Colour_utils_initialization() {
  MyColourArray.clear();
  for (const web_colour& w : kWebColours) {
    const bool seen = std::any_of(MyColourArray.begin(), MyColourArray.end(),
                                  [&](const TMyColourRec& r) { return r.colour == w.colour; });
    if (!seen) MyColourArray.push_back({w.colour, w.name});
  }
  for (const web_colour& w : kStyleLibraryColours) MyColourArray.push_back({w.colour, w.name});
}

void Colour_utils_finalization() {
  MyColourArray.clear();
}

}  // namespace corvane
