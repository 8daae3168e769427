#include "engine/sound/capture/CaptureRing.h"

#include <algorithm>
#include <cstring>

namespace qel {

void CCaptureRing::Reset(bool loop) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_written = 0;
  m_read = 0;
  m_loop = loop;
  m_stampCount = 0;
}

void CCaptureRing::Write(const uint8_t* data, size_t len, int64_t arrivedNs) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_loop) len = static_cast<size_t>(std::min<uint64_t>(len, kBytes - std::min<uint64_t>(m_written, kBytes)));
  if (len == 0) return;
  // The stamp goes with the write's end, counted before long writes are cut.
  m_stamps[m_stampCount % kWriteStamps] = WriteStamp{m_written, m_written + len, arrivedNs};
  ++m_stampCount;
  // Only the last ring's worth of a long write survives anyway.
  if (len > kBytes) {
    m_written += len - kBytes;
    data += len - kBytes;
    len = kBytes;
  }
  while (len > 0) {
    const size_t offset = static_cast<size_t>(m_written % kBytes);
    const size_t n = std::min(len, kBytes - offset);
    std::memcpy(m_bytes.data() + offset, data, n);
    data += n;
    len -= n;
    m_written += n;
  }
}

bool CCaptureRing::Read(uint8_t* destination, uint32_t capacity, uint32_t* frames, uint64_t* firstFrame) {
  if (frames) *frames = 0;
  if (!destination) return false;
  std::lock_guard<std::mutex> lock(m_mutex);
  uint64_t amount = m_written - m_read;
  if (amount == 0) return false;
  if (amount > kBytes) {  // overrun: the oldest bytes still held come first
    m_read = m_written - kBytes;
    amount = kBytes;
  }
  if (firstFrame) *firstFrame = m_read / kFrameBytes;
  const size_t offset = static_cast<size_t>(m_read % kBytes);
  const size_t first = std::min<size_t>(static_cast<size_t>(amount), kBytes - offset);
  const size_t second = static_cast<size_t>(amount) - first;
  size_t copied = std::min<size_t>(first, capacity);
  std::memcpy(destination, m_bytes.data() + offset, copied);
  if (second > 0 && first < capacity) {
    const size_t more = std::min<size_t>(second, capacity - first);
    std::memcpy(destination + first, m_bytes.data(), more);
    copied += more;
  }
  m_read += amount;  // what did not fit is skipped
  if (frames) *frames = static_cast<uint32_t>(copied / kFrameBytes);
  return true;
}

bool CCaptureRing::FrameTimeNs(uint64_t frame, int64_t* ns) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  const uint64_t byte = frame * kFrameBytes;
  if (byte >= m_written) return false;
  const uint64_t kept = std::min<uint64_t>(m_stampCount, kWriteStamps);
  for (uint64_t back = 1; back <= kept; ++back) {
    const WriteStamp& stamp = m_stamps[(m_stampCount - back) % kWriteStamps];
    if (byte < stamp.start || byte >= stamp.end) continue;
    const uint64_t framesAfter = (stamp.end - byte) / kFrameBytes - 1;
    constexpr int64_t kNsPerSecond = 1'000'000'000;
    *ns = stamp.ns - static_cast<int64_t>(framesAfter) * kNsPerSecond / kFramesPerSecond;
    return true;
  }
  return false;
}

bool CCaptureRing::Ended() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return !m_loop && m_written >= kBytes;
}

bool CCaptureRing::Looping() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_loop;
}

uint64_t CCaptureRing::Written() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_written;
}

}  // namespace qel
