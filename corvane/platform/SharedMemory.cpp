#include "corvane/platform/SharedMemory.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvane {

namespace {

constexpr std::size_t kLongestName = 250;

std::string object_path(std::string_view name) {
  std::string path = "/";
  path += name;
  return path;
}

}  // namespace

SharedMemory::~SharedMemory() {
  close();
}

bool SharedMemory::valid_name(std::string_view name) {
  return !name.empty() && name.size() <= kLongestName &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool SharedMemory::fail(shm_failure failure, int error) {
  close();
  failure_ = failure;
  error_ = error;
  return false;
}

bool SharedMemory::open(std::string_view name, shm_open_mode mode, std::size_t size) {
  close();
  failure_ = shm_failure::none;
  error_ = 0;
  created_ = false;
  if (!valid_name(name)) return fail(shm_failure::bad_name);
  const std::string path = object_path(name);

  // Open what is there; make one only when there is none, exclusively, so that two
  // writers racing never share a half-made object. (shm_open never follows a link.)
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    fd = ::shm_open(path.c_str(), O_RDWR, 0);
    if (fd >= 0) break;
    if (errno == EACCES) return fail(shm_failure::foreign, errno);
    if (errno != ENOENT) return fail(shm_failure::system, errno);
    if (mode == shm_open_mode::open_existing) return fail(shm_failure::missing, ENOENT);
    fd = ::shm_open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
      created_ = true;
    } else if (errno != EEXIST) {
      return fail(shm_failure::system, errno);
    }
  }
  if (fd < 0) return fail(shm_failure::system, EEXIST);
  fd_ = fd;

  struct stat status;
  if (::fstat(fd_, &status) != 0) return fail(shm_failure::system, errno);
  if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
    return fail(shm_failure::foreign, EACCES);
  }
  if (created_ || mode == shm_open_mode::create_or_resize) {
    // Ours: only we may read it, whatever the umask or an earlier writer left.
    if (::fchmod(fd_, 0600) != 0 || ::ftruncate(fd_, static_cast<off_t>(size)) != 0 ||
        ::fstat(fd_, &status) != 0) {
      const int error = errno;
      if (created_) ::shm_unlink(path.c_str());
      return fail(shm_failure::system, error);
    }
  }
  size_ = static_cast<std::size_t>(status.st_size);
  if (size_ > 0) {
    void* view = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
    if (view == MAP_FAILED) return fail(shm_failure::system, errno);
    data_ = static_cast<std::uint8_t*>(view);
  }
  return true;
}

void SharedMemory::close() {
  if (data_ != nullptr) ::munmap(data_, size_);
  if (fd_ >= 0) ::close(fd_);
  data_ = nullptr;
  size_ = 0;
  fd_ = -1;
}

std::string SharedMemory::failure_text() const {
  switch (failure_) {
    case shm_failure::none:
      return "";
    case shm_failure::bad_name:
      return "the name must be 1 to 250 bytes without \"/\"";
    case shm_failure::missing:
      return "there is no such shared memory";
    case shm_failure::foreign:
      return "the shared memory belongs to another user";
    case shm_failure::system:
      return std::strerror(error_);
  }
  return "";
}

bool SharedMemory::current(std::string_view name) const {
  if (fd_ < 0 || !valid_name(name)) return false;
  struct stat mine;
  if (::fstat(fd_, &mine) != 0 || mine.st_nlink == 0 ||
      static_cast<std::size_t>(mine.st_size) != size_)
    return false;
  const int fd = ::shm_open(object_path(name).c_str(), O_RDONLY, 0);
  if (fd < 0) return false;
  struct stat named;
  const bool same =
      ::fstat(fd, &named) == 0 && named.st_dev == mine.st_dev && named.st_ino == mine.st_ino;
  ::close(fd);
  return same;
}

bool SharedMemory::unlink(std::string_view name) {
  if (!valid_name(name)) return false;
  return ::shm_unlink(object_path(name).c_str()) == 0;
}

bool SharedMemory::exists(std::string_view name) {
  if (!valid_name(name)) return false;
  const int fd = ::shm_open(object_path(name).c_str(), O_RDONLY, 0);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  return errno == EACCES;
}

}  // namespace corvane
