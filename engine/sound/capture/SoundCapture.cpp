#include "engine/sound/capture/SoundCapture.h"

#include "common/MonotonicNs.h"

namespace qel {

namespace {
constexpr Uint16 kCaptureFrames = 64;  // 8 ms at 8000 Hz: the device hands over small pieces
}  // namespace

SoundResult CSoundCapture::Open(const char* deviceName, std::string* error) {
  Close();
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16LSB;
  want.channels = kChannels;
  want.samples = kCaptureFrames;
  want.callback = &CSoundCapture::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts whatever the device delivers to this format.
  const SDL_AudioDeviceID id = SDL_OpenAudioDevice(deviceName, 1, &want, &have, 0);
  if (id == 0) {
    if (error) *error = SDL_GetError();
    return kSoundDeviceFailed;
  }
  m_ring.Reset(true);
  m_device = id;
  return kSoundOk;
}

void CSoundCapture::Close() {
  const SDL_AudioDeviceID id = m_device.exchange(0);
  m_running = false;
  if (id) SDL_CloseAudioDevice(id);
}

void CSoundCapture::Callback(void* self, Uint8* stream, int len) {
  // The device hands the block over now: its last frame's time.
  const int64_t arrivedNs = MonotonicNowNs();
  auto* capture = static_cast<CSoundCapture*>(self);
  capture->m_ring.Write(stream, static_cast<size_t>(len), arrivedNs);
}

SoundResult CSoundCapture::Start(bool loop) {
  const SDL_AudioDeviceID id = m_device;
  if (!id) return kSoundOk;
  SDL_PauseAudioDevice(id, 1);
  m_ring.Reset(loop);
  SDL_PauseAudioDevice(id, 0);
  if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_PLAYING) return kSoundDeviceFailed;
  m_running = true;
  return kSoundOk;
}

SoundResult CSoundCapture::Stop() {
  const SDL_AudioDeviceID id = m_device;
  if (!id) return kSoundOk;
  SDL_PauseAudioDevice(id, 1);  // returns when no callback runs any more
  m_running = false;
  return kSoundOk;
}

bool CSoundCapture::IsRunning(bool loop) const {
  const SDL_AudioDeviceID id = m_device;
  if (!id || !m_running) return false;
  if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_PLAYING) return false;
  if (loop) return m_ring.Looping();
  return !m_ring.Looping() && !m_ring.Ended();
}

bool CSoundCapture::Read(uint8_t* destination, uint32_t capacity, uint32_t* frames, uint64_t* firstFrame) {
  if (frames) *frames = 0;
  if (!destination || !m_device) return false;
  return m_ring.Read(destination, capacity, frames, firstFrame);
}

bool CSoundCapture::FrameTimeNs(uint64_t frame, int64_t* ns) const { return m_ring.FrameTimeNs(frame, ns); }

}  // namespace qel
