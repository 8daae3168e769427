#include "engine/rundlg/ui/HostRunStamps.h"

#include "display/ui/DDDisplay.h"
#include "engine/input/InputDevices.h"
#include "engine/sound/voicekey/VoiceKey.h"
#include "engine/timer/TimerMs.h"

namespace qel {

int64_t CHostRunStamps::NowNs() { return m_clock.GetElapsedNs(); }

bool CHostRunStamps::NextEvent(int64_t* runNs, bool* press) {
  InputEventStamp event;
  if (!qel::StepInputEvent(&event)) return false;
  *runNs = m_clock.ElapsedNsAt(event.ns);
  *press = event.press;
  return true;
}

bool CHostRunStamps::LastFrameNs(int64_t* runNs) {
  int64_t ns = 0;
  if (!m_display.LastFrameShownNs(&ns)) return false;
  *runNs = m_clock.ElapsedNsAt(ns);
  return true;
}

bool CHostRunStamps::VoiceKeyTriggerNs(int64_t* runNs) {
  int64_t ns = 0;
  if (!m_voiceKey.TriggerNs(&ns)) return false;
  *runNs = m_clock.ElapsedNsAt(ns);
  return true;
}

}  // namespace qel
