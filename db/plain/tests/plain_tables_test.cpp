// The plain project file as another program sees it: its tables, columns
// and indexes by the names the program uses, and its first rows.
#include <gtest/gtest.h>

#include "db/plain/PlainRecordsets.h"
#include "db/plain/PlainTables.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

// Makes a plain project file with all seven tables (in the order a new file
// gets them) and its first rows, protected by the key when one is given.
void MakePlainFile(const std::string& path, const std::string& key) {
  DaoDatabase db;
  db.Create(path, key);
  for (bool (*create)(DaoDatabase*) : {CreateTableTesteeCode, CreateTableTestee, CreateTableModel, CreateTableResponse,
                                       CreateTableVariable, CreateTableAssessment, CreateTableOwner}) {
    ASSERT_TRUE(create(&db));
  }
  CQelDBTTesteeCode code(&db);
  code.Open();
  code.AddNew();
  code.m_code = "Default";
  code.m_comment = "Default";
  code.m_description = "This Code is used as default for Testee Code.";
  code.Update();
  code.Close();
  CQelDBTOwner owner(&db);
  owner.Open();
  for (const auto& [name, text] :
       {std::pair{"User", "Dr. O'Neil"}, std::pair{"Comment", ""}, std::pair{"Version", "04.00"}}) {
    owner.AddNew();
    owner.m_code = name;
    owner.m_text = text;
    owner.Update();
  }
  owner.Close();
  db.Complete();
}

TEST(PlainTables, ANewPlainFileHasTheTablesColumnsAndIndexesByTheirNames) {
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  TempFolder dir;
  const std::string path = dir.File("Study.qep");
  MakePlainFile(path, "");
  struct Table {
    const char* name;
    const char* columns;  // name:notnull, in order
    const char* index;
  } tables[] = {
      {"Owner", "Code:1 Text:1 ", "OwnerIndex(Code)"},
      {"TesteeCode", "Code:1 Comment:0 Description:0 ", "TesteeCodeIndex(Code)"},
      {"Testee", "Testee:1 Code:0 FirstName:1 Surname:1 DateBirth:1 Preference:1 Sex:1 Comment:0 ",
       "TesteeIndex(Testee)"},
      {"Model",
       "Model:1 TaskNo:1 TaskId:1 TaskIdStr:1 TaskName:1 TaskType:1 TaskFlags:1 TaskIntrAfterTrials:1 "
       "TaskIntrContinue:1 TaskIntrReplaceTrial:1 TaskIntrDummyTrials:1 TaskSSS:1 TaskFbk:1 TaskVersion:1 "
       "TaskSDType:1 TaskSDLow:1 TaskSDHigh:1 TaskControl:1 TaskVRLow:1 TaskVRHigh:1 TaskIntType:1 TaskIntLow:1 "
       "TaskIntHigh:1 TaskPartTrials:0 TaskParam:0 ",
       "ModelIndex(Model,TaskNo)"},
      {"Assessment", "Testee:1 Model:1 Task:1 Date:1 AssNums:1 ", "AssessmentIndex(Testee,Model,Task)"},
      {"Response",
       "Testee:1 Model:1 Task:1 Assessment:1 PartNo:1 SerNo:1 Date:1 RespNum:0 RespType:0 RespTime:0 RespCode:0 "
       "ProcType:0 ",
       "ResponseIndex(Testee,Model,Task,Assessment,PartNo,SerNo)"},
      {"Variable",
       "Testee:1 Model:1 Task:1 Assessment:1 Date:1 VarNum:1 VarAttrs:0 VarNames:0 VarFrmts:0 VarLabels:0 "
       "VarValues:0 ",
       "VariableIndex(Testee,Model,Task,Assessment)"},
  };
  const ProgramResult names =
      RunSqlShell("sqlite3", path, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name;");
  EXPECT_EQ(names.output, "Assessment\nModel\nOwner\nResponse\nTestee\nTesteeCode\nVariable\n");
  for (const Table& t : tables) {
    const ProgramResult columns = RunSqlShell(
        "sqlite3", path, std::string("SELECT name || ':' || \"notnull\" FROM pragma_table_info('") + t.name + "');");
    std::string got;
    for (size_t at = 0, nl; (nl = columns.output.find('\n', at)) != std::string::npos; at = nl + 1) {
      got += columns.output.substr(at, nl - at) + " ";
    }
    EXPECT_EQ(got, t.columns) << t.name;
    const ProgramResult index = RunSqlShell(
        "sqlite3", path,
        std::string("SELECT i.name || '(' || (SELECT group_concat(name, ',') FROM pragma_index_info(i.name)) || ')' "
                    "FROM pragma_index_list('") +
            t.name + "') AS i WHERE i.\"unique\" = 1;");
    EXPECT_EQ(index.output, std::string(t.index) + "\n") << t.name;
  }
  EXPECT_EQ(RunSqlShell("sqlite3", path, "SELECT Code, Text FROM Owner ORDER BY rowid;").output,
            "User|Dr. O'Neil\nComment|\nVersion|04.00\n");
  EXPECT_EQ(RunSqlShell("sqlite3", path, "SELECT Code, Comment, Description FROM TesteeCode;").output,
            "Default|Default|This Code is used as default for Testee Code.\n");
}

TEST(PlainTables, KeysIgnoreLetterCaseAndTextsKeepTheirSizes) {
  TempFolder dir;
  const std::string path = dir.File("Study.qep");
  MakePlainFile(path, "");
  SqliteConnection db;
  db.Open(path, "", false);
  // A second "default" is the same code to the file, as to the operator.
  EXPECT_THROW(db.Execute("INSERT INTO TesteeCode (Code) VALUES ('DEFAULT')"), DbException);
  // Sixty-four characters fit a Code, sixty-five do not; a key is never empty.
  EXPECT_NO_THROW(db.Execute("INSERT INTO TesteeCode (Code) VALUES (?)", {DbValue(std::string(64, 'c'))}));
  EXPECT_THROW(db.Execute("INSERT INTO TesteeCode (Code) VALUES (?)", {DbValue(std::string(65, 'd'))}), DbException);
  EXPECT_THROW(db.Execute("INSERT INTO TesteeCode (Code) VALUES ('')"), DbException);
}

TEST(PlainTables, AProtectedPlainFileOpensOnlyWithItsKey) {
  if (!HaveProgram("sqlcipher")) GTEST_SKIP() << "no sqlcipher shell";
  TempFolder dir;
  const std::string path = dir.File("Secret.qep");
  MakePlainFile(path, "pass word");
  EXPECT_NE(RunSqlShell("sqlcipher", path, "SELECT count(*) FROM Owner;").exitCode, 0);
  const ProgramResult with = RunSqlShell("sqlcipher", path, "SELECT count(*) FROM Owner;", "pass word");
  EXPECT_EQ(with.exitCode, 0) << with.errors;
  EXPECT_NE(with.output.find("3\n"), std::string::npos) << with.output;
}

}  // namespace
}  // namespace test

}  // namespace qel
