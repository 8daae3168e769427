// The run machine's keyboard and voice key for tests: Escape and the voice
// key's bits are set by the test; the voice key records how it was used.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/run/RunKeyboard.h"
#include "engine/run/RunVoiceKey.h"

namespace qel {

namespace test {

class TestKeyboard final : public IRunKeyboard {
 public:
  bool IsEscapeDown() override { return escape.load(); }
  std::atomic<bool> escape{false};
};

class TestVoiceKey final : public IRunVoiceKey {
 public:
  uint32_t GetBits() override { return bits.load(); }
  void SetThreshold(int percent) override { threshold = percent; }
  bool Start() override {
    ++starts;
    return true;
  }
  void Stop() override { ++stops; }
  std::atomic<uint32_t> bits{0};
  int threshold = -1;
  int starts = 0;
  int stops = 0;
};

}  // namespace test

}  // namespace qel
