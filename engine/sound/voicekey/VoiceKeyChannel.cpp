#include "engine/sound/voicekey/VoiceKeyChannel.h"

#include <algorithm>

namespace qel {


bool CVoiceKeyChannel::SetRate(int rate, int blocks) {
  const int r = std::clamp(rate, 8000, 44100);
  const int b = std::clamp(blocks, 2, 20000);
  const int d = std::clamp(r / b, 2, 2500);
  rate_ = r;
  blocks_ = b;
  smoothing_ = decay_ = d;
  Reset();
  return r == rate && b == blocks && d == r / b;
}

void CVoiceKeyChannel::Reset() {
  peakToPeak_ = 0;
  level_ = 0;
  last_ = 0;
  low_ = 0;
  high_ = 0;
}

void CVoiceKeyChannel::Feed(int16_t sample) {
  high_ = std::max(0, high_ - high_ / decay_);
  low_ = std::min(0, low_ - low_ / decay_);
  last_ = sample;
  high_ = std::max(high_, last_);
  low_ = std::min(low_, last_);
  peakToPeak_ = high_ - low_;
  level_ += (peakToPeak_ - level_) / smoothing_;
}

}  // namespace qel
