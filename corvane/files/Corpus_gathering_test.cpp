// Gathering on real folders: the order texts come in, what masks, exclusions and switches
// leave out, archives' entries, paths named directly, and what is reported.
#include "corvane/files/Corpus_gathering.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class CorpusGathering : public ::testing::Test {
 protected:
  void SetUp() override {
    root = (fs::temp_directory_path() / ("cv_gather_" + std::to_string(::getpid()))).string();
    fs::remove_all(root);
    // root: a.txt b.txt a.htm c.zip (x.txt, y/z.txt, w.htm), .h.txt, ._m.txt, fifo,
    // sub/d.txt, old/f.txt, x/old/g.txt, x/h.txt, .hid/e.txt, bad.zip, empty/
    file("b.txt", "bb");
    file("a.txt", "a");
    file("a.htm", "hhh");
    file(".h.txt");
    file("._m.txt");
    file("sub/d.txt");
    file("old/f.txt");
    file("x/old/g.txt");
    file("x/h.txt");
    file(".hid/e.txt");
    file("bad.zip", "PK\x03\x04 no archive");
    fs::create_directories(root + "/empty");
    ::mkfifo((root + "/fifo.txt").c_str(), 0644);
    testing::ZipArchiveLayout zip;
    zip.entries = {{"x.txt", "xx"}, {"y/z.txt", "zzz"}, {"w.htm", "w"}};
    file("c.zip", testing::build_zip(zip));
  }
  void TearDown() override { fs::remove_all(root); }
  void file(const std::string& rel, const std::string& data = "x") const {
    fs::create_directories(fs::path(root + "/" + rel).parent_path());
    std::ofstream(root + "/" + rel, std::ios::binary) << data;
  }
  // The texts' paths, `root` + "/" cut off; the problems, likewise, as "path: reason".
  Names gather(const gathering_options& o, std::vector<std::string> paths = {},
               Names* problems_out = nullptr) {
    if (paths.empty()) paths.push_back(root);
    std::vector<gathering_problem> problems;
    texts = gather_texts(paths, o, problems);
    Names out;
    for (const gathered_text& t : texts) out.push_back(rel(t.path));
    if (problems_out != nullptr)
      for (const gathering_problem& p : problems)
        problems_out->push_back(rel(p.path) + ": " + p.reason);
    return out;
  }
  std::string rel(const std::string& p) const {
    return p.starts_with(root + "/") ? p.substr(root.size() + 1) : p;
  }
  std::string root;
  std::vector<gathered_text> texts;
};

// A folder's archives' entries first, then its files mask by mask (a file two masks
// match comes twice), then the folders below, depth first in name order; hidden and dot
// folders, hidden files, "._" files, FIFOs and the archives themselves are left out.
TEST_F(CorpusGathering, OrderAndWhatIsLeftOutByDefault) {
  gathering_options o;
  o.masks = "*.txt;*.htm;a*";
  Names problems;
  EXPECT_EQ(gather(o, {}, &problems),
            (Names{"c.zip/x.txt", "c.zip/y/z.txt", "c.zip/w.htm", "a.txt", "b.txt", "a.htm",
                   "a.htm", "a.txt", "old/f.txt", "sub/d.txt", "x/h.txt", "x/old/g.txt"}));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_TRUE(problems[0].starts_with("bad.zip: ")) << problems[0];
  // Entries carry their archive and position; files their size and attributes.
  EXPECT_EQ(texts[1].archive, root + "/c.zip");
  EXPECT_EQ(texts[1].number_within_zip, 2);
  EXPECT_EQ(texts[1].size, 3);
  EXPECT_EQ(texts[4].archive, "");
  EXPECT_EQ(texts[4].number_within_zip, 0);
  EXPECT_EQ(texts[4].size, 2);
  EXPECT_EQ(texts[4].attr, 0x20);
}

