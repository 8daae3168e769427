// The run's device stamps from the real devices: presses and releases from
// the input layer's event log and the display's frame-on-screen stamp, both
// CLOCK_MONOTONIC times, put onto the run timer's clock.
#pragma once

#include "engine/run/RunStamps.h"

namespace qel {

class CDDDisplay;
class CTimerMs;

class CHostRunStamps final : public IRunStamps {
 public:
  // Neither is owned; both must outlive the stamps' use.
  CHostRunStamps(const CTimerMs& clock, CDDDisplay& display) : m_clock(clock), m_display(display) {}

  int64_t NowNs() override;
  uint64_t EventCount() override;
  bool EventAt(uint64_t index, int64_t* runNs, bool* press) override;
  bool LastFrameNs(int64_t* runNs) override;

 private:
  const CTimerMs& m_clock;
  CDDDisplay& m_display;
};

}  // namespace qel
