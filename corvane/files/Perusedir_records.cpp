// The records of a folder search: the owning list with its sorts and look-up, the files of
// one folder, and both stream formats.
#include <cstdio>

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/files/Perusedir.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Streams_endian.hpp"
#include "corvane/rtl/Strings.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

const TMySearchRec& rec_of(void* item) {
  return static_cast<TMySearchRecHolder*>(item)->data;
}

int by_name(const TMySearchRec& a, const TMySearchRec& b) {
  return CompareText(a.ShortName, b.ShortName);
}
int by_date(const TMySearchRec& a, const TMySearchRec& b) {
  return CompareDates(a.DateTime, b.DateTime);
}
int by_size(const TMySearchRec& a, const TMySearchRec& b) {
  return CompareLongints(a.Size, b.Size);
}
int by_attr(const TMySearchRec& a, const TMySearchRec& b) {
  return CompareLongints(a.Attr, b.Attr);
}
int by_extension(const TMySearchRec& a, const TMySearchRec& b) {
  return CompareText(ExtractFileExt(a.ShortName), ExtractFileExt(b.ShortName));
}

using rec_compare = int (*)(const TMySearchRec&, const TMySearchRec&);

rec_compare comparison_for(TMySearchRecSort sort) {
  switch (sort) {
    case sr_sort_by_name:
      return by_name;
    case sr_sort_by_date:
      return by_date;
    case sr_sort_by_size:
      return by_size;
    case sr_sort_by_attr:
      return by_attr;
    case sr_sort_by_extension:
      return by_extension;
    case sr_sort_none:
      break;
  }
  return nullptr;
}

template <rec_compare compare>
int list_compare(void* a, void* b) {
  return compare(rec_of(a), rec_of(b));
}

TListSortCompare list_comparison_for(TMySearchRecSort sort) {
  switch (sort) {
    case sr_sort_by_name:
      return list_compare<by_name>;
    case sr_sort_by_date:
      return list_compare<by_date>;
    case sr_sort_by_size:
      return list_compare<by_size>;
    case sr_sort_by_attr:
      return list_compare<by_attr>;
    case sr_sort_by_extension:
      return list_compare<by_extension>;
    case sr_sort_none:
      break;
  }
  return nullptr;
}

}  // namespace

TMySearchRecHolder::TMySearchRecHolder(const TMySearchRec& rec) : data(rec) {}

bool SameMySearchRec(const TMySearchRec& a, const TMySearchRec& b) {
  return a.Size == b.Size && a.DateTime == b.DateTime && a.ShortName == b.ShortName;
}

// ---- TMySearchRecList

TMySearchRecList::~TMySearchRecList() {
  TMySearchRecList::Clear();
}

void TMySearchRecList::Clear() {
  for (std::int32_t i = 0; i < Count(); ++i) {
    delete static_cast<TMySearchRecHolder*>(Get(i));
    Put(i, nullptr);
  }
  TList::Clear();
  fSort = sr_sort_none;
}

std::int32_t TMySearchRecList::AddOne(const TMySearchRec& rec) {
  auto holder = std::make_unique<TMySearchRecHolder>(rec);
  const std::int32_t index = Add(holder.get());
  holder.release();
  return index;
}

TMySearchRec TMySearchRecList::GetAMySearchRec(std::int32_t Index) const {
  if (Index < 0 || Index >= Count() || Get(Index) == nullptr) return {};
  return rec_of(Get(Index));
}

void TMySearchRecList::SetSort(TMySearchRecSort Sort) {
  if (Sort == fSort) return;
  fSort = Sort;
  if (const TListSortCompare compare = list_comparison_for(Sort)) TList::Sort(compare);
}

