#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::run_corvane;
using testing::write_file;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ViewCommand, WritesRtfAndHtml) {
  const std::string text = write_file("view_in.txt", "The cat, the Cat\r\nand <cats> & a dog.\r\n");
  const std::string rtf = ::testing::TempDir() + "view_out.rtf";
  const std::string html = ::testing::TempDir() + "view_out.html";
  auto r = run_corvane({"view", "--words", "cat,dog", "--rtf", rtf, "--html", html, text});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const std::string h = read_file(html);
  const std::string span = "<span style=\"color:#800000;background-color:#fffacd\">";
  EXPECT_NE(h.find("<div style=\"white-space:pre-wrap\">The " + span + "cat</span>, the " + span +
                   "Cat</span><br>and &lt;cats&gt; &amp; a " + span + "dog</span>.<br></div>"),
            std::string::npos)
      << h;
  EXPECT_NE(h.find("<body style=\"color:#000000;background-color:#ffffff\">"), std::string::npos);
  const std::string f = read_file(rtf);
  EXPECT_NE(f.find("{\\colortbl ;\\red0\\green0\\blue0;\\red128\\green0\\blue0;"
                   "\\red255\\green250\\blue205;}"),
            std::string::npos)
      << f;
  EXPECT_NE(f.find("\\cf1 The {\\cf2\\highlight3\\cb3\\chcbpat3 cat}, the "
                   "{\\cf2\\highlight3\\cb3\\chcbpat3 Cat}\\par\r\nand <cats> & a "
                   "{\\cf2\\highlight3\\cb3\\chcbpat3 dog}.\\par\r\n"),
            std::string::npos)
      << f;
}

TEST(ViewCommand, PrintsPlainTextWhenNotATerminal) {
  // UTF-16 with its byte-order mark, read through the library's reader.
  const std::string text = write_file("view_utf16.txt", std::string("\xFF\xFE"
                                                                    "a\0\r\0\n\0\xE9\0",
                                                                    10));
  const auto r = run_corvane({"view", "--words", "a", text});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "a\n\xC3\xA9\n");  // the reader ends the last line
}

TEST(ViewCommand, BadInput) {
  const std::string text = write_file("view_bad.txt", "word\n");
  auto r = run_corvane({"view", "--style", "12x", text});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "corvane view: --style 12x: no such style (give 0 to 12)\n");
  r = run_corvane({"view", ::testing::TempDir() + "no_such_view_file.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no such file"), std::string::npos);
  // An output that cannot be written: an error, and nothing left behind.
  const std::string out = ::testing::TempDir() + "no_such_folder/out.html";
  r = run_corvane({"view", "--html", out, text});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("corvane view: " + out + ": ", 0), 0u) << r.err;
  // An existing output is replaced only when the new one is complete.
  const std::string keep = write_file("view_keep.rtf", "old");
  r = run_corvane({"view", "--rtf", keep, "--words", "word", text});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(keep).rfind("{\\rtf1", 0), 0u);
}

}  // namespace
}  // namespace corvane::cli
