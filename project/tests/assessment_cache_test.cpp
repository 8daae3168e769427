// Assessments (stored parts) in the project cache: recording and updating
// entries, their rows, and the dates and span of an assessment.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "project/ProjectData.h"
#include "project/tests/CacheTestSupport.h"

namespace qel {

namespace test {
namespace {

using AssessmentCacheTest = AttentionProjectTest;

struct SpanCase {
  const char* name;
  std::vector<QelDateTime> partDates;  // parts 1, 2, ... of assessment 1
  double spanMinutes;                  // < 0: a null span
  QelDateTime latest;
};

void PrintTo(const SpanCase& c, std::ostream* os) { *os << c.name; }

const SpanCase kSpanCases[] = {
    {"TwoPartsTwentyMinutesApart", {Day(2024, 4, 2, 10, 0), Day(2024, 4, 2, 10, 20)}, 20.0, Day(2024, 4, 2, 10, 20)},
    {"OnePart", {Day(2024, 4, 2, 10, 0)}, -1.0, Day(2024, 4, 2, 10, 0)},
    {"PartsAtTheSameTime", {Day(2024, 4, 2, 10, 0), Day(2024, 4, 2, 10, 0)}, -1.0, Day(2024, 4, 2, 10, 0)},
    {"LaterPartFirst", {Day(2024, 4, 2, 11, 0), Day(2024, 4, 2, 10, 30)}, 30.0, Day(2024, 4, 2, 11, 0)},
    {"ThreePartsEarliestToLatest",
     {Day(2024, 4, 2, 10, 10), Day(2024, 4, 2, 10, 0), Day(2024, 4, 2, 10, 45)},
     45.0,
     Day(2024, 4, 2, 10, 45)},
    {"AcrossMidnight", {Day(2024, 4, 2, 23, 50), Day(2024, 4, 3, 0, 5)}, 15.0, Day(2024, 4, 3, 0, 5)},
    {"InvalidDatesDoNotCount",
     {Invalid(), Day(2024, 4, 2, 10, 0), QelDateTime::Null(), Day(2024, 4, 2, 10, 5)},
     5.0,
     Day(2024, 4, 2, 10, 5)},
    {"NoValidDate", {QelDateTime::Null(), Invalid()}, -1.0, QelDateTime::Null()},
};

class SpanCases : public AssessmentCacheTest, public testing::WithParamInterface<SpanCase> {};

TEST_P(SpanCases, SpanRunsFromTheEarliestToTheLatestPartDate) {
  int part = 1;
  for (const QelDateTime& date : GetParam().partDates) {
    ASSERT_NE(data.AddAssessment("Ann", "Attention", "TP", 1, part++, date, 100, "u"), 0);
  }
  // Another assessment number of the same task does not enter.
  data.AddAssessment("Ann", "Attention", "TP", 2, 1, Day(2030, 1, 1), 100, "u");

  const CTimeSpan span = data.GetAssessmentDateOf("Ann", "Attention", "TP", 1);
  if (GetParam().spanMinutes < 0) {
    EXPECT_TRUE(span.IsNull());
    EXPECT_EQ(span.m_days, 0.0);
  } else {
    ASSERT_TRUE(span.IsValid());
    EXPECT_NEAR(span.m_days * 24 * 60, GetParam().spanMinutes, 1e-6);
  }
  const QelDateTime latest = data.GetAssessmentDate2Of("Ann", "Attention", "TP", 1);
  EXPECT_EQ(latest.status, GetParam().latest.status);
  if (latest.IsValid()) {
    EXPECT_DOUBLE_EQ(latest.value, GetParam().latest.value);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SpanCases, testing::ValuesIn(kSpanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssessmentCacheTest, DatesOfAnythingMissingAreNull) {
  data.AddAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 4, 2, 10, 0), 100, "u");
  data.AddAssessment("Ann", "Attention", "TP", 1, 2, Day(2024, 4, 2, 10, 9), 100, "u");
  const char* const missing[][3] = {{"Nobody", "Attention", "TP"}, {"Ann", "Other", "TP"}, {"Ann", "Attention", "FL"}};
  for (const auto& keys : missing) {
    EXPECT_TRUE(data.GetAssessmentDateOf(keys[0], keys[1], keys[2], 1).IsNull());
    EXPECT_TRUE(data.GetAssessmentDate2Of(keys[0], keys[1], keys[2], 1).IsNull());
  }
  EXPECT_TRUE(data.GetAssessmentDate2Of("Ann", "Attention", "TP", 3).IsNull());
}

TEST_F(AssessmentCacheTest, UpdateReplacesTheEntryInPlaceAddAppendsASecond) {
  data.AddAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 1, 1), 10, "first");
  data.AddAssessment("Ann", "Attention", "TP", 1, 2, Day(2024, 1, 1), 20, "first");
  EXPECT_NE(data.UpdateAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 2, 2), 11, nullptr), 0);

  std::vector<int32_t> parts;
  std::vector<uint32_t> responses;
  std::vector<std::string> users;
  std::vector<QelDateTime> dates;
  ASSERT_EQ(data.GetAssessmentRows("Ann", nullptr, nullptr, nullptr, &parts, &dates, &responses, &users, nullptr,
                                   nullptr, nullptr),
            2);
  EXPECT_EQ(parts, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(responses, (std::vector<uint32_t>{11, 20}));
  EXPECT_EQ(users, (std::vector<std::string>{"", "first"}));
  EXPECT_DOUBLE_EQ(dates[0].value, Day(2024, 2, 2).value);

  EXPECT_NE(data.AddAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 3, 3), 12, "again"), 0);
  ASSERT_EQ(data.GetAssessmentRows("Ann", nullptr, nullptr, nullptr, &parts, nullptr, &responses, nullptr, nullptr,
                                   nullptr, nullptr),
            3);
  EXPECT_EQ(parts, (std::vector<int32_t>{1, 2, 1}));
  EXPECT_EQ(responses, (std::vector<uint32_t>{11, 20, 12}));

  // An update of a part not yet stored appends.
  data.UpdateAssessment("Ann", "Attention", "TP", 1, 3, Day(2024, 3, 3), 30, "u");
  EXPECT_EQ(data.GetAssessmentRows("Ann", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr),
            4);
}

