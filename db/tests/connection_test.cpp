// Connections to the program's database files: opening, keys, the codes
// and messages of failures, the table catalog.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "db/Dao.h"
#include "db/DbOdbcAccess.h"
#include "db/tests/support/DbTestTools.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

// A database file with one table T (a) and one row, protected by the key when given.
void MakeDatabase(const std::string& path, const std::string& key) {
  DaoDatabase db;
  db.Create(path, key);
  db.Connection().Execute("CREATE TABLE T (a TEXT)");
  db.Connection().Execute("INSERT INTO T VALUES ('row')");
  db.Complete();
}

// The code ClassifyDBException gives for opening the file with the key.
int OpenCode(const std::string& path, const std::string& key, unsigned options = kDbOpenNone) {
  CDbOdbcAccess db;
  db.SetPassword(key);
  try {
    db.Open(path, options);
  } catch (const DbException& e) {
    return ClassifyDBException(&e);
  }
  return 0;
}

TEST(DbConnection, OpeningGivesTheCodesOfItsFailures) {
  TempFolder dir;
  const std::string plain = dir.File("plain.qep");
  const std::string locked = dir.File("locked.qep");
  MakeDatabase(plain, "");
  MakeDatabase(locked, "k'ey");
  struct Case {
    const char* what;
    std::string path;
    std::string key;
    int code;
  } cases[] = {
      {"missing file", dir.File("none.qep"), "", kDbResultDriverState},
      {"missing folder", dir.File("none/x.qep"), "", kDbResultDriverState},
      {"protected, no key", locked, "", kDbResultWrongPassword},
      {"protected, wrong key", locked, "key", kDbResultWrongPassword},
      {"protected, its key", locked, "k'ey", 0},
      {"unprotected, no key", plain, "", 0},
      // An unprotected database ignores a password, as it always did.
      {"unprotected, a key", plain, "any", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(OpenCode(c.path, c.key), c.code) << c.what;
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.qep")));  // opening never creates a file
}

TEST(DbConnection, AProtectedFileIsUnreadableWithoutItsKeyInAnyProgram) {
  if (!HaveProgram("sqlcipher") || !HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3/sqlcipher shell";
  TempFolder dir;
  const std::string path = dir.File("p.qep");
  MakeDatabase(path, "secret");
  const ProgramResult without = RunSqlShell("sqlcipher", path, "SELECT a FROM T;");
  EXPECT_NE(without.exitCode, 0);
  EXPECT_NE(without.errors.find("not a database"), std::string::npos) << without.errors;
  EXPECT_NE(RunSqlShell("sqlite3", path, "SELECT a FROM T;").exitCode, 0);
  const ProgramResult with = RunSqlShell("sqlcipher", path, "SELECT a FROM T;", "secret");
  EXPECT_EQ(with.exitCode, 0) << with.errors;
  EXPECT_NE(with.output.find("row"), std::string::npos);
  // No byte of the row stands in the file.
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes.find("row"), std::string::npos);
  EXPECT_EQ(bytes.find("SQLite format 3"), std::string::npos);
}

// Run by UnreadableFileIsNoPermission as an unprivileged user: the codes of
// opening a file of root's that this user may not read, or not write.
TEST(DbConnectionAsOtherUser, CodesOfFilesItMayNotUse) {
  const char* unreadable = std::getenv("QEL_DB_UNREADABLE");
  const char* readOnly = std::getenv("QEL_DB_READONLY");
  if (!unreadable || !readOnly) GTEST_SKIP() << "run by DbConnection.UnreadableFileIsNoPermission";
  EXPECT_EQ(OpenCode(unreadable, "", kDbOpenReadOnly), kDbResultNoPermission);
  EXPECT_EQ(OpenCode(readOnly, "", kDbOpenNone), kDbResultNoPermission);
  EXPECT_EQ(OpenCode(readOnly, "", kDbOpenReadOnly), 0);
}

TEST(DbConnection, UnreadableFileIsNoPermission) {
  TempFolder dir;
  const std::string unreadable = dir.File("unreadable.qep");
  const std::string readOnly = dir.File("readonly.qep");
  MakeDatabase(unreadable, "");
  MakeDatabase(readOnly, "");
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(unreadable.c_str(), 0600), 0);
  ASSERT_EQ(::chmod(readOnly.c_str(), 0644), 0);
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(unreadable.c_str(), 0000), 0);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(OpenCode(unreadable, "", kDbOpenReadOnly), kDbResultNoPermission);
    EXPECT_EQ(OpenCode(readOnly, "", kDbOpenNone), kDbResultNoPermission);
    return;
  }
  if (!HaveProgram("setpriv")) GTEST_SKIP() << "no setpriv to drop root's rights";
  ::setenv("QEL_DB_UNREADABLE", unreadable.c_str(), 1);
  ::setenv("QEL_DB_READONLY", readOnly.c_str(), 1);
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const ProgramResult child = RunProgram({"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", self,
                                          "--gtest_filter=DbConnectionAsOtherUser.*"});
  ::unsetenv("QEL_DB_UNREADABLE");
  ::unsetenv("QEL_DB_READONLY");
  EXPECT_EQ(child.exitCode, 0) << child.output << child.errors;
  EXPECT_NE(child.output.find("[  PASSED  ] 1 test"), std::string::npos) << child.output;
}

