#include "corvane/frame/Mykpsmall.hpp"

#include "corvane/frame/Package_log.hpp"
#include "corvane/platform/Dialogs.hpp"
#include "corvane/rtl/DateTime.hpp"

namespace corvane {

TYieldProcessProc AYieldProcessProc;
Tpanic_mode panic_mode = panic_no_panic;
bool yes_to_all = false;
bool no_to_all = false;
bool Global_ErrorMessageBusy = false;

void MyYieldProcess() {
  if (AYieldProcessProc) AYieldProcessProc();
}

namespace {
// The one loop behind the three waits. No sleep between passes: it spins on the yield
// procedure, which is where the awaited change happens.
template <typename Holds>
bool wait_while(Holds holds, int seconds) {
  bool timed_out = false;
  if (!holds()) return false;
  const TDateTime start = Now();
  for (;;) {
    for (int i = 0; i < 4; ++i) MyYieldProcess();
    if (seconds < SecondsBetween(Now(), start)) timed_out = true;
    if (!holds() || timed_out) break;
  }
  return timed_out;
}
}  // namespace

bool EspereFuncao(const std::function<bool()>& condition, int seconds) {
  return wait_while([&] { return condition(); }, seconds);
}

bool WaitTillDone(const bool& done, int seconds) {
  return wait_while([&] { return !done; }, seconds);
}

bool WaitedFor(const bool& busy, int seconds) {
  return wait_while([&] { return busy; }, seconds);
}

namespace {
std::u16string extension_of(const std::u16string& name) {
  const std::size_t dot = name.find_last_of(u".\\/:");
  if (dot == std::u16string::npos || name[dot] != u'.') return {};
  return name.substr(dot);
}
}  // namespace

int CheckExec(std::uint32_t result_code, const std::u16string& name) {
  std::u16string message;
  switch (result_code) {
    case 0:
    case 8:
      message = u"Not enough memory to run " + name;
      break;
    case 2:
    case 3:
    case 5:
      message = u"Can't access " + name;
      break;
    case 16:
      message = name + u" already running";
      break;
    case 26:
      message = u"Sharing problem: " + name;
      break;
    case 27:
    case 31:
      message = u"Can't handle files ending \"" + extension_of(name) + u"\"";
      break;
    default:
      if (result_code < 32) message = u"Can't communicate with " + name;
  }
  if (!message.empty()) ShowMessage(message);
  return static_cast<int>(result_code);
}

void Mykpsmall_initialization() {
  panic_mode = panic_no_panic;
}

void Mykpsmall_finalization() {
  AYieldProcessProc = nullptr;
  write_package_log_line(u"quit myKpSmall");
}

}  // namespace corvane
