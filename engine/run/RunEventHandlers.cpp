// The run events on the user-interface thread. Each handler acts only in the
// state the tick left for it; an event that arrives late (the trial ended
// meanwhile, the part was stopped) changes nothing.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/model/ExpModelTask.h"
#include "engine/run/RunMachine.h"
#include "engine/run/RunTimes.h"
#include "engine/run/RunVoiceKey.h"
#include "include/qel/DisplayInterface.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

namespace {

const char* ReasonText(int32_t reason) {
  switch (reason) {
    case CRunMachine::kReasonUser: return "User Break!";
    case CRunMachine::kReasonAnticipations: return "Too many ACs!";
    case CRunMachine::kReasonOmissions: return "Too many OMs!";
    default: return "";
  }
}

constexpr const char* kShown = "!";
constexpr const char* kMissing = "Missing";

}  // namespace

RunEventAction CRunMachine::OnRunEvent(int32_t code, intptr_t lParam) {
  switch (code) {
    case kRunEventSelfTimedEnd: return RunEventAction::kEndRun;
    case kRunEventSignalsEnd: return RunEventAction::kReleaseDevices;
    default: break;
  }
  if (!running_.load()) return RunEventAction::kNone;
  switch (code) {
    case kRunEventPartEnd: return OnPartEnd();
    case kRunEventPartStart: OnPartStart(); break;
    case kRunEventEndPart: task_->EndPart(); break;
    case kRunEventNextTrial: OnNextTrial(); break;
    case kRunEventScore: OnScore(); break;
    case kRunEventWarning: OnWarning(); break;
    case kRunEventSignalOn: OnSignalOn(); break;
    case kRunEventSignalOff: OnSignalOff(); break;
    case kRunEventResponse: OnResponse(); break;
    case kRunEventRelease: OnRelease(lParam); break;
    case kRunEventFeedbackOn: OnFeedbackOn(); break;
    case kRunEventFeedbackOff: OnFeedbackOff(); break;
    case kRunEventBreak: return OnBreak();
    case kRunEventBreakAnswered:
      if (breakState_.load() != 3) break;
      OnBreakAnswered();
      return RunEventAction::kBreakAnswered;
    default: break;
  }
  return RunEventAction::kNone;
}

RunEventAction CRunMachine::OnPartEnd() {
  if (phase_.load() != kPhaseWaitPartEnd) return RunEventAction::kNone;
  task_->EndPart();
  // The plug-in's extra responses, bounded by the response arrays.
  const int64_t total = int64_t{responseCount_.load()} + task_->GetExtraResponseCount();
  const uint32_t count = static_cast<uint32_t>(std::clamp<int64_t>(total, 0, kMaxResponses));
  responseCount_.store(count);
  host_->responseCount = count;
  return RunEventAction::kEndRun;
}

void CRunMachine::OnPartStart() {
  if (phase_.load() != kPhaseWaitPartStart) return;
  const int threshold = std::clamp(static_cast<int>((words_.TaskSSS & kSssVoiceKeyMask) >> kSssVoiceKeyShift), 10, 90);
  if (devices_.voiceKey) devices_.voiceKey->SetThreshold(threshold);
  const bool voiceKey = (words_.TaskFlags & kTaskFlagVoiceKey) && (words_.TaskSSS & kSssVoiceKeyOption) &&
                        devices_.voiceKey;
  voiceKeyOn_.store(voiceKey ? 1 : 0);

  task_->StartPart(runData_);
  warningInterval_ = AsDuration(task_->GetStartDelay());
  uint32_t reference = Now();
  if (words_.TaskFlags & kTaskFlagExtraWarning) reference = LaterMs(reference, warningInterval_);
  referenceTime_.store(reference);
  // A test part of such a task begins with the plug-in's second list.
  if (!practice_ && (words_.TaskFlags & kTaskFlagSecondListFirst)) disposition_.store(7);
  phase_.store(kPhaseNextTrial);
}

void CRunMachine::OnNextTrial() {
  if (phase_.load() != kPhaseWaitNextTrial) return;
  ClearIndicators();
  status_.clear();
  if (responseCount_.load() >= capacity_) {
    phase_.store(kPhasePartEnd);
    return;
  }
  NextTrial(referenceTime_.load());
  phase_.store(kPhaseTrial);
  // Armed last: a deadline already due is then seen inside the trial.
  responseState_.store(1);
}

