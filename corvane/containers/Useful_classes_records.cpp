// The lists of small records: integers with a single, cardinals with frequencies, 2 to 4
// integers with keyed sorts, pointer pairs, strings with columns, and words with sources.

#include <array>
#include <memory>
#include <utility>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/containers/Useful_classes_internal.hpp"

namespace corvane {

using detail::binary_find;
using detail::holder_at;
using detail::linear_find;
using detail::single_index_of;
using detail::sorted_insert_index;
using detail::value_at;

namespace {

template <class H, class Rec>
H* append_holder(TUsefulBaseList& list, const Rec& rec) {
  auto holder = std::make_unique<H>();
  holder->data = rec;
  H* raw = holder.get();
  list.Insert(list.Count(), raw);
  holder.release();
  list.AnInstance = raw;
  return raw;
}

template <class H, class Rec>
void insert_holder_at(TUsefulBaseList& list, std::int32_t index, const Rec& rec) {
  auto holder = std::make_unique<H>();
  holder->data = rec;
  list.Insert(index, holder.get());
  list.AnInstance = holder.release();
}

// The holder for a valid, assigned index, else null (no error).
template <class H>
H* valid_holder(const TUsefulBaseList& list, std::int32_t index) {
  return list.IndexAssignedOK(index) ? holder_at<H>(list, index) : nullptr;
}

// The holder of a setter: EListError outside the list, null for an empty slot.
template <class H>
H* setter_holder(const TUsefulBaseList& list, std::int32_t index) {
  return detail::checked_holder<H>(list, index);
}

// ---- Keyed comparisons of records of N 32-bit fields

std::int32_t field(const T2_longint_rec& r, int k) {
  return k == 0 ? r.long0 : r.long1;
}
std::int32_t field(const T3_longint_rec& r, int k) {
  return k == 0 ? r.long0 : (k == 1 ? r.long1 : r.long2);
}
std::int32_t field(const T4_longint_rec& r, int k) {
  switch (k) {
    case 0:
      return r.long0;
    case 1:
      return r.long1;
    case 2:
      return r.long2;
    default:
      return r.long3;
  }
}
std::int32_t field(const T2LongintAndSingleRec& r, int k) {
  return field(r.t2, k);
}
std::int32_t field(const T3LongintAndSingleRec& r, int k) {
  return field(r.t3, k);
}
std::int32_t& field_ref(T2_longint_rec& r, int k) {
  return k == 0 ? r.long0 : r.long1;
}
std::int32_t& field_ref(T3_longint_rec& r, int k) {
  return k == 0 ? r.long0 : (k == 1 ? r.long1 : r.long2);
}
std::int32_t& field_ref(T4_longint_rec& r, int k) {
  switch (k) {
    case 0:
      return r.long0;
    case 1:
      return r.long1;
    case 2:
      return r.long2;
    default:
      return r.long3;
  }
}

// Ascending on K1, then K2, then K3 (a key of -1 ends the chain). Empty slots compare as
// zero records.
template <class H, int K1, int K2, int K3>
int compare_on_keys(void* a, void* b) {
  static const decltype(H::data) zero{};
  auto* ha = static_cast<H*>(static_cast<TUsefulBaseListObject*>(a));
  auto* hb = static_cast<H*>(static_cast<TUsefulBaseListObject*>(b));
  const auto& ra = ha ? ha->data : zero;
  const auto& rb = hb ? hb->data : zero;
  int c = CompareLongints(field(ra, K1), field(rb, K1));
  if constexpr (K2 >= 0) {
    if (c == 0) c = CompareLongints(field(ra, K2), field(rb, K2));
  }
  if constexpr (K3 >= 0) {
    if (c == 0) c = CompareLongints(field(ra, K3), field(rb, K3));
  }
  return c;
}

// The comparison for keys (k1, k2, k3), each 0..N-1, k2 and k3 -1 for none.
template <class H, int N>
TListSortCompare keyed_compare(int k1, int k2, int k3) {
  constexpr int M = N + 1;
  static constexpr auto table = []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<TListSortCompare, sizeof...(I)>{
        &compare_on_keys<H, static_cast<int>(I) / (M * M), static_cast<int>(I) / M % M - 1,
                         static_cast<int>(I) % M - 1>...};
  }
  (std::make_index_sequence<N * M * M>{});
  return table[static_cast<std::size_t>(k1 * M * M + (k2 + 1) * M + (k3 + 1))];
}

template <class H, int N, class List>
void sort_default(List& list, int key) {
  if (key < 0 || key >= N) return;
  list.Sort(keyed_compare<H, N>(key, -1, -1));
}

template <class H, int N, class List>
void double_sort(List& list, int k1, int k2) {
  if (k1 < 0 || k1 >= N || k2 < 0 || k2 >= N) return;
  if (k1 == k2) {
    sort_default<H, N>(list, k1);
  } else {
    list.Sort(keyed_compare<H, N>(k1, k2, -1));
  }
}

template <class H, int N, class List>
void triple_sort(List& list, int k1, int k2, int k3) {
  if (k1 < 0 || k1 >= N || k2 < 0 || k2 >= N || k3 < 0 || k3 >= N) return;
  if (k1 == k2) return;  // as the list has always done: nothing is sorted
  if (k3 == k1 || k3 == k2) {
    double_sort<H, N>(list, k1, k2);
  } else {
    list.Sort(keyed_compare<H, N>(k1, k2, k3));
  }
}

template <class H>
void add_to_field(TUsefulBaseList& list, std::int32_t index, std::int32_t amount, int key) {
  if (H* h = setter_holder<H>(list, index)) {
    std::int32_t& f = field_ref(h->data, key);
    f = detail::wrapping_add(f, amount);
  }
}

template <class H>
std::int32_t long_index_of(const TUsefulBaseList& list, std::int32_t value, int key) {
  return linear_find(list, [&](std::int32_t i) {
    H* h = holder_at<H>(list, i);
    return h != nullptr && field(h->data, key) == value;
  });
}

// ---- Comparisons on singles and frequencies

template <class H, class Get>
int compare_by(void* a, void* b, Get get) {
  auto* ha = static_cast<H*>(static_cast<TUsefulBaseListObject*>(a));
  auto* hb = static_cast<H*>(static_cast<TUsefulBaseListObject*>(b));
  static const decltype(H::data) zero{};
  return get(ha ? ha->data : zero, hb ? hb->data : zero);
}

int int_and_single_on_s(void* a, void* b) {
  return compare_by<TIntegerAndSingleHolder>(
      a, b, [](const auto& x, const auto& y) { return CompareSingles(x.s, y.s); });
}
int two_long_and_single_on_s(void* a, void* b) {
  return compare_by<T2LongIntAndSingleHolder>(
      a, b, [](const auto& x, const auto& y) { return CompareSingles(x.s, y.s); });
}
int three_long_and_single_on_s(void* a, void* b) {
  return compare_by<T3LongIntAndSingleHolder>(
      a, b, [](const auto& x, const auto& y) { return CompareSingles(x.s, y.s); });
}
int cardinal_and_freq_on_c(void* a, void* b) {
  return compare_by<TCardinalAndFreqHolder>(
      a, b, [](const auto& x, const auto& y) { return CompareCardinals(x.c, y.c); });
}
int cardinal_and_freq_on_f(void* a, void* b) {
  return compare_by<TCardinalAndFreqHolder>(
      a, b, [](const auto& x, const auto& y) { return CompareLongints(x.f, y.f); });
}
int cardinal_and_freq_on_f_desc(void* a, void* b) {
  return compare_by<TCardinalAndFreqHolder>(
      a, b, [](const auto& x, const auto& y) { return CompareLongints(y.f, x.f); });
}
int word_freq_desc(void* a, void* b) {
  return compare_by<TWordFreqAndSourceNumHolder>(
      a, b, [](const auto& x, const auto& y) { return CompareLongints(y.f, x.f); });
}

}  // namespace

