// The folder search on real folders: masks, filters, archives and the walk below a folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "corvane/files/Logging_utilities.hpp"
#include "corvane/files/Perusedir.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

class Tree {
 public:
  Tree() : root_(fs::temp_directory_path() / ("cv_perusal_" + std::to_string(::getpid()))) {
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~Tree() { fs::remove_all(root_); }
  std::string path(const std::string& rel = "") const {
    return rel.empty() ? root_.string() : (root_ / rel).string();
  }
  std::u16string u(const std::string& rel = "") const { return u16(path(rel)); }
  void file(const std::string& rel, const std::string& data = "x") const {
    fs::create_directories((root_ / rel).parent_path());
    std::ofstream(root_ / rel, std::ios::binary) << data;
  }
  void dir(const std::string& rel) const { fs::create_directories(root_ / rel); }

 private:
  fs::path root_;
};

TPeruseDir make(const std::u16string& masks, bool zips = false, const std::u16string& exclude = u"",
                bool hidden = false) {
  return TPeruseDir(masks, u"*", masks, exclude, u"", /*CheckingMACOS_files=*/true, zips,
                    /*TreatZipsLikeAnyOtherFile=*/false, /*AcceptSystemFiles=*/false, hidden);
}

// The short names; the names of archive entries (whole paths) without `root` + "/".
std::vector<std::string> names(const TMySearchRecList& list, const std::string& root = "") {
  std::vector<std::string> out;
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    std::string n = u8(list.GetAMySearchRec(i).ShortName);
    if (!root.empty() && n.starts_with(root + "/")) n.erase(0, root.size() + 1);
    out.push_back(n);
  }
  return out;
}

using Names = std::vector<std::string>;

TEST(PeruseDir, TestsOfNamesAndTheExcludedFolderMarks) {
  TPeruseDir p(u"*.txt", u"*", u"*", u"old;*\\tmp;*/keep", u".bak;.~*", false, false, false, false,
               false);
  EXPECT_EQ(p.fDirExcludeMasks, (std::vector<std::u16string>{u"*/old", u"*/tmp", u"*/keep"}));
  EXPECT_TRUE(p.IsExcludedFolder(u"/a/b/old"));
  EXPECT_FALSE(p.IsExcludedFolder(u"/a/bold"));
  EXPECT_FALSE(p.IsExcludedFolder(u"/a/old/b"));
  EXPECT_TRUE(p.HasExcludedExtension(u"a.txt.BAK"));
  EXPECT_TRUE(p.HasExcludedExtension(u"a.~tx"));
  EXPECT_FALSE(p.HasExcludedExtension(u"bak"));
  EXPECT_FALSE(TPeruseDir(u"*", u"*", u"*", u"", u"", 0, 0, 0, 0, 0).IsExcludedFolder(u"/x"));
}

TEST(PeruseDir, MasksSearchTheFolderOnceEachInTheirOrder) {
  Tree t;
  for (const char* n : {"b.txt", "a.htm", "c.TXT", "a.txt", "d.dat", "e.zip", "f.bak"}) t.file(n);
  t.dir("sub.txt");
  TPeruseDir p(u"*.txt;*.htm;a*", u"*", u"*", u"", u".bak", false, false, false, false, false);
  TMySearchRecList list;
  EXPECT_TRUE(p.HandleAllFilesIn(t.u(), &list));
  // Folders are skipped; a file matching two masks is taken twice.
  EXPECT_EQ(names(list), (Names{"a.txt", "b.txt", "c.TXT", "a.htm", "a.htm", "a.txt"}));
  const TMySearchRec r = list.GetAMySearchRec(0);
  EXPECT_EQ(r.Size, 1);
  EXPECT_EQ(r.Attr, 0x20);
  EXPECT_EQ(r.Number_Within_Zip, 0);
  EXPECT_GT(r.DateTime, 45000.0);

  // Archives are left to the zip step unless taken like any other file; excluded
  // extensions never qualify; the handler has the last word.
  TPeruseDir all(u"*", u"*", u"*", u"", u".bak", false, false, true, false, false);
  all.fOnCheckFileAcceptableEvent = [](const TMySearchRec& sr, bool in_zip) {
    return !in_zip && sr.ShortName != u"d.dat";
  };
  list.Clear();
  EXPECT_TRUE(all.HandleAllFilesIn(t.u() + u"/", &list));
  EXPECT_EQ(names(list), (Names{"a.htm", "a.txt", "b.txt", "c.TXT", "e.zip"}));
  // Without a list the answer is still given; with nothing qualifying it is false.
  EXPECT_TRUE(make(u"*.htm").HandleAllFilesIn(t.u(), nullptr));
  EXPECT_FALSE(make(u"*.xml").HandleAllFilesIn(t.u(), &list));
  std::string problem;
  TPeruseDir missing = make(u"*");
  missing.fOnFindProblem = [&](const std::string&, const std::string& r) { problem = r; };
  EXPECT_FALSE(missing.HandleAllFilesIn(t.u("missing"), &list));
  EXPECT_EQ(problem, "folder cannot be read: no such file or directory");
}

