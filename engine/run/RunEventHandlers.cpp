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
    case CRunMachine::kReasonUser:
      return "User Break!";
    case CRunMachine::kReasonAnticipations:
      return "Too many ACs!";
    case CRunMachine::kReasonOmissions:
      return "Too many OMs!";
    default:
      return "";
  }
}

constexpr const char* kShown = "!";
constexpr const char* kMissing = "Missing";

}  // namespace

RunEventAction CRunMachine::OnRunEvent(int32_t code, intptr_t lParam) {
  switch (code) {
    case kRunEventSelfTimedEnd:
      return RunEventAction::kEndRun;
    case kRunEventSignalsEnd:
      return RunEventAction::kReleaseDevices;
    default:
      break;
  }
  if (!m_running.load()) return RunEventAction::kNone;
  switch (code) {
    case kRunEventPartEnd:
      return OnPartEnd();
    case kRunEventPartStart:
      OnPartStart();
      break;
    case kRunEventEndPart:
      m_task->EndPart();
      break;
    case kRunEventNextTrial:
      OnNextTrial();
      break;
    case kRunEventScore:
      OnScore();
      break;
    case kRunEventWarning:
      OnWarning();
      break;
    case kRunEventSignalOn:
      OnSignalOn();
      break;
    case kRunEventSignalOff:
      OnSignalOff();
      break;
    case kRunEventResponse:
      OnResponse();
      break;
    case kRunEventRelease:
      OnRelease(lParam);
      break;
    case kRunEventFeedbackOn:
      OnFeedbackOn();
      break;
    case kRunEventFeedbackOff:
      OnFeedbackOff();
      break;
    case kRunEventBreak:
      return OnBreak();
    case kRunEventBreakAnswered:
      if (m_breakState.load() != 3) break;
      OnBreakAnswered();
      return RunEventAction::kBreakAnswered;
    default:
      break;
  }
  return RunEventAction::kNone;
}

RunEventAction CRunMachine::OnPartEnd() {
  if (m_phase.load() != kPhaseWaitPartEnd) return RunEventAction::kNone;
  m_task->EndPart();
  // The plug-in's extra responses, bounded by the response arrays.
  const int64_t total = int64_t{m_responseCount.load()} + m_task->GetExtraResponseCount();
  const uint32_t count = static_cast<uint32_t>(std::clamp<int64_t>(total, 0, kMaxResponses));
  m_responseCount.store(count);
  m_host->responseCount = count;
  return RunEventAction::kEndRun;
}

void CRunMachine::OnPartStart() {
  if (m_phase.load() != kPhaseWaitPartStart) return;
  const int threshold = std::clamp(static_cast<int>((m_words.TaskSSS & kSssVoiceKeyMask) >> kSssVoiceKeyShift), 10, 90);
  if (m_devices.voiceKey) m_devices.voiceKey->SetThreshold(threshold);
  const bool voiceKey =
      (m_words.TaskFlags & kTaskFlagVoiceKey) && (m_words.TaskSSS & kSssVoiceKeyOption) && m_devices.voiceKey;
  m_voiceKeyOn.store(voiceKey ? 1 : 0);

  m_task->StartPart(m_runData);
  m_warningInterval = AsDuration(m_task->GetStartDelay());
  uint32_t reference = Now();
  if (m_words.TaskFlags & kTaskFlagExtraWarning) reference = LaterMs(reference, m_warningInterval);
  m_referenceTime.store(reference);
  // A test part of such a task begins with the plug-in's second list.
  if (!m_practice && (m_words.TaskFlags & kTaskFlagSecondListFirst)) m_disposition.store(7);
  m_phase.store(kPhaseNextTrial);
}

void CRunMachine::OnNextTrial() {
  if (m_phase.load() != kPhaseWaitNextTrial) return;
  ClearIndicators();
  m_status.clear();
  if (m_responseCount.load() >= m_capacity) {
    m_phase.store(kPhasePartEnd);
    return;
  }
  NextTrial(m_referenceTime.load());
  m_phase.store(kPhaseTrial);
  // Armed last: a deadline already due is then seen inside the trial.
  m_responseState.store(1);
}

