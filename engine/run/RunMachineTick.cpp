// The tick side of the machine: runs on the timer thread once per beat. It
// allocates nothing, touches no window and calls the plug-in at most three
// times (the trial-ended poll, the response poll and the no-response
// command); everything else is posted to the UI thread.
#include <algorithm>

#include "app/model/ExpModelTask.h"
#include "engine/run/RunEventSink.h"
#include "engine/run/RunKeyboard.h"
#include "engine/run/RunMachine.h"
#include "engine/run/RunStamps.h"
#include "engine/run/RunTimes.h"
#include "engine/run/RunVoiceKey.h"
#include "include/qel/DisplayInterface.h"
#include "include/qel/TaskEntry.h"

namespace qel {

namespace {

// The key or button event a beat took in: a press (or release) the beat's
// poll answers to happened at its time; without one (a key held since
// before, a response the plug-in finds some other way) at the beat's. It
// may lie a little after the beat's own time: the event came before the poll.
struct BeatEvent {
  bool taken = false;
  bool press = false;
  int64_t ns = 0;
  int64_t TimeOf(bool wantPress, int64_t fallback) const { return taken && press == wantPress ? ns : fallback; }
};

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
    m_breakReason.store(BreakReason::kUser);
  } else {
    const uint32_t limit = m_words.TaskIntrAfterTrials;
    if (m_acRun.load() > limit) {
      m_breakReason.store(BreakReason::kAnticipations);
    } else if (m_omRun.load() > limit) {
      m_breakReason.store(BreakReason::kOmissions);
    } else {
      return false;
    }
    m_breakWasUser.store(0);
  }
  // The break dialog's title is formatted on the UI thread when it opens.
  m_disposition.store(Disposition::kBreak);
  return true;
}

void CRunMachine::OnTrialTick() {
  // Nothing is read before the part has been set up completely.
  if (!m_running.load()) return;
  const int64_t nowNs = NowNs();
  const uint32_t now = MsOfNs(nowNs);
  // One press or release per beat goes into the keys the polls below read,
  // so each change is seen with its own time even when several came
  // between two beats; a change this beat's polls answer to is this event.
  BeatEvent event;
  if (m_devices.stamps) event.taken = m_devices.stamps->NextEvent(&event.ns, &event.press);
  const uint32_t voiceBits = GetVoiceKeyBits();
  uint32_t bits = voiceBits;
  const bool breakDue = CheckBreak();

  // Break hand-over with the display's break word.
  switch (m_breakState.load()) {
    case BreakState::kNone:
      if (breakDue) {
        if (m_display) m_display->BreakSetState(kBreakRequested);
        m_breakState.store(BreakState::kRequested);
        Post(kRunEventBreak);
      }
      break;
    case BreakState::kRequested:
      // The handler may have found that no dialog opens and finished the
      // break already: then the trial goes on.
      if (m_display && m_display->BreakGetState() > kBreakRequested &&
          Move(m_breakState, BreakState::kRequested, BreakState::kAnswerAwaited)) {
        return;
      }
      break;
    case BreakState::kAnswerAwaited: {
      const int answer = m_display ? m_display->BreakGetState() : kBreakRequested;
      if (answer == kBreakContinue) {
        m_phase.store(Phase::kNextTrial);
      } else if (answer == kBreakStop) {
        m_phase.store(Phase::kPartEnd);
        m_stopped.store(1);
      } else {
        return;
      }
      m_breakState.store(BreakState::kAnswerPosted);
      Post(kRunEventBreakAnswered);
      return;
    }
    case BreakState::kAnswerPosted:
      return;
    case BreakState::kDone:
      m_breakState.store(BreakState::kNone);
      break;
    default:
      return;
  }

  // Phase action.
  switch (m_phase.load()) {
    case Phase::kPartStart:
      m_phase.store(Phase::kWaitPartStart);
      Post(kRunEventPartStart);
      break;
    case Phase::kNextTrial:
      m_phase.store(Phase::kWaitNextTrial);
      Post(kRunEventNextTrial);
      break;
    case Phase::kTrial:
      TrialSubMachines(now);
      break;
    case Phase::kTrialEnded:
      m_phase.store(Phase::kWaitScore);
      Post(kRunEventScore);
      break;
    case Phase::kAfterScore:
      if (!FeedbackAndAdvance(now)) return;
      break;
    case Phase::kPartEnd:
      m_phase.store(Phase::kWaitPartEnd);
      Post(kRunEventPartEnd);
      break;
    default:
      break;
  }

  // The plug-in may end the trial itself. Its "ended" counts only while a
  // trial runs: outside one it would score a trial twice or one not begun.
  const int32_t ended = m_task->IsTrialEnded();
  if (ended == kTrialEndsNow && m_phase.load() == Phase::kTrial) {
    StampResponse(nowNs);
    m_responseState.store(ResponseState::kIdle);
    m_phase.store(Phase::kTrialEnded);
    m_outcome.store(Outcome::kPreset);
    m_presetCategory.store(kCatExcluded);
  } else if (ended == kTrialSkipBeat) {
    return;
  }
  // Responses and the deadline belong to a running trial only.
  if (m_phase.load() != Phase::kTrial) return;

  // Response.
  const ResponseState rs = m_responseState.load();
  switch (rs) {
    case ResponseState::kArmed:
      break;
    case ResponseState::kWindowOpen: {
      const uint32_t polled = static_cast<uint32_t>(m_task->PollResponse());
      bits |= polled;
      if (bits != 0) {
        // The response's time is its press, a voice key's its trigger
        // sample: the earlier when both answer at this beat.
        int64_t responseNs = polled != 0 ? event.TimeOf(true, nowNs) : nowNs;
        if (voiceBits != 0) responseNs = std::min(responseNs, VoiceTriggerOr(nowNs));
        StampResponse(responseNs);
        m_responseCode.store(static_cast<int32_t>(bits));
        if (Move(m_responseState, ResponseState::kWindowOpen, ResponseState::kResponsePosted)) {
          Post(kRunEventResponse);
        }
        return;
      }
      break;
    }
    case ResponseState::kAwaitingRelease:
      bits |= static_cast<uint32_t>(m_task->PollResponse());
      if (bits == 0) {
        m_responseDeadline.store(MsOfNs(event.TimeOf(false, nowNs)));  // the release time
        if (Move(m_responseState, ResponseState::kAwaitingRelease, ResponseState::kReleasePosted)) {
          Post(kRunEventRelease);
        }
        return;
      }
      break;
    case ResponseState::kTrialEnded:
      m_responseState.store(ResponseState::kIdle);
      m_phase.store(Phase::kTrialEnded);
      return;
    default:
      return;
  }

  // Response deadline.
  if (now >= m_responseDeadline.load()) {
    m_responseState.store(ResponseState::kTrialEnded);
    const int32_t r = m_task->OnResponseTimeout();
    if (r == kNoResponseInWindow) {
      // Scored as a response in the window: without a response its time
      // is the deadline.
      if (rs != ResponseState::kAwaitingRelease) StampResponse(nowNs);
      m_outcome.store(Outcome::kInWindow);
    } else if (r == kNoResponseExclude) {
      m_outcome.store(Outcome::kPreset);
      m_presetCategory.store(kCatExcluded);
    }
    if (m_words.TaskSDType == kSignalDurationIrrelevant) {
      // The signal ends with the response window; one that has already
      // ended (a response hid it) is not hidden twice, and a response held
      // through the deadline keeps its outcome.
      if (Move(m_signalState, SignalState::kShown, SignalState::kOffPosted) ||
          Move(m_signalState, SignalState::kOn, SignalState::kOffPosted) ||
          Move(m_signalState, SignalState::kOnUntilDeadline, SignalState::kOffPosted)) {
        Post(kRunEventSignalOff);
      }
      if (rs != ResponseState::kAwaitingRelease) m_outcome.store(Outcome::kNone);
    }
    if (m_words.TaskControl == kEventsPostResponse || m_words.TaskControl == kEventsPostKeyRelease) {
      m_referenceTime.store(now);
    }
  }
}

