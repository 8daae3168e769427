// The tick side of the machine: runs on the timer thread once per beat. It
// allocates nothing, touches no window and calls the plug-in at most three
// times (commands 18, 17 and 20); everything else is posted to the UI thread.
#include "app/model/ExpModelTask.h"
#include "engine/run/RunEventSink.h"
#include "engine/run/RunKeyboard.h"
#include "engine/run/RunMachine.h"
#include "engine/run/RunVoiceKey.h"
#include "include/qel/DisplayInterface.h"

namespace qel {

namespace {

// Moves a state word from one value to the next unless the other thread has
// moved it meanwhile.
template <typename T>
bool Move(std::atomic<T>& word, T from, T to) {
  return word.compare_exchange_strong(from, to);
}

}  // namespace

void CRunMachine::Post(int32_t code) { m_devices.events->PostRunEvent(code, 0); }

uint32_t CRunMachine::GetVoiceKeyBits() {
  if (!m_voiceKeyOn.load() || !m_devices.voiceKey) return 0;
  return m_devices.voiceKey->GetBits() & 3u;
}

bool CRunMachine::CheckBreak() {
  if (m_devices.keyboard && m_devices.keyboard->IsEscapeDown()) {
    m_breakWasUser.store(1);
    m_breakReason.store(kReasonUser);
  } else {
    const uint32_t limit = m_words.TaskIntrAfterTrials;
    if (m_acRun.load() > limit) {
      m_breakReason.store(kReasonAnticipations);
    } else if (m_omRun.load() > limit) {
      m_breakReason.store(kReasonOmissions);
    } else {
      return false;
    }
    m_breakWasUser.store(0);
  }
  // The break dialog's title is formatted on the UI thread when it opens.
  m_disposition.store(6);
  return true;
}

void CRunMachine::OnTrialTick() {
  // Nothing is read before the part has been set up completely.
  if (!m_running.load()) return;
  const uint32_t now = Now();
  uint32_t bits = GetVoiceKeyBits();
  const bool breakDue = CheckBreak();

  // Break hand-over with the display's break word.
  switch (m_breakState.load()) {
    case 0:
      if (breakDue) {
        if (m_display) m_display->BreakSetState(kBreakRequested);
        m_breakState.store(1);
        Post(kRunEventBreak);
      }
      break;
    case 1:
      // The handler may have found that no dialog opens and finished the
      // break already (state 4): then the trial goes on.
      if (m_display && m_display->BreakGetState() > kBreakRequested && Move(m_breakState, 1, 2)) return;
      break;
    case 2: {
      const int answer = m_display ? m_display->BreakGetState() : kBreakRequested;
      if (answer == kBreakContinue) {
        m_phase.store(kPhaseNextTrial);
      } else if (answer == kBreakStop) {
        m_phase.store(kPhasePartEnd);
        m_stopped.store(1);
      } else {
        return;
      }
      m_breakState.store(3);
      Post(kRunEventBreakAnswered);
      return;
    }
    case 3:
      return;
    case 4:
      m_breakState.store(0);
      break;
    default:
      return;
  }

  // Phase action.
  switch (m_phase.load()) {
    case kPhasePartStart:
      m_phase.store(kPhaseWaitPartStart);
      Post(kRunEventPartStart);
      break;
    case kPhaseNextTrial:
      m_phase.store(kPhaseWaitNextTrial);
      Post(kRunEventNextTrial);
      break;
    case kPhaseTrial:
      TrialSubMachines(now);
      break;
    case kPhaseTrialEnded:
      m_phase.store(kPhaseWaitScore);
      Post(kRunEventScore);
      break;
    case kPhaseAfterScore:
      if (!FeedbackAndAdvance(now)) return;
      break;
    case kPhasePartEnd:
      m_phase.store(kPhaseWaitPartEnd);
      Post(kRunEventPartEnd);
      break;
    default:
      break;
  }

  // The plug-in may end the trial itself. Its "ended" counts only while a
  // trial runs: outside one it would score a trial twice or one not begun.
  const int32_t ended = m_task->IsTrialEnded();
  if (ended == 1 && m_phase.load() == kPhaseTrial) {
    m_responseTime.store(now);
    m_responseState.store(0);
    m_phase.store(kPhaseTrialEnded);
    m_outcome.store(kOutcomePreset);
    m_presetCategory.store(8);
  } else if (ended == 6) {
    return;
  }
  // Responses and the deadline belong to a running trial only.
  if (m_phase.load() != kPhaseTrial) return;

  // Response.
  const int32_t rs = m_responseState.load();
  switch (rs) {
    case 1:
      break;
    case 2:
      bits |= static_cast<uint32_t>(m_task->PollResponse());
      if (bits != 0) {
        m_responseTime.store(now);
        m_responseCode.store(static_cast<int32_t>(bits));
        if (Move(m_responseState, 2, 3)) Post(kRunEventResponse);
        return;
      }
      break;
    case 4:
      bits |= static_cast<uint32_t>(m_task->PollResponse());
      if (bits == 0) {
        m_responseDeadline.store(now);  // the release time
        if (Move(m_responseState, 4, 5)) Post(kRunEventRelease);
        return;
      }
      break;
    case 6:
      m_responseState.store(0);
      m_phase.store(kPhaseTrialEnded);
      return;
    default:
      return;
  }

  // Response deadline.
  if (now >= m_responseDeadline.load()) {
    m_responseState.store(6);
    const int32_t r = m_task->OnResponseTimeout();
    if (r == 1) {
      // Scored as a response in the window: without a response its time
      // is the deadline.
      if (rs != 4) m_responseTime.store(now);
      m_outcome.store(kOutcomeInWindow);
    } else if (r == 8) {
      m_outcome.store(kOutcomePreset);
      m_presetCategory.store(8);
    }
    if (m_words.TaskSDType == 3) {
      // The signal ends with the response window; one that has already
      // ended (a response hid it) is not hidden twice, and a response held
      // through the deadline keeps its outcome.
      if (Move(m_signalState, 3, 5) || Move(m_signalState, 4, 5) || Move(m_signalState, 7, 5)) {
        Post(kRunEventSignalOff);
      }
      if (rs != 4) m_outcome.store(kOutcomeNone);
    }
    if (m_words.TaskControl == 0 || m_words.TaskControl == 2) m_referenceTime.store(now);
  }
}

void CRunMachine::TrialSubMachines(uint32_t now) {
  // Warning.
  const int32_t ws = m_warningState.load();
  if (ws == 1 && now >= m_warningTime.load()) {
    if (Move(m_warningState, 1, 2)) Post(kRunEventWarning);
  } else if (ws == 3) {
    // The response window opens with the warning.
    Move(m_responseState, 1, 2);
    Move(m_warningState, 3, 0);
  }

  // Signal. While a warning is armed or on its way to the screen the signal
  // waits for it, so it always follows the shown warning by W.
  const int32_t ss = m_signalState.load();
  const int32_t wsNow = m_warningState.load();
  if (ss == 1) {
    if (wsNow != 1 && wsNow != 2 && now >= m_signalOnTime.load() && Move(m_signalState, 1, 2)) {
      Post(kRunEventSignalOn);
    }
  } else if (ss == 3) {
    Move(m_responseState, 1, 2);
    Move(m_signalState, 3, 4);
  } else if (ss == 4 && now >= m_signalOffTime.load()) {
    if (m_words.TaskSDType == 3) {
      // An irrelevant duration: the signal stays on until the response
      // window ends (state 7: on, waiting for the deadline).
      if (Move(m_signalState, 4, 7)) m_warningState.store(0);
    } else if (Move(m_signalState, 4, 5)) {
      Post(kRunEventSignalOff);
    }
  }
}

bool CRunMachine::FeedbackAndAdvance(uint32_t now) {
  switch (m_feedbackState.load()) {
    case 1:
      if (Move(m_feedbackState, 1, 2)) Post(kRunEventFeedbackOn);
      return false;
    case 2:
      return false;
    case 3:
      if (now >= m_feedbackEnd.load() && Move(m_feedbackState, 3, 4)) Post(kRunEventFeedbackOff);
      return false;
    case 4:
      return false;
    default:
      break;
  }
  // Trial advance: a trial with a disposition other than 0 is given again.
  if (m_disposition.load() == 0) {
    if (m_secondPhase.load()) {
      const uint32_t next = m_secondIndex.load() + 1;
      m_secondIndex.store(next);
      if (next >= m_secondCount.load()) m_secondPhase.store(0);
    } else {
      const uint32_t next = m_trialIndex.load() + 1;
      m_trialIndex.store(next);
      if (next >= m_trialCount.load()) {
        m_phase.store(kPhasePartEnd);
        return true;
      }
    }
  }
  m_phase.store(kPhaseNextTrial);
  return true;
}

}  // namespace qel