// ---- TIntegerAndSingleList

std::int32_t TIntegerAndSingleList::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return CompareSingles(value_at<TIntegerAndSingleHolder>(*this, index1).s,
                        value_at<TIntegerAndSingleHolder>(*this, index2).s);
}
void TIntegerAndSingleList::SortAscendingDefault() {
  Sort(int_and_single_on_s);
}
std::int32_t TIntegerAndSingleList::Find(float Value) {
  return binary_find(*this, [&](std::int32_t i) {
    return CompareSingles(value_at<TIntegerAndSingleHolder>(*this, i).s, Value);
  });
}
std::int32_t TIntegerAndSingleList::IndexOfSingle(float Value) {
  return single_index_of<TIntegerAndSingleHolder>(*this, Value);
}
std::int32_t TIntegerAndSingleList::IndexOfInteger(std::int32_t Value) {
  return linear_find(*this, [&](std::int32_t i) {
    auto* h = holder_at<TIntegerAndSingleHolder>(*this, i);
    return h != nullptr && h->data.int_ == Value;
  });
}
void TIntegerAndSingleList::AddOne(const TIntegerAndSingleRec& Rec) {
  append_holder<TIntegerAndSingleHolder>(*this, Rec);
}
TIntegerAndSingleRec TIntegerAndSingleList::GetOne(std::int32_t Index) {
  auto* h = valid_holder<TIntegerAndSingleHolder>(*this, Index);
  return h ? h->data : TIntegerAndSingleRec{};
}
void TIntegerAndSingleList::SetOne(std::int32_t Index, const TIntegerAndSingleRec& Rec) {
  if (auto* h = setter_holder<TIntegerAndSingleHolder>(*this, Index)) h->data = Rec;
}

