// The options of corvane date, corvane timeline and corvane numbers. Values are taken as
// text and checked by the commands, and unknown options are collected rather than refused
// by the parser, so that every mistake gives exit status 2 and a message naming it.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "tools/corvane/Dates_cli.hpp"

namespace corvane::cli {

namespace {

constexpr const char* kBases =
    "unknown, millennia, centuries, decades, years, months, weeks, days, hours, datafield, "
    "custom or spare";

// An unknown option left over by the parser: the command is not run.
bool refuse_extras(CLI::App& command, const char* name, int& status, std::ostream& err) {
  if (command.remaining_size() == 0) return false;
  err << "corvane " << name << ": unknown option or extra argument \"" << command.remaining()[0]
      << "\" (values beginning with - follow --)\n";
  status = 2;
  return true;
}

// After "--", the parser hands the arguments back to the program's own level once a
// command's positionals are satisfied, so "2000 -- -500" would fail there. A hidden
// positional that never fills keeps "--" and what follows with the command.
void keep_values_after_double_dash(CLI::App& command) {
  command.add_option_function<std::string>("REST", [](const std::string&) {})->group("");
}

void add_date(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<DateOptions>();
  auto format = std::make_shared<std::string>();
  auto* date = app.add_subcommand(
      "date",
      "Read each VALUE as a typed date (a year, or year/month/day) and print "
      "VALUE<TAB>JULIAN<TAB>DATE<TAB>FULL<TAB>SHORT: the shifted Julian date, the date as "
      "YEAR-MM-DD (none for 0.0), and the full and short timeline labels. Exit 0 when every "
      "VALUE is a date, 1 when any is unknown or 0.0, 2 on a bad option, basis or number. "
      "With --format, print TEXT<TAB>the text read through the format IN and written through "
      "OUT");
  date->allow_extras();
  date->add_option("--basis", o->basis,
                   std::string("The labels' basis: ") + kBases + " (default days)");
  date->add_flag("--julian", o->julian, "Read each VALUE as a shifted Julian number");
  date->add_flag("--json", o->json,
                 "One JSON array of objects with text, julian, year, month, day, full, short");
  date->add_option("--format", *format,
                   "Read each TEXT through this fixed-position format (y year, m month, d "
                   "day, h hour, n minute: \"dd/mm/yy\")");
  date->add_option("--output", o->output,
                   "With --format: write the date through this format (default "
                   "\"yyyy-mm-dd hh:nn\")");
  date->add_option("VALUE", o->values, "Typed dates, Julian numbers or, with --format, texts");
  keep_values_after_double_dash(*date);
  date->callback([&status, &out, &err, date, o, format] {
    if (refuse_extras(*date, "date", status, err)) return;
    if (date->count("--format") > 0) o->format = *format;
    status = command_date(*o, out, err);
  });
}

void add_timeline(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<TimelineOptions>();
  auto* timeline = app.add_subcommand(
      "timeline",
      "Gather the lines DATE[<TAB>HITS[<TAB>WORDS]] of FILE (or standard input; any encoding) "
      "into the periods of a timeline and print K<TAB>LABEL<TAB>HITS<TAB>WORDS for every "
      "period. HITS is 1 and WORDS 0 when absent; lines without a date are skipped and "
      "counted on standard error. Exit 1 when no line has a date");
  timeline->allow_extras();
  timeline->add_option("--basis", o->basis,
                       std::string("The periods: ") + kBases + " (default years)");
  timeline->add_flag("--short", o->abbreviated, "Abbreviated labels");
  timeline->add_flag("--json", o->json,
                     "The timeline record's fields by name and, per period, its start, middle "
                     "and end dates, hits and words");
  timeline->add_option("FILE", o->file, "The text file (default: standard input)");
  timeline->callback([&status, &out, &err, timeline, o] {
    if (refuse_extras(*timeline, "timeline", status, err)) return;
    status = command_timeline(*o, std::cin, out, err);
  });
}

void add_numbers(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto* numbers =
      app.add_subcommand("numbers",
                         "Compact number lists (1-3,5,7,8) both ways, numbers in display form, and "
                         "the numbers among the words of a text");
  numbers->require_subcommand(1);

  auto ints = std::make_shared<std::vector<std::string>>();
  auto* compact = numbers->add_subcommand(
      "compact",
      "Print the integers in compact form (commas or blanks may separate several "
      "in one argument; pieces that are not integers are skipped)");
  compact->allow_extras();
  compact->add_option("INT", *ints, "The integers, in order");
  keep_values_after_double_dash(*compact);
  compact->callback([&status, &out, &err, compact, ints] {
    if (refuse_extras(*compact, "numbers compact", status, err)) return;
    status = command_numbers_compact(*ints, out, err);
  });

  auto expand_options = std::make_shared<ExpandOptions>();
  auto offset = std::make_shared<std::string>(), nth = std::make_shared<std::string>();
  auto* expand = numbers->add_subcommand(
      "expand",
      "Write a compact list out in full; --offset K: each number less K; --nth K: "
      "only the K-th number (the last when the list is shorter; exit 1 when empty)");
  expand->allow_extras();
  expand->add_option("--offset", *offset, "Subtract K from each number");
  expand->add_option("--nth", *nth, "Print only the K-th number, counting from 1");
  expand->add_option("LIST", expand_options->list, "The compact list, such as 1-3,5");
  expand->callback([&status, &out, &err, expand, expand_options, offset, nth] {
    if (refuse_extras(*expand, "numbers expand", status, err)) return;
    if (expand->count("--offset") > 0) expand_options->offset = *offset;
    if (expand->count("--nth") > 0) expand_options->nth = *nth;
    status = command_numbers_expand(*expand_options, out, err);
  });

  auto show_options = std::make_shared<ShowOptions>();
  auto* show = numbers->add_subcommand(
      "show",
      "Print VALUE<TAB>SHORT<TAB>FIXED<TAB>P<TAB>ORDINAL for each number: its short "
      "form (1.2K), fixed decimals, as a p-value, and its ordinal when an integer");
  show->allow_extras();
  show->add_option("--decimals", show_options->decimals, "Decimals of FIXED (default 2)");
  show->add_flag("--thousands", show_options->thousands, "Thousands separators in FIXED");
  show->add_flag("--percent", show_options->percent, "A percent sign after FIXED");
  show->add_option("VALUE", show_options->values, "The numbers (\".\" as decimal point)");
  keep_values_after_double_dash(*show);
  show->callback([&status, &out, &err, show, show_options] {
    if (refuse_extras(*show, "numbers show", status, err)) return;
    status = command_numbers_show(*show_options, out, err);
  });

  auto scan_file = std::make_shared<std::string>();
  auto scan_json = std::make_shared<bool>(false);
  auto* scan = numbers->add_subcommand(
      "scan",
      "Print LINE<TAB>TOKEN for every word of FILE (or standard input) that reads as "
      "a number, brackets and quotation marks and final . , ; : ! ? stripped. Exit 1 "
      "when there is none");
  scan->allow_extras();
  scan->add_flag("--json", *scan_json, "One JSON array of objects with line and token");
  scan->add_option("FILE", *scan_file, "The text file (default: standard input)");
  scan->callback([&status, &out, &err, scan, scan_file, scan_json] {
    if (refuse_extras(*scan, "numbers scan", status, err)) return;
    status = command_numbers_scan(*scan_file, *scan_json, std::cin, out, err);
  });
}

}  // namespace

void add_date_commands(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  add_date(app, status, out, err);
  add_timeline(app, status, out, err);
  add_numbers(app, status, out, err);
}

}  // namespace corvane::cli
