#pragma once
// The seam through which the frame's units write their shut-down lines to the suite's log.
// The log unit installs a writer that adds the line when the log is being kept; until then
// (and after the log unit has shut down) the lines go nowhere.

#include <functional>
#include <string>

namespace corvane {

extern std::function<void(const std::u16string&)> package_log_line;

// Writes through the seam when a writer is installed.
void write_package_log_line(const std::u16string& line);

}  // namespace corvane
