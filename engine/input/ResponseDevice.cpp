#include "engine/input/ResponseDevice.h"

#include "engine/input/InputDevices.h"
#include "engine/input/ResponseMask.h"

namespace qel {

namespace {
int ListedCount(int32_t type) {
  switch (type) {
    case kButtonTypeKeyboard:
      return GetKeyboardCount();
    case kButtonTypeMouse:
      return GetMouseCount();
    case kButtonTypeGamePad:
      return GetGamePadCount();
    case kButtonTypeJoystick:
      return GetJoystickCount();
    default:
      return 0;
  }
}
}  // namespace

bool CResponseDevice::Select(unsigned type, int index) {
  if (type <= kButtonTypeJoystick && index >= 0 && index < ListedCount(static_cast<int32_t>(type))) {
    m_type = static_cast<int32_t>(type);
    m_index = index;
    return true;
  }
  m_type = kButtonTypeNone;
  m_index = -1;
  return false;
}

bool CResponseDevice::Acquire(InputWindow window) {
  if (m_type < 0 || m_type > kButtonTypeJoystick) return false;
  if (m_index < 0 || m_index >= ListedCount(m_type)) return false;
  switch (m_type) {
    case kButtonTypeKeyboard:
      return AcquireKeyboard(window, m_index) == kInputOk;
    case kButtonTypeMouse:
      return AcquireMouse(window, m_index) == kInputOk;
    case kButtonTypeGamePad:
      return AcquireGamePad(window, m_index) == kInputOk;
    case kButtonTypeJoystick:
      return AcquireJoystick(window, m_index) == kInputOk;
    default:
      return false;
  }
}

void CResponseDevice::Release() {
  switch (m_type) {
    case kButtonTypeKeyboard:
      ReleaseKeyboard();
      break;
    case kButtonTypeMouse:
      ReleaseMouse();
      break;
    case kButtonTypeGamePad:
      ReleaseGamePad();
      break;
    case kButtonTypeJoystick:
      ReleaseJoystick();
      break;
    default:
      break;
  }
  m_type = kButtonTypeNone;
  m_index = -1;
}

std::string CResponseDevice::GetName() const {
  switch (m_type) {
    case kButtonTypeKeyboard:
      return GetKeyboardName(m_index);
    case kButtonTypeMouse:
      return GetMouseName(m_index);
    case kButtonTypeGamePad:
      return GetGamePadName(m_index);
    case kButtonTypeJoystick:
      return GetJoystickName(m_index);
    default:
      return std::string();
  }
}

uint32_t CResponseDevice::ReadMask() {
  switch (m_type) {
    case kButtonTypeKeyboard: {
      uint8_t keys[kKeyboardStateSize];
      ReadKeyboard(keys);
      return ResponseMaskFromKeyboard(keys);
    }
    case kButtonTypeMouse: {
      MouseState mouse;
      ReadMouseButtons(&mouse);
      return ResponseMaskFromButtons(mouse.rgbButtons, sizeof mouse.rgbButtons);
    }
    case kButtonTypeGamePad:
    case kButtonTypeJoystick: {
      JoystickState pad;
      if (m_type == kButtonTypeGamePad) {
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
