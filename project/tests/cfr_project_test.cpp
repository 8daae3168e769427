// The CFR project file: created whole, read by other programs as the format
// stands, every write audited (the row as it stood kept in its twin, Date
// and User on every row, the acting user a project user) in one
// transaction that the cache follows only after its commit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/Prompt.h"
#include "db/SqliteConnection.h"
#include "db/tests/support/DbTestTools.h"
#include "project/TesteeFilter.h"
#include "project/tests/CfrProjectSupport.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

std::string Sql(const std::string& path, const std::string& sql) { return RunSqlShell("sqlite3", path, sql).output; }

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const QelDateTime kDay1 = QelDateTime::FromDate(2024, 3, 1, 9, 0, 0);
const QelDateTime kDay2 = QelDateTime::FromDate(2024, 3, 2, 10, 0, 0);
const QelDateTime kDay3 = QelDateTime::FromDate(2024, 3, 3, 11, 0, 0);

class CfrProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
    path_ = dir_.File("Study.qep");
    MakeCfrProjectForRuns(path_);
  }

  TempFolder dir_;
  std::string path_;
  CUserRecord jdoe_ = TestUser("jdoe");
};

TEST_F(CfrProjectTest, ANewFileHasItsElevenTablesItsHeaderAndItsCreator) {
  EXPECT_EQ(Sql(path_, "SELECT name FROM sqlite_master WHERE type='table' AND name <> 'sqlite_sequence' ORDER BY rowid;"),
            "TesteeCodes\nTestees\nTesteesHistory\nModels\nTasks\nResponses\nResponsesHistory\nVariables\n"
            "VariablesHistory\nUsers\nStringsProject\n");
  EXPECT_EQ(Sql(path_, "SELECT Id, Fname, User, Attributes FROM Users;"), "admin|First admin|admin|0\n");
  EXPECT_EQ(Sql(path_, "SELECT CodeNumber, String1 FROM StringsProject WHERE CodeNumber IN (1, 2, 3, 4);"),
            "1|admin\n2|Clinic\n3|Study\n4|01.04\n");
  EXPECT_EQ(Sql(path_, "PRAGMA foreign_key_check;"), "");

  CfrProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  EXPECT_EQ(project.db.GetOwner(), "Clinic");
  EXPECT_EQ(project.db.GetOwnerComment(), "Study");
  EXPECT_EQ(project.db.GetVersionNumber(), 1);
  EXPECT_EQ(project.db.GetMinorVersion(), 4);
  EXPECT_EQ(project.db.GetCreationUser(), "admin");
  EXPECT_EQ(project.db.GetCreationDate().size(), 10u);
  EXPECT_TRUE(project.cache.IsCfrContent());
  EXPECT_EQ(project.cache.GetTesteeCount(), 1);
  EXPECT_EQ(project.cache.GetModelCount(), 1);
  EXPECT_EQ(project.cache.GetModelTaskTotal(), 1);
  EXPECT_TRUE(project.cache.IsUser("admin"));

  // Over an existing file: told, and the file is as it was.
  PromptRecorder prompts;
  const std::string before = Slurp(path_);
  EXPECT_FALSE(CProjectDbCfr::CreateProjectFile(path_, jdoe_, "x", "y", nullptr, false, true));
  ASSERT_EQ(prompts.ShownTexts(), std::vector<std::string>{"Project\n\"" + path_ + "\"\nalready exists!"});
  EXPECT_EQ(Slurp(path_), before);

  // A creator without a registration date is registered as the file is made.
  CUserRecord unregistered = jdoe_;
  unregistered.m_registered = QelDateTime::Null();
  const std::string second = dir_.File("Second.qep");
  ASSERT_TRUE(CProjectDbCfr::CreateProjectFile(second, unregistered, "", "", nullptr, false, false));
  EXPECT_EQ(Sql(second, "SELECT Id, length(Registered) FROM Users;"), "jdoe|19\n");
}

