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

void CRunMachine::Post(int32_t code) { devices_.events->PostRunEvent(code, 0); }

uint32_t CRunMachine::GetVoiceKeyBits() {
  if (!voiceKeyOn_.load() || !devices_.voiceKey) return 0;
  return devices_.voiceKey->GetBits() & 3u;
}

bool CRunMachine::CheckBreak() {
  if (devices_.keyboard && devices_.keyboard->IsEscapeDown()) {
    breakWasUser_.store(1);
    breakReason_.store(kReasonUser);
  } else {
    const uint32_t limit = words_.TaskIntrAfterTrials;
    if (acRun_.load() > limit) {
      breakReason_.store(kReasonAnticipations);
    } else if (omRun_.load() > limit) {
      breakReason_.store(kReasonOmissions);
    } else {
      return false;
    }
    breakWasUser_.store(0);
  }
  // The break dialog's title is formatted on the UI thread when it opens.
  disposition_.store(6);
  return true;
}

void CRunMachine::OnTrialTick() {
  // Nothing is read before the part has been set up completely.
  if (!running_.load()) return;
  const uint32_t now = Now();
  uint32_t bits = GetVoiceKeyBits();
  const bool breakDue = CheckBreak();

  // Break hand-over with the display's break word.
  switch (breakState_.load()) {
    case 0:
      if (breakDue) {
        if (display_) display_->BreakSetState(kBreakRequested);
        breakState_.store(1);
        Post(kRunEventBreak);
      }
      break;
    case 1:
      // The handler may have found that no dialog opens and finished the
      // break already (state 4): then the trial goes on.
      if (display_ && display_->BreakGetState() > kBreakRequested && Move(breakState_, 1, 2)) return;
      break;
    case 2: {
      const int answer = display_ ? display_->BreakGetState() : kBreakRequested;
      if (answer == kBreakContinue) {
        phase_.store(kPhaseNextTrial);
      } else if (answer == kBreakStop) {
        phase_.store(kPhasePartEnd);
        stopped_.store(1);
      } else {
        return;
      }
      breakState_.store(3);
      Post(kRunEventBreakAnswered);
      return;
    }
    case 3:
      return;
    case 4:
      breakState_.store(0);
      break;
    default:
      return;
  }

  // Phase action.
  switch (phase_.load()) {
    case kPhasePartStart:
      phase_.store(kPhaseWaitPartStart);
      Post(kRunEventPartStart);
      break;
    case kPhaseNextTrial:
      phase_.store(kPhaseWaitNextTrial);
      Post(kRunEventNextTrial);
      break;
    case kPhaseTrial:
      TrialSubMachines(now);
      break;
    case kPhaseTrialEnded:
      phase_.store(kPhaseWaitScore);
      Post(kRunEventScore);
      break;
    case kPhaseAfterScore:
      if (!FeedbackAndAdvance(now)) return;
      break;
    case kPhasePartEnd:
      phase_.store(kPhaseWaitPartEnd);
      Post(kRunEventPartEnd);
      break;
    default:
      break;
  }

  // The plug-in may end the trial itself. Its "ended" counts only while a
  // trial runs: outside one it would score a trial twice or one not begun.
  const int32_t ended = task_->IsTrialEnded();
  if (ended == 1 && phase_.load() == kPhaseTrial) {
    responseTime_.store(now);
    responseState_.store(0);
    phase_.store(kPhaseTrialEnded);
    outcome_.store(kOutcomePreset);
    presetCategory_.store(8);
  } else if (ended == 6) {
    return;
  }
  // Responses and the deadline belong to a running trial only.
  if (phase_.load() != kPhaseTrial) return;

  // Response.
  const int32_t rs = responseState_.load();
  switch (rs) {
    case 1:
      break;
    case 2:
      bits |= static_cast<uint32_t>(task_->PollResponse());
      if (bits != 0) {
        responseTime_.store(now);
        responseCode_.store(static_cast<int32_t>(bits));
        if (Move(responseState_, 2, 3)) Post(kRunEventResponse);
        return;
      }
      break;
    case 4:
      bits |= static_cast<uint32_t>(task_->PollResponse());
      if (bits == 0) {
        responseDeadline_.store(now);  // the release time
        if (Move(responseState_, 4, 5)) Post(kRunEventRelease);
        return;
      }
      break;
    case 6:
      responseState_.store(0);
      phase_.store(kPhaseTrialEnded);
      return;
    default:
      return;
  }

  // Response deadline.
  if (now >= responseDeadline_.load()) {
    responseState_.store(6);
    const int32_t r = task_->OnResponseTimeout();
    if (r == 1) {
      // Scored as a response in the window: without a response its time
      // is the deadline.
      if (rs != 4) responseTime_.store(now);
      outcome_.store(kOutcomeInWindow);
    } else if (r == 8) {
      outcome_.store(kOutcomePreset);
      presetCategory_.store(8);
    }
    if (words_.TaskSDType == 3) {
      // The signal ends with the response window; one that has already
      // ended (a response hid it) is not hidden twice, and a response held
      // through the deadline keeps its outcome.
      if (Move(signalState_, 3, 5) || Move(signalState_, 4, 5) || Move(signalState_, 7, 5)) {
        Post(kRunEventSignalOff);
      }
      if (rs != 4) outcome_.store(kOutcomeNone);
    }
    if (words_.TaskControl == 0 || words_.TaskControl == 2) referenceTime_.store(now);
  }
}

