#pragma once
// The typed lists built on TUsefulBaseList / TUsefulBaseListSorts, their holders and
// stream formats, and the string lists that carry a payload per entry.
//
// Look-ups named GetAValue, GetADouble, GetOne (and the payload lists' getters) give a
// zero or -1 result for an index outside the list or an empty slot; other index arguments
// outside the list raise the pointer list's EListError. Setters do nothing on an empty
// slot.

#include <cstdint>
#include <string>

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

// ---- Holders (stream formats, little-endian, fields in the order given)

// 8 bytes: int, s.
class TIntegerAndSingleHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 8;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  TIntegerAndSingleRec data;
};

// 8 bytes: c, f.
class TCardinalAndFreqHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 8;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  TCardinalAndFreq data;
};

// 12 bytes: long0, long1, s.
class T2LongIntAndSingleHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 12;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  T2LongintAndSingleRec data;
};

// 16 bytes: long0, long1, long2, s.
class T3LongIntAndSingleHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 16;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  T3LongintAndSingleRec data;
};

// int1, int2 (8 bytes), then s1 and s2 as WriteAString writes them. Reading succeeds when
// the 8 bytes were there; a damaged string raises ReadAString's error.
class T2StringsAnd2IntegersHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 16;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  T2StringsAnd2IntegersRec data;
};

// true_column_number, background_colour (8 bytes), then s as WriteAString writes it.
// Always succeeds; a damaged string raises ReadAString's error.
class TStringTrueColumnAndColourHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 12;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  TStringTrueColumnAndColourRec data;
};

// Holders without a stream format (0 bytes).
class T2LongIntHolder : public TUsefulBaseListObject {
 public:
  T2_longint_rec data;
};
class T3LongIntHolder : public TUsefulBaseListObject {
 public:
  T3_longint_rec data;
};
class T4LongIntHolder : public TUsefulBaseListObject {
 public:
  T4_longint_rec data;
};
// The pointers are not owned.
class TDoublePointerHolder : public TUsefulBaseListObject {
 public:
  T2_Pointer data;
};
class TWordFreqAndSourceNumHolder : public TUsefulBaseListObject {
 public:
  TWordFreqAndSourceNum data;
};
class TStringAndMeanAndSD_recHolder : public TUsefulBaseListObject {
 public:
  TStringAndMeanAndSD_rec data;
};

// Outside the base family.
class TSmallIntHolder : public TObject {
 public:
  std::int16_t int_ = 0;
};
class TPublicIntegerHolder : public TObject {
 public:
  std::int32_t data = 0;
};

// ---- Lists of numbers

class TCVLongintList : public TUsefulBaseListSorts {
 public:
  TCVLongintList() : TUsefulBaseListSorts(class_of<TLongIntHolder>()) {}
  std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2) override;
  // Binary search; sets nearest. With equal values, the first middle that hits one.
  std::int32_t Find(std::int32_t Value);
  // Sorted: inserted before an equal value found, else beside `nearest`; unsorted: appended.
  void AddOne(std::int32_t Value);
  void AddOneIfNotInAlready(std::int32_t Value);
  // Find when sorted, else the first equal value from the start; -1 when absent.
  std::int32_t IndexOf(std::int32_t Value);
  void InsertOne(std::int32_t Index, std::int32_t Value);
  // -1 when Index >= Count or the slot is empty.
  std::int32_t GetAValue(std::int32_t Index);
  // Find, then FreeAndNilOne (the slot stays); returns the index or -1.
  virtual std::int32_t FindAndFree(std::int32_t Value);
  void SortAscendingDefault();
};

class TCVActiveLongintList : public TCVLongintList {
 public:
  std::int32_t GetCurrentItem() const { return fcurrentItem; }
  void SetCurrentItem(std::int32_t value) { fcurrentItem = value; }
  void AddOneAndSetCountCurrent(std::int32_t Value);
  void Clear() override;
  std::int32_t FindAndFree(std::int32_t Value) override;
  // The current item's value, or -1 when the current index is outside the list.
  std::int32_t CurrentItemValue();

