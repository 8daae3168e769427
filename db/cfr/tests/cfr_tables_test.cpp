// The tables of a CFR project file as another program sees them: columns,
// keys, the History twins with their order column and no index, the
// relations the engine enforces; and the users record set's refusals.
#include <gtest/gtest.h>

#include "app/text/DateTimeText.h"
#include "db/DbException.h"
#include "db/DbOdbcAccess.h"
#include "db/cfr/CfrRecordsets.h"
#include "db/cfr/CfrTables.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

std::string Sql(const std::string& path, const std::string& sql) { return RunSqlShell("sqlite3", path, sql).output; }

class CfrTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
    path_ = dir_.File("Cfr.qep");
    DaoDatabase db;
    db.Create(path_, "");
    ASSERT_TRUE(CreateTableTesteeCodes(&db));
    ASSERT_TRUE(CreateTableTestees(&db, ""));
    ASSERT_TRUE(CreateTableTestees(&db, kCfrHistorySuffix));
    ASSERT_TRUE(CreateTableModels(&db));
    ASSERT_TRUE(CreateTableTasks(&db));
    ASSERT_TRUE(CreateTableResponses(&db, ""));
    ASSERT_TRUE(CreateTableResponses(&db, kCfrHistorySuffix));
    ASSERT_TRUE(CreateTableVariables(&db, ""));
    ASSERT_TRUE(CreateTableVariables(&db, kCfrHistorySuffix));
    ASSERT_TRUE(CreateTableUsers(&db));
    ASSERT_TRUE(CreateTableStrings(&db, kCfrProjectSuffix));
    db.Complete();
  }

  TempFolder dir_;
  std::string path_;
};

TEST_F(CfrTablesTest, TwinsHaveTheColumnsOfTheirTableThenSeqAndNoIndex) {
  for (const char* base : {"Testees", "Responses", "Variables"}) {
    SCOPED_TRACE(base);
    const std::string table = Sql(path_, std::string("SELECT name FROM pragma_table_info('") + base + "');");
    const std::string twin = Sql(path_, std::string("SELECT name FROM pragma_table_info('") + base + "History');");
    EXPECT_EQ(twin, table + "Seq\n");
    EXPECT_EQ(Sql(path_, std::string("SELECT count(*) FROM pragma_index_list('") + base + "History');"), "0\n");
    EXPECT_EQ(Sql(path_, std::string("SELECT count(*) FROM pragma_index_list('") + base + "');"), "1\n");
  }
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM pragma_table_info('Tasks');"), "27\n");
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM pragma_table_info('Testees');"), "11\n");
  EXPECT_EQ(Sql(path_, "SELECT group_concat(name, ',') FROM pragma_index_info('ResponsesIndex');"),
            "Testee,Model,Task,AssNo,PartNo,SerNo\n");
  EXPECT_EQ(Sql(path_, "SELECT group_concat(name, ',') FROM pragma_index_info('TasksIndex');"), "Model,Task\n");
}

TEST_F(CfrTablesTest, TheSixRelationsAreEnforcedByTheEngine) {
  EXPECT_EQ(Sql(path_,
                "SELECT m.name || ':' || f.\"table\" || '.' || f.\"to\" || '=' || f.\"from\" FROM sqlite_master m, "
                "pragma_foreign_key_list(m.name) f ORDER BY m.name, f.id, f.seq;"),
            "Responses:Tasks.Model=Model\nResponses:Tasks.Task=Task\nResponses:Testees.Testee=Testee\n"
            "Tasks:Models.Model=Model\nTestees:TesteeCodes.TesteeCode=TesteeCode\n"
            "Variables:Tasks.Model=Model\nVariables:Tasks.Task=Task\nVariables:Testees.Testee=Testee\n");
  // A testee of an unknown code is refused by the program's own connection.
  CDbOdbcAccess db;
  ASSERT_TRUE(db.Open(path_, 0));
  CQelRs4OdbcTestee testees(&db);
  ASSERT_TRUE(testees.Open(DbRecordset::kDynaset));
  testees.AddNew();
  CTesteesRecord item;
  item.m_testee = "O'Neil";
  item.m_testeeCode = "Nowhere";
  item.m_firstName = "Pat";
  item.m_surname = "O'Neil";
  item.m_dateBirth = QelDateTime::FromDate(1970, 5, 6);
  EXPECT_THROW(testees.UpdateFromItem(item, CurrentLocalDateTime(), "jdoe"), DbException);
  testees.CancelUpdate();
  // Without a code (NULL) the testee names no code and is stored.
  testees.AddNew();
  item.m_testeeCode.clear();
  EXPECT_TRUE(testees.UpdateFromItem(item, QelDateTime::FromDate(2024, 2, 3, 4, 5, 6), "jdoe"));
  testees.Close();
  db.Close();
  EXPECT_EQ(Sql(path_, "SELECT Testee, quote(TesteeCode), Surname, DateBirth, Date, User, Attributes FROM Testees;"),
            "O'Neil|NULL|O'Neil|1970.05.06 00:00:00|2024.02.03 04:05:06|jdoe|0\n");
}

TEST_F(CfrTablesTest, AddingAnExistingUserOrChangingAMissingOneIsShownAndWritesNothing) {
  CUserRecord user;
  user.m_id = "jdoe";
  user.SetPassword("pw");
  user.m_firstName = "Jane";
  user.m_surname = "Doe";
  CDbOdbcAccess db;
  ASSERT_TRUE(db.Open(path_, 0));
  PromptRecorder prompts;
  CQelRs4OdbcUsers users(&db);
  EXPECT_FALSE(users.AddOrModifyUser(user, "admin", false));
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "Missing user \"jdoe\"!");
  EXPECT_TRUE(users.AddOrModifyUser(user, "admin", true));
  user.m_surname = "Changed";
  EXPECT_FALSE(users.AddOrModifyUser(user, "admin", true));
  ASSERT_EQ(prompts.Shown().size(), 2u);
  EXPECT_EQ(prompts.Shown()[1].text, "User \"jdoe\" already exists!");
  EXPECT_TRUE(users.AddOrModifyUser(user, "admin", false));
  db.Close();
  EXPECT_EQ(Sql(path_, "SELECT Id, Sname, User FROM Users;"), "jdoe|Changed|admin\n");
}

}  // namespace
}  // namespace test

}  // namespace qel
