// Placement and scaling rules of the display: where dialogs go over it and
// how pictures are fitted to surfaces. Integer arithmetic as the rules give
// it (division truncates towards zero).
#pragma once

#include "include/qel/DrawContext.h"

namespace qel {

namespace display {

constexpr int kScaleOne = 10000;  // scale factors are per 10000

// Top-left corner of a task dialog of size w x h over a display whose client
// rectangle is `client` on a monitor whose top-left corner is `monitor`: the
// point one third from the dialog's left edge sits at the horizontal centre,
// the dialog three quarters down the free vertical space.
QelPoint TaskDialogOrigin(const QelRect& client, QelPoint monitor, int w, int h);

// Where the mouse cursor goes once a task dialog is placed at `origin`.
QelPoint TaskDialogCursor(QelPoint origin, int w, int h);

// Top-left corner of a picture drawn centred at its own size; 0 where the
// picture is larger (it is then cut at the right and bottom).
QelPoint CentredOrigin(int surfaceWidth, int surfaceHeight, int pictureWidth, int pictureHeight);

// Destination of a stretched picture: the surface's aspect ratio, the
// picture's width share times the scale (at most the whole surface), centred.
QelRect StretchDestination(int surfaceWidth, int surfaceHeight, int pictureWidth, int scale);

// Scale factor for a picture meant to fill `rect` of a client area that is
// `clientWidth` wide; kScaleOne for an empty or all-zero rectangle.
int ScaleForRect(int clientWidth, const QelRect& rect);

}  // namespace display

}  // namespace qel
