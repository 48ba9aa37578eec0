#pragma once
// A compact list of full file names: each folder is stored once, each file as its short
// name with a date, a size and the number of its folder.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

class TMySimpleSearchRecHolder : public TObject {
 public:
  explicit TMySimpleSearchRecHolder(const TMySimpleSearchRec& rec);
  TMySimpleSearchRec data;
};

// A string list whose objects are TMySimpleSearchRecHolder, owned: Delete and Clear free
// them. Each entry's string is its record's short name. Case sensitive, as file names are.
class TMySimpleSearchRecHolderStringlist : public TIndexCheckStringlist {
 public:
  TMySimpleSearchRecHolderStringlist();
  // Adds an entry for the record, its string the record's short name; returns its index.
  std::int32_t AddOne(const TMySimpleSearchRec& Rec);
  // The entry's record; a zero record for an invalid index.
  TMySimpleSearchRec GetARec(std::int32_t Index) const;
  // The entry's short name; "" for an invalid index.
  std::u16string GetShortName(std::int32_t Index) const;
  // The entry's folder number; 0 for an invalid index.
  std::int32_t GetFolderNumber(std::int32_t Index) const;
  // The holder of entry Index, or null.
  TMySimpleSearchRecHolder* Holder(std::int32_t Index) const;
};

class TFolderEfficientFileStringlist : public TObject {
 public:
  TFolderEfficientFileStringlist();
  ~TFolderEfficientFileStringlist() override;
  TFolderEfficientFileStringlist(const TFolderEfficientFileStringlist&) = delete;
  TFolderEfficientFileStringlist& operator=(const TFolderEfficientFileStringlist&) = delete;

  // Splits FullName into its folder (with the trailing "/") and file name, stores the
  // folder once, and adds an entry with a zero date and size. Returns the entry's index.
  std::int32_t AddOne(const std::u16string& FullName);
  std::int32_t Add(const std::u16string& FullName) { return AddOne(FullName); }
  // The same with a given record; its folder_number becomes the folder's index.
  std::int32_t AddOne(const std::u16string& FolderName, const TMySimpleSearchRec& Rec);
  // An entry with the record, its folder_number set to FolderIndex.
  std::int32_t AddOne(std::int32_t FolderIndex, const TMySimpleSearchRec& Rec);
  std::int32_t Count() const { return files.Count(); }
  void Delete(std::int32_t Index);
  // Forgets every file and folder.
  void Clear();

  // The folder (with a trailing "/") and the short name; "" for an invalid index.
  std::u16string GetFullFilename(std::int32_t Index) const;
  // Moves entry Index to FullName: its folder (stored once, added when new), its record's
  // short name and its string all change, so that GetFullFilename and the look-ups give
  // the new name. An invalid index is ignored.
  void SetFullFilename(std::int32_t Index, const std::u16string& FullName);
  // The entry's record; a zero record for an invalid index.
  TMySimpleSearchRec GetASimpleSearchRec(std::int32_t Index) const;
  // The first entry in FullName's folder whose short name is FullName's file name
  // (exact case); -1 when there is none.
  std::int32_t IndexOfFullName(const std::u16string& FullName) const;
  // The first entry with that short name (exact case), whatever its folder; -1 if none.
  std::int32_t IndexOfShortName(const std::u16string& ShortName) const;
  // A new list of every full name, in order.
  std::unique_ptr<TStringList> GetAsStringlist() const;
  // Sorts by First (ss_date latest first, ss_size, ss_folder by folder number,
  // ss_shortname by code unit), equal entries by Second when it differs from First
  // (ss_date as the second key adds nothing); then, when Ascending is false, reverses the
  // whole order. First = ss_none leaves the list as it is.
  void DoASort(TMySimpleSearchRecSort First, TMySimpleSearchRecSort Second, bool Ascending);

  TMySimpleSearchRecHolderStringlist files;
  TStringList folders;  // folder paths, each once, with their trailing "/"
  TMySimpleSearchRecSort sort_1 = ss_none;
  TMySimpleSearchRecSort sort_2 = ss_none;

 private:
  // The index of the folder in `folders`, adding it when absent.
  std::int32_t folder_index(const std::u16string& folder);
  // The index of the folder, or -1.
  std::int32_t find_folder(const std::u16string& folder) const;
  // Speeds up find_folder; checked against `folders`, which callers may change.
  mutable std::unordered_map<std::u16string, std::int32_t> folder_lookup_;
};

}  // namespace corvane
