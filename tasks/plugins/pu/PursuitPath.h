// The path of Pursuit's target: quarter-circle arcs of one radius laid by a
// random walk over a square grid of nodes one radius apart. Each arc runs
// from a node to a diagonal neighbour, leaving it in the direction in which
// the previous arc arrived and turning left or right; the two moves of an
// arc (along the heading, then across it) pick one of eight orientations.
// The walk starts in the grid's middle, stays on the grid, and prefers
// turns that leave room for the next arc, so the target glides without
// kinks; only at an edge with no such turn does it turn sharply. The whole
// path is shifted so that its first point is the given start (the screen
// centre). One point is one sample of the task (100 ms).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "include/qel/DrawContext.h"

namespace qel {

struct PursuitPathSpec {
  int startX = 320;  // the first point (the screen centre)
  int startY = 240;
  int centreX = 320;      // the screen's centre column: radii scale with the screen width
  int gridSize = 180;     // side of the grid in pixels
  int32_t speed = 1;      // 0 low, 1 medium, 2 high
  int32_t smoothing = 3;  // 0..5
  int samples = 0;        // points wanted
};

// Radius of the arcs: {3, 6, 9, 12, 18, 30}[smoothing] x centre x / 320
// pixels; 0 for a smoothing outside 0..5 (no path).
int PursuitRadius(int32_t smoothing, int centreX);
// Points of one quarter arc, 1..600: the arc's length over the target's
// step for the speed (a speed outside 0..2 moves as medium).
int PursuitPointsPerArc(int radius, int32_t speed);
// Nodes of the grid on a side: size / radius + 1.
int PursuitGridCells(int gridSize, int radius);

// The path, spec.samples points long; empty without a radius or samples.
// `random` gives the walk's choices (only its lowest bits are used).
std::vector<QelPoint> BuildPursuitPath(const PursuitPathSpec& spec, const std::function<uint32_t()>& random);

}  // namespace qel
