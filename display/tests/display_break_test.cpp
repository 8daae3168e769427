// The command channel, the break dialog, the space bar and task dialogs.
#include <X11/keysym.h>
#include <wx/button.h>
#include <wx/dialog.h>

#include <atomic>
#include <thread>

#include "display/ui/DlgDDBreak.h"
#include "display/tests/DisplayFixture.h"

namespace qel {

namespace display::test {
namespace {

// A plug-in's dialog: a plain 300 x 200 window.
class TaskDialog : public CDialogInst {
 public:
  TaskDialog() : CDialogInst(nullptr, QelScreenResources(), 700) {}
  ~TaskDialog() override { DestroyWindow(); }
  bool CreateModeless(void* parent) override {
    if (failCreate) return false;
    dialog = new wxDialog(static_cast<wxWindow*>(parent), wxID_ANY, "Task", wxDefaultPosition, wxSize(300, 200),
                          wxBORDER_NONE);
    createdOnUiThread = wxIsMainThread();
    return true;
  }
  void* GetWindow() override { return dialog; }
  int RunModal(void* parent) override {
    modalParent = parent;
    return 77;
  }
  bool DestroyWindow() override {
    if (!dialog) return false;
    dialog->Destroy();
    dialog = nullptr;
    return true;
  }

  wxDialog* dialog = nullptr;
  bool failCreate = false;
  bool createdOnUiThread = false;
  void* modalParent = nullptr;
};

class BreakTest : public DisplayTest {
 protected:
  void OpenFullScreen() {
    ASSERT_TRUE(display_.CreateFullScreen(0, 0));
    display_.SetInstResource(QelScreenResources());
    display_.m_strStopCaption = "Stop run";
    display_.m_strStopQuestion = "Stop the task?";
    display_.m_strBreakText = "Rest a moment.\nThen press Continue.";
    Pump(30);
  }
  wxWindow* Window() { return display_.GetWndDD()->GetWindow(); }
  CDlgDDBreak& Break() { return display_.GetWndDD()->GetBreakDialog(); }
  void Click(int id) {
    wxDialog* dlg = Break().GetWindow();
    ASSERT_NE(dlg, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(dlg->FindWindow(id));
    dlg->GetEventHandler()->ProcessEvent(click);
  }
  void PressSpace() {
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_SPACE;
    key.SetEventObject(Window());
    Window()->GetEventHandler()->ProcessEvent(key);
  }
  BeepCounter beeps_;
};

TEST_F(BreakTest, CommandZeroOpensTheBreakDialogOnlyWithAResourceModule) {
  ASSERT_TRUE(display_.CreateFullScreen(0, 0));
  EXPECT_EQ(display_.SendMessageA(kDispCmdOpenBreak, 0), 0);  // no dialog module yet
  EXPECT_FALSE(Break().IsOpen());
  display_.SetInstResource(QelScreenResources());
  display_.m_strBreakText = "Rest <a> moment";
  display_.BreakSetTitle("Trial 3 from 20: pause");
  EXPECT_EQ(display_.SendMessageA(kDispCmdOpenBreak, 0), 1);
  ASSERT_TRUE(Break().IsOpen());
  EXPECT_EQ(display_.BreakGetState(), kBreakOnScreen);
  wxDialog* dlg = Break().GetWindow();
  EXPECT_EQ(dlg->GetTitle(), "Trial 3 from 20: pause");
  EXPECT_EQ(dlg->FindWindow(wxID_CANCEL)->GetLabel(), "Continue");
  EXPECT_EQ(dlg->FindWindow(wxID_OK)->GetLabel(), "Stop");
  EXPECT_NE(dlg->FindWindow(CDlgDDBreak::kIdText), nullptr);
  EXPECT_EQ(dlg->FindWindow(CDlgDDBreak::kIdHelp)->GetLabel(), "Help");
  EXPECT_FALSE(dlg->FindWindow(CDlgDDBreak::kIdShow)->IsEnabled());
  EXPECT_EQ(dlg->GetPosition().y, 0);  // at the top of the display
  // Open already: refused, nothing changes.
  EXPECT_EQ(display_.SendMessageA(kDispCmdOpenBreak, 0), 0);
  EXPECT_FALSE(display_.BreakCreate());
  EXPECT_EQ(display_.BreakGetState(), kBreakOnScreen);
  // Command 1 closes it as "Continue".
  EXPECT_EQ(display_.SendMessageA(kDispCmdContinue, 0), 0);
  EXPECT_FALSE(Break().IsOpen());
  EXPECT_EQ(display_.BreakGetState(), kBreakContinue);
  EXPECT_FALSE(display_.IsStopped(false));
  EXPECT_EQ(display_.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, ContinueWithoutADialogStillAnswersContinue) {
  OpenFullScreen();
  display_.BreakSetState(kBreakRequested);
  display_.SendMessageA(kDispCmdContinue, 0);
  EXPECT_EQ(display_.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, ShowButtonFollowsTheHostsFlagAndHelpShowsTheText) {
  OpenFullScreen();
  display_.m_bShowButton = true;
  ASSERT_TRUE(display_.BreakCreate());
  wxDialog* dlg = Break().GetWindow();
  EXPECT_TRUE(dlg->FindWindow(CDlgDDBreak::kIdShow)->IsEnabled());
  EXPECT_EQ(dlg->GetSize().y, Break().GetCollapsedHeight());
  EXPECT_LT(Break().GetCollapsedHeight(), Break().GetExpandedHeight());
  Click(CDlgDDBreak::kIdHelp);
  EXPECT_TRUE(Break().IsExpanded());
  EXPECT_EQ(dlg->GetSize().y, Break().GetExpandedHeight());
  Click(CDlgDDBreak::kIdHelp);
  EXPECT_EQ(dlg->GetSize().y, Break().GetCollapsedHeight());
  Click(CDlgDDBreak::kIdShow);  // no action of its own
  EXPECT_TRUE(Break().IsOpen());
  Click(wxID_CANCEL);
  EXPECT_EQ(display_.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, StopAsksAndNoKeepsTheDialog) {
  OpenFullScreen();
  ASSERT_TRUE(display_.BreakCreate());
  messages_.Answer(kMsgAnswerNo);
  Click(wxID_OK);
  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_EQ(messages_.Messages()[0].text, "Stop the task?");
  EXPECT_EQ(messages_.Messages()[0].caption, "Stop run");
  EXPECT_EQ(messages_.Messages()[0].style, kMsgYesNo | kMsgIconQuestion | kMsgDefault2);
  EXPECT_TRUE(Break().IsOpen());
  EXPECT_EQ(display_.BreakGetState(), kBreakOnScreen);
  messages_.Answer(kMsgAnswerYes);
  Click(wxID_OK);
  EXPECT_FALSE(Break().IsOpen());
  EXPECT_EQ(display_.BreakGetState(), kBreakStop);
  EXPECT_TRUE(display_.IsStopped(true));
  EXPECT_EQ(display_.BreakGetState(), kBreakStopSeen);
  EXPECT_TRUE(display_.IsStopped(false));
}

TEST_F(BreakTest, StopWithoutConfirmationEndsTheBreakAtOnce) {
  OpenFullScreen();
  display_.m_bNoStopConfirm = true;
  ASSERT_TRUE(display_.BreakCreate());
  Click(wxID_OK);
  EXPECT_TRUE(messages_.Messages().empty());
  EXPECT_EQ(display_.BreakGetState(), kBreakStop);
}

TEST_F(BreakTest, SpaceBarOpensTheBreakInFullScreenOnly) {
  ASSERT_TRUE(display_.CreateWindowed(0, 200, 100));
  display_.SetInstResource(QelScreenResources());
  PressSpace();
  EXPECT_EQ(beeps_.Count(), 1);  // breaks are not allowed in a window
  EXPECT_FALSE(Break().IsOpen());

  OpenFullScreen();
  const int before = beeps_.Count();
  PressSpace();
  EXPECT_EQ(beeps_.Count() - before, 2);
  EXPECT_TRUE(Break().IsOpen());
  PressSpace();  // reaches the display while the dialog is open
  EXPECT_EQ(beeps_.Count() - before, 3);
  EXPECT_EQ(display_.BreakGetState(), kBreakOnScreen);
}

TEST_F(BreakTest, ARealSpaceKeyOpensTheBreak) {
  OpenFullScreen();
  XTestInput keys;
  keys.Warp(512, 384);
  keys.KeySym(XK_space, true);
  keys.KeySym(XK_space, false);
  keys.Sync();
  EXPECT_TRUE(PumpUntil([&] { return Break().IsOpen(); }));
  EXPECT_GE(beeps_.Count(), 2);
}

TEST_F(BreakTest, TaskDialogIsPlacedByTheRule) {
  OpenFullScreen();
  TaskDialog task;
  EXPECT_EQ(display_.TaskDlgCreate(&task, nullptr, 700, false), 0);  // no module
  EXPECT_EQ(task.dialog, nullptr);
  EXPECT_EQ(display_.TaskDlgCreate(&task, QelScreenResources(), 700, true), 1);
  ASSERT_NE(task.dialog, nullptr);
  EXPECT_EQ(task.dialog->GetSize(), wxSize(300, 200));
  EXPECT_EQ(task.dialog->GetPosition(), wxPoint(412, 426));
  EXPECT_TRUE(task.dialog->IsShown());
  EXPECT_TRUE(display_.GetWndDD()->m_bCursorShow);
  EXPECT_EQ(display_.GetWndDD()->m_nTaskDlgId, 700);
  EXPECT_EQ(display_.TaskDlgDestroy(&task, QelScreenResources(), 700), 1);
  EXPECT_EQ(task.dialog, nullptr);
  EXPECT_EQ(display_.TaskDlgDestroy(&task, QelScreenResources(), 700), 0);
  task.failCreate = true;
  EXPECT_EQ(display_.TaskDlgCreate(&task, QelScreenResources(), 700, false), 0);
}

TEST_F(BreakTest, CommandsFromAWorkerThreadRunOnTheUserInterfaceThread) {
  OpenFullScreen();
  TaskDialog task;
  std::atomic<long> created{-1};
  std::thread worker([&] { created = display_.TaskDlgCreate(&task, QelScreenResources(), 1, false); });
  ASSERT_TRUE(PumpUntil([&] { return created != -1; }));
  worker.join();
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(task.createdOnUiThread);
  std::atomic<int> opened{-1};
  std::thread breaker([&] { opened = display_.BreakCreate() ? 1 : 0; });
  ASSERT_TRUE(PumpUntil([&] { return opened != -1; }));
  breaker.join();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(display_.BreakGetState(), kBreakOnScreen);
}

TEST_F(BreakTest, PostedAndModalDialogCommands) {
  OpenFullScreen();
  TaskDialog task;
  EXPECT_EQ(display_.DlgCreate(&task), 1);  // posted: created later
  EXPECT_EQ(task.dialog, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return task.dialog != nullptr; }));
  EXPECT_TRUE(task.dialog->IsShown());
  EXPECT_EQ(task.m_pOwner, Window());

  TaskDialog noModule;
  noModule.m_hInstResource = nullptr;
  display_.PostMessageA(kDispCmdCreateDialog, reinterpret_cast<intptr_t>(&noModule));
  Pump(30);
  EXPECT_EQ(noModule.dialog, nullptr);

  EXPECT_EQ(display_.SendMessageA(kDispCmdModalDialog, reinterpret_cast<intptr_t>(&task)), 77);
  EXPECT_EQ(task.modalParent, Window());
  EXPECT_EQ(display_.SendMessageA(kDispCmdModalDialog, 0), 0);
  EXPECT_EQ(display_.DlgDoModal(nullptr), 0);
  EXPECT_EQ(display_.DlgDoModal(&task), 77);
  EXPECT_EQ(display_.SendMessageA(99, 0), 0);
  EXPECT_EQ(display_.PostMessageA(99, 0), 1);
  Pump(10);
  display_.Free();
  EXPECT_EQ(display_.PostMessageA(kDispCmdOpenBreak, 0), 0);
  EXPECT_EQ(display_.SendMessageA(kDispCmdOpenBreak, 0), 0);
  EXPECT_EQ(display_.TaskDlgCreate(&task, QelScreenResources(), 1, false), 0);
}

TEST_F(BreakTest, PostedBreakCommandOpensTheDialog) {
  OpenFullScreen();
  EXPECT_EQ(display_.PostMessageA(kDispCmdOpenBreak, 0), 1);
  EXPECT_TRUE(PumpUntil([&] { return Break().IsOpen(); }));
  display_.BreakCancel();
  EXPECT_EQ(display_.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, FreeClosesAnOpenBreakDialog) {
  OpenFullScreen();
  ASSERT_TRUE(display_.BreakCreate());
  display_.Free();
  EXPECT_FALSE(Break().IsOpen());
  EXPECT_EQ(display_.BreakGetState(), kBreakRequested);
  Pump(30);
  OpenFullScreen();
  EXPECT_TRUE(display_.BreakCreate());
}

}  // namespace
}  // namespace display::test

}  // namespace qel
