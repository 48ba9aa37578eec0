#include "tools/corvane/Cli.hpp"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <functional>
#include <iostream>

#include "corvane/files/Corpus_gathering.hpp"

#include "tools/corvane/Dates_cli.hpp"
#include "tools/corvane/Sort.hpp"
#include "tools/corvane/Wordlist.hpp"

namespace corvane::cli {

namespace {

// A check that a whole number is at least `least` (what is not a number the conversion
// refuses).
std::function<std::string(const std::string&)> at_least(long long least) {
  return [least](const std::string& text) -> std::string {
    long long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec == std::errc() && end == text.data() + text.size() && n < least)
      return "must be " + std::to_string(least) + " or more, not " + text;
    return {};
  };
}

// Why the output first failed (0: not known yet).
int output_errno = 0;

}  // namespace

bool output_ok(std::ostream& out) {
  if (out) return true;
  if (output_errno == 0) output_errno = errno;
  return false;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"corvane: the Corvane Tools runtime on the command line", "corvane"};
  app.set_version_flag("--version", std::string("corvane ") + CORVANE_VERSION +
                                        " (Corvane Tools general runtime, major version 7)");
  app.require_subcommand(1);
  app.fallthrough(false);

  int status = 0;
  output_errno = 0;
  add_tool_option(app);
  add_log_option(app);
  ReadingSettings& reading = reading_settings();
  reading = ReadingSettings{};
  app.add_option("--encoding", reading.encoding,
                 "How texts that are neither UTF-8 nor UTF-16 are decoded: auto (the default: "
                 "a charset detector names each text's code page when it is sure enough, "
                 "confidence 0.75 or more, else the system code page), system (the system code "
                 "page), an ICU converter name (windows-1251, KOI8-R, ISO-8859-7) or a Windows "
                 "code-page number (1251). The system code page is 1252 unless the environment "
                 "variable CORVANE_ANSI_CODEPAGE gives another number");
  app.add_option("--lang", reading.lang,
                 "The texts' language (en_US, ru_RU, 0x0419): without --encoding, its 8-bit "
                 "code page decodes the texts that are neither UTF-8 nor UTF-16; a command's "
                 "own --lang does the same");
  app.add_flag("--verbose", reading.verbose,
               "Say on standard error how each text is read (\"FILE: read as windows-1251 "
               "(detected, confidence 0.87)\"). Bytes that do not decode, and files that are "
               "no text, are always reported");
  auto* info = app.add_subcommand(
      "info",
      "Start the package, list its units in start-up order and the globals that start-up "
      "set, then stop it");
  info->callback([&] { status = command_info(out); });

  std::string translation_file;
  std::vector<std::string> message_ids;
  auto* messages = app.add_subcommand(
      "messages",
      "Print message catalogue entries as identifier<TAB>text (control characters as \\r, "
      "\\n, \\t), all of them when no identifier is given");
  messages->add_option("--translation", translation_file,
                       "Load this translation file first (see README.md for its form)");
  messages->add_option("ID", message_ids, "Message identifiers, such as _CVOverwriteXQ");
  messages->callback([&] { status = command_messages(translation_file, message_ids, out, err); });

  std::string parse_line, parse_tags;
  bool parse_no_split = false, parse_json = false;
  auto* parse = app.add_subcommand(
      "parse",
      "Split a typed search line into its alternatives and parse each as the tools do: "
      "typed text, search text (codes below 32 as {CHR(n)}), flags (L left bounded, "
      "R right bounded, C case sensitive, A avoid), case copies, ambiguous, contains_a_tag "
      "and the context word");
  parse->add_flag("--no-split", parse_no_split,
                  "Take the whole line as one alternative (do not split at \"/\")");
  parse->add_option("--tags", parse_tags,
                    "Tag delimiters as pairs of opening and closing characters, such as "
                    "\"<>[]\" (up to six pairs)");
  parse->add_flag("--json", parse_json,
                  "Print one JSON array with an object per alternative, keyed by the record's "
                  "field names");
  parse->add_option("LINE", parse_line, "The search line as a user would type it")->required();
  parse->callback([&] {
    status = command_parse(parse_line, !parse_no_split, parse_tags, parse_json, out, err);
  });

  std::string sentences_file, sentences_marker, sentences_lang;
  int sentences_longest_tag = 0;
  auto* sentences = app.add_subcommand(
      "sentences",
      "Print the sentences of each line of a text file (in any encoding, read as concord "
      "reads it), one per line, cut as the tools cut a paragraph. A FIFO or device is refused");
  sentences->add_option("--marker", sentences_marker,
                        "Cut only at this explicit sentence-end mark, such as \"<s>\"");
  sentences->add_option("--lang", sentences_lang,
                        "The text's locale: a name such as en_US or an identifier such as "
                        "0x0409 (default: the environment's)");
  sentences
      ->add_option("--longest-tag", sentences_longest_tag,
                   "Treat <...> stretches of up to this many characters as mark-up "
                   "(default 0: none)")
      ->check(CLI::NonNegativeNumber);
  sentences->add_option("FILE", sentences_file, "The text file")->required();
  sentences->callback([&] {
    status = command_sentences(sentences_file, sentences_marker, sentences_lang,
                               sentences_longest_tag, out, err);
  });

  std::vector<std::string> detect_files, cat_files;
  bool detect_quick = false, detect_charset = false;
  auto* detect = app.add_subcommand(
      "detect",
      "Print each file's path and what it holds, tab-separated: _8_bit, _UTF8, _16_bit, "
      "_early_Word, _Storage, _Zip, _16_bit_reversed, or unknown");
  detect->add_flag("--quick", detect_quick, "Judge by the first four bytes only");
  detect->add_flag("--charset", detect_charset,
                   "Add two columns: the charset a search reads the text in (under --encoding "
                   "and --lang) and the detector's confidence, 0 to 1 (\"-\" where it was not "
                   "asked; \"binary\" for a file that is no text)");
  detect->add_option("FILE", detect_files, "The files")->required();
  detect->callback(
      [&] { status = command_detect(detect_files, detect_quick, detect_charset, out, err); });

  auto* cat = app.add_subcommand(
      "cat",
      "Print each text as the tools read it, in UTF-8: a text file in any encoding, or the "
      "paragraphs of a .docx document. Exit status 2 when a file could not be read");
  cat->add_option("FILE", cat_files, "The files")->required();
  cat->callback([&] { status = command_cat(cat_files, out, err); });

  ConcordOptions concord_options;
  bool concord_no_colour = false;
  bool concord_no_progress = false;
  auto* concord = app.add_subcommand(
      "concord",
      "Search texts for a typed search line and print a concordance: one line per hit with "
      "its left and right context, then a summary. Exit status 0 when something was found, "
      "1 when nothing was, 2 when a file could not be searched");
  concord
      ->add_option("SEARCH", concord_options.search,
                   "The search words as a user types them: wildcards (* ? ^ #), ==case==, "
                   "* at either end to lift the word boundary, / between alternatives")
      ->required();
  concord
      ->add_option("PATH", concord_options.paths,
                   "Files, folders, zip archives and their entries (\"corpus.zip/a.txt\"); "
                   "texts are searched in the order corvane files lists them")
      ->required();
  add_gathering_options(*concord, concord_options.gather, /*sort_is_taken=*/true);
  concord->add_option("--allow", concord_options.allow,
                      "Characters that may stand inside a word (default: the apostrophe and "
                      "the hyphen); \"\" for none");
  concord->add_option("--lang", concord_options.lang,
                      "The texts' language: a locale name (en_US) or identifier (1033, $409)");
  concord->add_option("--sort", concord_options.sort,
                      "Sort the hits on up to three keys: N (the hit), L1..L5 / R1..R5 (the "
                      "n-th word to the left / right), F (file name), each followed by + or - "
                      "(\"R1+,N+\"); default: text order, texts in gathering order");
  concord->add_flag("--no-progress", concord_no_progress,
                    "Never show the progress line (shown on a terminal after a second)");
  concord->add_option("--width", concord_options.width,
                      "Characters of context on each side (default 40)");
  concord
      ->add_option("--max", concord_options.max_per_word,
                   "At most N hits per search word per file (default, and 0: no limit)")
      ->check(at_least(0));
  concord
      ->add_option("--threads", concord_options.threads,
                   "Texts searched in parallel, 1 or more; more than " +
                       std::to_string(kMostThreads) +
                       " are taken as that many (default: one per processor); the output is "
                       "the same, in path order")
      ->check(at_least(1));
  concord->add_flag("--no-split", concord_options.no_split,
                    "Take the whole search line as one alternative (do not split at \"/\")");
  auto* concord_count =
      concord->add_flag("--count", concord_options.count,
                        "Print hits<TAB>path per file and a total instead of the lines");
  auto* concord_tsv =
      concord->add_flag("--tsv", concord_options.tsv,
                        "A header row, then one tab-separated record per hit: file, hit number, "
                        "offset, hit, left, right, word, sentence, word in sentence, paragraph, "
                        "heading, section");
  concord
      ->add_flag("--json", concord_options.json,
                 "One JSON array with an object per hit holding the same fields")
      ->excludes(concord_count)
      ->excludes(concord_tsv);
  concord_tsv->excludes(concord_count);
  concord->add_flag("--no-colour", concord_no_colour, "Never colour the hit");
  concord->add_flag("-H,--with-filename", concord_options.with_filename,
                    "Begin every concordance line with its file's name");
  concord->add_flag("--no-filename", concord_options.no_filename,
                    "Never name the file (the default when one text is searched)");
  add_concord_picture_options(*concord, concord_options);
  concord->callback([&] {
    concord_options.colour = !concord_no_colour;
    concord_options.progress = !concord_no_progress;
    concord_options.gather.progress = !concord_no_progress;
    status = command_concord(concord_options, out, err);
  });

  add_date_commands(app, status, out, err);
  add_kind_command(app, status, out, err);
  add_zip_command(app, status, out, err);
  add_shm_command(app, status, out, err);
  add_sort_command(app, status, out, err);
  add_log_command(app, status, out, err);
  add_index_command(app, status, out, err);
  add_ini_command(app, status, out, err);
  add_drives_command(app, status, out, err);
  add_file_command(app, status, out, err);
  add_files_command(app, status, out, err);
  add_wordlist_command(app, status, out, err);
  add_similarity_command(app, status, out, err);
  add_languages_command(app, status, out, err);
  add_sections_command(app, status, out, err);
  add_draw_command(app, status, out, err);
  add_tags_command(app, status, out, err);
  add_repeats_command(app, status, out, err);
  add_colours_command(app, status, out, err);
  add_view_command(app, status, out, err);
  add_settings_command(app, status, out, err);

  // A first word that names no command is said to be one; CLI11 would only ask for a
  // command.
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--tool" || a == "--log" || a == "--encoding" || a == "--lang") {
      ++i;
      continue;
    }
    if (a.starts_with('-')) continue;
    bool known = false;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
      known = known || sub->check_name(a);
    if (!known) {
      err << "corvane: unknown command \"" << a << "\"\n";
      err << "Run 'corvane --help' for the commands and options.\n";
      return 2;
    }
    break;
  }

  std::vector<std::string> argv_rev(args.rbegin(), args.rend());
  if (!argv_rev.empty()) argv_rev.pop_back();  // the program name
  try {
    app.parse(argv_rev);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return 0;
  } catch (const CLI::CallForVersion&) {
    out << app.version() << '\n';
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "corvane: " << e.what() << "\n";
    err << "Run 'corvane --help' for the commands and options.\n";
    return 2;
  }
  // Output that could not be written is an error, whatever the command made of it.
  out.flush();
  if (!output_ok(out)) {
    const int e = output_errno;
    err << "corvane: the output could not be written"
        << (e != 0 ? ": " + error_reason(e) : std::string()) << '\n';
    return 2;
  }
  return status;
}

int run(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  return run(args, std::cout, std::cerr);
}

}  // namespace corvane::cli
