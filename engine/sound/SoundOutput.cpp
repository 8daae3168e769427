#include "engine/sound/SoundOutput.h"

#include <cstring>

namespace qel {

namespace {
constexpr int kOutputRate = 22050;
constexpr Uint16 kOutputFrames = 256;  // about 12 ms at 22050 Hz
}  // namespace

SoundResult CSoundOutput::Open(const char* deviceName, std::string* error) {
  Close();
  named_ = deviceName != nullptr;
  name_ = deviceName ? deviceName : "";
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
  const SDL_AudioDeviceID id = SDL_OpenAudioDevice(named_ ? name_.c_str() : nullptr, 0, &want, &have,
                                                   SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
  if (id == 0) {
    if (error) *error = SDL_GetError();
    return kSoundDeviceFailed;
  }
  device_ = id;
  spec_ = have;
  SDL_PauseAudioDevice(device_, 0);
  return kSoundOk;
}

void CSoundOutput::Close() {
  if (device_ == 0) {
    sound_.reset();
    return;
  }
  SDL_CloseAudioDevice(device_);  // waits for the callback to end
  device_ = 0;
  sound_.reset();
}

void CSoundOutput::Callback(void* self, Uint8* stream, int len) {
  auto* output = static_cast<CSoundOutput*>(self);
  if (output->sound_) {
    output->sound_->Render(stream, len);
  } else {
    std::memset(stream, output->spec_.silence, static_cast<size_t>(len));
  }
}

void CSoundOutput::DeleteSound() {
  std::unique_ptr<CSoundBuffer> old;
  if (device_) SDL_LockAudioDevice(device_);
  old = std::move(sound_);
  if (device_) SDL_UnlockAudioDevice(device_);
}

SoundResult CSoundOutput::SetSound(const QelWaveFormat& format, const void* data, size_t bytes, std::string* error) {
  DeleteSound();
  if (!device_) return kSoundNotInitialized;
  std::unique_ptr<CSoundBuffer> sound;
  const SoundResult r = CSoundBuffer::Create(format, data, bytes, spec_, sound, error);
  if (r != kSoundOk) return r;
  SDL_LockAudioDevice(device_);
  sound_ = std::move(sound);
  SDL_UnlockAudioDevice(device_);
  return kSoundOk;
}

SoundResult CSoundOutput::Play(bool loop, std::string* error) {
  if (!device_ || !sound_) return kSoundOk;
  if (SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
    // The device went away: open it again, keeping the sound, from its start.
    // A lost device still calls back until it is closed, so take the sound
    // under its lock.
    SDL_LockAudioDevice(device_);
    std::unique_ptr<CSoundBuffer> sound = std::move(sound_);
    SDL_UnlockAudioDevice(device_);
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    const SoundResult r = OpenDevice(error);
    if (r != kSoundOk) return r;
    const SoundResult c = sound->Retarget(spec_, error);  // the device may play another format now
    if (c != kSoundOk) return c;
    sound->Rewind();
    SDL_LockAudioDevice(device_);
    sound_ = std::move(sound);
    SDL_UnlockAudioDevice(device_);
  }
  SDL_LockAudioDevice(device_);
  sound_->Play(loop);
  SDL_UnlockAudioDevice(device_);
  return kSoundOk;
}

void CSoundOutput::Stop() {
  if (!device_ || !sound_) return;
  SDL_LockAudioDevice(device_);
  sound_->Stop();
  SDL_UnlockAudioDevice(device_);
}

void CSoundOutput::Rewind() {
  if (!device_ || !sound_) return;
  SDL_LockAudioDevice(device_);
  sound_->Rewind();
  SDL_UnlockAudioDevice(device_);
}

bool CSoundOutput::IsPlaying() {
  if (!device_ || !sound_) return false;
  if (SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) return false;  // the device went away
  SDL_LockAudioDevice(device_);
  const bool playing = sound_->IsPlaying();
  SDL_UnlockAudioDevice(device_);
  return playing;
}

}  // namespace qel
