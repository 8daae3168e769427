// The WAVE resources the program ships: each in the format its users
// expect, audible, not clipped, and of the intended length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "common/ByteOrder.h"
#include "engine/sound/ResourceData.h"
#include "engine/sound/WaveImage.h"

namespace qel {

namespace {

struct Expected {
  uint32_t id;
  uint16_t channels;
  uint32_t rate;
  uint16_t bits;
  double minSeconds, maxSeconds;
  size_t dataChunkAt;  // 0: anywhere
};

TEST(ProgramSounds, EachHasItsFormatAndLength) {
  const Expected table[] = {
      {179, 1, 11025, 8, 0.05, 0.5, 36}, {180, 1, 22050, 16, 0.05, 0.5, 48}, {181, 1, 44100, 16, 0.05, 0.5, 36},
      {182, 1, 22050, 8, 0.02, 0.5, 36}, {183, 1, 11025, 8, 0.05, 0.5, 36},  {143, 2, 22050, 16, 1.85, 1.95, 0},
      {151, 1, 11025, 8, 0.95, 1.05, 0},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.id);
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(LoadResourceData(e.id, "WAVE", &data, &size, nullptr));
    WaveImage wave;
    ASSERT_EQ(ParseWaveImage(data, size, wave), kSoundOk);
    EXPECT_EQ(wave.format.channels, e.channels);
    EXPECT_EQ(wave.format.samplesPerSec, e.rate);
    EXPECT_EQ(wave.format.bitsPerSample, e.bits);
    EXPECT_TRUE(IsPlayablePcmFormat(wave.format));
    EXPECT_EQ(wave.format.avgBytesPerSec, e.rate * wave.format.blockAlign);
    if (e.dataChunkAt) {
      EXPECT_EQ(FindWaveChunk(data, size, "data") - data, static_cast<ptrdiff_t>(e.dataChunkAt));
    }
    const double seconds = static_cast<double>(wave.bytes) / wave.format.blockAlign / e.rate;
    EXPECT_GE(seconds, e.minSeconds);
    EXPECT_LE(seconds, e.maxSeconds);

    int peak = 0;
    size_t fullScale = 0;
    const size_t samples = wave.bytes / (e.bits / 8);
    for (size_t i = 0; i < samples; ++i) {
      const int v = e.bits == 8 ? (wave.data[i] - 128) * 256 : ReadLEInt16(wave.data + 2 * i);
      peak = std::max(peak, std::abs(v));
      if (std::abs(v) >= 32512) ++fullScale;
    }
    EXPECT_GT(peak, 8000) << "audible";
    EXPECT_EQ(fullScale, 0u) << "never clipped";
    // It starts and ends quietly: no click at either end.
    const auto at = [&](size_t frame) {
      const size_t i = frame * e.channels;
      return e.bits == 8 ? std::abs((wave.data[i] - 128) * 256) : std::abs(ReadLEInt16(wave.data + 2 * i));
    };
    const size_t frames = wave.bytes / wave.format.blockAlign;
    EXPECT_LT(at(0), 1024);
    EXPECT_LT(at(frames - 1), 1024);
  }
}

TEST(ProgramSounds, MissingResourceGivesNothing) {
  const uint8_t* data = reinterpret_cast<const uint8_t*>(1);
  uint32_t size = 7;
  EXPECT_FALSE(LoadResourceData(184, "WAVE", &data, &size, nullptr));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_FALSE(LoadResourceData(180, "TEXT", &data, &size, nullptr));
  static const QelResourceTable empty{nullptr, 0};
  EXPECT_FALSE(LoadResourceData(180, "WAVE", &data, &size, &empty));
}

}  // namespace

}  // namespace qel
