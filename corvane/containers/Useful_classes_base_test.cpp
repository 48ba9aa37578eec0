#include "corvane/containers/Useful_classes_base.hpp"
#include "testing/Test_support.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <string>
#include <vector>

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

using testing::B;

std::vector<std::int32_t> values(TCVLongintList& list) {
  std::vector<std::int32_t> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.GetAValue(i));
  return out;
}

TEST(AString, BytesOnTheStream) {
  TMemoryStream s;
  EXPECT_TRUE(WriteAString(s, u"ab"));
  EXPECT_TRUE(WriteAString(s, u""));
  EXPECT_EQ(s.bytes(), B({2, 0, 0, 0, 0x61, 0, 0x62, 0, 0, 0, 0, 0}));
  s.SetPosition(0);
  std::u16string text = u"old";
  ReadAString(s, text);
  EXPECT_EQ(text, u"ab");
  ReadAString(s, text);
  EXPECT_EQ(text, u"");
}

void expect_read_error(std::vector<std::uint8_t> bytes, std::int32_t max_length = 5000) {
  TBytesStream s(std::move(bytes));
  std::u16string text = u"old";
  try {
    ReadAString(s, max_length, text);
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "file read error : ReadAString");
  }
  EXPECT_EQ(text, u"");
}

TEST(AString, DamagedLengthsRaiseTheFixedError) {
  expect_read_error(B({0x89, 0x13, 0, 0}));                            // 5001 > the default limit
  expect_read_error(B({0xFF, 0xFF, 0xFF, 0xFF}));                      // negative
  expect_read_error(B({3, 0, 0, 0, 'a', 0}), 5000);                    // text cut short
  expect_read_error(B({0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}), 0x7FFFFFFF);  // huge, short stream
  expect_read_error(B({1, 0}));                                        // length cut short
  expect_read_error(B({2, 0, 0, 0, 'a', 0, 'b', 0}), 1);               // above a caller's limit
  // Exactly at the limit is fine.
  TBytesStream s(B({2, 0, 0, 0, 'a', 0, 'b', 0}));
  std::u16string text;
  ReadAString(s, 2, text);
  EXPECT_EQ(text, u"ab");
}

TEST(AString, DefaultLimitFollowsTheGlobal) {
  std::int32_t saved = global_string_safety_limit;
  global_string_safety_limit = 1;
  TBytesStream s(B({2, 0, 0, 0, 'a', 0, 'b', 0}));
  std::u16string text;
  EXPECT_THROW(ReadAString(s, text), EReadError);
  global_string_safety_limit = saved;
}

TEST(ComputedByteDivisions, StepIsASingle) {
  EXPECT_EQ(ComputedByteDivisions(100, 3), (std::vector<std::int64_t>{33, 67, 100}));
  EXPECT_EQ(ComputedByteDivisions(10, 4), (std::vector<std::int64_t>{2, 5, 8, 10}));  // 2.5 → 2
  EXPECT_TRUE(ComputedByteDivisions(100, 0).empty());
  EXPECT_TRUE(ComputedByteDivisions(100, -2).empty());
  // Single precision: the last element is the total only approximately.
  auto big = ComputedByteDivisions(16777217, 1);
  EXPECT_EQ(big[0], 16777216);
}

TEST(Comparisons, Orders) {
  EXPECT_EQ(CompareCardinals(0xFFFFFFFFu, 1), 1);
  EXPECT_EQ(Compare16BitWords(0x8000, 1), 1);
  EXPECT_EQ(Compare2Strings(u"B", u"a"), -1);  // by code unit
  EXPECT_EQ(CrudeStringComparison(u"abc", u"abd"), -1);
  EXPECT_EQ(CrudeStringComparison(u"abz", u"ab"), u'z');
  EXPECT_EQ(CrudeStringComparison(std::u16string(u"ab\0x", 4), u"ab"), 0);
  // Latest first.
  EXPECT_EQ(CompareDates(45000.0, 45001.0), 1);
  TIntegerAnd3CardinalsRec a, b;
  a.freq = -1;  // 0xFFFFFFFF unsigned
  b.freq = 5;
  EXPECT_EQ(CompareIntAnd3CardinalsFreq(a, b), 1);
  a.value.card3 = 1;
  EXPECT_EQ(CompareIntAnd3CardinalsCard3(a, b), 1);
}

TEST(Comparisons, LocaleAndFlags) {
  std::uint32_t saved = my_default_sort;
  my_default_sort = 0;
  EXPECT_EQ(LCIDStringComparison(u"a", u"B", 0x0409), -1);
  my_default_sort = 1;  // ignore case
  EXPECT_EQ(ComparePAnsichar(0x0409, "abc", "ABC"), 0);
  // Swedish sorts ä after z.
  EXPECT_EQ(ComparePWidechar(0x041D, u"\u00e4", u"z"), 1);
  EXPECT_EQ(ComparePWidechar(0x0409, u"\u00e4", u"z"), -1);
  my_default_sort = saved;
}

TEST(TUsefulBaseList, EmptySortableListSavesFiveBytes) {
  TCVLongintList list;
  TMemoryStream s;
  EXPECT_TRUE(list.SaveToStream(s));
  EXPECT_EQ(s.bytes(), B({0, 0, 0, 0, 0}));
}

TEST(TUsefulBaseList, SortedLongintsSaveAndLoad) {
  TCVLongintList list;
  list.AddOne(7);
  list.AddOne(3);
  list.SortAscendingDefault();
  TMemoryStream s;
  EXPECT_TRUE(list.SaveToStream(s));
  EXPECT_EQ(s.bytes(), B({2, 0, 0, 0, 1, 3, 0, 0, 0, 7, 0, 0, 0}));
  s.SetPosition(0);
  TCVLongintList back;
  back.AddOne(99);  // reading appends
  EXPECT_TRUE(back.ReadFromStream(s));
  EXPECT_EQ(values(back), (std::vector<std::int32_t>{99, 3, 7}));
  EXPECT_TRUE(back.sorted);
}

