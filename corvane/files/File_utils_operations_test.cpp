#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/Drives.hpp"
#include "corvane/rtl/DateTime.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Bare_assemb.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct Folder {
  fs::path path;
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "cv_fu_XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~Folder() {
    std::error_code error;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path);
  }
  std::u16string name(const std::string& leaf = "") const {
    return u16(leaf.empty() ? path.string() : (path / leaf).string());
  }
  void write(const std::string& leaf, const std::string& bytes) const {
    fs::create_directories((path / leaf).parent_path());
    std::ofstream(path / leaf, std::ios::binary) << bytes;
  }
  std::string read(const std::string& leaf) const {
    std::ifstream in(path / leaf, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool has(const std::string& leaf) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(path / leaf, error));
  }
};

TEST(FileUtilsPlaceholders, UserFolderAndDrive) {
  EXPECT_EQ(ConvertedUserFolderInFilename(u"c:\\corpus\\", u"c:\\corpus\\a\\b.txt", true),
            u"$userdir\\a\\b.txt");
  EXPECT_EQ(ConvertedUserFolderInFilename(u"d:\\work\\", u"$userdir\\a\\b.txt", false),
            u"d:\\work\\a\\b.txt");
  EXPECT_EQ(ConvertedUserFolderInFilename(u"c:\\corpus\\", u"d:\\texts\\x.txt", true),
            u"d:\\texts\\x.txt");
  EXPECT_EQ(ConvertedUserFolderInFilename(u"c:\\corpus\\", u"C:\\texts\\x.txt", true),
            u"$user_drive\\texts\\x.txt");
  EXPECT_EQ(ConvertedUserFolderInFilename(u"C:\\Corpus\\", u"c:\\corpus\\", true),
            u"$user_drive\\corpus\\");  // the folder itself is not "under" itself
  // A base without its delimiter keeps its last character after the placeholder, which
  // the way back drops.
  EXPECT_EQ(ConvertedUserFolderInFilename(u"c:\\corpus", u"c:\\corpus\\a.txt", true),
            u"$userdirs\\a.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"d:\\work", u"$userdirs\\a.txt"),
            u"d:\\work\\\\a.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"d:\\work\\", u"$user_drive\\t\\x.txt"),
            u"d:\\t\\x.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"d:\\work\\", u"$user_drivet.txt"), u"d:\\t.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"d:\\work\\", u"plain"), u"plain");
  // Names stored on Windows lead somewhere under a folder of this system.
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"/home/me/corpus/", u"$userdir\\a\\b.txt"),
            u"/home/me/corpus/a/b.txt");
  EXPECT_EQ(ConvertedFilenameFromUserDirFName(u"/home/me/", u"$user_drive\\t\\x.txt"), u"/t/x.txt");
  EXPECT_EQ(ConvertedUserFolderInFilename(u"/home/me/", u"/home/me/sub/x.txt", true),
            u"$userdir/sub/x.txt");
  // The program's drive is the one drive here.
  EXPECT_EQ(ConvertedFilenameIfUserDrive(u"/x/y.txt", true), u"$user_drive/x/y.txt");
  EXPECT_EQ(ConvertedFilenameIfUserDrive(u"$user_drive/x/y.txt", false), u"/x/y.txt");
  EXPECT_EQ(ConvertedFilenameIfUserDrive(u"c:\\x", true), u"c:\\x");
  TStringList list;
  list.Add(u"$userdir/a.txt");
  CheckUserDirConstFolder(list, false);
  EXPECT_EQ(list.Get(0),
            u16(fs::read_symlink("/proc/self/exe").parent_path().string()) + u"/a.txt");
}

TEST(FileUtilsDates, SetFileDateOnlyForRealDates) {
  Folder dir;
  dir.write("a.txt", "x");
  const std::u16string file = dir.name("a.txt");
  const auto mtime = [&] {
    struct stat status;
    ::stat(u8(file).c_str(), &status);
    std::tm local{};
    ::localtime_r(&status.st_mtime, &local);
    return local;
  };
  const std::tm before = mtime();
  EXPECT_FALSE(SetFileDate(file, TYearMonthDay{1979, 5, 1}));
  EXPECT_FALSE(SetFileDate(file, 1, 13, 2010));
  EXPECT_FALSE(SetFileDate(file, 30, 2, 2012));
  EXPECT_FALSE(SetFileDate(file, u"05/11/10"));
  EXPECT_FALSE(SetFileDate(file, u"0x/11/2010"));
  EXPECT_FALSE(SetFileDate(dir.name("none"), u"05/11/2010"));
  EXPECT_EQ(mtime().tm_year, before.tm_year);
  EXPECT_TRUE(SetFileDate(file, u"05/11/2010"));
  const std::tm after = mtime();
  EXPECT_EQ(after.tm_year, 110);
  EXPECT_EQ(after.tm_mon, 10);
  EXPECT_EQ(after.tm_mday, 5);
  EXPECT_EQ(after.tm_hour, 12);
  EXPECT_EQ(after.tm_min, 0);
  EXPECT_TRUE(SetFileDate(file, u"29", u"2", u"2012"));
  EXPECT_TRUE(SetFileDate(file, 31, 12, 2106));
}

