// corvane parse: shows how a typed search line is split and parsed, as the tools do it.
#include <ostream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Search_parsing.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

struct FlagName {
  TMySearchFlag flag;
  char letter;
  const char* name;
};
// In the order people read them: left bound, case, avoid, right bound.
constexpr FlagName kFlagNames[] = {
    {myLeftBounded, 'L', "myLeftBounded"}, {myCaseIsSensitive, 'C', "myCaseIsSensitive"},
    {mySW_To_Avoid, 'A', "mySW_To_Avoid"}, {myRightBounded, 'R', "myRightBounded"},
    {myReplace, 'P', "myReplace"},         {myConfirmFinds, 'F', "myConfirmFinds"}};

std::string flag_letters(TMySearchFlags flags) {
  std::string out;
  for (const FlagName& f : kFlagNames) {
    if (!flags.contains(f.flag)) continue;
    if (!out.empty()) out += ' ';
    out += f.letter;
  }
  return out;
}

std::string readable(const std::u16string& s) {
  return u8(CVFormattedWorkStringToReadableString(s, 32));
}

void print_text(std::ostream& out, int number, const TSearch_word_format_rec& rec) {
  out << "alternative " << number << '\n';
  out << "  typed_in_text      " << readable(rec.typed_in_text) << '\n';
  out << "  search_text        " << readable(rec.search_text) << '\n';
  out << "  flags              " << flag_letters(rec.flags) << '\n';
  out << "  upper_copy         " << readable(rec.copies[upper_copy]) << '\n';
  out << "  lower_copy         " << readable(rec.copies[lower_copy]) << '\n';
  out << "  title_copy         " << readable(rec.copies[title_copy]) << '\n';
  out << "  ambiguous          " << (rec.ambiguous ? "true" : "false") << '\n';
  out << "  contains_a_tag     " << (rec.contains_a_tag ? "true" : "false") << '\n';
  out << "  sw_context_needed  " << readable(rec.sw_context_needed) << '\n';
}

void print_json(std::ostream& out, const TSearch_word_format_rec& rec) {
  out << "  {\"typed_in_text\": ";
  write_json_string(out, rec.typed_in_text);
  out << ", \"search_text\": ";
  write_json_string(out, rec.search_text);
  out << ", \"flags\": [";
  bool first = true;
  for (const FlagName& f : kFlagNames) {
    if (!rec.flags.contains(f.flag)) continue;
    out << (first ? "" : ", ") << '"' << f.name << '"';
    first = false;
  }
  out << "], \"copies\": {";
  const char* names[] = {"unchanged_copy", "upper_copy", "lower_copy", "title_copy"};
  for (int i = 0; i < 4; ++i) {
    out << (i ? ", " : "") << '"' << names[i] << "\": ";
    write_json_string(out, rec.copies[i]);
  }
  out << "}, \"ambiguous\": " << (rec.ambiguous ? "true" : "false");
  out << ", \"contains_a_tag\": " << (rec.contains_a_tag ? "true" : "false");
  out << ", \"sw_context_needed\": ";
  write_json_string(out, rec.sw_context_needed);
  out << '}';
}

}  // namespace

int command_parse(const std::string& line, bool split, const std::string& tag_pairs, bool json,
                  std::ostream& out, std::ostream& err) {
  const std::u16string pairs = u16(tag_pairs);
  if (pairs.size() % 2 != 0 || pairs.size() > 12) {
    err << "corvane parse: --tags takes up to six pairs of opening and closing characters, "
           "such as \"<>[]\"\n";
    return 2;
  }
  const TIgnore_tag_type tags = tags_from_pairs(pairs);
  std::u16string typed = StrippedDoubleSpaces(u16(line));
  const std::unique_ptr<TStringList> alternatives = SplitSWList(typed, split);
  if (json) out << "[\n";
  for (int i = 0; i < alternatives->Count(); ++i) {
    std::u16string s = alternatives->Get(i);
    TSearch_word_format_rec rec;
    Parsed_SearchWord(tags, s, rec);
    if (json) {
      print_json(out, rec);
      out << (i + 1 < alternatives->Count() ? ",\n" : "\n");
    } else {
      print_text(out, i + 1, rec);
    }
  }
  if (json) out << "]\n";
  return 0;
}

}  // namespace corvane::cli
