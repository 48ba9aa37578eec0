// Throughput of the buffer scans of Bare_assemb on 64 MiB of English prose, against the
// standard library's searches and the C library's memchr/memmem.
//
// Every benchmark counts all non-overlapping occurrences in the whole buffer (a search,
// then the next one from just after the hit), so frequent patterns also pay for the calls.
// "GB/s" is buffer bytes per second of CPU time (10^9; CPU time, because the benchmark
// machines are shared): the UTF-16 buffer has twice the bytes of the
// 8-bit one. The corpus is $CORVANE_CORPUS/en_64mib.txt (default /tmp/corvane-corpus), made
// by scripts/make-bench-corpus; the UTF-16 form is converted in memory.

#include <benchmark/benchmark.h>
#include "Bench_corpus.hpp"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "corvane/rtl/Utf.hpp"
#include "corvane/text/Bare_assemb.hpp"
#include "corvane/text/Bare_assemb_kernels.hpp"

namespace {

using corvane::detail::bare_scan_kernels;
using corvane::detail::scan_kernels;
using corvane::detail::simd_level;
using corvane::detail::simd_level_supported;

struct corpus {
  std::string bytes;
  std::u16string wide;
  std::string error;
};

const corpus& the_corpus() {
  static const corpus c = [] {
    corpus result;
    if (!corvane::bench::read_corpus_file("en_64mib.txt", result.bytes, result.error))
      return result;
    result.wide = corvane::utf8_to_utf16(result.bytes);
    return result;
  }();
  return c;
}

char16_t ascii_fold(char16_t c) {
  return c >= u'A' && c <= u'Z' ? c + 32 : c;
}
char ascii_fold8(char c) {
  return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

template <class T>
std::basic_string<T> widen(std::string_view s) {
  return std::basic_string<T>(s.begin(), s.end());
}
std::string upper(std::string_view s) {
  std::string u(s);
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c -= 32;
  return u;
}

// Runs `count_all` (which returns the number of hits in the buffer) and reports GB/s.
template <class T>
void run(benchmark::State& state, const std::basic_string<T>& buffer,
         const std::function<std::size_t(const T*, std::size_t)>& count_all) {
  const corpus& c = the_corpus();
  if (!c.error.empty()) {
    state.SkipWithError(c.error.c_str());
    return;
  }
  std::size_t hits = 0;
  for (auto _ : state) {
    hits = count_all(buffer.data(), buffer.size());
    benchmark::DoNotOptimize(hits);
  }
  const double bytes = double(buffer.size()) * sizeof(T);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["GB/s"] =
      benchmark::Counter(state.iterations() * bytes / 1e9, benchmark::Counter::kIsRate);
  state.counters["hits"] = double(hits);
}

// Counts hits of a search that returns a pointer to the hit or null.
template <class T, class Find>
std::size_t count_pointer_hits(const T* s, std::size_t n, std::size_t m, Find find) {
  std::size_t hits = 0;
  const T* end = s + n;
  for (const T* p = s; (p = find(p, end - p)) != nullptr; p += m) ++hits;
  return hits;
}

template <class T>
using counter = std::function<std::size_t(const T*, std::size_t)>;

// --- UTF-16 --------------------------------------------------------------------------------

counter<char16_t> fast_pos_w(std::u16string pattern) {
  return [pattern](const char16_t* s, std::size_t n) {
    return count_pointer_hits(s, n, pattern.size(), [&](const char16_t* p, std::ptrdiff_t left) {
      return corvane::FastStrPosW(p, pattern.c_str(), left);
    });
  };
}

counter<char16_t> kernel_find_w(const bare_scan_kernels& k, std::u16string pattern) {
  return [&k, pattern](const char16_t* s, std::size_t n) {
    std::size_t hits = 0;
    const auto m = static_cast<std::ptrdiff_t>(pattern.size());
    for (std::ptrdiff_t i = 0, left = n; left >= m;) {
      const char16_t* hit = k.find16(s + i, left, pattern.data(), m);
      if (hit == nullptr) break;
      ++hits;
      i = (hit - s) + m;
      left = n - i;
    }
    return hits;
  };
}

counter<char16_t> view_find_w(std::u16string pattern) {
  return [pattern](const char16_t* s, std::size_t n) {
    const std::u16string_view text(s, n);
    std::size_t hits = 0;
    for (auto at = text.find(pattern); at != text.npos;
         at = text.find(pattern, at + pattern.size()))
      ++hits;
    return hits;
  };
}

template <class T, class Searcher>
std::size_t count_searcher_hits(const T* s, std::size_t n, std::size_t m,
                                const Searcher& searcher) {
  std::size_t hits = 0;
  const T* end = s + n;
  for (const T* p = s;; ++hits) {
    p = searcher(p, end).first;
    if (p == end) break;
    p += m;
  }
  return hits;
}

counter<char16_t> horspool_w(std::u16string pattern) {
  return [pattern](const char16_t* s, std::size_t n) {
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    return count_searcher_hits(s, n, pattern.size(), searcher);
  };
}

struct fold_hash {
  std::size_t operator()(char16_t c) const { return std::hash<char16_t>()(ascii_fold(c)); }
};
struct fold_equal {
  bool operator()(char16_t a, char16_t b) const { return ascii_fold(a) == ascii_fold(b); }
};

counter<char16_t> horspool_folded_w(std::u16string pattern) {
  return [pattern](const char16_t* s, std::size_t n) {
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end(), fold_hash(),
                                                      fold_equal());
    return count_searcher_hits(s, n, pattern.size(), searcher);
  };
}

counter<char16_t> fast_ipos_w(std::u16string lower, std::u16string upper) {
  return [lower, upper](const char16_t* s, std::size_t n) {
    return count_pointer_hits(s, n, lower.size(), [&](const char16_t* p, std::ptrdiff_t left) {
      return corvane::FastStrIPosW(p, lower.c_str(), upper.c_str(), left);
    });
  };
}

counter<char16_t> fast_scan_w(char16_t c) {
  return [c](const char16_t* s, std::size_t n) {
    return count_pointer_hits(s, n, 1, [&](const char16_t* p, std::ptrdiff_t left) {
      return corvane::FastStrScanW(p, c, left);
    });
  };
}

counter<char16_t> kernel_scan_w(const bare_scan_kernels& k, char16_t c) {
  return [&k, c](const char16_t* s, std::size_t n) {
    return count_pointer_hits(
        s, n, 1, [&](const char16_t* p, std::ptrdiff_t left) { return k.scan16(p, left, c); });
  };
}

counter<char16_t> view_scan_w(char16_t c) {
  return [c](const char16_t* s, std::size_t n) {
    const std::u16string_view text(s, n);
    std::size_t hits = 0;
    for (auto at = text.find(c); at != text.npos; at = text.find(c, at + 1)) ++hits;
    return hits;
  };
}

// --- 8-bit ---------------------------------------------------------------------------------

counter<char> fast_pos(std::string pattern) {
  return [pattern](const char* s, std::size_t n) {
    return count_pointer_hits(s, n, pattern.size(), [&](const char* p, std::ptrdiff_t left) {
      return corvane::FastStrPos(p, pattern.c_str(), left);
    });
  };
}

counter<char> memmem_find(std::string pattern) {
  return [pattern](const char* s, std::size_t n) {
    return count_pointer_hits(s, n, pattern.size(), [&](const char* p, std::ptrdiff_t left) {
      return static_cast<const char*>(memmem(p, left, pattern.data(), pattern.size()));
    });
  };
}

counter<char> horspool(std::string pattern) {
  return [pattern](const char* s, std::size_t n) {
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    return count_searcher_hits(s, n, pattern.size(), searcher);
  };
}

struct fold_hash8 {
  std::size_t operator()(char c) const { return std::hash<char>()(ascii_fold8(c)); }
};
struct fold_equal8 {
  bool operator()(char a, char b) const { return ascii_fold8(a) == ascii_fold8(b); }
};

counter<char> horspool_folded(std::string pattern) {
  return [pattern](const char* s, std::size_t n) {
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end(), fold_hash8(),
                                                      fold_equal8());
    return count_searcher_hits(s, n, pattern.size(), searcher);
  };
}

