// The main view's commands for the users of the working project: logging in
// as a project user (with the offer to join the workstation's list) and
// adding the logged-in user to the project, on a project and user dialog of
// the test's own.
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <string>
#include <vector>

#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxPump.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {

namespace {

using test::PromptRecorder;
using test::Pump;

struct UsersProject final : IDocProject {
  void SetPath(const std::string& p) override { path = p; }
  void SetPassword(const std::string&) override {}
  std::string GetPath() const override { return path; }
  std::string GetName() const override { return "Study"; }
  bool IsOpen() const override { return true; }
  bool IsOpenCfr() const override { return true; }
  int GetVersionNumber() const override { return 1; }
  int GetLastOpenResult() const override { return 0; }
  bool IsProjectUser(const std::string& id) const override {
    for (const std::string& user : users) {
      if (user == id) return true;
    }
    return false;
  }
  bool AddProjectUser(const CUserRecord& user, const std::string& writerId) override {
    writes.push_back(user.m_id + " by " + writerId);
    if (!writable) return false;
    users.push_back(user.m_id);
    return true;
  }
  std::string path = "/data/Study.qep";
  std::vector<std::string> users{"ann"};
  std::vector<std::string> writes;
  bool writable = true;
};

struct Workstation final : IWorkstationUsers {
  std::string GetFilePath() const override { return "/users.qeu"; }
  bool Create(const std::string&) override { return true; }
  bool SetFileAccessForUsers(const std::string&) override { return true; }
  bool Load(const std::string&) override { return true; }
  const std::vector<CUserRecord>& Users() const override { return list; }
  bool SaveUser(const CUserRecord& user, const std::string& acting, bool add) override {
    saves.push_back(user.m_id + " by " + acting + (add ? " added" : " changed"));
    if (saveSucceeds) list.push_back(user);
    return saveSucceeds;
  }
  std::vector<CUserRecord> list;
  std::vector<std::string> saves;
  bool saveSucceeds = true;
};

CUserRecord User(const char* id) {
  CUserRecord user;
  user.m_id = id;
  user.SetPassword("pw");
  return user;
}

// The tree window: records the codes it is sent.
class TreeRecorder : public wxWindow {
 public:
  explicit TreeRecorder(wxWindow* parent) : wxWindow(parent, wxID_ANY) {
    Bind(QEL_EVT_NOTIFY, [this](CQelNotifyEvent& event) { codes.push_back(event.GetCode()); });
  }
  std::vector<int> codes;
};

class MainViewUsersTest : public testing::Test {
 protected:
  void SetUp() override {
    LogoutCurrentUser();
    m_saved = GetAppServices();
    AppServices services = m_saved;
    services.users = &m_workstation;
    SetAppServices(services);
    m_frame = new wxFrame(nullptr, wxID_ANY, "view");
    m_view = new CQelViewTab(m_frame);
    m_tree = new TreeRecorder(m_frame);
    m_view->SetTreeWindow(m_tree);
    SetProjectUserLogin([this](IDocProject*, CUserRecord* user, bool* add) {
      if (!m_loginAnswer) return false;
      *user = User("bo");
      *add = m_addAsked;
      return true;
    });
    SetProjectDialogRunner([this](IDocProject*, int mode) {
      m_modes.push_back(mode);
      return m_dialogAnswer;
    });
  }
  void TearDown() override {
    SetProjectUserLogin(nullptr);
    SetProjectDialogRunner(nullptr);
    SetAppServices(m_saved);
    LogoutCurrentUser();
    m_frame->Destroy();
    Pump(10);
  }

  AppServices m_saved;
  Workstation m_workstation;
  UsersProject m_project;
  PromptRecorder m_messages;
  wxFrame* m_frame = nullptr;
  CQelViewTab* m_view = nullptr;
  TreeRecorder* m_tree = nullptr;
  bool m_loginAnswer = true;
  bool m_addAsked = false;
  bool m_dialogAnswer = true;
  std::vector<int> m_modes;
};

}  // namespace

TEST_F(MainViewUsersTest, AProjectUserLogsIn) {
  m_loginAnswer = false;
  EXPECT_FALSE(m_view->LoginProjectUser(&m_project));
  EXPECT_FALSE(IsUserLoggedIn());
  m_loginAnswer = true;
  EXPECT_TRUE(m_view->LoginProjectUser(&m_project));
  EXPECT_EQ(g_LoggedUser.m_id, "bo");
  EXPECT_TRUE(m_workstation.saves.empty());  // not asked to join the workstation's list
}

TEST_F(MainViewUsersTest, JoiningTheWorkstationListComesBeforeTheLogin) {
  m_addAsked = true;
  // An Id the list holds already is not written twice, and nobody logs in.
  m_workstation.list.push_back(User("bo"));
  EXPECT_FALSE(m_view->LoginProjectUser(&m_project));
  EXPECT_EQ(m_messages.ShownTexts().back(), "! Duplicate User Id, try another one !");
  EXPECT_FALSE(IsUserLoggedIn());
  m_workstation.list.clear();
  // A write that fails keeps the user out.
  m_workstation.saveSucceeds = false;
  EXPECT_FALSE(m_view->LoginProjectUser(&m_project));
  EXPECT_FALSE(IsUserLoggedIn());
  m_workstation.saveSucceeds = true;
  EXPECT_TRUE(m_view->LoginProjectUser(&m_project));
  EXPECT_EQ(m_workstation.saves.back(), "bo by bo added");
  EXPECT_EQ(g_LoggedUser.m_id, "bo");
}

TEST_F(MainViewUsersTest, TheLoggedUserJoinsTheProject) {
  EXPECT_FALSE(m_view->AddLoggedUserToProject(&m_project));  // nobody logged in
  g_LoggedUser = User("ann");
  EXPECT_FALSE(m_view->AddLoggedUserToProject(&m_project));  // already a project user
  EXPECT_EQ(m_messages.ShownTexts().back(), "! Duplicate User Id, try another one !");
  EXPECT_TRUE(m_modes.empty());
  g_LoggedUser = User("cy");
  m_dialogAnswer = false;  // the project was not opened (its password not given)
  EXPECT_FALSE(m_view->AddLoggedUserToProject(&m_project));
  EXPECT_TRUE(m_project.writes.empty());
  m_dialogAnswer = true;
  EXPECT_TRUE(m_view->AddLoggedUserToProject(&m_project));
  EXPECT_EQ(m_modes.back(), kProjectOpenPath);
  EXPECT_EQ(m_project.writes.back(), "cy by cy");
  EXPECT_TRUE(m_project.IsProjectUser("cy"));
  ASSERT_FALSE(m_tree->codes.empty());
  EXPECT_EQ(m_tree->codes.back(), 4);  // the tree refreshes its users
}

}  // namespace qel
