#pragma once
// Character, case, code-page and scanning services over the platform, and the desktop
// globals that the package sets at start-up.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "corvane/platform/Desktop.hpp"
#include "corvane/platform/Locales.hpp"
#include "corvane/rtl/FormatSettings.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

// The desktop work area (the screen less the panels), set at start-up.
extern TRect Work_Area;
// The number and date formats of the user's default locale, set at start-up.
extern TFormatSettings UserDefaultFormatSettings;

// ---- Constants ---------------------------------------------------------------------

// The UTF-8 byte-order mark.
inline constexpr std::array<std::uint8_t, 3> UTF8_signature = {0xEF, 0xBB, 0xBF};
inline constexpr std::u16string_view CRLF = u"\r\n";
inline constexpr std::u16string_view HexCharactersStr = u"0123456789ABCDEFabcdef";
// The characters that mark a hexadecimal number ("x1F", "$1F", "1Fh").
inline constexpr std::u16string_view HexSignalStr = u"Xx$Hh";
inline constexpr float mm_to_inch = 0.03937008f;
inline constexpr float inch_to_cm = 2.54f;
inline constexpr float inch_to_mm = 25.4f;
inline constexpr float inch_to_mm100 = 2540.0f;

// ---- A string list that knows its language ----------------------------------------

// The ordinary string list with the locale of its text and whether it is to be saved as
// UTF-16. The constructor stores the identifier in Language and sets SaveUnicode.
class TLanguageStringlist : public TStringList {
 public:
  explicit TLanguageStringlist(TLCID language) : Language(language) {}

  std::uint32_t Language = 0;
  bool SaveUnicode = true;
};

// ---- Character classes -------------------------------------------------------------

// True for the ten ASCII digits "0" to "9" only.
bool IsOrdinaryNumberChar(char16_t c) noexcept;
// True for any Unicode decimal digit (general category Nd): ASCII, Arabic-Indic,
// Devanagari, full-width and the rest.
bool IsADigitChar(char16_t c) noexcept;

// ---- Case --------------------------------------------------------------------------

// The string mapped with the casing rules of the locale (full mapping: Turkish and Azeri
// dotted and dotless i, Greek final sigma, sharp s upper-cased to "SS"). An identifier
// that names no locale gets the rules of no particular language.
std::u16string Lowercase(TLCID locale, std::u16string_view s);
std::u16string Uppercase(TLCID locale, std::u16string_view s);
// The string mapped with the locale-independent Unicode simple mapping (length kept).
std::u16string Lowercase(std::u16string_view s);
std::u16string Uppercase(std::u16string_view s);

// Maps the zero-terminated buffer in place with the casing rules of the locale, keeping
// its length (a mapping that would change the length, such as sharp s to "SS", falls back
// to the simple one for that character). Returns the number of characters written,
// counting the terminating zero as the system's mapping does for zero-terminated text; 0,
// with the buffer unchanged, when the buffer is null or the identifier names no locale.
int LowercaseIt(TLCID locale, char16_t* p);
int UppercaseIt(TLCID locale, char16_t* p);

// ---- Code pages and measurement ----------------------------------------------------

// The locale's default 8-bit ("ANSI") code page (0 for a locale whose script has none);
// the system's 8-bit code page for an identifier that names no locale we know. The two
// routines give the same results.
int CodePageFromLocale(TLCID lcid);
int LCIDToCodePage(TLCID lcid);

// False when the locale measures in the U.S. system; true otherwise, also when the
// locale's measurement system cannot be read.
bool UserDefaultMeasurements(TLCID lcid);

// ---- UTF-16 byte order and scanning ------------------------------------------------

// Swaps the two bytes of every code unit of a zero-terminated buffer, in place, up to the
// terminating zero. A null pointer is accepted.
void StrSwapByteOrder(char16_t* p) noexcept;

// The first of the first n code units of p that equals c; null when there is none, when
// n is 0 or less, or when p is null. Vectorised (SSE2, AVX2 where the processor has it).
const char16_t* StrLScanW(const char16_t* p, char16_t c, int n) noexcept;
inline char16_t* StrLScanW(char16_t* p, char16_t c, int n) noexcept {
  return const_cast<char16_t*>(StrLScanW(static_cast<const char16_t*>(p), c, n));
}

namespace detail {
// The reference StrLScanW, one code unit at a time; the vector kernels must agree with it.
const char16_t* StrLScanW_scalar(const char16_t* p, char16_t c, int n) noexcept;
// Which kernel StrLScanW uses: "avx2", "sse2" or "scalar".
const char* StrLScanW_kernel() noexcept;
// Every kernel this processor can run, the scalar reference first, for tests and
// benchmarks.
struct StrLScanW_kernel_entry {
  const char* name;
  const char16_t* (*fn)(const char16_t*, char16_t, int) noexcept;
};
std::span<const StrLScanW_kernel_entry> StrLScanW_kernels() noexcept;
}  // namespace detail

void Wingenok_initialization();
void Wingenok_finalization();

}  // namespace corvane
