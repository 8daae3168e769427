// The command channel, the break dialog, the space bar and task dialogs.
#include <X11/keysym.h>
#include <wx/button.h>
#include <wx/dialog.h>

#include <atomic>
#include <thread>

#include "display/tests/DisplayFixture.h"
#include "display/ui/DlgDDBreak.h"

namespace qel {

namespace display::test {
namespace {

// A plug-in's dialog: a plain 300 x 200 window.
class TaskDialog : public CDialogInst {
 public:
  TaskDialog() : CDialogInst(nullptr, QelScreenResources(), 700) {}
  ~TaskDialog() override { DestroyWindow(); }
  bool CreateModeless(void* parent) override {
    if (m_failCreate) return false;
    m_dialog = new wxDialog(static_cast<wxWindow*>(parent), wxID_ANY, "Task", wxDefaultPosition, wxSize(300, 200),
                            wxBORDER_NONE);
    m_createdOnUiThread = wxIsMainThread();
    return true;
  }
  void* GetWindow() override { return m_dialog; }
  int RunModal(void* parent) override {
    m_modalParent = parent;
    return 77;
  }
  bool DestroyWindow() override {
    if (!m_dialog) return false;
    m_dialog->Destroy();
    m_dialog = nullptr;
    return true;
  }

  wxDialog* m_dialog = nullptr;
  bool m_failCreate = false;
  bool m_createdOnUiThread = false;
  void* m_modalParent = nullptr;
};

class BreakTest : public DisplayTest {
 protected:
  void OpenFullScreen() {
    ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
    m_display.SetInstResource(QelScreenResources());
    m_display.m_strStopCaption = "Stop run";
    m_display.m_strStopQuestion = "Stop the task?";
    m_display.m_strBreakText = "Rest a moment.\nThen press Continue.";
    Pump(30);
  }
  wxWindow* Window() { return m_display.GetWndDD()->GetWindow(); }
  CDlgDDBreak& Break() { return m_display.GetWndDD()->GetBreakDialog(); }
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
  BeepCounter m_beeps;
};

TEST_F(BreakTest, CommandZeroOpensTheBreakDialogOnlyWithAResourceModule) {
  ASSERT_TRUE(m_display.CreateFullScreen(0, 0));
  EXPECT_EQ(m_display.SendMessageA(kDispCmdOpenBreak, 0), 0);  // no dialog module yet
  EXPECT_FALSE(Break().IsOpen());
  m_display.SetInstResource(QelScreenResources());
  m_display.m_strBreakText = "Rest <a> moment";
  m_display.BreakSetTitle("Trial 3 from 20: pause");
  EXPECT_EQ(m_display.SendMessageA(kDispCmdOpenBreak, 0), 1);
  ASSERT_TRUE(Break().IsOpen());
  EXPECT_EQ(m_display.BreakGetState(), kBreakOnScreen);
  wxDialog* dlg = Break().GetWindow();
  EXPECT_EQ(dlg->GetTitle(), "Trial 3 from 20: pause");
  EXPECT_EQ(dlg->FindWindow(wxID_CANCEL)->GetLabel(), "Continue");
  EXPECT_EQ(dlg->FindWindow(wxID_OK)->GetLabel(), "Stop");
  EXPECT_NE(dlg->FindWindow(CDlgDDBreak::kIdText), nullptr);
  EXPECT_EQ(dlg->FindWindow(CDlgDDBreak::kIdHelp)->GetLabel(), "Help");
  EXPECT_FALSE(dlg->FindWindow(CDlgDDBreak::kIdShow)->IsEnabled());
  EXPECT_EQ(dlg->GetPosition().y, 0);  // at the top of the display
  // Open already: refused, nothing changes.
  EXPECT_EQ(m_display.SendMessageA(kDispCmdOpenBreak, 0), 0);
  EXPECT_FALSE(m_display.BreakCreate());
  EXPECT_EQ(m_display.BreakGetState(), kBreakOnScreen);
  // The continue command closes it as "Continue".
  EXPECT_EQ(m_display.SendMessageA(kDispCmdContinue, 0), 0);
  EXPECT_FALSE(Break().IsOpen());
  EXPECT_EQ(m_display.BreakGetState(), kBreakContinue);
  EXPECT_FALSE(m_display.IsStopped(false));
  EXPECT_EQ(m_display.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, ContinueWithoutADialogStillAnswersContinue) {
  OpenFullScreen();
  m_display.BreakSetState(kBreakRequested);
  m_display.SendMessageA(kDispCmdContinue, 0);
  EXPECT_EQ(m_display.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, ShowButtonFollowsTheHostsFlagAndHelpShowsTheText) {
  OpenFullScreen();
  m_display.m_bShowButton = true;
  ASSERT_TRUE(m_display.BreakCreate());
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
  EXPECT_EQ(m_display.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, StopAsksAndNoKeepsTheDialog) {
  OpenFullScreen();
  ASSERT_TRUE(m_display.BreakCreate());
  m_messages.Answer(kMsgAnswerNo);
  Click(wxID_OK);
  ASSERT_EQ(m_messages.Messages().size(), 1u);
  EXPECT_EQ(m_messages.Messages()[0].text, "Stop the task?");
  EXPECT_EQ(m_messages.Messages()[0].caption, "Stop run");
  EXPECT_EQ(m_messages.Messages()[0].style, kMsgYesNo | kMsgIconQuestion | kMsgDefault2);
  EXPECT_TRUE(Break().IsOpen());
  EXPECT_EQ(m_display.BreakGetState(), kBreakOnScreen);
  m_messages.Answer(kMsgAnswerYes);
  Click(wxID_OK);
  EXPECT_FALSE(Break().IsOpen());
  EXPECT_EQ(m_display.BreakGetState(), kBreakStop);
  EXPECT_TRUE(m_display.IsStopped(true));
  EXPECT_EQ(m_display.BreakGetState(), kBreakStopSeen);
  EXPECT_TRUE(m_display.IsStopped(false));
}

TEST_F(BreakTest, StopWithoutConfirmationEndsTheBreakAtOnce) {
  OpenFullScreen();
  m_display.m_bNoStopConfirm = true;
  ASSERT_TRUE(m_display.BreakCreate());
  Click(wxID_OK);
  EXPECT_TRUE(m_messages.Messages().empty());
  EXPECT_EQ(m_display.BreakGetState(), kBreakStop);
}

TEST_F(BreakTest, SpaceBarOpensTheBreakInFullScreenOnly) {
  ASSERT_TRUE(m_display.CreateWindowed(0, 200, 100));
  m_display.SetInstResource(QelScreenResources());
  PressSpace();
  EXPECT_EQ(m_beeps.Count(), 1);  // breaks are not allowed in a window
  EXPECT_FALSE(Break().IsOpen());

  OpenFullScreen();
  const int before = m_beeps.Count();
  PressSpace();
  EXPECT_EQ(m_beeps.Count() - before, 2);
  EXPECT_TRUE(Break().IsOpen());
  PressSpace();  // reaches the display while the dialog is open
  EXPECT_EQ(m_beeps.Count() - before, 3);
  EXPECT_EQ(m_display.BreakGetState(), kBreakOnScreen);
}

TEST_F(BreakTest, ARealSpaceKeyOpensTheBreak) {
  OpenFullScreen();
  XTestInput keys;
  keys.Warp(512, 384);
  keys.KeySym(XK_space, true);
  keys.KeySym(XK_space, false);
  keys.Sync();
  EXPECT_TRUE(PumpUntil([&] { return Break().IsOpen(); }));
  EXPECT_GE(m_beeps.Count(), 2);
}

TEST_F(BreakTest, TaskDialogIsPlacedByTheRule) {
  OpenFullScreen();
  TaskDialog task;
  EXPECT_EQ(m_display.TaskDlgCreate(&task, nullptr, 700, false), 0);  // no module
  EXPECT_EQ(task.m_dialog, nullptr);
  EXPECT_EQ(m_display.TaskDlgCreate(&task, QelScreenResources(), 700, true), 1);
  ASSERT_NE(task.m_dialog, nullptr);
  EXPECT_EQ(task.m_dialog->GetSize(), wxSize(300, 200));
  EXPECT_EQ(task.m_dialog->GetPosition(), wxPoint(412, 426));
  EXPECT_TRUE(task.m_dialog->IsShown());
  EXPECT_TRUE(m_display.GetWndDD()->m_bCursorShow);
  EXPECT_EQ(m_display.GetWndDD()->m_nTaskDlgId, 700);
  EXPECT_EQ(m_display.TaskDlgDestroy(&task, QelScreenResources(), 700), 1);
  EXPECT_EQ(task.m_dialog, nullptr);
  EXPECT_EQ(m_display.TaskDlgDestroy(&task, QelScreenResources(), 700), 0);
  task.m_failCreate = true;
  EXPECT_EQ(m_display.TaskDlgCreate(&task, QelScreenResources(), 700, false), 0);
}

TEST_F(BreakTest, CommandsFromAWorkerThreadRunOnTheUserInterfaceThread) {
  OpenFullScreen();
  TaskDialog task;
  std::atomic<long> created{-1};
  std::thread worker([&] { created = m_display.TaskDlgCreate(&task, QelScreenResources(), 1, false); });
  ASSERT_TRUE(PumpUntil([&] { return created != -1; }));
  worker.join();
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(task.m_createdOnUiThread);
  std::atomic<int> opened{-1};
  std::thread breaker([&] { opened = m_display.BreakCreate() ? 1 : 0; });
  ASSERT_TRUE(PumpUntil([&] { return opened != -1; }));
  breaker.join();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(m_display.BreakGetState(), kBreakOnScreen);
}

TEST_F(BreakTest, PostedAndModalDialogCommands) {
  OpenFullScreen();
  TaskDialog task;
  EXPECT_EQ(m_display.DlgCreate(&task), 1);  // posted: created later
  EXPECT_EQ(task.m_dialog, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return task.m_dialog != nullptr; }));
  EXPECT_TRUE(task.m_dialog->IsShown());
  EXPECT_EQ(task.m_pOwner, Window());

  TaskDialog noModule;
  noModule.m_hInstResource = nullptr;
  m_display.PostMessageA(kDispCmdCreateDialog, reinterpret_cast<intptr_t>(&noModule));
  Pump(30);
  EXPECT_EQ(noModule.m_dialog, nullptr);

  EXPECT_EQ(m_display.SendMessageA(kDispCmdModalDialog, reinterpret_cast<intptr_t>(&task)), 77);
  EXPECT_EQ(task.m_modalParent, Window());
  EXPECT_EQ(m_display.SendMessageA(kDispCmdModalDialog, 0), 0);
  EXPECT_EQ(m_display.DlgDoModal(nullptr), 0);
  EXPECT_EQ(m_display.DlgDoModal(&task), 77);
  EXPECT_EQ(m_display.SendMessageA(99, 0), 0);
  EXPECT_EQ(m_display.PostMessageA(99, 0), 1);
  Pump(10);
  m_display.Free();
  EXPECT_EQ(m_display.PostMessageA(kDispCmdOpenBreak, 0), 0);
  EXPECT_EQ(m_display.SendMessageA(kDispCmdOpenBreak, 0), 0);
  EXPECT_EQ(m_display.TaskDlgCreate(&task, QelScreenResources(), 1, false), 0);
}

TEST_F(BreakTest, PostedBreakCommandOpensTheDialog) {
  OpenFullScreen();
  EXPECT_EQ(m_display.PostMessageA(kDispCmdOpenBreak, 0), 1);
  EXPECT_TRUE(PumpUntil([&] { return Break().IsOpen(); }));
  m_display.BreakCancel();
  EXPECT_EQ(m_display.BreakGetState(), kBreakContinue);
}

TEST_F(BreakTest, FreeClosesAnOpenBreakDialog) {
  OpenFullScreen();
  ASSERT_TRUE(m_display.BreakCreate());
  m_display.Free();
  EXPECT_FALSE(Break().IsOpen());
  EXPECT_EQ(m_display.BreakGetState(), kBreakRequested);
  Pump(30);
  OpenFullScreen();
  EXPECT_TRUE(m_display.BreakCreate());
}

}  // namespace
}  // namespace display::test

}  // namespace qel
