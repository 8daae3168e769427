// The workstation users database: created empty (read back by the sqlite3
// and sqlcipher shells), never over an existing file, read in Id order
// with every field, passwords only as hashes, and the start-up that makes
// the shared folder and file and opens them to every account, tried by
// accounts that are not root.
#include <gtest/gtest.h>

#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/Dao.h"
#include "db/acl/FileAccess.h"
#include "db/cfr/CfrDaoRecordsets.h"
#include "db/tests/support/DbTestTools.h"
#include "project/users/WorkstationUsers.h"
#include "tests/support/common/OtherAccount.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace test {
namespace {

constexpr uid_t kMember = 54331;    // in the local users' group
constexpr uid_t kStranger = 54332;  // in no group but its own

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of the folder, read whole, holds none of the texts.
void ExpectNoTextInFolder(const std::string& folder, const std::vector<std::string>& texts) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string bytes = FileBytes(entry.path().string());
    for (const std::string& text : texts) {
      EXPECT_EQ(bytes.find(text), std::string::npos) << text << " stands in " << entry.path();
    }
  }
}

CUserRecord MakeUser(const std::string& id, const std::string& password, int type) {
  CUserRecord user;
  user.m_id = id;
  user.SetPassword(password);
  user.m_type = type;
  user.m_firstName = "First " + id;
  user.m_surname = "Sur " + id;
  user.m_registered = QelDateTime::FromDate(2024, 3, 14);
  user.m_institute = "Institute of " + id;
  user.m_comment = "Comment of O'" + id;
  return user;
}

// Adds the users to the database at path, written by the acting user.
void AddUsers(const std::string& path, const std::vector<CUserRecord>& users) {
  DaoDatabase db;
  db.Open(path, false, std::string());
  for (const CUserRecord& user : users) {
    CQelRs4DaoUsers rows(&db);
    rows.AddUser(user, "admin");
  }
  db.Close();
}

std::vector<std::string> Ids(const CUserArray& users) {
  std::vector<std::string> ids;
  for (const CUserRecord& u : users) ids.push_back(u.m_id);
  return ids;
}

class WorkstationUsersTest : public ::testing::Test {
 protected:
  void SetUp() override { m_path = m_dir.File(kUsersFileName); }
  TempFolder m_dir;
  std::string m_path;
};

TEST_F(WorkstationUsersTest, ANewUsersFileHoldsOneEmptyUsersTable) {
  PromptRecorder prompts;
  ASSERT_TRUE(CreateUsers(m_path, nullptr, false));
  EXPECT_TRUE(prompts.Shown().empty());

  bool hasRegister = true;
  CUserArray users{CUserRecord()};
  EXPECT_TRUE(LoadUsers(m_path, &hasRegister, &users));
  EXPECT_TRUE(users.empty());
  EXPECT_FALSE(hasRegister);

  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "the sqlite3 shell is needed";
  const ProgramResult tables = RunSqlShell(
      "sqlite3", m_path, "SELECT type, name FROM sqlite_master ORDER BY name; SELECT count(*) FROM Users;");
  EXPECT_EQ(tables.output, "table|Users\nindex|UsersIndex\n0\n") << tables.errors;
  const ProgramResult columns = RunSqlShell("sqlite3", m_path, "SELECT name FROM pragma_table_info('Users');");
  EXPECT_EQ(columns.output, "Id\nPWD\nType\nFname\nSname\nRegistered\nInstitute\nComment\nDate\nUser\nAttributes\n");
}

