#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "corvane/platform/SharedMemory.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
using testing::write_file;
const auto run_command = testing::run_corvane;

std::string test_name(const char* what) {
  return std::string("shmcmd_") + what + "_" + std::to_string(::getpid());
}

// Runs put in a child process, as another program would.
int put_in_child(const std::string& name, const std::string& file, const std::string& input) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::istringstream in(input);
    std::ostringstream out, err;
    ::_exit(command_shm_put(name, file, in, out, err));
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CorvaneShm, LinesPutByOneProcessAreGotByAnother) {
  const std::string name = test_name("lines");
  ASSERT_EQ(put_in_child(name, "", "first\r\nsecond \xC3\xA9\n\nlast \xF0\x9F\x98\x80"), 0);
  Result r = run_command({"shm", "get", name});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "first\nsecond \xC3\xA9\n\nlast \xF0\x9F\x98\x80\n");
  r = run_command({"shm", "get", "--json", "--remove", name});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "[\n  \"first\",\n  \"second \xC3\xA9\",\n  \"\",\n  \"last \xF0\x9F\x98\x80\"\n]\n");
  r = run_command({"shm", "get", name});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no such shared memory"), std::string::npos);
  EXPECT_FALSE(SharedMemory::exists("wordbuf_compartilhar" + name));  // none left behind

  // A file loads as cat loads it: here UTF-16 with its mark.
  const std::string file = write_file("shmcmd.txt", std::string("\xFF\xFE"
                                                                "a\0\r\0\n\0b\0",
                                                                10));
  ASSERT_EQ(put_in_child(name, file, ""), 0);
  r = run_command({"shm", "get", "--json", name});
  EXPECT_EQ(r.out, "[\n  \"a\",\n  \"b\"\n]\n");
  EXPECT_EQ(run_command({"shm", "rm", name}).status, 0);
  EXPECT_EQ(run_command({"shm", "rm", name}).status, 1);

  ASSERT_EQ(put_in_child(name, "", ""), 0);  // no lines at all
  r = run_command({"shm", "get", "--json", "--remove", name});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "[]\n");
}

TEST(CorvaneShm, BadNamesFilesAndBlocks) {
  for (const std::string& bad : {std::string("a/b"), std::string(201, 'n')}) {
    for (const char* command : {"get", "rm"}) {
      Result r = run_command({"shm", command, bad});
      EXPECT_EQ(r.status, 2) << command;
      EXPECT_NE(r.err.find("1 to 200 bytes"), std::string::npos);
    }
  }
  std::istringstream in("x");
  std::ostringstream out, err;
  EXPECT_EQ(command_shm_put(std::string(200, 'n'), "", in, out, err), 0);
  EXPECT_EQ(run_command({"shm", "rm", std::string(200, 'n')}).status, 0);
  EXPECT_EQ(command_shm_put("ok", ::testing::TempDir() + "shmcmd_missing.txt", in, out, err), 2);
  EXPECT_EQ(command_shm_put("ok", ::testing::TempDir(), in, out, err), 2);
  EXPECT_NE(err.str().find("is a folder"), std::string::npos);

  // A damaged block: the load answers false.
  const std::string name = test_name("damaged");
  SharedMemory memory;
  ASSERT_TRUE(memory.open("wordbuf_compartilhar" + name, shm_open_mode::open_or_create, 12));
  const unsigned char block[12] = {12, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0x61, 0, 0, 0};
  std::copy(block, block + 12, memory.data());
  Result r = run_command({"shm", "get", "--remove", name});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(SharedMemory::exists("wordbuf_compartilhar" + name));  // kept: not read
  EXPECT_EQ(run_command({"shm", "rm", name}).status, 0);
}

}  // namespace
}  // namespace corvane::cli
