#include "corvane/rtl/Compare.hpp"

#include <gtest/gtest.h>

#include <unicode/uloc.h>

#include <string>
#include <thread>

namespace corvane {
namespace {

class CompareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = uloc_getDefault();
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault("en_US", &status);
  }
  void TearDown() override {
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault(old_.c_str(), &status);
  }
  std::string old_;
};

TEST_F(CompareTest, CaseRulesAndAccents) {
  EXPECT_EQ(compare_strings(u"apple", u"APPLE", false), 0);
  EXPECT_EQ(compare_strings(u"apple", u"APPLE", true), -1);
  EXPECT_EQ(compare_strings(u"APPLE", u"apple", true), 1);
  // Accents count under both rules.
  EXPECT_NE(compare_strings(u"resume", u"r\u00e9sum\u00e9", false), 0);
  // Linguistic, not code-unit order: "b" before "C" although 'C' < 'b' in code units.
  EXPECT_EQ(compare_strings(u"b", u"C", true), -1);
  EXPECT_EQ(compare_strings(u"", u"", true), 0);
  EXPECT_EQ(compare_strings(u"", u"a", false), -1);
}

TEST_F(CompareTest, FollowsTheDefaultLocale) {
  // Swedish puts "ä" after "z"; English beside "a".
  EXPECT_EQ(compare_strings(u"\u00e4", u"z", false), -1);
  UErrorCode status = U_ZERO_ERROR;
  uloc_setDefault("sv_SE", &status);
  EXPECT_EQ(compare_strings(u"\u00e4", u"z", false), 1);
}

TEST_F(CompareTest, PosixLocaleStillIgnoresCase) {
  UErrorCode status = U_ZERO_ERROR;
  uloc_setDefault("en_US_POSIX", &status);
  EXPECT_EQ(compare_strings(u"w", u"W", false), 0);
}

TEST_F(CompareTest, WorksOnOtherThreads) {
  int result = 5;
  std::thread t([&] { result = compare_strings(u"a", u"B", false); });
  t.join();
  EXPECT_EQ(result, -1);
}

}  // namespace
}  // namespace corvane
