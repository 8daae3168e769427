#include "engine/sound/voicekey/VoiceKey.h"

#include <algorithm>

#include "engine/sound/capture/VoiceCapture.h"

namespace qel {


CVoiceKey::CVoiceKey() : buffer_(kReadBytes) { SetThreshold(50); }

CVoiceKey::~CVoiceKey() {
  // The beat must end before the key goes; a capture this key did not start is left alone.
  if (timer_.IsRunning()) Stop();
}

void CVoiceKey::SetThreshold(int percent) {
  thresholdPercent_ = percent;
  thresholdLevel_ = percent * 32767 / 100;
}

void CVoiceKey::ResetState() {
  bits_ = 0;
  levels_[0] = 0;
  levels_[1] = 0;
  channels_[0].Reset();
  channels_[1].Reset();
}

bool CVoiceKey::Init(int captureDevice) {
  Release();
  if (CreateVoiceCapture(captureDevice) != kSoundOk) return false;
  channels_[0].SetRate(kCaptureRate, kBlocks);
  channels_[1].SetRate(kCaptureRate, kBlocks);
  ResetState();
  return true;
}

bool CVoiceKey::Start() {
  if (timer_.IsRunning()) return false;
  // The beat starts last, so nothing reads while the state is reset.
  ResetState();
  if (StartVoiceCapture(true) != kSoundOk) return false;
  if (!timer_.Start(1000, [this] { OnTimer(); })) {
    StopVoiceCapture();
    return false;
  }
  return true;
}

bool CVoiceKey::InitAndStart(int captureDevice) { return Init(captureDevice) && Start(); }

void CVoiceKey::Stop() {
  timer_.Stop();
  if (IsVoiceCaptureRunning(true)) StopVoiceCapture();
}

void CVoiceKey::Release() {
  Stop();
  FreeVoiceCapture();
}

void CVoiceKey::OnTimer() {
  inCallback_.fetch_add(1);
  uint32_t frames = 0;
  if (ReadVoiceCapture(buffer_.data(), kReadBytes, &frames) && frames > 0) {
    frames = std::min<uint32_t>(frames, kReadBytes / 4);
    for (uint32_t i = 0; i < frames; ++i) {
      const uint8_t* f = &buffer_[i * 4];  // little-endian left, right
      channels_[0].Feed(static_cast<int16_t>(f[0] | (f[1] << 8)));
      channels_[1].Feed(static_cast<int16_t>(f[2] | (f[3] << 8)));
    }
    const int threshold = thresholdLevel_.load();
    const int l0 = channels_[0].Level();
    const int l1 = channels_[1].Level();
    levels_[0] = l0;
    levels_[1] = l1;
    bits_.store((l0 >= threshold ? 1u : 0u) | (l1 >= threshold ? 2u : 0u), std::memory_order_release);
  }
  inCallback_.fetch_sub(1);
}

}  // namespace qel
