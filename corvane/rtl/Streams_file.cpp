#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {

std::u16string file_error_message(const char* format_head, const std::u16string& file_name,
                                  int error) {
  // "<head> "<file>". <system message>"
  std::u16string message = u16(format_head);
  message += u"\"";
  message += file_name;
  message += u"\". ";
  message += u16(std::strerror(error));
  return message;
}

}  // namespace

int detail::replace_file_keeping_attributes(const std::string& temp_path,
                                            const std::string& target_path) {
  struct stat old_status;
  if (::stat(target_path.c_str(), &old_status) == 0 && S_ISREG(old_status.st_mode)) {
    // Owner first: chown may clear the set-id bits that chmod then restores. Both are best
    // effort, as an ordinary user may not give a file away.
    [[maybe_unused]] const int owned =
        ::chown(temp_path.c_str(), old_status.st_uid, old_status.st_gid);
    ::chmod(temp_path.c_str(), old_status.st_mode & 07777);
  }
  return ::rename(temp_path.c_str(), target_path.c_str()) == 0 ? 0 : errno;
}

TFileStream::TFileStream(const std::u16string& file_name, std::uint16_t mode)
    : file_name_(file_name) {
  const std::string path = u8(file_name);
  if (mode == fmCreate || (mode & 0xFF00) == fmCreate) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw EFCreateError(file_error_message("Cannot create file ", file_name, errno));
    return;
  }
  int flags = O_CLOEXEC;
  switch (mode & 0x3) {
    case fmOpenWrite:
      flags |= O_WRONLY;
      break;
    case fmOpenReadWrite:
      flags |= O_RDWR;
      break;
    default:
      flags |= O_RDONLY;
      break;
  }
  fd_ = ::open(path.c_str(), flags);
  if (fd_ < 0) throw EFOpenError(file_error_message("Cannot open file ", file_name, errno));
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  auto* out = static_cast<char*>(buffer);
  std::int32_t done = 0;
  while (done < count) {
    ssize_t n = ::read(fd_, out + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::int32_t>(n);
  }
  return done;
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  const auto* in = static_cast<const char*>(buffer);
  std::int32_t done = 0;
  while (done < count) {
    ssize_t n = ::write(fd_, in + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::int32_t>(n);
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, std::uint16_t origin) {
  int whence = origin == soFromCurrent ? SEEK_CUR : (origin == soFromEnd ? SEEK_END : SEEK_SET);
  return static_cast<std::int64_t>(::lseek(fd_, static_cast<off_t>(offset), whence));
}

void TFileStream::SetSize(std::int64_t new_size) {
  std::int64_t position = Position();
  if (::ftruncate(fd_, static_cast<off_t>(new_size)) != 0) {
    throw EWriteError("Stream write error");
  }
  if (position > new_size) Seek(new_size, soFromBeginning);
}

}  // namespace corvane
