#pragma once
// Zero-terminated string copies, small UTF-16 string services, the text-extent routine
// variable and the notations by which a user writes a character by its number.

#include <string>
#include <string_view>
#include <vector>

#include "corvane/platform/Canvas.hpp"

namespace corvane {

// A text-extent query with fit and per-character extents, as the canvas answers it: DC is
// the canvas; lpszStr and cchString the text; nMaxExtent the room in pixels; lpnFit gets
// how many characters fit, alpDX the extent after each character, lpSize the width and
// height of the whole text. False when the text cannot be measured.
using TGetTextExtentExPointWFunc = bool (*)(Canvas* DC, const char16_t* lpszStr, int cchString,
                                            int nMaxExtent, int& lpnFit, std::vector<int>& alpDX,
                                            TSize& lpSize);

// Set at start-up to DefaultGetTextExtentExPointW, unset (null) at shut-down. Tools may
// put their own routine in its place; the change affects every later caller.
extern TGetTextExtentExPointWFunc MyGetTextExtentExPointW;

// The package's own query: passes its arguments to the canvas. False for a null canvas, a
// negative count, or a null text with a positive count.
bool DefaultGetTextExtentExPointW(Canvas* DC, const char16_t* lpszStr, int cchString,
                                  int nMaxExtent, int& lpnFit, std::vector<int>& alpDX,
                                  TSize& lpSize);

// New zero-terminated copies, owned by the caller and released with the matching delete
// routine; null for an empty (or null) string.
char* MyNewPAnsichar(const char* s);
char16_t* MyNewPChar(const char16_t* s);

// A new buffer of n + 1 characters holding the first n characters of p (fewer when p's
// terminating zero comes first; the rest is zero) and a terminating zero; null when p is
// null or n is 0 or less.
char* CheckedNewLenPAnsichar(const char* p, int n);
char16_t* CheckedNewLenPchar(const char16_t* p, int n);

// Release a buffer made by the routines above; null is accepted.
void DeletePAnsichar(char* p) noexcept;
void DeletePWideChar(char16_t* p) noexcept;

// Writes c into the first floor(size / 2) positions of p (size in bytes); a size below 2,
// or a null p, writes nothing.
void FillWChar(char16_t* p, int size, char16_t c) noexcept;

// The 1-based position of the first c in s at or after the 1-based start (a start below 1
// counts as 1); 0 when there is none or the start lies beyond the end.
int StrScanIndex(std::u16string_view s, char16_t c, int start) noexcept;

// A copy of s with every tab replaced by n spaces (not by tab stops); n of 0 or less
// removes the tabs.
std::u16string ExpandTabbedWideString(std::u16string_view s, int n);

// The width and height of the first count characters of text in the canvas's font;
// (0, 0) when count is 0 or less, the canvas or text is null, or the measurement fails.
TSize GetTextExtentW(Canvas* DC, const char16_t* text, int count);

// Replaces, in place, each character written by number ("{CHR(65)}", any case of "chr";
// "#9") by the character itself. Returns the last number converted, or -1 when none was.
// A number that is not a valid integer, or not a Unicode code point (0 to 0x10FFFF; above
// 0xFFFF a surrogate pair is inserted), leaves its notation unchanged.
int MyFormatValidNumberStr(std::u16string& s);

void Myunicodenew_initialization();
void Myunicodenew_finalization();

}  // namespace corvane
