// Sorting many tab-separated lines by a key read once per line: the keys are sorted beside
// the lines' indices, so that comparisons read memory in order rather than jump through an
// index, and a large list is keyed and sorted in two halves side by side.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Object.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

// Lists at least this long are keyed and sorted on two threads.
constexpr std::size_t kTwoHalves = 65536;

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
  // first half's line on equal keys, so a stable sort stays stable.
  const unsigned processors = std::thread::hardware_concurrency();
  if (keyed.size() >= kTwoHalves && processors > 1) {
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
  if (n < kTwoHalves || std::thread::hardware_concurrency() < 2) {
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

// Each line sorts first on its key's first eight code units packed into two integers,
// which settles most comparisons (all those of keys up to eight long) without reading the
// line; the rest compare the file names with ASCII letters upper-cased as they go.
std::vector<std::uint32_t> order_by_name(const std::vector<std::u16string_view>& lines,
                                         bool descending, bool stable) {
  struct NameKey {
    std::uint64_t high, low;
    const char16_t* name;
    std::uint32_t length;
  };
  const std::size_t n = lines.size();
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
  return order_by(
      keys,
      [descending, less](const NameKey& a, const NameKey& b) {
        return descending ? less(b, a) : less(a, b);
      },
      stable);
}

// Reads each line's key with read(line) into a vector, then sorts by it.
template <typename Key, typename Read, typename Less>
std::vector<std::uint32_t> order_by_field(const std::vector<std::u16string_view>& lines, Read read,
                                          Less less, bool stable) {
  std::vector<Key> keys(lines.size());
  in_two_halves(lines.size(), [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) keys[i] = read(lines[i]);
  });
  return order_by(keys, less, stable);
}

std::vector<std::uint32_t> order_by_custom(const std::vector<std::u16string_view>& lines,
                                           const TStringList& prepared, bool descending) {
  const std::size_t n = lines.size();
  TStringList list;
  list.SetCapacity(static_cast<std::int32_t>(n));
  for (const auto& line : lines) list.Add(std::u16string(line));
  // Lines with equal keys keep their input order, so a stable sort costs nothing here.
  const std::unique_ptr<TStringList> sorted = CustomLinesSorted(list, prepared);
  std::vector<std::uint32_t> order(n);
  for (std::size_t i = 0; i < n; ++i) {
    order[i] = static_cast<std::uint32_t>(
        int_from_object(sorted->GetObject(static_cast<std::int32_t>(i))));
  }
  if (descending) std::reverse(order.begin(), order.end());
  return order;
}

const TStringList& prepared_of(const line_sort_key& key) {
  if (key.prepared == nullptr) throw Exception(u"A custom order's key needs its prepared order");
  return *key.prepared;
}

}  // namespace

std::vector<std::uint32_t> sorted_line_order(const std::vector<std::u16string_view>& lines,
                                             const line_sort_key& key, bool descending,
                                             bool stable) {
  const std::int32_t field = key.field;
  const bool flag = descending;
  switch (key.kind) {
    case line_key_kind::name:
      return order_by_name(lines, flag, stable);
    case line_key_kind::date:
      return order_by_field<double>(
          lines, [field](std::u16string_view line) { return AfterTabDateOf(line, field); },
          [flag](double a, double b) { return flag ? b < a : a < b; }, stable);
    case line_key_kind::integer:
      return order_by_field<std::int32_t>(
          lines, [field](std::u16string_view line) { return AfterTabIntegerOf(line, field); },
          [flag](std::int32_t a, std::int32_t b) { return flag ? a < b : b < a; }, stable);
    case line_key_kind::floating:
      return order_by_field<float>(
          lines,
          [field](std::u16string_view line) { return orderable(AfterTabFloatOf(line, field)); },
          [flag](float a, float b) { return flag ? a < b : b < a; }, stable);
    case line_key_kind::custom:
      return order_by_custom(lines, prepared_of(key), flag);
  }
  return {};
}

std::u16string line_sort_key_text(std::u16string_view line, const line_sort_key& key) {
  switch (key.kind) {
    case line_key_kind::name:
      return filename_pre_tab_key(line);
    case line_key_kind::date:
      return FormatDateTime(u"yyyy-mm-dd hh:nn:ss", AfterTabDateOf(line, key.field));
    case line_key_kind::integer:
      return u16(std::to_string(AfterTabIntegerOf(line, key.field)));
    case line_key_kind::floating: {
      char buffer[64];
      const auto result = std::to_chars(buffer, buffer + sizeof buffer,
                                        orderable(AfterTabFloatOf(line, key.field)));
      return u16(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
    }
    case line_key_kind::custom:
      return NormalisedLineForCustomSort(line, prepared_of(key));
  }
  return {};
}

}  // namespace corvane
