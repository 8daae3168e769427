// No sound device: each layer reports its failure once, later calls fail
// quietly, and the program goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/sound/SoundDevices.h"
#include "engine/sound/SoundService.h"
#include "engine/sound/capture/VoiceCapture.h"
#include "engine/sound/tests/SoundTestEnvironment.h"
#include "engine/sound/tests/WaveBytes.h"
#include "engine/sound/voicekey/VoiceKey.h"

namespace qel {

namespace {

size_t Count(const std::vector<std::string>& v, const std::string& start) {
  return static_cast<size_t>(
      std::count_if(v.begin(), v.end(), [&](const std::string& s) { return s.rfind(start, 0) == 0; }));
}

void UseEverything() {
  const auto image =
      test::WaveBytes{{{"fmt ", test::FmtBody(1, 1, 22050, 16)}, {"data", test::Pcm16Sine(441, 22050, 500)}}}.Build();
  EXPECT_EQ(LoadWaveImage(image.data(), image.size()), kSoundNotInitialized);
  EXPECT_EQ(PlayCurrentSound(true), kSoundOk);
  EXPECT_FALSE(IsCurrentSoundPlaying());
  StopAndRewindSound();
  EXPECT_EQ(StartVoiceCapture(true), kSoundOk);
  EXPECT_FALSE(IsVoiceCaptureRunning(true));
  uint32_t frames = 5;
  uint8_t buffer[64];
  EXPECT_FALSE(ReadVoiceCapture(buffer, sizeof buffer, &frames));
  EXPECT_EQ(frames, 0u);
}

// No audio driver at all.
TEST(NoSoundDevice, EachLayerReportsOnceAndTheProgramGoesOn) {
  ShutdownSound();
  setenv("SDL_AUDIODRIVER", "qel-no-such-driver", 1);
  test::PromptRecorder prompts;

  EXPECT_FALSE(EnumSoundDevices());
  EXPECT_EQ(OutputSoundDevices().Count(), 0);
  EXPECT_EQ(GetSoundDeviceName(0), "");
  EXPECT_NE(InitSoundOutput(0), kSoundOk);
  CVoiceKey key;
  EXPECT_FALSE(key.InitAndStart(0));
  EXPECT_EQ(key.Bits(), 0u);
  UseEverything();
  std::thread worker(UseEverything);
  worker.join();
  key.Start();  // the beat may run, but there is nothing to hear
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(key.Bits(), 0u);
  EXPECT_EQ(key.Level(0), 0);
  key.Close();

  const auto shown = prompts.ShownTexts();
  EXPECT_EQ(shown.size(), 3u);
  EXPECT_EQ(Count(shown, "DirectSoundEnum\nSOUND_E_NODRIVER"), 1u);
  EXPECT_EQ(Count(shown, "Error initializing DirectSound\nSOUND_E_NODRIVER"), 1u);
  EXPECT_EQ(Count(shown, "Audio input unavailable!\r\nIs microphone plugged in?"), 1u);
  EXPECT_TRUE(prompts.PostedTexts().empty());
  ShutdownSound();
}

// A driver that is there, but the devices cannot be opened.
TEST(NoSoundDevice, DevicesThatCannotOpenAreReportedOnce) {
  ShutdownSound();
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/nonexistent-folder/qel/out.raw", 1);
  setenv("SDL_DISKAUDIOFILEIN", "/nonexistent-folder/qel/in.raw", 1);
  test::PromptRecorder prompts;

  EXPECT_TRUE(EnumSoundDevices());
  EXPECT_EQ(InitSoundOutput(0), kSoundDeviceFailed);
  CVoiceKey key;
  EXPECT_FALSE(key.InitAndStart(0));
  UseEverything();
  std::thread worker(UseEverything);
  worker.join();

  const auto shown = prompts.ShownTexts();
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(Count(shown, "Error initializing DirectSound\nSOUND_E_DEVICEFAILED: "), 1u);
  EXPECT_EQ(Count(shown, "Error DirectSoundCaptureCreate\nSOUND_E_DEVICEFAILED: "), 1u);
  EXPECT_TRUE(prompts.PostedTexts().empty());
  ShutdownSound();
}

}  // namespace

}  // namespace qel
