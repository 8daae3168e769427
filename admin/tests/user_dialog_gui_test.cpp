// The user dialog under the X server: logging in against stored hashes,
// registering through the caller's writer, picking users, and the texts of
// its checks as a table of cases.
#include <gtest/gtest.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <vector>

#include "admin/ui/DlgUser.h"
#include "tests/support/common/PromptRecorder.h"
#include "tests/support/gui/WxControls.h"
#include "tests/support/gui/WxPump.h"

namespace qel {

namespace test {
namespace {

CUserRecord Listed(const char* id, const char* password, int type) {
  CUserRecord user;
  user.m_id = id;
  user.SetPassword(password);
  user.m_type = type;
  user.m_firstName = "Ann";
  user.m_surname = "Smith";
  return user;
}

void Type(wxWindow* dialog, int id, const char* text) {
  auto* edit = FindControl<wxTextCtrl>(dialog, id);
  ASSERT_NE(edit, nullptr) << id;
  edit->SetValue(wxString::FromUTF8(text));
}

void Press(wxWindow* dialog, int id) {
  wxWindow* button = dialog->FindWindow(id);
  ASSERT_NE(button, nullptr) << id;
  SendControlEvent(button, wxEVT_BUTTON, 0);
  Pump(20);
}

class UserDialogTest : public testing::Test {
 protected:
  void TearDown() override {
    if (m_dialog) m_dialog->Destroy();
    Pump(20);
  }
  CDlgUser* Open(UserDlgMode mode) {
    m_dialog = new CDlgUser(nullptr, m_users, nullptr, mode, false);
    m_dialog->SetWriter([this](const CUserRecord& user, bool add) {
      m_written.push_back(user);
      m_added.push_back(add);
      return m_writeSucceeds;
    });
    m_dialog->Show();
    Pump(30);
    return m_dialog;
  }
  bool Ended() const { return !m_dialog->IsShown() && m_dialog->GetReturnCode() == wxID_OK; }

