#include "engine/timer/ManualTickSource.h"

namespace qel {

bool ManualTickSource::StartBeats(BeatFn fn, void* context) {
  if (fn == nullptr || m_running || m_startRefused || !m_hasClock) return false;
  m_fn = fn;
  m_context = context;
  m_running = true;
  return true;
}

void ManualTickSource::StopBeats() {
  m_running = false;
  m_fn = nullptr;
  m_context = nullptr;
}

bool ManualTickSource::Beat() {
  if (!m_running || m_fn == nullptr) return false;
  m_fn(m_context, m_now.load());
  return true;
}

uint32_t ManualTickSource::RunMs(uint32_t ms) {
  uint32_t given = 0;
  for (uint32_t i = 0; i < ms && m_running; ++i) {
    AdvanceMs(1);
    if (Beat()) ++given;
  }
  return given;
}

}  // namespace qel
