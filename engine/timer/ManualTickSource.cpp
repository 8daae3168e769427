#include "engine/timer/ManualTickSource.h"

namespace qel {


bool ManualTickSource::StartBeats(BeatFn fn, void* context) {
  if (fn == nullptr || running_ || startRefused_ || !hasClock_) return false;
  fn_ = fn;
  context_ = context;
  running_ = true;
  return true;
}

void ManualTickSource::StopBeats() {
  running_ = false;
  fn_ = nullptr;
  context_ = nullptr;
}

bool ManualTickSource::Beat() {
  if (!running_ || fn_ == nullptr) return false;
  fn_(context_, now_.load());
  return true;
}

uint32_t ManualTickSource::RunMs(uint32_t ms) {
  uint32_t given = 0;
  for (uint32_t i = 0; i < ms && running_; ++i) {
    AdvanceMs(1);
    if (Beat()) ++given;
  }
  return given;
}

}  // namespace qel
