// corvane tags and corvane repeats on small texts: what they print, byte for byte, and their
// exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "testing/Zip_builder.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;
using testing::Result;
using testing::run_corvane;
using testing::write_file;

Result tags(std::vector<std::string> args) {
  args.insert(args.begin(), {"tags", "--no-progress"});
  return run_corvane(std::move(args));
}

TEST(TagsCommand, StripOnlyAndParagraphEnds) {
  const std::string f = write_file("tags_a.txt", "<p>One <b>two</b></p>\n<div>Three</DIV>");
  Result r = tags({f});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "One two\r\nThree\r\n");
  EXPECT_EQ(tags({"--strip", "--longest-tag", "2", f}).out,
            "One two</b></p>\r\n<div>Three</DIV>\r\n");
  EXPECT_EQ(tags({"--only", f}).out, "<p><b></b></p><div></DIV>\n");
  EXPECT_EQ(tags({"--para-ends", f}).out, "<p>One <b>two</b>\r\n\r\n<div>Three\r\n\r\n");
  EXPECT_EQ(tags({"--only", "--open", "[", "--close", "]", f}).out, "\n");
  EXPECT_EQ(tags({"--open", "[", f}).status, 2);  // --open needs --close
  EXPECT_EQ(tags({"--only", "--strip", f}).status, 2);
}

TEST(TagsCommand, ValueFoundOrNot) {
  const std::string f = write_file("tags_v.txt", "<title>  Hi there </title>\n");
  Result r = tags({"--value", "title", f});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "  Hi there \n");
  EXPECT_EQ(tags({"--value", "title", "--trim", f}).out, "Hi there\n");
  r = tags({"--value", "head", f});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
}

TEST(TagsCommand, UnclosedTagsWithContext) {
  const std::string f =
      write_file("tags_u.txt", "Start <i>x</i> line\nnext <B> and <%p> and <HR>\n");
  Result r = tags({"--unclosed", "--context", "6", f});
  EXPECT_EQ(r.status, 0) << r.err;
  // Positions count the CR LF that ends each line as loaded.
  EXPECT_EQ(r.out, "27\t<B>\t next \n35\t<%p>\t> and \n44\t<HR>\t> and \n");
  EXPECT_EQ(tags({"--unclosed", "--context", "3", "--upper-only", "--skip-percent", f}).out,
            "27\t<B>\txt \n44\t<HR>\tnd \n");
  // Line breaks in the context are shown as spaces.
  EXPECT_EQ(tags({"--unclosed", "--context", "9", f}).out.substr(0, 16), "27\t<B>\tne  next ");
  const std::string closed = write_file("tags_c.txt", "<a>b</a>\n");
  r = tags({"--unclosed", closed});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  // With several files each line names its file.
  r = tags({"--unclosed", closed, f});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, f.size() + 4), f + "\t27\t");
}

TEST(TagsCommand, MissingFileIsAnErrorTheOthersStillPrint) {
  const std::string f = write_file("tags_m.txt", "a<b>c\n");
  const Result r = tags({"/nonexistent/x.txt", f});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "ac\r\n");
  EXPECT_NE(r.err.find("corvane tags: /nonexistent/x.txt: "), std::string::npos);
}

TEST(TagsCommand, EightBitAndUtf16Texts) {
  // Latin-1 and UTF-16LE with a byte-order mark: printed in UTF-8.
  const std::string latin = write_file("tags_l.txt", "<p>caf\xe9</p>\n");
  EXPECT_EQ(tags({latin}).out, "caf\xc3\xa9\r\n");
  const std::string utf16 =
      write_file("tags_w.txt", std::string("\xff\xfe<\0p\0>\0\x42\x04<\0/\0p\0>\0", 18));
  EXPECT_EQ(tags({utf16}).out, "\xd1\x82\r\n");
}

class RepeatsCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = (fs::temp_directory_path() / ("corvane-repeats-" + std::to_string(::getpid()))).string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    write("a.txt",
          "The same sentence here. Other words go.\nThe same sentence here.\n"
          "Boiler plate text. Boiler plate text.\n");
    write("b.txt", "<p>Boiler plate text.</p> <p>Boiler plate text.</p>\nAnything else.\n");
  }
  void TearDown() override { fs::remove_all(dir); }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
  }
  Result repeats(std::vector<std::string> args) {
    args.insert(args.begin(), {"repeats", "--no-progress"});
    return run_corvane(std::move(args));
  }
  std::string dir;
};

