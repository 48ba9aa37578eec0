#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testing/Zip_builder.hpp"
#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;
using corvane::testing::build_zip;
using corvane::testing::ZipArchiveLayout;
using corvane::testing::ZipEntrySpec;
using testing::Result;
using testing::write_file;
const auto run_command = testing::run_corvane;

ZipEntrySpec entry(const std::string& name, const std::string& data, bool deflate = false) {
  ZipEntrySpec e;
  e.name = name;
  e.data = data;
  e.deflate = deflate;
  return e;
}

std::string read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(CorvaneZip, ListsCommentsAndPrintsEntries) {
  ZipArchiveLayout layout;
  layout.entries = {entry("one.txt", "first\nline", true), entry("dir\\", ""),
                    entry("dir\\two.txt", std::string("\xFF\xFE"
                                                      "h\0i\0",
                                                      6))};
  layout.comment = "a comment";
  const std::string archive = write_file("zipcmd.zip", build_zip(layout));
  Result r = run_command({"zip", "list", archive});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "1\t10\t2025-01-05 12:00:00\t20\tone.txt\n"
            "2\t0\t2025-01-05 12:00:00\t10\tdir\\\n"
            "3\t6\t2025-01-05 12:00:00\t20\tdir\\two.txt\n");
  r = run_command({"zip", "list", "--json", archive});
  EXPECT_NE(r.out.find("{\"number\": 3, \"size\": 6, \"date_time\": \"2025-01-05 12:00:00\", "
                       "\"attributes\": \"20\", \"name\": \"dir\\\\two.txt\"}"),
            std::string::npos);
  r = run_command({"zip", "comment", archive});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a comment\n");
  r = run_command({"zip", "cat", archive, "#3", "one.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "hi\r\nfirst\r\nline\r\n");
  r = run_command({"zip", "cat", archive});  // every file, in order
  EXPECT_EQ(r.out, "first\r\nline\r\nhi\r\n");

  layout.comment.clear();
  const std::string bare = write_file("zipcmd_bare.zip", build_zip(layout));
  EXPECT_EQ(run_command({"zip", "comment", bare}).status, 1);
}

TEST(CorvaneZip, UnreadableArchivesAndEntriesAreErrors) {
  ZipArchiveLayout layout;
  ZipEntrySpec liar = entry("liar.txt", std::string(100000, 'a'), true);
  liar.declared_size = 10;
  layout.entries = {entry("ok.txt", "fine"), liar};
  const std::string archive = write_file("zipcmd_bad.zip", build_zip(layout));
  Result r = run_command({"zip", "cat", archive, "liar.txt", "missing.txt", "#9", "ok.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "fine\r\n");
  EXPECT_NE(r.err.find(archive + ": liar.txt: it inflates past its declared size of 10 bytes"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find(archive + ": missing.txt: no such entry"), std::string::npos);
  EXPECT_NE(r.err.find(archive + ": #9: no such entry"), std::string::npos);
  const std::string junk = write_file("zipcmd_junk.zip", "not an archive at all");
  for (const char* command : {"list", "comment", "cat"}) {
    r = run_command({"zip", command, junk});
    EXPECT_EQ(r.status, 2) << command;
    EXPECT_NE(r.err.find(junk), std::string::npos) << r.err;
  }
}

TEST(CorvaneZip, CatTempWritesOneEntryToTheTemporaryFolder) {
  const fs::path folder = fs::path(::testing::TempDir()) / "zipcmd_temp";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const char* old_tmpdir = std::getenv("TMPDIR");
  const std::string saved = old_tmpdir != nullptr ? old_tmpdir : "";
  ::setenv("TMPDIR", folder.c_str(), 1);
  ZipArchiveLayout layout;
  layout.entries = {entry("one.txt", "first\nline", true), entry("two.txt", "2")};
  const std::string archive = write_file("zipcmd_temp.zip", build_zip(layout));
  const fs::path target = fs::canonical(folder) / "tempzip.txt";
  Result r = run_command({"zip", "cat", "--temp", archive, "#1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, target.string() + "\n");
  EXPECT_EQ(read(target), std::string("\xFF\xFE"
                                      "f\0i\0r\0s\0t\0\r\0\n\0l\0i\0n\0e\0\r\0\n\0",
                                      28));
  r = run_command({"zip", "cat", "--temp", archive, "two.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read(target), std::string("\xFF\xFE"
                                      "2\0\r\0\n\0",
                                      8));
  fs::remove(target);
  for (const char* wanted : {"#3", "#0", "#99999999999", "none.txt"}) {
    r = run_command({"zip", "cat", "--temp", archive, wanted});
    EXPECT_EQ(r.status, 1) << wanted;
    EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(target)) << wanted;
  }
  EXPECT_EQ(run_command({"zip", "cat", "--temp", archive}).status, 2);
  EXPECT_EQ(run_command({"zip", "cat", "--temp", archive, "#1", "#2"}).status, 2);
  if (old_tmpdir != nullptr)
    ::setenv("TMPDIR", saved.c_str(), 1);
  else
    ::unsetenv("TMPDIR");
  fs::remove_all(folder);
}

TEST(CorvaneZip, ExtractRefusesHostileNamesAndKeepsExistingFiles) {
  const fs::path folder = fs::path(::testing::TempDir()) / "zipcmd_extract";
  fs::remove_all(folder);
  ZipArchiveLayout layout;
  layout.entries = {entry("../up.txt", "no"), entry("safe/a.txt", "alpha", true),
                    entry("/root.txt", "no"), entry("b.txt", "bee")};
  const std::string archive = write_file("zipcmd_hostile.zip", build_zip(layout));
  Result r = run_command({"zip", "extract", archive, folder.string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out,
            (folder / "safe" / "a.txt").string() + "\n" + (folder / "b.txt").string() + "\n");
  EXPECT_NE(r.err.find("../up.txt: refused: the name climbs out"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("/root.txt: refused: the name is absolute"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder.parent_path() / "up.txt"));
  EXPECT_EQ(read(folder / "safe" / "a.txt"), "alpha");

  std::ofstream(folder / "b.txt") << "mine";
  r = run_command({"zip", "extract", archive, folder.string(), "b.txt"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(read(folder / "b.txt"), "mine");
  EXPECT_NE(r.err.find("exists, kept"), std::string::npos);
  r = run_command({"zip", "extract", "--yes", archive, folder.string(), "#4"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read(folder / "b.txt"), "bee");
  EXPECT_EQ(run_command({"zip", "extract", archive, folder.string(), "nothing"}).status, 2);
  fs::remove_all(folder);
}

TEST(CorvaneZip, ArchivesMadeByZipListInTheirOrder) {
  if (std::system("command -v zip >/dev/null 2>&1") != 0) GTEST_SKIP() << "no zip program";
  const fs::path dir = fs::path(::testing::TempDir()) / "zipcmd_made";
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  std::ofstream(dir / "zeta.txt") << "z";
  std::ofstream(dir / "sub" / "caf\xC3\xA9.txt") << "c";
  std::ofstream(dir / "alpha.txt") << "a";
  const std::string archive = (dir / "made.zip").string();
  const std::string command = "cd '" + dir.string() +
                              "' && zip -q -r made.zip zeta.txt sub alpha.txt && "
                              "printf 'Corvan Batch file .lst' | zip -q -z made.zip";
  ASSERT_EQ(std::system(command.c_str()), 0);
  Result r = run_command({"zip", "list", archive});
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::string> names;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);)
    names.push_back(line.substr(line.rfind('\t') + 1));
  EXPECT_EQ(names,
            std::vector<std::string>({"zeta.txt", "sub/", "sub/caf\xC3\xA9.txt", "alpha.txt"}));
  r = run_command({"kind", archive});
  EXPECT_EQ(r.out, archive + "\tbatch\ttt_tabulon\t0\tlt_word_list\t-\t-\t4\n");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace corvane::cli
