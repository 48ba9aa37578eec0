// The sort of concordance lines by "R1+,N+" (the first word to the right, then the hit):
// sorted_hit_order, which makes collation keys once per hit and sorts on the library's
// T3SortYieldingList, against std::stable_sort of indices on the same kind of keys (ICU
// sort keys of the same collator, made once per hit before the sort). Both find the right
// words with the same routine, so the difference is the key store and the sort.
//
// The hits are 200,000 words spread evenly over the English corpus,
// $CORVANE_CORPUS/en_all.txt (default /tmp/corvane-corpus), made by
// ../shared/corpus/make-english-corpus.
//
// BM_icu_sort_keys_only makes the baseline's keys without sorting: what is left of the
// two full timings once it is taken away is roughly the sorts themselves.

#include <benchmark/benchmark.h>
#include <unicode/ucol.h>
#include "Bench_corpus.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "corvane/platform/CharTypes.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Concordance_sort.hpp"

namespace {

using namespace corvane;
using namespace corvane;

constexpr std::size_t kHits = 200000;
constexpr std::uint32_t kEnglish = 0x0409;

struct Corpus {
  std::u16string text;
  std::string path = "en_all.txt";
  std::vector<SortableHit> hits;
  std::string error;
};

const Corpus& the_corpus() {
  static const Corpus c = [] {
    Corpus result;
    std::string bytes;
    if (!corvane::bench::read_corpus_file("en_all.txt", bytes, result.error)) return result;
    result.text = utf8_to_utf16(bytes);
    // Every word start, then every k-th of them as a hit on that word.
    std::vector<std::pair<std::int32_t, std::int32_t>> words;
    const std::u16string& t = result.text;
    for (std::size_t i = 0; i < t.size();) {
      if (!(char_type1(t[i]) & (C1_ALPHA | C1_DIGIT))) {
        ++i;
        continue;
      }
      const std::size_t start = i;
      while (i < t.size() && (char_type1(t[i]) & (C1_ALPHA | C1_DIGIT))) ++i;
      words.emplace_back(static_cast<std::int32_t>(start), static_cast<std::int32_t>(i - start));
    }
    if (words.size() < kHits) {
      result.error = "the corpus has fewer than 200,000 words";
      return result;
    }
    const std::size_t step = words.size() / kHits;
    for (std::size_t k = 0; k < kHits; ++k) {
      const auto [at, length] = words[k * step];
      result.hits.push_back({result.text, &result.path, at, length});
    }
    return result;
  }();
  return c;
}

const std::vector<ConcordSortKey>& r1_n() {
  static const std::vector<ConcordSortKey> keys = {{'R', 1, true}, {'N', 0, true}};
  return keys;
}

// The baseline's keys: the ICU sort key of R1 and of the hit, per hit.
struct BaselineKeys {
  std::vector<std::string> r1, n;
};

BaselineKeys make_baseline_keys(const std::vector<SortableHit>& hits) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* collator = ucol_open("en_US", &status);
  ucol_setStrength(collator, UCOL_SECONDARY);
  auto key = [&](std::u16string_view s) {
    std::string k(64, '\0');
    std::int32_t n = ucol_getSortKey(collator, s.data(), static_cast<std::int32_t>(s.size()),
                                     reinterpret_cast<std::uint8_t*>(k.data()),
                                     static_cast<std::int32_t>(k.size()));
    if (n > static_cast<std::int32_t>(k.size())) {
      k.resize(static_cast<std::size_t>(n));
      n = ucol_getSortKey(collator, s.data(), static_cast<std::int32_t>(s.size()),
                          reinterpret_cast<std::uint8_t*>(k.data()), n);
    }
    k.resize(static_cast<std::size_t>(n));
    return k;
  };
  BaselineKeys keys;
  keys.r1.reserve(hits.size());
  keys.n.reserve(hits.size());
  for (const SortableHit& h : hits) {
    keys.r1.push_back(key(sort_key_text(h, r1_n()[0], kDefaultAllowedInWords)));
    keys.n.push_back(key(sort_key_text(h, r1_n()[1], kDefaultAllowedInWords)));
  }
  ucol_close(collator);
  return keys;
}

void BM_sorted_hit_order(benchmark::State& state) {
  const Corpus& c = the_corpus();
  if (!c.error.empty()) {
    state.SkipWithError(c.error.c_str());
    return;
  }
  for (auto _ : state) {
    std::vector<std::size_t> order = sorted_hit_order(c.hits, r1_n(), kEnglish, u"'-");
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.hits.size()));
}
BENCHMARK(BM_sorted_hit_order)->Unit(benchmark::kMillisecond);

void BM_stable_sort_icu_keys(benchmark::State& state) {
  const Corpus& c = the_corpus();
  if (!c.error.empty()) {
    state.SkipWithError(c.error.c_str());
    return;
  }
  for (auto _ : state) {
    const BaselineKeys keys = make_baseline_keys(c.hits);
    std::vector<std::size_t> order(c.hits.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      const int r = keys.r1[a].compare(keys.r1[b]);
      if (r != 0) return r < 0;
      return keys.n[a] < keys.n[b];
    });
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.hits.size()));
}
BENCHMARK(BM_stable_sort_icu_keys)->Unit(benchmark::kMillisecond);

void BM_icu_sort_keys_only(benchmark::State& state) {
  const Corpus& c = the_corpus();
  if (!c.error.empty()) {
    state.SkipWithError(c.error.c_str());
    return;
  }
  for (auto _ : state) {
    const BaselineKeys keys = make_baseline_keys(c.hits);
    benchmark::DoNotOptimize(keys.n.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.hits.size()));
}
BENCHMARK(BM_icu_sort_keys_only)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
