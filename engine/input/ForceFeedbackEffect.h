// The force-feedback test effect of the device test: one periodic wave of
// 1 s with a period of 100 ms at a fifth of full strength, pushing towards
// (10, 10) on the first two axes. SDL 2 has no square wave, so the wave is a
// sine.
#pragma once

#include <SDL2/SDL_haptic.h>

namespace qel {

// The effect for a device with the given number of force axes (at most 2
// are used); false when the device cannot play a sine wave.
bool MakeForceFeedbackTestEffect(unsigned supported, int axes, SDL_HapticEffect* effect);

}  // namespace qel
