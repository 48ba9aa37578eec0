#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "testing/Docx_writer.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
using testing::write_file;
const auto run_command = testing::run_corvane;

TEST(CorvaneDetect, PrintsEachVerdictByName) {
  const std::string utf8 = write_file("corvane_detect_utf8.txt", "\xEF\xBB\xBFna\xC3\xAFve\n");
  const std::string le = write_file("corvane_detect_le.txt", std::string("\xFF\xFEh\0i\0", 6));
  const std::string zip = write_file("corvane_detect.zip", "PK\x03\x04rest");
  const std::string tiny = write_file("corvane_detect_tiny.txt", "ab");
  Result r = run_command({"detect", utf8, le, zip, tiny});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            utf8 + "\t_UTF8\n" + le + "\t_16_bit\n" + zip + "\t_Zip\n" + tiny + "\tunknown\n");
  r = run_command({"detect", "--quick", utf8});
  EXPECT_EQ(r.out, utf8 + "\t_8_bit\t_UTF8\n");
}

TEST(CorvaneDetect, MissingFilesAndFoldersAreErrors) {
  const std::string ok = write_file("corvane_detect_ok.txt", "plain text");
  Result r = run_command({"detect", "/no/such/file", ::testing::TempDir(), ok});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, ok + "\t_8_bit\n");
  EXPECT_NE(r.err.find("/no/such/file: no such file"), std::string::npos);
  EXPECT_NE(r.err.find("is a folder"), std::string::npos);
  EXPECT_EQ(run_command({"detect"}).status, 2);  // a required argument is missing
}

TEST(CorvaneCat, PrintsTextsInUtf8) {
  const std::string ansi = write_file("corvane_cat_1252.txt", "caf\xE9\nend");
  const std::string be =
      write_file("corvane_cat_be.txt", std::string("\xFE\xFF\x00\xE9\x00\n\x20\xAC", 8));
  const Result r = run_command({"cat", ansi, be});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "caf\xC3\xA9\r\nend\r\n\xC3\xA9\r\n\xE2\x82\xAC\r\n");
  EXPECT_EQ(run_command({"cat", "/no/such/file"}).status, 2);
}

TEST(CorvaneCat, PrintsTheParagraphsOfDocxDocuments) {
  const std::string docx = ::testing::TempDir() + "corvane_cat_doc.Docx";
  corvane::testing::write_docx_body(
      docx, corvane::testing::docx_paragraph({"Hello", " world"}) + "<w:p/>" +
                corvane::testing::docx_paragraph({"\xD0\xA1\xD0\xBD\xD0\xB5\xD0\xB3"}));
  const std::string fake = write_file("corvane_cat_fake.docx", "plain text, not a document");
  const std::string text = write_file("corvane_cat_plain.txt", "after");
  // A .docx that is no archive is reported with its name and the reason, and the run goes on.
  const Result r = run_command({"cat", docx, fake, text});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "Hello world\r\n\xD0\xA1\xD0\xBD\xD0\xB5\xD0\xB3\r\nafter\r\n");
  EXPECT_NE(r.err.find(fake), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Cannot open the zip archive"), std::string::npos) << r.err;
  // The same document's verdict is still an archive.
  EXPECT_EQ(run_command({"detect", docx}).out, docx + "\t_Zip\n");

  const std::string real = ::testing::TempDir() + "corvane_cat_python.docx";
  if (!corvane::testing::write_python_docx_sample(real))
    GTEST_SKIP() << "python3-docx is not installed (scripts/install-deps installs it)";
  const Result p = run_command({"cat", real});
  EXPECT_EQ(p.status, 0) << p.err;
  EXPECT_EQ(p.out, corvane::testing::kPythonDocxSampleText);
}

// What cannot be read by its name is refused with the system's reason, never opened (a
// FIFO would wait for a writer for ever), and the files after it are still read.
TEST(CorvaneCat, FifosLinkLoopsAndBadNamesAreRefusedWithTheirReason) {
  const std::string dir = ::testing::TempDir() + "corvane_cat_refused";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  ASSERT_EQ(::mkfifo((dir + "/p").c_str(), 0600), 0);
  std::filesystem::create_symlink("l2", dir + "/l1");
  std::filesystem::create_symlink("l1", dir + "/l2");
  std::ofstream(dir + "/bad\xff.txt") << "text";
  const std::string ok = write_file("corvane_cat_ok.txt", "ok");
  for (const char* command : {"cat", "detect"}) {
    const Result r = run_command({command, dir + "/p", dir + "/l1", dir + "/bad\xff.txt", ok});
    EXPECT_EQ(r.status, std::string(command) == "cat" ? 2 : 1);
    const std::string c = std::string("corvane ") + command + ": " + dir;
    EXPECT_EQ(r.err, c + "/p: not a regular file (a FIFO, socket or device)\n" + c +
                         "/l1: too many levels of symbolic links\n" + c +
                         "/bad\xff.txt: the file name is not valid UTF-8\n");
    EXPECT_NE(r.out.find("ok"), std::string::npos) << command;
  }
  std::filesystem::remove_all(dir);
}

// cat shows what a search reads: UTF-16 without a mark as its text, not as 8-bit bytes.
TEST(CorvaneCat, ShowsUtf16WithoutAMarkAsText) {
  std::string le, be;
  const std::u16string text = u"Pi\u00F1on software and more software, the end.\n";
  for (const char16_t u : text) {
    le += static_cast<char>(u & 0xFF);
    le += static_cast<char>(u >> 8);
    be += static_cast<char>(u >> 8);
    be += static_cast<char>(u & 0xFF);
  }
  const std::string expected = "Pi\xC3\xB1on software and more software, the end.\r\n";
  for (const std::string& bytes : {le, be}) {
    const Result r = run_command({"cat", write_file("corvane_cat_utf16.txt", bytes)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected);
  }
}

}  // namespace
}  // namespace corvane::cli
