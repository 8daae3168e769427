// One self-timed part: the target runs along its path for the part's time
// while the pointer follows the mouse; every 100 ms a sample is stored.
// Escape opens the break dialog; the time spent there is added to the part
// and to the sampling schedule. All times are the host's run clock.
#include <cmath>
#include <cstdio>

#include "tasks/plugins/pu/PursuitTask.h"

namespace qel {

int CTaskPursuit::RunSampling() {
  BuildPath();
  if (m_path.empty()) return 0;
  int stored = 0;
  m_sample = 0;
  m_breakPending = false;
  m_pointerX = m_centreX;
  m_pointerY = m_centreY;
  ShowScene();
  // The part's time starts once its first scene is on the screen.
  uint32_t now = GetRunTime();
  uint32_t end = now + m_durationMs;
  uint32_t nextSample = now;
  uint32_t pauseStart = 0;

  while ((now = GetRunTime()) < end) {
    if (m_breakPending) {
      // The operator's mouse works the dialog: its movement is not the testee's.
      int x = m_pointerX;
      int y = m_pointerY;
      MovePointer(x, y);
      const BreakAnswer answer = PollBreakDialog();
      if (answer == BreakAnswer::kStop) {
        m_host->breakFlag = 1;
        break;
      }
      if (answer == BreakAnswer::kContinue) {
        const uint32_t pause = now - pauseStart;
        end += pause;
        nextSample += pause;
        m_breakPending = false;
        ShowScene();
      } else {
        m_host->SleepMs(1);
      }
      continue;
    }

    MovePointer(m_pointerX, m_pointerY);
    const QelPoint target = Target();
    const double dx = target.x - m_pointerX;
    const double dy = target.y - m_pointerY;
    SetFeedback(std::sqrt(dx * dx + dy * dy) * m_mmPerPixel > m_thresholdMm);

    if (PollKey() == kScanEscape) {
      // The demonstration has no break: Escape ends it.
      if (m_demonstration) break;
      char title[96];
      std::snprintf(title, sizeof title, "%d second from %d: %s", m_sample / 10, static_cast<int>(m_durationMs / 1000),
                    "User Break!");
      if (!OpenBreakDialog(title, &CTaskPursuit::RestoreScene)) {
        // The run is being ended, or no dialog can ask: the part stops here.
        m_host->breakFlag = 1;
        break;
      }
      m_breakPending = true;
      pauseStart = now;
      continue;
    }

    bool redraw = m_pointerX != m_drawnX || m_pointerY != m_drawnY;
    if (now >= nextSample) {
      if (!m_demonstration && stored < kMaxResponses) {
        m_deviationX[stored] = target.x - m_pointerX;
        m_deviationY[stored] = target.y - m_pointerY;
        m_sampleTime[stored] = static_cast<int32_t>(now);
        ++stored;
      }
      ++m_sample;
      if (m_sample >= m_samples) break;
      nextSample += kSampleMs;
      redraw = true;
    }
    if (redraw) ShowScene();
  }
  SetFeedback(false);
  if (!m_demonstration) m_runContext->trialCounts[m_partIndex] = static_cast<uint32_t>(stored);
  return stored;
}

bool CTaskPursuit::RunSelfTimed(ITaskRunData* runData) {
  if (!m_host || !m_runContext) return false;
  m_demonstration = false;
  m_ruler = false;
  if (!BeginRun(runData)) {
    const int part = m_runContext->currentPart;
    if (part >= 0 && part < kMaxParts) m_runContext->trialCounts[part] = 0;
    EndRun();
    return false;
  }
  m_runContext->trialCounts[m_partIndex] = 0;
  const int stored = m_samples > 0 ? RunSampling() : 0;
  EndRun();
  return stored > 0;
}

bool CTaskPursuit::Demonstrate(ITaskRunData* runData) {
  if (!m_host || !m_runContext) return false;
  const bool practice = m_practice;
  m_practice = true;
  m_demonstration = true;
  m_ruler = true;
  bool ok = BeginRun(runData);
  if (ok) {
    SetRestoreCallback(&CTaskPursuit::RestoreScene, this);
    ShowScene();
    if (WaitSpaceChange() != kScanEscape && m_samples > 0) RunSampling();
    SetRestoreCallback(nullptr, nullptr);
  }
  ok = EndRun() && ok;
  m_demonstration = false;
  m_ruler = false;
  m_practice = practice;
  return ok;
}

}  // namespace qel
