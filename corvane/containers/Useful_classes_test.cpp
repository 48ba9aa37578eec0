#include "corvane/containers/Useful_classes.hpp"
#include "testing/Test_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

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

// Saves list, checks the bytes when given, reads them into a fresh list and returns it.
template <class L>
void round_trip(L& list, L& back, const std::vector<std::uint8_t>* expected = nullptr) {
  TMemoryStream s;
  ASSERT_TRUE(list.SaveToStream(s));
  if (expected) {
    EXPECT_EQ(s.bytes(), *expected);
  }
  s.SetPosition(0);
  ASSERT_TRUE(back.ReadFromStream(s));
  EXPECT_EQ(s.Position(), s.Size());
  EXPECT_EQ(back.Count(), list.Count());
}

TEST(TCVLongintList, SortedInsertion) {
  TCVLongintList list;
  list.AddOne(7);
  list.AddOne(3);
  EXPECT_EQ(values(list), (std::vector<std::int32_t>{7, 3}));  // unsorted: appended
  list.SortAscendingDefault();
  list.AddOne(5);
  EXPECT_EQ(values(list), (std::vector<std::int32_t>{3, 5, 7}));
  void* old_three = list.Items(0);
  list.AddOne(3);
  EXPECT_EQ(values(list), (std::vector<std::int32_t>{3, 3, 5, 7}));
  EXPECT_NE(list.Items(0), old_three);  // the new one went in front of the one found
  EXPECT_EQ(list.Items(1), old_three);
  EXPECT_EQ(list.IndexOf(4), -1);
  list.AddOneIfNotInAlready(5);
  EXPECT_EQ(list.Count(), 4);
  TCVLongintList empty;
  empty.sorted = true;
  EXPECT_EQ(empty.Find(1), -1);
  EXPECT_EQ(empty.nearest, -1);
  empty.AddOne(1);
  EXPECT_EQ(values(empty), (std::vector<std::int32_t>{1}));
}

