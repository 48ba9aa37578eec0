// corvane wordlist: one word list (or word n-gram list) of all the texts the paths give,
// entry<TAB>frequency per line.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <memory>
#include <ostream>

#include "corvane/files/Corpus_word_lists.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Gathering.hpp"
#include "tools/corvane/Json.hpp"
#include "tools/corvane/Wordlist.hpp"

namespace corvane::cli {

counting_progress::counting_progress(const char* command, bool enabled, std::ostream& err)
    : command_(command), enabled_(enabled), err_(err), start_(std::chrono::steady_clock::now()) {}

counting_progress::~counting_progress() {
  finish();
}

void counting_progress::show(std::size_t texts, std::size_t entries, int percent) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < std::chrono::seconds(1)) return;
  if (shown_ && now - last_ < std::chrono::milliseconds(200)) return;
  last_ = now;
  std::string line = "corvane " + std::string(command_) + ": " + std::to_string(texts) +
                     " texts, " + std::to_string(entries) + " entries";
  if (percent >= 0) line += ", " + std::to_string(percent) + "% of this text";
  err_ << '\r' << line << "\x1b[K" << std::flush;
  shown_ = true;
}

void counting_progress::finish() {
  if (shown_) err_ << "\r\x1b[K" << std::flush;
  shown_ = false;
  enabled_ = false;
}

int command_wordlist(const wordlist_options& o, std::ostream& out, std::ostream& err) {
  if (o.ngrams < 0) {
    err << "corvane wordlist: --ngrams " << o.ngrams << ": give 1 or more words per n-gram\n";
    return 2;
  }
  corpus_word_list_options options;
  options.ngrams = o.ngrams;
  options.min_length = o.min_length;
  options.longest_tag = o.longest_tag;
  options.by_freq = o.by_freq;
  std::string why;
  if (!text_encoding_setting("", options.encoding, why)) {
    err << "corvane wordlist: " << why << '\n';
    return 2;
  }
  corpus_word_list words(options);
  counting_progress progress("wordlist", o.gather.progress && isatty(STDERR_FILENO), err);
  words.progress = [&](int percent) { progress.show(words.texts(), words.entries(), percent); };
  bool failed = false;
  const bool gathered =
      gather_paths("wordlist", o.paths, o.gather, err, [&](const gathered_text& t) {
        text_reading_report report;
        if (!words.add(t, why, &report)) {
          progress.finish();
          err << "corvane wordlist: " << t.path << ": " << why << '\n';
          failed = true;
        } else {
          report_reading("wordlist", t.path, report, err);
        }
        progress.show(words.texts(), words.entries(), -1);
        return true;
      });
  progress.finish();

  const std::unique_ptr<TStringList> list = words.list();
  std::string buffer;
  const auto flush = [&] {
    out << buffer;
    buffer.clear();
    return output_ok(out);
  };
  if (o.json) out << '[';
  for (std::int32_t i = 0; i < list->Count(); ++i) {
    const std::string entry = u8(list->Get(i));
    const std::int32_t freq = int_from_object(list->GetObject(i));
    if (o.json) {
      out << (i == 0 ? "\n  {\"entry\": " : ",\n  {\"entry\": ");
      write_json_string(out, entry);
      out << ", \"freq\": " << freq << '}';
      if ((i & 1023) == 0 && !output_ok(out)) return 2;
      continue;
    }
    buffer += entry;
    buffer += '\t';
    buffer += std::to_string(freq);
    buffer += '\n';
    if (buffer.size() >= (std::size_t{1} << 16) && !flush()) return 2;
  }
  if (o.json) out << (list->Count() > 0 ? "\n]\n" : "]\n");
  if (!flush()) return 2;
  if (!gathered || failed) return 2;
  return list->Count() > 0 ? 0 : 1;
}

void add_wordlist_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<wordlist_options>();
  auto no_progress = std::make_shared<bool>(false);
  auto* cmd = app.add_subcommand(
      "wordlist",
      "One word list of all the texts the paths give, as if they were one text (the first "
      "spelling met is kept; spellings that differ only in case count together): "
      "entry<TAB>frequency per line, alphabetical or by frequency. With --ngrams N, the word "
      "N-grams of each text (its line ends read as spaces; none spans two texts), added up. "
      "Exit status 0 when the list has entries, 1 when it is empty, 2 after any error (an "
      "unreadable text is named with its reason; the others still count)");
  cmd->add_option("--ngrams", o->ngrams, "Words per n-gram (1 or more); without it, words")
      ->check(CLI::Range(1, 1000000));
  cmd->add_option("--min-length", o->min_length,
                  "Shortest word counted, or shortest n-gram listed, in characters (default 1)");
  cmd->add_option("--longest-tag", o->longest_tag,
                  "For n-grams: how far a \"<\" without \">\" reaches before a space ends it "
                  "(default 100)");
  cmd->add_flag("--by-freq", o->by_freq, "Most frequent first (ties by code unit)");
  cmd->add_flag("--json", o->json, "One JSON array of objects entry, freq");
  cmd->add_flag("--no-progress", *no_progress,
                "Never show the progress line (shown on a terminal after a second)");
  add_gathering_options(*cmd, o->gather);
  cmd->add_option("PATH", o->paths, "Files, folders, archives and entries of archives")->required();
  cmd->callback([o, no_progress, &status, &out, &err] {
    o->gather.progress = !*no_progress;
    status = command_wordlist(*o, out, err);
  });
}

}  // namespace corvane::cli
