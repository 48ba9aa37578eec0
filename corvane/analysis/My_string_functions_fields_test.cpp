// Tab-separated fields and sorting string lists by a field.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/dates/Wdef_dates.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

// Lines as the tools keep a file list: path, date, word count, score.
const char16_t* const kFileList[] = {
    u"samples/corpus/kjv_ruth.txt\t01/06/1611\t2,690\t12.5",
    u"samples/corpus/garden.txt\t30/11/1998 09:15\t812\t3.25",
    u"samples/corpus/Brief.txt\t2/1/2003\t15,004\t40",
    u"samples/corpus/zima.txt\t30/11/1998 09:14:59\tn/a\t-2",
    u"/home/ann/kjv_genesis.txt\t12/12/2012\t38262\t0.001",
};

class FieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Global_StringToDateTimeFormat;
    Global_StringToDateTimeFormat.DateSeparator = u'/';
    Global_StringToDateTimeFormat.ShortDateFormat = u"dd/mm/yyyy";
    Global_StringToDateTimeFormat.TimeSeparator = u':';
  }
  void TearDown() override { Global_StringToDateTimeFormat = saved_; }

  static void fill(TStringList& list) {
    for (const char16_t* line : kFileList) list.Add(line);
  }
  static std::vector<std::string> column(TStringList& list, int n) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) {
      out.push_back(u8(n == 0 ? PreTabFilenameOf(list.Get(i)) : AfterTabPart(list.Get(i), n)));
    }
    return out;
  }

  TFormatSettings saved_;
};

TEST_F(FieldsTest, PartsOfALine) {
  EXPECT_EQ(AfterTabPart(u"a\tb\tc", 2), u"c");
  EXPECT_EQ(AfterTabPart(u"a\tb\tc", 3), u"");
  EXPECT_EQ(AfterTabPart(u"a\tb\tc"), u"b");
  EXPECT_EQ(AfterTabPart(u"a\tb\tc", 0), u"");
  EXPECT_EQ(AfterTabPart(u"a\t\tc", 1), u"");  // an empty field between two tabs
  EXPECT_EQ(PreTabPart(u"abc"), u"");
  EXPECT_EQ(PreTabPart(u"\tabc"), u"");
  EXPECT_EQ(PreTabPart(kFileList[0]), u"samples/corpus/kjv_ruth.txt");
  EXPECT_EQ(PreTabPathAndFilenameOf(kFileList[0]), u"samples/corpus/kjv_ruth.txt");
  EXPECT_EQ(PreTabFilenameOf(kFileList[0]), u"kjv_ruth.txt");
  EXPECT_EQ(PreTabFilenameOf(u"C:\\texts\\ruth.txt\t1"), u"ruth.txt");  // saved on Windows
  EXPECT_EQ(PreTabFilenameOf(u"ruth.txt"), u"");                        // no tab, no pre-tab part
  EXPECT_EQ(AddWithTab(u"", u"x"), u"x");
  EXPECT_EQ(AddWithTab(u"a", u""), u"a\t");
  EXPECT_EQ(AddWithTab(AddWithTab(u"a", u"b"), u"c"), u"a\tb\tc");
}

TEST_F(FieldsTest, NumbersInFields) {
  EXPECT_EQ(DigitsOnlyOf(u"1,234"), u"1234");
  EXPECT_EQ(DigitsOnlyOf(u"-12"), u"-12");  // reads as an integer: kept as it is
  EXPECT_EQ(DigitsOnlyOf(u"n/a"), u"");
  EXPECT_EQ(DigitsOnlyOf(u"12.5%"), u"125");
  EXPECT_EQ(AfterTabIntegerOf(u"x\t1,234"), 1234);
  EXPECT_EQ(AfterTabIntegerOf(u"x\tn/a"), -1);
  EXPECT_EQ(AfterTabIntegerOf(u"x\t"), -1);
  EXPECT_EQ(AfterTabIntegerOf(u"x"), -1);
  EXPECT_EQ(AfterTabIntegerOf(u"x\t-7"), -7);
  EXPECT_EQ(AfterTabIntegerOf(u"x\t$1F"), 31);
  EXPECT_EQ(AfterTabIntegerOf(u"x\t99,999,999,999"), -1);  // beyond 32 bits
  EXPECT_EQ(AfterTabIntegerOf(kFileList[0], 2), 2690);
  EXPECT_EQ(AfterTabFloatOf(kFileList[1], 3), 3.25f);
  EXPECT_EQ(AfterTabFloatOf(kFileList[4], 3), 0.001f);
  EXPECT_EQ(AfterTabFloatOf(kFileList[3], 2), -1.0f);                   // "n/a"
  EXPECT_EQ(AfterTabFloatOf(u"x\t1e40", 1), static_cast<float>(1e40));  // infinite as a single
}

