#include "corvane/containers/Sortablelists.hpp"

#include <utility>

#include "corvane/frame/Mykpsmall.hpp"

namespace corvane {

bool T3SortYieldingList::ToggledMainSortAscending() {
  fAscending[sort_first_sort] = !fAscending[sort_first_sort];
  return fAscending[sort_first_sort];
}

std::int32_t T3SortYieldingList::AscendingSwapped(std::int32_t n) const {
  return fAscending[current_sort_rec.current_sort_doing] ? -n : n;
}

bool T3SortYieldingList::CheckStartAndFinish(std::int32_t& first, std::int32_t& last) const {
  if (first < 0) first = 0;
  if (last > Count() - 1) last = Count() - 1;
  return last > first;
}

template <class Body>
void T3SortYieldingList::guarded(std::int32_t first, std::int32_t last, Body body) {
  if (BusySorting) return;
  struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
  } busy(BusySorting);
  if (CheckStartAndFinish(first, last)) body(first, last);
}

void T3SortYieldingList::DoASingleSort(const T3SortCompare& compare, std::int32_t sort_var,
                                       std::int32_t first, std::int32_t last) {
  guarded(first, last, [&](std::int32_t f, std::int32_t l) {
    current_sort_rec.current_sort_doing = sort_first_sort;
    DoAPrivateSort(compare, sort_var, f, l);
  });
}

void T3SortYieldingList::DoASingleSort(const T3SortCompare& compare, std::int32_t sort_var) {
  DoASingleSort(compare, sort_var, 0, Count() - 1);
}

void T3SortYieldingList::DoADoubleSort(const T3SortCompare& compare, std::int32_t var1,
                                       std::int32_t var2, std::int32_t first, std::int32_t last) {
  guarded(first, last, [&](std::int32_t f, std::int32_t l) {
    current_sort_rec.current_sort_doing = sort_first_sort;
    DoAPrivateSort(compare, var1, f, l);
    DoNextSort(compare, var1, var2, f, l);
  });
}

void T3SortYieldingList::DoADoubleSort(const T3SortCompare& compare, std::int32_t var1,
                                       std::int32_t var2) {
  DoADoubleSort(compare, var1, var2, 0, Count() - 1);
}

void T3SortYieldingList::DoATrebleSort(const T3SortCompare& compare, std::int32_t var1,
                                       std::int32_t var2, std::int32_t var3, std::int32_t first,
                                       std::int32_t last) {
  guarded(first, last, [&](std::int32_t f, std::int32_t l) {
    current_sort_rec.current_sort_doing = sort_first_sort;
    DoAPrivateSort(compare, var1, f, l);
    DoNextSort(compare, var1, var2, f, l);
    current_sort_rec.current_sort_doing = sort_second_sort;
    DoNextSort(compare, var2, var3, f, l);
  });
}

void T3SortYieldingList::DoATrebleSort(const T3SortCompare& compare, std::int32_t var1,
                                       std::int32_t var2, std::int32_t var3) {
  DoATrebleSort(compare, var1, var2, var3, 0, Count() - 1);
}

void T3SortYieldingList::DoAPrivateSort(const T3SortCompare& compare, std::int32_t sort_var,
                                        std::int32_t first, std::int32_t last) {
  sorted = true;
  current_sort_rec.current_sort_var = sort_var;
  TempQuickSort(sort_var, first, last, compare);
}

void T3SortYieldingList::TempQuickSort(std::int32_t sort_var, std::int32_t lo, std::int32_t hi,
                                       const T3SortCompare& compare) {
  void** items = MutableList();
  std::int32_t i;
  do {
    MyYieldProcess();
    i = lo;
    std::int32_t j = hi;
    base_itemnum = static_cast<std::int32_t>(static_cast<std::uint32_t>(lo + hi) >> 1);
    SetBase(items[base_itemnum], sort_var);
    const bool ascending = fAscending[current_sort_rec.current_sort_doing];
    do {
      if (ascending) {
        while (comparison_itemnum = i, compare(items[i]) < 0) ++i;
        while (comparison_itemnum = j, compare(items[j]) > 0) --j;
      } else {
        while (comparison_itemnum = i, compare(items[i]) > 0) ++i;
        while (comparison_itemnum = j, compare(items[j]) < 0) --j;
      }
      if (i <= j) {
        std::swap(items[i], items[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (lo < j) TempQuickSort(sort_var, lo, j, compare);
    lo = i;
  } while (i < hi);
}

void T3SortYieldingList::DoNextSort(const T3SortCompare& compare, std::int32_t prev_var,
                                    std::int32_t next_var, std::int32_t first, std::int32_t last) {
  if (prev_var == next_var) return;
  auto& rec = current_sort_rec;
  rec.current_sort_var = prev_var;
  std::int32_t i = first;
  do {
    base_itemnum = i;
    SetBase(List()[i], rec.current_sort_var);
    std::int32_t k = i;
    while (k + 1 <= last && (comparison_itemnum = k + 1, compare(List()[k + 1]) == 0)) ++k;
    if (k > i) {
      rec.current_sort_doing = static_cast<Tsort_num>(rec.current_sort_doing + 1);
      rec.current_sort_var = next_var;
      DoAPrivateSort(compare, next_var, i, k);
      rec.current_sort_doing = static_cast<Tsort_num>(rec.current_sort_doing - 1);
      rec.current_sort_var = prev_var;
      i = k;
    } else {
      ++i;
    }
  } while (i < last);
}

void T3SortNonYieldingList::DoAPrivateSort(const T3SortCompare& compare, std::int32_t sort_var,
                                           std::int32_t first, std::int32_t last) {
  struct Restore {
    TYieldProcessProc saved;
    Restore() : saved(std::move(AYieldProcessProc)) { AYieldProcessProc = nullptr; }
    ~Restore() { AYieldProcessProc = std::move(saved); }
  } restore;
  T3SortYieldingList::DoAPrivateSort(compare, sort_var, first, last);
}

}  // namespace corvane
