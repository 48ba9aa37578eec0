#pragma once
// The yield procedure, the cancellation ("panic") state shared with the tools, the small
// wait routines and the reporter of program-start results.

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

// Called from inside every long loop so that the host can keep its window alive.
using TYieldProcessProc = std::function<void()>;

enum Tpanic_mode { panic_no_panic, panic_stop_at_EOF, panic_stop_asap, panic_stop };

extern TYieldProcessProc AYieldProcessProc;
// Set and read by the tools only; the library's loops learn of cancellation through their
// callbacks' results.
extern Tpanic_mode panic_mode;
extern bool yes_to_all;
extern bool no_to_all;
extern bool Global_ErrorMessageBusy;

// Calls AYieldProcessProc when one is set.
void MyYieldProcess();

// Waits, spinning on the yield procedure, while `condition` returns true, for about
// `seconds` at most. True when the wait ended because time ran out.
bool EspereFuncao(const std::function<bool()>& condition, int seconds);
// Waits until `done` becomes true (set by code running inside the yield procedure).
bool WaitTillDone(const bool& done, int seconds);
// Waits until `busy` becomes false.
bool WaitedFor(const bool& busy, int seconds);

// Reports the result code of starting a program or opening a document (32 and above mean
// success) through the dialog hook, and returns the code unchanged.
int CheckExec(std::uint32_t result_code, const std::u16string& name);

void Mykpsmall_initialization();
void Mykpsmall_finalization();

}  // namespace corvane
