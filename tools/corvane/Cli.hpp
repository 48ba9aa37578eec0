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
int command_sentences(const std::string& file_name, const std::string& marker,
                      const std::string& lang, int longest_tag, std::ostream& out,
                      std::ostream& err);
// Prints each file's path and its encoding verdict, tab-separated.
int command_detect(const std::vector<std::string>& files, bool quick, std::ostream& out,
                   std::ostream& err);
// Prints each file's text as TextFileContents loads it, in UTF-8.
int command_cat(const std::vector<std::string>& files, std::ostream& out, std::ostream& err);

}  // namespace corvane::cli
