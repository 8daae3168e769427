#include "engine/sound/capture/CaptureRing.h"

#include <algorithm>
#include <cstring>

namespace qel {


void CCaptureRing::Reset(bool loop) {
  std::lock_guard<std::mutex> lock(mutex_);
  written_ = 0;
  read_ = 0;
  loop_ = loop;
}

void CCaptureRing::Write(const uint8_t* data, size_t len) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!loop_) len = static_cast<size_t>(std::min<uint64_t>(len, kBytes - std::min<uint64_t>(written_, kBytes)));
  // Only the last ring's worth of a long write survives anyway.
  if (len > kBytes) {
    written_ += len - kBytes;
    data += len - kBytes;
    len = kBytes;
  }
  while (len > 0) {
    const size_t offset = static_cast<size_t>(written_ % kBytes);
    const size_t n = std::min(len, kBytes - offset);
    std::memcpy(bytes_.data() + offset, data, n);
    data += n;
    len -= n;
    written_ += n;
  }
}

bool CCaptureRing::Read(uint8_t* destination, uint32_t capacity, uint32_t* frames) {
  if (frames) *frames = 0;
  if (!destination) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  uint64_t amount = written_ - read_;
  if (amount == 0) return false;
  if (amount > kBytes) {  // overrun: the oldest bytes still held come first
    read_ = written_ - kBytes;
    amount = kBytes;
  }
  const size_t offset = static_cast<size_t>(read_ % kBytes);
  const size_t first = std::min<size_t>(static_cast<size_t>(amount), kBytes - offset);
  const size_t second = static_cast<size_t>(amount) - first;
  size_t copied = std::min<size_t>(first, capacity);
  std::memcpy(destination, bytes_.data() + offset, copied);
  if (second > 0 && first < capacity) {
    const size_t more = std::min<size_t>(second, capacity - first);
    std::memcpy(destination + first, bytes_.data(), more);
    copied += more;
  }
  read_ += amount;  // what did not fit is skipped
  if (frames) *frames = static_cast<uint32_t>(copied / kFrameBytes);
  return true;
}

bool CCaptureRing::Ended() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return !loop_ && written_ >= kBytes;
}

bool CCaptureRing::Looping() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return loop_;
}

uint64_t CCaptureRing::Written() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return written_;
}

}  // namespace qel
