// Holds a signal's output back until its planned onset. With a gate the
// machine asks for the signal kSignalLeadMs ahead of its onset, so the
// plug-in draws the frame before the onset and only the frame's hand-over
// to the screen (and a sound's start) is left for the onset itself: the
// display and the sound output wait for the held time before they show or
// play. Called on the user-interface thread around the show-signal command.
#pragma once

#include <cstdint>

namespace qel {

class IRunPresentGate {
 public:
  // Presents and sound starts wait until the run clock time runNs (ns).
  virtual void HoldUntil(int64_t runNs) = 0;
  // They go at once again.
  virtual void Release() = 0;

 protected:
  ~IRunPresentGate() = default;
};

}  // namespace qel
