// The picture of an overlap criterion on the parameter page: two bars of
// one length, the upper from the left edge and the lower from the right
// edge, long enough that their shared stretch is the criterion's percentage
// of a bar. Pixel columns, right edges excluded.
#pragma once

namespace qel {

struct CriterionBars {
  int length = 0;
  int upperLeft = 0;
  int upperRight = 0;
  int lowerLeft = 0;
  int lowerRight = 0;
  int overlapLeft = 0;  // the shared stretch; empty when left >= right
  int overlapRight = 0;

  bool HasOverlap() const { return overlapRight > overlapLeft; }
};

// Bars of length width x 100 / (200 - criterion) for a criterion of 0..100
// percent (values outside are taken at the nearer end).
CriterionBars ComputeCriterionBars(int width, int criterion);

}  // namespace qel
