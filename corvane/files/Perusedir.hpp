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
//
// TPeruseDir is one folder search: the files of one folder that pass its masks and
// filters (HandleAllFilesIn), the entries of the zip archives found there (AddAZip), and
// the walk of the subfolders (ProcessAllSubDirectories). Paths use "/"; a file inside an
// archive is named by the archive's path, "/" and its stored name.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "corvane/containers/Useful_classes_file_lists.hpp"
#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/List.hpp"
#include "corvane/rtl/Object.hpp"

namespace corvane {

class TStream;
class TPeruseDir;
namespace detail {
struct perusal_listing;
}

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
  // PeruseDir.HandleAllFilesIn(fDirname, fThisList).
  bool FillList(TPeruseDir& PeruseDir);
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

// ---- The folder search

using TZipStartReadingEvent = std::function<void(const std::u16string& zipfilename)>;
// Whether a file the masks let through is taken; InAZip for an entry of an archive.
using TCheckFileAcceptableEvent = std::function<bool(const TMySearchRec& SR, bool InAZip)>;
using TFoundDirEvent = std::function<void(const std::u16string& DirName)>;
using TZipReadingEvent = std::function<void(std::int32_t num, std::int32_t out_of)>;
using TZipDoneReadingEvent = std::function<void(std::int32_t zips_handled)>;
// For the tools: a file about to be processed, and the progress of a folder walk.
using TProcessingAFileEvent =
    std::function<void(const std::u16string& FullFileName, const TMySearchRec& SR)>;
using TMyDirProgressEvent = std::function<void(std::int32_t dirnum)>;
// Something the search met and could not take: a folder it cannot read, an entry it
// cannot examine (a dangling link), a name that is not valid UTF-8 (given as its bytes,
// which are never changed). `path` is the bytes the system gave.
using TFindProblemEvent = std::function<void(const std::string& path, const std::string& reason)>;

// What went wrong with an archive, as the last call of fOnZipProblem saw it.
struct TZipProblem {
  std::u16string archive;  // the archive's path
  std::u16string entry;    // the stored name of the entry; empty for the archive itself
  std::u16string reason;
};

class TPeruseDir : public TObject {
 public:
  // The masks are ";"-separated lists (see BuildAMask). DirExcludeMasks name folders to
  // leave out with everything below them; a mask without a leading "*/" gets one, so
  // "old" leaves out every folder named old at any depth. ExtExcludeMasks are matched
  // against extensions (".bak").
  TPeruseDir(const std::u16string& FilemaskStr, const std::u16string& DirMasks,
             const std::u16string& ZipMasks, const std::u16string& DirExcludeMasks,
             const std::u16string& ExtExcludeMasks, bool CheckingMACOS_files, bool ExamineZips,
             bool TreatZipsLikeAnyOtherFile, bool AcceptSystemFiles, bool AcceptHiddenFiles);
  ~TPeruseDir() override;
  TPeruseDir(const TPeruseDir&) = delete;
  TPeruseDir& operator=(const TPeruseDir&) = delete;

  // Collects the files of Folder (no recursion) that qualify: first, when fExamineZips,
  // the entries of its archives (AddAZip), then, mask by mask in the order given, the
  // files matching each mask (a file matching two masks is taken twice). Only the
  // ordinary files count for the result: true when at least one qualified. List may be
  // null (nothing is added). Devices, FIFOs and sockets are taken only when system files
  // are accepted, and are never opened.
  bool HandleAllFilesIn(const std::u16string& Folder, TMySearchRecList* List);
  // Walks the folders below Folder depth-first, in name order, for each folder mask in
  // turn, reporting each through fOnFoundDir before going into it. Dot (hidden) folders
  // and excluded folders are never entered; a folder reached twice through links is
  // walked once. Folder itself is not reported.
  void ProcessAllSubDirectories(const std::u16string& Folder);
  // Adds the entries of the archive FolderWithDelimiter + ZipName that match fZipMasks
  // and have no excluded extension, numbered by position from 1. Entries past the
  // 32,767th cannot be numbered: they are reported through fOnZipProblem and skipped.
  void AddAZip(TMySearchRecList* List, const std::u16string& FolderWithDelimiter,
               const std::u16string& ZipName);
  // The zip component's failure handler: remembers the problem and calls fOnZipProblem.
  void ZipSkipped(const std::u16string& entry_name, const std::u16string& reason);
  // Puts "*/" in front of every excluded-folder mask that does not begin with it.
  void EnsureExcludedFoldersHavePathmarks();

  bool IsDot_UnderscoreFile(const std::u16string& Name) const;
  bool IsExcludedFolder(const std::u16string& Path) const;
  // The extension of Name, from its last ".", matches one of fExtExcludeMasks.
  bool HasExcludedExtension(const std::u16string& Name) const;
  // Name is longer than 4 characters and ends in fZipExtension, ignoring case.
  bool fIsAZipfile(const std::u16string& Name) const;

  // The problem fOnZipProblem is being told of.
  const TZipProblem& LastZipProblem() const { return fLastZipProblem; }

  std::u16string fFilemaskStr;
  std::u16string fZipExtension = u".zip";
  std::vector<std::u16string> fZipMasks, fDirExcludeMasks, fExtExcludeMasks, fDirmasks, fFilemasks;
  std::int32_t ftotal_files_in_zips = 0;
  std::int32_t fzips_examined = 0;
  std::int32_t fsubdir_counter = 0;
  bool fCheckingMACOS_files = false;
  bool fTreatZipsLikeAnyOtherFile = false;
  bool fAcceptSystemFiles = false;
  bool fAcceptHiddenFiles = false;
  // Cleared (by a handler) to stop the search at the next entry.
  bool fProcessing_files = true;
  bool fExamineZips = false;

  TZipStartReadingEvent fOnZipStartReading;
  TCheckFileAcceptableEvent fOnCheckFileAcceptableEvent;
  TFoundDirEvent fOnFoundDir;
  TZipReadingEvent fOnZipReading;
  TZipDoneReadingEvent fOnDoneZipReading;
  TNotifyEvent fOnZipProblem;  // sender: this search; see LastZipProblem
  TFindProblemEvent fOnFindProblem;

 private:
  // The listing HandleAllFilesIn made of the folder the walk has just reported, for the
  // walk's own descent into it.
  std::u16string fExpectedFolder;
  std::unique_ptr<detail::perusal_listing> fListing;
  TZipProblem fLastZipProblem;
};

}  // namespace corvane
