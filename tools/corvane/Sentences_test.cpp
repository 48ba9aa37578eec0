#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
using testing::write_file;

Result run_sentences(std::vector<std::string> args) {
  args.insert(args.begin(), "sentences");
  return testing::run_corvane(std::move(args));
}

TEST(CorvaneSentences, PrintsTheSentencesOfEachLine) {
  const std::string path = write_file("corvane_sentences_plain.txt",
                                      "He said \xC2\xABStop.\xC2\xBB Then left.\n"
                                      "\n"
                                      "Dr. smith came. It is 3.14 now.\r\n"
                                      "No end here");
  const Result r = run_sentences({"--lang", "en_US", path});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "He said \xC2\xABStop.\xC2\xBB\nThen left.\nDr. smith came.\nIt is 3.14 now.\n"
            "No end here\n");
}

TEST(CorvaneSentences, MarkerAndEncodings) {
  // UTF-16LE with its byte-order mark: "A.<s>b c" and a line break.
  const std::string utf16 =
      std::string("\xFF\xFE", 2) + std::string("A\0.\0<\0s\0>\0b\0 \0c\0\r\0\n\0", 20);
  const std::string path = write_file("corvane_sentences_utf16.txt", utf16);
  Result r = run_sentences({"--marker", "<s>", path});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "A.\nb c\n");
  // UTF-8 with a signature, and a locale given by its identifier.
  const std::string bom = write_file("corvane_sentences_bom.txt", "\xEF\xBB\xBFOne. Two.");
  r = run_sentences({"--lang", "0x0409", bom});
  EXPECT_EQ(r.out, "One.\nTwo.\n");
}

TEST(CorvaneSentences, LongestTagMakesShortTagsMarkUp) {
  const std::string path =
      write_file("corvane_sentences_tags.txt", "He left. <i>Then</i> she came.");
  EXPECT_EQ(run_sentences({"--lang", "en", path}).out, "He left. <i>Then</i> she came.\n");
  EXPECT_EQ(run_sentences({"--lang", "en", "--longest-tag", "5", path}).out,
            "He left.\n<i>Then</i> she came.\n");
}

TEST(CorvaneSentences, BadArgumentsAndFilesAreReported) {
  const std::string path = write_file("corvane_sentences_ok.txt", "One. Two.");
  Result r = run_sentences({"--lang", "xx_nowhere", path});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("names no locale"), std::string::npos) << r.err;
  r = run_sentences({"--lang", "0xFFFFFF", path});
  EXPECT_EQ(r.status, 2);
  r = run_sentences({::testing::TempDir() + "corvane_no_such_file.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("corvane_no_such_file.txt"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  r = run_sentences({::testing::TempDir()});  // a folder
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("folder"), std::string::npos) << r.err;
  r = run_sentences({});
  EXPECT_NE(r.status, 0);
}

}  // namespace
}  // namespace corvane::cli
