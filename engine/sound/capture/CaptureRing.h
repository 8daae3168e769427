// The capture ring: two seconds of 8000 Hz 16-bit stereo (64000 bytes).
// The audio thread appends what the device captured; the voice key's timer
// thread copies out what arrived since its last read, in order, across the
// end of the ring. Written and read totals are counted in 64 bits, so a
// full ring is told apart from an empty one; a reader that fell more than
// the ring behind goes on from the oldest bytes still held.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace qel {

class CCaptureRing {
 public:
  static constexpr uint32_t kFrameBytes = 4;  // one stereo pair of 16-bit samples
  static constexpr uint32_t kBytes = 64000;   // 2 s at 32000 bytes per second

  // Both positions back to 0; loop false: capture stops when the ring is full.
  void Reset(bool loop);
  // Appends captured bytes (audio thread). Without loop, what does not fit is dropped.
  void Write(const uint8_t* data, size_t len);
  // Copies what arrived since the last read: at most capacity bytes, the
  // rest skipped. frames = bytes copied / 4. False (frames 0) when nothing
  // arrived or without a destination.
  bool Read(uint8_t* destination, uint32_t capacity, uint32_t* frames);
  // A capture without loop that has filled the ring.
  bool Ended() const;
  bool Looping() const;
  uint64_t Written() const;

 private:
  mutable std::mutex m_mutex;  // held only for a copy, never while waiting
  std::array<uint8_t, kBytes> m_bytes{};
  uint64_t m_written = 0;
  uint64_t m_read = 0;
  bool m_loop = true;
};

}  // namespace qel
