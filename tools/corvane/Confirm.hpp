#pragma once
// How the program answers the library's confirmations: --yes answers Yes (or OK) to every
// question; otherwise a question is put on the terminal when standard input and standard
// error are both terminals, and else gets the answer that loses nothing. Messages that ask
// nothing are written to standard error.

#include <ostream>

#include "corvane/platform/Dialogs.hpp"

namespace corvane::cli {

class ScopedConfirmations {
 public:
  ScopedConfirmations(bool yes, std::ostream& err);
  ~ScopedConfirmations();
  ScopedConfirmations(const ScopedConfirmations&) = delete;
  ScopedConfirmations& operator=(const ScopedConfirmations&) = delete;

 private:
  TDialogHook previous_;
};

}  // namespace corvane::cli