// ---- T2LongintAndSingleList

std::int32_t T2LongintAndSingleList::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return CompareSingles(value_at<T2LongIntAndSingleHolder>(*this, index1).s,
                        value_at<T2LongIntAndSingleHolder>(*this, index2).s);
}
void T2LongintAndSingleList::SortAscendingDefault() {
  Sort(two_long_and_single_on_s);
}
std::int32_t T2LongintAndSingleList::Find(float Value) {
  return binary_find(*this, [&](std::int32_t i) {
    return CompareSingles(value_at<T2LongIntAndSingleHolder>(*this, i).s, Value);
  });
}
std::int32_t T2LongintAndSingleList::IndexOfInteger0(std::int32_t Value) {
  return long_index_of<T2LongIntAndSingleHolder>(*this, Value, 0);
}
std::int32_t T2LongintAndSingleList::IndexOfInteger1(std::int32_t Value) {
  return long_index_of<T2LongIntAndSingleHolder>(*this, Value, 1);
}
std::int32_t T2LongintAndSingleList::IndexOfSingle(float Value) {
  return single_index_of<T2LongIntAndSingleHolder>(*this, Value);
}
void T2LongintAndSingleList::AddOne(const T2LongintAndSingleRec& Rec) {
  append_holder<T2LongIntAndSingleHolder>(*this, Rec);
}
T2LongintAndSingleRec T2LongintAndSingleList::GetOne(std::int32_t Index) {
  auto* h = valid_holder<T2LongIntAndSingleHolder>(*this, Index);
  return h ? h->data : T2LongintAndSingleRec{};
}
void T2LongintAndSingleList::SetOne(std::int32_t Index, const T2LongintAndSingleRec& Rec) {
  if (auto* h = setter_holder<T2LongIntAndSingleHolder>(*this, Index)) h->data = Rec;
}

// ---- T3LongintAndSingleList

std::int32_t T3LongintAndSingleList::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return CompareSingles(value_at<T3LongIntAndSingleHolder>(*this, index1).s,
                        value_at<T3LongIntAndSingleHolder>(*this, index2).s);
}
void T3LongintAndSingleList::SortAscendingDefault() {
  Sort(three_long_and_single_on_s);
}
std::int32_t T3LongintAndSingleList::Find(float Value) {
  return binary_find(*this, [&](std::int32_t i) {
    return CompareSingles(value_at<T3LongIntAndSingleHolder>(*this, i).s, Value);
  });
}
std::int32_t T3LongintAndSingleList::IndexOfInteger0(std::int32_t Value) {
  return long_index_of<T3LongIntAndSingleHolder>(*this, Value, 0);
}
std::int32_t T3LongintAndSingleList::IndexOfInteger1(std::int32_t Value) {
  return long_index_of<T3LongIntAndSingleHolder>(*this, Value, 1);
}
std::int32_t T3LongintAndSingleList::IndexOfInteger2(std::int32_t Value) {
  return long_index_of<T3LongIntAndSingleHolder>(*this, Value, 2);
}
std::int32_t T3LongintAndSingleList::IndexOfSingle(float Value) {
  return single_index_of<T3LongIntAndSingleHolder>(*this, Value);
}
void T3LongintAndSingleList::AddOne(const T3LongintAndSingleRec& Rec) {
  append_holder<T3LongIntAndSingleHolder>(*this, Rec);
}
T3LongintAndSingleRec T3LongintAndSingleList::GetOne(std::int32_t Index) {
  auto* h = valid_holder<T3LongIntAndSingleHolder>(*this, Index);
  return h ? h->data : T3LongintAndSingleRec{};
}
void T3LongintAndSingleList::SetOne(std::int32_t Index, const T3LongintAndSingleRec& Rec) {
  if (auto* h = setter_holder<T3LongIntAndSingleHolder>(*this, Index)) h->data = Rec;
}

