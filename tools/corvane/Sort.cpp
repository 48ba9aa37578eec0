// corvane sort: the lines of the inputs sorted as the tools sort their tab-separated
// lists. Each line's key is read once with the library's field readers and the keys are
// sorted in the order the list comparisons give: names and dates ascending, numbers
// largest first, --reverse the other way; or the lines come in a custom order's order.
#include "tools/corvane/Sort.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <numeric>
#include <sstream>
#include <string_view>
#include <thread>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/files/File_utils.hpp"
#include "corvane/package/CV7GeneralRuntimePack1.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Object.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "tools/corvane/Dates_cli.hpp"

namespace corvane::cli {

namespace {

enum class KeyKind { name, date, integer, floating, custom };

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
bool parse_key(const std::string& text, KeyKind& kind, std::int32_t& field) {
  const std::size_t colon = text.find(':');
  const std::string word = text.substr(0, colon);
  field = 1;
  if (word == "name") {
    kind = KeyKind::name;
    return colon == std::string::npos;
  }
  if (word == "date") {
    kind = KeyKind::date;
  } else if (word == "int") {
    kind = KeyKind::integer;
  } else if (word == "float") {
    kind = KeyKind::floating;
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

// The lines' indices in the order of their keys. Keys are sorted beside their indices, so
// that comparisons read memory in order rather than jump through an index.
template <typename Key, typename Less>
std::vector<std::uint32_t> order_by(const std::vector<Key>& keys, Less less, bool stable) {
  std::vector<std::pair<Key, std::uint32_t>> keyed(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keyed[i] = {keys[i], static_cast<std::uint32_t>(i)};
  auto by_key = [&](const auto& a, const auto& b) { return less(a.first, b.first); };
  auto sort_range = [&](auto first, auto last) {
    if (stable) {
      std::stable_sort(first, last, by_key);
    } else {
      std::sort(first, last, by_key);
    }
  };
  // A large list is sorted in two halves side by side, then merged; the merge takes the
  // first half's line on equal keys, so --stable stays stable.
  const unsigned processors = std::thread::hardware_concurrency();
  if (keyed.size() >= 65536 && processors > 1) {
    const auto middle = keyed.begin() + static_cast<std::ptrdiff_t>(keyed.size() / 2);
    std::thread second([&] { sort_range(middle, keyed.end()); });
    sort_range(keyed.begin(), middle);
    second.join();
    std::vector<std::pair<Key, std::uint32_t>> merged(keyed.size());
    std::merge(keyed.begin(), middle, middle, keyed.end(), merged.begin(), by_key);
    keyed.swap(merged);
  } else {
    sort_range(keyed.begin(), keyed.end());
  }
  std::vector<std::uint32_t> order(keys.size());
  for (std::size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].second;
  return order;
}

// The file name of the text before the first tab (after the last "/", "\\" or ":"), as
// filename_pre_tab_key finds it, before its letters are upper-cased.
std::u16string_view file_name_of(std::u16string_view line) {
  const std::size_t tab = line.find(u'\t');
  if (tab == std::u16string_view::npos) return {};
  std::u16string_view name = line.substr(0, tab);
  const std::size_t delimiter = name.find_last_of(u"/\\:");
  if (delimiter != std::u16string_view::npos) name.remove_prefix(delimiter + 1);
  return name;
}

char16_t ascii_upper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

// Calls work(from, to) on [0, n) in two halves side by side when n is large.
template <typename Work>
void in_two_halves(std::size_t n, Work work) {
  if (n < 65536 || std::thread::hardware_concurrency() < 2) {
    work(std::size_t{0}, n);
    return;
  }
  std::thread second([&] { work(n / 2, n); });
  work(std::size_t{0}, n / 2);
  second.join();
}

// NaN never comes from the float reader, but the order must be strict whatever it holds.
float orderable(float f) {
  return f != f ? -1.0f : f;
}

std::string float_text(float f) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, f);
  return std::string(buffer, result.ptr);
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
  KeyKind kind = KeyKind::custom;
  std::int32_t field = 1;
  if (!has_order && !parse_key(options.by, kind, field)) {
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

  std::vector<std::uint32_t> order;
  std::vector<std::string> shown;  // the keys as --show-key prints them
  const bool flag = options.reverse;
  switch (kind) {
    case KeyKind::name: {
      // Each line sorts first on its key's first eight code units packed into two
      // integers, which settles most comparisons (all those of keys up to eight long)
      // without reading the line; the rest compare the file names with ASCII letters
      // upper-cased as they go.
      struct NameKey {
        std::uint64_t high, low;
        const char16_t* name;
        std::uint32_t length;
      };
      std::vector<NameKey> keys(n);
      in_two_halves(n, [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
          const std::u16string_view name = file_name_of(lines[i]);
          std::uint64_t high = 0, low = 0;
          for (std::size_t k = 0; k < 4; ++k) {
            high = high << 16 | (k < name.size() ? ascii_upper(name[k]) : 0);
          }
          for (std::size_t k = 4; k < 8; ++k) {
            low = low << 16 | (k < name.size() ? ascii_upper(name[k]) : 0);
          }
          keys[i] = {high, low, name.data(), static_cast<std::uint32_t>(name.size())};
        }
      });
      auto less = [](const NameKey& a, const NameKey& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        // Equal so far: short keys differ only by their length (a U+0000 pads the prefix).
        if (a.length <= 8 && b.length <= 8) return a.length < b.length;
        const std::uint32_t common = std::min(a.length, b.length);
        for (std::uint32_t k = 8; k < common; ++k) {
          const char16_t ca = ascii_upper(a.name[k]), cb = ascii_upper(b.name[k]);
          if (ca != cb) return ca < cb;
        }
        return a.length < b.length;
      };
      order = order_by(
          keys,
          [flag, less](const NameKey& a, const NameKey& b) {
            return flag ? less(b, a) : less(a, b);
          },
          options.stable);
      if (options.show_key) {
        for (const auto& line : lines) shown.push_back(u8(filename_pre_tab_key(line)));
      }
      break;
    }
    case KeyKind::date: {
      std::vector<double> keys(n);
      in_two_halves(n, [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) keys[i] = AfterTabDateOf(lines[i], field);
      });
      order = order_by(
          keys, [flag](double a, double b) { return flag ? b < a : a < b; }, options.stable);
      if (options.show_key) {
        for (double k : keys) shown.push_back(u8(FormatDateTime(u"yyyy-mm-dd hh:nn:ss", k)));
      }
      break;
    }
    case KeyKind::integer: {
      std::vector<std::int32_t> keys(n);
      in_two_halves(n, [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) keys[i] = AfterTabIntegerOf(lines[i], field);
      });
      order = order_by(
          keys, [flag](std::int32_t a, std::int32_t b) { return flag ? a < b : b < a; },
          options.stable);
      if (options.show_key) {
        for (std::int32_t k : keys) shown.push_back(std::to_string(k));
      }
      break;
    }
    case KeyKind::floating: {
      std::vector<float> keys(n);
      in_two_halves(n, [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
          keys[i] = orderable(AfterTabFloatOf(lines[i], field));
      });
      order = order_by(
          keys, [flag](float a, float b) { return flag ? a < b : b < a; }, options.stable);
      if (options.show_key) {
        for (float k : keys) shown.push_back(float_text(k));
      }
      break;
    }
    case KeyKind::custom: {
      TStringList list;
      list.SetCapacity(static_cast<std::int32_t>(n));
      for (const auto& line : lines) list.Add(std::u16string(line));
      // Lines with equal keys keep their input order, so --stable costs nothing here.
      const std::unique_ptr<TStringList> sorted = CustomLinesSorted(list, *prepared);
      order.resize(n);
      for (std::size_t i = 0; i < n; ++i) {
        order[i] = static_cast<std::uint32_t>(
            int_from_object(sorted->GetObject(static_cast<std::int32_t>(i))));
      }
      if (flag) std::reverse(order.begin(), order.end());
      if (options.show_key) {
        for (const auto& line : lines)
          shown.push_back(u8(NormalisedLineForCustomSort(line, *prepared)));
      }
      break;
    }
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
