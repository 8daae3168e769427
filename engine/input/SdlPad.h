// One opened game pad (read through its game controller mapping, so button
// 0 is the bottom face button on every pad) or joystick (read raw).
#pragma once

#include <cstdint>
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

  // Still plugged in (as of SDL's latest update).
  bool Attached() const;
  // A game pad (read through its mapping) rather than a joystick.
  bool IsController() const { return m_controller != nullptr; }
  // SDL's instance id of the open device (its events carry it); -1 when closed.
  int32_t InstanceId() const;
  // The current state (as of SDL's latest update).
  InputResult Read(JoystickState* state, std::string* detail) const;

 private:
  _SDL_GameController* m_controller = nullptr;
  _SDL_Joystick* m_joystick = nullptr;
};

// A hat position as a point of view (hundredths of a degree; centred 0xFFFFFFFF).
uint32_t PovFromHat(uint8_t hat);

}  // namespace qel
