// A display for the mouse tasks' tests: real raster surfaces drawn by the
// display's own cairo context (no window), with a record of what was drawn
// on the back surface since it was last cleared (lines, ellipses, polygons,
// texts with their colours), handed over with each Present. Its break
// dialog opens at once and answers by a script over the host's clock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "display/RasterSurface.h"
#include "include/qel/DisplayInterface.h"

namespace qel {

namespace test {

struct DrawnLine {
  COLORREF colour;
  int width;
  QelPoint from;
  QelPoint to;
};
struct DrawnEllipse {
  COLORREF pen;
  COLORREF brush;  // kNoBrush without one
  QelRect box;
};
struct DrawnPolygon {
  COLORREF pen;
  COLORREF brush;
  std::vector<QelPoint> points;
};
struct DrawnText {
  COLORREF colour;
  QelPoint at;
  std::string text;
};

constexpr COLORREF kNoBrush = 0xFFFFFFFFu;

// What one frame holds.
struct Frame {
  std::vector<DrawnLine> lines;
  std::vector<DrawnEllipse> ellipses;
  std::vector<DrawnPolygon> polygons;
  std::vector<DrawnText> texts;
  uint32_t at = 0;  // the clock when it was presented
};

class RasterDisplay final : public IDDDisplay {
 public:
  RasterDisplay(int width, int height, const uint32_t* clock);
  ~RasterDisplay() override;

  bool GetWndRectClient(QelRect& rect) override;
  bool Present(bool show) override;
  bool SurfaceGetSize(int n, int& width, int& height) override;
  CDC* SurfaceGetDC(int n) override;
  bool SurfaceReleaseDC(int n, CDC* dc) override;
  bool SurfaceClear(int n, COLORREF colour) override;
  bool SurfaceBltBack1(int n) override;
  int BreakGetState() override;
  void BreakSetState(int state) override { m_breakState = state; }
  void BreakSetTitle(const char* title) override { m_breakTitle = title ? title : ""; }
  bool BreakCreate() override { return false; }
  long TaskDlgCreate(IQelDialog*, QelResModule, int, bool) override { return 0; }
  void SetCursor(bool show) override { m_cursorShown = show ? 1 : 0; }
  long TaskDlgDestroy(IQelDialog*, QelResModule, int) override { return 0; }
  intptr_t PostMessageA(int command, intptr_t payload) override;
  void SetRestoreDisplay(QelRestoreCallback, void*) override {}

  // The last frame presented, and the pixel (COLORREF) of the front surface.
  const Frame& Shown() const { return m_shown; }
  COLORREF FrontPixel(int x, int y) const;
  int Presents() const { return m_presents; }
  // Called with each frame presented.
  std::function<void(const Frame&)> m_onPresent;

  // Break dialog: how many times it was opened, with which titles; after
  // opening it answers `m_breakAnswer` once the clock is `m_breakAnswerAfterMs`
  // past the opening (kBreakOnScreen until then); it cannot be opened when
  // m_breakOpens is off.
  int m_breakOpened = 0;
  std::vector<std::string> m_breakTitles;
  int m_breakAnswer = kBreakContinue;
  uint32_t m_breakAnswerAfterMs = 1000;
  bool m_breakOpens = true;
  uint32_t m_breakOpenedAt = 0;
  int m_cursorShown = -1;

 private:
  class ObservingDC;
  std::shared_ptr<display::CRasterSurface>& Surface(int n);
  void Copy(int from, int to);

  int m_width;
  int m_height;
  const uint32_t* m_clock;
  std::map<int, std::shared_ptr<display::CRasterSurface>> m_surfaces;
  Frame m_drawing;  // the back surface since its last clear
  Frame m_shown;
  int m_presents = 0;
  int m_breakState = kBreakRequested;
  std::string m_breakTitle;
};

}  // namespace test

}  // namespace qel
