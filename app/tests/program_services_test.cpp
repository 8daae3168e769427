// The program's start-up services and project object over the real
// subsystems: the workstation users file made, opened and loaded by the
// start-up login at the users service's own place (not beside the
// program), users saved into it; the norms service on real norms files; the
// project object as the document, a run and the administration dialogs see
// it, writing as the logged-in user.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/services/ProgramServices.h"
#include "app/startup/AppStartup.h"
#include "db/norms/NormDatabase.h"
#include "db/tests/support/DbTestTools.h"
#include "project/users/WorkstationUsers.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {
namespace test {
namespace {

class OneLogin : public IUserDialogs {
 public:
  CUserRecord user;
  std::vector<std::string> offered;
  bool Login(const std::vector<CUserRecord>& users, CUserRecord* out) override {
    for (const CUserRecord& u : users) offered.push_back(u.m_id);
    *out = user;
    return true;
  }
  bool RegisterUser(CUserRecord* out) override {
    *out = user;
    return true;
  }
};

CUserRecord User(const std::string& id, int type) {
  CUserRecord user;
  user.m_id = id;
  user.m_firstName = id + " first";
  user.m_surname = id + " surname";
  user.m_type = type;
  user.SetPassword("pw of " + id);
  user.m_registered = QelDateTime::FromDate(2024, 1, 2);
  return user;
}

class ProgramServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { LogoutCurrentUser(); }
  void TearDown() override {
    LogoutCurrentUser();
    SetAppServices(AppServices());
  }
  TempFolder folder;
};

TEST_F(ProgramServicesTest, TheUsersServiceLivesInTheSharedUsersFolderByDefault) {
  CWorkstationUsersService users;
  EXPECT_EQ(users.GetFilePath(), GetUsersFilePath());
  EXPECT_NE(users.GetFilePath(), UsersFilePath("/opt/qel/"));
}

TEST_F(ProgramServicesTest, StartUpLoginMakesTheUsersFileInItsOwnFolderAndLogsIn) {
  // The users folder does not exist yet: the service makes it.
  const std::string path = (folder.Path() / "shared" / "users" / kUsersFileName).string();
  CWorkstationUsersService users(path);
  OneLogin dialogs;
  dialogs.user = User("anna", 1);
  PromptRecorder prompts;
  ASSERT_EQ(LoginAtStartup(&users, &dialogs), StartupLogin::kLoggedIn);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(users.Users().empty());
  EXPECT_TRUE(dialogs.offered.empty());
  EXPECT_EQ(GetCurrentUserId(), "anna");

  // Saving through the program's service stores the user and reloads the list.
  AppServices services;
  services.users = &users;
  SetAppServices(services);
  ASSERT_TRUE(SaveWorkstationUser(User("bert", 0), "anna", true));
  ASSERT_TRUE(IsUserNameListed("bert"));
  bool hasRegister = false;
  CUserArray stored;
  ASSERT_TRUE(LoadUsers(path, &hasRegister, &stored));
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].m_surname, "bert surname");

  // The next start finds the file and offers its users.
  LogoutCurrentUser();
  CWorkstationUsersService again(path);
  dialogs.user = User("bert", 0);
  ASSERT_EQ(LoginAtStartup(&again, &dialogs), StartupLogin::kLoggedIn);
  EXPECT_EQ(dialogs.offered, (std::vector<std::string>{"bert"}));
}

TEST_F(ProgramServicesTest, AUsersFileThatIsNoDatabaseStopsStartUp) {
  const std::string path = (folder.Path() / kUsersFileName).string();
  ASSERT_EQ(RunProgram({"sh", "-c", "printf 'not a database' > '" + path + "'"}).exitCode, 0);
  CWorkstationUsersService users(path);
  OneLogin dialogs;
  PromptRecorder prompts;
  EXPECT_EQ(LoginAtStartup(&users, &dialogs), StartupLogin::kUsersUnavailable);
  EXPECT_TRUE(dialogs.offered.empty());
  EXPECT_FALSE(IsUserLoggedIn());
}

TEST_F(ProgramServicesTest, TheNormsServiceOpensReadsAndClosesARealNormsFile) {
  if (!HaveProgram("sqlite3")) GTEST_SKIP() << "no sqlite3 shell";
  const std::string good = (folder.Path() / "Qel.qen").string();
  ASSERT_EQ(RunSqlShell("sqlite3", good,
                        "CREATE TABLE Zfunctions (Task VARCHAR(255), Function VARCHAR(255), FunIndex INTEGER, "
                        "AgeMinIndex INTEGER, AgeMaxIndex INTEGER, Num INTEGER, \"Values\" BLOB);")
                .exitCode,
            0);
  CNormDatabase database;
  CStartupNorms norms(database);
  EXPECT_EQ(norms.GetHandedOver(), -1);
  ASSERT_TRUE(norms.Open(good));
  EXPECT_TRUE(database.IsOpen());
  norms.LoadAllZFunctions();
  EXPECT_EQ(norms.GetHandedOver(), 0) << "an empty table hands nothing over, and is read";
  norms.Close();
  EXPECT_FALSE(database.IsOpen());

  // A file without the table is opened but cannot be read.
  const std::string other = (folder.Path() / "other.qen").string();
  ASSERT_EQ(RunSqlShell("sqlite3", other, "CREATE TABLE Other (a INTEGER);").exitCode, 0);
  PromptRecorder prompts;
  CStartupNorms otherNorms(database);
  if (otherNorms.Open(other)) {
    otherNorms.LoadAllZFunctions();
    EXPECT_EQ(otherNorms.GetHandedOver(), -1);
    otherNorms.Close();
  }
}

TEST_F(ProgramServicesTest, TheProjectObjectWritesAsTheLoggedInUser) {
  CProgramProject project(nullptr);
  IDocProject& doc = project;
  EXPECT_EQ(doc.GetRunProject(), static_cast<IRunProject*>(&project));
  EXPECT_EQ(doc.GetAdminProject(), static_cast<IAdminProject*>(&project));
  EXPECT_FALSE(doc.IsOpen());
  EXPECT_EQ(CQelProject::GetLoggedUser(), &g_LoggedUser);

  // Nobody logged in: a new project is plain.
  const std::string plain = (folder.Path() / "plain.qep").string();
  ASSERT_TRUE(CQelProject::CreateProject(plain, "Owner", "", nullptr, false, false));
  // A logged-in user makes audited projects, created by them.
  g_LoggedUser = User("anna", 1);
  const std::string audited = (folder.Path() / "audited.qep").string();
  ASSERT_TRUE(CQelProject::CreateProject(audited, "Owner", "", nullptr, false, false));

  struct Case {
    std::string path;
    bool cfr;
  } cases[] = {{plain, false}, {audited, true}};
  for (const Case& c : cases) {
    doc.SetPath(c.path);
    ASSERT_TRUE(project.Project().Open(c.path, false, false)) << c.path;
    EXPECT_TRUE(doc.IsOpen());
    EXPECT_EQ(doc.IsOpenCfr(), c.cfr) << c.path;
    EXPECT_EQ(doc.GetPath(), c.path);
    EXPECT_EQ(doc.GetRunProject()->GetPath(), c.path);
    EXPECT_EQ(doc.GetLastOpenResult(), 0);
    EXPECT_EQ(doc.GetName(), std::filesystem::path(c.path).stem().string());
    EXPECT_EQ(doc.GetVersionNumber(), project.Project().GetVersionNumber());
    if (c.cfr) EXPECT_EQ(project.Project().GetCreationUser(), "anna");
  }
}

}  // namespace
}  // namespace test
}  // namespace qel