TEST_F(AssessmentCacheTest, OnlyACachedTesteeAndTheSixteenPartsOfAtMostSixThousandResponsesAreRecorded) {
  struct Entry {
    const char* testee;
    int32_t part;
    uint32_t responses;
    bool recorded;
  };
  const Entry entries[] = {
      {"Ann", 1, 6000, true}, {"Ann", 16, 0, true},    {"Ann", 0, 5, false},    {"Ann", 17, 5, false},
      {"Ann", -1, 5, false},  {"Ann", 2, 6001, false}, {"Nobody", 1, 5, false}, {nullptr, 1, 5, false},
  };
  int expected = 0;
  for (const Entry& e : entries) {
    EXPECT_EQ(data.AddAssessment(e.testee, "Attention", "TP", 1, e.part, Day(2024, 1, 1), e.responses, "u") != 0,
              e.recorded)
        << e.part << " " << e.responses;
    EXPECT_EQ(data.UpdateAssessment(e.testee, "Attention", "TP", 1, e.part, Day(2024, 1, 1), e.responses, "u") != 0,
              e.recorded);
    if (e.recorded) ++expected;
  }
  EXPECT_EQ(data.CountAssessments(), static_cast<uint32_t>(expected));
}

TEST_F(AssessmentCacheTest, RowsCarryThePartNumbersWithAndWithoutATesteeFilter) {
  data.AddAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 1, 1), 10, "u");
  data.AddAssessment("Ann", "Attention", "TP", 1, 2, Day(2024, 1, 1), 10, "u");
  data.AddAssessment("Ann", "Attention", "FL", 2, 3, Day(2024, 1, 2), 10, "u");
  data.AddAssessment("Ben", "Attention", "TP", 1, 4, Day(2024, 1, 3), 10, "u");
  data.AddAssessment("Ben", "Memory", "MS", 1, 5, Day(2024, 1, 3), 10, "u");  // model not cached

  std::vector<int32_t> parts;
  std::vector<std::string> testees, models, codes;
  ASSERT_EQ(data.GetAssessmentRows(nullptr, nullptr, nullptr, nullptr, &parts, nullptr, nullptr, nullptr, &testees,
                                   &models, &codes),
            5);
  EXPECT_EQ(parts, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(testees, (std::vector<std::string>{"Ann", "Ann", "Ann", "Ben", "Ben"}));
  EXPECT_EQ(models, (std::vector<std::string>{"Attention", "Attention", "Attention", "Attention", ""}));
  EXPECT_EQ(codes, (std::vector<std::string>{"TP", "TP", "FL", "TP", ""}));

  ASSERT_EQ(data.GetAssessmentRows("Ben", nullptr, nullptr, nullptr, &parts, nullptr, nullptr, nullptr, &testees,
                                   &models, &codes),
            2);
  EXPECT_EQ(parts, (std::vector<int32_t>{4, 5}));
  EXPECT_EQ(testees, (std::vector<std::string>{"Ben", "Ben"}));

  ASSERT_EQ(data.GetAssessmentRows(nullptr, "Attention", "TP", nullptr, &parts, nullptr, nullptr, nullptr, &testees,
                                   &models, &codes),
            3);
  EXPECT_EQ(parts, (std::vector<int32_t>{1, 2, 4}));
  EXPECT_EQ(models, (std::vector<std::string>{"Attention", "Attention", "Attention"}));
  EXPECT_EQ(codes, (std::vector<std::string>{"TP", "TP", "TP"}));

  EXPECT_EQ(data.CountAssessments(), 5u);
  EXPECT_EQ(data.GetAssessmentTotal(), 5u);
  EXPECT_EQ(data.FindTestee("Ben")->GetAssessmentCount(), 2u);
}

}  // namespace
}  // namespace test

}  // namespace qel
