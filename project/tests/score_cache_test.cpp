// Score sets in the project cache: recording them by testee, model and
// task, their rows and histories, and which of them are outdated.
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

class ScoreCacheTest : public AttentionProjectTest {
 protected:
  CScoreData* Score(const char* testee, const char* model, const char* code, uint32_t number,
                    const QelDateTime& birth = kBirth, const char* user = "ua", uint32_t variables = 12) {
    return data.AddScore(testee, model, code, number, Day(2024, 2, number), false, birth, 0, 0, variables, user,
                         Day(2024, 3, number));
  }
  std::vector<uint32_t> Numbers(const char* testee, const char* model, const char* code) const {
    std::vector<uint32_t> numbers;
    data.GetScoreRows(testee, model, code, &numbers, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr);
    return numbers;
  }
  void ChangeBirth(const char* testee, const QelDateTime& birth) {
    const CTesteeData* t = data.FindTestee(testee);
    ASSERT_TRUE(data.SetTestee(t->GetTestee(), t->GetTesteeCode(), t->GetFirstName(), t->GetSurname(), birth,
                               t->GetPreference(), t->GetSex(), nullptr, QelDateTime::Null()));
  }
};

TEST_F(ScoreCacheTest, UpdateReplacesTheNumberAddAppendsASecond) {
  Score("Ann", "Attention", "TP", 1, kBirth, "first");
  Score("Ann", "Attention", "TP", 2);
  data.UpdateScore("Ann", "Attention", "TP", 1, Day(2024, 5, 5), false, kBirth, 0, 0, 30, "second", Day(2024, 5, 6));
  EXPECT_EQ(Numbers("Ann", nullptr, nullptr), (std::vector<uint32_t>{1, 2}));  // replaced in place
  EXPECT_EQ(data.GetScoreUser("Ann", "Attention", "TP", 1), "second");

  ASSERT_NE(Score("Ann", "Attention", "TP", 1, kBirth, "third"), nullptr);
  EXPECT_EQ(Numbers("Ann", nullptr, nullptr), (std::vector<uint32_t>{1, 2, 1}));
  EXPECT_EQ(data.GetScoreUser("Ann", "Attention", "TP", 1), "second");  // the first match wins
}

TEST_F(ScoreCacheTest, UpdateOfANewNumberOrTaskAppends) {
  Score("Ann", "Attention", "TP", 1);
  data.UpdateScore("Ann", "Attention", "TP", 7, Day(2024, 5, 5), false, kBirth, 0, 0, 3, "u", Day(2024, 5, 6));
  data.UpdateScore("Ann", "Attention", "FL", 1, Day(2024, 5, 5), false, kBirth, 0, 0, 3, "u", Day(2024, 5, 6));
  EXPECT_EQ(Numbers("Ann", "Attention", "TP"), (std::vector<uint32_t>{1, 7}));
  EXPECT_EQ(Numbers("Ann", "Attention", "FL"), (std::vector<uint32_t>{1}));
}

TEST_F(ScoreCacheTest, NothingIsRecordedForATesteeNotCached) {
  EXPECT_EQ(Score("Nobody", "Attention", "TP", 1), nullptr);
  data.UpdateScore("Nobody", "Attention", "TP", 1, Day(2024, 5, 5), false, kBirth, 0, 0, 3, "u", Day(2024, 5, 6));
  EXPECT_EQ(Score(nullptr, "Attention", "TP", 1), nullptr);
  EXPECT_EQ(data.CountScores(), 0u);
  EXPECT_TRUE(Numbers(nullptr, nullptr, nullptr).empty());
}

TEST_F(ScoreCacheTest, MoreVariablesThanAScoreSetHoldsAreRefused) {
  EXPECT_NE(Score("Ann", "Attention", "TP", 1, kBirth, "u", 1500), nullptr);
  EXPECT_EQ(Score("Ann", "Attention", "TP", 2, kBirth, "u", 1501), nullptr);
  EXPECT_EQ(Numbers("Ann", nullptr, nullptr), std::vector<uint32_t>{1});
}

TEST_F(ScoreCacheTest, TesteeDataStandsForTheGivenBirthDate) {
  data.AddScore("Ann", "Attention", "TP", 1, Day(2024, 2, 1), true, Day(2000, 1, 1), 1, 1, 5, "u", Day(2024, 2, 1));
  EXPECT_FALSE(data.IsScoreOutdated("Ann", "Attention", "TP", 1));
  ChangeBirth("Ann", Day(2000, 1, 1));
  EXPECT_TRUE(data.IsScoreOutdated("Ann", "Attention", "TP", 1));  // it kept the birth date of 1970
}

