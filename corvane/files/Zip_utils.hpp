#pragma once
// Names of files inside zip archives. A file inside an archive is named by the archive's
// path, a delimiter and its stored name: "corpus.zip/a/b.txt". Names written here use "/";
// names read from settings written on Windows use "\", so both are accepted after ".zip".
// An archive may also carry a number after its extension ("corpus.zip12"); callers that
// name such archives pass the marker that ends them (".zip12/") as `Marker`.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The marker of the archive currently read through a numbered extension; empty when none.
extern std::u16string global_current_zip_ext_slash;

// True when the extension of Name begins with ".zip", ignoring case (".zip", ".ZIP12").
bool IsAZipFile(std::u16string_view Name);

// The decimal number that follows the first four characters of Name's extension
// ("c.zip12" gives 12); -1 when there is none, or it is not made of decimal digits only, or
// it does not fit in 32 bits.
std::int32_t ZipFilePlusNumber(std::u16string_view Name);

// False when a file of that name exists; otherwise true when the name, in lower case,
// contains ".zip/" or ".zip\", or, failing that, contains a non-empty Marker.
bool IsWithinAZipFile(const std::u16string& FullName, std::u16string_view Marker);

// The archive's path: FullName up to and including the ".zip" of its first ".zip/" or
// ".zip\" (ignoring case); without one, FullName up to the last character of the first
// occurrence of a non-empty Marker (case as given), that character excluded; "" otherwise.
std::u16string ZipFileFullFileName(std::u16string_view FullName, std::u16string_view Marker);

// The name inside the archive: what follows the delimiter after the archive's path found as
// ZipFileFullFileName finds it; "" when there is no archive path.
std::u16string ZipFileWantedFileNameWithin(std::u16string_view FullName,
                                           std::u16string_view Marker);

}  // namespace corvane
