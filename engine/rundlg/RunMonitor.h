// What the run dialog shows of a run session, told as it changes; the
// dialog reads the counters, texts and flags themselves from the session.
//
// Threads: called on the user-interface thread only.
#pragma once

namespace qel {

class IRunMonitor {
 public:
  virtual ~IRunMonitor() = default;

  // Counters, indicators and status emptied, the reply list back to its
  // first entry, the trial count shown, the break controls off.
  virtual void OnCountersCleared() = 0;
  // The run's instruction text changed.
  virtual void OnInstructionChanged() = 0;
  // The run goes: its trial count is known; the counters follow it from now
  // on and the dialog cannot be closed.
  virtual void OnRunGoing() = 0;
  // Show the counters and the status now.
  virtual void OnRunProgress() = 0;
  // The run stopped: the counters shown a last time, the dialog can be
  // closed again.
  virtual void OnRunStopped() = 0;
  // A break waits for the operator's reply (go) or no longer does.
  virtual void OnGoChanged(bool go) = 0;
  // The run or signals run is over and everything is given back (a hidden
  // dialog goes).
  virtual void OnRunOver() = 0;
};

}  // namespace qel