// ---- TCardinalAndFreqList

std::int32_t TCardinalAndFreqList::ComparedValues(std::int32_t index1, std::int32_t index2) {
  return CompareCardinals(value_at<TCardinalAndFreqHolder>(*this, index1).c,
                          value_at<TCardinalAndFreqHolder>(*this, index2).c);
}
void TCardinalAndFreqList::SortOnCardinals() {
  Sort(cardinal_and_freq_on_c);
}
void TCardinalAndFreqList::SortOnFrequencies(bool Descending) {
  Sort(Descending ? cardinal_and_freq_on_f_desc : cardinal_and_freq_on_f);
}
std::int32_t TCardinalAndFreqList::Find(std::uint32_t c) {
  return binary_find(*this, [&](std::int32_t i) {
    return CompareCardinals(value_at<TCardinalAndFreqHolder>(*this, i).c, c);
  });
}
std::int32_t TCardinalAndFreqList::IndexOf(std::uint32_t c) {
  if (sorted) return Find(c);
  return linear_find(*this, [&](std::int32_t i) {
    auto* h = holder_at<TCardinalAndFreqHolder>(*this, i);
    return h != nullptr && h->data.c == c;
  });
}
void TCardinalAndFreqList::AddOneOrIncFreq(const TCardinalAndFreq& Rec) {
  std::int32_t i = sorted ? Find(Rec.c) : IndexOf(Rec.c);
  if (i >= 0) {
    if (auto* h = holder_at<TCardinalAndFreqHolder>(*this, i)) {
      h->data.f = detail::wrapping_add(h->data.f, 1);
    }
    return;
  }
  if (sorted) {
    std::int32_t index = sorted_insert_index(*this, i, [&](std::int32_t k) {
      return CompareCardinals(value_at<TCardinalAndFreqHolder>(*this, k).c, Rec.c);
    });
    insert_holder_at<TCardinalAndFreqHolder>(*this, index, Rec);
  } else {
    append_holder<TCardinalAndFreqHolder>(*this, Rec);
  }
}
TCardinalAndFreq TCardinalAndFreqList::GetACardAndFreq(std::int32_t Index) {
  auto* h = valid_holder<TCardinalAndFreqHolder>(*this, Index);
  return h ? h->data : TCardinalAndFreq{};
}
void TCardinalAndFreqList::SetACardAndFreq(std::int32_t Index, const TCardinalAndFreq& Rec) {
  if (auto* h = setter_holder<TCardinalAndFreqHolder>(*this, Index)) h->data = Rec;
}

// ---- TIntegerAnd3CardinalsList

void TIntegerAnd3CardinalsList::SortAscendingDefault() {
  TList::Sort(SortIntegerAnd3CardinalsFreq);
}
void TIntegerAnd3CardinalsList::AddOne(const TIntegerAnd3CardinalsRec& Rec) {
  append_holder<TIntegerAnd3CardinalsHolder>(*this, Rec);
}
TIntegerAnd3CardinalsRec TIntegerAnd3CardinalsList::GetAValue(std::int32_t Index) {
  auto* h = valid_holder<TIntegerAnd3CardinalsHolder>(*this, Index);
  return h ? h->data : TIntegerAnd3CardinalsRec{};
}
void TIntegerAnd3CardinalsList::SetAFreq(std::int32_t Index, std::int32_t Freq) {
  if (auto* h = setter_holder<TIntegerAnd3CardinalsHolder>(*this, Index)) h->data.freq = Freq;
}

// ---- T2LongintList

