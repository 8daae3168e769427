// The run's voice key (CVoiceKey, sound capture) as the machine reads it.
#pragma once

#include "engine/run/RunVoiceKey.h"
#include "engine/sound/voicekey/VoiceKey.h"

namespace qel {

class CVoiceKeyRunAdapter final : public IRunVoiceKey {
 public:
  explicit CVoiceKeyRunAdapter(qel::CVoiceKey& voiceKey) : m_voiceKey(voiceKey) {}
  uint32_t GetBits() override { return m_voiceKey.Bits(); }
  void SetThreshold(int percent) override { m_voiceKey.SetThreshold(percent); }
  bool Start() override { return m_voiceKey.Start(); }
  void Stop() override { m_voiceKey.Stop(); }

 private:
  qel::CVoiceKey& m_voiceKey;
};

}  // namespace qel
