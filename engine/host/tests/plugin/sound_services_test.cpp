// Through the plug-in: tones, the plug-in's own samples, the program's and
// the plug-in's WAVE resources, playing, stopping and rewinding. The output
// goes to SDL's disk driver and is measured.
#include <chrono>
#include <thread>

#include "engine/host/tests/plugin/ProbeFixture.h"

namespace qel {

namespace test {
namespace {

using namespace std::chrono_literals;

class ProbeSound : public ProbeTest {
 protected:
  void SetUp() override {
    ProbeTest::SetUp();
    ASSERT_TRUE(m_audio.Opened());
  }
  void TearDown() override { EXPECT_TRUE(m_log.Shown().empty()) << m_log.Shown().front().text; }

  // Waits (in real time: the device plays in real time) until the plug-in
  // reports the sound as ended.
  bool WaitUntilSilent() {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (Call("PLAYING") == 1) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(2ms);
    }
    return true;
  }

  PromptRecorder m_log;
  DiskAudio m_audio;
};

TEST_F(ProbeSound, ToneOfAThousandHertzAt22050HasAPeriodOf22AndIsHeardAtItsPitch) {
  ASSERT_EQ(Call("TONE 1000 22050 2"), 1);
  EXPECT_EQ(m_sharedHost->Tone().Period(), 22);
  ASSERT_EQ(Call("PLAY 1"), 1);
  EXPECT_EQ(Call("PLAYING"), 1);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(Call("PLAYING"), 1) << "a looped tone plays until stopped";
  EXPECT_EQ(Call("STOP"), 1);
  EXPECT_EQ(Call("PLAYING"), 0);

  for (int channel = 0; channel < 2; ++channel) {
    const std::vector<int16_t> s = m_audio.Recorded(channel);
    const std::vector<Burst> bursts = FindBursts(s);
    ASSERT_EQ(bursts.size(), 1u) << "channel " << channel;
    const double seconds = bursts[0].Length() / DiskAudio::kRate;
    EXPECT_GT(seconds, 0.2);  // loose: played for about 0.3 s of real time
    EXPECT_LT(seconds, 2.0);
    const double expected = 22050.0 / 22;  // 1002.27 Hz: the period is whole samples
    EXPECT_NEAR(BurstFrequency(s, bursts[0], DiskAudio::kRate), expected, expected * 0.002);
  }
}

TEST_F(ProbeSound, RefusedTonesKeepTheCurrentOne) {
  ASSERT_EQ(Call("TONE 1000 22050 1"), 1);
  EXPECT_EQ(Call("TONE 50 22050 1"), 0);
  EXPECT_EQ(Call("TONE 10000 32000 1"), 0);  // N = 3
  EXPECT_EQ(Call("TONE 1000 22050 3"), 0);
  EXPECT_EQ(Call("TONE 1000 7999 1"), 0);
  EXPECT_EQ(m_sharedHost->Tone().Period(), 22);
  EXPECT_EQ(m_sharedHost->Tone().Frequency(), 1000);
}

TEST_F(ProbeSound, TheFrameworksBeepTrainPlaysFallingTonesOnTheRunClock) {
  const int32_t start = Call("TIME");
  EXPECT_GE(Call("BEEPS 2") - start, 600);  // two tones of 200 ms, each with a gap of 100 ms
  const std::vector<int16_t> s = m_audio.Recorded(0);
  const std::vector<Burst> bursts = FindBursts(s);
  ASSERT_EQ(bursts.size(), 2u);
  // 1000 Hz then 900 Hz, made with whole periods of 22 and 24 samples.
  EXPECT_NEAR(BurstFrequency(s, bursts[0], DiskAudio::kRate), 22050.0 / 22, 2.5);
  EXPECT_NEAR(BurstFrequency(s, bursts[1], DiskAudio::kRate), 22050.0 / 24, 2.5);
  for (const Burst& b : bursts) {
    EXPECT_GT(b.Length() / DiskAudio::kRate, 0.1);  // 200 ms each, loosely
    EXPECT_LT(b.Length() / DiskAudio::kRate, 0.5);
  }
}

TEST_F(ProbeSound, ThePluginsOwnSamplesPlayOnceForTheirLength) {
  ASSERT_EQ(Call("BUFFER 700 11025 2756"), 1);  // 0.25 s
  ASSERT_EQ(Call("PLAY 0"), 1);
  EXPECT_TRUE(WaitUntilSilent()) << "a sound played once ends by itself";
  const std::vector<int16_t> s = m_audio.Recorded(0);
  const std::vector<Burst> bursts = FindBursts(s);
  ASSERT_EQ(bursts.size(), 1u);
  EXPECT_NEAR(bursts[0].Length() / DiskAudio::kRate, 0.25, 0.004);
  EXPECT_NEAR(BurstFrequency(s, bursts[0], DiskAudio::kRate), 700, 2);
}

TEST_F(ProbeSound, RewindPlaysTheSoundFromItsStartAgain) {
  ASSERT_EQ(Call("BUFFER 500 22050 22050"), 1);  // 1 s
  ASSERT_EQ(Call("PLAY 0"), 1);
  std::this_thread::sleep_for(150ms);
  EXPECT_EQ(Call("STOP"), 1);
  EXPECT_EQ(Call("REWIND"), 1);
  std::this_thread::sleep_for(100ms);
  ASSERT_EQ(Call("PLAY 0"), 1);
  EXPECT_TRUE(WaitUntilSilent());
  const std::vector<int16_t> s = m_audio.Recorded(0);
  const std::vector<Burst> bursts = FindBursts(s);
  ASSERT_EQ(bursts.size(), 2u);
  EXPECT_LT(bursts[0].Length() / DiskAudio::kRate, 0.9);
  EXPECT_NEAR(bursts[1].Length() / DiskAudio::kRate, 1.0, 0.004) << "the whole sound after the rewind";
}

TEST_F(ProbeSound, WaveResourcesOfTheProgramAndOfThePlugin) {
  ASSERT_EQ(Call("WAVE 181"), 1);  // a feedback sound of the program's table
  ASSERT_EQ(Call("PLAY 0"), 1);
  EXPECT_TRUE(WaitUntilSilent());
  EXPECT_EQ(Call("WAVE 501"), 0);  // only in the plug-in's own table
  EXPECT_EQ(Call("WAVE 501 own"), 1);
  EXPECT_EQ(Call("WAVE 181 own"), 0);
  EXPECT_EQ(Call("WAVE 999"), 0);
  EXPECT_FALSE(FindBursts(m_audio.Recorded(0)).empty()) << "the feedback sound was heard";

  static const QelResourceTable kEmpty = {nullptr, 0};
  m_sharedHost->SetProgramResources(&kEmpty);
  EXPECT_EQ(Call("WAVE 181"), 0);
}

TEST_F(ProbeSound, PlayingWithoutASoundDoesNothing) {
  // A new output has no current sound.
  EXPECT_EQ(Call("PLAYING"), 0);
  EXPECT_EQ(Call("PLAY 0"), 1);
  EXPECT_EQ(Call("PLAYING"), 0);
  EXPECT_EQ(Call("STOP"), 1);
  EXPECT_EQ(Call("REWIND"), 1);
}

}  // namespace
}  // namespace test

}  // namespace qel
