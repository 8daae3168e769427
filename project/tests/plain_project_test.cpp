// The plain project file: created whole and read by another program as the
// format stands, opened with a clear code and message for every file that
// cannot be, loaded into the cache, and written row by row, each write one
// transaction that the cache follows only once it is committed.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/model/ExpModel.h"
#include "common/Prompt.h"
#include "db/DbException.h"
#include "db/SqliteConnection.h"
#include "db/plain/PlainTables.h"
#include "db/tests/support/DbTestTools.h"
#include "project/TesteeInfo.h"
#include "project/tests/PlainProjectSupport.h"
#include "tests/support/common/OtherAccount.h"
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

// One line per column: name, declared type, not-null flag.
std::string Columns(const std::string& path, const std::string& table) {
  return Sql(path, "SELECT name || ' ' || type || ' ' || \"notnull\" FROM pragma_table_info('" + table + "');");
}

class PlainProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
    path_ = dir_.File("Study.qep");
    ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(path_, "Dr. O'Neil", "Pilot's study", nullptr, true, false));
  }

  TempFolder dir_;
  std::string path_;
};

TEST_F(PlainProjectTest, ANewFileHasTheTablesColumnsAndFirstRowsThatTheFormatStates) {
  EXPECT_EQ(Sql(path_, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid;"),
            "TesteeCode\nTestee\nModel\nResponse\nVariable\nAssessment\nOwner\n");
  EXPECT_EQ(Columns(path_, "Owner"), "Code VARCHAR(64) 1\nText VARCHAR(255) 1\n");
  EXPECT_EQ(Columns(path_, "TesteeCode"), "Code VARCHAR(64) 1\nComment VARCHAR(128) 0\nDescription TEXT 0\n");
  EXPECT_EQ(Columns(path_, "Testee"),
            "Testee VARCHAR(64) 1\nCode VARCHAR(64) 0\nFirstName VARCHAR(64) 1\nSurname VARCHAR(64) 1\n"
            "DateBirth DATETIME 1\nPreference INTEGER 1\nSex INTEGER 1\nComment TEXT 0\n");
  std::string model =
      "Model VARCHAR(64) 1\nTaskNo INTEGER 1\nTaskId INTEGER 1\nTaskIdStr VARCHAR(16) 1\n"
      "TaskName VARCHAR(64) 1\n";
  for (const char* word : kTaskWordColumns) model += std::string(word) + " INTEGER 1\n";
  model += "TaskPartTrials BLOB 0\nTaskParam BLOB 0\n";
  EXPECT_EQ(Columns(path_, "Model"), model);
  EXPECT_EQ(Columns(path_, "Response"),
            "Testee VARCHAR(64) 1\nModel VARCHAR(64) 1\nTask VARCHAR(16) 1\nAssessment INTEGER 1\nPartNo INTEGER 1\n"
            "SerNo INTEGER 1\nDate DATETIME 1\nRespNum INTEGER 0\nRespType BLOB 0\nRespTime BLOB 0\n"
            "RespCode BLOB 0\nProcType BLOB 0\n");
  EXPECT_EQ(Columns(path_, "Variable"),
            "Testee VARCHAR(64) 1\nModel VARCHAR(64) 1\nTask VARCHAR(16) 1\nAssessment INTEGER 1\n"
            "Date DATETIME 1\nVarNum INTEGER 1\nVarAttrs BLOB 0\nVarNames BLOB 0\nVarFrmts BLOB 0\n"
            "VarLabels BLOB 0\nVarValues BLOB 0\n");
  EXPECT_EQ(Columns(path_, "Assessment"),
            "Testee VARCHAR(64) 1\nModel VARCHAR(64) 1\nTask VARCHAR(16) 1\nDate DATETIME 1\nAssNums BLOB 1\n");
  EXPECT_EQ(Sql(path_, "SELECT Code, Text FROM Owner ORDER BY rowid;"),
            "User|Dr. O'Neil\nComment|Pilot's study\nVersion|04.00\n");
  EXPECT_EQ(Sql(path_, "SELECT Code, Comment, Description FROM TesteeCode;"),
            "Default|Default|This Code is used as default for Testee Code.\n");
  for (const char* table : {"Testee", "Model", "Response", "Variable", "Assessment"}) {
    EXPECT_EQ(Sql(path_, std::string("SELECT count(*) FROM ") + table + ";"), "0\n") << table;
  }
  EXPECT_EQ(Sql(path_, "PRAGMA integrity_check;"), "ok\n");
  // Nothing beside the file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
}

TEST_F(PlainProjectTest, CreatingTellsTheOperatorAndNeverTouchesAnExistingFile) {
  PromptRecorder prompts;
  const std::string again = dir_.File("Second.qep");
  ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(again, "me", "", nullptr, false, true));
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "Project\n\"" + again + "\"\nsuccesfully created!");
  EXPECT_EQ(prompts.Shown()[0].style, kPromptOk | kPromptIconInfo);
  EXPECT_EQ(Sql(again, "SELECT count(*) FROM TesteeCode;"), "0\n");

  const std::string before = Slurp(path_);
  EXPECT_FALSE(CProjectDbPlain::CreateProjectFile(path_, "other", "", nullptr, true, true));
  ASSERT_EQ(prompts.Shown().size(), 2u);
  EXPECT_EQ(prompts.Shown()[1].text, "Project\n\"" + path_ + "\"\nalready exists!");
  EXPECT_EQ(prompts.Shown()[1].style, kPromptOk | kPromptIconWarning);
  EXPECT_EQ(Slurp(path_), before);

  const std::string nowhere = dir_.File("no/such/folder/P.qep");
  EXPECT_FALSE(CProjectDbPlain::CreateProjectFile(nowhere, "me", "", nullptr, true, true));
  ASSERT_EQ(prompts.Shown().size(), 3u);
  EXPECT_EQ(prompts.Shown()[2].text.rfind("Project creating: " + nowhere + "\r\n", 0), 0u) << prompts.Shown()[2].text;
  EXPECT_FALSE(CProjectDbPlain::CreateProjectFile("", "me", "", nullptr, true, true));
  EXPECT_EQ(prompts.Shown().size(), 3u);
}