TEST(FileUtilsCopies, CopiesKeepDatesAndFailuresKeepTheTarget) {
  Folder dir;
  dir.write("src.txt", "new contents");
  dir.write("dst.txt", "old");
  ASSERT_TRUE(SetFileDate(dir.name("src.txt"), 1, 2, 2003));
  EXPECT_TRUE(CopyFileRetainingDate(dir.name("src.txt"), dir.name("dst.txt")));
  EXPECT_EQ(dir.read("dst.txt"), "new contents");
  EXPECT_EQ(fs::last_write_time(dir.path / "dst.txt"), fs::last_write_time(dir.path / "src.txt"));
  EXPECT_FALSE(CopyFileRetainingDate(dir.name("none"), dir.name("dst.txt")));
  EXPECT_FALSE(CopyDateOfFile(dir.name("src.txt"), dir.name("none")));

  // A full file system half-way through the copy: the old target stays whole.
  dir.write("big.txt", std::string(100000, 'b'));
  struct rlimit old_limit;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 50000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool copied = CopyFileRetainingDate(dir.name("big.txt"), dir.name("dst.txt"));
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(copied);
  EXPECT_EQ(dir.read("dst.txt"), "new contents");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 3);  // no temporary left

  CopyAFileWithBackup(dir.name("dst.txt"));
  EXPECT_EQ(dir.read("dst.bak"), "new contents");
}

TEST(FileUtilsCopies, InsertIntoFileWritesWholeFilesBesideTheOld) {
  Folder dir;
  dir.write("w.txt", "ab\r\ncd\r\n");
  EXPECT_TRUE(InsertIntoFileW(dir.name("w.txt"), u"XY", true, 2));
  EXPECT_EQ(dir.read("w.bak"), "ab\r\ncd\r\n");
  EXPECT_EQ(dir.read("w.txt"), std::string("\xFF\xFE"
                                           "a\0X\0Y\0b\0\r\0\n\0c\0d\0\r\0\n\0",
                                           22));
  dir.write("a.txt", "line");
  EXPECT_TRUE(InsertIntoFileA(dir.name("a.txt"), u"\u00E9-", false, 100));
  EXPECT_EQ(dir.read("a.txt"), "line\xE9-\r\n");
  EXPECT_FALSE(InsertIntoFileA(dir.name("a.txt"), u"\u0416", false, 1));  // no byte for it
  EXPECT_EQ(dir.read("a.txt"), "line\xE9-\r\n");
  EXPECT_FALSE(InsertIntoFileW(dir.name("none.txt"), u"x", false, 1));
  EXPECT_FALSE(dir.has("none.txt"));
}