TEST(TCVLongintList, RandomSortedBuildMatchesSortedVector) {
  std::mt19937 rng(42);
  TCVLongintList list;
  list.sorted = true;
  std::vector<std::int32_t> expected;
  for (int i = 0; i < 3000; ++i) {
    std::int32_t v = static_cast<std::int32_t>(rng() % 500) - 250;
    list.AddOne(v);
    expected.push_back(v);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(values(list), expected);
}

TEST(TCVLongintList, UnsortedIndexOfAndInsert) {
  TCVLongintList list;
  for (int v : {4, 2, 4}) list.AddOne(v);
  EXPECT_EQ(list.IndexOf(4), 0);
  list.InsertOne(1, 8);
  EXPECT_EQ(values(list), (std::vector<std::int32_t>{4, 8, 2, 4}));
  EXPECT_THROW(list.InsertOne(9, 1), EListError);
}

TEST(TCVActiveLongintList, CurrentItem) {
  TCVActiveLongintList list;
  list.sorted = true;
  EXPECT_EQ(list.CurrentItemValue(), -1);
  for (int v : {10, 20, 30}) list.AddOneAndSetCountCurrent(v);
  EXPECT_EQ(list.GetCurrentItem(), 2);
  EXPECT_EQ(list.CurrentItemValue(), 30);
  list.FindAndFree(30);  // current freed: moves back one
  EXPECT_EQ(list.GetCurrentItem(), 1);
  list.SetCurrentItem(0);
  list.FindAndFree(10);  // current 0 freed: wraps to count - 1
  EXPECT_EQ(list.GetCurrentItem(), 2);
  list.Clear();
  EXPECT_EQ(list.GetCurrentItem(), -1);
}

TEST(TypedLists, FixedSizeFormats) {
  {
    TIntegerAndSingleList list, back;
    list.AddOne({-2, 1.0f});
    std::vector<std::uint8_t> bytes = B({1, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0x80, 0x3F});
    round_trip(list, back, &bytes);
    EXPECT_EQ(back.GetOne(0).s, 1.0f);
  }
  {
    TCardinalAndFreqList list, back;
    list.AddOneOrIncFreq({0x80000000u, 3});
    std::vector<std::uint8_t> bytes = B({1, 0, 0, 0, 0, 0, 0, 0, 0x80, 3, 0, 0, 0});
    round_trip(list, back, &bytes);
    EXPECT_EQ(back.GetACardAndFreq(0).c, 0x80000000u);
  }
  {
    T2LongintAndSingleList list, back;
    list.AddOne({{1, 2}, -1.0f});
    std::vector<std::uint8_t> bytes = B({1, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0x80, 0xBF});
    round_trip(list, back, &bytes);
  }
  {
    T3LongintAndSingleList list, back;
    list.AddOne({{1, 2, 3}, 0.5f});
    std::vector<std::uint8_t> bytes =
        B({1, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0x3F});
    round_trip(list, back, &bytes);
    EXPECT_EQ(back.GetOne(0).t3.long2, 3);
  }
  {
    TIntegerAnd3CardinalsList list, back;  // no sorted byte
    TIntegerAnd3CardinalsRec rec;
    rec.freq = 9;
    rec.value = {1, 2, 0xFFFFFFFFu};
    list.AddOne(rec);
    std::vector<std::uint8_t> bytes =
        B({1, 0, 0, 0, 9, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    round_trip(list, back, &bytes);
    EXPECT_EQ(back.GetAValue(0).value.card3, 0xFFFFFFFFu);
  }
  {
    TCVInt64List list, back;
    list.AddOne(-2);
    std::vector<std::uint8_t> bytes =
        B({1, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    round_trip(list, back, &bytes);
    EXPECT_EQ(back.GetAValue(0), -2);
  }
}

TEST(TypedLists, StringFormats) {
  {
    T2StringsAnd2IntegersList list, back;
    list.AddOne({1, 2, u"a", u""});
    std::vector<std::uint8_t> bytes =
        B({1, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 0, 0, 0, 0});
    round_trip(list, back, &bytes);
    EXPECT_EQ(back.GetTwoStringsAndInt(0).s1, u"a");
  }
  {
    TStringColumnAndColourList list, back;
    list.AddOne({5, 0x1FFFFFFF, u"xy"});
    std::vector<std::uint8_t> bytes =
        B({1, 0, 0, 0, 5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x1F, 2, 0, 0, 0, 'x', 0, 'y', 0});
    round_trip(list, back, &bytes);
    EXPECT_EQ(back.GetString(0), u"xy");
    EXPECT_EQ(back.IndexOfTrueColumn(5), 0);
    EXPECT_EQ(back.GetBackgroundColour(3), 0);
  }
  {
    // A string too long for the reader raises the fixed error.
    TStringColumnAndColourList list;
    TBytesStream s(B({1, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0x89, 0x13, 0, 0}));
    EXPECT_THROW(list.ReadFromStream(s), EReadError);
  }
}

TEST(TypedLists, ListsWithoutElementFormats) {
  T2LongintList list, back;
  list.AddOne({1, 2});
  list.AddOne({3, 4});
  std::vector<std::uint8_t> bytes = B({2, 0, 0, 0, 0});
  round_trip(list, back, &bytes);
  EXPECT_EQ(back.GetADouble(1).long0, 0);  // empty elements come back
  EXPECT_EQ(back.GetADouble(2).long0, -1);
}

TEST(TCardinalAndFreqList, AddOrIncrement) {
  TCardinalAndFreqList list;
  list.AddOneOrIncFreq({5, 1});
  list.AddOneOrIncFreq({2, 1});
  list.AddOneOrIncFreq({5, 1});
  EXPECT_EQ(list.GetACardAndFreq(0).f, 2);
  list.SortOnCardinals();
  list.AddOneOrIncFreq({3, 7});
  list.AddOneOrIncFreq({2, 1});
  EXPECT_EQ(list.GetACardAndFreq(0).f, 2);
  EXPECT_EQ(list.GetACardAndFreq(1).c, 3u);
  list.SortOnFrequencies(true);
  EXPECT_EQ(list.GetACardAndFreq(0).f, 7);
  EXPECT_EQ(list.GetACardAndFreq(9).c, 0u);
}

template <class Rec>
std::vector<std::vector<std::int32_t>> keys_of(const std::vector<Rec>& recs,
                                               const std::vector<int>& order) {
  std::vector<std::vector<std::int32_t>> out;
  for (const auto& r : recs) {
    const std::int32_t* f = &r.long0;
    std::vector<std::int32_t> k;
    for (int o : order) k.push_back(f[o]);
    out.push_back(k);
  }
  return out;
}

TEST(T4LongintList, KeyedSortsMatchStableSort) {
  std::mt19937 rng(7);
  T4LongintList list;
  std::vector<T4_longint_rec> recs;
  for (int i = 0; i < 2000; ++i) {
    T4_longint_rec r{static_cast<int>(rng() % 5), static_cast<int>(rng() % 7),
                     static_cast<int>(rng() % 3), static_cast<int>(rng() % 1000)};
    list.AddOne(r);
    recs.push_back(r);
  }
  auto field = [](const T4_longint_rec& r, int k) { return (&r.long0)[k]; };
  auto check = [&](std::vector<int> order) {
    std::vector<T4_longint_rec> expected = recs;
    std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
      for (int k : order) {
        if (field(a, k) != field(b, k)) return field(a, k) < field(b, k);
      }
      return false;
    });
    std::vector<T4_longint_rec> got;
    for (int i = 0; i < list.Count(); ++i) got.push_back(list.GetAQuad(i));
    EXPECT_EQ(keys_of(got, order), keys_of(expected, order));
  };
  list.SortDefault(t4_long1);
  check({1});
  list.DoubleSort(t4_long0, t4_long2);
  check({0, 2});
  list.DoubleSort(t4_long3, t4_long3);  // equal keys: the first alone
  check({3});
  list.TripleSort(t4_long2, t4_long0, t4_long1);
  check({2, 0, 1});
  list.TripleSort(t4_long1, t4_long0, t4_long1);  // third repeats: a double sort
  check({1, 0});
  EXPECT_TRUE(list.sorted);
}

TEST(T3LongintList, TripleSortWithEqualFirstKeysSortsNothing) {
  T3LongintList list;
  for (int v : {3, 1, 2}) list.AddOne({v, 0, 0});
  list.TripleSort(t3_long0, t3_long0, t3_long1);
  EXPECT_EQ(list.GetATriple(0).long0, 3);
  EXPECT_FALSE(list.sorted);
}

TEST(T2LongintList, FieldOperations) {
  T2LongintList list;
  list.AddOne({1, 2});
  list.AddOne({0x7FFFFFFF, 5});
  list.IncOne(0, t2_long1);
  list.AddToOneFreq(0, 10, t2_long0);
  EXPECT_EQ(list.GetADouble(0).long0, 11);
  EXPECT_EQ(list.GetADouble(0).long1, 3);
  EXPECT_EQ(list.LongIndexOf(5, t2_long1), 1);
  EXPECT_EQ(list.TotalOf(t2_long0), static_cast<std::int32_t>(0x7FFFFFFFu + 11u));  // wraps
  EXPECT_THROW(list.IncOne(2, t2_long0), EListError);
}

TEST(TWordFreqAndSourceNumList, CursorAndFrequencies) {
  TWordFreqAndSourceNumList list;
  EXPECT_EQ(list.HighestFrequency(), 0);
  list.AddOne({u"a", 3, 1});
  list.AddOne({u"b", 9, 2});
  EXPECT_EQ(list.HighestFrequency(), 9);
  list.SortOnFreqs();
  EXPECT_EQ(list.GetNext().w, u"b");
  EXPECT_EQ(list.GetNext().w, u"a");
  EXPECT_EQ(list.GetNext().f, 0);  // past the end: zeros
  EXPECT_EQ(list.GetOne(-1).source_num, 0);
}

TEST(TSmallintList, TwoBytesEachWithoutCount) {
  TSmallintList list, back;
  list.AddOne(-2);
  list.AddOne(0x1234);
  TMemoryStream s;
  EXPECT_TRUE(list.SaveToStream(s));
  EXPECT_EQ(s.bytes(), B({0xFE, 0xFF, 0x34, 0x12}));
  s.SetPosition(0);
  EXPECT_TRUE(back.ReadFromStream(0x7FFFFFFF, s));  // stops where the stream ends
  EXPECT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetAValue(0), -2);
}

// ---- String lists with payloads

TEST(TMySaveStringList, Formats) {
  TMySaveStringList plain(false);
  plain.Add(u"a");
  plain.Add(u"bc");
  TMemoryStream s;
  plain.SaveToStream(s);
  EXPECT_EQ(s.bytes(), B({2, 0, 0, 0, 1, 0, 0, 0, 0x61, 0, 2, 0, 0, 0, 0x62, 0, 0x63, 0}));

  TMySaveStringList with(true);
  with.AddObject(u"a", object_from_int(-1));
  TMemoryStream t;
  with.SaveToStream(t);
  EXPECT_EQ(t.bytes(), B({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0x61, 0}));

  t.SetPosition(0);
  TMySaveStringList back(true);
  back.Add(u"kept");
  back.LoadFromStream(t);  // appends
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Get(1), u"a");
  EXPECT_EQ(int_from_object(back.GetObject(1)), -1);
}

TEST(TMySaveStringList, DamagedStreams) {
  TMySaveStringList list(false);
  TBytesStream cut(B({5, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 9, 0, 0, 0, 'b', 0}));
  EXPECT_THROW(list.LoadFromStream(cut), EReadError);
  EXPECT_EQ(list.Count(), 1);  // what was read before the damage stays
  TBytesStream huge(B({0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_THROW(list.LoadFromStream(huge), EReadError);  // the first string is missing
  EXPECT_EQ(list.Count(), 1);
}

TEST(TIndexCheckStringlist, ChecksAndReverse) {
  TIndexCheckStringlist list;
  list.Add(u"only");
  list.ReverseTheSort();
  EXPECT_EQ(list.Get(0), u"only");
  list.AddObject(u"two", object_from_int(2));
  list.Add(u"three");
  list.ReverseTheSort();
  EXPECT_EQ(int_from_object(list.GetObject(1)), 2);
  EXPECT_FALSE(list.IndexAssignedOK(3));
  EXPECT_TRUE(list.IndexAssignedOK(2));
}

TEST(TStringListWithALongint, TextAndFrequencies) {
  TStringListWithALongint list;
  list.SetText(u"the\t55\r\nno number\nx\t\n\tlead 3\nsign\t-7\nbig\t99999999999\r");
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list.GetOne(0), 55);
  EXPECT_EQ(list.GetOne(1), -1);
  EXPECT_EQ(list.Get(2), u"x\t");
  EXPECT_EQ(list.Get(3), u"\tlead 3");  // a tab at the first position does not count
  EXPECT_EQ(list.GetOne(4), -7);
  EXPECT_EQ(list.GetOne(5), -1);  // out of range
  EXPECT_EQ(list.HighestFrequency(), 55);
  list.SortOnFreq();
  EXPECT_EQ(list.GetOne(5), -7);
  EXPECT_EQ(list.GetOne(6), 0);
}

TEST(TStringListWithIntAndSingle, SortFlags) {
  TStringListWithIntAndSingle list;
  list.AddOne(u"b", {1, 2.0f});
  list.AddOne(u"a", {1, 1.0f});
  list.AddOne(u"c", {0, 3.0f});
  auto order = [&] {
    std::string s;
    for (int i = 0; i < list.Count(); ++i) s += u8(list.Get(i));
    return s;
  };
  list.SortOnInt(true);
  EXPECT_EQ(order(), "cab");
  list.SortOnInt(false);
  EXPECT_EQ(order(), "bac");
  list.SortOnSingle(true);
  EXPECT_EQ(order(), "cba");
  list.SortOnStrings(false);
  EXPECT_EQ(order(), "abc");
}

TEST(TStringListWith2LongintList, RepeatedsAndSort) {
  TStringListWith2LongintList list;
  list.AddOne(u"x", {1, 5});
  list.AddOne(u"y", {3, 2});
  list.AddOne(u"z", {3, 1});
  list.AddOrIncOne(u"x", {1, 0});
  EXPECT_EQ(list.GetOne(0).long0, 2);
  EXPECT_EQ(list.Repeateds(t2_long0), 3);
  EXPECT_EQ(list.Repeateds(t2_long1), 2);
  list.SortOnFreq();
  EXPECT_EQ(list.Get(0), u"z");
  EXPECT_EQ(list.Get(2), u"x");
}

TEST(TStringListWithLongintList, AddOrIncOne) {
  TStringListWithLongintList list;
  EXPECT_EQ(list.AddOrIncOne(u"w", 4), 1);
  EXPECT_EQ(list.AddOrIncOne(u"w", 4), 1);
  EXPECT_EQ(list.AddOrIncOne(u"W", 9), 2);  // the string list's IndexOf ignores case
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetOne(0)->GetAValue(1), 9);
  EXPECT_EQ(list.GetOne(3), nullptr);
}

TEST(TStringListWithStringAndMeanAndSD_rec, SortOnMeans) {
  TStringListWithStringAndMeanAndSD_rec list;
  list.AddOne(u"a", {{1.0f, 0.5f}, u"x"});
  list.AddOne(u"b", {{2.0f, 0.1f}, u"y"});
  list.AddOne(u"c", {{2.0f, 0.05f}, u"z"});
  list.SortOnMeans();
  EXPECT_EQ(list.Get(0), u"c");
  EXPECT_EQ(list.Get(2), u"a");
  EXPECT_EQ(list.GetOne(7).score.mean, 0.0f);
}

TEST(StringListCompareDescFreq, FrequencyThenString) {
  TStringListWithFreqPointers list;
  list.AddObject(u"b", object_from_int(2));
  list.AddObject(u"a", object_from_int(2));
  list.AddObject(u"Z", object_from_int(5));
  list.SortOnFreq();
  EXPECT_EQ(list.Get(0), u"Z");
  EXPECT_EQ(list.Get(1), u"a");
  EXPECT_EQ(list.Get(2), u"b");
}

}  // namespace
}  // namespace corvane