counter<char> fast_ipos(std::string lower, std::string upper) {
  return [lower, upper](const char* s, std::size_t n) {
    return count_pointer_hits(s, n, lower.size(), [&](const char* p, std::ptrdiff_t left) {
      return corvane::FastStrIPos(p, lower.c_str(), upper.c_str(), left);
    });
  };
}

counter<char> fast_scan(char c) {
  return [c](const char* s, std::size_t n) {
    return count_pointer_hits(s, n, 1, [&](const char* p, std::ptrdiff_t left) {
      return corvane::FastStrScan(p, c, left);
    });
  };
}

counter<char> memchr_scan(char c) {
  return [c](const char* s, std::size_t n) {
    return count_pointer_hits(s, n, 1, [&](const char* p, std::ptrdiff_t left) {
      return static_cast<const char*>(std::memchr(p, c, left));
    });
  };
}

void add_w(const std::string& name, counter<char16_t> f) {
  benchmark::RegisterBenchmark(name.c_str(), [f](benchmark::State& state) {
    run<char16_t>(state, the_corpus().wide, f);
  })->Unit(benchmark::kMillisecond);
}

void add_8(const std::string& name, counter<char> f) {
  benchmark::RegisterBenchmark(name.c_str(), [f](benchmark::State& state) {
    run<char>(state, the_corpus().bytes, f);
  })->Unit(benchmark::kMillisecond);
}