TEST_F(WorkstationUsersTest, CreatingTellsItsResultWhenAskedAndNeverTouchesAnExistingFile) {
  PromptRecorder prompts;
  ASSERT_TRUE(CreateUsers(m_path, nullptr, true));
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "Users list\n\"" + m_path + "\"\nsuccesfully created!");
  EXPECT_EQ(prompts.Shown()[0].style, unsigned(kPromptOk | kPromptIconInfo));

  AddUsers(m_path, {MakeUser("keep", "keep-pass", 1)});
  const std::string before = FileBytes(m_path);
  EXPECT_FALSE(CreateUsers(m_path, nullptr, true));
  ASSERT_EQ(prompts.Shown().size(), 2u);
  EXPECT_EQ(prompts.Shown()[1].text, "Users list\n\"" + m_path + "\"\nalready exists!");
  EXPECT_EQ(prompts.Shown()[1].style, unsigned(kPromptOk | kPromptIconWarning));
  EXPECT_FALSE(CreateUsers(m_path, "other", false));
  EXPECT_EQ(prompts.Shown().size(), 2u);  // silent without messages
  EXPECT_EQ(FileBytes(m_path), before);

  // A folder that does not exist: reported under the operation's name, no file left.
  const std::string lost = m_dir.File("no-folder/Qel.qeu");
  EXPECT_FALSE(CreateUsers(lost, nullptr, true));
  ASSERT_EQ(prompts.Shown().size(), 3u);
  EXPECT_EQ(prompts.Shown()[2].text.rfind("CreateUsers: " + lost, 0), 0u) << prompts.Shown()[2].text;
  EXPECT_FALSE(std::filesystem::exists(lost));
  EXPECT_FALSE(CreateUsers("", nullptr, true));
  EXPECT_EQ(prompts.Shown().size(), 3u);
}

TEST_F(WorkstationUsersTest, UsersComeInIdOrderWithEveryFieldAndPasswordsOnlyAsHashes) {
  ASSERT_TRUE(CreateUsers(m_path, nullptr, false));
  AddUsers(m_path, {MakeUser("delta", "pass-of-delta", 0), MakeUser("Bravo", "pass-of-bravo", 1),
                    MakeUser("alpha", "pass-of-alpha", 2), MakeUser("Charlie", "pass-of-charlie", 1)});
  CUserArray users;
  bool hasRegister = true;
  ASSERT_TRUE(LoadUsers(m_path, &hasRegister, &users));
  EXPECT_EQ(Ids(users), (std::vector<std::string>{"alpha", "Bravo", "Charlie", "delta"}));
  const CUserRecord& bravo = users[1];
  EXPECT_EQ(bravo.m_type, 1);
  EXPECT_EQ(bravo.m_firstName, "First Bravo");
  EXPECT_EQ(bravo.m_surname, "Sur Bravo");
  EXPECT_EQ(bravo.m_institute, "Institute of Bravo");
  EXPECT_EQ(bravo.m_comment, "Comment of O'Bravo");
  ASSERT_TRUE(bravo.m_registered.IsValid());
  int year = 0, month = 0, day = 0;
  bravo.m_registered.Split(&year, &month, &day);
  EXPECT_EQ(year * 10000 + month * 100 + day, 20240314);
  EXPECT_TRUE(bravo.CheckPassword("pass-of-bravo"));
  EXPECT_FALSE(bravo.CheckPassword("pass-of-alpha"));
  EXPECT_EQ(bravo.m_password.rfind("pbkdf2:", 0), 0u);

  // No password stands in any file the program wrote, in any form a reader sees.
  ExpectNoTextInFolder(m_dir.Path().string(), {"pass-of-delta", "pass-of-bravo", "pass-of-alpha", "pass-of-charlie"});
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "the sqlite3 shell is needed";
  const ProgramResult pwd = RunSqlShell("sqlite3", m_path, "SELECT count(*) FROM Users WHERE PWD LIKE 'pbkdf2:%';");
  EXPECT_EQ(pwd.output, "4\n");
  const ProgramResult plain = RunSqlShell("sqlite3", m_path, "SELECT count(*) FROM Users WHERE PWD LIKE '%pass-of%';");
  EXPECT_EQ(plain.output, "0\n");
}

