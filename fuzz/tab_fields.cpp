// Tab-separated fields on arbitrary lines: every field reader, the line builder, and a list
// of such lines sorted by every field comparison, in both directions. Nothing may crash,
// raise or loop; the sorts must keep every line exactly once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/dates/Wdef_dates.hpp"
#include "corvane/rtl/StringList.hpp"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    Global_StringToDateTimeFormat.ShortDateFormat = u"dd/mm/yyyy";
    Global_StringToDateTimeFormat.DateSeparator = u'/';
    Global_StringToDateTimeFormat.TimeSeparator = u':';
    return true;
  }();
  (void)ready;
  if (size < 1) return 0;
  const std::int32_t n = static_cast<std::int8_t>(data[0]);
  // Lines of UTF-16 code units, split at U+000A; bytes as low halves keep tabs and digits
  // frequent.
  std::vector<std::u16string> lines(1);
  for (std::size_t i = 1; i < size && lines.size() < 200; ++i) {
    const char16_t c = data[i] >= 0xF0 ? static_cast<char16_t>(0xD800 + data[i]) : data[i];
    if (c == u'\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  TStringList list;
  for (const auto& line : lines) {
    PreTabPart(line);
    AfterTabPart(line, n);
    PreTabPathAndFilenameOf(line);
    PreTabFilenameOf(line);
    filename_pre_tab_key(line);
    DigitsOnlyOf(line);
    AfterTabIntegerOf(line, n);
    AfterTabFloatOf(line, n);
    AfterTabDateOf(line, n);
    if (AddWithTab(line, line).size() != line.size() * 2 + (line.empty() ? 0 : 1)) std::abort();
    list.Add(line);
  }
  IndexOfPreTabFnameOnly(list, lines[0]);
  for (TStringListSortCompare compare :
       {StringListCompareStringsFilenamePreTab, StringListCompareStringsDateAfterTab,
        StringListCompareStringsIntegerAfterTab, StringListCompareStringsIntegerAfterTab2,
        StringListCompareStringsIntegerAfterTab3, StringListCompareStringsFloatAfterTab,
        StringListCompareStringsFloatAfterTab2, StringListCompareStringsFloatAfterTab3}) {
    for (bool descending : {false, true}) {
      SetSortDescendingAndSort(descending, list, compare);
      std::vector<std::u16string> after;
      for (int i = 0; i < list.Count(); ++i) after.push_back(list.Get(i));
      std::vector<std::u16string> before = lines;
      std::sort(before.begin(), before.end());
      std::sort(after.begin(), after.end());
      if (before != after) std::abort();
    }
  }
  return 0;
}
