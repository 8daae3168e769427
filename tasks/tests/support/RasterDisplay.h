// A display for drawing tests whose surfaces are the display library's own
// raster buffers with its cairo drawing context, so that figures (ellipses,
// polygons, arcs) really reach the pixels. Present copies the back buffer
// to the front buffer. Put it in place of a test host's display to read
// what a plug-in drew.
#pragma once

#include <map>
#include <memory>

#include "display/RasterSurface.h"
#include "display/SurfaceDC.h"
#include "include/qel/DisplayInterface.h"

namespace qel {

namespace test {

class RasterDisplay final : public IDDDisplay {
 public:
  RasterDisplay(int width, int height) : m_width(width), m_height(height) {}

  bool GetWndRectClient(QelRect& rect) override;
  bool Present(bool show) override;
  bool SurfaceGetSize(int n, int& width, int& height) override;
  CDC* SurfaceGetDC(int n) override;
  bool SurfaceReleaseDC(int n, CDC* dc) override;
  bool SurfaceClear(int n, COLORREF colour) override;
  bool SurfaceBltBack1(int n) override;
  int BreakGetState() override { return 0; }
  void BreakSetState(int) override {}
  void BreakSetTitle(const char*) override {}
  bool BreakCreate() override { return false; }
  long TaskDlgCreate(IQelDialog*, QelResModule, int, bool) override { return 0; }
  void SetCursor(bool) override {}
  long TaskDlgDestroy(IQelDialog*, QelResModule, int) override { return 0; }
  intptr_t PostMessageA(int, intptr_t) override { return 0; }
  void SetRestoreDisplay(QelRestoreCallback, void*) override {}

  // The colour (COLORREF) of a pixel of a surface; 0 outside.
  COLORREF Pixel(int n, int x, int y);
  // Pixels of a colour in a rectangle of a surface (right and bottom excluded).
  int Count(int n, COLORREF colour, int left, int top, int right, int bottom);
  int Presents() const { return m_presents; }

 private:
  static bool Valid(int n) { return n >= kSurfaceBack && n < kSurfaceCount; }
  display::CSurfaceDC& Surface(int n);

  int m_width;
  int m_height;
  int m_presents = 0;
  std::map<int, std::unique_ptr<display::CSurfaceDC>> m_surfaces;
};

}  // namespace test

}  // namespace qel
