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
                                 const SDL_AudioSpec& device, std::unique_ptr<CSoundBuffer>& out, std::string* error) {
  out.reset();
  if (!IsPlayablePcmFormat(format)) return kSoundBadFormat;
  const size_t frames = bytes / format.blockAlign;
  if (!data || frames == 0) return kSoundInvalidArg;
  std::unique_ptr<CSoundBuffer> sound(new (std::nothrow) CSoundBuffer());
  if (!sound) return kSoundOutOfMemory;
  try {
    sound->m_data.assign(static_cast<const uint8_t*>(data),
                         static_cast<const uint8_t*>(data) + frames * format.blockAlign);
    sound->m_scratch.resize(kFeedFrames * format.blockAlign);
  } catch (const std::bad_alloc&) {
    return kSoundOutOfMemory;
  }
  sound->m_format = format;
  const SoundResult r = sound->Retarget(device, error);
  if (r != kSoundOk) return r;
  out = std::move(sound);
  return kSoundOk;
}

SoundResult CSoundBuffer::Retarget(const SDL_AudioSpec& device, std::string* error) {
  const SDL_AudioFormat source = m_format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  SDL_AudioStream* stream =
      SDL_NewAudioStream(source, static_cast<Uint8>(m_format.channels), static_cast<int>(m_format.samplesPerSec),
                         device.format, device.channels, device.freq);
  if (!stream) {
    if (error) *error = SDL_GetError();
    return kSoundBadFormat;
  }
  if (m_stream) SDL_FreeAudioStream(m_stream);
  m_stream = stream;
  m_flushed = false;
  m_silence = device.silence;
  m_deviceFrameBytes = static_cast<int>(SDL_AUDIO_BITSIZE(device.format) / 8 * device.channels);
  return kSoundOk;
}

CSoundBuffer::~CSoundBuffer() {
  if (m_stream) SDL_FreeAudioStream(m_stream);
}

void CSoundBuffer::Play(bool loop) {
  m_looping = loop;
  m_playing = true;
}

void CSoundBuffer::Stop() {
  m_playing = false;
  // What the converter still holds was handed on already; drop it so a later
  // play goes on from the position without a stale tail.
  SDL_AudioStreamClear(m_stream);
  m_flushed = false;
}

void CSoundBuffer::Rewind() {
  m_position = 0;
  SDL_AudioStreamClear(m_stream);
  m_flushed = false;
}

bool CSoundBuffer::FeedStream() {
  const size_t size = m_data.size();
  if (m_position >= size) {
    if (!m_looping) {
      SDL_AudioStreamFlush(m_stream);
      m_flushed = true;
      return true;
    }
    m_position = 0;
  }
  if (!m_looping) {
    const size_t n = std::min(size - m_position, m_scratch.size());
    m_position += n;
    return SDL_AudioStreamPut(m_stream, m_data.data() + m_position - n, static_cast<int>(n)) == 0;
  }
  // Looping: hand on a run of whole periods and parts of them, wrapping at the end.
  size_t filled = 0;
  while (filled < m_scratch.size()) {
    const size_t n = std::min(size - m_position, m_scratch.size() - filled);
    std::memcpy(m_scratch.data() + filled, m_data.data() + m_position, n);
    filled += n;
    m_position += n;
    if (m_position >= size) m_position = 0;
  }
  return SDL_AudioStreamPut(m_stream, m_scratch.data(), static_cast<int>(filled)) == 0;
}

void CSoundBuffer::Render(uint8_t* out, int len) {
  int filled = 0;
  // Bounded: each round either takes converted sound, hands on more data, or ends.
  while (m_playing && filled < len) {
    const int available = SDL_AudioStreamAvailable(m_stream);
    if (available > 0) {
      const int want = std::min(available, len - filled) / m_deviceFrameBytes * m_deviceFrameBytes;
      const int got = want > 0 ? SDL_AudioStreamGet(m_stream, out + filled, want) : 0;
      if (got <= 0) break;
      filled += got;
      continue;
    }
    if (m_flushed) {
      SDL_AudioStreamClear(m_stream);
      m_flushed = false;
      m_position = 0;
      if (!m_looping) m_playing = false;  // at its end, standing at its start again
      continue;
    }
    if (!FeedStream()) m_playing = false;  // the converter refused: end quietly, never spin
  }
  if (filled < len) std::memset(out + filled, m_silence, static_cast<size_t>(len - filled));
}

}  // namespace qel
