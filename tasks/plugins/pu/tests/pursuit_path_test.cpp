// The target's path without a screen: radii and points per arc from the
// parameters, and paths that are connected quarter arcs of one radius on
// the grid, starting at the given point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "tasks/plugins/pu/PursuitPath.h"

namespace qel {

namespace test {

namespace {

TEST(PursuitPath, RadiusAndPointsPerArcFollowSmoothingSpeedAndScreen) {
  // Smoothing 3 on a 640-wide screen: radius 12; at medium speed 3 points per arc.
  EXPECT_EQ(PursuitRadius(3, 320), 12);
  EXPECT_EQ(PursuitPointsPerArc(12, 1), 3);
  EXPECT_EQ(PursuitPointsPerArc(12, 0), 7);  // 12 x pi x 0.2 = 7.5
  EXPECT_EQ(PursuitPointsPerArc(12, 2), 1);  // 1.9
  EXPECT_EQ(PursuitPointsPerArc(12, 9), 3) << "an unknown speed moves as medium";
  const int radii[6] = {3, 6, 9, 12, 18, 30};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(PursuitRadius(k, 320), radii[k]);
    EXPECT_EQ(PursuitRadius(k, 960), 3 * radii[k]) << "1920 pixels wide";
  }
  EXPECT_EQ(PursuitRadius(6, 320), 0);
  EXPECT_EQ(PursuitRadius(-1, 320), 0);
  EXPECT_EQ(PursuitPointsPerArc(3, 2), 1) << "at least one point";
  EXPECT_EQ(PursuitPointsPerArc(5000, 0), 600) << "at most 600";
  EXPECT_EQ(PursuitGridCells(180, 12), 16);
  EXPECT_TRUE(BuildPursuitPath({320, 240, 320, 180, 1, 6, 100}, [] { return 0u; }).empty()) << "no radius, no path";
}

struct PathCase {
  int centreX;
  int gridSize;
  int32_t speed;
  int32_t smoothing;
  int samples;
  bool roomy;  // the grid leaves room to glide without a kink
};

class PursuitPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(PursuitPaths, AreConnectedQuarterArcsOnTheGrid) {
  const PathCase& c = GetParam();
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    std::minstd_rand random(seed);
    PursuitPathSpec spec;
    spec.startX = c.centreX;
    spec.startY = 300;
    spec.centreX = c.centreX;
    spec.gridSize = c.gridSize;
    spec.speed = c.speed;
    spec.smoothing = c.smoothing;
    spec.samples = c.samples;
    const std::vector<QelPoint> path = BuildPursuitPath(spec, [&] { return static_cast<uint32_t>(random()); });
    ASSERT_EQ(static_cast<int>(path.size()), c.samples);
    EXPECT_EQ(path[0].x, spec.startX);
    EXPECT_EQ(path[0].y, spec.startY);

    const int r = PursuitRadius(c.smoothing, c.centreX);
    const int n = PursuitPointsPerArc(r, c.speed);
    const int cells = PursuitGridCells(c.gridSize, r);
    const int half = cells / 2;
    int kinks = 0;
    int lastEndHeadingX = 0;
    int lastEndHeadingY = 0;
    for (int a = 0; (a + 1) * n < c.samples; ++a) {
      const QelPoint from = path[static_cast<size_t>(a * n)];
      const QelPoint to = path[static_cast<size_t>((a + 1) * n)];
      // Nodes of the grid, one radius apart, never off the grid.
      ASSERT_EQ((from.x - spec.startX) % r, 0);
      ASSERT_EQ((from.y - spec.startY) % r, 0);
      const int gx = (to.x - spec.startX) / r + half;
      const int gy = (to.y - spec.startY) / r + half;
      EXPECT_TRUE(gx >= 0 && gx < cells && gy >= 0 && gy < cells) << "node " << gx << "," << gy;
      const int dx = to.x - from.x;
      const int dy = to.y - from.y;
      ASSERT_EQ(std::abs(dx), r) << "arc " << a;
      ASSERT_EQ(std::abs(dy), r) << "arc " << a;
      // One of the two corners is the arc's centre: every point is a radius from it.
      const QelPoint centres[2] = {{from.x + dx, from.y}, {from.x, from.y + dy}};
      int which = -1;
      for (int k = 0; k < 2 && which < 0; ++k) {
        bool all = true;
        for (int i = 0; i < n; ++i) {
          const QelPoint p = path[static_cast<size_t>(a * n + i)];
          const double dist = std::hypot(p.x - centres[k].x, p.y - centres[k].y);
          if (dist < r - 1.5 || dist > r + 1.5) all = false;
        }
        if (all) which = k;
      }
      ASSERT_GE(which, 0) << "arc " << a << " is a quarter circle";
      // Around the corner beside its start it leaves along y and arrives
      // along x; around the other one the other way.
      const int leaveX = which == 1 ? (dx > 0 ? 1 : -1) : 0;
      const int leaveY = which == 0 ? (dy > 0 ? 1 : -1) : 0;
      const int arriveX = which == 0 ? (dx > 0 ? 1 : -1) : 0;
      const int arriveY = which == 1 ? (dy > 0 ? 1 : -1) : 0;
      if (a > 0 && (leaveX != lastEndHeadingX || leaveY != lastEndHeadingY)) ++kinks;
      lastEndHeadingX = arriveX;
      lastEndHeadingY = arriveY;
    }
    if (c.roomy) EXPECT_EQ(kinks, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, PursuitPaths,
                         ::testing::Values(PathCase{320, 180, 1, 3, 600, true},    // 640 x 480, the defaults
                                           PathCase{320, 180, 0, 1, 1500, true},   // small arcs, slow
                                           PathCase{960, 405, 2, 5, 6000, true},   // 1920 x 1080, wide arcs, fast
                                           PathCase{320, 180, 1, 5, 600, true},    // 7 nodes a side
                                           PathCase{1920, 405, 1, 5, 600, false},  // 3 nodes a side: sharp turns
                                           PathCase{960, 90, 0, 5, 300, false}));  // 2 nodes a side

}  // namespace

}  // namespace test

}  // namespace qel
