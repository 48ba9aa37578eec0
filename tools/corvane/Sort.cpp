// corvane sort: the lines of the inputs sorted as the tools sort their tab-separated
// lists (sorted_line_order): names and dates ascending, numbers largest first, --reverse
// the other way; or the lines come in a custom order's order.
#include "tools/corvane/Sort.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string_view>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Dates_cli.hpp"

namespace corvane::cli {

namespace {

// The inputs' lines: views into the texts, which stay alive beside them.
struct Lines {
  std::vector<std::u16string> texts;
  std::vector<std::u16string_view> lines;
};

// Appends the lines of `text`, which ends every line with CR LF.
void add_crlf_lines(std::u16string_view text, std::vector<std::u16string_view>& lines) {
  const char16_t* const begin = text.data();
  const char16_t* const end = begin + text.size();
  const char16_t* line = begin;
  for (const char16_t* p = begin; p < end; ++p) {
    if (*p != u'\n') continue;
    const char16_t* stop = (p > line && p[-1] == u'\r') ? p - 1 : p;
    lines.emplace_back(line, static_cast<std::size_t>(stop - line));
    line = p + 1;
  }
  if (line < end) lines.emplace_back(line, static_cast<std::size_t>(end - line));
}

bool read_input(const std::string& file, std::istream& in, Lines& lines, std::string& error) {
  if (file.empty() || file == "-") {
    TStringList list;
    if (!load_text_lines(file, in, list, error)) return false;
    std::u16string joined;
    for (int i = 0; i < list.Count(); ++i) joined += list.Get(i) + u"\r\n";
    lines.texts.push_back(std::move(joined));
  } else {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
      error = file + ": is a folder, not a file";
      return false;
    }
    if (!std::filesystem::exists(file, ec)) {
      error = file + ": no such file";
      return false;
    }
    try {
      lines.texts.push_back(TextFileContents(u16(file)));
    } catch (const std::exception& e) {
      error = file + ": " + e.what();
      return false;
    }
  }
  return true;
}

// Writes the UTF-8 of a UTF-16 text at `out`, which has room for three bytes per code
// unit, and returns the end; a lone surrogate becomes U+FFFD.
char* put_utf8(char* out, std::u16string_view s) {
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t c = s[i];
    if (c < 0x80) {
      *out++ = static_cast<char>(c);
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    }
    if (c < 0x800) {
      *out++ = static_cast<char>(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
      *out++ = static_cast<char>(0xE0 | (c >> 12));
      *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    } else {
      *out++ = static_cast<char>(0xF0 | (c >> 18));
      *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// "name", "date[:C]", "int[:C]" or "float[:C]", C a column from 2 on (2 by default).
bool parse_key(const std::string& text, line_key_kind& kind, std::int32_t& field) {
  const std::size_t colon = text.find(':');
  const std::string word = text.substr(0, colon);
  field = 1;
  if (word == "name") {
    kind = line_key_kind::name;
    return colon == std::string::npos;
  }
  if (word == "date") {
    kind = line_key_kind::date;
  } else if (word == "int") {
    kind = line_key_kind::integer;
  } else if (word == "float") {
    kind = line_key_kind::floating;
  } else {
    return false;
  }
  if (colon == std::string::npos) return true;
  const std::string column = text.substr(colon + 1);
  int c = 0;
  const auto [end, ec] = std::from_chars(column.data(), column.data() + column.size(), c);
  if (ec != std::errc() || end != column.data() + column.size() || c < 2) return false;
  field = c - 1;
  return true;
}

}  // namespace

int command_sort(const SortOptions& options, std::istream& in, std::ostream& out,
                 std::ostream& err) {
  const bool has_order = options.has_order_file || options.has_order_text;
  if (has_order && !options.by.empty()) {
    err << "corvane sort: --by cannot go with a custom order (--order, --order-text)\n";
    return 2;
  }
  if (options.has_order_file && options.has_order_text) {
    err << "corvane sort: give --order or --order-text, not both\n";
    return 2;
  }
  if (!has_order && options.by.empty()) {
    err << "corvane sort: say what to sort by: --by KEY, --order FILE or --order-text LIST\n";
    return 2;
  }
  line_sort_key key{line_key_kind::custom};
  if (!has_order && !parse_key(options.by, key.kind, key.field)) {
    err << "corvane sort: --by " << options.by
        << " is no key (name, date[:C], int[:C] or float[:C], C a column from 2 on)\n";
    return 2;
  }

  TPackageScope package;  // the date-reading settings and the user's number format

  std::unique_ptr<TStringList> prepared;
  if (has_order) {
    std::u16string order = u16(options.order_text);
    if (options.has_order_file) {
      TStringList order_lines;
      std::string error;
      std::istringstream none;
      if (options.order_file.empty() || options.order_file == "-" ||
          !load_text_lines(options.order_file, none, order_lines, error)) {
        err << "corvane sort: --order: "
            << (error.empty() ? options.order_file + ": not a file" : error) << '\n';
        return 2;
      }
      order.clear();
      for (int i = 0; i < order_lines.Count(); ++i) {
        if (i) order += u',';
        order += order_lines.Get(i);
      }
    }
    try {
      prepared = CustomSortPreparedStringlist(order);
    } catch (const Exception& e) {
      err << "corvane sort: " << e.what() << '\n';
      return 2;
    }
  }

  Lines input;
  std::vector<std::string> files = options.files;
  if (files.empty()) files.push_back("-");
  for (const std::string& file : files) {
    std::string error;
    if (!read_input(file, in, input, error)) {
      err << "corvane sort: " << error << '\n';
      return 2;
    }
  }
  for (const std::u16string& text : input.texts) add_crlf_lines(text, input.lines);
  const std::vector<std::u16string_view>& lines = input.lines;
  const std::size_t n = lines.size();

  key.prepared = prepared.get();
  const std::vector<std::uint32_t> order =
      sorted_line_order(lines, key, options.reverse, options.stable);
  std::vector<std::string> shown;  // the keys as --show-key prints them
  if (options.show_key) {
    shown.reserve(n);
    for (const auto& line : lines) shown.push_back(u8(line_sort_key_text(line, key)));
  }

  // Written a block at a time; a block has room for the longest line at three bytes per
  // code unit (a surrogate pair takes four for two). With -o the blocks gather in `whole`
  // and the file is written once complete.
  std::size_t longest = 0, longest_key = 0;
  for (const auto& line : lines) longest = std::max(longest, line.size());
  for (const auto& key : shown) longest_key = std::max(longest_key, key.size());
  const std::size_t block = std::size_t{1} << 20;
  std::string buffer(block + 3 * longest + longest_key + 2, '\0');
  std::string whole;
  const bool to_file = !options.output.empty();
  char* at = buffer.data();
  auto flush = [&] {
    const std::size_t size = static_cast<std::size_t>(at - buffer.data());
    if (to_file) {
      whole.append(buffer.data(), size);
    } else {
      out.write(buffer.data(), static_cast<std::streamsize>(size));
    }
    at = buffer.data();
  };
  for (std::size_t k = 0; k < n; ++k) {
    // The lines come in sorted order, scattered over the texts: fetch ahead.
    if (k + 8 < n) __builtin_prefetch(lines[order[k + 8]].data());
    if (k + 16 < n) __builtin_prefetch(&lines[order[k + 16]]);
    const std::uint32_t i = order[k];
    if (options.show_key) {
      at = std::copy(shown[i].begin(), shown[i].end(), at);
      *at++ = '\t';
    }
    at = put_utf8(at, lines[i]);
    *at++ = '\n';
    if (static_cast<std::size_t>(at - buffer.data()) >= block) flush();
  }
  flush();
  if (!to_file) {
    out.flush();
    return 0;
  }
  const std::string& bytes = whole;
  try {
    detail::write_file_replacing(u16(options.output), bytes);
  } catch (const std::exception& e) {
    err << "corvane sort: " << options.output << ": " << e.what() << '\n';
    return 2;
  }
  return 0;
}

void add_sort_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err) {
  auto o = std::make_shared<SortOptions>();
  auto* sort = app.add_subcommand(
      "sort",
      "Sort the lines of each FILE (standard input when none or \"-\"; any encoding) by a "
      "tab-separated field or a custom letter order, and print them in UTF-8. Equal keys come "
      "in an unspecified order unless --stable");
  sort->add_option("--by", o->by,
                   "name: the file name of column 1 (ascending, ASCII case ignored); date[:C], "
                   "int[:C], float[:C]: column C (2 by default), dates day first and ascending, "
                   "numbers largest first");
  sort->add_option("--order", o->order_file,
                   "A file of the custom order's letters and letter groups, one a line or "
                   "comma-separated");
  sort->add_option("--order-text", o->order_text,
                   "The custom order as typed, comma-separated (\"a,b,c,ch,d\")");
  sort->add_flag("--reverse", o->reverse, "The other way round");
  sort->add_flag("--stable", o->stable, "Lines with equal keys in input order");
  sort->add_flag("--show-key", o->show_key, "Each line preceded by its key and a tab");
  sort->add_option("-o,--output", o->output,
                   "Write to OUT (replaced only when complete; it may be an input)");
  sort->add_option("FILE", o->files, "The files (default: standard input)");
  sort->callback([&status, &out, &err, sort, o] {
    o->has_order_file = sort->count("--order") > 0;
    o->has_order_text = sort->count("--order-text") > 0;
    status = command_sort(*o, std::cin, out, err);
  });
}

}  // namespace corvane::cli
