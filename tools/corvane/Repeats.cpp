// corvane repeats: sentences that recur within and across texts (TRepeatedChunks), or, with
// --chunks, fixed-length stretches that recur within one text (RepeatedXCharChunks).
// Ctrl-C stops a sentence search at its next paragraph, and what was found is printed.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <memory>
#include <ostream>

#include "corvane/files/Corpus_file_text.hpp"
#include "corvane/files/My_string_functions_repeats.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Callback_progress.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void on_interrupt(int) {
  interrupted = 1;
}

// Ctrl-C only sets a flag while it is in place; the search reads it when it yields.
class interrupt_scope {
 public:
  interrupt_scope() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    installed_ = sigaction(SIGINT, &action, &previous_) == 0;
  }
  ~interrupt_scope() {
    if (installed_) sigaction(SIGINT, &previous_, nullptr);
  }
  interrupt_scope(const interrupt_scope&) = delete;
  interrupt_scope& operator=(const interrupt_scope&) = delete;

 private:
  struct sigaction previous_ {};
  bool installed_ = false;
};

// Restores the yield procedure the command replaces.
class yield_scope {
 public:
  explicit yield_scope(TYieldProcessProc proc) : previous_(std::move(AYieldProcessProc)) {
    AYieldProcessProc = std::move(proc);
  }
  ~yield_scope() { AYieldProcessProc = std::move(previous_); }
  yield_scope(const yield_scope&) = delete;
  yield_scope& operator=(const yield_scope&) = delete;

 private:
  TYieldProcessProc previous_;
};

std::string one_line(std::u16string s) {
  for (char16_t& c : s)
    if (c == u'\r' || c == u'\n' || c == u'\t') c = u' ';
  return u8(s);
}

int command_chunks(const RepeatsOptions& o, std::ostream& out, std::ostream& err) {
  if (o.paths.size() != 1) {
    err << "corvane repeats: --chunks searches one FILE\n";
    return 2;
  }
  if (o.chunks < 1 || o.limit < 1) {
    err << "corvane repeats: --chunks and --limit take a number above 0\n";
    return 2;
  }
  text_encoding_choice encoding;
  std::string why;
  if (!text_encoding_setting({}, encoding, why)) {
    err << "corvane repeats: " << why << '\n';
    return 2;
  }
  entry_reader entries;
  std::u16string text;
  if (!read_whole_text("repeats", o.paths[0], entries, encoding, text, err)) return 2;
  if (o.chunks <= 100)
    err << "corvane repeats: only chunks longer than 100 characters are searched for\n";
  callback_progress progress(o.progress && isatty(STDERR_FILENO), err);
  const auto found = RepeatedXCharChunks(o.chunks, o.min_freq, o.limit, text, [&](int pc) {
    if (progress.due()) progress.show("corvane repeats: " + std::to_string(pc) + "%");
  });
  progress.finish();
  if (o.json) out << '[';
  for (int i = 0; i < found->Count(); ++i) {
    const T2_longint_rec r = found->GetOne(i);
    if (o.json) {
      out << (i == 0 ? "\n  {" : ",\n  {") << "\"frequency\": " << r.long0
          << ", \"position\": " << r.long1 << ", \"chunk\": ";
      write_json_string(out, found->Get(i));
      out << '}';
    } else {
      out << r.long0 << '\t' << r.long1 << '\t' << one_line(found->Get(i)) << '\n';
    }
    if (!output_ok(out)) return 2;
  }
  if (o.json) out << (found->Count() == 0 ? "]\n" : "\n]\n");
  return found->Count() > 0 ? 0 : 1;
}

}  // namespace

