#pragma once
// corvane wordlist and corvane similarity: their options, the commands, and the progress
// line they show on a terminal.

#include <chrono>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/corvane/Gathering.hpp"

namespace CLI {
class App;
}

namespace corvane::cli {

struct wordlist_options {
  std::vector<std::string> paths;
  GatherOptions gather;
  int ngrams = 0;  // 0: words
  int min_length = 1;
  int longest_tag = 100;
  bool by_freq = false, json = false;
};

int command_wordlist(const wordlist_options& options, std::ostream& out, std::ostream& err);
void add_wordlist_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);

struct similarity_options {
  std::string a, b;
  int max_diff = 0, min_freq = 1, min_length = 1;
  double threshold = 5;
  bool json = false;
};

int command_similarity(const similarity_options& options, std::ostream& out, std::ostream& err);
void add_similarity_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);

// Once a run has taken a second, and only when enabled (standard error is a terminal), a
// line on standard error with the texts and entries so far, rewritten at most five times a
// second and cleared by finish().
class counting_progress {
 public:
  counting_progress(const char* command, bool enabled, std::ostream& err);
  ~counting_progress();
  counting_progress(const counting_progress&) = delete;
  counting_progress& operator=(const counting_progress&) = delete;
  // `percent` of the current text, or -1 when not known.
  void show(std::size_t texts, std::size_t entries, int percent);
  void finish();

 private:
  const char* command_;
  bool enabled_;
  std::ostream& err_;
  std::chrono::steady_clock::time_point start_, last_;
  bool shown_ = false;
};

}  // namespace corvane::cli
