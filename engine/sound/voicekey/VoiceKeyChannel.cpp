#include "engine/sound/voicekey/VoiceKeyChannel.h"

#include <algorithm>

namespace qel {

bool CVoiceKeyChannel::SetRate(int rate, int blocks) {
  const int r = std::clamp(rate, 8000, 44100);
  const int b = std::clamp(blocks, 2, 20000);
  const int d = std::clamp(r / b, 2, 2500);
  m_rate = r;
  m_blocks = b;
  m_smoothing = m_decay = d;
  Reset();
  return r == rate && b == blocks && d == r / b;
}

void CVoiceKeyChannel::Reset() {
  m_peakToPeak = 0;
  m_level = 0;
  m_last = 0;
  m_low = 0;
  m_high = 0;
}

void CVoiceKeyChannel::Feed(int16_t sample) {
  m_high = std::max(0, m_high - m_high / m_decay);
  m_low = std::min(0, m_low - m_low / m_decay);
  m_last = sample;
  m_high = std::max(m_high, m_last);
  m_low = std::min(m_low, m_last);
  m_peakToPeak = m_high - m_low;
  m_level += (m_peakToPeak - m_level) / m_smoothing;
}

}  // namespace qel
