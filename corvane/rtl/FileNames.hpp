#pragma once
// File-name helpers with the classic runtime's rules. Names written here use "/", but names
// that come from stored Windows data use "\" and a drive such as "C:", so both "/" and "\"
// are path delimiters when a name is read, and ":" ends a drive.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

constexpr char16_t PathDelim = u'/';
constexpr char16_t DriveDelim = u':';

// True when `s[index]` (1-based) is "/" or "\".
bool IsPathDelimiter(std::u16string_view s, std::int64_t index);

// From the last "." after the last delimiter, the dot included; "" when there is none.
std::u16string ExtractFileExt(std::u16string_view name);
// The name with its extension replaced by `ext` (which carries its own dot, or is empty).
std::u16string ChangeFileExt(std::u16string_view name, std::u16string_view ext);
// What follows the last delimiter (path or drive).
std::u16string ExtractFileName(std::u16string_view name);
// Up to and including the last delimiter.
std::u16string ExtractFilePath(std::u16string_view name);
// ExtractFilePath without its trailing delimiter, unless that delimiter is the root's
// ("/", "C:\").
std::u16string ExtractFileDir(std::u16string_view name);
// "C:" for "C:\x", "\\server\share" for a UNC name (either slash), "" otherwise.
std::u16string ExtractFileDrive(std::u16string_view name);
// Adds "/" unless the name already ends with a delimiter.
std::u16string IncludeTrailingPathDelimiter(std::u16string_view name);
// Removes one trailing delimiter, if there is one.
std::u16string ExcludeTrailingPathDelimiter(std::u16string_view name);

}  // namespace corvane
