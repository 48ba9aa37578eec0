#include "corvane/rtl/List.hpp"

#include <algorithm>
#include <string>

#include "corvane/rtl/Exception.hpp"

namespace corvane {

namespace detail {

void list_quick_sort(void** items, std::int32_t lo, std::int32_t hi, TListSortCompare compare) {
  // Hoare partition round the middle item's value. Equal items are exchanged too, which is
  // what fixes their order. The scans stop at the ends of the range: a consistent
  // comparison stops them at the pivot anyway, and one that is not (a key read from the
  // clock, a faulty callback) must not carry them out of the list. Each pass leaves two
  // strictly smaller parts, so the sort ends whatever the comparison returns; the smaller
  // part is sorted by recursion and the larger by the loop, so the stack stays
  // logarithmic.
  while (lo < hi) {
    std::int32_t i = lo;
    std::int32_t j = hi;
    void* pivot = items[static_cast<std::uint32_t>(lo + hi) >> 1];
    do {
      while (i < hi && compare(items[i], pivot) < 0) ++i;
      while (j > lo && compare(items[j], pivot) > 0) --j;
      if (i <= j) {
        std::swap(items[i], items[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - lo < hi - i) {
      if (lo < j) list_quick_sort(items, lo, j, compare);
      lo = i;
    } else {
      if (i < hi) list_quick_sort(items, i, hi, compare);
      hi = j;
    }
  }
}

std::string format_int_message(const char* message_format, std::int32_t data) {
  std::string text = message_format;
  auto at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(data));
  return text;
}

}  // namespace detail

namespace {
constexpr const char* kIndexError = "List index out of bounds (%d)";
constexpr const char* kCapacityError = "List capacity out of bounds (%d)";
constexpr const char* kCountError = "List count out of bounds (%d)";
}  // namespace

TList::~TList() {
  // Descendants clear themselves in their own destructors; here only the slots go.
  items_.clear();
}

void TList::Error(const char* message_format, std::int32_t data) {
  throw EListError(detail::format_int_message(message_format, data));
}

void TList::Grow() {
  std::int32_t delta = capacity_ > 64 ? capacity_ / 4 : (capacity_ > 8 ? 16 : 4);
  SetCapacity(capacity_ + delta);
}

std::int32_t TList::Add(void* item) {
  std::int32_t result = Count();
  if (result == capacity_) Grow();
  items_.push_back(item);
  if (item != nullptr) Notify(item, lnAdded);
  return result;
}

void TList::Insert(std::int32_t index, void* item) {
  if (index < 0 || index > Count()) Error(kIndexError, index);
  if (Count() == capacity_) Grow();
  items_.insert(items_.begin() + index, item);
  if (item != nullptr) Notify(item, lnAdded);
}

void TList::Delete(std::int32_t index) {
  if (index < 0 || index >= Count()) Error(kIndexError, index);
  void* item = items_[index];
  items_.erase(items_.begin() + index);
  if (item != nullptr) Notify(item, lnDeleted);
}

std::int32_t TList::Remove(void* item) {
  std::int32_t index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  std::int32_t index = IndexOf(item);
  if (index < 0) return nullptr;
  items_.erase(items_.begin() + index);
  Notify(item, lnExtracted);
  return item;
}

std::int32_t TList::IndexOf(const void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<std::int32_t>(it - items_.begin());
}

void TList::Exchange(std::int32_t index1, std::int32_t index2) {
  if (index1 < 0 || index1 >= Count()) Error(kIndexError, index1);
  if (index2 < 0 || index2 >= Count()) Error(kIndexError, index2);
  std::swap(items_[index1], items_[index2]);
}

void TList::Move(std::int32_t cur_index, std::int32_t new_index) {
  if (cur_index == new_index) return;
  if (new_index < 0 || new_index >= Count()) Error(kIndexError, new_index);
  void* item = Get(cur_index);
  // Moving is not deleting: the item is taken out without notification.
  items_.erase(items_.begin() + cur_index);
  items_.insert(items_.begin() + new_index, item);
}

void TList::Pack() {
  items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Sort(TListSortCompare compare) {
  if (Count() > 1) detail::list_quick_sort(items_.data(), 0, Count() - 1, compare);
}

void TList::SetCount(std::int32_t new_count) {
  if (new_count < 0) Error(kCountError, new_count);
  if (new_count > capacity_) SetCapacity(new_count);
  if (new_count > Count()) {
    items_.resize(new_count, nullptr);
  } else {
    for (std::int32_t i = Count() - 1; i >= new_count; --i) Delete(i);
  }
}

void TList::SetCapacity(std::int32_t new_capacity) {
  if (new_capacity < Count()) Error(kCapacityError, new_capacity);
  if (new_capacity == capacity_) return;
  if (new_capacity == 0) {
    std::vector<void*>().swap(items_);
  } else {
    items_.reserve(static_cast<std::size_t>(new_capacity));
  }
  capacity_ = new_capacity;
}

void* TList::Get(std::int32_t index) const {
  if (index < 0 || index >= Count()) Error(kIndexError, index);
  return items_[index];
}

void TList::Put(std::int32_t index, void* item) {
  if (index < 0 || index >= Count()) Error(kIndexError, index);
  void* old = items_[index];
  if (old == item) return;
  items_[index] = item;
  if (old != nullptr) Notify(old, lnDeleted);
  if (item != nullptr) Notify(item, lnAdded);
}

}  // namespace corvane
