// One open capture device (8000 Hz, 16-bit, stereo) feeding the capture
// ring. Opened paused; Start runs it, Stop pauses it. The audio callback
// only copies into the ring.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/sound/SoundResult.h"
#include "engine/sound/capture/CaptureRing.h"

namespace qel {

class CSoundCapture {
 public:
  static constexpr int kRate = CCaptureRing::kFramesPerSecond;
  static constexpr int kChannels = 2;

  CSoundCapture() = default;
  ~CSoundCapture() { Close(); }
  CSoundCapture(const CSoundCapture&) = delete;
  CSoundCapture& operator=(const CSoundCapture&) = delete;

  // deviceName null: the default capture device.
  SoundResult Open(const char* deviceName, std::string* error);
  void Close();
  bool IsOpen() const { return m_device.load() != 0; }

  // Ring positions back to 0, then capture (in a loop, or once until the ring is full).
  SoundResult Start(bool loop);
  SoundResult Stop();
  // Capturing in a loop (loop true) or capturing once and not yet full (loop false).
  bool IsRunning(bool loop) const;
  // As the ring's Read and FrameTimeNs: frames counted from the start.
  bool Read(uint8_t* destination, uint32_t capacity, uint32_t* frames, uint64_t* firstFrame = nullptr);
  bool FrameTimeNs(uint64_t frame, int64_t* ns) const;

 private:
  static void SDLCALL Callback(void* self, Uint8* stream, int len);

  std::atomic<SDL_AudioDeviceID> m_device{0};
  std::atomic<bool> m_running{false};
  CCaptureRing m_ring;
};

}  // namespace qel
