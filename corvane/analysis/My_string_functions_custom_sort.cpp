// Custom sort orders: a user's comma-separated list of letters and letter groups turned
// into a prepared order, lines turned into sort keys by it, and lines sorted by those keys.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Object.hpp"
#include "corvane/rtl/Strings.hpp"

namespace corvane {

namespace {

// Ordinal by code unit up to the first U+0000 or the end; only the sign matters here.
int crude_compare(std::u16string_view a, std::u16string_view b) {
  for (std::size_t i = 0;; ++i) {
    const std::int32_t ca = i < a.size() ? a[i] : 0;
    const std::int32_t cb = i < b.size() ? b[i] : 0;
    if (ca != cb) return ca - cb;
    if (ca == 0) return 0;
  }
}

// Longest entry first, entries of equal length by code unit.
int compare_prepared_entries(TStringList* list, std::int32_t index1, std::int32_t index2) {
  const std::u16string a = list->Get(index1);
  const std::u16string b = list->Get(index2);
  if (a.size() != b.size()) return a.size() > b.size() ? -1 : 1;
  return crude_compare(a, b);
}

}  // namespace

std::unique_ptr<TStringList> CommaSeparatedStrings(const std::u16string& s) {
  auto pieces = std::make_unique<TStringList>();
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = s.find(u',', from);
    if (comma == std::u16string::npos) break;
    pieces->Add(Trim(std::u16string_view(s).substr(from, comma - from)));
    MyYieldProcess();
    from = comma + 1;
  }
  if (from < s.size()) {
    pieces->Add(s.substr(from));
    MyYieldProcess();
  }
  return pieces;
}

std::unique_ptr<TStringList> CustomSortPreparedStringlist(const std::u16string& order) {
  const std::unique_ptr<TStringList> pieces = CommaSeparatedStrings(order);
  auto prepared = std::make_unique<TStringList>();
  for (std::int32_t i = 0; i < pieces->Count(); ++i) {
    std::u16string piece = pieces->Get(i);
    if (piece.empty()) continue;
    const std::int32_t number = prepared->Count();
    if (number > CustomSortMaxOrderNumber) {
      throw Exception(
          u"The custom sort order has more than 65,472 letters and letter groups; their "
          u"order numbers do not fit a character");
    }
    prepared->AddObject(piece, object_from_int(number));
  }
  prepared->CustomSort(compare_prepared_entries);
  return prepared;
}

namespace {

struct PreparedEntry {
  std::u16string text;
  char16_t code;
};

std::vector<PreparedEntry> entries_of(const TStringList& prepared) {
  std::vector<PreparedEntry> entries;
  entries.reserve(prepared.Count());
  for (std::int32_t e = 0; e < prepared.Count(); ++e) {
    std::u16string text = prepared.Get(e);
    if (text.empty()) continue;
    entries.push_back(
        {std::move(text), static_cast<char16_t>(64 + int_from_object(prepared.GetObject(e)))});
  }
  return entries;
}

std::u16string key_of(std::u16string_view line, const std::vector<PreparedEntry>& entries) {
  // Which code units occur, by their low six bits: an entry whose first code unit is not
  // among them cannot occur, and most entries of an alphabet are skipped that way.
  std::uint64_t present = 0;
  for (const char16_t c : line) present |= std::uint64_t{1} << (c & 63);
  std::u16string key(line);
  std::u16string work(line);  // a matched character is set to 0 here
  std::size_t first_unmatched = 0;
  for (const PreparedEntry& entry : entries) {
    // Characters only ever become matched, so the first unmatched one only moves on.
    while (first_unmatched < work.size() && work[first_unmatched] == 0) ++first_unmatched;
    if (first_unmatched == work.size()) break;
    if ((present >> (entry.text[0] & 63) & 1) == 0) continue;
    const std::size_t length = entry.text.size();
    std::size_t at = work.find(entry.text, first_unmatched);
    while (at != std::u16string::npos) {
      for (std::size_t k = at; k < at + length; ++k) {
        key[k] = entry.code;
        work[k] = 0;
      }
      at = work.find(entry.text, at + length);
    }
  }
  return key;
}

}  // namespace

std::u16string NormalisedLineForCustomSort(std::u16string_view line, const TStringList& prepared) {
  return key_of(line, entries_of(prepared));
}

std::unique_ptr<TStringList> CustomLinesSorted(const TStringList& lines,
                                               const TStringList& prepared) {
  const std::int32_t count = lines.Count();
  const std::vector<PreparedEntry> entries = entries_of(prepared);
  std::vector<std::pair<std::u16string, std::int32_t>> keyed;
  keyed.reserve(count);
  for (std::int32_t i = 0; i < count; ++i) keyed.emplace_back(key_of(lines.Get(i), entries), i);
  std::sort(keyed.begin(), keyed.end(),
            [](const auto& a, const auto& b) { return crude_compare(a.first, b.first) < 0; });
  auto sorted = std::make_unique<TStringList>();
  sorted->SetCapacity(count);
  for (const auto& [key, index] : keyed)
    sorted->AddObject(lines.Get(index), object_from_int(index));
  return sorted;
}

}  // namespace corvane
