#pragma once
// The buffer matcher: finds the next occurrence of one parsed search word in a text buffer
// and its parallel array of 16-bit class words, honouring word boundaries, case, wildcards,
// mark-up and the text-structure markers, and keeps the running counts of words, sentences,
// paragraphs, headings and sections on the way. Beside it: the routines that prepare the
// class array (word-internal characters) and a few small buffer utilities.
//
// The class array ("buffer details") holds one word per buffer character plus two spare
// words after the last one:
//   0x0001..0x0200  the type-1 character flags (C1_UPPER .. C1_DEFINED, CharTypes.hpp)
//   0x0800          the character belongs to mark-up (a tag, its delimiters included)
//   0x8000          the character is a text-structure marker; its code is in bits 0..10
// With 0x8000 set, 0x0800 does not mean mark-up. Mark-up delimiters in the buffer are
// U+0019 (tag open) and U+0018 (tag close).
//
// The matcher makes one forward pass, never allocates and keeps no state between calls:
// the caller carries the counts and the in-heading state from one call to the next.

#include <cstdint>
#include <string_view>

namespace corvane {

// Class-word bits beyond the type-1 flags.
inline constexpr std::uint16_t kMarkupBit = 0x0800;
inline constexpr std::uint16_t kMarkerBit = 0x8000;
inline constexpr std::uint16_t kMarkerCodeMask = 0x07FF;

// Class groups.
inline constexpr std::uint16_t kWhitespaceClasses = 0x0068;         // space, control, blank
inline constexpr std::uint16_t kWhitespaceOrPunctClasses = 0x0078;  // ... or punctuation
inline constexpr std::uint16_t kWordCharClasses = 0x0104;           // letter, digit
inline constexpr std::uint16_t kVisibleClasses = 0x0114;            // letter, punct, digit

// The marker codes (values 14 to 21 of the text-segment kinds).
enum TTextMarkerCode : std::uint16_t {
  marker_sentence_start = 14,
  marker_sentence_end = 15,
  marker_paragraph_start = 16,
  marker_paragraph_end = 17,
  marker_heading_start = 18,
  marker_heading_end = 19,
  marker_section_start = 20,
  marker_section_end = 21,
};

// Indices of the arrays of TSearchStatsRec.
enum TSearchStatsKind {
  stats_word = 0,
  stats_sentence,
  stats_paragraph,
  stats_heading,
  stats_section
};

// Running counts. number[k]: units of kind k passed so far (for words: word starts);
// position[k]: the word position inside the current unit of kind k (1 at each boundary of
// that kind, +1 at each word start); out_of[k] equals position[k] for k = 1..4 on return.
// position[0] and out_of[0] are not touched by the matcher.
struct TSearchStatsRec {
  std::int32_t number[5] = {};
  std::int32_t position[5] = {};
  std::int32_t out_of[5] = {};
};

// Called at a boundary of a text unit with the unit's number and its word count.
using THandleTextSectionProc = void (*)(std::int32_t number, std::int32_t position);

// The four text-section callbacks; a routine that does nothing until a host replaces them.
extern THandleTextSectionProc HandleSentenceEndProc;
extern THandleTextSectionProc HandleParagraphEndProc;
extern THandleTextSectionProc HandleHeadingEndProc;
extern THandleTextSectionProc HandleSectionEndProc;
void DefaultHandleTextSectionProc(std::int32_t number, std::int32_t position);

// Finds the next hit of the search word in the buffer.
//
// `buffer` holds `count` characters to scan (bytes, or UTF-16 units when `is_unicode`);
// `details_at` is the class word of its first character, `details_first` the first word of
// the whole class array, `details_end` the address at which scanning stops (the engine
// passes the address of the second spare word; it and the word before it may be read as
// look-ahead). `upper`, `lower` (the main pattern) and `title` are the three case copies of
// the parsed search text, compared index by index; `sw_len` is its length. A case-sensitive
// caller passes the unchanged text three times. `skip_tags` is accepted and not used.
//
// Returns the address of the first character of the hit and sets `extended_len` (the hit
// extended to the end of its word) and `exact_len`, both counted in buffer characters from
// the hit's start, mark-up and skipped spaces included; or returns null when there is no
// hit in the range. Either way `stats` and `in_heading` come back brought up to the point
// where the scan stopped (the hit's first character included).
const void* NewFindWantedInBuffer(
    const void* buffer, std::int32_t count, const std::uint16_t* details_at,
    const std::uint16_t* details_first, const std::uint16_t* details_end, std::u16string_view upper,
    std::u16string_view lower, std::u16string_view title, std::uint16_t sw_len, bool case_sensitive,
    bool left_bounded, bool right_bounded, bool is_unicode, bool punct_as_space, bool skip_tags,
    std::uint16_t& extended_len, std::uint16_t& exact_len, TSearchStatsRec& stats, bool& in_heading,
    bool sentence_end_markers, bool paragraph_end_markers, bool heading_end_markers,
    bool section_end_markers);

// The same arguments as one record, for callers that keep them together.
struct TFindWantedArgs {
  const void* buffer = nullptr;
  std::int32_t count = 0;
  const std::uint16_t* details_at = nullptr;
  const std::uint16_t* details_first = nullptr;
  const std::uint16_t* details_end = nullptr;
  std::u16string_view upper, lower, title;
  std::uint16_t sw_len = 0;
  bool case_sensitive = false;
  bool left_bounded = true;
  bool right_bounded = true;
  bool is_unicode = true;
  bool punct_as_space = false;
  bool skip_tags = false;
  bool sentence_end_markers = false;
  bool paragraph_end_markers = false;
  bool heading_end_markers = false;
  bool section_end_markers = false;
};
const void* NewFindWantedInBuffer(const TFindWantedArgs& args, std::uint16_t& extended_len,
                                  std::uint16_t& exact_len, TSearchStatsRec& stats,
                                  bool& in_heading);

// Marks word-internal characters: every occurrence of one of the first `n_allowables`
// characters of `allowables` whose class word lacks the mark-up bit becomes 0x0302 (a
// lower-case letter), or 0x0204 (a digit) next to a digit, when the nearest non-mark-up
// neighbours are word characters and not markers (a side is not checked when its
// no-check flag is set). Otherwise its class word stays as it is.
void HandleMiddleChars(const void* buffer, std::uint16_t* details, std::u16string_view allowables,
                       std::uint16_t n_allowables, std::int32_t n_chars, bool is_unicode,
                       bool no_check_after, bool no_check_before);

// Marks U+00B7, "." and "," (and the space when `space_allowed`) between two digits as a
// digit (0x0204), so that numbers scan whole.
void HandleMiddleCharsInNumbers(bool is_unicode, bool space_allowed, const void* buffer,
                                std::uint16_t* details, std::int32_t n_chars);

// Remove every `c` among the first `n` characters, closing the gaps in place, and write a
// 0 after the remaining text (nothing when n = 0: the buffer needs room for n + 1).
// Return the number of characters that remain.
std::int32_t RemoveCharA(char* buffer, char c, std::int32_t n);
std::int32_t RemoveCharW(char16_t* buffer, char16_t c, std::int32_t n);

// Every c1 among the first n characters becomes c2.
void ReplaceChar1ByChar2W(char16_t* buffer, char16_t c1, char16_t c2, std::int32_t n);

// The 1-based position of the first of the first n elements equal to value; the value
// itself when none is (or n <= 0).
std::int32_t ScanForInt(std::int32_t value, const std::int32_t* values, std::int32_t n);

void Bare_assemb3_initialization();
void Bare_assemb3_finalization();

namespace detail {
// How the matcher looks for the next character that needs attention (a candidate first
// character or a marker) in UTF-16 buffers: one character at a time, or 8 or 16 at a time.
// The vector levels give the same results; tests and benchmarks switch between them.
enum class matcher_kernel { scalar, sse2, avx2 };
bool matcher_kernel_supported(matcher_kernel k);
// Sets the kernel (an unsupported one falls back to the best supported below it) and
// returns the previous one. The default is the best the processor supports.
matcher_kernel set_matcher_kernel(matcher_kernel k);
matcher_kernel current_matcher_kernel();
}  // namespace detail

}  // namespace corvane
