#include "engine/timer/TimerMs.h"

#include "engine/timer/MonotonicTickThread.h"

namespace qel {


namespace {
constexpr int64_t kNsPerSecond = 1'000'000'000;
}

CTimerMs::CTimerMs(ITickSource* source) {
  if (source == nullptr) {
    ownSource_ = std::make_unique<MonotonicTickThread>();
    source = ownSource_.get();
  }
  source_ = source;
}

CTimerMs::~CTimerMs() { Stop(); }

bool CTimerMs::Init() {
  const bool has = source_->HasClock();
  hasCounter_.store(has);
  if (has) frequency_ = kNsPerSecond;
  beats_.store(0, std::memory_order_relaxed);
  late_.store(0, std::memory_order_relaxed);
  largestGap_.store(0, std::memory_order_relaxed);
  Reset();
  return has;
}

void CTimerMs::Reset() {
  elapsed_.store(0, std::memory_order_relaxed);
  previous_.store(0, std::memory_order_relaxed);
  startNs_.store(source_->NowNs());
}

uint32_t CTimerMs::GetElapsedMs() const {
  if (!hasCounter_.load() || frequency_ <= 0) return 0;
  const int64_t ticks = source_->NowNs() - startNs_.load();
  if (ticks <= 0) return 0;
  // Ticks to ms without overflowing: whole seconds and the rest apart.
  const int64_t seconds = ticks / frequency_;
  const int64_t rest = ticks % frequency_;
  return static_cast<uint32_t>(seconds * 1000 + rest * 1000 / frequency_);
}

bool CTimerMs::Start(Callback callback, intptr_t argument) {
  if (running_.load()) return true;
  callback_ = callback;
  argument_ = argument;
  Init();
  if (!source_->StartBeats(&CTimerMs::OnTick, this)) {
    callback_ = nullptr;
    argument_ = 0;
    return false;
  }
  running_.store(true);
  return true;
}

void CTimerMs::Stop() {
  if (!running_.load()) return;
  source_->StopBeats();
  running_.store(false);
  callback_ = nullptr;
  argument_ = 0;
}

void CTimerMs::OnTick(void* owner, int64_t /*scheduledNs*/) {
  if (owner == nullptr) return;
  auto* self = static_cast<CTimerMs*>(owner);
  self->inCallback_.fetch_add(1, std::memory_order_relaxed);
  self->UpdateStats();
  if (self->callback_ != nullptr) self->callback_(self->argument_);
  self->inCallback_.fetch_sub(1, std::memory_order_relaxed);
}

void CTimerMs::UpdateStats() {
  beats_.fetch_add(1, std::memory_order_relaxed);
  const uint32_t elapsed = GetElapsedMs();
  elapsed_.store(elapsed, std::memory_order_relaxed);
  const uint32_t gap = elapsed - previous_.load(std::memory_order_relaxed);
  previous_.store(elapsed, std::memory_order_relaxed);
  if (gap > largestGap_.load(std::memory_order_relaxed)) largestGap_.store(gap, std::memory_order_relaxed);
  if (gap > kLateGapMs) late_.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace qel
