// For tests that use the disk audio driver: capture input files written as
// the capture device would deliver them. (A temporary folder per test and
// the recorder of what the sound layers say come from tests/support.)
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {

// Writes 8000 Hz 16-bit stereo frames, as the capture device would deliver them.
inline bool WriteCaptureFile(const std::string& path, size_t frames,
                             const std::function<void(size_t, int16_t&, int16_t&)>& frame) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::vector<uint8_t> bytes(frames * 4);
  for (size_t i = 0; i < frames; ++i) {
    int16_t l = 0;
    int16_t r = 0;
    frame(i, l, r);
    WriteLE16(&bytes[4 * i], static_cast<uint16_t>(l));
    WriteLE16(&bytes[4 * i + 2], static_cast<uint16_t>(r));
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// Silence, then a 1 kHz burst on one channel (or both), then silence.
struct Burst {
  double startSeconds = 0.5;
  double seconds = 0.3;
  double amplitude = 16000;
  bool left = true;
  bool right = false;
  size_t StartFrame() const { return static_cast<size_t>(startSeconds * 8000); }
  int16_t At(size_t i) const {
    const size_t first = StartFrame();
    if (i < first || i >= first + static_cast<size_t>(seconds * 8000)) return 0;
    return static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * 1000.0 * (i - first) / 8000.0)));
  }
};

inline bool WriteBurstFile(const std::string& path, const Burst& b, double totalSeconds) {
  return WriteCaptureFile(path, static_cast<size_t>(totalSeconds * 8000), [&](size_t i, int16_t& l, int16_t& r) {
    const int16_t v = b.At(i);
    l = b.left ? v : 0;
    r = b.right ? v : 0;
  });
}

}  // namespace test

}  // namespace qel
