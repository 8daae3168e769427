// The user dialog's rules without a window: the controls of each mode, the
// validation texts, logins against stored hashes and the saved record.
#include <gtest/gtest.h>

#include <vector>

#include "admin/UserForm.h"

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

std::vector<CUserRecord> Users() {
  return {Listed("ann", "secret", 0), Listed("boss", "chief", 1), Listed("kiosk", "k1", kUserTypeFixed),
          Listed("nopwd", "", 0)};
}

TEST(UserForm, CaptionsNameTheSourceAndMode) {
  EXPECT_EQ(UserSourceName("Study", true), "Project Study");
  EXPECT_EQ(UserSourceName("Study", false), "Qel workstation");
  EXPECT_EQ(UserDlgCaption(UserDlgMode::kLogin, "Qel workstation"), "Qel workstation: Login existing user");
  EXPECT_EQ(UserDlgCaption(UserDlgMode::kRegister, "Project P"), "Project P: Register new user");
  EXPECT_EQ(UserDlgCaption(UserDlgMode::kEdit, "Project P"), "Project P: Edit existing user");
  EXPECT_EQ(UserDlgCaption(UserDlgMode::kView, "Project P"), "Project P: View currently logged user");
}

TEST(UserForm, LayoutFollowsModeAndRequestedMode) {
  CUserForm login(UserDlgMode::kLogin, false, true);
  CUserFormLayout l = login.Layout();
  EXPECT_FALSE(l.details);
  EXPECT_TRUE(l.password && l.ok && l.loginRadio && l.registerRadio && l.addCheck);
  EXPECT_FALSE(l.newPassword || l.save || l.editRadio);
  login.SelectMode(UserDlgMode::kRegister);
  l = login.Layout();
  EXPECT_TRUE(l.details && l.newPassword && l.save && l.loginRadio && l.addCheck);
  EXPECT_FALSE(l.password || l.ok);

  CUserForm project(UserDlgMode::kLogin, true, false);
  EXPECT_FALSE(project.Layout().registerRadio);
  EXPECT_FALSE(project.Layout().addCheck);

  CUserForm view(UserDlgMode::kView, false, false);
  l = view.Layout();
  EXPECT_TRUE(l.details && l.registered);
  EXPECT_FALSE(l.password || l.pickButton || l.idEnabled || l.namesEnabled || l.save || l.ok);
}

TEST(UserForm, PickingAFixedUserLocksEverything) {
  CUserForm form(UserDlgMode::kRegister, false, false);
  form.PickUser(Users()[2]);
  const CUserFormLayout l = form.Layout();
  EXPECT_EQ(form.Mode(), UserDlgMode::kRegister);
  EXPECT_FALSE(l.idEnabled || l.passwordEnabled || l.namesEnabled || l.save || l.newPassword);
  EXPECT_TRUE(form.Fields().password.empty());  // the stored hash never reaches the form
}

TEST(UserForm, PickingAnOrdinaryUserWhileRegisteringTurnsToEditing) {
  CUserForm form(UserDlgMode::kRegister, false, false);
  EXPECT_FALSE(form.Layout().editRadio);
  form.PickUser(Users()[0]);
  EXPECT_EQ(form.Mode(), UserDlgMode::kEdit);
  EXPECT_TRUE(form.Layout().editRadio);
  EXPECT_FALSE(form.Layout().namesEnabled);
  EXPECT_TRUE(form.Fields().password.empty());
  form.SelectMode(UserDlgMode::kRegister);
  EXPECT_TRUE(form.Fields().id.empty());
  EXPECT_TRUE(form.Fields().firstName.empty());
}

struct ValidationCase {
  const char* name;
  UserDlgMode mode;
  const char* id;
  const char* password;
  const char* newPassword;
  const char* confirmation;
  const char* firstName;
  const char* surname;
  bool login;
  const char* expected;
};

