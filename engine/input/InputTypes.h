// Records the input device layer fills: the device list entries and the
// mouse and joystick states, laid out like the states the task code reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qel {

// The window a device is acquired for (an X11 window id; 0 = none).
using InputWindow = unsigned long;

// One byte per key code; a key is down when the high bit (0x80) is set.
constexpr size_t kKeyboardStateSize = 256;
constexpr uint8_t kDown = 0x80;

// Movement since the last read and eight buttons (0 left, 1 right, 2 middle).
struct MouseState {
  int32_t lX = 0;
  int32_t lY = 0;
  int32_t lZ = 0;  // wheel: +120 per notch away from the user
  uint8_t rgbButtons[8] = {};
};
static_assert(sizeof(MouseState) == 20, "mouse state is 20 bytes");

// Game pad and joystick state: six axes, two sliders, four points of view
// (hundredths of a degree clockwise from north, 0xFFFFFFFF centred) and 128
// buttons.
struct JoystickState {
  int32_t lX = 0;
  int32_t lY = 0;
  int32_t lZ = 0;
  int32_t lRx = 0;
  int32_t lRy = 0;
  int32_t lRz = 0;
  int32_t rglSlider[2] = {};
  uint32_t rgdwPOV[4] = {};
  uint8_t rgbButtons[128] = {};
};
static_assert(sizeof(JoystickState) == 176, "joystick state is 176 bytes");

// Where a press or release came from; with the code it names the key or
// button: an X key code, the mouse state's button (0-7), or the button of
// the game pad or joystick in use (0-127).
enum class InputSource : uint8_t { kKey = 0, kMouseButton = 1, kGamePadButton = 2, kJoystickButton = 3 };

// One press or release of a key or button: when it reached the program
// (CLOCK_MONOTONIC ns), which of the two it was, and which key or button.
struct InputEventStamp {
  int64_t ns = 0;
  bool press = false;
  InputSource source = InputSource::kKey;
  uint8_t code = 0;
};

constexpr uint32_t kPovCentred = 0xFFFFFFFFu;

enum class InputDeviceKind { kKeyboard, kMouse, kGamePad, kJoystick, kForceFeedback };

// One enumerated device. The identity (kind, GUID, path, product name and
// the ordinal among devices equal in all of those) finds the device again
// after the device system was shut down and started anew.
struct InputDeviceInstance {
  InputDeviceKind kind = InputDeviceKind::kKeyboard;
  std::string instanceName;
  std::string productName;
  std::array<uint8_t, 16> productGuid{};
  std::string path;
  int ordinal = 0;

  bool SameDevice(const InputDeviceInstance& other) const {
    return kind == other.kind && productGuid == other.productGuid && path == other.path &&
           productName == other.productName && ordinal == other.ordinal;
  }
};

}  // namespace qel
