// Starting and stopping a part, trial timing and the monitor's views.
#include "engine/run/RunMachine.h"

#include <algorithm>

#include "app/model/ExpModelTask.h"
#include "engine/port/SignalPort.h"
#include "engine/run/RunTimes.h"
#include "engine/timer/TimerMs.h"
#include "include/qel/DisplayInterface.h"
#include "include/qel/TaskHostInterface.h"
#include "include/qel/TaskRunDataInterface.h"

namespace qel {

CRunMachine::CRunMachine(const RunMachineDevices& devices) : devices_(devices) {}

uint32_t CRunMachine::Now() const { return devices_.clock ? devices_.clock->GetElapsedMs() : 0; }

void CRunMachine::WritePort(uint8_t value) {
  if (devices_.port) devices_.port->WriteByte(value);
}

bool CRunMachine::StartPart(const RunPartSetup& setup) {
  if (running_.load()) return false;
  if (!devices_.clock || !devices_.events) return false;
  if (!setup.task || !setup.task->library || !setup.host || !setup.runData) return false;
  if (setup.part < 0 || setup.part >= kMaxParts) return false;

  task_ = setup.task;
  host_ = setup.host;
  display_ = setup.host->display;
  runData_ = setup.runData;
  part_ = setup.part;
  practice_ = setup.practice;
  words_ = setup.task->w;
  random_.Seed(setup.seed);

  WritePort(0);
  if (display_) display_->BreakSetState(kBreakRequested);

  const uint32_t trials = host_->trialCount;
  trialCount_.store(trials);
  secondCount_.store(0);
  // A part without trials ends at its first trial.
  capacity_ = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{3} * trials, kMaxResponses));

  breakState_.store(0);
  warningState_.store(0);
  signalState_.store(0);
  responseState_.store(0);
  feedbackState_.store(0);
  disposition_.store(0);
  breakReason_.store(kReasonNone);
  breakWasUser_.store(0);
  stopped_.store(0);
  secondPhase_.store(0);
  voiceKeyOn_.store(0);
  trialIndex_.store(0);
  secondIndex_.store(0);
  responseCount_.store(0);
  acRun_.store(0);
  omRun_.store(0);
  warningTime_.store(0);
  signalOnTime_.store(0);
  signalOffTime_.store(0);
  responseDeadline_.store(kNoDeadlineMs);
  responseTime_.store(0);
  feedbackEnd_.store(0);
  responseCode_.store(0);
  outcome_.store(kOutcomeNone);
  presetCategory_.store(0);

  responseRequired_ = (words_.TaskFlags & kTaskFlagCountOmissions) != 0 || (words_.TaskType & 0xFFFF) == 2;
  warningInterval_ = kInitialWarningIntervalMs;
  signalDuration_ = 0;
  validStart_ = validEnd_ = 0;
  feedbackDuration_ = kFeedbackDurationMs;
  stepBack_ = 0;
  target_ = false;
  expected_ = 0;
  std::fill(std::begin(categoryCounts_), std::end(categoryCounts_), 0);
  rtSum_ = 0;
  rtCount_ = 0;
  meanRt_ = 0;
  ClearIndicators();
  status_.clear();
  breakTitle_[0] = '\0';

  host_->responseCount = 0;
  host_->trialIndex = 0;
  host_->secondIndex = 0;
  host_->secondListFlag = 0;

  referenceTime_.store(LaterMs(Now(), AsDuration(task_->GetStartDelay())));
  phase_.store(kPhasePartStart);
  running_.store(1);
  return true;
}

void CRunMachine::Stop() { running_.store(0); }

void CRunMachine::TimerCallback(intptr_t machine) {
  if (machine) reinterpret_cast<CRunMachine*>(machine)->OnTrialTick();
}

void CRunMachine::AnswerBreak(bool stop) {
  if (stop) stopped_.store(1);
  if (display_) display_->BreakSetState(stop ? kBreakStop : kBreakContinue);
}

void CRunMachine::ScheduleTrial(uint32_t t) {
  const QelTaskWords& w = words_;
  const uint32_t interval = w.TaskIntType == 2 ? random_.Interval(w.TaskIntLow, w.TaskIntHigh) : w.TaskIntLow;
  const uint32_t s = LaterMs(t, interval);
  referenceTime_.store(s);
  uint32_t warning = s;
  uint32_t on = s;
  int32_t warningState = 0;
  if (w.TaskFlags & kTaskFlagExtraWarning) {
    warningState = 1;
    // The warning precedes the signal by W; right at the start of a run,
    // where S - W would fall below 0, the signal moves W later instead.
    if (s < warningInterval_) {
      on = LaterMs(s, warningInterval_);
    } else {
      warning = s - warningInterval_;
    }
  }
  switch (w.TaskSDType) {
    case 0: signalDuration_ = w.TaskVRHigh; break;
    case 1: signalDuration_ = w.TaskSDLow; break;
    case 2: signalDuration_ = random_.Interval(w.TaskSDLow, w.TaskSDHigh); break;
    case 3: signalDuration_ = interval; break;
    default: signalDuration_ = kNoDeadlineMs; break;
  }
  warningTime_.store(warning);
  SetTimesFromSignalOn(on);
  warningState_.store(warningState);
  signalState_.store(1);
}

void CRunMachine::SetTimesFromSignalOn(uint32_t on) {
  signalOnTime_.store(on);
  signalOffTime_.store(LaterMs(on, signalDuration_));
  validStart_ = LaterMs(on, words_.TaskVRLow);
  validEnd_ = LaterMs(on, words_.TaskVRHigh);
  responseDeadline_.store(validEnd_);
}

int32_t CRunMachine::GetCategoryCount(int category) const {
  return category >= 0 && category < 9 ? categoryCounts_[category] : 0;
}

const char* CRunMachine::GetIndicator(int i) const { return i >= 0 && i < kIndicatorCount ? indicators_[i] : ""; }

void CRunMachine::ClearIndicators() { std::fill(std::begin(indicators_), std::end(indicators_), ""); }

CRunMachine::TrialTimes CRunMachine::GetTimes() const {
  return TrialTimes{referenceTime_.load(), warningTime_.load(), warningInterval_, signalOnTime_.load(),
                    signalDuration_,       signalOffTime_.load(), validStart_,     validEnd_,
                    responseDeadline_.load(), responseTime_.load(), feedbackEnd_.load()};
}

}  // namespace qel
