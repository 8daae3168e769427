// The history rows of the testee, response and score lists: the kept
// versions an audited project's history gives, shown with the history icons,
// the filter texts where the filter names the testee, model or task, and no
// rows when the file cannot be read. The history source is scripted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/ProjectHistory.h"
#include "project/TesteeFilter.h"
#include "ui/IconIndex.h"
#include "ui/ListRows.h"
#include "ui/ProjectDataRows.h"

namespace qel {

namespace {

QelDateTime Day(int y, int m, int d) { return QelDateTime::FromDate(y, m, d); }

std::vector<std::string> Column(const CListRows& rows, size_t column) {
  std::vector<std::string> cells;
  for (const CListRow& row : rows.rows) cells.push_back(column < row.cells.size() ? row.cells[column] : "<none>");
  return cells;
}

std::vector<int> Images(const CListRows& rows) {
  std::vector<int> images;
  for (const CListRow& row : rows.rows) images.push_back(row.image);
  return images;
}

// Two kept rows of each kind; failing makes every read fail as an
// unreadable file does. It records what each read was asked for.
class ScriptedHistory final : public IProjectHistory {
 public:
  int ReadTesteeHistory(const CTesteeFilter* filter, std::vector<std::string>* testees,
                        std::vector<std::string>* codes, std::vector<std::string>* firstNames,
                        std::vector<std::string>* surnames, std::vector<QelDateTime>* birthDates,
                        std::vector<std::string>* preferenceTexts, std::vector<std::string>* users,
                        std::vector<QelDateTime>* dates, std::vector<bool>* flags) override {
    hadFilter = filter != nullptr;
    if (filter) askedFilter = *filter;
    if (failing) return -1;
    *testees = {"Ann", "Ann"};
    *codes = {"Clinic", "Clinic"};
    *firstNames = {"Ann", "Ann"};
    *surnames = {"Smith", "Smith"};
    *birthDates = {Day(1950, 1, 1), Day(1951, 1, 1)};
    *preferenceTexts = {"R, Female", "L, Female"};
    *users = {"anna", "bert"};
    *dates = {Day(2024, 1, 1), Day(2024, 2, 1)};
    *flags = {false, false};
    return 2;
  }
  int ReadResponseHistory(const std::string& testee, const std::string& model, const std::string& task,
                          std::vector<uint32_t>* assessments, std::vector<int32_t>* parts,
                          std::vector<QelDateTime>* partDates, std::vector<int32_t>* responseCounts,
                          std::vector<std::string>* users, std::vector<std::string>* testees,
                          std::vector<std::string>* models, std::vector<std::string>* tasks) override {
    asked = {testee, model, task};
    askedNames = {testees != nullptr, models != nullptr, tasks != nullptr};
    if (failing) return -1;
    *assessments = {1, 2};
    *parts = {1, 2};
    *partDates = {Day(2024, 3, 1), Day(2024, 3, 2)};
    *responseCounts = {40, 41};
    *users = {"anna", "bert"};
    if (testees) *testees = {"Ann", "Ben"};
    if (models) *models = {"Attention", "Memory"};
    if (tasks) *tasks = {"TP", "FL"};
    return 2;
  }
  int ReadVariableHistory(const std::string& testee, const std::string& model, const std::string& task,
                          std::vector<uint32_t>* assessments, std::vector<QelDateTime>* assessmentDates,
                          std::vector<bool>* flags, std::vector<int32_t>* variableCounts,
                          std::vector<std::string>* users, std::vector<QelDateTime>* dates,
                          std::vector<std::string>* testees, std::vector<std::string>* models,
                          std::vector<std::string>* tasks, std::vector<int64_t>*) override {
    asked = {testee, model, task};
    askedNames = {testees != nullptr, models != nullptr, tasks != nullptr};
    if (failing) return -1;
    *assessments = {3, 3};
    *assessmentDates = {Day(2024, 4, 1), Day(2024, 4, 1)};
    *flags = {false, false};
    *variableCounts = {12, 12};
    *users = {"anna", "bert"};
    *dates = {Day(2024, 4, 2), Day(2024, 4, 9)};
    if (testees) *testees = {"Ann", "Ann"};
    if (models) *models = {"Attention", "Attention"};
    if (tasks) *tasks = {"TP", "TP"};
    return 2;
  }

