#include "engine/host/HostErrorName.h"

#include <cstdio>

#include "display/DisplayResult.h"
#include "engine/input/InputResult.h"
#include "engine/sound/SoundResult.h"

namespace qel {

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::string HostErrorName(int32_t error) {
  if (error >= 0) return display::ResultName(error);
  // The layers' names for codes they do not know start like this.
  const std::string sound = SoundErrorName(error);
  if (!StartsWith(sound, "SOUND_E_0x")) return sound;
  const std::string input = InputErrorName(error);
  if (!StartsWith(input, "0x")) return input;
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(error));
  return text;
}

}  // namespace qel
