// The voice key as a run uses it. GetBits is read on the timer thread every
// tick; the other operations come from the user-interface thread.
#pragma once

#include <cstdint>

namespace qel {

class IRunVoiceKey {
 public:
  // Bit 0: first channel at or above the threshold; bit 1: second channel.
  virtual uint32_t GetBits() = 0;
  virtual void SetThreshold(int percent) = 0;
  virtual bool Start() = 0;
  virtual void Stop() = 0;

 protected:
  ~IRunVoiceKey() = default;
};

}  // namespace qel
