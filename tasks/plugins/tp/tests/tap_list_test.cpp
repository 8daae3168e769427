// Taps rebuilt from stored entries, and the overlap rules between taps.
#include <gtest/gtest.h>

#include "tasks/plugins/tp/tests/TapFixtures.h"

namespace qel {

namespace {

using R = std::vector<std::vector<int64_t>>;

TEST(BuildTapList, PressAndReleaseMakeATap) {
  // Left down at 100, up at 180, down at 300, up at 390, down at 500 (held).
  const StoredEntries e{{1, 1, 100}, {0, 1, 80}, {1, 1, 120}, {0, 1, 90}, {1, 1, 110}};
  const TapList left = e.Build(kKeyLeft);
  EXPECT_EQ(left.keyMask, kKeyLeft);
  EXPECT_EQ(left.time, 500);
  EXPECT_EQ(Rows(left), (R{{100, 180, 0, 1}, {300, 390, 200, 1}}));
  EXPECT_TRUE(e.Build(kKeyRight).Empty());
}

TEST(BuildTapList, EachHandFollowsItsOwnChanges) {
  // Left down 100, right down 120, left up 150, right up 190, both down
  // 300, both up 360: the running time counts every entry.
  const StoredEntries e{{1, 1, 100}, {3, 2, 20}, {2, 1, 30}, {0, 2, 40}, {3, 3, 110}, {0, 3, 60}};
  EXPECT_EQ(Rows(e.Build(kKeyLeft)), (R{{100, 150, 0, 1}, {300, 360, 200, 1}}));
  EXPECT_EQ(Rows(e.Build(kKeyRight)), (R{{120, 190, 0, 2}, {300, 360, 180, 2}}));
}

TEST(BuildTapList, AReleaseBeforeAnyPressIsIgnored) {
  const StoredEntries e{{0, 1, 50}, {1, 1, 100}, {0, 1, 80}};
  EXPECT_EQ(Rows(e.Build(kKeyLeft)), (R{{150, 230, 0, 1}}));
}

TEST(BuildTapList, KeepsAtMost500Taps) {
  std::vector<int32_t> categories;
  std::vector<int32_t> times;
  for (int i = 0; i < 600; ++i) {
    categories.push_back(1 | (1 << kChangedShift));
    categories.push_back(0 | (1 << kChangedShift));
    times.push_back(50);
    times.push_back(50);
  }
  const TapList list = BuildTapList(static_cast<int>(categories.size()), categories.data(), times.data(), kKeyLeft);
  EXPECT_EQ(list.Count(), kMaxTaps);
  EXPECT_EQ(list.taps.back().release, 500 * 100);
  EXPECT_TRUE(BuildTapList(5, nullptr, times.data(), kKeyLeft).Empty());
}

struct OverlapCase {
  const char* what;
  int64_t a, b;
  int criterion;
  int count;
};

class Overlaps : public ::testing::TestWithParam<OverlapCase> {};

TEST_P(Overlaps, CountsTapsOverlappingMoreThanTheCriterion) {
  const OverlapCase& c = GetParam();
  const TapList list = Hand(kKeyLeft, {{0, 100}, {1000, 1000}});
  EXPECT_EQ(CountOverlaps(list, c.a, c.b, c.criterion), c.count) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, Overlaps,
                         ::testing::Values(OverlapCase{"30 % of the mean duration, criterion 20", 70, 170, 20, 1},
                                           OverlapCase{"30 %, criterion 30: not more", 70, 170, 30, 0},
                                           OverlapCase{"30 %, criterion 40", 70, 170, 40, 0},
                                           OverlapCase{"50 of the mean of 100 and 300: 25 %", 50, 350, 24, 1},
                                           OverlapCase{"25 %, criterion 25", 50, 350, 25, 0},
                                           OverlapCase{"touching only", 100, 200, 0, 0},
                                           OverlapCase{"0.66 % rounds down to 0", 99, 250, 0, 0},
                                           OverlapCase{"an empty stretch", 50, 50, 0, 0},
                                           OverlapCase{"a reversed stretch", 90, 10, 0, 0},
                                           OverlapCase{"a tap without duration never overlaps", 990, 1010, 0, 0}));

TEST(InvalidateOverlapping, TagsEveryTapSharingTime) {
  TapList list = Hand(kKeyRight, {{0, 100}, {200, 300}, {400, 500}});
  EXPECT_EQ(InvalidateOverlapping(list, 90, 210), 2);
  EXPECT_EQ(Rows(list), (R{{0, 100, 0, 0}, {200, 300, 200, 0}, {400, 500, 200, 2}}));
  EXPECT_EQ(InvalidateOverlapping(list, 300, 400), 0);  // touching
  EXPECT_EQ(list.taps[2].tag, kTapRight);
}

TEST(CountTapsInWindow, CountsWholeTapsWithTheTag) {
  TapList list = Hand(kKeyLeft, {{0, 100}, {200, 300}, {400, 500}, {600, 700}});
  list.taps[1].tag = kTapInvalid;
  EXPECT_EQ(CountTapsInWindow(list, 0, 700, kTapLeft), 3);
  EXPECT_EQ(CountTapsInWindow(list, 0, 699, kTapLeft), 2);  // the last ends after
  EXPECT_EQ(CountTapsInWindow(list, 1, 700, kTapLeft), 2);  // the first starts before
  EXPECT_EQ(CountTapsInWindow(list, 0, 700, kTapInvalid), 1);
  EXPECT_EQ(CountTapsInWindow(list, 0, 700, kTapRight), 0);
}

TEST(FindValidTap, CountsTheInvalidTapsPassed) {
  TapList list = Hand(kKeyLeft, {{0, 10}, {100, 110}, {200, 210}, {300, 310}});
  list.taps[0].tag = kTapInvalid;
  list.taps[2].tag = kTapInvalid;
  int passed = -1;
  EXPECT_EQ(FindValidTap(list, -1, &passed), 1);
  EXPECT_EQ(passed, 1);
  EXPECT_EQ(FindValidTap(list, 100, &passed), 3);
  EXPECT_EQ(passed, 1);
  EXPECT_EQ(FindValidTap(list, 300, &passed), -1);
  EXPECT_EQ(passed, 0);
}

}  // namespace

}  // namespace qel
