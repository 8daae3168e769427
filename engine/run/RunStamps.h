// Time stamps of the run's devices on the run clock, as the trial state
// machine reads them: the presses and releases of keys and buttons as they
// happened, the moment a frame reached the screen and the voice key's
// trigger sample. Read on the timer
// thread: every call returns at once and touches no window.
#pragma once

#include <cstdint>

namespace qel {

class IRunStamps {
 public:
  // The run clock now, ns since its origin.
  virtual int64_t NowNs() = 0;
  // Presses and releases so far: event indices run from 0 to the count - 1.
  virtual uint64_t EventCount() = 0;
  // Event `index`: its run clock time (ns) and whether it was a press; false
  // when it is not known (not yet there, or no longer kept).
  virtual bool EventAt(uint64_t index, int64_t* runNs, bool* press) = 0;
  // The run clock time (ns) at which the latest frame had reached the
  // screen; false when no frame has been shown since the device opened.
  virtual bool LastFrameNs(int64_t* runNs) = 0;
  // The run clock time (ns) of the captured sample that took the voice key
  // over its threshold when its bits last rose since it was started; false
  // when there is none.
  virtual bool VoiceKeyTriggerNs(int64_t* runNs) = 0;

 protected:
  ~IRunStamps() = default;
};

}  // namespace qel
