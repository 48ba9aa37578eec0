#include "corvane/platform/SharedMemory.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace corvane {
namespace {

std::string unique_name(const char* what) {
  return std::string("corvane_test_") + what + "_" + std::to_string(::getpid());
}

struct stat object_status(const std::string& name) {
  struct stat status {};
  const int fd = ::shm_open(("/" + name).c_str(), O_RDONLY, 0);
  if (fd >= 0) {
    ::fstat(fd, &status);
    ::close(fd);
  }
  return status;
}

TEST(SharedMemory, MadePrivateToTheUserAndSharedByName) {
  const std::string name = unique_name("private");
  const mode_t old_mask = ::umask(0);
  SharedMemory writer;
  ASSERT_TRUE(writer.open(name, shm_open_mode::open_or_create, 12));
  ::umask(old_mask);
  EXPECT_TRUE(writer.created());
  EXPECT_EQ(writer.size(), 12u);
  EXPECT_EQ(object_status(name).st_mode & 0777, 0600u);
  writer.data()[3] = 0x5A;

  SharedMemory reader;
  ASSERT_TRUE(reader.open(name, shm_open_mode::open_existing));
  EXPECT_FALSE(reader.created());
  EXPECT_EQ(reader.size(), 12u);
  EXPECT_EQ(reader.data()[3], 0x5A);
  // open_or_create on an existing object keeps its size.
  SharedMemory again;
  ASSERT_TRUE(again.open(name, shm_open_mode::open_or_create, 4000));
  EXPECT_EQ(again.size(), 12u);
  ASSERT_TRUE(again.open(name, shm_open_mode::create_or_resize, 40));
  EXPECT_EQ(again.size(), 40u);
  EXPECT_EQ(again.data()[3], 0x5A);

  EXPECT_TRUE(SharedMemory::exists(name));
  EXPECT_TRUE(SharedMemory::unlink(name));
  EXPECT_FALSE(SharedMemory::exists(name));
  EXPECT_FALSE(SharedMemory::unlink(name));
  // Still mapped here after removal.
  EXPECT_EQ(reader.data()[3], 0x5A);
}

TEST(SharedMemory, MissingObjectsAndBadNames) {
  SharedMemory memory;
  EXPECT_FALSE(memory.open(unique_name("missing"), shm_open_mode::open_existing));
  EXPECT_EQ(memory.failure(), shm_failure::missing);
  EXPECT_FALSE(SharedMemory::exists(unique_name("missing")));
  for (const std::string& bad :
       {std::string(), std::string("a/b"), std::string("a\0b", 3), std::string(251, 'n')}) {
    EXPECT_FALSE(memory.open(bad, shm_open_mode::open_or_create, 8));
    EXPECT_EQ(memory.failure(), shm_failure::bad_name);
    EXPECT_FALSE(memory.is_open());
  }
  EXPECT_TRUE(SharedMemory::valid_name(std::string(250, 'n')));
}

TEST(SharedMemory, AnotherUsersObjectIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs to give an object away";
  const std::string name = unique_name("foreign");
  {
    SharedMemory memory;
    ASSERT_TRUE(memory.open(name, shm_open_mode::open_or_create, 16));
  }
  const int fd = ::shm_open(("/" + name).c_str(), O_RDWR, 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::fchown(fd, 65534, 65534), 0);
  ::close(fd);
  SharedMemory memory;
  for (auto mode : {shm_open_mode::open_existing, shm_open_mode::open_or_create,
                    shm_open_mode::create_or_resize}) {
    EXPECT_FALSE(memory.open(name, mode, 1000));
    EXPECT_EQ(memory.failure(), shm_failure::foreign);
  }
  EXPECT_EQ(object_status(name).st_size, 16);  // not resized either
  SharedMemory::unlink(name);
}

}  // namespace
}  // namespace corvane
