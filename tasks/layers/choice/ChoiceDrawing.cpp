#include "tasks/layers/choice/ChoiceDrawing.h"

#include <algorithm>

namespace qel {

namespace choice {

void ArrowPolygon(int centreX, int centreY, int halfWidth, int halfHeight, bool right,
                  QelPoint (&points)[kArrowPoints]) {
  const int head = std::min(2 * halfHeight, 2 * halfWidth);
  const int shaft = halfHeight / 2;
  // Pointing right, relative to the centre; mirrored for left.
  const QelPoint shape[kArrowPoints] = {
      {-halfWidth, -shaft}, {halfWidth - head, -shaft},     {halfWidth - head, -halfHeight},
      {halfWidth, 0},       {halfWidth - head, halfHeight}, {halfWidth - head, shaft},
      {-halfWidth, shaft}};
  for (int i = 0; i < kArrowPoints; ++i) {
    points[i].x = centreX + (right ? shape[i].x : -shape[i].x);
    points[i].y = centreY + shape[i].y;
  }
}

void GridOffset(int cell, int pitch, int* dx, int* dy) {
  // Centre, then clockwise from the left.
  static const int kX[kGridCells] = {0, -1, -1, 0, 1, 1, 1, 0, -1};
  static const int kY[kGridCells] = {0, 0, -1, -1, -1, 0, 1, 1, 1};
  const int i = (cell >= 0 && cell < kGridCells) ? cell : 0;
  *dx = kX[i] * pitch;
  *dy = kY[i] * pitch;
}

void FillCentredSquare(ITaskHost& host, CDC* dc, int x, int y, int side, COLORREF colour) {
  host.FillRect(dc, x - side / 2, y - side / 2, side, side, colour);
}

void FillGrid(ITaskHost& host, CDC* dc, int x, int y, int side, int pitch, const COLORREF (&colours)[kGridCells]) {
  for (int i = 0; i < kGridCells; ++i) {
    int dx = 0;
    int dy = 0;
    GridOffset(i, pitch, &dx, &dy);
    FillCentredSquare(host, dc, x + dx, y + dy, side, colours[i]);
  }
}

}  // namespace choice

}  // namespace qel
