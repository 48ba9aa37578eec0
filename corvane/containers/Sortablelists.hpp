#pragma once
// T3SortYieldingList: a pointer list that sorts itself on up to three keys, each level
// ascending or descending on its own, yielding to the host once per partition pass.
// The list does not know its item type: a subclass remembers the pivot ("base") of each
// partition in SetBase, and the caller's comparison compares one item with that base.
// T3SortNonYieldingList sorts the same way with the host's yield switched off.

#include <array>
#include <cstdint>
#include <functional>

#include "corvane/rtl/List.hpp"

namespace corvane {

enum Tsort_num { sort_first_sort, sort_second_sort, sort_third_sort };
using TAscendingSort = std::array<bool, 3>;

struct TCurrentSortRec {
  Tsort_num current_sort_doing = sort_first_sort;
  std::int32_t current_sort_var = 0;
};

// Compares one item with the base the subclass stored in SetBase: 0 when equal on the
// current key, otherwise a value whose sign places the item before or after the base.
using T3SortCompare = std::function<std::int32_t(void* item)>;

class T3SortYieldingList : public TList {
 public:
  T3SortYieldingList() = default;

  void SetAscending(bool a, bool b, bool c) { fAscending = {a, b, c}; }
  void SetSortToAscend(Tsort_num level, bool b) { fAscending[level] = b; }
  // Inverts the first level's direction and returns the new value.
  bool ToggledMainSortAscending();
  // n when the current level's direction switch is false, otherwise -n.
  std::int32_t AscendingSwapped(std::int32_t n) const;
  // Clamps first to 0 and last to Count-1; true when last > first.
  bool CheckStartAndFinish(std::int32_t& first, std::int32_t& last) const;

  // Quick sort of first..last on sort_var (sets `sorted`).
  virtual void DoAPrivateSort(const T3SortCompare& compare, std::int32_t sort_var,
                              std::int32_t first, std::int32_t last);
  // Remembers the base of a partition; nothing here.
  virtual void SetBase(void* item, std::int32_t sort_var) {}
  // The sorts below do nothing while a sort runs (BusySorting) or when the clamped range
  // holds fewer than two items.
  virtual void DoASingleSort(const T3SortCompare& compare, std::int32_t sort_var,
                             std::int32_t first, std::int32_t last);
  virtual void DoASingleSort(const T3SortCompare& compare, std::int32_t sort_var);
  // Sorts on var1, then each run of neighbours equal on var1 on var2.
  virtual void DoADoubleSort(const T3SortCompare& compare, std::int32_t var1, std::int32_t var2,
                             std::int32_t first, std::int32_t last);
  virtual void DoADoubleSort(const T3SortCompare& compare, std::int32_t var1, std::int32_t var2);
  // As the double sort, then each run of neighbours equal on var2 (as the comparison
  // judges at the second level) on var3. current_sort_doing is left at the second level.
  virtual void DoATrebleSort(const T3SortCompare& compare, std::int32_t var1, std::int32_t var2,
                             std::int32_t var3, std::int32_t first, std::int32_t last);
  virtual void DoATrebleSort(const T3SortCompare& compare, std::int32_t var1, std::int32_t var2,
                             std::int32_t var3);

  bool BusySorting = false;
  TAscendingSort fAscending{false, false, false};
  TCurrentSortRec current_sort_rec;
  bool sorted = false;
  std::int32_t comparison_itemnum = 0;
  std::int32_t base_itemnum = 0;

 protected:
  // Sorts, on next_var, every run of neighbours that are equal on prev_var.
  void DoNextSort(const T3SortCompare& compare, std::int32_t prev_var, std::int32_t next_var,
                  std::int32_t first, std::int32_t last);
  void TempQuickSort(std::int32_t sort_var, std::int32_t lo, std::int32_t hi,
                     const T3SortCompare& compare);

 private:
  // Runs body with BusySorting set, unless a sort is already running or the range is
  // too small.
  template <class Body>
  void guarded(std::int32_t first, std::int32_t last, Body body);
};

class T3SortNonYieldingList : public T3SortYieldingList {
 public:
  // The inherited sort with the host's yield procedure unset for its duration.
  void DoAPrivateSort(const T3SortCompare& compare, std::int32_t sort_var, std::int32_t first,
                      std::int32_t last) override;
};

}  // namespace corvane
