// Result codes of the sound layers (32-bit, 0 = success) and their names.
// Failures keep the values of the matching COM/DirectSound codes, so callers
// that pass them on as 32-bit results see familiar numbers.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

using SoundResult = int32_t;

constexpr SoundResult kSoundOk = 0;
// A wave image that is not a PCM RIFF/WAVE image; refused without a message.
constexpr SoundResult kSoundNotPcmWave = 1;
constexpr SoundResult kSoundNotInitialized = static_cast<int32_t>(0x800401F0u);  // no output open
constexpr SoundResult kSoundInvalidArg = static_cast<int32_t>(0x80070057u);      // no data
constexpr SoundResult kSoundOutOfMemory = static_cast<int32_t>(0x8007000Eu);
constexpr SoundResult kSoundBadFormat = static_cast<int32_t>(0x88780064u);     // format the device cannot play
constexpr SoundResult kSoundNoDriver = static_cast<int32_t>(0x88780078u);      // no audio driver or no device
constexpr SoundResult kSoundDeviceFailed = static_cast<int32_t>(0x80004005u);  // the audio system refused

// The name shown under a failed step, e.g. "SOUND_E_NODRIVER".
std::string SoundErrorName(SoundResult result);

// "<name>" or "<name>: <detail>" (detail: the audio system's own error text).
std::string SoundErrorText(SoundResult result, const std::string& detail);

}  // namespace qel
