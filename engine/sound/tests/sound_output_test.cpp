// Sound output through the disk audio driver (raw 22050 Hz 16-bit stereo in
// a file): what reaches the device is measured, not assumed.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/sound/ResourceData.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/SoundService.h"
#include "engine/sound/tests/AudioAnalysis.h"
#include "engine/sound/tests/SoundTestEnvironment.h"
#include "engine/sound/tests/WaveBytes.h"

namespace qel {

namespace {

using namespace std::chrono_literals;

constexpr double kDeviceRate = 22050;  // what the output asks for; the disk driver takes it as it is

class DiskOutput : public testing::Test {
 protected:
  void SetUp() override {
    m_output = m_folder.File("out.raw");
    setenv("SDL_DISKAUDIOFILE", m_output.c_str(), 1);
    ASSERT_EQ(InitSoundOutput(-1), kSoundOk);
  }
  void TearDown() override { FreeSoundOutput(); }

  // Closes the device (the file is then complete) and returns the left channel.
  std::vector<int16_t> Recorded(int channel = 0) {
    FreeSoundOutput();
    const auto all = test::ReadS16File(m_output);
    EXPECT_EQ(all.size() % 2, 0u);
    return test::Channel(all, 2, channel);
  }

  static bool WaitUntilSilent(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (IsCurrentSoundPlaying()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(2ms);
    }
    return true;
  }