int command_repeats(const RepeatsOptions& o, std::ostream& out, std::ostream& err) {
  if (o.sort != "freq" && o.sort != "file") {
    err << "corvane repeats: --sort takes freq or file\n";
    return 2;
  }
  if (o.chunk_mode) return command_chunks(o, out, err);
  text_encoding_choice encoding;
  std::string why;
  if (!text_encoding_setting({}, encoding, why)) {
    err << "corvane repeats: " << why << '\n';
    return 2;
  }
  // Files the reader would read as LoadATextFile does go through it; archive entries, word-
  // processor documents and texts in a chosen encoding are read first and handed over.
  const bool plain_loading =
      reading_settings().encoding == "auto" && reading_settings().lang.empty();

  TRepeatedChunks repeats;
  callback_progress progress(o.progress && isatty(STDERR_FILENO), err);
  std::size_t texts_done = 0;
  std::string current;
  int percent_in_text = 0;
  const auto show = [&] {
    if (progress.due())
      progress.show("corvane repeats: " + std::to_string(texts_done) + " texts, " +
                    std::to_string(repeats.chunks_list->Count()) + " sentences; " + current + " " +
                    std::to_string(percent_in_text) + "%");
  };
  repeats.SetSettings(
      o.unterminated, o.longest_tag, o.min_hits, o.min_length,
      [&](int pc) {
        percent_in_text = pc;
        show();
        return true;
      },
      nullptr, [&](int) { show(); });
  interrupt_scope interrupt;
  yield_scope yield([&] {
    if (interrupted) repeats.Stop();
    show();
  });

  bool failed = false;
  entry_reader entries;
  const bool gathered =
      gather_paths("repeats", o.paths, o.gather, err, [&](const gathered_text& t) {
        if (interrupted) return false;
        current = t.path;
        percent_in_text = 0;
        int number = -1;
        if (t.archive.empty() && plain_loading && !is_docx_file_name(u16(t.path))) {
          try {
            // A FIFO or device is never opened, and a file that is no text is refused, not
            // read as text; text_encoding_of raises text_not_text for it.
            if (check_file("repeats", t.path, err)) {
              text_encoding_of(u16(t.path), encoding);
              number = repeats.LoadATextFile(u16(t.path));
            } else {
              failed = true;
              return true;
            }
            if (number < 0) err << "corvane repeats: " << t.path << ": no such file\n";
          } catch (const Exception& e) {
            err << "corvane repeats: " << t.path << ": " << u8(e.Message()) << '\n';
          } catch (const std::exception& e) {
            err << "corvane repeats: " << t.path << ": " << failure(e) << '\n';
          }
        } else {
          std::u16string text;
          if (read_whole_text("repeats", t.path, entries, encoding, text, err))
            number = repeats.load_text(u16(t.path), text);
        }
        if (number < 0) {
          failed = true;
          return true;
        }
        // The number of texts is not known while they are gathered: no overall percentage.
        repeats.AddToRepeatedSentencesInTxt(number, 0);
        ++texts_done;
        return !interrupted;
      });
  progress.finish();

  if (o.sort == "file")
    repeats.SortAScendingFilenumbers();
  else
    repeats.SortDescendingFreq();
  TStringlistWithListOfOccurrences& list = *repeats.chunks_list;
  if (o.json) out << '[';
  for (int i = 0; i < list.Count(); ++i) {
    TListOfOccurrences* occurrences = list.GetAListOfOccurrences(i);
    const int pairs = occurrences != nullptr ? occurrences->Count() : 0;
    if (o.json) {
      out << (i == 0 ? "\n  {" : ",\n  {") << "\"sentence\": ";
      write_json_string(out, list.Get(i));
      out << ", \"total\": " << list.total_frequency(i) << ", \"occurrences\": [";
      for (int k = 0; k < pairs; ++k) {
        const T2_longint_rec r = occurrences->GetADouble(k);
        out << (k == 0 ? "{" : ", {") << "\"text\": " << r.long0 << ", \"file\": ";
        write_json_string(out, repeats.GetAFilename(r.long0));
        out << ", \"freq\": " << r.long1 << '}';
      }
      out << "]}";
    } else {
      std::string line = std::to_string(list.total_frequency(i)) + '\t' + std::to_string(pairs) +
                         '\t' + one_line(list.Get(i)) + '\t';
      for (int k = 0; k < pairs; ++k) {
        const T2_longint_rec r = occurrences->GetADouble(k);
        if (k > 0) line += "; ";
        line += u8(repeats.GetAFilename(r.long0)) + ':' + std::to_string(r.long1);
      }
      out << line << '\n';
    }
    if (!output_ok(out)) return 2;
  }
  if (o.json)
    out << (list.Count() == 0 ? "]\n" : "\n]\n");
  else
    out << "sentences\t" << list.Count() << "\trepeateds\t" << list.Repeateds() << '\n';
  if (!output_ok(out)) return 2;
  if (interrupted) {
    err << "corvane repeats: interrupted; the sentences found so far are printed\n";
    return 130;
  }
  if (!gathered || failed) return 2;
  return list.Count() > 0 ? 0 : 1;
}

