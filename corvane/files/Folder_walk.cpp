// The folder walk: stat follows links, so a link to a folder is walked, but a folder met
// again (the same device and inode, through a link loop or a second link) is not.
#include "corvane/files/Folder_walk.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

#include "corvane/platform/FindFiles.hpp"

namespace corvane {

std::string error_reason(int error) {
  std::string s = std::strerror(error);
  if (!s.empty()) s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
  return s;
}

namespace {

using folder_id = std::pair<dev_t, ino_t>;

void walk_folder(const std::string& path, const struct stat& st,
                 const std::function<bool(std::string_view)>& wanted, walked_texts& out,
                 std::set<folder_id>& seen) {
  if (!seen.insert({st.st_dev, st.st_ino}).second) return;
  std::vector<std::string> names;
  int open_error = 0, read_error = 0;
  if (!sorted_folder_names(path, names, open_error, read_error)) {
    out.problems.push_back({path, "folder cannot be read: " + error_reason(open_error)});
    return;
  }
  if (read_error != 0)
    out.problems.push_back({path, "folder cannot be read whole: " + error_reason(read_error)});
  const std::string prefix = path.ends_with('/') ? path : path + '/';
  for (const std::string& name : names) {
    const std::string child = prefix + name;
    struct stat cs {};
    if (::stat(child.c_str(), &cs) != 0) {
      out.problems.push_back({child, error_reason(errno)});
      continue;
    }
    if (S_ISDIR(cs.st_mode)) {
      walk_folder(child, cs, wanted, out, seen);
    } else if (S_ISREG(cs.st_mode) && (!wanted || wanted(name))) {
      out.files.push_back(child);
    }
  }
}

}  // namespace

void walk_texts(const std::string& path, const std::function<bool(std::string_view)>& wanted,
                walked_texts& out) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int e = errno;
    out.problems.push_back({path, e == ENOENT ? "no such file or folder" : error_reason(e)});
    return;
  }
  if (!S_ISDIR(st.st_mode)) {
    out.files.push_back(path);
    return;
  }
  std::set<folder_id> seen;
  walk_folder(path, st, wanted, out, seen);
}

}  // namespace corvane