void CRunMachine::NextTrial(uint32_t t) {
  int32_t disposition = m_disposition.load();
  if (disposition == 6) {
    disposition = ErrorOutcome();
    if (m_breakWasUser.load()) HandleErrorTrial(m_trialIndex.load());
  }
  if (disposition == 7) {
    const uint32_t count = m_task->GetSecondListCount();
    m_secondCount.store(count);
    if (count > 0) {
      m_secondIndex.store(0);
      m_secondPhase.store(1);
    }
  } else {
    disposition = 0;
  }
  m_disposition.store(disposition);

  const bool second = m_secondPhase.load() != 0;
  const uint32_t secondIndex = m_secondIndex.load();
  const uint32_t trialIndex = m_trialIndex.load();
  m_host->secondListFlag = second ? 1 : 0;
  m_host->secondIndex = secondIndex;
  m_host->trialIndex = trialIndex;
  m_host->responseCount = m_responseCount.load();

  const char* code = nullptr;
  if (second && secondIndex < m_secondCount.load() && m_host->secondList && secondIndex < m_host->secondCount) {
    code = m_host->secondList[secondIndex];
  } else if (trialIndex < static_cast<uint32_t>(kMaxTrialCodes)) {
    code = m_host->trialList[trialIndex];
  }
  if (code) {
    std::memcpy(m_host->currentCode, code, kTrialCodeSize);
    m_host->currentCode[kTrialCodeSize - 1] = '\0';
  }

  ScheduleTrial(t);
  m_target = m_task->IsTargetTrial(m_host->currentCode);
  m_responseTime.store(0);
  m_outcome.store(kOutcomeNone);
  m_presetCategory.store(0);
  m_responseCode.store(0);
  m_expected = m_task->GetExpectedResponse(m_host->currentCode);
  m_feedbackState.store(0);
}

void CRunMachine::OnScore() {
  if (m_phase.load() != kPhaseWaitScore) return;
  ScoreResponse();
  m_phase.store(kPhaseAfterScore);
}

void CRunMachine::OnWarning() {
  if (m_phase.load() != kPhaseTrial || m_warningState.load() != 2) return;
  m_task->ShowWarning();
  const uint32_t now = Now();
  m_warningTime.store(now);
  SetTimesFromSignalOn(LaterMs(now, m_warningInterval));
  m_indicators[kIndWarning] = kShown;
  m_warningState.store(3);
}

void CRunMachine::OnSignalOn() {
  if (m_phase.load() != kPhaseTrial || m_signalState.load() != 2) return;
  m_responseDeadline.store(kNoDeadlineMs);
  if (!m_task->ShowSignal(reinterpret_cast<intptr_t>(m_host->currentCode), reinterpret_cast<intptr_t>(m_display), 0)) {
    // The trial ends unshown; nothing of it is polled any more.
    int32_t armed = 1;
    if (!m_responseState.compare_exchange_strong(armed, 0)) {
      armed = 2;
      m_responseState.compare_exchange_strong(armed, 0);
    }
    m_phase.store(kPhaseTrialEnded);
    return;
  }
  WritePort(128);
  const uint32_t on = Now();
  m_referenceTime.store(on);
  SetTimesFromSignalOn(on);
  if (m_voiceKeyOn.load()) {
    m_devices.voiceKey->Stop();
    m_devices.voiceKey->Start();
  }
  m_indicators[kIndSignal] = kShown;
  m_signalState.store(3);
}

void CRunMachine::OnSignalOff() {
  // A shown signal is always hidden, also when the trial has ended since.
  if (m_signalState.load() != 5) return;
  if (m_voiceKeyOn.load()) m_devices.voiceKey->Stop();
  SignalOff();
  WritePort(0);
}

void CRunMachine::SignalOff() {
  m_task->HideSignal(m_responseCode.load());
  m_signalOffTime.store(Now());
  m_indicators[kIndWarning] = "";
  m_indicators[kIndSignal] = "";
  m_warningState.store(0);
  m_signalState.store(6);
}

