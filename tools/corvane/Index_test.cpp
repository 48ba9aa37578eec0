#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;
using testing::run_corvane;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string utf16le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

class IndexCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = ::testing::TempDir() + "cli_index/";
    fs::remove_all(dir);
    fs::create_directories(dir);
    name = dir + "corpus";
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string dir, name;
};

TEST_F(IndexCommand, BackupThenDeleteWithTheirLogLines) {
  std::ofstream(name + ".types", std::ios::binary) << "types";
  std::ofstream(name + ".base_pairs", std::ios::binary) << "pairs";
  const std::string log = dir + "cv.log";
  auto r = run_corvane({"--tool", "tt_tabulon", "--log", log, "index", "backup", name});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "copied\t" + name + ".types\t" + name + ".types_bak\ncopied\t" + name +
                       ".base_pairs\t" + name + ".base_pairs_bak\n");
  EXPECT_EQ(read_file(name + ".base_pairs_bak"), "pairs");
  const std::string backup_lines =
      "\xFF\xFE" +
      utf16le("(T): Trying to backup index files for " + name + "\r\n" + "(T): Trying to copy " +
              name + ".types to " + name + ".types_bak\r\n" + "(T): Trying to copy " + name +
              ".base_pairs to " + name + ".base_pairs_bak\r\n");
  EXPECT_EQ(read_file(log), backup_lines);

  r = run_corvane({"--log", log, "index", "delete", name});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "deleted\t" + name + ".types\ndeleted\t" + name + ".base_pairs\n");
  EXPECT_FALSE(fs::exists(name + ".types"));
  EXPECT_TRUE(fs::exists(name + ".types_bak"));  // backups are not index files
  EXPECT_EQ(read_file(log), backup_lines + utf16le("(CV7): Trying to delete " + name +
                                                   ".types\r\n(CV7): Trying to delete " + name +
                                                   ".base_pairs\r\n"));

  // Nothing there now: exit status 1, and no log line about deleting.
  r = run_corvane({"index", "delete", name});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("no index files"), std::string::npos);
  EXPECT_EQ(run_corvane({"index", "backup", name}).status, 1);
  EXPECT_EQ(run_corvane({"index", "rename", name}).status, 2);
}

}  // namespace
}  // namespace corvane::cli
