#pragma once
// The texts of a corpus, gathered as the user chooses them: folders walked with file
// masks, folder masks and exclusions, zip archives looked into, and paths named directly
// (a file, or an entry of an archive named "corpus.zip/a/b.txt"). Every command that takes
// texts gathers them here, so that all of them see the same texts in the same order.
//
// A folder is gathered as a folder search runs: its own files (the entries of its zip
// archives first, then its files mask by mask, so a file two masks match comes twice),
// then each folder below it, depth first in name order, with that folder's files. Each
// folder is walked once however many links lead to it, hidden folders and folders whose
// names begin with "." never. Only regular files are taken from folders (a FIFO, socket
// or device is no text and would hang a reader). What cannot be read is reported with its
// reason and the gathering goes on.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "corvane/files/File_utils.hpp"
#include "corvane/files/Perusedir.hpp"
#include "corvane/rtl/DateTime.hpp"

namespace corvane {

struct gathering_options {
  std::string masks = "*";  // file masks, separated by ";"
  std::string zip_masks;    // masks for the entries of archives; empty: the file masks
  std::string dir_masks = "*";
  std::string exclude_dirs;     // folder masks; a bare name ("old") stops at that name at any depth
  std::string exclude_exts;     // extension masks (".bak;.tmp")
  bool examine_zips = true;     // the entries of zip archives are texts
  bool zips_as_files = false;   // zip archives are taken as files too
  bool hidden = false;          // take hidden files (names beginning with ".")
  bool system = false;          // take devices, FIFOs and sockets (never read as texts)
  bool dot_underscore = false;  // take "._" files (which hold another system's metadata)
  bool recurse = true;
  TMySearchRecSort sort = sr_sort_none;  // each folder's files, as its list sorts them
};

// One text gathered.
struct gathered_text {
  std::string path;     // UTF-8; an archive's entry: the archive's path, "/", its stored name
  std::string archive;  // an entry's archive (its path); empty for a file
  std::int32_t number_within_zip = 0;  // an entry's position in its archive, from 1; 0 for a file
  std::int64_t size = 0;               // bytes (an entry's uncompressed size)
  TDateTime date = 0;                  // last written, local time
  std::int32_t attr = 0;               // attribute bits (faReadOnly ...)
};

struct gathering_problem {
  std::string path;
  std::string reason;  // "no such file or folder", "not a zip archive: ..." ...
};

struct gathering_events {
  // Each text, in gathering order; false stops the gathering (the walk ends at once).
  std::function<bool(const gathered_text&)> text;
  // Each path that could not be gathered; the gathering goes on.
  std::function<void(const gathering_problem&)> problem;
  // After each folder: folders and texts so far.
  std::function<void(std::size_t folders, std::size_t texts)> progress;
};

// Gathers the texts under `paths` in order and reports each to `events`. Returns the
// number of texts gathered. Memory holds one folder's records at a time.
std::size_t gather_texts(const std::vector<std::string>& paths, const gathering_options& options,
                         const gathering_events& events);

// The same, collected.
std::vector<gathered_text> gather_texts(const std::vector<std::string>& paths,
                                        const gathering_options& options,
                                        std::vector<gathering_problem>& problems);

// Reads the entries of archives into memory (never to disk), keeping the last archive
// open for the entries after it. One per thread.
class entry_reader {
 public:
  entry_reader();
  ~entry_reader();
  entry_reader(const entry_reader&) = delete;
  entry_reader& operator=(const entry_reader&) = delete;
  // The bytes of entry `text` (whose archive is set), at most `limit` of them. The entry
  // is found by its number when the name there is still its own, else by its name. False,
  // with `why` set and `bytes` empty, when it cannot be read.
  bool read(const gathered_text& text, std::string& bytes, std::uint64_t limit, std::string& why);

 private:
  struct state;
  std::unique_ptr<state> s_;
};

// The encoding verdict of a gathered text (FileContentsType of a file, FileBufferType of
// an entry's bytes), `thorough` as they take it. A device, FIFO or socket is never opened:
// its verdict is empty. False, with `why` set, when the text cannot be read.
bool gathered_text_verdict(const gathered_text& text, bool thorough, entry_reader& entries,
                           TFileContentsSet& verdict, std::string& why);

// The system's reason for an errno value, in lower case ("no such file or directory").
std::string error_reason(int error);

// A text named by its path, as a search takes it: a file, or, when no file has that name
// and it runs on past ".zip/" (or ".zip\"), the entry of that name in that archive (its
// number 0: looked up by name).
gathered_text text_named(const std::string& path);

}  // namespace corvane
