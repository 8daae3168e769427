// The three response buttons of a device as a mask: bit 0 (1) the left
// button, bit 1 (2) the right one, bit 2 (4) the third one; a bit is set
// while its button is down.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qel {

constexpr uint32_t kResponseLeft = 1;
constexpr uint32_t kResponseRight = 2;
constexpr uint32_t kResponseThird = 4;

// Keyboard: left Alt, Shift or Ctrl -> bit 0; right Alt, Shift or Ctrl ->
// bit 1; Space -> bit 2.
uint32_t ResponseMaskFromKeyboard(const uint8_t state[256]);

// Mouse, game pad or joystick: buttons 0, 1 and 2 -> bits 0, 1 and 2.
uint32_t ResponseMaskFromButtons(const uint8_t* buttons, size_t count);

}  // namespace qel
