#include "engine/sound/SdlAudio.h"

#include <SDL.h>

#include <mutex>

namespace qel {

namespace {
std::mutex g_mutex;
bool g_started = false;
}  // namespace

bool StartSdlAudio(std::string* error) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_started) return true;
  // SDL would otherwise catch SIGINT/SIGTERM and the program could not be ended by them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (error) *error = SDL_GetError();
    return false;
  }
  g_started = true;
  return true;
}

void StopSdlAudio() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_started) return;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_started = false;
}

std::string SdlAudioError() { return SDL_GetError(); }

}  // namespace qel
