#include "engine/sound/SoundService.h"

#include <mutex>

#include "common/Prompt.h"
#include "engine/sound/SdlAudio.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/SoundMessages.h"
#include "engine/sound/SoundOutput.h"
#include "engine/sound/WaveImage.h"
#include "engine/sound/capture/VoiceCapture.h"

namespace qel {

namespace {

// One lock for the whole layer: a load never overlaps a play, stop or
// status test of the sound it replaces. Messages are shown after it is let go.
std::mutex g_mutex;
CSoundOutput g_output;
int g_chosen = -1;

CSoundMessages& Messages() {
  static CSoundMessages messages;
  return messages;
}

void ReportFailure(SoundResult r, const std::string& detail) { Messages().Report(SoundErrorText(r, detail)); }

SoundResult SetCurrentSound(const QelWaveFormat& format, const void* data, size_t bytes) {
  std::string detail;
  SoundResult r;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_output.IsOpen()) return kSoundNotInitialized;  // the failed opening has been reported
    r = g_output.SetSound(format, data, bytes, &detail);
  }
  if (r != kSoundOk) ReportFailure(r, detail);
  return r;
}

}  // namespace

SoundResult InitSoundOutput(int deviceIndex, void* /*window*/) {
  Messages().Opened();
  std::string detail;
  SoundResult r = kSoundOk;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    const CSoundDeviceList& list = OutputSoundDevices();
    if (deviceIndex < list.Count()) g_chosen = deviceIndex < 0 ? -1 : deviceIndex;
    g_output.Close();
    if (!StartSdlAudio(&detail)) {
      r = kSoundNoDriver;
    } else {
      const SoundDeviceEntry* e = list.At(g_chosen);
      const bool named = e && !e->isDefault;
      r = g_output.Open(named ? e->openName.c_str() : nullptr, &detail);
    }
  }
  if (r != kSoundOk) Messages().Report("Error initializing DirectSound\n" + SoundErrorText(r, detail));
  return r;
}

void FreeSoundOutput() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_output.Close();
}

SoundResult LoadWaveImage(const void* image, size_t size) {
  WaveImage wave;
  if (ParseWaveImage(image, size, wave) != kSoundOk) return kSoundNotPcmWave;
  return SetCurrentSound(wave.format, wave.data, wave.bytes);
}

SoundResult LoadSoundFromMemory(const void* samples, uint32_t frames, const QelWaveFormat& format) {
  // Whole frames: every channel's sample of each frame, at its bytes per sample.
  const size_t bytes = static_cast<size_t>(frames) * format.blockAlign;
  return SetCurrentSound(format, samples, bytes);
}

SoundResult PlayCurrentSound(bool loop) {
  std::string detail;
  SoundResult r;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    r = g_output.Play(loop, &detail);
  }
  if (r != kSoundOk) ReportFailure(r, detail);
  return r;
}

void StopSound() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_output.Stop();
}

void RewindSound() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_output.Rewind();
}

void StopAndRewindSound() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_output.Stop();
  g_output.Rewind();
}

bool IsCurrentSoundPlaying() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_output.IsPlaying();
}

int ChosenSoundOutput() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_chosen;
}

int ShowDxError(const std::string& text, SoundResult result) {
  return ShowPrompt(text + "\n" + SoundErrorName(result), "Qel", kPromptOk | kPromptIconStop);
}

void ShutdownSound() {
  FreeVoiceCapture();
  FreeSoundOutput();
  StopSdlAudio();
}

}  // namespace qel
