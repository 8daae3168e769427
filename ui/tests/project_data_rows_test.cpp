// The rows of the project data lists and the change-history lists, built
// from a small project cache without an X server.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "app/model/ExpModelTask.h"
#include "app/text/ImageIndex.h"
#include "engine/library/TaskLibrary.h"
#include "project/TesteeFilter.h"
#include "project/tests/CacheTestSupport.h"
#include "ui/IconIndex.h"
#include "ui/ProjectDataRows.h"

namespace qel {

namespace {

using test::Day;

std::vector<std::string> Column(const CListRows& rows, size_t column) {
  std::vector<std::string> cells;
  for (const CListRow& row : rows.rows) cells.push_back(column < row.cells.size() ? row.cells[column] : "<none>");
  return cells;
}

std::vector<std::string> Keys(const CListRows& rows) {
  std::vector<std::string> keys;
  for (const CListRow& row : rows.rows) keys.push_back(row.key);
  return keys;
}

std::vector<int> Images(const CListRows& rows) {
  std::vector<int> images;
  for (const CListRow& row : rows.rows) images.push_back(row.image);
  return images;
}

std::vector<std::string> Captions(const CListRows& rows) {
  std::vector<std::string> captions;
  for (const CListColumn& column : rows.columns) captions.emplace_back(column.caption);
  return captions;
}

// The fixture project: models Attention (TP, FL loaded) and Memory (two
// tasks whose plug-ins are missing); Ann has two Tapping scores and three
// stored parts, Ben one Flanker score computed with an older birth date.
class ProjectRowsTest : public test::AttentionProjectTest {
 protected:
  void SetUp() override {
    test::AttentionProjectTest::SetUp();
    CModelData* memory = data.AddModel("Memory", 2, "May 2011", "editor", Day(2024, 3, 1));
    memory->AddTask(7, "MS", "Memory Search");
    memory->AddTask(8, "ML", "Memory Letters");
    data.AddScore("Ann", "Attention", "TP", 1, Day(2024, 2, 1, 10, 30), true, {}, 0, 0, 12, "nurse", Day(2024, 2, 2));
    data.AddScore("Ann", "Attention", "TP", 2, Day(2024, 2, 5), true, {}, 0, 0, 12, "nurse", Day(2024, 2, 6));
    data.AddScore("Ben", "Attention", "FL", 1, Day(2024, 2, 3), false, Day(1960, 1, 1), 0, 0, 30, "doctor",
                  QelDateTime::Null());
    data.AddAssessment("Ann", "Attention", "TP", 1, 1, Day(2024, 2, 1), 40, "nurse");
    data.AddAssessment("Ann", "Attention", "TP", 1, 2, Day(2024, 2, 1), 41, "nurse");
    data.AddAssessment("Ann", "Attention", "TP", 2, 1, Day(2024, 2, 5), 42, "nurse");
    data.AddAssessment("Ben", "Attention", "FL", 1, 1, Day(2024, 2, 3), 90, "doctor");
    data.CountScores();
    data.CountAssessments();
    data.FindOutdatedScores();
  }
};

}  // namespace

TEST_F(ProjectRowsTest, TesteeRowsMarkOutdatedTesteesAndFollowTheFilterAndHistoryMode) {
  struct Case {
    const char* name;
    bool filtered;
    bool history;
    std::vector<std::string> keys;
    std::vector<int> images;
    std::vector<std::string> comments;
  };
  const std::string warning = "Testee modified, Maybe some scores must be rebuilt";
  const Case cases[] = {
      {"all", false, false, {"Ann", "Ben"}, {kIconTestee, kIconTesteeOutdated}, {"", warning}},
      {"history mode", false, true, {"Ann", "Ben"}, {kIconTesteeHistory, kIconTesteeOutdated}, {"", warning}},
      {"filtered", true, false, {"Ben"}, {kIconTesteeOutdated}, {warning}},
  };
  CTesteeFilter filter;
  filter.m_testee = "B";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CListRows rows = BuildTesteeRows(&data, c.filtered ? &filter : nullptr, c.history);
    EXPECT_EQ(rows.result, static_cast<int>(c.keys.size()));
    EXPECT_EQ(Keys(rows), c.keys);
    EXPECT_EQ(Images(rows), c.images);
    EXPECT_EQ(Column(rows, 9), c.comments);
  }
  const CListRows rows = BuildTesteeRows(&data, nullptr, false);
  EXPECT_EQ(Captions(rows), (std::vector<std::string>{"No.", "Id", "Code", "Birth date", "First name", "Surname",
                                                      "Pref", "User", "Date", "Comment"}));
  EXPECT_EQ(rows.columns[0].width, -40);
  EXPECT_EQ(rows.columns[3].width, -60);
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  2", "Ben", "Clinic", ListDateText(kBirth), "Ben", "Jones",
                                                          "L, Male", "", "", warning}));
  EXPECT_EQ(BuildTesteeRows(nullptr, nullptr, false).result, 0);
}