  std::int32_t fcurrentItem = -1;
};

class TCardinalList : public TUsefulBaseListSorts {
 public:
  TCardinalList() : TUsefulBaseListSorts(class_of<TCardinalHolder>()) {}
  std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2) override;
  void SortAscendingDefault();
  std::int32_t Find(std::uint32_t Value);
  std::int32_t IndexOf(std::uint32_t Value);
  // Always appends.
  void AddOne(std::uint32_t Value);
  void InsertOne(std::int32_t Index, std::uint32_t Value);
  // 0xFFFFFFFF (-1) when Index >= Count or the slot is empty.
  std::uint32_t GetAValue(std::int32_t Index);
};

class TCVInt64List : public TUsefulBaseListSorts {
 public:
  TCVInt64List() : TUsefulBaseListSorts(class_of<TInt64Holder>()) {}
  std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2) override;
  void SortAscendingDefault();
  std::int32_t FindInSorted(std::int64_t Value);
  std::int32_t IndexOf(std::int64_t Value);
  // Sorted insert when sorted, else appended.
  void AddOne(std::int64_t Value);
  // -1 when Index >= Count or the slot is empty.
  std::int64_t GetAValue(std::int32_t Index);
};

// ---- Lists of records with a single

class TIntegerAndSingleList : public TUsefulBaseListSorts {
 public:
  TIntegerAndSingleList() : TUsefulBaseListSorts(class_of<TIntegerAndSingleHolder>()) {}
  std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2) override;
  // On s, ascending.
  void SortAscendingDefault();
  std::int32_t Find(float Value);
  std::int32_t IndexOfSingle(float Value);
  std::int32_t IndexOfInteger(std::int32_t Value);
  void AddOne(const TIntegerAndSingleRec& Rec);
  TIntegerAndSingleRec GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, const TIntegerAndSingleRec& Rec);
};

class T2LongintAndSingleList : public TUsefulBaseListSorts {
 public:
  T2LongintAndSingleList() : TUsefulBaseListSorts(class_of<T2LongIntAndSingleHolder>()) {}
  std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2) override;
  void SortAscendingDefault();
  std::int32_t Find(float Value);
  std::int32_t IndexOfInteger0(std::int32_t Value);
  std::int32_t IndexOfInteger1(std::int32_t Value);
  std::int32_t IndexOfSingle(float Value);
  void AddOne(const T2LongintAndSingleRec& Rec);
  T2LongintAndSingleRec GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, const T2LongintAndSingleRec& Rec);
};

class T3LongintAndSingleList : public TUsefulBaseListSorts {
 public:
  T3LongintAndSingleList() : TUsefulBaseListSorts(class_of<T3LongIntAndSingleHolder>()) {}
  std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2) override;
  void SortAscendingDefault();
  std::int32_t Find(float Value);
  std::int32_t IndexOfInteger0(std::int32_t Value);
  std::int32_t IndexOfInteger1(std::int32_t Value);
  std::int32_t IndexOfInteger2(std::int32_t Value);
  std::int32_t IndexOfSingle(float Value);
  void AddOne(const T3LongintAndSingleRec& Rec);
  T3LongintAndSingleRec GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, const T3LongintAndSingleRec& Rec);
};

class TCardinalAndFreqList : public TUsefulBaseListSorts {
 public:
  TCardinalAndFreqList() : TUsefulBaseListSorts(class_of<TCardinalAndFreqHolder>()) {}
  // On c.
  std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2) override;
  void SortOnCardinals();
  // On f; descending when Descending.
  void SortOnFrequencies(bool Descending);
  std::int32_t Find(std::uint32_t c);
  std::int32_t IndexOf(std::uint32_t c);
  // An entry with rec.c present gets f + 1; otherwise rec is inserted (sorted) or appended.
  void AddOneOrIncFreq(const TCardinalAndFreq& Rec);
  // Zeros for an index outside the list or an empty slot.
  TCardinalAndFreq GetACardAndFreq(std::int32_t Index);
  void SetACardAndFreq(std::int32_t Index, const TCardinalAndFreq& Rec);
};

