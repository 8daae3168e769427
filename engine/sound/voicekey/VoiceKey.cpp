#include "engine/sound/voicekey/VoiceKey.h"

#include <algorithm>
#include <cstdint>

#include "common/ByteOrder.h"
#include "common/MonotonicNs.h"
#include "engine/sound/capture/VoiceCapture.h"

namespace qel {

CVoiceKey::CVoiceKey() : m_buffer(kReadBytes) {
  SetThreshold(50);
  m_channels[0].SetRate(kCaptureRate, kBlocks);
  m_channels[1].SetRate(kCaptureRate, kBlocks);
}

CVoiceKey::~CVoiceKey() {
  // The beat must end before the key goes; a capture this key did not start is left alone.
  if (m_timer.IsRunning()) Stop();
}

void CVoiceKey::SetThreshold(int percent) {
  m_thresholdPercent = percent;
  m_thresholdLevel = percent * 32767 / 100;
}

void CVoiceKey::ResetState() {
  m_bits = 0;
  m_triggerNs = 0;
  m_triggerFrame = 0;
  m_levels[0] = 0;
  m_levels[1] = 0;
  m_channels[0].Reset();
  m_channels[1].Reset();
}

bool CVoiceKey::Init(int captureDevice) {
  Release();
  if (CreateVoiceCapture(captureDevice) != kSoundOk) return false;
  m_channels[0].SetRate(kCaptureRate, kBlocks);
  m_channels[1].SetRate(kCaptureRate, kBlocks);
  ResetState();
  return true;
}

bool CVoiceKey::Start() {
  if (m_timer.IsRunning()) return false;
  // The beat starts last, so nothing reads while the state is reset.
  ResetState();
  if (StartVoiceCapture(true) != kSoundOk) return false;
  if (!m_timer.Start(1000, [this] { OnTimer(); })) {
    StopVoiceCapture();
    return false;
  }
  return true;
}

bool CVoiceKey::InitAndStart(int captureDevice) { return Init(captureDevice) && Start(); }

void CVoiceKey::Stop() {
  m_timer.Stop();
  if (IsVoiceCaptureRunning(true)) StopVoiceCapture();
}

void CVoiceKey::Release() {
  Stop();
  FreeVoiceCapture();
}

bool CVoiceKey::TriggerNs(int64_t* ns) const {
  const int64_t t = m_triggerNs.load(std::memory_order_acquire);
  if (t == 0) return false;
  *ns = t;
  return true;
}

uint32_t CVoiceKey::Feed(const uint8_t* data, uint32_t frames, uint64_t firstFrame, uint32_t before,
                         uint64_t* triggerFrame) {
  const int threshold = m_thresholdLevel.load();
  // The first frame of this read at which each channel reached the threshold.
  constexpr uint32_t kNotReached = UINT32_MAX;
  uint32_t reached[2] = {kNotReached, kNotReached};
  for (uint32_t i = 0; i < frames; ++i) {
    const uint8_t* f = &data[i * 4];  // little-endian left, right
    m_channels[0].Feed(ReadLEInt16(f));
    m_channels[1].Feed(ReadLEInt16(f + 2));
    for (int ch = 0; ch < 2; ++ch) {
      if (reached[ch] == kNotReached && m_channels[ch].Level() >= threshold) reached[ch] = i;
    }
  }
  const int l0 = m_channels[0].Level();
  const int l1 = m_channels[1].Level();
  m_levels[0] = l0;
  m_levels[1] = l1;
  const uint32_t bits = (l0 >= threshold ? 1u : 0u) | (l1 >= threshold ? 2u : 0u);
  if (before == 0 && bits != 0 && triggerFrame != nullptr) {
    // A channel raised now reached the threshold in this read.
    uint32_t first = kNotReached;
    for (int ch = 0; ch < 2; ++ch) {
      if ((bits & (1u << ch)) != 0) first = std::min(first, reached[ch]);
    }
    *triggerFrame = firstFrame + first;
  }
  return bits;
}

void CVoiceKey::OnTimer() {
  m_inCallback.fetch_add(1);
  uint32_t frames = 0;
  uint64_t firstFrame = 0;
  if (ReadVoiceCapture(m_buffer.data(), kReadBytes, &frames, &firstFrame) && frames > 0) {
    frames = std::min<uint32_t>(frames, kReadBytes / 4);
    const uint32_t before = m_bits.load(std::memory_order_relaxed);
    uint64_t triggerFrame = 0;
    const uint32_t bits = Feed(m_buffer.data(), frames, firstFrame, before, &triggerFrame);
    if (before == 0 && bits != 0) {
      int64_t ns = 0;
      // Without the frame's time (not expected) the trigger is now.
      if (!VoiceCaptureFrameTimeNs(triggerFrame, &ns)) ns = MonotonicNowNs();
      m_triggerFrame.store(triggerFrame, std::memory_order_relaxed);
      m_triggerNs.store(ns, std::memory_order_release);
    }
    m_bits.store(bits, std::memory_order_release);
  }
  m_inCallback.fetch_sub(1);
}

}  // namespace qel
