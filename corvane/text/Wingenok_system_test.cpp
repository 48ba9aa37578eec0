#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "corvane/platform/Drives.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct Folder {
  fs::path path;
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "cv_wg_XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~Folder() { fs::remove_all(path); }
  std::u16string name(const std::string& leaf) const { return u16((path / leaf).string()); }
  void write(const std::string& leaf, const std::string& bytes) const {
    std::ofstream(path / leaf, std::ios::binary) << bytes;
  }
  std::string read(const std::string& leaf) const {
    std::ifstream in(path / leaf, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST(WingenokSystem, PathsAndFolders) {
  EXPECT_EQ(NormalisedPath(u"C:\\"), u"C:\\");
  EXPECT_EQ(NormalisedPath(u"/"), u"/");
  const std::u16string cwd = u16(fs::current_path().string());
  EXPECT_EQ(NormalisedPath(u"some/folder/"), cwd + u"/some/folder");
  EXPECT_EQ(NormalisedPath(u"/a/b/../c/"), u"/a/c");
  maxpathwidechar buffer;
  buffer.fill(u'x');
  NormalisedPathW(u"/a/b/../c/", buffer);
  EXPECT_EQ(std::u16string(buffer.data()), u"/a/c");
  NormalisedPathW(u"/" + std::u16string(400, u'z'), buffer);
  EXPECT_EQ(buffer[259], u'z');
  EXPECT_EQ(buffer[260], u'\0');

  Folder dir;
  fs::create_directories(dir.path / "b" / "inner");
  fs::create_directories(dir.path / "a");
  fs::create_directories(dir.path / ".hidden" / "x");
  Folder outside;
  fs::create_directories(outside.path / "beyond");
  fs::create_directory_symlink(outside.path, dir.path / "link");
  std::unique_ptr<TStringList> list(ListOfSubFolders(u16(dir.path.string()), true));
  ASSERT_EQ(list->Count(), 4);
  EXPECT_EQ(list->Get(0), u16(dir.path.string()));
  EXPECT_EQ(list->Get(1), dir.name("a"));
  EXPECT_EQ(list->Get(2), dir.name("b"));
  EXPECT_EQ(list->Get(3), dir.name("b/inner"));
  std::unique_ptr<TStringList> self(ListOfSubFolders(u16(dir.path.string()), false));
  EXPECT_EQ(self->Count(), 1);
  EXPECT_TRUE(sIsADirectory(dir.name("a")));
  EXPECT_TRUE(sIsADirectory(dir.name("link")));
  EXPECT_FALSE(sIsADirectory(dir.name("none")));
}

TEST(WingenokSystem, OverwritePromptsAskAndBackUp) {
  Folder dir;
  const std::u16string file = dir.name("out.txt");
  testing::RecordingDialogHook hook(mrNo);
  EXPECT_TRUE(OKToOverwrite(file));  // nothing there: no question
  EXPECT_TRUE(hook.requests().empty());
  dir.write("out.txt", "old");
  EXPECT_FALSE(OKToOverwrite(file));
  ASSERT_EQ(hook.requests().size(), 1u);
  EXPECT_EQ(hook.requests()[0].text, u"Overwrite " + file + u"?");
  EXPECT_EQ(hook.requests()[0].caption, u"Confirmation");
  EXPECT_EQ(hook.requests()[0].buttons, buttons({mbYes, mbNo}));
  EXPECT_FALSE(OKToOverwriteWithBackup(file));
  EXPECT_FALSE(fs::exists(dir.path / "out.bak"));
  hook.set_answer(mrYes);
  dir.write("out.bak", "older backup");
  EXPECT_TRUE(OKToOverwriteWithBackup(file));
  EXPECT_EQ(hook.requests().back().text, u"Overwrite " + file + u" (with backup)?");
  EXPECT_EQ(dir.read("out.bak"), "old");
  EXPECT_EQ(dir.read("out.txt"), "old");
}

TEST(WingenokSystem, DiskSpacePromptOnlyWhenShort) {
  testing::RecordingDialogHook hook(mrCancel);
  EXPECT_FALSE(ProceedIfLittleDiskSpace(u"", 0));
  EXPECT_TRUE(ProceedIfLittleDiskSpace(u"/", 0));
  EXPECT_TRUE(ProceedIfLittleDiskSpace(u"/no/such/place", INT64_MAX));  // cannot tell: go on
  EXPECT_TRUE(hook.requests().empty());
  EXPECT_FALSE(ProceedIfLittleDiskSpace(u"/", INT64_MAX));
  ASSERT_EQ(hook.requests().size(), 1u);
  EXPECT_EQ(hook.requests()[0].text.substr(0, 5), u"Only ");
  EXPECT_NE(hook.requests()[0].text.find(u"Mb space left on / -- Proceed?"), std::u16string::npos);
  EXPECT_EQ(hook.requests()[0].buttons, buttons({mbOK, mbCancel}));
  hook.set_answer(mrOk);
  EXPECT_TRUE(ProceedIfLittleDiskSpace(u"/", INT64_MAX));
}

TEST(WingenokSystem, NewFileNamesAppendTheBatchNumber) {
  Folder dir;
  SetBatchFileStartNumberTo(-4);
  EXPECT_EQ(GetBatchFileStartNumber(), 0);
  std::u16string name = dir.name("report.txt");
  EXPECT_TRUE(ForcedToBeNewFile(name));
  EXPECT_EQ(name, dir.name("report.txt"));
  dir.write("report.txt", "");
  dir.write("report_001.txt", "");
  EXPECT_TRUE(ForcedToBeNewFile(name));
  EXPECT_EQ(name, dir.name("report_001_002.txt"));
  EXPECT_EQ(GetBatchFileStartNumber(), 2);
  fs::create_directory_symlink("/nowhere", dir.path / "plain.");  // a dangling link is taken
  std::u16string bare = dir.name("plain");
  ForcedToBeNewFile(bare);
  EXPECT_EQ(bare, dir.name("plain_003."));
  fs::create_directory(dir.path / "a.b");
  dir.write("a.b/notes.", "");
  std::u16string in_dotted_folder = dir.name("a.b/notes");
  ForcedToBeNewFile(in_dotted_folder);
  EXPECT_EQ(in_dotted_folder, dir.name("a.b/notes_004."));
  SetBatchFileStartNumberTo(998);
  std::u16string again = dir.name("report.txt");
  ForcedToBeNewFile(again);
  EXPECT_EQ(again, dir.name("report_999.txt"));
  SetBatchFileStartNumberTo(0);
}

TEST(WingenokSystem, SmallConversions) {
  EXPECT_EQ(AttributesToStr(0x21), u"ra");
  EXPECT_EQ(AttributesToStr(0x37), u"rashd");
  EXPECT_EQ(AttributesToStr(0), u"");
  EXPECT_EQ(Rightstr(u"abc", 5), u"abc");
  EXPECT_EQ(Rightstr(u"abc", 2), u"bc");
  EXPECT_EQ(Rightstr(u"abc", -1), u"");
  EXPECT_EQ(DoubleAnyAmpersands(u"Save & Close"), u"Save && Close");
  EXPECT_EQ(DoubleAnyAmpersands(u"A&&B"), u"A&&B");
  EXPECT_EQ(DoubleAnyAmpersands(u"&x&&&"), u"&&x&&&");
  EXPECT_EQ(BooleanToStr(true), u"true");
  EXPECT_TRUE(StrToBoolean(u"TRUE"));
  EXPECT_FALSE(StrToBoolean(u"yes"));
  EXPECT_TRUE(FileNameHasWildCards(u"a?.txt"));
  EXPECT_FALSE(FileNameHasWildCards(u"a.txt"));
  EXPECT_EQ(TodaysTimeInSeconds(0.5), 43200);
  EXPECT_EQ(TodaysTimeInSeconds(45000.25), 21600);
  EXPECT_EQ(TodaysTimeInSeconds(2.5 / SecsPerDay), 2);  // a tie goes to the even second
  {
    testing::ManualClock clock(45000.75);
    EXPECT_EQ(SecondsElapsedSince(44990.5), 21600);  // whole days dropped
    EXPECT_EQ(TodayAsLongint(), 45000);
  }
  TFormatSettings settings;
  settings.ThousandSeparator = u',';
  settings.DecimalSeparator = u'.';
  EXPECT_EQ(IntToDecStr(std::int32_t{1234567}, settings), u"1,234,567");
  EXPECT_EQ(IntToDecStr(std::int64_t{123456789}, settings), u"123,456,792");  // via a single
  EXPECT_EQ(RealToDecStr(1234.5, settings), u"1,234.50");
  EXPECT_EQ(Int64ToSingle(16777217), 16777216.0f);
  EXPECT_GT(Compilation_DateTime(), 40000.0);
  EXPECT_EQ(Compilation_Year().size(), 4u);
}

TEST(WingenokSystem, DrivesByLetter) {
  detail::set_mount_table_for_tests(
      std::string("/dev/sda1 / ext4 rw 0 0\nserver:/x /no/such/mount nfs rw 0 0\n"));
  EXPECT_TRUE(ValidDrive('c'));
  EXPECT_EQ(DriveBits, 0b1100u);
  EXPECT_FALSE(ValidDriveW(u'D'));  // present, but its size cannot be read
  EXPECT_FALSE(ValidDrive('Q'));
  EXPECT_TRUE(Fixed_Drive(u"C:\\"));
  EXPECT_TRUE(Fixed_Drive(u"/"));
  EXPECT_FALSE(Fixed_Drive(u"/usr"));  // not a drive root
  EXPECT_FALSE(Fixed_Drive(u"D:\\"));
  detail::set_mount_table_for_tests(std::nullopt);
}

}  // namespace
}  // namespace corvane
