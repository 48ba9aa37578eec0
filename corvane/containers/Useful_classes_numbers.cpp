// The lists of single numbers: TCVLongintList, TCVActiveLongintList, TCardinalList,
// TCVInt64List and TSmallintList.

#include <algorithm>
#include <memory>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/containers/Useful_classes_internal.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane {

using detail::binary_find;
using detail::holder_at;
using detail::linear_find;
using detail::sorted_insert_index;
using detail::value_at;

namespace {

// A new holder of type H with value v, inserted at index.
template <class H, class V>
void insert_holder(TList& list, std::int32_t index, V v) {
  auto holder = std::make_unique<H>();
  holder->data = v;
  list.Insert(index, holder.get());
  holder.release();
}

}  // namespace

// ---- TCVLongintList

std::int32_t TCVLongintList::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return CompareLongints(value_at<TLongIntHolder>(*this, index1),
                         value_at<TLongIntHolder>(*this, index2));
}

std::int32_t TCVLongintList::Find(std::int32_t Value) {
  return binary_find(*this, [&](std::int32_t i) {
    return CompareLongints(value_at<TLongIntHolder>(*this, i), Value);
  });
}

void TCVLongintList::AddOne(std::int32_t Value) {
  std::int32_t index = Count();
  if (sorted) {
    index = sorted_insert_index(*this, Find(Value), [&](std::int32_t i) {
      return CompareLongints(value_at<TLongIntHolder>(*this, i), Value);
    });
  }
  insert_holder<TLongIntHolder>(*this, index, Value);
  AnInstance = holder_at<TLongIntHolder>(*this, index);
}

void TCVLongintList::AddOneIfNotInAlready(std::int32_t Value) {
  if (IndexOf(Value) < 0) AddOne(Value);
}

std::int32_t TCVLongintList::IndexOf(std::int32_t Value) {
  if (sorted) return Find(Value);
  return linear_find(*this, [&](std::int32_t i) {
    return holder_at<TLongIntHolder>(*this, i) != nullptr &&
           holder_at<TLongIntHolder>(*this, i)->data == Value;
  });
}

void TCVLongintList::InsertOne(std::int32_t Index, std::int32_t Value) {
  insert_holder<TLongIntHolder>(*this, Index, Value);
}

std::int32_t TCVLongintList::GetAValue(std::int32_t Index) {
  if (Index >= Count()) return -1;
  TLongIntHolder* h = detail::checked_holder<TLongIntHolder>(*this, Index);
  return h == nullptr ? -1 : h->data;
}

std::int32_t TCVLongintList::FindAndFree(std::int32_t Value) {
  std::int32_t i = Find(Value);
  if (i >= 0) FreeAndNilOne(i);
  return i;
}

void TCVLongintList::SortAscendingDefault() {
  Sort(SortLongints);
}

// ---- TCVActiveLongintList

void TCVActiveLongintList::AddOneAndSetCountCurrent(std::int32_t Value) {
  AddOne(Value);
  fcurrentItem = Count() - 1;
}

void TCVActiveLongintList::Clear() {
  TCVLongintList::Clear();
  fcurrentItem = -1;
}

std::int32_t TCVActiveLongintList::FindAndFree(std::int32_t Value) {
  std::int32_t i = TCVLongintList::FindAndFree(Value);
  if (i >= 0 && fcurrentItem == i) fcurrentItem = (fcurrentItem < 1 ? Count() : fcurrentItem) - 1;
  return i;
}

std::int32_t TCVActiveLongintList::CurrentItemValue() {
  if (fcurrentItem >= 0 && fcurrentItem < Count()) return GetAValue(fcurrentItem);
  return -1;
}

// ---- TCardinalList

std::int32_t TCardinalList::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return CompareCardinals(value_at<TCardinalHolder>(*this, index1),
                          value_at<TCardinalHolder>(*this, index2));
}

void TCardinalList::SortAscendingDefault() {
  Sort(SortCardinals);
}

std::int32_t TCardinalList::Find(std::uint32_t Value) {
  return binary_find(*this, [&](std::int32_t i) {
    return CompareCardinals(value_at<TCardinalHolder>(*this, i), Value);
  });
}

