// The run's random intervals: one generator, seeded once.
#include <gtest/gtest.h>

#include <set>

#include "engine/run/RunRandom.h"

namespace qel {

TEST(RunRandom, DrawsStayWithinTheBoundsAndCoverThem) {
  CRunRandom random(7);
  std::set<uint32_t> seen;
  for (int i = 0; i < 2000; ++i) {
    const uint32_t v = random.Interval(10, 19);
    ASSERT_GE(v, 10u);
    ASSERT_LE(v, 19u);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 10u);
}

TEST(RunRandom, EmptyOrInvertedRangeGivesTheLowBoundWithoutADraw) {
  CRunRandom a(99);
  CRunRandom b(99);
  EXPECT_EQ(a.Interval(500, 500), 500u);
  EXPECT_EQ(a.Interval(800, 200), 800u);
  // No number was used up: both generators still agree.
  EXPECT_EQ(a.Interval(0, 1000000), b.Interval(0, 1000000));
}

TEST(RunRandom, FullRangeDoesNotOverflow) {
  CRunRandom random(3);
  for (int i = 0; i < 100; ++i) (void)random.Interval(0, UINT32_MAX);
  EXPECT_GE(random.Interval(UINT32_MAX - 1, UINT32_MAX), UINT32_MAX - 1);
}

TEST(RunRandom, SameSeedSameSequenceAndSuccessiveDrawsDiffer) {
  CRunRandom a(2024);
  CRunRandom b(2024);
  std::vector<uint32_t> first, second;
  for (int i = 0; i < 50; ++i) {
    first.push_back(a.Interval(1000, 2000));
    second.push_back(b.Interval(1000, 2000));
  }
  EXPECT_EQ(first, second);
  EXPECT_GT(std::set<uint32_t>(first.begin(), first.end()).size(), 40u);
  b.Seed(2025);
  EXPECT_NE(b.Interval(0, 1000000), CRunRandom(2024).Interval(0, 1000000));
}

}  // namespace qel