TEST_F(CfrProjectTest, PartOnePartTwoAndPartOneAgainLeaveExactlyTheirRowsAndTwins) {
  CfrProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  bool newAssessment = false;
  bool userAdded = false;
  ASSERT_TRUE(project.Store(jdoe_, 1, 1, 50, 1, kDay1, &newAssessment, &userAdded));
  EXPECT_TRUE(newAssessment);
  EXPECT_TRUE(userAdded);
  EXPECT_TRUE(project.cache.IsUser("jdoe"));
  ASSERT_TRUE(project.Store(jdoe_, 1, 2, 40, 2, kDay2, &newAssessment, &userAdded));
  EXPECT_FALSE(newAssessment);
  EXPECT_FALSE(userAdded);
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM ResponsesHistory;") + Sql(path_, "SELECT count(*) FROM VariablesHistory;"),
            "0\n0\n");
  const CUserRecord other = TestUser("other");
  EXPECT_EQ(project.cache.GetScoreChangeTotal(), 0) << "a further part completes the scores, keeping none";
  ASSERT_TRUE(project.Store(other, 1, 1, 30, 3, kDay3, &newAssessment, &userAdded));
  EXPECT_FALSE(newAssessment);
  EXPECT_TRUE(userAdded);
  // Part 1 stored again replaced the score set: the open project knows the
  // kept version at once, as it does when loaded again.
  EXPECT_EQ(project.cache.GetScoreChangeCount(kCfrTestee, kCfrModel, kCfrCode, 1), 1);
  EXPECT_EQ(project.cache.GetScoreChangeTotal(), 1);

  EXPECT_EQ(Sql(path_,
                "SELECT Testee, Model, Task, AssNo, PartNo, SerNo, DatePart, RespNum, DateBirth, Preference, Sex, "
                "length(RespType), Date, User, Attributes FROM Responses ORDER BY PartNo;"),
            "O'Neil|Model|TP|1|1|0|2024.03.03 11:00:00|30|1970.05.06 00:00:00|1|2|120|2024.03.03 11:00:00|other|0\n"
            "O'Neil|Model|TP|1|2|0|2024.03.02 10:00:00|40|1970.05.06 00:00:00|1|2|160|2024.03.02 10:00:00|jdoe|0\n");
  EXPECT_EQ(Sql(path_,
                "SELECT Testee, AssNo, PartNo, DatePart, RespNum, length(RespType), Date, User, Attributes, Seq "
                "FROM ResponsesHistory;"),
            "O'Neil|1|1|2024.03.01 09:00:00|50|200|2024.03.01 09:00:00|jdoe|0|1\n");
  EXPECT_EQ(Sql(path_, "SELECT Testee, AssNo, DateAss, VarNum, length(VarValues), Date, User FROM Variables;"),
            "O'Neil|1|2024.03.03 11:00:00|3|24|2024.03.03 11:00:00|other\n");
  EXPECT_EQ(Sql(path_, "SELECT Testee, AssNo, DateAss, VarNum, Date, User, Attributes, Seq FROM VariablesHistory;"),
            "O'Neil|1|2024.03.02 10:00:00|3|2024.03.02 10:00:00|jdoe|0|1\n");
  EXPECT_EQ(Sql(path_, "SELECT Id FROM Users ORDER BY Id;"), "admin\njdoe\nother\n");
  // The kept part reads back whole, with the user who stored it.
  std::vector<std::string> users;
  EXPECT_EQ(project.db.ReadResponseHistory(kCfrTestee, "", "", nullptr, nullptr, nullptr, nullptr, &users, nullptr,
                                           nullptr, nullptr),
            1);
  EXPECT_EQ(users, std::vector<std::string>{"jdoe"});
  ASSERT_TRUE(project.db.Open(true, false));
  EXPECT_EQ(project.db.ReadResponseRow(kCfrTestee, kCfrModel, kCfrCode, 1, 1, 0, 0, nullptr, true, true), 50);
  project.db.Disconnect();
  EXPECT_EQ(project.runData->reactionTime[0][49], RunValue(1, 0, 49, 1));

  // Loaded again: the score set has its one kept version.
  CfrProject again(path_);
  ASSERT_TRUE(again.db.Reload(nullptr, false));
  EXPECT_EQ(again.cache.GetScoreChangeCount(kCfrTestee, kCfrModel, kCfrCode, 1), 1);
  EXPECT_EQ(again.cache.GetScoreUser(kCfrTestee, kCfrModel, kCfrCode, 1), "other");
  EXPECT_EQ(again.cache.GetUserCount(), 3);
}

