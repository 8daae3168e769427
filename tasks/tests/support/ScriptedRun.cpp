#include "tasks/tests/support/ScriptedRun.h"

#include <cstring>

#include "include/qel/TaskEntry.h"
#include "tasks/tests/support/RunExpectations.h"

namespace qel {

namespace test {

ScriptedRun::ScriptedRun(LoadedTask& task) : m_t(task) {
  RunMachineDevices devices;
  devices.clock = &m_timer;
  devices.events = this;
  devices.voiceKey = &m_voiceKey;
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
      const std::string shown(m_t.m_host.currentCode, strnlen(m_t.m_host.currentCode, kTrialCodeSize));
      m_shown.push_back(shown);
      m_signalOnAt = Now();
      m_answer = Answer{};
      m_asked = false;
    }
    const RunEventAction action = m_machine->OnRunEvent(code, lParam);
    if (code == kRunEventSignalOn) CurrentAnswer();
    if (action == RunEventAction::kEndRun) {
      m_ended = true;
      m_machine->Stop();
    }
  }
}

const Answer& ScriptedRun::CurrentAnswer() {
  if (!m_asked) {
    m_asked = true;
    m_answer = m_testee ? m_testee(m_shown.back()) : Answer{};
  }
  return m_answer;
}

uint32_t ScriptedRun::ButtonsAt(uint32_t now) {
  if (m_shown.empty()) return 0;
  CurrentAnswer();
  const auto held = [&](int32_t rt) {
    return rt >= 0 && now >= m_signalOnAt + static_cast<uint32_t>(rt) &&
           now < m_signalOnAt + static_cast<uint32_t>(rt) + m_answer.holdMs;
  };
  return (held(m_answer.rtMs) ? m_answer.bits : 0) | (held(m_answer.secondRtMs) ? m_answer.secondBits : 0);
}

bool ScriptedRun::RunPart(int part, bool practice, const Testee& testee, uint32_t limitMs) {
  m_testee = testee;
  // An operator's script of the buttons (clicks) keeps them; otherwise they
  // follow the testee's answers.
  const auto operatorButtons = m_t.m_host.m_buttonsAt;
  if (!operatorButtons) {
    m_t.m_host.m_buttonsAt = [this](uint32_t now) {
      const uint32_t bits = ButtonsAt(now);
      return m_answer.voice ? 0u : bits;
    };
  }
  m_ended = false;
  m_shown.clear();
  m_answer = Answer{};
  m_asked = true;
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
    // The host's clock as the next beat will read it; a spoken answer
    // raises the voice key's channels instead of the buttons.
    const uint32_t next = Now() + 1;
    m_t.m_host.m_now = next;
    m_voiceKey.m_bits = m_answer.voice ? ButtonsAt(next) : 0;
    m_source.RunMs(1);
    Pump();
  }
  m_machine->Stop();
  m_timer.Stop();
  m_t.m_host.m_buttonsAt = operatorButtons;
  m_t.m_task.trialCounts[part] = m_machine->GetResponseCount();
  return m_ended;
}

int32_t ScriptedRun::ComputeVariables(bool practice, const QelTesteeRecord* testee, const QelDateTime& testDate) {
  return test::ComputeVariables(m_t, practice, testee, testDate);
}

}  // namespace test

}  // namespace qel
