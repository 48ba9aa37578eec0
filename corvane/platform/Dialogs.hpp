#pragma once
// Message boxes and confirmations. The library never draws a window: every question or
// message goes through one replaceable hook, as the yield procedure does. A host (a GUI,
// the command-line program, a test) installs its own; with none installed the answer is
// the one that loses nothing: No where No is offered (so nothing is overwritten or
// deleted), else Cancel, else OK; the text is written to standard error so it is not lost.

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};

// A set of buttons: bit (1 << TMsgDlgBtn).
using TMsgDlgButtons = std::uint32_t;
constexpr TMsgDlgButtons buttons(std::initializer_list<TMsgDlgBtn> list) {
  TMsgDlgButtons set = 0;
  for (TMsgDlgBtn b : list) set |= 1u << b;
  return set;
}
constexpr bool has_button(TMsgDlgButtons set, TMsgDlgBtn b) {
  return (set >> b) & 1u;
}

// Modal results, with the values the tools compare against.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10
};

struct TDialogRequest {
  std::u16string caption;  // empty: the host's default caption
  std::u16string text;     // a carriage return starts a new line
  TMsgDlgType type = mtInformation;
  TMsgDlgButtons buttons = 1u << mbOK;
};

// The hook returns one of the modal results of the offered buttons.
using TDialogHook = std::function<int(const TDialogRequest&)>;

// Installs a hook; an empty function restores the no-host behaviour. Returns the old one.
TDialogHook set_dialog_hook(TDialogHook hook);

// What the library calls to show something and wait for the answer.
int show_dialog(const TDialogRequest& request);

// The answer given when no host is installed (see above).
int no_host_answer(TMsgDlgButtons offered);

// Conveniences with the runtime's names.
void ShowMessage(const std::u16string& text);
int MessageDlg(const std::u16string& text, TMsgDlgType type, TMsgDlgButtons offered);

}  // namespace corvane