TEST_F(CfrProjectTest, AWriteThatFailsRollsBackTheUserItAddedAndLeavesTheCache) {
  CfrProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  PromptRecorder prompts;
  bool userAdded = true;
  // The testee is not in the project: the file refuses the row.
  EXPECT_FALSE(project.Store(jdoe_, 1, 1, 50, 1, kDay1, nullptr, &userAdded, "Nobody"));
  EXPECT_FALSE(userAdded);
  EXPECT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(Sql(path_, "SELECT Id FROM Users;"), "admin\n");
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM Responses;"), "0\n");
  EXPECT_FALSE(project.cache.IsUser("jdoe"));
  // Scores are rewritten only for an assessment that has them.
  EXPECT_FALSE(project.db.WriteVariables(kCfrTestee, kCfrModel, kCfrCode, 9, jdoe_, &userAdded, 3,
                                         QelDateTime::FromDate(1970, 5, 6), 1, 2));
  EXPECT_EQ(Sql(path_, "SELECT Id FROM Users;"), "admin\n");
}

TEST_F(CfrProjectTest, CountsAreBoundedByWhatAPartAndAScoreSetHold) {
  CfrProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  project.FillRun(0, kMaxResponses, 4, kMaxVariables);
  CExpModelTask task = RunTask(kCfrCode, 1, 1, 7000);
  ASSERT_TRUE(project.db.WriteResponses(kCfrTestee, kCfrModel, &task, jdoe_, nullptr, 1600,
                                        QelDateTime::FromDate(1970, 5, 6), 1, 2, kDay1, nullptr));
  EXPECT_EQ(Sql(path_, "SELECT RespNum, length(RespTime) FROM Responses;"), "6000|24000\n");
  EXPECT_EQ(Sql(path_, "SELECT VarNum, length(VarValues), length(VarAttrs) FROM Variables;"), "1500|12000|6000\n");
  ASSERT_TRUE(project.db.Open(true, false));
  EXPECT_EQ(project.db.ReadResponseRow(kCfrTestee, kCfrModel, kCfrCode, 1, 1, 0, 5990, nullptr, true, false), 10);
  EXPECT_EQ(project.db.ReadResponseRow(kCfrTestee, kCfrModel, kCfrCode, 1, 1, 0, 6000, nullptr, true, false), 0);
  project.db.Disconnect();
  EXPECT_EQ(project.runData->category[0][5999], RunValue(0, 0, 9, 4));
}

