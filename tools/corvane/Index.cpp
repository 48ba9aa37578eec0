// corvane index backup|delete NAME: the files of an index copied to their backups, or
// removed.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "corvane/definitions/Wdef.hpp"
#include "corvane/files/Logging_utilities.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

int command_index(const std::string& action, const std::string& name, std::ostream& out,
                  std::ostream& err) {
  TPackageScope package;
  const bool backup = action == "backup";
  std::vector<TIndexFileOutcome> outcomes;
  const int found = backup ? TryToBackupIndexFiles(u16(name), &outcomes)
                           : TryToDeleteIndexFiles(u16(name), &outcomes);
  // The log holds the index's lines: the package's own shut-down lines stay out of it.
  keeping_log = false;
  bool failed = false;
  for (const TIndexFileOutcome& o : outcomes) {
    if (o.done) {
      out << (backup ? "copied\t" : "deleted\t") << u8(o.file);
      if (backup) out << '\t' << u8(o.target);
      out << '\n';
    } else {
      failed = true;
      err << "corvane index: " << u8(o.file) << ": could not be "
          << (backup ? "copied to " + u8(o.target) : std::string("deleted")) << '\n';
    }
  }
  if (failed) return 2;
  if (found == 0) {
    err << "corvane index: " << name << ": no index files there\n";
    return 1;
  }
  return 0;
}

void add_index_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::string action, name;
  };
  auto o = std::make_shared<options>();
  auto* cmd = app.add_subcommand(
      "index",
      "backup: copy each file of the index NAME (NAME.markup, .types, .tokens, .base_pairs, "
      ".base_index, .base_index_cg, .stats) over its backup (extension plus \"_bak\"); delete: "
      "remove them. Prints one line per file; with --log the steps are logged. Exit status 1 "
      "when none of the files is there, 2 when one could not be copied or deleted");
  cmd->add_option("ACTION", o->action, "backup or delete")
      ->required()
      ->check(CLI::IsMember({"backup", "delete"}));
  cmd->add_option("NAME", o->name, "The index (its extension, if any, is replaced)")->required();
  cmd->callback([o, &status, &out, &err] { status = command_index(o->action, o->name, out, err); });
}

}  // namespace corvane::cli
