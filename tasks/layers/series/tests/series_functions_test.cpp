// Where a series ends and how long it took, over stored categories.
#include <gtest/gtest.h>

#include <vector>

#include "tasks/layers/series/TaskSeries.h"

namespace qel {

namespace {

constexpr int kAll = -1000;  // n = every category of the case

struct EndCase {
  std::vector<int32_t> categories;
  int n;
  int length;
  int end;
  int count;
};

class SeriesEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(SeriesEnd, StopsAfterTheEntryThatCompletesTheSeries) {
  const EndCase& c = GetParam();
  const int n = c.n == kAll ? static_cast<int>(c.categories.size()) : c.n;
  int count = -1;
  EXPECT_EQ(CTaskSeries::GetSeriesEnd(c.categories.data(), n, c.length, &count), c.end);
  EXPECT_EQ(count, c.count);
}

INSTANTIATE_TEST_SUITE_P(Cases, SeriesEnd,
                         ::testing::Values(EndCase{{1, 0, 2, 5, 3, 4}, kAll, 3, 5, 3},  // 0 and 5 are not counted
                                           EndCase{{1, 0, 2, 5, 3, 4}, kAll, 4, 6, 4},  // the last entry completes it
                                           EndCase{{1, 0, 2, 5, 3, 4}, kAll, 9, 6, 4},  // too short: all of it
                                           EndCase{{6, 7, 8, 0, 5}, kAll, 1, 5, 0},     // nothing scored
                                           EndCase{{0, 0, 1, 2}, kAll, 1, 3, 1},        // leading unscored entries
                                           EndCase{{1, 2, 3}, 2, 3, 2, 2},              // n ends the walk
                                           EndCase{{1, 2, 3}, 0, 3, 0, 0},              // nothing to walk
                                           EndCase{{1, 2, 3}, -5, 3, 0, 0}));

TEST(SeriesTime, SumsTheReactionTimesOfScoredEntries) {
  const int32_t categories[] = {1, 5, 2, 0, 3, 4, 6, 7};
  const int32_t times[] = {300, 90, 410, 1000, 250, 600, 2000, 5};
  EXPECT_EQ(CTaskSeries::GetSeriesTime(categories, times, 8), 300 + 410 + 250 + 600);
  EXPECT_EQ(CTaskSeries::GetSeriesTime(categories, times, 3), 300 + 410);
  EXPECT_EQ(CTaskSeries::GetSeriesTime(categories, times, 0), 0);
  EXPECT_EQ(CTaskSeries::GetSeriesTime(nullptr, times, 8), 0);
}

TEST(SeriesTime, DoesNotOverflowOnLongSeries) {
  std::vector<int32_t> categories(6000, 1);
  std::vector<int32_t> times(6000, 2000000);
  EXPECT_EQ(CTaskSeries::GetSeriesTime(categories.data(), times.data(), 6000), int64_t{12000000000});
}

}  // namespace

}  // namespace qel
