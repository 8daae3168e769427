// The users list and users comparison dialogs under the X server: counts,
// notices, the Id looked for, the marks of differing and missing users, and
// the choice OK hands back.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <string>
#include <vector>

#include "admin/ui/DlgUsers.h"
#include "app/startup/AppStartup.h"
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

}  // namespace
}  // namespace test

}  // namespace qel
