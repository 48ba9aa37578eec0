// A traditional Spanish letter order (ch after c, ll after l, ñ after n) on the corpus's
// word types: CustomLinesSorted with the comma-separated order against ICU's
// RuleBasedCollator with the same tailoring, sorting by sort keys. Both include making the
// keys.

#include <benchmark/benchmark.h>
#include <unicode/tblcoll.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Bench_corpus.hpp"
#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/StringList.hpp"

namespace {

using namespace corvane;

const char16_t* const kOrder = u"a,b,c,ch,d,e,f,g,h,i,j,k,l,ll,m,n,\u00f1,o,p,q,r,s,t,u,v,w,x,y,z";
const char16_t* const kRules =
    u"&c < ch <<< cH <<< Ch <<< CH &l < ll <<< lL <<< Ll <<< LL "
    u"&n < \u00f1 <<< \u00d1";

// The lower-cased word types (runs of ASCII letters) of en_all.txt.
const std::vector<std::u16string>& word_types() {
  static const std::vector<std::u16string> words = [] {
    std::string bytes, error;
    std::set<std::u16string> types;
    if (!bench::read_corpus_file("en_all.txt", bytes, error)) return std::vector<std::u16string>{};
    std::u16string word;
    for (const char c : bytes + " ") {
      if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        word += static_cast<char16_t>(c | 0x20);
      } else if (!word.empty()) {
        types.insert(word);
        word.clear();
      }
    }
    std::vector<std::u16string> out(types.begin(), types.end());
    // In no useful order: sorted input flatters any sort.
    for (std::size_t i = 0; i < out.size(); ++i) std::swap(out[i], out[(i * 7919) % out.size()]);
    return out;
  }();
  return words;
}

void BM_CustomLinesSorted(benchmark::State& state) {
  const auto& words = word_types();
  if (words.empty()) {
    state.SkipWithError("no corpus (run ../shared/corpus/make-english-corpus)");
    return;
  }
  TStringList lines;
  for (const auto& w : words) lines.Add(w);
  const auto prepared = CustomSortPreparedStringlist(kOrder);
  for (auto _ : state) {
    auto sorted = CustomLinesSorted(lines, *prepared);
    benchmark::DoNotOptimize(sorted->Count());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}
BENCHMARK(BM_CustomLinesSorted)->Unit(benchmark::kMillisecond);

void BM_IcuTailoredSortKeys(benchmark::State& state) {
  const auto& words = word_types();
  if (words.empty()) {
    state.SkipWithError("no corpus (run ../shared/corpus/make-english-corpus)");
    return;
  }
  UErrorCode status = U_ZERO_ERROR;
  icu::RuleBasedCollator collator(icu::UnicodeString(kRules), status);
  if (U_FAILURE(status)) {
    state.SkipWithError("ICU refused the rules");
    return;
  }
  for (auto _ : state) {
    std::vector<std::pair<std::string, std::int32_t>> keyed;
    keyed.reserve(words.size());
    std::string key;
    for (std::size_t i = 0; i < words.size(); ++i) {
      const icu::UnicodeString s(false, words[i].data(),
                                 static_cast<std::int32_t>(words[i].size()));
      key.resize(64);
      std::int32_t n = collator.getSortKey(s, reinterpret_cast<uint8_t*>(key.data()), 64);
      if (n > 64) {
        key.resize(n);
        collator.getSortKey(s, reinterpret_cast<uint8_t*>(key.data()), n);
      }
      key.resize(n);
      keyed.emplace_back(key, static_cast<std::int32_t>(i));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    benchmark::DoNotOptimize(keyed.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}
BENCHMARK(BM_IcuTailoredSortKeys)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
