#include "editors/GeneralPageRules.h"

#include <algorithm>

#include "include/qel/ModelTask.h"

namespace qel {

std::string WorkingKeysText(uint32_t taskType, uint32_t taskFlags) {
  std::string text;
  switch (ResponseTypeOf(taskType)) {
    case kResponseMouse:
      text = "-";
      break;
    case kResponseSingle:
      text = "1 key";
      break;
    case kResponseTwoChoice:
      text = "2 keys";
      break;
    default:
      text = "?";
  }
  if (taskFlags & kTaskFlagVoiceKey) text += " (voice)";
  if (taskFlags & kTaskFlagCountOmissions) text += ", always responsed";
  return text;
}

std::string KeysMappingWords(uint32_t taskType, uint32_t taskFlags) {
  switch (ResponseTypeOf(taskType)) {
    case kResponseMouse:
      return "-";
    case kResponseSingle:
      return "Both key buttons are equivalent";
    case kResponseTwoChoice:
      return (taskFlags & kTaskFlagSwapKeys) ? "Exchange left/right keys" : "Initial keys mapping";
    default:
      return "";
  }
}

bool OffersSpaceBar(uint32_t taskType, uint32_t taskFlags) {
  return ResponseTypeOf(taskType) == kResponseSingle && !(taskFlags & kTaskFlagVoiceKey);
}

int ShownThreshold(uint32_t taskSss) {
  const int stored = static_cast<int>((taskSss & kSssVoiceKeyMask) >> kSssVoiceKeyShift);
  return std::clamp(stored, kThresholdMin, kThresholdMax);
}

uint32_t SteppedVersion(uint32_t version, int delta, int versionCount) {
  if (delta == -1 && versionCount > 0 && version < static_cast<uint32_t>(versionCount)) return version + 1;
  if (delta == 1 && version > 1) return version - 1;
  return version;
}

bool ThresholdMoveTaken(int code, int position, int threshold) {
  const bool refusedDown = position < threshold && threshold <= kThresholdMin;
  const bool refusedUp = position > threshold && threshold >= kThresholdMax;
  switch (code) {
    case kScrollLineUp:
    case kScrollPageUp:
    case kScrollTop:
      return !refusedDown;
    case kScrollLineDown:
    case kScrollPageDown:
    case kScrollBottom:
      return !refusedUp;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
      return !refusedDown && !refusedUp;
    default:
      return false;
  }
}

int LevelPercent(int level) { return level * 100 / kVoiceLevelFull; }

void SetSssBit(QelTaskWords& w, uint32_t bit, bool on) { w.TaskSSS = on ? (w.TaskSSS | bit) : (w.TaskSSS & ~bit); }

}  // namespace qel
