#include "corvane/display/Concordance_pictures.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "corvane/definitions/Tms_utils.hpp"
#include "corvane/display/CairoCanvas.hpp"
#include "corvane/display/Svg_read_back_test_support.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using test_svg::Element;

class ConcordancePictures : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("conc_pictures_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* name) const { return (dir_ / name).string(); }
  static std::string read(const std::string& p) {
    std::stringstream s;
    s << std::ifstream(p, std::ios::binary).rdbuf();
    return s.str();
  }
  fs::path dir_;
};

TEST(ConcordanceLineRuns, TagsThenSortWordsFirstKeyLastThenTheHit) {
  concordance_picture_options o;
  o.sort_keys = {{'R', 1, true}, {'L', 1, true}};
  const auto runs = concordance_line_runs(u"the big ", u"cat", u" sat down", o);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].role, wh_secondsort);  // L1 "big"
  EXPECT_EQ(runs[0].start, 4);
  EXPECT_EQ(runs[0].length, 3);
  EXPECT_EQ(runs[1].role, wh_mainsort);  // R1 "sat"
  EXPECT_EQ(runs[1].start, 12);
  EXPECT_EQ(runs[1].length, 3);
  EXPECT_EQ(runs[2].role, wh_searchword);
  EXPECT_EQ(runs[2].start, 8);
  EXPECT_EQ(runs[2].length, 3);
  // Tags, also one cut at either end of the line; no sort keys, no word runs.
  const auto tags =
      concordance_line_runs(u"b> a <i>", u"x", u"</i> <un", concordance_picture_options{});
  ASSERT_EQ(tags.size(), 5u);
  EXPECT_EQ(tags[0].start, 0);
  EXPECT_EQ(tags[0].length, 2);
  EXPECT_EQ(tags[1].start, 5);
  EXPECT_EQ(tags[1].length, 3);
  EXPECT_EQ(tags[2].start, 9);
  EXPECT_EQ(tags[2].length, 4);
  EXPECT_EQ(tags[3].start, 14);
  EXPECT_EQ(tags[3].length, 3);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tags[static_cast<std::size_t>(i)].role, wh_tags);
  EXPECT_EQ(tags[4].role, wh_searchword);
}

TEST(ConcordancePictureOptions, BadInputIsRefusedWithAReason) {
  std::string why;
  concordance_picture_options o;
  EXPECT_TRUE(check_concordance_picture_options(o, why)) << why;
  o.style = 13;
  EXPECT_FALSE(check_concordance_picture_options(o, why));
  EXPECT_NE(why.find("unknown style 13"), std::string::npos);
  o.style = 0;
  o.cell_width = 3;
  EXPECT_FALSE(check_concordance_picture_options(o, why));
  EXPECT_NE(why.find("narrower than a character"), std::string::npos);
  o.cell_width = 40000;
  EXPECT_FALSE(check_concordance_picture_options(o, why));
  o.cell_width = 1000;
  o.font_size = 0;
  EXPECT_FALSE(check_concordance_picture_options(o, why));
}

