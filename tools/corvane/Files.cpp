// corvane files: the texts a command would gather from its paths, one record per line, as
// the folder search gives them, with the encoding verdict read from each file or entry.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Gathering.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

std::string local_date_time(TDateTime dt) {
  int y, m, d, h, mi, s, ms;
  DecodeDateTime(dt, y, m, d, h, mi, s, ms);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, h, mi, s);
  return text;
}

}  // namespace

int command_files(const std::vector<std::string>& paths, const GatherOptions& options, bool json,
                  bool no_verdict, std::ostream& out, std::ostream& err) {
  entry_reader entries;
  bool failed = false, any = false;
  std::string line;
  if (json) out << '[';
  const bool gathered = gather_paths("files", paths, options, err, [&](const gathered_text& t) {
    std::string verdict = "-", why;
    TFileContentsSet kinds;
    if (!no_verdict) {
      if (!gathered_text_verdict(t, true, entries, kinds, why)) {
        err << "corvane files: " << t.path << ": " << why << '\n';
        failed = true;
      }
      verdict = file_contents_names(kinds, ',');
    }
    const std::string attr = u8(AttributesToStr(static_cast<std::uint16_t>(t.attr)));
    const std::string when = local_date_time(t.date);
    if (json) {
      out << (any ? ",\n  {" : "\n  {") << "\"path\": ";
      write_json_string(out, t.path);
      out << ", \"size\": " << t.size << ", \"date\": \"" << when << "\", \"attr\": \"" << attr
          << "\", \"number_within_zip\": " << t.number_within_zip << ", \"verdict\": \"" << verdict
          << "\"}";
    } else {
      line.clear();
      line += t.path;
      line += '\t';
      line += std::to_string(t.size);
      line += '\t';
      line += when;
      line += '\t';
      line += attr;
      line += '\t';
      line += std::to_string(t.number_within_zip);
      line += '\t';
      line += verdict;
      line += '\n';
      out << line;
    }
    any = true;
    // Output that cannot be written stops the walk.
    return output_ok(out);
  });
  if (json) out << (any ? "\n]\n" : "]\n");
  if (!gathered || failed) return 2;
  return any ? 0 : 1;
}

void add_files_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::vector<std::string> paths;
    GatherOptions gather;
    bool json = false, no_verdict = false, no_progress = false;
  };
  auto o = std::make_shared<options>();
  auto* files = app.add_subcommand(
      "files",
      "List the texts the paths give, as every command that takes PATH... gathers them: one "
      "line per record in gathering order, tab-separated: path, size, date-time (local), "
      "attributes (r a s h d), number within its zip archive (0: a file), encoding verdict. "
      "Exit status 0 when something was gathered, 1 when nothing was, 2 after any error");
  add_gathering_options(*files, o->gather);
  files->add_flag("--json", o->json,
                  "One JSON array with an object per record: path, size, date, attr, "
                  "number_within_zip, verdict");
  files->add_flag("--no-verdict", o->no_verdict, "Print - for the verdict and open no file");
  files->add_flag("--no-progress", o->no_progress,
                  "Never show the progress line (shown on a terminal after a second)");
  files->add_option("PATH", o->paths, "Files, folders, archives and entries of archives")
      ->required();
  files->callback([o, &status, &out, &err] {
    o->gather.progress = !o->no_progress;
    status = command_files(o->paths, o->gather, o->json, o->no_verdict, out, err);
  });
}

}  // namespace corvane::cli
