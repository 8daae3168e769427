#include "tasks/layers/series/TaskSeries.h"

namespace qel {

CTaskSeries::CTaskSeries() = default;

bool CTaskSeries::SetupScreen(IDDDisplay* display, bool practice) { return CTaskBase::SetupScreen(display, practice); }

bool CTaskSeries::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->seriesLength = static_cast<uint32_t>(m_seriesLength);
  return true;
}

bool CTaskSeries::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  m_responseCounter = 0;
  m_overlayOn = m_runContext->TaskParam[0] != 0;
  if (m_host) {
    CDC* dc = m_host->SurfaceGetDC(kSurfaceBack);
    CreateOverlayFont(dc);
    if (dc) ReleaseBackDC(dc);
  }
  return true;
}

bool CTaskSeries::EndRun() {
  if (!CTaskBase::EndRun()) return false;
  if (m_overlayFont.IsCreated()) m_overlayFont.Delete();
  return true;
}

bool CTaskSeries::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c) || !code) return false;
  return DrawOverlayOnBack();
}

bool CTaskSeries::HideSignal(int32_t responseCode) {
  CTaskBase::HideSignal(responseCode);
  DrawOverlayOnBack();
  return true;
}

bool CTaskSeries::DrawOverlayOnBack() {
  if (!m_host) return false;
  CDC* dc = m_host->SurfaceGetDC(kSurfaceBack);
  if (!dc) return false;
  DrawSeriesOverlay(dc);
  ReleaseBackDC(dc);
  return true;
}

int32_t CTaskSeries::ClassifyResponse(int32_t category, int32_t) {
  if (IsScored(category)) ++m_responseCounter;
  return category;
}

void CTaskSeries::CreateOverlayFont(CDC*) {
  // The context would give the screen's resolution; every task screen is
  // taken at 96 pixels per inch (TaskFont.h).
  if (m_overlayOn) m_overlayFont.CreateFromPoints(kOverlayPoints, kFwNormal);
}

int CTaskSeries::SeriesNumber() const { return m_seriesLength != 0 ? m_responseCounter / m_seriesLength + 1 : 0; }

std::string CTaskSeries::SeriesOverlayText() const {
  // The host marks a run in the byte before its practice flag.
  const bool marked = m_host && m_host->secondListFlag != 0;
  return std::string(marked ? "*" : "") + std::to_string(SeriesNumber());
}

void CTaskSeries::DrawSeriesOverlay(CDC* dc) {
  if (!dc || !m_overlayOn || !m_overlayFont.IsCreated()) return;
  const std::string text = SeriesOverlayText();
  dc->SetTextAlign(kTaRight | kTaBottom);
  dc->SetTextColor(m_textColour);
  dc->SetBkColor(m_backColour);
  dc->SetBkMode(kBkOpaque);
  m_overlayFont.Select(dc);
  dc->TextOut(m_maxX, m_maxY, text.c_str());
  CTaskFont::Deselect(dc);
}

int CTaskSeries::GetSeriesEnd(const int32_t* categories, int n, int length, int* count) {
  int counted = 0;
  int i = 0;
  if (categories) {
    while (i < n) {
      const bool scored = IsScored(categories[i]);
      ++i;
      if (scored && ++counted == length) break;
    }
  }
  if (count) *count = counted;
  return i;
}

int64_t CTaskSeries::GetSeriesTime(const int32_t* categories, const int32_t* reactionTimes, int n) {
  if (!categories || !reactionTimes) return 0;
  int64_t sum = 0;
  for (int i = 0; i < n; ++i) {
    if (IsScored(categories[i])) sum += reactionTimes[i];
  }
  return sum;
}

}  // namespace qel
