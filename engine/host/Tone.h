// A synthetic tone: one period of a sine wave that is looped as the current
// sound. Made by the task host for plug-ins that ask for a tone.
#pragma once

#include <cstdint>

#include "include/qel/TaskHostInterface.h"
#include "include/qel/ToneRange.h"

namespace qel {

class CTone {
 public:
  static constexpr int kBufferSamples = 2 * kToneMaxPeriod;  // the longest period on two channels
  static constexpr double kTwoPi = 6.283184;
  static constexpr double kAmplitude = 4095.0;

  explicit CTone(ITaskHost* owner = nullptr) : m_pOwner(owner) {}

  // Builds the period for the frequency, sample rate and channel count.
  // False, leaving the tone as it was, for a tone the shared rule refuses
  // (include/qel/ToneRange.h): a frequency outside 100..10000 Hz, a rate
  // outside 8000..44100 Hz, other than 1 or 2 channels, or a period
  // N = rate / frequency outside 4..500 samples.
  bool Build(int frequency, int sampleRate, int channels);
  // Build, then the period becomes the owner's current sound (its
  // LoadSoundBuffer); false when either fails or there is no owner.
  bool Make(int frequency, int sampleRate, int channels);

  void SetOwner(ITaskHost* owner) { m_pOwner = owner; }
  int Frequency() const { return m_nFrequency; }
  int SampleRate() const { return m_nSampleRate; }
  int Period() const { return m_nPeriod; }  // N, frames of one period
  const int16_t* Samples() const { return m_samples; }
  const QelWaveFormat& Format() const { return m_format; }

 private:
  ITaskHost* m_pOwner;
  int m_nFrequency = 0;
  int m_nSampleRate = 0;
  int m_nPeriod = 0;
  int16_t m_samples[kBufferSamples] = {};
  QelWaveFormat m_format{};
};

}  // namespace qel
