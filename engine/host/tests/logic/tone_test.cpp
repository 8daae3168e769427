// The tone's validity ranges, its period and its samples.
#include <gtest/gtest.h>

#include <vector>

#include "engine/host/Tone.h"

namespace qel {

namespace {

struct ToneCase {
  const char* name;
  int frequency;
  int rate;
  int channels;
  int period;  // 0: refused
};

class ToneRanges : public testing::TestWithParam<ToneCase> {};

TEST_P(ToneRanges, BuildsOnlyInsideTheRanges) {
  const ToneCase& c = GetParam();
  CTone tone;
  EXPECT_EQ(tone.Build(c.frequency, c.rate, c.channels), c.period != 0);
  EXPECT_EQ(tone.Period(), c.period);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToneRanges,
    testing::Values(ToneCase{"Khz1At22050", 1000, 22050, 1, 22}, ToneCase{"Hz50", 50, 22050, 1, 0},
                    ToneCase{"Hz99", 99, 22050, 1, 0}, ToneCase{"Hz100At44100", 100, 44100, 2, 441},
                    ToneCase{"Hz10000At44100", 10000, 44100, 2, 4}, ToneCase{"Hz10001", 10001, 44100, 1, 0},
                    ToneCase{"PeriodOf3", 10000, 32000, 1, 0}, ToneCase{"PeriodOf4At8000", 2000, 8000, 1, 4},
                    ToneCase{"PeriodOf2", 3000, 8000, 1, 0}, ToneCase{"Rate7999", 1000, 7999, 1, 0},
                    ToneCase{"Rate44101", 1000, 44101, 1, 0}, ToneCase{"NoChannels", 1000, 22050, 0, 0},
                    ToneCase{"ThreeChannels", 1000, 22050, 3, 0}, ToneCase{"NegativeFrequency", -1000, 22050, 1, 0}),
    [](const testing::TestParamInfo<ToneCase>& info) { return std::string(info.param.name); });

TEST(Tone, OnePeriodOnEveryChannelTruncatedTowardZero) {
  CTone tone;
  ASSERT_TRUE(tone.Build(1000, 22050, 2));
  // sin(i x 6.283184 / 22) x 4095, cut toward zero (the constant is a little
  // under two pi, so sample 11 is just above zero).
  const std::vector<int> expected = {0, 1153,  2213,  3094,  3724,  4053,  4053,  3724,  3094,  2213,  1153,
                                     0, -1153, -2213, -3094, -3724, -4053, -4053, -3724, -3094, -2213, -1153};
  for (int i = 0; i < 22; ++i) {
    EXPECT_EQ(tone.Samples()[2 * i], expected[i]) << "frame " << i;
    EXPECT_EQ(tone.Samples()[2 * i + 1], expected[i]) << "frame " << i;
  }
  const QelWaveFormat& f = tone.Format();
  EXPECT_EQ(f.formatTag, 1);
  EXPECT_EQ(f.channels, 2);
  EXPECT_EQ(f.samplesPerSec, 22050u);
  EXPECT_EQ(f.bitsPerSample, 16);
  EXPECT_EQ(f.blockAlign, 4);
  EXPECT_EQ(f.avgBytesPerSec, 88200u);
  EXPECT_EQ(f.cbSize, 0);
  EXPECT_EQ(tone.Frequency(), 1000);
  EXPECT_EQ(tone.SampleRate(), 22050);
}

TEST(Tone, ShortestPeriodPeaksJustBelowTheAmplitude) {
  CTone tone;
  ASSERT_TRUE(tone.Build(2000, 8000, 1));
  const int16_t* s = tone.Samples();
  EXPECT_EQ(s[0], 0);
  EXPECT_EQ(s[1], 4094);  // 4094.99..., truncated
  EXPECT_EQ(s[2], 0);
  EXPECT_EQ(s[3], -4094);
  EXPECT_EQ(tone.Format().blockAlign, 2);
  EXPECT_EQ(tone.Format().avgBytesPerSec, 16000u);
}

TEST(Tone, LongestPeriodFillsTheBufferOnTwoChannels) {
  CTone tone;
  ASSERT_TRUE(tone.Build(100, 44100, 2));
  EXPECT_EQ(tone.Period(), 441);
  EXPECT_LE(tone.Period() * 2, CTone::kBufferSamples);
  EXPECT_EQ(tone.Samples()[2 * 110], 4094);  // a quarter period in
}

TEST(Tone, ARefusedToneLeavesThePreviousOne) {
  CTone tone;
  ASSERT_TRUE(tone.Build(1000, 22050, 1));
  EXPECT_FALSE(tone.Build(50, 22050, 2));
  EXPECT_EQ(tone.Period(), 22);
  EXPECT_EQ(tone.Frequency(), 1000);
  EXPECT_EQ(tone.Format().channels, 1);
  EXPECT_EQ(tone.Samples()[5], 4053);
}

TEST(Tone, MakeWithoutOwnerFails) {
  CTone tone;
  EXPECT_FALSE(tone.Make(1000, 22050, 1));
}

}  // namespace

}  // namespace qel
