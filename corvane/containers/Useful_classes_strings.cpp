// The string lists of Useful_classes: range checks, the saved string list, and the lists
// that carry a payload object (or a frequency) in each entry's object slot.

#include <algorithm>
#include <limits>
#include <memory>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/containers/Useful_classes_internal.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane {

namespace {

// The payload of a valid index, or null (bad index, empty slot or another class).
template <class H>
H* payload(const TIndexCheckStringlist& list, std::int32_t index) {
  return list.IndexAssignedOK(index) ? dynamic_cast<H*>(list.GetObject(index)) : nullptr;
}

// The payload of a valid index, created when the slot is empty; null for a bad index.
template <class H>
H* payload_for_setting(TIndexCheckStringlist& list, std::int32_t index) {
  if (!list.IndexAssignedOK(index)) return nullptr;
  if (H* h = dynamic_cast<H*>(list.GetObject(index))) return h;
  if (list.GetObject(index) != nullptr) return nullptr;
  auto holder = std::make_unique<H>();
  list.PutObject(index, holder.get());
  return holder.release();
}

// Adds s with a new payload; a sorted list that ignores the duplicate keeps its entry and
// the new payload is dropped. Returns the index.
template <class H, class V>
std::int32_t add_with_payload(TIndexCheckStringlist& list, const std::u16string& s, const V& v) {
  auto holder = std::make_unique<H>();
  holder->data = v;
  std::int32_t index = list.AddObject(s, holder.get());
  if (list.GetObject(index) == holder.get()) holder.release();
  return index;
}

template <class H>
const decltype(H::data)& data_or_zero(TStringList* list, std::int32_t index) {
  static const decltype(H::data) zero{};
  auto* h = dynamic_cast<H*>(list->GetObject(index));
  return h ? h->data : zero;
}

// Decimal integer: optional sign and at least one digit, within 32 bits.
bool read_decimal(std::u16string_view text, std::int32_t& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  if (i == text.size()) return false;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') return false;
    v = v * 10 + (text[i] - u'0');
    if (v > std::int64_t{1} << 31) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

int longint_desc(TStringList* list, std::int32_t a, std::int32_t b) {
  return CompareLongints(data_or_zero<TLongIntHolder>(list, b),
                         data_or_zero<TLongIntHolder>(list, a));
}
int single_desc(TStringList* list, std::int32_t a, std::int32_t b) {
  return CompareSingles(data_or_zero<TSingleHolder>(list, b), data_or_zero<TSingleHolder>(list, a));
}
int two_long_freq(TStringList* list, std::int32_t a, std::int32_t b) {
  const auto& ra = data_or_zero<T2LongIntHolder>(list, a);
  const auto& rb = data_or_zero<T2LongIntHolder>(list, b);
  int c = CompareLongints(rb.long0, ra.long0);
  return c != 0 ? c : CompareLongints(ra.long1, rb.long1);
}
template <bool Ascending>
int int_then_single(TStringList* list, std::int32_t a, std::int32_t b) {
  const auto& ra = data_or_zero<TIntegerAndSingleHolder>(list, Ascending ? a : b);
  const auto& rb = data_or_zero<TIntegerAndSingleHolder>(list, Ascending ? b : a);
  int c = CompareLongints(ra.int_, rb.int_);
  return c != 0 ? c : CompareSingles(ra.s, rb.s);
}
template <bool Ascending>
int single_then_int(TStringList* list, std::int32_t a, std::int32_t b) {
  const auto& ra = data_or_zero<TIntegerAndSingleHolder>(list, Ascending ? a : b);
  const auto& rb = data_or_zero<TIntegerAndSingleHolder>(list, Ascending ? b : a);
  int c = CompareSingles(ra.s, rb.s);
  return c != 0 ? c : CompareLongints(ra.int_, rb.int_);
}
template <bool Ascending>
int string_then_single(TStringList* list, std::int32_t a, std::int32_t b) {
  std::int32_t x = Ascending ? a : b;
  std::int32_t y = Ascending ? b : a;
  int c = Compare2Strings(list->Get(x), list->Get(y));
  return c != 0 ? c
                : CompareSingles(data_or_zero<TIntegerAndSingleHolder>(list, x).s,
                                 data_or_zero<TIntegerAndSingleHolder>(list, y).s);
}
int means_desc(TStringList* list, std::int32_t a, std::int32_t b) {
  const auto& ra = data_or_zero<TStringAndMeanAndSD_recHolder>(list, a).score;
  const auto& rb = data_or_zero<TStringAndMeanAndSD_recHolder>(list, b).score;
  int c = CompareSingles(rb.mean, ra.mean);
  return c != 0 ? c : CompareSingles(ra.sd, rb.sd);
}

}  // namespace

// ---- TIndexCheckStringlist

void TIndexCheckStringlist::ReverseTheSort() {
  if (Count() < 2) return;
  for (std::int32_t i = 0, j = Count() - 1; i < j; ++i, --j) Exchange(i, j);
}

// ---- TMySaveStringList

void TMySaveStringList::SaveToStream(TStream& Stream) {
  try_write_i32(Stream, Count());
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (save_Objects_too) try_write_i32(Stream, int_from_object(GetObject(i)));
    WriteAString(Stream, Get(i));
  }
}

