#include "engine/timer/TimerMs.h"

#include "engine/timer/MonotonicTickThread.h"

namespace qel {

namespace {
constexpr int64_t kNsPerSecond = 1'000'000'000;
}

CTimerMs::CTimerMs(ITickSource* source) {
  if (source == nullptr) {
    m_ownSource = std::make_unique<MonotonicTickThread>();
    source = m_ownSource.get();
  }
  m_source = source;
}

CTimerMs::~CTimerMs() { Stop(); }

bool CTimerMs::Init() {
  const bool has = m_source->HasClock();
  m_hasCounter.store(has);
  if (has) m_frequency = kNsPerSecond;
  m_beats.store(0, std::memory_order_relaxed);
  m_late.store(0, std::memory_order_relaxed);
  m_largestGap.store(0, std::memory_order_relaxed);
  m_longBeats.store(0, std::memory_order_relaxed);
  m_longestBeatNs.store(0, std::memory_order_relaxed);
  Reset();
  return has;
}

void CTimerMs::Reset() {
  m_elapsed.store(0, std::memory_order_relaxed);
  m_previous.store(0, std::memory_order_relaxed);
  m_startNs.store(m_source->NowNs());
}

uint32_t CTimerMs::GetElapsedMs() const {
  if (!m_hasCounter.load() || m_frequency <= 0) return 0;
  const int64_t ticks = m_source->NowNs() - m_startNs.load();
  if (ticks <= 0) return 0;
  // Ticks to ms without overflowing: whole seconds and the rest apart.
  const int64_t seconds = ticks / m_frequency;
  const int64_t rest = ticks % m_frequency;
  return static_cast<uint32_t>(seconds * 1000 + rest * 1000 / m_frequency);
}

int64_t CTimerMs::GetElapsedNs() const {
  if (!m_hasCounter.load()) return 0;
  const int64_t ns = m_source->NowNs() - m_startNs.load();
  return ns > 0 ? ns : 0;
}

bool CTimerMs::Start(Callback callback, intptr_t argument) {
  if (m_running.load()) return true;
  m_callback = callback;
  m_argument = argument;
  Init();
  if (!m_source->StartBeats(&CTimerMs::OnTick, this)) {
    m_callback = nullptr;
    m_argument = 0;
    return false;
  }
  m_running.store(true);
  return true;
}

void CTimerMs::Stop() {
  if (!m_running.load()) return;
  m_source->StopBeats();
  m_running.store(false);
  m_callback = nullptr;
  m_argument = 0;
}

void CTimerMs::OnTick(void* owner, int64_t /*scheduledNs*/) {
  if (owner == nullptr) return;
  auto* self = static_cast<CTimerMs*>(owner);
  self->m_inCallback.fetch_add(1, std::memory_order_relaxed);
  self->UpdateStats();
  if (self->m_callback != nullptr) {
    const int64_t begin = self->m_source->NowNs();
    self->m_callback(self->m_argument);
    const int64_t took = self->m_source->NowNs() - begin;
    if (took > kLongBeatNs) self->m_longBeats.fetch_add(1, std::memory_order_relaxed);
    if (took > self->m_longestBeatNs.load(std::memory_order_relaxed)) {
      self->m_longestBeatNs.store(took, std::memory_order_relaxed);
    }
  }
  self->m_inCallback.fetch_sub(1, std::memory_order_relaxed);
}

void CTimerMs::UpdateStats() {
  m_beats.fetch_add(1, std::memory_order_relaxed);
  const uint32_t elapsed = GetElapsedMs();
  m_elapsed.store(elapsed, std::memory_order_relaxed);
  const uint32_t gap = elapsed - m_previous.load(std::memory_order_relaxed);
  m_previous.store(elapsed, std::memory_order_relaxed);
  if (gap > m_largestGap.load(std::memory_order_relaxed)) m_largestGap.store(gap, std::memory_order_relaxed);
  if (gap > kLateGapMs) m_late.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace qel
