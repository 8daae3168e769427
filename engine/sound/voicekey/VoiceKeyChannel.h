// The level detector of one capture channel: a peak-to-peak envelope whose
// high and low sides decay towards 0, smoothed into a level that the voice
// key compares with its threshold.
#pragma once

#include <cstdint>

namespace qel {

class CVoiceKeyChannel {
 public:
  CVoiceKeyChannel() = default;

  // Rate clamped to 8000..44100, blocks to 2..20000; divisor = rate / blocks
  // clamped to 2..2500, used for smoothing and decay alike; values reset.
  // False when anything was clamped.
  bool SetRate(int rate, int blocks);
  void Reset();
  void Feed(int16_t sample);

  int PeakToPeak() const { return m_peakToPeak; }
  int Level() const { return m_level; }
  int SmoothingDivisor() const { return m_smoothing; }
  int DecayDivisor() const { return m_decay; }
  int Rate() const { return m_rate; }
  int Blocks() const { return m_blocks; }
  int Last() const { return m_last; }
  int Low() const { return m_low; }
  int High() const { return m_high; }

 private:
  int m_peakToPeak = 0;
  int m_level = 0;
  int m_smoothing = 20;
  int m_decay = 20;
  int m_rate = 22050;
  int m_blocks = 1000;
  int m_last = 0;
  int m_low = 0;   // <= 0
  int m_high = 0;  // >= 0
};

}  // namespace qel
