// The voice key on the disk audio driver's input file: silence, then a
// burst that triggers the channel it is on, at the burst and not before.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "common/MonotonicNs.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/tests/SoundTestEnvironment.h"
#include "engine/sound/voicekey/VoiceKey.h"
#include "engine/sound/voicekey/VoiceKeyChannel.h"

namespace qel {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Watch {
  double firstTrigger = -1;  // s after Start
  uint32_t bitsSeen = 0;
  bool clearedAfter = false;
  int maxLevel[2] = {0, 0};
};

// Starts the key on the file and watches its bits until `enough` says so
// (or 5 s pass: a loaded machine may deliver the input late, never early).
template <typename Enough>
Watch RunKey(const std::string& input, int percent, Enough enough) {
  setenv("SDL_DISKAUDIOFILEIN", input.c_str(), 1);
  Watch w;
  CVoiceKey key;
  key.SetThreshold(percent);
  if (!key.InitAndStart(-1)) {
    ADD_FAILURE() << "voice key did not start";
    return w;
  }
  const auto start = Clock::now();
  double elapsed = 0;
  while (elapsed < 5.0 && !enough(w, elapsed)) {
    const uint32_t bits = key.Bits();
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    if (bits && w.firstTrigger < 0) w.firstTrigger = elapsed;
    if (!bits && w.firstTrigger >= 0) w.clearedAfter = true;
    w.bitsSeen |= bits;
    for (int ch = 0; ch < 2; ++ch) w.maxLevel[ch] = std::max(w.maxLevel[ch], key.Level(ch));
    std::this_thread::sleep_for(200us);
  }
  EXPECT_FALSE(key.Start()) << "a running key does not start twice";
  key.Release();
  EXPECT_EQ(key.InCallbackCount(), 0);
  return w;
}

TEST(VoiceKeyDevice, BurstOnOneChannelTriggersThatChannelAtTheBurst) {
  test::PromptRecorder prompts;
  test::TempFolder folder;
  ASSERT_TRUE(EnumSoundDevices());
  const struct {
    bool left, right;
    uint32_t bits;
  } cases[] = {{true, false, 1u}, {false, true, 2u}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits);
    test::Burst burst;  // 0.5 s silence, 0.3 s of 1 kHz at 16000, then silence
    burst.left = c.left;
    burst.right = c.right;
    const std::string input = folder.File("burst" + std::to_string(c.bits) + ".raw");
    ASSERT_TRUE(test::WriteBurstFile(input, burst, 1.0));
    const Watch w = RunKey(input, 50, [](const Watch& w, double) { return w.clearedAfter; });
    EXPECT_EQ(w.bitsSeen, c.bits);
    // The input arrives no faster than real time: a trigger before the burst
    // could only come from the silence.
    EXPECT_GE(w.firstTrigger, burst.startSeconds - 0.01);
    EXPECT_TRUE(w.clearedAfter) << "the bit falls again after the burst";
  }
  EXPECT_TRUE(prompts.ShownTexts().empty());
}

TEST(VoiceKeyDevice, BurstBelowTheThresholdNeverTriggers) {
  test::TempFolder folder;
  ASSERT_TRUE(EnumSoundDevices());
  test::Burst burst;
  burst.right = true;
  burst.amplitude = 20000;  // level about 28000: below 90 % (29490)
  const std::string input = folder.File("quiet.raw");
  ASSERT_TRUE(test::WriteBurstFile(input, burst, 1.0));
  // Watch until the burst has been heard at its full level and a while after.
  double heard = -1;
  const Watch w = RunKey(input, 90, [&heard](const Watch& w, double t) {
    if (heard < 0 && std::min(w.maxLevel[0], w.maxLevel[1]) > 25000) heard = t;
    return heard >= 0 && t > heard + 0.4;
  });
  EXPECT_EQ(w.bitsSeen, 0u);
  EXPECT_GT(w.maxLevel[0], 25000) << "the burst was heard";
  EXPECT_GT(w.maxLevel[1], 25000);
  EXPECT_LT(w.maxLevel[0], 29490);
}

TEST(VoiceKeyDevice, RestartReadsOnlyNewInput) {
  test::TempFolder folder;
  ASSERT_TRUE(EnumSoundDevices());
  test::Burst burst;
  burst.startSeconds = 0.1;
  burst.seconds = 0.2;
  const std::string input = folder.File("early.raw");
  ASSERT_TRUE(test::WriteBurstFile(input, burst, 2.0));
  setenv("SDL_DISKAUDIOFILEIN", input.c_str(), 1);
  CVoiceKey key;
  ASSERT_TRUE(key.InitAndStart(-1));
  const auto end = Clock::now() + 3s;
  while (!key.Bits() && Clock::now() < end) std::this_thread::sleep_for(1ms);
  ASSERT_NE(key.Bits(), 0u);
  std::this_thread::sleep_for(600ms);  // the burst is over
  key.Stop();
  EXPECT_FALSE(key.IsRunning());
  ASSERT_TRUE(key.Start()) << "the key restarts at every signal";
  EXPECT_EQ(key.Bits(), 0u) << "bits and levels start at 0";
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(key.Bits(), 0u) << "what was heard before the restart is not heard again";
  key.Close();
}

// The trigger on the disk driver's input: the frame that took the level over
// the threshold, as the detector fed the file's samples directly finds it,
// and its capture time, which lies after the capture's start and before the
// bits were seen.
TEST(VoiceKeyDevice, TheTriggerIsTheSampleThatCrossedTheThreshold) {
  test::TempFolder folder;
  ASSERT_TRUE(EnumSoundDevices());
  test::Burst burst;  // 0.5 s silence, 0.3 s of 1 kHz on the left
  const std::string input = folder.File("trigger.raw");
  ASSERT_TRUE(test::WriteBurstFile(input, burst, 1.0));
  setenv("SDL_DISKAUDIOFILEIN", input.c_str(), 1);

  CVoiceKey key;
  key.SetThreshold(50);
  size_t expectedFrame = 0;
  {
    CVoiceKeyChannel detector;
    detector.SetRate(CVoiceKey::kCaptureRate, CVoiceKey::kBlocks);
    while (detector.Level() < key.ThresholdLevel()) detector.Feed(burst.At(expectedFrame++));
    --expectedFrame;
  }
  ASSERT_GT(expectedFrame, burst.StartFrame());

  const int64_t started = MonotonicNowNs();
  ASSERT_TRUE(key.InitAndStart(-1));
  int64_t ns = 0;
  EXPECT_FALSE(key.TriggerNs(&ns)) << "no trigger before any sound";
  const auto end = Clock::now() + 5s;
  while (!key.Bits() && Clock::now() < end) std::this_thread::sleep_for(200us);
  const int64_t seen = MonotonicNowNs();
  ASSERT_EQ(key.Bits(), 1u);
  ASSERT_TRUE(key.TriggerNs(&ns));
  EXPECT_EQ(key.TriggerFrame(), expectedFrame);
  EXPECT_GT(ns, started);
  EXPECT_LE(ns, seen);
  key.Stop();
  ASSERT_TRUE(key.Start());
  EXPECT_FALSE(key.TriggerNs(&ns)) << "a restart forgets the trigger";
  key.Release();
}

}  // namespace

}  // namespace qel
