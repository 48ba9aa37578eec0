#include "corvane/platform/FindFiles.hpp"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

std::string reason_of(int error) {
  std::string s = std::strerror(error);
  if (!s.empty()) s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
  return s;
}

// A name converts to UTF-16 and back unchanged only when it is valid UTF-8.
bool to_utf16_exactly(std::string_view bytes, std::u16string& out) {
  out = utf8_to_utf16(bytes);
  return utf16_to_utf8(out) == bytes;
}

TDateTime local_time_of(const struct timespec& when) {
  struct tm parts {};
  TDateTime result = 0;
  const time_t seconds = when.tv_sec;
  if (::localtime_r(&seconds, &parts) != nullptr &&
      TryEncodeDateTime(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                        parts.tm_min, std::min(parts.tm_sec, 59),
                        static_cast<int>(when.tv_nsec / 1000000), result))
    return result;
  return EncodeDate(1970, 1, 1);
}

void fill_from_stat(const struct stat& st, TFoundEntry& entry) {
  entry.Attr = attributes_from_mode(entry.Name, st.st_mode);
  entry.Size = S_ISREG(st.st_mode) ? static_cast<std::int64_t>(st.st_size) : 0;
  entry.Time = local_time_of(st.st_mtim);
  entry.Device = static_cast<std::uint64_t>(st.st_dev);
  entry.Inode = static_cast<std::uint64_t>(st.st_ino);
}

}  // namespace

std::string find_error_reason(int error) {
  return reason_of(error);
}

std::int32_t attributes_from_mode(std::u16string_view name, unsigned mode) {
  std::int32_t attr = 0;
  if (S_ISDIR(mode))
    attr |= faDirectory;
  else if (S_ISREG(mode))
    attr |= faArchive;
  else
    attr |= faSysFile;
  if (!name.empty() && name.front() == u'.') attr |= faHidden;
  if ((mode & S_IWUSR) == 0) attr |= faReadOnly;
  return attr;
}

bool sorted_folder_listing(const std::string& path, std::vector<TListedName>& names,
                           int& open_error, int& read_error) {
  names.clear();
  open_error = read_error = 0;
  DIR* dir = ::opendir(path.c_str());
  if (dir == nullptr) {
    open_error = errno;
    return false;
  }
  errno = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name != "." && name != "..") {
      listed_kind kind = listed_kind::other;
      switch (e->d_type) {
        case DT_UNKNOWN:
          kind = listed_kind::unknown;
          break;
        case DT_DIR:
          kind = listed_kind::folder;
          break;
        case DT_REG:
          kind = listed_kind::file;
          break;
        case DT_LNK:
          kind = listed_kind::link;
          break;
        default:
          break;
      }
      names.push_back({std::string(name), kind});
    }
    errno = 0;
  }
  read_error = errno;
  ::closedir(dir);
  std::sort(names.begin(), names.end(),
            [](const TListedName& a, const TListedName& b) { return a.bytes < b.bytes; });
  return true;
}

bool sorted_folder_names(const std::string& path, std::vector<std::string>& names, int& open_error,
                         int& read_error) {
  std::vector<TListedName> listed;
  const bool opened = sorted_folder_listing(path, listed, open_error, read_error);
  names.clear();
  names.reserve(listed.size());
  for (TListedName& n : listed) names.push_back(std::move(n.bytes));
  return opened;
}

bool examine_bytes(const std::string& path, TFoundEntry& entry, std::string* reason) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) {
    if (reason != nullptr) *reason = reason_of(path.empty() ? ENOENT : errno);
    return false;
  }
  fill_from_stat(st, entry);
  return true;
}

bool read_folder_entries(std::u16string_view folder, std::vector<TFoundEntry>& entries,
                         std::vector<find_problem>& problems) {
  entries.clear();
  std::string path = utf16_to_utf8(folder);
  std::vector<std::string> names;
  int open_error = 0, read_error = 0;
  if (!sorted_folder_names(path.empty() ? "." : path, names, open_error, read_error)) {
    problems.push_back({path, "folder cannot be read: " + reason_of(open_error)});
    return false;
  }
  if (read_error != 0)
    problems.push_back({path, "folder cannot be read whole: " + reason_of(read_error)});
  if (!path.empty() && path.back() != '/') path += '/';
  entries.reserve(names.size());
  for (const std::string& name : names) {
    const std::string child = path + name;
    TFoundEntry entry;
    if (!to_utf16_exactly(name, entry.Name)) {
      problems.push_back({child, "not valid UTF-8"});
      continue;
    }
    struct stat st {};
    if (::stat(child.c_str(), &st) != 0) {
      problems.push_back({child, reason_of(errno)});
      continue;
    }
    fill_from_stat(st, entry);
    entries.push_back(std::move(entry));
  }
  return true;
}

bool examine_path(std::u16string_view path, TFoundEntry& entry, std::string* reason) {
  std::u16string_view name = path;
  while (name.size() > 1 && name.back() == u'/') name.remove_suffix(1);
  const std::size_t slash = name.find_last_of(u'/');
  if (slash != std::u16string_view::npos && name.size() > 1) name.remove_prefix(slash + 1);
  entry.Name = std::u16string(name);
  return examine_bytes(utf16_to_utf8(path), entry, reason);
}

bool TFolderVisits::first_visit(const TFoundEntry& folder) {
  return seen_.insert({folder.Device, folder.Inode}).second;
}

bool TFolderVisits::first_visit(std::u16string_view folder) {
  TFoundEntry entry;
  return examine_path(folder, entry) && first_visit(entry);
}

void TFolderVisits::clear() {
  seen_.clear();
}

}  // namespace corvane
