#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::run_corvane;
using testing::write_file;

// The commands called directly run as the program's default tool, as a run would.
class SectionsCommand : public ::testing::Test {
 protected:
  void SetUp() override { current_tool_var = tt_shell; }
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(SectionsCommand, WriteSortsThenPrintAndLookUp) {
  const std::string path = ::testing::TempDir() + "cli_sections.sec";
  std::istringstream in("200\tChapter 3\n0\tChapter 1\r\n\n100\tChapter\t2\n");
  std::ostringstream err;
  ASSERT_EQ(command_sections_write(path, in, err), 0) << err.str();
  EXPECT_EQ(read_file(path).size(), 61u + 3 * 8 + 2 * (9 + 9 + 9));

  auto r = run_corvane({"sections", path});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "0\tChapter 1\n100\tChapter\t2\n200\tChapter 3\n");
  r = run_corvane({"sections", "--json", path});
  EXPECT_EQ(r.out,
            "[\n  {\"start\": 0, \"heading\": \"Chapter 1\"},\n  {\"start\": 100, \"heading\": "
            "\"Chapter\\t2\"},\n  {\"start\": 200, \"heading\": \"Chapter 3\"}\n]\n");
  r = run_corvane({"sections", "--at", "150", path});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "2\tChapter\t2\n");
  r = run_corvane({"sections", "--at", "-1", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
}

TEST_F(SectionsCommand, RefusedFilesAndBadLines) {
  const std::string good = ::testing::TempDir() + "cli_sections_keep.sec";
  std::istringstream one("5\tone\n");
  std::ostringstream err;
  ASSERT_EQ(command_sections_write(good, one, err), 0);
  const std::string before = read_file(good);
  std::istringstream bad("5\tone\nfive\ttwo\n");
  EXPECT_EQ(command_sections_write(good, bad, err), 2);
  EXPECT_NE(err.str().find("line 2"), std::string::npos);
  EXPECT_EQ(read_file(good), before);  // nothing written

  const std::string other = write_file("cli_not_sections.sec", std::string(80, 'x'));
  auto r = run_corvane({"sections", other});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(other), std::string::npos);
  r = run_corvane({"--tool", "tt_linara", "sections", good});
  EXPECT_EQ(r.status, 2);  // saved by another tool
  r = run_corvane({"sections", ::testing::TempDir() + "cli_missing.sec"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cli_missing.sec"), std::string::npos);
  std::string cut = before.substr(0, before.size() - 2);
  r = run_corvane({"sections", write_file("cli_cut.sec", cut)});
  EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace corvane::cli
