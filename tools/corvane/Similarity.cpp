// corvane similarity: whether two texts hold the same bag of words, and how far their word
// lists differ in types and tokens. Exit status as cmp's: 0 similar, 1 different, 2 error.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

#include "corvane/files/Corpus_word_lists.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"
#include "tools/corvane/Wordlist.hpp"

namespace corvane::cli {

namespace {

std::string two_decimals(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  return text;
}

}  // namespace

int command_similarity(const similarity_options& o, std::ostream& out, std::ostream& err) {
  text_encoding_choice encoding;
  std::string why;
  if (!text_encoding_setting("", encoding, why)) {
    err << "corvane similarity: " << why << '\n';
    return 2;
  }
  entry_reader entries;
  std::u16string texts[2];
  const std::string* paths[2] = {&o.a, &o.b};
  bool failed = false;
  for (int k = 0; k < 2; ++k) {
    text_reading_report report;
    if (!read_corpus_text(text_named(*paths[k]), encoding, entries, texts[k], why, &report)) {
      err << "corvane similarity: " << *paths[k] << ": " << why << '\n';
      failed = true;
      continue;
    }
    report_reading("similarity", *paths[k], report, err);
  }
  if (failed) return 2;

  const TFreqDifference bag =
      BagOfWordsSimilar(texts[0], texts[1], o.max_diff, o.min_freq, o.min_length);
  const auto first = SimpleTabulonOfTxt(texts[0], o.min_length, false);
  const auto second = SimpleTabulonOfTxt(texts[1], o.min_length, false);
  std::u16string last;
  const TTypeAndTokenAndSinglesDifferences d = TypeAndTokenDifferences2SimpleWordLists(
      *first, *second, static_cast<float>(o.threshold), static_cast<float>(o.threshold), last);
  const bool similar = bag.wd.empty();

  if (o.json) {
    out << "{\"similar\": " << (similar ? "true" : "false") << ", \"word\": ";
    write_json_string(out, bag.wd);
    out << ", \"freq_a\": " << (similar ? 0 : bag.first_text_freq)
        << ", \"freq_b\": " << (similar ? 0 : bag.second_text_freq)
        << ", \"type_diffs\": " << d.type_diffs
        << ", \"type_diff_pc\": " << two_decimals(d.type_diff_pc)
        << ", \"token_diffs\": " << d.token_diffs
        << ", \"token_diff_pc\": " << two_decimals(d.token_diff_pc) << ", \"last\": ";
    write_json_string(out, last);
    out << ", \"show\": " << (d.show_it ? "true" : "false") << "}\n";
  } else {
    if (similar)
      out << "similar\n";
    else
      out << "differs\t" << u8(bag.wd) << '\t' << bag.first_text_freq << '\t'
          << bag.second_text_freq << '\n';
    out << "types\t" << d.type_diffs << '\t' << two_decimals(d.type_diff_pc) << '\n'
        << "tokens\t" << d.token_diffs << '\t' << two_decimals(d.token_diff_pc) << '\n'
        << "last\t" << u8(last) << '\n';
  }
  if (!output_ok(out)) return 2;
  return similar ? 0 : 1;
}

void add_similarity_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<similarity_options>();
  auto* cmd = app.add_subcommand(
      "similarity",
      "Whether two texts hold the same bag of words: first line \"similar\", or "
      "differs<TAB>word<TAB>frequency in A<TAB>frequency in B for the first word (most "
      "frequent first, words upper-cased) whose frequencies differ by more than --max-diff; "
      "then types<TAB>differences<TAB>percent, tokens<TAB>differences<TAB>percent and "
      "last<TAB>word from the two word lists. Exit status 0 similar, 1 different, 2 error");
  cmd->add_option("--max-diff", o->max_diff, "Largest difference allowed (default 0)");
  cmd->add_option("--min-freq", o->min_freq, "Only words at least this frequent (default 1)");
  cmd->add_option("--min-length", o->min_length, "Only words at least this long (default 1)");
  cmd->add_option("--threshold", o->threshold,
                  "Percentage above which both differences count as showing (default 5; "
                  "\"show\" in --json)");
  cmd->add_flag("--json", o->json,
                "One JSON object: similar, word, freq_a, freq_b, type_diffs, type_diff_pc, "
                "token_diffs, token_diff_pc, last, show");
  cmd->add_option("A", o->a, "The first text")->required();
  cmd->add_option("B", o->b, "The second text")->required();
  cmd->callback([o, &status, &out, &err] { status = command_similarity(*o, out, err); });
}

}  // namespace corvane::cli
