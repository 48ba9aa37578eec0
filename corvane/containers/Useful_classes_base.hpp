#pragma once
// The streamable list family: holder objects (TUsefulBaseListObject), the owning pointer
// list that reads and writes them (TUsefulBaseList), its sortable form with binary-search
// support (TUsefulBaseListSorts), the comparison functions of the unit, the
// length-prefixed string format (ReadAString / WriteAString) and ComputedByteDivisions.
//
// Stream format of a list, little-endian: count N (4 bytes, signed), for sortable lists a
// `sorted` byte (0 or 1), then the N elements in their class's own format.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/Object.hpp"

namespace corvane {

class TStream;

// ---- Globals

namespace detail {
// How many unread elements a list reader appends after an element failed (the stream
// holds no bytes for them). 65,536 unless changed (the fuzz target lowers it).
extern std::int32_t max_unbacked_elements;
// How many elements of a class without a stream format a reader creates: such elements
// take no bytes, so the count alone says how many there are. 4 Mi (about 150 MB of
// holders) unless changed; a larger count gets that many and the result false.
extern std::int32_t max_formatless_elements;
}  // namespace detail

// The longest string, in code units, that ReadAString accepts by default.
extern std::int32_t global_string_safety_limit;
// The comparison flags handed to the locale comparison (ComparePWidechar and friends):
// NORM_IGNORECASE 0x1, NORM_IGNORENONSPACE 0x2, NORM_IGNORESYMBOLS 0x4 are honoured.
extern std::uint32_t my_default_sort;

// ---- Holders

// Base of every element ("holder") class. The base formats read and write nothing.
class TUsefulBaseListObject : public TObject {
 public:
  virtual bool ReadFromStream(TStream& Stream) { return true; }
  virtual bool SaveToStream(TStream& Stream) { return true; }
};

// A class reference to a holder class: creates instances and recognises them. min_bytes
// is the least number of bytes one element takes on a stream (0 for classes without a
// format); readers use it to bound what a damaged count can make them allocate.
struct TUsefulBaseListObjectClassInfo {
  const char* name;
  std::unique_ptr<TUsefulBaseListObject> (*create)();
  bool (*is_instance)(const TUsefulBaseListObject* object);
  std::int32_t min_bytes;
};
using TUsefulBaseListObjectClass = const TUsefulBaseListObjectClassInfo*;

// The class reference of holder class T (which names its least stream size as
// T::kMinStreamBytes, or 0 when it has no such member).
template <class T>
TUsefulBaseListObjectClass class_of() {
  static const TUsefulBaseListObjectClassInfo info{
      typeid(T).name(),
      []() -> std::unique_ptr<TUsefulBaseListObject> { return std::make_unique<T>(); },
      [](const TUsefulBaseListObject* object) { return dynamic_cast<const T*>(object) != nullptr; },
      [] {
        if constexpr (requires { T::kMinStreamBytes; }) {
          return static_cast<std::int32_t>(T::kMinStreamBytes);
        } else {
          return std::int32_t{0};
        }
      }()};
  return &info;
}

// The holders of one number each, and of TIntegerAnd3CardinalsRec; the unit's Sort
// functions compare them. Each field is written little-endian in the order given.
class TLongIntHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 4;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  std::int32_t data = 0;
};

class TCardinalHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 4;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  std::uint32_t data = 0;
};

class TSingleHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 4;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  float data = 0;
};

class TInt64Holder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 8;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  std::int64_t data = 0;
};

// 16 bytes: freq, then the three cardinals.
class TIntegerAnd3CardinalsHolder : public TUsefulBaseListObject {
 public:
  static constexpr int kMinStreamBytes = 16;
  bool ReadFromStream(TStream& Stream) override;
  bool SaveToStream(TStream& Stream) override;
  TIntegerAnd3CardinalsRec data;
};

// ---- Lists

// A pointer list that owns its elements (holders of fEntriesClass). Deleting a slot, by
// FreeAndNilOne, Delete, Clear or the destructor, frees its element; Extract hands it to
// the caller.
class TUsefulBaseList : public TList {
 public:
  explicit TUsefulBaseList(TUsefulBaseListObjectClass entries_class);
  ~TUsefulBaseList() override;

