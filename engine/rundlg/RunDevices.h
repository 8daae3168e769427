// The devices of a run, opened by the run session before the plug-in's
// prepare command and given back after the run, in this order:
//   open:    voice key (tasks that use it), full screen, sound output, the
//            device system, the response device, keyboard, mouse;
//   release: mouse, keyboard, response device, device system, sound, voice
//            key, display.
// Each release may be called when the device was never opened.
#pragma once

#include "engine/input/InputTypes.h"

namespace qel {

class CTimerMs;
class IRunKeyboard;
class IRunPresentGate;
class IRunStamps;
class IRunVoiceKey;

class IRunDevices {
 public:
  virtual ~IRunDevices() = default;

  virtual bool InitVoiceKey(int captureDevice) = 0;
  virtual bool CreateFullScreen(int displayIndex) = 0;
  // The window the input devices are acquired for: the full screen's.
  virtual qel::InputWindow GetDeviceWindow() = 0;
  virtual bool InitSoundOutput(int deviceIndex) = 0;
  virtual bool CreateInput() = 0;
  virtual bool OpenResponseDevice(qel::InputWindow window) = 0;
  virtual bool AcquireKeyboard(qel::InputWindow window) = 0;
  virtual bool AcquireMouse(qel::InputWindow window) = 0;

  virtual void ReleaseMouse() = 0;
  virtual void ReleaseKeyboard() = 0;
  virtual void CloseResponseDevice() = 0;
  virtual void ReleaseInput() = 0;
  virtual void ReleaseSound() = 0;
  virtual void ReleaseVoiceKey() = 0;
  virtual void FreeDisplay() = 0;

  // What the trial state machine reads on the timer thread.
  virtual IRunKeyboard* Keyboard() = 0;
  virtual IRunVoiceKey* VoiceKey() = 0;
  // The devices' time stamps on the run's clock; null when the devices
  // give none or their stamps are not of that clock.
  virtual IRunStamps* Stamps(const CTimerMs& /*clock*/) { return nullptr; }
  // What holds the signal's frame and sound until its planned onset on the
  // run's clock; null when the devices cannot be held to that clock.
  virtual IRunPresentGate* PresentGate(const CTimerMs& /*clock*/) { return nullptr; }
};

}  // namespace qel
