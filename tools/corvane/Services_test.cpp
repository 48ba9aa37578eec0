// corvane log, ini, drives and file, run in process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;
const auto run_command = testing::run_corvane;

std::string read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string utf16le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out.push_back(c);
    out.push_back('\0');
  }
  return out;
}

struct Folder {
  fs::path path;
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "cv_cli_XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~Folder() { fs::remove_all(path); }
  std::string operator/(const std::string& leaf) const { return (path / leaf).string(); }
};

TEST(LogCommand, WritesAsTheRunningToolAndFailsWithStatus2) {
  Folder dir;
  const std::string log = dir / "cv.log";
  auto r = run_command({"--tool", "tt_linara", "log", log, "x", "y"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read(log), "\xFF\xFE" + utf16le("(L): x\r\n(L): y\r\n"));
  r = run_command({"log", "--no-newline", log, "z"});
  EXPECT_EQ(read(log), "\xFF\xFE" + utf16le("(L): x\r\n(L): y\r\n(CV7): z"));
  r = run_command({"log", "--clear", log});
  EXPECT_EQ(read(log).substr(0, 2 + 2 * 19), "\xFF\xFE" + utf16le("(CV7): **********\r\n"));
  r = run_command({"log", dir / "no/such/folder.log", "x"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("switched off"), std::string::npos);
}

TEST(IniCommand, GetSetListAndBackup) {
  Folder dir;
  const std::string ini = dir / "tool.ini";
  EXPECT_EQ(run_command({"ini", "set", "--bool", ini, "Main", "Flag", "true"}).status, 0);
  EXPECT_EQ(run_command({"ini", "set", ini, "Main", "Name", "Ann"}).status, 0);
  EXPECT_EQ(read(ini), "\xFF\xFE" + utf16le("[Main]\r\nFlag=YES\r\nName=Ann\r\n\r\n"));
  EXPECT_EQ(run_command({"ini", "get", ini, "main", "NAME"}).out, "Ann\n");
  EXPECT_EQ(run_command({"ini", "get", "--bool", ini, "Main", "Flag"}).out, "true\n");
  EXPECT_EQ(run_command({"ini", "get", "--bool", ini, "Main", "Name"}).out, "true\n");
  auto r = run_command({"ini", "get", ini, "Main", "Missing"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(run_command({"ini", "get", "--default", "d", ini, "Main", "Missing"}).out, "d\n");
  EXPECT_EQ(run_command({"ini", "get", "--bool", "--default", "true", ini, "M", "K"}).out,
            "true\n");
  EXPECT_EQ(run_command({"ini", "set", "--bool", ini, "Main", "Flag", "maybe"}).status, 2);
  EXPECT_EQ(run_command({"ini", "set", "--backup", ini, "Other", "k", "v"}).status, 0);
  EXPECT_EQ(read(dir / "tool.BAK"), "\xFF\xFE" + utf16le("[Main]\r\nFlag=YES\r\nName=Ann\r\n\r\n"));
  EXPECT_EQ(run_command({"ini", "list", ini}).out,
            "Main\tFlag\tYES\nMain\tName\tAnn\nOther\tk\tv\n");
  EXPECT_EQ(run_command({"ini", "list", "--json", ini}).out.substr(0, 54),
            "[\n  {\"section\": \"Main\", \"key\": \"Flag\", \"value\": \"YES\"}");
}

TEST(DrivesCommand, ListsTheRoot) {
  const auto r = run_command({"drives"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 8), "/\tfixed\t");
  EXPECT_EQ(run_command({"drives", "--json"}).out.substr(0, 20), "[\n  {\"mount_point\": ");
}

TEST(FileCommand, NewNamesDatesCopiesAndDeletion) {
  Folder dir;
  std::ofstream(dir / "a.txt") << "new";
  std::ofstream(dir / "a_001.txt") << "";
  auto r = run_command({"file", "newname", dir / "a.txt", dir / "b.txt", dir / "a.txt"});
  EXPECT_EQ(r.out, dir / "a_001_002.txt" + "\n" + dir / "b.txt" + "\n" + dir / "a_003.txt" + "\n");
  EXPECT_EQ(run_command({"file", "setdate", dir / "a.txt", "05/11/2010"}).status, 0);
  EXPECT_EQ(run_command({"file", "setdate", dir / "a.txt", "31/02/2010"}).status, 2);

  std::ofstream(dir / "b.txt") << "old";
  r = run_command({"file", "copy", dir / "a.txt", dir / "b.txt"});  // no terminal: kept
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(read(dir / "b.txt"), "old");
  r = run_command({"file", "copy", "--yes", dir / "a.txt", dir / "b.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read(dir / "b.txt"), "new");
  EXPECT_EQ(read(dir / "b.bak"), "old");
  EXPECT_EQ(fs::last_write_time(dir / "b.txt"), fs::last_write_time(dir / "a.txt"));

  fs::create_directories(dir.path / "corpus" / "sub" / "empty");
  std::ofstream(dir / "corpus/sub/c.txt") << "c";
  std::ofstream(dir / "corpus/keep.doc") << "k";
  r = run_command({"file", "delete-all", dir / "corpus", "txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "0\n");
  EXPECT_TRUE(fs::exists(dir / "corpus/sub/c.txt"));
  r = run_command({"file", "delete-all", "--yes", "--keep-folders", dir / "corpus", ".txt"});
  EXPECT_EQ(r.out, "1\n");
  EXPECT_TRUE(fs::exists(dir / "corpus/sub"));
  r = run_command({"file", "prune", dir / "corpus"});
  EXPECT_EQ(r.out, dir / "corpus/sub/empty" + "\n" + dir / "corpus/sub" + "\n");
  EXPECT_TRUE(fs::exists(dir / "corpus/keep.doc"));
  r = run_command({"file", "delete-all", "--yes", "/", "txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Won't delete all files on /"), std::string::npos);
}

TEST(InfoCommand, NamesTheUser) {
  const auto r = run_command({"info"});
  EXPECT_NE(r.out.find("  user                "), std::string::npos);
  EXPECT_NE(r.out.find("  user initials       "), std::string::npos);
}

}  // namespace
}  // namespace corvane::cli
