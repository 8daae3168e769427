// Small host services used by the tasks. Every wait goes through the
// host's run clock (GetRunTimeMs, SleepMs), never the machine's.
#include "taskfw/TaskBase.h"

namespace qel {

bool CTaskBase::DrawToSurface(intptr_t code, IDDDisplay* display, intptr_t c) {
  if (!display) return false;
  if (!display->SurfaceClear(0, 0x000000)) return false;
  if (CDC* dc = display->SurfaceGetDC(0)) {
    DrawStimulus(dc, code, c);
    display->SurfaceReleaseDC(0, dc);
  }
  if (display->SurfaceBltBack1(0)) display->Present(true);
  return true;
}

bool CTaskBase::ClearBackSurface() { return m_host ? m_host->SurfaceClear(kSurfaceBack, m_backColour) : false; }

int CTaskBase::WaitSpaceChange() { return m_host ? m_host->WaitSpaceChange() : 0; }

uint32_t CTaskBase::GetRunTime() { return m_host ? m_host->GetRunTimeMs() : 0; }

int CTaskBase::PollKey() {
  if (!m_host) return 0;
  const int key = m_host->GetSpaceKey();
  if (key == kScanEscape) return kScanEscape;
  if (key == kScanSpace) return kScanSpace;
  return 0;
}

int CTaskBase::WaitKeyUntil(uint32_t limitMs) {
  if (!m_host) return 0;
  for (;;) {
    if (const int key = PollKey()) return key;
    if (m_host->GetRunTimeMs() >= limitMs) return 0;
    m_host->SleepMs(1);
  }
}

void CTaskBase::BeepTrain(int count) {
  if (!m_host) return;
  int frequency = 1000;
  for (int i = 0; i < count && frequency >= 100; ++i) {
    if (m_host->MakeTone(frequency, 22050, 2)) m_host->PlaySound(true);
    m_host->SleepMs(200);
    m_host->StopSound();
    m_host->SleepMs(100);
    frequency -= frequency / 10;  // a tenth lower, in whole hertz
  }
}

bool CTaskBase::ReleaseBackDC(CDC* dc) { return m_host ? m_host->SurfaceReleaseDC(kSurfaceBack, dc) : false; }

bool CTaskBase::Present() { return m_host ? m_host->Present(true) : false; }

void CTaskBase::DrawCentreCross(CDC* dc, COLORREF colour) {
  if (m_host && dc) m_host->DrawCrossCentred(dc, m_size[0] / 2, colour, m_size[0] / 6);
}

void CTaskBase::TextOutString(CDC* dc, int x, int y, const std::string& text) {
  if (dc) dc->TextOut(x, y, text.c_str());
}

bool CTaskBase::GetTextSize(CDC* dc, const std::string& text, int* width, int* height) {
  int w = 0;
  int h = 0;
  const bool ok = dc && dc->GetTextExtent(text.c_str(), &w, &h);
  if (width) *width = ok ? w : 0;
  if (height) *height = ok ? h : 0;
  return ok;
}

}  // namespace qel
