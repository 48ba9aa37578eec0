#pragma once
// The wildcard vocabulary of typed search words and the translations that turn it into
// control codes: quoting of specials, the five wildcard symbols, paired tag delimiters and
// tag patterns.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Six opening tag delimiters followed by the six matching closing ones (pair i is
// characters i and i + 6); a 0 marks an empty slot.
using TIgnore_tag_type = std::array<char16_t, 12>;

// ---- Symbols and their codes in a parsed search text

inline constexpr std::u16string_view any_word_symbol_char = u" * ";
inline constexpr std::u16string_view any_string_symbol_str = u"}}}";
inline constexpr std::u16string_view crlf_symbol_string = u"/\\";

inline constexpr char16_t kAnyStringCode = 0x0015;  // first brace of "}}}"
inline constexpr char16_t kTagCloseCode = 0x0018;
inline constexpr char16_t kTagOpenCode = 0x0019;
inline constexpr char16_t kAnyWordCode = 0x001A;        // the asterisk of " * "
inline constexpr char16_t kNumberCode = 0x001B;         // "#"
inline constexpr char16_t kAnyCharacterCode = 0x001C;   // "?"
inline constexpr char16_t kAnyRunInWordCode = 0x001D;   // "*" inside a word
inline constexpr char16_t kAnyLetterCode = 0x001E;      // "^"
inline constexpr char16_t kNotCode = 0x001F;            // "~" in tag patterns
inline constexpr char16_t kQuotedSpecialBase = 0xE000;  // quoted specials during the parse

// The eleven specials a user can quote to search for them literally, each as typed between
// double quotes: ^ / * == ? :\ < > # }}} /\  (index 0 to 10).
inline constexpr std::array<std::u16string_view, 11> quoted_specials = {
    u"\"^\"", u"\"/\"", u"\"*\"", u"\"==\"",  u"\"?\"",  u"\":\\\"",
    u"\"<\"", u"\">\"", u"\"#\"", u"\"}}}\"", u"\"/\\\""};

enum tag_wildcards_type { not_type, any_letter_type, asterisk_type, question_type, hash_type };

struct TTagWildcardConverter {
  char16_t original_char;
  char16_t replacement_char;
};
inline constexpr std::array<TTagWildcardConverter, 5> tag_wildcards_converters = {
    {{u'~', 0x001F}, {u'^', 0x001E}, {u'*', 0x001D}, {u'?', 0x001C}, {u'#', 0x001B}}};

// While `what` occurs in `s`, the first character of its leftmost occurrence becomes
// `code`. True if anything was replaced.
bool Parse_Translate(std::u16string& s, std::u16string_view what, char16_t code);

// Every occurrence of the quoted special `quoted` becomes the single character `code`.
void Parse_RetainOne(std::u16string& s, char16_t code, std::u16string_view quoted);
// The same for table index i = 0 to 10 with code base + i.
void Parse_Retain(std::u16string& s, std::uint32_t base);

// Every `code` becomes its special as a plain character: the table entry trimmed of
// surrounding spaces and without its double quotes.
void Parse_RestoreOne(std::u16string& s, char16_t code, std::u16string_view quoted);
void Parse_Restore(std::u16string& s, std::uint32_t base);

// "^", "#", "*", "?" and "}}}" into their codes, in that order; the result is that of the
// last translation ("}}}").
bool DoMainParse_Translates(std::u16string& s);

// Translates paired tag delimiters into the tag codes; true when some pair was found with
// both its delimiters (closing delimiters are translated only while that holds).
bool ContainsPairedTagMarkup(const TIgnore_tag_type& tags, std::u16string& s);

// A tag pattern with its first "~", "^", "*", "?" and "#" turned into their codes, or, where
// the character is typed between double quotes, into the bare character.
std::u16string TagWildcardConverted(const std::u16string& s);

// Builds a tag-delimiter array from pairs given as text ("<>[]": < pairs with >, [ with ]).
TIgnore_tag_type tags_from_pairs(std::u16string_view pairs);

}  // namespace corvane
