#include "testing/Test_support.hpp"

#include <cstdlib>

namespace corvane::testing {

RecordingDialogHook::RecordingDialogHook(int answer) : answer_(answer) {
  previous_ = set_dialog_hook([this](const TDialogRequest& r) {
    requests_.push_back(r);
    return answer_;
  });
}

RecordingDialogHook::~RecordingDialogHook() {
  set_dialog_hook(std::move(previous_));
}

std::vector<std::u16string> RecordingDialogHook::texts() const {
  std::vector<std::u16string> out;
  for (const TDialogRequest& r : requests_) out.push_back(r.text);
  return out;
}

ManualClock::ManualClock(TDateTime start, double tick_seconds) : now_(start), tick_(tick_seconds) {
  set_clock([this] {
    ++readings_;
    const TDateTime t = now_;
    now_ += tick_ / SecsPerDay;
    return t;
  });
}

ManualClock::~ManualClock() {
  set_clock(nullptr);
}

std::string source_dir() {
  const char* dir = std::getenv("CORVANE_SOURCE_DIR");
  return dir ? dir : CORVANE_SOURCE_DIR_DEFAULT;
}

}  // namespace corvane::testing
