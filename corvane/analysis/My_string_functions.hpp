#pragma once
// String and string-list routines of the text-analysis subsystem: lists from and to
// separated strings, clean-up of copies, readable character references, white-space
// trimming and title case. Every routine returns a new string the caller owns and keeps no
// state between calls.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

class TStringList;

// ---- String lists from and to strings

// The pieces of `s` between separators, in order. One line feed directly after a separator
// is skipped, so with the default separator (carriage return) CR LF text splits into its
// lines; the rest after the last separator is the last piece, even when empty.
std::unique_ptr<TStringList> StringListFromString(char16_t separator, const std::u16string& s);
std::unique_ptr<TStringList> StringListFromString(const std::u16string& s);

// Clears `list` and fills it with the pieces between separators; double quotes are
// ordinary characters. Returns the number of entries (0 for an empty string).
int StringToStringListAllowDoubleQuotes(char16_t separator, const std::u16string& s,
                                        TStringList& list);

// Clears `list` and fills it with the items of `s`: a double quote toggles quoting and a
// closing quote ends an item; quotes are not copied. Returns the number of entries, negated
// when a quote is left open.
int StringToStringList(char16_t separator, const std::u16string& s, TStringList& list);

// The non-empty entries from `first` on joined by `separator`; once the result reaches
// `max_length` characters, it stops and, when entries remain, appends " etc." (the
// catalogue's text).
std::u16string StringListToString(char16_t separator, const TStringList& list, int first = 0,
                                  int max_length = INT32_MAX);

// `list_string`, then `separator` when `list_string` is not empty, then `item`.
std::u16string AddToListWithSeparatorIfNeeded(const std::u16string& list_string,
                                              const std::u16string& item,
                                              const std::u16string& separator);

// ---- Clean-up of copies

std::u16string StrippedOfChar(std::u16string_view s, char16_t c);
std::u16string StrippedOfChars(std::u16string_view s, std::u16string_view chars);
std::u16string StrippedOfCommas(std::u16string_view s);
// Every run of spaces shortened to one space.
std::u16string StrippedDoubleSpaces(std::u16string_view s);
// Every "&" removed unless the next character is also "&" ("&&" becomes "&").
std::u16string StrippedOfSingleAmpersands(std::u16string_view s);
// Every run of CR and LF that starts with a CR becomes that CR and the run's last
// character: several CR LF pairs in a row become one CR LF.
std::u16string StrippedMultipleLineEnds(std::u16string_view s);
// The same, keeping up to n CR LF pairs of each run (n = 1 is the form above).
std::u16string StrippedMultipleLineEnds(std::u16string_view s, int n);
// The trimmed string between two double quotes.
std::u16string DoubleQuotesAdded(std::u16string_view s);
// The trimmed string without any double quote.
std::u16string DoubleQuotesRemoved(std::u16string_view s);

// ---- Readable character references and title case

// The number text of a reference, upper-cased, a hexadecimal mark ("X" first, "H" last)
// turned into the "$" prefix the integer parser reads as hexadecimal: x41, X41 and 41h give
// $41; 65 stays 65.
std::u16string BracedNumberStrToDigitalformat(std::u16string_view s);

// `s` with every convertible "{CHR(n)}" reference (letters in any case) and "#n" / "#xhh;"
// reference replaced by its character. A braced reference whose number does not parse stays
// as typed; a hash reference that does not parse ends the hash pass.
std::u16string CVFormattedReadableStringToWorkString(std::u16string_view s);

// `s` with every character whose code is below `below` written as "{CHR(n)}".
std::u16string CVFormattedWorkStringToReadableString(std::u16string_view s, std::int32_t below);

// `s` without leading and trailing Unicode white space (the control codes of a parsed search
// word are not white space and remain).
std::u16string WideTrimSpaceOnly(std::u16string_view s);

// `s` in lower case with the first letter of each word (or of the first word only) in upper
// case; a letter counts as a word's first when it starts `s` or follows a code below 33.
std::u16string TitleCasedString(std::u16string_view s, bool only_first);

// True for the Unicode white-space property (used by the trimming above).
bool is_unicode_white_space(char16_t c);

}  // namespace corvane
