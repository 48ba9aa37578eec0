#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
using testing::write_file;
const auto run_command = testing::run_corvane;

TEST(CorvaneDetect, PrintsEachVerdictByName) {
  const std::string utf8 = write_file("corvane_detect_utf8.txt", "\xEF\xBB\xBFna\xC3\xAFve\n");
  const std::string le = write_file("corvane_detect_le.txt", std::string("\xFF\xFEh\0i\0", 6));
  const std::string zip = write_file("corvane_detect.zip", "PK\x03\x04rest");
  const std::string tiny = write_file("corvane_detect_tiny.txt", "ab");
  Result r = run_command({"detect", utf8, le, zip, tiny});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            utf8 + "\t_UTF8\n" + le + "\t_16_bit\n" + zip + "\t_Zip\n" + tiny + "\tunknown\n");
  r = run_command({"detect", "--quick", utf8});
  EXPECT_EQ(r.out, utf8 + "\t_8_bit\t_UTF8\n");
}

TEST(CorvaneDetect, MissingFilesAndFoldersAreErrors) {
  const std::string ok = write_file("corvane_detect_ok.txt", "plain text");
  Result r = run_command({"detect", "/no/such/file", ::testing::TempDir(), ok});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, ok + "\t_8_bit\n");
  EXPECT_NE(r.err.find("/no/such/file: no such file"), std::string::npos);
  EXPECT_NE(r.err.find("is a folder"), std::string::npos);
  EXPECT_EQ(run_command({"detect"}).status, 2);  // a required argument is missing
}

TEST(CorvaneCat, PrintsTextsInUtf8) {
  const std::string ansi = write_file("corvane_cat_1252.txt", "caf\xE9\nend");
  const std::string be =
      write_file("corvane_cat_be.txt", std::string("\xFE\xFF\x00\xE9\x00\n\x20\xAC", 8));
  const Result r = run_command({"cat", ansi, be});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "caf\xC3\xA9\r\nend\r\n\xC3\xA9\r\n\xE2\x82\xAC\r\n");
  EXPECT_EQ(run_command({"cat", "/no/such/file"}).status, 1);
}

}  // namespace
}  // namespace corvane::cli
