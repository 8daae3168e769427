#include "tasks/plugins/pu/PursuitPath.h"

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

constexpr int kRadiusUnits[6] = {3, 6, 9, 12, 18, 30};
constexpr double kSpeedFactors[3] = {2.0, 1.0, 0.5};
constexpr int kMaxPointsPerArc = 600;

// Headings on the screen: east, north, west, south (y grows downward).
constexpr int kDx[4] = {1, 0, -1, 0};
constexpr int kDy[4] = {0, -1, 0, 1};

int Left(int heading) { return (heading + 1) & 3; }
int Right(int heading) { return (heading + 3) & 3; }

struct Walk {
  int cells;
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < cells && y < cells; }
};

}  // namespace

int PursuitRadius(int32_t smoothing, int centreX) {
  if (smoothing < 0 || smoothing > 5) return 0;
  return kRadiusUnits[smoothing] * centreX / 320;
}

int PursuitPointsPerArc(int radius, int32_t speed) {
  const double factor = kSpeedFactors[(speed >= 0 && speed <= 2) ? speed : 1];
  const double n = std::trunc(radius * (factor * 2.0 * std::atan2(1.0, 1.0)) * 0.2);
  return static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxPointsPerArc)));
}

int PursuitGridCells(int gridSize, int radius) { return radius > 0 ? gridSize / radius + 1 : 0; }

std::vector<QelPoint> BuildPursuitPath(const PursuitPathSpec& spec, const std::function<uint32_t()>& random) {
  std::vector<QelPoint> path;
  const int r = PursuitRadius(spec.smoothing, spec.centreX);
  if (r <= 0 || spec.samples <= 0) return path;
  const int n = PursuitPointsPerArc(r, spec.speed);
  const Walk walk{PursuitGridCells(spec.gridSize, r)};

  // The arc's points from its start node, as offsets along the heading and
  // toward the turn (the same for every orientation).
  std::vector<QelPoint> arc(static_cast<size_t>(n));
  const double quarter = 2.0 * std::atan2(1.0, 1.0);
  for (int i = 0; i < n; ++i) {
    const double angle = quarter * i / n;
    arc[static_cast<size_t>(i)] =
        QelPoint{static_cast<int32_t>(r * std::sin(angle)), static_cast<int32_t>(r * (1.0 - std::cos(angle)))};
  }

  int x = walk.cells / 2;
  int y = walk.cells / 2;
  const int startX = x;
  const int startY = y;
  int heading = static_cast<int>(random() & 3);
  path.reserve(static_cast<size_t>(spec.samples) + static_cast<size_t>(n));
  while (static_cast<int>(path.size()) < spec.samples) {
    const bool leftFirst = (random() & 1) != 0;
    // Candidates in order: on along the heading with room for the next arc,
    // on along the heading, then a sharp turn or a reversal at an edge.
    struct Move {
      int heading;
      int turn;
    };
    Move chosen{heading, leftFirst ? Left(heading) : Right(heading)};
    bool found = false;
    auto ends = [&](const Move& m, int* ex, int* ey) {
      *ex = x + kDx[m.heading] + kDx[m.turn];
      *ey = y + kDy[m.heading] + kDy[m.turn];
    };
    for (int pass = 0; pass < 3 && !found; ++pass) {
      int headings[3] = {heading, heading, heading};
      int headingCount = 1;
      if (pass == 2) {
        headings[0] = Left(heading);
        headings[1] = Right(heading);
        headings[2] = (heading + 2) & 3;
        headingCount = 3;
      }
      for (int h = 0; h < headingCount && !found; ++h) {
        const int first = leftFirst ? Left(headings[h]) : Right(headings[h]);
        const int second = leftFirst ? Right(headings[h]) : Left(headings[h]);
        for (const int turn : {first, second}) {
          const Move m{headings[h], turn};
          int ex = 0;
          int ey = 0;
          ends(m, &ex, &ey);
          if (!walk.Inside(ex, ey)) continue;
          if (pass == 0 && !walk.Inside(ex + kDx[turn], ey + kDy[turn])) continue;
          chosen = m;
          found = true;
          break;
        }
      }
    }
    // A grid of a single node has no room at all: the arc leaves it.
    const int baseX = spec.startX + (x - startX) * r;
    const int baseY = spec.startY + (y - startY) * r;
    for (const QelPoint& p : arc) {
      path.push_back(QelPoint{baseX + kDx[chosen.heading] * p.x + kDx[chosen.turn] * p.y,
                              baseY + kDy[chosen.heading] * p.x + kDy[chosen.turn] * p.y});
    }
    ends(chosen, &x, &y);
    heading = chosen.turn;
  }
  path.resize(static_cast<size_t>(spec.samples));
  return path;
}

}  // namespace qel
