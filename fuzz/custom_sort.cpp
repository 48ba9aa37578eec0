// Custom sort orders on arbitrary input: a random order prepared, random lines keyed and
// sorted by it. Keys must be as long as their lines, and the sorted list must hold every
// line once, with its index, in the order of the keys.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Object.hpp"
#include "corvane/rtl/StringList.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The order is the text up to the first 0xFF byte; the lines follow, split at U+000A.
  std::u16string order;
  std::size_t i = 0;
  auto unit = [&](std::uint8_t b) {
    return b >= 0xF0 ? static_cast<char16_t>(0xDB00 + b) : static_cast<char16_t>(b);
  };
  for (; i < size && data[i] != 0xFF; ++i) order += unit(data[i]);
  std::vector<std::u16string> lines(1);
  for (++i; i < size && lines.size() < 300; ++i) {
    if (data[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += unit(data[i]);
    }
  }
  CommaSeparatedStrings(order);
  const auto prepared = CustomSortPreparedStringlist(order);
  TStringList list;
  std::vector<std::u16string> keys;
  for (const auto& line : lines) {
    keys.push_back(NormalisedLineForCustomSort(line, *prepared));
    if (keys.back().size() != line.size()) std::abort();
    list.Add(line);
  }
  const auto sorted = CustomLinesSorted(list, *prepared);
  if (sorted->Count() != list.Count()) std::abort();
  std::vector<bool> seen(lines.size(), false);
  for (int k = 0; k < sorted->Count(); ++k) {
    const std::int32_t index = int_from_object(sorted->GetObject(k));
    if (index < 0 || index >= list.Count() || seen[index] || sorted->Get(k) != lines[index]) {
      std::abort();
    }
    seen[index] = true;
    if (k > 0) {
      const std::u16string& a = keys[int_from_object(sorted->GetObject(k - 1))];
      const std::u16string& b = keys[index];
      // Ordered by code unit up to the first U+0000.
      const std::u16string ca = a.substr(0, a.find(u'\0')), cb = b.substr(0, b.find(u'\0'));
      if (cb < ca) std::abort();
    }
  }
  return 0;
}
