// Runs in the plain project file: a finished part and its variables are one
// transaction, an assessment run again overwrites its part, the counts read
// back never pass the arrays they fill, and the cache follows only what was
// committed; a loaded project shows in the cache what the file holds.
#include <gtest/gtest.h>

#include "app/model/ExpModel.h"
#include "common/Prompt.h"
#include "db/DbException.h"
#include "db/SqliteConnection.h"
#include "db/tests/support/DbTestTools.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

constexpr char kTestee[] = "O'Neil";
constexpr char kModel[] = "Mrs. O'Hara's model";
constexpr char kCode[] = "T'P";

std::string Sql(const std::string& path, const std::string& sql) { return RunSqlShell("sqlite3", path, sql).output; }

class PlainRunsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
    path_ = dir_.File("Runs.qep");
    ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(path_, "me", "", nullptr, true, false));
    project_ = std::make_unique<PlainProject>(path_);
    CTesteeInfo testee;
    testee.m_testee = kTestee;
    testee.m_firstName = "Mary";
    testee.m_surname = "O'Neil";
    testee.m_dateBirth = QelDateTime::FromDate(1960, 1, 1);
    ASSERT_TRUE(project_->db.WriteTestee(testee, false));
    CExpModel model;
    model.Reset();
    model.m_name = kModel;
    model.AddTask(RunTask(kCode, 1, 1, 0));
    ASSERT_TRUE(project_->db.WriteModel(&model));
  }

  // Stores part (1-based) of assessment with n trials and variables of the run tagged seed.
  bool Store(uint32_t assessment, int part, int n, int seed, int variables, bool* newRow,
             const QelDateTime& date = QelDateTime::FromDate(2024, 3, 4, 10, 0, 0)) {
    project_->FillRun(part - 1, n, seed, variables);
    const CExpModelTask task = RunTask(kCode, assessment, part, static_cast<uint32_t>(n));
    return project_->db.WriteResponses(kTestee, kModel, &task, variables, date, newRow);
  }

  TempFolder dir_;
  std::string path_;
  std::unique_ptr<PlainProject> project_;
};

