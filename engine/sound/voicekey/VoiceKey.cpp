#include "engine/sound/voicekey/VoiceKey.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "engine/sound/capture/VoiceCapture.h"

namespace qel {

CVoiceKey::CVoiceKey() : m_buffer(kReadBytes) { SetThreshold(50); }

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

void CVoiceKey::OnTimer() {
  m_inCallback.fetch_add(1);
  uint32_t frames = 0;
  if (ReadVoiceCapture(m_buffer.data(), kReadBytes, &frames) && frames > 0) {
    frames = std::min<uint32_t>(frames, kReadBytes / 4);
    for (uint32_t i = 0; i < frames; ++i) {
      const uint8_t* f = &m_buffer[i * 4];  // little-endian left, right
      m_channels[0].Feed(ReadLEInt16(f));
      m_channels[1].Feed(ReadLEInt16(f + 2));
    }
    const int threshold = m_thresholdLevel.load();
    const int l0 = m_channels[0].Level();
    const int l1 = m_channels[1].Level();
    m_levels[0] = l0;
    m_levels[1] = l1;
    m_bits.store((l0 >= threshold ? 1u : 0u) | (l1 >= threshold ? 2u : 0u), std::memory_order_release);
  }
  m_inCallback.fetch_sub(1);
}

}  // namespace qel
