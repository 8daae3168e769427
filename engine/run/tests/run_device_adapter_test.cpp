// The adapters from the real voice key and keyboard to the machine's view.
#include <gtest/gtest.h>

#include "engine/run/KeyboardRunAdapter.h"
#include "engine/run/VoiceKeyRunAdapter.h"

namespace qel {

TEST(RunDeviceAdapters, VoiceKeyThresholdAndBitsReachTheMachine) {
  qel::CVoiceKey voiceKey;
  CVoiceKeyRunAdapter adapter(voiceKey);
  adapter.SetThreshold(30);
  EXPECT_EQ(voiceKey.ThresholdPercent(), 30);
  EXPECT_EQ(voiceKey.ThresholdLevel(), 30 * 32767 / 100);
  EXPECT_EQ(adapter.GetBits(), 0u) << "silent before it was started";
  adapter.Stop();  // stopping a voice key that never ran is harmless
}

TEST(RunDeviceAdapters, EscapeIsUpWithoutAKeyboard) {
  CKeyboardRunAdapter keyboard;
  EXPECT_FALSE(keyboard.IsEscapeDown());
}

}  // namespace qel
