#include "engine/host/HostKeys.h"

#include "include/qel/TaskHostInterface.h"

namespace qel {

uint32_t ShiftCtrlBits(const uint8_t state[256]) {
  uint32_t bits = 0;
  if (KeyDown(state, kScanLeftCtrl) || KeyDown(state, kScanLeftShift)) bits |= kKeyBitLeft;
  if (KeyDown(state, kScanRightCtrl) || KeyDown(state, kScanRightShift)) bits |= kKeyBitRight;
  return bits;
}

uint32_t ResponseKeyBits(const uint8_t state[256]) {
  return ShiftCtrlBits(state) | (KeyDown(state, kScanSpace) ? kKeyBitSpace : 0u);
}

int SpaceKeyCode(const uint8_t state[256]) {
  if (KeyDown(state, kScanEscape)) return kScanEscape;
  if (KeyDown(state, kScanSpace)) return kScanSpace;
  return 0;
}

int FirstKeyDown(const uint8_t state[256]) {
  for (int code = 0; code < 256; ++code) {
    if (KeyDown(state, code)) return code;
  }
  return -1;
}

char DigitKeyChar(int scanCode) {
  // The keypad's digits in the order of '1'..'9', '0'.
  static constexpr int kKeypad[10] = {79, 80, 81, 75, 76, 77, 71, 72, 73, 82};
  static constexpr char kDigits[10] = {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0'};
  if (scanCode >= 2 && scanCode <= 11) return kDigits[scanCode - 2];
  for (int i = 0; i < 10; ++i) {
    if (kKeypad[i] == scanCode) return kDigits[i];
  }
  if (scanCode == kScanBackspace) return 8;
  if (scanCode == kScanEnter || scanCode == kScanKeypadEnter) return 10;
  return 0;
}

}  // namespace qel
