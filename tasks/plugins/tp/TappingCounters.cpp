// The tap counters on the screen: one counter in the middle in the
// one-hand parts, one left and one right of the middle in the others.
#include <string>

#include "tasks/plugins/tp/TappingTask.h"

namespace qel {

bool CTaskTapping::CountersShown() const {
  if (m_partIndex == kPartLeft || m_partIndex == kPartRight) return true;
  return m_overlayOn;
}

void CTaskTapping::DrawCounters(CDC* dc, const CTaskFont& font, int left, int right) {
  if (!dc) return;
  dc->SetTextAlign(kTaCenter | kTaBottom);
  dc->SetTextColor(m_textColour);
  dc->SetBkColor(m_backColour);
  dc->SetBkMode(kBkOpaque);
  font.Select(dc);
  switch (m_partIndex) {
    case kPartLeft:
      dc->TextOut(m_centreX, m_centreY, std::to_string(left).c_str());
      break;
    case kPartRight:
      dc->TextOut(m_centreX, m_centreY, std::to_string(right).c_str());
      break;
    default:
      dc->TextOut(m_centreX - 3 * m_size[0], m_centreY, std::to_string(left).c_str());
      dc->TextOut(m_centreX + 3 * m_size[0], m_centreY, std::to_string(right).c_str());
      break;
  }
  CTaskFont::Deselect(dc);
}

void CTaskTapping::ShowCounters(int left, int right) {
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawCounters(dc, m_counterFont, left, right);
    ReleaseBackDC(dc);
  }
  Present();
}

bool CTaskTapping::DrawStimulus(CDC* dc, intptr_t, intptr_t) {
  if (!dc) return false;
  const bool switchedOn = m_runContext && m_runContext->TaskParam[0] != 0;
  if (m_partIndex != kPartLeft && m_partIndex != kPartRight && !switchedOn) return true;
  CTaskFont font;
  font.CreateFromPoints(m_size[1], kFwNormal);
  DrawCounters(dc, font, 0, 0);
  return true;
}

}  // namespace qel
