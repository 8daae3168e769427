// One opened game pad (read through its game controller mapping, so button
// 0 is the bottom face button on every pad) or joystick (read raw).
#pragma once

#include <string>

#include "engine/input/InputResult.h"
#include "engine/input/InputTypes.h"

struct _SDL_GameController;
struct _SDL_Joystick;

namespace qel {

class SdlPad {
 public:
  SdlPad() = default;
  ~SdlPad() { Close(); }
  SdlPad(const SdlPad&) = delete;
  SdlPad& operator=(const SdlPad&) = delete;

  // Opens the listed device where it is attached now.
  InputResult Open(const InputDeviceInstance& device, std::string* detail);
  void Close();
  bool IsOpen() const { return m_joystick != nullptr; }

  // Brings SDL's states up to date; false when the device went away.
  bool Poll();
  // The current state.
  InputResult Read(JoystickState* state, std::string* detail) const;

 private:
  _SDL_GameController* m_controller = nullptr;
  _SDL_Joystick* m_joystick = nullptr;
};

// A hat position as a point of view (hundredths of a degree; centred 0xFFFFFFFF).
uint32_t PovFromHat(uint8_t hat);

}  // namespace qel
