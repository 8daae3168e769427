#include "tasks/plugins/tr/TrackingGeometry.h"

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

// The angle of a vector in 0..2 pi, y pointing up.
double AngleOf(double x, double y, double length) {
  const double angle = std::acos(std::clamp(x / length, -1.0, 1.0));
  return y < 0 ? 8.0 * std::atan2(1.0, 1.0) - angle : angle;
}

}  // namespace

TrackGeometry TrackForScreen(int centreY, double scale) {
  TrackGeometry t;
  const int r0 = std::max(static_cast<int>(centreY * scale * 0.5), 6);
  t.halfWidth = std::max(r0 / 18, 2);
  t.radius = r0 - t.halfWidth;
  t.capture = t.halfWidth / 2;
  return t;
}

TrackGeometry TrackWithWidth(TrackGeometry track, uint32_t widthWord) {
  const int share = widthWord == kTrackNarrow ? 7 : widthWord == kTrackWide ? 26 : 13;
  track.halfWidth = track.radius * share / 180;
  track.capture = track.halfWidth / 2;
  return track;
}

double AngleStep(double x1, double y1, double x2, double y2) {
  const double l1 = std::sqrt(x1 * x1 + y1 * y1);
  const double l2 = std::sqrt(x2 * x2 + y2 * y2);
  if (l1 == 0.0 || l2 == 0.0) return 0.0;
  const double fullTurn = 8.0 * std::atan2(1.0, 1.0);
  double degrees = (AngleOf(x2, y2, l2) - AngleOf(x1, y1, l1)) / fullTurn * 360.0;
  if (degrees > 180.0) degrees -= 360.0;
  if (degrees < -180.0) degrees += 360.0;
  return degrees;
}

}  // namespace qel
