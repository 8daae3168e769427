// The tones of "Sustained Attention Auditory": the host's tone service at
// 22050 Hz on two channels, and which pitches (TaskParam words 1-3, in Hz)
// it can play.
#pragma once

#include <cstdint>

#include "include/qel/ToneRange.h"

namespace qel {

namespace saa {

constexpr int kToneSampleRate = 22050;
constexpr int kToneChannels = 2;
constexpr int kLowestPitch = QelToneLowestFrequency(kToneSampleRate);
constexpr int kHighestPitch = QelToneHighestFrequency(kToneSampleRate);

// TaskParam words of the three pitches.
constexpr int kWordLowPitch = 1;
constexpr int kWordMiddlePitch = 2;
constexpr int kWordHighPitch = 3;

// Whether the host plays a tone of this many Hz.
constexpr bool PitchPlayable(uint32_t hz) {
  return hz <= static_cast<uint32_t>(kHighestPitch) &&
         QelToneAccepted(static_cast<int>(hz), kToneSampleRate, kToneChannels);
}

}  // namespace saa

}  // namespace qel
