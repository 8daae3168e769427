#include "engine/rundlg/tests/RunSessionFixture.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/settings/SystemSettings.h"

namespace qel {

namespace test {

int RecordingMonitor::Count(const std::string& call) const {
  return static_cast<int>(std::count(m_log.begin(), m_log.end(), call));
}

RunSessionFixture::RunSessionFixture() : m_runData(std::make_unique<CTaskRunData>()) {
  ResetSystemSettings();
  g_ButtonType = 0;
  g_SignalSync = 1;
  m_port.SetPath(m_portFile.Path());

  m_script.clock = [this] { return m_timer.GetElapsedMs(); };
  m_script.host = &m_host.m_taskHost;
  SetActivePluginScript(&m_script);
  MakeScriptTask(m_task, &m_library);

  RunSessionCollaborators c;
  c.runData = m_runData.get();
  c.host = &m_host;
  c.devices = &m_devices;
  c.timer = &m_timer;
  c.port = &m_port;
  c.events = &m_events;
  c.scores = &m_scores;
  c.notifier = &m_notifier;
  c.monitor = &m_monitor;
  m_session = std::make_unique<CRunSession>(c);
  m_session->SetTask(&m_task);
}

RunSessionFixture::~RunSessionFixture() {
  m_session.reset();
  SetActivePluginScript(nullptr);
}

void RunSessionFixture::Pump() {
  int32_t code;
  intptr_t lParam;
  while (m_events.Pop(&code, &lParam)) m_session->OnRunEvent(code, lParam);
}

bool RunSessionFixture::RunUntil(const std::function<bool()>& done, uint32_t limitMs) {
  return StepUntil(
      m_source, [this] { Pump(); }, done, limitMs);
}

bool RunSessionFixture::RunToEnd(uint32_t limitMs) {
  return RunUntil([this] { return !m_session->IsRunActive(); }, limitMs);
}

bool RunSessionFixture::WaitUntil(const std::function<bool()>& done, int limitMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (std::chrono::steady_clock::now() < end) {
    Pump();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

}  // namespace test

}  // namespace qel
