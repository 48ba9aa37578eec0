// corvane wordlist and corvane similarity: outputs byte for byte, exit statuses, texts in
// several encodings and scripts counted as one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "testing/Test_support.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;
using testing::Result;
using testing::run_corvane;

class WordlistTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = (fs::temp_directory_path() / ("corvane-wordlist-" + std::to_string(::getpid()))).string();
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string utf16le(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    return bytes;
  }
  Result wordlist(std::vector<std::string> args) {
    args.insert(args.begin(), {"wordlist", "--no-progress"});
    return run_corvane(std::move(args));
  }
  std::string dir;
};

TEST_F(WordlistTest, OneListOfAllTextsWhateverTheirEncoding) {
  const std::string a = write("a.txt", "The cat saw the CAT.\n");
  const std::string b = write("b.txt", utf16le(u"the Dog\r\n"));
  const std::string c = write("c.txt", "caf\xE9 Caf\xC9\r\n");  // windows-1252
  Result r = run_corvane({"--encoding", "windows-1252", "wordlist", a, b, c});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "café\t2\ncat\t2\nDog\t1\nsaw\t1\nThe\t3\n");
  r = run_corvane({"--encoding", "windows-1252", "wordlist", "--by-freq", a, b, c});
  EXPECT_EQ(r.out, "The\t3\ncafé\t2\ncat\t2\nDog\t1\nsaw\t1\n");
  r = run_corvane({"--encoding", "windows-1252", "wordlist", "--min-length", "4", a, b, c});
  EXPECT_EQ(r.out, "café\t2\n");
  // The first spelling met is kept: the texts in the other order.
  r = run_corvane({"--encoding", "windows-1252", "wordlist", c, b, a});
  EXPECT_EQ(r.out, "café\t2\ncat\t2\nDog\t1\nsaw\t1\nthe\t3\n");
}

TEST_F(WordlistTest, NGramsPerTextWithLineEndsAsSpaces) {
  const std::string x = write("x.txt", "a b\r\nc d\n");
  const std::string y = write("y.txt", "e f; g\n");
  Result r = wordlist({"--ngrams", "2", x, y});
  EXPECT_EQ(r.status, 0) << r.err;
  // No window spans the two texts (no "d e"), nor the semicolon once complete.
  EXPECT_EQ(r.out, "a b\t1\nb c\t1\nc d\t1\ne f\t1\n");
  r = wordlist({"--ngrams", "2", "--json", x});
  EXPECT_EQ(r.out,
            "[\n  {\"entry\": \"a b\", \"freq\": 1},\n  {\"entry\": \"b c\", \"freq\": 1},\n  "
            "{\"entry\": \"c d\", \"freq\": 1}\n]\n");
  // Tags are skipped; --longest-tag bounds one without ">".
  const std::string t = write("t.txt", "one <b>two</b> three <x four five\n");
  EXPECT_EQ(wordlist({"--ngrams", "2", t}).out, "one two\t1\ntwo three\t1\n");
  EXPECT_EQ(wordlist({"--ngrams", "2", "--longest-tag", "1", t}).out,
            "four five\t1\none two\t1\nthree four\t1\ntwo three\t1\n");
  // --min-length counts the n-gram's characters ("one two three" has 13).
  EXPECT_EQ(wordlist({"--ngrams", "3", "--min-length", "13", t}).out, "one two three\t1\n");
  r = wordlist({"--ngrams", "3", "--min-length", "14", t});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(wordlist({"--ngrams", "0", t}).status, 2);
}

TEST_F(WordlistTest, ExitStatusesAndUnreadableTexts) {
  const std::string empty = write("empty.txt", " ... \n");
  Result r = wordlist({empty});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(wordlist({"--json", empty}).out, "[]\n");
  const std::string words = write("w.txt", "word\n");
  r = wordlist({dir + "/missing.txt", words});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "word\t1\n");
  EXPECT_NE(r.err.find("missing.txt"), std::string::npos) << r.err;
  const std::string binary = write(
      "bin.dat", std::string("\x00\x01\x02\x03\xFF\xFE\x00\x00", 8) + std::string(4000, '\0'));
  r = wordlist({binary, words});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "word\t1\n");
  EXPECT_NE(r.err.find("bin.dat"), std::string::npos) << r.err;
}

TEST_F(WordlistTest, TheSampleCorpusInEveryScript) {
  const std::string corpus = corvane::testing::source_dir() + "/samples/corpus";
  const Result r = wordlist({"--by-freq", corpus});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto freq = [&](const std::string& word) {
    const std::size_t at = r.out.find("\n" + word + "\t");
    if (at == std::string::npos) return -1;
    return std::stoi(r.out.substr(at + word.size() + 2));
  };
  EXPECT_GT(freq("Naomi"), 10);    // UTF-16 big-endian
  EXPECT_GT(freq("Joseph"), 100);  // UTF-8 with a signature
  // Every line is entry<TAB>number, most frequent first.
  std::istringstream lines(r.out);
  std::string line;
  long previous = -1;
  while (std::getline(lines, line)) {
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const long f = std::stol(line.substr(tab + 1));
    if (previous >= 0) ASSERT_LE(f, previous) << line;
    previous = f;
  }
}

TEST_F(WordlistTest, Similarity) {
  const std::string a = write("a.txt", "The cat sat on the mat.\n");
  const std::string a16 = write("a16.txt", utf16le(u"the CAT sat on THE mat\r\n"));
  Result r = run_corvane({"similarity", a, a16});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "similar\ntypes\t0\t0.00\ntokens\t0\t0.00\nlast\t\n");

  const std::string x = write("x.txt", "a a a b\n");
  const std::string y = write("y.txt", "a b c\n");
  r = run_corvane({"similarity", x, y});
  EXPECT_EQ(r.status, 1);
  // The second text's list is longer and is walked: every word has 1, so in code-unit
  // order; A comes first, 3 in x and 1 in y.
  EXPECT_EQ(r.out, "differs\tA\t3\t1\ntypes\t1\t33.33\ntokens\t3\t60.00\nlast\tc\n");
  // A differs by 2, C (only in y) by 1.
  r = run_corvane({"similarity", "--max-diff", "1", x, y});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "differs\tA\t3\t1");
  r = run_corvane({"similarity", "--max-diff", "2", x, y});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "similar");
  r = run_corvane({"similarity", "--max-diff", "2", "--min-freq", "2", "--json", x, y});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"similar\": true, \"word\": \"\", \"freq_a\": 0, \"freq_b\": 0, \"type_diffs\": 1, "
            "\"type_diff_pc\": 33.33, \"token_diffs\": 3, \"token_diff_pc\": 60.00, \"last\": "
            "\"c\", \"show\": false}\n");
  r = run_corvane({"similarity", "--threshold", "50", "--json", x, y});
  EXPECT_NE(r.out.find("\"show\": true"), std::string::npos) << r.out;

  const std::string none = write("none.txt", "");
  r = run_corvane({"similarity", none, none});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "similar\ntypes\t0\t0.00\ntokens\t0\t0.00\nlast\t\n");
  r = run_corvane({"similarity", x, dir + "/missing.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing.txt"), std::string::npos);
}

}  // namespace
}  // namespace corvane::cli
