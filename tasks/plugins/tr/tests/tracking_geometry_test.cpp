// The track's geometry and the angle steps around its centre, without a screen.
#include <gtest/gtest.h>

#include "tasks/plugins/tr/TrackingGeometry.h"

namespace qel {

namespace test {

namespace {

TEST(TrackingGeometry, TheTrackFollowsScreenScaleAndWidth) {
  // 480 lines at scale 1.5: R0 = 180, w = 10, R = 170.
  const TrackGeometry t = TrackForScreen(240, 1.5);
  EXPECT_EQ(t.radius, 170);
  EXPECT_EQ(t.halfWidth, 10);
  EXPECT_EQ(t.capture, 5);
  const struct {
    uint32_t word;
    int halfWidth, capture;
  } widths[] = {{kTrackNarrow, 6, 3}, {kTrackMedium, 12, 6}, {kTrackWide, 24, 12}, {7, 12, 6}};
  for (const auto& w : widths) {
    const TrackGeometry g = TrackWithWidth(t, w.word);
    EXPECT_EQ(g.radius, 170) << w.word;
    EXPECT_EQ(g.halfWidth, w.halfWidth) << w.word;
    EXPECT_EQ(g.capture, w.capture) << w.word;
  }
  // Tiny screens keep a usable track.
  const TrackGeometry tiny = TrackForScreen(4, 1.0);
  EXPECT_EQ(tiny.halfWidth, 2);
  EXPECT_EQ(tiny.radius, 4);
  EXPECT_EQ(TrackForScreen(540, 1.0).radius, 270 - 15);
}

TEST(TrackingGeometry, AngleStepsArePositiveCounterclockwise) {
  const struct {
    double x1, y1, x2, y2, degrees;
  } cases[] = {
      {1, 0, 0, 1, 90},  // east to north: counterclockwise
      {0, 1, 1, 0, -90},
      {1, 0, 0, -1, -90},  // east to south
      {0, -1, 1, 0, 90},
      {-1, 0.01, -1, -0.01, 1.1459},  // across the negative x axis: wrapped, not -358.9
      {-1, -0.01, -1, 0.01, -1.1459},
      {1, 0, -1, 0, 180},
      {3, 4, 6, 8, 0},
      {0, 0, 1, 0, 0},  // a null vector
      {1, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(AngleStep(c.x1, c.y1, c.x2, c.y2), c.degrees, 1e-3)
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
  }
}

}  // namespace

}  // namespace test

}  // namespace qel
