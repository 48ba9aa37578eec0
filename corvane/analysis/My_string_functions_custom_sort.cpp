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

// Writes the key of `line` to key[0..line.size()); `work` is scratch space.
void key_into(std::u16string_view line, const std::vector<PreparedEntry>& entries, char16_t* key,
              std::u16string& work) {
  // Which code units occur, by their low six bits: an entry whose first code unit is not
  // among them cannot occur, and most entries of an alphabet are skipped that way. Bit 0
  // stays set, as matched characters become U+0000.
  std::uint64_t present = 1;
  for (const char16_t c : line) present |= std::uint64_t{1} << (c & 63);
  std::copy(line.begin(), line.end(), key);
  work.assign(line);  // a matched character is set to 0 here
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
}

// The same keys for many lines. Entries of one code unit come last in a prepared order
// and cannot overlap, so once the longer entries have been matched each unmatched
// character simply takes the code of the first one-unit entry equal to it: one table
// look-up per character instead of a search per entry. An entry holding U+0000 (which
// would also match characters already matched) leaves the general way in use.
class Keyer {
 public:
  explicit Keyer(const TStringList& prepared) : entries_(entries_of(prepared)) {
    for (const PreparedEntry& entry : entries_) {
      if (entry.text.find(u'\0') != std::u16string::npos) return;
    }
    single_.assign(0x10000, 0);
    for (const PreparedEntry& entry : entries_) {
      if (entry.text.size() == 1) {
        if (single_[entry.text[0]] == 0) single_[entry.text[0]] = entry.code;
      } else {
        groups_.push_back(entry);
      }
    }
  }

  void key_into(std::u16string_view line, char16_t* key) {
    if (single_.empty()) {
      corvane::key_into(line, entries_, key, work_);
      return;
    }
    corvane::key_into(line, groups_, key, work_);
    for (std::size_t k = 0; k < line.size(); ++k) {
      const char16_t code = single_[work_[k]];
      if (code != 0) key[k] = code;
    }
  }

 private:
  std::vector<PreparedEntry> entries_, groups_;
  std::vector<char16_t> single_;  // by character: its one-unit entry's code, or 0
  std::u16string work_;
};

// A line's key in the buffer of all keys, behind its first eight code units packed into
// two integers. The key counts up to its first U+0000, as the comparison stops there.
struct KeyRef {
  std::uint64_t high, low;
  std::uint32_t at, length;
  std::int32_t index;
};

}  // namespace

std::u16string NormalisedLineForCustomSort(std::u16string_view line, const TStringList& prepared) {
  std::u16string key(line.size(), u'\0'), work;
  key_into(line, entries_of(prepared), key.data(), work);
  return key;
}

std::unique_ptr<TStringList> CustomLinesSorted(const TStringList& lines,
                                               const TStringList& prepared) {
  const std::int32_t count = lines.Count();
  Keyer keyer(prepared);
  std::u16string all;
  std::vector<KeyRef> keys(count);
  for (std::int32_t i = 0; i < count; ++i) {
    const std::u16string line = lines.Get(i);
    const std::size_t at = all.size();
    all.resize(at + line.size());
    keyer.key_into(line, all.data() + at);
    std::u16string_view key(all.data() + at, line.size());
    key = key.substr(0, key.find(u'\0'));
    std::uint64_t high = 0, low = 0;
    for (std::size_t k = 0; k < 4; ++k) high = high << 16 | (k < key.size() ? key[k] : 0);
    for (std::size_t k = 4; k < 8; ++k) low = low << 16 | (k < key.size() ? key[k] : 0);
    keys[i] = {high, low, static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(key.size()),
               i};
  }
  // Ordinal by code unit; keys hold no U+0000 now, so a prefix padded with zeros orders as
  // the key does, and keys of up to eight code units with equal prefixes differ only by
  // length. Equal keys keep their lines' order.
  const std::u16string_view buffer(all);
  std::stable_sort(keys.begin(), keys.end(), [buffer](const KeyRef& a, const KeyRef& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    if (a.length <= 8 && b.length <= 8) return a.length < b.length;
    return buffer.substr(a.at, a.length) < buffer.substr(b.at, b.length);
  });
  auto sorted = std::make_unique<TStringList>();
  sorted->SetCapacity(count);
  for (const KeyRef& k : keys) sorted->AddObject(lines.Get(k.index), object_from_int(k.index));
  return sorted;
}

}  // namespace corvane
