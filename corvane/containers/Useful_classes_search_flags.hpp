#pragma once
// The flags of a search word and the markers a user types for them: "*" at either end
// lifts the word boundary on that side, "==" round the word makes it case sensitive, a
// leading "~" marks a word to avoid.

#include <cstdint>
#include <initializer_list>
#include <string>

namespace corvane {

enum TMySearchFlag : std::uint8_t {
  myReplace = 0,          // carried, never set by the parse
  myConfirmFinds = 1,     // carried, never set by the parse
  myCaseIsSensitive = 2,  // match case exactly
  mySW_To_Avoid = 3,      // a word to avoid (exclusion)
  myLeftBounded = 4,      // the match must begin at a word start
  myRightBounded = 5,     // the match must end at a word end
};

// A set of TMySearchFlag in one byte: bit n is flag n.
struct TMySearchFlags {
  std::uint8_t bits = 0;

  constexpr TMySearchFlags() = default;
  constexpr TMySearchFlags(std::initializer_list<TMySearchFlag> flags) {
    for (TMySearchFlag f : flags) bits |= static_cast<std::uint8_t>(1u << f);
  }
  static constexpr TMySearchFlags from_byte(std::uint8_t b) {
    TMySearchFlags f;
    f.bits = b;
    return f;
  }
  constexpr bool contains(TMySearchFlag f) const { return (bits >> f) & 1u; }
  constexpr void include(TMySearchFlag f) { bits |= static_cast<std::uint8_t>(1u << f); }
  constexpr void exclude(TMySearchFlag f) { bits &= static_cast<std::uint8_t>(~(1u << f)); }
  constexpr bool operator==(const TMySearchFlags&) const = default;
};

// Strips the flag markers from `s` and returns the flags. Starts from {myLeftBounded,
// myRightBounded}; one prefix is recognised ("*", a "==" pair at both ends, or "~"), then a
// trailing "*".
TMySearchFlags FlagsFromSW(std::u16string& s);

// The display form of a word with its flags: "*" where a side is not bounded, "==" round it
// when case sensitive. mySW_To_Avoid is not shown.
std::u16string SWStringPlusFlags(const std::u16string& s, TMySearchFlags flags);

}  // namespace corvane
