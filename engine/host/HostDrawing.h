// The task host's drawing helpers: simple figures in a plug-in's drawing
// context with the pen and brush each figure needs. Every helper does
// nothing without a context.
//
// The context interface has no way to read its current pen or brush, so a
// helper cannot select the caller's objects back: after a helper that sets
// them, the context keeps the helper's pen and brush.
#pragma once

#include "include/qel/DrawContext.h"

namespace qel {

// FillSolidRect(x, y, w, h).
void HostFillRect(CDC* dc, int x, int y, int w, int h, COLORREF colour);
// Solid pen of width 1 and solid brush; Rectangle(x - r, y - r, x + r + 1, y + r + 1).
void HostDrawFramedSquare(CDC* dc, int x, int y, int r, COLORREF pen, COLORREF brush);
// FillSolidRect(x - r, y - r, 2r + 1, 2r + 1).
void HostFillSquare(CDC* dc, int x, int y, int r, COLORREF colour);
// Two bars of thickness 2h + 1 (h = thickness / 2, at least 1) and length
// 2 arm + 1 crossing at (x, y).
void HostDrawCross(CDC* dc, int x, int y, int arm, COLORREF colour, int thickness);
// Solid pen of the width; MoveTo(x1, y1), LineTo(x2, y2).
void HostDrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width);
// Solid pen of the width; the outline of the ellipse in the box, drawn as
// one arc from and to the middle of its top edge.
void HostDrawArc(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width);
// Pen of width 1 and brush, both of the colour; Ellipse over the box.
void HostFillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour);

}  // namespace qel
