#include "corvane/containers/Sortablelists.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "corvane/frame/Mykpsmall.hpp"

namespace corvane {
namespace {

struct Rec {
  int k[3];
  int id;
};

// Keeps the base and its key; the comparison of the tests reads them.
class RecList : public T3SortYieldingList {
 public:
  void SetBase(void* item, std::int32_t sort_var) override {
    base = static_cast<Rec*>(item);
    base_var = sort_var;
    ++bases;
  }
  Rec* at(int i) const { return static_cast<Rec*>(Get(i)); }

  // Compares the current key only (what the list's contract asks).
  T3SortCompare naive() {
    return [this](void* item) {
      const Rec* r = static_cast<Rec*>(item);
      return r->k[base_var] - base->k[base_var];
    };
  }
  // Compares the keys of the levels before the current one first, so that a run found
  // on the second key never crosses a change of the first. `order` is the keys by level.
  T3SortCompare by_levels(std::vector<int> order) {
    return [this, order](void* item) {
      const Rec* r = static_cast<Rec*>(item);
      int level = current_sort_rec.current_sort_doing;
      for (int l = 0; l < level; ++l) {
        int c = r->k[order[l]] - base->k[order[l]];
        if (c != 0) return c;
      }
      return r->k[base_var] - base->k[base_var];
    };
  }

