#include "engine/sound/SoundMessages.h"

#include "common/Prompt.h"

namespace qel {


void CSoundMessages::Opened() {
  std::lock_guard<std::mutex> lock(mutex_);
  owner_ = std::this_thread::get_id();
  haveOwner_ = true;
  posted_ = false;
}

void CSoundMessages::Report(const std::string& text, unsigned style) {
  bool onOwner;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    onOwner = !haveOwner_ || owner_ == std::this_thread::get_id();
  }
  if (onOwner) {
    ShowPrompt(text, "Qel", style);
    return;
  }
  if (!posted_.exchange(true)) PostPrompt(text, "Qel", style);
}

}  // namespace qel
