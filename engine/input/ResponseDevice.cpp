#include "engine/input/ResponseDevice.h"

#include "engine/input/InputDevices.h"
#include "engine/input/ResponseMask.h"

namespace qel {


namespace {
int ListedCount(int32_t type) {
  switch (type) {
    case kResponseDeviceKeyboard: return GetKeyboardCount();
    case kResponseDeviceMouse: return GetMouseCount();
    case kResponseDeviceGamePad: return GetGamePadCount();
    case kResponseDeviceJoystick: return GetJoystickCount();
    default: return 0;
  }
}
}  // namespace

bool CResponseDevice::Select(unsigned type, int index) {
  if (type <= kResponseDeviceJoystick && index >= 0 && index < ListedCount(static_cast<int32_t>(type))) {
    type_ = static_cast<int32_t>(type);
    index_ = index;
    return true;
  }
  type_ = kResponseDeviceNone;
  index_ = -1;
  return false;
}

bool CResponseDevice::Acquire(InputWindow window) {
  if (type_ < 0 || type_ > kResponseDeviceJoystick) return false;
  if (index_ < 0 || index_ >= ListedCount(type_)) return false;
  switch (type_) {
    case kResponseDeviceKeyboard: return AcquireKeyboard(window, index_) == kInputOk;
    case kResponseDeviceMouse: return AcquireMouse(window, index_) == kInputOk;
    case kResponseDeviceGamePad: return AcquireGamePad(window, index_) == kInputOk;
    case kResponseDeviceJoystick: return AcquireJoystick(window, index_) == kInputOk;
    default: return false;
  }
}

void CResponseDevice::Release() {
  switch (type_) {
    case kResponseDeviceKeyboard: ReleaseKeyboard(); break;
    case kResponseDeviceMouse: ReleaseMouse(); break;
    case kResponseDeviceGamePad: ReleaseGamePad(); break;
    case kResponseDeviceJoystick: ReleaseJoystick(); break;
    default: break;
  }
  type_ = kResponseDeviceNone;
  index_ = -1;
}

std::string CResponseDevice::GetName() const {
  switch (type_) {
    case kResponseDeviceKeyboard: return GetKeyboardName(index_);
    case kResponseDeviceMouse: return GetMouseName(index_);
    case kResponseDeviceGamePad: return GetGamePadName(index_);
    case kResponseDeviceJoystick: return GetJoystickName(index_);
    default: return std::string();
  }
}

uint32_t CResponseDevice::ReadMask() {
  switch (type_) {
    case kResponseDeviceKeyboard: {
      uint8_t keys[kKeyboardStateSize];
      ReadKeyboard(keys);
      return ResponseMaskFromKeyboard(keys);
    }
    case kResponseDeviceMouse: {
      MouseState mouse;
      ReadMouse(&mouse);
      return ResponseMaskFromButtons(mouse.rgbButtons, sizeof mouse.rgbButtons);
    }
    case kResponseDeviceGamePad:
    case kResponseDeviceJoystick: {
      JoystickState pad;
      if (type_ == kResponseDeviceGamePad) {
        ReadGamePad(&pad);
      } else {
        ReadJoystick(&pad);
      }
      return ResponseMaskFromButtons(pad.rgbButtons, sizeof pad.rgbButtons);
    }
    default: return 0;
  }
}

}  // namespace qel
