#pragma once
// File and folder operations of File_utils: placeholders in stored file names, file
// dates and copies, existence and status tests, name helpers, folder listings, drives and
// the bulk delete. Included by File_utils.hpp; include that.
//
// Names may come from settings written on Windows: "\" is a delimiter and a leading drive
// letter names a mount point (see corvane/platform/Drives.hpp).
//
// Every writer here writes beside its target and renames when complete, so a failure
// leaves the old file as it was. The listings and the bulk delete never enter a folder
// reached through a symbolic link, delete a link rather than what it points to, and touch
// only names matching what was asked in the folders listed.

#include <cstdint>
#include <string>

#include "corvane/frame/Basic_types.hpp"
#include "corvane/rtl/StringList.hpp"

namespace corvane {

// ---- Placeholders ---------------------------------------------------------------------

// Writable; these are the initial values.
extern std::u16string user_dir_const;    // "$userdir": stands for a base folder
extern std::u16string user_drive_const;  // "$user_drive": stands for a drive
extern std::u16string same_file_const;   // "$SAME_FILE"

// ToPlaceholder: when the name and the base folder are on the same drive (their drive
// parts equal ignoring case; names without a letter share the one drive): "$userdir" and
// the name from the position of the base folder's last character on, when the name
// differs from the base folder and begins with it (ignoring case); else "$user_drive" and
// the name without its drive (with a delimiter between them when the rest lacks one). On
// different drives the name is returned unchanged. Otherwise
// ConvertedFilenameFromUserDirFName.
std::u16string ConvertedUserFolderInFilename(const std::u16string& base_folder,
                                             const std::u16string& name, bool to_placeholder);
// A name holding "$userdir": the base folder with a trailing delimiter and what follows
// the placeholder and the one character after it. Holding "$user_drive": the base
// folder's drive (with a delimiter when the rest lacks one) and what follows. Else the
// name unchanged. Under a base folder without a drive letter, "\" in the part taken from
// the name becomes "/", so names stored on Windows still lead somewhere here.
std::u16string ConvertedFilenameFromUserDirFName(const std::u16string& base_folder,
                                                 const std::u16string& name);
// ConvertedUserFolderInFilename with the running program's folder as the base.
std::u16string ConvertedAppFolderInFilename(const std::u16string& name, bool to_placeholder);
// To: the running program's drive at the start of the name becomes "$user_drive". From: a
// leading "$user_drive" becomes that drive. (The program's drive is "" here, so every
// absolute name "/x" reads "$user_drive/x" and back.)
std::u16string ConvertedFilenameIfUserDrive(const std::u16string& name, bool to_placeholder);
// Each string of the list replaced by its ConvertedAppFolderInFilename form.
void CheckUserDirConstFolder(TStringList& list, bool to_placeholder);

// ---- Dates and copies -------------------------------------------------------------------

// Sets the file's last-write time to that day at 12:00 local time, for 1980 <= year <=
// 2106, 1 <= month <= 12, 1 <= day <= 31 and a real calendar date; true when set. The
// file is left alone otherwise.
bool SetFileDate(const std::u16string& file_name, const TYearMonthDay& date);
bool SetFileDate(const std::u16string& file_name, std::int32_t day, std::int32_t month,
                 std::int32_t year);
// Each must read as a decimal integer.
bool SetFileDate(const std::u16string& file_name, const std::u16string& day,
                 const std::u16string& month, const std::u16string& year);
// Exactly 10 characters: day = characters 1-2, month = 4-5, year = the last 4
// ("31/12/2009").
bool SetFileDate(const std::u16string& file_name, const std::u16string& date_text);
// The target's last-write time set to the source's; false when either is missing.
bool CopyDateOfFile(const std::u16string& source, const std::u16string& target);
// Copies the source over the target (beside it, renamed into place), then its date; the
// result is the date copy's, false when the copy fails (the target then as it was).
bool CopyFileRetainingDate(const std::u16string& source, const std::u16string& target);
// Copies the file to the same name with the extension ".bak", replacing an older backup.
void CopyAFileWithBackup(const std::u16string& file_name);
// Loads the file as lines, takes its text (lines joined by CR LF), inserts text so that it
// starts at character `position` (1-based, clamped), and saves over the file: the A form
// in windows-1252, the W form as UTF-16 little-endian with its mark. With make_backup the
// ".bak" copy is made first. False, with the file as it was, when anything fails, and for
// the A form when some character has no byte in windows-1252.
bool InsertIntoFileA(const std::u16string& file_name, const std::u16string& text, bool make_backup,
                     std::int32_t position);
bool InsertIntoFileW(const std::u16string& file_name, const std::u16string& text, bool make_backup,
                     std::int32_t position);

// ---- Existence, status and names --------------------------------------------------------

enum TCVFilestatus { fs_unknown, fs_exists, fs_moved };

// A name whose folder part is a UNC name ("\\server\share", "//server/share") gives
// unc_result unless allow_unc; otherwise whether it names an existing file (a folder
// does not count).
bool DriveAndFileExist(const std::u16string& file_name, bool allow_unc = true,
                       bool unc_result = false);
// The same for folders.
bool DriveAndFolderExist(const std::u16string& path, bool allow_unc = true,
                         bool unc_result = false);
// fs_unknown for a UNC name when not allowed; fs_exists when the file exists; else
// fs_moved.
TCVFilestatus GetFileStatusOfAFile(const std::u16string& file_name, bool allow_unc);
// Read-only means the owner may not write it. The folder form needs a folder.
bool ReadOnlyFileW(const std::u16string& name);
bool ReadOnlyFolderW(const std::u16string& name);
// Creates "chk.tmp" in the folder, only if it does not exist yet, and removes it at once;
// true when that worked.
bool IsDirectoryWriteable(const std::u16string& folder);
// The size in bytes; -1 when there is no such file.
std::int64_t FileSize(const std::u16string& file_name);
// My4Checksum of the whole file; 0 when it does not exist. (Read in pieces: memory stays
// small whatever the size.)
std::int32_t CheckSumOfAFile(const std::u16string& file_name);
// The absolute name, each component as the folder lists it (a component that differs
// only by case takes the listed spelling); from the first component not found, the rest
// as given.
std::u16string GetLongPathNameW(const std::u16string& name);
std::u16string RemoveDotsFromFilename(const std::u16string& name);
// The name without its folder part and without the 14 characters \ / : | < > ^ + = ? [ ]
// " * and those below U+0020.
std::u16string CleanedUpFilename(const std::u16string& name);
// The name in double quotes when it is not empty and the file exists.
std::u16string FormattedFNAsParameter(const std::u16string& name);
// The text between the first "(" and the first ")" after it, else the whole text;
// trimmed; "*.*" when empty.
std::u16string FileFilterWithinFilterText(const std::u16string& text);
// The number of "/" and "\".
std::int32_t PathDelimiterCount(const std::u16string& name);
// The text before the x-th delimiter; empty when there are fewer.
std::u16string NameUpToXPathDelimiters(const std::u16string& name, std::int32_t x);
// The folder part of the file name after the folder (with its delimiter); a result of one
// character is empty. A name outside the folder gives its whole folder part.
std::u16string NewSubFolderFrom(const std::u16string& file_name, const std::u16string& folder);
// Both non-empty and the folder parts of their absolute forms equal, ignoring case.
bool FolderProposedIsOriginalFolder(const std::u16string& a, const std::u16string& b);
// By date: by last-access time; else by the name without folder, ignoring case, ties by
// the whole string ignoring case. Ascending: A to Z, oldest first.
void SortListOfFiles(TStringList& list, bool by_date, bool ascending);

// ---- Folders and drives -----------------------------------------------------------------

// No entry whose name does not begin with ".".
bool FolderIsEmpty(const std::u16string& folder);
// When the folder exists and is empty, removes it and says whether that worked; else true.
bool RemovedEmptyFolder(const std::u16string& folder);
// Lists the root and, depth first in pre-order, its subfolders (not hidden, not reached
// through a link), then removes each that is empty, deepest first. Returns the list (the
// caller owns it).
TStringList* RemoveAllEmptyFolders(const std::u16string& root);
// The files matching the name with its extension changed to ext (any extension for
// ".*"), in its folder, as full names; hidden names and folders are left out; without
// include_self the name itself is too. Names match ignoring case. The caller owns it.
TStringList* ListOfAllFilesMatchingExt(const std::u16string& file_name, const std::u16string& ext,
                                       bool include_self);
// The files of the folder matching the mask, as full names, with the same exclusions.
TStringList* ListOfAllFilesIn(const std::u16string& folder, const std::u16string& mask);

// Drives are mount points: these count the mount points with letters C to Z.
std::int32_t NumberOfDrives();
std::int32_t NumberOfNetworkDrives();
// The remote mount points, joined by ",".
std::u16string AllNetworkDrives();
// The fixed mount point with the most free bytes (the first wins a tie); empty when none.
std::u16string DriveWithMostFreeSpace();
// The volume label of the drive in upper case inside "[%s]".
std::u16string VolumeID(char16_t drive_letter);
// The remote name a network drive is mounted from, in upper case; else VolumeID.
std::u16string NetworkVolume(char16_t drive_letter);

struct TNameAndSerialNumber {
  std::u16string nome;  // up to 260 characters
  std::uint32_t number = 0;
};
// For the drive holding the root (a mount point or a letter root): label and serial,
// empty and 0 when unknown.
void DiskVolumeNameAndSerialNo(const std::u16string& root, TNameAndSerialNumber& result);
std::uint32_t VolumeSerialNumber(const std::u16string& root);
// "ABCD-1234": the high and low 16 bits as four upper-case hex digits each.
std::u16string VolumeSerialNumberStr(const std::u16string& root);

// When the file exists, asks "Delete %s?" (OK and Cancel) and on OK deletes it (a link,
// not its target; never a folder). True when confirmed or when there was no such file.
bool OKToDeleteFile(const std::u16string& file_name);
// Deletes (or moves to the destination) the files with the extension ext in the folder
// and, when recursive, its subfolders, after one confirmation; returns how many. Refuses
// a drive root (any mount point that is not removable). Never enters a linked folder,
// never follows a link to delete its target, never overwrites a file in the destination
// (that file is skipped and stays where it was). A failed delete raises EOSError.
std::int32_t DeleteAllFilesOn(const std::u16string& folder, const std::u16string& ext,
                              const std::u16string& destination, bool move_instead, bool recursive,
                              bool remove_emptied);
std::int32_t DeleteAllFilesOn(const std::u16string& folder, const std::u16string& ext);

}  // namespace corvane