// Not sortable in the sense of `sorted`.
class TIntegerAnd3CardinalsList : public TUsefulBaseList {
 public:
  TIntegerAnd3CardinalsList() : TUsefulBaseList(class_of<TIntegerAnd3CardinalsHolder>()) {}
  // The pointer list's sort on freq compared as unsigned.
  void SortAscendingDefault();
  void AddOne(const TIntegerAnd3CardinalsRec& Rec);
  TIntegerAnd3CardinalsRec GetAValue(std::int32_t Index);
  void SetAFreq(std::int32_t Index, std::int32_t Freq);
};

// ---- Lists of 2, 3 and 4 integers, sorted on chosen fields

enum T2LongintSort { t2_long0, t2_long1 };
enum T3LongintSort { t3_long0, t3_long1, t3_long2 };
enum T4LongintSort { t4_long0, t4_long1, t4_long2, t4_long3 };

class T2LongintList : public TUsefulBaseListSorts {
 public:
  T2LongintList() : TUsefulBaseListSorts(class_of<T2LongIntHolder>()) {}
  void SortDefault(T2LongintSort key);
  // Equal keys: SortDefault(k1); else by k1, then k2.
  void DoubleSort(T2LongintSort k1, T2LongintSort k2);
  void AddOne(const T2_longint_rec& Rec);
  // (-1, -1) for an index outside the list or an empty slot.
  T2_longint_rec GetADouble(std::int32_t Index);
  void SetADouble(std::int32_t Index, const T2_longint_rec& Rec);
  void AddToOneFreq(std::int32_t Index, std::int32_t Amount, T2LongintSort key);
  void IncOne(std::int32_t Index, T2LongintSort key);
  std::int32_t LongIndexOf(std::int32_t Value, T2LongintSort key);
  // Sum of the field, wrapping at 32 bits.
  std::int32_t TotalOf(T2LongintSort key);
};

class T3LongintList : public TUsefulBaseListSorts {
 public:
  T3LongintList() : TUsefulBaseListSorts(class_of<T3LongIntHolder>()) {}
  void SortDefault(T3LongintSort key);
  void DoubleSort(T3LongintSort k1, T3LongintSort k2);
  // All distinct: by k1, k2, k3. k3 equal to k1 or k2: DoubleSort(k1, k2). k1 equal to
  // k2: nothing is sorted.
  void TripleSort(T3LongintSort k1, T3LongintSort k2, T3LongintSort k3);
  void AddOne(const T3_longint_rec& Rec);
  // (-1, -1, -1) for an index outside the list or an empty slot.
  T3_longint_rec GetATriple(std::int32_t Index);
  void SetATriple(std::int32_t Index, const T3_longint_rec& Rec);
  void AddToOneFreq(std::int32_t Index, std::int32_t Amount, T3LongintSort key);
  void IncOne(std::int32_t Index, T3LongintSort key);
  std::int32_t LongIndexOf(std::int32_t Value, T3LongintSort key);
};

class T4LongintList : public TUsefulBaseListSorts {
 public:
  T4LongintList() : TUsefulBaseListSorts(class_of<T4LongIntHolder>()) {}
  void SortDefault(T4LongintSort key);
  void DoubleSort(T4LongintSort k1, T4LongintSort k2);
  void TripleSort(T4LongintSort k1, T4LongintSort k2, T4LongintSort k3);
  void AddOne(const T4_longint_rec& Rec);
  // All -1 for an index outside the list or an empty slot.
  T4_longint_rec GetAQuad(std::int32_t Index);
  void SetAQuad(std::int32_t Index, const T4_longint_rec& Rec);
  void AddToOneFreq(std::int32_t Index, std::int32_t Amount, T4LongintSort key);
  void IncOne(std::int32_t Index, T4LongintSort key);
  std::int32_t LongIndexOf(std::int32_t Value, T4LongintSort key);
};

// ---- Other record lists

class TDoublePointerList : public TUsefulBaseList {
 public:
  TDoublePointerList() : TUsefulBaseList(class_of<TDoublePointerHolder>()) {}
  void AddOne(const T2_Pointer& Rec);
  // Two null pointers for an index outside the list or an empty slot.
  T2_Pointer GetADoublePointer(std::int32_t Index);
  void SetADoublePointer(std::int32_t Index, const T2_Pointer& Rec);
};

