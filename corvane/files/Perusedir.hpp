#pragma once
// The files a folder search collects: records with date, size, attributes and, for a file
// inside a zip archive, its number within it; an owning list of them that sorts and
// streams itself, and the files of one folder (TFolderful).
//
// Stream format of TMySearchRecList, little-endian: count N (4 bytes, signed), then per
// record DateTime (8, IEEE double), Size (4), Attr (4), Number_Within_Zip (2), 2 bytes of
// padding (zero; ignored on reading) and ShortName as WriteAString writes it.
// Stream format of TFolderful: fSort (1 byte), fstarts, fends, fdirnum (4 bytes each),
// fDirname as WriteAString writes it, then fThisList in the list's format.

#include <cstdint>
#include <memory>
#include <string>

#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/Object.hpp"

namespace corvane {

class TStream;

enum TMySearchRecSort {
  sr_sort_none,
  sr_sort_by_name,
  sr_sort_by_date,
  sr_sort_by_size,
  sr_sort_by_attr,
  sr_sort_by_extension
};

class TMySearchRecHolder : public TObject {
 public:
  explicit TMySearchRecHolder(const TMySearchRec& rec);
  TMySearchRec data;
};

class TMySimpleSearchRecHolder : public TObject {
 public:
  explicit TMySimpleSearchRecHolder(const TMySimpleSearchRec& rec);
  TMySimpleSearchRec data;
};

// Two records are the same file when Size, DateTime and ShortName (exact case) are equal.
bool SameMySearchRec(const TMySearchRec& a, const TMySearchRec& b);

// Owns its TMySearchRecHolder elements.
class TMySearchRecList : public TList {
 public:
  TMySearchRecList() = default;
  ~TMySearchRecList() override;

  // Frees every element and forgets the sort.
  void Clear() override;
  // Appends a holder with a copy of the record; returns its index.
  std::int32_t AddOne(const TMySearchRec& rec);
  // A copy of element Index; a zero record outside 0..Count-1.
  TMySearchRec GetAMySearchRec(std::int32_t Index) const;
  // Sorts by Sort unless it is already the sort in force: names and extensions ignoring
  // letter case, dates latest first, sizes and attributes as signed numbers.
  // sr_sort_none keeps the order.
  void SetSort(TMySearchRecSort Sort);
  // The index of the element equal to Rec (see SameMySearchRec), or -1. A sorted list is
  // searched by halves with its sort's comparison, falling back to a scan from the start
  // when that comparison finds an element that sorts as Rec but is another file.
  std::int32_t Find(const TMySearchRec& Rec) const;
  std::int32_t IndexOF(const TMySearchRec& Rec) const;
  // Appends the records the stream holds (the list is not cleared first). A short read,
  // or a name longer than ReadAString's default limit, raises the stream's error.
  bool ReadFromStream(TStream& Stream);
  bool SaveToStream(TStream& Stream) const;

  TMySearchRecSort fSort = sr_sort_none;
};

// The files of one folder.
class TFolderful : public TObject {
 public:
  // fDirname := DirName with a trailing delimiter.
  explicit TFolderful(const std::u16string& DirName);
  ~TFolderful() override;

  // Empties fThisList (the list itself stays, ready to be read into).
  void Clear();
  // Reading clears fThisList first; a sort byte out of range reads as sr_sort_none.
  bool ReadFromStream(TStream& Stream);
  bool SaveToStream(TStream& Stream);
  // The same on an open file stream.
  bool ReadFromFile(TStream& Stream);
  bool SaveToFile(TStream& Stream);

  // 0 when fProcessing_files is false or there is no list, else the list's count.
  std::int32_t TotalFiles() const;
  bool Empty() const;
  std::u16string ShortName(std::int32_t i) const;
  // fDirname + the short name; "" past the end.
  std::u16string FullName(std::int32_t i) const;
  // Renames the file on disk to FullName, then keeps the new name's file part. When the
  // rename fails, raises "cannot rename <old full name>" and keeps the old name.
  void SetFullName(std::int32_t i, const std::u16string& FullName);
  TMySearchRec SearchRec(std::int32_t i) const;
  // Date, size and short name; folder_number 0.
  TMySimpleSearchRec SimpleSearchRec(std::int32_t i) const;
  // -1 past the end.
  std::int32_t FileSize(std::int32_t i) const;
  bool InAZip(std::int32_t i) const;
  const std::u16string& DirName() const { return fDirname; }
  TMySearchRecSort Sort() const { return fSort; }
  void SetSort(TMySearchRecSort Sort);

  TMySearchRecSort fSort = sr_sort_none;
  std::int32_t fdirnum = 0;
  std::int32_t fstarts = 0;
  std::int32_t fends = 0;
  std::unique_ptr<TMySearchRecList> fThisList;
  std::u16string fDirname;
  bool fProcessing_files = true;

 private:
  bool valid(std::int32_t i) const;
};

}  // namespace corvane
