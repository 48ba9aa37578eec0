#pragma once
// A progress line for commands whose library routines report through callbacks on the
// calling thread: once a run has taken a second, standard error shows the latest report,
// at most four times a second, and the line is cleared at the end. Only on a terminal.

#include <chrono>
#include <ostream>
#include <string>

namespace corvane::cli {

class callback_progress {
 public:
  callback_progress(bool enabled, std::ostream& err)
      : enabled_(enabled), err_(err), start_(std::chrono::steady_clock::now()), last_(start_) {}
  ~callback_progress() { finish(); }
  callback_progress(const callback_progress&) = delete;
  callback_progress& operator=(const callback_progress&) = delete;

  // True when a line would be shown now: callers build the text only then.
  bool due() const {
    if (!enabled_) return false;
    const auto now = std::chrono::steady_clock::now();
    return now - start_ >= std::chrono::seconds(1) && now - last_ >= std::chrono::milliseconds(250);
  }
  void show(const std::string& line) {
    last_ = std::chrono::steady_clock::now();
    err_ << '\r' << line << "\x1b[K" << std::flush;
    shown_ = true;
  }
  void finish() {
    if (shown_) err_ << "\r\x1b[K" << std::flush;
    shown_ = false;
  }

 private:
  bool enabled_;
  std::ostream& err_;
  std::chrono::steady_clock::time_point start_, last_;
  bool shown_ = false;
};

}  // namespace corvane::cli
