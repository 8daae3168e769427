#include "engine/sound/SoundDevices.h"

#include <SDL.h>

#include <mutex>

#include "common/Prompt.h"
#include "common/TextOrEmpty.h"
#include "engine/sound/SdlAudio.h"
#include "engine/sound/SoundResult.h"

namespace qel {

namespace {

std::mutex g_mutex;
CSoundDeviceList g_output;
CSoundDeviceList g_capture;

}  // namespace

void FillSoundDeviceList(CSoundDeviceList& list, bool capture) {
  list.Clear();
  const int count = SDL_GetNumAudioDevices(capture ? 1 : 0);
  if (count <= 0) return;  // no device: nothing to list, not even a default
  const char* driver = SDL_GetCurrentAudioDriver();
  SoundDeviceEntry def;
  def.isDefault = true;
  def.description = capture ? "Default capture device" : "Default output device";
  def.moduleName = TextOrEmpty(driver);
  list.Add(def);
  for (int i = 0; i < count; ++i) {
    const char* name = SDL_GetAudioDeviceName(i, capture ? 1 : 0);
    if (!name) continue;
    SoundDeviceEntry e;
    e.openName = name;
    e.description = name;
    e.moduleName = TextOrEmpty(driver);
    if (!list.Add(e)) break;  // a fifth device ends the enumeration
  }
}

bool EnumSoundDevices() {
  std::string error;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_output.Clear();
    g_capture.Clear();
  }
  if (!StartSdlAudio(&error)) {
    ShowPrompt("DirectSoundEnum\n" + SoundErrorText(kSoundNoDriver, error), "Qel", kPromptOk | kPromptIconStop);
    return false;
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  FillSoundDeviceList(g_output, false);
  if (g_output.Count() > 0) FillSoundDeviceList(g_capture, true);
  return g_output.Count() > 0;
}

std::string GetSoundDeviceName(int index) {
  std::lock_guard<std::mutex> lock(g_mutex);
  const SoundDeviceEntry* e = g_output.At(index);
  return e ? e->description : std::string();
}

const CSoundDeviceList& OutputSoundDevices() { return g_output; }
const CSoundDeviceList& CaptureSoundDevices() { return g_capture; }

}  // namespace qel
