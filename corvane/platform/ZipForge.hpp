#pragma once
// The zip archive component: one archive opened for reading, its entries listed in the
// archive's own order and extracted to a string, a stream or a folder. Built over libzip.
//
// One component serves one caller: each caller makes its own, opens its archive, and
// closes it when done. Nothing here is shared between components.
//
// Nothing an archive declares is trusted:
//  - at open, the entry count must fit a 32-bit signed integer and the central directory
//    must be large enough to hold that many entries (46 bytes each at the least), else the
//    archive is refused;
//  - extraction counts the bytes actually inflated and fails past the entry's declared
//    size or past the component's limit for the operation, and fails when fewer bytes
//    come than were declared; truncated, encrypted and corrupt entries fail;
//  - ExtractToFolder refuses names that could leave the target folder and never follows
//    or makes a symbolic link.
//
// What the queries report:
//  - size (GetAZipFileSubProperty): the entry's uncompressed size as declared by the
//    central directory, capped at 0x7FFFFFFF for entries of 2 GiB and more;
//  - attributes: the DOS attribute bits. Archives made on DOS, Windows or OS/2 carry them
//    in the low byte of the external attributes, and those are reported as stored. For
//    archives made elsewhere they are derived: 0x10 (folder) for a folder entry, 0x01
//    (read-only) when a Unix mode without the owner's write bit is stored, 0x02 (hidden)
//    when the last part of the name begins with ".", and 0x20 (archive) for every file;
//  - date-time: the entry's modification time as local time;
//  - names: the stored name in UTF-8 when the archive flags it so or it is well-formed
//    UTF-8, else read in code page 437. "\" and "/" both separate folders; a name ending
//    in either is a folder, not a file;
//  - the archive comment: its raw bytes as UTF-8 when they are well-formed UTF-8, else in
//    the system 8-bit code page, so a comment written in ASCII comes back exactly.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Streams.hpp"

namespace corvane {

namespace detail {
class zip_sink;
}

// Called when the component cannot process the archive or one of its entries: the
// entry's stored name (empty for the archive itself) and the reason.
using TZipFailureEvent =
    std::function<void(const std::u16string& entry_name, const std::u16string& reason)>;

// Bytes to UTF-16, as the text loader decodes a file's bytes. ExtractToString decodes
// with the one installed (set_zip_text_decoder); the package installs the text loader's
// own at start-up. Before that, byte-order marks are honoured and other bytes are read in
// the system 8-bit code page.
using TZipTextDecoder = std::u16string (*)(std::string_view bytes);
void set_zip_text_decoder(TZipTextDecoder decoder);

// The default limit on one entry extracted to a string: 512 MiB.
constexpr std::uint64_t kZipStringLimit = 512ull << 20;

// What ExtractToFolder did with one entry.
enum class zip_folder_outcome : std::uint8_t {
  written,        // the file was written (or replaced)
  folder_made,    // a folder entry: the folder exists
  refused_name,   // the name is absolute, has a drive letter, climbs out with "..",
                  // is empty, or is a symbolic link's: nothing written
  kept_existing,  // a file of that name exists and was not to be replaced
  failed          // the entry could not be read or written: nothing left behind
};

struct TZipFolderReport {
  std::int32_t index = 0;  // the entry, from 0
  std::u16string name;     // its stored name
  std::u16string target;   // the path written (or that would have been)
  zip_folder_outcome outcome = zip_folder_outcome::failed;
  std::u16string reason;  // why it was refused or failed; empty otherwise
};

class TZipForge {
 public:
  TZipForge();
  ~TZipForge();
  TZipForge(const TZipForge&) = delete;
  TZipForge& operator=(const TZipForge&) = delete;

