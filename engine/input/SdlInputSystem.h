// SDL's joystick, game controller and haptic subsystems, used without any
// SDL window: background events are allowed, SDL installs no signal
// handlers, and joystick and game controller events are queued for the pad
// event thread (SdlPadEvents), the only one that takes them.
// Start and Stop count like SDL's subsystems do, so other users of SDL in
// the process are not disturbed.
#pragma once

#include <string>

#include "engine/input/InputDeviceList.h"
#include "engine/input/InputTypes.h"

namespace qel {

class SdlInputSystem {
 public:
  ~SdlInputSystem();

  bool Start(std::string* error);
  void Stop();
  bool Started() const { return m_started; }

  // Haptics apart: a machine without force feedback support still has pads.
  bool StartHaptics(std::string* error);
  bool HapticsStarted() const { return m_haptics; }

 private:
  bool m_started = false;
  bool m_haptics = false;
};

// The attached devices of one kind (game pad or joystick), in SDL's order,
// until the list is full. A device with a game controller mapping is a game
// pad; every other joystick device is a joystick.
void ListSdlControllers(InputDeviceKind kind, InputDeviceList* list);
// SDL's device index of a listed device now; -1 when it is not attached.
int FindSdlController(const InputDeviceInstance& device);

// Force-feedback devices.
void ListSdlHaptics(InputDeviceList* list);
int FindSdlHaptic(const InputDeviceInstance& device);

}  // namespace qel
