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

  int PeakToPeak() const { return peakToPeak_; }
  int Level() const { return level_; }
  int SmoothingDivisor() const { return smoothing_; }
  int DecayDivisor() const { return decay_; }
  int Rate() const { return rate_; }
  int Blocks() const { return blocks_; }
  int Last() const { return last_; }
  int Low() const { return low_; }
  int High() const { return high_; }

 private:
  int peakToPeak_ = 0;
  int level_ = 0;
  int smoothing_ = 20;
  int decay_ = 20;
  int rate_ = 22050;
  int blocks_ = 1000;
  int last_ = 0;
  int low_ = 0;   // <= 0
  int high_ = 0;  // >= 0
};

}  // namespace qel
