#include "admin/UserForm.h"

#include <cstdio>

namespace qel {

namespace {

std::string WithId(const char* format, const std::string& id) {
  const int size = std::snprintf(nullptr, 0, format, id.c_str());
  std::string text(static_cast<size_t>(size), '\0');
  std::snprintf(text.data(), text.size() + 1, format, id.c_str());
  return text;
}

}  // namespace

std::string UserSourceName(const std::string& projectName, bool hasProject) {
  return hasProject ? "Project " + projectName : std::string(kWorkstationSource);
}

std::string UserDlgCaption(UserDlgMode mode, const std::string& sourceName) {
  switch (mode) {
    case UserDlgMode::kView:
      return sourceName + ": View currently logged user";
    case UserDlgMode::kLogin:
      return sourceName + ": Login existing user";
    case UserDlgMode::kRegister:
      return sourceName + ": Register new user";
    case UserDlgMode::kEdit:
      return sourceName + ": Edit existing user";
  }
  return sourceName;
}

const CUserRecord* FindListedUser(const std::vector<CUserRecord>& users, const std::string& id) {
  for (const CUserRecord& user : users) {
    if (user.m_id == id) return &user;
  }
  return nullptr;
}

CUserForm::CUserForm(UserDlgMode requested, bool hasProject, bool offerAdd)
    : m_requested(requested), m_mode(requested), m_hasProject(hasProject), m_offerAdd(offerAdd) {}

CUserFormLayout CUserForm::Layout() const {
  CUserFormLayout l;
  const bool fixed = m_fields.type == kUserTypeFixed;
  l.details = m_mode != UserDlgMode::kLogin;
  l.password = m_mode == UserDlgMode::kLogin || m_mode == UserDlgMode::kEdit;
  l.newPassword = (m_mode == UserDlgMode::kRegister || m_mode == UserDlgMode::kEdit) && !fixed;
  l.registered = m_mode == UserDlgMode::kView || m_mode == UserDlgMode::kEdit;
  l.pickButton = m_mode != UserDlgMode::kView;
  l.idEnabled = m_mode != UserDlgMode::kView && !fixed;
  l.passwordEnabled = m_mode != UserDlgMode::kView && !fixed;
  l.namesEnabled = !fixed && m_mode != UserDlgMode::kEdit && m_mode != UserDlgMode::kView;
  l.save = l.details && m_mode != UserDlgMode::kView && !fixed;
  l.ok = m_mode == UserDlgMode::kLogin;
  l.loginRadio = m_requested == UserDlgMode::kLogin;
  l.addCheck = m_requested == UserDlgMode::kLogin && m_offerAdd;
  l.registerRadio =
      !m_hasProject && (m_requested == UserDlgMode::kLogin || m_requested == UserDlgMode::kRegister);
  l.editRadio = !m_hasProject && m_requested == UserDlgMode::kRegister && m_editOffered;
  return l;
}

void CUserForm::LoadRecord(const CUserRecord& record) {
  m_fields = CUserFormFields();
  m_fields.id = record.m_id;
  m_fields.type = record.m_type;
  m_fields.firstName = record.m_firstName;
  m_fields.surname = record.m_surname;
  m_fields.registered = record.m_registered;
  m_fields.institute = record.m_institute;
  m_fields.comment = record.m_comment;
  m_fixedPicked = false;
}

void CUserForm::SelectMode(UserDlgMode mode) {
  m_mode = mode;
  if (mode == UserDlgMode::kRegister) {
    m_fields = CUserFormFields();
    m_fixedPicked = false;
  }
}

void CUserForm::PickUser(const CUserRecord& user) {
  const std::string confirmation = m_fields.confirmation;
  const std::string newPassword = m_fields.newPassword;
  LoadRecord(user);
  m_fields.newPassword = newPassword;
  m_fields.confirmation = confirmation;
  if (user.m_type == kUserTypeFixed) {
    m_fixedPicked = true;
  } else if (m_requested == UserDlgMode::kRegister) {
    m_mode = UserDlgMode::kEdit;
    m_editOffered = true;
  }
}

std::string CUserForm::Validate(const std::vector<CUserRecord>& users, bool login) const {
  const CUserFormLayout layout = Layout();
  std::string text;
  if (m_fields.id.empty()) text += "Enter 'User Id'!\n";
  const CUserRecord* listed = FindListedUser(users, m_fields.id);
  const bool fixedLogin = m_fixedPicked && listed && listed->m_type == kUserTypeFixed;
  if (layout.password && listed && listed->HasPassword() && !fixedLogin) {
    if (m_fields.password.empty()) {
      text += "Enter 'User password'!\n";
    } else if (!VerifyUserPassword(listed->m_password, m_fields.password)) {
      text += "Wrong 'User password!'\n";
    }
  }
  if (login && !m_fields.id.empty()) {
    if (!listed) {
      text += WithId("User \"%s\" is not registered!\n", m_fields.id);
    } else if (!listed->HasPassword()) {
      text += WithId("User \"%s\" has no password and cannot log in!\n", m_fields.id);
    }
  }
  if (layout.newPassword) {
    if (m_fields.newPassword.empty()) {
      text += "Enter 'New Password'!\n";
    } else if (m_fields.confirmation != m_fields.newPassword) {
      text += "Wrong confirmation of 'New password'!\n";
    }
  }
  if (layout.details) {
    if (m_fields.firstName.empty()) text += "Enter 'User First Name'!\n";
    if (m_fields.surname.empty()) text += "Enter 'User Surname'!\n";
  }
  return text;
}

CUserRecord CUserForm::LoginRecord(const std::vector<CUserRecord>& users) const {
  const CUserRecord* listed = FindListedUser(users, m_fields.id);
  return listed ? *listed : CUserRecord();
}

CUserRecord CUserForm::SaveRecord(const std::vector<CUserRecord>& users, const QelDateTime& now) const {
  CUserRecord record;
  record.m_id = m_fields.id;
  if (Layout().newPassword) {
    record.SetPassword(m_fields.newPassword);
  } else if (const CUserRecord* listed = FindListedUser(users, m_fields.id)) {
    record.m_password = listed->m_password;
  }
  record.m_type = m_fields.type;
  record.m_firstName = m_fields.firstName;
  record.m_surname = m_fields.surname;
  record.m_registered = m_fields.registered.IsValid() ? m_fields.registered : now;
  record.m_institute = m_fields.institute;
  record.m_comment = m_fields.comment;
  return record;
}

}  // namespace qel
