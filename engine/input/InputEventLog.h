// The log of stamped presses and releases of keys and buttons (of the
// keyboard, the mouse, game pads and joysticks), each with the key or
// button it was: a ring of the latest
// kCapacity events. The input threads write it (one at a time), any thread
// reads it without waiting. Index i is the i-th event since the start.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "engine/input/InputTypes.h"

namespace qel {

class InputEventLog {
 public:
  static constexpr uint64_t kCapacity = 256;

  void Clear();
  // Writers: adds an event; published when Count() takes it in.
  void Add(const InputEventStamp& event);
  uint64_t Count() const { return m_count.load(std::memory_order_acquire); }
  // Event `index`; false when it is not yet written or already overwritten.
  bool At(uint64_t index, InputEventStamp* out) const;
  // Counts Clear calls: a reader that kept an index from before a clear
  // sees the number change.
  uint64_t Generation() const { return m_generation.load(std::memory_order_acquire); }

 private:
  struct Slot {
    std::atomic<uint64_t> sequence{0};  // index + 1 once written, 0 while being written
    std::atomic<int64_t> ns{0};
    std::atomic<uint32_t> what{0};  // press, source and code (InputEventLog.cpp)
  };
  std::mutex m_writeMutex;  // writers only
  Slot m_slots[kCapacity];
  std::atomic<uint64_t> m_count{0};
  std::atomic<uint64_t> m_generation{0};
};

}  // namespace qel
