// Handing a list of words to another program: 1 M words of the English corpus written
// with CopyToMemmap into shared memory and loaded back with LoadFromMemmap, against the
// same words written with WriteAString to a TMemoryStream and read back with ReadAString.
// Both sides make one new string per word on the way back.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Bench_corpus.hpp"
#include "corvane/containers/Mystreammemlists.hpp"
#include "corvane/containers/Useful_classes_base.hpp"
#include "corvane/rtl/Streams.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

using namespace corvane;

constexpr std::size_t kWords = 1'000'000;

// The first kWords words (runs of non-blank bytes) of en_all.txt, as UTF-16.
const std::vector<std::u16string>& corpus_words() {
  static const std::vector<std::u16string> words = [] {
    std::vector<std::u16string> out;
    std::string bytes, error;
    if (!bench::read_corpus_file("en_all.txt", bytes, error)) return out;
    std::size_t i = 0;
    while (out.size() < kWords && i < bytes.size()) {
      while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) <= ' ') ++i;
      const std::size_t start = i;
      while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) > ' ') ++i;
      if (i > start) out.push_back(utf8_to_utf16(std::string_view(bytes).substr(start, i - start)));
    }
    return out;
  }();
  return words;
}

std::u16string map_name() {
  return u"bench_" + utf8_to_utf16(std::to_string(::getpid()));
}

void BM_CopyAndLoadThroughSharedMemory(benchmark::State& state) {
  const auto& words = corpus_words();
  if (words.size() < kWords) {
    state.SkipWithError("the corpus is missing (run scripts/make-bench-corpus)");
    return;
  }
  TStringMemList writer(map_name());
  for (const auto& w : words) writer.AddString(w);
  TStringMemList reader(map_name(), memmap_access::read_only);
  for (auto _ : state) {
    if (!writer.CopyToMemmap() || !reader.LoadFromMemmap()) {
      state.SkipWithError("the copy or the load failed");
      break;
    }
    benchmark::DoNotOptimize(reader.Count());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
  writer.Unlink();
}

void BM_WriteAndReadAStringOnAMemoryStream(benchmark::State& state) {
  const auto& words = corpus_words();
  if (words.size() < kWords) {
    state.SkipWithError("the corpus is missing (run scripts/make-bench-corpus)");
    return;
  }
  TMemoryStream stream;
  std::vector<std::u16string> back;
  for (auto _ : state) {
    stream.Clear();
    for (const auto& w : words) WriteAString(stream, w);
    stream.SetPosition(0);
    back.clear();
    std::u16string s;
    for (std::size_t i = 0; i < words.size(); ++i) {
      ReadAString(stream, s);
      back.push_back(std::move(s));
    }
    benchmark::DoNotOptimize(back.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}

BENCHMARK(BM_CopyAndLoadThroughSharedMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteAndReadAStringOnAMemoryStream)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