TEST(FileUtilsNames, StatusAndNameHelpers) {
  Folder dir;
  dir.write("f.txt", "0123456789");
  fs::create_directory(dir.path / "sub");
  EXPECT_TRUE(DriveAndFileExist(dir.name("f.txt")));
  EXPECT_FALSE(DriveAndFileExist(dir.name("sub")));
  EXPECT_TRUE(DriveAndFolderExist(dir.name("sub")));
  EXPECT_TRUE(DriveAndFileExist(u"\\\\server\\share\\x", false, true));
  EXPECT_EQ(GetFileStatusOfAFile(u"//server/share/x", false), fs_unknown);
  EXPECT_EQ(GetFileStatusOfAFile(dir.name("f.txt"), true), fs_exists);
  EXPECT_EQ(GetFileStatusOfAFile(dir.name("gone.txt"), true), fs_moved);
  EXPECT_EQ(FileSize(dir.name("f.txt")), 10);
  EXPECT_EQ(FileSize(dir.name("gone.txt")), -1);
  const std::string bytes = "0123456789";
  EXPECT_EQ(static_cast<std::uint32_t>(CheckSumOfAFile(dir.name("f.txt"))),
            My4Checksum(bytes.data(), 10));
  EXPECT_EQ(CheckSumOfAFile(dir.name("gone.txt")), 0);
  std::string big(200003, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  dir.write("big.bin", big);
  EXPECT_EQ(static_cast<std::uint32_t>(CheckSumOfAFile(dir.name("big.bin"))),
            My4Checksum(big.data(), static_cast<std::ptrdiff_t>(big.size())));

  EXPECT_TRUE(IsDirectoryWriteable(dir.name()));
  EXPECT_FALSE(dir.has("chk.tmp"));
  dir.write("sub/chk.tmp", "mine");
  EXPECT_FALSE(IsDirectoryWriteable(dir.name("sub")));  // an existing chk.tmp is left alone
  EXPECT_EQ(dir.read("sub/chk.tmp"), "mine");
  EXPECT_FALSE(IsDirectoryWriteable(dir.name("nowhere")));
  fs::permissions(dir.path / "f.txt", fs::perms::owner_read);
  EXPECT_TRUE(ReadOnlyFileW(dir.name("f.txt")));
  EXPECT_FALSE(ReadOnlyFolderW(dir.name("f.txt")));
  EXPECT_FALSE(ReadOnlyFolderW(dir.name("sub")));

  EXPECT_EQ(CleanedUpFilename(u"c:\\x\\a?b*c.txt"), u"abc.txt");
  EXPECT_EQ(CleanedUpFilename(u"/x/a<b>|c\"d\t[e]^+=.txt/"), u"abcde.txt");
  EXPECT_EQ(RemoveDotsFromFilename(u"a.b.c"), u"abc");
  EXPECT_EQ(FormattedFNAsParameter(dir.name("f.txt")), u"\"" + dir.name("f.txt") + u"\"");
  EXPECT_EQ(FormattedFNAsParameter(u"gone"), u"gone");
  EXPECT_EQ(FileFilterWithinFilterText(u"Text files ( *.txt )"), u"*.txt");
  EXPECT_EQ(FileFilterWithinFilterText(u") odd ("), u") odd (");
  EXPECT_EQ(FileFilterWithinFilterText(u" ( ) "), u"*.*");
  EXPECT_EQ(PathDelimiterCount(u"a\\b/c"), 2);
  EXPECT_EQ(NameUpToXPathDelimiters(u"a/b\\c/d", 2), u"a/b");
  EXPECT_EQ(NameUpToXPathDelimiters(u"a/b", 2), u"");
  EXPECT_EQ(NewSubFolderFrom(u"/c/corpus/sub/a.txt", u"/c/corpus"), u"sub/");
  EXPECT_EQ(NewSubFolderFrom(u"/c/corpus/a.txt", u"/c/corpus/"), u"");
  EXPECT_TRUE(FolderProposedIsOriginalFolder(u"/a/B/x.txt", u"/a/b/../b/y.txt"));
  EXPECT_FALSE(FolderProposedIsOriginalFolder(u"", u"/a/y.txt"));
  EXPECT_EQ(GetLongPathNameW(dir.name("SUB/Rest/of.txt")), dir.name("sub/Rest/of.txt"));

  TStringList files;
  files.Add(u"/z/B.txt");
  files.Add(u"/a/c.txt");
  files.Add(u"/y/b.txt");
  SortListOfFiles(files, false, true);
  EXPECT_EQ(files.Get(0), u"/y/b.txt");
  EXPECT_EQ(files.Get(1), u"/z/B.txt");
  EXPECT_EQ(files.Get(2), u"/a/c.txt");
  SortListOfFiles(files, false, false);
  EXPECT_EQ(files.Get(0), u"/a/c.txt");
}

// A corpus folder with subfolders, hidden entries and links that lead out of it.
struct LinkedTree {
  Folder corpus, outside;
  LinkedTree() {
    corpus.write("a.txt", "a");
    corpus.write("keep.doc", "k");
    corpus.write("sub/b.TXT", "b");
    corpus.write("sub/deeper/c.txt", "c");
    corpus.write(".hidden/h.txt", "h");
    corpus.write(".dot.txt", "d");
    fs::create_directory(corpus.path / "empty");
    outside.write("precious.txt", "p");
    outside.write("inside/more.txt", "m");
    fs::create_directory_symlink(outside.path, corpus.path / "linked_folder");
    fs::create_symlink(outside.path / "precious.txt", corpus.path / "link.txt");
    fs::create_symlink(outside.path / "precious.txt", corpus.path / "sub/link2.txt");
  }
  void expect_outside_untouched() const {
    EXPECT_EQ(outside.read("precious.txt"), "p");
    EXPECT_EQ(outside.read("inside/more.txt"), "m");
    EXPECT_TRUE(fs::is_symlink(corpus.path / "linked_folder"));
  }
};

TEST(FileUtilsBulkDelete, StaysInsideTheFolderAndItsExtension) {
  LinkedTree tree;
  testing::RecordingDialogHook hook(mrOk);
  const std::int32_t deleted = DeleteAllFilesOn(tree.corpus.name(), u".txt");
  EXPECT_EQ(deleted, 5);  // a, b, c and the two links themselves
  ASSERT_EQ(hook.requests().size(), 1u);
  EXPECT_EQ(hook.requests()[0].caption, u"Sure?");
  EXPECT_EQ(hook.requests()[0].text, u"File(s) already found there.\rDelete all 5 .txt files in " +
                                         tree.corpus.name() + u"?");
  tree.expect_outside_untouched();
  EXPECT_FALSE(tree.corpus.has("link.txt"));
  EXPECT_FALSE(tree.corpus.has("sub"));    // emptied and removed
  EXPECT_FALSE(tree.corpus.has("empty"));  // already empty: removed too
  EXPECT_TRUE(tree.corpus.has("keep.doc"));
  EXPECT_TRUE(tree.corpus.has(".hidden/h.txt"));
  EXPECT_TRUE(tree.corpus.has(".dot.txt"));
}

TEST(FileUtilsBulkDelete, CancelNoRecursionMovesAndPathPatterns) {
  LinkedTree tree;
  testing::RecordingDialogHook hook(mrCancel);
  EXPECT_EQ(DeleteAllFilesOn(tree.corpus.name(), u"txt"), 0);
  EXPECT_TRUE(tree.corpus.has("a.txt"));
  hook.set_answer(mrOk);
  EXPECT_EQ(DeleteAllFilesOn(tree.corpus.name(), u"doc", u"", false, false, false), 1);
  EXPECT_EQ(
      hook.requests().back().text,
      u"File(s) already found there.\rDelete the one .doc file in " + tree.corpus.name() + u"?");
  EXPECT_EQ(DeleteAllFilesOn(tree.corpus.name(), u"none"), 0);  // nothing found: no question
  EXPECT_EQ(hook.requests().size(), 2u);

  Folder moved;
  moved.write("c.txt", "already there");
  EXPECT_EQ(DeleteAllFilesOn(tree.corpus.name(), u"txt", moved.name(), true, true, false), 4);
  EXPECT_EQ(moved.read("a.txt"), "a");
  EXPECT_EQ(moved.read("c.txt"), "already there");       // never overwritten
  EXPECT_EQ(tree.corpus.read("sub/deeper/c.txt"), "c");  // so its source stays
  EXPECT_EQ(moved.read("link.txt"), "p");                // the link's contents copied
  tree.expect_outside_untouched();

  // A relative pattern stays inside the folder.
  tree.corpus.write("sub/x.log", "x");
  EXPECT_EQ(DeleteAllFilesOn(tree.corpus.name(), u"\\..\\*.txt"), 0);
  EXPECT_EQ(DeleteAllFilesOn(tree.corpus.name(), u"\\linked_folder\\*.txt"), 0);
  tree.expect_outside_untouched();
  EXPECT_EQ(DeleteAllFilesOn(tree.corpus.name(), u"\\sub\\*.log", u"", false, true, false), 1);
  EXPECT_FALSE(tree.corpus.has("sub/x.log"));
}

TEST(FileUtilsBulkDelete, RefusesDriveRoots) {
  testing::RecordingDialogHook hook(mrOk);
  EXPECT_EQ(DeleteAllFilesOn(u"C:\\", u"txt"), 0);
  ASSERT_EQ(hook.requests().size(), 1u);
  EXPECT_EQ(hook.requests()[0].caption, u"No Way!");
  EXPECT_EQ(hook.requests()[0].text, u"Won't delete all files on C:\\");
  EXPECT_EQ(hook.requests()[0].type, mtWarning);
  EXPECT_EQ(DeleteAllFilesOn(u"/", u"txt"), 0);
  EXPECT_EQ(hook.requests().back().text, u"Won't delete all files on /");

  detail::set_mount_table_for_tests(
      std::string("/dev/sda1 / ext4 rw 0 0\n"
                  "/dev/sdb1 /media/stick vfat rw 0 0\n"
                  "/dev/sdc1 /data ext4 rw 0 0\n"));
  detail::set_removable_devices_for_tests(std::vector<std::string>{"/dev/sdb1"});
  EXPECT_EQ(DeleteAllFilesOn(u"/data/", u"txt"), 0);
  EXPECT_EQ(hook.requests().back().text, u"Won't delete all files on /data");
  const std::size_t asked = hook.requests().size();
  EXPECT_EQ(DeleteAllFilesOn(u"/media/stick", u"txt"), 0);  // removable: allowed (no such folder)
  EXPECT_EQ(hook.requests().size(), asked);
  EXPECT_EQ(NumberOfDrives(), 3);
  detail::set_mount_table_for_tests(std::nullopt);
  detail::set_removable_devices_for_tests(std::nullopt);
}

TEST(FileUtilsFolders, ListingsAndEmptyFolders) {
  LinkedTree tree;
  tree.corpus.write("A.doc", "");
  tree.corpus.write("a.x/inner", "");
  std::unique_ptr<TStringList> same(
      ListOfAllFilesMatchingExt(tree.corpus.name("a.txt"), u".*", false));
  ASSERT_EQ(same->Count(), 1);  // A.doc: not a.txt itself, nor the folder a.x
  EXPECT_EQ(same->Get(0), tree.corpus.name("A.doc"));
  same.reset(ListOfAllFilesMatchingExt(tree.corpus.name("link.doc"), u".txt", true));
  ASSERT_EQ(same->Count(), 1);  // a link to a file is listed as a file
  EXPECT_EQ(same->Get(0), tree.corpus.name("link.txt"));
  std::unique_ptr<TStringList> txt(ListOfAllFilesIn(tree.corpus.name(), u"*.TXT"));
  EXPECT_EQ(txt->Count(), 2);

  EXPECT_FALSE(FolderIsEmpty(tree.corpus.name("sub")));
  EXPECT_TRUE(FolderIsEmpty(tree.corpus.name("empty")));
  tree.corpus.write("only_hidden/.x", "");
  EXPECT_TRUE(FolderIsEmpty(tree.corpus.name("only_hidden")));
  EXPECT_FALSE(RemovedEmptyFolder(tree.corpus.name("only_hidden")));  // hidden file kept
  EXPECT_TRUE(tree.corpus.has("only_hidden/.x"));
  EXPECT_TRUE(RemovedEmptyFolder(tree.corpus.name("sub")));
  EXPECT_TRUE(tree.corpus.has("sub"));

  fs::create_directories(tree.corpus.path / "e1" / "e2" / "e3");
  fs::create_directories(tree.outside.path / "empty_outside");
  std::unique_ptr<TStringList> pruned(RemoveAllEmptyFolders(tree.corpus.name()));
  EXPECT_EQ(pruned->Get(0), tree.corpus.name());
  EXPECT_FALSE(tree.corpus.has("e1"));
  EXPECT_FALSE(tree.corpus.has("empty"));
  EXPECT_TRUE(tree.corpus.has("sub/deeper/c.txt"));
  EXPECT_TRUE(fs::exists(tree.outside.path / "empty_outside"));
  tree.expect_outside_untouched();
}

TEST(FileUtilsDrives, MountPointsCountAndReport) {
  detail::set_mount_table_for_tests(
      std::string("/dev/sda1 / ext4 rw 0 0\n"
                  "server:/x /mnt/n nfs rw 0 0\n"));
  EXPECT_EQ(NumberOfNetworkDrives(), 1);
  EXPECT_EQ(AllNetworkDrives(), u"/mnt/n");
  EXPECT_EQ(NetworkVolume(u'd'), u"SERVER:/X");
  EXPECT_EQ(DriveWithMostFreeSpace(), u"/");
  EXPECT_EQ(VolumeID(u'Q'), u"[]");
  detail::set_mount_table_for_tests(std::nullopt);
  const std::u16string serial = VolumeSerialNumberStr(u"/");
  ASSERT_EQ(serial.size(), 9u);
  EXPECT_EQ(serial[4], u'-');
  TNameAndSerialNumber none;
  DiskVolumeNameAndSerialNo(u"Q:\\", none);
  EXPECT_EQ(none.number, 0u);
  testing::RecordingDialogHook hook(mrCancel);
  Folder dir;
  dir.write("d.txt", "d");
  EXPECT_FALSE(OKToDeleteFile(dir.name("d.txt")));
  EXPECT_EQ(hook.requests().back().text, u"Delete " + dir.name("d.txt") + u"?");
  EXPECT_TRUE(dir.has("d.txt"));
  hook.set_answer(mrOk);
  EXPECT_TRUE(OKToDeleteFile(dir.name("d.txt")));
  EXPECT_FALSE(dir.has("d.txt"));
  EXPECT_TRUE(OKToDeleteFile(dir.name("d.txt")));
}

}  // namespace
}  // namespace corvane
