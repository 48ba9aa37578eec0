// A folder search over a tree of 200,000 small files in 2,000 folders: TPeruseDir as a
// corpus is gathered (HandleAllFilesIn on the top folder, then on every folder the walk
// reports, mask "*.txt"), against a std::filesystem::recursive_directory_iterator loop
// that stats every entry and keeps the path, size and time of each .txt file. The goal
// is at most 1.2 times the loop's time. Both run warm (the first iteration reads the tree
// into the cache). Times are CPU time, the system's part included: the benchmark machines
// are shared, and wall-clock time there mostly measures the wait for a core.
//
// The tree is made once, in $CORVANE_PERUSAL_TREE (default /tmp/corvane-perusal-tree):
// 20 folders of 100 folders of 100 files each; a file ".complete" marks it done.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "corvane/files/Perusedir.hpp"
#include "corvane/rtl/Utf.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kTop = 20, kPerTop = 100, kFilesPerFolder = 100;

const std::string& tree() {
  static const std::string root = [] {
    const char* env = std::getenv("CORVANE_PERUSAL_TREE");
    const std::string path = env != nullptr ? env : "/tmp/corvane-perusal-tree";
    if (fs::exists(path + "/.complete")) return path;
    fs::remove_all(path);
    char name[64];
    for (int t = 0; t < kTop; ++t)
      for (int f = 0; f < kPerTop; ++f) {
        std::snprintf(name, sizeof name, "/top%02d/folder%03d/", t, f);
        const std::string folder = path + name;
        fs::create_directories(folder);
        for (int i = 0; i < kFilesPerFolder; ++i) {
          std::snprintf(name, sizeof name, "text%03d.txt", i);
          std::ofstream(folder + name) << "a small text " << i << '\n';
        }
      }
    std::ofstream(path + "/.complete") << "done\n";
    return path;
  }();
  return root;
}

struct found {
  std::string path;
  std::int64_t size;
  std::int64_t time;
};

void BM_RecursiveDirectoryIterator(benchmark::State& state) {
  const std::string root = tree();
  std::size_t files = 0;
  for (auto _ : state) {
    std::vector<found> out;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
      struct stat st {};
      if (::stat(e.path().c_str(), &st) != 0) continue;
      if (S_ISREG(st.st_mode) && e.path().extension() == ".txt")
        out.push_back({e.path().string(), st.st_size, st.st_mtim.tv_sec});
    }
    files = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["files"] = static_cast<double>(files);
}

void BM_Perusal(benchmark::State& state) {
  const std::u16string root = corvane::u16(tree());
  std::size_t files = 0;
  for (auto _ : state) {
    corvane::TPeruseDir perusal(u"*.txt", u"*", u"*.txt", u"", u"", true, true, false, false,
                                false);
    corvane::TMySearchRecList list;
    perusal.fOnFoundDir = [&](const std::u16string& folder) {
      perusal.HandleAllFilesIn(folder, &list);
    };
    perusal.HandleAllFilesIn(root, &list);
    perusal.ProcessAllSubDirectories(root);
    files = static_cast<std::size_t>(list.Count());
    benchmark::ClobberMemory();
  }
  state.counters["files"] = static_cast<double>(files);
}

BENCHMARK(BM_RecursiveDirectoryIterator)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Perusal)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
