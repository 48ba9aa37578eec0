// IsANumber on every white-space-separated token of the English corpus, against
// std::from_chars reading each token (UTF-8) as an integer. items_per_second counts tokens.
// The corpus is $CORVANE_CORPUS/en_all.txt (default /tmp/corvane-corpus).

#include <benchmark/benchmark.h>
#include "Bench_corpus.hpp"

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/analysis/My_string_functions.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

struct Tokens {
  std::string utf8;
  std::u16string utf16;
  std::vector<std::string_view> narrow;
  std::vector<std::u16string_view> wide;
};

const Tokens& tokens() {
  static const Tokens t = [] {
    Tokens r;
    std::string error;
    corvane::bench::read_corpus_file("en_all.txt", r.utf8, error);
    r.utf16 = corvane::utf8_to_utf16(r.utf8);
    const auto space8 = [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; };
    for (std::size_t i = 0; i < r.utf8.size();) {
      while (i < r.utf8.size() && space8(r.utf8[i])) ++i;
      const std::size_t start = i;
      while (i < r.utf8.size() && !space8(r.utf8[i])) ++i;
      if (i > start) r.narrow.push_back(std::string_view(r.utf8).substr(start, i - start));
    }
    const auto space16 = [](char16_t c) {
      return c == u' ' || c == u'\n' || c == u'\r' || c == u'\t';
    };
    for (std::size_t i = 0; i < r.utf16.size();) {
      while (i < r.utf16.size() && space16(r.utf16[i])) ++i;
      const std::size_t start = i;
      while (i < r.utf16.size() && !space16(r.utf16[i])) ++i;
      if (i > start) r.wide.push_back(std::u16string_view(r.utf16).substr(start, i - start));
    }
    return r;
  }();
  return t;
}

void BM_IsANumber(benchmark::State& state) {
  const Tokens& t = tokens();
  if (t.wide.empty()) {
    state.SkipWithError("no corpus: run shared/corpus/make-english-corpus");
    return;
  }
  long numbers = 0;
  for (auto _ : state) {
    numbers = 0;
    for (const std::u16string_view token : t.wide) numbers += corvane::IsANumber(token);
    benchmark::DoNotOptimize(numbers);
  }
  state.counters["numbers"] = static_cast<double>(numbers);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(t.wide.size()));
}

void BM_from_chars(benchmark::State& state) {
  const Tokens& t = tokens();
  if (t.narrow.empty()) {
    state.SkipWithError("no corpus: run shared/corpus/make-english-corpus");
    return;
  }
  long numbers = 0;
  for (auto _ : state) {
    numbers = 0;
    for (const std::string_view token : t.narrow) {
      int value;
      const auto r = std::from_chars(token.data(), token.data() + token.size(), value);
      numbers += r.ec == std::errc() && r.ptr == token.data() + token.size();
    }
    benchmark::DoNotOptimize(numbers);
  }
  state.counters["numbers"] = static_cast<double>(numbers);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(t.narrow.size()));
}

BENCHMARK(BM_IsANumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_from_chars)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
