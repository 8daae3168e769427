// Start-up rules without a window: file names, the help book by language,
// the norms and plug-ins step, the start-up login with its failures, the
// system configuration copies and the logged-in user's services.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/common/TempFolder.h"

namespace qel {
namespace {

using test::PromptRecorder;
using test::TempFolder;

std::string Folder(const TempFolder& folder) { return folder.Path().string() + "/"; }

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

TEST(AppStartupNames, FilesAndHelpBooks) {
  EXPECT_EQ(UsersFilePath("/opt/qel/"), "/opt/qel/Qel.qeu");
  EXPECT_EQ(NormsFilePath("/opt/qel/"), "/opt/qel/Qel.qen");
  const struct {
    int language;
    const char* book;
  } cases[] = {{0, "Qel.htb"}, {1, "QelEN.htb"}, {2, "QelDU.htb"}, {3, "QelIT.htb"}, {4, "Qel.htb"}, {-1, "Qel.htb"}};
  for (const auto& c : cases) EXPECT_EQ(GetHelpFileName(c.language), c.book) << c.language;
}

class FakeNorms : public IStartupNorms {
 public:
  bool openResult = true;
  std::vector<std::string> calls;
  bool Open(const std::string& path) override {
    calls.push_back("open " + path);
    return openResult;
  }
  void LoadAllZFunctions() override { calls.push_back("load"); }
  void Close() override { calls.push_back("close"); }
};

TEST(AppStartupNorms, MissingFileWarnsAndPluginsStillLoad) {
  TempFolder folder;
  PromptRecorder prompts;
  FakeNorms norms;
  int found = 0;
  EXPECT_FALSE(LoadNormsAndPlugins(Folder(folder), &norms, [&] { return ++found; }));
  EXPECT_EQ(found, 1);
  EXPECT_TRUE(norms.calls.empty());
  ASSERT_EQ(prompts.Shown().size(), 1u);
  EXPECT_EQ(prompts.Shown()[0].text, "Missing Norm file :" + Folder(folder) + "Qel.qen!");
  EXPECT_EQ(prompts.Shown()[0].style & 0xF0u, static_cast<unsigned>(kPromptIconWarning));
}

TEST(AppStartupNorms, NormsGoToThePluginsLoadedAfterTheOpen) {
  TempFolder folder;
  Touch(NormsFilePath(Folder(folder)));
  PromptRecorder prompts;
  FakeNorms norms;
  EXPECT_TRUE(LoadNormsAndPlugins(Folder(folder), &norms, [&] {
    norms.calls.push_back("plugins");
    return 3;
  }));
  EXPECT_EQ(norms.calls, (std::vector<std::string>{"open " + NormsFilePath(Folder(folder)), "plugins", "load", "close"}));
  EXPECT_TRUE(prompts.Shown().empty());

  norms.calls.clear();
  norms.openResult = false;
  EXPECT_FALSE(LoadNormsAndPlugins(Folder(folder), &norms, [] { return 0; }));
  EXPECT_EQ(norms.calls.size(), 1u) << "a database that did not open is neither read nor closed";
}

class FakeUsers : public IWorkstationUsers {
 public:
  bool createResult = true;
  bool loadResult = true;
  std::vector<std::string> calls;
  std::vector<CUserRecord> users;
  std::string filePath;
  std::string GetFilePath() const override { return filePath; }
  bool Create(const std::string& path) override {
    calls.push_back("create");
    if (createResult) Touch(path);
    return createResult;
  }
  bool SetFileAccessForUsers(const std::string&) override {
    calls.push_back("access");
    return true;
  }
  bool Load(const std::string&) override {
    calls.push_back("load");
    return loadResult;
  }
  const std::vector<CUserRecord>& Users() const override { return users; }
  bool SaveUser(const CUserRecord& user, const std::string&, bool) override {
    calls.push_back("save " + user.m_id);
    users.push_back(user);
    return true;
  }
};

class FakeDialogs : public IUserDialogs {
 public:
  bool answer = true;
  CUserRecord user;
  int logins = 0;
  bool Login(const std::vector<CUserRecord>&, CUserRecord* out) override {
    ++logins;
    if (answer) *out = user;
    return answer;
  }
  bool RegisterUser(CUserRecord* out) override {
    if (answer) *out = user;
    return answer;
  }
};

class StartupLoginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogoutCurrentUser();
    users.filePath = UsersFilePath(Folder(folder));
  }
  void TearDown() override { LogoutCurrentUser(); }
  TempFolder folder;
  FakeUsers users;
  FakeDialogs dialogs;
};

TEST_F(StartupLoginTest, AMissingUsersFileIsCreatedOpenedToAllAndLoggedInto) {
  dialogs.user.m_id = "anna";
  dialogs.user.m_type = 1;
  EXPECT_EQ(LoginAtStartup(&users, &dialogs), StartupLogin::kLoggedIn);
  EXPECT_EQ(users.calls, (std::vector<std::string>{"create", "access", "load"}));
  EXPECT_EQ(GetCurrentUserId(), "anna");
  EXPECT_TRUE(IsUserLoggedIn());
  EXPECT_TRUE(IsCurrentUserType1());
  LogoutCurrentUser();
  EXPECT_FALSE(IsUserLoggedIn());
  EXPECT_EQ(g_LoggedUser.m_type, 0);
  EXPECT_TRUE(g_LoggedUser.m_registered.IsNull());
}

