#include "tools/corvane/Cli.hpp"
#include "tools/corvane/Cli_test_support.hpp"

#include <gtest/gtest.h>

#include <sstream>

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

TEST(Cli, UnknownCommandsAndMissingCommandsAreRefused) {
  Result r = run_cli({"frobnicate"});
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("corvane --help"), std::string::npos);
  r = run_cli({});
  EXPECT_NE(r.status, 0);
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
