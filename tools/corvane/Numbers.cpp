// corvane numbers: compact number lists both ways, numbers in display form, and the
// numbers found among the words of a text.
#include <cmath>
#include <ostream>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Dates_cli.hpp"
#include "tools/corvane/Json.hpp"

namespace corvane::cli {

namespace {

// Numbers on the command line are read with "." whatever the locale.
const TFormatSettings& invariant() {
  static const TFormatSettings settings;
  return settings;
}

bool read_int(const std::string& text, int& value) {
  return TryStrToInt(u16(text), value);
}

bool is_token_space(char16_t c) {
  return c <= u' ' || is_unicode_white_space(c);
}

// Brackets and quotation marks, stripped from either end of a token.
bool is_bracket_or_quote(char16_t c) {
  static constexpr std::u16string_view marks =
      u"()[]{}<>\"'\u00AB\u00BB\u2018\u2019\u201A\u201B\u201C\u201D\u201E\u201F\u2039\u203A";
  return marks.find(c) != std::u16string_view::npos;
}

bool is_end_punctuation(char16_t c) {
  return c == u'.' || c == u',' || c == u';' || c == u':' || c == u'!' || c == u'?';
}

std::u16string_view stripped_token(std::u16string_view t) {
  for (bool changed = true; changed && !t.empty();) {
    changed = false;
    while (!t.empty() && is_bracket_or_quote(t.front())) t.remove_prefix(1), changed = true;
    while (!t.empty() && (is_bracket_or_quote(t.back()) || is_end_punctuation(t.back()))) {
      t.remove_suffix(1);
      changed = true;
    }
  }
  return t;
}

}  // namespace

int command_numbers_compact(const std::vector<std::string>& arguments, std::ostream& out,
                            std::ostream& err) {
  TStringList list;
  for (const std::string& argument : arguments) {
    const std::u16string text = u16(argument);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != u',' && !is_token_space(text[i])) continue;
      if (i > start) list.Add(text.substr(start, i - start));  // non-integers are skipped
      start = i + 1;
    }
  }
  out << u8(HumanAbbreviatedNumberListString(list)) << '\n';
  return 0;
}

int command_numbers_expand(const ExpandOptions& options, std::ostream& out, std::ostream& err) {
  if (options.offset && options.nth) {
    err << "corvane numbers expand: give --offset or --nth, not both\n";
    return 2;
  }
  int k = 0;
  const std::optional<std::string>& given = options.offset ? options.offset : options.nth;
  if (given && !read_int(*given, k)) {
    err << "corvane numbers expand: " << (options.offset ? "--offset" : "--nth") << " \"" << *given
        << "\" is not a whole number\n";
    return 2;
  }
  const std::u16string list = u16(options.list);
  try {
    if (options.nth) {
      const std::u16string n = ANumberInHumanString(list, k);
      if (n.empty()) return 1;
      out << u8(n) << '\n';
    } else if (options.offset) {
      std::string line;
      for (const std::int32_t n : HumanAbbreviatedNumberListStringAsIntegers(list, k)) {
        if (!line.empty()) line += ',';
        line += std::to_string(n);
      }
      out << line << '\n';
    } else {
      out << u8(HumanAbbreviatedNumberListStringExpanded(list)) << '\n';
    }
  } catch (const Exception& e) {
    err << "corvane numbers expand: " << e.what() << '\n';
    return 2;
  }
  return 0;
}

int command_numbers_show(const ShowOptions& options, std::ostream& out, std::ostream& err) {
  int decimals = 0;
  if (!read_int(options.decimals, decimals) || decimals < 0 || decimals > 18) {
    err << "corvane numbers show: --decimals \"" << options.decimals
        << "\" is not a whole number from 0 to 18\n";
    return 2;
  }
  std::vector<double> values;
  for (const std::string& text : options.values) {
    double v;
    if (!TryStrToFloat(u16(text), v, invariant())) {
      err << "corvane numbers show: \"" << text << "\" is not a number\n";
      return 2;
    }
    values.push_back(v);
  }
  if (values.empty()) {
    err << "corvane numbers show: give at least one VALUE (values beginning with - follow --)\n";
    return 2;
  }
  TPackageScope package;  // the user's separators
  for (std::size_t i = 0; i < values.size(); ++i) {
    const float f = static_cast<float>(values[i]);
    int n;
    const std::string ordinal =
        read_int(options.values[i], n) ? u8(Format(OrdinalFormatOf(n), {n})) : "";
    out << options.values[i] << '\t' << u8(EasiestNRepresentationOfLargeNumber(f)) << '\t'
        << u8(FormattedWithDecimals(f, decimals, options.thousands, options.percent)) << '\t'
        << u8(PValueStr(static_cast<long double>(values[i]))) << '\t' << ordinal << '\n';
  }
  return 0;
}

int command_numbers_scan(const std::string& file, bool json, std::istream& in, std::ostream& out,
                         std::ostream& err) {
  TStringList lines;
  std::string error;
  if (!load_text_lines(file, in, lines, error)) {
    err << "corvane numbers scan: " << error << '\n';
    return 2;
  }
  bool any = false;
  if (json) out << '[';
  for (int i = 0; i < lines.Count(); ++i) {
    const std::u16string line = lines.Get(i);
    std::size_t at = 0;
    while (at < line.size()) {
      while (at < line.size() && is_token_space(line[at])) ++at;
      const std::size_t start = at;
      while (at < line.size() && !is_token_space(line[at])) ++at;
      const std::u16string_view token =
          stripped_token(std::u16string_view(line).substr(start, at - start));
      if (token.empty() || !IsANumber(token)) continue;
      if (json) {
        out << (any ? ",\n" : "\n") << "  {\"line\": " << i + 1 << ", \"token\": ";
        write_json_string(out, token);
        out << '}';
      } else {
        out << i + 1 << '\t' << u8(token) << '\n';
      }
      any = true;
    }
  }
  if (json) out << (any ? "\n]\n" : "]\n");
  return any ? 0 : 1;
}

}  // namespace corvane::cli
