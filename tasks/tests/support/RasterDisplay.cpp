#include "tasks/tests/support/RasterDisplay.h"

namespace qel {

namespace test {

display::CSurfaceDC& RasterDisplay::Surface(int n) {
  std::unique_ptr<display::CSurfaceDC>& s = m_surfaces[n];
  if (!s) s = std::make_unique<display::CSurfaceDC>(display::CRasterSurface::Create(m_width, m_height, 0, 0), n);
  return *s;
}

bool RasterDisplay::GetWndRectClient(QelRect& rect) {
  rect = QelRect{0, 0, m_width, m_height};
  return true;
}

bool RasterDisplay::Present(bool show) {
  ++m_presents;
  if (show) Surface(kSurfaceFront).Target()->CopyFrom(*Surface(kSurfaceBack).Target());
  return true;
}

bool RasterDisplay::SurfaceGetSize(int n, int& width, int& height) {
  if (!Valid(n)) return false;
  width = m_width;
  height = m_height;
  return true;
}

CDC* RasterDisplay::SurfaceGetDC(int n) { return Valid(n) ? &Surface(n) : nullptr; }

bool RasterDisplay::SurfaceReleaseDC(int n, CDC* dc) { return Valid(n) && dc == &Surface(n); }

bool RasterDisplay::SurfaceClear(int n, COLORREF colour) {
  if (!Valid(n)) return false;
  Surface(n).Target()->Fill(colour);
  return true;
}

bool RasterDisplay::SurfaceBltBack1(int n) {
  if (n < 0 || n >= kSurfaceCount) return false;
  Surface(kSurfaceBack).Target()->CopyFrom(*Surface(n).Target());
  return true;
}

COLORREF RasterDisplay::Pixel(int n, int x, int y) {
  if (!Valid(n) || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return Surface(n).GetPixel(x, y);
}

int RasterDisplay::Count(int n, COLORREF colour, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += Pixel(n, x, y) == colour;
  }
  return count;
}

}  // namespace test

}  // namespace qel
