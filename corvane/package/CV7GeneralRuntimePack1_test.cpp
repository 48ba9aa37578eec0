#include "corvane/package/CV7GeneralRuntimePack1.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "corvane/definitions/My_types_mini.hpp"
#include "corvane/files/Logging_utilities.hpp"
#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/frame/Package_log.hpp"
#include "corvane/messages/Generalruntime1const.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Myunicodenew.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {
namespace {

// Records the observer's calls and the package log's lines for one test.
class PackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(PackageIsLoaded());
    set_unit_observer([this](std::string_view name, TStartingOrFinishing what) {
      (what == t_starting ? started : finished).emplace_back(name);
    });
    package_log_line = [this](const std::u16string& line) { log.push_back(line); };
  }
  void TearDown() override {
    while (PackageIsLoaded()) PackageUnload();
    set_unit_observer(nullptr);
    package_log_line = nullptr;
    set_desktop_work_area(std::nullopt);
  }
  std::vector<std::string> started, finished;
  std::vector<std::u16string> log;
};

TEST_F(PackageTest, HasFiftyFourDistinctUnitsInTheirFixedOrder) {
  const auto units = PackageUnits();
  ASSERT_EQ(units.size(), 54u);
  std::set<std::string_view> names;
  for (const TPackageUnit& u : units) names.insert(u.name);
  EXPECT_EQ(names.size(), 54u);
  EXPECT_EQ(units[0].name, "Basic_unicode_chars");
  EXPECT_EQ(units[5].name, "Generalruntime1const");
  EXPECT_EQ(units[10].name, "Mykpsmall");
  EXPECT_EQ(units[47].name, "Bare_assemb3");
  EXPECT_EQ(units[53].name, "CV7GeneralRuntimePack1");
}

TEST_F(PackageTest, StartsOnceInOrderAndStopsInReverseWhenTheLastUserLeaves) {
  EXPECT_EQ(PackageLoad(), 1);
  EXPECT_EQ(PackageLoad(), 2);
  ASSERT_EQ(started.size(), 54u);
  for (std::size_t i = 0; i < 54; ++i) EXPECT_EQ(started[i], PackageUnits()[i].name);
  EXPECT_EQ(UnitUseCount("Wingenok"), 2);

  EXPECT_EQ(PackageUnload(), 1);
  EXPECT_TRUE(finished.empty());
  EXPECT_TRUE(PackageIsLoaded());
  EXPECT_EQ(PackageUnload(), 0);
  ASSERT_EQ(finished.size(), 54u);
  for (std::size_t i = 0; i < 54; ++i) EXPECT_EQ(finished[i], PackageUnits()[53 - i].name);
  EXPECT_EQ(UnitUseCount("Wingenok"), 0);
  EXPECT_EQ(PackageUnload(), 0);  // one unload too many changes nothing
  EXPECT_EQ(finished.size(), 54u);
}

TEST_F(PackageTest, StartUpSetsTheFrameGlobals) {
  panic_mode = panic_stop;
  set_desktop_work_area(TRect{10, 20, 1290, 1004});
  TPackageScope package;
  EXPECT_EQ(panic_mode, panic_no_panic);
  EXPECT_EQ(Work_Area, (TRect{10, 20, 1290, 1004}));
  ASSERT_FALSE(my_temp_path.empty());
  EXPECT_EQ(my_temp_path.front(), u'/');
  EXPECT_EQ(my_temp_path.back(), u'/');
  EXPECT_FALSE(UserDefaultFormatSettings.LongMonthNames[0].empty());
  EXPECT_EQ(MyGetTextExtentExPointW, &DefaultGetTextExtentExPointW);
  EXPECT_EQ(list_type_as_string[lt_concordance_list], u"Concordance list");
}

TEST_F(PackageTest, ShutDownUnsetsTheYieldProcedureAndWritesItsLastLogLines) {
  PackageLoad();
  package_log_line = [this](const std::u16string& line) { log.push_back(line); };
  AYieldProcessProc = [] {};
  PackageUnload();
  EXPECT_FALSE(AYieldProcessProc);
  EXPECT_EQ(MyGetTextExtentExPointW, nullptr);
  EXPECT_TRUE(my_temp_path.empty());
  // Units stop in reverse order, all of them before the log unit.
  EXPECT_EQ(log, (std::vector<std::u16string>{u"quit myUnicodeNew, ", u"quit wingenok, ",
                                              u"quit myKpSmall"}));
}

TEST_F(PackageTest, TheLogUnitWritesTheShutDownLinesWithTheToolPrefix) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("cv_pack_" + std::to_string(::getpid()) + ".log");
  PackageLoad();
  current_tool_var = tt_linara;
  keeping_log = true;
  SetLogFilename(utf8_to_utf16(file.string()));
  PackageUnload();
  current_tool_var = tt_no_tool_at_all;
  keeping_log = false;
  std::ifstream in(file, std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(in), {});
  std::filesystem::remove(file);
  std::string expected = "\xFF\xFE";
  for (char16_t c : std::u16string(u"(L): quit myUnicodeNew, \r\n(L): quit wingenok, \r\n"
                                   u"(L): quit myKpSmall\r\n")) {
    expected.push_back(static_cast<char>(c & 0xFF));
    expected.push_back(static_cast<char>(c >> 8));
  }
  EXPECT_EQ(bytes, expected);
}

}  // namespace
}  // namespace corvane
