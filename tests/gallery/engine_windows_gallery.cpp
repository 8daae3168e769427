// The run's windows: the run dialog with Tapping, the tasks-available list of
// the program's plug-ins, the timer status, and the display's break,
// properties and settings dialogs.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <memory>

#include "app/settings/SystemSettings.h"
#include "display/ui/DDDisplay.h"
#include "display/ui/DlgDDBreak.h"
#include "display/ui/DlgDDWndProp.h"
#include "display/ui/DlgDDWndSet.h"
#include "display/ui/ScreenResources.h"
#include "display/ui/WndDD.h"
#include "editors/ModelTaskEditor.h"
#include "engine/library/TaskLibraries.h"
#include "engine/library/TaskLibrary.h"
#include "engine/rundlg/tests/RunDlgTestSupport.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "engine/rundlg/ui/DlgTasksAvailable.h"
#include "engine/timer/ManualTickSource.h"
#include "engine/timer/TimerMs.h"
#include "engine/timer/ui/DlgTimerStatus.h"
#include "tests/gallery/Gallery.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

using namespace test;

namespace {

void NoBeat(intptr_t) {}

TEST(EngineWindows, RunDialogWithTapping) {
  ResetSystemSettings();
  ScoreRecorder scores;
  SetScoreDialogFactory(&scores);
  CTaskLibrary library;
  library.host = &Host();
  ASSERT_TRUE(library.Load(QEL_OUTPUT_DIR "/QelTP.qet", true));
  CExpModelTask task;
  task.SetFromModelTask(library.modelDefault);
  task.library = &library;
  RunData().SetTask(&task);
  auto* dialog = new CDlgRun(nullptr, Host(), RunData());
  dialog->SetTask(&task);
  dialog->SetTitle(true);
  ExpectDrawn(Snap(dialog, "run_dialog"), "run dialog");
  dialog->Destroy();
  Pump(30);
  wxTheApp->ProcessIdle();
  SetScoreDialogFactory(nullptr);
  library.Unload();
}

TEST(EngineWindows, TasksAvailableWithTheProgramsPlugins) {
  SetTaskFolder(QEL_OUTPUT_DIR "/any");
  ASSERT_GT(FindTaskLibraries(&Host()), 0);
  auto* dialog = new CDlgTasksAvailable(nullptr, IModelTaskEditor::kAddAppend);
  ExpectDrawn(Snap(dialog, "tasks_available"), "tasks available");
  dialog->Destroy();
  Pump(30);
  wxTheApp->ProcessIdle();
  UnloadTaskLibraries();
}

TEST(EngineWindows, TimerStatus) {
  ManualTickSource clock;
  CTimerMs timer(&clock);
  ASSERT_TRUE(timer.Start(&NoBeat, 0));
  clock.RunMs(25);
  auto* frame = new wxFrame(nullptr, wxID_ANY, "run");
  auto* dialog = new CDlgTimerStatus(frame, timer);
  dialog->SampleNow();
  ExpectDrawn(Snap(dialog, "timer_status"), "timer status");
  dialog->Destroy();
  timer.Stop();
  frame->Destroy();
  Pump(30);
}

TEST(EngineWindows, DisplayBreakPropertiesAndSettings) {
  CDDDisplay display;
  ASSERT_TRUE(display.DisplayEnum());
  ASSERT_TRUE(display.CreateFullScreen(0, 0));
  display.SetInstResource(QelScreenResources());
  display.m_strBreakText = "Rest a moment.\nThen press Continue.";
  display.BreakSetTitle("Trial 3 from 20: pause");
  ASSERT_EQ(display.SendMessageA(kDispCmdOpenBreak, 0), 1);
  ExpectDrawn(Snap(display.GetWndDD()->GetBreakDialog().GetWindow(), "display_break"), "break dialog");
  display.SendMessageA(kDispCmdContinue, 0);
  Pump(30);

  CWndDD* wnd = display.GetWndDD();
  wnd->m_ptContext = wxPoint(0, 0);
  wxCommandEvent choose(wxEVT_MENU, CWndDD::kIdProperties);
  wnd->GetWindow()->GetEventHandler()->ProcessEvent(choose);
  ExpectDrawn(Snap(wnd->GetPropertiesDialog(), "display_properties"), "properties dialog");
  display.Free();
  Pump(30);

  auto* settings = new CDlgDDWndSet(nullptr);
  ExpectDrawn(Snap(settings, "display_settings"), "settings dialog");
  settings->Destroy();
  Pump(30);
}

}  // namespace

}  // namespace qel