void T2LongintList::SortDefault(T2LongintSort key) {
  sort_default<T2LongIntHolder, 2>(*this, key);
}
void T2LongintList::DoubleSort(T2LongintSort k1, T2LongintSort k2) {
  double_sort<T2LongIntHolder, 2>(*this, k1, k2);
}
void T2LongintList::AddOne(const T2_longint_rec& Rec) {
  append_holder<T2LongIntHolder>(*this, Rec);
}
T2_longint_rec T2LongintList::GetADouble(std::int32_t Index) {
  auto* h = valid_holder<T2LongIntHolder>(*this, Index);
  return h ? h->data : T2_longint_rec{-1, -1};
}
void T2LongintList::SetADouble(std::int32_t Index, const T2_longint_rec& Rec) {
  if (auto* h = setter_holder<T2LongIntHolder>(*this, Index)) h->data = Rec;
}
void T2LongintList::AddToOneFreq(std::int32_t Index, std::int32_t Amount, T2LongintSort key) {
  add_to_field<T2LongIntHolder>(*this, Index, Amount, key);
}
void T2LongintList::IncOne(std::int32_t Index, T2LongintSort key) {
  AddToOneFreq(Index, 1, key);
}
std::int32_t T2LongintList::LongIndexOf(std::int32_t Value, T2LongintSort key) {
  return long_index_of<T2LongIntHolder>(*this, Value, key);
}
std::int32_t T2LongintList::TotalOf(T2LongintSort key) {
  std::int32_t total = 0;
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (auto* h = holder_at<T2LongIntHolder>(*this, i)) {
      total = detail::wrapping_add(total, field(h->data, key));
    }
  }
  return total;
}

// ---- T3LongintList

void T3LongintList::SortDefault(T3LongintSort key) {
  sort_default<T3LongIntHolder, 3>(*this, key);
}
void T3LongintList::DoubleSort(T3LongintSort k1, T3LongintSort k2) {
  double_sort<T3LongIntHolder, 3>(*this, k1, k2);
}
void T3LongintList::TripleSort(T3LongintSort k1, T3LongintSort k2, T3LongintSort k3) {
  triple_sort<T3LongIntHolder, 3>(*this, k1, k2, k3);
}
void T3LongintList::AddOne(const T3_longint_rec& Rec) {
  append_holder<T3LongIntHolder>(*this, Rec);
}
T3_longint_rec T3LongintList::GetATriple(std::int32_t Index) {
  auto* h = valid_holder<T3LongIntHolder>(*this, Index);
  return h ? h->data : T3_longint_rec{-1, -1, -1};
}
void T3LongintList::SetATriple(std::int32_t Index, const T3_longint_rec& Rec) {
  if (auto* h = setter_holder<T3LongIntHolder>(*this, Index)) h->data = Rec;
}
void T3LongintList::AddToOneFreq(std::int32_t Index, std::int32_t Amount, T3LongintSort key) {
  add_to_field<T3LongIntHolder>(*this, Index, Amount, key);
}
void T3LongintList::IncOne(std::int32_t Index, T3LongintSort key) {
  AddToOneFreq(Index, 1, key);
}
std::int32_t T3LongintList::LongIndexOf(std::int32_t Value, T3LongintSort key) {
  return long_index_of<T3LongIntHolder>(*this, Value, key);
}

// ---- T4LongintList

void T4LongintList::SortDefault(T4LongintSort key) {
  sort_default<T4LongIntHolder, 4>(*this, key);
}
void T4LongintList::DoubleSort(T4LongintSort k1, T4LongintSort k2) {
  double_sort<T4LongIntHolder, 4>(*this, k1, k2);
}
void T4LongintList::TripleSort(T4LongintSort k1, T4LongintSort k2, T4LongintSort k3) {
  triple_sort<T4LongIntHolder, 4>(*this, k1, k2, k3);
}
void T4LongintList::AddOne(const T4_longint_rec& Rec) {
  append_holder<T4LongIntHolder>(*this, Rec);
}
T4_longint_rec T4LongintList::GetAQuad(std::int32_t Index) {
  auto* h = valid_holder<T4LongIntHolder>(*this, Index);
  return h ? h->data : T4_longint_rec{-1, -1, -1, -1};
}
void T4LongintList::SetAQuad(std::int32_t Index, const T4_longint_rec& Rec) {
  if (auto* h = setter_holder<T4LongIntHolder>(*this, Index)) h->data = Rec;
}
void T4LongintList::AddToOneFreq(std::int32_t Index, std::int32_t Amount, T4LongintSort key) {
  add_to_field<T4LongIntHolder>(*this, Index, Amount, key);
}
void T4LongintList::IncOne(std::int32_t Index, T4LongintSort key) {
  AddToOneFreq(Index, 1, key);
}
std::int32_t T4LongintList::LongIndexOf(std::int32_t Value, T4LongintSort key) {
  return long_index_of<T4LongIntHolder>(*this, Value, key);
}

// ---- TDoublePointerList

