#pragma once
// Helpers shared by the sources of File_utils' file and folder operations.

#include <string>
#include <string_view>

namespace corvane::detail {

// The name as this system reads it: a leading drive letter becomes its mount point and
// "\" becomes "/".
std::string native_name(std::u16string_view name);
// Whether the name (without folder) matches the mask: "*" and "?" wildcards, ignoring
// case; "*.*" and "*" match every name.
bool name_matches_mask(const std::string& name, const std::string& mask);
// The running program's folder with a trailing "/" (empty when unknown).
std::u16string program_folder();

}  // namespace corvane::detail
