#include "engine/input/InputEventLog.h"

namespace qel {

namespace {

// One word for what an event was: bit 0 press, bits 1-7 the source, bits
// 8-15 the code.
constexpr uint32_t kPressBit = 1u;
constexpr int kSourceShift = 1;
constexpr uint32_t kSourceMask = 0x7Fu;
constexpr int kCodeShift = 8;
constexpr uint32_t kCodeMask = 0xFFu;

uint32_t PackWhat(const InputEventStamp& event) {
  return (event.press ? kPressBit : 0u) | (static_cast<uint32_t>(event.source) << kSourceShift) |
         (static_cast<uint32_t>(event.code) << kCodeShift);
}

void UnpackWhat(uint32_t what, InputEventStamp* out) {
  out->press = (what & kPressBit) != 0;
  out->source = static_cast<InputSource>((what >> kSourceShift) & kSourceMask);
  out->code = static_cast<uint8_t>((what >> kCodeShift) & kCodeMask);
}

}  // namespace

void InputEventLog::Clear() {
  std::lock_guard<std::mutex> lock(m_writeMutex);
  for (Slot& slot : m_slots) slot.sequence.store(0, std::memory_order_relaxed);
  m_count.store(0, std::memory_order_release);
  m_generation.fetch_add(1, std::memory_order_acq_rel);
}

void InputEventLog::Add(const InputEventStamp& event) {
  std::lock_guard<std::mutex> lock(m_writeMutex);
  const uint64_t index = m_count.load(std::memory_order_relaxed);
  Slot& slot = m_slots[index % kCapacity];
  slot.sequence.store(0, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  slot.ns.store(event.ns, std::memory_order_relaxed);
  slot.what.store(PackWhat(event), std::memory_order_relaxed);
  slot.sequence.store(index + 1, std::memory_order_release);
  m_count.store(index + 1, std::memory_order_release);
}

bool InputEventLog::At(uint64_t index, InputEventStamp* out) const {
  if (index >= Count()) return false;
  const Slot& slot = m_slots[index % kCapacity];
  if (slot.sequence.load(std::memory_order_acquire) != index + 1) return false;
  out->ns = slot.ns.load(std::memory_order_relaxed);
  UnpackWhat(slot.what.load(std::memory_order_relaxed), out);
  std::atomic_thread_fence(std::memory_order_acquire);
  return slot.sequence.load(std::memory_order_relaxed) == index + 1;
}

}  // namespace qel
