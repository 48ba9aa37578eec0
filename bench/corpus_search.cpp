// The corpus search over the 64 MiB English file, as the concordance lines, the records
// (sentence and paragraph counts) and the counts need it, for a rare and a frequent word.
// Reported as MB/s of the file; the sink only counts what it is given.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "Bench_corpus.hpp"
#include "corvane/search/Corpus_search.hpp"

namespace {

class counting_sink final : public corvane::corpus_search_sink {
 public:
  std::int64_t hits = 0, units = 0;
  bool hit(const corvane::corpus_text&, const corvane::corpus_hit& h) override {
    ++hits;
    units += static_cast<std::int64_t>(h.left.size() + h.right.size());
    return true;
  }
};

void run(benchmark::State& state, const char16_t* word, bool records, bool count_only) {
  const std::string path = corvane::bench::corpus_path("en_64mib.txt");
  if (!std::filesystem::exists(path)) {
    state.SkipWithError(("missing " + path).c_str());
    return;
  }
  const auto words = corvane::parsed_search_line(word, true);
  corvane::corpus_search_options o;
  o.counts = records ? corvane::corpus_counts::structure : corvane::corpus_counts::words;
  o.count_only = count_only;
  o.workers = static_cast<unsigned>(state.range(0));
  for (auto _ : state) {
    counting_sink sink;
    corvane::search_corpus({path}, words, o, sink);
    benchmark::DoNotOptimize(sink.units);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_lines_rare(benchmark::State& s) {
  run(s, u"kernel", false, false);
}
void BM_lines_frequent(benchmark::State& s) {
  run(s, u"the", false, false);
}
void BM_records_rare(benchmark::State& s) {
  run(s, u"kernel", true, false);
}
void BM_records_frequent(benchmark::State& s) {
  run(s, u"the", true, false);
}
void BM_count_rare(benchmark::State& s) {
  run(s, u"kernel", false, true);
}
void BM_count_frequent(benchmark::State& s) {
  run(s, u"the", false, true);
}

}  // namespace

BENCHMARK(BM_lines_rare)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_lines_frequent)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_records_rare)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_records_frequent)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_count_rare)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_count_frequent)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
