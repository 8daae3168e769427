#include "tasks/tests/support/ScriptedRun.h"

#include <cstring>

#include "include/qel/TaskEntry.h"

namespace qel {

namespace test {

ScriptedRun::ScriptedRun(LoadedTask& task) : t_(task) {
  RunMachineDevices devices;
  devices.clock = &timer_;
  devices.events = this;
  machine_ = std::make_unique<CRunMachine>(devices);
}

ScriptedRun::~ScriptedRun() {
  machine_->Stop();
  timer_.Stop();
}

void ScriptedRun::PostRunEvent(int32_t code, intptr_t lParam) { events_.emplace_back(code, lParam); }

void ScriptedRun::Pump() {
  while (!events_.empty()) {
    const auto [code, lParam] = events_.front();
    events_.pop_front();
    const RunEventAction action = machine_->OnRunEvent(code, lParam);
    if (code == kRunEventSignalOn) {
      // The display is on the screen from now: the testee looks at it.
      const std::string shown(t_.host.currentCode, strnlen(t_.host.currentCode, kTrialCodeSize));
      shown_.push_back(shown);
      signalOnAt_ = Now();
      answer_ = testee_ ? testee_(shown) : Answer{};
    }
    if (action == RunEventAction::kEndRun) {
      ended_ = true;
      machine_->Stop();
    }
  }
}

bool ScriptedRun::RunPart(int part, bool practice, const Testee& testee, uint32_t limitMs) {
  testee_ = testee;
  ended_ = false;
  shown_.clear();
  answer_ = Answer{};
  t_.runData->ClearPart(part);
  if (!timer_.Start(&CRunMachine::TimerCallback, reinterpret_cast<intptr_t>(machine_.get()))) return false;
  RunPartSetup setup;
  setup.task = &t_.task;
  setup.host = &t_.host;
  setup.runData = t_.runData.get();
  setup.part = part;
  setup.practice = practice;
  setup.seed = 1;
  if (!machine_->StartPart(setup)) return false;

  for (uint32_t i = 0; i < limitMs && !ended_; ++i) {
    // The buttons as the next beat will read them.
    const uint32_t next = Now() + 1;
    t_.host.now = next;
    const bool pressed = answer_.rtMs >= 0 && !shown_.empty() && next >= signalOnAt_ + answer_.rtMs &&
                         next < signalOnAt_ + answer_.rtMs + answer_.holdMs;
    t_.host.buttons = pressed ? answer_.bits : 0;
    source_.RunMs(1);
    Pump();
  }
  machine_->Stop();
  timer_.Stop();
  t_.task.trialCounts[part] = machine_->GetResponseCount();
  return ended_;
}

int32_t ScriptedRun::ComputeVariables(bool practice, const QelTesteeRecord* testee, const QelDateTime& testDate) {
  CTaskRunData& data = *t_.runData;
  data.normTableSwitch = practice ? 1 : 0;
  data.testDate = testDate;
  data.testee = testee;
  data.resultWord = 0;
  data.ClearValues();
  int32_t v = -1;
  if (!t_.library.CallTaskEntry(kCmdComputeVariables, reinterpret_cast<intptr_t>(&data), 0, 0, &v)) return -1;
  return v;
}

}  // namespace test

}  // namespace qel
