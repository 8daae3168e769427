// Finding testees: the search marks, the rows of a list chosen by the same
// rules, and the count of marked testees with score sets.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "project/ProjectData.h"
#include "project/TesteeFilter.h"
#include "project/tests/CacheTestSupport.h"

namespace qel {

namespace test {
namespace {

class TesteeSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    Add("T01", "Clinic", "Smith");
    Add("T02", "clinic", "Goldsmith");
    Add("t03", "Ward", "SMITH");
    Add("X10", "Ward", "Smithers");
    Add("T011", "Clinic", "Jones");
  }
  void Add(const std::string& name, const std::string& code, const std::string& surname) {
    ASSERT_NE(data.AddTestee(name, code, "First", surname, Day(1980, 1, 1), 0, 1, nullptr, QelDateTime::Null()),
              nullptr);
  }
  std::vector<std::string> Marked() const {
    std::vector<std::string> names;
    for (int i = 0; i < data.GetTesteeCount(); ++i) {
      if (data.IsTesteeSelected(i)) names.push_back(data.GetTesteeName(i));
    }
    return names;
  }

  FakeLoadedTasks tasks;
  CProjectData data{tasks};
};

struct SearchCase {
  const char* name;
  CTesteeFilter filter;
  std::vector<std::string> found;
};

void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

CTesteeFilter Filter(const char* testee, const char* code, const char* surname, bool ignoreCase, bool whole,
                     std::vector<std::string> names = {}) {
  CTesteeFilter f;
  f.m_testee = testee;
  f.m_code = code;
  f.m_surname = surname;
  f.m_ignoreCase = ignoreCase;
  f.m_wholeMatch = whole;
  f.m_names = std::move(names);
  return f;
}

const SearchCase kSearchCases[] = {
    {"SurnameBeginsWithPattern", Filter("", "", "Sm", false, false), {"T01", "X10"}},
    {"SurnameIgnoringCase", Filter("", "", "Sm", true, false), {"T01", "t03", "X10"}},
    {"SurnameWholeMatch", Filter("", "", "Smith", false, true), {"T01"}},
    {"SurnameWholeMatchIgnoringCase", Filter("", "", "smith", true, true), {"T01", "t03"}},
    {"TwoDigitNamePrefix", Filter("T0", "", "", false, false), {"T01", "T02", "T011"}},
    {"NamePrefixIgnoringCase", Filter("t0", "", "", true, false), {"T01", "T02", "t03", "T011"}},
    {"EveryPatternMustMatch", Filter("T0", "Clinic", "", false, false), {"T01", "T011"}},
    {"CodeIgnoringCase", Filter("", "CLINIC", "", true, true), {"T01", "T02", "T011"}},
    {"PatternLongerThanField", Filter("T0111", "", "", false, false), {}},
    {"EmptyFilterMatchesAll", Filter("", "", "", false, false), {"T01", "T02", "t03", "X10", "T011"}},
    {"NamesListWinsOverPatterns", Filter("Z", "", "", false, false, {"X10", "T02"}), {"T02", "X10"}},
    {"NamesListComparedExactly", Filter("", "", "", true, false, {"t01", "t03"}), {"t03"}},
};

class TesteeSearchCases : public TesteeSearchTest, public testing::WithParamInterface<SearchCase> {};

TEST_P(TesteeSearchCases, SearchMarksExactlyTheMatchingTestees) {
  // A previous search's marks do not survive.
  const CTesteeFilter everyone;
  ASSERT_EQ(data.SearchTestees(&everyone, nullptr), 5);
  bool found = true;
  EXPECT_EQ(data.SearchTestees(&GetParam().filter, &found), static_cast<int>(GetParam().found.size()));
  EXPECT_FALSE(found);
  EXPECT_EQ(Marked(), GetParam().found);
}

TEST_P(TesteeSearchCases, RowsFollowTheSameRulesWithoutTouchingMarks) {
  const CTesteeFilter onlyJones = Filter("", "", "Jones", false, true);
  data.SearchTestees(&onlyJones, nullptr);
  std::vector<std::string> names{"stale"};
  EXPECT_EQ(data.GetTesteeRows(names, &GetParam().filter, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr),
            static_cast<int>(GetParam().found.size()));
  EXPECT_EQ(names, GetParam().found);
  EXPECT_EQ(Marked(), std::vector<std::string>{"T011"});
}

INSTANTIATE_TEST_SUITE_P(Cases, TesteeSearchCases, testing::ValuesIn(kSearchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TesteeSearchTest, NullFilterSelectsEveryTestee) {
  EXPECT_EQ(data.SearchTestees(nullptr, nullptr), 5);
  std::vector<std::string> names;
  EXPECT_EQ(data.GetTesteeRows(names, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            5);
}

TEST_F(TesteeSearchTest, TesteeRowsCarryEveryColumn) {
  ASSERT_TRUE(
      data.SetTestee("T02", "clinic", "Gwen", "Goldsmith", Day(1990, 2, 3), 1, 1, "note", Day(2024, 1, 2, 9, 30)));
  data.AddScore("T02", "M", "TP", 1, Day(2024, 1, 1), false, Day(1990, 2, 2), 0, 0, 10, "u", Day(2024, 1, 1));
  data.FindOutdatedScores();
  const CTesteeFilter filter = Filter("T02", "", "", false, true);
  std::vector<std::string> names, codes, firstNames, surnames, handSex, descriptions;
  std::vector<QelDateTime> births, dates;
  std::vector<uint32_t> outdated;
  ASSERT_EQ(data.GetTesteeRows(names, &filter, &codes, &firstNames, &surnames, &births, &handSex, &descriptions, &dates,
                               &outdated),
            1);
  EXPECT_EQ(codes[0], "clinic");
  EXPECT_EQ(firstNames[0], "Gwen");
  EXPECT_EQ(surnames[0], "Goldsmith");
  EXPECT_DOUBLE_EQ(births[0].value, Day(1990, 2, 3).value);
  EXPECT_EQ(handSex[0], "L, Female");
  EXPECT_EQ(descriptions[0], "note");
  EXPECT_DOUBLE_EQ(dates[0].value, Day(2024, 1, 2, 9, 30).value);
  EXPECT_EQ(outdated[0], 1u);
}

TEST_F(TesteeSearchTest, MarkedTesteesWithScoreSetsAreCounted) {
  // T01: two score sets; T02: assessments only; t03: one score set, unmarked.
  data.AddScore("T01", "M", "TP", 1, Day(2024, 1, 1), true, QelDateTime::Null(), 0, 0, 5, "u", Day(2024, 1, 1));
  data.AddScore("T01", "M", "TP", 2, Day(2024, 1, 2), true, QelDateTime::Null(), 0, 0, 5, "u", Day(2024, 1, 2));
  data.AddAssessment("T02", "M", "TP", 1, 1, Day(2024, 1, 1), 40, "u");
  data.AddScore("t03", "M", "TP", 1, Day(2024, 1, 1), true, QelDateTime::Null(), 0, 0, 5, "u", Day(2024, 1, 1));
  data.CountScores();
  data.CountAssessments();
  const CTesteeFilter filter = Filter("T0", "", "", false, false);
  data.SearchTestees(&filter, nullptr);

  uint32_t total = 99;
  EXPECT_EQ(data.CountSelectedTesteesWithAssessments(&total), 1);
  EXPECT_EQ(total, 2u);
  EXPECT_EQ(data.CountSelectedTesteesWithAssessments(nullptr), 1);
}

}  // namespace
}  // namespace test

}  // namespace qel
