#include "corvane/rtl/List.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Object.hpp"

namespace corvane {
namespace {

struct Keyed {
  int key;
  char tag;
};

int compare_keys(void* a, void* b) {
  return static_cast<Keyed*>(a)->key - static_cast<Keyed*>(b)->key;
}

std::string tags(const TList& list) {
  std::string out;
  for (int i = 0; i < list.Count(); ++i) out += static_cast<Keyed*>(list.Get(i))->tag;
  return out;
}

TEST(ObjectSlot, IntegerRoundTrip) {
  for (std::int32_t v : {0, 1, -1, 123456, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(int_from_object(object_from_int(v)), v);
  }
}

TEST(TList, IndexErrorsCarryTheIndex) {
  TList list;
  int a = 1;
  list.Add(&a);
  try {
    list.Get(1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Get(-1), EListError);
  EXPECT_THROW(list.Insert(2, &a), EListError);
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.Exchange(0, 3), EListError);
  EXPECT_THROW(list.Move(0, 1), EListError);
  EXPECT_THROW(list.SetCapacity(0), EListError);
  TList empty;
  EXPECT_THROW(empty.First(), EListError);
  EXPECT_THROW(empty.Last(), EListError);
}

TEST(TList, EditingOperations) {
  Keyed v[5] = {{0, 'a'}, {0, 'b'}, {0, 'c'}, {0, 'd'}, {0, 'e'}};
  TList list;
  for (auto& k : v) list.Add(&k);
  list.Move(0, 4);
  EXPECT_EQ(tags(list), "bcdea");
  list.Exchange(0, 1);
  EXPECT_EQ(tags(list), "cbdea");
  EXPECT_EQ(list.Remove(&v[3]), 2);
  EXPECT_EQ(tags(list), "cbea");
  EXPECT_EQ(list.Extract(&v[4]), &v[4]);
  EXPECT_EQ(list.Extract(&v[4]), nullptr);
  list.Insert(0, &v[3]);
  EXPECT_EQ(tags(list), "dcba");
  EXPECT_EQ(list.First(), &v[3]);
  EXPECT_EQ(list.Last(), &v[0]);
  list.Put(1, nullptr);
  list.Add(nullptr);
  EXPECT_EQ(list.Count(), 5);
  list.Pack();
  EXPECT_EQ(tags(list), "dba");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
}

TEST(TList, GrowsLikeTheRuntime) {
  TList list;
  std::vector<std::int32_t> capacities;
  for (int i = 0; i < 100; ++i) {
    list.Add(nullptr);
    if (capacities.empty() || capacities.back() != list.Capacity()) {
      capacities.push_back(list.Capacity());
    }
  }
  EXPECT_EQ(capacities, (std::vector<std::int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST(TList, QuickSortOrderOfEqualKeys) {
  // Traced by hand through the partition: pivot 2c, exchanges (0,4) (2,3), then the
  // left part 0..2 with pivot 1b, then 3..4.
  Keyed v[5] = {{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {2, 'e'}};
  TList list;
  for (auto& k : v) list.Add(&k);
  list.Sort(compare_keys);
  EXPECT_EQ(tags(list), "dbeac");
}

TEST(TList, SortOrdersDistinctKeys) {
  std::vector<Keyed> v;
  for (int i = 0; i < 500; ++i) v.push_back({(i * 7919) % 503, 'x'});
  TList list;
  for (auto& k : v) list.Add(&k);
  list.Sort(compare_keys);
  for (int i = 1; i < list.Count(); ++i) {
    EXPECT_LT(static_cast<Keyed*>(list.Get(i - 1))->key, static_cast<Keyed*>(list.Get(i))->key);
  }
}

// A comparison that answers at random, as one whose key comes from the clock may: the
// sort must stay inside the list, end, and keep every item exactly once.
std::uint32_t random_state = 12345;
int random_compare(void*, void*) {
  random_state = random_state * 1664525u + 1013904223u;
  return static_cast<int>(random_state >> 30) - 1;  // -1, 0, 1 or 2
}
int always_less(void*, void*) {
  return -1;
}
int always_greater(void*, void*) {
  return 1;
}

TEST(TList, SortSurvivesAnyComparison) {
  std::vector<int> values(3000);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<int>(i);
  for (TListSortCompare compare : {random_compare, always_less, always_greater}) {
    for (int n : {2, 3, 17, 3000}) {
      TList list;
      for (int i = 0; i < n; ++i) list.Add(&values[i]);
      list.Sort(compare);  // a constant answer used to recurse n deep
      std::vector<bool> seen(n, false);
      for (int i = 0; i < list.Count(); ++i) {
        const int v = *static_cast<int*>(list.Get(i));
        ASSERT_TRUE(v >= 0 && v < n && !seen[v]);
        seen[v] = true;
      }
      EXPECT_EQ(list.Count(), n);
    }
  }
}

class CountingList : public TList {
 public:
  int added = 0, deleted = 0, extracted = 0;

 protected:
  void Notify(void* item, TListNotification action) override {
    if (action == lnAdded) ++added;
    if (action == lnDeleted) ++deleted;
    if (action == lnExtracted) ++extracted;
  }
};

TEST(TList, NotifiesNonNullItems) {
  int a, b;
  CountingList list;
  list.Add(&a);
  list.Add(&b);
  list.Add(nullptr);
  list.Extract(&b);
  list.Clear();
  EXPECT_EQ(list.added, 2);
  EXPECT_EQ(list.extracted, 1);
  EXPECT_EQ(list.deleted, 1);
}

}  // namespace
}  // namespace corvane