TEST_F(PlainRunsTest, StoringTheSameAssessmentAndPartTwiceLeavesOneRowOfEach) {
  bool newRow = false;
  ASSERT_TRUE(Store(1, 2, 300, 1, 3, &newRow));
  EXPECT_TRUE(newRow);
  ASSERT_TRUE(Store(1, 2, 250, 2, 3, &newRow, QelDateTime::FromDate(2024, 3, 5, 11, 0, 0)));
  EXPECT_FALSE(newRow);
  EXPECT_EQ(Sql(path_,
                "SELECT Testee, Model, Task, Assessment, PartNo, SerNo, Date, RespNum, length(RespType), "
                "length(ProcType) FROM Response;"),
            "O'Neil|Mrs. O'Hara's model|T'P|1|2|0|2024.03.05 11:00:00|250|1000|1000\n");
  EXPECT_EQ(Sql(path_,
                "SELECT Testee, Task, Assessment, Date, VarNum, length(VarAttrs), length(VarNames), "
                "length(VarValues), hex(VarNames) FROM Variable;"),
            "O'Neil|T'P|1|2024.03.05 11:00:00|3|12|60|24|"
            "4E6C755F747000546C755F747000536C755F7470" +
                std::string(60 * 2 - 40, '0') + "\n");

  // The cache holds one assessment entry and one score set, of the second run.
  std::vector<uint32_t> numbers, counts;
  std::vector<int32_t> parts;
  EXPECT_EQ(project_->cache.GetAssessmentRows(kTestee, kModel, kCode, &numbers, &parts, nullptr, &counts, nullptr,
                                              nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(parts, std::vector<int32_t>{2});
  EXPECT_EQ(counts, std::vector<uint32_t>{250});
  std::vector<uint32_t> variableCounts;
  EXPECT_EQ(project_->cache.GetScoreRows(kTestee, kModel, kCode, &numbers, nullptr, nullptr, &variableCounts, nullptr,
                                         nullptr, nullptr, nullptr, nullptr),
            1);

  // Read back into cleared run data: the second run's values.
  project_->runData->ClearPart(1);
  CExpModelTask task = RunTask(kCode, 1, 1, 0);
  ASSERT_TRUE(project_->db.ReadResponses(kTestee, kModel, &task, 1, 0, 0, nullptr, true, false));
  EXPECT_EQ(task.trialCounts[0], 0u);
  EXPECT_EQ(task.trialCounts[1], 250u);
  EXPECT_EQ(task.partDates[1].value, QelDateTime::FromDate(2024, 3, 5, 11, 0, 0).value);
  EXPECT_FALSE(task.partDates[0].IsValid());
  EXPECT_EQ(project_->db.GetLatestResponseDate().value, task.partDates[1].value);
  for (int i : {0, 249}) {
    EXPECT_EQ(project_->runData->category[1][i], RunValue(0, 1, i, 2));
    EXPECT_EQ(project_->runData->taskCategory[1][i], RunValue(3, 1, i, 2));
  }
  EXPECT_EQ(project_->runData->category[1][250], 0);

  std::vector<uint32_t> attributes;
  std::vector<std::string> names, formats, labels;
  std::vector<double> values;
  QelDateTime assessed, saved;
  EXPECT_EQ(project_->db.ReadVariables(kTestee, kModel, kCode, 1, &attributes, &names, &formats, &labels, &values,
                                       &assessed, &saved),
            3);
  EXPECT_EQ(names, (std::vector<std::string>{"Nlu_tp", "Tlu_tp", "Slu_tp"}));
  EXPECT_EQ(formats, (std::vector<std::string>{"%.0f", "%.1f", "%.2f"}));
  EXPECT_EQ(labels[2], "SD of tap time");
  EXPECT_EQ(values, (std::vector<double>{2.0, 2.5, 3.0}));
  EXPECT_EQ(attributes[1], kVarValid | 1u);
  EXPECT_EQ(saved.value, QelDateTime::FromDate(2024, 3, 5, 11, 0, 0).value);
}

TEST_F(PlainRunsTest, ARunOf7000TrialsStores6000AndReadsNeverPassAPart) {
  bool newRow = false;
  ASSERT_TRUE(Store(1, 1, 7000, 1, 3, &newRow));
  EXPECT_EQ(Sql(path_,
                "SELECT RespNum, length(RespType), length(RespTime), length(RespCode), length(ProcType) "
                "FROM Response;"),
            "6000|24000|24000|24000|24000\n");

  // A part read after 5800 trials takes the 200 that still fit.
  ASSERT_TRUE(project_->db.Open(true, false));
  EXPECT_EQ(project_->db.ReadResponseRow(kTestee, kModel, kCode, 1, 1, 0, 5800, nullptr, true, false), 200);
  EXPECT_EQ(project_->runData->category[0][5800], RunValue(0, 0, 0, 1));
  EXPECT_EQ(project_->runData->category[0][5999], RunValue(0, 0, 199, 1));
  EXPECT_EQ(project_->db.ReadResponseRow(kTestee, kModel, kCode, 1, 1, 0, 6000, nullptr, true, false), 0);
  EXPECT_EQ(project_->db.ReadResponseRow(kTestee, kModel, kCode, 1, 17, 0, 0, nullptr, true, false), 0);
  EXPECT_EQ(project_->db.ReadResponseRow(kTestee, kModel, kCode, 1, 2, 0, 0, nullptr, true, false), 0);
  project_->db.Disconnect();

  // Counts in a damaged file are bounded by the arrays they fill.
  {
    SqliteConnection db;
    db.Open(path_, "", false);
    db.Execute("UPDATE Response SET RespNum = 999999, RespType = x'0100'");
    db.Execute("UPDATE Variable SET VarNum = 999999");
  }
  CExpModelTask task = RunTask(kCode, 1, 1, 0);
  ASSERT_TRUE(project_->db.ReadResponses(kTestee, kModel, &task, 1, 1, 1, nullptr, true, false));
  EXPECT_EQ(task.trialCounts[0], 6000u);
  EXPECT_EQ(project_->runData->category[0][0], 0);  // a column too short for its count reads as zeros
  EXPECT_EQ(project_->db.ReadVariablesAsOf(kTestee, kModel, kCode, 1), kMaxVariables);
  EXPECT_EQ(project_->db.GetVariableCount(), kMaxVariables);
  EXPECT_EQ(project_->db.GetVariableName(0), "Nlu_tp");
  EXPECT_EQ(project_->db.GetVariableName(3), "");
  EXPECT_EQ(project_->db.GetVariableValue(kMaxVariables), 9999.0);
  ASSERT_TRUE(project_->db.Reload(nullptr, false));
  std::vector<uint32_t> variableCounts;
  EXPECT_EQ(project_->cache.GetScoreRows(kTestee, kModel, kCode, nullptr, nullptr, nullptr, &variableCounts, nullptr,
                                         nullptr, nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(variableCounts, std::vector<uint32_t>{kMaxVariables});
}

TEST_F(PlainRunsTest, VariablesAreRewrittenOnlyForAnAssessmentThatWasRun) {
  EXPECT_FALSE(project_->db.WriteVariables(kTestee, kModel, kCode, 1, 3));
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM Variable;"), "0\n");
  bool newRow = false;
  ASSERT_TRUE(Store(1, 1, 10, 1, 3, &newRow));
  project_->FillRun(0, 0, 7, 2);
  ASSERT_TRUE(project_->db.WriteVariables(kTestee, kModel, kCode, 1, 2));
  EXPECT_EQ(project_->db.ReadVariablesAsOf(kTestee, kModel, kCode, 1), 2);
  EXPECT_EQ(project_->db.GetVariableValue(1), 7.5);
  // The variables were saved now; the assessment is dated by its responses.
  EXPECT_GT(project_->db.GetSavedDate().value, QelDateTime::FromDate(2024, 3, 5).value);
  EXPECT_EQ(project_->db.GetAssessmentDate().value, QelDateTime::FromDate(2024, 3, 4, 10, 0, 0).value);
  EXPECT_EQ(project_->db.ReadVariablesAsOf(kTestee, kModel, kCode, 2), 0);
  EXPECT_EQ(project_->db.GetVariableCount(), 0);
}

TEST_F(PlainRunsTest, AFailedCommitStoresNothingAndLeavesTheCacheAsItWas) {
  PromptRecorder prompts;
  project_->connection.SetLockWait(50);
  SqliteConnection reader;
  reader.Open(path_, "", true);
  reader.Execute("BEGIN");
  {
    SqliteStatement read(reader, "SELECT count(*) FROM Response");
    read.Step();  // the reader holds its lock until its transaction ends
  }
  bool newRow = true;
  EXPECT_FALSE(Store(1, 1, 100, 1, 3, &newRow));
  EXPECT_FALSE(newRow);
  reader.Execute("COMMIT");
  EXPECT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM Response; SELECT count(*) FROM Variable;"), "0\n0\n");
  EXPECT_EQ(project_->cache.GetAssessmentRows(kTestee, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(project_->cache.GetScoreRows(kTestee, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr),
            0);
  // The connection is free for the next write, which gets a transaction of its own.
  EXPECT_FALSE(project_->connection.IsOpen());
  ASSERT_TRUE(Store(1, 1, 100, 1, 3, &newRow));
  EXPECT_TRUE(newRow);
}

TEST_F(PlainRunsTest, ALoadShowsInTheCacheWhatTheFileHolds) {
  CTesteeInfo second;
  second.m_testee = "Abel";
  second.m_code = "Default";
  second.m_firstName = "A";
  second.m_surname = "B";
  second.m_dateBirth = QelDateTime::FromDate(1970, 2, 3);
  second.m_comment = "note";
  ASSERT_TRUE(project_->db.WriteTestee(second, false));
  bool newRow = false;
  ASSERT_TRUE(Store(1, 1, 20, 1, 3, &newRow, QelDateTime::FromDate(2024, 1, 2)));
  ASSERT_TRUE(Store(1, 2, 20, 1, 3, &newRow, QelDateTime::FromDate(2024, 1, 9)));
  ASSERT_TRUE(Store(2, 1, 20, 1, 2, &newRow, QelDateTime::FromDate(2024, 2, 1)));
  {
    // A row of another serial number does not date the assessment.
    SqliteConnection db;
    db.Open(path_, "", false);
    db.Execute(
        "INSERT INTO Response (Testee, Model, Task, Assessment, PartNo, SerNo, Date, RespNum) "
        "VALUES (?, ?, ?, 1, 3, 1, '2025.01.01 00:00:00', 0)",
        {DbValue(kTestee), DbValue(kModel), DbValue(kCode)});
  }

  PlainProject loaded(path_);
  ASSERT_TRUE(loaded.db.Reload(nullptr, true));
  EXPECT_EQ(loaded.db.GetConnectResult(), 0);
  EXPECT_EQ(loaded.db.GetOwner(), "me");
  EXPECT_EQ(loaded.db.GetVersionText(), "04.00");
  EXPECT_EQ(loaded.db.GetVersionNumber(), 4);
  EXPECT_EQ(loaded.db.GetMinorVersion(), 0);
  EXPECT_EQ(loaded.cache.GetTesteeCodeCount(), 1);
  ASSERT_EQ(loaded.cache.GetTesteeCount(), 2);
  EXPECT_STREQ(loaded.cache.GetTesteeName(0), "Abel");  // in the order of the file's key
  EXPECT_EQ(loaded.cache.GetTesteeDescription("Abel"), "note");
  EXPECT_EQ(loaded.cache.GetTesteeDateBirth("Abel").value, QelDateTime::FromDate(1970, 2, 3).value);
  ASSERT_NE(loaded.cache.FindModel(kModel), nullptr);
  EXPECT_STREQ(loaded.cache.FindModel(kModel)->GetTaskIdStr(0), kCode);
  EXPECT_EQ(loaded.cache.GetAssessmentTotal(), 4u);
  std::vector<uint32_t> numbers;
  std::vector<QelDateTime> dates, saved;
  ASSERT_EQ(loaded.cache.GetScoreRows(kTestee, kModel, kCode, &numbers, &dates, nullptr, nullptr, nullptr, &saved,
                                      nullptr, nullptr, nullptr),
            2);
  EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(dates[0].value, QelDateTime::FromDate(2024, 1, 9).value);  // the latest part of serial number 0
  EXPECT_EQ(dates[1].value, QelDateTime::FromDate(2024, 2, 1).value);
  EXPECT_EQ(saved[0].value, QelDateTime::FromDate(2024, 1, 9).value);
  EXPECT_EQ(loaded.db.GetEarliestResponseDate().value, QelDateTime::FromDate(2024, 1, 2).value);

  // The header alone leaves the cache empty.
  ASSERT_TRUE(loaded.db.Open(true, false));
  EXPECT_EQ(loaded.db.Load(&loaded.connection, false, 1), 0);
  loaded.db.Disconnect();
  EXPECT_EQ(loaded.cache.GetTesteeCount(), 0);
  EXPECT_EQ(loaded.db.GetOwner(), "me");

  // A load that fails leaves no half project behind.
  {
    SqliteConnection db;
    db.Open(path_, "", false);
    db.Execute("ALTER TABLE Variable RENAME TO Gone");
  }
  PromptRecorder prompts;
  EXPECT_FALSE(loaded.db.Reload(nullptr, false));
  EXPECT_EQ(loaded.cache.GetTesteeCount(), 0);
  EXPECT_EQ(loaded.cache.GetModelCount(), 0);
  EXPECT_EQ(loaded.db.GetOwner(), "");
}

}  // namespace
}  // namespace test

}  // namespace qel
