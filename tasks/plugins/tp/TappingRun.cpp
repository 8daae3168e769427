// One self-timed part: wait for Space (at most 2 s), a start beep, tapping
// until the part's time is up, two stop beeps. The keys are polled without
// pause, and before each look the host takes the next key event in, so a
// tap that began and ended between two looks (the thread held up by its
// drawing or by the system) still counts, at its own time; every time is
// the host's run clock, so the part runs on any clock the host has.
#include <algorithm>

#include "tasks/plugins/tp/TappingTask.h"

namespace qel {

uint32_t CTaskTapping::ReadTapKeys() {
  uint32_t keys = m_host->ReadButtons() & (kKeyLeft | kKeyRight);
  switch (m_partIndex) {
    case kPartLeft:
      // Left Ctrl or Shift, or Space, is the left key.
      if (m_host->GetResponseKeys() & (1u | 4u)) keys |= kKeyLeft;
      break;
    case kPartRight:
      if (m_host->GetResponseKeys() & (2u | 4u)) keys |= kKeyRight;
      break;
    default:
      keys |= m_host->GetShiftCtrlKeys() & (kKeyLeft | kKeyRight);
      break;
  }
  return keys;
}

uint32_t CTaskTapping::TakeLook(uint32_t previous) {
  const uint32_t now = GetRunTime();
  uint32_t eventMs = 0;
  const uint32_t look = m_host->NextInputEvent(&eventMs) ? std::min(eventMs, now) : now;
  // An event logged just after the previous look may be stamped just before it.
  return std::max(look, previous);
}

bool CTaskTapping::StopPart(int part, bool breakFlag) {
  if (breakFlag) m_host->breakFlag = 1;
  if (part >= 0 && part < kMaxParts) m_runContext->trialCounts[part] = 0;
  EndRun();
  return false;
}

bool CTaskTapping::RunSelfTimed(ITaskRunData* runData) {
  if (!m_host || !m_runContext) return false;
  if (!BeginRun(runData)) return StopPart(m_runContext->currentPart, false);
  const int part = m_partIndex;

  uint32_t seconds = m_runContext->TaskPartTrials[part];
  if (m_practice) seconds = kPracticeSeconds;
  else seconds = std::min(seconds, kMaxSeconds);

  if (WaitKeyUntil(GetRunTime() + kStartWaitMs) == kScanEscape) return StopPart(part, true);
  if (seconds == 0) return StopPart(part, false);

  BeepTrain(1);
  const bool shown = CountersShown();
  int left = 0;
  int right = 0;
  if (shown) ShowCounters(left, right);

  // Until the first tap; the first entry's time counts from here.
  uint32_t reference = GetRunTime();
  uint32_t now = reference;
  uint32_t keys = 0;
  for (;;) {
    now = TakeLook(now);
    if (PollKey() == kScanEscape) return StopPart(part, true);
    keys = ReadTapKeys();
    if (keys != 0) break;
  }

  const uint32_t recordStart = now + (m_practice ? 0 : kLeadInMs);
  const uint32_t end = recordStart + seconds * 1000;
  const int maxEntries = MaxEntries(seconds);
  int32_t* categories = runData->category[part];
  int32_t* reactionTimes = runData->reactionTime[part];
  int32_t* leftCounts = runData->responseCode[part];
  int32_t* rightCounts = runData->taskCategory[part];
  int stored = 0;
  uint32_t previous = 0;
  for (;;) {
    if (keys != previous) {
      const uint32_t changed = keys ^ previous;
      if (shown) {
        const uint32_t pressed = keys & changed;
        if (pressed & kKeyLeft) ++left;
        if (pressed & kKeyRight) ++right;
        ShowCounters(left, right);
      }
      // The first stored entry is a press: recording never opens on a release.
      if (now >= recordStart && stored < maxEntries && (stored > 0 || keys != 0)) {
        categories[stored] = static_cast<int32_t>(keys | (changed << kChangedShift));
        reactionTimes[stored] = static_cast<int32_t>(now - reference);
        leftCounts[stored] = left;
        rightCounts[stored] = right;
        ++stored;
      }
      reference = now;
      previous = keys;
    }
    now = TakeLook(now);
    if (now > end) break;
    if (PollKey() == kScanEscape) return StopPart(part, true);
    keys = ReadTapKeys();
  }

  BeepTrain(2);
  m_runContext->trialCounts[part] = static_cast<uint32_t>(stored);
  EndRun();
  return true;
}

}  // namespace qel
