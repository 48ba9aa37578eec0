#pragma once
// Appending text to a UTF-16 little-endian file.

#include <string>

namespace corvane {

// When file_name is not empty: appends the code units of text, little-endian, with
// nothing added; a file that does not exist yet is created starting with FF FE. The text
// goes out in one write to a file opened for appending, so appends of several processes
// do not interleave. Raises EFCreateError or EWriteError on failure.
void AddToFileOfChar(const std::u16string& file_name, const std::u16string& text);

}  // namespace corvane
