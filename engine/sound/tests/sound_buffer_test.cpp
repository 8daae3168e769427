// The current sound rendered into a device buffer, without a device:
// conversion to the device format keeps pitch and length, a sound played
// once ends and stands at its start, a loop repeats seamlessly.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/ByteOrder.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/tests/AudioAnalysis.h"
#include "engine/sound/tests/WaveBytes.h"

namespace qel {

namespace {

SDL_AudioSpec DeviceSpec(int rate) {
  SDL_AudioSpec s{};
  s.freq = rate;
  s.format = AUDIO_S16SYS;
  s.channels = 2;
  s.silence = 0;
  return s;
}

QelWaveFormat Format(uint16_t channels, uint32_t rate, uint16_t bits) {
  QelWaveFormat f;
  f.channels = channels;
  f.samplesPerSec = rate;
  f.bitsPerSample = bits;
  f.blockAlign = static_cast<uint16_t>(channels * bits / 8);
  f.avgBytesPerSec = rate * f.blockAlign;
  return f;
}

// Renders in device-sized pieces until the sound stops (or `frames` device frames).
std::vector<int16_t> Render(CSoundBuffer& sound, size_t frames, int pieceFrames = 256) {
  std::vector<int16_t> out;
  std::vector<uint8_t> piece(static_cast<size_t>(pieceFrames) * 4);
  while (out.size() / 2 < frames) {
    sound.Render(piece.data(), static_cast<int>(piece.size()));
    for (size_t i = 0; i + 1 < piece.size(); i += 2) out.push_back(ReadLEInt16(piece.data() + i));
  }
  return out;
}

struct OnceCase {
  uint16_t channels;
  uint32_t rate;
  uint16_t bits;
  int deviceRate;
};

TEST(SoundBuffer, PlayedOnceKeepsPitchAndLengthInEveryDeviceFormat) {
  const OnceCase cases[] = {
      {1, 11025, 8, 22050}, {1, 22050, 16, 22050}, {1, 44100, 16, 22050}, {2, 22050, 16, 22050},
      {1, 8000, 16, 22050}, {1, 11025, 8, 48000},  {2, 44100, 16, 48000}, {1, 22050, 8, 44100},
  };
  for (const OnceCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.channels << "ch " << c.rate << "Hz " << c.bits << "bit -> " << c.deviceRate);
    const double seconds = 0.25;
    const double freq = 700;
    const uint32_t frames = static_cast<uint32_t>(seconds * c.rate);
    std::vector<uint8_t> mono =
        c.bits == 8 ? test::Pcm8Sine(frames, c.rate, freq) : test::Pcm16Sine(frames, c.rate, freq);
    std::vector<uint8_t> data;
    const size_t bps = c.bits / 8;
    for (uint32_t i = 0; i < frames; ++i)
      for (int ch = 0; ch < c.channels; ++ch)
        data.insert(data.end(), mono.begin() + i * bps, mono.begin() + (i + 1) * bps);

    std::unique_ptr<CSoundBuffer> sound;
    ASSERT_EQ(CSoundBuffer::Create(Format(c.channels, c.rate, c.bits), data.data(), data.size(),
                                   DeviceSpec(c.deviceRate), sound, nullptr),
              kSoundOk);
    sound->Play(false);
    const auto out =
        Render(*sound, static_cast<size_t>(c.deviceRate));  // a whole second: the sound and silence after it
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_EQ(sound->Position(), 0u);
    for (int ch = 0; ch < 2; ++ch) {
      const auto channel = test::Channel(out, 2, ch);
      const test::Span span = test::NonSilent(channel);
      EXPECT_NEAR(static_cast<double>(span.Length()) / c.deviceRate, seconds, 0.003);
      EXPECT_NEAR(test::ToneFrequency(channel, span.first, span.end, c.deviceRate), freq, freq * 0.003);
    }
  }
}

// A looped single period (how tones are made) repeats without a seam: the
// pitch is the period's, whatever the device rate.
TEST(SoundBuffer, LoopedPeriodKeepsItsPitch) {
  struct Case {
    uint32_t rate;
    int n;
    int deviceRate;
  } cases[] = {{22050, 22, 22050}, {8000, 18, 22050}, {44100, 44, 22050}, {11025, 25, 48000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rate << "/" << c.n << " -> " << c.deviceRate);
    std::vector<uint8_t> period;
    for (int i = 0; i < c.n; ++i)
      AppendLE16(period, static_cast<uint16_t>(static_cast<int16_t>(std::sin(i * 6.283184 / c.n) * 4095.0)));
    std::unique_ptr<CSoundBuffer> sound;
    ASSERT_EQ(CSoundBuffer::Create(Format(1, c.rate, 16), period.data(), period.size(), DeviceSpec(c.deviceRate), sound,
                                   nullptr),
              kSoundOk);
    sound->Play(true);
    const auto out = Render(*sound, static_cast<size_t>(c.deviceRate) / 2);
    EXPECT_TRUE(sound->IsPlaying());
    const auto left = test::Channel(out, 2, 0);
    const test::Span span = test::NonSilent(left, 100);
    EXPECT_LE(span.first, 3u) << "a loop starts at once (its first sample is 0)";
    EXPECT_GE(span.end, left.size() - 2);
    const double expected = static_cast<double>(c.rate) / c.n;
    EXPECT_NEAR(test::ToneFrequency(left, 0, left.size(), c.deviceRate), expected, expected * 0.001);
  }
}

TEST(SoundBuffer, StopKeepsThePositionRewindGoesBackToTheStart) {
  const auto data = test::Pcm16Sine(22050, 22050, 500);
  std::unique_ptr<CSoundBuffer> sound;
  ASSERT_EQ(CSoundBuffer::Create(Format(1, 22050, 16), data.data(), data.size(), DeviceSpec(22050), sound, nullptr),
            kSoundOk);
  std::vector<uint8_t> piece(1024);
  sound->Render(piece.data(), 1024);
  EXPECT_EQ(std::count(piece.begin(), piece.end(), 0), 1024) << "silence before Play";
  sound->Play(false);
  sound->Render(piece.data(), 1024);
  EXPECT_TRUE(sound->IsPlaying());
  sound->Stop();
  const size_t at = sound->Position();
  EXPECT_GT(at, 0u);
  sound->Render(piece.data(), 1024);
  EXPECT_EQ(std::count(piece.begin(), piece.end(), 0), 1024) << "silence after Stop";
  EXPECT_EQ(sound->Position(), at);
  EXPECT_FALSE(sound->IsPlaying());
  sound->Rewind();
  EXPECT_EQ(sound->Position(), 0u);
}

TEST(SoundBuffer, RefusesWhatItCannotPlay) {
  const std::vector<uint8_t> data(100, 0x80);
  std::unique_ptr<CSoundBuffer> sound;
  EXPECT_EQ(CSoundBuffer::Create(Format(1, 22050, 16), nullptr, 100, DeviceSpec(22050), sound, nullptr),
            kSoundInvalidArg);
  EXPECT_EQ(CSoundBuffer::Create(Format(2, 22050, 16), data.data(), 3, DeviceSpec(22050), sound, nullptr),
            kSoundInvalidArg);
  EXPECT_EQ(CSoundBuffer::Create(Format(3, 22050, 16), data.data(), 100, DeviceSpec(22050), sound, nullptr),
            kSoundBadFormat);
  QelWaveFormat adpcm = Format(1, 22050, 16);
  adpcm.formatTag = 2;
  EXPECT_EQ(CSoundBuffer::Create(adpcm, data.data(), 100, DeviceSpec(22050), sound, nullptr), kSoundBadFormat);
  EXPECT_EQ(sound, nullptr);
  // A trailing partial frame is dropped.
  ASSERT_EQ(CSoundBuffer::Create(Format(2, 22050, 16), data.data(), 99, DeviceSpec(22050), sound, nullptr), kSoundOk);
  EXPECT_EQ(sound->Bytes(), 96u);
}

}  // namespace

}  // namespace qel
