#pragma once
// The corvane program: command-line parsing and the commands, callable in-process so
// that tests can run them and read what they print.

#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::cli {

// Runs the program with argv; output and errors go to the given streams. Returns the
// process exit code.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int run(int argc, char** argv);

// The commands.
int command_info(std::ostream& out);
int command_parse(const std::string& line, bool split, const std::string& tag_pairs, bool json,
                  std::ostream& out, std::ostream& err);
int command_messages(const std::string& translation_file, const std::vector<std::string>& ids,
                     std::ostream& out, std::ostream& err);

}  // namespace corvane::cli
