// The program's sound capture for the voice key: one capture device at a
// time, two seconds of 8000 Hz 16-bit stereo captured in a loop, read out
// on the voice key's timer thread. Opening, starting, stopping and freeing
// run on the user-interface thread; reads on the timer thread.
#pragma once

#include <cstdint>

#include "engine/sound/SoundResult.h"

namespace qel {

// Opens capture device index of the capture list (an index past the list
// keeps the previous choice; -1 or a default entry: the default device).
// Without any capture device: "Audio input unavailable!\r\nIs microphone
// plugged in?"; other failures: "Error DirectSoundCaptureCreate" and the cause.
SoundResult CreateVoiceCapture(int deviceIndex);
void FreeVoiceCapture();
// Next read offset 0, then capture (looping or once); 0 without a capture.
SoundResult StartVoiceCapture(bool loop);
bool IsVoiceCaptureRunning(bool loop);
SoundResult StopVoiceCapture();
// Copies the samples captured since the last read; false (frames 0) when
// nothing new arrived, without a destination or without a capture.
// firstFrame (when given): the number of the first frame copied, counted
// from the capture's start.
bool ReadVoiceCapture(void* destination, uint32_t capacity, uint32_t* frames, uint64_t* firstFrame = nullptr);
// The CLOCK_MONOTONIC time at which frame `frame` (counted from the
// capture's start) was captured: the time its block was handed over less
// the frames after it at the capture rate. False when it is not known.
bool VoiceCaptureFrameTimeNs(uint64_t frame, int64_t* ns);

}  // namespace qel
