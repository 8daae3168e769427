// Sound capture from the disk audio driver's input file: every frame
// arrives once and in order across several turns of the ring.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "common/ByteOrder.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/capture/CaptureRing.h"
#include "engine/sound/capture/VoiceCapture.h"
#include "engine/sound/tests/SoundTestEnvironment.h"

namespace qel {

namespace {

using namespace std::chrono_literals;

int16_t LeftOf(size_t k) { return static_cast<int16_t>((k & 0x7FFF) + 1); }
int16_t RightOf(size_t k) { return static_cast<int16_t>(-static_cast<int>(k >> 15) - 1); }

TEST(VoiceCaptureDevice, FramesArriveInOrderAcrossTheEndOfTheRing) {
  test::PromptRecorder prompts;
  test::TempFolder folder;
  const size_t total = 40000;  // 2.5 rings
  const std::string input = folder.File("in.raw");
  ASSERT_TRUE(test::WriteCaptureFile(input, total, [](size_t k, int16_t& l, int16_t& r) {
    l = LeftOf(k);
    r = RightOf(k);
  }));
  setenv("SDL_DISKAUDIOFILEIN", input.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);  // eight times real time: the ring turns in a quarter second
  ASSERT_TRUE(EnumSoundDevices());
  ASSERT_EQ(CreateVoiceCapture(0), kSoundOk);
  unsetenv("SDL_DISKAUDIODELAY");
  EXPECT_FALSE(IsVoiceCaptureRunning(true));
  ASSERT_EQ(StartVoiceCapture(true), kSoundOk);
  EXPECT_TRUE(IsVoiceCaptureRunning(true));
  EXPECT_FALSE(IsVoiceCaptureRunning(false)) << "it captures in a loop, not once";

  std::vector<int16_t> got;
  // Room for a whole ring: a reader held up on a loaded machine skips nothing.
  std::vector<uint8_t> buffer(CCaptureRing::kBytes);
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (got.size() / 2 < total && std::chrono::steady_clock::now() < end) {
    uint32_t frames = 0;
    if (ReadVoiceCapture(buffer.data(), CCaptureRing::kBytes, &frames)) {
      for (uint32_t i = 0; i < frames * 2; ++i) got.push_back(ReadLEInt16(buffer.data() + 2 * i));
    } else {
      EXPECT_EQ(frames, 0u);
    }
    std::this_thread::sleep_for(1ms);
  }
  ASSERT_GE(got.size() / 2, total);
  size_t wrong = 0;
  for (size_t k = 0; k < total; ++k)
    if (got[2 * k] != LeftOf(k) || got[2 * k + 1] != RightOf(k)) ++wrong;
  EXPECT_EQ(wrong, 0u);

  EXPECT_EQ(StopVoiceCapture(), kSoundOk);
  EXPECT_FALSE(IsVoiceCaptureRunning(true));
  uint32_t frames = 0;
  ReadVoiceCapture(buffer.data(), 16000, &frames);  // whatever came before the stop
  EXPECT_FALSE(ReadVoiceCapture(buffer.data(), 16000, &frames));
  EXPECT_EQ(frames, 0u);
  FreeVoiceCapture();
  EXPECT_FALSE(ReadVoiceCapture(buffer.data(), 16000, &frames));
  EXPECT_EQ(StartVoiceCapture(true), kSoundOk) << "without a capture: nothing to start";
  EXPECT_FALSE(IsVoiceCaptureRunning(true));
  EXPECT_TRUE(prompts.ShownTexts().empty());
}

}  // namespace

}  // namespace qel
