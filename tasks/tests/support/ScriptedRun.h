// One part of a loaded task run by the program's trial state machine
// (CRunMachine) on a virtual clock, beat by beat on the test's thread, with
// a scripted testee at the response buttons or at the voice key; then what
// the run dialog does at the end of a run, and the compute-variables command
// into the program's run data.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/run/RunEventSink.h"
#include "engine/run/RunMachine.h"
#include "engine/timer/ManualTickSource.h"
#include "engine/timer/TimerMs.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tests/support/run/RunDeviceFakes.h"

namespace qel {

namespace test {

// What the testee does when a display is shown: the buttons `bits` pressed
// (or, with voice, the voice key's channels raised) rtMs after the signal
// for holdMs, or nothing (rtMs < 0); and, with secondRtMs set, the buttons
// `secondBits` pressed at that time as well (two hands, each held for
// holdMs).
struct Answer {
  int32_t rtMs = -1;
  uint32_t bits = 0;
  uint32_t holdMs = 50;
  int32_t secondRtMs = -1;
  uint32_t secondBits = 0;
  bool voice = false;
};
// Called once at every signal with the code shown (the host's current
// code): when the plug-in first reads the buttons while it shows the
// signal, else as soon as it has shown it (the testee then sees the
// display). The host's buttons follow the answer on the host's clock.
using Testee = std::function<Answer(const std::string& code)>;

class ScriptedRun : private IRunEventSink {
 public:
  explicit ScriptedRun(LoadedTask& task);
  ~ScriptedRun();
  ScriptedRun(const ScriptedRun&) = delete;
  ScriptedRun& operator=(const ScriptedRun&) = delete;

  // Runs the part that the set-up command prepared to its end (false when it does
  // not start or end within the limit). The task's stored trial count of
  // the part is then the response count, as the run dialog leaves it.
  bool RunPart(int part, bool practice, const Testee& testee, uint32_t limitMs = 3'000'000);
  // The end of a run: norm switch, test date, testee, cleared values, then
  // the compute-variables command; its value (-1 when refused).
  int32_t ComputeVariables(bool practice, const QelTesteeRecord* testee, const QelDateTime& testDate);

  // The codes shown, in order.
  const std::vector<std::string>& Shown() const { return m_shown; }
  uint32_t Now() const { return m_timer.GetElapsedMs(); }
  // The voice key the machine reads (threshold and restarts as the run set them).
  const TestVoiceKey& VoiceKey() const { return m_voiceKey; }

 private:
  void PostRunEvent(int32_t code, intptr_t lParam) override;
  void Pump();
  // The buttons the answer holds down at a time of the run clock.
  uint32_t ButtonsAt(uint32_t now);
  // Asks the testee for the answer to the display shown last, once.
  const Answer& CurrentAnswer();

  LoadedTask& m_t;
  qel::ManualTickSource m_source;
  qel::CTimerMs m_timer{&m_source};
  TestVoiceKey m_voiceKey;
  std::unique_ptr<CRunMachine> m_machine;
  std::deque<std::pair<int32_t, intptr_t>> m_events;
  std::vector<std::string> m_shown;
  Testee m_testee;
  Answer m_answer;
  bool m_asked = true;  // the testee has answered the display shown last
  uint32_t m_signalOnAt = 0;
  bool m_ended = false;
};

}  // namespace test

}  // namespace qel
