#include <gtest/gtest.h>

#include <vector>

#include "corvane/frame/Mykpsmall.hpp"
#include "corvane/search/Search_engines.hpp"

namespace corvane {
namespace {

// A hit `offset` characters into a UTF-16 text.
TSearchFound_Rec hit_at(const char16_t* text, std::int32_t offset) {
  TSearchFound_Rec rec;
  rec.start_of_text = text;
  rec.start_of_memory = text;
  rec.where_hit_started = text + offset;
  rec.hit_pos_in_characters = offset;
  rec.hit_pos_in_wchar_kinds = offset;
  return rec;
}

std::vector<std::int32_t> offsets(const TSearchFoundList& list) {
  std::vector<std::int32_t> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.holder(i)->fData.hit_pos_in_characters);
  return out;
}

const char16_t kText[] = u"the cat sat on the mat with the other cat";

TEST(SearchFoundList, KeyIsTheByteDistanceFromTheMemoryStart) {
  TSearchFound_Rec rec = hit_at(kText, 4);
  EXPECT_EQ(HitKey(rec), 8);
  const char bytes[] = "abcdef";
  rec.start_of_memory = bytes;
  rec.where_hit_started = bytes + 5;
  EXPECT_EQ(HitKey(rec), 5);
}

TEST(SearchFoundList, CompareAgainstTheBase) {
  TSearchFoundList list;
  list.AddHit(hit_at(kText, 4));
  list.AddHit(hit_at(kText, 8));
  list.AddHit(hit_at(kText, 12));
  list.SetBase(list.Get(1), 0);
  EXPECT_EQ(list.base_int, 16);
  EXPECT_EQ(list.Compare(list.Get(1)), 0);
  EXPECT_EQ(list.Compare(list.Get(2)), -1);  // further on
  EXPECT_EQ(list.Compare(list.Get(0)), 1);   // earlier
}

TEST(SearchFoundList, SortsIntoTextOrderEitherWay) {
  TSearchFoundList list;
  for (int offset : {19, 4, 39, 8, 28, 15, 0, 32}) list.AddHit(hit_at(kText, offset));
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  list.DoASingleSort(list.Comparison(), 0);
  AYieldProcessProc = nullptr;
  EXPECT_GT(yields, 0);
  EXPECT_TRUE(list.sorted);
  EXPECT_EQ(offsets(list), (std::vector<std::int32_t>{0, 4, 8, 15, 19, 28, 32, 39}));
  list.SetAscending(true, false, false);
  list.DoASingleSort(list.Comparison(), 0);
  EXPECT_EQ(offsets(list), (std::vector<std::int32_t>{39, 32, 28, 19, 15, 8, 4, 0}));
}

TEST(SearchFoundList, OwnsItsHolders) {
  TSearchFoundList list;
  TSearchFound_Rec rec = hit_at(kText, 4);
  rec.count_stats.number[stats_word] = 2;
  rec.spare[19] = 9;
  EXPECT_EQ(list.AddHit(rec), 0);
  rec.count_stats.number[stats_word] = 5;  // the list keeps its own copy
  EXPECT_EQ(list.holder(0)->fData.count_stats.number[stats_word], 2);
  EXPECT_EQ(list.holder(0)->fData.spare[19], 9);
  EXPECT_EQ(list.holder(1), nullptr);
  EXPECT_EQ(list.holder(-1), nullptr);
  list.Delete(0);
  list.AddHit(rec);  // freed by the destructor (the sanitizer build checks the leaks)
}

}  // namespace
}  // namespace corvane
