// Where the trial state machine posts its run events. Called on the timer
// thread: an implementation queues the event for the user-interface thread
// and returns at once (it never blocks and never runs the handler itself).
#pragma once

#include <cstdint>

namespace qel {

class IRunEventSink {
 public:
  virtual void PostRunEvent(int32_t code, intptr_t lParam) = 0;

 protected:
  ~IRunEventSink() = default;
};

}  // namespace qel