void add_repeats_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  struct options {
    RepeatsOptions repeats;
    bool no_progress = false;
  };
  auto o = std::make_shared<options>();
  auto* cmd = app.add_subcommand(
      "repeats",
      "Sentences that recur: each text (tags of at most --longest-tag characters removed) is "
      "cut into paragraphs and sentences, and each sentence found at least --min-hits times "
      "in one text is recorded with its count there. One line per sentence: "
      "total<TAB>texts<TAB>sentence<TAB>path:frequency; ..., then "
      "sentences<TAB>N<TAB>repeateds<TAB>M (M: found in more than one text). With --chunks "
      "LEN, stretches of LEN characters (above 100) that recur in one FILE: "
      "frequency<TAB>position<TAB>chunk. Exit status 0, 1 when nothing recurs, 2 after any "
      "error, 130 when Ctrl-C stopped it (what was found is printed)");
  add_gathering_options(*cmd, o->repeats.gather, true);
  cmd->add_option("--min-hits", o->repeats.min_hits,
                  "How often a sentence must occur in one text to be recorded")
      ->capture_default_str();
  cmd->add_option("--min-length", o->repeats.min_length,
                  "A sentence needs this many word characters before its end, and must be "
                  "longer than this")
      ->capture_default_str();
  cmd->add_flag("--unterminated", o->repeats.unterminated,
                "Keep the sentence left open at the end of a paragraph");
  cmd->add_option("--longest-tag", o->repeats.longest_tag,
                  "The longest tag removed when a text is loaded (0: none)")
      ->capture_default_str();
  cmd->add_option("--sort", o->repeats.sort,
                  "freq: total frequency, highest first; file: by the first text found in")
      ->capture_default_str();
  cmd->add_flag("--json", o->repeats.json,
                "One JSON array: sentence, total, occurrences [{text, file, freq}] (with "
                "--chunks: frequency, position, chunk)");
  auto* chunks = cmd->add_option("--chunks", o->repeats.chunks,
                                 "Repeated stretches of this many characters in one FILE");
  cmd->add_option("--min-freq", o->repeats.min_freq, "With --chunks: the fewest hits listed")
      ->capture_default_str()
      ->needs(chunks);
  cmd->add_option("--limit", o->repeats.limit,
                  "With --chunks: stop searching for a chunk once this many chunks recur")
      ->capture_default_str()
      ->needs(chunks);
  cmd->add_flag("--no-progress", o->no_progress,
                "Never show the progress line (shown on a terminal after a second)");
  cmd->add_option("PATH", o->repeats.paths, "Files, folders, archives and entries of archives")
      ->required();
  cmd->callback([o, chunks, &status, &out, &err] {
    o->repeats.progress = !o->no_progress;
    o->repeats.chunk_mode = chunks->count() > 0;
    status = command_repeats(o->repeats, out, err);
  });
}

}  // namespace corvane::cli
