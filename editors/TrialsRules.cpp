#include "editors/TrialsRules.h"

#include <algorithm>
#include <cstdio>

#include "app/model/ExpModelTask.h"
#include "editors/GeneralPageRules.h"

namespace qel {

namespace {
const char* const kContinuation[] = {"Cancel", "Dummy trials", "Repeat trial", "Replace trial"};
const char* const kReplacement[] = {"No", "Rotate horizontally", "Rotate diagonally", "Swap next"};
constexpr uint32_t kNameCount = 4;
constexpr int kSliderSum = 50;
constexpr uint32_t kListsMask = 3;
constexpr uint32_t kInterruptionMask = 0x70;
constexpr uint32_t kNoScaling = 0x800;
}  // namespace

std::string ContinuationName(uint32_t value) { return value < kNameCount ? kContinuation[value] : "?"; }
std::string ReplacementName(uint32_t value) { return value < kNameCount ? kReplacement[value] : "?"; }

int ScaleToSlider(int value) { return std::clamp(kSliderSum - value, kScaleStepMin, kScaleStepMax); }

int ShownScaleStep(uint32_t taskSss) {
  const int step = static_cast<int>(taskSss & kSssScaleMask) / kScalePercentPerStep;
  return step < kScaleStepMin || step > kScaleStepMax ? kScaleStepDefault : step;
}

bool ScaleMoveTaken(int code, int step, int newStep) {
  const bool refusedGrow = newStep > step && step >= kScaleStepMax;
  const bool refusedShrink = newStep < step && step < kScaleStepMin + 1;
  switch (code) {
    case kScrollLineDown:
    case kScrollPageDown:
    case kScrollBottom:
      return !refusedGrow;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
      return !refusedGrow && !refusedShrink;
    case kScrollLineUp:
    case kScrollPageUp:
    case kScrollTop:
      return !refusedShrink;
    default:
      return false;
  }
}

uint32_t WithScaleStep(uint32_t taskSss, int step) {
  return (taskSss & ~kSssScaleMask) | (static_cast<uint32_t>(step * kScalePercentPerStep) & kSssScaleMask);
}

std::string ScaleText(uint32_t taskSss) { return std::to_string(taskSss & kSssScaleMask) + "%"; }

int CurrentTrialsRow(const CExpModelTask& task, uint32_t* shownTrials) {
  const int part = task.currentPart;
  uint32_t trials = task.GetCurrentPartTrials();
  if (trials == 0) {
    const int base = task.GetPartTableEntry(false, part + 1);
    trials = base > 0 ? static_cast<uint32_t>(base) : 0;
  }
  const int row = task.FindCodeRow(part, trials);
  if (shownTrials) *shownTrials = row >= 0 ? trials : 0;
  return row;
}

bool StepTrials(CExpModelTask& task, int delta) {
  const QelTaskDescription* description = task.GetTaskDescription();
  const int rows = task.GetCodeRowCount();
  if (!description || !description->codeRows || rows <= 0) return false;
  const int part = task.currentPart;
  const int parts = std::min(task.GetPartCount(), kMaxParts);
  if (part < 0 || part >= parts) return false;
  const int maxIdx = rows - 1;
  int idx = task.FindCodeRow(part, task.GetCurrentPartTrials());
  if (delta == -1) {
    if (idx < 1) return false;
    --idx;
  } else if (delta == 1) {
    if (idx >= maxIdx) return false;
    ++idx;
  } else {
    return false;
  }
  const uint32_t trials = description->codeRows[idx][part];
  if (task.TaskId == kSameTrialsForAllPartsTask) {
    for (int p = 0; p < parts; ++p) task.TaskPartTrials[p] = trials;
  } else {
    task.TaskPartTrials[part] = trials;
  }
  return true;
}

TrialsVisibility TrialsPageVisibility(uint32_t taskType, uint32_t taskFlags, uint32_t intrContinue) {
  TrialsVisibility v;
  v.lists = (taskFlags & kListsMask) > 1;
  v.scale = !(taskFlags & kNoScaling);
  v.interruption = ResponseTypeOf(taskType) != 0 && (taskFlags & kInterruptionMask) != 0;
  const bool dummyMode = intrContinue == kContinueDummyTrials;
  const bool replaceMode = intrContinue == kContinueReplaceTrial;
  v.afterInterruption = (v.interruption && replaceMode) || dummyMode;
  v.timed = (taskFlags & kTaskFlagTimed) != 0;
  return v;
}

std::string TrialCountText(uint32_t count) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%4d trials", static_cast<int>(count));
  return buffer;
}

}  // namespace qel
