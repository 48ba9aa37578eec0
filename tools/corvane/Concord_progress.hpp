#pragma once
// corvane concord's progress line: once a run has taken a second, standard error shows the
// texts done of all and the speed, updated a few times a second, and the line is cleared
// at the end. Once a tenth of the texts is done the line ends with the estimate of the
// time still to go (the package's stopwatch, started with the meter).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>
#include <thread>

namespace corvane::cli {

class progress_meter {
 public:
  progress_meter(std::size_t texts, bool enabled, std::ostream& err);
  ~progress_meter();
  progress_meter(const progress_meter&) = delete;
  progress_meter& operator=(const progress_meter&) = delete;
  // What the search reports: bytes searched and texts finished so far.
  void update(std::uint64_t bytes, std::size_t texts) {
    bytes_.store(bytes, std::memory_order_relaxed);
    done_texts_.store(texts, std::memory_order_relaxed);
  }
  // Stops the updates and clears the line (when one was shown).
  void finish();
  // The line as it is shown, e.g. "corvane concord: 12/345 texts, 81.2 MB/s", and with an
  // estimate ", ~ 30s to go" after it.
  static std::string line(std::size_t done, std::size_t texts, double bytes, double seconds,
                          const std::string& to_go = {});
  // The estimate of the time to go in the catalogue's words ("~ 30s to go") once a tenth of
  // the texts is done, from the time since the stopwatch started; else empty.
  static std::string time_to_go(std::size_t done, std::size_t texts);

 private:
  void run();
  std::size_t texts_;
  std::ostream& err_;
  std::atomic<std::uint64_t> bytes_{0};
  std::atomic<std::size_t> done_texts_{0};
  std::chrono::steady_clock::time_point start_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool shown_ = false;
  std::thread thread_;
};

}  // namespace corvane::cli
