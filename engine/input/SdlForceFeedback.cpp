#include "engine/input/SdlForceFeedback.h"

#include <SDL2/SDL.h>

#include <algorithm>

#include "engine/input/ForceFeedbackEffect.h"
#include "engine/input/SdlInputSystem.h"

namespace qel {

InputResult SdlForceFeedback::Create(const InputDeviceInstance& device, std::string* step, std::string* detail) {
  Release();
  const int index = FindSdlHaptic(device);
  if (index < 0) {
    *step = "CreateDevice";
    *detail = device.instanceName;
    return kInputDeviceNotFound;
  }
  m_haptic = SDL_HapticOpen(index);
  if (m_haptic == nullptr) {
    *step = "CreateDevice";
    *detail = SDL_GetError();
    return kInputFailed;
  }
  const unsigned supported = SDL_HapticQuery(m_haptic);
  if ((supported & SDL_HAPTIC_AUTOCENTER) != 0 && SDL_HapticSetAutocenter(m_haptic, 0) != 0) {
    *step = "SetProperty";
    *detail = SDL_GetError();
    Release();
    return kInputFailed;
  }
  m_axes = std::clamp(SDL_HapticNumAxes(m_haptic), 0, 2);
  SDL_HapticEffect effect;
  if (!MakeForceFeedbackTestEffect(supported, m_axes, &effect)) {
    *step = "CreateEffect";
    *detail = "no periodic wave effect";
    Release();
    return kInputUnsupported;
  }
  m_effect = SDL_HapticNewEffect(m_haptic, &effect);
  if (m_effect < 0) {
    *step = "CreateEffect";
    *detail = SDL_GetError();
    Release();
    return kInputFailed;
  }
  if ((supported & SDL_HAPTIC_GAIN) != 0) SDL_HapticSetGain(m_haptic, 100);
  return kInputOk;
}

InputResult SdlForceFeedback::Start(std::string* detail) {
  if (m_haptic == nullptr || m_effect < 0) return kInputNotInitialized;
  if (SDL_HapticRunEffect(m_haptic, m_effect, 1) != 0) {
    *detail = SDL_GetError();
    return kInputFailed;
  }
  return kInputOk;
}

void SdlForceFeedback::Release() {
  if (m_haptic == nullptr) return;
  if (m_effect >= 0) {
    SDL_HapticStopEffect(m_haptic, m_effect);
    SDL_HapticDestroyEffect(m_haptic, m_effect);
  }
  SDL_HapticClose(m_haptic);
  m_haptic = nullptr;
  m_effect = -1;
  m_axes = 0;
}

}  // namespace qel
