// Sorting and sorted insertion of the containers against the standard library:
//  - a three-key sort of N records with T3SortYieldingList against std::sort with the
//    same three-key comparison (both reorder pointers to the records);
//  - building a sorted TCVLongintList of N values by AddOne against a std::vector kept
//    sorted by std::lower_bound insertion.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "corvane/containers/Sortablelists.hpp"
#include "corvane/containers/Useful_classes.hpp"

namespace {

using namespace corvane;

struct Rec {
  std::int32_t k[3];
};

std::vector<Rec> make_records(std::size_t n) {
  std::mt19937 rng(1234);
  std::vector<Rec> recs(n);
  for (auto& r : recs) {
    r.k[0] = static_cast<std::int32_t>(rng() % 100);
    r.k[1] = static_cast<std::int32_t>(rng() % 1000);
    r.k[2] = static_cast<std::int32_t>(rng());
  }
  return recs;
}

// The comparison a host writes for the yielding list: the keys of the levels above the
// current one first, then the current key, against the base kept by SetBase.
class RecList : public T3SortYieldingList {
 public:
  void SetBase(void* item, std::int32_t sort_var) override {
    base_ = static_cast<const Rec*>(item);
    var_ = sort_var;
  }
  // All three keys in order, whatever the level: the first pass then sorts completely and
  // the later passes only confirm that no neighbours are equal.
  std::int32_t compare_all(const void* item) const {
    const Rec* r = static_cast<const Rec*>(item);
    for (int k = 0; k < 3; ++k) {
      if (r->k[k] != base_->k[k]) return r->k[k] < base_->k[k] ? -1 : 1;
    }
    return 0;
  }
  std::int32_t compare(const void* item) const {
    const Rec* r = static_cast<const Rec*>(item);
    for (int level = 0; level < current_sort_rec.current_sort_doing; ++level) {
      if (r->k[level] != base_->k[level]) return r->k[level] < base_->k[level] ? -1 : 1;
    }
    if (r->k[var_] != base_->k[var_]) return r->k[var_] < base_->k[var_] ? -1 : 1;
    return 0;
  }

 private:
  const Rec* base_ = nullptr;
  std::int32_t var_ = 0;
};

bool three_key_less(const Rec* a, const Rec* b) {
  for (int k = 0; k < 3; ++k) {
    if (a->k[k] != b->k[k]) return a->k[k] < b->k[k];
  }
  return false;
}

// state.range(1): 0 = the comparison looks at the keys of the current level and those
// above it (the list's level-by-level use); 1 = it compares all three keys every time.
void BM_T3SortYieldingList_treble(benchmark::State& state) {
  std::vector<Rec> recs = make_records(static_cast<std::size_t>(state.range(0)));
  RecList list;
  list.SetAscending(true, true, true);
  T3SortCompare compare;
  if (state.range(1) == 0) {
    compare = [&list](void* item) { return list.compare(item); };
  } else {
    compare = [&list](void* item) { return list.compare_all(item); };
  }
  for (auto _ : state) {
    state.PauseTiming();
    list.Clear();
    list.SetCapacity(static_cast<std::int32_t>(recs.size()));
    for (auto& r : recs) list.Add(&r);
    state.ResumeTiming();
    list.DoATrebleSort(compare, 0, 1, 2);
    benchmark::DoNotOptimize(list.List());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_std_sort_three_keys(benchmark::State& state) {
  std::vector<Rec> recs = make_records(static_cast<std::size_t>(state.range(0)));
  std::vector<Rec*> ptrs;
  for (auto _ : state) {
    state.PauseTiming();
    ptrs.clear();
    for (auto& r : recs) ptrs.push_back(&r);
    state.ResumeTiming();
    std::sort(ptrs.begin(), ptrs.end(), three_key_less);
    benchmark::DoNotOptimize(ptrs.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

std::vector<std::int32_t> make_values(std::size_t n) {
  std::mt19937 rng(99);
  std::vector<std::int32_t> values(n);
  for (auto& v : values) v = static_cast<std::int32_t>(rng());
  return values;
}

void BM_TCVLongintList_sorted_AddOne(benchmark::State& state) {
  std::vector<std::int32_t> values = make_values(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    TCVLongintList list;
    list.sorted = true;
    for (std::int32_t v : values) list.AddOne(v);
    benchmark::DoNotOptimize(list.List());
    state.PauseTiming();
    list.Clear();  // freeing the holders is not part of the build
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_vector_lower_bound_insert(benchmark::State& state) {
  std::vector<std::int32_t> values = make_values(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<std::int32_t> sorted;
    for (std::int32_t v : values)
      sorted.insert(std::lower_bound(sorted.begin(), sorted.end(), v), v);
    benchmark::DoNotOptimize(sorted.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_T3SortYieldingList_treble)
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_std_sort_three_keys)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
// Sorted insertion moves half the list per insert on average in both: quadratic, so the
// default size is 100,000; run with --benchmark_filter and the 1,000,000 size on purpose.
BENCHMARK(BM_TCVLongintList_sorted_AddOne)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_vector_lower_bound_insert)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