  std::vector<CUserRecord> m_users{Listed("ann", "secret", 0), Listed("kiosk", "k1", kUserTypeFixed),
                                   Listed("nopwd", "", 0)};
  std::vector<CUserRecord> m_written;
  std::vector<bool> m_added;
  bool m_writeSucceeds = true;
  CDlgUser* m_dialog = nullptr;
  PromptRecorder m_messages;
};

struct LoginCase {
  const char* id;
  const char* password;
  const char* message;  // empty: logged in
};

TEST_F(UserDialogTest, LoginChecksTheStoredHash) {
  const LoginCase cases[] = {
      {"", "", "Enter 'User Id'!\n"},
      {"ann", "", "Enter 'User password'!\n"},
      {"ann", "SECRET", "Wrong 'User password!'\n"},
      {"eve", "x", "User \"eve\" is not registered!\n"},
      {"nopwd", "", "User \"nopwd\" has no password and cannot log in!\n"},
      {"ann", "secret", ""},
  };
  for (const LoginCase& c : cases) {
    PromptRecorder messages;
    Open(UserDlgMode::kLogin);
    Type(m_dialog, CDlgUser::kIdUserId, c.id);
    Type(m_dialog, CDlgUser::kIdPassword, c.password);
    Press(m_dialog, wxID_OK);
    if (*c.message) {
      ASSERT_EQ(messages.Shown().size(), 1u) << c.id;
      EXPECT_EQ(messages.Shown()[0].text, c.message);
      EXPECT_EQ(messages.Shown()[0].style & kPromptIconStop, kPromptIconStop);
      EXPECT_TRUE(m_dialog->IsShown()) << c.id;
    } else {
      EXPECT_TRUE(messages.Shown().empty());
      EXPECT_TRUE(Ended());
      EXPECT_EQ(m_dialog->Record().m_id, "ann");
      EXPECT_EQ(m_dialog->Record().m_password, m_users[0].m_password);  // the stored hash, not the typed text
    }
    m_dialog->Destroy();
    m_dialog = nullptr;
    Pump(10);
  }
}

TEST_F(UserDialogTest, TheLoginWindowIsShorterThanTheRegistration) {
  Open(UserDlgMode::kLogin);
  EXPECT_EQ(m_dialog->GetTitle(), "Qel workstation: Login existing user");
  EXPECT_FALSE(m_dialog->FindWindow(CDlgUser::kIdFirstName)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(CDlgUser::kIdSave)->IsShown());
  const int loginHeight = m_dialog->GetSize().GetHeight();
  Type(m_dialog, CDlgUser::kIdUserId, "typed");
  Choose(FindControl<wxRadioButton>(m_dialog, CDlgUser::kIdRegisterRadio));
  Pump(20);
  EXPECT_EQ(m_dialog->GetTitle(), "Qel workstation: Register new user");
  EXPECT_TRUE(m_dialog->FindWindow(CDlgUser::kIdFirstName)->IsShown());
  EXPECT_TRUE(m_dialog->FindWindow(CDlgUser::kIdSave)->IsShown());
  EXPECT_FALSE(m_dialog->FindWindow(wxID_OK)->IsShown());
  EXPECT_TRUE(FindControl<wxTextCtrl>(m_dialog, CDlgUser::kIdUserId)->GetValue().empty());
  EXPECT_GT(m_dialog->GetSize().GetHeight(), loginHeight);
}

TEST_F(UserDialogTest, RegisteringWritesTheHashedPassword) {
  Open(UserDlgMode::kRegister);
  Press(m_dialog, CDlgUser::kIdSave);
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].text,
            "Enter 'User Id'!\nEnter 'New Password'!\nEnter 'User First Name'!\nEnter 'User Surname'!\n");
  Type(m_dialog, CDlgUser::kIdUserId, "ann");
  Type(m_dialog, CDlgUser::kIdNewPassword, "pw");
  Type(m_dialog, CDlgUser::kIdConfirmation, "pv");
  Type(m_dialog, CDlgUser::kIdFirstName, "Bo");
  Type(m_dialog, CDlgUser::kIdSurname, "Lee");
  Press(m_dialog, CDlgUser::kIdSave);
  EXPECT_EQ(m_messages.Shown().back().text, "Wrong confirmation of 'New password'!\n");
  Type(m_dialog, CDlgUser::kIdConfirmation, "pw");
  Press(m_dialog, CDlgUser::kIdSave);  // a listed Id is never written
  EXPECT_EQ(m_messages.Shown().back().text, "! Duplicate User Id, try another one !");
  EXPECT_TRUE(m_written.empty());
  Type(m_dialog, CDlgUser::kIdUserId, "bo");
  m_writeSucceeds = false;
  Press(m_dialog, CDlgUser::kIdSave);  // a failed write keeps the dialog and its values
  ASSERT_EQ(m_written.size(), 1u);
  EXPECT_TRUE(m_dialog->IsShown());
  EXPECT_EQ(FindControl<wxTextCtrl>(m_dialog, CDlgUser::kIdUserId)->GetValue(), "bo");
  m_writeSucceeds = true;
  Press(m_dialog, CDlgUser::kIdSave);
  ASSERT_EQ(m_written.size(), 2u);
  EXPECT_TRUE(m_added.back());
  EXPECT_TRUE(m_written.back().CheckPassword("pw"));
  EXPECT_NE(m_written.back().m_password, "pw");
  EXPECT_TRUE(m_written.back().m_registered.IsValid());
  EXPECT_EQ(m_messages.Shown().back().text, "User \"bo\"\nsuccessfully registered in\nQel workstation!");
  EXPECT_TRUE(Ended());
}

TEST_F(UserDialogTest, PickingAFixedUserLogsInWithoutTyping) {
  Open(UserDlgMode::kLogin);
  m_dialog->SetPicker([](wxWindow*, const std::vector<CUserRecord>& users, CUserRecord* chosen) {
    *chosen = users[1];
    return true;
  });
  Press(m_dialog, CDlgUser::kIdPick);
  auto* password = FindControl<wxTextCtrl>(m_dialog, CDlgUser::kIdPassword);
  EXPECT_TRUE(password->GetValue().empty());  // the stored hash is never put into a field
  EXPECT_FALSE(password->IsEnabled());
  EXPECT_FALSE(FindControl<wxTextCtrl>(m_dialog, CDlgUser::kIdUserId)->IsEditable());
  Press(m_dialog, wxID_OK);
  EXPECT_TRUE(m_messages.Shown().empty());
  EXPECT_TRUE(Ended());
  EXPECT_EQ(m_dialog->Record().m_id, "kiosk");
}

TEST_F(UserDialogTest, PickingWhileRegisteringTurnsToEditing) {
  Open(UserDlgMode::kRegister);
  m_dialog->SetPicker([](wxWindow*, const std::vector<CUserRecord>& users, CUserRecord* chosen) {
    *chosen = users[0];
    return true;
  });
  Press(m_dialog, CDlgUser::kIdPick);
  EXPECT_EQ(m_dialog->GetTitle(), "Qel workstation: Edit existing user");
  EXPECT_TRUE(m_dialog->FindWindow(CDlgUser::kIdEditRadio)->IsShown());
  EXPECT_TRUE(FindControl<wxRadioButton>(m_dialog, CDlgUser::kIdEditRadio)->GetValue());
  Type(m_dialog, CDlgUser::kIdPassword, "secret");
  Type(m_dialog, CDlgUser::kIdNewPassword, "fresh");
  Type(m_dialog, CDlgUser::kIdConfirmation, "fresh");
  Press(m_dialog, CDlgUser::kIdSave);
  ASSERT_EQ(m_written.size(), 1u);
  EXPECT_FALSE(m_added.back());
  EXPECT_TRUE(m_written.back().CheckPassword("fresh"));
}

}  // namespace
}  // namespace test

}  // namespace qel
