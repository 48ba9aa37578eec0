// corvane log, and the global --log option: the suite's shared log.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "corvane/files/Logging_utilities.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

void add_log_option(CLI::App& app) {
  keeping_log = false;  // each run starts without a log unless told
  SetLogFilename(u"");
  app.add_option_function<std::string>(
      "--log",
      [](const std::string& file) {
        keeping_log = true;
        SetLogFilename(u16(file));
      },
      "Keep the suite's log in this file while the command runs (lines are appended)");
}

int command_log(const std::string& file, const std::vector<std::string>& texts, bool start,
                bool clear, bool no_newline, std::ostream& out, std::ostream& err) {
  TPackageScope package;  // the tool prefixes and the log's start-up
  keeping_log = true;
  SetLogFilename(u16(file));
  if (clear) ClearLogFile();
  if (start) StartNewLogSection();
  for (const std::string& text : texts) AddToLogFile(u16(text), !no_newline);
  if (!keeping_log) {
    err << "corvane log: " << file << ": cannot be written; the log was switched off\n";
    return 2;
  }
  // The file holds what was asked: the package's own shut-down lines stay out of it.
  keeping_log = false;
  return 0;
}

void add_log_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    std::string file;
    std::vector<std::string> texts;
    bool start = false, clear = false, no_newline = false;
  };
  auto o = std::make_shared<options>();
  auto* log = app.add_subcommand(
      "log",
      "Append each TEXT to the suite's log (UTF-16, every line starting with the running "
      "tool's prefix; see --tool). Exit status 2 when a write failed and the log was "
      "switched off");
  log->add_flag("--start", o->start, "Start a new log section first");
  log->add_flag("--clear", o->clear, "Delete the log first (then a new section starts)");
  log->add_flag("--no-newline", o->no_newline, "Add no line break after each TEXT");
  log->add_option("FILE", o->file, "The log file")->required();
  log->add_option("TEXT", o->texts, "Lines to write");
  log->callback([o, &status, &out, &err] {
    status = command_log(o->file, o->texts, o->start, o->clear, o->no_newline, out, err);
  });
}

}  // namespace corvane::cli
