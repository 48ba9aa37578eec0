#pragma once
// Minimal JSON output for the program's --json options: strings escaped losslessly
// (control characters as \u00XX), UTF-16 text written as UTF-8.

#include <ostream>
#include <string>
#include <string_view>

namespace corvane::cli {

void write_json_string(std::ostream& out, std::u16string_view text);
void write_json_string(std::ostream& out, std::string_view utf8);

}  // namespace corvane::cli
