// One self-timed part: to the marker, once around the track, back to the
// marker; a sample whenever the pointer has moved at least the capture
// radius. The loop polls without pause; every time is the host's run clock.
#include <cmath>
#include <cstdlib>

#include "tasks/plugins/tr/TrackingTask.h"

namespace qel {

namespace {

enum class Phase { kToMarker, kFirstHalf, kSecondHalf };

}  // namespace

bool CTaskTracking::MovePointerVertical(int step) {
  if (step == 0) return true;
  const int fromY = step > 0 ? m_markerY : m_centreY;
  const int toY = step > 0 ? m_centreY : m_markerY;
  const int distance = std::abs(toY - fromY);
  const int steps = std::max(distance / std::abs(step), 1);
  const uint32_t hold = 2000 / static_cast<uint32_t>(steps);
  for (int k = 1; k <= steps; ++k) {
    m_pointerX = m_centreX;
    m_pointerY = fromY + (toY - fromY) * k / steps;
    ShowScene(m_pointerX, m_pointerY, false);
    if (WaitKeyUntil(GetRunTime() + hold) == kScanEscape) return false;
  }
  return true;
}

void CTaskTracking::Discard(const char* reason) {
  m_host->breakFlag = 1;
  if (m_record) m_record->runText = reason;
  SetFeedback(false);
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    dc->SetBkMode(kBkTransparent);
    dc->SetTextColor(m_textColour);
    const QelRect box{m_centreX / 4, m_centreY - m_centreY / 4, m_maxX - m_centreX / 4, m_centreY + m_centreY / 4};
    dc->DrawText(reason, box, kDtCenter | kDtVCenter | kDtWordBreak);
    ReleaseBackDC(dc);
  }
  Present();
  // The operator acknowledges with Space (or Escape) before the part ends.
  WaitSpaceChange();
}

int CTaskTracking::RunTracking() {
  const uint32_t start = GetRunTime();
  uint32_t previous = start;
  double angleSum = 0.0;
  Phase phase = Phase::kToMarker;
  bool started = false;
  int i = 0;
  m_pointerX = m_lastX = m_centreX;
  m_pointerY = m_lastY = m_centreY;
  ShowScene(m_pointerX, m_pointerY, false);

  while (i < kMaxSamples) {
    MovePointer(m_pointerX, m_pointerY);
    if (PollKey() == kScanEscape) {
      m_host->breakFlag = 1;
      return -1;
    }
    const double mx = m_pointerX - m_markerX;
    const double my = m_pointerY - m_markerY;
    const int toMarker = static_cast<int>(std::sqrt(mx * mx + my * my));
    if (toMarker > m_track.capture) {
      if (phase == Phase::kToMarker) {
        m_lastX = m_pointerX;
        m_lastY = m_pointerY;
        ShowScene(m_pointerX, m_pointerY, false);
        continue;
      }
      if (phase == Phase::kFirstHalf && std::fabs(angleSum) >= m_halfCircleDegrees) phase = Phase::kSecondHalf;
    } else if (phase == Phase::kToMarker) {
      SetMarkerColours(true);
      m_pointerX = m_lastX = m_markerX;
      m_pointerY = m_lastY = m_markerY;
      ShowScene(m_pointerX, m_pointerY, false);
      phase = Phase::kFirstHalf;
      started = true;
    } else if (phase == Phase::kSecondHalf && std::fabs(angleSum) >= m_fullCircleDegrees) {
      SetFeedback(false);
      SetMarkerColours(false);
      MovePointerVertical(2);
      return i;
    }

    if (std::abs(m_pointerX - m_lastX) < m_track.capture && std::abs(m_pointerY - m_lastY) < m_track.capture) continue;

    // Vectors from the centre with y pointing up.
    const double step =
        AngleStep(m_lastX - m_centreX, m_centreY - m_lastY, m_pointerX - m_centreX, m_centreY - m_pointerY);
    angleSum += step;
    const double cx = m_pointerX - m_centreX;
    const double cy = m_pointerY - m_centreY;
    const double r = std::sqrt(cx * cx + cy * cy);
    const uint32_t now = GetRunTime();
    if (now - previous > m_longestGapMs) {
      Discard(kGapText);
      return -1;
    }
    if (std::fabs(angleSum) >= kGiveUpDegrees) {
      Discard(kTurnText);
      return -1;
    }

    const int whole = static_cast<int>(r);
    int32_t category = (whole < m_track.radius - m_track.halfWidth || whole > m_track.radius + m_track.halfWidth)
                           ? kForwardOut
                           : kForwardIn;
    const bool backward = m_directionFlag == 1 ? step < 0.0 : step > 0.0;
    if (backward) category += 1;
    m_categories[i] = category;
    m_reactionTimes[i] = static_cast<int32_t>(now - previous);
    m_deviations[i] = static_cast<int32_t>((r - m_track.radius) * m_mmPerPixel);
    m_progress[i] = static_cast<int32_t>(std::fabs(angleSum) * kProgressPerDegree);

    SetFeedback(category != kForwardIn);
    m_lastX = m_pointerX;
    m_lastY = m_pointerY;
    ShowScene(m_pointerX, m_pointerY, false);
    if (started) ++i;
    previous = now;
  }
  return i;
}

