#include "engine/host/HostDrawing.h"

namespace qel {

void HostFillRect(CDC* dc, int x, int y, int w, int h, COLORREF colour) {
  if (dc) dc->FillSolidRect(x, y, w, h, colour);
}

void HostDrawFramedSquare(CDC* dc, int x, int y, int r, COLORREF pen, COLORREF brush) {
  if (!dc) return;
  dc->SetPen(pen, 1);
  dc->SetBrush(brush);
  dc->Rectangle(x - r, y - r, x + r + 1, y + r + 1);
}

void HostFillSquare(CDC* dc, int x, int y, int r, COLORREF colour) {
  if (dc) dc->FillSolidRect(x - r, y - r, 2 * r + 1, 2 * r + 1, colour);
}

void HostDrawCross(CDC* dc, int x, int y, int arm, COLORREF colour, int thickness) {
  if (!dc) return;
  int h = thickness / 2;
  if (h < 1) h = 1;
  dc->FillSolidRect(x - h, y - arm, 2 * h + 1, 2 * arm + 1, colour);
  dc->FillSolidRect(x - arm, y - h, 2 * arm + 1, 2 * h + 1, colour);
}

void HostDrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
  if (!dc) return;
  dc->SetPen(colour, width);
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

void HostDrawArc(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width) {
  if (!dc) return;
  dc->SetPen(colour, width);
  const int x = (left + right) / 2;
  dc->MoveTo(x, top);
  dc->ArcTo(left, top, right, bottom, x, top, x, top);
}

void HostFillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (!dc) return;
  dc->SetPen(colour, 1);
  dc->SetBrush(colour);
  dc->Ellipse(left, top, right, bottom);
}

}  // namespace qel
