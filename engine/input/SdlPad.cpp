#include "engine/input/SdlPad.h"

#include <SDL2/SDL.h>

#include <algorithm>

#include "engine/input/SdlInputSystem.h"

namespace qel {

uint32_t PovFromHat(uint8_t hat) {
  switch (hat) {
    case SDL_HAT_UP:
      return 0;
    case SDL_HAT_RIGHTUP:
      return 4500;
    case SDL_HAT_RIGHT:
      return 9000;
    case SDL_HAT_RIGHTDOWN:
      return 13500;
    case SDL_HAT_DOWN:
      return 18000;
    case SDL_HAT_LEFTDOWN:
      return 22500;
    case SDL_HAT_LEFT:
      return 27000;
    case SDL_HAT_LEFTUP:
      return 31500;
    default:
      return kPovCentred;
  }
}

InputResult SdlPad::Open(const InputDeviceInstance& device, std::string* detail) {
  Close();
  const int index = FindSdlController(device);
  if (index < 0) {
    if (detail != nullptr) *detail = device.instanceName;
    return kInputDeviceNotFound;
  }
  if (device.kind == InputDeviceKind::kGamePad) {
    m_controller = SDL_GameControllerOpen(index);
    if (m_controller != nullptr) m_joystick = SDL_GameControllerGetJoystick(m_controller);
  } else {
    m_joystick = SDL_JoystickOpen(index);
  }
  if (m_joystick == nullptr) {
    if (detail != nullptr) *detail = SDL_GetError();
    Close();
    return kInputFailed;
  }
  return kInputOk;
}

void SdlPad::Close() {
  if (m_controller != nullptr) {
    SDL_GameControllerClose(m_controller);
  } else if (m_joystick != nullptr) {
    SDL_JoystickClose(m_joystick);
  }
  m_controller = nullptr;
  m_joystick = nullptr;
}

bool SdlPad::Attached() const { return m_joystick != nullptr && SDL_JoystickGetAttached(m_joystick) == SDL_TRUE; }

int32_t SdlPad::InstanceId() const { return m_joystick != nullptr ? SDL_JoystickInstanceID(m_joystick) : -1; }

InputResult SdlPad::Read(JoystickState* state, std::string* detail) const {
  *state = JoystickState{};
  for (uint32_t& pov : state->rgdwPOV) pov = kPovCentred;
  if (m_joystick == nullptr) return kInputNotInitialized;

  if (m_controller != nullptr) {
    const auto axis = [&](SDL_GameControllerAxis a) {
      return static_cast<int32_t>(SDL_GameControllerGetAxis(m_controller, a));
    };
    state->lX = axis(SDL_CONTROLLER_AXIS_LEFTX);
    state->lY = axis(SDL_CONTROLLER_AXIS_LEFTY);
    state->lZ = axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    state->lRx = axis(SDL_CONTROLLER_AXIS_RIGHTX);
    state->lRy = axis(SDL_CONTROLLER_AXIS_RIGHTY);
    state->lRz = axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
      if (SDL_GameControllerGetButton(m_controller, static_cast<SDL_GameControllerButton>(b))) {
        state->rgbButtons[b] = kDown;
      }
    }
    uint8_t hat = 0;
    if (SDL_GameControllerGetButton(m_controller, SDL_CONTROLLER_BUTTON_DPAD_UP)) hat |= SDL_HAT_UP;
    if (SDL_GameControllerGetButton(m_controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) hat |= SDL_HAT_RIGHT;
    if (SDL_GameControllerGetButton(m_controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) hat |= SDL_HAT_DOWN;
    if (SDL_GameControllerGetButton(m_controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) hat |= SDL_HAT_LEFT;
    state->rgdwPOV[0] = PovFromHat(hat);
    return kInputOk;
  }

  const int axes = SDL_JoystickNumAxes(m_joystick);
  const int hats = SDL_JoystickNumHats(m_joystick);
  const int buttons = SDL_JoystickNumButtons(m_joystick);
  if (axes < 0 || hats < 0 || buttons < 0) {
    if (detail != nullptr) *detail = SDL_GetError();
    *state = JoystickState{};
    return kInputFailed;
  }
  int32_t* const axisSlots[8] = {&state->lX,  &state->lY,  &state->lZ,           &state->lRx,
                                 &state->lRy, &state->lRz, &state->rglSlider[0], &state->rglSlider[1]};
  for (int a = 0; a < std::min(axes, 8); ++a) *axisSlots[a] = SDL_JoystickGetAxis(m_joystick, a);
  for (int h = 0; h < std::min(hats, 4); ++h) state->rgdwPOV[h] = PovFromHat(SDL_JoystickGetHat(m_joystick, h));
  for (int b = 0; b < std::min(buttons, 128); ++b) {
    if (SDL_JoystickGetButton(m_joystick, b)) state->rgbButtons[b] = kDown;
  }
  return kInputOk;
}

}  // namespace qel