void TMySaveStringList::LoadFromStream(TStream& Stream) {
  std::int32_t count = 0;
  if (!try_read_i32(Stream, count)) return;
  // Every entry takes at least 4 bytes, so a damaged count runs out of stream quickly.
  for (std::int32_t i = 0; i < count; ++i) {
    std::int32_t value = 0;
    if (save_Objects_too && !try_read_i32(Stream, value)) return;
    std::u16string s;
    ReadAString(Stream, s);
    AddObject(s, save_Objects_too ? object_from_int(value) : nullptr);
  }
}

// ---- TStringListWithALongint

std::int32_t TStringListWithALongint::AddOne(const std::u16string& S, std::int32_t Value) {
  return add_with_payload<TLongIntHolder>(*this, S, Value);
}
std::int32_t TStringListWithALongint::GetOne(std::int32_t Index) {
  auto* h = payload<TLongIntHolder>(*this, Index);
  return h ? h->data : 0;
}
void TStringListWithALongint::SetOne(std::int32_t Index, std::int32_t Value) {
  if (auto* h = payload_for_setting<TLongIntHolder>(*this, Index)) h->data = Value;
}
std::int32_t TStringListWithALongint::HighestFrequency() {
  std::int32_t highest = 0;
  for (std::int32_t i = 0; i < Count(); ++i) highest = std::max(highest, GetOne(i));
  return highest;
}
void TStringListWithALongint::SortOnFreq() {
  CustomSort(longint_desc);
}
void TStringListWithALongint::SetTextStr(const std::u16string& Text) {
  BeginUpdate();
  try {
    Clear();
    for (const auto& line : split_text_lines(Text, LineBreak())) {
      auto tab = line.find(u'\t');
      std::int32_t value = 0;
      if (tab != std::u16string::npos && tab >= 1 &&
          read_decimal(std::u16string_view(line).substr(tab + 1), value)) {
        AddOne(line.substr(0, tab), value);
      } else {
        AddOne(line, -1);
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

// ---- TStringListWithASingle

std::int32_t TStringListWithASingle::AddOne(const std::u16string& S, float Value) {
  return add_with_payload<TSingleHolder>(*this, S, Value);
}
float TStringListWithASingle::GetOne(std::int32_t Index) {
  auto* h = payload<TSingleHolder>(*this, Index);
  return h ? h->data : 0.0f;
}
void TStringListWithASingle::SetOne(std::int32_t Index, float Value) {
  if (auto* h = payload_for_setting<TSingleHolder>(*this, Index)) h->data = Value;
}
void TStringListWithASingle::SortOnFreq() {
  CustomSort(single_desc);
}

// ---- TStringListWithIntAndSingle

std::int32_t TStringListWithIntAndSingle::AddOne(const std::u16string& S,
                                                 const TIntegerAndSingleRec& Rec) {
  return add_with_payload<TIntegerAndSingleHolder>(*this, S, Rec);
}
TIntegerAndSingleRec TStringListWithIntAndSingle::GetOne(std::int32_t Index) {
  auto* h = payload<TIntegerAndSingleHolder>(*this, Index);
  return h ? h->data : TIntegerAndSingleRec{};
}
void TStringListWithIntAndSingle::SetOne(std::int32_t Index, const TIntegerAndSingleRec& Rec) {
  if (auto* h = payload_for_setting<TIntegerAndSingleHolder>(*this, Index)) h->data = Rec;
}
void TStringListWithIntAndSingle::SortOnInt(bool Flag) {
  CustomSort(Flag ? int_then_single<true> : int_then_single<false>);
}
void TStringListWithIntAndSingle::SortOnSingle(bool Flag) {
  CustomSort(Flag ? single_then_int<false> : single_then_int<true>);
}
void TStringListWithIntAndSingle::SortOnStrings(bool Flag) {
  CustomSort(Flag ? string_then_single<false> : string_then_single<true>);
}

// ---- TStringListWith2LongintList

std::int32_t TStringListWith2LongintList::AddOne(const std::u16string& S,
                                                 const T2_longint_rec& Rec) {
  return add_with_payload<T2LongIntHolder>(*this, S, Rec);
}
std::int32_t TStringListWith2LongintList::AddOrIncOne(const std::u16string& S,
                                                      const T2_longint_rec& Rec) {
  std::int32_t i = IndexOf(S);
  if (i < 0) return AddOne(S, Rec);
  if (auto* h = payload_for_setting<T2LongIntHolder>(*this, i)) {
    h->data.long0 = detail::wrapping_add(h->data.long0, Rec.long0);
    h->data.long1 = detail::wrapping_add(h->data.long1, Rec.long1);
  }
  return i;
}
T2_longint_rec TStringListWith2LongintList::GetOne(std::int32_t Index) {
  auto* h = payload<T2LongIntHolder>(*this, Index);
  return h ? h->data : T2_longint_rec{};
}
void TStringListWith2LongintList::SetOne(std::int32_t Index, const T2_longint_rec& Rec) {
  if (auto* h = payload_for_setting<T2LongIntHolder>(*this, Index)) h->data = Rec;
}
void TStringListWith2LongintList::AddToOneFreq(std::int32_t Index, std::int32_t Amount,
                                               T2LongintSort key) {
  if (auto* h = payload_for_setting<T2LongIntHolder>(*this, Index)) {
    std::int32_t& f = key == t2_long1 ? h->data.long1 : h->data.long0;
    f = detail::wrapping_add(f, Amount);
  }
}
void TStringListWith2LongintList::IncOne(std::int32_t Index, T2LongintSort key) {
  AddToOneFreq(Index, 1, key);
}
std::int32_t TStringListWith2LongintList::Repeateds(T2LongintSort key) {
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < Count(); ++i) {
    T2_longint_rec r = GetOne(i);
    if ((key == t2_long1 ? r.long1 : r.long0) > 1) ++n;
  }
  return n;
}
void TStringListWith2LongintList::SortOnFreq() {
  CustomSort(two_long_freq);
}

// ---- TStringListWithLongintList

std::int32_t TStringListWithLongintList::AddOrIncOne(const std::u16string& S, std::int32_t Value) {
  std::int32_t i = IndexOf(S);
  if (i >= 0) {
    TCVLongintList* list = payload_for_setting<TCVLongintList>(*this, i);
    if (list == nullptr) return 0;
    if (list->IndexOf(Value) < 0) list->AddOne(Value);
    return list->Count();
  }
  auto list = std::make_unique<TCVLongintList>();
  list->AddOne(Value);
  std::int32_t count = list->Count();
  std::int32_t index = AddObject(S, list.get());
  if (GetObject(index) == list.get()) list.release();
  return count;
}
TCVLongintList* TStringListWithLongintList::GetOne(std::int32_t Index) {
  return payload<TCVLongintList>(*this, Index);
}

// ---- TStringListWithStringAndMeanAndSD_rec

std::int32_t TStringListWithStringAndMeanAndSD_rec::AddOne(const std::u16string& S,
                                                           const TStringAndMeanAndSD_rec& Rec) {
  return add_with_payload<TStringAndMeanAndSD_recHolder>(*this, S, Rec);
}
TStringAndMeanAndSD_rec TStringListWithStringAndMeanAndSD_rec::GetOne(std::int32_t Index) {
  auto* h = payload<TStringAndMeanAndSD_recHolder>(*this, Index);
  return h ? h->data : TStringAndMeanAndSD_rec{};
}
void TStringListWithStringAndMeanAndSD_rec::SetOne(std::int32_t Index,
                                                   const TStringAndMeanAndSD_rec& Rec) {
  if (auto* h = payload_for_setting<TStringAndMeanAndSD_recHolder>(*this, Index)) h->data = Rec;
}
void TStringListWithStringAndMeanAndSD_rec::SortOnMeans() {
  CustomSort(means_desc);
}

// ---- Frequencies in the object slots

std::int32_t StringListCompareDescFreq(TStringList* List, std::int32_t Index1,
                                       std::int32_t Index2) {
  int c = CompareLongints(int_from_object(List->GetObject(Index2)),
                          int_from_object(List->GetObject(Index1)));
  return c != 0 ? c : Compare2Strings(List->Get(Index1), List->Get(Index2));
}

void TStringListWithFreqPointers::SortOnFreq() {
  CustomSort(StringListCompareDescFreq);
}

}  // namespace corvane
