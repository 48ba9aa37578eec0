// How the program reads texts: --encoding, --lang, --verbose, the lines on standard error
// for what was guessed or lost, and texts that are no texts or cannot be opened.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unicode/ucnv.h>
#include <unistd.h>

#include <filesystem>

#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;
using testing::run_corvane;
using testing::write_file;

std::string in_charset(const std::string& utf8, const char* charset) {
  UErrorCode err = U_ZERO_ERROR;
  std::string out(4 * utf8.size() + 16, '\0');
  const std::int32_t n = ucnv_convert(charset, "UTF-8", out.data(), static_cast<int>(out.size()),
                                      utf8.data(), static_cast<int>(utf8.size()), &err);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

// A few lines of Russian, enough for the detector.
const char* const kRussian =
    "\xD0\x97\xD0\xB8\xD0\xBC\xD0\xB0 \xD0\xB2 \xD0\xB4\xD0\xB5\xD1\x80\xD0\xB5\xD0\xB2\xD0\xBD"
    "\xD0\xB5 \xD0\xB4\xD0\xBE\xD0\xBB\xD0\xB3\xD0\xB0\xD1\x8F \xD0\xB8 \xD1\x82\xD0\xB8\xD1\x85"
    "\xD0\xB0\xD1\x8F. \xD0\xA1\xD0\xBD\xD0\xB5\xD0\xB3 \xD0\xBB\xD0\xB5\xD0\xB6\xD0\xB8\xD1\x82 "
    "\xD0\xBD\xD0\xB0 \xD0\xBA\xD1\x80\xD1\x8B\xD1\x88\xD0\xB0\xD1\x85 \xD0\xB8 \xD0\xBD\xD0\xB0 "
    "\xD0\xB4\xD0\xBE\xD1\x80\xD0\xBE\xD0\xB3\xD0\xB5, \xD0\xB8 \xD0\xB4\xD0\xB5\xD1\x82\xD0\xB8 "
    "\xD0\xBA\xD0\xB0\xD1\x82\xD0\xB0\xD1\x8E\xD1\x82\xD1\x81\xD1\x8F \xD1\x81 \xD0\xB3\xD0\xBE"
    "\xD1\x80\xD1\x8B \xD0\xBD\xD0\xB0 \xD1\x81\xD0\xB0\xD0\xBD\xD0\xBA\xD0\xB0\xD1\x85.\n";
const char* const kAnd = "\xD0\xB8";  // "и"

// One bad byte does not turn UTF-8 into windows-1252: café is found, the byte is reported.
TEST(ReadingTest, Utf8WithABadByteIsStillUtf8AndSaysSo) {
  const std::string b = write_file("b.txt", "caf\xC3\xA9 \xFF software\n");
  const testing::Result r = run_corvane({"concord", "--count", "caf\xC3\xA9", b});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1\t" + b + "\n1\ttotal\n1 hit in 1 file, 3 words searched\n");
  EXPECT_EQ(r.err, "corvane concord: " + b +
                       ": 1 byte not valid in UTF-8, read as U+FFFD (the first at offset 6)\n");
  const testing::Result cat = run_corvane({"cat", b});
  EXPECT_EQ(cat.out, "caf\xC3\xA9 \xEF\xBF\xBD software\r\n");
  EXPECT_EQ(cat.status, 0);
}

// A Russian text in windows-1251 and KOI8-R: found by the detector, by --encoding and by
// --lang; --verbose says how each was read.
TEST(ReadingTest, EightBitTextsInTheirOwnCodePage) {
  const std::string cp1251 = write_file("ru1251.txt", in_charset(kRussian, "windows-1251"));
  const std::string koi8 = write_file("ru_koi8.txt", in_charset(kRussian, "KOI8-R"));
  for (const std::vector<std::string>& options : {std::vector<std::string>{},
                                                  {"--encoding", "windows-1251"},
                                                  {"--encoding", "1251"},
                                                  {"--lang", "ru_RU"}}) {
    std::vector<std::string> args = options;
    for (const std::string& a :
         {std::string("concord"), std::string("--count"), std::string(kAnd), cp1251})
      args.push_back(a);
    const testing::Result r = run_corvane(args);
    EXPECT_EQ(r.out, "3\t" + cp1251 + "\n3\ttotal\n3 hits in 1 file, 20 words searched\n")
        << ::testing::PrintToString(options);
    EXPECT_EQ(r.err, "");
  }
  const testing::Result verbose =
      run_corvane({"--verbose", "concord", "--count", kAnd, cp1251, koi8});
  EXPECT_EQ(verbose.out.substr(verbose.out.find("total") - 2),
            "6\ttotal\n6 hits in 2 files, 40 words searched\n");
  EXPECT_NE(verbose.err.find(cp1251 + ": read as windows-1251 (detected, confidence "),
            std::string::npos)
      << verbose.err;
  EXPECT_NE(verbose.err.find(koi8 + ": read as KOI8-R (detected, confidence "), std::string::npos);
  // A fixed code page is used even where it is wrong, and --verbose says where it came from.
  const testing::Result fixed =
      run_corvane({"--encoding", "KOI8-R", "--verbose", "concord", "--count", kAnd, cp1251});
  EXPECT_EQ(fixed.out.substr(0, 2), "0\t");
  EXPECT_EQ(fixed.err, "corvane concord: " + cp1251 + ": read as KOI8-R (--encoding)\n");
  // A name that names nothing is a mistake on the command line.
  const testing::Result bad = run_corvane({"--encoding", "klingon", "cat", cp1251});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("--encoding klingon names no encoding"), std::string::npos);
}

