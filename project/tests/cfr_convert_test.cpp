// A plain project converted into a CFR project: every row copied with the
// conversion's time and user, no kept versions, every relation whole, the
// plain file untouched; a conversion that fails leaves no file and never
// touches what stood at the new path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/model/ExpModel.h"
#include "app/text/DateTimeText.h"
#include "db/DbDateText.h"
#include "db/tests/support/DbTestTools.h"
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

int FilesIn(const std::string& folder) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// A plain project with two testees, a model of three tasks, two stored runs
// (one of them a second serial number of the same part) and their scores.
void MakePlainFixture(const std::string& path) {
  if (!CProjectDbPlain::CreateProjectFile(path, "Dr. O'Neil", "Pilot's study", nullptr, true, false)) {
    throw std::runtime_error("plain project not created");
  }
  PlainProject project(path);
  for (const char* name : {"O'Neil", "Smith"}) {
    CTesteeInfo testee;
    testee.m_testee = name;
    testee.m_code = "Default";
    testee.m_firstName = "Pat";
    testee.m_surname = name;
    testee.m_dateBirth = QelDateTime::FromDate(1970, 5, 6);
    testee.m_preference = 1;
    testee.m_sex = 2;
    if (!project.db.WriteTestee(testee, false)) throw std::runtime_error("testee");
  }
  CExpModel model;
  model.m_name = "Model";
  model.m_header.m_taskCount = 3;
  for (int i = 0; i < 3; ++i) {
    model.m_tasks[i].TaskIdStr = "T" + std::to_string(i);
    model.m_tasks[i].TaskName = "Task " + std::to_string(i);
    model.m_tasks[i].TaskId = static_cast<uint32_t>(10 + i);
  }
  if (!project.db.WriteModel(&model)) throw std::runtime_error("model");
  for (uint32_t serial : {0u, 1u}) {
    project.FillRun(0, 25, static_cast<int>(serial) + 1, 3);
    CExpModelTask task = RunTask("T1", 1, 1, 25);
    task.reserved1 = serial;
    if (!project.db.WriteResponses("O'Neil", "Model", &task, 3, QelDateTime::FromDate(2023, 6, 7, 8, 9, 10), nullptr)) {
      throw std::runtime_error("run");
    }
  }
}

class CfrConvertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
    plainPath_ = dir_.File("Plain.qep");
    cfrPath_ = dir_.File("Audited.qep");
    MakePlainFixture(plainPath_);
  }

  bool Convert() {
    CDbOdbcAccess plain;
    plain.Open(plainPath_, kDbOpenReadOnly);
    const bool ok = CProjectDbCfr::ConvertFromPlain(&plain, cfrPath_, TestUser("conv"), "Dr. O'Neil", "Pilot's study",
                                                    nullptr, QelDateTime());
    plain.Close();
    return ok;
  }

  TempFolder dir_;
  std::string plainPath_;
  std::string cfrPath_;
};