  // The archive's full path, used by OpenArchive.
  std::u16string FileName;
  // Called for failures (see TZipFailureEvent); may be empty.
  TZipFailureEvent OnProcessFileFailure;
  // Limits on the bytes one entry may inflate to. ExtractToString: kZipStringLimit by
  // default. ExtractToStream and ExtractToFolder: none by default beyond the entry's
  // declared size.
  std::uint64_t StringLimit = kZipStringLimit;
  std::uint64_t StreamLimit = UINT64_MAX;

  // Opens FileName for reading (closing any archive open before). An archive that cannot
  // be opened raises corvane::Exception naming the file and the reason, after telling the
  // failure handler.
  void OpenArchive();
  // The same over bytes in memory (the component keeps its own copy); `name` is used in
  // messages.
  void OpenArchiveFromMemory(std::string_view bytes, const std::u16string& name = u"(memory)");
  bool Active() const;
  void CloseArchive();

  // Entries, folders included; 0 when no archive is open.
  std::int32_t GetEntryCount() const;
  // Entries that are files (not folders).
  std::int32_t GetFileCount() const;
  // The archive comment; empty when there is none.
  std::u16string GetFileComment() const;

  // Entry `index` (from 0, in archive order). An index out of range gives the empty
  // name, 0 and false.
  std::u16string GetAZipMainDetail(std::int32_t index) const;
  TDateTime GetADateTime(std::int32_t index) const;
  bool GetAZipFileSubProperty(std::int32_t index, std::int32_t& size,
                              std::int32_t& attributes) const;
  // Whether the entry is a folder (its name ends in "/" or "\").
  bool IsFolderEntry(std::int32_t index) const;
  // The first entry whose stored name is `name`, comparing "\" and "/" as equal when no
  // entry has the name exactly; -1 when none has.
  std::int32_t IndexOfEntry(const std::u16string& name) const;

  // The entry's contents decoded to UTF-16. False, with `text` empty and the failure
  // handler told, when there is no such entry or it cannot be read within its limits.
  bool ExtractToString(const std::u16string& name, std::u16string& text);
  bool ExtractToString(std::int32_t index, std::u16string& text);
  // The entry's bytes written to `stream` at its position. On failure the stream is cut
  // back to where it was (for streams that can change their size).
  bool ExtractToStream(const std::u16string& name, TStream& stream);
  bool ExtractToStream(std::int32_t index, TStream& stream);
  // The entry's bytes appended to `bytes` (the fast path of the two above).
  bool ExtractToBytes(std::int32_t index, std::string& bytes, std::uint64_t limit);

  // Writes entries under `folder` (which must exist): all of them when `entries` is
  // empty, else those indexes in that order. Folder entries become folders; each file is
  // written beside its final name and renamed into place when complete. A file that
  // exists is replaced only when `may_replace` (given the target's path) answers true;
  // with none given, it is kept. Every entry is reported to `report` when one is given.
  // Returns the number of files written; false entries never stop the rest.
  std::int32_t ExtractToFolder(const std::u16string& folder,
                               std::span<const std::int32_t> entries = {},
                               const std::function<bool(const std::u16string&)>& may_replace = {},
                               const std::function<void(const TZipFolderReport&)>& report = {});

 private:
  struct state;
  std::unique_ptr<state> s_;

  void open_source(void* source, const std::u16string& name, std::uint64_t archive_size,
                   std::string_view tail);
  bool fail(const std::u16string& entry, const std::u16string& reason);
  bool extract_into(std::int32_t index, std::uint64_t limit, detail::zip_sink& sink);
};

namespace detail {

// Checks the end-of-central-directory records in the last bytes of an archive of
// `archive_size` bytes: empty when they are absent (libzip then judges) or their counts
// are believable, else why they are refused.
std::u16string zip_directory_problem(std::string_view tail, std::uint64_t archive_size);

// The reason a stored name may not be written under a folder (empty when it may), and the
// relative path's parts when it may. "." parts are dropped.
std::u16string zip_name_refusal(std::u16string_view name, std::vector<std::u16string>& parts);

}  // namespace detail

}  // namespace corvane
