// Throughput of Wingenok's StrLScanW kernels and of the type-1 class table on 64 MiB of
// English prose as UTF-16, against std::u16string_view::find.
//
// The scans count every occurrence of a character in the whole buffer (a scan, then the
// next from just after the hit); "x" is rare in English, "e" frequent, U+0001 absent (one
// full pass). "bytes_per_second" counts buffer bytes (two per code unit) of CPU time. The
// corpus is $CORVANE_CORPUS/en_64mib.txt (default /tmp/corvane-corpus).

#include <benchmark/benchmark.h>
#include "Bench_corpus.hpp"

#include <string>
#include <string_view>
#include <vector>

#include "corvane/platform/CharTypes.hpp"
#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Wingenok.hpp"

namespace {

const std::u16string& corpus() {
  static const std::u16string text = [] {
    std::string bytes, error;
    corvane::bench::read_corpus_file("en_64mib.txt", bytes, error);
    return corvane::utf8_to_utf16(bytes);
  }();
  return text;
}

template <typename Scan>
void count_all(benchmark::State& state, char16_t c, Scan scan) {
  const std::u16string& text = corpus();
  if (text.empty()) {
    state.SkipWithError("no corpus: run shared/corpus/make-english-corpus");
    return;
  }
  for (auto _ : state) {
    long hits = 0;
    std::size_t at = 0;
    while (true) {
      std::size_t found = scan(text, c, at);
      if (found == std::u16string::npos) break;
      ++hits;
      at = found + 1;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size() * 2));
}

char16_t needle(int which) {
  return which == 0 ? u'\x01' : which == 1 ? u'x' : u'e';
}

void BM_StrLScanW(benchmark::State& state) {
  count_all(state, needle(static_cast<int>(state.range(0))),
            [](const std::u16string& t, char16_t c, std::size_t at) {
              const char16_t* p =
                  corvane::StrLScanW(t.data() + at, c, static_cast<int>(t.size() - at));
              return p ? static_cast<std::size_t>(p - t.data()) : std::u16string::npos;
            });
}

void BM_StrLScanW_kernel(benchmark::State& state) {
  const auto kernels = corvane::detail::StrLScanW_kernels();
  const auto k = static_cast<std::size_t>(state.range(1));
  if (k >= kernels.size()) {
    state.SkipWithError("kernel not supported here");
    return;
  }
  state.SetLabel(kernels[k].name);
  auto fn = kernels[k].fn;
  count_all(state, needle(static_cast<int>(state.range(0))),
            [fn](const std::u16string& t, char16_t c, std::size_t at) {
              const char16_t* p = fn(t.data() + at, c, static_cast<int>(t.size() - at));
              return p ? static_cast<std::size_t>(p - t.data()) : std::u16string::npos;
            });
}

void BM_u16string_view_find(benchmark::State& state) {
  count_all(state, needle(static_cast<int>(state.range(0))),
            [](const std::u16string& t, char16_t c, std::size_t at) {
              return std::u16string_view(t).find(c, at);
            });
}

// One class-word load per code unit, as the matcher reads the table.
void BM_char_type1_pass(benchmark::State& state) {
  const std::u16string& text = corpus();
  std::vector<std::uint16_t> out(text.size());
  for (auto _ : state) {
    corvane::char_types1(text, out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size() * 2));
}

BENCHMARK(BM_StrLScanW)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrLScanW_kernel)->ArgsProduct({{0, 1, 2}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_u16string_view_find)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_char_type1_pass)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