TEST_F(ScoreCacheTest, AScoreSetOfAModelNotCachedIsCountedAndListedButNotFoundByName) {
  Score("Ann", "Memory", "MS", 1, kBirth, "u");
  Score("Ann", "Memory", "MS", 2, kBirth, "u");  // no look-up reaches the first entry: a second one
  Score("Ann", "Attention", "XX", 3);            // a cached model without that task
  EXPECT_EQ(data.CountScores(), 3u);

  std::vector<uint32_t> numbers;
  std::vector<std::string> testees, models, codes;
  ASSERT_EQ(data.GetScoreRows(nullptr, nullptr, nullptr, &numbers, nullptr, nullptr, nullptr, nullptr, nullptr,
                              &testees, &models, &codes),
            3);
  EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(testees, (std::vector<std::string>{"Ann", "Ann", "Ann"}));
  EXPECT_EQ(models, (std::vector<std::string>{"", "", "Attention"}));
  EXPECT_EQ(codes, (std::vector<std::string>{"", "", ""}));

  EXPECT_TRUE(Numbers("Ann", "Memory", nullptr).empty());
  EXPECT_TRUE(Numbers("Ann", "Attention", "XX").empty());
  EXPECT_EQ(data.GetScoreUser("Ann", "Memory", "MS", 1), "");
  EXPECT_FALSE(data.IsScoreOutdated("Ann", "Memory", "MS", 1));
}

TEST_F(ScoreCacheTest, AModelCachedLaterDoesNotBindEarlierEntries) {
  Score("Ann", "Memory", "MS", 1);
  CModelData* memory = data.AddModel("Memory", 4, "April 2010", "admin", Day(2024, 1, 1));
  memory->AddTask(1, "MS", "Memory search");
  Score("Ann", "Memory", "MS", 2);
  EXPECT_EQ(Numbers("Ann", "Memory", "MS"), std::vector<uint32_t>{2});
  EXPECT_EQ(Numbers("Ann", nullptr, nullptr), (std::vector<uint32_t>{1, 2}));
}

TEST_F(ScoreCacheTest, RowsFollowTheFiltersAndTakeTheirTexts) {
  Score("Ann", "Attention", "TP", 1, kBirth, "ua", 12);
  Score("Ann", "Attention", "FL", 2, kBirth, "ub", 13);
  Score("Ben", "Attention", "TP", 3, kBirth, "uc", 14);

  struct RowCase {
    const char* testee;
    const char* model;
    const char* code;
    std::vector<uint32_t> numbers;
    std::vector<std::string> testees, models, codes;
  };
  const RowCase cases[] = {
      {nullptr,
       nullptr,
       nullptr,
       {1, 2, 3},
       {"Ann", "Ann", "Ben"},
       {"Attention", "Attention", "Attention"},
       {"TP", "FL", "TP"}},
      {"Ann", nullptr, nullptr, {1, 2}, {"Ann", "Ann"}, {"Attention", "Attention"}, {"TP", "FL"}},
      {nullptr, "Attention", "TP", {1, 3}, {"Ann", "Ben"}, {"Attention", "Attention"}, {"TP", "TP"}},
      {nullptr, nullptr, "FL", {2}, {"Ann"}, {"Attention"}, {"FL"}},
      {"Nobody", nullptr, nullptr, {}, {}, {}, {}},
      {nullptr, "attention", nullptr, {}, {}, {}, {}},
      {"Ben", "Attention", "FL", {}, {}, {}, {}},
  };
  for (const RowCase& c : cases) {
    std::vector<uint32_t> numbers{99}, variables;
    std::vector<std::string> testees{"stale"}, models, codes, users;
    std::vector<QelDateTime> assessed, saved;
    std::vector<uint8_t> outdated;
    const int rows = data.GetScoreRows(c.testee, c.model, c.code, &numbers, &assessed, &outdated, &variables, &users,
                                       &saved, &testees, &models, &codes);
    SCOPED_TRACE(std::string(c.testee ? c.testee : "-") + "/" + (c.model ? c.model : "-") + "/" +
                 (c.code ? c.code : "-"));
    EXPECT_EQ(rows, static_cast<int>(c.numbers.size()));
    EXPECT_EQ(numbers, c.numbers);
    EXPECT_EQ(testees, c.testees);
    EXPECT_EQ(models, c.models);
    EXPECT_EQ(codes, c.codes);
    ASSERT_EQ(variables.size(), c.numbers.size());
    for (size_t k = 0; k < c.numbers.size(); ++k) {
      EXPECT_EQ(variables[k], 11 + c.numbers[k]);
      EXPECT_DOUBLE_EQ(assessed[k].value, Day(2024, 2, c.numbers[k]).value);
      EXPECT_DOUBLE_EQ(saved[k].value, Day(2024, 3, c.numbers[k]).value);
      EXPECT_EQ(outdated[k], 0);
    }
  }
}