TEST_F(WorkstationUsersTest, ARegisterTableIsToldAndAFileWithoutUsersLoadsNothingQuietly) {
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "the sqlite3 shell is needed";
  ASSERT_TRUE(CreateUsers(m_path, nullptr, false));
  ASSERT_EQ(RunSqlShell("sqlite3", m_path, "CREATE TABLE Register (Id VARCHAR(64), Profile BLOB);").exitCode, 0);
  bool hasRegister = false;
  CUserArray users;
  EXPECT_TRUE(LoadUsers(m_path, &hasRegister, &users));
  EXPECT_TRUE(hasRegister);

  const std::string other = m_dir.File("other.qeu");
  ASSERT_EQ(RunSqlShell("sqlite3", other, "CREATE TABLE Register (Id VARCHAR(64));").exitCode, 0);
  PromptRecorder prompts;
  users.push_back(CUserRecord());
  EXPECT_FALSE(LoadUsers(other, &hasRegister, &users));
  EXPECT_TRUE(hasRegister);
  EXPECT_TRUE(users.empty());
  EXPECT_TRUE(prompts.Shown().empty());
}

TEST_F(WorkstationUsersTest, FilesThatCannotBeReadAreReportedUnderLoadUsers) {
  PromptRecorder prompts;
  CUserArray users{CUserRecord()};
  bool hasRegister = true;
  EXPECT_FALSE(LoadUsers(m_dir.File("missing.qeu"), &hasRegister, &users));
  EXPECT_TRUE(users.empty());
  EXPECT_FALSE(hasRegister);
  std::ofstream(m_dir.File("text.qeu")) << "no database here, only a line of text that is long enough";
  EXPECT_FALSE(LoadUsers(m_dir.File("text.qeu"), &hasRegister, &users));
  EXPECT_FALSE(LoadUsers("", &hasRegister, &users));
  ASSERT_EQ(prompts.Shown().size(), 2u);
  EXPECT_EQ(prompts.Shown()[0].text.rfind("LoadUsers: " + m_dir.File("missing.qeu"), 0), 0u);
  EXPECT_EQ(prompts.Shown()[1].text.rfind("LoadUsers: " + m_dir.File("text.qeu"), 0), 0u);
}

TEST_F(WorkstationUsersTest, AProtectedUsersFileIsEncryptedAndLoadUsersCannotReadIt) {
  PromptRecorder prompts;
  ASSERT_TRUE(CreateUsers(m_path, "list-key-Q7", false));
  // The key is stored nowhere, and the file is no plain database.
  ExpectNoTextInFolder(m_dir.Path().string(), {"list-key-Q7", "Users", "UsersIndex"});
  CUserArray users;
  EXPECT_FALSE(LoadUsers(m_path, nullptr, &users));
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text.rfind("LoadUsers: " + m_path, 0), 0u);

  if (!HaveProgram("sqlcipher")) GTEST_SKIP() << "the sqlcipher shell is needed";
  EXPECT_EQ(RunSqlShell("sqlcipher", m_path, "SELECT count(*) FROM Users;", "list-key-Q7").output, "0\n");
  EXPECT_NE(RunSqlShell("sqlcipher", m_path, "SELECT count(*) FROM Users;", "wrong").output, "0\n");
}

TEST(UsersFolder, TheSharedFolderUnlessTheEnvironmentNamesAnother) {
  const char* saved = std::getenv(kUsersFolderVariable);
  const std::string keep = saved ? saved : "";
  ::unsetenv(kUsersFolderVariable);
  EXPECT_EQ(GetUsersFolder(), "/var/lib/qel/");
  EXPECT_EQ(GetUsersFilePath(), "/var/lib/qel/Qel.qeu");
  ::setenv(kUsersFolderVariable, "/srv/qel", 1);
  EXPECT_EQ(GetUsersFolder(), "/srv/qel/");
  ::setenv(kUsersFolderVariable, "/srv/qel/", 1);
  EXPECT_EQ(GetUsersFilePath(), "/srv/qel/Qel.qeu");
  ::setenv(kUsersFolderVariable, "", 1);
  EXPECT_EQ(GetUsersFolder(), "/var/lib/qel/");
  if (saved) {
    ::setenv(kUsersFolderVariable, keep.c_str(), 1);
  } else {
    ::unsetenv(kUsersFolderVariable);
  }
}

