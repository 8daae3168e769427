// Scoring the stored entries of VisuoSpatial Sequencing without a screen:
// series and answers in a table of cases, by the rules of the task (a
// trial is correct only when every target was pointed at in order).
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "tasks/plugins/vss/VssScoring.h"

namespace qel {

namespace test {

namespace {

// The entries of trials: nine presentation entries (the series, padded
// with 0), then one entry per pointing `pace` ms apart.
struct Entries {
  std::vector<int32_t> categories, codes, times;
  void Trial(int j, const std::vector<int>& series, const std::vector<int>& answers, int pace = 200) {
    for (int m = 0; m < 9; ++m) {
      categories.push_back(j);
      codes.push_back(m < static_cast<int>(series.size()) ? series[static_cast<size_t>(m)] : 0);
      times.push_back(0);
    }
    for (size_t i = 0; i < answers.size(); ++i) {
      categories.push_back(j);
      codes.push_back(answers[i]);
      times.push_back(i == 0 ? pace + 1 : pace);
    }
  }
  VssScore Score(int trials = 24) const {
    return ScoreVssEntries(categories.data(), codes.data(), times.data(), static_cast<int>(codes.size()), trials);
  }
};

struct Case {
  const char* what;
  std::vector<int> series;
  std::vector<int> answers;
  int correct, identified, inOrder, falseAlarms, misses, afterCompletion;
};

class VssScoring : public ::testing::TestWithParam<Case> {};

TEST_P(VssScoring, OneTrial) {
  const Case& c = GetParam();
  Entries e;
  e.Trial(0, c.series, c.answers);
  const VssScore s = e.Score();
  EXPECT_EQ(s.correct, c.correct);
  EXPECT_EQ(s.identified, c.identified);
  EXPECT_EQ(s.inOrder, c.inOrder);
  EXPECT_EQ(s.falseAlarms, c.falseAlarms);
  EXPECT_EQ(s.Misses(), c.misses);
  EXPECT_EQ(s.afterCompletion, c.afterCompletion);
  EXPECT_EQ(s.targetsShown, static_cast<int>(c.series.size()));
  EXPECT_EQ(s.trialsScanned, c.answers.empty() ? 0 : 1) << "a series without any entry after it is not scored";
  EXPECT_EQ(s.intervals.size(), c.answers.empty() ? 0u : c.answers.size() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, VssScoring,
    ::testing::Values(Case{"in order", {1, 5, 9}, {1, 5, 9}, 1, 3, 3, 0, 0, 0},
                      Case{"two swapped", {1, 5, 9}, {1, 9, 5}, 0, 3, 1, 0, 0, 0},
                      Case{"one more after a perfect series", {1, 5, 9}, {1, 5, 9, 2}, 0, 3, 3, 1, 0, 1},
                      Case{"incomplete", {1, 5, 9}, {1, 5}, 0, 2, 2, 0, 1, 0},
                      Case{"a circle twice", {1, 5, 9}, {1, 1, 5, 9}, 0, 3, 1, 1, 0, 0},
                      Case{"a wrong circle first", {7, 8, 9}, {4, 7, 8, 9}, 0, 3, 0, 1, 0, 0},
                      Case{"seven in order", {7, 8, 9, 5, 1, 2, 3}, {7, 8, 9, 5, 1, 2, 3}, 1, 7, 7, 0, 0, 0}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(VssScoringTrials, AnUnansweredSeriesIsNotCorrectAndItsTargetsAreMissed) {
  Entries e;
  e.Trial(0, {7, 8, 9}, {7, 8, 9}, 200);
  e.Trial(1, {1, 5, 9}, {});
  e.Trial(2, {3, 2, 1}, {3, 2, 1}, 300);
  const VssScore s = e.Score();
  EXPECT_EQ(s.trialsScanned, 3);
  EXPECT_EQ(s.correct, 2);
  EXPECT_EQ(s.identified, 6);
  EXPECT_EQ(s.Misses(), 3);
  EXPECT_EQ(s.intervals, (std::vector<int32_t>{200, 200, 300, 300}));
  // At most the given number of trials is scanned.
  EXPECT_EQ(e.Score(1).trialsScanned, 1);
  EXPECT_EQ(e.Score(1).correct, 1);
}

TEST(VssScoringTrials, VersionsMapTheSeriesDigits) {
  // Version 1 exchanges the top and bottom rows, version 2 the outer columns.
  const int version1[9] = {6, 7, 8, 3, 4, 5, 0, 1, 2};
  const int version2[9] = {2, 1, 0, 5, 4, 3, 8, 7, 6};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(MapSeriesIndex(1, i), version1[i]);
    EXPECT_EQ(MapSeriesIndex(2, i), version2[i]);
    EXPECT_EQ(MapSeriesIndex(3, i), i);
  }
}

}  // namespace

}  // namespace test

}  // namespace qel
