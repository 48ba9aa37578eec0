// Reading a folder's entries: byte order, attribute bits, links, and names that are not UTF-8.
#include "corvane/platform/FindFiles.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

class FindFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("cv_find_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::u16string folder() const { return u16(dir_.string()); }
  fs::path dir_;
};

std::vector<std::u16string> names_of(const std::vector<TFoundEntry>& entries) {
  std::vector<std::u16string> names;
  for (const TFoundEntry& e : entries) names.push_back(e.Name);
  return names;
}

TEST_F(FindFiles, EntriesComeInByteOrderOfTheirNames) {
  for (const char* name : {"b.txt", "B.txt", "_x", "\xC3\xA9.txt", "a.txt", "\xF0\x9F\x98\x80"})
    write(name, "x");
  std::vector<TFoundEntry> entries;
  std::vector<find_problem> problems;
  ASSERT_TRUE(read_folder_entries(folder(), entries, problems));
  EXPECT_TRUE(problems.empty());
  // U+1F600 sorts after U+00E9 by bytes (and by code point), not before it as UTF-16 would
  // put a surrogate pair.
  EXPECT_EQ(names_of(entries), (std::vector<std::u16string>{u"B.txt", u"_x", u"a.txt", u"b.txt",
                                                            u"\u00E9.txt", u"\U0001F600"}));
}

TEST_F(FindFiles, AttributeBitsSizeAndTimeFromStat) {
  write("plain.txt", "hello");
  write(".hidden", "");
  write("locked.txt", "abc");
  fs::permissions(dir_ / "locked.txt", fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directory(dir_ / "sub");
  ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0644), 0);
  struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 0}};  // 2001-09-09 01:46:40 UTC
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir_ / "plain.txt").c_str(), times, 0), 0);

  std::vector<TFoundEntry> entries;
  std::vector<find_problem> problems;
  ASSERT_TRUE(read_folder_entries(folder(), entries, problems));
  ASSERT_EQ(names_of(entries), (std::vector<std::u16string>{u".hidden", u"locked.txt", u"pipe",
                                                            u"plain.txt", u"sub"}));
  EXPECT_EQ(entries[0].Attr, faHidden | faArchive);
  EXPECT_EQ(entries[1].Attr, faReadOnly | faArchive);
  EXPECT_EQ(entries[1].Size, 3);
  EXPECT_EQ(entries[2].Attr, faSysFile);
  EXPECT_EQ(entries[3].Attr, faArchive);
  EXPECT_EQ(entries[3].Size, 5);
  EXPECT_EQ(entries[4].Attr, faDirectory);
  EXPECT_EQ(entries[4].Size, 0);
  // The time is local: the same instant through the C library gives the same fields.
  const time_t t = 1000000000;
  struct tm parts {};
  ::localtime_r(&t, &parts);
  EXPECT_DOUBLE_EQ(entries[3].Time,
                   EncodeDateTime(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                                  parts.tm_hour, parts.tm_min, parts.tm_sec, 0));
}

TEST_F(FindFiles, LinksAreFollowedAndAFolderReachedTwiceIsVisitedOnce) {
  write("target.txt", "1234567");
  fs::create_directory(dir_ / "sub");
  fs::create_symlink(dir_ / "target.txt", dir_ / "link.txt");
  fs::create_directory_symlink(dir_, dir_ / "sub" / "loop");
  fs::create_symlink(dir_ / "gone", dir_ / "dangling");

  std::vector<TFoundEntry> entries;
  std::vector<find_problem> problems;
  ASSERT_TRUE(read_folder_entries(folder(), entries, problems));
  ASSERT_EQ(names_of(entries), (std::vector<std::u16string>{u"link.txt", u"sub", u"target.txt"}));
  EXPECT_EQ(entries[0].Attr, faArchive);
  EXPECT_EQ(entries[0].Size, 7);
  EXPECT_EQ(entries[0].Inode, entries[2].Inode);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].path, (dir_ / "dangling").string());
  EXPECT_EQ(problems[0].reason, "no such file or directory");

  TFolderVisits visits;
  EXPECT_TRUE(visits.first_visit(folder()));
  std::vector<TFoundEntry> below;
  ASSERT_TRUE(read_folder_entries(folder() + u"/sub", below, problems));
  ASSERT_EQ(below.size(), 1u);
  EXPECT_EQ(below[0].Attr, faDirectory);
  EXPECT_FALSE(visits.first_visit(below[0]));  // the loop leads back to the start
  EXPECT_TRUE(visits.first_visit(entries[1]));
  EXPECT_FALSE(visits.first_visit(folder() + u"/sub/loop/sub"));
  EXPECT_FALSE(visits.first_visit(folder() + u"/nothing"));
}

TEST_F(FindFiles, NamesThatAreNotUtf8AreReportedAndSkipped) {
  write("ok.txt", "");
  write("bad\xFF.txt", "");
  write("lone\xED\xA0\x80.txt", "");  // an encoded surrogate
  std::vector<TFoundEntry> entries;
  std::vector<find_problem> problems;
  ASSERT_TRUE(read_folder_entries(folder(), entries, problems));
  EXPECT_EQ(names_of(entries), (std::vector<std::u16string>{u"ok.txt"}));
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].path, (dir_ / "bad\xFF.txt").string());
  EXPECT_EQ(problems[0].reason, "not valid UTF-8");
  EXPECT_EQ(problems[1].path, (dir_ / "lone\xED\xA0\x80.txt").string());
}

TEST_F(FindFiles, AFolderThatCannotBeOpenedIsReported) {
  std::vector<TFoundEntry> entries{TFoundEntry{}};
  std::vector<find_problem> problems;
  EXPECT_FALSE(read_folder_entries(folder() + u"/missing", entries, problems));
  EXPECT_TRUE(entries.empty());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].reason, "folder cannot be read: no such file or directory");

  TFoundEntry entry;
  std::string reason;
  write("f.txt", "ab");
  ASSERT_TRUE(examine_path(folder() + u"/f.txt", entry, &reason));
  EXPECT_EQ(entry.Name, u"f.txt");
  EXPECT_EQ(entry.Size, 2);
  EXPECT_FALSE(examine_path(folder() + u"/none", entry, &reason));
  EXPECT_EQ(reason, "no such file or directory");
}

}  // namespace
}  // namespace corvane
