// Every entry of the zipped English corpus extracted into memory: through
// TZipForge::ExtractToStream into a TMemoryStream, against a bare libzip loop (zip_stat for
// the size, zip_fopen_index, zip_fread into a buffer of that size). The component counts
// and checks every byte it inflates; the goal is at most 1.1 times the bare loop's time.
// Times are CPU time (the benchmark machines are shared).
//
// The archive is $CORVANE_CORPUS/en_corpus.zip (default /tmp/corvane-corpus), made at start
// from the corpus's four source texts (deflated by libzip) when it is missing; the same
// archive serves bench/peer/zip_vs_unzip.sh.

#include <benchmark/benchmark.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Bench_corpus.hpp"
#include "corvane/platform/ZipForge.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

const char* const kSources[] = {"linux-doc.txt", "kjv_bible.txt", "fortunes.txt",
                                "newton_opticks.txt"};

struct archive {
  std::string path, error;
  std::int64_t bytes = 0;  // uncompressed, all entries
};

const archive& the_archive() {
  static const archive a = [] {
    archive result;
    result.path = corvane::bench::corpus_path("en_corpus.zip");
    std::error_code ec;
    if (!std::filesystem::exists(result.path, ec)) {
      int error = 0;
      const std::string temp = result.path + ".part";
      zip_t* za = zip_open(temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
      if (za == nullptr) {
        result.error = "cannot create " + temp;
        return result;
      }
      for (const char* name : kSources) {
        const std::string source = corvane::bench::corpus_path(name);
        zip_source_t* s = zip_source_file(za, source.c_str(), 0, -1);
        if (s == nullptr || zip_file_add(za, name, s, ZIP_FL_ENC_UTF_8) < 0) {
          result.error = "cannot add " + source + " (run scripts/make-bench-corpus)";
          zip_discard(za);
          return result;
        }
      }
      if (zip_close(za) != 0) {
        result.error = "cannot write " + temp;
        return result;
      }
      std::filesystem::rename(temp, result.path, ec);
    }
    corvane::TZipForge zip;
    zip.FileName = corvane::u16(result.path);
    zip.OpenArchive();
    for (std::int32_t i = 0; i < zip.GetEntryCount(); ++i) {
      std::int32_t size = 0, attributes = 0;
      zip.GetAZipFileSubProperty(i, size, attributes);
      result.bytes += size;
    }
    return result;
  }();
  return a;
}

void BM_ZipForgeExtractToStream(benchmark::State& state) {
  const archive& a = the_archive();
  if (!a.error.empty()) {
    state.SkipWithError(a.error.c_str());
    return;
  }
  corvane::TZipForge zip;
  zip.FileName = corvane::u16(a.path);
  zip.OpenArchive();
  for (auto _ : state) {
    for (std::int32_t i = 0; i < zip.GetEntryCount(); ++i) {
      corvane::TMemoryStream stream;
      if (!zip.ExtractToStream(i, stream)) state.SkipWithError("extraction failed");
      benchmark::DoNotOptimize(stream.Memory());
    }
  }
  state.SetBytesProcessed(state.iterations() * a.bytes);
}
BENCHMARK(BM_ZipForgeExtractToStream)->Unit(benchmark::kMillisecond);

void BM_LibzipFreadLoop(benchmark::State& state) {
  const archive& a = the_archive();
  if (!a.error.empty()) {
    state.SkipWithError(a.error.c_str());
    return;
  }
  int error = 0;
  zip_t* za = zip_open(a.path.c_str(), ZIP_RDONLY, &error);
  const zip_int64_t count = zip_get_num_entries(za, 0);
  for (auto _ : state) {
    for (zip_int64_t i = 0; i < count; ++i) {
      zip_stat_t st;
      zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st);
      std::string buffer(st.size, '\0');
      zip_file_t* f = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0);
      zip_uint64_t done = 0;
      while (done < st.size) {
        const zip_int64_t n = zip_fread(f, buffer.data() + done, st.size - done);
        if (n <= 0) break;
        done += static_cast<zip_uint64_t>(n);
      }
      zip_fclose(f);
      benchmark::DoNotOptimize(buffer.data());
    }
  }
  zip_close(za);
  state.SetBytesProcessed(state.iterations() * a.bytes);
}
BENCHMARK(BM_LibzipFreadLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
