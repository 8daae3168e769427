// The criterion picture's bars: their shared stretch is the criterion's
// share of a bar.
#include <gtest/gtest.h>

#include "tasks/plugins/tp/CriterionBars.h"

namespace qel {

namespace {

struct BarsCase {
  int width, criterion;
  int length, overlapLeft, overlapRight;
};

class Bars : public ::testing::TestWithParam<BarsCase> {};

TEST_P(Bars, UpperFromTheLeftLowerFromTheRight) {
  const BarsCase& c = GetParam();
  const CriterionBars b = ComputeCriterionBars(c.width, c.criterion);
  EXPECT_EQ(b.length, c.length);
  EXPECT_EQ(b.upperLeft, 0);
  EXPECT_EQ(b.upperRight, c.length);
  EXPECT_EQ(b.lowerLeft, c.width - c.length);
  EXPECT_EQ(b.lowerRight, c.width);
  EXPECT_EQ(b.HasOverlap(), c.overlapRight > c.overlapLeft);
  if (b.HasOverlap()) {
    EXPECT_EQ(b.overlapLeft, c.overlapLeft);
    EXPECT_EQ(b.overlapRight, c.overlapRight);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Bars,
                         ::testing::Values(BarsCase{90, 20, 50, 40, 50},  // 10 of 50: 20 %
                                           BarsCase{90, 0, 45, 0, 0},     // touching, no overlap
                                           BarsCase{90, 40, 56, 34, 56}, BarsCase{90, 60, 64, 26, 64},
                                           BarsCase{90, 100, 90, 0, 90},  // one over the other
                                           BarsCase{90, -5, 45, 0, 0},    // taken as 0
                                           BarsCase{90, 250, 90, 0, 90},  // taken as 100
                                           BarsCase{0, 60, 0, 0, 0}));

}  // namespace

}  // namespace qel
