// The first rows of a new CFR project or users database: the header rows,
// the default testee code and a user, whose password stands as a hash only.
#include <gtest/gtest.h>

#include "app/text/DateTimeText.h"
#include "db/cfr/CfrDaoRecordsets.h"
#include "db/cfr/CfrTables.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

TEST(CfrFirstRows, AProjectHeaderHasExactlyItsFiveRows) {
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  TempFolder dir;
  const std::string path = dir.File("Cfr.qep");
  CUserRecord creator;
  creator.m_id = "jdoe";
  creator.m_firstName = "Jane";
  creator.m_surname = "O'Doe";
  std::string today;
  {
    DaoDatabase db;
    db.Create(path, "");
    ASSERT_TRUE(CreateTableStrings(&db, kCfrProjectSuffix));
    ASSERT_TRUE(CreateTableTesteeCodes(&db));
    CQelRs4DaoStrings strings(&db);
    strings.SetSuffix(kCfrProjectSuffix);
    EXPECT_EQ(strings.GetTableName(), "StringsProject");
    ASSERT_TRUE(strings.WriteHeader(creator, "Clinic", "First study"));
    today = FormatDateDots(CurrentLocalDateTime());
    CQelRs4DaoTesteeCode codes(&db);
    ASSERT_TRUE(codes.AddDefaultCode(QelDateTime(), "jdoe"));
    EXPECT_FALSE(DaoTableExists(&db, "Register"));
    db.Complete();
  }
  const ProgramResult header = RunSqlShell(
      "sqlite3", path,
      "SELECT CodeNumber, CodeString, Number1, Number2, String1, Attributes FROM StringsProject ORDER BY CodeNumber;");
  const std::string year = today.substr(0, 4), month = std::to_string(std::stoi(today.substr(5, 2)));
  EXPECT_EQ(header.output,
            "1|User|0|0|jdoe|0\n2|Institute|0|0|Clinic|0\n3|Comment|0|0|First study|0\n"
            "4|Version|1|4|01.04|0\n5|Date|" +
                year + "|" + month + "|" + today + "|0\n");
  EXPECT_EQ(RunSqlShell("sqlite3", path, "SELECT String2 FROM StringsProject WHERE CodeNumber = 1;").output,
            "O'Doe, Jane\n");
  EXPECT_EQ(RunSqlShell("sqlite3", path,
                        "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'StringsProject';")
                .output,
            "StringsIndex\n");
  EXPECT_EQ(RunSqlShell("sqlite3", path,
                        "SELECT TesteeCode, Comment, Description, User, Attributes, length(Date) FROM TesteeCodes;")
                .output,
            "Default|Default|This Code is used as default for Testee Code.|jdoe|0|19\n");
}

TEST(CfrFirstRows, AUserIsStoredWithAHashOfThePasswordNeverTheText) {
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  TempFolder dir;
  const std::string path = dir.File("Qel.qeu");
  CUserRecord user;
  user.m_id = "admin";
  user.SetPassword("Top'Secret");
  user.m_type = 1;
  user.m_firstName = "Ann";
  user.m_surname = "Admin";
  user.m_registered = QelDateTime::FromDate(2024, 1, 2);
  {
    DaoDatabase db;
    db.Create(path, "");
    ASSERT_TRUE(CreateTableUsers(&db));
    CQelRs4DaoUsers users(&db);
    ASSERT_TRUE(users.AddUser(user, "admin"));
    db.Complete();
  }
  const ProgramResult row = RunSqlShell(
      "sqlite3", path, "SELECT Id, Type, Fname, Sname, Registered, quote(Institute), User, Attributes FROM Users;");
  EXPECT_EQ(row.output, "admin|1|Ann|Admin|2024.01.02 00:00:00|''|admin|0\n");
  const std::string stored = RunSqlShell("sqlite3", path, "SELECT PWD FROM Users;").output;
  EXPECT_EQ(stored.find("Top"), std::string::npos);
  EXPECT_TRUE(VerifyUserPassword(stored.substr(0, stored.size() - 1), "Top'Secret"));

  // Required names may not be empty; the file refuses such a user.
  DaoDatabase db;
  db.Open(path, false, "");
  CQelRs4DaoUsers users(&db);
  CUserRecord nameless = user;
  nameless.m_id = "x";
  nameless.m_firstName.clear();
  EXPECT_THROW(users.AddUser(nameless, "admin"), DaoException);
}

}  // namespace
}  // namespace test

}  // namespace qel
