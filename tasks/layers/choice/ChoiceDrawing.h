// Figures the two-choice tasks draw: the seven-point arrow of the cueing and
// response-organization tasks and the 3 x 3 grids of squares of the flanker
// and feature-integration tasks.
#pragma once

#include "include/qel/DrawContext.h"
#include "include/qel/TaskHostInterface.h"

namespace qel {

namespace choice {

constexpr int kArrowPoints = 7;

// An arrow spanning centre x -/+ halfWidth and centre y -/+ halfHeight,
// pointing right (or left): a shaft of half the height and a head as long
// as the height (at most the whole width), its point on the arrow's side.
void ArrowPolygon(int centreX, int centreY, int halfWidth, int halfHeight, bool right,
                  QelPoint (&points)[kArrowPoints]);

// The cells of a 3 x 3 grid in the order the tasks number them: 0 centre,
// 1 left, 2 top left, 3 top, 4 top right, 5 right, 6 bottom right,
// 7 bottom, 8 bottom left.
constexpr int kGridCells = 9;

// The offset of a cell's centre from the grid's centre, cells `pitch` apart.
void GridOffset(int cell, int pitch, int* dx, int* dy);

// A filled square of the side centred on (x, y), through the host.
void FillCentredSquare(ITaskHost& host, CDC* dc, int x, int y, int side, COLORREF colour);

// A grid centred on (x, y): cell i a filled square of the side in colour i,
// cells `pitch` apart.
void FillGrid(ITaskHost& host, CDC* dc, int x, int y, int side, int pitch, const COLORREF (&colours)[kGridCells]);

}  // namespace choice

}  // namespace qel