TEST(ReadingTest, DetectCharsetAddsTheCharsetAndTheConfidence) {
  const std::string le = write_file("le.txt", in_charset("plain words\nand more\n", "UTF-16LE"));
  const std::string u8 = write_file("u8.txt", "caf\xC3\xA9\n");
  const std::string ascii = write_file("ascii.txt", "plain\n");
  const std::string zip = write_file("z.zip", std::string("PK\x03\x04\0\0\0\0", 8));
  const testing::Result r = run_corvane({"detect", "--charset", le, u8, ascii, zip});
  EXPECT_EQ(r.out, le + "\t_16_bit\tUTF-16LE\t-\n" + u8 + "\t_UTF8\tUTF-8\t-\n" + ascii +
                       "\t_8_bit\tASCII\t-\n" + zip + "\t_Zip\tbinary\t-\n");
  const std::string koi8 = write_file("d_koi8.txt", in_charset(kRussian, "KOI8-R"));
  const testing::Result k = run_corvane({"detect", "--charset", koi8});
  EXPECT_TRUE(k.out.starts_with(koi8 + "\t_8_bit\tKOI8-R\t")) << k.out;
  EXPECT_EQ(k.out.size(), koi8.size() + std::string("\t_8_bit\tKOI8-R\t0.00\n").size());
  const testing::Result fixed = run_corvane({"--encoding", "1253", "detect", "--charset", koi8});
  EXPECT_EQ(fixed.out, koi8 + "\t_8_bit\twindows-1253\t-\n");
}

// Files that are no text are skipped with a line each, counted in the summary, exit 2.
TEST(ReadingTest, BinaryFilesAreSkippedAndCounted) {
  const std::string elf = write_file("prog", std::string("\x7F"
                                                         "ELF\x02\x01\x01\0\0\0 cat",
                                                         14));
  const std::string text = write_file("t.txt", "the cat\n");
  const testing::Result r = run_corvane({"concord", "cat", elf, text});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "corvane concord: " + elf + ": not a text file (binary)\n");
  EXPECT_TRUE(r.out.ends_with("1 hit in 1 file, 2 words searched, 1 file skipped\n")) << r.out;
  const testing::Result cat = run_corvane({"cat", elf, text});
  EXPECT_EQ(cat.status, 2);
  EXPECT_EQ(cat.out, "the cat\r\n");
  EXPECT_EQ(cat.err, "corvane cat: " + elf + ": not a text file (binary)\n");
}

// --max limits the hits, never the words counted.
TEST(ReadingTest, TheMaxSummaryCountsEveryWord) {
  std::string many;
  for (int i = 0; i < 2000; ++i) many += "the cat and the dog\n";
  const std::string f = write_file("many.txt", many);
  const testing::Result all = run_corvane({"concord", "the/dog", f});
  EXPECT_TRUE(all.out.ends_with("\n6000 hits in 1 file, 10000 words searched\n")) << all.err;
  const testing::Result some = run_corvane({"concord", "--max", "2", "the/dog", f});
  EXPECT_TRUE(some.out.ends_with("\n4 hits in 1 file, 10000 words searched\n")) << some.out;
  const testing::Result counted = run_corvane({"concord", "--count", "--max", "2", "the/dog", f});
  EXPECT_EQ(counted.out, "4\t" + f + "\n4\ttotal\n4 hits in 1 file, 10000 words searched\n");
}

// sentences reads through the same reader, refuses what could hang it, and never holds
// more than a bounded line.
TEST(ReadingTest, SentencesReadsAnyEncodingAndRefusesWhatCouldHang) {
  const std::string with_nul("\xEF\xBB\xBFOne\0two. Three.\n", 20);
  const std::string bom = write_file("s.txt", in_charset(with_nul, "UTF-16LE"));
  const testing::Result r = run_corvane({"sentences", bom});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "One two.\nThree.\n");
  const std::string fifo = ::testing::TempDir() + "sentences_fifo";
  fs::remove(fifo);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    const testing::Result refused = run_corvane({"sentences", path});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "corvane sentences: " + path + ": not a regular file (a FIFO, socket or device)\n");
  }
  fs::remove(fifo);
  const std::string odd = write_file("bad\xFFname.txt", "Text.\n");
  EXPECT_EQ(run_corvane({"sentences", odd}).status, 2);
  // One line of 3 MiB comes out in paragraphs of at most 1 MiB.
  const std::string one_line = write_file("long.txt", std::string(3 << 20, 'a'));
  const testing::Result long_line = run_corvane({"sentences", one_line});
  EXPECT_EQ(long_line.status, 0);
  EXPECT_EQ(long_line.out.size(), (std::size_t{3} << 20) + 3);
  EXPECT_NE(long_line.err.find("is cut into paragraphs"), std::string::npos);
}

// A file the user may not read is reported with the system's reason and exit status 2.
// The tests run as root, who may read anything: the command runs in a child that has given
// up root for "nobody".
TEST(ReadingTest, AFileThatMayNotBeReadIsReported) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to drop to another user";
  const std::string secret = write_file("secret.txt", "hidden words\n");
  ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipe_fds[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(99);
    const testing::Result r = run_corvane({"concord", "words", secret});
    const std::string report = std::to_string(r.status) + "|" + r.err;
    (void)!::write(pipe_fds[1], report.data(), report.size());
    ::_exit(0);
  }
  ::close(pipe_fds[1]);
  std::string report;
  char buf[512];
  for (ssize_t got; (got = ::read(pipe_fds[0], buf, sizeof buf)) > 0;) report.append(buf, got);
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 99) GTEST_SKIP() << "cannot become nobody";
  EXPECT_TRUE(report.starts_with("2|corvane concord: " + secret + ": ")) << report;
  EXPECT_NE(report.find("ermission denied"), std::string::npos) << report;
}

}  // namespace
}  // namespace corvane::cli