  bool failing = false;
  bool hadFilter = false;
  CTesteeFilter askedFilter;
  std::vector<std::string> asked;
  std::vector<bool> askedNames;
};

TEST(HistoryRowsTest, TesteeHistoryRowsShowEveryKeptVersionWithTheHistoryIcon) {
  ScriptedHistory history;
  const CListRows rows = BuildTesteeHistoryRows(&history, "Ann");
  ASSERT_EQ(rows.result, 2);
  // One testee's history: the identifier as a whole, not the start of other names.
  ASSERT_TRUE(history.hadFilter);
  EXPECT_EQ(history.askedFilter.m_testee, "Ann");
  EXPECT_EQ(history.askedFilter.m_wholeMatch, 1);
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconTesteeHistory, kIconTesteeHistory}));
  EXPECT_EQ(Column(rows, 1), (std::vector<std::string>{"Ann", "Ann"}));
  EXPECT_EQ(Column(rows, 3), (std::vector<std::string>{ListDateText(Day(1950, 1, 1)), ListDateText(Day(1951, 1, 1))}));
  EXPECT_EQ(Column(rows, 6), (std::vector<std::string>{"R, Female", "L, Female"}));
  EXPECT_EQ(Column(rows, 7), (std::vector<std::string>{"anna", "bert"}));
  EXPECT_EQ(Column(rows, 8), (std::vector<std::string>{ListDateText(Day(2024, 1, 1)), ListDateText(Day(2024, 2, 1))}));
  EXPECT_EQ(Column(rows, 9), (std::vector<std::string>{"", ""}));

  BuildTesteeHistoryRows(&history, "");
  EXPECT_FALSE(history.hadFilter) << "every testee's history is read without a filter";
}

TEST(HistoryRowsTest, ResponseAndScoreHistoryRowsAskForTheNamesTheFilterLeavesOpen) {
  ScriptedHistory history;
  CListRows rows = BuildResponseHistoryRows(&history, "Ann", "", "");
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(history.asked, (std::vector<std::string>{"Ann", "", ""}));
  EXPECT_EQ(history.askedNames, (std::vector<bool>{false, true, true}));
  EXPECT_EQ(Column(rows, 1), (std::vector<std::string>{"Ann", "Ann"}));
  EXPECT_EQ(Column(rows, 2), (std::vector<std::string>{"Attention", "Memory"}));
  EXPECT_EQ(Column(rows, 4), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Column(rows, 7), (std::vector<std::string>{"40", "41"}));
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconAssessment, kIconAssessment}));

  std::vector<QelDateTime> saved;
  rows = BuildScoreHistoryRows(&history, "", "Attention", "TP", &saved);
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(history.askedNames, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconScoreHistory, kIconScoreHistory}));
  EXPECT_EQ(Column(rows, 3), (std::vector<std::string>{"TP", "TP"}));
  EXPECT_EQ(Column(rows, 7), (std::vector<std::string>{"anna", "bert"}));
  EXPECT_EQ(Column(rows, 8), (std::vector<std::string>{ListDateText(Day(2024, 4, 2)), ListDateText(Day(2024, 4, 9))}));
  EXPECT_EQ(Column(rows, 9), (std::vector<std::string>{"", ""}));
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[1].value, Day(2024, 4, 9).value);
}

TEST(HistoryRowsTest, AnUnreadableHistoryGivesNoRowsAndMinusOneAndNoSourceGivesNothing) {
  ScriptedHistory history;
  history.failing = true;
  std::vector<QelDateTime> saved{Day(2000, 1, 1)};
  for (const CListRows& rows : {BuildTesteeHistoryRows(&history, "Ann"), BuildResponseHistoryRows(&history, "", "", ""),
                                BuildScoreHistoryRows(&history, "", "", "", &saved)}) {
    EXPECT_EQ(rows.result, -1);
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_FALSE(rows.columns.empty());
  }
  EXPECT_TRUE(saved.empty());
  for (const CListRows& rows : {BuildTesteeHistoryRows(nullptr, "Ann"), BuildResponseHistoryRows(nullptr, "", "", ""),
                                BuildScoreHistoryRows(nullptr, "", "", "", nullptr)}) {
    EXPECT_EQ(rows.result, 0);
    EXPECT_TRUE(rows.rows.empty());
  }
}

}  // namespace

}  // namespace qel
