// The run's device stamps from the real devices: presses and releases from
// the input layer's event log, the display's frame-on-screen stamp and the
// voice key's trigger, all CLOCK_MONOTONIC times, put onto the run timer's
// clock.
#pragma once

#include "engine/run/RunStamps.h"

namespace qel {

class CDDDisplay;
class CTimerMs;
class CVoiceKey;

class CHostRunStamps final : public IRunStamps {
 public:
  // None is owned; all must outlive the stamps' use.
  CHostRunStamps(const CTimerMs& clock, CDDDisplay& display, const CVoiceKey& voiceKey)
      : m_clock(clock), m_display(display), m_voiceKey(voiceKey) {}

  int64_t NowNs() override;
  bool NextEvent(int64_t* runNs, bool* press) override;
  bool LastFrameNs(int64_t* runNs) override;
  bool VoiceKeyTriggerNs(int64_t* runNs) override;

 private:
  const CTimerMs& m_clock;
  CDDDisplay& m_display;
  const CVoiceKey& m_voiceKey;
};

}  // namespace qel
