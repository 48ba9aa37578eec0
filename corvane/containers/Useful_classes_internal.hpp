#pragma once
// Helpers shared by the Useful_classes_*.cpp files; not part of the unit's interface.

#include <cstdint>

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/frame/Mykpsmall.hpp"

namespace corvane::detail {

// The holder in slot index, or null for an empty slot. No range check.
template <class Holder>
Holder* holder_at(const TList& list, std::int32_t index) {
  return static_cast<Holder*>(static_cast<TUsefulBaseListObject*>(list.List()[index]));
}

// The holder in slot index with the list's range check (EListError outside).
template <class Holder>
Holder* checked_holder(const TList& list, std::int32_t index) {
  return static_cast<Holder*>(static_cast<TUsefulBaseListObject*>(list.Get(index)));
}

// The value of a slot, or a default value for an empty slot.
template <class Holder>
auto value_at(const TList& list, std::int32_t index) {
  Holder* h = holder_at<Holder>(list, index);
  return h == nullptr ? decltype(h->data){} : h->data;
}

// Binary search of a sorted list: cmp(i) compares element i with the sought value.
// Sets list.nearest to the last middle examined (-1 for an empty list); returns the index
// of the first middle that compares equal, or -1. Yields once per step.
template <class Cmp>
std::int32_t binary_find(TUsefulBaseListSorts& list, Cmp cmp) {
  list.nearest = -1;
  std::int32_t lo = 0;
  std::int32_t hi = list.Count() - 1;
  while (lo <= hi) {
    MyYieldProcess();
    list.nearest = static_cast<std::int32_t>(static_cast<std::uint32_t>(lo + hi) >> 1);
    std::int32_t c = cmp(list.nearest);
    if (c < 0) {
      lo = list.nearest + 1;
    } else {
      hi = list.nearest - 1;
      if (c == 0) return list.nearest;
    }
  }
  return -1;
}

// Where a sorted insert puts a new value after binary_find returned found: before the
// equal value found; else after `nearest` when that element is not above the value,
// otherwise at `nearest`; an empty list appends.
template <class Cmp>
std::int32_t sorted_insert_index(TUsefulBaseListSorts& list, std::int32_t found, Cmp cmp) {
  if (found >= 0) return found;
  if (list.nearest >= 0) return cmp(list.nearest) < 1 ? list.nearest + 1 : list.nearest;
  return list.Count();
}

// Linear search from the start, yielding per element; -1 when nothing matches.
template <class Pred>
std::int32_t linear_find(const TList& list, Pred pred) {
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    MyYieldProcess();
    if (pred(i)) return i;
  }
  return -1;
}

// The first element whose single `s` equals value; -1 when none does.
template <class Holder>
std::int32_t single_index_of(const TList& list, float value) {
  return linear_find(list, [&](std::int32_t i) {
    Holder* h = holder_at<Holder>(list, i);
    return h != nullptr && h->data.s == value;
  });
}

// Adds with wrap-around at 32 bits (no signed overflow).
inline std::int32_t wrapping_add(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace corvane::detail
