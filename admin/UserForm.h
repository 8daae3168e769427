// The rules of the user dialog that need no window: which controls each
// mode shows and lets the operator change, the caption, the checks of OK
// and Save with their messages, and what the caller's record receives.
//
// Passwords: the form holds only what the operator typed; the stored hash of
// a user stays in the users list and is compared through
// VerifyUserPassword. A user of Type 2 logs in without typing a password:
// picking such a user marks the form, and the login takes the stored record.
// The dialog validates and collects; the caller writes through the project
// object or the workstation users file.
//
// Threads: the user-interface thread only.
#pragma once

#include <string>
#include <vector>

#include "admin/UserRecord.h"

namespace qel {

enum class UserDlgMode { kView = 0, kLogin = 1, kRegister = 2, kEdit = 3 };

// A user whose stored password is filled in when picked and whose fields
// the dialog does not change.
constexpr int kUserTypeFixed = 2;

constexpr const char* kWorkstationSource = "Qel workstation";

// "Project <name>" with a project, else "Qel workstation".
std::string UserSourceName(const std::string& projectName, bool hasProject);
// The window caption of the mode, "<source>: ...".
std::string UserDlgCaption(UserDlgMode mode, const std::string& sourceName);

// What the dialog shows and enables.
struct CUserFormLayout {
  bool details = false;       // names, institute, comment, "*optional"
  bool password = false;      // the password field
  bool newPassword = false;   // new password and its confirmation
  bool registered = false;    // the Registered date
  bool pickButton = false;    // "..."
  bool idEnabled = false;
  bool passwordEnabled = false;
  bool namesEnabled = false;  // first name, surname, comment, institute
  bool save = false;
  bool ok = false;
  bool loginRadio = false;
  bool registerRadio = false;
  bool editRadio = false;
  bool addCheck = false;      // "Add to workstation users list"
};

// The fields the operator sees (typed passwords, never a stored hash).
struct CUserFormFields {
  std::string id;
  std::string password;
  std::string newPassword;
  std::string confirmation;
  int type = 0;
  std::string firstName;
  std::string surname;
  QelDateTime registered;
  std::string institute;
  std::string comment;
};

class CUserForm {
 public:
  // requested: the mode the caller asked for; the form starts in it.
  CUserForm(UserDlgMode requested, bool hasProject, bool offerAdd);

  UserDlgMode Mode() const { return m_mode; }
  UserDlgMode RequestedMode() const { return m_requested; }
  bool EditOffered() const { return m_editOffered; }
  bool FixedUserPicked() const { return m_fixedPicked; }
  CUserFormFields& Fields() { return m_fields; }
  const CUserFormFields& Fields() const { return m_fields; }

  CUserFormLayout Layout() const;

  // Takes the caller's record: every field but the password.
  void LoadRecord(const CUserRecord& record);
  // The radio buttons: register empties every field.
  void SelectMode(UserDlgMode mode);
  // "..." chose this user from the list: its fields (a Type 2 user logs in
  // without typing a password); in register mode the form turns to editing.
  void PickUser(const CUserRecord& user);

  // The messages of OK (login) and Save, in one text; empty when valid.
  // users: the list the Id is looked up in. A login (OK in log-in mode)
  // also refuses an unknown Id and a user without a stored password:
  // nobody logs in without being registered with a password.
  std::string Validate(const std::vector<CUserRecord>& users, bool login) const;

  // The record OK hands to the caller: the listed user's stored record
  // (with its stored hash). Call after a valid login.
  CUserRecord LoginRecord(const std::vector<CUserRecord>& users) const;
  // The record Save writes: the fields, the new password hashed (an edit
  // of a Type 2 user keeps the listed one), Registered now when unset.
  CUserRecord SaveRecord(const std::vector<CUserRecord>& users, const QelDateTime& now) const;

 private:
  UserDlgMode m_requested;
  UserDlgMode m_mode;
  bool m_hasProject;
  bool m_offerAdd;
  bool m_editOffered = false;
  bool m_fixedPicked = false;
  CUserFormFields m_fields;
};

// The listed user with exactly this Id, or null.
const CUserRecord* FindListedUser(const std::vector<CUserRecord>& users, const std::string& id);

}  // namespace qel
