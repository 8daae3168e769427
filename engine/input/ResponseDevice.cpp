#include "engine/input/ResponseDevice.h"

#include "engine/input/InputDevices.h"
#include "engine/input/ResponseMask.h"

namespace qel {

namespace {
int ListedCount(int32_t type) {
  switch (type) {
    case kResponseDeviceKeyboard:
      return GetKeyboardCount();
    case kResponseDeviceMouse:
      return GetMouseCount();
    case kResponseDeviceGamePad:
      return GetGamePadCount();
    case kResponseDeviceJoystick:
      return GetJoystickCount();
    default:
      return 0;
  }
}
}  // namespace

bool CResponseDevice::Select(unsigned type, int index) {
  if (type <= kResponseDeviceJoystick && index >= 0 && index < ListedCount(static_cast<int32_t>(type))) {
    m_type = static_cast<int32_t>(type);
    m_index = index;
    return true;
  }
  m_type = kResponseDeviceNone;
  m_index = -1;
  return false;
}

bool CResponseDevice::Acquire(InputWindow window) {
  if (m_type < 0 || m_type > kResponseDeviceJoystick) return false;
  if (m_index < 0 || m_index >= ListedCount(m_type)) return false;
  switch (m_type) {
    case kResponseDeviceKeyboard:
      return AcquireKeyboard(window, m_index) == kInputOk;
    case kResponseDeviceMouse:
      return AcquireMouse(window, m_index) == kInputOk;
    case kResponseDeviceGamePad:
      return AcquireGamePad(window, m_index) == kInputOk;
    case kResponseDeviceJoystick:
      return AcquireJoystick(window, m_index) == kInputOk;
    default:
      return false;
  }
}

void CResponseDevice::Release() {
  switch (m_type) {
    case kResponseDeviceKeyboard:
      ReleaseKeyboard();
      break;
    case kResponseDeviceMouse:
      ReleaseMouse();
      break;
    case kResponseDeviceGamePad:
      ReleaseGamePad();
      break;
    case kResponseDeviceJoystick:
      ReleaseJoystick();
      break;
    default:
      break;
  }
  m_type = kResponseDeviceNone;
  m_index = -1;
}

std::string CResponseDevice::GetName() const {
  switch (m_type) {
    case kResponseDeviceKeyboard:
      return GetKeyboardName(m_index);
    case kResponseDeviceMouse:
      return GetMouseName(m_index);
    case kResponseDeviceGamePad:
      return GetGamePadName(m_index);
    case kResponseDeviceJoystick:
      return GetJoystickName(m_index);
    default:
      return std::string();
  }
}

uint32_t CResponseDevice::ReadMask() {
  switch (m_type) {
    case kResponseDeviceKeyboard: {
      uint8_t keys[kKeyboardStateSize];
      ReadKeyboard(keys);
      return ResponseMaskFromKeyboard(keys);
    }
    case kResponseDeviceMouse: {
      MouseState mouse;
      ReadMouseButtons(&mouse);
      return ResponseMaskFromButtons(mouse.rgbButtons, sizeof mouse.rgbButtons);
    }
    case kResponseDeviceGamePad:
    case kResponseDeviceJoystick: {
      JoystickState pad;
      if (m_type == kResponseDeviceGamePad) {
        ReadGamePad(&pad);
      } else {
        ReadJoystick(&pad);
      }
      return ResponseMaskFromButtons(pad.rgbButtons, sizeof pad.rgbButtons);
    }
    default:
      return 0;
  }
}

}  // namespace qel
