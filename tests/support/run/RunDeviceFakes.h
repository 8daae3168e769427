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
  bool IsEscapeDown() override { return m_escape.load(); }
  std::atomic<bool> m_escape{false};
};

class TestVoiceKey final : public IRunVoiceKey {
 public:
  uint32_t GetBits() override { return m_bits.load(); }
  void SetThreshold(int percent) override { m_threshold = percent; }
  bool Start() override {
    ++m_starts;
    return true;
  }
  void Stop() override { ++m_stops; }
  std::atomic<uint32_t> m_bits{0};
  int m_threshold = -1;
  int m_starts = 0;
  int m_stops = 0;
};

}  // namespace test

}  // namespace qel
