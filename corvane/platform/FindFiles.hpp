#pragma once
// The entries of a folder as the file-search functions of the units see them: names in
// UTF-16, attribute bits, size and last-write time. A folder is read once and its entries
// handed over in byte order of their names, so that every machine gives the same order.
// Links are followed: an entry reached through a link has the attributes and size of what
// the link points at. Names that are not valid UTF-8 cannot be named in UTF-16 without
// changing them; they are reported and left out.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "corvane/rtl/DateTime.hpp"

namespace corvane {

// Attribute bits.
constexpr std::int32_t faReadOnly = 0x01;   // the owner may not write
constexpr std::int32_t faHidden = 0x02;     // the name begins with "."
constexpr std::int32_t faSysFile = 0x04;    // a device, FIFO or socket: never a text
constexpr std::int32_t faDirectory = 0x10;  // a folder
constexpr std::int32_t faArchive = 0x20;    // a regular file

struct TFoundEntry {
  std::u16string Name;       // the last component only
  std::int32_t Attr = 0;     // the bits above
  std::int64_t Size = 0;     // in bytes; 0 for a folder
  TDateTime Time = 0;        // last write, local time; 1970-01-01 when it cannot be converted
  std::uint64_t Device = 0;  // with Inode, what the entry is, whichever name reached it
  std::uint64_t Inode = 0;
};

struct find_problem {
  std::string path;    // the bytes the system gave
  std::string reason;  // "not valid UTF-8", "permission denied" ...
};

// Replaces `entries` with the entries of `folder` ("." and ".." left out), sorted by the
// bytes of their names. An entry that cannot be examined (a dangling link, a name that is
// not UTF-8) goes to `problems` instead. False, with a problem, when the folder cannot be
// opened; a folder read only in part keeps what was read and reports why.
// The names in folder `path` ("." and ".." left out) in byte order, the folder read once.
// False with `open_error` set to errno when it cannot be opened; `read_error` is the errno
// of a listing cut short (the names read before it are given), else 0.
bool sorted_folder_names(const std::string& path, std::vector<std::string>& names, int& open_error,
                         int& read_error);

bool read_folder_entries(std::u16string_view folder, std::vector<TFoundEntry>& entries,
                         std::vector<find_problem>& problems);

// The system's reason for an errno value, starting in lower case ("permission denied").
std::string find_error_reason(int error);

// What readdir tells of a name without examining it; `unknown` and `link` need a stat.
enum class listed_kind : std::uint8_t { unknown, folder, file, link, other };

struct TListedName {
  std::string bytes;  // the name as the system gave it
  listed_kind kind = listed_kind::unknown;
};

// sorted_folder_names with what readdir tells of each name, so that a walk looking for
// folders, or for names matching a mask, examines only the entries it may want.
bool sorted_folder_listing(const std::string& path, std::vector<TListedName>& names,
                           int& open_error, int& read_error);

// Examines the entry at `path` (bytes, links followed) as read_folder_entries does, except
// that entry.Name is set by the caller and used for the hidden bit. False, with the
// system's reason, when it cannot be examined.
bool examine_bytes(const std::string& path, TFoundEntry& entry, std::string* reason = nullptr);

// The entry `path` names, as read_folder_entries would give it (its Name the last
// component). False when it cannot be examined.
bool examine_path(std::u16string_view path, TFoundEntry& entry, std::string* reason = nullptr);

// The attribute bits of a name and mode, as read_folder_entries gives them.
std::int32_t attributes_from_mode(std::u16string_view name, unsigned mode);

// Remembers the folders a walk has entered, by device and inode, so that a folder reached
// twice (through a link loop or a second link) is walked once.
class TFolderVisits {
 public:
  // True the first time the folder is met; false afterwards.
  bool first_visit(const TFoundEntry& folder);
  // The same for a folder given by path; false also when it cannot be examined.
  bool first_visit(std::u16string_view folder);
  void clear();

 private:
  std::set<std::pair<std::uint64_t, std::uint64_t>> seen_;
};

}  // namespace corvane