TEST_F(StartupLoginTest, AnExistingFileIsOnlyLoaded) {
  Touch(UsersFilePath(Folder(folder)));
  dialogs.user.m_id = "bert";
  EXPECT_EQ(LoginAtStartup(&users, &dialogs), StartupLogin::kLoggedIn);
  EXPECT_EQ(users.calls, (std::vector<std::string>{"load"}));
}

TEST_F(StartupLoginTest, ACancelledLoginEndsTheProgram) {
  dialogs.answer = false;
  PromptRecorder prompts;
  EXPECT_EQ(LoginAtStartup(&users, &dialogs), StartupLogin::kCancelled);
  EXPECT_FALSE(IsUserLoggedIn());
  EXPECT_TRUE(prompts.Shown().empty());
}

TEST_F(StartupLoginTest, AUsersListThatCannotBeMadeOrLoadedStopsStartUpWithAMessage) {
  struct Case {
    bool create, load;
  } cases[] = {{false, false}, {true, false}};
  for (const Case& c : cases) {
    PromptRecorder prompts;
    FakeUsers failing;
    failing.createResult = c.create;
    failing.loadResult = c.load;
    TempFolder own;
    failing.filePath = UsersFilePath(Folder(own));
    EXPECT_EQ(LoginAtStartup(&failing, &dialogs), StartupLogin::kUsersUnavailable);
    EXPECT_EQ(dialogs.logins, 0) << "no login dialog without a users list";
    ASSERT_EQ(prompts.Shown().size(), 1u);
    EXPECT_NE(prompts.Shown()[0].text.find(UsersFilePath(Folder(own))), std::string::npos);
    EXPECT_EQ(prompts.Shown()[0].style & 0xF0u, static_cast<unsigned>(kPromptIconStop));
  }
}

TEST_F(StartupLoginTest, WithoutUsersServiceThereIsNoLogin) {
  EXPECT_EQ(LoginAtStartup(nullptr, &dialogs), StartupLogin::kNoLoginService);
  EXPECT_EQ(LoginAtStartup(&users, nullptr), StartupLogin::kNoLoginService);
}

TEST_F(StartupLoginTest, WorkstationUserNamesAndSaving) {
  AppServices services;
  services.users = &users;
  SetAppServices(services);
  CUserRecord carl;
  carl.m_id = "Carl";
  EXPECT_FALSE(IsUserNameListed("Carl"));
  EXPECT_TRUE(SaveWorkstationUser(carl, "anna", true));
  EXPECT_EQ(users.calls, (std::vector<std::string>{"save Carl", "load"}));
  EXPECT_TRUE(IsUserNameListed("Carl"));
  EXPECT_FALSE(IsUserNameListed("carl")) << "names compare case-sensitively";
  EXPECT_FALSE(IsUserNameListed(""));
  SetAppServices(AppServices());
  EXPECT_FALSE(IsUserNameListed("Carl"));
}

class FakeSheet : public ISystemConfigSheet {
 public:
  bool answer = true;
  bool Run(SystemConfigValues* values) override {
    *values = SystemConfigValues{0, 1, 2, 3, 4, 5, 1, 3};
    return answer;
  }
};

TEST(SystemConfig, CancelKeepsEverySettingAndOkTakesAllEight) {
  ResetSystemSettings();
  g_VideoMode = 7;
  g_FeedbackDevice = 6;
  const SystemConfigValues before = CurrentSystemConfig();
  FakeSheet sheet;
  sheet.answer = false;
  EXPECT_FALSE(RunSystemConfig(&sheet));
  const SystemConfigValues after = CurrentSystemConfig();
  EXPECT_EQ(std::tie(after.buttonType, after.buttonInd, after.screenInd, after.videoMode, after.soundInd,
                     after.feedbackDevice, after.signalSync, after.language),
            std::tie(before.buttonType, before.buttonInd, before.screenInd, before.videoMode, before.soundInd,
                     before.feedbackDevice, before.signalSync, before.language));
  sheet.answer = true;
  EXPECT_TRUE(RunSystemConfig(&sheet));
  EXPECT_EQ(g_ButtonType, 0);
  EXPECT_EQ(g_ButtonInd, 1);
  EXPECT_EQ(g_ScreenInd, 2);
  EXPECT_EQ(g_VideoMode, 3);
  EXPECT_EQ(g_SoundInd, 4);
  EXPECT_EQ(g_FeedbackDevice, 5);
  EXPECT_EQ(g_SignalSync, 1);
  EXPECT_EQ(g_Language, 3);
  EXPECT_FALSE(RunSystemConfig(nullptr));
  ResetSystemSettings();
}

TEST(RunQuery, UsersActOnlyWhenLoggedInAndNoRunGoes) {
  LogoutCurrentUser();
  bool running = false;
  SetRunInProgressQuery([&] { return running; });
  EXPECT_FALSE(CanUserAct());
  g_LoggedUser.m_id = "anna";
  EXPECT_TRUE(CanUserAct());
  running = true;
  EXPECT_TRUE(IsAnyRunInProgress());
  EXPECT_FALSE(CanUserAct());
  SetRunInProgressQuery(nullptr);
  EXPECT_FALSE(IsAnyRunInProgress());
  LogoutCurrentUser();
}

}  // namespace
}  // namespace qel
