#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <streambuf>

#include "corvane/package/CV7GeneralRuntimePack1.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
const auto run_cli = testing::run_corvane;

TEST(Cli, HelpListsTheCommandsAndVersionNamesTheMajorVersion) {
  Result r = run_cli({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("info"), std::string::npos);
  EXPECT_NE(r.out.find("--version"), std::string::npos);
  r = run_cli({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("corvane 7.", 0), 0u) << r.out;
}

// Every mistake on the command line exits with 2, as a failure of the command does.
TEST(Cli, UnknownCommandsMissingCommandsAndBadOptionsExitWithTwo) {
  Result r = run_cli({"frobnicate"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err,
            "corvane: unknown command \"frobnicate\"\nRun 'corvane --help' for the commands "
            "and options.\n");
  r = run_cli({});
  EXPECT_EQ(r.status, 2);
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"concord", "--bogus", "x", "y"},
                                             {"concord", "--max", "x", "a", "b"},
                                             {"detect"},
                                             {"--tool", "nonesuch", "info"}}) {
    r = run_cli(args);
    EXPECT_EQ(r.status, 2) << args[0] << ' ' << args[1];
  }
  r = run_cli({"concord", "--threads", "0", "a", "b"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("corvane: --threads: must be 1 or more, not 0\n", 0), 0u) << r.err;
  r = run_cli({"concord", "--max", "-1", "a", "b"});
  EXPECT_EQ(r.err.rfind("corvane: --max: must be 0 or more, not -1\n", 0), 0u) << r.err;
  r = run_cli({"concord", "--json", "--count", "a", "b"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
}

// A stream that takes `room` bytes and then fails as a full disk does.
class full_disk : public std::streambuf {
 public:
  explicit full_disk(std::size_t room) : room_(room) {}
  std::string taken;

 protected:
  int_type overflow(int_type c) override {
    if (taken.size() >= room_) {
      errno = ENOSPC;
      return traits_type::eof();
    }
    taken += traits_type::to_char_type(c);
    return c;
  }

 private:
  std::size_t room_;
};

// Output that cannot be written is one error: exit 2, one line, and the search stops.
TEST(Cli, AFailedWriteIsAnErrorAndStopsTheRun) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "software\n";
  const std::string path = testing::write_file("full-disk.txt", text);
  full_disk buffer(100);
  std::ostream out(&buffer);
  std::ostringstream err;
  const int status = run({"corvane", "concord", "--threads", "100000", "software", path}, out, err);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(err.str(), "corvane: the output could not be written: no space left on device\n");
  EXPECT_EQ(buffer.taken.size(), 100u);
}

TEST(Cli, InfoListsTheUnitsInOrderAndTheStartUpGlobalsThenStopsThePackage) {
  const Result r = run_cli({"info"});
  EXPECT_EQ(r.status, 0);
  std::size_t at = 0;
  for (const TPackageUnit& unit : PackageUnits()) {
    const std::size_t found = r.out.find(std::string(unit.name) + "\n", at);
    const std::size_t found_action = r.out.find(std::string(unit.name) + "  (", at);
    const std::size_t next = std::min(found, found_action);
    ASSERT_NE(next, std::string::npos) << unit.name;
    at = next;
  }
  for (const char* global : {"my_temp_path", "panic_mode          panic_no_panic", "Work_Area",
                             "decimal separator", "short date format"})
    EXPECT_NE(r.out.find(global), std::string::npos) << global;
  EXPECT_FALSE(PackageIsLoaded());
}

}  // namespace
}  // namespace corvane::cli