std::int32_t TCardinalList::IndexOf(std::uint32_t Value) {
  if (sorted) return Find(Value);
  return linear_find(*this, [&](std::int32_t i) {
    return holder_at<TCardinalHolder>(*this, i) != nullptr &&
           holder_at<TCardinalHolder>(*this, i)->data == Value;
  });
}

void TCardinalList::AddOne(std::uint32_t Value) {
  insert_holder<TCardinalHolder>(*this, Count(), Value);
  AnInstance = holder_at<TCardinalHolder>(*this, Count() - 1);
}

void TCardinalList::InsertOne(std::int32_t Index, std::uint32_t Value) {
  insert_holder<TCardinalHolder>(*this, Index, Value);
}

std::uint32_t TCardinalList::GetAValue(std::int32_t Index) {
  if (Index >= Count()) return 0xFFFFFFFFu;
  TCardinalHolder* h = detail::checked_holder<TCardinalHolder>(*this, Index);
  return h == nullptr ? 0xFFFFFFFFu : h->data;
}

// ---- TCVInt64List

std::int32_t TCVInt64List::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return CompareInt64s(value_at<TInt64Holder>(*this, index1),
                       value_at<TInt64Holder>(*this, index2));
}

void TCVInt64List::SortAscendingDefault() {
  Sort(SortInt64s);
}

std::int32_t TCVInt64List::FindInSorted(std::int64_t Value) {
  return binary_find(*this, [&](std::int32_t i) {
    return CompareInt64s(value_at<TInt64Holder>(*this, i), Value);
  });
}

std::int32_t TCVInt64List::IndexOf(std::int64_t Value) {
  if (sorted) return FindInSorted(Value);
  return linear_find(*this, [&](std::int32_t i) {
    return holder_at<TInt64Holder>(*this, i) != nullptr &&
           holder_at<TInt64Holder>(*this, i)->data == Value;
  });
}

void TCVInt64List::AddOne(std::int64_t Value) {
  std::int32_t index = Count();
  if (sorted) {
    index = sorted_insert_index(*this, FindInSorted(Value), [&](std::int32_t i) {
      return CompareInt64s(value_at<TInt64Holder>(*this, i), Value);
    });
  }
  insert_holder<TInt64Holder>(*this, index, Value);
  AnInstance = holder_at<TInt64Holder>(*this, index);
}

std::int64_t TCVInt64List::GetAValue(std::int32_t Index) {
  if (Index >= Count()) return -1;
  TInt64Holder* h = detail::checked_holder<TInt64Holder>(*this, Index);
  return h == nullptr ? -1 : h->data;
}

// ---- TSmallintList

TSmallintList::~TSmallintList() {
  TSmallintList::Clear();
}

void TSmallintList::Notify(void* item, TListNotification action) {
  if (action == lnDeleted) delete static_cast<TSmallIntHolder*>(static_cast<TObject*>(item));
}

void TSmallintList::Clear() {
  TList::Clear();
}

void TSmallintList::AddOne(std::int16_t Value) {
  auto holder = std::make_unique<TSmallIntHolder>();
  holder->int_ = Value;
  Add(static_cast<TObject*>(holder.get()));
  holder.release();
}

std::int16_t TSmallintList::GetAValue(std::int32_t Index) {
  auto* h = static_cast<TSmallIntHolder*>(static_cast<TObject*>(Get(Index)));
  return h == nullptr ? 0 : h->int_;
}

bool TSmallintList::ReadFromStream(std::int32_t Count, TStream& Stream) {
  // The count comes from the caller: stop where the stream ends rather than create
  // elements for bytes that are not there.
  for (std::int32_t i = 0; i < Count; ++i) {
    MyYieldProcess();
    std::int16_t value = 0;
    if (!try_read_i16(Stream, value)) break;
    AddOne(value);
  }
  return true;
}

bool TSmallintList::SaveToStream(TStream& Stream) {
  for (std::int32_t i = 0; i < Count(); ++i) {
    MyYieldProcess();
    auto* h = static_cast<TSmallIntHolder*>(static_cast<TObject*>(List()[i]));
    try_write_i16(Stream, h == nullptr ? 0 : h->int_);
  }
  return true;
}

}  // namespace corvane
