#include "engine/input/SdlInputSystem.h"

#include <SDL2/SDL.h>

#include <cstring>
#include <vector>

#include "common/TextOrEmpty.h"

namespace qel {

namespace {

constexpr Uint32 kControllerSystems = SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER;

InputDeviceInstance DescribeController(int index) {
  InputDeviceInstance d;
  d.kind = SDL_IsGameController(index) ? InputDeviceKind::kGamePad : InputDeviceKind::kJoystick;
  const char* product = SDL_JoystickNameForIndex(index);
  d.productName = TextOrEmpty(product);
  const char* mapped = d.kind == InputDeviceKind::kGamePad ? SDL_GameControllerNameForIndex(index) : nullptr;
  d.instanceName = mapped != nullptr ? mapped : d.productName;
  const SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(index);
  static_assert(sizeof guid.data == 16, "SDL GUIDs are 16 bytes");
  std::memcpy(d.productGuid.data(), guid.data, sizeof guid.data);
  const char* path = SDL_JoystickPathForIndex(index);
  d.path = TextOrEmpty(path);
  return d;
}

// Every attached device with its ordinal among equal ones.
std::vector<InputDeviceInstance> AttachedControllers() {
  std::vector<InputDeviceInstance> all;
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count; ++i) {
    InputDeviceInstance d = DescribeController(i);
    for (const InputDeviceInstance& earlier : all) {
      if (earlier.SameDevice(d)) ++d.ordinal;
    }
    all.push_back(d);
  }
  return all;
}

std::vector<InputDeviceInstance> AttachedHaptics() {
  std::vector<InputDeviceInstance> all;
  const int count = SDL_NumHaptics();
  for (int i = 0; i < count; ++i) {
    InputDeviceInstance d;
    d.kind = InputDeviceKind::kForceFeedback;
    const char* name = SDL_HapticName(i);
    d.productName = TextOrEmpty(name);
    d.instanceName = d.productName;
    for (const InputDeviceInstance& earlier : all) {
      if (earlier.SameDevice(d)) ++d.ordinal;
    }
    all.push_back(d);
  }
  return all;
}

}  // namespace

SdlInputSystem::~SdlInputSystem() { Stop(); }

bool SdlInputSystem::Start(std::string* error) {
  if (m_started) return true;
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(kControllerSystems) != 0) {
    if (error != nullptr) *error = SDL_GetError();
    return false;
  }
  // Button events are queued for the pad event thread, which stamps them.
  SDL_JoystickEventState(SDL_ENABLE);
  SDL_GameControllerEventState(SDL_ENABLE);
  m_started = true;
  return true;
}

bool SdlInputSystem::StartHaptics(std::string* error) {
  if (m_haptics) return true;
  if (SDL_InitSubSystem(SDL_INIT_HAPTIC) != 0) {
    if (error != nullptr) *error = SDL_GetError();
    return false;
  }
  m_haptics = true;
  return true;
}

void SdlInputSystem::Stop() {
  if (m_haptics) SDL_QuitSubSystem(SDL_INIT_HAPTIC);
  m_haptics = false;
  if (m_started) SDL_QuitSubSystem(kControllerSystems);
  m_started = false;
}

void ListSdlControllers(InputDeviceKind kind, InputDeviceList* list) {
  SDL_JoystickUpdate();  // takes in devices attached since the last look
  for (const InputDeviceInstance& d : AttachedControllers()) {
    if (d.kind != kind) continue;
    if (!list->Add(d)) break;
  }
}

int FindSdlController(const InputDeviceInstance& device) {
  SDL_JoystickUpdate();
  const std::vector<InputDeviceInstance> all = AttachedControllers();
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].SameDevice(device)) return static_cast<int>(i);
  }
  return -1;
}

void ListSdlHaptics(InputDeviceList* list) {
  for (const InputDeviceInstance& d : AttachedHaptics()) {
    if (!list->Add(d)) break;
  }
}

int FindSdlHaptic(const InputDeviceInstance& device) {
  const std::vector<InputDeviceInstance> all = AttachedHaptics();
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].SameDevice(device)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace qel
