#include "corvane/files/Inifileu2.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/FileNames.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

// The whole of a regular file; false when it cannot be read.
bool read_whole_file(const std::string& path, std::string& bytes) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes.clear();
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ok;
}

}  // namespace

TMyMemIniFile::TMyMemIniFile(std::u16string file_name) : TMemIniFile(std::move(file_name)) {
  SetEncoding(enc_utf16le);
}

bool TMyMemIniFile::ReadBool(std::u16string_view section, std::u16string_view ident,
                             bool default_value) const {
  if (default_value) {
    const std::u16string value = ReadString(section, ident, ini_yes);
    return !value.empty() && value.front() == u'Y';
  }
  const std::u16string value = ReadString(section, ident, ini_no);
  return value.empty() || value.front() != u'N';
}

void TMyMemIniFile::WriteBool(std::u16string_view section, std::u16string_view ident, bool value) {
  WriteString(section, ident, value ? ini_yes : ini_no);
}

bool TMyMemIniFile::SaveABackup() {
  if (FileName().empty()) return false;
  std::string bytes;
  if (!read_whole_file(u8(FileName()), bytes)) return false;
  try {
    detail::write_bytes_beside(ChangeFileExt(FileName(), u".BAK"), bytes);
  } catch (const Exception&) {
    return false;
  }
  return true;
}

}  // namespace corvane