TEST_F(ScoreCacheTest, ScoreChangesBeginWithThePresentVersionThenNewestFirst) {
  Score("Ann", "Attention", "TP", 1, Day(1971, 1, 1), "now");
  EXPECT_EQ(
      data.AddScoreChange("Ann", "Attention", "TP", 1, Day(1969, 1, 1), Day(2023, 1, 1), "oldest", Day(2023, 1, 2)), 1);
  EXPECT_EQ(
      data.AddScoreChange("Ann", "Attention", "TP", 1, Day(1969, 2, 2), Day(2023, 6, 1), "older", Day(2023, 6, 2)), 2);
  EXPECT_EQ(data.AddScoreChange("Ann", "Attention", "TP", 9, kBirth, kBirth, "x", kBirth), 0);
  EXPECT_EQ(data.AddScoreChange("Nobody", "Attention", "TP", 1, kBirth, kBirth, "x", kBirth), 0);

  std::vector<QelDateTime> births, assessed, saved;
  std::vector<std::string> users;
  ASSERT_EQ(data.GetScoreChanges("Ann", "Attention", "TP", 1, &births, &assessed, &users, &saved), 3);
  EXPECT_EQ(users, (std::vector<std::string>{"now", "older", "oldest"}));
  EXPECT_DOUBLE_EQ(births[0].value, kBirth.value);  // the testee's current birth date
  EXPECT_DOUBLE_EQ(births[1].value, Day(1969, 2, 2).value);
  EXPECT_DOUBLE_EQ(assessed[0].value, Day(2024, 2, 1).value);
  EXPECT_DOUBLE_EQ(saved[2].value, Day(2023, 1, 2).value);
  EXPECT_EQ(data.GetScoreChangeCount("Ann", "Attention", "TP", 1), 2);
  EXPECT_EQ(data.GetScoreChangeTotal(), 2);
}

TEST_F(ScoreCacheTest, ScoreChangesOfAMissingScoreSetOrEntry) {
  Score("Ann", "Attention", "TP", 1);
  std::vector<QelDateTime> births, assessed, saved;
  std::vector<std::string> users{"stale"};

  // Without history: one row with the testee's current birth date.
  ASSERT_EQ(data.GetScoreChanges("Ann", "Attention", "TP", 1, &births, &assessed, &users, &saved), 1);
  EXPECT_DOUBLE_EQ(births[0].value, kBirth.value);
  EXPECT_EQ(users, std::vector<std::string>{"ua"});

  // The model entry exists, the score set does not: one row, null and empty.
  ASSERT_EQ(data.GetScoreChanges("Ann", "Attention", "TP", 5, &births, &assessed, &users, &saved), 1);
  EXPECT_DOUBLE_EQ(births[0].value, kBirth.value);
  EXPECT_TRUE(assessed[0].IsNull());
  EXPECT_TRUE(saved[0].IsNull());
  EXPECT_EQ(users, std::vector<std::string>{""});

  // No entry for the model, or no such testee: nothing.
  EXPECT_EQ(data.GetScoreChanges("Ben", "Attention", "TP", 1, &births, &assessed, &users, &saved), 0);
  EXPECT_TRUE(births.empty());
  EXPECT_TRUE(users.empty());
  EXPECT_EQ(data.GetScoreChanges("Nobody", "Attention", "TP", 1, &births, &assessed, &users, &saved), 0);
}

struct OutdatedCase {
  const char* name;
  QelDateTime stored;   // birth date the score set was computed with
  QelDateTime current;  // the testee's birth date now
  bool outdated;
};

void PrintTo(const OutdatedCase& c, std::ostream* os) { *os << c.name; }