TEST_F(ProjectRowsTest, ModelRowsMarkModelsWithMissingPlugIns) {
  const CListRows rows = BuildModelRows(&data);
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(Keys(rows), (std::vector<std::string>{"Attention", "Memory"}));
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"  1", "Attention", "4", "2", "admin",
                                                          ListDateText(Day(2024, 1, 1)), ""}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  2", "Memory*", "2", "2", "editor",
                                                          ListDateText(Day(2024, 3, 1)), "Tasks not available: 2"}));
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconModel, kIconModel}));
}

TEST_F(ProjectRowsTest, TesteeCodeRowsShowLabelUserAndOnlyValidDates) {
  data.AddTesteeCode("Clinic", "Outpatients", "admin", Day(2024, 1, 5));
  data.AddTesteeCode("Ward", nullptr, nullptr, test::Invalid());
  const CListRows rows = BuildTesteeCodeRows(&data);
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(rows.rows[0].cells,
            (std::vector<std::string>{"  1", "Clinic", "Outpatients", "admin", ListDateText(Day(2024, 1, 5))}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  2", "Ward", "", "", ""}));
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconTesteeCode, kIconTesteeCode}));
}

TEST_F(ProjectRowsTest, ResponseAndScoreRowsFollowTheirFilters) {
  struct Case {
    const char* name;
    std::string testee, model, task;
    std::vector<std::string> responseTestees;
    std::vector<std::string> responseKeys;
    std::vector<std::string> scoreTestees;
    std::vector<std::string> scoreTasks;
  };
  const Case cases[] = {
      {"no filter", "", "", "", {"Ann", "Ann", "Ann", "Ben"}, {"1", "1", "2", "1"}, {"Ann", "Ann", "Ben"},
       {"TP", "TP", "FL"}},
      {"by testee", "Ann", "", "", {"Ann", "Ann", "Ann"}, {"1", "1", "2"}, {"Ann", "Ann"}, {"TP", "TP"}},
      {"by task", "", "Attention", "FL", {"Ben"}, {"1"}, {"Ben"}, {"FL"}},
      {"nothing matches", "Nobody", "", "", {}, {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CListRows responses = BuildResponseRows(&data, c.testee, c.model, c.task);
    EXPECT_EQ(Column(responses, 1), c.responseTestees);
    EXPECT_EQ(Keys(responses), c.responseKeys);
    const CListRows scores = BuildScoreRows(&data, c.testee, c.model, c.task, false, nullptr);
    EXPECT_EQ(Column(scores, 1), c.scoreTestees);
    EXPECT_EQ(Column(scores, 3), c.scoreTasks);
  }
  const CListRows responses = BuildResponseRows(&data, "Ann", "", "");
  EXPECT_EQ(responses.rows[1].cells, (std::vector<std::string>{"  2", "Ann", "Attention", "TP", "1", "2",
                                                               ListDateText(Day(2024, 2, 1)), "41", "nurse"}));
  std::vector<QelDateTime> saved;
  const CListRows scores = BuildScoreRows(&data, "", "", "", false, &saved);
  EXPECT_EQ(scores.rows[0].cells,
            (std::vector<std::string>{"  1", "Ann", "Attention", "TP", "1", ListDateText(Day(2024, 2, 1, 10, 30)), "12",
                                      "nurse", ListDateText(Day(2024, 2, 2)), ""}));
  // Ben's score was computed with another birth date: outdated, with no saving date.
  EXPECT_EQ(scores.rows[2].cells[9], "Testee modified");
  EXPECT_EQ(scores.rows[2].cells[8], "");
  EXPECT_EQ(Images(scores), (std::vector<int>{kIconScore, kIconScore, kIconScoreOutdated}));
  EXPECT_EQ(Images(BuildScoreRows(&data, "", "", "", true, nullptr)),
            (std::vector<int>{kIconScoreHistory, kIconScoreHistory, kIconScoreOutdated}));
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[1].value, Day(2024, 2, 6).value);
  EXPECT_TRUE(saved[2].IsNull());
}

TEST_F(ProjectRowsTest, AssessmentRowsListThePartsOfOneTask) {
  CTaskLibrary twoParts;
  twoParts.loaded = 1;
  twoParts.partCount = 2;
  CExpModelTask task;
  task.TaskIdStr = "TP";
  task.library = &twoParts;
  task.assessmentCounts[0] = 2;
  task.assessmentCounts[1] = 1;
  std::vector<std::vector<uint32_t>> completed;
  CListRows rows = BuildAssessmentRows(&data, "Ann", "Attention", &task, &completed);
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(Keys(rows), (std::vector<std::string>{"2", "1"}));
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"  1", "Ann", "Attention", "TP", "  1", "2", "1, 2"}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  2", "Ann", "Attention", "TP", "  2", "1", "1"}));
  EXPECT_EQ(completed[0], (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(completed[1], (std::vector<uint32_t>{1}));

  // A one-part task shows "-" as its part; a part with nothing stored shows "-".
  twoParts.partCount = 1;
  rows = BuildAssessmentRows(&data, "Ben", "Attention", &task, &completed);
  ASSERT_EQ(rows.result, 1);
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"  1", "Ben", "Attention", "TP", "-", "2", "-"}));
  EXPECT_TRUE(completed[0].empty());

  // No rows without a testee, a model or a task.
  EXPECT_EQ(BuildAssessmentRows(&data, "", "Attention", &task, nullptr).rows.size(), 0u);
  EXPECT_EQ(BuildAssessmentRows(&data, "Ann", "Attention", nullptr, nullptr).rows.size(), 0u);
}