void register_all() {
  const char* words[] = {"the", "between", "xylophone"};
  std::vector<const bare_scan_kernels*> levels;
  for (const auto level : {simd_level::scalar, simd_level::sse2, simd_level::avx2})
    if (simd_level_supported(level)) levels.push_back(&scan_kernels(level));

  for (const std::string word : words) {
    const auto w = widen<char16_t>(word);
    add_w("PosW/FastStrPosW/" + word, fast_pos_w(w));
    for (const auto* k : levels)
      add_w("PosW/kernel_" + std::string(k->name) + "/" + word, kernel_find_w(*k, w));
    add_w("PosW/u16string_view::find/" + word, view_find_w(w));
    add_w("PosW/boyer_moore_horspool/" + word, horspool_w(w));
  }
  for (const std::string word : words) {
    const auto w = widen<char16_t>(word);
    add_w("IPosW/FastStrIPosW/" + word, fast_ipos_w(w, widen<char16_t>(upper(word))));
    add_w("IPosW/boyer_moore_horspool_folded/" + word, horspool_folded_w(w));
  }
  for (const char c : {'\n', '@'}) {
    const std::string label = c == '\n' ? "LF" : std::string(1, c);
    add_w("ScanW/FastStrScanW/" + label, fast_scan_w(c));
    for (const auto* k : levels)
      add_w("ScanW/kernel_" + std::string(k->name) + "/" + label, kernel_scan_w(*k, c));
    add_w("ScanW/u16string_view::find/" + label, view_scan_w(c));
  }
  for (const std::string word : words) {
    add_8("Pos/FastStrPos/" + word, fast_pos(word));
    add_8("Pos/memmem/" + word, memmem_find(word));
    add_8("Pos/boyer_moore_horspool/" + word, horspool(word));
  }
  for (const std::string word : words) {
    add_8("IPos/FastStrIPos/" + word, fast_ipos(word, upper(word)));
    add_8("IPos/boyer_moore_horspool_folded/" + word, horspool_folded(word));
  }
  for (const char c : {'\n', '@'}) {
    const std::string label = c == '\n' ? "LF" : std::string(1, c);
    add_8("Scan/FastStrScan/" + label, fast_scan(c));
    add_8("Scan/memchr/" + label, memchr_scan(c));
  }
}

}  // namespace

int main(int argc, char** argv) {
  register_all();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
