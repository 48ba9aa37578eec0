#include "corvane/rtl/StringList.hpp"

#include <utility>

#include "corvane/rtl/Compare.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/List.hpp"

namespace corvane {

namespace {
constexpr const char* kIndexError = "List index out of bounds (%d)";
constexpr const char* kDuplicateError = "String list does not allow duplicates";
constexpr const char* kSortedError = "Operation not allowed on sorted list";

int compare_list_strings(TStringList* list, std::int32_t index1, std::int32_t index2) {
  return list->CompareStrings(list->Get(index1), list->Get(index2));
}
}  // namespace

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (owns_objects_) {
    for (auto& item : items_) delete std::exchange(item.object, nullptr);
  }
}

void TStringList::Error(const char* message_format, std::int32_t data) {
  throw EStringListError(detail::format_int_message(message_format, data));
}

void TStringList::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= Count()) Error(kIndexError, index);
}

void TStringList::Changed() {
  if (update_count_ == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (update_count_ == 0 && OnChanging) OnChanging(this);
}

void TStringList::BeginUpdate() {
  if (update_count_ == 0) Changing();
  ++update_count_;
}

void TStringList::EndUpdate() {
  if (update_count_ == 0) return;
  --update_count_;
  if (update_count_ == 0) Changed();
}

std::int32_t TStringList::AddObject(const std::u16string& s, TObject* object) {
  std::int32_t index = Count();
  if (sorted_ && Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) Error(kDuplicateError, 0);
  }
  InsertItem(index, s, object);
  return index;
}

void TStringList::InsertObject(std::int32_t index, const std::u16string& s, TObject* object) {
  if (sorted_) Error(kSortedError, 0);
  if (index < 0 || index > Count()) Error(kIndexError, index);
  InsertItem(index, s, object);
}

