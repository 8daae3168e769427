// The drawing context handed out for a display surface: the GDI-like CDC
// interface drawn with cairo and pango straight into the surface's pixels.
// It makes no window-system calls, so any thread may draw with it.
//
// GDI rules kept: rectangles and ellipses exclude their right column and
// bottom row, lines exclude their last point, a pen width of 0 or 1 is one
// pixel, the null pen makes filled figures one pixel smaller. Shapes are not
// antialiased; text is.
#pragma once

#include <pango/pangocairo.h>

#include <string>

#include "display/RasterSurface.h"
#include "include/qel/DrawContext.h"

namespace qel {

namespace display {

class CSurfaceDC : public CDC {
 public:
  // `number` is the surface number the context was handed out for.
  CSurfaceDC(SurfacePtr target, int number);
  ~CSurfaceDC() override;
  CSurfaceDC(const CSurfaceDC&) = delete;
  CSurfaceDC& operator=(const CSurfaceDC&) = delete;

  const SurfacePtr& Target() const { return m_target; }
  int Number() const { return m_number; }

  int GetWidth() const override;
  int GetHeight() const override;

  void SetPen(COLORREF colour, int width) override;
  void SetNullPen() override;
  void SetBrush(COLORREF colour) override;
  void SetNullBrush() override;

  void FillSolidRect(int x, int y, int width, int height, COLORREF colour) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Polygon(const QelPoint* points, int count) override;
  void Polyline(const QelPoint* points, int count) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  void ArcTo(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  void Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  void SetPixel(int x, int y, COLORREF colour) override;
  COLORREF GetPixel(int x, int y) const override;

  void SetFont(const char* face, int height, int weight, bool italic) override;
  void SetTextColor(COLORREF colour) override;
  void SetBkColor(COLORREF colour) override;
  void SetBkMode(int mode) override;
  void SetTextAlign(uint32_t align) override;
  void TextOut(int x, int y, const char* text) override;
  bool GetTextExtent(const char* text, int* width, int* height) override;
  int DrawText(const char* text, const QelRect& rect, uint32_t format) override;

  bool BitBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, uint32_t rop) override;
  bool StretchBlt(int x, int y, int width, int height, const QelBitmap& src, int srcX, int srcY, int srcWidth,
                  int srcHeight, uint32_t rop) override;

 private:
  int PenWidth() const { return m_penWidth < 1 ? 1 : m_penWidth; }
  void FillPixels(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t pixel);
  // Orders and bounds a figure's box; false when it is empty.
  bool FigureBox(int& left, int& top, int& right, int& bottom, bool smallerWithoutPen) const;
  void BeginDirect();
  void EndDirect(int left, int top, int right, int bottom);
  void SetSource(COLORREF colour);
  void EllipsePath(double cx, double cy, double rx, double ry);
  void FillPath();    // the current path with the brush; the path is kept
  void StrokePath();  // the current path with the pen; the path is kept
  void PolygonPath(const QelPoint* points, int count, double offset);
  void BresenhamLine(int x0, int y0, int x1, int y1);  // excludes (x1, y1)
  void WideLine(int x0, int y0, int x1, int y1);
  // Start and end angles of an arc of the box (cairo angles; negative direction).
  void ArcAngles(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye, double& a1,
                 double& a2) const;
  PangoLayout* Layout();
  void ApplyFont();
  void PlaceLayout(const char* text, bool singleLine, int wrapWidth);

  SurfacePtr m_target;
  int m_number;
  cairo_t* m_cr;
  PangoLayout* m_layout = nullptr;

  bool m_penNull = false;
  COLORREF m_penColour = 0;
  int m_penWidth = 1;
  bool m_brushNull = false;
  COLORREF m_brushColour = 0x00FFFFFF;
  QelPoint m_position{0, 0};

  std::string m_fontFace = "Sans";
  int m_fontHeight = -16;
  int m_fontWeight = kFwNormal;
  bool m_fontItalic = false;
  bool m_fontDirty = true;
  COLORREF m_textColour = 0;
  COLORREF m_bkColour = 0x00FFFFFF;
  int m_bkMode = kBkOpaque;
  uint32_t m_textAlign = kTaLeft | kTaTop;
};

}  // namespace display

}  // namespace qel
