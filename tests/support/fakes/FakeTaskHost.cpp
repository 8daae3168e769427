#include "tests/support/fakes/FakeTaskHost.h"

#include <algorithm>

#include "include/qel/ToneRange.h"
#include "include/qel/TrialCodes.h"

namespace qel {

uint16_t FakeTaskHost::GetFeedbackSoundId(int index) {
  static const uint16_t kIds[] = {181, 182, 183, 179, 180};
  return (index >= 0 && index < 5) ? kIds[index] : 0;
}

bool FakeTaskHost::PermuteCodeQuarters(char* code, bool flag, int offset) {
  return QelPermuteCodeQuarters(code, flag, offset);
}

bool FakeTaskHost::MakeTone(int frequency, int sampleRate, int channels) {
  Log("MakeTone " + std::to_string(frequency) + " " + std::to_string(sampleRate) + " " + std::to_string(channels));
  // The real host's rule, and a sound output that fails when told to.
  if (m_toneFails || !QelToneAccepted(frequency, sampleRate, channels)) return false;
  m_pendingTone = frequency;
  return true;
}

bool FakeTaskHost::LoadWaveResource(uint32_t id, QelResModule module) {
  Log("LoadWaveResource " + std::to_string(id) + (module ? " plug-in" : " host"));
  return m_waveLoads;
}

bool FakeTaskHost::PlaySound(bool loop) {
  Log(std::string("PlaySound ") + (loop ? "1" : "0"));
  if (m_pendingTone) m_tones.push_back({m_pendingTone, m_now, m_now});
  m_playing = true;
  return true;
}

void FakeTaskHost::StopSound() {
  Log("StopSound");
  if (m_pendingTone && !m_tones.empty()) m_tones.back().stop = m_now;
  m_pendingTone = 0;
  m_playing = false;
}

void FakeTaskHost::SetRestoreDisplay(QelRestoreCallback callback, void* context) {
  m_restoreCallback = callback;
  m_restoreContext = context;
}

CDC* FakeTaskHost::SurfaceGetDC(int surface) { return display ? display->SurfaceGetDC(surface) : nullptr; }

bool FakeTaskHost::SurfaceReleaseDC(int surface, CDC* dc) {
  return display ? display->SurfaceReleaseDC(surface, dc) : false;
}

bool FakeTaskHost::SurfaceClear(int surface, COLORREF colour) {
  Log("SurfaceClear " + std::to_string(surface) + " " + std::to_string(colour));
  return display ? display->SurfaceClear(surface, colour) : false;
}

bool FakeTaskHost::Present(bool show) {
  Log(std::string("Present ") + (show ? "1" : "0"));
  return display ? display->Present(show) : false;
}

void FakeTaskHost::FillRect(CDC* dc, int x, int y, int w, int h, COLORREF colour) {
  if (dc) dc->FillSolidRect(x, y, w, h, colour);
}

void FakeTaskHost::FillSquare(CDC* dc, int x, int y, int r, COLORREF colour) {
  if (dc) dc->FillSolidRect(x - r, y - r, 2 * r + 1, 2 * r + 1, colour);
}

void FakeTaskHost::FillSquareCentred(CDC* dc, int r, COLORREF colour) {
  Log("FillSquareCentred " + std::to_string(r) + " " + std::to_string(colour));
  if (dc) FillSquare(dc, dc->GetWidth() / 2, dc->GetHeight() / 2, r, colour);
}

void FakeTaskHost::DrawCross(CDC* dc, int x, int y, int arm, COLORREF colour, int thickness) {
  if (!dc) return;
  const int h = std::max(thickness / 2, 1);
  dc->FillSolidRect(x - h, y - arm, 2 * h + 1, 2 * arm + 1, colour);
  dc->FillSolidRect(x - arm, y - h, 2 * arm + 1, 2 * h + 1, colour);
}

void FakeTaskHost::DrawCrossCentred(CDC* dc, int arm, COLORREF colour, int thickness) {
  Log("DrawCrossCentred " + std::to_string(arm) + " " + std::to_string(colour) + " " + std::to_string(thickness));
  if (dc) DrawCross(dc, dc->GetWidth() / 2, dc->GetHeight() / 2, arm, colour, thickness);
}

void FakeTaskHost::DrawFramedSquare(CDC* dc, int x, int y, int r, COLORREF pen, COLORREF brush) {
  Log("DrawFramedSquare " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(r));
  if (!dc) return;
  dc->SetPen(pen, 1);
  dc->SetBrush(brush);
  dc->Rectangle(x - r, y - r, x + r + 1, y + r + 1);
}

void FakeTaskHost::DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
  Log("DrawLine " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
      std::to_string(y2) + " " + std::to_string(colour) + " " + std::to_string(width));
  if (!dc) return;
  dc->SetPen(colour, width);
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

void FakeTaskHost::DrawArc(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width) {
  Log("DrawArc " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) + " " +
      std::to_string(bottom) + " " + std::to_string(colour));
  if (!dc) return;
  dc->SetPen(colour, width);
  const int x = (left + right) / 2;
  dc->MoveTo(x, top);
  dc->ArcTo(left, top, right, bottom, x, top, x, top);
}

void FakeTaskHost::FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) {
  Log("FillEllipse " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) + " " +
      std::to_string(bottom) + " " + std::to_string(colour));
  if (!dc) return;
  dc->SetPen(colour, 1);
  dc->SetBrush(colour);
  dc->Ellipse(left, top, right, bottom);
}

void FakeTaskHost::SleepMs(uint32_t ms) {
  m_sleeps.push_back(ms);
  m_now += ms;
  if (m_onSleep) m_onSleep(ms);
}

bool FakeTaskHost::Called(const std::string& call) const {
  return std::find(m_calls.begin(), m_calls.end(), call) != m_calls.end();
}

int FakeTaskHost::CountCalls(const std::string& prefix) const {
  return static_cast<int>(
      std::count_if(m_calls.begin(), m_calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

}  // namespace qel