const OutdatedCase kOutdatedCases[] = {
    {"SameDate", Day(1970, 6, 15), Day(1970, 6, 15), false},
    {"OtherDate", Day(1970, 6, 15), Day(1970, 6, 16), true},
    {"StoredNull", QelDateTime::Null(), Day(1970, 6, 16), false},
    {"StoredInvalid", Invalid(), Day(1970, 6, 16), false},
    {"CurrentNull", Day(1970, 6, 15), QelDateTime::Null(), false},
    {"BothNull", QelDateTime::Null(), QelDateTime::Null(), false},
};

class OutdatedCases : public ScoreCacheTest, public testing::WithParamInterface<OutdatedCase> {};

TEST_P(OutdatedCases, OutdatedWhenBothBirthDatesAreValidAndDiffer) {
  ChangeBirth("Ann", GetParam().current);
  Score("Ann", "Attention", "TP", 1, GetParam().stored);
  EXPECT_EQ(data.IsScoreOutdated("Ann", "Attention", "TP", 1), GetParam().outdated);
  EXPECT_EQ(data.FindOutdatedScores(), GetParam().outdated);
  EXPECT_EQ(data.GetOutdatedScoreCount("Ann"), GetParam().outdated ? 1u : 0u);
  EXPECT_EQ(data.GetOutdatedTotal(), GetParam().outdated ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, OutdatedCases, testing::ValuesIn(kOutdatedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScoreCacheTest, AMarkedTesteesNewBirthDateShowsUntilTheRecount) {
  Score("Ann", "Attention", "TP", 1);
  Score("Ann", "Attention", "FL", 2);
  Score("Ben", "Attention", "TP", 1);
  data.SearchTestees(nullptr, nullptr);
  EXPECT_FALSE(data.FindOutdatedScores());
  EXPECT_FALSE(data.AnySelectedTesteeOutdated());

  ChangeBirth("Ann", Day(1970, 6, 16));
  EXPECT_TRUE(data.AnySelectedTesteeOutdated());
  EXPECT_EQ(data.GetOutdatedScoreCount("Ann"), 0u);  // the old count until the recount
  EXPECT_TRUE(data.IsScoreOutdated("Ann", "Attention", "TP", 1));

  EXPECT_TRUE(data.FindOutdatedScores());
  EXPECT_FALSE(data.AnySelectedTesteeOutdated());
  EXPECT_EQ(data.GetOutdatedScoreCount("Ann"), 2u);
  EXPECT_EQ(data.GetOutdatedScoreCount("Ben"), 0u);
  EXPECT_EQ(data.GetOutdatedTotal(), 2u);
  std::vector<uint8_t> outdated;
  data.GetScoreRows("Ann", nullptr, nullptr, nullptr, nullptr, &outdated, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr);
  EXPECT_EQ(outdated, (std::vector<uint8_t>{1, 1}));

  // Rewriting a score set clears its recorded flag; the counts stay until the next recount.
  data.UpdateScore("Ann", "Attention", "TP", 1, Day(2024, 6, 1), true, QelDateTime::Null(), 0, 0, 5, "u",
                   Day(2024, 6, 1));
  data.GetScoreRows("Ann", nullptr, nullptr, nullptr, nullptr, &outdated, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr);
  EXPECT_EQ(outdated, (std::vector<uint8_t>{0, 1}));
  EXPECT_EQ(data.GetOutdatedScoreCount("Ann"), 2u);

  // An unmarked testee's change is not asked about.
  ChangeBirth("Ben", Day(1999, 1, 1));
  CTesteeFilter onlyAnn;
  onlyAnn.m_names = {"Ann"};
  data.SearchTestees(&onlyAnn, nullptr);
  EXPECT_FALSE(data.AnySelectedTesteeOutdated());
}

TEST_F(ScoreCacheTest, CountsAreSnapshotsUntilRecounted) {
  Score("Ann", "Attention", "TP", 1);
  EXPECT_EQ(data.GetScoreTotal(), 0u);
  EXPECT_EQ(data.CountScores(), 1u);
  Score("Ben", "Attention", "TP", 1);
  EXPECT_EQ(data.GetScoreTotal(), 1u);
  EXPECT_EQ(data.FindTestee("Ben")->GetScoreCount(), 0u);
  EXPECT_EQ(data.CountScores(), 2u);
  EXPECT_EQ(data.FindTestee("Ben")->GetScoreCount(), 1u);
}

}  // namespace
}  // namespace test

}  // namespace qel
