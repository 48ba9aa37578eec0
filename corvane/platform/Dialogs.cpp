#include "corvane/platform/Dialogs.hpp"

#include <cstdio>

#include "corvane/rtl/Utf.hpp"

namespace corvane {

namespace {
TDialogHook& installed_hook() {
  static TDialogHook hook;
  return hook;
}
}  // namespace

TDialogHook set_dialog_hook(TDialogHook hook) {
  TDialogHook old = std::move(installed_hook());
  installed_hook() = std::move(hook);
  return old;
}

int no_host_answer(TMsgDlgButtons offered) {
  if (has_button(offered, mbNo)) return mrNo;
  if (has_button(offered, mbCancel)) return mrCancel;
  if (has_button(offered, mbOK)) return mrOk;
  if (has_button(offered, mbAbort)) return mrAbort;
  if (has_button(offered, mbIgnore)) return mrIgnore;
  return mrNone;
}

int show_dialog(const TDialogRequest& request) {
  if (const TDialogHook& hook = installed_hook()) return hook(request);
  std::string text = u8(request.text);
  for (char& c : text)
    if (c == '\r') c = '\n';
  if (request.caption.empty())
    std::fprintf(stderr, "%s\n", text.c_str());
  else
    std::fprintf(stderr, "%s: %s\n", u8(request.caption).c_str(), text.c_str());
  return no_host_answer(request.buttons);
}

void ShowMessage(const std::u16string& text) {
  show_dialog(TDialogRequest{u"", text, mtInformation, 1u << mbOK});
}

int MessageDlg(const std::u16string& text, TMsgDlgType type, TMsgDlgButtons offered) {
  return show_dialog(TDialogRequest{u"", text, type, offered});
}

}  // namespace corvane