void TStringList::InsertItem(std::int32_t index, const std::u16string& s, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Delete(std::int32_t index) {
  CheckIndex(index);
  Changing();
  TObject* object = items_[index].object;
  items_.erase(items_.begin() + index);
  if (owns_objects_) delete object;
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  if (owns_objects_) {
    for (auto& item : old) delete item.object;
  }
  Changed();
}

void TStringList::ExchangeItems(std::int32_t index1, std::int32_t index2) {
  std::swap(items_[index1], items_[index2]);
}

void TStringList::Exchange(std::int32_t index1, std::int32_t index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  ExchangeItems(index1, index2);
  Changed();
}

void TStringList::Move(std::int32_t cur_index, std::int32_t new_index) {
  if (cur_index == new_index) return;
  BeginUpdate();
  try {
    std::u16string s = Get(cur_index);
    TObject* object = GetObject(cur_index);
    items_[cur_index].object = nullptr;  // moved, not deleted: OwnsObjects must not free it
    Delete(cur_index);
    InsertObject(new_index, s, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStringList::AddStrings(const TStringList& source) {
  BeginUpdate();
  try {
    for (std::int32_t i = 0; i < source.Count(); ++i) {
      AddObject(source.items_[i].string, source.items_[i].object);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStringList::Assign(const TStringList& source) {
  if (&source == this) return;
  BeginUpdate();
  try {
    Clear();
    name_value_separator_ = source.name_value_separator_;
    quote_char_ = source.quote_char_;
    delimiter_ = source.delimiter_;
    line_break_ = source.line_break_;
    strict_delimiter_ = source.strict_delimiter_;
    AddStrings(source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::u16string TStringList::Get(std::int32_t index) const {
  CheckIndex(index);
  return items_[index].string;
}

void TStringList::Put(std::int32_t index, const std::u16string& s) {
  if (sorted_) Error(kSortedError, 0);
  CheckIndex(index);
  Changing();
  items_[index].string = s;
  Changed();
}

TObject* TStringList::GetObject(std::int32_t index) const {
  CheckIndex(index);
  return items_[index].object;
}

void TStringList::PutObject(std::int32_t index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[index].object = object;
  Changed();
}

void TStringList::SetCapacity(std::int32_t capacity) {
  if (capacity < Count()) Error("List capacity out of bounds (%d)", capacity);
  items_.reserve(static_cast<std::size_t>(capacity));
}

bool TStringList::Find(const std::u16string& s, std::int32_t& index) {
  bool result = false;
  std::int32_t lo = 0;
  std::int32_t hi = Count() - 1;
  while (lo <= hi) {
    std::int32_t i = static_cast<std::int32_t>(static_cast<std::uint32_t>(lo + hi) >> 1);
    int c = CompareStrings(items_[i].string, s);
    if (c < 0) {
      lo = i + 1;
    } else {
      hi = i - 1;
      if (c == 0) {
        result = true;
        if (duplicates_ != dupAccept) lo = i;
      }
    }
  }
  index = lo;
  return result;
}

std::int32_t TStringList::IndexOf(const std::u16string& s) {
  if (sorted_) {
    std::int32_t index = -1;
    return Find(s, index) ? index : -1;
  }
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (CompareStrings(items_[i].string, s) == 0) return i;
  }
  return -1;
}

std::int32_t TStringList::IndexOfObject(const TObject* object) const {
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (items_[i].object == object) return i;
  }
  return -1;
}

std::int32_t TStringList::IndexOfName(const std::u16string& name) {
  for (std::int32_t i = 0; i < Count(); ++i) {
    const std::u16string& s = items_[i].string;
    auto p = s.find(name_value_separator_);
    if (p != std::u16string::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
  }
  return -1;
}

std::u16string TStringList::Names(std::int32_t index) const {
  std::u16string s = Get(index);
  auto p = s.find(name_value_separator_);
  return p == std::u16string::npos ? std::u16string() : s.substr(0, p);
}

std::u16string TStringList::Values(const std::u16string& name) {
  std::int32_t i = IndexOfName(name);
  if (i < 0) return {};
  const std::u16string& s = items_[i].string;
  return name.size() + 1 >= s.size() ? std::u16string() : s.substr(name.size() + 1);
}

void TStringList::SetValue(const std::u16string& name, const std::u16string& value) {
  std::int32_t i = IndexOfName(name);
  if (!value.empty()) {
    std::u16string entry = name;
    entry += name_value_separator_;
    entry += value;
    // Put refuses a sorted list, so values cannot be set on one.
    if (i < 0) i = Add(std::u16string());
    Put(i, entry);
  } else if (i >= 0) {
    Delete(i);
  }
}

std::u16string TStringList::ValueFromIndex(std::int32_t index) const {
  if (index < 0) return {};
  std::u16string s = Get(index);
  std::size_t name_length = Names(index).size();
  return name_length + 1 >= s.size() ? std::u16string() : s.substr(name_length + 1);
}

void TStringList::SetValueFromIndex(std::int32_t index, const std::u16string& value) {
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  if (index < 0) index = Add(std::u16string());
  std::u16string entry = Names(index);
  entry += name_value_separator_;
  entry += value;
  Put(index, entry);
}

void TStringList::SetSorted(bool value) {
  if (sorted_ == value) return;
  if (value) Sort();
  sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (case_sensitive_ == value) return;
  case_sensitive_ = value;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}

void TStringList::Sort() {
  CustomSort(compare_list_strings);
}

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (sorted_ || Count() <= 1) return;
  Changing();
  QuickSort(0, Count() - 1, compare);
  Changed();
}

void TStringList::QuickSort(std::int32_t lo, std::int32_t hi, TStringListSortCompare compare) {
  // The pointer list's quick sort, comparing by index: the pivot is an index, so it has
  // to follow its entry when that entry is exchanged. As there, the scans stop at the ends
  // of the range whatever the comparison returns, every pass leaves two strictly smaller
  // parts, and only the smaller part is sorted by recursion.
  while (lo < hi) {
    std::int32_t i = lo;
    std::int32_t j = hi;
    std::int32_t p = static_cast<std::int32_t>(static_cast<std::uint32_t>(lo + hi) >> 1);
    do {
      while (i < hi && compare(this, i, p) < 0) ++i;
      while (j > lo && compare(this, j, p) > 0) --j;
      if (i <= j) {
        if (i != j) ExchangeItems(i, j);
        if (p == i) {
          p = j;
        } else if (p == j) {
          p = i;
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - lo < hi - i) {
      if (lo < j) QuickSort(lo, j, compare);
      lo = i;
    } else {
      if (i < hi) QuickSort(i, hi, compare);
      hi = j;
    }
  }
}

int TStringList::CompareStrings(const std::u16string& s1, const std::u16string& s2) {
  return compare_strings(s1, s2, case_sensitive_);
}

}  // namespace corvane
