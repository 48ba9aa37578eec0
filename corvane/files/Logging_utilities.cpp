#include "corvane/files/Logging_utilities.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <vector>

#include "corvane/frame/Package_log.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

bool keeping_log = false;

namespace {

std::u16string log_name;
bool busy = false;
std::vector<std::u16string> pending;
TLogPrefixSource prefix_source = nullptr;

std::u16string line_prefix() {
  return prefix_source ? prefix_source() : std::u16string(u"(??)");
}

// Puts a new log file holding only FF FE at `path`, unless one appeared meanwhile: the
// mark is written to a file beside it, which is then linked to the name (a link never
// replaces an existing file).
bool create_log_with_mark(const std::string& path) {
  std::random_device random;
  const std::string temp =
      path + ".new" + std::to_string(::getpid()) + "_" + std::to_string(random() & 0xFFFFFF);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = ::write(fd, "\xFF\xFE", 2) == 2;
  const bool closed = ::close(fd) == 0;
  bool ok = written && closed;
  if (ok && ::link(temp.c_str(), path.c_str()) != 0 && errno != EEXIST) {
    // A file system without hard links: take the name unless it exists by now.
    ok = ::access(path.c_str(), F_OK) == 0 || ::rename(temp.c_str(), path.c_str()) == 0;
  }
  ::unlink(temp.c_str());
  return ok;
}

bool append_to_log(const std::u16string& text) {
  const std::string path = u8(log_name);
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    if (!create_log_with_mark(path)) return false;
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  }
  if (fd < 0) return false;
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  std::size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) ok = false;
  return ok;
}

}  // namespace

std::u16string GetLogFilename() {
  return log_name;
}

void SetLogFilename(const std::u16string& name) {
  log_name = name;
}

bool log_is_kept() {
  return keeping_log && !log_name.empty();
}

TLogPrefixSource set_log_prefix_source(TLogPrefixSource source) {
  const TLogPrefixSource old = prefix_source;
  prefix_source = source;
  return old;
}

void AddToLogFile(const std::u16string& s) {
  AddToLogFile(s, true);
}

void AddToLogFile(const std::u16string& s, bool new_line) {
  std::u16string line = new_line ? s + u"\r\n" : s;
  if (!log_is_kept()) return;
  if (busy) {
    pending.push_back(std::move(line));
    return;
  }
  busy = true;
  try {
    std::u16string text;
    if (!pending.empty()) {
      for (std::size_t i = 0; i < pending.size(); ++i) {
        if (i > 0) text += u"\r\n";
        text += pending[i];
      }
      text += u"\r\n";
      pending.clear();
    }
    text += line_prefix();
    text += line;
    if (!append_to_log(text)) keeping_log = false;
  } catch (...) {
    keeping_log = false;
  }
  busy = false;
}

void StartNewLogSection() {
  AddToLogFile(std::u16string(10, u'*'));
  AddToLogFile(u"LOG STARTED at " + DateTimeToStr(Now(), UserDefaultFormatSettings));
}

void ClearLogFile() {
  if (log_name.empty()) return;
  const std::string path = u8(log_name);
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) return;
  ::unlink(path.c_str());
  StartNewLogSection();
}

void Logging_utilities_initialization() {
  pending.clear();
  busy = false;
  package_log_line = [](const std::u16string& line) { AddToLogFile(line); };
}

void Logging_utilities_finalization() {
  if (!pending.empty()) {
    std::u16string text;
    for (std::size_t i = 0; i < pending.size(); ++i) {
      if (i > 0) text += u"\r\n";
      text += pending[i];
    }
    pending.clear();
    AddToLogFile(text, true);
  }
  package_log_line = nullptr;
  log_name.clear();
}

}  // namespace corvane
