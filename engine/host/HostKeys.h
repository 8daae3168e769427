// What the task host's key services make of one 256-byte keyboard state
// (one byte per scan code, down while the high bit is set).
#pragma once

#include <cstdint>

namespace qel {

constexpr uint32_t kKeyBitLeft = 1;   // left Ctrl or left Shift
constexpr uint32_t kKeyBitRight = 2;  // right Ctrl or right Shift
constexpr uint32_t kKeyBitSpace = 4;

// Bit 0 while left Ctrl (29) or left Shift (42) is down, bit 1 while right
// Ctrl (157) or right Shift (54) is down.
uint32_t ShiftCtrlBits(const uint8_t state[256]);
// ShiftCtrlBits plus bit 2 while Space (57) is down.
uint32_t ResponseKeyBits(const uint8_t state[256]);
// 1 while Escape is down; else 57 while Space is down; else 0.
int SpaceKeyCode(const uint8_t state[256]);
// The lowest scan code that is down; -1 when none is.
int FirstKeyDown(const uint8_t state[256]);
// The character of a digit-entry key: '1'..'9', '0' for the digit row
// (2..11) and for the keypad (79, 80, 81, 75, 76, 77, 71, 72, 73, 82);
// 8 for Backspace (14); 10 for Enter (28) and keypad Enter (156); else 0.
char DigitKeyChar(int scanCode);
inline bool KeyDown(const uint8_t state[256], int scanCode) {
  return scanCode >= 0 && scanCode < 256 && (state[scanCode] & 0x80) != 0;
}

}  // namespace qel
