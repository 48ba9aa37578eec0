// corvane concord's progress line on standard error.
#include <cstdio>
#include <ostream>

#include "tools/corvane/Concord_progress.hpp"

#include "corvane/definitions/Wdef.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane::cli {

progress_meter::progress_meter(std::size_t texts, bool enabled, std::ostream& err)
    : texts_(texts), err_(err), start_(std::chrono::steady_clock::now()) {
  StartTiming();
  if (enabled) thread_ = std::thread([this] { run(); });
}

progress_meter::~progress_meter() {
  finish();
}

std::string progress_meter::line(std::size_t done, std::size_t texts, double bytes, double seconds,
                                 const std::string& to_go) {
  char text[128];
  std::snprintf(text, sizeof text, "corvane concord: %zu/%zu texts, %.1f MB/s", done, texts,
                seconds > 0 ? bytes / seconds / 1e6 : 0.0);
  return to_go.empty() ? std::string(text) : std::string(text) + ", " + to_go;
}

std::string progress_meter::time_to_go(std::size_t done, std::size_t texts) {
  if (texts == 0 || done == 0 || done >= texts || done * 10 < texts) return {};
  return u8(MessageOfEstimatedTimeRemaining(static_cast<std::int64_t>(done),
                                            static_cast<std::int64_t>(texts)));
}

void progress_meter::run() {
  using namespace std::chrono_literals;
  std::unique_lock<std::mutex> lock(mutex_);
  if (wake_.wait_for(lock, 1s, [this] { return stop_; })) return;
  do {
    const double bytes = static_cast<double>(bytes_.load(std::memory_order_relaxed));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const std::size_t done = done_texts_.load(std::memory_order_relaxed);
    err_ << '\r' << line(done, texts_, bytes, seconds, time_to_go(done, texts_)) << "\x1b[K"
         << std::flush;
    shown_ = true;
  } while (!wake_.wait_for(lock, 250ms, [this] { return stop_; }));
}

void progress_meter::finish() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  if (shown_) {
    err_ << "\r\x1b[K" << std::flush;
    shown_ = false;
  }
}

}  // namespace corvane::cli
