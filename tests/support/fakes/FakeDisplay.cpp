#include "tests/support/fakes/FakeDisplay.h"

#include <algorithm>

namespace qel {

bool FakeDisplay::GetWndRectClient(QelRect& rect) {
  rect = QelRect{0, 0, m_width, m_height};
  return true;
}

bool FakeDisplay::Present(bool show) {
  Log(std::string("Present ") + (show ? "1" : "0"));
  ++m_presents;
  MemoryDC& back = Surface(kSurfaceBack);
  MemoryDC& front = Surface(kSurfaceFront);
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) front.SetPixel(x, y, back.GetPixel(x, y));
  return true;
}

bool FakeDisplay::SurfaceGetSize(int n, int& width, int& height) {
  Log("SurfaceGetSize " + std::to_string(n));
  if (m_sizeFails || !Valid(n)) return false;
  width = m_width;
  height = m_height;
  return true;
}

MemoryDC& FakeDisplay::Surface(int n) {
  std::unique_ptr<MemoryDC>& s = m_surfaces[n];
  if (!s) s = std::make_unique<MemoryDC>(m_width, m_height);
  return *s;
}

CDC* FakeDisplay::SurfaceGetDC(int n) {
  Log("SurfaceGetDC " + std::to_string(n));
  if (m_dcFails || !Valid(n)) return nullptr;
  return &Surface(n);
}

bool FakeDisplay::SurfaceReleaseDC(int n, CDC* dc) {
  Log("SurfaceReleaseDC " + std::to_string(n));
  return Valid(n) && dc == &Surface(n);
}

bool FakeDisplay::SurfaceClear(int n, COLORREF colour) {
  Log("SurfaceClear " + std::to_string(n) + " " + std::to_string(colour));
  if (m_clearFails || !Valid(n)) return false;
  Surface(n).Fill(colour);
  return true;
}

bool FakeDisplay::SurfaceBltBack1(int n) {
  Log("SurfaceBltBack1 " + std::to_string(n));
  if (m_bltFails || n < 0 || n >= kSurfaceCount) return false;
  MemoryDC& src = Surface(n);
  MemoryDC& back = Surface(kSurfaceBack);
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) back.SetPixel(x, y, src.GetPixel(x, y));
  return true;
}

void FakeDisplay::SetCursor(bool show) {
  Log(std::string("SetCursor ") + (show ? "1" : "0"));
  m_cursorShown = show ? 1 : 0;
}

bool FakeDisplay::Called(const std::string& call) const {
  return std::find(m_calls.begin(), m_calls.end(), call) != m_calls.end();
}

}  // namespace qel
