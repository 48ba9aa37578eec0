#include "corvane/rtl/FileNames.hpp"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FileNames, ExtensionComesAfterTheLastDelimiter) {
  EXPECT_EQ(ExtractFileExt(u"/a/b.txt"), u".txt");
  EXPECT_EQ(ExtractFileExt(u"b.tar.gz"), u".gz");
  EXPECT_EQ(ExtractFileExt(u"/a.d/b"), u"");
  EXPECT_EQ(ExtractFileExt(u"C:\\a.d\\b"), u"");
  EXPECT_EQ(ExtractFileExt(u"C:b"), u"");
  EXPECT_EQ(ExtractFileExt(u"name."), u".");
  EXPECT_EQ(ExtractFileExt(u".profile"), u".profile");
  EXPECT_EQ(ExtractFileExt(u""), u"");
}

TEST(FileNames, ChangeFileExt) {
  EXPECT_EQ(ChangeFileExt(u"/a/b.txt", u".bak"), u"/a/b.bak");
  EXPECT_EQ(ChangeFileExt(u"/a.d/b", u".bak"), u"/a.d/b.bak");
  EXPECT_EQ(ChangeFileExt(u"C:\\x\\b.lst", u""), u"C:\\x\\b");
  EXPECT_EQ(ChangeFileExt(u"", u".txt"), u".txt");
}

TEST(FileNames, NameAndPathSplitAtEitherSlashOrDrive) {
  EXPECT_EQ(ExtractFileName(u"/home/u/t.txt"), u"t.txt");
  EXPECT_EQ(ExtractFileName(u"C:\\texts\\t.txt"), u"t.txt");
  EXPECT_EQ(ExtractFileName(u"C:t.txt"), u"t.txt");
  EXPECT_EQ(ExtractFileName(u"mixed/a\\b"), u"b");
  EXPECT_EQ(ExtractFileName(u"/dir/"), u"");
  EXPECT_EQ(ExtractFilePath(u"/home/u/t.txt"), u"/home/u/");
  EXPECT_EQ(ExtractFilePath(u"C:\\t.txt"), u"C:\\");
  EXPECT_EQ(ExtractFilePath(u"t.txt"), u"");
}

TEST(FileNames, FileDirKeepsTheRootDelimiter) {
  EXPECT_EQ(ExtractFileDir(u"/home/u/t.txt"), u"/home/u");
  EXPECT_EQ(ExtractFileDir(u"/t.txt"), u"/");
  EXPECT_EQ(ExtractFileDir(u"C:\\t.txt"), u"C:\\");
  EXPECT_EQ(ExtractFileDir(u"C:\\x\\t.txt"), u"C:\\x");
  EXPECT_EQ(ExtractFileDir(u"t.txt"), u"");
}

TEST(FileNames, Drive) {
  EXPECT_EQ(ExtractFileDrive(u"C:\\x\\y"), u"C:");
  EXPECT_EQ(ExtractFileDrive(u"\\\\server\\share\\dir\\f"), u"\\\\server\\share");
  EXPECT_EQ(ExtractFileDrive(u"//server/share"), u"//server/share");
  EXPECT_EQ(ExtractFileDrive(u"/home/u"), u"");
  EXPECT_EQ(ExtractFileDrive(u"\\\\"), u"");
}

TEST(FileNames, TrailingDelimiters) {
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"/a/"), u"/a/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u"C:\\a\\"), u"C:\\a\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(u""), u"/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a/"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"C:\\a\\"), u"C:\\a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/a"), u"/a");
  EXPECT_EQ(ExcludeTrailingPathDelimiter(u"/"), u"");
  EXPECT_TRUE(IsPathDelimiter(u"a\\", 2));
  EXPECT_FALSE(IsPathDelimiter(u"a\\", 3));
}

}  // namespace
}  // namespace corvane