class TStringColumnAndColourList : public TUsefulBaseList {
 public:
  TStringColumnAndColourList() : TUsefulBaseList(class_of<TStringTrueColumnAndColourHolder>()) {}
  void AddOne(const TStringTrueColumnAndColourRec& Rec);
  std::int32_t IndexOfTrueColumn(std::int32_t Column);
  // Empty string, 0 or a zero record for an index outside the list or an empty slot.
  std::u16string GetString(std::int32_t Index);
  std::int32_t GetTrueColumn(std::int32_t Index);
  std::int32_t GetBackgroundColour(std::int32_t Index);
  TStringTrueColumnAndColourRec GetRec(std::int32_t Index);
  void SetString(std::int32_t Index, const std::u16string& S);
  void SetTrueColumn(std::int32_t Index, std::int32_t Column);
  void SetBackgroundColour(std::int32_t Index, std::int32_t Colour);
  void SetRec(std::int32_t Index, const TStringTrueColumnAndColourRec& Rec);
};

class T2StringsAnd2IntegersList : public TUsefulBaseList {
 public:
  T2StringsAnd2IntegersList() : TUsefulBaseList(class_of<T2StringsAnd2IntegersHolder>()) {}
  void AddOne(const T2StringsAnd2IntegersRec& Rec);
  // A zero record for an index outside the list or an empty slot.
  T2StringsAnd2IntegersRec GetTwoStringsAndInt(std::int32_t Index);
};

class TWordFreqAndSourceNumList : public TUsefulBaseListSorts {
 public:
  TWordFreqAndSourceNumList() : TUsefulBaseListSorts(class_of<TWordFreqAndSourceNumHolder>()) {}
  // By f, descending.
  void SortOnFreqs();
  // Appends; returns the index.
  std::int32_t AddOne(const TWordFreqAndSourceNum& Rec);
  // All zero outside 0..Count-1 or for an empty slot.
  TWordFreqAndSourceNum GetOne(std::int32_t Index);
  // The element at the cursor (zeros past the end); the cursor moves on by one.
  TWordFreqAndSourceNum GetNext();
  // The largest f, at least 0.
  std::int32_t HighestFrequency();

  // The cursor of GetNext (named `this` in the list's interface).
  std::int32_t this_ = 0;
};

// A pointer list of TSmallIntHolder, outside the base family; its stream carries no count.
class TSmallintList : public TList {
 public:
  TSmallintList() = default;
  ~TSmallintList() override;
  // Reads Count elements of 2 bytes and appends them. Elements the stream cannot hold are
  // not created. Always true.
  bool ReadFromStream(std::int32_t Count, TStream& Stream);
  // 2 bytes per element, no count. Always true.
  bool SaveToStream(TStream& Stream);
  void Clear() override;
  void AddOne(std::int16_t Value);
  std::int16_t GetAValue(std::int32_t Index);

 protected:
  void Notify(void* item, TListNotification action) override;
};

// ---- String lists with checks and payloads

class TIndexCheckStringlist : public TStringList {
 public:
  using TStringList::TStringList;
  // True when 0 <= Index < Count.
  bool IndexAssignedOK(std::int32_t Index) const { return Index >= 0 && Index < Count(); }
  // Reverses the entries (strings and objects together).
  void ReverseTheSort();
};

class TIndexCheckList : public TList {
 public:
  bool IndexAssignedOK(std::int32_t Index) const { return Index >= 0 && Index < Count(); }
};

// A string list whose object slots hold 32-bit values. Stream: count (4 bytes), then per
// entry the slot value (4 bytes, only when save_Objects_too) and the string (WriteAString).
class TMySaveStringList : public TIndexCheckStringlist {
 public:
  explicit TMySaveStringList(bool save_objects_too) : save_Objects_too(save_objects_too) {}
  void SaveToStream(TStream& Stream) override;
  // Appends what the stream holds. A stream that ends inside a count or a value stops the
  // load; a damaged string raises ReadAString's error (entries read before it stay).
  void LoadFromStream(TStream& Stream) override;

