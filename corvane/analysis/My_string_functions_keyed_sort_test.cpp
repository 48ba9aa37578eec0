// Sorting lines by a key read once: each key's order and direction, names past the packed
// prefix, stability across the two sorted halves, and the keys as text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/dates/Wdef_dates.hpp"
#include "corvane/rtl/StringList.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

struct Lines {
  std::vector<std::u16string> texts;
  std::vector<std::u16string_view> views;
  explicit Lines(const std::vector<std::string>& lines) {
    for (const auto& l : lines) texts.push_back(u16(l));
    for (const auto& t : texts) views.push_back(t);
  }
};

std::vector<std::string> sorted(const std::vector<std::string>& lines, const line_sort_key& key,
                                bool descending = false) {
  const Lines in(lines);
  std::vector<std::string> out;
  for (std::uint32_t i : sorted_line_order(in.views, key, descending, true))
    out.push_back(lines[i]);
  return out;
}

TEST(KeyedSort, NamesPastThePackedPrefix) {
  // Keys equal in their first eight code units, told apart by length or by later letters
  // in any case; folders and drive letters are not part of the name; no tab, no name.
  const std::vector<std::string> lines{"c:/x/abcdefghZ.txt\t1",
                                       "abcdefgh\t2",
                                       "ABCDEFGHa.txt\t3",
                                       "abcdefg\t4",
                                       "nothing",
                                       "d\\ab\t5"};
  const line_sort_key name{line_key_kind::name};
  EXPECT_EQ(sorted(lines, name),
            (std::vector<std::string>{"nothing", "d\\ab\t5", "abcdefg\t4", "abcdefgh\t2",
                                      "ABCDEFGHa.txt\t3", "c:/x/abcdefghZ.txt\t1"}));
  EXPECT_EQ(sorted(lines, name, true).front(), "c:/x/abcdefghZ.txt\t1");
  EXPECT_EQ(u8(line_sort_key_text(u"c:/x/abcdefghZ.txt\t1", name)), "ABCDEFGHZ.TXT");
}

class KeyedSortDates : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Global_StringToDateTimeFormat;
    Global_StringToDateTimeFormat.DateSeparator = u'/';
    Global_StringToDateTimeFormat.ShortDateFormat = u"dd/mm/yyyy";
    Global_StringToDateTimeFormat.TimeSeparator = u':';
  }
  void TearDown() override { Global_StringToDateTimeFormat = saved_; }

 private:
  decltype(Global_StringToDateTimeFormat) saved_;
};

TEST_F(KeyedSortDates, NumbersLargestFirstDatesEarliestFirst) {
  const std::vector<std::string> lines{"a\t7\t0.5\t02/01/2000", "b\tx\t2\t01/01/2000",
                                       "c\t12\tx\t31/12/1999"};
  const line_sort_key integer{line_key_kind::integer, 1};
  EXPECT_EQ(sorted(lines, integer)[0], lines[2]);
  EXPECT_EQ(sorted(lines, integer, true)[0], lines[1]);
  EXPECT_EQ(u8(line_sort_key_text(u16(lines[1]), integer)), "-1");
  const line_sort_key floating{line_key_kind::floating, 2};
  EXPECT_EQ(sorted(lines, floating), (std::vector<std::string>{lines[1], lines[0], lines[2]}));
  EXPECT_EQ(u8(line_sort_key_text(u16(lines[0]), floating)), "0.5");
  const line_sort_key date{line_key_kind::date, 3};
  EXPECT_EQ(sorted(lines, date), (std::vector<std::string>{lines[2], lines[1], lines[0]}));
  EXPECT_EQ(u8(line_sort_key_text(u16(lines[2]), date)), "1999-12-31 00:00:00");
}

TEST(KeyedSort, CustomOrderKeepsEqualKeysInInputOrder) {
  const auto prepared = CustomSortPreparedStringlist(u"a,b,c,ch,d,h,o");
  const line_sort_key custom{line_key_kind::custom, 1, prepared.get()};
  const std::vector<std::string> lines{"dos", "cha", "caz", "dos", "bo"};
  const Lines in(lines);
  EXPECT_EQ(sorted_line_order(in.views, custom, false, false),
            (std::vector<std::uint32_t>{4, 2, 1, 0, 3}));
  EXPECT_EQ(sorted_line_order(in.views, custom, true, false),
            (std::vector<std::uint32_t>{3, 0, 1, 2, 4}));
  EXPECT_EQ(u8(line_sort_key_text(u"cha", custom)), "CC@");
}

TEST(KeyedSort, StableAcrossTheTwoHalves) {
  // Large enough to be sorted in two halves and merged.
  std::vector<std::string> lines;
  for (int i = 0; i < 70000; ++i) lines.push_back("w\t" + std::to_string(i * 7 % 3));
  const Lines in(lines);
  for (bool descending : {false, true}) {
    const std::vector<std::uint32_t> order =
        sorted_line_order(in.views, {line_key_kind::integer, 1}, descending, true);
    ASSERT_EQ(order.size(), lines.size());
    for (std::size_t k = 1; k < order.size(); ++k) {
      const int a = lines[order[k - 1]][2] - '0', b = lines[order[k]][2] - '0';
      ASSERT_TRUE(descending ? a <= b : a >= b) << k;
      if (a == b) {
        ASSERT_LT(order[k - 1], order[k]) << k;
      }
    }
  }
}

}  // namespace
}  // namespace corvane
