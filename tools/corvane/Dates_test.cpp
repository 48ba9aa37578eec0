// corvane date, corvane timeline and corvane numbers: what they print and their exit status.
#include <unicode/uloc.h>

#include <gtest/gtest.h>

#include "tools/corvane/Cli_test_support.hpp"

namespace corvane::cli {
namespace {

using testing::Result;
using testing::write_file;
const auto run_command = testing::run_corvane;

// English month names and separators, whatever the machine's locale.
class CorvaneDates : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = uloc_getDefault();
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault("en_US", &status);
  }
  void TearDown() override {
    UErrorCode status = U_ZERO_ERROR;
    uloc_setDefault(saved_.c_str(), &status);
  }
  std::string saved_;
};

TEST_F(CorvaneDates, TypedDatesAndTheirLabels) {
  Result r = run_command({"date", "2000/1/1", "1850", "--", "-500"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "2000/1/1\t4095136.5\t2000-01-01\t2000/Jan/01\t1\n"
            "1850\t4040530.5\t1850-07-01\t1850/Jul/01\t1\n"
            "-500\t3182211.5\t-0500-07-01\t-0500/Jul/01\t1\n");
  r = run_command({"date", "--basis", "months", "1995/6/15"});
  EXPECT_EQ(r.out, "1995/6/15\t4093475.5\t1995-06-15\t1995/Jun\tJun\n");
  // Unknown and impossible dates: exit 1.
  r = run_command({"date", "<no date found>", "2010/2/30", "2010"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "<no date found>\t1903316.5\t-4001-01-01\t??\t??\n"
            "2010/2/30\t0.0\tnone\t??\t??\n"
            "2010\t4098969.5\t2010-07-01\t2010/Jul/01\t1\n");
}

TEST_F(CorvaneDates, JulianNumbersJsonAndMistakes) {
  Result r = run_command({"date", "--julian", "--basis", "years", "4095136.5", "0"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "4095136.5\t4095136.5\t2000-01-01\t2000\t00\n0\t0.0\tnone\t??\t??\n");
  r = run_command({"date", "--json", "2000/1/1", "x"});
  EXPECT_EQ(r.out,
            "[\n  {\"text\": \"2000/1/1\", \"julian\": 4095136.5, \"year\": 2000, \"month\": 1, "
            "\"day\": 1, \"full\": \"2000/Jan/01\", \"short\": \"1\"},\n"
            "  {\"text\": \"x\", \"julian\": 1903316.5, \"year\": -4001, \"month\": 1, \"day\": 1, "
            "\"full\": \"??\", \"short\": \"??\"}\n]\n");
  EXPECT_EQ(run_command({"date", "--julian", "abc"}).status, 2);
  EXPECT_EQ(run_command({"date", "--julian", "1e300"}).status, 2);
  EXPECT_EQ(run_command({"date", "--basis", "fortnights", "2000"}).status, 2);
  EXPECT_EQ(run_command({"date", "--nonsense", "2000"}).status, 2);
  EXPECT_EQ(run_command({"date"}).status, 2);
}

TEST_F(CorvaneDates, FixedFormats) {
  Result r = run_command({"date", "--format", "dd/mm/yy", "05/11/98"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "05/11/98\t2098-11-05 00:00\n");
  r = run_command({"date", "--format", "dd/mm/yy", "--output", "d/m/yyy", "05/11/98", "5/11/98"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "05/11/98\t5/11/\n5/11/98\t0/0/\n");
  EXPECT_NE(r.err.find("5/11/98"), std::string::npos);
}

TEST_F(CorvaneDates, TimelineOfDatedLines) {
  const std::string file =
      write_file("corvane_timeline.txt",
                 "2000\t3\t100\n2003/5/5\t2\n<no date found>\t9\n\nundated\n2001/1/1\n");
  Result r = run_command({"timeline", file});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\t2000\t4\t100\n2\t2001\t0\t0\n3\t2002\t0\t0\n4\t2003\t2\t0\n");
  EXPECT_NE(r.err.find("2 lines without a date"), std::string::npos) << r.err;

  r = run_command({"timeline", "--basis", "decades", "--short", file});
  EXPECT_EQ(r.out, "1\t2005\t6\t100\n");
  r = run_command({"timeline", "--basis", "decades", "--json", file});
  EXPECT_NE(r.out.find("\"basis\": \"decades\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"start_date\": 4095136.5"), std::string::npos);
  EXPECT_NE(r.out.find("\"finish_date\": 4098788.5"), std::string::npos);
  EXPECT_NE(r.out.find("{\"period\": 1, \"label\": \"2005\", \"period_start\": \"2000-01-01\", "
                       "\"period_mid\": \"2005-01-01\", \"period_end\": \"2009-01-01\", "
                       "\"hits\": 6, \"words\": 100}"),
            std::string::npos)
      << r.out;

  // UTF-16 text is read like any other.
  const std::string utf16 =
      write_file("corvane_timeline16.txt", std::string("\xFF\xFE"
                                                       "1\0009\0009\0009\0\n\0",
                                                       12));
  r = run_command({"timeline", "--basis", "centuries", utf16});
  EXPECT_EQ(r.out, "1\t1949\t1\t0\n");  // the middle of the century: 31 December 1949
}

TEST_F(CorvaneDates, TimelineMistakes) {
  Result r = run_command({"timeline", write_file("corvane_tl_bad.txt", "2000\t1\n2001\t1.5\n")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
  EXPECT_EQ(run_command({"timeline", write_file("corvane_tl_4.txt", "2000\t1\t2\t3\n")}).status, 2);
  EXPECT_EQ(run_command({"timeline", write_file("corvane_tl_none.txt", "none\n\n")}).status, 1);
  EXPECT_EQ(run_command({"timeline", "/no/such/file"}).status, 2);
  EXPECT_EQ(run_command({"timeline", "--basis", "eons", "/no/such/file"}).status, 2);
}

TEST_F(CorvaneDates, NumberLists) {
  EXPECT_EQ(run_command({"numbers", "compact", "1,2,3 5", "7", "8", "x"}).out, "1-3,5,7,8\n");
  EXPECT_EQ(run_command({"numbers", "expand", "2-4,9"}).out, "2,3,4,9\n");
  EXPECT_EQ(run_command({"numbers", "expand", "--offset", "1", "2-4"}).out, "1,2,3\n");
  EXPECT_EQ(run_command({"numbers", "expand", "--nth", "2", "2-4,9"}).out, "3\n");
  EXPECT_EQ(run_command({"numbers", "expand", "--nth", "9", "2-4,9"}).out, "9\n");
  EXPECT_EQ(run_command({"numbers", "expand", "--nth", "1", ""}).status, 1);
  EXPECT_EQ(run_command({"numbers", "expand", "--nth", "x", "1"}).status, 2);
  EXPECT_EQ(run_command({"numbers", "expand", "--nth", "1", "--offset", "1", "1"}).status, 2);
  const Result r = run_command({"numbers", "expand", "0-99999999"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("16777216"), std::string::npos) << r.err;
}

TEST_F(CorvaneDates, NumbersInDisplayForm) {
  Result r = run_command({"numbers", "show", "1234", "0.0499999", "22", "--", "-3"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "1234\t1.2K\t1234.00\t1234.\t1234th\n"
            "0.0499999\t0\t0.05\t0.05\t\n"
            "22\t22\t22.00\t22.\t22nd\n"
            "-3\t-3\t-3.00\t-3.\t-3th\n");
  r = run_command({"numbers", "show", "--decimals", "1", "--thousands", "--percent", "1234.56"});
  EXPECT_EQ(r.out, "1234.56\t1.2K\t1,234.6%\t1234.56\t\n");
  EXPECT_EQ(run_command({"numbers", "show", "12a"}).status, 2);
  EXPECT_EQ(run_command({"numbers", "show", "--decimals", "-1", "1"}).status, 2);
}

TEST_F(CorvaneDates, NumbersAmongTheWords) {
  const std::string file = write_file(
      "corvane_scan.txt", "The 3 cats (12) ate 1,234.5 fish; \"42\". Page 7...\n-3 x 12a ...\n");
  Result r = run_command({"numbers", "scan", file});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1\t3\n1\t12\n1\t1,234.5\n1\t42\n1\t7\n2\t-3\n");
  r = run_command({"numbers", "scan", "--json", file});
  EXPECT_EQ(r.out.rfind("[\n  {\"line\": 1, \"token\": \"3\"},\n  {", 0), 0u) << r.out;
  EXPECT_EQ(run_command({"numbers", "scan", write_file("corvane_scan0.txt", "no numbers")}).status,
            1);
}

}  // namespace
}  // namespace corvane::cli
