#pragma once
// The tools of the suite by name and program file, which of them is running, the maker's
// web addresses for this major version, and two number conversions.

#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/definitions/My_types_mini.hpp"

namespace corvane {

// The maker's web host, the start of every web address below.
extern const std::u16string_view CVWebHost;

// The tool's name ("Linara", "CV7 General API DLL"); empty for the spare values, the
// reserved one and tt_no_tool_at_all.
std::u16string Tool_Name(tool_type tool);
// The name with every space an underscore, then the major version and ".dll" (for
// tt_API_tool) or ".exe": "Text_Converter7.exe". Empty when the name is.
std::u16string GetShortToolFilename(tool_type tool);
// The running program's folder, with its trailing "/", and the short file name.
std::u16string GetFullToolFilename(tool_type tool);
// Sets current_tool_var from the running program's file name (/proc/self/exe): the first
// tool, in value order, whose short file name equals it ignoring case, else
// tt_no_tool_at_all. A program file without an extension is also compared as if it ended
// in ".exe", as programs on this system are named without one ("Linara7").
void SetCurrentTool();

// The maker's download folder for this major version: CVWebHost + "/downloads/version7/".
std::u16string CVCurrentDownloadFolder();
// That folder + "HTML/".
std::u16string CorvaneHelpURL();
// That folder + "CVUpdate7.inf".
std::u16string CVVerifiqueINF();
// "Corvane Tools 7.0".
std::u16string CorvaneControllerCaption();
// "7.0.0.100".
std::u16string CurrentCVMajorVersion100Str();

// Through a 64-bit integer, so values of 2^31 and above stay positive.
float CardinalToSingle(std::uint32_t value);
float IntToSingle(std::int32_t value);

// The text each line of the tool's log starts with: "(L): ", "(CV7): ", "(??)".
std::u16string tool_log_prefix(tool_type tool);

namespace detail {
// The tool whose program file is `file_name` (a name without folder), as SetCurrentTool
// decides.
tool_type tool_for_program_file(std::u16string_view file_name);
// The running program's full path, from /proc/self/exe (empty when it cannot be read).
std::u16string running_program_path();
}  // namespace detail

}  // namespace corvane
