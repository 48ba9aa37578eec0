#include <gtest/gtest.h>

#include "corvane/files/File_utils.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "testing/Zip_builder.hpp"

namespace corvane {
namespace {

TEST(FileUtilsZip, EntriesDecodeAsTextFilesOnceTheUnitHasStarted) {
  testing::ZipArchiveLayout layout;
  testing::ZipEntrySpec utf8;
  utf8.name = "utf8.txt";
  utf8.data = "na\xC3\xAFve";  // UTF-8 without a signature
  layout.entries.push_back(utf8);
  testing::ZipEntrySpec ansi = utf8;
  ansi.name = "ansi.txt";
  ansi.data = "na\xEFve";  // not UTF-8: the 8-bit code page
  layout.entries.push_back(ansi);
  TZipForge zip;
  zip.OpenArchiveFromMemory(testing::build_zip(layout));
  std::u16string text;
  {
    File_utils_initialization();
    ASSERT_TRUE(zip.ExtractToString(u"utf8.txt", text));
    EXPECT_EQ(text, u"naïve");
    ASSERT_TRUE(zip.ExtractToString(u"ansi.txt", text));
    EXPECT_EQ(text, u"naïve");
    EXPECT_EQ(detail::decode_file_bytes("\xEF\xBB\xBFx"), u"x");
    File_utils_finalization();
  }
  ASSERT_TRUE(zip.ExtractToString(u"utf8.txt", text));  // bytes read as 8-bit text again
  EXPECT_EQ(text, u"na\u00C3\u00AFve");
}

}  // namespace
}  // namespace corvane