void CRunMachine::NextTrial(uint32_t t) {
  int32_t disposition = disposition_.load();
  if (disposition == 6) {
    disposition = ErrorOutcome();
    if (breakWasUser_.load()) HandleErrorTrial(trialIndex_.load());
  }
  if (disposition == 7) {
    const uint32_t count = task_->GetSecondListCount();
    secondCount_.store(count);
    if (count > 0) {
      secondIndex_.store(0);
      secondPhase_.store(1);
    }
  } else {
    disposition = 0;
  }
  disposition_.store(disposition);

  const bool second = secondPhase_.load() != 0;
  const uint32_t secondIndex = secondIndex_.load();
  const uint32_t trialIndex = trialIndex_.load();
  host_->secondListFlag = second ? 1 : 0;
  host_->secondIndex = secondIndex;
  host_->trialIndex = trialIndex;
  host_->responseCount = responseCount_.load();

  const char* code = nullptr;
  if (second && secondIndex < secondCount_.load() && host_->secondList && secondIndex < host_->secondCount) {
    code = host_->secondList[secondIndex];
  } else if (trialIndex < static_cast<uint32_t>(kMaxTrialCodes)) {
    code = host_->trialList[trialIndex];
  }
  if (code) {
    std::memcpy(host_->currentCode, code, kTrialCodeSize);
    host_->currentCode[kTrialCodeSize - 1] = '\0';
  }

  ScheduleTrial(t);
  target_ = task_->IsTargetTrial(host_->currentCode);
  responseTime_.store(0);
  outcome_.store(kOutcomeNone);
  presetCategory_.store(0);
  responseCode_.store(0);
  expected_ = task_->GetExpectedResponse(host_->currentCode);
  feedbackState_.store(0);
}

void CRunMachine::OnScore() {
  if (phase_.load() != kPhaseWaitScore) return;
  ScoreResponse();
  phase_.store(kPhaseAfterScore);
}

void CRunMachine::OnWarning() {
  if (phase_.load() != kPhaseTrial || warningState_.load() != 2) return;
  task_->ShowWarning();
  const uint32_t now = Now();
  warningTime_.store(now);
  SetTimesFromSignalOn(LaterMs(now, warningInterval_));
  indicators_[kIndWarning] = kShown;
  warningState_.store(3);
}

void CRunMachine::OnSignalOn() {
  if (phase_.load() != kPhaseTrial || signalState_.load() != 2) return;
  responseDeadline_.store(kNoDeadlineMs);
  if (!task_->ShowSignal(reinterpret_cast<intptr_t>(host_->currentCode), reinterpret_cast<intptr_t>(display_),
                         0)) {
    // The trial ends unshown; nothing of it is polled any more.
    int32_t armed = 1;
    if (!responseState_.compare_exchange_strong(armed, 0)) {
      armed = 2;
      responseState_.compare_exchange_strong(armed, 0);
    }
    phase_.store(kPhaseTrialEnded);
    return;
  }
  WritePort(128);
  const uint32_t on = Now();
  referenceTime_.store(on);
  SetTimesFromSignalOn(on);
  if (voiceKeyOn_.load()) {
    devices_.voiceKey->Stop();
    devices_.voiceKey->Start();
  }
  indicators_[kIndSignal] = kShown;
  signalState_.store(3);
}

void CRunMachine::OnSignalOff() {
  // A shown signal is always hidden, also when the trial has ended since.
  if (signalState_.load() != 5) return;
  if (voiceKeyOn_.load()) devices_.voiceKey->Stop();
  SignalOff();
  WritePort(0);
}

void CRunMachine::SignalOff() {
  task_->HideSignal(responseCode_.load());
  signalOffTime_.store(Now());
  indicators_[kIndWarning] = "";
  indicators_[kIndSignal] = "";
  warningState_.store(0);
  signalState_.store(6);
}