TEST(PeruseDir, SystemHiddenAndDotUnderscoreFiles) {
  Tree t;
  t.file("a.txt");
  t.file(".hidden.txt");
  ::chmod(t.path(".hidden.txt").c_str(), 0444);
  t.file("._notes.txt");
  ASSERT_EQ(::mkfifo(t.path("pipe.txt").c_str(), 0644), 0);
  auto take = [&](bool macos, bool system, bool hidden) {
    TPeruseDir p(u"*.txt", u"*", u"*", u"", u"", macos, false, false, system, hidden);
    TMySearchRecList list;
    p.HandleAllFilesIn(t.u(), &list);
    return names(list);
  };
  EXPECT_EQ(take(true, false, false), (Names{"a.txt"}));
  EXPECT_EQ(take(true, false, true), (Names{".hidden.txt", "a.txt"}));
  EXPECT_EQ(take(false, false, true), (Names{"._notes.txt", ".hidden.txt", "a.txt"}));
  // Taken when asked for, never opened (reading a FIFO would wait for a writer forever).
  EXPECT_EQ(take(true, true, false), (Names{"a.txt", "pipe.txt"}));
  TPeruseDir p(u"*.txt", u"*", u"*", u"", u"", true, false, false, true, true);
  TMySearchRecList list;
  p.HandleAllFilesIn(t.u(), &list);
  EXPECT_EQ(list.GetAMySearchRec(0).Attr, 0x02 | 0x01 | 0x20);  // .hidden.txt
  EXPECT_EQ(list.GetAMySearchRec(2).Attr, 0x04);                // pipe.txt
}