TEST(TaskRowsTest, TasksWhosePlugInIsMissingAreMarked) {
  CTaskLibrary loaded;
  loaded.loaded = 1;
  loaded.partCount = 3;
  loaded.scoreVariableCount = 25;
  CExpModel model;
  CExpModelTask tapping;
  tapping.TaskId = 5;
  tapping.TaskIdStr = "TP";
  tapping.TaskName = "Tapping";
  tapping.w.TaskVersion = 2;
  tapping.library = &loaded;
  CExpModelTask missing;
  missing.TaskId = 9;
  missing.TaskIdStr = "ZZ";
  missing.TaskName = "Gone";
  missing.w.TaskVersion = 1;
  model.AddTask(tapping);
  model.AddTask(missing);
  const CListRows rows = BuildTaskRows(&model);
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"1", "TP", "Tapping", "2", "3", "25"}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"*2", "ZZ", "Gone", "1", "-", "<TASK NOT AVAILABLE>"}));
  EXPECT_EQ(Images(rows), (std::vector<int>{GetImageIndex(5), GetImageIndex(9)}));
  EXPECT_EQ(BuildTaskRows(nullptr).result, 0);
}

TEST(UserRowsTest, OneRowPerUser) {
  std::vector<CUserRecord> users(2);
  users[0].m_id = "anna";
  users[0].m_firstName = "Anna";
  users[0].m_surname = "Berg";
  users[0].m_registered = Day(2023, 5, 1);
  users[0].m_institute = "Clinic";
  users[1].m_id = "bob";
  const CListRows rows = BuildUserRows(&users);
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(rows.rows[0].cells,
            (std::vector<std::string>{"  1", ListDateText(Day(2023, 5, 1)), "anna", "Anna", "Berg", "Clinic", ""}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  2", "", "bob", "", "", "", ""}));
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconUser, kIconUser}));
}

