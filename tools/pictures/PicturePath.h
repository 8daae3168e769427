// Outlines of the picture descriptions, written in a small path language:
//   M x y                   move to
//   L x y                   line to
//   C x1 y1 x2 y2 x y       cubic Bezier curve to (x, y)
//   E cx cy rx ry degrees   a closed ellipse, turned clockwise by degrees
//   Z                       close the current outline
// Numbers are decimal, optionally signed, separated by blanks.
#pragma once

#include <vector>

namespace qel {

namespace pictures {

struct PathCommand {
  char op = 0;  // 'M', 'L', 'C', 'E' or 'Z'
  double v[6] = {};
};

// Parses a path; throws std::invalid_argument naming the fault on a
// malformed one (unknown command, missing or unreadable number, a line or
// curve with no start point).
std::vector<PathCommand> ParsePath(const char* path);

}  // namespace pictures

}  // namespace qel
