// Extraction of entries under a folder. Every path is walked from the target folder one
// part at a time through open folder handles that refuse symbolic links, so no entry can
// write outside the folder, whatever its name or whatever links stand in the folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "corvane/platform/ZipForge.hpp"
#include "corvane/platform/ZipForge_internal.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace detail {

std::u16string zip_name_refusal(std::u16string_view name, std::vector<std::u16string>& parts) {
  parts.clear();
  if (name.empty()) return u"the name is empty";
  if (name.find(u'\0') != std::u16string_view::npos) return u"the name holds a zero character";
  if (name[0] == u'/' || name[0] == u'\\') return u"the name is absolute";
  if (name.size() >= 2 && name[1] == u':' &&
      ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z')))
    return u"the name carries a drive letter";
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of(u"/\\", start);
    if (end == std::u16string_view::npos) end = name.size();
    const std::u16string_view part = name.substr(start, end - start);
    if (part == u"..") {
      parts.clear();
      return u"the name climbs out of the folder with \"..\"";
    }
    if (!part.empty() && part != u".") parts.emplace_back(part);
    start = end + 1;
  }
  if (parts.empty()) return u"the name is empty";
  return {};
}

}  // namespace detail

namespace {

class fd_guard {
 public:
  explicit fd_guard(int fd = -1) : fd_(fd) {}
  ~fd_guard() {
    if (fd_ >= 0) ::close(fd_);
  }
  fd_guard(const fd_guard&) = delete;
  fd_guard& operator=(const fd_guard&) = delete;
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::u16string os_reason(int error) {
  return utf8_to_utf16(std::strerror(error));
}

// Writes to a file descriptor a chunk at a time.
class fd_sink : public detail::zip_sink {
 public:
  explicit fd_sink(int fd) : fd_(fd) {}
  void begin(std::uint64_t) override {}
  char* space(std::size_t want) override {
    buffer_.resize(want);
    return buffer_.data();
  }
  bool commit(std::size_t n) override {
    const char* p = buffer_.data();
    while (n > 0) {
      const ssize_t w = ::write(fd_, p, n);
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return false;
      p += w;
      n -= static_cast<std::size_t>(w);
    }
    return true;
  }
  void abandon() override {}
  void finish() override {}

