// The host tests' plug-in: a task on the plug-in framework whose
// correct-response command (the correct response of a "trial code") takes a line of text naming one
// host service and its arguments, calls that service through the task's
// host pointer and answers its result. Texts the service gives back go to
// the library record's run text. The commands the framework answers itself
// (warnings, drawing into a surface) stay as the framework makes them.
#pragma once

#include <atomic>

#include "taskfw/TaskBase.h"

namespace qel {

class CTaskHostProbe final : public CTaskBase {
 public:
  static constexpr COLORREF kStimulusColour = 0x0000FF;  // red
  static constexpr COLORREF kStimulusFrame = 0xFF0000;   // blue
  static constexpr int kOwnWaveId = 501;

  CTaskHostProbe();

  int32_t GetCorrectResponse(const char* command) override;
  // A framed square at (40, 30) of radius 10 and a cross at the centre of
  // the surface, through the host's helpers.
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;

 private:
  int32_t Draw(CDC* dc, const char* shape, const char* args);
  static bool OnRestore(void* context);

  std::atomic<int> m_restoreCalls{0};
};

}  // namespace qel