TEST_F(CfrProjectTest, AsOfReadsFindEachVersionAlsoForSavesWithinOneSecond) {
  CfrProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  ASSERT_TRUE(project.Store(jdoe_, 1, 1, 10, 1, kDay1));
  // Three rewrites of the scores; the last two within one second of the first.
  std::vector<double> seeds;
  for (int rewrite = 0; rewrite < 3; ++rewrite) {
    project.FillRun(0, 10, 10 + rewrite, 3);
    ASSERT_TRUE(project.db.WriteVariables(kCfrTestee, kCfrModel, kCfrCode, 1, jdoe_, nullptr, 3,
                                          QelDateTime::FromDate(1970, 5, 6), 1, 2));
  }
  std::vector<QelDateTime> dates;
  std::vector<int64_t> versions;
  ASSERT_EQ(project.db.ReadVariableHistory(kCfrTestee, kCfrModel, kCfrCode, nullptr, nullptr, nullptr, nullptr, nullptr,
                                           &dates, nullptr, nullptr, nullptr, &versions),
            3);
  EXPECT_EQ(versions, (std::vector<int64_t>{1, 2, 3}));
  // The first kept version is the run's own.
  std::vector<double> values;
  EXPECT_EQ(project.db.ReadVariables(kCfrTestee, kCfrModel, kCfrCode, 1, &dates[0], nullptr, nullptr, nullptr, nullptr,
                                     &values, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            3);
  EXPECT_EQ(values[0], 1.0);
  // Each version by its number; by its date alone, the one kept last then.
  for (int v = 1; v <= 2; ++v) {
    EXPECT_EQ(project.db.ReadVariables(kCfrTestee, kCfrModel, kCfrCode, 1, &dates[1], nullptr, nullptr, nullptr,
                                       nullptr, &values, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                       versions[static_cast<size_t>(v)]),
              3);
    EXPECT_EQ(values[0], 10.0 + v - 1) << v;
  }
  if (dates[1].value == dates[2].value) {
    EXPECT_EQ(project.db.ReadVariables(kCfrTestee, kCfrModel, kCfrCode, 1, &dates[1], nullptr, nullptr, nullptr,
                                       nullptr, &values, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              3);
    EXPECT_EQ(values[0], 11.0);
  }
  // A date that matches no kept version reads nothing.
  const QelDateTime never = QelDateTime::FromDate(2001, 1, 1);
  QelDateTime saved = kDay1;
  EXPECT_EQ(project.db.ReadVariables(kCfrTestee, kCfrModel, kCfrCode, 1, &never, nullptr, nullptr, nullptr, nullptr,
                                     &values, nullptr, &saved, nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_FALSE(saved.IsValid());
  // The current version without a date, with its user.
  EXPECT_EQ(project.db.ReadVariablesAsOf(kCfrTestee, kCfrModel, kCfrCode, 1, nullptr, nullptr, nullptr, nullptr), 3);
  EXPECT_EQ(project.db.GetVariableValue(0), 12.0);
  EXPECT_EQ(project.db.GetSavedByUser(), "jdoe");
  EXPECT_EQ(project.cache.GetScoreChangeCount(kCfrTestee, kCfrModel, kCfrCode, 1), 3);
}

TEST_F(CfrProjectTest, ATesteeChangedWithHistoryKeepsItsRowAndRefusalsChangeNothing) {
  CfrProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  CTesteeInfo testee;
  ASSERT_TRUE(project.db.ReadTestee(kCfrTestee, &testee));
  EXPECT_EQ(testee.m_surname, "O'Neil");
  testee.m_dateBirth = QelDateTime::FromDate(1971, 5, 6);
  ASSERT_TRUE(project.db.WriteTestee(testee, jdoe_, nullptr, true, true));
  testee.m_firstName = "Patrick";
  ASSERT_TRUE(project.db.WriteTestee(testee, jdoe_, nullptr, true, false));
  EXPECT_EQ(Sql(path_, "SELECT Testee, FirstName, DateBirth, User FROM TesteesHistory;"),
            "O'Neil|Pat|1970.05.06 00:00:00|admin\n");
  EXPECT_EQ(Sql(path_, "SELECT FirstName, DateBirth, User FROM Testees;"), "Patrick|1971.05.06 00:00:00|jdoe\n");
  EXPECT_EQ(project.cache.GetTesteeChangeCount(kCfrTestee), 1);

  PromptRecorder prompts;
  const std::string before = Sql(path_, "SELECT * FROM Testees; SELECT count(*) FROM TesteesHistory;");
  EXPECT_FALSE(project.db.WriteTestee(testee, jdoe_, nullptr, false, true));
  CTesteeInfo missing = testee;
  missing.m_testee = "Nobody";
  EXPECT_FALSE(project.db.WriteTestee(missing, jdoe_, nullptr, true, true));
  EXPECT_EQ(prompts.ShownTexts(), (std::vector<std::string>{"Testee \"O'Neil\" exists in project\n\"" + path_ + "\"!",
                                                              "Testee \"Nobody\" missing in project\n\"" + path_ + "\"!"}));
  EXPECT_EQ(Sql(path_, "SELECT * FROM Testees; SELECT count(*) FROM TesteesHistory;"), before);
  EXPECT_EQ(project.cache.GetTesteeChangeCount(kCfrTestee), 1);

  // The history search: a pattern is the beginning of its column.
  testee.m_testee = "Neil";
  testee.m_surname = "Neil";
  ASSERT_TRUE(project.db.WriteTestee(testee, jdoe_, nullptr, false, true));
  ASSERT_TRUE(project.db.WriteTestee(testee, jdoe_, nullptr, true, true));
  CTesteeFilter filter;
  filter.m_testee = "Ne";
  std::vector<std::string> names;
  EXPECT_EQ(project.db.ReadTesteeHistory(&filter, &names, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr),
            1);
  EXPECT_EQ(names, std::vector<std::string>{"Neil"});
  EXPECT_EQ(project.db.ReadTesteeHistory(nullptr, &names, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr),
            2);
}

TEST_F(CfrProjectTest, AModelReadsWithTheTasksItHasAndSaysWhenTheCountDisagrees) {
  CfrProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  CExpModel model;
  model.m_name = "Three";
  model.m_header.m_taskCount = 3;
  for (int i = 0; i < 3; ++i) {
    model.m_tasks[i].TaskIdStr = "T" + std::to_string(i);
    model.m_tasks[i].TaskName = "Task " + std::to_string(i);
    model.m_tasks[i].TaskParam[31] = 100u + static_cast<uint32_t>(i);
  }
  ASSERT_TRUE(project.db.WriteModel(&model, jdoe_, nullptr));
  CExpModel read;
  PromptRecorder prompts;
  ASSERT_TRUE(project.db.ReadModel("Three", &read));
  EXPECT_EQ(read.GetTaskCount(), 3);
  EXPECT_EQ(read.m_tasks[2].TaskParam[31], 102u);
  EXPECT_TRUE(prompts.Shown().empty());
  Sql(path_, "UPDATE Models SET TaskNum = 4 WHERE Model = 'Three';");
  ASSERT_TRUE(project.db.ReadModel("Three", &read));
  EXPECT_EQ(read.GetTaskCount(), 3);
  EXPECT_EQ(prompts.ShownTexts(),
            std::vector<std::string>{"Error while reading model \"Three\":\r\nModelTaskNum=4, TaskNum=3"});
  EXPECT_FALSE(project.db.ReadModel("None", &read));
  EXPECT_EQ(prompts.ShownTexts().back(), "Model \"None\" missing in project\n\"" + path_ + "\"!");
  // A second model of that name is refused by the file: nothing is written.
  EXPECT_FALSE(project.db.WriteModel(&model, jdoe_, nullptr));
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM Tasks WHERE Model = 'Three';"), "3\n");

  // Loaded, each model has its own tasks, whatever characters order the names.
  for (const char* name : {"Three_b", "ThreeA"}) {
    model.m_name = name;
    ASSERT_TRUE(project.db.WriteModel(&model, jdoe_, nullptr));
  }
  CfrProject loaded(path_);
  ASSERT_TRUE(loaded.db.Reload(nullptr, false));
  ASSERT_EQ(loaded.cache.GetModelCount(), 4);
  for (int i = 0; i < loaded.cache.GetModelCount(); ++i) {
    const std::string name = loaded.cache.GetModelName(i);
    EXPECT_EQ(loaded.cache.GetModelTaskCount(i), name == "Model" ? 1 : 3) << name;
  }
}

TEST_F(CfrProjectTest, NoPasswordStandsInPlainTextInTheFiles) {
  if (!HaveProgram("sqlcipher")) GTEST_SKIP() << "no sqlcipher shell";
  const std::string secret = dir_.File("Secret.qep");
  MakeCfrProjectForRuns(secret, "Project'sKey");
  CfrProject project(secret);
  project.db.SetPassword("Project'sKey");
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  ASSERT_TRUE(project.Store(jdoe_, 1, 1, 20, 1, kDay1));
  EXPECT_NE(RunSqlShell("sqlite3", secret, "SELECT count(*) FROM Users;").exitCode, 0);
  EXPECT_EQ(RunSqlShell("sqlcipher", secret, "SELECT count(*) FROM Users;", "Project'sKey").output, "2\n");
  for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
    const std::string bytes = Slurp(entry.path().string());
    for (const char* text : {"Project'sKey", "pw of jdoe", "pw of admin"}) {
      EXPECT_EQ(bytes.find(text), std::string::npos) << text << " in " << entry.path();
    }
  }
  // The users' passwords are hashes that check.
  const std::string pwd =
      RunSqlShell("sqlcipher", secret, "SELECT PWD FROM Users WHERE Id = 'jdoe';", "Project'sKey").output;
  EXPECT_TRUE(VerifyUserPassword(pwd.substr(0, pwd.size() - 1), "pw of jdoe"));
}

}  // namespace
}  // namespace test

}  // namespace qel
