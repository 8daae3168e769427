// Starting and stopping a part, trial timing and the monitor's views.
#include "engine/run/RunMachine.h"

#include <algorithm>

#include "app/model/ExpModelTask.h"
#include "engine/port/SignalPort.h"
#include "engine/run/RunStamps.h"
#include "engine/run/RunTimes.h"
#include "engine/timer/TimerMs.h"
#include "include/qel/DisplayInterface.h"
#include "include/qel/TaskHostInterface.h"
#include "include/qel/TaskRunDataInterface.h"

namespace qel {

CRunMachine::CRunMachine(const RunMachineDevices& devices) : m_devices(devices) {}

uint32_t CRunMachine::Now() const { return m_devices.clock ? m_devices.clock->GetElapsedMs() : 0; }

int64_t CRunMachine::NowNs() const {
  if (m_devices.stamps) return m_devices.stamps->NowNs();
  return static_cast<int64_t>(Now()) * kNsPerMs;
}

int64_t CRunMachine::VoiceTriggerOr(int64_t fallback) const {
  int64_t ns = 0;
  if (!m_devices.stamps || !m_devices.stamps->VoiceKeyTriggerNs(&ns)) return fallback;
  // The key restarts at the signal: a trigger from before it is not this trial's.
  if (ns < m_signalOnNs.load() || ns > fallback) return fallback;
  return ns;
}

int64_t CRunMachine::ShownAt(int64_t sinceNs) const {
  int64_t frameNs = 0;
  if (m_devices.stamps && m_devices.stamps->LastFrameNs(&frameNs) && frameNs >= sinceNs) return frameNs;
  return NowNs();
}

void CRunMachine::StampResponse(int64_t ns) {
  m_responseNs.store(ns);
  m_responseTime.store(MsOfNs(ns));
}

void CRunMachine::WritePort(uint8_t value) {
  if (m_devices.port) m_devices.port->WriteByte(value);
}

bool CRunMachine::StartPart(const RunPartSetup& setup) {
  if (m_running.load()) return false;
  if (!m_devices.clock || !m_devices.events) return false;
  if (!setup.task || !setup.task->library || !setup.host || !setup.runData) return false;
  if (setup.part < 0 || setup.part >= kMaxParts) return false;

  m_task = setup.task;
  m_host = setup.host;
  m_display = setup.host->display;
  m_runData = setup.runData;
  m_part = setup.part;
  m_practice = setup.practice;
  m_words = setup.task->w;
  m_random.Seed(setup.seed);

  WritePort(0);
  if (m_display) m_display->BreakSetState(kBreakRequested);

  const uint32_t trials = m_host->trialCount;
  m_trialCount.store(trials);
  m_secondCount.store(0);
  // A part without trials ends at its first trial.
  m_capacity = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{3} * trials, kMaxResponses));

  m_breakState.store(BreakState::kNone);
  m_warningState.store(WarningState::kNone);
  m_signalState.store(SignalState::kNone);
  m_responseState.store(ResponseState::kIdle);
  m_feedbackState.store(FeedbackState::kNone);
  m_disposition.store(Disposition::kCounted);
  m_breakReason.store(BreakReason::kNone);
  m_breakWasUser.store(0);
  m_stopped.store(0);
  m_secondPhase.store(0);
  m_voiceKeyOn.store(0);
  m_trialIndex.store(0);
  m_secondIndex.store(0);
  m_responseCount.store(0);
  m_acRun.store(0);
  m_omRun.store(0);
  m_warningTime.store(0);
  m_signalOnTime.store(0);
  m_signalOffTime.store(0);
  m_responseDeadline.store(kNoDeadlineMs);
  m_responseTime.store(0);
  m_responseNs.store(0);
  m_signalOnNs.store(0);
  m_feedbackEnd.store(0);
  m_responseCode.store(0);
  m_outcome.store(Outcome::kNone);
  m_presetCategory.store(0);

  m_responseRequired =
      (m_words.TaskFlags & kTaskFlagCountOmissions) != 0 || ResponseTypeOf(m_words.TaskType) == kResponseTwoChoice;
  m_warningInterval = kInitialWarningIntervalMs;
  m_signalDuration = 0;
  m_validStart = m_validEnd = 0;
  m_feedbackDuration = kFeedbackDurationMs;
  m_stepBack = 0;
  m_target = false;
  m_expected = 0;
  std::fill(std::begin(m_categoryCounts), std::end(m_categoryCounts), 0);
  m_rtSum = 0;
  m_rtCount = 0;
  m_meanRt = 0;
  ClearIndicators();
  m_status.clear();
  m_breakTitle[0] = '\0';

  m_host->responseCount = 0;
  m_host->trialIndex = 0;
  m_host->secondIndex = 0;
  m_host->secondListFlag = 0;

  m_referenceTime.store(LaterMs(Now(), AsDuration(m_task->GetStartDelay())));
  m_phase.store(Phase::kPartStart);
  m_running.store(1);
  return true;
}

