#include "engine/sound/SoundResult.h"

#include <cstdio>

namespace qel {

std::string SoundErrorName(SoundResult result) {
  switch (result) {
    case kSoundOk:
      return "SOUND_OK";
    case kSoundNotPcmWave:
      return "SOUND_E_NOTPCMWAVE";
    case kSoundNotInitialized:
      return "SOUND_E_NOTINITIALIZED";
    case kSoundInvalidArg:
      return "SOUND_E_INVALIDARG";
    case kSoundOutOfMemory:
      return "SOUND_E_OUTOFMEMORY";
    case kSoundBadFormat:
      return "SOUND_E_BADFORMAT";
    case kSoundNoDriver:
      return "SOUND_E_NODRIVER";
    case kSoundDeviceFailed:
      return "SOUND_E_DEVICEFAILED";
    default:
      break;
  }
  char text[32];
  std::snprintf(text, sizeof text, "SOUND_E_0x%08X", static_cast<unsigned>(result));
  return text;
}

std::string SoundErrorText(SoundResult result, const std::string& detail) {
  std::string text = SoundErrorName(result);
  if (!detail.empty()) text += ": " + detail;
  return text;
}

}  // namespace qel
