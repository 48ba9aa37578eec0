#pragma once
// String routines with the classic runtime's rules: positions are 1-based, out-of-range
// positions and counts are clamped rather than refused, and "blank" means any code unit up
// to U+0020. Case folding here is ASCII only unless a routine says otherwise.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Position of the first `sub` in `s` at or after `offset` (1-based); 0 when absent, when
// `sub` is empty or when `offset` lies outside 1..length(s).
std::size_t Pos(std::u16string_view sub, std::u16string_view s, std::size_t offset = 1);

// Up to `count` code units of `s` from `index` (1-based). An index below 1 counts as 1, a
// count past the end is clipped, a count of 0 or less (or an index past the end) gives "".
std::u16string Copy(std::u16string_view s, std::int64_t index, std::int64_t count);

// Inserts `sub` into `s` before position `index`: below 1 counts as 1, past the end appends.
void Insert(std::u16string_view sub, std::u16string& s, std::int64_t index);

// Removes up to `count` code units from `index` (1-based); an index outside 1..length or a
// count of 0 or less does nothing.
void Delete(std::u16string& s, std::int64_t index, std::int64_t count);

std::u16string Trim(std::u16string_view s);
std::u16string TrimLeft(std::u16string_view s);
std::u16string TrimRight(std::u16string_view s);

// 'a'..'z' and 'A'..'Z' only; every other code unit is left alone.
std::u16string UpperCase(std::u16string_view s);
std::u16string LowerCase(std::u16string_view s);

// Ordinal comparison: the difference of the first differing code units, else of the lengths.
int CompareStr(std::u16string_view a, std::u16string_view b);
// The same with ASCII letters folded to upper case.
int CompareText(std::u16string_view a, std::u16string_view b);
bool SameText(std::u16string_view a, std::u16string_view b);
bool SameStr(std::u16string_view a, std::u16string_view b);

std::u16string StringOfChar(char16_t ch, std::int64_t count);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;

// Replaces the first (or, with rfReplaceAll, every) occurrence of `old_pattern`. With
// rfIgnoreCase the match folds case code unit by code unit (Unicode simple case mapping).
// An empty pattern replaces nothing.
std::u16string StringReplace(std::u16string_view s, std::u16string_view old_pattern,
                             std::u16string_view new_pattern, TReplaceFlags flags);

// `s` between single quotes, every quote inside doubled.
std::u16string QuotedStr(std::u16string_view s);
std::u16string AnsiQuotedStr(std::u16string_view s, char16_t quote);
// The text between the first pair of `quote`s with doubled quotes undone; `s` itself when
// it is not enclosed in quotes.
std::u16string AnsiDequotedStr(std::u16string_view s, char16_t quote);

// 1-based position of the last code unit of `s` that is one of `delimiters`, or 0.
std::size_t LastDelimiter(std::u16string_view delimiters, std::u16string_view s);
// True when `s[index]` (1-based) exists and is one of `delimiters`.
bool IsDelimiter(std::u16string_view delimiters, std::u16string_view s, std::int64_t index);

}  // namespace corvane
