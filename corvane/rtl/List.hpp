#pragma once
// TList: a list of untyped pointers (empty slots allowed) with the classic runtime's
// growth, index errors and quick sort. The list never owns what its items point to;
// descendants that do override Notify or Clear.

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/rtl/Object.hpp"

namespace corvane {

// Negative when a sorts before b, 0 when equal, positive after.
using TListSortCompare = int (*)(void* a, void* b);

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
 public:
  TList() = default;
  ~TList() override;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  // Appends and returns the new index.
  std::int32_t Add(void* item);
  // Inserts before index (0..Count); EListError "List index out of bounds (%d)" otherwise.
  void Insert(std::int32_t index, void* item);
  // Removes the slot at index (error when out of range).
  void Delete(std::int32_t index);
  // Deletes the first slot holding item; returns its index or -1.
  std::int32_t Remove(void* item);
  // Removes the first slot holding item without deleting notification; returns item or null.
  void* Extract(void* item);
  std::int32_t IndexOf(const void* item) const;
  void Exchange(std::int32_t index1, std::int32_t index2);
  void Move(std::int32_t cur_index, std::int32_t new_index);
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  // Drops every null slot, keeping the order of the rest.
  void Pack();
  virtual void Clear();
  // Classic quick sort: not stable; see List.cpp for the exact partition.
  void Sort(TListSortCompare compare);

  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  // Growing fills with null slots; shrinking deletes the slots from the end.
  void SetCount(std::int32_t new_count);
  std::int32_t Capacity() const { return capacity_; }
  // EListError "List capacity out of bounds (%d)" when below Count.
  void SetCapacity(std::int32_t new_capacity);

  void* Get(std::int32_t index) const;
  void Put(std::int32_t index, void* item);
  void* Items(std::int32_t index) const { return Get(index); }
  void* operator[](std::int32_t index) const { return Get(index); }
  // The slots themselves, for loops that have checked their bounds.
  void* const* List() const { return items_.data(); }

 protected:
  // The slots, writable, for descendants that reorder them in bulk (sorts). Valid until
  // the next change of Count or Capacity.
  void** MutableList() { return items_.data(); }
  // Called after an item is added and before it is deleted or extracted; null items
  // are not notified.
  virtual void Notify(void* item, TListNotification action) {}
  virtual void Grow();
  [[noreturn]] static void Error(const char* message_format, std::int32_t data);

 private:
  std::vector<void*> items_;
  std::int32_t capacity_ = 0;
};

namespace detail {
// The runtime's list quick sort over items[lo..hi], exposed so that other lists can
// sort with exactly the same order of exchanges.
void list_quick_sort(void** items, std::int32_t lo, std::int32_t hi, TListSortCompare compare);
// The runtime's error texts carry one "%d": this fills it in.
std::string format_int_message(const char* message_format, std::int32_t data);
}  // namespace detail

}  // namespace corvane