TEST_F(CfrConvertTest, EveryRowIsCopiedWithTheConversionsTimeAndUserAndNoKeptVersions) {
  const std::string source = Slurp(plainPath_);
  const std::string before = FormatStoredDate(CurrentLocalDateTime());
  ASSERT_TRUE(Convert());
  const std::string after = FormatStoredDate(CurrentLocalDateTime());
  EXPECT_EQ(Slurp(plainPath_), source);

  EXPECT_EQ(Sql(cfrPath_, "SELECT Testee, TesteeCode, Surname, DateBirth, Preference, Sex FROM Testees ORDER BY Testee;"),
            "O'Neil|Default|O'Neil|1970.05.06 00:00:00|1|2\nSmith|Default|Smith|1970.05.06 00:00:00|1|2\n");
  EXPECT_EQ(Sql(cfrPath_, "SELECT Model, Version, TaskNum FROM Models;"), "Model|4|3\n");
  EXPECT_EQ(Sql(cfrPath_, "SELECT Model, Task, TaskId, TaskName FROM Tasks ORDER BY Task;"),
            "Model|T0|10|Task 0\nModel|T1|11|Task 1\nModel|T2|12|Task 2\n");
  EXPECT_EQ(Sql(cfrPath_,
                "SELECT Testee, Task, AssNo, PartNo, SerNo, DatePart, RespNum, DateBirth, length(RespCode) FROM "
                "Responses ORDER BY SerNo;"),
            "O'Neil|T1|1|1|0|2023.06.07 08:09:10|25|1970.05.06 00:00:00|100\n"
            "O'Neil|T1|1|1|1|2023.06.07 08:09:10|25|1970.05.06 00:00:00|100\n");
  EXPECT_EQ(Sql(cfrPath_, "SELECT Testee, Task, AssNo, DateAss, VarNum FROM Variables;"),
            "O'Neil|T1|1|2023.06.07 08:09:10|3\n");
  // Every copied row: the conversion's time and user, Attributes 0.
  for (const char* table : {"TesteeCodes", "Testees", "Models", "Tasks", "Responses", "Variables"}) {
    SCOPED_TRACE(table);
    const std::string rows = Sql(cfrPath_, std::string("SELECT DISTINCT User || '|' || Attributes FROM ") + table + ";");
    EXPECT_EQ(rows, "conv|0\n");
    const std::string first = Sql(cfrPath_, std::string("SELECT min(Date) FROM ") + table + ";");
    const std::string last = Sql(cfrPath_, std::string("SELECT max(Date) FROM ") + table + ";");
    EXPECT_GE(first.substr(0, 19), before);
    EXPECT_LE(last.substr(0, 19), after);
  }
  for (const char* twin : {"TesteesHistory", "ResponsesHistory", "VariablesHistory"}) {
    EXPECT_EQ(Sql(cfrPath_, std::string("SELECT count(*) FROM ") + twin + ";"), "0\n") << twin;
  }
  EXPECT_EQ(Sql(cfrPath_, "PRAGMA foreign_key_check;"), "");
  EXPECT_EQ(Sql(cfrPath_, "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(Sql(cfrPath_, "SELECT String1 FROM StringsProject WHERE CodeNumber IN (1, 2, 3) ORDER BY CodeNumber;"),
            "conv\nDr. O'Neil\nPilot's study\n");
  EXPECT_EQ(FilesIn(dir_.Path()), 2);

  // The converted project loads as a CFR project.
  CfrProject project(cfrPath_);
  ASSERT_TRUE(project.db.Reload(nullptr, false));
  EXPECT_EQ(project.cache.GetTesteeCount(), 2);
  EXPECT_EQ(project.cache.GetScoreTotal(), 1u);
}

TEST_F(CfrConvertTest, AFailedConversionLeavesNoFileAndWhatStoodAtTheNewPath) {
  // A stored run of a testee that the plain project lacks cannot stand in a
  // CFR project.
  Sql(plainPath_,
      "INSERT INTO Response (Testee, Model, Task, Assessment, PartNo, SerNo, Date, RespNum) "
      "VALUES ('Ghost', 'Model', 'T1', 1, 1, 0, '2023.06.07 08:09:10', 0);");
  const std::string source = Slurp(plainPath_);
  {
    std::ofstream existing(cfrPath_, std::ios::binary);
    existing << "what stood here";
  }
  PromptRecorder prompts;
  EXPECT_FALSE(Convert());
  EXPECT_FALSE(prompts.Shown().empty());
  EXPECT_EQ(Slurp(cfrPath_), "what stood here");
  EXPECT_EQ(Slurp(plainPath_), source);
  EXPECT_EQ(FilesIn(dir_.Path()), 2) << "a half-made file was left";

  std::filesystem::remove(cfrPath_);
  EXPECT_FALSE(Convert());
  EXPECT_FALSE(std::filesystem::exists(cfrPath_));
  EXPECT_EQ(FilesIn(dir_.Path()), 1);
}

}  // namespace
}  // namespace test

}  // namespace qel
