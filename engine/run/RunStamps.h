// Time stamps of the run's devices on the run clock, as the trial state
// machine reads them: the presses and releases of keys and buttons, one
// by one as they happened, the moment a frame reached the screen and the voice key's
// trigger sample. Read on the timer
// thread: every call returns at once and touches no window.
#pragma once

#include <cstdint>

namespace qel {

class IRunStamps {
 public:
  // The run clock now, ns since its origin.
  virtual int64_t NowNs() = 0;
  // Takes the next press or release of a key or button into the key and
  // button state that this thread's reads give (the plug-in's response
  // poll, the Escape key): its run clock time (ns) and whether it was a
  // press; false when none is waiting (the reads then give the latest
  // state). One event per call, so a press and its release between two
  // beats are two changes, each with its own time.
  virtual bool NextEvent(int64_t* runNs, bool* press) = 0;
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
