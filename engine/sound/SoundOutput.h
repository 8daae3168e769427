// One open output device and its current sound. The device runs from its
// opening on (silence while no sound plays), so a play starts within one
// device buffer. The audio callback only renders; it never reports.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundResult.h"

namespace qel {

class CSoundOutput {
 public:
  CSoundOutput() = default;
  ~CSoundOutput() { Close(); }
  CSoundOutput(const CSoundOutput&) = delete;
  CSoundOutput& operator=(const CSoundOutput&) = delete;

  // Opens the device by name (null: the default device) asking for 22050 Hz,
  // 16-bit stereo; the device may choose another rate, and sounds are
  // converted to whatever it plays.
  SoundResult Open(const char* deviceName, std::string* error);
  bool IsOpen() const { return m_device != 0; }
  // Deletes the current sound, then closes the device.
  void Close();
  const SDL_AudioSpec& Spec() const { return m_spec; }

  // Replaces the current sound (the old one is stopped and deleted first).
  SoundResult SetSound(const QelWaveFormat& format, const void* data, size_t bytes, std::string* error);
  bool HasSound() const { return m_sound != nullptr; }
  void DeleteSound();

  // 0 without a sound. A device that has gone away is opened again first.
  SoundResult Play(bool loop, std::string* error);
  void Stop();
  void Rewind();
  bool IsPlaying();

 private:
  static void SDLCALL Callback(void* self, Uint8* stream, int len);
  SoundResult OpenDevice(std::string* error);

  SDL_AudioDeviceID m_device = 0;
  bool m_named = false;
  std::string m_name;
  SDL_AudioSpec m_spec{};
  std::unique_ptr<CSoundBuffer> m_sound;  // read by the callback under the device lock
};

}  // namespace qel
