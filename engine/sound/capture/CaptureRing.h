// The capture ring: two seconds of 8000 Hz 16-bit stereo (64000 bytes).
// The audio thread appends what the device captured; the voice key's timer
// thread copies out what arrived since its last read, in order, across the
// end of the ring. Written and read totals are counted in 64 bits, so a
// full ring is told apart from an empty one; a reader that fell more than
// the ring behind goes on from the oldest bytes still held.
//
// Every write carries the CLOCK_MONOTONIC time at which the device handed
// it over, the time of its last frame; an earlier frame of the same write
// is earlier by the frames after it at the capture rate. The latest
// kWriteStamps writes keep their times.
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
  static constexpr int kFramesPerSecond = 8000;
  static constexpr size_t kWriteStamps = 64;

  // Both positions back to 0; loop false: capture stops when the ring is full.
  void Reset(bool loop);
  // Appends captured bytes handed over at arrivedNs (audio thread).
  // Without loop, what does not fit is dropped.
  void Write(const uint8_t* data, size_t len, int64_t arrivedNs);
  // Copies what arrived since the last read: at most capacity bytes, the
  // rest skipped. frames = bytes copied / 4; firstFrame (when given) the
  // number of the first frame copied, counted from the reset. False
  // (frames 0) when nothing arrived or without a destination.
  bool Read(uint8_t* destination, uint32_t capacity, uint32_t* frames, uint64_t* firstFrame = nullptr);
  // When frame `frame` (counted from the reset) was captured: its write's
  // time less the frames after it in that write; false when the frame has
  // not arrived or its write's time is no longer kept.
  bool FrameTimeNs(uint64_t frame, int64_t* ns) const;
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
  struct WriteStamp {
    uint64_t start = 0;  // m_written before the write
    uint64_t end = 0;    // and after it
    int64_t ns = 0;
  };
  std::array<WriteStamp, kWriteStamps> m_stamps{};
  uint64_t m_stampCount = 0;
};

}  // namespace qel
