#include "engine/rundlg/tests/RunDialogFixture.h"

#include <wx/app.h>

#include <cstdlib>

#include "app/settings/SystemSettings.h"
#include "engine/rundlg/ui/HostRunDevices.h"
#include "ui/ui/MainWindows.h"

namespace qel {

namespace test {

void RunDialogFixture::SetUp() {
  ResetScript();
  ResetSystemSettings();
  g_ButtonType = 0;
  g_SignalSync = 1;
  // The dialog's port writes into the file.
  setenv("QEL_PARPORT", m_portFile.Path().c_str(), 1);
  Host().breakFlag = 0;
  MakeScriptTask(m_task, &m_library);
  m_devices.m_freeDisplay = [] { Host().FreeDisplay(); };
  SetScoreDialogFactory(&m_scores);
  m_caller = new NotifyRecorder;
  m_view = new NotifyRecorder;
  m_frame = new NotifyRecorder;
  qel::SetMainViewWindow(m_view);
  qel::SetMainFrameWindow(m_frame);
  m_dialog = new CDlgRun(nullptr, Host(), RunData(), &m_devices, &m_source);
  m_dialog->SetTask(&m_task);
  m_dialog->SetNotifyWindow(m_caller);
  m_dialog->SetTitle(true);
}

void RunDialogFixture::TearDown() {
  if (m_dialog) m_dialog->Destroy();
  m_caller->Destroy();
  m_view->Destroy();
  m_frame->Destroy();
  Pump();
  wxTheApp->ProcessIdle();
  SetScoreDialogFactory(nullptr);
  qel::SetMainViewWindow(nullptr);
  qel::SetMainFrameWindow(nullptr);
  unsetenv("QEL_PARPORT");
  Host().FreeDisplay();
}

bool RunDialogFixture::RunUntil(const std::function<bool()>& done, uint32_t limitMs) {
  return StepUntil(
      m_source, [] { Pump(); }, done, limitMs);
}

bool RunDialogFixture::RunToEnd(uint32_t limitMs) {
  return RunUntil([this] { return !m_dialog->IsRunActive(); }, limitMs);
}

void RunDialogFixture::UseRealDisplay() {
  m_devices.m_fullScreen = [](int displayIndex) { return OpenRunFullScreen(Host(), displayIndex); };
}

wxString RunDialogFixture::Label(int id) const {
  wxWindow* w = m_dialog->FindWindow(id);
  return w ? w->GetLabel() : wxString("<none>");
}

}  // namespace test

}  // namespace qel
