// corvane files and concord through the gathering: records byte for byte, exit statuses,
// and archives searched as their unpacked texts are.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "testing/Zip_builder.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;
using testing::Result;
using testing::run_corvane;

Result run_concord(std::vector<std::string> args) {
  args.insert(args.begin(), {"concord", "--no-progress"});
  return run_corvane(std::move(args));
}

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = (fs::temp_directory_path() / ("corvane-files-" + std::to_string(::getpid()))).string();
    fs::remove_all(dir);
    fs::create_directories(dir + "/sub");
    for (const auto& [name, text] : texts) write(name, text);
    write(".hidden.txt", "the cat hides\n");
    ::mkfifo((dir + "/sub/fifo.txt").c_str(), 0644);
    ::chmod((dir + "/b.txt").c_str(), 0444);
    // The same texts as one archive, in a folder of its own.
    corvane::testing::ZipArchiveLayout zip;
    for (const auto& [name, text] : texts) zip.entries.push_back({name, text, name == "a.txt"});
    fs::create_directories(dir + "/zipped");
    write("zipped/corpus.zip", corvane::testing::build_zip(zip));
  }
  void TearDown() override { fs::remove_all(dir); }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
  }
  // The output with the folder's path shown as "D" and file dates as "DATE" (they are
  // local times of now); entries keep theirs, which the archive holds.
  std::string plain(const std::string& out) const {
    std::string result, line;
    std::istringstream lines(out);
    while (std::getline(lines, line)) {
      for (std::size_t at; (at = line.find(dir)) != std::string::npos;)
        line.replace(at, dir.size(), "D");
      if (line.find("corpus.zip") == std::string::npos)
        line = std::regex_replace(line, std::regex("20[0-9-]{8} [0-9:]{8}"), "DATE");
      result += line + '\n';
    }
    return result;
  }
  const std::vector<std::pair<std::string, std::string>> texts = {
      {"a.txt", "The cat sat on the mat. A cat!\n"},
      {"b.txt", "caf\xC3\xA9 cat\n"},
      {"sub/c.txt", std::string("\xFF\xFEn\0o\0", 6)},
  };
  std::string dir;
};

TEST_F(FilesTest, OneRecordPerTextInGatheringOrder) {
  Result r = run_corvane({"files", "--no-progress", dir});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(plain(r.out),
            "D/a.txt\t31\tDATE\ta\t0\t_8_bit\n"
            "D/b.txt\t10\tDATE\tra\t0\t_UTF8\n"
            "D/sub/c.txt\t6\tDATE\ta\t0\t_16_bit\n"
            "D/zipped/corpus.zip/a.txt\t31\t2025-01-05 12:00:00\ta\t1\t_8_bit\n"
            "D/zipped/corpus.zip/b.txt\t10\t2025-01-05 12:00:00\ta\t2\t_UTF8\n"
            "D/zipped/corpus.zip/sub/c.txt\t6\t2025-01-05 12:00:00\ta\t3\t_16_bit\n");
  r = run_corvane({"files", "--json", "--no-verdict", "--hidden", "--no-recurse", "--sort", "size",
                   "--mask", "*.txt", dir});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(plain(r.out),
            "[\n"
            "  {\"path\": \"D/b.txt\", \"size\": 10, \"date\": \"DATE\", \"attr\": \"ra\", "
            "\"number_within_zip\": 0, \"verdict\": \"-\"},\n"
            "  {\"path\": \"D/.hidden.txt\", \"size\": 14, \"date\": \"DATE\", \"attr\": \"ah\", "
            "\"number_within_zip\": 0, \"verdict\": \"-\"},\n"
            "  {\"path\": \"D/a.txt\", \"size\": 31, \"date\": \"DATE\", \"attr\": \"a\", "
            "\"number_within_zip\": 0, \"verdict\": \"-\"}\n"
            "]\n");
}

TEST_F(FilesTest, ExitStatusesAndProblems) {
  Result r = run_corvane({"files", "--mask", "*.none", dir});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  r = run_corvane({"files", "--json", "--mask", "*.none", dir});
  EXPECT_EQ(r.out, "[]\n");
  // What is missing is named with the reason; the rest is listed, and the status is 2.
  r = run_corvane({"files", "--no-verdict", dir + "/missing", dir + "/zipped/corpus.zip/b.txt",
                   dir + "/zipped/corpus.zip/none.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(plain(r.out), "D/zipped/corpus.zip/b.txt\t10\t2025-01-05 12:00:00\ta\t2\t-\n");
  EXPECT_EQ(plain(r.err),
            "corvane files: D/missing: no such file or folder\n"
            "corvane files: D/zipped/corpus.zip/none.txt: no such entry in "
            "D/zipped/corpus.zip\n");
  // A FIFO is only listed when asked for, and never opened for its verdict.
  r = run_corvane({"files", "--system", dir + "/sub"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(plain(r.out).find("D/sub/fifo.txt\t0\tDATE\ts\t0\tunknown\n"), std::string::npos)
      << r.out;
  r = run_corvane({"files", "--sort", "colour", dir});
  EXPECT_EQ(r.status, 2);
}

// cat and detect read an entry named through its archive as a file of its bytes.
TEST_F(FilesTest, CatAndDetectReadEntriesOfArchives) {
  const std::string zip = dir + "/zipped/corpus.zip";
  Result r = run_corvane({"detect", zip + "/b.txt", zip + "/sub/c.txt", zip});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, zip + "/b.txt\t_UTF8\n" + zip + "/sub/c.txt\t_16_bit\n" + zip + "\t_Zip\n");
  r = run_corvane({"cat", zip + "/sub/c.txt", zip + "/none.txt", zip + "/b.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "no\r\ncaf\xC3\xA9 cat\r\n");
  EXPECT_EQ(r.err, "corvane cat: " + zip + "/none.txt: no such entry in " + zip + "\n");
}

// The archive gives the same totals as the unpacked texts, names its texts as files does,
// and a text two masks gather is searched once; hidden texts only when asked.
TEST_F(FilesTest, ConcordSearchesArchivesAndGatheredTexts) {
  const Result files =
      run_concord({"--count", "--mask", "*.txt;a*", "--exclude-dir", "zipped", "cat", dir});
  const Result zipped = run_concord({"--count", "cat", dir + "/zipped"});
  EXPECT_EQ(files.status, 0) << files.err;
  EXPECT_EQ(zipped.status, 0) << zipped.err;
  EXPECT_EQ(plain(files.out),
            "2\tD/a.txt\n1\tD/b.txt\n0\tD/sub/c.txt\n3\ttotal\n"
            "3 hits in 3 files, 11 words searched\n");
  EXPECT_EQ(plain(zipped.out),
            "2\tD/zipped/corpus.zip/a.txt\n1\tD/zipped/corpus.zip/b.txt\n"
            "0\tD/zipped/corpus.zip/sub/c.txt\n3\ttotal\n3 hits in 3 files, 11 words searched\n");
  const Result hidden = run_concord({"--count", "--hidden", "--no-zips", "cat", dir});
  EXPECT_NE(hidden.out.find("4\ttotal"), std::string::npos) << hidden.out;
  const Result entry = run_concord({"cat", dir + "/zipped/corpus.zip/a.txt", "--no-colour"});
  EXPECT_EQ(entry.status, 0) << entry.err;
  EXPECT_NE(entry.out.find("2 hits in 1 file"), std::string::npos) << entry.out;
}

}  // namespace
}  // namespace corvane::cli
