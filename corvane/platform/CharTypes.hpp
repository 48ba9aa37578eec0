#pragma once
// The type-1 character classes: one 16-bit class word for each of the 65,536 UTF-16 code
// units, as the search routines, the buffer matcher and the sentence splitter read them.
//
// The table is built once, from ICU's Unicode properties, before any other initialiser of
// the library runs (and so before main and before any thread starts); afterwards it is
// read-only and reading it needs no lock. One class word is one load:
// `char_type1(c)` or `char_type1_table()[c]`.
//
// How each flag is computed for a code unit c (U+D800 to U+DFFF are classed as code
// points of their own, see the end):
//
//   C1_UPPER   0x0001  Unicode property Uppercase (Lu, plus Other_Uppercase such as the
//                      circled and Roman-numeral capitals), or general category Lt (title
//                      case digraphs such as U+01C5, which begin with a capital).
//   C1_LOWER   0x0002  Unicode property Lowercase (Ll, plus Other_Lowercase such as the
//                      ordinal indicators U+00AA, U+00BA and the modifier letters).
//   C1_DIGIT   0x0004  general category Nd: every decimal digit of every script (ASCII,
//                      Arabic-Indic, Devanagari, full-width ...), and No: superscript and
//                      subscript digits, fractions, circled numbers, so that "I²C", "m³"
//                      and "1½" scan as single words.
//   C1_SPACE   0x0008  Unicode property White_Space: TAB, LF, VT, FF, CR, space, U+0085,
//                      the no-break and typographic spaces, U+2028, U+2029, U+3000.
//   C1_PUNCT   0x0010  general category P* (punctuation) or S* (symbols), so that the
//                      ASCII set matches C's ispunct.
//   C1_CNTRL   0x0020  general category Cc: U+0000 to U+001F and U+007F to U+009F.
//   C1_BLANK   0x0040  horizontal space: TAB and general category Zs.
//   C1_XDIGIT  0x0080  Unicode property Hex_Digit: 0-9, A-F, a-f and their full-width
//                      forms.
//   C1_ALPHA   0x0100  Unicode property Alphabetic: letters (L*), letter numbers (Nl) and
//                      the combining marks that belong to a script's spelling
//                      (Other_Alphabetic: Indic vowel signs, Arabic and Hebrew vowel
//                      points). Ideographs are letters.
//   C1_DEFINED 0x0200  any assigned code point: every general category except Cn.
//
// Consequences worth knowing:
// - Combining diacritics that are not part of a script's spelling (U+0300 to U+036F and
//   the like) have exactly 0x0200, which the matcher carries along at the end of a word.
// - Format characters (Cf: the zero-width space, non-joiner U+200C and joiner U+200D,
//   soft hyphen, byte-order mark, direction marks) have exactly 0x0200 too. The buffer
//   routines that want the non-joiner as a letter set it themselves.
// - Surrogate code units (U+D800 to U+DFFF) have exactly 0x0200: a table indexed by code
//   unit cannot see the character a pair makes. `char_type1_of_code_point` classes whole
//   code points for callers that decode pairs.
// - Private-use code units have exactly 0x0200; unassigned ones and the noncharacters
//   U+FDD0 to U+FDEF, U+FFFE, U+FFFF have 0.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane {

inline constexpr std::uint16_t C1_UPPER = 0x0001;
inline constexpr std::uint16_t C1_LOWER = 0x0002;
inline constexpr std::uint16_t C1_DIGIT = 0x0004;
inline constexpr std::uint16_t C1_SPACE = 0x0008;
inline constexpr std::uint16_t C1_PUNCT = 0x0010;
inline constexpr std::uint16_t C1_CNTRL = 0x0020;
inline constexpr std::uint16_t C1_BLANK = 0x0040;
inline constexpr std::uint16_t C1_XDIGIT = 0x0080;
inline constexpr std::uint16_t C1_ALPHA = 0x0100;
inline constexpr std::uint16_t C1_DEFINED = 0x0200;

namespace detail {
// Filled by the library's first initialiser; read-only afterwards.
extern std::uint16_t char_type1_words[65536];
}  // namespace detail

// The 65,536 class words, indexed by code unit.
inline const std::uint16_t* char_type1_table() noexcept {
  return detail::char_type1_words;
}

// The class word of one code unit.
inline std::uint16_t char_type1(char16_t c) noexcept {
  return detail::char_type1_words[c];
}

// The class word of a whole code point (U+0000 to U+10FFFF), computed from ICU each call,
// by the rules above; 0 for a value outside that range.
std::uint16_t char_type1_of_code_point(char32_t c) noexcept;

// Fills out[0..text.size()) with the class word of each code unit of text.
void char_types1(std::u16string_view text, std::uint16_t* out) noexcept;

}  // namespace corvane
