// The shared gathering options and their progress line.
#include "tools/corvane/Gathering.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <ostream>

namespace corvane::cli {

void add_gathering_options(CLI::App& c, GatherOptions& o, bool sort_is_taken) {
  gathering_options& g = o.lib;
  c.add_option("--mask", g.masks,
               "File masks for the files of folders, separated by \";\" (default \"*\"; "
               "\"*.txt;*.xml\"); a file two masks match is gathered twice, searched once");
  c.add_option("--zip-mask", g.zip_masks,
               "Masks for the entries of zip archives (default: the file masks)");
  c.add_option("--dir-mask", g.dir_masks, "Masks for the folders walked (default \"*\")");
  c.add_option("--exclude-dir", g.exclude_dirs,
               "Folders left out with everything below them: masks, a bare name (\"old\") "
               "matching that folder at any depth");
  c.add_option("--exclude-ext", g.exclude_exts,
               "Extensions left out, as masks with their dot (\".bak;.tmp\")");
  c.add_flag("--no-zips{false}", g.examine_zips,
             "Do not look inside zip archives (by default their entries are texts)");
  c.add_flag("--zips-as-files", g.zips_as_files, "Gather zip archives as files too");
  c.add_flag("--hidden", g.hidden, "Gather hidden files (names beginning with \".\")");
  c.add_flag("--system", g.system,
             "Gather devices, FIFOs and sockets found in folders (never read as texts)");
  c.add_flag("--dot-underscore", g.dot_underscore,
             "Gather \"._\" files (which only hold another system's file details)");
  c.add_flag("--no-recurse{false}", g.recurse, "Only the files of the folders named");
  c.add_option(sort_is_taken ? "--file-sort" : "--sort,--file-sort", o.sort,
               "Each folder's files sorted by name, date (latest first), size, attr or ext")
      ->check(CLI::IsMember({"name", "date", "size", "attr", "ext"}));
}

namespace {

TMySearchRecSort sort_named(const std::string& s) {
  if (s == "name") return sr_sort_by_name;
  if (s == "date") return sr_sort_by_date;
  if (s == "size") return sr_sort_by_size;
  if (s == "attr") return sr_sort_by_attr;
  if (s == "ext") return sr_sort_by_extension;
  return sr_sort_none;
}

// "corvane files: 120 folders, 5300 texts" once the walk has taken a second, at most four
// times a second; cleared at the end and before each problem is written.
class walk_progress {
 public:
  walk_progress(const char* command, bool enabled, std::ostream& err)
      : command_(command), enabled_(enabled), err_(err), start_(clock::now()), last_(start_) {}
  ~walk_progress() { clear(); }
  void update(std::size_t folders, std::size_t texts) {
    if (!enabled_) return;
    const auto now = clock::now();
    if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(250))
      return;
    last_ = now;
    char line[128];
    std::snprintf(line, sizeof line, "corvane %s: %zu folders, %zu texts", command_, folders,
                  texts);
    err_ << '\r' << line << "\x1b[K" << std::flush;
    shown_ = true;
  }
  void clear() {
    if (!shown_) return;
    err_ << "\r\x1b[K" << std::flush;
    shown_ = false;
  }

 private:
  using clock = std::chrono::steady_clock;
  const char* command_;
  bool enabled_;
  std::ostream& err_;
  clock::time_point start_, last_;
  bool shown_ = false;
};

}  // namespace

bool gather_paths(const char* command, const std::vector<std::string>& paths,
                  const GatherOptions& options, std::ostream& err,
                  const std::function<bool(const gathered_text&)>& each, std::size_t* problems) {
  gathering_options g = options.lib;
  g.sort = sort_named(options.sort);
  bool failed = false;
  walk_progress progress(command, options.progress && isatty(STDERR_FILENO), err);
  gathering_events events;
  events.text = each;
  events.problem = [&](const gathering_problem& p) {
    progress.clear();
    err << "corvane " << command << ": " << p.path << ": " << p.reason << '\n';
    failed = true;
    if (problems != nullptr) ++*problems;
  };
  events.progress = [&](std::size_t folders, std::size_t texts) {
    progress.update(folders, texts);
  };
  gather_texts(paths, g, events);
  progress.clear();
  return !failed;
}

}  // namespace corvane::cli
