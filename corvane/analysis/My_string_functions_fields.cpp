// Tab-separated fields: reading a line's fields as names, numbers and dates, building
// lines, and sorting string lists by a field through the list's custom sort.

#include <cstdint>
#include <string>
#include <string_view>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/dates/Wdef_dates.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Numbers.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

// The direction every comparison below reads; set by SetSortDescendingAndSort.
thread_local bool sort_descending = false;

template <typename T>
int compare_values(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int ordinal(std::u16string_view a, std::u16string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::u16string_view line_of(TStringList* list, std::int32_t index, std::u16string& holder) {
  holder = list->Get(index);
  return holder;
}

}  // namespace

std::u16string_view after_tab_field(std::u16string_view line, std::int32_t n) {
  if (n < 1) return {};
  std::size_t at = 0;
  for (std::int32_t k = 0; k < n; ++k) {
    const std::size_t tab = line.find(u'\t', at);
    if (tab == std::u16string_view::npos) return {};
    at = tab + 1;
  }
  const std::size_t end = line.find(u'\t', at);
  return line.substr(at, end == std::u16string_view::npos ? std::u16string_view::npos : end - at);
}

std::u16string PreTabPart(std::u16string_view line) {
  const std::size_t tab = line.find(u'\t');
  if (tab == std::u16string_view::npos) return {};
  return std::u16string(line.substr(0, tab));
}

std::u16string AfterTabPart(std::u16string_view line, std::int32_t n) {
  return std::u16string(after_tab_field(line, n));
}

std::u16string PreTabPathAndFilenameOf(std::u16string_view line) {
  return PreTabPart(line);
}

std::u16string PreTabFilenameOf(std::u16string_view line) {
  const std::size_t tab = line.find(u'\t');
  if (tab == std::u16string_view::npos) return {};
  return ExtractFileName(line.substr(0, tab));
}

std::u16string filename_pre_tab_key(std::u16string_view line) {
  return UpperCase(PreTabFilenameOf(line));
}

std::u16string DigitsOnlyOf(std::u16string_view s) {
  int value;
  if (TryStrToInt(s, value)) return std::u16string(s);
  std::u16string digits;
  for (const char16_t c : s) {
    if (c >= u'0' && c <= u'9') digits += c;
  }
  return digits;
}

std::int32_t AfterTabIntegerOf(std::u16string_view line, std::int32_t n) {
  const std::u16string_view field = after_tab_field(line, n);
  int value;
  if (TryStrToInt(field, value)) return value;
  // Not an integer as it stands: keep its digits ("1,234" is 1234).
  if (!TryStrToInt(DigitsOnlyOf(field), value)) return -1;
  return value;
}

float AfterTabFloatOf(std::u16string_view line, std::int32_t n) {
  double value;
  if (!TryStrToFloat(after_tab_field(line, n), value)) return -1.0f;
  return static_cast<float>(value);
}

TDateTime AfterTabDateOf(std::u16string_view line, std::int32_t n) {
  TDateTime value;
  if (TryStrToDateTime(after_tab_field(line, n), value, Global_StringToDateTimeFormat)) {
    return value;
  }
  return Now();
}

std::u16string AddWithTab(std::u16string_view line, std::u16string_view field) {
  std::u16string out(line);
  if (!out.empty()) out += u'\t';
  out += field;
  return out;
}

std::int32_t IndexOfPreTabFnameOnly(const TStringList& list, std::u16string_view name) {
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    const std::u16string line = list.Get(i);
    const std::size_t tab = line.find(u'\t');
    if (tab == std::u16string::npos) {
      if (name.empty()) return i;  // no tab: the pre-tab part is empty
      continue;
    }
    if (std::u16string_view(line).substr(0, tab) == name) return i;
  }
  return -1;
}

bool sort_descending_flag() {
  return sort_descending;
}

void SetSortDescendingAndSort(bool descending, TStringList& list, TStringListSortCompare compare) {
  sort_descending = descending;
  list.CustomSort(compare);
}

int StringListCompareStringsFilenamePreTab(TStringList* list, std::int32_t index1,
                                           std::int32_t index2) {
  std::u16string a, b;
  const int c = ordinal(filename_pre_tab_key(line_of(list, index1, a)),
                        filename_pre_tab_key(line_of(list, index2, b)));
  return sort_descending ? -c : c;
}

int StringListCompareStringsDateAfterTab(TStringList* list, std::int32_t index1,
                                         std::int32_t index2, std::int32_t n) {
  std::u16string a, b;
  const int c = compare_values(AfterTabDateOf(line_of(list, index1, a), n),
                               AfterTabDateOf(line_of(list, index2, b), n));
  return sort_descending ? -c : c;
}

int StringListCompareStringsDateAfterTab(TStringList* list, std::int32_t index1,
                                         std::int32_t index2) {
  return StringListCompareStringsDateAfterTab(list, index1, index2, 1);
}

int StringListCompareStringsIntegerAfterTab(TStringList* list, std::int32_t index1,
                                            std::int32_t index2, std::int32_t n) {
  std::u16string a, b;
  const int c = compare_values(AfterTabIntegerOf(line_of(list, index1, a), n),
                               AfterTabIntegerOf(line_of(list, index2, b), n));
  return sort_descending ? c : -c;  // largest first unless the flag is set
}

int StringListCompareStringsIntegerAfterTab(TStringList* list, std::int32_t index1,
                                            std::int32_t index2) {
  return StringListCompareStringsIntegerAfterTab(list, index1, index2, 1);
}

int StringListCompareStringsIntegerAfterTab2(TStringList* list, std::int32_t index1,
                                             std::int32_t index2) {
  return StringListCompareStringsIntegerAfterTab(list, index1, index2, 2);
}

int StringListCompareStringsIntegerAfterTab3(TStringList* list, std::int32_t index1,
                                             std::int32_t index2) {
  return StringListCompareStringsIntegerAfterTab(list, index1, index2, 3);
}

namespace {

int compare_floats(TStringList* list, std::int32_t index1, std::int32_t index2, std::int32_t n) {
  std::u16string a, b;
  const int c = compare_values(AfterTabFloatOf(line_of(list, index1, a), n),
                               AfterTabFloatOf(line_of(list, index2, b), n));
  return sort_descending ? c : -c;
}

}  // namespace

int StringListCompareStringsFloatAfterTab(TStringList* list, std::int32_t index1,
                                          std::int32_t index2) {
  return compare_floats(list, index1, index2, 1);
}

int StringListCompareStringsFloatAfterTab2(TStringList* list, std::int32_t index1,
                                           std::int32_t index2) {
  return compare_floats(list, index1, index2, 2);
}

int StringListCompareStringsFloatAfterTab3(TStringList* list, std::int32_t index1,
                                           std::int32_t index2) {
  return compare_floats(list, index1, index2, 3);
}

}  // namespace corvane
