// The self-timed part: each series waits for the operator's Space, is shown
// after a beep, and is answered until the operator's Space; Escape at any
// step opens the break dialog. After Continue a warm-up series (not
// stored) is shown and the interrupted trial runs again from its start.
#include <algorithm>
#include <cstdio>

#include "tasks/plugins/vss/VssScoring.h"
#include "tasks/plugins/vss/VssTables.h"
#include "tasks/plugins/vss/VssTask.h"

namespace qel {

bool CTaskVisuoSpatialSequencing::PresentSequence(const char* code) {
  ShowBoard(m_centreX, m_centreY, -1, false, false);
  BeepTrain(1);
  const bool hand = m_pointerType == 0;
  if (WaitKeyUntil(GetRunTime() + kLeadInMs) == kScanEscape) return false;
  std::fill(std::begin(m_sequence), std::end(m_sequence), 0);
  for (int i = 0; i < kCircles && code; ++i) {
    const char c = code[i];
    if (c < '1' || c > '9') break;
    const int index = MapSeriesIndex(m_versionIndex + 1, c - '1');
    m_sequence[i] = index + 1;
    ++m_shownCount;
    if (WaitKeyUntil(GetRunTime() + m_showInterval) == kScanEscape) return false;
    ShowBoard(m_centreX, m_centreY, index, hand, false);
    if (WaitKeyUntil(GetRunTime() + m_showDuration) == kScanEscape) return false;
    ShowBoard(m_centreX, m_centreY, -1, hand, false);
  }
  return true;
}

int CTaskVisuoSpatialSequencing::RespondToSeries(int trial, int startX, bool store, bool spaceEnds) {
  int dx = 0;
  int dy = 0;
  m_host->GetMouseDelta(&dx, &dy);  // movement made during the presentation does not count
  int x = startX;
  int y = m_centreY;
  uint32_t t0 = GetRunTime();
  int held = 0;
  ShowBoard(x, y, -1, false, true);
  // A key still down from the presentation (Space cutting a wait short) is
  // not the end of the answer: only a new press ends it.
  bool released = PollKey() == 0;
  for (;;) {
    const int key = PollKey();
    if (key == 0) {
      released = true;
    } else if (released && (key == kScanEscape || spaceEnds)) {
      return key;
    }
    const int oldX = x;
    const int oldY = y;
    MovePointer(x, y);
    const bool pressed = (m_host->ReadButtons() & 3u) != 0;
    const int circle = pressed ? HitTestCircle(x, y) : 0;
    int nowHeld = held;
    if (circle != 0) {
      if (held == 0) {
        nowHeld = circle;
        const uint32_t now = GetRunTime();
        if (store && m_entries < kMaxResponses) {
          m_categories[m_entries] = trial;
          m_reactionTimes[m_entries] = static_cast<int32_t>(now - t0);
          m_codes[m_entries] = circle;
          ++m_entries;
        }
        t0 = now;
      }
    } else {
      nowHeld = 0;
    }
    if (x != oldX || y != oldY || nowHeld != held) ShowBoard(x, y, nowHeld - 1, false, true);
    held = nowHeld;
  }
}

void CTaskVisuoSpatialSequencing::OpenBreak() {
  char title[96];
  std::snprintf(title, sizeof title, "Trial %d from %d: %s", m_currentTrial + 1, m_trialsToRun, "User Break!");
  m_breakPending = OpenBreakDialog(title, &CTaskVisuoSpatialSequencing::RestoreBoard);
  ShowBoard(m_centreX, m_centreY, -1, false, false);
}

bool CTaskVisuoSpatialSequencing::RunSelfTimed(ITaskRunData* runData) {
  if (!m_host || !m_runContext || !runData) return false;
  if (!BeginRun(runData)) {
    m_runContext->trialCounts[0] = 0;
    EndRun();
    return false;
  }
  m_categories = runData->category[0];
  m_reactionTimes = runData->reactionTime[0];
  m_codes = runData->responseCode[0];
  m_trialsToRun = m_practice ? vss::kPracticeTrials : vss::kTestTrials;
  const char(*list)[kTrialCodeSize] = m_practice ? vss::kPracticeList : vss::kTestList;
  m_currentTrial = 0;
  m_entries = 0;
  int kept = 0;
  bool replay = false;
  bool result = true;
  m_breakPending = false;

  while (m_currentTrial < m_trialsToRun) {
    if (m_breakPending) {
      const BreakAnswer answer = PollBreakDialog();
      if (answer == BreakAnswer::kContinue) {
        ShowBoard(m_centreX, m_centreY, -1, false, false);
        replay = true;
        m_breakPending = false;
      } else if (answer == BreakAnswer::kStop) {
        m_entries = kept;
        result = false;
        break;
      } else {
        m_host->SleepMs(1);
      }
      continue;
    }
    // The operator starts the series with Space; Escape at any step of
    // the trial opens the break dialog, and when none can open the part stops.
    bool escaped = WaitSpaceChange() == kScanEscape;
    if (!escaped) escaped = !PresentSequence(replay ? vss::kWarmUpList[0] : list[m_currentTrial]);
    if (!escaped) {
      if (!replay) {
        for (int m = 0; m < kCircles && m_entries < kMaxResponses; ++m) {
          m_categories[m_entries] = m_currentTrial;
          m_reactionTimes[m_entries] = 0;
          m_codes[m_entries] = m_sequence[m];
          ++m_entries;
        }
      }
      // Odd trials start right of the centre, even ones left; a practice run the other way.
      int side = (m_currentTrial % 2 == 1) ? 1 : -1;
      if (m_practice) side = -side;
      escaped = RespondToSeries(m_currentTrial, m_centreX + side * (m_spacing / 2), !replay, true) == kScanEscape;
    }
    if (escaped) {
      OpenBreak();
      if (!m_breakPending) {
        m_entries = kept;
        result = false;
        break;
      }
      continue;
    }
    if (replay) {
      m_entries = kept;
    } else {
      ++m_currentTrial;
      kept = m_entries;
    }
    replay = false;
  }
  m_runContext->trialCounts[0] = static_cast<uint32_t>(m_entries);
  EndRun();
  return result;
}

bool CTaskVisuoSpatialSequencing::Demonstrate(ITaskRunData* runData) {
  if (!m_host || !m_runContext) return false;
  if (!BeginRun(runData)) {
    EndRun();
    return false;
  }
  const bool practice = m_practice;
  m_practice = true;
  m_trialSet = true;
  if (WaitSpaceChange() != kScanEscape && PresentSequence(vss::kWarmUpList[0])) {
    RespondToSeries(0, m_centreX - m_spacing / 2, false, false);
  }
  SetRestoreCallback(nullptr, nullptr);
  EndRun();
  m_practice = practice;
  m_trialSet = false;
  return false;
}

}  // namespace qel