TEST_F(RepeatsCommand, SentencesWithinAndAcrossTexts) {
  const std::string a = dir + "/a.txt", b = dir + "/b.txt";
  Result r = repeats({"--file-sort", "name", dir});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "4\t2\tBoiler plate text.\t" + a + ":2; " + b + ":2\n" +
                       "2\t1\tThe same sentence here.\t" + a + ":2\n" +
                       "sentences\t2\trepeateds\t1\n");
  r = repeats({"--sort", "file", "--json", "--file-sort", "name", dir});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "[\n  {\"sentence\": \"The same sentence here.\", \"total\": 2, \"occurrences\": "
            "[{\"text\": 0, \"file\": \"" +
                a +
                "\", \"freq\": 2}]},\n  {\"sentence\": \"Boiler plate text.\", \"total\": "
                "4, \"occurrences\": [{\"text\": 0, \"file\": \"" +
                a + "\", \"freq\": 2}, {\"text\": 1, \"file\": \"" + b + "\", \"freq\": 2}]}\n]\n");
  // Sentences must be longer than --min-length; min-hits 3 finds nothing.
  r = repeats({"--min-length", "19", dir});
  EXPECT_EQ(r.out.substr(0, 2), "2\t");
  r = repeats({"--min-hits", "3", dir});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "sentences\t0\trepeateds\t0\n");
  EXPECT_EQ(repeats({"--sort", "size", dir}).status, 2);
}

TEST_F(RepeatsCommand, ArchiveEntriesAndMissingPaths) {
  corvane::testing::ZipArchiveLayout zip;
  zip.entries.push_back({"c.txt", "Boiler plate text. Boiler plate text.\n", true});
  write("c.zip", corvane::testing::build_zip(zip));
  // An archive named directly is a file; its entry is named as a path inside it.
  const Result r =
      repeats({"--file-sort", "name", dir + "/b.txt", dir + "/c.zip/c.txt", dir + "/none"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "4\t2\tBoiler plate text.\t" + dir + "/b.txt:2; " + dir +
                       "/c.zip/c.txt:2\nsentences\t1\trepeateds\t1\n");
  EXPECT_NE(r.err.find(dir + "/none"), std::string::npos);
}

TEST_F(RepeatsCommand, BinaryFilesAndFifosAreRefusedTheOthersStillCount) {
  std::string elf =
      "\x7f"
      "ELF";
  elf.append(2000, '\0');
  write("prog.bin", elf);
  const std::string fifo = dir + "/pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const Result r = repeats({"--file-sort", "name", dir + "/a.txt", dir + "/prog.bin", fifo});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out.substr(0, 2), "2\t") << r.out;
  EXPECT_NE(r.err.find(dir + "/prog.bin: not a text file"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(fifo + ": not a regular file"), std::string::npos) << r.err;
}

TEST_F(RepeatsCommand, Chunks) {
  std::string a(120, 'x');
  for (int i = 0; i < 120; ++i) a[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
  const std::string b(120, '-');
  write("chunks.txt", a + b + a);
  Result r = repeats({"--chunks", "120", "--min-freq", "1", dir + "/chunks.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\t241\t" + a + "\n");
  r = repeats({"--chunks", "120", dir + "/chunks.txt"});  // min-freq 2 by default
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  r = repeats({"--chunks", "120", "--min-freq", "1", "--json", dir + "/chunks.txt"});
  EXPECT_EQ(r.out, "[\n  {\"frequency\": 1, \"position\": 241, \"chunk\": \"" + a + "\"}\n]\n");
  EXPECT_EQ(repeats({"--chunks", "0", dir + "/chunks.txt"}).status, 2);
  EXPECT_EQ(repeats({"--chunks", "120", dir + "/chunks.txt", dir + "/a.txt"}).status, 2);
  EXPECT_EQ(repeats({"--limit", "3", dir + "/chunks.txt"}).status, 2);  // needs --chunks
}

}  // namespace
}  // namespace corvane::cli
