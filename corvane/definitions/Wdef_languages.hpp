#pragma once
// The language definition record the settings files store as raw bytes
// (fixed_lang_details_rec32, 1040 bytes), its parts, the code-page table, and the small
// locale routines of the unit: primary languages, reading direction, fixed-width
// character fields.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/definitions/My_types_mini.hpp"

namespace corvane {

enum Tlang_preference_type : std::uint8_t {
  lang_nao_instalada,  // not installed
  lang_instalada,      // installed
  lang_rank_2,         // second choice
  lang_a_preferida,    // the preferred language
};

// A typeface: 204 bytes on disk (charset, size in points, 101 UTF-16 characters of name,
// zero-terminated and zero-padded).
struct fixed_character_format_rec32 {
  std::uint8_t charset = 0;
  std::uint8_t fontsize = 0;
  std::array<char16_t, 101> fontname{};
  bool operator==(const fixed_character_format_rec32&) const = default;
};
constexpr std::size_t kFixedCharacterFormatRec32Size = 204;

// The typeface of the 16-bit era: 35 bytes (charset, size, and a length-prefixed 8-bit
// name of at most 32 characters, kept as its 33 raw bytes).
struct old_fixed_character_format_rec {
  std::uint8_t charset_old = 0;
  std::uint8_t fontsize_old = 0;
  std::array<std::uint8_t, 33> fontname_old{};
  bool operator==(const old_fixed_character_format_rec&) const = default;
};
constexpr std::size_t kOldFixedCharacterFormatRecSize = 35;

// One language definition. On disk, little-endian, 1040 bytes:
//     0 allow_middles_at_right   1 allow_middles_at_left   2 is_32_version   3 zero
//     4 lcid (32)                8 old_win_font (35)      43 preference     44 custom_language
//    45 hyphen_breaks_word      46 win_codepage (16)      48 dos_codepage (16)
//    50 allowable_middle_letters (11 UTF-16)              72 spare_ANSI_lowers (129)
//   201 spare_ANSI_uppers (129)  330 new_win_font (204)  534 two zero bytes
//   536 custom_sort_string_number (32)  540 spare_Bools (4)  544 cores (16)
//   560 language_number (32)  564 spare_hits (32)  568 spare_ints (12)  580 spare (356)
//   936 nome (51 UTF-16)  1038 two zero bytes
struct fixed_lang_details_rec32 {
  bool allow_middles_at_right = false;  // the allowable middle letters may end a word
  bool allow_middles_at_left = false;   // ... or start one
  bool is_32_version = false;
  std::uint32_t lcid = 0;
  old_fixed_character_format_rec old_win_font;
  Tlang_preference_type preference = lang_nao_instalada;
  bool custom_language = false;  // defined by the user
  bool hyphen_breaks_word = false;
  std::uint16_t win_codepage = 0;
  std::uint16_t dos_codepage = 0;
  std::array<char16_t, 11> allowable_middle_letters{};  // zero-terminated
  std::array<std::uint8_t, 129> spare_ANSI_lowers{};    // no longer used
  std::array<std::uint8_t, 129> spare_ANSI_uppers{};
  fixed_character_format_rec32 new_win_font;
  std::int32_t custom_sort_string_number = 0;
  std::array<std::uint8_t, 4> spare_Bools{};
  TMyCanvasColourRec cores;  // the language's display colours
  std::int32_t language_number = 0;
  std::int32_t spare_hits = 0;
  std::array<std::int32_t, 3> spare_ints{};
  std::array<std::uint8_t, 356> spare{};
  std::array<char16_t, 51> nome{};  // the language's name, zero-terminated
  bool operator==(const fixed_lang_details_rec32&) const = default;
};
constexpr std::size_t kFixedLangDetailsRec32Size = 1040;

// The record's bytes, field by field (padding zero; Booleans 0 or 1).
std::array<std::uint8_t, kFixedLangDetailsRec32Size> FixedLangDetailsBytes(
    const fixed_lang_details_rec32& rec);
// The record from its 1040 bytes; a non-zero byte is a true Boolean.
fixed_lang_details_rec32 FixedLangDetailsFromBytes(const std::uint8_t* bytes);

// A language definition with the file it came from.
struct TLangFilenameAndRTL {
  bool IsRTL = false;
  fixed_lang_details_rec32 language;
  TMyCanvasColourRec spare_cores;
  std::u16string filename;
};

enum Wincodepage_types : std::uint8_t {
  nao_precisa,
  _1250_CEurope,
  _1251_Cyrillic,
  _1252_Latin1,
  _1253_Greek,
  _1254_Turkish,
  _1255_Hebrew,
  _1256_Arabic,
  _1257_Baltic,
  _1258_Vietnam,
  _874_Thai,
  _932ShiftJis,
  _936SimpChineseGB2312,
  _949Korean,
  _950TradChineseBig5,
};
// The platform code page of each value (0 for nao_precisa).
extern const std::array<std::uint16_t, _950TradChineseBig5 + 1> win_codepages;

enum TBiDiMode : std::uint8_t { bdLeftToRight, bdRightToLeft };

// The identifier with its sub-language bits (10 to 15) cleared.
std::uint32_t PrimaryLanguage(std::uint32_t lcid);
// True when the low 16 bits of the two primary languages are equal.
bool SamePrimaryLanguage(std::uint32_t a, std::uint32_t b);
// Right to left for Arabic (0x01), Hebrew (0x0D), Farsi (0x29) and Pashto (0x63).
TBiDiMode BiDiModeFromLCID(std::uint32_t lcid);
// Right to left for the character sets 177 (Hebrew) and 178 (Arabic).
TBiDiMode BiDiModeFromCharset(std::uint8_t charset);

// Zeroes the record's 101-character font name and copies at most 100 characters of name.
void SetARecFontname(fixed_character_format_rec32& rec, std::u16string_view name);
// At most 10 (30) characters of s in a zeroed 11 (31) character field.
std::array<char16_t, 11> StringToTenWidechar(std::u16string_view s);
std::array<char16_t, 31> StringToThirtyWideChar(std::u16string_view s);
// The field's text up to its first zero.
std::u16string TenWideCharTostring(const std::array<char16_t, 11>& a);
// The same for any zero-terminated field (a name such as nome).
template <std::size_t N>
std::u16string WideCharFieldToString(const std::array<char16_t, N>& a) {
  std::size_t n = 0;
  while (n < N && a[n] != 0) ++n;
  return std::u16string(a.data(), n);
}

}  // namespace corvane
