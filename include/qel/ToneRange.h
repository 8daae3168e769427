// The tones the host's tone service makes (MakeTone): one period of a sine
// wave of N = sample rate / frequency samples, looped. The host refuses a
// tone outside these limits; plug-ins and their pages ask the same rule
// before they rely on a tone.
#pragma once

namespace qel {

constexpr int kToneMinFrequency = 100;  // Hz
constexpr int kToneMaxFrequency = 10000;
constexpr int kToneMinSampleRate = 8000;  // Hz
constexpr int kToneMaxSampleRate = 44100;
constexpr int kToneMinPeriod = 4;  // samples of one period
constexpr int kToneMaxPeriod = 500;

// Whether the host makes a tone of this frequency, sample rate and channel
// count (1 or 2).
constexpr bool QelToneAccepted(int frequency, int sampleRate, int channels) {
  if (frequency < kToneMinFrequency || frequency > kToneMaxFrequency) return false;
  if (sampleRate < kToneMinSampleRate || sampleRate > kToneMaxSampleRate) return false;
  if (channels != 1 && channels != 2) return false;
  const int period = sampleRate / frequency;
  return period >= kToneMinPeriod && period <= kToneMaxPeriod;
}

// The lowest and the highest frequency the host makes at a sample rate
// (0 when the rate itself is refused).
constexpr int QelToneLowestFrequency(int sampleRate) {
  if (sampleRate < kToneMinSampleRate || sampleRate > kToneMaxSampleRate) return 0;
  int f = sampleRate / (kToneMaxPeriod + 1) + 1;
  return f < kToneMinFrequency ? kToneMinFrequency : f;
}
constexpr int QelToneHighestFrequency(int sampleRate) {
  if (sampleRate < kToneMinSampleRate || sampleRate > kToneMaxSampleRate) return 0;
  const int f = sampleRate / kToneMinPeriod;
  return f > kToneMaxFrequency ? kToneMaxFrequency : f;
}

static_assert(QelToneHighestFrequency(22050) == 5512 && QelToneAccepted(5512, 22050, 2) &&
              !QelToneAccepted(5513, 22050, 2));
static_assert(QelToneLowestFrequency(22050) == 100 && !QelToneAccepted(99, 22050, 2));

}  // namespace qel
