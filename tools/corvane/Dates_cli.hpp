#pragma once
// The commands on dates and numbers: corvane date, corvane timeline and corvane numbers.
// Their options are read here rather than by the parser's own checks so that every bad
// option, basis or number gives exit status 2 with a message that names it.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "corvane/dates/Juliandateroutines.hpp"

namespace CLI {
class App;
}

namespace corvane {
class TStringList;
}

namespace corvane::cli {

// Adds the three commands to the program; `status` receives the exit status of the one run.
void add_date_commands(CLI::App& app, int& status, std::ostream& out, std::ostream& err);

// A basis as the options name it: unknown millennia centuries decades years months weeks
// days hours datafield custom spare.
std::optional<TTimeLinePlotbase> basis_from_name(const std::string& name);
const char* basis_name(TTimeLinePlotbase basis);

// The lines of a text file in any encoding the text loader reads, or of the stream when
// the name is empty or "-". False, with a message in `error`, when it cannot be read.
bool load_text_lines(const std::string& file, std::istream& in, TStringList& lines,
                     std::string& error);

// A number for JSON: the shortest text that reads back as the same double; null for NaN and
// infinities, which JSON lacks.
std::string json_number(double value);
// A record as YEAR-MM-DD, the year in at least four digits with a minus sign when negative.
std::string iso_date(const TYearMonthDay& date);

struct DateOptions {
  std::string basis = "days";
  bool julian = false;
  bool json = false;
  std::optional<std::string> format;  // --format IN: read TEXTs through a format instead
  std::string output = "yyyy-mm-dd hh:nn";
  std::vector<std::string> values;
};
int command_date(const DateOptions& options, std::ostream& out, std::ostream& err);

struct TimelineOptions {
  std::string basis = "years";
  bool abbreviated = false;
  bool json = false;
  std::string file;  // empty: standard input
};
int command_timeline(const TimelineOptions& options, std::istream& in, std::ostream& out,
                     std::ostream& err);

int command_numbers_compact(const std::vector<std::string>& arguments, std::ostream& out,
                            std::ostream& err);
struct ExpandOptions {
  std::optional<std::string> offset, nth;
  std::string list;
};
int command_numbers_expand(const ExpandOptions& options, std::ostream& out, std::ostream& err);
struct ShowOptions {
  std::string decimals = "2";
  bool thousands = false, percent = false;
  std::vector<std::string> values;
};
int command_numbers_show(const ShowOptions& options, std::ostream& out, std::ostream& err);
int command_numbers_scan(const std::string& file, bool json, std::istream& in, std::ostream& out,
                         std::ostream& err);

}  // namespace corvane::cli
