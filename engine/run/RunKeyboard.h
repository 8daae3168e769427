// The testee keyboard as the trial state machine reads it on the timer thread.
#pragma once

namespace qel {

class IRunKeyboard {
 public:
  // Whether Escape is held down now.
  virtual bool IsEscapeDown() = 0;

 protected:
  ~IRunKeyboard() = default;
};

}  // namespace qel
