// The run events on the user-interface thread. Each handler acts only in the
// state the tick left for it; an event that arrives late (the trial ended
// meanwhile, the part was stopped) changes nothing.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/model/ExpModelTask.h"
#include "engine/run/RunMachine.h"
#include "engine/run/RunPresentGate.h"
#include "engine/run/RunTimes.h"
#include "engine/run/RunVoiceKey.h"
#include "include/qel/DisplayInterface.h"
#include "include/qel/TaskEntry.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

namespace {

const char* ReasonText(CRunMachine::BreakReason reason) {
  switch (reason) {
    case CRunMachine::BreakReason::kUser:
      return "User Break!";
    case CRunMachine::BreakReason::kAnticipations:
      return "Too many ACs!";
    case CRunMachine::BreakReason::kOmissions:
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
      if (m_breakState.load() != BreakState::kAnswerPosted) break;
      OnBreakAnswered();
      return RunEventAction::kBreakAnswered;
    default:
      break;
  }
  return RunEventAction::kNone;
}

RunEventAction CRunMachine::OnPartEnd() {
  if (m_phase.load() != Phase::kWaitPartEnd) return RunEventAction::kNone;
  m_task->EndPart();
  // The plug-in's extra responses, bounded by the response arrays.
  const int64_t total = int64_t{m_responseCount.load()} + m_task->GetExtraResponseCount();
  const uint32_t count = static_cast<uint32_t>(std::clamp<int64_t>(total, 0, kMaxResponses));
  m_responseCount.store(count);
  m_host->responseCount = count;
  return RunEventAction::kEndRun;
}

void CRunMachine::OnPartStart() {
  if (m_phase.load() != Phase::kWaitPartStart) return;
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
  if (!m_practice && (m_words.TaskFlags & kTaskFlagSecondListFirst)) m_disposition.store(Disposition::kSecondList);
  m_phase.store(Phase::kNextTrial);
}

void CRunMachine::OnNextTrial() {
  if (m_phase.load() != Phase::kWaitNextTrial) return;
  ClearIndicators();
  m_status.clear();
  if (m_responseCount.load() >= m_capacity) {
    m_phase.store(Phase::kPartEnd);
    return;
  }
  NextTrial(m_referenceTime.load());
  m_phase.store(Phase::kTrial);
  // Armed last: a deadline already due is then seen inside the trial.
  m_responseState.store(ResponseState::kArmed);
}

void CRunMachine::NextTrial(uint32_t t) {
  Disposition disposition = m_disposition.load();
  if (disposition == Disposition::kBreak) {
    disposition = ErrorOutcome();
    if (m_breakWasUser.load()) HandleErrorTrial(m_trialIndex.load());
  }
  if (disposition == Disposition::kSecondList) {
    const uint32_t count = m_task->GetSecondListCount();
    m_secondCount.store(count);
    if (count > 0) {
      m_secondIndex.store(0);
      m_secondPhase.store(1);
    }
  } else {
    disposition = Disposition::kCounted;
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
  m_responseNs.store(0);
  m_outcome.store(Outcome::kNone);
  m_presetCategory.store(kCatNone);
  m_responseCode.store(0);
  m_expected = m_task->GetExpectedResponse(m_host->currentCode);
  m_feedbackState.store(FeedbackState::kNone);
}

void CRunMachine::OnScore() {
  if (m_phase.load() != Phase::kWaitScore) return;
  ScoreResponse();
  m_phase.store(Phase::kAfterScore);
}

void CRunMachine::OnWarning() {
  if (m_phase.load() != Phase::kTrial || m_warningState.load() != WarningState::kDue) return;
  m_task->ShowWarning();
  const uint32_t now = Now();
  m_warningTime.store(now);
  SetTimesFromSignalOn(LaterMs(now, m_warningInterval));
  m_indicators[kIndWarning] = kShown;
  m_warningState.store(WarningState::kShown);
}

void CRunMachine::OnSignalOn() {
  if (m_phase.load() != Phase::kTrial || m_signalState.load() != SignalState::kDue) return;
  m_responseDeadline.store(kNoDeadlineMs);
  const int64_t before = NowNs();
  // Asked for ahead of the onset: what the plug-in shows waits for it.
  if (m_devices.presentGate) m_devices.presentGate->HoldUntil(int64_t{m_signalOnTime.load()} * kNsPerMs);
  const bool shown =
      m_task->ShowSignal(reinterpret_cast<intptr_t>(m_host->currentCode), reinterpret_cast<intptr_t>(m_display), 0);
  if (m_devices.presentGate) m_devices.presentGate->Release();
  if (!shown) {
    // The trial ends unshown; nothing of it is polled any more.
    ResponseState armed = ResponseState::kArmed;
    if (!m_responseState.compare_exchange_strong(armed, ResponseState::kIdle)) {
      armed = ResponseState::kWindowOpen;
      m_responseState.compare_exchange_strong(armed, ResponseState::kIdle);
    }
    m_phase.store(Phase::kTrialEnded);
    return;
  }
  WritePort(128);
  const int64_t onNs = ShownAt(before);
  const uint32_t on = MsOfNs(onNs);
  m_referenceTime.store(on);
  SetTimesFromSignalOn(on);
  m_signalOnNs.store(onNs);
  if (m_voiceKeyOn.load()) {
    m_devices.voiceKey->Stop();
    m_devices.voiceKey->Start();
  }
  m_indicators[kIndSignal] = kShown;
  m_signalState.store(SignalState::kShown);
}

void CRunMachine::OnSignalOff() {
  // A shown signal is always hidden, also when the trial has ended since.
  if (m_signalState.load() != SignalState::kOffPosted) return;
  if (m_voiceKeyOn.load()) m_devices.voiceKey->Stop();
  SignalOff();
  WritePort(0);
}

void CRunMachine::SignalOff() {
  m_task->HideSignal(m_responseCode.load());
  m_signalOffTime.store(Now());
  m_indicators[kIndWarning] = "";
  m_indicators[kIndSignal] = "";
  m_warningState.store(WarningState::kNone);
  m_signalState.store(SignalState::kEnded);
}

void CRunMachine::OnResponse() {
  if (m_phase.load() != Phase::kTrial || m_responseState.load() != ResponseState::kResponsePosted) return;
  const bool postResponse = m_words.TaskControl == kEventsPostResponse;
  const uint32_t responseTime = m_responseTime.load();
  const int32_t code = m_responseCode.load();
  if (postResponse) m_referenceTime.store(responseTime);

  m_host->SetRestoreDisplay(&CRunMachine::OnBreakShown, this);
  m_outcome.store(Outcome::kNone);
  const int32_t early = responseTime < m_validStart ? kResponseBeforeWindow : 0;
  const int32_t r = m_task->OnResponse(code, early);
  const bool accepted = r >= kResponseAccept && r <= kResponseAcceptLast;
  if (r == kResponseSkipTrial) {
    m_outcome.store(Outcome::kSkipped);
  } else if (r == kResponseExcludeTrial) {
    m_outcome.store(Outcome::kPreset);
    m_presetCategory.store(kCatExcluded);
  }

  if (postResponse) m_referenceTime.store(Now());
  WritePort(static_cast<uint8_t>(code & 0xFF));
  m_host->SetRestoreDisplay(nullptr, nullptr);
  SignalOff();
  m_indicators[kIndResponse] = kShown;

  if (accepted) {
    Outcome outcome = Outcome::kInWindow;
    if (responseTime < m_validStart) {
      outcome = Outcome::kEarly;
    } else if (responseTime > m_validEnd) {
      outcome = Outcome::kLate;
    }
    m_outcome.store(outcome);
    m_responseState.store(ResponseState::kAwaitingRelease);
  } else {
    m_responseState.store(ResponseState::kTrialEnded);
  }
}

void CRunMachine::OnRelease(intptr_t lParam) {
  if (m_phase.load() != Phase::kTrial || m_responseState.load() != ResponseState::kReleasePosted) return;
  const bool postRelease = m_words.TaskControl == kEventsPostKeyRelease;
  if (postRelease) m_referenceTime.store(m_responseDeadline.load());
  m_task->OnResponseRelease();
  m_indicators[kIndResponse] = lParam == 0 ? kMissing : "";
  if (postRelease) m_referenceTime.store(Now());
  m_responseState.store(ResponseState::kTrialEnded);
}

void CRunMachine::OnFeedbackOn() {
  if (m_phase.load() != Phase::kAfterScore || m_feedbackState.load() != FeedbackState::kOnPosted) return;
  m_task->ShowFeedback();
  m_indicators[kIndFeedback] = kShown;
  m_feedbackEnd.store(LaterMs(Now(), m_feedbackDuration));
  m_feedbackState.store(FeedbackState::kOn);
}

void CRunMachine::OnFeedbackOff() {
  if (m_phase.load() != Phase::kAfterScore || m_feedbackState.load() != FeedbackState::kOffPosted) return;
  m_task->HideFeedback();
  m_indicators[kIndFeedback] = "";
  m_feedbackEnd.store(Now());
  m_feedbackState.store(FeedbackState::kDone);
}

void CRunMachine::FormatBreakTitle() {
  const bool second = m_secondPhase.load() != 0;
  const uint32_t index = second ? m_secondIndex.load() : m_trialIndex.load();
  const uint32_t count = second ? m_secondCount.load() : m_trialCount.load();
  std::snprintf(m_breakTitle, sizeof m_breakTitle, "Trial %s%u from %u: %s", second ? "*" : "", index + 1, count,
                ReasonText(m_breakReason.load()));
}

RunEventAction CRunMachine::OnBreak() {
  if (m_breakState.load() != BreakState::kRequested) return RunEventAction::kNone;
  const BreakReason reason = m_breakReason.load();
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
  m_breakState.store(BreakState::kDone);
}

bool CRunMachine::OnBreakShown(void* context) {
  if (context) {
    auto* self = static_cast<CRunMachine*>(context);
    if (self->m_task) self->m_task->OnBreak();
  }
  return true;
}

}  // namespace qel
