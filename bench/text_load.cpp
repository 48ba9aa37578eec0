// Loading 64 MiB of English prose as a text file of undeclared encoding, through
// TextFileContents, once as UTF-8 (no signature) and once as windows-1252, against the
// iconv program converting the same file to UTF-16LE.
//
// All four are timed the same way, in CPU time (user + system), because the benchmark
// machines are shared: our loads by the process's CPU clock, iconv by the CPU time of the
// finished child process. Both read the file from the page cache; iconv writes to
// /dev/null. "MB/s" is file bytes per second of CPU time.
//
// The corpus is $CORVANE_CORPUS/en_64mib.txt (default /tmp/corvane-corpus), made by
// scripts/make-bench-corpus; the windows-1252 copy is made from it with iconv at start.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include "Bench_corpus.hpp"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "corvane/files/File_utils.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

struct corpus {
  std::string utf8_path, ansi_path, error;
  std::int64_t utf8_size = 0, ansi_size = 0;
};

const corpus& the_corpus() {
  static const corpus c = [] {
    corpus result;
    result.utf8_path = corvane::bench::corpus_path("en_64mib.txt");
    std::error_code ec;
    result.utf8_size = static_cast<std::int64_t>(std::filesystem::file_size(result.utf8_path, ec));
    if (ec) {
      result.error = "cannot read " + result.utf8_path + " (run scripts/make-bench-corpus)";
      return result;
    }
    result.ansi_path = (std::filesystem::temp_directory_path() /
                        ("corvane_bench_1252_" + std::to_string(::getpid()) + ".txt"))
                           .string();
    // The few characters windows-1252 lacks are transliterated or dropped.
    const std::string command = "iconv -c -f UTF-8 -t WINDOWS-1252//TRANSLIT '" + result.utf8_path +
                                "' > '" + result.ansi_path + "' 2>/dev/null";
    if (std::system(command.c_str()) == -1) result.error = "cannot run iconv";
    result.ansi_size = static_cast<std::int64_t>(std::filesystem::file_size(result.ansi_path, ec));
    if (ec || result.ansi_size == 0) result.error = "iconv made no windows-1252 copy";
    std::atexit([] { std::filesystem::remove(the_corpus().ansi_path); });
    return result;
  }();
  return c;
}

double process_cpu_seconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double children_cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& tv) {
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void load_through_library(benchmark::State& state, bool ansi) {
  const corpus& c = the_corpus();
  if (!c.error.empty()) {
    state.SkipWithError(c.error.c_str());
    return;
  }
  const std::u16string path = corvane::u16(ansi ? c.ansi_path : c.utf8_path);
  std::size_t chars = 0;
  for (auto _ : state) {
    const double start = process_cpu_seconds();
    std::u16string text = corvane::TextFileContents(path);
    chars = text.size();
    benchmark::DoNotOptimize(text.data());
    text = std::u16string();
    state.SetIterationTime(process_cpu_seconds() - start);
  }
  state.counters["chars"] = static_cast<double>(chars);
  state.counters["MB/s"] =
      benchmark::Counter(static_cast<double>(ansi ? c.ansi_size : c.utf8_size) * 1e-6,
                         benchmark::Counter::kIsIterationInvariantRate);
}

void convert_with_iconv(benchmark::State& state, bool ansi) {
  const corpus& c = the_corpus();
  if (!c.error.empty()) {
    state.SkipWithError(c.error.c_str());
    return;
  }
  const std::string& path = ansi ? c.ansi_path : c.utf8_path;
  const char* from = ansi ? "WINDOWS-1252" : "UTF-8";
  for (auto _ : state) {
    const double start = children_cpu_seconds();
    const pid_t pid = ::fork();
    if (pid == 0) {
      freopen("/dev/null", "w", stdout);
      ::execlp("iconv", "iconv", "-f", from, "-t", "UTF-16LE", path.c_str(), nullptr);
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("iconv failed");
      return;
    }
    state.SetIterationTime(children_cpu_seconds() - start);
  }
  state.counters["MB/s"] =
      benchmark::Counter(static_cast<double>(ansi ? c.ansi_size : c.utf8_size) * 1e-6,
                         benchmark::Counter::kIsIterationInvariantRate);
}

void BM_TextFileContents_UTF8(benchmark::State& state) {
  load_through_library(state, false);
}
void BM_TextFileContents_1252(benchmark::State& state) {
  load_through_library(state, true);
}
void BM_iconv_UTF8_to_UTF16LE(benchmark::State& state) {
  convert_with_iconv(state, false);
}
void BM_iconv_1252_to_UTF16LE(benchmark::State& state) {
  convert_with_iconv(state, true);
}

BENCHMARK(BM_TextFileContents_UTF8)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_iconv_UTF8_to_UTF16LE)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextFileContents_1252)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_iconv_1252_to_UTF16LE)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