void CRunMachine::TrialSubMachines(uint32_t now) {
  // Warning.
  const int32_t ws = warningState_.load();
  if (ws == 1 && now >= warningTime_.load()) {
    if (Move(warningState_, 1, 2)) Post(kRunEventWarning);
  } else if (ws == 3) {
    // The response window opens with the warning.
    Move(responseState_, 1, 2);
    Move(warningState_, 3, 0);
  }

  // Signal. While a warning is armed or on its way to the screen the signal
  // waits for it, so it always follows the shown warning by W.
  const int32_t ss = signalState_.load();
  const int32_t wsNow = warningState_.load();
  if (ss == 1) {
    if (wsNow != 1 && wsNow != 2 && now >= signalOnTime_.load() && Move(signalState_, 1, 2)) {
      Post(kRunEventSignalOn);
    }
  } else if (ss == 3) {
    Move(responseState_, 1, 2);
    Move(signalState_, 3, 4);
  } else if (ss == 4 && now >= signalOffTime_.load()) {
    if (words_.TaskSDType == 3) {
      // An irrelevant duration: the signal stays on until the response
      // window ends (state 7: on, waiting for the deadline).
      if (Move(signalState_, 4, 7)) warningState_.store(0);
    } else if (Move(signalState_, 4, 5)) {
      Post(kRunEventSignalOff);
    }
  }
}

bool CRunMachine::FeedbackAndAdvance(uint32_t now) {
  switch (feedbackState_.load()) {
    case 1:
      if (Move(feedbackState_, 1, 2)) Post(kRunEventFeedbackOn);
      return false;
    case 2:
      return false;
    case 3:
      if (now >= feedbackEnd_.load() && Move(feedbackState_, 3, 4)) Post(kRunEventFeedbackOff);
      return false;
    case 4:
      return false;
    default:
      break;
  }
  // Trial advance: a trial with a disposition other than 0 is given again.
  if (disposition_.load() == 0) {
    if (secondPhase_.load()) {
      const uint32_t next = secondIndex_.load() + 1;
      secondIndex_.store(next);
      if (next >= secondCount_.load()) secondPhase_.store(0);
    } else {
      const uint32_t next = trialIndex_.load() + 1;
      trialIndex_.store(next);
      if (next >= trialCount_.load()) {
        phase_.store(kPhasePartEnd);
        return true;
      }
    }
  }
  phase_.store(kPhaseNextTrial);
  return true;
}

}  // namespace qel