void CRunMachine::TrialSubMachines(uint32_t now) {
  // Warning.
  const WarningState ws = m_warningState.load();
  if (ws == WarningState::kArmed && now >= m_warningTime.load()) {
    if (Move(m_warningState, WarningState::kArmed, WarningState::kDue)) Post(kRunEventWarning);
  } else if (ws == WarningState::kShown) {
    // The response window opens with the warning.
    Move(m_responseState, ResponseState::kArmed, ResponseState::kWindowOpen);
    Move(m_warningState, WarningState::kShown, WarningState::kNone);
  }

  // Signal. While a warning is armed or on its way to the screen the signal
  // waits for it, so it always follows the shown warning by W.
  // With a present gate the signal is asked for ahead of its onset, to be
  // drawn by then; its frame waits for the onset.
  const SignalState ss = m_signalState.load();
  const WarningState wsNow = m_warningState.load();
  const uint32_t lead = m_devices.presentGate ? kSignalLeadMs : 0;
  if (ss == SignalState::kArmed) {
    if (wsNow != WarningState::kArmed && wsNow != WarningState::kDue && now + lead >= m_signalOnTime.load() &&
        Move(m_signalState, SignalState::kArmed, SignalState::kDue)) {
      Post(kRunEventSignalOn);
    }
  } else if (ss == SignalState::kShown) {
    Move(m_responseState, ResponseState::kArmed, ResponseState::kWindowOpen);
    Move(m_signalState, SignalState::kShown, SignalState::kOn);
  } else if (ss == SignalState::kOn && now >= m_signalOffTime.load()) {
    if (m_words.TaskSDType == kSignalDurationIrrelevant) {
      // An irrelevant duration: the signal stays on until the response
      // window ends.
      if (Move(m_signalState, SignalState::kOn, SignalState::kOnUntilDeadline)) {
        m_warningState.store(WarningState::kNone);
      }
    } else if (Move(m_signalState, SignalState::kOn, SignalState::kOffPosted)) {
      Post(kRunEventSignalOff);
    }
  }
}

bool CRunMachine::FeedbackAndAdvance(uint32_t now) {
  switch (m_feedbackState.load()) {
    case FeedbackState::kRequested:
      if (Move(m_feedbackState, FeedbackState::kRequested, FeedbackState::kOnPosted)) Post(kRunEventFeedbackOn);
      return false;
    case FeedbackState::kOnPosted:
      return false;
    case FeedbackState::kOn:
      if (now >= m_feedbackEnd.load() && Move(m_feedbackState, FeedbackState::kOn, FeedbackState::kOffPosted)) {
        Post(kRunEventFeedbackOff);
      }
      return false;
    case FeedbackState::kOffPosted:
      return false;
    default:
      break;
  }
  // Trial advance: a trial that does not count is given again.
  if (m_disposition.load() == Disposition::kCounted) {
    if (m_secondPhase.load()) {
      const uint32_t next = m_secondIndex.load() + 1;
      m_secondIndex.store(next);
      if (next >= m_secondCount.load()) m_secondPhase.store(0);
    } else {
      const uint32_t next = m_trialIndex.load() + 1;
      m_trialIndex.store(next);
      if (next >= m_trialCount.load()) {
        m_phase.store(Phase::kPartEnd);
        return true;
      }
    }
  }
  m_phase.store(Phase::kNextTrial);
  return true;
}

}  // namespace qel
