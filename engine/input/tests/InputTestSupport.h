// Test helpers besides the X test input and prompt recorder of
// tests/support: SDL virtual game pads and joysticks.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/common/PromptRecorder.h"
#include "tests/support/x11/XTestInput.h"

namespace qel {

namespace test {

// SDL virtual game pads and joysticks (no hardware needed); detached when
// the object goes.
class VirtualDevices {
 public:
  VirtualDevices();
  ~VirtualDevices();
  bool Ok() const { return m_ok; }

  // A game pad with the standard 15 buttons and 6 axes; returns its number here.
  int AttachPad(const std::string& name);
  // A joystick with 3 axes, 4 buttons and a hat.
  int AttachStick(const std::string& name);

  // Changes are in the input layer's pad states once these return (when
  // its device system runs).
  void SetButton(int device, int button, bool down);
  void SetAxis(int device, int axis, int16_t value);
  void SetHat(int device, uint8_t value);
  void Detach(int device);

 private:
  int Attach(int type, const std::string& name, int axes, int buttons, int hats);

  bool m_ok = false;
  std::vector<SDL_Joystick*> m_handles;
};

}  // namespace test

}  // namespace qel