TEST_F(ProjectRowsTest, ChangeHistoriesCompareNeighbouringVersions) {
  // One version only: no rows.
  CListRows rows = BuildTesteeUpdateRows(&data, "Ann");
  EXPECT_EQ(rows.result, 0);
  EXPECT_TRUE(rows.rows.empty());

  // Ann's present row was preceded by two older ones (newest first).
  data.AddTesteeChange("Ann", Day(1969, 1, 1), 2, "oldest", Day(2023, 1, 1));
  data.AddTesteeChange("Ann", Day(1969, 6, 1), 1, "older", Day(2023, 6, 1));
  rows = BuildTesteeUpdateRows(&data, "Ann");
  ASSERT_EQ(rows.result, 2);
  EXPECT_EQ(rows.accountedRows, 3);
  EXPECT_EQ(Keys(rows), (std::vector<std::string>{"Ann", "Ann"}));
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconTesteeChanged, kIconTesteeChanged}));
  EXPECT_EQ(Column(rows, 0), (std::vector<std::string>{"  2", "  1"}));
  EXPECT_EQ(rows.rows[1].cells, (std::vector<std::string>{"  1", ListDateText(Day(2023, 6, 1)), "older",
                                                          ListDateText(Day(1969, 6, 1)), "L",
                                                          ListDateText(Day(2023, 1, 1)), "oldest",
                                                          ListDateText(Day(1969, 1, 1)), "A"}));
  // The first row's old columns are the second row's new ones.
  EXPECT_EQ(std::vector<std::string>(rows.rows[0].cells.begin() + 5, rows.rows[0].cells.end()),
            std::vector<std::string>(rows.rows[1].cells.begin() + 1, rows.rows[1].cells.begin() + 5));

  data.AddScoreChange("Ann", "Attention", "TP", 1, Day(1969, 1, 1), Day(2023, 1, 1), "first", Day(2023, 1, 2));
  CScoreVersions versions;
  rows = BuildScoreUpdateRows(&data, "Ann", "Attention", "TP", 1, &versions);
  ASSERT_EQ(rows.result, 1);
  EXPECT_EQ(rows.rows[0].cells, (std::vector<std::string>{"  1", ListDateText(Day(2024, 2, 2)), "nurse",
                                                          ListDateText(kBirth), ListDateText(Day(2023, 1, 2)), "first",
                                                          ListDateText(Day(1969, 1, 1)),
                                                          ListDateText(Day(2024, 2, 1, 10, 30))}));
  EXPECT_EQ(versions.GetNewUser(0), "nurse");
  EXPECT_EQ(versions.GetOldUser(0), "first");
  EXPECT_EQ(versions.GetOldUser(1), "");
  EXPECT_EQ(versions.GetOldDate(0).value, Day(2023, 1, 2).value);
  EXPECT_TRUE(versions.GetNewDate(5).IsNull());
  EXPECT_EQ(Images(rows), (std::vector<int>{kIconScoreChanged}));
  EXPECT_EQ(BuildScoreUpdateRows(&data, "Ann", "Attention", "TP", 2, nullptr).result, 0);
}

}  // namespace qel
