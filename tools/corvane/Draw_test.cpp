#include <gtest/gtest.h>

#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::run_corvane;

TEST(DrawCommand, ConcordanceLineHitCentredInTheSearchWordColours) {
  // Style 7: black on white; the search word blue (0xFF0000 with red in the low byte).
  auto r = run_corvane({"draw", "--hit", "5,3", "the cat sat"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "156\t0\t#000000\t#FFFFFF\tthe\n"
            "180\t0\t#000000\t#FFFFFF\t \n"
            "188\t0\t#0000FF\t#FFFFFF\tcat\n"
            "212\t0\t#000000\t#FFFFFF\t \n"
            "220\t0\t#000000\t#FFFFFF\tsat\n");
  // Style 1 has its own background; a wider advance moves everything.
  r = run_corvane(
      {"draw", "--hit", "5,3", "--style", "1", "--advance", "10", "--cell", "120x40", "the cat"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "5\t12\t#000000\t#FFC0CB\tthe\n"
            "35\t12\t#000000\t#FFC0CB\t \n"
            "45\t12\t#0000FF\t#FFC0CB\tcat\n");
}

TEST(DrawCommand, RightToLeftLineHasTheTextBeforeTheHitOnItsRight) {
  const auto r = run_corvane({"draw", "--hit", "5,3", "--lang", "he_IL",
                              "\u05d0\u05d1\u05d2 \u05d3\u05d4\u05d5 \u05d6\u05d7\u05d8"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "220\t0\t#000000\t#FFFFFF\t\u05d0\u05d1\u05d2\n"
            "212\t0\t#000000\t#FFFFFF\t \n"
            "188\t0\t#0000FF\t#FFFFFF\t\u05d3\u05d4\u05d5\n"
            "180\t0\t#000000\t#FFFFFF\t \n"
            "156\t0\t#000000\t#FFFFFF\t\u05d6\u05d7\u05d8\n");
}

TEST(DrawCommand, PlainLineAlignedWithItsWordsColoured) {
  auto r = run_corvane({"draw", "--words", "cat,dog", "--align", "right", "the cat"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "343\t0\t#000000\t#FFFFFF\tthe\n"
            "367\t0\t#000000\t#FFFFFF\t \n"
            "375\t0\t#0000FF\t#FFFFFF\tcat\n");
  r = run_corvane({"draw", "--cell", "48x20", "abcdefghij"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "8\t0\t#000000\t#FFFFFF\tabc\u2026j\n");  // cut in the middle
  r = run_corvane({"draw", ""});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(DrawCommand, BadOptionsAreRefusedWithStatusTwo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"draw", "--cell", "7x20", "abc"}, "narrower than one character"},
      {{"draw", "--cell", "400x10", "abc"}, "lower than one line"},
      {{"draw", "--cell", "wide", "abc"}, "--cell takes"},
      {{"draw", "--style", "13", "abc"}, "unknown style 13"},
      {{"draw", "--style", "-1", "abc"}, "unknown style -1"},
      {{"draw", "--hit", "0,1", "abc"}, "--hit takes"},
      {{"draw", "--hit", "3,2", "abc"}, "--hit takes"},
      {{"draw", "--lang", "xx_nowhere", "abc"}, "names no locale"},
      {{"draw", "--align", "middle", "abc"}, "--align takes"},
      {{"draw", "--advance", "0", "abc"}, "--advance"},
  };
  for (const auto& [args, message] : cases) {
    const auto r = run_corvane(args);
    EXPECT_EQ(r.status, 2) << args[1] << ' ' << args[2];
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace corvane::cli
