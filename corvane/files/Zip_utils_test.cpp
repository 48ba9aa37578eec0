// Names of files inside zip archives, with "/" and "\" after the archive's name.
#include "corvane/files/Zip_utils.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

TEST(ZipUtils, ZipExtensionsIncludingNumberedOnes) {
  EXPECT_TRUE(IsAZipFile(u"c.zip"));
  EXPECT_TRUE(IsAZipFile(u"/a/b/C.ZIP12"));
  EXPECT_TRUE(IsAZipFile(u"c.Zipper"));  // the first four characters are what counts
  EXPECT_FALSE(IsAZipFile(u"c.zi"));
  EXPECT_FALSE(IsAZipFile(u"zip"));
  EXPECT_FALSE(IsAZipFile(u"a.zip/b.txt"));  // the extension is the last component's
  EXPECT_FALSE(IsAZipFile(u""));

  EXPECT_EQ(ZipFilePlusNumber(u"c.zip12"), 12);
  EXPECT_EQ(ZipFilePlusNumber(u"/x/C.ZIP007"), 7);
  EXPECT_EQ(ZipFilePlusNumber(u"c.zip"), -1);
  EXPECT_EQ(ZipFilePlusNumber(u"c.zipx"), -1);
  EXPECT_EQ(ZipFilePlusNumber(u"c.zip1x"), -1);
  EXPECT_EQ(ZipFilePlusNumber(u"c.zip-3"), -1);  // no sign: -1 is the answer for "none"
  EXPECT_EQ(ZipFilePlusNumber(u"c.zip2147483647"), 2147483647);
  EXPECT_EQ(ZipFilePlusNumber(u"c.zip2147483648"), -1);  // never wrapped
  EXPECT_EQ(ZipFilePlusNumber(u"c.txt12"), 12);          // the number after four characters
}

TEST(ZipUtils, SplitsAtTheFirstZipFollowedByEitherDelimiter) {
  EXPECT_EQ(ZipFileFullFileName(u"c:\\a\\b.zip\\x\\y.txt", u""), u"c:\\a\\b.zip");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"c:\\a\\b.zip\\x\\y.txt", u""), u"x\\y.txt");
  EXPECT_EQ(ZipFileFullFileName(u"/a/b.zip/x/y.txt", u""), u"/a/b.zip");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"/a/b.zip/x/y.txt", u""), u"x/y.txt");
  // Case is ignored in finding the split and kept in both parts.
  EXPECT_EQ(ZipFileFullFileName(u"/A/B.Zip/X.txt", u""), u"/A/B.Zip");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"/A/B.Zip/X.txt", u""), u"X.txt");
  // A ".zip" not followed by a delimiter does not split; the first one that is does.
  EXPECT_EQ(ZipFileFullFileName(u"/a.zipped/b.zip/c.zip/d", u""), u"/a.zipped/b.zip");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"/a.zipped/b.zip/c.zip/d", u""), u"c.zip/d");
  EXPECT_EQ(ZipFileFullFileName(u"/a/b.zip", u""), u"");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"/a/b.zip", u""), u"");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"/a/b.zip/", u""), u"");
  EXPECT_EQ(ZipFileFullFileName(u"/a/b.zip/", u""), u"/a/b.zip");
}

TEST(ZipUtils, MarkerSplitsWhenNoPlainZipIsFound) {
  EXPECT_EQ(ZipFileFullFileName(u"/a/b.zip12/x.txt", u".zip12/"), u"/a/b.zip12");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"/a/b.zip12/x.txt", u".zip12/"), u"x.txt");
  EXPECT_EQ(ZipFileFullFileName(u"c:\\b.zip3\\x.txt", u".zip3\\"), u"c:\\b.zip3");
  // The marker is matched with its case as given.
  EXPECT_EQ(ZipFileFullFileName(u"/a/b.ZIP12/x.txt", u".zip12/"), u"");
  EXPECT_EQ(ZipFileWantedFileNameWithin(u"/a/b.ZIP12/x.txt", u".zip12/"), u"");
  // A plain ".zip/" wins over the marker.
  EXPECT_EQ(ZipFileFullFileName(u"/a.zip/b.zip12/x", u".zip12/"), u"/a.zip");
  EXPECT_EQ(ZipFileFullFileName(u"/a/b.txt", u""), u"");
}

TEST(ZipUtils, WithinAnArchiveOnlyWhenNoSuchFileExists) {
  EXPECT_TRUE(IsWithinAZipFile(u"/nowhere/B.ZIP/x.txt", u""));
  EXPECT_TRUE(IsWithinAZipFile(u"c:\\nowhere\\b.zip\\x.txt", u""));
  EXPECT_FALSE(IsWithinAZipFile(u"/nowhere/b.zip", u""));
  EXPECT_FALSE(IsWithinAZipFile(u"/nowhere/b.zip12/x.txt", u""));
  EXPECT_TRUE(IsWithinAZipFile(u"/nowhere/b.zip12/x.txt", u".zip12/"));
  // The name is lower-cased before the marker is looked for; the marker is not.
  EXPECT_TRUE(IsWithinAZipFile(u"/nowhere/B.ZIP12/x.txt", u".zip12/"));
  EXPECT_FALSE(IsWithinAZipFile(u"/nowhere/b.zip12/x.txt", u".ZIP12/"));

  // A real folder named like an archive holds real files.
  const fs::path dir = fs::temp_directory_path() / ("cv_ziputils_" + std::to_string(::getpid()));
  fs::create_directories(dir / "real.zip");
  std::ofstream(dir / "real.zip" / "x.txt") << "x";
  EXPECT_FALSE(IsWithinAZipFile(u16((dir / "real.zip" / "x.txt").string()), u""));
  EXPECT_TRUE(IsWithinAZipFile(u16((dir / "real.zip" / "y.txt").string()), u""));
  fs::remove_all(dir);
}

TEST(ZipUtils, CurrentMarkerStartsEmpty) {
  EXPECT_TRUE(global_current_zip_ext_slash.empty());
}

}  // namespace
}  // namespace corvane
