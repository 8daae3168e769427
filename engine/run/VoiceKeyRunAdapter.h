// The run's voice key (CVoiceKey, sound capture) as the machine reads it.
#pragma once

#include "engine/run/RunVoiceKey.h"
#include "engine/sound/voicekey/VoiceKey.h"

namespace qel {

class CVoiceKeyRunAdapter final : public IRunVoiceKey {
 public:
  explicit CVoiceKeyRunAdapter(qel::CVoiceKey& voiceKey) : voiceKey_(voiceKey) {}
  uint32_t GetBits() override { return voiceKey_.Bits(); }
  void SetThreshold(int percent) override { voiceKey_.SetThreshold(percent); }
  bool Start() override { return voiceKey_.Start(); }
  void Stop() override { voiceKey_.Stop(); }

 private:
  qel::CVoiceKey& voiceKey_;
};

}  // namespace qel
