// The program's sound output: one output device per run and one current
// sound at a time, played once or in a loop. Called from the user-interface
// thread and from threads that run a plug-in's commands; failures are shown
// on the thread that opened the output and posted (once) from any other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/sound/SoundResult.h"
#include "include/qel/Resources.h"
#include "include/qel/TaskHostInterface.h"  // QelWaveFormat

namespace qel {

// Opens output device index of the output list (a negative index: the
// default device; an index past the list keeps the previous choice). There
// is no window to bind sound to here; the argument is kept for the callers.
// A failure is shown as "Error initializing DirectSound" with its cause.
SoundResult InitSoundOutput(int deviceIndex, void* window = nullptr);

// Deletes the current sound, then closes the output.
void FreeSoundOutput();

// Makes a PCM RIFF/WAVE image the current sound (its data is copied).
// kSoundNotPcmWave, without a message and leaving the current sound as it
// was, when it is not one; kSoundNotInitialized, quietly, without an output.
SoundResult LoadWaveImage(const void* image, size_t size);

// Makes raw PCM frames the current sound: frames x block alignment bytes.
SoundResult LoadSoundFromMemory(const void* samples, uint32_t frames, const QelWaveFormat& format);

// Plays the current sound once or looping (until StopSound); 0 without one.
SoundResult PlayCurrentSound(bool loop);
void StopSound();
void RewindSound();
void StopAndRewindSound();
bool IsCurrentSoundPlaying();

// The chosen output device's index in the list (-1: the default device).
int ChosenSoundOutput();

// Shows "text\n<error name>" with the stop icon; returns the answer.
int ShowDxError(const std::string& text, SoundResult result);

// Frees the output and the capture and ends the audio system (program end).
void ShutdownSound();

}  // namespace qel
