#pragma once
// Helpers shared by the unit tests: hooks that record what the library asks of its host,
// and a clock the test moves by hand.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "corvane/platform/Dialogs.hpp"
#include "corvane/rtl/DateTime.hpp"

namespace corvane::testing {

// Bytes written as small integers: B({0x41, 0x00}).
inline std::vector<std::uint8_t> B(std::initializer_list<int> bytes) {
  std::vector<std::uint8_t> out;
  for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
  return out;
}

// Installs itself as the dialog hook for its lifetime; records every request and answers
// each with `answer`.
class RecordingDialogHook {
 public:
  explicit RecordingDialogHook(int answer = mrOk);
  ~RecordingDialogHook();
  RecordingDialogHook(const RecordingDialogHook&) = delete;
  RecordingDialogHook& operator=(const RecordingDialogHook&) = delete;

  const std::vector<TDialogRequest>& requests() const { return requests_; }
  std::vector<std::u16string> texts() const;
  void set_answer(int answer) { answer_ = answer; }

 private:
  std::vector<TDialogRequest> requests_;
  int answer_;
  TDialogHook previous_;
};

// Installs itself as the clock behind Now() for its lifetime. Time stands still until the
// test advances it; `tick_seconds` is added after every reading when it is not zero.
class ManualClock {
 public:
  explicit ManualClock(TDateTime start = 46000.5, double tick_seconds = 0);
  ~ManualClock();
  ManualClock(const ManualClock&) = delete;
  ManualClock& operator=(const ManualClock&) = delete;

  void advance_seconds(double seconds) { now_ += seconds / SecsPerDay; }
  TDateTime now() const { return now_; }
  int readings() const { return readings_; }

 private:
  TDateTime now_;
  double tick_;
  int readings_ = 0;
};

// The folder of the source tree (for sample files), from the environment the tests run in.
std::string source_dir();

}  // namespace corvane::testing