  // True when 0 <= index < Count and the slot holds an element.
  bool IndexAssignedOK(std::int32_t index) const;
  // Frees every element, drops the slots.
  void Clear() override;
  // -1 here (never equal); typed lists compare their values.
  virtual std::int32_t ComparedValues(std::int32_t index1, std::int32_t index2);
  // Frees the element at index (when there is one) and leaves the slot empty.
  virtual void FreeAndNilOne(std::int32_t index);
  // Reads the count (and, for sortable lists, the sorted byte), then appends that many
  // elements. False when a field is short or an element fails; see LoadTheInstances.
  virtual bool ReadFromStream(TStream& Stream);
  // Packs the list (empty slots cannot be written), writes the count (and the sorted
  // byte), then every element. False at the first short write or failing element.
  virtual bool SaveToStream(TStream& Stream);
  // Appends count new elements, reading each until one fails; the rest are appended
  // unread. The result is true when every element read. Elements are created as they are
  // read, never reserved ahead: after a failure at most detail::max_unbacked_elements
  // unread ones follow, and a class without a format gets at most
  // detail::max_formatless_elements (the result is false when either cuts the count
  // short), so a damaged count cannot make the reader allocate without bound.
  bool LoadTheInstances(TStream& Stream, std::int32_t count);
  // Writes the first count elements; false at the first that fails or is missing.
  bool SaveTheInstances(TStream& Stream, std::int32_t count);
  // Open (shared) and read / create and write. Open and create errors propagate. Saving
  // writes beside the file and renames, so the old file stays unless the new is complete.
  bool LoadFromFile(const std::u16string& FileName);
  bool SaveToFile(const std::u16string& FileName);

  TUsefulBaseListObjectClass fEntriesClass;
  // The element most recently created, added or handled by the list's own loops.
  TUsefulBaseListObject* AnInstance = nullptr;

 protected:
  void Notify(void* item, TListNotification action) override;
  // Creates an element of fEntriesClass, appends it and makes it AnInstance.
  TUsefulBaseListObject* AppendNew();
  TUsefulBaseListObject* element(std::int32_t index) const {
    return static_cast<TUsefulBaseListObject*>(List()[index]);
  }
  virtual bool WriteHeader(TStream& Stream);
  virtual bool ReadHeader(TStream& Stream);
};

// A TUsefulBaseList that knows whether it is sorted and supports binary search.
class TUsefulBaseListSorts : public TUsefulBaseList {
 public:
  explicit TUsefulBaseListSorts(TUsefulBaseListObjectClass entries_class);

  void Clear() override;
  // The pointer list's quick sort with compare; then sorted := true.
  void Sort(TListSortCompare compare);
  // Reverses the order of the slots; `sorted` is left as it was.
  void ReverseTheSort();
  // Frees the elements equal (ComparedValues 0) to the one before them in each run of
  // neighbours, then drops the empty slots.
  void RemoveDuplicates();

  // The last middle index examined by a binary search; -1 for an empty list.
  std::int32_t nearest = -1;
  bool sorted = false;

 protected:
  bool WriteHeader(TStream& Stream) override;
  bool ReadHeader(TStream& Stream) override;
};

// ---- Comparison functions (-1, 0 or 1 unless said otherwise)

std::int32_t CompareLongints(std::int32_t a, std::int32_t b);
std::int32_t CompareCardinals(std::uint32_t a, std::uint32_t b);
std::int32_t CompareInt64s(std::int64_t a, std::int64_t b);
std::int32_t CompareSingles(float a, float b);
std::int32_t Compare16BitWords(std::uint16_t a, std::uint16_t b);
std::int32_t CompareChars(char16_t a, char16_t b);
std::int32_t CompareBytes(std::uint8_t a, std::uint8_t b);
// Ordinal, by code unit.
std::int32_t Compare2Strings(std::u16string_view a, std::u16string_view b);
// Ordinal up to the first U+0000 (or the end); the difference of the first differing
// code units (0 standing for the end), so any sign and size.
std::int32_t CrudeStringComparison(std::u16string_view a, std::u16string_view b);
// The locale's collation with the flags my_default_sort, whole strings (up to a U+0000).
std::int32_t ComparePWidechar(std::uint32_t lcid, const char16_t* a, const char16_t* b);
// The same on 8-bit strings of the system code page.
std::int32_t ComparePAnsichar(std::uint32_t lcid, const char* a, const char* b);
std::int32_t LCIDStringComparison(const std::u16string& a, const std::u16string& b,
                                  std::uint32_t lcid);
