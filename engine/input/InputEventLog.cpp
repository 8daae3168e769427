#include "engine/input/InputEventLog.h"

namespace qel {

void InputEventLog::Clear() {
  std::lock_guard<std::mutex> lock(m_writeMutex);
  for (Slot& slot : m_slots) slot.sequence.store(0, std::memory_order_relaxed);
  m_count.store(0, std::memory_order_release);
}

void InputEventLog::Add(int64_t ns, bool press) {
  std::lock_guard<std::mutex> lock(m_writeMutex);
  const uint64_t index = m_count.load(std::memory_order_relaxed);
  Slot& slot = m_slots[index % kCapacity];
  slot.sequence.store(0, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  slot.ns.store(ns, std::memory_order_relaxed);
  slot.press.store(press, std::memory_order_relaxed);
  slot.sequence.store(index + 1, std::memory_order_release);
  m_count.store(index + 1, std::memory_order_release);
}

bool InputEventLog::At(uint64_t index, InputEventStamp* out) const {
  if (index >= Count()) return false;
  const Slot& slot = m_slots[index % kCapacity];
  if (slot.sequence.load(std::memory_order_acquire) != index + 1) return false;
  out->ns = slot.ns.load(std::memory_order_relaxed);
  out->press = slot.press.load(std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_acquire);
  return slot.sequence.load(std::memory_order_relaxed) == index + 1;
}

}  // namespace qel
