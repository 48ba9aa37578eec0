#include "corvane/platform/Dialogs.hpp"

#include <gtest/gtest.h>

#include "testing/Test_support.hpp"

namespace corvane {
namespace {

TEST(Dialogs, WithNoHostTheAnswerIsTheOneThatLosesNothing) {
  EXPECT_EQ(no_host_answer(buttons({mbYes, mbNo})), mrNo);
  EXPECT_EQ(no_host_answer(buttons({mbYes, mbNo, mbCancel})), mrNo);
  EXPECT_EQ(no_host_answer(buttons({mbYes, mbNo, mbYesToAll, mbNoToAll})), mrNo);
  EXPECT_EQ(no_host_answer(buttons({mbOK, mbCancel})), mrCancel);
  EXPECT_EQ(no_host_answer(buttons({mbOK})), mrOk);
  EXPECT_EQ(no_host_answer(buttons({mbAbort, mbRetry, mbIgnore})), mrAbort);
  EXPECT_EQ(MessageDlg(u"Overwrite x?", mtConfirmation, buttons({mbYes, mbNo})), mrNo);
}

TEST(Dialogs, AnInstalledHookSeesTheRequestAndGivesTheAnswer) {
  testing::RecordingDialogHook hook(mrYes);
  EXPECT_EQ(MessageDlg(u"Delete x?", mtConfirmation, buttons({mbYes, mbNo})), mrYes);
  ShowMessage(u"done");
  ASSERT_EQ(hook.requests().size(), 2u);
  EXPECT_EQ(hook.requests()[0].type, mtConfirmation);
  EXPECT_TRUE(has_button(hook.requests()[0].buttons, mbNo));
  EXPECT_FALSE(has_button(hook.requests()[0].buttons, mbCancel));
  EXPECT_EQ(hook.requests()[1].text, u"done");
}

TEST(Dialogs, RemovingTheHookRestoresTheNoHostAnswer) {
  { testing::RecordingDialogHook hook(mrYes); }
  EXPECT_EQ(MessageDlg(u"Overwrite x?", mtConfirmation, buttons({mbYes, mbNo})), mrNo);
}

}  // namespace
}  // namespace corvane
