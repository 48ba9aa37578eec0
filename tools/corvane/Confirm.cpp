#include "tools/corvane/Confirm.hpp"

#include <unistd.h>

#include <iostream>
#include <string>

#include "corvane/rtl/Utf.hpp"

namespace corvane::cli {

namespace {

// The text with its carriage returns as line breaks.
std::string printable(const std::u16string& text) {
  std::string out = u8(text);
  for (char& c : out)
    if (c == '\r') c = '\n';
  return out;
}

int answer(const TDialogRequest& request, bool yes, std::ostream& err) {
  const TMsgDlgButtons offered = request.buttons;
  const bool question =
      has_button(offered, mbYes) || has_button(offered, mbCancel) || has_button(offered, mbNo);
  if (!question) {
    err << "corvane: " << printable(request.text) << '\n';
    return has_button(offered, mbOK) ? mrOk : no_host_answer(offered);
  }
  if (yes) return has_button(offered, mbYes) ? mrYes : mrOk;
  if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) {
    err << "corvane: " << printable(request.text) << " (not asked: no terminal; --yes agrees)\n";
    return no_host_answer(offered);
  }
  err << printable(request.text) << " [y/N] " << std::flush;
  std::string line;
  const bool agreed =
      std::getline(std::cin, line) && !line.empty() && (line[0] == 'y' || line[0] == 'Y');
  if (agreed) return has_button(offered, mbYes) ? mrYes : mrOk;
  return has_button(offered, mbNo) ? mrNo : mrCancel;
}

}  // namespace

ScopedConfirmations::ScopedConfirmations(bool yes, std::ostream& err)
    : previous_(set_dialog_hook(
          [yes, &err](const TDialogRequest& request) { return answer(request, yes, err); })) {}

ScopedConfirmations::~ScopedConfirmations() {
  set_dialog_hook(std::move(previous_));
}

}  // namespace corvane::cli
