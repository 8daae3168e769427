// A force-feedback device with the test effect loaded, for the device test
// of the system configuration.
#pragma once

#include <string>

#include "engine/input/InputResult.h"
#include "engine/input/InputTypes.h"

struct _SDL_Haptic;

namespace qel {

class SdlForceFeedback {
 public:
  SdlForceFeedback() = default;
  ~SdlForceFeedback() { Release(); }
  SdlForceFeedback(const SdlForceFeedback&) = delete;
  SdlForceFeedback& operator=(const SdlForceFeedback&) = delete;

  // Opens the device, turns auto-centring off and loads the test effect.
  // On failure `step` names the step that failed.
  InputResult Create(const InputDeviceInstance& device, std::string* step, std::string* detail);
  // Plays the effect once.
  InputResult Start(std::string* detail);
  void Release();

  bool IsCreated() const { return m_haptic != nullptr; }
  int Axes() const { return m_axes; }

 private:
  _SDL_Haptic* m_haptic = nullptr;
  int m_effect = -1;
  int m_axes = 0;
};

}  // namespace qel
