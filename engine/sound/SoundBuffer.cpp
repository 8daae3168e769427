#include "engine/sound/SoundBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/sound/WaveImage.h"

namespace qel {

namespace {
constexpr size_t kFeedFrames = 256;  // small, so little converted sound waits in the converter
}  // namespace

SoundResult CSoundBuffer::Create(const QelWaveFormat& format, const void* data, size_t bytes,
                                 const SDL_AudioSpec& device, std::unique_ptr<CSoundBuffer>& out,
                                 std::string* error) {
  out.reset();
  if (!IsPlayablePcmFormat(format)) return kSoundBadFormat;
  const size_t frames = bytes / format.blockAlign;
  if (!data || frames == 0) return kSoundInvalidArg;
  std::unique_ptr<CSoundBuffer> sound(new (std::nothrow) CSoundBuffer());
  if (!sound) return kSoundOutOfMemory;
  try {
    sound->data_.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + frames * format.blockAlign);
    sound->scratch_.resize(kFeedFrames * format.blockAlign);
  } catch (const std::bad_alloc&) {
    return kSoundOutOfMemory;
  }
  sound->format_ = format;
  const SoundResult r = sound->Retarget(device, error);
  if (r != kSoundOk) return r;
  out = std::move(sound);
  return kSoundOk;
}

SoundResult CSoundBuffer::Retarget(const SDL_AudioSpec& device, std::string* error) {
  const SDL_AudioFormat source = format_.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  SDL_AudioStream* stream = SDL_NewAudioStream(source, static_cast<Uint8>(format_.channels),
                                               static_cast<int>(format_.samplesPerSec), device.format,
                                               device.channels, device.freq);
  if (!stream) {
    if (error) *error = SDL_GetError();
    return kSoundBadFormat;
  }
  if (stream_) SDL_FreeAudioStream(stream_);
  stream_ = stream;
  flushed_ = false;
  silence_ = device.silence;
  deviceFrameBytes_ = static_cast<int>(SDL_AUDIO_BITSIZE(device.format) / 8 * device.channels);
  return kSoundOk;
}

CSoundBuffer::~CSoundBuffer() {
  if (stream_) SDL_FreeAudioStream(stream_);
}

void CSoundBuffer::Play(bool loop) {
  looping_ = loop;
  playing_ = true;
}

void CSoundBuffer::Stop() {
  playing_ = false;
  // What the converter still holds was handed on already; drop it so a later
  // play goes on from the position without a stale tail.
  SDL_AudioStreamClear(stream_);
  flushed_ = false;
}

void CSoundBuffer::Rewind() {
  position_ = 0;
  SDL_AudioStreamClear(stream_);
  flushed_ = false;
}

bool CSoundBuffer::FeedStream() {
  const size_t size = data_.size();
  if (position_ >= size) {
    if (!looping_) {
      SDL_AudioStreamFlush(stream_);
      flushed_ = true;
      return true;
    }
    position_ = 0;
  }
  if (!looping_) {
    const size_t n = std::min(size - position_, scratch_.size());
    position_ += n;
    return SDL_AudioStreamPut(stream_, data_.data() + position_ - n, static_cast<int>(n)) == 0;
  }
  // Looping: hand on a run of whole periods and parts of them, wrapping at the end.
  size_t filled = 0;
  while (filled < scratch_.size()) {
    const size_t n = std::min(size - position_, scratch_.size() - filled);
    std::memcpy(scratch_.data() + filled, data_.data() + position_, n);
    filled += n;
    position_ += n;
    if (position_ >= size) position_ = 0;
  }
  return SDL_AudioStreamPut(stream_, scratch_.data(), static_cast<int>(filled)) == 0;
}

void CSoundBuffer::Render(uint8_t* out, int len) {
  int filled = 0;
  // Bounded: each round either takes converted sound, hands on more data, or ends.
  while (playing_ && filled < len) {
    const int available = SDL_AudioStreamAvailable(stream_);
    if (available > 0) {
      const int want = std::min(available, len - filled) / deviceFrameBytes_ * deviceFrameBytes_;
      const int got = want > 0 ? SDL_AudioStreamGet(stream_, out + filled, want) : 0;
      if (got <= 0) break;
      filled += got;
      continue;
    }
    if (flushed_) {
      SDL_AudioStreamClear(stream_);
      flushed_ = false;
      position_ = 0;
      if (!looping_) playing_ = false;  // at its end, standing at its start again
      continue;
    }
    if (!FeedStream()) playing_ = false;  // the converter refused: end quietly, never spin
  }
  if (filled < len) std::memset(out + filled, silence_, static_cast<size_t>(len - filled));
}

}  // namespace qel
