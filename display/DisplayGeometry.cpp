#include "display/DisplayGeometry.h"

#include <cstdint>

namespace qel {

namespace display {

QelPoint TaskDialogOrigin(const QelRect& c, QelPoint monitor, int w, int h) {
  const int x = monitor.x + (c.right + (2 * (-w)) / 3 - c.left) / 2;
  const int y = monitor.y + ((c.bottom - c.top) - h) * 3 / 4;
  return {x, y};
}

QelPoint TaskDialogCursor(QelPoint origin, int w, int h) { return {origin.x + w * 3 / 4, origin.y + h / 2}; }

QelPoint CentredOrigin(int sw, int sh, int pw, int ph) {
  int x = (sw - pw) / 2;
  int y = (sh - ph) / 2;
  return {x < 0 ? 0 : x, y < 0 ? 0 : y};
}

QelRect StretchDestination(int sw, int sh, int pw, int scale) {
  QelRect r;
  if (sw <= 0 || sh <= 0) return r;
  int64_t d = (static_cast<int64_t>(pw) * kScaleOne / sw) * scale / kScaleOne;
  if (d > kScaleOne) d = kScaleOne;
  const int dw = static_cast<int>(sw * d / kScaleOne);
  const int dh = static_cast<int>(d * sh / kScaleOne);
  r.left = (sw - dw) >> 1;
  r.top = (sh - dh) >> 1;
  r.right = r.left + dw;
  r.bottom = r.top + dh;
  return r;
}

int ScaleForRect(int clientWidth, const QelRect& rectIn) {
  QelRect rect = rectIn;
  rect.Normalize();
  const bool allZero = rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
  if (rect.IsEmpty() || allZero) return kScaleOne;
  return static_cast<int>(static_cast<int64_t>(clientWidth) * kScaleOne / rect.Width());
}

}  // namespace display

}  // namespace qel