bool CTaskTracking::RunSelfTimed(ITaskRunData* runData) {
  if (!m_host || !m_runContext) return false;
  if (!m_categories) BindArrays(runData);
  const int part = m_runContext->currentPart;
  if (!m_categories || !m_reactionTimes || !m_deviations || !m_progress || part < 0 || part > 1) return false;
  m_runContext->trialCounts[part] = 0;
  if (!CTaskMouse::BeginRun(runData) || !LoadTrackParams()) {
    EndRun();
    return false;
  }
  const int stored = RunTracking();
  m_runContext->trialCounts[part] = stored > 0 ? static_cast<uint32_t>(stored) : 0u;
  EndRun();
  return stored > 0;
}

bool CTaskTracking::Demonstrate(ITaskRunData* runData) {
  if (!m_host || !m_runContext) return false;
  const int part = m_runContext->currentPart;
  if (part < 0 || part > 1) return false;
  if (!CTaskMouse::BeginRun(runData) || !LoadTrackParams()) {
    EndRun();
    return false;
  }
  bool result = false;
  ShowScene(m_centreX, m_centreY, true);
  if (WaitSpaceChange() != kScanEscape && MovePointerVertical(-2)) {
    SetMarkerColours(true);
    ShowScene(m_markerX, m_markerY, false);
    const uint32_t direction = m_runContext->TaskParam[kWordDirection];
    if (WaitSpaceChange() != kScanEscape && direction <= 1) {
      // Counterclockwise (growing angle) for the part that goes that way.
      const bool counterclockwise = (direction == 0) == (part == 0);
      const double step = counterclockwise ? m_demonstrationStep : -m_demonstrationStep;
      const uint32_t hold = static_cast<uint32_t>(3140.0 / (m_fullTurn / m_demonstrationStep));
      for (double a = 0.0; std::fabs(a) < m_fullTurn; a += step) {
        const int x = m_centreX - static_cast<int>(m_track.radius * std::sin(a));
        const int y = m_centreY - static_cast<int>(m_track.radius * std::cos(a));
        ShowScene(x, y, false);
        if (WaitKeyUntil(GetRunTime() + hold) == kScanEscape) break;
      }
      SetMarkerColours(false);
      ShowScene(m_markerX, m_markerY, false);
      if (WaitSpaceChange() != kScanEscape) MovePointerVertical(2);
      result = WaitSpaceChange() != kScanEscape;
    }
  }
  SetMarkerColours(false);
  if (!EndRun()) return false;
  return result;
}

}  // namespace qel
