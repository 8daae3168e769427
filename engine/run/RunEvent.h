// Run event codes posted to the run dialog (as the notify message's first
// argument) and what the dialog must do after the machine has handled one.
#pragma once

#include <cstdint>

namespace qel {

enum QelRunEvent : int32_t {
  kRunEventSelfTimedEnd = 0,    // worker of a self-timed part finished
  kRunEventSignalsEnd = 1,      // worker of "view task signals" finished
  kRunEventPartEnd = 11,        // tick, end of the part
  kRunEventPartStart = 12,      // tick, part start
  kRunEventEndPart = 13,        // (not posted by the machine) the end-of-part command only
  kRunEventNextTrial = 14,      // tick, next trial
  kRunEventScore = 15,          // tick, trial ended
  kRunEventWarning = 16,        // tick, warning due
  kRunEventSignalOn = 18,       // tick, signal due
  kRunEventSignalOff = 19,      // tick, signal-off time or response deadline
  kRunEventResponse = 20,       // tick, response seen
  kRunEventRelease = 21,        // tick, response released
  kRunEventFeedbackOn = 22,     // tick, feedback requested
  kRunEventFeedbackOff = 23,    // tick, feedback over
  kRunEventBreak = 24,          // tick, break requested
  kRunEventBreakAnswered = 25,  // tick, break answered
};

// What the run dialog does after CRunMachine::OnRunEvent returns.
enum class RunEventAction {
  kNone,
  kEndRun,          // end the run (stop workers and timer, release devices, compute the variables)
  kReleaseDevices,  // a signals run ended: release the devices
  kBreakOpened,     // the break dialog is on the display: the Stop button reads "Go"
  kBreakAnswered,   // the break is over
};

}  // namespace qel