TEST_F(PlainProjectTest, AProtectedFileIsReadOnlyWithItsPassword) {
  if (!HaveProgram("sqlcipher")) GTEST_SKIP() << "no sqlcipher shell";
  const std::string secret = dir_.File("Secret.qep");
  ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(secret, "me", "", "it's secret", true, false));
  EXPECT_NE(RunSqlShell("sqlite3", secret, "SELECT count(*) FROM Owner;").exitCode, 0);
  EXPECT_NE(RunSqlShell("sqlcipher", secret, "SELECT count(*) FROM Owner;").exitCode, 0);
  EXPECT_EQ(RunSqlShell("sqlcipher", secret, "SELECT count(*) FROM Owner;", "it's secret").output, "3\n");

  PlainProject project(secret);
  project.db.SetPassword("it's secret");
  ASSERT_TRUE(project.db.Reload(secret.c_str(), false));
  EXPECT_EQ(project.db.GetOwner(), "me");
  EXPECT_EQ(project.cache.GetTesteeCodeCount(), 1);
}

TEST_F(PlainProjectTest, EveryFileThatCannotBeOpenedGivesItsCodeAndAClearMessage) {
  const std::string secret = dir_.File("Secret.qep");
  ASSERT_TRUE(CProjectDbPlain::CreateProjectFile(secret, "me", "", "right", true, false));
  const std::string missing = dir_.File("Missing.qep");
  struct Case {
    const char* name;
    std::string path;
    const char* password;
    int code;
    const char* reason;
  } cases[] = {
      {"missing file", missing, "", kDbResultDriverState, "No such file or directory"},
      {"wrong password", secret, "wrong", kDbResultWrongPassword, "Not a valid password"},
      {"no password", secret, "", kDbResultWrongPassword, "Not a valid password"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PromptRecorder prompts;
    PlainProject project(c.path);
    project.db.SetPassword(c.password);
    EXPECT_FALSE(project.db.Open(true, true));
    EXPECT_EQ(project.db.GetConnectResult(), c.code);
    ASSERT_EQ(prompts.Shown().size(), 1u);
    const std::string text = prompts.Shown()[0].text;
    EXPECT_EQ(text.rfind(c.path + "\r\n", 0), 0u) << text;
    EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    // Reloading reports the same, and no file is made by opening.
    EXPECT_FALSE(project.db.Reload(nullptr, false));
    EXPECT_EQ(project.db.GetConnectResult(), c.code);
  }
  EXPECT_FALSE(std::filesystem::exists(missing));

  // A file the user may not read.
  ASSERT_EQ(::chmod(path_.c_str(), 0600), 0);
  const auto openUnreadable = [&] {
    PromptRecorder prompts;
    PlainProject project(path_);
    const bool opened = project.db.Open(true, true);
    const bool told = prompts.Shown().size() == 1 && prompts.Shown()[0].text.find("No permission") != std::string::npos;
    return opened || !told ? 100 : project.db.GetConnectResult();
  };
  if (::geteuid() == 0) {
    ASSERT_EQ(::chmod(dir_.Path().c_str(), 0755), 0);
    EXPECT_EQ(RunAsAccount(kNobodyUser, {kNobodyGroup}, openUnreadable), kDbResultNoPermission);
  } else {
    ASSERT_EQ(::chmod(path_.c_str(), 0), 0);
    EXPECT_EQ(openUnreadable(), kDbResultNoPermission);
  }
}

TEST_F(PlainProjectTest, TesteesAndCodesHoldingQuotesRoundTripAndAddOrModifyRefuseTheWrongCase) {
  PromptRecorder prompts;
  PlainProject project(path_);
  ASSERT_TRUE(project.db.Reload(nullptr, true));
  CTesteeInfo testee;
  testee.m_testee = "O'Neil";
  testee.m_code = "Default";
  testee.m_firstName = "Mary";
  testee.m_surname = "O'Neil";
  testee.m_dateBirth = QelDateTime::FromDate(1961, 5, 4);
  testee.m_preference = 2;
  testee.m_sex = 1;
  testee.m_comment = "said \"hello\"; DROP TABLE Testee;--";
  ASSERT_TRUE(project.db.WriteTestee(testee, false));
  EXPECT_EQ(project.cache.GetTesteeSurname("O'Neil"), "O'Neil");

  CTesteeInfo read;
  ASSERT_TRUE(project.db.ReadTestee("O'Neil", &read));
  EXPECT_EQ(read.m_testee, "O'Neil");
  EXPECT_EQ(read.m_code, "Default");
  EXPECT_EQ(read.m_firstName, "Mary");
  EXPECT_EQ(read.m_surname, "O'Neil");
  EXPECT_EQ(read.m_dateBirth.value, testee.m_dateBirth.value);
  EXPECT_EQ(read.m_preference, 2);
  EXPECT_EQ(read.m_sex, 1);
  EXPECT_EQ(read.m_comment, testee.m_comment);
  EXPECT_EQ(Sql(path_, "SELECT Testee, Surname FROM Testee;"), "O'Neil|O'Neil\n");
  EXPECT_TRUE(prompts.Shown().empty());

  EXPECT_FALSE(project.db.WriteTestee(testee, false));
  CTesteeInfo nobody = testee;
  nobody.m_testee = "Nobody";
  EXPECT_FALSE(project.db.WriteTestee(nobody, true));
  EXPECT_FALSE(project.db.ReadTestee("Nobody", &read));
  EXPECT_EQ(read.m_testee, "");
  EXPECT_EQ(prompts.ShownTexts(), (std::vector<std::string>{
                                      "Testee \"O'Neil\" exists in project\n\"" + path_ + "\"!",
                                      "Testee \"Nobody\" missing in project\n\"" + path_ + "\"!",
                                      "Testee \"Nobody\" missing in project\n\"" + path_ + "\"!",
                                  }));
  EXPECT_EQ(prompts.Shown()[0].style, kPromptOk | kPromptIconStop);
  EXPECT_EQ(project.cache.GetTesteeCount(), 1);

  testee.m_surname = "O'Neil-Smith";
  ASSERT_TRUE(project.db.WriteTestee(testee, true));
  EXPECT_EQ(project.cache.GetTesteeSurname("O'Neil"), "O'Neil-Smith");
  EXPECT_EQ(Sql(path_, "SELECT Surname FROM Testee;"), "O'Neil-Smith\n");

  CTesteeCodeInfo code;
  code.m_code = "Patient's";
  code.m_comment = "";
  code.m_description = "Codes of the clinic's patients";
  ASSERT_TRUE(project.db.WriteTesteeCode(code, false));
  EXPECT_EQ(project.cache.GetTesteeCode(0), "Default");
  EXPECT_EQ(project.cache.GetTesteeCode(1), "Patient's");
  CTesteeCodeInfo readCode;
  ASSERT_TRUE(project.db.ReadTesteeCode("Patient's", &readCode, false));
  EXPECT_EQ(readCode.m_description, code.m_description);
  EXPECT_EQ(readCode.m_columns, kTesteeCodeColumnCode | kTesteeCodeColumnComment | kTesteeCodeColumnDescription);
  EXPECT_FALSE(project.db.WriteTesteeCode(code, false));
  EXPECT_EQ(prompts.ShownTexts().back(), "Testee Code \"Patient's\" exists in project\n\"" + path_ + "\"!");
  // A changed code keeps its one row and its one entry in the cache.
  code.m_comment = "changed";
  ASSERT_TRUE(project.db.WriteTesteeCode(code, true));
  EXPECT_EQ(project.cache.GetTesteeCodeCount(), 2);
  std::vector<std::string> comments;
  project.cache.GetTesteeCodes(nullptr, &comments, nullptr, nullptr);
  EXPECT_EQ(comments[1], "changed");
  EXPECT_EQ(Sql(path_, "SELECT Code, Comment FROM TesteeCode ORDER BY Code;"), "Default|Default\nPatient's|changed\n");
  CTesteeCodeInfo columns;
  EXPECT_FALSE(project.db.ReadTesteeCode("", &columns, true));
  EXPECT_EQ(columns.m_columns, kTesteeCodeColumnCode | kTesteeCodeColumnComment | kTesteeCodeColumnDescription);
}

CExpModel TwoTaskModel(const std::string& name) {
  CExpModel model;
  model.Reset();
  model.m_name = name;
  model.m_header.m_creation = "04.03.2024 10:15";
  for (int i = 0; i < CModelHeader::kReservedSize; ++i) model.m_header.m_reserved[i] = static_cast<uint8_t>(i + 1);
  for (const char* code : {"TP", "T'Q"}) {
    CExpModelTask task;
    task.TaskId = code[1] == 'P' ? 7 : 9;
    task.TaskIdStr = code;
    task.TaskName = std::string("The ") + code + " task";
    for (int w = 0; w < QelTaskWords::kCount; ++w) task.w.data()[w] = 0x80000000u + static_cast<uint32_t>(w);
    for (int p = 0; p < kMaxParts; ++p) task.TaskPartTrials[p] = static_cast<uint32_t>(p * 10);
    for (int k = 0; k < 32; ++k) task.TaskParam[k] = static_cast<uint32_t>(1000 + k);
    model.AddTask(task);
  }
  return model;
}

TEST_F(PlainProjectTest, AModelIsAHeaderRowAndOneRowPerTaskAndReadsBackWhole) {
  PromptRecorder prompts;
  PlainProject project(path_);
  const CExpModel model = TwoTaskModel("Mrs. O'Hara's model");
  ASSERT_TRUE(project.db.WriteModel(&model));
  ASSERT_NE(project.cache.FindModel("Mrs. O'Hara's model"), nullptr);
  EXPECT_EQ(project.cache.FindModel("Mrs. O'Hara's model")->GetTaskCount(), 2);
  EXPECT_EQ(Sql(path_,
                "SELECT TaskNo, TaskId, TaskIdStr, TaskType, length(TaskPartTrials), length(TaskParam) "
                "FROM Model ORDER BY TaskNo;"),
            "0|4|April 2010|2|64|128\n1|7|TP|-2147483648|64|128\n2|9|T'Q|-2147483648|64|128\n");

  CExpModel read;
  ASSERT_TRUE(project.db.ReadModel("Mrs. O'Hara's model", &read));
  EXPECT_EQ(read.m_name, "Mrs. O'Hara's model");
  EXPECT_EQ(read.GetTaskCount(), 2);
  EXPECT_EQ(read.m_header.m_version, 4u);
  EXPECT_EQ(read.m_header.m_release, "April 2010");
  EXPECT_EQ(read.m_header.m_creation, "04.03.2024 10:15");
  EXPECT_TRUE(std::equal(std::begin(read.m_header.m_reserved), std::end(read.m_header.m_reserved),
                         std::begin(model.m_header.m_reserved)));
  for (int i = 0; i < 2; ++i) {
    const CExpModelTask& a = *model.GetTask(i);
    const CExpModelTask& b = *read.GetTask(i);
    EXPECT_EQ(b.TaskId, a.TaskId);
    EXPECT_EQ(b.TaskIdStr, a.TaskIdStr);
    EXPECT_EQ(b.TaskName, a.TaskName);
    EXPECT_TRUE(std::equal(a.w.data(), a.w.data() + QelTaskWords::kCount, b.w.data()));
    EXPECT_TRUE(std::equal(std::begin(a.TaskPartTrials), std::end(a.TaskPartTrials), std::begin(b.TaskPartTrials)));
    EXPECT_TRUE(std::equal(std::begin(a.TaskParam), std::end(a.TaskParam), std::begin(b.TaskParam)));
  }
  CExpModelTask slot;
  ASSERT_TRUE(project.db.ReadTask(&slot, "Mrs. O'Hara's model", "T'Q"));
  EXPECT_EQ(slot.TaskId, 9u);
  EXPECT_EQ(slot.TaskParam[31], 1031u);
  EXPECT_TRUE(prompts.Shown().empty());

  // The name is taken: nothing is added, and the operator is told.
  EXPECT_FALSE(project.db.WriteModel(&model));
  EXPECT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM Model;"), "3\n");
  EXPECT_EQ(project.cache.GetModelCount(), 1);

  EXPECT_FALSE(project.db.ReadModel("Nothing", &read));
  EXPECT_FALSE(project.db.ReadTask(&slot, "Mrs. O'Hara's model", "XX"));
  EXPECT_EQ(prompts.ShownTexts()[1], "Model \"Nothing\" missing in project\n\"" + path_ + "\"!");
  EXPECT_EQ(prompts.ShownTexts()[2],
            "Task \"XX\" (model \"Mrs. O'Hara's model\")\nmissing in project \"" + path_ + "\"!");
}

TEST_F(PlainProjectTest, AModelReadsItsTasksInSequenceAndNoMoreThanAModelHolds) {
  {
    SqliteConnection db;
    db.Open(path_, "", false);
    const auto row = [&](const char* model, int taskNo, int taskType) {
      db.Execute("INSERT INTO Model (Model, TaskNo, TaskId, TaskIdStr, TaskName, " +
                     [] {
                       std::string words;
                       for (const char* w : kTaskWordColumns) words += std::string(words.empty() ? "" : ", ") + w;
                       return words;
                     }() +
                     ") VALUES (?, ?, 1, ?, 'name', ?, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)",
                 {DbValue(model), DbValue(taskNo), DbValue("T" + std::to_string(taskNo)), DbValue(taskType)});
    };
    row("Gappy", 0, 5);
    for (int n : {1, 2, 4}) row("Gappy", n, 0);
    row("Huge", 0, 1000);
    for (int n = 1; n <= 45; ++n) row("Huge", n, 0);
  }
  PromptRecorder prompts;
  PlainProject project(path_);
  CExpModel model;
  ASSERT_TRUE(project.db.ReadModel("Gappy", &model));
  EXPECT_EQ(model.GetTaskCount(), 2);
  EXPECT_EQ(model.GetTask(1)->TaskIdStr, "T2");
  EXPECT_EQ(prompts.ShownTexts(), std::vector<std::string>{"Error while reading model:\r\nModelTaskNum=5, TaskNum=2"});
  ASSERT_TRUE(project.db.ReadModel("Huge", &model));
  EXPECT_EQ(model.GetTaskCount(), kMaxModelTasks);
  EXPECT_EQ(model.GetTask(kMaxModelTasks - 1)->TaskIdStr, "T40");
  EXPECT_EQ(prompts.Shown().size(), 1u);

  ASSERT_TRUE(project.db.Reload(nullptr, false));
  EXPECT_EQ(project.cache.FindModel("Huge")->GetTaskCount(), kMaxModelTasks);
}

}  // namespace
}  // namespace test

}  // namespace qel
