#include "engine/host/Tone.h"

#include <cmath>

namespace qel {

bool CTone::Build(int frequency, int sampleRate, int channels) {
  if (!QelToneAccepted(frequency, sampleRate, channels)) return false;
  const int n = sampleRate / frequency;

  m_nFrequency = frequency;
  m_nSampleRate = sampleRate;
  m_nPeriod = n;
  m_format = QelWaveFormat{};
  m_format.formatTag = 1;
  m_format.channels = static_cast<uint16_t>(channels);
  m_format.samplesPerSec = static_cast<uint32_t>(sampleRate);
  m_format.bitsPerSample = 16;
  m_format.blockAlign = static_cast<uint16_t>(channels * 2);
  m_format.avgBytesPerSec = static_cast<uint32_t>(m_format.blockAlign) * m_format.samplesPerSec;
  m_format.cbSize = 0;
  for (int i = 0; i < n; ++i) {
    // Truncated toward zero, as a plain conversion does.
    const auto value = static_cast<int16_t>(std::sin(i * kTwoPi / n) * kAmplitude);
    for (int c = 0; c < channels; ++c) m_samples[i * channels + c] = value;
  }
  return true;
}

bool CTone::Make(int frequency, int sampleRate, int channels) {
  if (!Build(frequency, sampleRate, channels) || !m_pOwner) return false;
  return m_pOwner->LoadSoundBuffer(m_samples, static_cast<uint32_t>(m_nPeriod), m_format);
}

}  // namespace qel
