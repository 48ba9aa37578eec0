#include "corvane/files/Logging_utilities.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "corvane/frame/Package_log.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string utf16le(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

std::u16string linara_prefix() {
  return u"(L): ";
}

class Log : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "cv_log_XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
    file = dir / "cv.log";
    Logging_utilities_initialization();
    previous = set_log_prefix_source(&linara_prefix);
    SetLogFilename(u16(file.string()));
    keeping_log = true;
  }
  void TearDown() override {
    keeping_log = false;
    Logging_utilities_finalization();
    set_log_prefix_source(previous);
    fs::remove_all(dir);
  }
  std::string bytes() const {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir, file;
  TLogPrefixSource previous = nullptr;
};

TEST_F(Log, WritesNothingWhileNotKeptOrUnnamed) {
  keeping_log = false;
  AddToLogFile(u"x");
  EXPECT_FALSE(fs::exists(file));
  keeping_log = true;
  SetLogFilename(u"");
  AddToLogFile(u"x");
  EXPECT_FALSE(log_is_kept());
  EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(Log, NewFileStartsWithMarkAndEachLineWithThePrefix) {
  AddToLogFile(u"x");
  AddToLogFile(u"no break", false);
  AddToLogFile(u"y", true);
  EXPECT_EQ(bytes(), "\xFF\xFE" + utf16le(u"(L): x\r\n(L): no break(L): y\r\n"));
  set_log_prefix_source(nullptr);
  AddToLogFile(u"z");
  EXPECT_EQ(bytes(), "\xFF\xFE" + utf16le(u"(L): x\r\n(L): no break(L): y\r\n(??)z\r\n"));
}

TEST_F(Log, ReachesTheFrameSeamAndCanBeCleared) {
  write_package_log_line(u"quit unit");
  EXPECT_EQ(bytes(), "\xFF\xFE" + utf16le(u"(L): quit unit\r\n"));
  testing::ManualClock clock(EncodeDateTime(2024, 3, 1, 9, 30, 0, 0));
  ClearLogFile();
  const std::string text = bytes();
  ASSERT_EQ(text.substr(0, 2 + 2 * 17), "\xFF\xFE" + utf16le(u"(L): **********\r\n"));
  EXPECT_EQ(text.find(utf16le(u"quit unit")), std::string::npos);
  EXPECT_NE(text.find(utf16le(u"(L): LOG STARTED at ")), std::string::npos);
  EXPECT_NE(text.find(utf16le(u"2024")), std::string::npos);
  Logging_utilities_finalization();
  write_package_log_line(u"after");  // the seam is empty again
  EXPECT_EQ(bytes(), text);
  EXPECT_EQ(GetLogFilename(), u"");
}

TEST_F(Log, AFailedWriteSwitchesTheLogOff) {
  SetLogFilename(u16((dir / "no" / "such" / "folder.log").string()));
  AddToLogFile(u"lost");
  EXPECT_FALSE(keeping_log);
  SetLogFilename(u16(dir.string()));  // a folder cannot be written as a file
  keeping_log = true;
  AddToLogFile(u"lost");
  EXPECT_FALSE(keeping_log);
}

TEST_F(Log, LinesOfSeveralProcessesNeverInterleave) {
  constexpr int kWriters = 4;
  constexpr int kLines = 200;
  const std::u16string body(300, u'w');
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const std::u16string line = u16(std::to_string(w)) + body;
      for (int i = 0; i < kLines; ++i) AddToLogFile(line);
      ::_exit(keeping_log ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const std::string text = bytes();
  ASSERT_EQ(text.substr(0, 2), "\xFF\xFE");
  std::size_t lines = 0;
  for (std::size_t at = 2; at < text.size(); ++lines) {
    const std::string expected_tail = utf16le(body + u"\r\n");
    ASSERT_EQ(text.substr(at, 10), utf16le(u"(L): ")) << "line " << lines;
    ASSERT_EQ(text.substr(at + 12, expected_tail.size()), expected_tail) << "line " << lines;
    at += 12 + expected_tail.size();
  }
  EXPECT_EQ(lines, static_cast<std::size_t>(kWriters * kLines));
}

}  // namespace
}  // namespace corvane