void TDoublePointerList::AddOne(const T2_Pointer& Rec) {
  append_holder<TDoublePointerHolder>(*this, Rec);
}
T2_Pointer TDoublePointerList::GetADoublePointer(std::int32_t Index) {
  auto* h = valid_holder<TDoublePointerHolder>(*this, Index);
  return h ? h->data : T2_Pointer{};
}
void TDoublePointerList::SetADoublePointer(std::int32_t Index, const T2_Pointer& Rec) {
  if (auto* h = setter_holder<TDoublePointerHolder>(*this, Index)) h->data = Rec;
}

// ---- TStringColumnAndColourList

void TStringColumnAndColourList::AddOne(const TStringTrueColumnAndColourRec& Rec) {
  append_holder<TStringTrueColumnAndColourHolder>(*this, Rec);
}
std::int32_t TStringColumnAndColourList::IndexOfTrueColumn(std::int32_t Column) {
  return linear_find(*this, [&](std::int32_t i) {
    auto* h = holder_at<TStringTrueColumnAndColourHolder>(*this, i);
    return h != nullptr && h->data.true_column_number == Column;
  });
}
TStringTrueColumnAndColourRec TStringColumnAndColourList::GetRec(std::int32_t Index) {
  auto* h = valid_holder<TStringTrueColumnAndColourHolder>(*this, Index);
  return h ? h->data : TStringTrueColumnAndColourRec{};
}
std::u16string TStringColumnAndColourList::GetString(std::int32_t Index) {
  return GetRec(Index).s;
}
std::int32_t TStringColumnAndColourList::GetTrueColumn(std::int32_t Index) {
  return GetRec(Index).true_column_number;
}
std::int32_t TStringColumnAndColourList::GetBackgroundColour(std::int32_t Index) {
  return GetRec(Index).background_colour;
}
void TStringColumnAndColourList::SetString(std::int32_t Index, const std::u16string& S) {
  if (auto* h = setter_holder<TStringTrueColumnAndColourHolder>(*this, Index)) h->data.s = S;
}
void TStringColumnAndColourList::SetTrueColumn(std::int32_t Index, std::int32_t Column) {
  if (auto* h = setter_holder<TStringTrueColumnAndColourHolder>(*this, Index)) {
    h->data.true_column_number = Column;
  }
}
void TStringColumnAndColourList::SetBackgroundColour(std::int32_t Index, std::int32_t Colour) {
  if (auto* h = setter_holder<TStringTrueColumnAndColourHolder>(*this, Index)) {
    h->data.background_colour = Colour;
  }
}
void TStringColumnAndColourList::SetRec(std::int32_t Index,
                                        const TStringTrueColumnAndColourRec& Rec) {
  if (auto* h = setter_holder<TStringTrueColumnAndColourHolder>(*this, Index)) h->data = Rec;
}

// ---- T2StringsAnd2IntegersList

void T2StringsAnd2IntegersList::AddOne(const T2StringsAnd2IntegersRec& Rec) {
  append_holder<T2StringsAnd2IntegersHolder>(*this, Rec);
}
T2StringsAnd2IntegersRec T2StringsAnd2IntegersList::GetTwoStringsAndInt(std::int32_t Index) {
  auto* h = valid_holder<T2StringsAnd2IntegersHolder>(*this, Index);
  return h ? h->data : T2StringsAnd2IntegersRec{};
}

// ---- TWordFreqAndSourceNumList

void TWordFreqAndSourceNumList::SortOnFreqs() {
  Sort(word_freq_desc);
}
std::int32_t TWordFreqAndSourceNumList::AddOne(const TWordFreqAndSourceNum& Rec) {
  append_holder<TWordFreqAndSourceNumHolder>(*this, Rec);
  return Count() - 1;
}
TWordFreqAndSourceNum TWordFreqAndSourceNumList::GetOne(std::int32_t Index) {
  auto* h = valid_holder<TWordFreqAndSourceNumHolder>(*this, Index);
  return h ? h->data : TWordFreqAndSourceNum{};
}
TWordFreqAndSourceNum TWordFreqAndSourceNumList::GetNext() {
  TWordFreqAndSourceNum result = GetOne(this_);
  if (this_ < Count()) ++this_;
  return result;
}
std::int32_t TWordFreqAndSourceNumList::HighestFrequency() {
  std::int32_t highest = 0;
  for (std::int32_t i = 0; i < Count(); ++i) {
    if (auto* h = holder_at<TWordFreqAndSourceNumHolder>(*this, i)) {
      highest = std::max(highest, h->data.f);
    }
  }
  return highest;
}

}  // namespace corvane
