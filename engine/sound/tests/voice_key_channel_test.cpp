// The voice key's level detector and thresholds, sample by sample.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "common/ByteOrder.h"
#include "engine/sound/tests/SoundTestEnvironment.h"
#include "engine/sound/voicekey/VoiceKey.h"
#include "engine/sound/voicekey/VoiceKeyChannel.h"

namespace qel {

namespace {

TEST(VoiceKeyChannel, StartsWithDivisorsOfTwentyAndNothingHeard) {
  CVoiceKeyChannel c;
  EXPECT_EQ(c.SmoothingDivisor(), 20);
  EXPECT_EQ(c.DecayDivisor(), 20);
  EXPECT_EQ(c.Rate(), 22050);
  EXPECT_EQ(c.Blocks(), 1000);
  EXPECT_EQ(c.Level(), 0);
  EXPECT_EQ(c.PeakToPeak(), 0);
}

TEST(VoiceKeyChannel, SetRateClampsAndSaysSo) {
  struct Case {
    int rate, blocks;
    bool ok;
    int rateAfter, blocksAfter, divisor;
  } cases[] = {
      {8000, 1000, true, 8000, 1000, 8},  {44100, 20000, true, 44100, 20000, 2},
      {4000, 1000, false, 8000, 1000, 8}, {96000, 1000, false, 44100, 1000, 44},
      {8000, 1, false, 8000, 2, 2500},    {8000, 30000, false, 8000, 20000, 2},
      {8000, 5000, false, 8000, 5000, 2}, {22050, 2, false, 22050, 2, 2500},
  };
  for (const Case& k : cases) {
    CVoiceKeyChannel c;
    c.Feed(5000);
    EXPECT_EQ(c.SetRate(k.rate, k.blocks), k.ok) << k.rate << "/" << k.blocks;
    EXPECT_EQ(c.Rate(), k.rateAfter);
    EXPECT_EQ(c.Blocks(), k.blocksAfter);
    EXPECT_EQ(c.SmoothingDivisor(), k.divisor);
    EXPECT_EQ(c.DecayDivisor(), k.divisor);
    EXPECT_EQ(c.Level(), 0) << "values reset";
    EXPECT_EQ(c.High(), 0);
  }
}

// One loud sample, then silence: the level moves an eighth of the way towards
// the peak-to-peak value, which itself loses an eighth per sample.
TEST(VoiceKeyChannel, LevelAfterALoudSampleFollowsTheDecayingPeak) {
  CVoiceKeyChannel c;
  ASSERT_TRUE(c.SetRate(8000, 1000));
  const struct {
    int16_t sample;
    int high, low, peakToPeak, level;
  } steps[] = {
      {32767, 32767, 0, 32767, 4095},                                        // 0 + 32767/8
      {0, 28672, 0, 28672, 7167},                                            // high - high/8; 4095 + (28672-4095)/8
      {0, 25088, 0, 25088, 9407},                                            // 7167 + (25088-7167)/8
      {-8000, 21952, -8000, 29952, 11975}, {0, 19208, -7000, 26208, 13754},  // low - low/8
  };
  for (const auto& s : steps) {
    c.Feed(s.sample);
    EXPECT_EQ(c.High(), s.high);
    EXPECT_EQ(c.Low(), s.low);
    EXPECT_EQ(c.PeakToPeak(), s.peakToPeak);
    EXPECT_EQ(c.Level(), s.level);
    EXPECT_EQ(c.Last(), s.sample);
  }
}

TEST(VoiceKey, ThresholdLevelIsPercentOfFullScale) {
  CVoiceKey key;
  EXPECT_EQ(key.ThresholdPercent(), 50);
  EXPECT_EQ(key.ThresholdLevel(), 16383);
  const struct { int percent, level; } cases[] = {{10, 3276}, {50, 16383}, {90, 29490}, {100, 32767}};
  for (const auto& c : cases) {
    key.SetThreshold(c.percent);
    EXPECT_EQ(key.ThresholdPercent(), c.percent);
    EXPECT_EQ(key.ThresholdLevel(), c.level);
  }
}

// A 1 kHz burst after silence: at which sample the detector crosses the threshold.
TEST(VoiceKeyChannel, BurstCrossesTheThresholdWithinMillisecondsOrNever) {
  const struct {
    double amplitude;
    int percent;
    int within;  // samples after the burst's start; -1: never
  } cases[] = {
      {16000, 50, 16}, {12000, 50, 40}, {10000, 50, -1}, {10000, 40, 40},
      {20000, 90, -1}, {16000, 10, 4},  {2000, 10, -1},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << k.amplitude << " at " << k.percent << "%");
    test::Burst burst;
    burst.amplitude = k.amplitude;
    CVoiceKeyChannel c;
    ASSERT_TRUE(c.SetRate(8000, 1000));
    const int threshold = k.percent * 32767 / 100;
    int crossed = -1;
    for (size_t i = 0; i < 8000; ++i) {
      c.Feed(burst.At(i));
      if (c.Level() >= threshold) {
        crossed = static_cast<int>(i);
        break;
      }
    }
    if (k.within < 0) {
      EXPECT_EQ(crossed, -1);
    } else {
      ASSERT_GE(crossed, static_cast<int>(burst.StartFrame())) << "silence never triggers";
      EXPECT_LE(crossed - static_cast<int>(burst.StartFrame()), k.within);
    }
  }
}

// Frames as the capture gives them: 16-bit little-endian left and right.
std::vector<uint8_t> Frames(const std::vector<std::pair<int16_t, int16_t>>& samples) {
  std::vector<uint8_t> bytes(samples.size() * 4);
  for (size_t i = 0; i < samples.size(); ++i) {
    WriteLE16(&bytes[4 * i], static_cast<uint16_t>(samples[i].first));
    WriteLE16(&bytes[4 * i + 2], static_cast<uint16_t>(samples[i].second));
  }
  return bytes;
}

// Silence, then a full-scale square wave on the chosen channels from frame `from` on.
std::vector<uint8_t> Onset(size_t frames, size_t from, bool left, bool right) {
  std::vector<std::pair<int16_t, int16_t>> samples(frames);
  for (size_t i = from; i < frames; ++i) {
    const int16_t v = (i % 2 == 0) ? 30000 : -30000;
    samples[i] = {left ? v : int16_t{0}, right ? v : int16_t{0}};
  }
  return Frames(samples);
}

// The frame at which one channel's detector, fed the same samples, first
// reaches the level.
size_t FirstReaching(const std::vector<uint8_t>& bytes, int channel, int level) {
  CVoiceKeyChannel detector;
  detector.SetRate(CVoiceKey::kCaptureRate, CVoiceKey::kBlocks);
  for (size_t i = 0; i < bytes.size() / 4; ++i) {
    detector.Feed(ReadLEInt16(&bytes[4 * i + 2 * channel]));
    if (detector.Level() >= level) return i;
  }
  return SIZE_MAX;
}

// The trigger is the frame at which a channel the bits raise first reached
// the threshold, numbered from the capture's start; reads that only keep or
// add bits leave it alone.
TEST(VoiceKeyTrigger, IsTheFrameThatReachedTheThreshold) {
  constexpr uint64_t kFirstFrame = 1000;  // the read's first frame
  const struct {
    const char* name;
    bool left, right;
    uint32_t before;  // bits before the read
    bool triggers;
  } cases[] = {{"left", true, false, 0, true},
               {"right", false, true, 0, true},
               {"both", true, true, 0, true},
               {"already on", true, false, 2, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CVoiceKey key;  // never started: no device involved
    key.SetThreshold(50);
    const std::vector<uint8_t> bytes = Onset(400, 120, c.left, c.right);
    uint64_t trigger = 0;
    const uint32_t bits = key.Feed(bytes.data(), 400, kFirstFrame, c.before, &trigger);
    EXPECT_EQ(bits, (c.left ? 1u : 0u) | (c.right ? 2u : 0u));
    const size_t reached = FirstReaching(bytes, c.left ? 0 : 1, key.ThresholdLevel());
    ASSERT_GT(reached, 120u) << "the level needs some frames to rise";
    ASSERT_LT(reached, 400u);
    EXPECT_EQ(trigger, c.triggers ? kFirstFrame + reached : 0u);
  }
}

// A read whose level rises and falls again before its end gives no bits,
// so no trigger either; one that rises across two reads is timed in the
// second.
TEST(VoiceKeyTrigger, SpansReadsAndIgnoresWhatFellAgain) {
  CVoiceKey key;
  key.SetThreshold(50);
  const std::vector<uint8_t> bytes = Onset(400, 120, true, false);
  const size_t reached = FirstReaching(bytes, 0, key.ThresholdLevel());
  uint64_t trigger = 0;
  const uint32_t split = static_cast<uint32_t>(reached) - 5;
  EXPECT_EQ(key.Feed(bytes.data(), split, 0, 0, &trigger), 0u);
  EXPECT_EQ(trigger, 0u);
  EXPECT_EQ(key.Feed(bytes.data() + 4 * split, 400 - split, split, 0, &trigger), 1u);
  EXPECT_EQ(trigger, reached);
}

}  // namespace

}  // namespace qel
