#include "corvane/files/Fileofchar.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

void AddToFileOfChar(const std::u16string& file_name, const std::u16string& text) {
  if (file_name.empty()) return;
  const std::string path = u8(file_name);
  std::string bytes;
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0)
      bytes = "\xFF\xFE";
    else if (errno == EEXIST)
      fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  }
  if (fd < 0) {
    throw EFCreateError(u"Cannot create file \"" + file_name + u"\". " + SysErrorMessage(errno));
  }
  bytes.reserve(bytes.size() + text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  std::size_t done = 0;
  int error = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    throw EWriteError(u"Cannot write file \"" + file_name + u"\". " + SysErrorMessage(error));
  }
}

}  // namespace corvane
