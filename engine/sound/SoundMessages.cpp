#include "engine/sound/SoundMessages.h"

#include "common/Prompt.h"

namespace qel {

void CSoundMessages::Opened() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_owner = std::this_thread::get_id();
  m_haveOwner = true;
  m_posted = false;
}

void CSoundMessages::Report(const std::string& text, unsigned style) {
  bool onOwner;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    onOwner = !m_haveOwner || m_owner == std::this_thread::get_id();
  }
  if (onOwner) {
    ShowPrompt(text, "Qel", style);
    return;
  }
  if (!m_posted.exchange(true)) PostPrompt(text, "Qel", style);
}

}  // namespace qel