TEST(UserForm, ValidationTexts) {
  const ValidationCase cases[] = {
      {"empty login", UserDlgMode::kLogin, "", "", "", "", "", "", true, "Enter 'User Id'!\n"},
      {"no password", UserDlgMode::kLogin, "ann", "", "", "", "", "", true, "Enter 'User password'!\n"},
      {"wrong password", UserDlgMode::kLogin, "ann", "Secret", "", "", "", "", true, "Wrong 'User password!'\n"},
      {"right password", UserDlgMode::kLogin, "ann", "secret", "", "", "", "", true, ""},
      {"unknown id", UserDlgMode::kLogin, "eve", "x", "", "", "", "", true, "User \"eve\" is not registered!\n"},
      {"id is exact", UserDlgMode::kLogin, "Ann", "secret", "", "", "", "", true,
       "User \"Ann\" is not registered!\n"},
      {"no stored password", UserDlgMode::kLogin, "nopwd", "", "", "", "", "", true,
       "User \"nopwd\" has no password and cannot log in!\n"},
      {"empty register", UserDlgMode::kRegister, "", "", "", "", "", "", false,
       "Enter 'User Id'!\nEnter 'New Password'!\nEnter 'User First Name'!\nEnter 'User Surname'!\n"},
      {"mismatched confirmation", UserDlgMode::kRegister, "new", "", "a", "b", "N", "S", false,
       "Wrong confirmation of 'New password'!\n"},
      {"register complete", UserDlgMode::kRegister, "new", "", "a", "a", "N", "S", false, ""},
      {"register over a listed id passes", UserDlgMode::kRegister, "ann", "", "a", "a", "N", "S", false, ""},
      {"edit wrong old password", UserDlgMode::kEdit, "ann", "bad", "n", "n", "Ann", "Smith", false,
       "Wrong 'User password!'\n"},
      {"edit", UserDlgMode::kEdit, "ann", "secret", "n", "n", "Ann", "Smith", false, ""},
  };
  const std::vector<CUserRecord> users = Users();
  for (const ValidationCase& c : cases) {
    CUserForm form(c.mode, false, false);
    CUserFormFields& f = form.Fields();
    f.id = c.id;
    f.password = c.password;
    f.newPassword = c.newPassword;
    f.confirmation = c.confirmation;
    f.firstName = c.firstName;
    f.surname = c.surname;
    EXPECT_EQ(form.Validate(users, c.login), c.expected) << c.name;
  }
}

TEST(UserForm, AFixedUserLogsInWithoutTypingAndGetsTheStoredRecord) {
  const std::vector<CUserRecord> users = Users();
  CUserForm form(UserDlgMode::kLogin, false, false);
  form.Fields().id = "kiosk";
  EXPECT_EQ(form.Validate(users, true), "Enter 'User password'!\n");  // typed, not picked
  form.PickUser(users[2]);
  EXPECT_EQ(form.Validate(users, true), "");
  const CUserRecord record = form.LoginRecord(users);
  EXPECT_EQ(record.m_id, "kiosk");
  EXPECT_EQ(record.m_password, users[2].m_password);
  EXPECT_TRUE(record.CheckPassword("k1"));
  form.SelectMode(UserDlgMode::kRegister);
  form.SelectMode(UserDlgMode::kLogin);
  form.Fields().id = "kiosk";
  EXPECT_EQ(form.Validate(users, true), "Enter 'User password'!\n");
}

TEST(UserForm, SavedRecordHashesTheNewPasswordAndDatesAnUnsetRegistration) {
  const std::vector<CUserRecord> users = Users();
  const QelDateTime now = QelDateTime::FromDate(2026, 12, 11, 9, 30);
  CUserForm form(UserDlgMode::kRegister, false, false);
  CUserFormFields& f = form.Fields();
  f.id = "new";
  f.newPassword = f.confirmation = "pw";
  f.firstName = "N";
  f.surname = "S";
  f.institute = "Lab";
  CUserRecord saved = form.SaveRecord(users, now);
  EXPECT_NE(saved.m_password, "pw");
  EXPECT_TRUE(saved.CheckPassword("pw"));
  EXPECT_EQ(saved.m_registered.value, now.value);
  EXPECT_EQ(saved.m_institute, "Lab");

  const QelDateTime earlier = QelDateTime::FromDate(2020, 1, 2);
  f.registered = earlier;
  saved = form.SaveRecord(users, now);
  EXPECT_EQ(saved.m_registered.value, earlier.value);
}

}  // namespace
}  // namespace test

}  // namespace qel
