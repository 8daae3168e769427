// The users list and users comparison dialogs under the X server: counts,
// notices, the Id looked for, the marks of differing and missing users, and
// the choice OK hands back.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/modalhook.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "admin/ui/DlgUser.h"
#include "admin/ui/DlgUsers.h"
#include "admin/ui/UserDialogs.h"
#include "app/startup/AppStartup.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"
#include "ui/IconIndex.h"
#include "ui/ui/ProjectLists.h"

namespace qel {

namespace test {
namespace {

CUserRecord User(const std::string& id, const std::string& surname) {
  CUserRecord user;
  user.m_id = id;
  user.m_password = "stored-" + id;
  user.m_firstName = "First " + id;
  user.m_surname = surname;
  user.m_institute = "Clinic";
  user.m_registered = QelDateTime::FromDate(2024, 1, 2);
  return user;
}

std::string Label(wxWindow* dialog, int id) { return dialog->FindWindow(id)->GetLabel().utf8_string(); }
bool Shown(wxWindow* dialog, int id) { return dialog->FindWindow(id)->IsShown(); }

const std::vector<CUserRecord> kWorkstation = {User("anna", "Smith"), User("bert", "Brown"), User("carl", "Cole")};
const std::string kStudy = "Study";

TEST(UsersDialogTest, AnEmptyProjectListSaysSoAndOffersNoChoice) {
  CDlgUsers dialog(nullptr, {}, &kStudy, true, "");
  EXPECT_EQ(dialog.GetTitle(), "Project Study: Registered Users");
  EXPECT_EQ(Label(&dialog, CDlgUsers::kIdCount), "0");
  EXPECT_TRUE(Shown(&dialog, CDlgUsers::kIdNotice));
  EXPECT_EQ(Label(&dialog, CDlgUsers::kIdNotice), "NO USERS IN THIS PROJECT!");
  EXPECT_FALSE(Shown(&dialog, wxID_OK));
}

TEST(UsersDialogTest, TheIdLookedForIsMarkedAndSelectedAndTheNoticeShownOnlyWhenViewing) {
  struct Case {
    bool viewOnly;
    bool noticeShown;
  };
  for (const Case& c : {Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(c.viewOnly);
    CDlgUsers dialog(nullptr, kWorkstation, nullptr, c.viewOnly, "bert");
    dialog.Show();
    Pump(30);
    EXPECT_EQ(dialog.GetTitle(), "Qel workstation: Search for user bert");
    EXPECT_EQ(Label(&dialog, CDlgUsers::kIdCount), "3");
    EXPECT_EQ(dialog.GetFoundRow(), 1);
    EXPECT_EQ(dialog.List().GetRowImage(1), kIconUserDiffers);
    EXPECT_EQ(dialog.List().GetRowImage(0), kIconUser);
    EXPECT_EQ(dialog.List().GetSelectedRow(), 1);
    EXPECT_EQ(Shown(&dialog, CDlgUsers::kIdNotice), c.noticeShown);
    EXPECT_EQ(Label(&dialog, CDlgUsers::kIdNotice), "! Duplicate User Id, try another one !");
    EXPECT_EQ(Shown(&dialog, wxID_OK), !c.viewOnly);
    dialog.Hide();
  }
  // An Id nobody has: nothing marked, no notice.
  CDlgUsers absent(nullptr, kWorkstation, nullptr, true, "zoe");
  EXPECT_EQ(absent.GetFoundRow(), -1);
  EXPECT_FALSE(Shown(&absent, CDlgUsers::kIdNotice));
}

TEST(UsersDialogTest, OkHandsBackTheSelectedUser) {
  CDlgUsers dialog(nullptr, kWorkstation, &kStudy, false, "");
  dialog.Show();
  Pump(30);
  EXPECT_FALSE(dialog.FindWindow(wxID_OK)->IsEnabled());
  EXPECT_EQ(dialog.GetChosenUser(), nullptr);
  dialog.List().SelectRow(2);
  ASSERT_TRUE(PumpUntil([&] { return dialog.FindWindow(wxID_OK)->IsEnabled(); }));
  SendControlEvent(dialog.FindWindow(wxID_OK), wxEVT_BUTTON, 0);
  EXPECT_EQ(dialog.GetChosenRow(), 2);
  ASSERT_NE(dialog.GetChosenUser(), nullptr);
  EXPECT_EQ(dialog.GetChosenUser()->m_id, "carl");
  EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
}

TEST(UsersCompareDialogTest, ADifferentSurnameIsMarkedAndToldAMissingUserOnlyMarked) {
  std::vector<CUserRecord> project = {User("anna", "Smith"), User("bert", "Black"), User("dora", "Day")};
  CDlgUsersCompare dialog(nullptr, kWorkstation, project, true, "Study", "/data/Study.qep");
  dialog.Show();
  Pump(30);
  EXPECT_EQ(dialog.GetTitle(), "Project Study: Compare Project Users with Workstation Users");
  EXPECT_EQ(Label(&dialog, CDlgUsersCompare::kIdFirstLabel), "Qel workstation users");
  EXPECT_EQ(Label(&dialog, CDlgUsersCompare::kIdSecondLabel), "Project /data/Study.qep users");
  EXPECT_EQ(Label(&dialog, CDlgUsersCompare::kIdCount), "3/3");
  EXPECT_EQ(dialog.GetDifferences(), 1);
  EXPECT_TRUE(Shown(&dialog, CDlgUsersCompare::kIdNotice));
  EXPECT_EQ(Label(&dialog, CDlgUsersCompare::kIdNotice), "SOME USERS DIFFER!");
  EXPECT_EQ(dialog.SecondList().GetRowImage(0), kIconUser);
  EXPECT_EQ(dialog.SecondList().GetRowImage(1), kIconUserDiffers);
  EXPECT_EQ(dialog.SecondList().GetRowImage(2), kIconUserMissing);
  EXPECT_TRUE(dialog.SecondList().GetItemState(2, wxLIST_STATE_SELECTED) != 0);
  EXPECT_EQ(dialog.FirstList().GetRowImage(2), kIconUser) << "the workstation's list is not marked";
  EXPECT_FALSE(Shown(&dialog, wxID_OK));
  dialog.Hide();

  // Only a user missing: marked, but nothing differs.
  project = {User("anna", "Smith"), User("dora", "Day")};
  CDlgUsersCompare missing(nullptr, kWorkstation, project, true, "Study", "");
  EXPECT_EQ(missing.GetDifferences(), 0);
  EXPECT_FALSE(Shown(&missing, CDlgUsersCompare::kIdNotice));
  EXPECT_EQ(missing.SecondList().GetRowImage(1), kIconUserMissing);
  EXPECT_EQ(Label(&missing, CDlgUsersCompare::kIdSecondLabel), "");

  // The other direction marks the workstation's list.
  CDlgUsersCompare reverse(nullptr, kWorkstation, project, false, "Study", "");
  EXPECT_EQ(reverse.GetTitle(), "Project Study: Compare Workstation Users with Project Users");
  EXPECT_EQ(reverse.FirstList().GetRowImage(1), kIconUserMissing);
  EXPECT_EQ(reverse.FirstList().GetRowImage(0), kIconUser);
  EXPECT_EQ(Label(&reverse, CDlgUsersCompare::kIdNotice), "! Duplicate User Id, try another one !");
}

// Runs the steps on the dialog shown modally; their answer is its result.
template <class Dialog>
class Drive : public wxExpectModalBase<Dialog, Drive<Dialog>> {
 public:
  explicit Drive(std::function<int(Dialog*)> steps) : m_steps(std::move(steps)) {}

 protected:
  int OnInvoked(Dialog* dialog) const override { return m_steps(dialog); }

 private:
  std::function<int(Dialog*)> m_steps;
};

// The workstation's users in memory, as the program's users service keeps them.
class MemoryUsers final : public IWorkstationUsers {
 public:
  std::string GetFilePath() const override { return "/tmp/none.qeu"; }
  bool Create(const std::string&) override { return true; }
  bool SetFileAccessForUsers(const std::string&) override { return true; }
  bool Load(const std::string&) override { return true; }
  const std::vector<CUserRecord>& Users() const override { return users; }
  bool SaveUser(const CUserRecord& user, const std::string& acting, bool add) override {
    saved.push_back(user.m_id + " by " + acting + (add ? " added" : " changed"));
    if (add) users.push_back(user);
    return true;
  }
  std::vector<CUserRecord> users;
  std::vector<std::string> saved;
};

class ProjectLoginTest : public testing::Test {
 protected:
  void SetUp() override {
    m_service.users = {User("anna", "Smith")};
    AppServices services;
    services.users = &m_service;
    SetAppServices(services);
    LogoutCurrentUser();
  }
  void TearDown() override {
    SetAppServices(AppServices());
    LogoutCurrentUser();
  }
  static CUserRecord ProjectUser(const std::string& id, const std::string& password) {
    CUserRecord user = User(id, "Project");
    user.SetPassword(password);
    return user;
  }
  // Logs in as id with the password, ticking the add offer when asked.
  static std::function<int(CDlgUser*)> LogIn(const char* id, const char* password, bool add) {
    return [=](CDlgUser* dialog) {
      EXPECT_EQ(dialog->GetTitle(), "Project Study: Login existing user");
      EXPECT_FALSE(dialog->FindWindow(CDlgUser::kIdRegisterRadio)->IsShown()) << "nobody registers in a project";
      FindControl<wxTextCtrl>(dialog, CDlgUser::kIdUserId)->SetValue(id);
      FindControl<wxTextCtrl>(dialog, CDlgUser::kIdPassword)->SetValue(password);
      Tick(FindControl<wxCheckBox>(dialog, CDlgUser::kIdAddCheck), add);
      SendControlEvent(dialog->FindWindow(wxID_OK), wxEVT_BUTTON, 0);
      return dialog->GetReturnCode() == wxID_OK ? wxID_OK : wxID_CANCEL;
    };
  }

  MemoryUsers m_service;
  CUserDialogs m_dialogs;
  PromptRecorder m_messages{kAnswerOk};
  const std::vector<CUserRecord> m_project = {ProjectUser("anna", "a1"), ProjectUser("nils", "n1")};
};

TEST_F(ProjectLoginTest, AProjectUserLogsInAndMayJoinTheWorkstationList) {
  CUserRecord user;
  bool in = false;
  wxTEST_DIALOG(in = m_dialogs.LoginProjectUser(m_project, "Study", &user), Drive<CDlgUser>(LogIn("nils", "n1", true)));
  ASSERT_TRUE(in);
  EXPECT_EQ(user.m_id, "nils");
  EXPECT_TRUE(user.CheckPassword("n1"));
  EXPECT_EQ(m_service.saved, std::vector<std::string>{"nils by nils added"});

  // Without the offer nothing is written; a wrong password does not log in.
  m_service.saved.clear();
  wxTEST_DIALOG(in = m_dialogs.LoginProjectUser(m_project, "Study", &user), Drive<CDlgUser>(LogIn("anna", "a1", false)));
  EXPECT_TRUE(in);
  EXPECT_TRUE(m_service.saved.empty());
  wxTEST_DIALOG(in = m_dialogs.LoginProjectUser(m_project, "Study", &user), Drive<CDlgUser>(LogIn("nils", "x", false)));
  EXPECT_FALSE(in);
  ASSERT_FALSE(m_messages.Shown().empty());
  EXPECT_NE(m_messages.Shown().back().text.find("Wrong 'User password!'"), std::string::npos);
}

TEST_F(ProjectLoginTest, AnIdTheWorkstationHasAlreadyIsNotAddedTwice) {
  CUserRecord user;
  bool in = true;
  // anna is a workstation user already: the offer is refused and the dialog stays open.
  wxTEST_DIALOG(in = m_dialogs.LoginProjectUser(m_project, "Study", &user), Drive<CDlgUser>(LogIn("anna", "a1", true)));
  EXPECT_FALSE(in);
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].text, "! Duplicate User Id, try another one !");
  EXPECT_TRUE(m_service.saved.empty());
  EXPECT_EQ(m_service.users.size(), 1u);
}

}  // namespace
}  // namespace test

}  // namespace qel