// Latest first: 0 when equal, -1 when a is later, 1 when a is earlier.
std::int32_t CompareDates(double a, double b);
std::int32_t CompareJulianDates(double a, double b);
std::int32_t Compare2CardinalsCard1(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b);
std::int32_t Compare2CardinalsCard2(const Tdouble_cardinal_rec& a, const Tdouble_cardinal_rec& b);
std::int32_t CompareIntAnd2CardinalsCard1(const TIntegerAnd2CardinalsRec& a,
                                          const TIntegerAnd2CardinalsRec& b);
std::int32_t CompareIntAnd2CardinalsCard2(const TIntegerAnd2CardinalsRec& a,
                                          const TIntegerAnd2CardinalsRec& b);
std::int32_t CompareIntAnd2CardinalsFreq(const TIntegerAnd2CardinalsRec& a,
                                         const TIntegerAnd2CardinalsRec& b);
std::int32_t CompareIntAnd3CardinalsCard1(const TIntegerAnd3CardinalsRec& a,
                                          const TIntegerAnd3CardinalsRec& b);
std::int32_t CompareIntAnd3CardinalsCard2(const TIntegerAnd3CardinalsRec& a,
                                          const TIntegerAnd3CardinalsRec& b);
std::int32_t CompareIntAnd3CardinalsCard3(const TIntegerAnd3CardinalsRec& a,
                                          const TIntegerAnd3CardinalsRec& b);
// On freq, compared as unsigned.
std::int32_t CompareIntAnd3CardinalsFreq(const TIntegerAnd3CardinalsRec& a,
                                         const TIntegerAnd3CardinalsRec& b);
void ExchangeTwoDoubleCardinalRecs(Tdouble_cardinal_rec& a, Tdouble_cardinal_rec& b);
void ExchangeTwoDoubleLongintRecs(T2_longint_rec& a, T2_longint_rec& b);
void ExchangeTwoSmallAndLongRecs(TSmall_and_long_rec& a, TSmall_and_long_rec& b);
void ExchangeTwoPointerAnd2CardinalsRecs(TPointerAnd2CardinalsRec& a, TPointerAnd2CardinalsRec& b);
void ExchangeTwoIndexAndPointerRecs(TIndexAndPointerRec& a, TIndexAndPointerRec& b);

// Element comparisons for Sort, on holders of the matching type (TLongIntHolder,
// TCardinalHolder, TInt64Holder, TSingleHolder, TIntegerAnd3CardinalsHolder). An empty
// slot compares as a zero value.
std::int32_t SortLongints(void* item1, void* item2);
std::int32_t SortCardinals(void* item1, void* item2);
std::int32_t SortInt64s(void* item1, void* item2);
std::int32_t SortSingles(void* item1, void* item2);
std::int32_t SortIntegerAnd3CardinalsFreq(void* item1, void* item2);

// ---- Strings on streams

// Length L (4 bytes, signed, in code units), then the 2·L bytes of the code units. Always
// true: write results are not checked.
bool WriteAString(TStream& Stream, std::u16string_view S);
// Clears S and reads a string written by WriteAString. A negative length, one above
// MaxLength, or a stream that ends inside the length or the text raises EReadError
// "file read error : ReadAString".
void ReadAString(TStream& Stream, std::int32_t MaxLength, std::u16string& S);
void ReadAString(TStream& Stream, std::u16string& S);

// Count 64-bit values: element i is (i + 1) · (Total / Count as an IEEE single), rounded
// to the nearest integer (halves to even). Empty when Count <= 0.
std::vector<std::int64_t> ComputedByteDivisions(std::int64_t Total, std::int32_t Count);

}  // namespace corvane