void CRunMachine::OnResponse() {
  if (m_phase.load() != kPhaseTrial || m_responseState.load() != 3) return;
  const bool postResponse = m_words.TaskControl == 0;
  const uint32_t responseTime = m_responseTime.load();
  const int32_t code = m_responseCode.load();
  if (postResponse) m_referenceTime.store(responseTime);

  m_host->SetRestoreDisplay(&CRunMachine::OnBreakShown, this);
  m_outcome.store(kOutcomeNone);
  const int32_t early = responseTime < m_validStart ? 5 : 0;
  const int32_t r = m_task->OnResponse(code, early);
  const bool accepted = r >= 0 && r <= 5;
  if (r == 7) {
    m_outcome.store(kOutcomeSkipped);
  } else if (r == 8) {
    m_outcome.store(kOutcomePreset);
    m_presetCategory.store(8);
  }

  if (postResponse) m_referenceTime.store(Now());
  WritePort(static_cast<uint8_t>(code & 0xFF));
  m_host->SetRestoreDisplay(nullptr, nullptr);
  SignalOff();
  m_indicators[kIndResponse] = kShown;

  if (accepted) {
    Outcome outcome = kOutcomeInWindow;
    if (responseTime < m_validStart) {
      outcome = kOutcomeEarly;
    } else if (responseTime > m_validEnd) {
      outcome = kOutcomeLate;
    }
    m_outcome.store(outcome);
    m_responseState.store(4);
  } else {
    m_responseState.store(6);
  }
}

void CRunMachine::OnRelease(intptr_t lParam) {
  if (m_phase.load() != kPhaseTrial || m_responseState.load() != 5) return;
  const bool postRelease = m_words.TaskControl == 2;
  if (postRelease) m_referenceTime.store(m_responseDeadline.load());
  m_task->OnResponseRelease();
  m_indicators[kIndResponse] = lParam == 0 ? kMissing : "";
  if (postRelease) m_referenceTime.store(Now());
  m_responseState.store(6);
}

void CRunMachine::OnFeedbackOn() {
  if (m_phase.load() != kPhaseAfterScore || m_feedbackState.load() != 2) return;
  m_task->ShowFeedback();
  m_indicators[kIndFeedback] = kShown;
  m_feedbackEnd.store(LaterMs(Now(), m_feedbackDuration));
  m_feedbackState.store(3);
}

void CRunMachine::OnFeedbackOff() {
  if (m_phase.load() != kPhaseAfterScore || m_feedbackState.load() != 4) return;
  m_task->HideFeedback();
  m_indicators[kIndFeedback] = "";
  m_feedbackEnd.store(Now());
  m_feedbackState.store(5);
}

void CRunMachine::FormatBreakTitle() {
  const bool second = m_secondPhase.load() != 0;
  const uint32_t index = second ? m_secondIndex.load() : m_trialIndex.load();
  const uint32_t count = second ? m_secondCount.load() : m_trialCount.load();
  std::snprintf(m_breakTitle, sizeof m_breakTitle, "Trial %s%u from %u: %s", second ? "*" : "", index + 1, count,
                ReasonText(m_breakReason.load()));
}

RunEventAction CRunMachine::OnBreak() {
  if (m_breakState.load() != 1) return RunEventAction::kNone;
  const int32_t reason = m_breakReason.load();
  FormatBreakTitle();
  m_status = ReasonText(reason);
  // The display keeps the pointer; the title lives as long as the machine.
  if (m_display) m_display->BreakSetTitle(m_breakTitle);
  const intptr_t opened = m_display ? m_display->PostMessageA(kDispCmdOpenBreak, 0) : 0;
  RunEventAction action;
  if (opened == 0) {
    // No dialog came up: the break is over at once.
    OnBreakAnswered();
    action = RunEventAction::kBreakAnswered;
  } else {
    m_host->SetRestoreDisplay(&CRunMachine::OnBreakShown, this);
    m_stepBack = AsDuration(m_task->OnBreak());
    RecordSkippedTrial();
    action = RunEventAction::kBreakOpened;
  }
  return action;
}

void CRunMachine::OnBreakAnswered() {
  m_host->SetRestoreDisplay(nullptr, nullptr);
  ScheduleTrial(LaterMs(Now(), AsDuration(m_task->GetResumeDelay())));
  m_acRun.store(0);
  m_omRun.store(0);
  if (m_stepBack > 0) {
    const uint32_t index = m_trialIndex.load();
    if (index >= m_stepBack) m_trialIndex.store(index - m_stepBack);
    m_stepBack = 0;
  }
  m_breakState.store(4);
}

bool CRunMachine::OnBreakShown(void* context) {
  if (context) {
    auto* self = static_cast<CRunMachine*>(context);
    if (self->m_task) self->m_task->OnBreak();
  }
  return true;
}

}  // namespace qel
