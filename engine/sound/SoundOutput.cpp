#include "engine/sound/SoundOutput.h"

#include <cstring>

#include "common/TextOrEmpty.h"

namespace qel {

namespace {
constexpr int kOutputRate = 22050;
constexpr Uint16 kOutputFrames = 256;  // about 12 ms at 22050 Hz
}  // namespace

SoundResult CSoundOutput::Open(const char* deviceName, std::string* error) {
  Close();
  m_named = deviceName != nullptr;
  m_name = TextOrEmpty(deviceName);
  return OpenDevice(error);
}

SoundResult CSoundOutput::OpenDevice(std::string* error) {
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kOutputFrames;
  want.callback = &CSoundOutput::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  const SDL_AudioDeviceID id = SDL_OpenAudioDevice(m_named ? m_name.c_str() : nullptr, 0, &want, &have,
                                                   SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
  if (id == 0) {
    if (error) *error = SDL_GetError();
    return kSoundDeviceFailed;
  }
  m_device = id;
  m_spec = have;
  SDL_PauseAudioDevice(m_device, 0);
  return kSoundOk;
}

void CSoundOutput::Close() {
  if (m_device == 0) {
    m_sound.reset();
    return;
  }
  SDL_CloseAudioDevice(m_device);  // waits for the callback to end
  m_device = 0;
  m_sound.reset();
}

void CSoundOutput::Callback(void* self, Uint8* stream, int len) {
  auto* output = static_cast<CSoundOutput*>(self);
  if (output->m_sound) {
    output->m_sound->Render(stream, len);
  } else {
    std::memset(stream, output->m_spec.silence, static_cast<size_t>(len));
  }
}

void CSoundOutput::DeleteSound() {
  std::unique_ptr<CSoundBuffer> old;
  if (m_device) SDL_LockAudioDevice(m_device);
  old = std::move(m_sound);
  if (m_device) SDL_UnlockAudioDevice(m_device);
}

SoundResult CSoundOutput::SetSound(const QelWaveFormat& format, const void* data, size_t bytes, std::string* error) {
  DeleteSound();
  if (!m_device) return kSoundNotInitialized;
  std::unique_ptr<CSoundBuffer> sound;
  const SoundResult r = CSoundBuffer::Create(format, data, bytes, m_spec, sound, error);
  if (r != kSoundOk) return r;
  SDL_LockAudioDevice(m_device);
  m_sound = std::move(sound);
  SDL_UnlockAudioDevice(m_device);
  return kSoundOk;
}

SoundResult CSoundOutput::Play(bool loop, std::string* error) {
  if (!m_device || !m_sound) return kSoundOk;
  if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) {
    // The device went away: open it again, keeping the sound, from its start.
    // A lost device still calls back until it is closed, so take the sound
    // under its lock.
    SDL_LockAudioDevice(m_device);
    std::unique_ptr<CSoundBuffer> sound = std::move(m_sound);
    SDL_UnlockAudioDevice(m_device);
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    const SoundResult r = OpenDevice(error);
    if (r != kSoundOk) return r;
    const SoundResult c = sound->Retarget(m_spec, error);  // the device may play another format now
    if (c != kSoundOk) return c;
    sound->Rewind();
    SDL_LockAudioDevice(m_device);
    m_sound = std::move(sound);
    SDL_UnlockAudioDevice(m_device);
  }
  SDL_LockAudioDevice(m_device);
  m_sound->Play(loop);
  SDL_UnlockAudioDevice(m_device);
  return kSoundOk;
}

void CSoundOutput::Stop() {
  if (!m_device || !m_sound) return;
  SDL_LockAudioDevice(m_device);
  m_sound->Stop();
  SDL_UnlockAudioDevice(m_device);
}

void CSoundOutput::Rewind() {
  if (!m_device || !m_sound) return;
  SDL_LockAudioDevice(m_device);
  m_sound->Rewind();
  SDL_UnlockAudioDevice(m_device);
}

bool CSoundOutput::IsPlaying() {
  if (!m_device || !m_sound) return false;
  if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED) return false;  // the device went away
  SDL_LockAudioDevice(m_device);
  const bool playing = m_sound->IsPlaying();
  SDL_UnlockAudioDevice(m_device);
  return playing;
}

}  // namespace qel
