// Word lists of the 29 MB English text (en_all.txt, decoded to UTF-16 once at start):
// SimpleTabulonOfTxt and SimpleNGramListOfTxt (n = 3), each against a std::unordered_map
// count of the same words (the letter-or-digit runs) or of every three consecutive words
// joined by spaces (punctuation not starting windows afresh), keyed by exact spelling: no
// case folding and no sorted list at the end. The map is the floor: what counting costs
// before spellings are merged and sorted as a string list compares them.

#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>

#include "Bench_corpus.hpp"
#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

struct corpus {
  std::u16string text;
  std::string error;
};

const corpus& the_corpus() {
  static const corpus c = [] {
    corpus result;
    std::string bytes;
    if (corvane::bench::read_corpus_file("en_all.txt", bytes, result.error))
      result.text = corvane::u16(bytes);
    return result;
  }();
  return c;
}

bool word_char(char16_t c) {
  // The letters and decimal digits of the text (ASCII, Latin-1 and the rest above it,
  // which this English text hardly holds).
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c >= 0xC0;
}

void BM_SimpleTabulonOfTxt(benchmark::State& state) {
  const corpus& c = the_corpus();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  std::int64_t entries = 0;
  for (auto _ : state) {
    auto list = corvane::SimpleTabulonOfTxt(c.text, 1, false);
    entries = list->Count();
    benchmark::DoNotOptimize(list);
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.text.size() * 2));
}

void BM_UnorderedMapWords(benchmark::State& state) {
  const corpus& c = the_corpus();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  std::int64_t entries = 0;
  for (auto _ : state) {
    std::unordered_map<std::u16string_view, int> counts;
    const std::u16string_view t(c.text);
    std::size_t start = 0;
    bool in = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
      const bool w = word_char(t[i]);
      if (w && !in) start = i;
      if (!w && in) ++counts[t.substr(start, i - start)];
      in = w;
    }
    if (in) ++counts[t.substr(start)];
    entries = static_cast<std::int64_t>(counts.size());
    benchmark::DoNotOptimize(counts);
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.text.size() * 2));
}

void BM_SimpleNGramListOfTxt3(benchmark::State& state) {
  const corpus& c = the_corpus();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  std::int64_t entries = 0;
  for (auto _ : state) {
    auto list = corvane::SimpleNGramListOfTxt(c.text, 3, 100, false);
    entries = list->Count();
    benchmark::DoNotOptimize(list);
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.text.size() * 2));
}

void BM_UnorderedMapTrigrams(benchmark::State& state) {
  const corpus& c = the_corpus();
  if (!c.error.empty()) return state.SkipWithError(c.error.c_str());
  std::int64_t entries = 0;
  for (auto _ : state) {
    std::unordered_map<std::u16string, int> counts;
    const std::u16string_view t(c.text);
    std::u16string_view w[3];
    int have = 0;
    std::u16string key;
    std::size_t start = 0;
    bool in = false;
    const auto word = [&](std::u16string_view v) {
      w[0] = w[1];
      w[1] = w[2];
      w[2] = v;
      if (++have < 3) return;
      key.assign(w[0]).append(u" ").append(w[1]).append(u" ").append(w[2]);
      ++counts[key];
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
      const bool is = word_char(t[i]);
      if (is && !in) start = i;
      if (!is && in) word(t.substr(start, i - start));
      in = is;
    }
    if (in) word(t.substr(start));
    entries = static_cast<std::int64_t>(counts.size());
    benchmark::DoNotOptimize(counts);
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.text.size() * 2));
}

BENCHMARK(BM_SimpleTabulonOfTxt)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UnorderedMapWords)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SimpleNGramListOfTxt3)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_UnorderedMapTrigrams)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
