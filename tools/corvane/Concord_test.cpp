#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "testing/Docx_writer.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

class ConcordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("corvane-concord-" + std::to_string(::getpid()));
    fs::create_directories(dir / "sub");
    write("a.txt", "The cat sat on the mat. The dog's cat ran.\n");
    write("sub/b.txt",
          "\xEF\xBB\xBF"
          "No cats here, only a CAT and a cat-flap.\n");
    write("c.log", "cat\n");
  }
  void TearDown() override { fs::remove_all(dir); }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
  }
  using Result = testing::Result;
  Result run_concord(std::vector<std::string> args) {
    args.insert(args.begin(), "concord");
    return testing::run_corvane(std::move(args));
  }
  fs::path dir;
};

TEST_F(ConcordTest, CountsWholeWordsCaseInsensitivelyPerFileInPathOrder) {
  const Result r = run_concord({"--count", "--mask", "*.txt", "cat", dir.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  // The hyphen is word-internal by default, so "cat-flap" is one word and not a hit.
  EXPECT_EQ(r.out, "2\t" + (dir / "a.txt").string() + "\n1\t" + (dir / "sub/b.txt").string() +
                       "\n3\ttotal\n3 hits in 2 files, 19 words searched\n");
  const Result no_allow =
      run_concord({"--count", "--allow", "", "--mask", "*.txt", "cat", dir.string()});
  EXPECT_NE(no_allow.out.find("4\ttotal"), std::string::npos) << no_allow.out;
}

TEST_F(ConcordTest, LinesAlignTheHitAndTheSameOutputComesFromAnyNumberOfThreads) {
  const Result one = run_concord({"--width", "10", "--threads", "1", "cat/dog's", dir.string()});
  const Result many = run_concord({"--width", "10", "--threads", "4", "cat/dog's", dir.string()});
  EXPECT_EQ(one.out, many.out);
  EXPECT_EQ(one.status, 0);
  std::istringstream lines(one.out);
  std::string first;
  std::getline(lines, first);
  // More than one text: each line begins with its file's name, as grep does.
  EXPECT_EQ(first, (dir / "a.txt").string() + ":      The cat sat on th");
  EXPECT_NE(one.out.find("mat. The dog's cat ran. "), std::string::npos) << one.out;
  const Result bare = run_concord({"--no-filename", "--width", "10", "cat", dir.string()});
  EXPECT_EQ(bare.out.rfind("      The cat sat on th\n", 0), 0u) << bare.out;
  const Result named = run_concord({"-H", "--width", "3", "mat", (dir / "a.txt").string()});
  EXPECT_EQ(named.out.rfind((dir / "a.txt").string() + ":he mat. T\n", 0), 0u) << named.out;
}

// Context is cut and padded by terminal columns: a combining mark takes none, a wide
// character two, and a grapheme cluster is never cut.
TEST_F(ConcordTest, LinesAreAlignedByDisplayColumns) {
  write("w.txt",
        "xx \xE6\x97\xA5\xE6\x9C\xAC cat a\xCC\x81"
        "b\n"  // 日本 cat áb (decomposed á)
        "e\xCC\x81"
        "e\xCC\x81"
        "e\xCC\x81 cat \xE6\x97\xA5\xE6\x9C\xAC\xE6\x97\xA5\n");
  const Result r = run_concord({"--width", "4", "cat", (dir / "w.txt").string()});
  std::istringstream lines(r.out);
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  // "日本 " is five columns: only " " and "本" fit in four, after one column of padding;
  // on the right the line break (CR LF, one cluster of two columns) would make five.
  EXPECT_EQ(first,
            " \xE6\x9C\xAC cat a\xCC\x81"
            "b")
      << r.out;
  // "ééé " fits with its marks; on the right " 日" takes three columns and "本" would
  // make five.
  EXPECT_EQ(second,
            "e\xCC\x81"
            "e\xCC\x81"
            "e\xCC\x81 cat \xE6\x97\xA5")
      << r.out;
}

TEST_F(ConcordTest, RecordsMaxAndExitStatus) {
  Result r = run_concord({"--tsv", "--max", "1", "==CAT==", (dir / "sub/b.txt").string()});
  EXPECT_EQ(r.status, 0);
  const std::string header =
      "file\thit_number\toffset\thit\tleft\tright\tword\tsentence\tword_in_sentence\t"
      "paragraph\theading\tsection\n";
  EXPECT_EQ(r.out.rfind(header + (dir / "sub/b.txt").string() + "\t1\t", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\tCAT\t"), std::string::npos);
  r = run_concord({"--json", "mat", (dir / "a.txt").string()});
  EXPECT_NE(r.out.find("\"hit\": \"mat\""), std::string::npos) << r.out;
  r = run_concord({"zebra", (dir / "a.txt").string()});
  EXPECT_EQ(r.status, 1);
  r = run_concord({"cat", (dir / "missing.txt").string(), (dir / "a.txt").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing.txt: no such file or folder"), std::string::npos);
  EXPECT_NE(r.out.find("2 hits in 1 file"), std::string::npos);
}

TEST_F(ConcordTest, SortsLinesAcrossFilesOnTheKeys) {
  // The words right of each "cat": sat, ran (a.txt), and (b.txt, "CAT and"), here (b.txt,
  // "cats" is no hit), so R1+ gives and, ran, sat.
  const Result r =
      run_concord({"--tsv", "--sort", "R1+,F-", "--mask", "*.txt", "cat", dir.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  std::vector<std::string> right;
  std::string header;
  std::getline(lines, header);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
    ASSERT_GE(f.size(), 6u) << line;
    right.push_back(f[5].substr(0, 4));
  }
  EXPECT_EQ(right, (std::vector<std::string>{" and", " ran", " sat"}));
  const Result bad = run_concord({"--sort", "L6+", "cat", dir.string()});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("corvane concord: --sort: "), std::string::npos) << bad.err;
}

TEST_F(ConcordTest, RecordsCountSentencesAndParagraphs) {
  write("s.txt", "One cat. Two cats here? A cat!\n\nNew cat line.\n");
  const Result r = run_concord({"--tsv", "cat", (dir / "s.txt").string()});
  // word, sentence, word in sentence, paragraph, heading, section
  EXPECT_NE(r.out.find("\t2\t1\t2\t1\t-1\t0\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\t7\t3\t2\t1\t-1\t0\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\t9\t4\t2\t2\t-1\t0\n"), std::string::npos) << r.out;
}

TEST_F(ConcordTest, ContextNeverSplitsASurrogatePair) {
  write("e.txt", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80 cat \xF0\x9F\x98\x80\xF0\x9F\x98\x80\n");
  for (const char* width : {"2", "3", "4"}) {
    const Result r = run_concord({"--tsv", "--width", width, "cat", (dir / "e.txt").string()});
    EXPECT_EQ(r.out.find("\xEF\xBF\xBD"), std::string::npos) << width << ": " << r.out;
    EXPECT_NE(r.out.find("\tcat\t"), std::string::npos) << r.out;
  }
}

// A .docx is searched as its paragraphs: every output form gives what the same
// paragraphs saved as a UTF-8 text give.
TEST_F(ConcordTest, DocxDocumentsGiveWhatTheirParagraphsGiveAsText) {
  const std::string docx = (dir / "real.docx").string();
  if (!corvane::testing::write_python_docx_sample(docx))
    GTEST_SKIP() << "python3-docx is not installed (scripts/install-deps installs it)";
  write("real.txt", corvane::testing::kPythonDocxSampleText);
  const std::string text = (dir / "real.txt").string();
  const std::string search = "the/cell*/\xD0\xBC\xD0\xB8\xD1\x80/amp/runs/fox";
  auto same_as_text = [&](std::vector<std::string> options) {
    std::vector<std::string> on_docx = options, on_text = options;
    on_docx.insert(on_docx.end(), {search, docx});
    on_text.insert(on_text.end(), {search, text});
    const Result a = run_concord(on_docx);
    Result b = run_concord(on_text);
    for (std::size_t at; (at = b.out.find(text)) != std::string::npos;)
      b.out.replace(at, text.size(), docx);
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out) << options.front();
    return a.out;
  };
  // cell 00 .. cell 11, the (twice), fox, мир, amp (of "&amp;"), runs.
  EXPECT_NE(same_as_text({"--count"}).find("10\ttotal"), std::string::npos);
  same_as_text({"--tsv"});
  same_as_text({"--json"});
  same_as_text({"--sort", "R1+,N-", "--threads", "3", "--width", "12"});
  // One that is no archive is reported with its name and the reason; the run goes on.
  write("broken.docx", "not an archive");
  const Result r = run_concord({"--count", search, (dir / "broken.docx").string(), docx});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("broken.docx: Cannot open the zip archive"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("10\ttotal"), std::string::npos) << r.out;
}

// Folders are walked safely: a name that is not UTF-8 found in a folder is reported and
// passed over (named directly, it is read through its bytes), a folder reached again
// through links is walked once, a FIFO in a folder is passed over (opening it would wait
// for a writer), and a link loop named directly is reported with its reason.
TEST_F(ConcordTest, FoldersAreWalkedOnceAndOnlyTheirRegularFilesAreRead) {
  fs::create_directories(dir / "w");
  write("w/bad\xff.txt", "software\n");
  write("w/ok.txt", "software\n");
  fs::create_directory_symlink(".", dir / "w/l1");
  fs::create_directory_symlink(".", dir / "w/l2");
  ASSERT_EQ(::mkfifo((dir / "w/p").c_str(), 0600), 0);
  const Result r = run_concord({"--count", "software", (dir / "w").string()});
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_EQ(r.out, "1\t" + (dir / "w/ok.txt").string() +
                       "\n1\ttotal\n1 hit in 1 file, 1 words searched, 1 file skipped\n");
  EXPECT_EQ(r.err, "corvane concord: " + (dir / "w/bad\xff.txt").string() + ": not valid UTF-8\n");
  const Result named = run_concord({"--count", "software", (dir / "w/bad\xff.txt").string()});
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(named.out, "1\t" + (dir / "w/bad\xff.txt").string() +
                           "\n1\ttotal\n1 hit in 1 file, 1 words searched\n");
  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  const Result loop =
      run_concord({"software", (dir / "loop1").string(), (dir / "w/ok.txt").string()});
  EXPECT_EQ(loop.status, 2);
  EXPECT_EQ(loop.err, "corvane concord: " + (dir / "loop1").string() +
                          ": too many levels of symbolic links\n");
  EXPECT_NE(loop.out.find("1 hit in 1 file"), std::string::npos) << loop.out;
}

// What is no regular file named on the command line is read as a stream: a pipe as the
// shell's process substitution gives it, a /proc file that claims no size.
TEST_F(ConcordTest, PipesAndProcFilesAreReadAsStreams) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const std::string text = "software and more software\n";
  ASSERT_EQ(::write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::close(fds[1]);
  const std::string pipe_name = "/proc/self/fd/" + std::to_string(fds[0]);
  const Result r = run_concord({"--count", "software", pipe_name});
  ::close(fds[0]);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2\t" + pipe_name + "\n2\ttotal\n2 hits in 1 file, 4 words searched\n");
  const Result proc = run_concord({"--count", "name", "/proc/self/status"});
  EXPECT_EQ(proc.status, 0) << proc.err;
  const Result folder_missing = run_concord({"x", (dir / "none").string()});
  EXPECT_EQ(folder_missing.status, 2);
  EXPECT_EQ(folder_missing.err,
            "corvane concord: " + (dir / "none").string() + ": no such file or folder\n");
}

// Records are the hits the listing and --count give: the marks the counts of sentences and
// paragraphs need are no text, so a wildcard never matches them alone.
TEST_F(ConcordTest, RecordsAreTheHitsTheCountGivesForWildcards) {
  write("n.txt", " abc 123\nx 7\n\n Stop. A b.\n");
  const std::string path = (dir / "n.txt").string();
  for (const std::string word : {"#", "?", "?*", "*?", "***", "a*"}) {
    const Result count = run_concord({"--count", word, path});
    const Result tsv = run_concord({"--tsv", word, path});
    const Result json = run_concord({"--json", word, path});
    const std::string total = count.out.substr(count.out.find("\ttotal") - 2, 2);
    const auto records = std::count(tsv.out.begin(), tsv.out.end(), '\n') - 1;
    EXPECT_EQ(std::to_string(records), total.substr(total[0] == '\n' ? 1 : 0)) << word << tsv.out;
    const auto objects = static_cast<long>(json.out.find("{") == std::string::npos
                                               ? 0
                                               : std::count(json.out.begin(), json.out.end(), '{'));
    EXPECT_EQ(objects, records) << word;
    EXPECT_EQ(tsv.out.find("\t\t"), tsv.out.find("\t\t\t")) << word << tsv.out;  // no empty hit
    std::istringstream lines(tsv.out);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {  // offsets: the third field
      const std::size_t a = line.find('\t', line.find('\t') + 1) + 1;
      EXPECT_NE(line[a], '-') << word << ": " << line;
    }
  }
  const Result digits = run_concord({"--tsv", "#", path});
  EXPECT_EQ(digits.out.substr(digits.out.find('\n') + 1),
            path + "\t1\t5\t123\t abc \t  x 7     Stop. A b.  \t2\t1\t2\t1\t-1\t0\n" + path +
                "\t2\t12\t7\t abc 123  x \t     Stop. A b.  \t4\t2\t2\t2\t-1\t0\n");
}

// A file name with tabs, line breaks or backslashes stays one field of its record.
TEST_F(ConcordTest, FileNamesAreEscapedInTsvRecordsAndCounts) {
  fs::create_directories(dir / "t");
  write("t/a\tb\\c\nd.txt", "software\n");
  const std::string escaped = (dir / "t").string() + "/a\\tb\\\\c\\nd.txt";
  const Result count = run_concord({"--count", "software", (dir / "t").string()});
  EXPECT_EQ(count.out.substr(0, count.out.find("total")), "1\t" + escaped + "\n1\t");
  const Result tsv = run_concord({"--tsv", "software", (dir / "t").string()});
  EXPECT_EQ(tsv.out.substr(tsv.out.find('\n') + 1),
            escaped + "\t1\t0\tsoftware\t\t  \t1\t1\t1\t1\t-1\t0\n");
}

// A zero byte is a blank between words: the text goes on after it, and cat shows a space.
TEST_F(ConcordTest, AZeroByteSeparatesWordsAndNeverEndsTheText) {
  write("z.txt", std::string("alku ja\0ja\0\0loppu ja\n", 21));
  const std::string path = (dir / "z.txt").string();
  const Result r = run_concord({"--count", "ja", path});
  EXPECT_EQ(r.out, "3\t" + path + "\n3\ttotal\n3 hits in 1 file, 5 words searched\n");
  const Result lines = run_concord({"--width", "5", "loppu", path});
  EXPECT_EQ(lines.out.substr(0, lines.out.find('\n')), " ja  loppu ja  ");
  const Result cat = testing::run_corvane({"cat", path});
  EXPECT_EQ(cat.out, "alku ja ja  loppu ja\r\n");
}

}  // namespace
}  // namespace corvane::cli
