#pragma once
// The benchmark corpus: the files that ../shared/corpus/make-english-corpus (or
// scripts/make-bench-corpus) writes to $CORVANE_CORPUS, by default /tmp/corvane-corpus.

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace corvane::bench {

// The path of one corpus file, such as "en_64mib.txt".
inline std::string corpus_path(const char* name) {
  const char* dir = std::getenv("CORVANE_CORPUS");
  return std::string(dir != nullptr && *dir != 0 ? dir : "/tmp/corvane-corpus") + "/" + name;
}

// The bytes of one corpus file; false, with `error` saying what to run, when it cannot
// be read.
inline bool read_corpus_file(const char* name, std::string& bytes, std::string& error) {
  const std::string path = corpus_path(name);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path + " (run ../shared/corpus/make-english-corpus)";
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  bytes = std::move(all).str();
  return true;
}

}  // namespace corvane::bench
