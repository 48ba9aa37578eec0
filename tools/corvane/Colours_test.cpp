#include <gtest/gtest.h>

#include <sstream>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::run_corvane;

std::vector<std::string> lines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

TEST(ColoursCommand, StyleTable) {
  auto r = run_corvane({"colours"});  // the start-up style, 7
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> l = lines(r.out);
  ASSERT_EQ(l.size(), 4u + 21u);
  EXPECT_EQ(l[0], "standard\t#000000\t#FFFFFF");
  EXPECT_EQ(l[1], "standard_selected\t#000000\t#FFEE7B");
  EXPECT_EQ(l[2], "search\t#000000\t#FFEE7B");
  EXPECT_EQ(l[3], "search_selected\t#000000\t#FFFFFF");
  EXPECT_EQ(l[4], "wh_normal_text\t#000000\t#FFFFFF");
  EXPECT_EQ(l[6], "wh_searchword\t#0000FF\t#FFFFFF");  // blue
  EXPECT_EQ(l[13], "wh_viewtextkeywords\t#800000\t#FFFACD");
  EXPECT_EQ(l[23], "wh_wont_fit\t#800080\t#FFFFFF");
  EXPECT_EQ(l[24].rfind("wh_spare\t", 0), 0u);
  EXPECT_EQ(run_corvane({"colours", "--style", "7"}).out, r.out);

  r = run_corvane({"colours", "--style", "5"});  // the button face is a system colour
  EXPECT_EQ(lines(r.out)[0], "standard\t#000000\tsys:15");
  r = run_corvane({"colours", "--style", "1"});
  EXPECT_EQ(lines(r.out)[2], "search\t#FFFFFF\t#FFC0CB");
  EXPECT_EQ(lines(r.out)[3], "search_selected\t#000000\t#FFC0CB");

  r = run_corvane({"colours", "--style", "0", "--json"});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(
      r.out.rfind("[\n  {\"name\": \"standard\", \"text\": 0, \"background\": 16640730},\n", 0),
      0u);
  EXPECT_NE(
      r.out.find("{\"name\": \"wh_viewtextkeywords\", \"text\": 128, \"background\": 13499135}"),
      std::string::npos);
  EXPECT_EQ(r.out.substr(r.out.size() - 4), "}\n]\n");
}

TEST(ColoursCommand, WebColours) {
  auto r = run_corvane({"colours", "--web"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> l = lines(r.out);
  ASSERT_EQ(l.size(), 139u + 6u);
  EXPECT_EQ(l[0], "AliceBlue\t#F0F8FF");
  EXPECT_EQ(l[2], "Aqua\t#00FFFF");
  EXPECT_EQ(l[3], "Aquamarine\t#7FFFD4");  // Cyan, the same colour, is left out
  EXPECT_EQ(l[139], "VLightOlive_TMS\t#F2F0E4");
  EXPECT_EQ(l[144], "LightSkyBlue_TMS\t#D7F0FD");
  r = run_corvane({"colours", "--web", "--json"});
  EXPECT_EQ(r.out.rfind("[\n  {\"name\": \"AliceBlue\", \"colour\": 16775408},", 0), 0u);
}

TEST(ColoursCommand, UnknownStyles) {
  for (const char* bad : {"13", "-1", "x", "7x", "", "99999999999"}) {
    const auto r = run_corvane({"colours", "--style", bad});
    if (std::string(bad).empty()) continue;  // an empty value is the default style
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "corvane colours: --style " + std::string(bad) + ": no such style (give 0 to 12)\n");
  }
}

}  // namespace
}  // namespace corvane::cli