TEST_F(ConcordancePictures, SvgHasTheBackgroundThenTextsInTheirRowsAndColours) {
  concordance_picture_options o;
  o.style = 0;
  o.cell_width = 600;
  concordance_pictures p({"", path("c.svg"), ""}, o);
  std::string error;
  ASSERT_TRUE(p.begin(error)) << error;
  p.add(u"the sea was calm and the ", u"harbour", u" lay quiet under the hill");
  p.add(u"x < y & z ", u"harbour", u"");
  ASSERT_TRUE(p.finish(error)) << error;
  const std::vector<Element> e = test_svg::parse(read(path("c.svg")));
  ASSERT_GE(e.size(), 4u);
  EXPECT_EQ(e[0].name, "svg");
  EXPECT_EQ(e[0].attrs.at("width"), "600");
  EXPECT_EQ(e[0].attrs.at("height"), std::to_string(2 * p.row_height()));
  EXPECT_EQ(e[1].name, "rect");
  EXPECT_EQ(e[1].attrs.at("fill"), hex_of_colour(GetABaseTMSBackgroundColour(0)));
  int hits = 0;
  std::string second_row;
  for (const Element& t : e) {
    if (t.name != "text") continue;
    const int y = std::stoi(t.attrs.at("y"));
    EXPECT_GT(y, 0);
    EXPECT_LT(y, 2 * p.row_height());
    if (t.text == "harbour") {
      ++hits;
      EXPECT_EQ(t.attrs.at("fill"), "#0000ff");  // the search word's blue
      EXPECT_EQ(t.attrs.at("font-weight"), "bold");
    } else {
      EXPECT_EQ(t.attrs.at("fill"), "#000000");
    }
    if (y > p.row_height()) second_row += t.text;
  }
  EXPECT_EQ(hits, 2);
  EXPECT_EQ(second_row, "x < y & z harbour");
  // Nothing but the picture is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(ConcordancePictures, RightToLeftLinesHaveTheTextBeforeTheHitOnItsRight) {
  concordance_picture_options o;
  o.lcid = 0x0401;  // Arabic
  o.cell_width = 800;
  concordance_pictures p({"", path("ar.svg"), path("ar.html")}, o);
  std::string error;
  ASSERT_TRUE(p.begin(error)) << error;
  const std::u16string before = u"\u0642\u0627\u0644 ", hit = u"\u0627\u0644\u062A\u0645\u0631",
                       after = u" \u0641\u064A \u0627\u0644\u0633\u0648\u0642";
  p.add(before, hit, after);
  ASSERT_TRUE(p.finish(error)) << error;
  int hit_x = -1, before_x = -1, after_x = -1;
  for (const Element& t : test_svg::parse(read(path("ar.svg")))) {
    if (t.name != "text") continue;
    EXPECT_EQ(t.attrs.at("direction"), "rtl");
    const int x = std::stoi(t.attrs.at("x"));
    if (t.text == "\u0627\u0644\u062A\u0645\u0631") hit_x = x;
    if (t.text == "\u0642\u0627\u0644") before_x = x;
    if (t.text == "\u0627\u0644\u0633\u0648\u0642") after_x = x;
  }
  ASSERT_GE(hit_x, 0);
  EXPECT_GT(before_x, hit_x);
  EXPECT_LT(after_x, hit_x);
  EXPECT_GE(after_x, 0);
  const std::string html = read(path("ar.html"));
  EXPECT_NE(html.find("<tr dir=\"rtl\"><td class=\"before\"><bdi>\u0642\u0627\u0644 </bdi></td>"
                      "<td class=\"hit\"><span style=\"color:#0000ff;background-color:"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("<td class=\"after\"> \u0641\u064A \u0627\u0644\u0633\u0648\u0642</td></tr>"),
            std::string::npos);
}

TEST_F(ConcordancePictures, HtmlCellsCarryTheRunsAndEscapeTheText) {
  concordance_picture_options o;
  o.sort_keys = {{'R', 1, true}};
  concordance_pictures p({"", "", path("c.html")}, o);
  std::string error;
  ASSERT_TRUE(p.begin(error)) << error;
  p.add(u"a <b>bold</b> & ", u"word", u" next\tone");
  ASSERT_TRUE(p.finish(error)) << error;
  const std::string html = read(path("c.html"));
  const std::string bg = hex_of_colour(GetABaseTMSBackgroundColour(0));
  EXPECT_NE(
      html.find("<tr><td class=\"before\"><bdi>a <span style=\"color:#808080;background-color:" +
                bg + "\">&lt;b&gt;</span>bold<span"),
      std::string::npos)
      << html;
  EXPECT_NE(html.find("</span> &amp; </bdi></td><td class=\"hit\"><span style=\"color:#0000ff"),
            std::string::npos);
  // R1 in the main sort colour (maroon); the tab shown as a space.
  EXPECT_NE(html.find("<td class=\"after\"> <span style=\"color:#800000;background-color:" + bg +
                      "\">next</span> one</td></tr>"),
            std::string::npos);
  EXPECT_NE(html.find("</table>\n</body>\n</html>\n"), std::string::npos);
}

TEST_F(ConcordancePictures, PngHeightIsLinesTimesRowAndCappedLinesAreCounted) {
  concordance_picture_options o;
  o.cell_width = 300;
  o.most_png_lines = 2;
  concordance_pictures p({path("c.png"), "", ""}, o);
  std::string error;
  ASSERT_TRUE(p.begin(error)) << error;
  for (int i = 0; i < 3; ++i) p.add(u"left ", u"hit", u" right");
  ASSERT_TRUE(p.finish(error)) << error;
  EXPECT_EQ(p.lines(), 3u);
  EXPECT_EQ(p.png_lines_left_out(), 1u);
  const std::string png = read(path("c.png"));
  ASSERT_GE(png.size(), 24u);
  auto be32 = [&](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) |
           (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 300);
  EXPECT_EQ(be32(20), 2 * p.row_height());
}

TEST_F(ConcordancePictures, UnwritableOutputsAreRefusedBeforeAnythingIsDrawn) {
  for (const concordance_picture_files& files :
       {concordance_picture_files{path("no/such/dir/c.png"), "", ""},
        concordance_picture_files{"", path("no/such/dir/c.svg"), ""},
        concordance_picture_files{"", "", path("no/such/dir/c.html")}}) {
    concordance_pictures p(files, concordance_picture_options{});
    std::string error;
    EXPECT_FALSE(p.begin(error));
    EXPECT_NE(error.find("cannot write " + dir_.string() + "/no/such/dir/c."), std::string::npos)
        << error;
    EXPECT_FALSE(p.add(u"a", u"b", u"c"));
  }
  // A target that cannot be replaced: the failure comes at the end, the old one stays.
  fs::create_directories(dir_ / "c.svg");
  concordance_pictures p({"", path("c.svg"), ""}, concordance_picture_options{});
  std::string error;
  ASSERT_TRUE(p.begin(error));
  p.add(u"a ", u"b", u" c");
  EXPECT_FALSE(p.finish(error));
  EXPECT_NE(error.find("c.svg"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(dir_ / "c.svg"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace corvane