TEST_F(CorpusGathering, MasksExclusionsAndSwitches) {
  gathering_options o;
  o.masks = "*.txt";
  o.exclude_dirs = "old";
  o.exclude_exts = ".htm";
  o.recurse = false;
  EXPECT_EQ(gather(o), (Names{"c.zip/x.txt", "c.zip/y/z.txt", "a.txt", "b.txt"}));
  o.recurse = true;
  o.zip_masks = "*.htm;x*";  // the extension exclusion still holds inside archives
  EXPECT_EQ(gather(o), (Names{"c.zip/x.txt", "a.txt", "b.txt", "sub/d.txt", "x/h.txt"}));
  o = {};
  o.masks = "*.txt";
  o.hidden = true;
  o.dot_underscore = true;
  o.examine_zips = false;
  o.dir_masks = "s*";
  EXPECT_EQ(gather(o), (Names{"._m.txt", ".h.txt", "a.txt", "b.txt", "sub/d.txt"}));
  o = {};
  o.masks = "*.zip;*.txt";
  o.zips_as_files = true;
  o.system = true;
  o.recurse = false;
  o.sort = sr_sort_by_size;  // each folder's list sorted as a whole
  Names got = gather(o);
  EXPECT_EQ(got.front(), "fifo.txt");  // size 0
  EXPECT_NE(std::find(got.begin(), got.end(), "c.zip"), got.end());
  EXPECT_NE(std::find(got.begin(), got.end(), "bad.zip"), got.end());
  for (std::size_t i = 1; i < texts.size(); ++i) EXPECT_LE(texts[i - 1].size, texts[i].size);
}

// Paths named directly: a file (an archive too) is taken whatever the masks say, an entry
// is named through its archive; what is missing is reported in order
// and the rest gathered.
TEST_F(CorpusGathering, PathsNamedDirectly) {
  gathering_options o;
  o.masks = "*.htm";
  Names problems;
  EXPECT_EQ(gather(o,
                   {root + "/a.txt", root + "/nothing", root + "/c.zip", root + "/c.zip/y/z.txt",
                    root + "/c.zip/none.txt", root + "/bad.zip/a.txt", root + "/sub",
                    root + "/no.zip/a.txt"},
                   &problems),
            (Names{"a.txt", "c.zip", "c.zip/y/z.txt"}));
  EXPECT_EQ(texts[2].number_within_zip, 2);
  EXPECT_EQ(texts[2].archive, root + "/c.zip");
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[3], "no.zip/a.txt: no such file or folder");
  EXPECT_EQ(problems[0], "nothing: no such file or folder");
  EXPECT_EQ(problems[1], "c.zip/none.txt: no such entry in " + root + "/c.zip");
  EXPECT_TRUE(problems[2].starts_with("bad.zip: the archive cannot be read: ")) << problems[2];
}

// A link back up the tree is walked once; a folder that cannot be read is reported with
// the system's reason and the walk goes on.
TEST_F(CorpusGathering, LinkLoopsEndAndUnreadableFoldersAreReported) {
  fs::create_directory_symlink(root, root + "/sub/loop");
  fs::create_directory_symlink(root + "/x", root + "/sub/again");
  gathering_options o;
  o.masks = "*.txt";
  o.examine_zips = false;
  Names problems;
  EXPECT_EQ(gather(o, {}, &problems), (Names{"a.txt", "b.txt", "old/f.txt", "sub/d.txt",
                                             "sub/again/h.txt", "sub/again/old/g.txt"}));
  EXPECT_TRUE(problems.empty());
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  fs::permissions(root + "/old", fs::perms::none);
  problems.clear();
  EXPECT_EQ(gather(o, {}, &problems).size(), 5u);
  fs::permissions(root + "/old", fs::perms::owner_all);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("ermission denied"), std::string::npos) << problems[0];
}

// A handler that says no stops the walk at once: nothing more is reported.
TEST_F(CorpusGathering, AHandlerStopsTheGathering) {
  gathering_events events;
  std::size_t seen = 0, folders = 0;
  events.text = [&](const gathered_text&) { return ++seen < 4; };
  events.progress = [&](std::size_t f, std::size_t) { folders = f; };
  gathering_options o;
  o.masks = "*.txt";
  EXPECT_EQ(gather_texts({root, root}, o, events), 4u);
  EXPECT_EQ(seen, 4u);
  EXPECT_LE(folders, 2u);
}

}  // namespace
}  // namespace corvane