TEST(DbConnection, ReportsShowThePathTheDetailAndTheReason) {
  PromptRecorder prompts;
  const DbException permission = DbException::FromSystem(EACCES, "Cannot open", "/d/p.qep");
  EXPECT_EQ(ReportDBException(&permission, "/d/p.qep", "Testee", true), kDbResultNoPermission);
  const DbException key = DbException::FromSqlite(26, 0, "file is encrypted or is not a database");
  EXPECT_EQ(ReportDBException(&key, "/d/p.qep", "", true), kDbResultWrongPassword);
  const DbException other = DbException::FromSqlite(19, 0, "UNIQUE constraint failed");
  EXPECT_EQ(ReportDBException(&other, "/d/p.qep", "", false), kDbResultOther);
  EXPECT_EQ(ReportDBException(nullptr, "/d/p.qep", "", true), kDbResultOther);
  const DbException missing = DbException::FromSystem(ENOENT, "Cannot open", "/d/p.qep");
  EXPECT_EQ(ReportDBException(&missing, "/d/p.qep", "", true), kDbResultDriverState);
  ASSERT_EQ(prompts.ShownTexts().size(), 3u);
  EXPECT_EQ(prompts.ShownTexts()[0], "/d/p.qep, Testee\r\nNo permission");
  EXPECT_EQ(prompts.ShownTexts()[1], "/d/p.qep\r\nNot a valid password");
  EXPECT_EQ(prompts.ShownTexts()[2], "/d/p.qep\r\n" + missing.StateText() + "\r\n" + missing.ErrorText());
  EXPECT_EQ(missing.StateText(), "State:ENOENT,Native:2,Origin:[System]");
}

TEST(DbConnection, OpenReadsTheTablesButNotViewsAndComparesNamesExactly) {
  TempFolder dir;
  const std::string path = dir.File("Proj.Study.qep");
  MakeDatabase(path, "");
  {
    SqliteConnection raw;
    raw.Open(path, "", false);
    raw.Execute("CREATE VIEW V AS SELECT a FROM T");
  }
  CDbOdbcAccess db;
  ASSERT_TRUE(db.Open(path, kDbOpenReadOnly));
  EXPECT_EQ(db.GetTableNames(), std::vector<std::string>{"T"});
  EXPECT_TRUE(db.TableExists("T"));
  EXPECT_FALSE(db.TableExists("t"));
  EXPECT_FALSE(db.TableExists("V"));
  EXPECT_EQ(db.GetDirectory(), dir.Path().string() + "/");
  EXPECT_EQ(db.GetNameWithExtension(), "Proj.Study.qep");
  EXPECT_EQ(db.GetTitle(), "Proj.Study");
  EXPECT_EQ(GetDirectoryOfPath("Proj.qep"), "");
  EXPECT_EQ(GetDirectoryOfPath(""), "");
  EXPECT_EQ(GetDirectoryOfPath("/data/Proj.qep"), "/data/");
}

TEST(DbConnection, TheKeyGoesWithTheConnectionOnlyWhenAPasswordIsSet) {
  CDbOdbcAccess db;
  EXPECT_TRUE(db.GetConnectString("").IsEmpty());
  EXPECT_EQ(db.GetConnectString("/d/p.qep").key, "");
  db.SetPassword("pw");
  const DbConnectString connect = db.GetConnectString("/d/p.qep");
  EXPECT_EQ(connect.key, "pw");
  EXPECT_EQ(connect.text.find("pw"), std::string::npos);  // the key is never part of the text
  db.SetPassword("");
  EXPECT_EQ(db.GetConnectString("/d/p.qep").key, "");
}

}  // namespace
}  // namespace test

}  // namespace qel