std::int32_t TMySearchRecList::Find(const TMySearchRec& Rec) const {
  auto linear = [&]() -> std::int32_t {
    for (std::int32_t i = 0; i < Count(); ++i)
      if (Get(i) != nullptr && SameMySearchRec(rec_of(Get(i)), Rec)) return i;
    return -1;
  };
  const rec_compare compare = comparison_for(fSort);
  if (compare == nullptr) return linear();
  std::int32_t lo = 0;
  std::int32_t hi = Count() - 1;
  while (lo <= hi) {
    MyYieldProcess();
    const std::int32_t mid = lo + (hi - lo) / 2;
    if (Get(mid) == nullptr) return linear();
    const TMySearchRec& element = rec_of(Get(mid));
    const int c = compare(element, Rec);
    if (c == 0) return SameMySearchRec(element, Rec) ? mid : linear();
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  return -1;
}

std::int32_t TMySearchRecList::IndexOF(const TMySearchRec& Rec) const {
  return Find(Rec);
}

bool TMySearchRecList::ReadFromStream(TStream& Stream) {
  const std::int32_t count = read_i32(Stream);
  // One element at a time: a count the stream cannot back fails on its short read
  // before anything is allocated for it.
  for (std::int32_t i = 0; i < count; ++i) {
    TMySearchRec rec;
    rec.DateTime = read_double(Stream);
    rec.Size = read_i32(Stream);
    rec.Attr = read_i32(Stream);
    rec.Number_Within_Zip = read_i16(Stream);
    read_u16(Stream);  // padding
    ReadAString(Stream, rec.ShortName);
    AddOne(rec);
  }
  return true;
}

bool TMySearchRecList::SaveToStream(TStream& Stream) const {
  write_i32(Stream, Count());
  for (std::int32_t i = 0; i < Count(); ++i) {
    const TMySearchRec rec = GetAMySearchRec(i);
    write_double(Stream, rec.DateTime);
    write_i32(Stream, rec.Size);
    write_i32(Stream, rec.Attr);
    write_i16(Stream, rec.Number_Within_Zip);
    write_u16(Stream, 0);
    WriteAString(Stream, rec.ShortName);
  }
  return true;
}

// ---- TFolderful

TFolderful::TFolderful(const std::u16string& DirName)
    : fThisList(std::make_unique<TMySearchRecList>()),
      fDirname(IncludeTrailingPathDelimiter(DirName)) {}

TFolderful::~TFolderful() = default;

void TFolderful::Clear() {
  if (fThisList) fThisList->Clear();
}

bool TFolderful::ReadFromStream(TStream& Stream) {
  const std::uint8_t sort = read_u8(Stream);
  fSort = sort <= sr_sort_by_extension ? static_cast<TMySearchRecSort>(sort) : sr_sort_none;
  fstarts = read_i32(Stream);
  fends = read_i32(Stream);
  fdirnum = read_i32(Stream);
  ReadAString(Stream, fDirname);
  if (!fThisList) fThisList = std::make_unique<TMySearchRecList>();
  fThisList->Clear();
  return fThisList->ReadFromStream(Stream);
}

bool TFolderful::SaveToStream(TStream& Stream) {
  write_u8(Stream, static_cast<std::uint8_t>(fSort));
  write_i32(Stream, fstarts);
  write_i32(Stream, fends);
  write_i32(Stream, fdirnum);
  WriteAString(Stream, fDirname);
  if (fThisList) return fThisList->SaveToStream(Stream);
  write_i32(Stream, 0);
  return true;
}

bool TFolderful::ReadFromFile(TStream& Stream) {
  return ReadFromStream(Stream);
}
bool TFolderful::SaveToFile(TStream& Stream) {
  return SaveToStream(Stream);
}

std::int32_t TFolderful::TotalFiles() const {
  if (!fProcessing_files || !fThisList) return 0;
  return fThisList->Count();
}

bool TFolderful::Empty() const {
  return TotalFiles() == 0;
}

bool TFolderful::valid(std::int32_t i) const {
  return i >= 0 && i < TotalFiles();
}

std::u16string TFolderful::ShortName(std::int32_t i) const {
  return valid(i) ? fThisList->GetAMySearchRec(i).ShortName : std::u16string();
}

std::u16string TFolderful::FullName(std::int32_t i) const {
  return valid(i) ? fDirname + ShortName(i) : std::u16string();
}

void TFolderful::SetFullName(std::int32_t i, const std::u16string& FullName) {
  const std::u16string old_name = this->FullName(i);
  if (old_name.empty() ||
      std::rename(utf16_to_utf8(old_name).c_str(), utf16_to_utf8(FullName).c_str()) != 0)
    throw Exception(u"cannot rename " + old_name);
  static_cast<TMySearchRecHolder*>(fThisList->Get(i))->data.ShortName = ExtractFileName(FullName);
}

TMySearchRec TFolderful::SearchRec(std::int32_t i) const {
  return valid(i) ? fThisList->GetAMySearchRec(i) : TMySearchRec{};
}

TMySimpleSearchRec TFolderful::SimpleSearchRec(std::int32_t i) const {
  const TMySearchRec rec = SearchRec(i);
  TMySimpleSearchRec simple;
  simple.DateTime = rec.DateTime;
  simple.Size = rec.Size;
  simple.ShortName = rec.ShortName;
  return simple;
}

std::int32_t TFolderful::FileSize(std::int32_t i) const {
  return valid(i) ? fThisList->GetAMySearchRec(i).Size : -1;
}

bool TFolderful::InAZip(std::int32_t i) const {
  return SearchRec(i).Number_Within_Zip > 0;
}

void TFolderful::SetSort(TMySearchRecSort Sort) {
  if (fThisList) fThisList->SetSort(Sort);
  fSort = Sort;
}

}  // namespace corvane