  test::PromptRecorder m_prompts;
  test::TempFolder m_folder;
  std::string m_output;
};

// The host's tone: one period of N = rate / frequency samples,
// sin(i x 6.283184 / N) x 4095 on every channel, looped.
struct ToneCase {
  int frequency;
  int rate;
  int channels;
};

TEST_F(DiskOutput, LoopedToneHasItsFrequencyAndLastsUntilStopped) {
  const ToneCase cases[] = {{1000, 22050, 1}, {500, 11025, 2}, {1000, 44100, 2}, {440, 8000, 1}};
  for (const ToneCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.frequency << " Hz at " << c.rate << " Hz, " << c.channels << " ch");
    const std::string file = m_folder.File("tone" + std::to_string(c.rate) + ".raw");
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    m_output = file;
    ASSERT_EQ(InitSoundOutput(-1), kSoundOk);
    const int n = c.rate / c.frequency;
    std::vector<int16_t> period(static_cast<size_t>(n) * c.channels);
    for (int i = 0; i < n; ++i)
      for (int ch = 0; ch < c.channels; ++ch)
        period[static_cast<size_t>(i) * c.channels + ch] = static_cast<int16_t>(std::sin(i * 6.283184 / n) * 4095.0);
    QelWaveFormat f;
    f.channels = static_cast<uint16_t>(c.channels);
    f.samplesPerSec = static_cast<uint32_t>(c.rate);
    f.bitsPerSample = 16;
    f.blockAlign = static_cast<uint16_t>(2 * c.channels);
    f.avgBytesPerSec = f.blockAlign * f.samplesPerSec;
    ASSERT_EQ(LoadSoundFromMemory(period.data(), static_cast<uint32_t>(n), f), kSoundOk);
    ASSERT_EQ(PlayCurrentSound(true), kSoundOk);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(IsCurrentSoundPlaying()) << "a loop plays until stopped";
    StopSound();
    EXPECT_FALSE(IsCurrentSoundPlaying());

    for (int ch = 0; ch < 2; ++ch) {
      const auto s = Recorded(ch);
      const test::Span span = test::NonSilent(s, 200);
      const double seconds = span.Length() / kDeviceRate;
      EXPECT_GT(seconds, 0.1);  // loose: the device runs in real time
      EXPECT_LT(seconds, 2.0);
      const double expected = static_cast<double>(c.rate) / n;
      EXPECT_NEAR(test::ToneFrequency(s, span.first, span.end, kDeviceRate), expected, expected * 0.003);
    }
    EXPECT_TRUE(m_prompts.ShownTexts().empty());
  }
}

TEST_F(DiskOutput, WaveImagePlayedOnceHasItsLengthAndPitchAndEnds) {
  const uint32_t rate = 11025;
  const uint32_t frames = rate / 4;  // 0.25 s
  const auto image =
      test::WaveBytes{{{"fmt ", test::FmtBody(1, 1, rate, 8)}, {"data", test::Pcm8Sine(frames, rate, 700)}}}.Build();
  ASSERT_EQ(LoadWaveImage(image.data(), image.size()), kSoundOk);
  ASSERT_EQ(PlayCurrentSound(false), kSoundOk);
  EXPECT_TRUE(IsCurrentSoundPlaying());
  EXPECT_TRUE(WaitUntilSilent(5000ms)) << "a sound played once ends by itself";
  const auto s = Recorded();
  const test::Span span = test::NonSilent(s);
  EXPECT_NEAR(span.Length() / kDeviceRate, 0.25, 0.003);
  EXPECT_NEAR(test::ToneFrequency(s, span.first, span.end, kDeviceRate), 700, 2.1);
}

TEST_F(DiskOutput, FeedbackSoundWithDataBehindAnotherChunkLoadsAndPlays) {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  ASSERT_TRUE(LoadResourceData(180, "WAVE", &data, &size, nullptr));
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(std::string(reinterpret_cast<const char*>(data) + 48, 4), "data");
  ASSERT_EQ(LoadWaveImage(data, size), kSoundOk);
  ASSERT_EQ(PlayCurrentSound(false), kSoundOk);
  EXPECT_TRUE(WaitUntilSilent(5000ms));
  const test::Span span = test::NonSilent(Recorded());
  EXPECT_GT(span.Length() / kDeviceRate, 0.3);
  EXPECT_LE(span.Length() / kDeviceRate, 0.401);
}

TEST_F(DiskOutput, RefusedImageLeavesTheCurrentSoundPlaying) {
  const auto good =
      test::WaveBytes{{{"fmt ", test::FmtBody(1, 1, 22050, 16)}, {"data", test::Pcm16Sine(2205, 22050, 441)}}}.Build();
  const auto adpcm =
      test::WaveBytes{{{"fmt ", test::FmtBody(2, 1, 22050, 4, 32)}, {"data", std::vector<uint8_t>(256, 0x11)}}}.Build();
  ASSERT_EQ(LoadWaveImage(good.data(), good.size()), kSoundOk);
  ASSERT_EQ(PlayCurrentSound(true), kSoundOk);
  EXPECT_EQ(LoadWaveImage(adpcm.data(), adpcm.size()), kSoundNotPcmWave);
  EXPECT_TRUE(IsCurrentSoundPlaying());
  StopAndRewindSound();
  EXPECT_FALSE(IsCurrentSoundPlaying());
  EXPECT_TRUE(m_prompts.ShownTexts().empty()) << "a refused image shows nothing";
}

TEST_F(DiskOutput, PlayWithoutASoundDoesNothing) {
  EXPECT_EQ(PlayCurrentSound(false), kSoundOk);
  EXPECT_FALSE(IsCurrentSoundPlaying());
  StopSound();
  RewindSound();
  const test::Span span = test::NonSilent(Recorded(), 0);
  EXPECT_EQ(span.Length(), 0u);
}

TEST_F(DiskOutput, UnplayableFormatIsShownOnTheOpeningThreadAndPostedOnceFromOthers) {
  const std::vector<int16_t> samples(600, 1000);
  QelWaveFormat three;
  three.channels = 3;
  three.samplesPerSec = 22050;
  three.bitsPerSample = 16;
  three.blockAlign = 6;
  EXPECT_EQ(LoadSoundFromMemory(samples.data(), 100, three), kSoundBadFormat);
  ASSERT_EQ(m_prompts.ShownTexts().size(), 1u);
  EXPECT_NE(m_prompts.ShownTexts()[0].find("SOUND_E_BADFORMAT"), std::string::npos);
  EXPECT_FALSE(IsCurrentSoundPlaying());

  std::thread worker([&] {
    EXPECT_EQ(LoadSoundFromMemory(samples.data(), 100, three), kSoundBadFormat);
    EXPECT_EQ(LoadSoundFromMemory(samples.data(), 100, three), kSoundBadFormat);
  });
  worker.join();
  EXPECT_EQ(m_prompts.ShownTexts().size(), 1u) << "worker threads never show a message";
  EXPECT_EQ(m_prompts.PostedTexts().size(), 1u) << "and post one at most";
}

// A device that fails while a sound plays (here: writes to a full disk) is
// seen as gone: the sound no longer counts as playing, so nobody waits for
// it forever, and the next play opens the device again.
TEST(SoundOutputLost, DeviceThatGoesAwayEndsThePlayAndIsOpenedAgain) {
  test::PromptRecorder prompts;
  setenv("SDL_DISKAUDIOFILE", "/dev/full", 1);
  ASSERT_EQ(InitSoundOutput(-1), kSoundOk);
  const auto image =
      test::WaveBytes{{{"fmt ", test::FmtBody(1, 1, 22050, 16)}, {"data", test::Pcm16Sine(22050, 22050, 441)}}}.Build();
  ASSERT_EQ(LoadWaveImage(image.data(), image.size()), kSoundOk);
  ASSERT_EQ(PlayCurrentSound(true), kSoundOk);
  const auto end = std::chrono::steady_clock::now() + 5s;
  while (IsCurrentSoundPlaying() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(2ms);
  EXPECT_FALSE(IsCurrentSoundPlaying());
  EXPECT_EQ(PlayCurrentSound(false), kSoundOk);
  FreeSoundOutput();
  EXPECT_TRUE(prompts.ShownTexts().empty());
}

TEST(SoundDevices, EnumerationListsTheDefaultFirstAndRepeatsCleanly) {
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(EnumSoundDevices());
    const CSoundDeviceList& out = OutputSoundDevices();
    ASSERT_EQ(out.Count(), 2);  // the default device, then the driver's one device
    EXPECT_TRUE(out.At(0)->isDefault);
    EXPECT_EQ(out.At(0)->moduleName, "disk");
    EXPECT_FALSE(out.At(1)->isDefault);
    EXPECT_EQ(CaptureSoundDevices().Count(), 2);
    EXPECT_EQ(GetSoundDeviceName(0), "Default output device");
    EXPECT_EQ(GetSoundDeviceName(1), out.At(1)->description);
    EXPECT_FALSE(GetSoundDeviceName(1).empty());
    EXPECT_EQ(GetSoundDeviceName(2), "");
    EXPECT_EQ(GetSoundDeviceName(4), "");
    EXPECT_EQ(GetSoundDeviceName(-1), "");
  }
}

TEST(SoundDevices, NamedDeviceOpensAndAnIndexPastTheListKeepsTheChoice) {
  test::TempFolder folder;
  const std::string file = folder.File("named.raw");
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  ASSERT_TRUE(EnumSoundDevices());
  ASSERT_EQ(InitSoundOutput(1), kSoundOk);
  EXPECT_EQ(ChosenSoundOutput(), 1);
  ASSERT_EQ(InitSoundOutput(7), kSoundOk);
  EXPECT_EQ(ChosenSoundOutput(), 1);
  ASSERT_EQ(InitSoundOutput(-5), kSoundOk);
  EXPECT_EQ(ChosenSoundOutput(), -1);
  FreeSoundOutput();
  EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(SoundDeviceList, HoldsFourAndRefusesTheFifth) {
  CSoundDeviceList list;
  for (int i = 0; i < 5; ++i) {
    SoundDeviceEntry e;
    e.description = "device " + std::to_string(i) + std::string(i == 0 ? 600 : 0, 'x');
    EXPECT_EQ(list.Add(e), i < 4) << i;
  }
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.At(4), nullptr);
  EXPECT_EQ(list.At(-1), nullptr);
  EXPECT_EQ(list.At(0)->description.size(), 511u);
  EXPECT_EQ(list.At(3)->description, "device 3");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.At(0), nullptr);
}

}  // namespace

}  // namespace qel
