// Throughput of the buffer matcher, NewFindWantedInBuffer, on 64 MiB of English prose as
// UTF-16 with its class array built from the type-1 character table.
//
// Each benchmark walks the whole buffer the way the search engine does: a call, then the
// next from one character after the start of the hit, with the counts carried along, until
// no hit is left. "items_per_second" counts buffer characters per second of CPU time. Every
// search runs twice: with the vector kernel the processor supports ("vector") and with the
// plain one-character-at-a-time loop ("scalar"), the baseline; the counters "hits" and
// "words" must be the same for both. The corpus is $CORVANE_CORPUS/en_64mib.txt (default
// /tmp/corvane-corpus; made by shared/corpus/make-english-corpus or
// scripts/make-bench-corpus).

#include <benchmark/benchmark.h>
#include "Bench_corpus.hpp"

#include <string>
#include <vector>

#include "corvane/platform/CharTypes.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/search/Bare_assemb3.hpp"
#include "corvane/search/Search_parsing.hpp"

namespace {

using corvane::detail::matcher_kernel;

struct Corpus {
  std::u16string text;
  std::vector<std::uint16_t> details;  // one per character and two spare
};

const Corpus& corpus() {
  static const Corpus c = [] {
    Corpus out;
    std::string bytes, error;
    if (!corvane::bench::read_corpus_file("en_64mib.txt", bytes, error)) return out;
    out.text = corvane::utf8_to_utf16(bytes);
    out.details.assign(out.text.size() + 2, 0);
    corvane::char_types1(out.text, out.details.data());
    return out;
  }();
  return c;
}

void search(benchmark::State& state, const char16_t* typed, matcher_kernel kernel) {
  const Corpus& c = corpus();
  if (c.text.empty()) {
    state.SkipWithError("no corpus: run shared/corpus/make-english-corpus");
    return;
  }
  if (!corvane::detail::matcher_kernel_supported(kernel)) {
    state.SkipWithError("kernel not supported by this processor");
    return;
  }
  const matcher_kernel saved = corvane::detail::set_matcher_kernel(kernel);
  corvane::TSearch_word_format_rec rec;
  std::u16string s = typed;
  corvane::Parsed_SearchWord(corvane::TIgnore_tag_type{}, s, rec);
  const auto& up = rec.copies[corvane::upper_copy];
  const auto& lo = rec.copies[corvane::lower_copy];
  const auto& ti = rec.copies[corvane::title_copy];
  const bool left = rec.flags.contains(corvane::myLeftBounded);
  const bool right = rec.flags.contains(corvane::myRightBounded);
  const auto n = static_cast<std::int32_t>(c.text.size());
  const std::uint16_t* details_end = c.details.data() + n + 1;
  long hits = 0;
  long words = 0;
  for (auto _ : state) {
    corvane::TSearchStatsRec stats;
    bool heading = false;
    hits = 0;
    std::int32_t from = 0;
    while (from < n) {
      std::uint16_t ext = 0, exact = 0;
      const void* p = corvane::NewFindWantedInBuffer(
          c.text.data() + from, n - from, c.details.data() + from, c.details.data(), details_end,
          up, lo, ti, static_cast<std::uint16_t>(lo.size()), false, left, right, true, false, false,
          ext, exact, stats, heading, false, false, false, false);
      if (!p) break;
      ++hits;
      from = static_cast<std::int32_t>(static_cast<const char16_t*>(p) - c.text.data()) + 1;
    }
    words = stats.number[corvane::stats_word];
    benchmark::DoNotOptimize(hits);
  }
  corvane::detail::set_matcher_kernel(saved);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * n);
  state.counters["hits"] = static_cast<double>(hits);
  state.counters["words"] = static_cast<double>(words);
}

#define MATCHER_BENCH(name, typed)                                        \
  BENCHMARK_CAPTURE(search, name##_vector, typed, matcher_kernel::avx2)   \
      ->Unit(benchmark::kMillisecond);                                    \
  BENCHMARK_CAPTURE(search, name##_scalar, typed, matcher_kernel::scalar) \
      ->Unit(benchmark::kMillisecond);

MATCHER_BENCH(rare_word_melancholy, u"melancholy")
MATCHER_BENCH(rare_word_zenith, u"zenith")
MATCHER_BENCH(frequent_word_the, u"the")
MATCHER_BENCH(trailing_star_inter, u"inter*")
MATCHER_BENCH(phrase_of_the, u"of the")

}  // namespace

BENCHMARK_MAIN();
