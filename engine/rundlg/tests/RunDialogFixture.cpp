#include "engine/rundlg/tests/RunDialogFixture.h"

#include <unistd.h>
#include <wx/app.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

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
  char name[] = "/tmp/qel-rundlg-port-XXXXXX";
  const int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  m_portPath = name;
  setenv("QEL_PARPORT", m_portPath.c_str(), 1);
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
  unlink(m_portPath.c_str());
  Host().FreeDisplay();
}

bool RunDialogFixture::RunUntil(const std::function<bool()>& done, uint32_t limitMs) {
  for (uint32_t i = 0; i < limitMs; ++i) {
    if (done()) return true;
    m_source.RunMs(1);
    Pump();
  }
  return done();
}

bool RunDialogFixture::RunToEnd(uint32_t limitMs) {
  return RunUntil([this] { return !m_dialog->IsRunActive(); }, limitMs);
}

bool RunDialogFixture::WaitUntil(const std::function<bool()>& done, int limitMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (std::chrono::steady_clock::now() < end) {
    Pump();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

std::vector<uint8_t> RunDialogFixture::PortBytes() const {
  std::ifstream in(m_portPath, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
