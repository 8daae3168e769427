#include "engine/sound/capture/VoiceCapture.h"

#include <SDL.h>

#include <string>

#include "engine/sound/SdlAudio.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/SoundMessages.h"
#include "engine/sound/capture/SoundCapture.h"

namespace qel {

namespace {

CSoundCapture g_capture;
int g_chosen = -1;

CSoundMessages& Messages() {
  static CSoundMessages messages;
  return messages;
}

constexpr const char* kNoInput = "Audio input unavailable!\r\nIs microphone plugged in?";

}  // namespace

SoundResult CreateVoiceCapture(int deviceIndex) {
  Messages().Opened();
  const CSoundDeviceList& list = CaptureSoundDevices();
  if (deviceIndex < list.Count()) g_chosen = deviceIndex < 0 ? -1 : deviceIndex;
  FreeVoiceCapture();
  std::string detail;
  if (!StartSdlAudio(&detail) || SDL_GetNumAudioDevices(1) <= 0) {
    Messages().Report(kNoInput);
    return kSoundNoDriver;
  }
  const SoundDeviceEntry* e = list.At(g_chosen);
  const bool named = e && !e->isDefault;
  const SoundResult r = g_capture.Open(named ? e->openName.c_str() : nullptr, &detail);
  if (r != kSoundOk) Messages().Report("Error DirectSoundCaptureCreate\n" + SoundErrorText(r, detail));
  return r;
}

void FreeVoiceCapture() { g_capture.Close(); }

SoundResult StartVoiceCapture(bool loop) {
  const SoundResult r = g_capture.Start(loop);
  if (r != kSoundOk) Messages().Report("Error Start\n" + SoundErrorText(r, SdlAudioError()));
  return r;
}

bool IsVoiceCaptureRunning(bool loop) { return g_capture.IsRunning(loop); }

SoundResult StopVoiceCapture() { return g_capture.Stop(); }

bool ReadVoiceCapture(void* destination, uint32_t capacity, uint32_t* frames, uint64_t* firstFrame) {
  return g_capture.Read(static_cast<uint8_t*>(destination), capacity, frames, firstFrame);
}

bool VoiceCaptureFrameTimeNs(uint64_t frame, int64_t* ns) { return g_capture.FrameTimeNs(frame, ns); }

}  // namespace qel
