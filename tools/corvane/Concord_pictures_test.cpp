#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

class ConcordPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("corvane-concord-pictures-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "a.txt", std::ios::binary)
        << "The cat sat on the mat. The dog saw a cat.\n";
  }
  void TearDown() override { fs::remove_all(dir); }
  testing::Result concord(std::vector<std::string> args) {
    args.insert(args.begin(), "concord");
    args.push_back("cat");
    args.push_back((dir / "a.txt").string());
    return testing::run_corvane(std::move(args));
  }
  std::string read(const char* name) {
    std::stringstream s;
    s << std::ifstream(dir / name, std::ios::binary).rdbuf();
    return s.str();
  }
  std::string at(const char* name) { return (dir / name).string(); }
  fs::path dir;
};

TEST_F(ConcordPicturesTest, WritesEveryPictureBesideTheLinesAndInSortOrder) {
  const testing::Result r = concord({"--png", at("c.png"), "--svg", at("c.svg"), "--html",
                                     at("c.html"), "--sort", "L1-", "--style", "3"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("2 hits in 1 file"), std::string::npos);
  EXPECT_EQ(read("c.png").substr(0, 4), "\x89PNG");
  const std::string svg = read("c.svg");
  EXPECT_NE(svg.find("<rect width=\"100%\" height=\"100%\" fill=\"#f0f8ff\"/>"), std::string::npos)
      << svg.substr(0, 400);
  // L1 descending: "The cat" (L1 "The") comes before "saw a cat" (L1 "a").
  const std::string html = read("c.html");
  const std::size_t first = html.find("<td class=\"before\">"),
                    second = html.find("<td class=\"before\">", first + 1);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(html.find("The</span> </bdi></td>", first), second) << html;
  EXPECT_NE(html.find("saw ", second), std::string::npos);
}

TEST_F(ConcordPicturesTest, BadOptionsAndUnwritableFilesExitTwoBeforeSearching) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--png", at("x.png"), "--style", "13"},
        std::vector<std::string>{"--svg", at("x.svg"), "--cell-width", "2"},
        std::vector<std::string>{"--html", at("x.html"), "--font-size", "0"},
        std::vector<std::string>{"--png", at("missing/x.png")},
        std::vector<std::string>{"--html", at("missing/x.html")}}) {
    const testing::Result r = concord(args);
    EXPECT_EQ(r.status, 2) << args[0] << " " << args.back();
    EXPECT_EQ(r.out, "");  // nothing searched, nothing printed
    EXPECT_EQ(r.err.rfind("corvane concord: ", 0), 0u) << r.err;
  }
  EXPECT_NE(concord({"--png", at("x.png"), "--style", "13"}).err.find("unknown style 13"),
            std::string::npos);
  EXPECT_NE(concord({"--png", at("missing/x.png")}).err.find("cannot write " + at("missing/x.png")),
            std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(ConcordPicturesTest, AMissingFontFallsBackWithAWarning) {
  const testing::Result r = concord({"--svg", at("c.svg"), "--font", "No Such Font Family"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("corvane concord: the font \"No Such Font Family\" is not installed; "
                       "\"DejaVu Sans\" is used"),
            std::string::npos)
      << r.err;
  EXPECT_NE(read("c.svg").find("font-family=\"DejaVu Sans\""), std::string::npos);
}

}  // namespace
}  // namespace corvane::cli
