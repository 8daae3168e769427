// Alternating taps and synchronous pairs, each case worked out by hand.
#include <gtest/gtest.h>

#include "tasks/plugins/tp/TapMerging.h"
#include "tasks/plugins/tp/tests/TapFixtures.h"

namespace qel {

namespace {

using R = std::vector<std::vector<int64_t>>;

// L1 and R1 overlap by 30 of a mean duration of 100.
TapList OverlapLeft() { return Hand(kKeyLeft, {{0, 100}, {300, 380}}); }
TapList OverlapRight() { return Hand(kKeyRight, {{70, 170}, {450, 530}}); }

TEST(BuildAlternation, ThirtyPercentIsInvalidAtTwentyAndValidAtForty) {
  TapList left = OverlapLeft();
  TapList right = OverlapRight();
  // Both overlapping taps are out; the first kept tap counts from -1.
  EXPECT_EQ(Rows(BuildAlternation(left, right, 20)), (R{{300, 380, 301, 1}, {450, 530, 150, 2}}));
  EXPECT_EQ(left.taps[0].tag, kTapInvalid);
  EXPECT_EQ(right.taps[0].tag, kTapInvalid);

  left = OverlapLeft();
  right = OverlapRight();
  EXPECT_EQ(Rows(BuildAlternation(left, right, 40)),
            (R{{0, 100, 1, 1}, {70, 170, 70, 2}, {300, 380, 230, 1}, {450, 530, 150, 2}}));
}

TEST(BuildAlternation, TheSecondOfTwoLeftTapsIsDroppedAndTimesTheNext) {
  TapList left = Hand(kKeyLeft, {{0, 50}, {200, 250}, {800, 850}});
  TapList right = Hand(kKeyRight, {{500, 550}});
  EXPECT_EQ(Rows(BuildAlternation(left, right, 20)), (R{{0, 50, 1, 1}, {500, 550, 300, 2}, {800, 850, 300, 1}}));
  EXPECT_EQ(left.taps[1].tag, kTapInvalid);
}

TEST(BuildAlternation, ATapAfterInvalidTapsOfItsHandOnlyRestartsTheInterval) {
  // L2 and R2 overlap by 50 %: both invalid. L3 comes after the invalid L2
  // and is not kept, but R3 is timed from it.
  TapList left = Hand(kKeyLeft, {{0, 50}, {400, 500}, {700, 750}});
  TapList right = Hand(kKeyRight, {{200, 260}, {450, 550}, {900, 950}});
  EXPECT_EQ(Rows(BuildAlternation(left, right, 20)), (R{{0, 50, 1, 1}, {200, 260, 200, 2}, {900, 950, 200, 2}}));
}

TEST(BuildAlternation, AnInvalidTapBeforeTheFirstDoesNotHoldItBack) {
  TapList left = Hand(kKeyLeft, {{0, 100}, {300, 350}});
  TapList right = Hand(kKeyRight, {{50, 150}, {500, 550}});
  EXPECT_EQ(Rows(BuildAlternation(left, right, 0)), (R{{300, 350, 301, 1}, {500, 550, 200, 2}}));
}

TEST(BuildAlternation, KeepsAtMost500Taps) {
  TapList left;
  TapList right;
  left.keyMask = kKeyLeft;
  right.keyMask = kKeyRight;
  for (int i = 0; i < 300; ++i) {
    left.taps.push_back(Tap{i * 200, i * 200 + 50, 200, kTapLeft});
    right.taps.push_back(Tap{i * 200 + 100, i * 200 + 150, 200, kTapRight});
  }
  EXPECT_EQ(BuildAlternation(left, right, 20).Count(), kMaxTaps);
}

TEST(BuildSynchrony, ALeftTapOverTwoRightTapsInvalidatesAllThree) {
  // 62 % with each right tap; then two good pairs.
  TapList left = Hand(kKeyLeft, {{0, 200}, {500, 600}, {900, 1000}});
  TapList right = Hand(kKeyRight, {{0, 90}, {110, 200}, {510, 610}, {905, 1000}});
  const TapList pairs = BuildSynchrony(left, right, 60);
  EXPECT_EQ(left.taps[0].tag, kTapInvalid);
  EXPECT_EQ(right.taps[0].tag, kTapInvalid);
  EXPECT_EQ(right.taps[1].tag, kTapInvalid);
  // The first pair is kept although invalid taps come before it; pairs
  // stand at the mean of the presses and end at the later release.
  EXPECT_EQ(Rows(pairs), (R{{505, 610, 506, 3}, {902, 1000, 397, 3}}));
}

TEST(BuildSynchrony, TheCriterionDecidesWhichTapsPair) {
  // 50 % overlap: a pair without criterion, none at 60.
  TapList left = Hand(kKeyLeft, {{0, 100}});
  TapList right = Hand(kKeyRight, {{50, 150}});
  EXPECT_EQ(Rows(BuildSynchrony(left, right, 0)), (R{{25, 150, 26, 3}}));
  left = Hand(kKeyLeft, {{0, 100}});
  right = Hand(kKeyRight, {{50, 150}});
  EXPECT_TRUE(BuildSynchrony(left, right, 60).Empty());
  EXPECT_EQ(left.taps[0].tag, kTapInvalid);
  EXPECT_EQ(right.taps[0].tag, kTapInvalid);
}

TEST(BuildSynchrony, APairAfterInvalidTapsIsNotKept) {
  // The lone left tap at 300 has no partner; the pair after it only moves
  // the time the next pair is measured from.
  TapList left = Hand(kKeyLeft, {{0, 100}, {300, 350}, {500, 600}, {800, 900}});
  TapList right = Hand(kKeyRight, {{0, 100}, {500, 600}, {800, 900}});
  EXPECT_EQ(Rows(BuildSynchrony(left, right, 30)), (R{{0, 100, 1, 3}, {800, 900, 300, 3}}));
}

TEST(BuildSynchrony, ARefusedPairInvalidatesItsStretchAndTheNextPairIsNotKept) {
  // After a good pair at 0: the right tap 1000-1300 pairs with the left tap
  // 1200-1260 (33 % at criterion 30), but their stretch 1100-1300 holds two
  // left taps by more than 30 % (the invalid 1120-1160 at 33 %, and
  // 1200-1260 at 46 %): refused, all three invalidated, the search goes on
  // from 1260. The pair at 1502 then counts only as the time of the next.
  TapList left = Hand(kKeyLeft, {{0, 100}, {1120, 1160}, {1200, 1260}, {1500, 1600}, {1800, 1900}});
  TapList right = Hand(kKeyRight, {{0, 100}, {1000, 1300}, {1505, 1600}, {1800, 1900}});
  const TapList pairs = BuildSynchrony(left, right, 30);
  EXPECT_EQ(left.taps[1].tag, kTapInvalid);
  EXPECT_EQ(left.taps[2].tag, kTapInvalid);
  EXPECT_EQ(right.taps[1].tag, kTapInvalid);
  EXPECT_EQ(Rows(pairs), (R{{0, 100, 1, 3}, {1800, 1900, 298, 3}}));
}

TEST(BuildSynchrony, EndsWhenOneHandHasNoValidTapLeft) {
  TapList left = Hand(kKeyLeft, {{0, 100}, {300, 400}});
  TapList right = Hand(kKeyRight, {{0, 100}});
  EXPECT_EQ(BuildSynchrony(left, right, 60).Count(), 1);
  TapList none;
  EXPECT_TRUE(BuildSynchrony(left, none, 60).Empty());
}

}  // namespace

}  // namespace qel
