#include "tasks/tests/support/ScriptedRun.h"

#include <cstring>

#include "include/qel/TaskEntry.h"

namespace qel {

namespace test {

ScriptedRun::ScriptedRun(LoadedTask& task) : m_t(task) {
  RunMachineDevices devices;
  devices.clock = &m_timer;
  devices.events = this;
  m_machine = std::make_unique<CRunMachine>(devices);
}

ScriptedRun::~ScriptedRun() {
  m_machine->Stop();
  m_timer.Stop();
}

void ScriptedRun::PostRunEvent(int32_t code, intptr_t lParam) { m_events.emplace_back(code, lParam); }

void ScriptedRun::Pump() {
  while (!m_events.empty()) {
    const auto [code, lParam] = m_events.front();
    m_events.pop_front();
    if (code == kRunEventSignalOn) {
      // The display goes on the screen now: the testee looks at it (a
      // plug-in may read the buttons while it shows it).
      const std::string shown(m_t.m_host.currentCode, strnlen(m_t.m_host.currentCode, kTrialCodeSize));
      m_shown.push_back(shown);
      m_signalOnAt = Now();
      m_answer = m_testee ? m_testee(shown) : Answer{};
    }
    const RunEventAction action = m_machine->OnRunEvent(code, lParam);
    // The answer belongs to its trial: none once it is scored.
    if (code == kRunEventScore) m_answer = Answer{};
    if (action == RunEventAction::kEndRun) {
      m_ended = true;
      m_machine->Stop();
    }
  }
}

uint32_t ScriptedRun::ButtonsAt(uint32_t now) const {
  if (m_shown.empty()) return 0;
  const auto held = [&](int32_t rt) {
    return rt >= 0 && now >= m_signalOnAt + static_cast<uint32_t>(rt) &&
           now < m_signalOnAt + static_cast<uint32_t>(rt) + m_answer.holdMs;
  };
  return (held(m_answer.rtMs) ? m_answer.bits : 0) | (held(m_answer.secondRtMs) ? m_answer.secondBits : 0);
}

bool ScriptedRun::RunPart(int part, bool practice, const Testee& testee, uint32_t limitMs) {
  m_testee = testee;
  m_t.m_host.m_buttonsAt = [this](uint32_t now) { return ButtonsAt(now); };
  m_ended = false;
  m_shown.clear();
  m_answer = Answer{};
  m_t.m_runData->ClearPart(part);
  if (!m_timer.Start(&CRunMachine::TimerCallback, reinterpret_cast<intptr_t>(m_machine.get()))) return false;
  RunPartSetup setup;
  setup.task = &m_t.m_task;
  setup.host = &m_t.m_host;
  setup.runData = m_t.m_runData.get();
  setup.part = part;
  setup.practice = practice;
  setup.seed = 1;
  if (!m_machine->StartPart(setup)) return false;

  for (uint32_t i = 0; i < limitMs && !m_ended; ++i) {
    // The host's clock as the next beat will read it.
    m_t.m_host.m_now = Now() + 1;
    m_source.RunMs(1);
    Pump();
  }
  m_machine->Stop();
  m_timer.Stop();
  m_t.m_host.m_buttonsAt = nullptr;
  m_t.m_task.trialCounts[part] = m_machine->GetResponseCount();
  return m_ended;
}

int32_t ScriptedRun::ComputeVariables(bool practice, const QelTesteeRecord* testee, const QelDateTime& testDate) {
  CTaskRunData& data = *m_t.m_runData;
  data.normTableSwitch = practice ? 1 : 0;
  data.testDate = testDate;
  data.testee = testee;
  data.resultWord = 0;
  data.ClearValues();
  int32_t v = -1;
  if (!m_t.m_library.CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(&data), 0, 0, &v)) return -1;
  return v;
}

}  // namespace test

}  // namespace qel