  bool save_Objects_too;
};

class TStringListWithALongint : public TIndexCheckStringlist {
 public:
  TStringListWithALongint() : TIndexCheckStringlist(true) {}
  std::int32_t AddOne(const std::u16string& S, std::int32_t Value);
  std::int32_t GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, std::int32_t Value);
  std::int32_t HighestFrequency();
  // Value descending.
  void SortOnFreq();
  // Each line "word<TAB>number" becomes word with the number; any other line is kept
  // whole with -1.
  void SetTextStr(const std::u16string& Text) override;
};

class TStringListWithASingle : public TIndexCheckStringlist {
 public:
  TStringListWithASingle() : TIndexCheckStringlist(true) {}
  std::int32_t AddOne(const std::u16string& S, float Value);
  float GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, float Value);
  void SortOnFreq();
};

class TStringListWithIntAndSingle : public TIndexCheckStringlist {
 public:
  TStringListWithIntAndSingle() : TIndexCheckStringlist(true) {}
  std::int32_t AddOne(const std::u16string& S, const TIntegerAndSingleRec& Rec);
  TIntegerAndSingleRec GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, const TIntegerAndSingleRec& Rec);
  // true: int ascending, then s ascending; false: both descending.
  void SortOnInt(bool Flag);
  // true: s descending, then int descending; false: both ascending.
  void SortOnSingle(bool Flag);
  // true: string (ordinal) descending, then s descending; false: both ascending.
  void SortOnStrings(bool Flag);
};

class TStringListWith2LongintList : public TIndexCheckStringlist {
 public:
  TStringListWith2LongintList() : TIndexCheckStringlist(true) {}
  std::int32_t AddOne(const std::u16string& S, const T2_longint_rec& Rec);
  // Present (IndexOf): adds Rec's fields to the entry's; absent: AddOne.
  std::int32_t AddOrIncOne(const std::u16string& S, const T2_longint_rec& Rec);
  T2_longint_rec GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, const T2_longint_rec& Rec);
  // To long1 when key is t2_long1, else to long0.
  void AddToOneFreq(std::int32_t Index, std::int32_t Amount, T2LongintSort key);
  void IncOne(std::int32_t Index, T2LongintSort key);
  // How many entries have that field above 1.
  std::int32_t Repeateds(T2LongintSort key);
  // long0 descending, then long1 ascending.
  void SortOnFreq();
};

class TStringListWithLongintList : public TIndexCheckStringlist {
 public:
  TStringListWithLongintList() : TIndexCheckStringlist(true) {}
  // Adds Value to the list of S (unless there already) or a new entry; returns the count
  // of that entry's list.
  std::int32_t AddOrIncOne(const std::u16string& S, std::int32_t Value);
  // The list of the entry; null for an invalid index.
  TCVLongintList* GetOne(std::int32_t Index);
};

class TStringListWithStringAndMeanAndSD_rec : public TIndexCheckStringlist {
 public:
  TStringListWithStringAndMeanAndSD_rec() : TIndexCheckStringlist(true) {}
  std::int32_t AddOne(const std::u16string& S, const TStringAndMeanAndSD_rec& Rec);
  TStringAndMeanAndSD_rec GetOne(std::int32_t Index);
  void SetOne(std::int32_t Index, const TStringAndMeanAndSD_rec& Rec);
  // mean descending, then sd ascending.
  void SortOnMeans();
};

// The object slots hold frequencies (object_from_int), not objects.
class TStringListWithFreqPointers : public TIndexCheckStringlist {
 public:
  void SortOnFreq();
};

// For string lists whose slots hold frequencies: frequency descending, then the string
// ascending by code unit.
std::int32_t StringListCompareDescFreq(TStringList* List, std::int32_t Index1, std::int32_t Index2);

}  // namespace corvane

#include "corvane/containers/Useful_classes_file_lists.hpp"
#include "corvane/containers/Useful_classes_simple_search.hpp"
