#pragma once
// The options every command that takes PATH... shares, and the gathering they drive:
// problems on standard error naming the path and the reason, and a progress line on a
// terminal when the walk takes more than a second.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "corvane/files/Corpus_gathering.hpp"

namespace CLI {
class App;
}

namespace corvane::cli {

struct GatherOptions {
  gathering_options lib;
  std::string sort;      // name, date, size, attr or ext; empty: as the folder lists them
  bool progress = true;  // a progress line on standard error when it is a terminal
};

// Adds --mask, --zip-mask, --dir-mask, --exclude-dir, --exclude-ext, --no-zips,
// --zips-as-files, --hidden, --system, --dot-underscore, --no-recurse and --sort (also
// spelt --file-sort; only so for a command whose --sort means something else).
void add_gathering_options(CLI::App& command, GatherOptions& options, bool sort_is_taken = false);

// Gathers the texts under `paths`, handing each to `each` in gathering order (false from
// it stops the gathering). Problems go to `err` as "corvane COMMAND: path: reason"; false
// when there was any; `problems`, when given, counts them.
bool gather_paths(const char* command, const std::vector<std::string>& paths,
                  const GatherOptions& options, std::ostream& err,
                  const std::function<bool(const gathered_text&)>& each,
                  std::size_t* problems = nullptr);

}  // namespace corvane::cli
