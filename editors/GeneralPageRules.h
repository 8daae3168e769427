// The General page's rules: the texts of a task's keys and type, the
// version step, the voice-key threshold and the voice-key test's levels.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

struct QelTaskWords;

constexpr int kThresholdMin = 10;
constexpr int kThresholdMax = 90;
constexpr int kThresholdTick = 10;
constexpr int kVoiceTestLengthMs = 60000;
constexpr int kVoiceLevelFull = 32767;

// "-", "1 key", "2 keys" or "?", then " (voice)" for a voice-key task and
// ", always responsed" for a task that always expects a response.
std::string WorkingKeysText(uint32_t taskType, uint32_t taskFlags);
// The keys mapping in words ("" for an unknown number of keys).
std::string KeysMappingWords(uint32_t taskType, uint32_t taskFlags);
// The space-bar option is offered for a one-key task without voice key.
bool OffersSpaceBar(uint32_t taskType, uint32_t taskFlags);

// The stored threshold limited to 10..90.
int ShownThreshold(uint32_t taskSss);
// The new version for an up-down step (-1 up, +1 down); the same when refused.
uint32_t SteppedVersion(uint32_t version, int delta, int versionCount);

// Scroll codes of a slider.
enum ScrollCode : int {
  kScrollLineUp = 0,
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
  kScrollTop = 6,
  kScrollBottom = 7,
};
// Whether a threshold slider move to position p is taken.
bool ThresholdMoveTaken(int code, int position, int threshold);

// A channel level (0..32767) in percent.
int LevelPercent(int level);

// Bits of the option words the page edits.
void SetSssBit(QelTaskWords& w, uint32_t bit, bool on);

}  // namespace qel
