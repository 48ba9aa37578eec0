// The compact list of full file names and its holder string list.
#include "corvane/containers/Useful_classes_file_lists.hpp"

#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/rtl/FileNames.hpp"

namespace corvane {

namespace {

// The folder part (with its trailing delimiter) and the file name; "" for a bare name.
void split_full_name(const std::u16string& full, std::u16string& folder, std::u16string& name) {
  folder = ExtractFilePath(full);
  name = full.substr(folder.size());
}

std::u16string folder_form(const std::u16string& folder) {
  return folder.empty() ? folder : IncludeTrailingPathDelimiter(folder);
}

// The second key of the sort under way (one sort runs at a time, on one thread).
TMySimpleSearchRecSort tie_break_key = ss_none;

const TMySimpleSearchRec& rec_at(TStringList* list, std::int32_t i) {
  return static_cast<TMySimpleSearchRecHolder*>(list->GetObject(i))->data;
}

std::int32_t compare_by(TMySimpleSearchRecSort key, const TMySimpleSearchRec& a,
                        const TMySimpleSearchRec& b) {
  switch (key) {
    case ss_date:
      return CompareDates(a.DateTime, b.DateTime);
    case ss_size:
      return CompareLongints(a.Size, b.Size);
    case ss_folder:
      return CompareLongints(a.folder_number, b.folder_number);
    case ss_shortname:
      return Compare2Strings(a.ShortName, b.ShortName);
    case ss_none:
      break;
  }
  return 0;
}

template <TMySimpleSearchRecSort First>
int compare_files(TStringList* list, std::int32_t i, std::int32_t j) {
  const TMySimpleSearchRec& a = rec_at(list, i);
  const TMySimpleSearchRec& b = rec_at(list, j);
  const std::int32_t c = compare_by(First, a, b);
  if (c != 0 || tie_break_key == ss_date) return c;
  return compare_by(tie_break_key, a, b);
}

}  // namespace

// ---- TMySimpleSearchRecHolderStringlist

TMySimpleSearchRecHolder::TMySimpleSearchRecHolder(const TMySimpleSearchRec& rec) : data(rec) {}

TMySimpleSearchRecHolderStringlist::TMySimpleSearchRecHolderStringlist()
    : TIndexCheckStringlist(true) {
  SetCaseSensitive(true);
}

std::int32_t TMySimpleSearchRecHolderStringlist::AddOne(const TMySimpleSearchRec& Rec) {
  return AddObject(Rec.ShortName, new TMySimpleSearchRecHolder(Rec));
}

TMySimpleSearchRecHolder* TMySimpleSearchRecHolderStringlist::Holder(std::int32_t Index) const {
  if (!IndexAssignedOK(Index)) return nullptr;
  return dynamic_cast<TMySimpleSearchRecHolder*>(GetObject(Index));
}

TMySimpleSearchRec TMySimpleSearchRecHolderStringlist::GetARec(std::int32_t Index) const {
  const TMySimpleSearchRecHolder* h = Holder(Index);
  return h != nullptr ? h->data : TMySimpleSearchRec{};
}

std::u16string TMySimpleSearchRecHolderStringlist::GetShortName(std::int32_t Index) const {
  const TMySimpleSearchRecHolder* h = Holder(Index);
  return h != nullptr ? h->data.ShortName : std::u16string();
}

std::int32_t TMySimpleSearchRecHolderStringlist::GetFolderNumber(std::int32_t Index) const {
  const TMySimpleSearchRecHolder* h = Holder(Index);
  return h != nullptr ? h->data.folder_number : 0;
}

// ---- TFolderEfficientFileStringlist

TFolderEfficientFileStringlist::TFolderEfficientFileStringlist() {
  folders.SetCaseSensitive(true);
}

TFolderEfficientFileStringlist::~TFolderEfficientFileStringlist() = default;

std::int32_t TFolderEfficientFileStringlist::find_folder(const std::u16string& folder) const {
  const auto it = folder_lookup_.find(folder);
  if (it != folder_lookup_.end() && it->second < folders.Count() &&
      folders.Get(it->second) == folder)
    return it->second;
  // `folders` was changed from outside (or the folder is new): learn it again.
  folder_lookup_.clear();
  std::int32_t found = -1;
  for (std::int32_t i = folders.Count() - 1; i >= 0; --i) {
    folder_lookup_[folders.Get(i)] = i;  // the first of equal folders wins
    if (folders.Get(i) == folder) found = i;
  }
  return found;
}

std::int32_t TFolderEfficientFileStringlist::folder_index(const std::u16string& folder) {
  std::int32_t i = find_folder(folder);
  if (i < 0) {
    i = folders.Add(folder);
    folder_lookup_[folder] = i;
  }
  return i;
}

std::int32_t TFolderEfficientFileStringlist::AddOne(const std::u16string& FullName) {
  std::u16string folder, name;
  split_full_name(FullName, folder, name);
  TMySimpleSearchRec rec;
  rec.ShortName = name;
  return AddOne(folder, rec);
}

std::int32_t TFolderEfficientFileStringlist::AddOne(const std::u16string& FolderName,
                                                    const TMySimpleSearchRec& Rec) {
  return AddOne(folder_index(folder_form(FolderName)), Rec);
}

std::int32_t TFolderEfficientFileStringlist::AddOne(std::int32_t FolderIndex,
                                                    const TMySimpleSearchRec& Rec) {
  TMySimpleSearchRec rec = Rec;
  rec.folder_number = FolderIndex;
  return files.AddOne(rec);
}

void TFolderEfficientFileStringlist::Delete(std::int32_t Index) {
  if (files.IndexAssignedOK(Index)) files.Delete(Index);
}

void TFolderEfficientFileStringlist::Clear() {
  files.Clear();
  folders.Clear();
  folder_lookup_.clear();
}

std::u16string TFolderEfficientFileStringlist::GetFullFilename(std::int32_t Index) const {
  const TMySimpleSearchRecHolder* h = files.Holder(Index);
  if (h == nullptr) return u"";
  const std::int32_t f = h->data.folder_number;
  if (f < 0 || f >= folders.Count()) return h->data.ShortName;
  return folder_form(folders.Get(f)) + h->data.ShortName;
}

void TFolderEfficientFileStringlist::SetFullFilename(std::int32_t Index,
                                                     const std::u16string& FullName) {
  TMySimpleSearchRecHolder* h = files.Holder(Index);
  if (h == nullptr) return;
  std::u16string folder, name;
  split_full_name(FullName, folder, name);
  h->data.folder_number = folder_index(folder);
  h->data.ShortName = name;
  files.Put(Index, name);
}

TMySimpleSearchRec TFolderEfficientFileStringlist::GetASimpleSearchRec(std::int32_t Index) const {
  return files.GetARec(Index);
}

std::int32_t TFolderEfficientFileStringlist::IndexOfFullName(const std::u16string& FullName) const {
  std::u16string folder, name;
  split_full_name(FullName, folder, name);
  const std::int32_t f = find_folder(folder);
  if (f < 0) return -1;
  for (std::int32_t i = 0; i < files.Count(); ++i) {
    const TMySimpleSearchRecHolder* h = files.Holder(i);
    if (h != nullptr && h->data.folder_number == f && h->data.ShortName == name) return i;
  }
  return -1;
}

std::int32_t TFolderEfficientFileStringlist::IndexOfShortName(
    const std::u16string& ShortName) const {
  for (std::int32_t i = 0; i < files.Count(); ++i)
    if (files.GetShortName(i) == ShortName) return i;
  return -1;
}

std::unique_ptr<TStringList> TFolderEfficientFileStringlist::GetAsStringlist() const {
  auto out = std::make_unique<TStringList>();
  out->SetCapacity(files.Count());
  for (std::int32_t i = 0; i < files.Count(); ++i) out->Add(GetFullFilename(i));
  return out;
}

void TFolderEfficientFileStringlist::DoASort(TMySimpleSearchRecSort First,
                                             TMySimpleSearchRecSort Second, bool Ascending) {
  sort_1 = First;
  sort_2 = Second;
  if (First == ss_none) return;
  tie_break_key = Second != First ? Second : ss_none;
  switch (First) {
    case ss_date:
      files.CustomSort(compare_files<ss_date>);
      break;
    case ss_size:
      files.CustomSort(compare_files<ss_size>);
      break;
    case ss_folder:
      files.CustomSort(compare_files<ss_folder>);
      break;
    case ss_shortname:
      files.CustomSort(compare_files<ss_shortname>);
      break;
    case ss_none:
      break;
  }
  tie_break_key = ss_none;
  if (!Ascending) files.ReverseTheSort();
}

}  // namespace corvane