void CRunMachine::OnResponse() {
  if (phase_.load() != kPhaseTrial || responseState_.load() != 3) return;
  const bool postResponse = words_.TaskControl == 0;
  const uint32_t responseTime = responseTime_.load();
  const int32_t code = responseCode_.load();
  if (postResponse) referenceTime_.store(responseTime);

  host_->SetRestoreDisplay(&CRunMachine::OnBreakShown, this);
  outcome_.store(kOutcomeNone);
  const int32_t early = responseTime < validStart_ ? 5 : 0;
  const int32_t r = task_->OnResponse(code, early);
  const bool accepted = r >= 0 && r <= 5;
  if (r == 7) {
    outcome_.store(kOutcomeSkipped);
  } else if (r == 8) {
    outcome_.store(kOutcomePreset);
    presetCategory_.store(8);
  }

  if (postResponse) referenceTime_.store(Now());
  WritePort(static_cast<uint8_t>(code & 0xFF));
  host_->SetRestoreDisplay(nullptr, nullptr);
  SignalOff();
  indicators_[kIndResponse] = kShown;

  if (accepted) {
    Outcome outcome = kOutcomeInWindow;
    if (responseTime < validStart_) {
      outcome = kOutcomeEarly;
    } else if (responseTime > validEnd_) {
      outcome = kOutcomeLate;
    }
    outcome_.store(outcome);
    responseState_.store(4);
  } else {
    responseState_.store(6);
  }
}

void CRunMachine::OnRelease(intptr_t lParam) {
  if (phase_.load() != kPhaseTrial || responseState_.load() != 5) return;
  const bool postRelease = words_.TaskControl == 2;
  if (postRelease) referenceTime_.store(responseDeadline_.load());
  task_->OnResponseRelease();
  indicators_[kIndResponse] = lParam == 0 ? kMissing : "";
  if (postRelease) referenceTime_.store(Now());
  responseState_.store(6);
}

void CRunMachine::OnFeedbackOn() {
  if (phase_.load() != kPhaseAfterScore || feedbackState_.load() != 2) return;
  task_->ShowFeedback();
  indicators_[kIndFeedback] = kShown;
  feedbackEnd_.store(LaterMs(Now(), feedbackDuration_));
  feedbackState_.store(3);
}

void CRunMachine::OnFeedbackOff() {
  if (phase_.load() != kPhaseAfterScore || feedbackState_.load() != 4) return;
  task_->HideFeedback();
  indicators_[kIndFeedback] = "";
  feedbackEnd_.store(Now());
  feedbackState_.store(5);
}

void CRunMachine::FormatBreakTitle() {
  const bool second = secondPhase_.load() != 0;
  const uint32_t index = second ? secondIndex_.load() : trialIndex_.load();
  const uint32_t count = second ? secondCount_.load() : trialCount_.load();
  std::snprintf(breakTitle_, sizeof breakTitle_, "Trial %s%u from %u: %s", second ? "*" : "", index + 1, count,
                ReasonText(breakReason_.load()));
}

RunEventAction CRunMachine::OnBreak() {
  if (breakState_.load() != 1) return RunEventAction::kNone;
  const int32_t reason = breakReason_.load();
  FormatBreakTitle();
  status_ = ReasonText(reason);
  // The display keeps the pointer; the title lives as long as the machine.
  if (display_) display_->BreakSetTitle(breakTitle_);
  const intptr_t opened = display_ ? display_->PostMessageA(kDispCmdOpenBreak, 0) : 0;
  RunEventAction action;
  if (opened == 0) {
    // No dialog came up: the break is over at once.
    OnBreakAnswered();
    action = RunEventAction::kBreakAnswered;
  } else {
    host_->SetRestoreDisplay(&CRunMachine::OnBreakShown, this);
    stepBack_ = AsDuration(task_->OnBreak());
    RecordSkippedTrial();
    action = RunEventAction::kBreakOpened;
  }
  return action;
}

void CRunMachine::OnBreakAnswered() {
  host_->SetRestoreDisplay(nullptr, nullptr);
  ScheduleTrial(LaterMs(Now(), AsDuration(task_->GetResumeDelay())));
  acRun_.store(0);
  omRun_.store(0);
  if (stepBack_ > 0) {
    const uint32_t index = trialIndex_.load();
    if (index >= stepBack_) trialIndex_.store(index - stepBack_);
    stepBack_ = 0;
  }
  breakState_.store(4);
}

bool CRunMachine::OnBreakShown(void* context) {
  if (context) {
    auto* self = static_cast<CRunMachine*>(context);
    if (self->task_) self->task_->OnBreak();
  }
  return true;
}

}  // namespace qel