TEST_F(FieldsTest, DatesInFieldsAreDayFirst) {
  ::corvane::testing::ManualClock clock(EncodeDate(2026, 6, 15) + 0.5);
  EXPECT_EQ(AfterTabDateOf(kFileList[0]), EncodeDate(1611, 6, 1));
  EXPECT_EQ(AfterTabDateOf(kFileList[1]), EncodeDateTime(1998, 11, 30, 9, 15, 0, 0));
  EXPECT_EQ(AfterTabDateOf(kFileList[2]), EncodeDate(2003, 1, 2));
  // Not a date: the clock's time.
  EXPECT_EQ(AfterTabDateOf(kFileList[0], 2), clock.now());
  EXPECT_EQ(AfterTabDateOf(u"no tab"), clock.now());
}

TEST_F(FieldsTest, FindsALineByItsFirstField) {
  TStringList list;
  fill(list);
  EXPECT_EQ(IndexOfPreTabFnameOnly(list, u"samples/corpus/garden.txt"), 1);
  EXPECT_EQ(IndexOfPreTabFnameOnly(list, u"samples/corpus/brief.txt"), -1);  // case matters
  EXPECT_EQ(IndexOfPreTabFnameOnly(list, u"garden.txt"), -1);
  list.Add(u"no tab here");
  EXPECT_EQ(IndexOfPreTabFnameOnly(list, u""), 5);
}

TEST_F(FieldsTest, SortsByEachKindOfField) {
  TStringList list;
  fill(list);
  SetSortDescendingAndSort(false, list, StringListCompareStringsFilenamePreTab);
  EXPECT_EQ(column(list, 0), (std::vector<std::string>{"Brief.txt", "garden.txt", "kjv_genesis.txt",
                                                       "kjv_ruth.txt", "zima.txt"}));
  SetSortDescendingAndSort(true, list, StringListCompareStringsFilenamePreTab);
  EXPECT_EQ(column(list, 0).front(), "zima.txt");
  EXPECT_TRUE(sort_descending_flag());

  SetSortDescendingAndSort(false, list, StringListCompareStringsDateAfterTab);
  EXPECT_EQ(column(list, 1),
            (std::vector<std::string>{"01/06/1611", "30/11/1998 09:14:59", "30/11/1998 09:15",
                                      "2/1/2003", "12/12/2012"}));
  SetSortDescendingAndSort(true, list, StringListCompareStringsDateAfterTab);
  EXPECT_EQ(column(list, 1).front(), "12/12/2012");

  // Numbers: the largest first unless the flag is set; "n/a" reads as -1.
  SetSortDescendingAndSort(false, list, StringListCompareStringsIntegerAfterTab2);
  EXPECT_EQ(column(list, 2), (std::vector<std::string>{"38262", "15,004", "2,690", "812", "n/a"}));
  SetSortDescendingAndSort(true, list, StringListCompareStringsIntegerAfterTab2);
  EXPECT_EQ(column(list, 2).front(), "n/a");
  SetSortDescendingAndSort(false, list, StringListCompareStringsFloatAfterTab3);
  EXPECT_EQ(column(list, 3), (std::vector<std::string>{"40", "12.5", "3.25", "0.001", "-2"}));
  SetSortDescendingAndSort(true, list, StringListCompareStringsFloatAfterTab3);
  EXPECT_EQ(column(list, 3).front(), "-2");
}

TEST_F(FieldsTest, FirstFieldFormsAndFieldNumbers) {
  TStringList list;
  for (auto line : {u"a\t3\t1.5\t2", u"b\t1\t9\t1", u"c\t2\t4\t3"}) list.Add(line);
  SetSortDescendingAndSort(false, list, StringListCompareStringsIntegerAfterTab);
  EXPECT_EQ(list.Get(0), u"a\t3\t1.5\t2");
  SetSortDescendingAndSort(false, list, StringListCompareStringsFloatAfterTab);
  EXPECT_EQ(list.Get(0), u"a\t3\t1.5\t2");
  SetSortDescendingAndSort(false, list, StringListCompareStringsFloatAfterTab2);
  EXPECT_EQ(list.Get(0), u"b\t1\t9\t1");
  SetSortDescendingAndSort(false, list, StringListCompareStringsIntegerAfterTab3);
  EXPECT_EQ(list.Get(0), u"c\t2\t4\t3");
  EXPECT_EQ(StringListCompareStringsIntegerAfterTab(&list, 0, 1, 3),
            -StringListCompareStringsIntegerAfterTab(&list, 1, 0, 3));
  EXPECT_EQ(StringListCompareStringsIntegerAfterTab(&list, 0, 0, 3), 0);
}

TEST_F(FieldsTest, UndatedLinesStillSortSafely) {
  // Undated lines read the clock, which moves between comparisons: the sort must still
  // end with every line present once.
  ::corvane::testing::ManualClock clock(EncodeDate(2026, 6, 15), 0.001);
  TStringList list;
  for (int i = 0; i < 2000; ++i) list.Add(i % 3 == 0 ? u"x\t01/01/2000" : u"y\tundated");
  SetSortDescendingAndSort(false, list, StringListCompareStringsDateAfterTab);
  EXPECT_EQ(list.Count(), 2000);
  EXPECT_EQ(list.Get(0), u"x\t01/01/2000");
  int dated = 0;
  for (int i = 0; i < list.Count(); ++i) dated += list.Get(i)[0] == u'x';
  EXPECT_EQ(dated, 667);
}

}  // namespace
}  // namespace corvane