  Rec* base = nullptr;
  int base_var = 0;
  int bases = 0;
};

std::vector<Rec> random_recs(int n, unsigned seed, int range) {
  std::mt19937 rng(seed);
  std::vector<Rec> recs(n);
  for (int i = 0; i < n; ++i) {
    recs[i] = {{static_cast<int>(rng() % range), static_cast<int>(rng() % range),
                static_cast<int>(rng() % range)},
               i};
  }
  return recs;
}

void fill(RecList& list, std::vector<Rec>& recs) {
  for (auto& r : recs) list.Add(&r);
}

std::vector<int> ids(const RecList& list) {
  std::vector<int> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.at(i)->id);
  return out;
}

std::vector<std::vector<int>> keys(const std::vector<Rec*>& recs, const std::vector<int>& order) {
  std::vector<std::vector<int>> out;
  for (const Rec* r : recs) {
    std::vector<int> k;
    for (int o : order) k.push_back(r->k[o]);
    out.push_back(k);
  }
  return out;
}

TEST(T3SortYieldingList, PartitionMatchesThePointerListSort) {
  // Same quick sort: with the switch true, exactly the pointer list's order, item for
  // item, equal keys included; with it false, the order of the negated comparison.
  for (bool ascending : {true, false}) {
    std::vector<Rec> recs = random_recs(3000, 11, 4);
    RecList list;
    fill(list, recs);
    list.SetAscending(ascending, false, false);
    list.DoASingleSort(list.naive(), 0);

    std::vector<Rec> copy = recs;
    TList plain;
    for (auto& r : copy) plain.Add(&r);
    if (ascending) {
      plain.Sort(
          [](void* a, void* b) { return static_cast<Rec*>(a)->k[0] - static_cast<Rec*>(b)->k[0]; });
    } else {
      plain.Sort(
          [](void* a, void* b) { return static_cast<Rec*>(b)->k[0] - static_cast<Rec*>(a)->k[0]; });
    }
    std::vector<int> expected;
    for (int i = 0; i < plain.Count(); ++i) expected.push_back(static_cast<Rec*>(plain.Get(i))->id);
    EXPECT_EQ(ids(list), expected);
  }
}

TEST(T3SortYieldingList, HandTracedOrderOfEqualKeys) {
  std::vector<Rec> recs = {{{2}, 0}, {{1}, 1}, {{2}, 2}, {{1}, 3}, {{2}, 4}};
  RecList list;
  fill(list, recs);
  list.SetAscending(true, true, true);
  list.DoASingleSort(list.naive(), 0);
  EXPECT_EQ(ids(list), (std::vector<int>{3, 1, 4, 0, 2}));
}

TEST(T3SortYieldingList, TrebleAndDoubleSortsMatchStableSort) {
  struct Case {
    std::vector<int> order;  // the keys by level; two levels: a double sort
    bool dir[3];
  };
  const Case cases[] = {{{2, 0, 1}, {true, true, true}},
                        {{2, 0, 1}, {false, false, false}},
                        {{2, 0, 1}, {true, false, true}},
                        {{1, 2}, {true, false, false}}};
  for (const Case& c : cases) {
    std::vector<Rec> recs = random_recs(5000, 5, 6);
    RecList list;
    fill(list, recs);
    list.SetAscending(c.dir[0], c.dir[1], c.dir[2]);
    const std::vector<int>& order = c.order;
    if (order.size() == 3) {
      list.DoATrebleSort(list.by_levels(order), order[0], order[1], order[2]);
      EXPECT_EQ(list.current_sort_rec.current_sort_doing, sort_second_sort);
    } else {
      list.DoADoubleSort(list.by_levels(order), order[0], order[1]);
    }

    std::vector<Rec*> expected;
    for (auto& r : recs) expected.push_back(&r);
    std::stable_sort(expected.begin(), expected.end(), [&](const Rec* a, const Rec* b) {
      for (std::size_t l = 0; l < order.size(); ++l) {
        int k = order[l];
        if (a->k[k] != b->k[k]) return c.dir[l] ? a->k[k] < b->k[k] : a->k[k] > b->k[k];
      }
      return false;
    });
    std::vector<Rec*> got;
    for (int i = 0; i < list.Count(); ++i) got.push_back(list.at(i));
    EXPECT_EQ(keys(got, order), keys(expected, order));
  }
}

TEST(T3SortYieldingList, SecondKeyRunsMayCrossTheFirstKey) {
  // With a comparison that looks only at the current key, the third key's runs are found
  // on the second key alone: b (first key 1) and c (first key 2) share second key 5 and
  // are reordered by their third key across the first key's boundary.
  std::vector<Rec> recs = {{{1, 0, 0}, 0}, {{1, 5, 9}, 1}, {{2, 5, 0}, 2}, {{2, 7, 0}, 3}};
  RecList list;
  fill(list, recs);
  list.SetAscending(true, true, true);
  list.DoATrebleSort(list.naive(), 0, 1, 2);
  EXPECT_EQ(ids(list), (std::vector<int>{0, 2, 1, 3}));
}

TEST(T3SortYieldingList, SmallRangesAndClamping) {
  RecList list;
  list.DoASingleSort(list.naive(), 0);
  EXPECT_FALSE(list.sorted);
  std::vector<Rec> one = {{{1}, 0}};
  fill(list, one);
  list.DoATrebleSort(list.naive(), 0, 1, 2);
  EXPECT_FALSE(list.sorted);
  EXPECT_EQ(list.bases, 0);

  std::vector<Rec> recs = random_recs(50, 3, 100);
  RecList big;
  fill(big, recs);
  big.SetAscending(true, true, true);
  big.DoASingleSort(big.naive(), 0, -5, big.Count() + 10);  // the range is clamped
  EXPECT_TRUE(big.sorted);
  for (int i = 1; i < big.Count(); ++i) EXPECT_LE(big.at(i - 1)->k[0], big.at(i)->k[0]);
  // A partial range leaves the rest alone.
  std::vector<Rec> more = random_recs(20, 4, 100);
  RecList part;
  fill(part, more);
  part.SetAscending(true, true, true);
  part.DoASingleSort(part.naive(), 0, 5, 9);
  for (int i = 6; i < 10; ++i) EXPECT_LE(part.at(i - 1)->k[0], part.at(i)->k[0]);
  for (int i : {0, 1, 2, 3, 4, 10, 19}) EXPECT_EQ(part.at(i)->id, i);
}

TEST(T3SortYieldingList, DoubleSortWithEqualVarsSortsOnTheFirstOnly) {
  std::vector<Rec> a = random_recs(500, 8, 3);
  std::vector<Rec> b = a;
  RecList one, two;
  fill(one, a);
  fill(two, b);
  one.DoASingleSort(one.naive(), 0);
  two.DoADoubleSort(two.naive(), 0, 0);
  EXPECT_EQ(ids(one), ids(two));
}

struct YieldHook {
  explicit YieldHook(TYieldProcessProc p) : saved(AYieldProcessProc) { AYieldProcessProc = p; }
  ~YieldHook() { AYieldProcessProc = saved; }
  TYieldProcessProc saved;
};

TEST(T3SortYieldingList, YieldsPerPassAndDropsReentrantSorts) {
  std::vector<Rec> recs = random_recs(2000, 2, 1000);
  RecList list;
  fill(list, recs);
  int yields = 0;
  int inner_compares = 0;
  YieldHook hook([&] {
    ++yields;
    EXPECT_TRUE(list.BusySorting);
    // A sort asked for from the host's callback is ignored.
    list.DoASingleSort([&](void*) { return ++inner_compares, 0; }, 1);
  });
  list.SetAscending(true, true, true);
  list.DoASingleSort(list.naive(), 0);
  EXPECT_EQ(yields, list.bases);  // one yield per partition pass
  EXPECT_GT(yields, 100);
  EXPECT_EQ(inner_compares, 0);
  EXPECT_FALSE(list.BusySorting);
}

class NonYieldingRecList : public T3SortNonYieldingList {
 public:
  void SetBase(void* item, std::int32_t) override { base = static_cast<Rec*>(item); }
  Rec* base = nullptr;
};

TEST(T3SortNonYieldingList, SwitchesTheYieldOffAndBack) {
  std::vector<Rec> recs = random_recs(500, 1, 50);
  NonYieldingRecList list;
  for (auto& r : recs) list.Add(&r);
  int yields = 0;
  YieldHook hook([&] { ++yields; });
  list.SetAscending(true, true, true);
  list.DoASingleSort([&](void* item) { return static_cast<Rec*>(item)->k[0] - list.base->k[0]; },
                     0);
  EXPECT_EQ(yields, 0);
  ASSERT_TRUE(AYieldProcessProc);
  MyYieldProcess();
  EXPECT_EQ(yields, 1);
  for (int i = 1; i < list.Count(); ++i) {
    EXPECT_LE(static_cast<Rec*>(list.Get(i - 1))->k[0], static_cast<Rec*>(list.Get(i))->k[0]);
  }
}

}  // namespace
}  // namespace corvane