 private:
  int fd_;
  std::string buffer_;
};

std::atomic<unsigned> temp_counter{0};

}  // namespace

std::int32_t TZipForge::ExtractToFolder(
    const std::u16string& folder, std::span<const std::int32_t> entries,
    const std::function<bool(const std::u16string&)>& may_replace,
    const std::function<void(const TZipFolderReport&)>& report) {
  if (s_->za == nullptr) {
    fail(u"", u"no archive is open");
    return 0;
  }
  fd_guard root(::open(utf16_to_utf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (root.get() < 0) {
    fail(u"", u"the folder \"" + folder + u"\" cannot be opened: " + os_reason(errno));
    return 0;
  }
  std::vector<std::int32_t> all;
  if (entries.empty()) {
    all.resize(s_->entries.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::int32_t>(i);
    entries = all;
  }
  std::u16string base = folder;
  if (base.empty() || base.back() != u'/') base += u'/';

  std::int32_t written = 0;
  std::vector<std::u16string> parts;
  for (const std::int32_t index : entries) {
    TZipFolderReport r;
    r.index = index;
    r.name = GetAZipMainDetail(index);
    auto finish = [&](zip_folder_outcome outcome, std::u16string reason = {}) {
      r.outcome = outcome;
      r.reason = std::move(reason);
      if (outcome == zip_folder_outcome::refused_name || outcome == zip_folder_outcome::failed)
        fail(r.name, r.reason);
      if (report) report(r);
    };
    if (index < 0 || static_cast<std::size_t>(index) >= s_->entries.size()) {
      finish(zip_folder_outcome::failed, u"there is no such entry");
      continue;
    }
    const std::u16string refusal = detail::zip_name_refusal(r.name, parts);
    if (!refusal.empty()) {
      finish(zip_folder_outcome::refused_name, refusal);
      continue;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) r.target += (i ? u"/" : u"") + parts[i];
    r.target = base + r.target;
    zip_uint8_t opsys = ZIP_OPSYS_DEFAULT;
    zip_uint32_t external = 0;
    zip_file_get_external_attributes(s_->za, static_cast<zip_uint64_t>(index), 0, &opsys,
                                     &external);
    if (detail::zip_entry_is_symlink(opsys, external)) {
      finish(zip_folder_outcome::refused_name, u"it is a symbolic link");
      continue;
    }
    const bool folder_entry = s_->entries[static_cast<std::size_t>(index)].folder;

    // The folders on the way, made where missing; a link or a file in their place stops.
    fd_guard dir(::dup(root.get()));
    const std::size_t folders = folder_entry ? parts.size() : parts.size() - 1;
    std::u16string walk_problem;
    bool refused = false;
    for (std::size_t i = 0; i < folders && walk_problem.empty(); ++i) {
      const std::string part = utf16_to_utf8(parts[i]);
      if (::mkdirat(dir.get(), part.c_str(), 0777) != 0 && errno != EEXIST) {
        walk_problem = u"the folder \"" + parts[i] + u"\" cannot be made: " + os_reason(errno);
        break;
      }
      const int next =
          ::openat(dir.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (next < 0) {
        struct stat st {};
        refused =
            errno == ELOOP || (::fstatat(dir.get(), part.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                               S_ISLNK(st.st_mode));
        walk_problem = refused ? u"\"" + parts[i] + u"\" on its path is a symbolic link"
                               : u"\"" + parts[i] + u"\" on its path is not a folder";
        break;
      }
      dir.reset(next);
    }
    if (!walk_problem.empty()) {
      finish(refused ? zip_folder_outcome::refused_name : zip_folder_outcome::failed, walk_problem);
      continue;
    }
    if (folder_entry) {
      finish(zip_folder_outcome::folder_made);
      continue;
    }

    const std::string last = utf16_to_utf8(parts.back());
    struct stat existing {};
    bool replacing = false;
    if (::fstatat(dir.get(), last.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
      replacing = true;
      if (S_ISLNK(existing.st_mode)) {
        finish(zip_folder_outcome::refused_name, u"a symbolic link stands in its place");
        continue;
      }
      if (!S_ISREG(existing.st_mode)) {
        finish(zip_folder_outcome::failed, u"something other than a file stands in its place");
        continue;
      }
      if (!may_replace || !may_replace(r.target)) {
        finish(zip_folder_outcome::kept_existing);
        continue;
      }
    }

    // Written beside its final name, renamed into place when complete.
    const std::string temp = ".corvane-unzip-" + std::to_string(::getpid()) + "-" +
                             std::to_string(temp_counter++) + ".part";
    fd_guard out(::openat(dir.get(), temp.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (out.get() < 0) {
      finish(zip_folder_outcome::failed, u"it cannot be written: " + os_reason(errno));
      continue;
    }
    fd_sink sink(out.get());
    std::u16string problem;
    {
      // The reason of a failed extraction goes into the report, not to the handler twice.
      TZipFailureEvent handler = std::move(OnProcessFileFailure);
      OnProcessFileFailure = [&](const std::u16string&, const std::u16string& reason) {
        problem = reason;
      };
      const bool ok = extract_into(index, StreamLimit, sink);
      OnProcessFileFailure = std::move(handler);
      if (!ok && problem.empty()) problem = u"it cannot be read";
    }
    if (problem.empty()) {
      const TDateTime stamp = GetADateTime(index);
      zip_stat_t st;
      zip_stat_init(&st);
      if (stamp != 0 && zip_stat_index(s_->za, static_cast<zip_uint64_t>(index), 0, &st) == 0 &&
          (st.valid & ZIP_STAT_MTIME)) {
        const struct timespec times[2] = {{st.mtime, 0}, {st.mtime, 0}};
        ::futimens(out.get(), times);
      }
      if (replacing) {
        // The replaced file's permission bits and owner stay (the owner where allowed).
        ::fchmod(out.get(), existing.st_mode & 07777);
        if (::fchown(out.get(), existing.st_uid, existing.st_gid) != 0) {
        }
      }
      if (::close(out.release()) != 0) problem = u"it cannot be written: " + os_reason(errno);
    }
    if (problem.empty() && ::renameat(dir.get(), temp.c_str(), dir.get(), last.c_str()) != 0)
      problem = u"it cannot be put in place: " + os_reason(errno);
    if (!problem.empty()) {
      ::unlinkat(dir.get(), temp.c_str(), 0);
      finish(zip_folder_outcome::failed, problem);
      continue;
    }
    ++written;
    finish(zip_folder_outcome::written);
  }
  return written;
}

}  // namespace corvane
