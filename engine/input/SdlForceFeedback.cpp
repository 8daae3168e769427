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
  haptic_ = SDL_HapticOpen(index);
  if (haptic_ == nullptr) {
    *step = "CreateDevice";
    *detail = SDL_GetError();
    return kInputFailed;
  }
  const unsigned supported = SDL_HapticQuery(haptic_);
  if ((supported & SDL_HAPTIC_AUTOCENTER) != 0 && SDL_HapticSetAutocenter(haptic_, 0) != 0) {
    *step = "SetProperty";
    *detail = SDL_GetError();
    Release();
    return kInputFailed;
  }
  axes_ = std::clamp(SDL_HapticNumAxes(haptic_), 0, 2);
  SDL_HapticEffect effect;
  if (!MakeForceFeedbackTestEffect(supported, axes_, &effect)) {
    *step = "CreateEffect";
    *detail = "no periodic wave effect";
    Release();
    return kInputUnsupported;
  }
  effect_ = SDL_HapticNewEffect(haptic_, &effect);
  if (effect_ < 0) {
    *step = "CreateEffect";
    *detail = SDL_GetError();
    Release();
    return kInputFailed;
  }
  if ((supported & SDL_HAPTIC_GAIN) != 0) SDL_HapticSetGain(haptic_, 100);
  return kInputOk;
}

InputResult SdlForceFeedback::Start(std::string* detail) {
  if (haptic_ == nullptr || effect_ < 0) return kInputNotInitialized;
  if (SDL_HapticRunEffect(haptic_, effect_, 1) != 0) {
    *detail = SDL_GetError();
    return kInputFailed;
  }
  return kInputOk;
}

void SdlForceFeedback::Release() {
  if (haptic_ == nullptr) return;
  if (effect_ >= 0) {
    SDL_HapticStopEffect(haptic_, effect_);
    SDL_HapticDestroyEffect(haptic_, effect_);
  }
  SDL_HapticClose(haptic_);
  haptic_ = nullptr;
  effect_ = -1;
  axes_ = 0;
}

}  // namespace qel
