// Backing up and deleting the files of an index.
#include <sys/stat.h>
#include <unistd.h>

#include "corvane/definitions/Wdef_services.hpp"
#include "corvane/files/Logging_utilities.hpp"
#include "corvane/platform/Drives.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Format.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

namespace {

std::string native(const std::u16string& name) {
  return u8(native_path(name));
}

// Only a regular file (or a link to one) counts as an index file: a folder of that name
// is neither copied nor removed.
bool index_file_exists(const std::u16string& name) {
  struct stat status;
  return ::stat(native(name).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void log_line(const std::u16string& line) {
  if (log_is_kept()) AddToLogFile(line);
}

}  // namespace

std::u16string IndexFileName(const std::u16string& name, std::u16string_view ext) {
  return ChangeFileExt(name, ext);
}

std::u16string IndexBackupFileName(const std::u16string& name, std::u16string_view ext) {
  return ChangeFileExt(name, std::u16string(ext) + u"_bak");
}

int TryToBackupIndexFiles(const std::u16string& name, std::vector<TIndexFileOutcome>* outcomes) {
  if (log_is_kept()) log_line(Format(u"Trying to backup index files for %s", {name}));
  int found = 0;
  for (std::u16string_view ext : IndexFileExtensions) {
    const std::u16string file = IndexFileName(name, ext);
    if (!index_file_exists(file)) continue;
    ++found;
    const std::u16string backup = IndexBackupFileName(name, ext);
    if (log_is_kept()) log_line(Format(u"Trying to copy %s to %s", {file, backup}));
    // Written beside the backup's name and renamed into place when complete.
    const bool copied = copy_file_replacing(file, backup);
    if (outcomes) outcomes->push_back({file, backup, copied});
  }
  return found;
}

int TryToDeleteIndexFiles(const std::u16string& name, std::vector<TIndexFileOutcome>* outcomes) {
  int found = 0;
  for (std::u16string_view ext : IndexFileExtensions) {
    const std::u16string file = IndexFileName(name, ext);
    if (!index_file_exists(file)) continue;
    ++found;
    if (log_is_kept()) log_line(Format(u"Trying to delete %s", {file}));
    const bool deleted = ::unlink(native(file).c_str()) == 0;
    if (outcomes) outcomes->push_back({file, {}, deleted});
  }
  return found;
}

}  // namespace corvane
