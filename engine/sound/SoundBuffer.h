// The current sound: its PCM data (copied, in the format it came in), where
// it stands, whether it plays once or in a loop, and the conversion to the
// output device's format. The conversion runs while the sound plays, so a
// looped period resamples seamlessly and neither pitch nor length change.
// Not thread-safe by itself: the output calls it under the device's lock.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/sound/SoundResult.h"
#include "include/qel/TaskHostInterface.h"  // QelWaveFormat

namespace qel {

class CSoundBuffer {
 public:
  // Copies whole frames of the data (a trailing partial frame is dropped).
  // kSoundInvalidArg without data or with fewer bytes than one frame,
  // kSoundBadFormat for a format the output cannot play or convert,
  // kSoundOutOfMemory when the copy cannot be made.
  static SoundResult Create(const QelWaveFormat& format, const void* data, size_t bytes, const SDL_AudioSpec& device,
                            std::unique_ptr<CSoundBuffer>& out, std::string* error);
  ~CSoundBuffer();
  CSoundBuffer(const CSoundBuffer&) = delete;
  CSoundBuffer& operator=(const CSoundBuffer&) = delete;

  // Converts to another device format from now on (after a device reopened).
  SoundResult Retarget(const SDL_AudioSpec& device, std::string* error);

  void Play(bool loop);
  void Stop();
  void Rewind();
  bool IsPlaying() const { return m_playing; }
  bool IsLooping() const { return m_looping; }
  size_t Position() const { return m_position; }  // bytes of the data handed on
  size_t Bytes() const { return m_data.size(); }
  const QelWaveFormat& Format() const { return m_format; }

  // Fills a device buffer: the sound while it plays, silence otherwise. A
  // sound played once stops at its end and stands at its start again.
  void Render(uint8_t* out, int len);

 private:
  CSoundBuffer() = default;
  bool FeedStream();

  QelWaveFormat m_format;
  std::vector<uint8_t> m_data;
  std::vector<uint8_t> m_scratch;
  SDL_AudioStream* m_stream = nullptr;
  uint8_t m_silence = 0;
  int m_deviceFrameBytes = 4;
  size_t m_position = 0;
  bool m_playing = false;
  bool m_looping = false;
  bool m_flushed = false;  // the whole sound is in the converter; only its tail is left
};

}  // namespace qel