TEST(TUsefulBaseList, DamagedStreams) {
  TCVLongintList list;
  {
    TBytesStream s(B({2, 0, 0}));  // count cut short
    EXPECT_FALSE(list.ReadFromStream(s));
    EXPECT_EQ(list.Count(), 0);
  }
  {
    TBytesStream s(B({2, 0, 0, 0}));  // no sorted byte
    EXPECT_FALSE(list.ReadFromStream(s));
  }
  {
    // Three announced, one and a half there: all three are appended, the result is false.
    TBytesStream s(B({3, 0, 0, 0, 0, 5, 0, 0, 0, 6, 0}));
    EXPECT_FALSE(list.ReadFromStream(s));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetAValue(0), 5);
  }
  list.Clear();
  {
    TBytesStream s(B({0xFF, 0xFF, 0xFF, 0xFF, 1}));  // negative count: nothing, true
    EXPECT_TRUE(list.ReadFromStream(s));
    EXPECT_EQ(list.Count(), 0);
  }
  {
    // A huge count on a short stream is bounded: false, and not two billion elements.
    TBytesStream s(B({0xFF, 0xFF, 0xFF, 0x7F, 0, 1, 0, 0, 0}));
    EXPECT_FALSE(list.ReadFromStream(s));
    EXPECT_LE(list.Count(), detail::max_unbacked_elements + 2);
    EXPECT_EQ(list.GetAValue(0), 1);
  }
}

TEST(TUsefulBaseList, FormatlessElementsComeFromTheCountAlone) {
  // Holders without a stream format take no bytes: a list of 100,000 of them is its count
  // and sorted byte, and reads back whole.
  T2LongintList list;
  {
    TBytesStream s(B({0xA0, 0x86, 0x01, 0x00, 0}));
    EXPECT_TRUE(list.ReadFromStream(s));
    EXPECT_EQ(list.Count(), 100000);
  }
  // A count beyond the bound gets the bound and false.
  const std::int32_t saved = detail::max_formatless_elements;
  detail::max_formatless_elements = 1000;
  list.Clear();
  TBytesStream s(B({0xFF, 0xFF, 0xFF, 0x7F, 0}));
  EXPECT_FALSE(list.ReadFromStream(s));
  EXPECT_EQ(list.Count(), 1000);
  detail::max_formatless_elements = saved;
}

TEST(TUsefulBaseList, EmptySlotsAndPacking) {
  TCVLongintList list;
  for (int v : {1, 2, 3}) list.AddOne(v);
  list.SortAscendingDefault();
  EXPECT_EQ(list.FindAndFree(2), 1);
  EXPECT_EQ(list.Count(), 3);  // the slot stays
  EXPECT_FALSE(list.IndexAssignedOK(1));
  EXPECT_FALSE(list.IndexAssignedOK(3));
  EXPECT_EQ(list.GetAValue(1), -1);
  EXPECT_EQ(list.GetAValue(3), -1);
  EXPECT_THROW(list.GetAValue(-1), EListError);
  // Saving packs first, so the count matches the elements written.
  TMemoryStream s;
  EXPECT_TRUE(list.SaveToStream(s));
  EXPECT_EQ(s.bytes(), B({2, 0, 0, 0, 1, 1, 0, 0, 0, 3, 0, 0, 0}));
}

TEST(TUsefulBaseList, WrongElementClassFailsToSave) {
  TCVLongintList list;
  list.Add(new TCardinalHolder);  // owned by the list all the same
  TMemoryStream s;
  EXPECT_FALSE(list.SaveToStream(s));
}

TEST(TUsefulBaseListSorts, ReverseAndRemoveDuplicates) {
  TCVLongintList list;
  for (int v : {2, 1, 2, 1, 1}) list.AddOne(v);
  list.SortAscendingDefault();
  list.ReverseTheSort();
  EXPECT_TRUE(list.sorted);
  EXPECT_EQ(values(list), (std::vector<std::int32_t>{2, 2, 1, 1, 1}));
  list.ReverseTheSort();
  list.RemoveDuplicates();
  EXPECT_EQ(values(list), (std::vector<std::int32_t>{1, 2}));
  list.Clear();
  EXPECT_FALSE(list.sorted);
  // The base comparison never finds equals: nothing goes.
  T2LongintList pairs;
  pairs.AddOne({1, 1});
  pairs.AddOne({1, 1});
  pairs.RemoveDuplicates();
  EXPECT_EQ(pairs.Count(), 2);
}

TEST(TUsefulBaseList, FileRoundTrip) {
  std::string path = ::testing::TempDir() + "corvane_useful_list.bin";
  TCardinalList list;
  list.AddOne(0xFFFFFFFFu);
  list.AddOne(4);
  EXPECT_TRUE(list.SaveToFile(u16(path)));
  TCardinalList back;
  EXPECT_TRUE(back.LoadFromFile(u16(path)));
  EXPECT_EQ(back.GetAValue(0), 0xFFFFFFFFu);
  EXPECT_EQ(back.GetAValue(1), 4u);
  ::chmod(path.c_str(), 0640);  // a replacement keeps the old file's permission bits
  EXPECT_TRUE(list.SaveToFile(u16(path)));
  struct stat status;
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  std::remove(path.c_str());
  EXPECT_THROW(back.LoadFromFile(u16(path)), EFOpenError);
  EXPECT_THROW(back.SaveToFile(u"/nonexistent-dir-q/x.bin"), EFCreateError);
}

}  // namespace
}  // namespace corvane