TEST(PeruseDir, WritesItsLinesToTheLog) {
  Tree t;
  t.file("a.txt");
  t.file(".h.txt");
  const std::string log = t.path() + ".log";
  SetLogFilename(u16(log));
  keeping_log = true;
  make(u"*.txt").HandleAllFilesIn(t.u(), nullptr);
  keeping_log = false;
  SetLogFilename(u"");
  std::ifstream in(log, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  fs::remove(log);
  std::u16string text(bytes.size() / 2, u' ');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  EXPECT_NE(text.find(u"searching " + t.u() + u"/ for *.txt\r\n"), std::u16string::npos)
      << u8(text);
  EXPECT_NE(text.find(u"ignoring .h.txt (34)\r\n"), std::u16string::npos);
  EXPECT_NE(text.find(u"\tfound a.txt\r\n"), std::u16string::npos);
}

TEST(PeruseDir, NamesThatCannotBeTakenAreReported) {
  Tree t;
  t.file("ok.txt");
  t.file("bad\xff.txt");
  t.file("bad\xfe.dat");  // no mask wants it: not worth a word
  fs::create_symlink(t.path("nowhere"), t.path("dangling.txt"));
  TPeruseDir p = make(u"*.txt");
  std::vector<std::pair<std::string, std::string>> problems;
  p.fOnFindProblem = [&](const std::string& path, const std::string& reason) {
    problems.emplace_back(path.substr(t.path().size() + 1), reason.substr(0, 13));
  };
  TMySearchRecList list;
  EXPECT_TRUE(p.HandleAllFilesIn(t.u(), &list));
  EXPECT_EQ(names(list), (Names{"ok.txt"}));
  EXPECT_EQ(problems, (std::vector<std::pair<std::string, std::string>>{
                          {"bad\xff.txt", "not valid UTF"}, {"dangling.txt", "dangling link"}}));
}

// ---- Archives

std::string zip_of(const std::vector<std::string>& entry_names) {
  testing::ZipArchiveLayout layout;
  for (const std::string& n : entry_names) layout.entries.push_back({n, "text of " + n});
  return testing::build_zip(layout);
}

TEST(PeruseDir, ArchiveEntriesAreNumberedByPosition) {
  Tree t;
  t.file("a.txt");
  t.file("corpus.zip",
         zip_of({"x.txt", "dir/", "dir/y.txt", "z.dat", "__MACOSX/._x.txt", "n.bak", "w.TXT"}));
  t.file("broken.zip", "PK not really");
  t.file("other.ZIP", zip_of({"q.txt"}));
  ASSERT_EQ(::mkfifo(t.path("pipe.zip").c_str(), 0644), 0);  // never opened
  TPeruseDir p(u"*.txt", u"*", u"*.txt;*.bak", u"", u".bak", true, true, false, false, false);
  std::vector<std::string> events;
  p.fOnZipStartReading = [&](const std::u16string& n) { events.push_back("start " + u8(n)); };
  p.fOnDoneZipReading = [&](std::int32_t n) { events.push_back("done " + std::to_string(n)); };
  std::int32_t readings = 0;
  p.fOnZipReading = [&](std::int32_t, std::int32_t out_of) { readings += out_of; };
  p.fOnZipProblem = [&](TObject* sender) {
    EXPECT_EQ(sender, &p);
    events.push_back("problem " + u8(p.LastZipProblem().archive));
  };
  TMySearchRecList list;
  EXPECT_TRUE(p.HandleAllFilesIn(t.u(), &list));
  EXPECT_EQ(names(list, t.path()), (Names{"corpus.zip/x.txt", "corpus.zip/dir/y.txt",
                                          "corpus.zip/w.TXT", "other.ZIP/q.txt", "a.txt"}));
  std::vector<int> numbers;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    numbers.push_back(list.GetAMySearchRec(i).Number_Within_Zip);
  EXPECT_EQ(numbers, (std::vector<int>{1, 3, 7, 1, 0}));
  EXPECT_EQ(list.GetAMySearchRec(1).Size, 17);  // "text of dir/y.txt"
  EXPECT_EQ(p.fzips_examined, 2);
  EXPECT_EQ(p.ftotal_files_in_zips, 4);
  EXPECT_EQ(readings, 7 * 7 + 1);
  EXPECT_EQ(events, (Names{"problem " + t.path("broken.zip"), "start " + t.path("corpus.zip"),
                           "done 1", "start " + t.path("other.ZIP"), "done 2"}));

  // Entries alone do not make the answer true; a rejected entry is counted, not taken.
  Tree only;
  only.file("c.zip", zip_of({"x.txt", "y.txt"}));
  TPeruseDir q = make(u"*.txt", true);
  q.fOnCheckFileAcceptableEvent = [](const TMySearchRec& sr, bool in_zip) {
    return in_zip && !sr.ShortName.ends_with(u"y.txt");
  };
  list.Clear();
  EXPECT_FALSE(q.HandleAllFilesIn(only.u(), &list));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(q.ftotal_files_in_zips, 2);
}

TEST(PeruseDir, EntriesPastTheLastNumberAreReportedAndSkipped) {
  std::vector<std::string> entry_names;
  for (int i = 1; i <= 32770; ++i) entry_names.push_back(std::to_string(i) + ".txt");
  testing::ZipArchiveLayout layout;
  for (const std::string& n : entry_names) layout.entries.push_back({n, ""});
  Tree t;
  t.file("big.zip", testing::build_zip(layout));
  TPeruseDir p = make(u"*.txt", true);
  std::vector<std::u16string> reasons;
  p.fOnZipProblem = [&](TObject*) { reasons.push_back(p.LastZipProblem().reason); };
  TMySearchRecList list;
  p.HandleAllFilesIn(t.u(), &list);
  ASSERT_EQ(list.Count(), 32767);
  EXPECT_EQ(list.GetAMySearchRec(32766).Number_Within_Zip, 32767);
  EXPECT_TRUE(list.GetAMySearchRec(32766).ShortName.ends_with(u"/big.zip/32767.txt"));
  EXPECT_EQ(reasons, (std::vector<std::u16string>{
                         u"3 entries after entry 32767 skipped: entry numbers stop there"}));
}

// ---- The walk

struct Walk {
  std::vector<std::string> folders;
  Names files;
};

Walk walk(TPeruseDir& p, const Tree& t) {
  Walk w;
  TMySearchRecList list;
  const std::size_t cut = t.path().size() + 1;
  p.fOnFoundDir = [&](const std::u16string& d) {
    w.folders.push_back(u8(d).substr(cut));
    p.HandleAllFilesIn(d, &list);
  };
  p.HandleAllFilesIn(t.u(), &list);
  p.ProcessAllSubDirectories(t.u());
  w.files = names(list);
  return w;
}

TEST(PeruseDir, WalkGoesDepthFirstAndLeavesOutDotExcludedAndLoopingFolders) {
  Tree t;
  for (const char* n : {"r.txt", "a/a.txt", "a/b/b.txt", "a/old/no.txt", "a/old/deeper/no.txt",
                        ".dot/no.txt", "c/c.txt", "old/no.txt", "z/OLD/no.txt"})
    t.file(n);
  fs::create_directory_symlink(t.path(), t.path("c/loop"));
  fs::create_directory_symlink(t.path("a/b"), t.path("z/again"));
  t.dir("bad\xff");
  TPeruseDir p = make(u"*.txt", false, u"old", true);
  std::vector<std::string> problems;
  p.fOnFindProblem = [&](const std::string& path, const std::string& reason) {
    problems.push_back(path.substr(t.path().size() + 1) + ": " + reason);
  };
  const Walk w = walk(p, t);
  EXPECT_EQ(w.folders, (std::vector<std::string>{"a", "a/b", "c", "z"}));
  EXPECT_EQ(w.files, (Names{"r.txt", "a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(p.fsubdir_counter, 4);
  EXPECT_EQ(problems, (std::vector<std::string>{"bad\xff: not valid UTF-8"}));

  // A link is walked when its target is not reached otherwise.
  TPeruseDir q = make(u"*.txt", false, u"b");
  EXPECT_EQ(walk(q, t).folders, (std::vector<std::string>{"a", "a/old", "a/old/deeper", "c", "old",
                                                          "z", "z/OLD", "z/again"}));
}

TEST(PeruseDir, FolderMasksWalkInTurnAndAHandlerStopsTheSearch) {
  Tree t;
  for (const char* n : {"a1/x.txt", "a1/c2/x.txt", "a1/a2/x.txt", "b1/x.txt", "c1/x.txt"})
    t.file(n);
  TPeruseDir p(u"*.txt", u"c*;a*", u"*", u"", u"", true, false, false, false, false);
  EXPECT_EQ(walk(p, t).folders, (std::vector<std::string>{"c1", "a1", "a1/a2"}));

  TPeruseDir stop = make(u"*.txt");
  Walk w;
  stop.fOnFoundDir = [&](const std::u16string& d) {
    w.folders.push_back(u8(d));
    if (w.folders.size() == 2) stop.fProcessing_files = false;
  };
  stop.ProcessAllSubDirectories(t.u());
  EXPECT_EQ(w.folders.size(), 2u);
  EXPECT_FALSE(stop.HandleAllFilesIn(t.u("a1"), nullptr));
}

TEST(Folderful, FillListTakesTheFolderFiles) {
  Tree t;
  t.file("b.txt", "bb");
  t.file("a.txt");
  TFolderful folder(t.u());
  TPeruseDir p = make(u"*.txt");
  EXPECT_TRUE(folder.FillList(p));
  EXPECT_EQ(folder.TotalFiles(), 2);
  EXPECT_EQ(folder.FullName(1), t.u("b.txt"));
  EXPECT_EQ(folder.FileSize(1), 2);
}

}  // namespace
}  // namespace corvane