// Start-up with the users folder of a test.
class PrepareUsersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::chmod(m_dir.Path().c_str(), 0755), 0);
    m_folder = m_dir.File("shared") + "/";
    ::setenv(kUsersFolderVariable, m_folder.c_str(), 1);
  }
  void TearDown() override { ::unsetenv(kUsersFolderVariable); }

  static std::string Facl(const std::string& path) {
    return RunProgram({"getfacl", "--omit-header", "--absolute-names", path}).output;
  }

  TempFolder m_dir;
  std::string m_folder;
};

TEST_F(PrepareUsersTest, TheFolderAndTheFileAreMadeOnceAndOpenedToEveryAccount) {
  PromptRecorder prompts;
  bool hasRegister = true;
  CUserArray users{CUserRecord()};
  ASSERT_TRUE(PrepareWorkstationUsers(&hasRegister, &users));
  EXPECT_TRUE(users.empty());
  EXPECT_FALSE(hasRegister);
  EXPECT_TRUE(prompts.Shown().empty());
  const std::string path = m_folder + kUsersFileName;
  ASSERT_TRUE(std::filesystem::exists(path));

  if (HaveProgram("getfacl")) {
    const std::string file = Facl(path);
    EXPECT_NE(file.find("group:users:rw-"), std::string::npos) << file;
    EXPECT_NE(file.find("other::r--"), std::string::npos) << file;
    const std::string folder = Facl(m_folder);
    EXPECT_NE(folder.find("group:users:rwx"), std::string::npos) << folder;
    EXPECT_NE(folder.find("default:group:users:rwx"), std::string::npos) << folder;
  }

  // A second start finds the file and keeps its users.
  AddUsers(path, {MakeUser("admin", "admin-pass", 1)});
  ASSERT_TRUE(PrepareWorkstationUsers(&hasRegister, &users));
  EXPECT_EQ(Ids(users), (std::vector<std::string>{"admin"}));
  ExpectNoTextInFolder(m_folder, {"admin-pass"});
}

TEST_F(PrepareUsersTest, AnotherAccountReadsAndAMemberOfTheUsersGroupAlsoWrites) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can act as other accounts";
  const group* users = ::getgrnam(kLocalUsersGroup);
  if (!users) GTEST_SKIP() << "the system has no group users";
  const gid_t usersGroup = users->gr_gid;
  CUserArray list;
  ASSERT_TRUE(PrepareWorkstationUsers(nullptr, &list));
  const std::string path = m_folder + kUsersFileName;
  AddUsers(path, {MakeUser("admin", "admin-pass", 1)});

  // 0 read and wrote; 1 did not read; 2 read but could not write.
  const auto readAndWrite = [path](const std::string& id) {
    return [path, id] {
      CUserArray seen;
      if (!LoadUsers(path, nullptr, &seen) || seen.size() != 1 || seen[0].m_id != "admin") return 1;
      try {
        AddUsers(path, {MakeUser(id, "pass-" + id, 0)});
      } catch (const DaoException&) {
        return 2;
      }
      return 0;
    };
  };
  PromptRecorder prompts;
  EXPECT_EQ(RunAsAccount(kStranger, {kStranger}, readAndWrite("stranger")), 2);
  EXPECT_EQ(RunAsAccount(kMember, {kMember, usersGroup}, readAndWrite("member")), 0);

  ASSERT_TRUE(LoadUsers(path, nullptr, &list));
  EXPECT_EQ(Ids(list), (std::vector<std::string>{"admin", "member"}));
  ExpectNoTextInFolder(m_folder, {"admin-pass", "pass-member", "pass-stranger"});
}

}  // namespace
}  // namespace test

}  // namespace qel
