#pragma once
// The lowest layer of the package: routines that scan, compare, clean and checksum a raw
// character buffer in place, in one forward pass, without allocating. Most come in two
// flavours: over 8-bit characters (bytes) and over UTF-16 code units (names ending in W).
//
// A buffer is a pointer to its first character and a length in characters (bytes for the
// 8-bit routines, code units for the W routines). A length of 0 or less means there is
// nothing to do; a null buffer is treated like an empty one. The caller owns every buffer.
// Search patterns are zero-terminated strings of the buffer's character width.
//
// The scans (FastStrPos, FastStrIPos, FastStrScan and their W forms) use SSE2 or AVX2,
// chosen once at run time from what the processor offers; they never read past the end of
// the buffer, so buffers need no padding.

#include <cstddef>
#include <cstdint>

#include "corvane/frame/Bare_assemb_types.hpp"

namespace corvane {

// --- Scans ---------------------------------------------------------------------------------

// The first occurrence of the zero-terminated `pattern` lying wholly inside the buffer, or
// null. Case-sensitive. Null when the buffer or the pattern is null or the pattern is empty.
const char* FastStrPos(const char* buffer, const char* pattern, std::ptrdiff_t length);
const char16_t* FastStrPosW(const char16_t* buffer, const char16_t* pattern, std::ptrdiff_t length);

// The first position where, for every index i of the pattern, the buffer's character equals
// pattern_a[i] or pattern_b[i]: the caller passes the pattern once in each case. Null when
// any pointer is null, the patterns are empty or differ in length, or there is no match.
const char* FastStrIPos(const char* buffer, const char* pattern_a, const char* pattern_b,
                        std::ptrdiff_t length);
const char16_t* FastStrIPosW(const char16_t* buffer, const char16_t* pattern_a,
                             const char16_t* pattern_b, std::ptrdiff_t length);

// The first occurrence of `c` in the buffer, or null.
const char* FastStrScan(const char* buffer, char c, std::ptrdiff_t length);
const char16_t* FastStrScanW(const char16_t* buffer, char16_t c, std::ptrdiff_t length);

// The same scans over buffers the caller may write to.
inline char* FastStrPos(char* buffer, const char* pattern, std::ptrdiff_t length) {
  return const_cast<char*>(FastStrPos(static_cast<const char*>(buffer), pattern, length));
}
inline char16_t* FastStrPosW(char16_t* buffer, const char16_t* pattern, std::ptrdiff_t length) {
  return const_cast<char16_t*>(FastStrPosW(static_cast<const char16_t*>(buffer), pattern, length));
}
inline char* FastStrIPos(char* buffer, const char* pattern_a, const char* pattern_b,
                         std::ptrdiff_t length) {
  return const_cast<char*>(
      FastStrIPos(static_cast<const char*>(buffer), pattern_a, pattern_b, length));
}
inline char16_t* FastStrIPosW(char16_t* buffer, const char16_t* pattern_a,
                              const char16_t* pattern_b, std::ptrdiff_t length) {
  return const_cast<char16_t*>(
      FastStrIPosW(static_cast<const char16_t*>(buffer), pattern_a, pattern_b, length));
}
inline char* FastStrScan(char* buffer, char c, std::ptrdiff_t length) {
  return const_cast<char*>(FastStrScan(static_cast<const char*>(buffer), c, length));
}
inline char16_t* FastStrScanW(char16_t* buffer, char16_t c, std::ptrdiff_t length) {
  return const_cast<char16_t*>(FastStrScanW(static_cast<const char16_t*>(buffer), c, length));
}

// Replaces, left to right and without overlap, every whole occurrence of the first
// `find_length` code units of `find` by the first `find_length` code units of `replacement`
// (so the buffer keeps its length). Both must hold at least `find_length` code units.
// Returns the number of replacements; 0 when a pointer is null or `find_length` is below 1.
std::ptrdiff_t SearchAndReplaceFastW(char16_t* buffer, const char16_t* find,
                                     const char16_t* replacement, std::ptrdiff_t length,
                                     std::ptrdiff_t find_length);

// --- Replacing characters in place -----------------------------------------------------------

// Every occurrence of `c` becomes a space (32).
void ReplaceCharacterBySpace(char* buffer, char c, std::ptrdiff_t length);
void ReplaceCharacterBySpaceW(char16_t* buffer, char16_t c, std::ptrdiff_t length);
// Every character below 32 becomes a space.
void ReplaceControlCharsBySpaceA(char* buffer, std::ptrdiff_t length);
void ReplaceControlCharsBySpaceW(char16_t* buffer, std::ptrdiff_t length);
// Every carriage return (13) becomes a space, and so does a line feed (10) directly after
// one; a line feed on its own stays.
void ReplaceCarriageReturnsBySpaceA(char* buffer, std::ptrdiff_t length);
void ReplaceCarriageReturnsBySpaceW(char16_t* buffer, std::ptrdiff_t length);
// Every tab (9) becomes a space.
void ReplaceTabsBySpace(char* buffer, std::ptrdiff_t length);
// The first `count` characters become spaces (W: code units become U+0020).
void BlankOutSomeBytesA(char* buffer, std::ptrdiff_t count);
void BlankOutSomeBytesW(char16_t* buffer, std::ptrdiff_t count);
// The first `count` code units become 0.
void ZeroSomeBytesW(char16_t* buffer, std::ptrdiff_t count);

// --- Shortening in place -----------------------------------------------------------------
// These copy the buffer onto itself and close the gaps. Those that say so write a
// terminating zero after the last kept character: the buffer must then have room for one
// character beyond `length`.

// Removes every line feed (10), returning the new length. Writes no terminator.
std::ptrdiff_t LengthConvertedToUnix(char* buffer, std::ptrdiff_t length);
// Every run of two or more CR LF pairs becomes one pair. Writes a terminator only when the
// text got shorter.
void CutDoubleCRLFsW(char16_t* buffer, std::ptrdiff_t length);
// Every run of two or more spaces becomes one space. Writes a terminator and returns the
// number of characters kept.
std::ptrdiff_t RemoveRedundantSpaceW(char16_t* buffer, std::ptrdiff_t length);
// Removes every stretch from an `open` character through the next `close` character (the
// search for `close` starts at the `open` itself, so equal characters remove each one
// alone). An `open` with no `close` after it is removed alone. Writes a terminator.
void ClearBetweenChars(char* buffer, char open, char close, std::ptrdiff_t length);
// As ClearBetweenChars, but `close` counts only within `longest_stretch` characters from
// and including the `open`; such a stretch is removed (`remove`) or overwritten with as
// many spaces. An `open` without such a `close` is removed alone in both modes. Writes a
// terminator. A `longest_stretch` below 1 is invalid: the buffer is left untouched.
void CleanBetweenChars(char* buffer, char open, char close, std::ptrdiff_t length,
                       int longest_stretch, bool remove);

// --- Comparing and checksums --------------------------------------------------------------

// Compares at most `count` elements and stops at the first difference, at index i; the
// result is count - (i + 1), the number of elements after it. 0 when all are equal (and
// when only the last differs); count - 1 when the first elements already differ.
std::ptrdiff_t HowFarEqualContentsA(const char* buffer, const char* other, std::ptrdiff_t count);
std::ptrdiff_t HowFarEqualContentsW(const char16_t* buffer, const char16_t* other,
                                    std::ptrdiff_t count);
// True when the first `count` elements of both buffers are equal; true for count 0.
bool EqualContentsA(const char* buffer, const char* other, std::ptrdiff_t count);
bool EqualContentsW(const char16_t* buffer, const char16_t* other, std::ptrdiff_t count);

// The sum modulo 65536 of the `word_count` little-endian 16-bit words at `buffer`.
std::uint32_t My2Checksum(const void* buffer, std::ptrdiff_t word_count);
// The sum modulo 2^32 of the floor(byte_count / 4) little-endian 32-bit words at `buffer`;
// trailing bytes are ignored.
std::uint32_t My4Checksum(const void* buffer, std::ptrdiff_t byte_count);

// --- Rearranging and case -----------------------------------------------------------------

// The buffer holds a first part of `first_length` code units and then a second part of
// `second_length`; afterwards it holds the second part and then the first. Works in place.
// Does nothing when the buffer's first code unit is 0.
void Swap2Strings(char16_t* buffer, std::ptrdiff_t first_length, std::ptrdiff_t second_length);

// Upper-cases the buffer in place: a-z become A-Z, and a byte above 122 found among the
// first k characters of `lower` becomes the character at the same position of `upper`
// (k being the shorter list's length). Other bytes stay.
void CapitaliseABuffer(char* buffer, const ANSILower_or_upperStr_type& lower,
                       const ANSILower_or_upperStr_type& upper, std::ptrdiff_t length);
// Blanks out the lower-case letters of every word up to its first capital: "the Cat"
// becomes "    Cat", "eBay" becomes " Bay". Words end at bytes of 32 or less; letters above
// 122 are classed by the two lists.
void CutLowercaseWords(char* buffer, const ANSILower_or_upperStr_type& lower,
                       const ANSILower_or_upperStr_type& upper, std::ptrdiff_t length);

// --- Zero-width characters ------------------------------------------------------------------
// `types` runs parallel to `text`: one character-type word per code unit (0x0100 alphabetic,
// 0x0200 defined).

// For every U+200D (zero-width joiner) the type word becomes 0x0200: a defined non-letter.
void SetZeroWidthJoinersToDefined(const char16_t* text, std::uint16_t* types,
                                  std::ptrdiff_t length);
// For every U+200C (zero-width non-joiner) the type word becomes 0x0300: a defined letter.
void SetZeroWidthNonJoinersToDefinedAlpha(const char16_t* text, std::uint16_t* types,
                                          std::ptrdiff_t length);

// --- Byte-order marks ------------------------------------------------------------------------
// Both read the first two bytes of the buffer as a little-endian 16-bit word.

// The buffer when that word is 0xFEFF or 0xFFFE (a byte-order mark in either order), else null.
const void* UnicodeSigned(const void* buffer);
// The buffer when that word is 0xFFFE (a byte-reversed mark), else null.
const void* UnicodeByteReversed(const void* buffer);

}  // namespace corvane
