#include "engine/input/ForceFeedbackEffect.h"

#include <cstring>

namespace qel {

namespace {
constexpr int kFullScale = 10000;  // strength scale of the effect's figures
constexpr int kMagnitude = 2000;   // of kFullScale
constexpr Uint32 kDurationMs = 1000;
constexpr Uint16 kPeriodMs = 100;
constexpr Sint32 kDirection = 10;
}  // namespace

bool MakeForceFeedbackTestEffect(unsigned supported, int axes, SDL_HapticEffect* effect) {
  std::memset(effect, 0, sizeof *effect);
  if ((supported & SDL_HAPTIC_SINE) == 0) return false;
  SDL_HapticPeriodic& p = effect->periodic;
  p.type = SDL_HAPTIC_SINE;
  p.direction.type = SDL_HAPTIC_CARTESIAN;
  p.direction.dir[0] = kDirection;
  p.direction.dir[1] = axes >= 2 ? kDirection : 0;
  p.length = kDurationMs;
  p.delay = 0;
  p.button = 0;
  p.interval = 0;
  p.period = kPeriodMs;
  p.magnitude = static_cast<Sint16>(kMagnitude * 32767 / kFullScale);
  p.offset = 0;
  p.phase = 0;
  p.attack_length = p.attack_level = p.fade_length = p.fade_level = 0;
  return true;
}

}  // namespace qel