void CRunMachine::Stop() { m_running.store(0); }

void CRunMachine::TimerCallback(intptr_t machine) {
  if (machine) reinterpret_cast<CRunMachine*>(machine)->OnTrialTick();
}

void CRunMachine::AnswerBreak(bool stop) {
  if (stop) m_stopped.store(1);
  if (m_display) m_display->BreakSetState(stop ? kBreakStop : kBreakContinue);
}

void CRunMachine::ScheduleTrial(uint32_t t) {
  const QelTaskWords& w = m_words;
  const uint32_t interval =
      w.TaskIntType == kIntervalRandom ? m_random.Interval(w.TaskIntLow, w.TaskIntHigh) : w.TaskIntLow;
  const uint32_t s = LaterMs(t, interval);
  m_referenceTime.store(s);
  uint32_t warning = s;
  uint32_t on = s;
  WarningState warningState = WarningState::kNone;
  if (w.TaskFlags & kTaskFlagExtraWarning) {
    warningState = WarningState::kArmed;
    // The warning precedes the signal by W; right at the start of a run,
    // where S - W would fall below 0, the signal moves W later instead.
    if (s < m_warningInterval) {
      on = LaterMs(s, m_warningInterval);
    } else {
      warning = s - m_warningInterval;
    }
  }
  switch (w.TaskSDType) {
    case kSignalDurationVariable:
      m_signalDuration = w.TaskVRHigh;
      break;
    case kSignalDurationFixed:
      m_signalDuration = w.TaskSDLow;
      break;
    case kSignalDurationRandom:
      m_signalDuration = m_random.Interval(w.TaskSDLow, w.TaskSDHigh);
      break;
    case kSignalDurationIrrelevant:
      m_signalDuration = interval;
      break;
    default:
      m_signalDuration = kNoDeadlineMs;
      break;
  }
  m_warningTime.store(warning);
  SetTimesFromSignalOn(on);
  m_warningState.store(warningState);
  m_signalState.store(SignalState::kArmed);
}

void CRunMachine::SetTimesFromSignalOn(uint32_t on) {
  m_signalOnTime.store(on);
  m_signalOnNs.store(static_cast<int64_t>(on) * kNsPerMs);
  m_signalOffTime.store(LaterMs(on, m_signalDuration));
  m_validStart = LaterMs(on, m_words.TaskVRLow);
  m_validEnd = LaterMs(on, m_words.TaskVRHigh);
  m_responseDeadline.store(m_validEnd);
}

int32_t CRunMachine::GetCategoryCount(int category) const {
  return category >= 0 && category < 9 ? m_categoryCounts[category] : 0;
}

const char* CRunMachine::GetIndicator(int i) const { return i >= 0 && i < kIndicatorCount ? m_indicators[i] : ""; }

void CRunMachine::ClearIndicators() { std::fill(std::begin(m_indicators), std::end(m_indicators), ""); }

CRunMachine::TrialTimes CRunMachine::GetTimes() const {
  return TrialTimes{m_referenceTime.load(),    m_warningTime.load(),   m_warningInterval,   m_signalOnTime.load(),
                    m_signalDuration,          m_signalOffTime.load(), m_validStart,        m_validEnd,
                    m_responseDeadline.load(), m_responseTime.load(),  m_feedbackEnd.load(),
                    m_signalOnNs.load(),       m_responseNs.load()};
}

}  // namespace qel
