// The user dialog: logs a workstation or project user in, registers a new
// one, edits or shows one. It validates and collects; Save hands the record
// to the caller's writer (the workstation users file) or, in the project
// form, registers it through the project object; OK hands the logged-in
// user's stored record to the caller. Typed passwords stay in the password
// fields; the stored hash is never put into a field.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "admin/UserForm.h"

class wxCheckBox;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace qel {

class CQelProject;
class ITaskAvailability;

class CDlgUser : public wxDialog {
 public:
  enum ControlId : int {
    kIdPick = 1399,
    kIdUserId = 1382,
    kIdPassword = 1384,
    kIdNewPassword = 1385,
    kIdConfirmation = 1386,
    kIdFirstName = 1387,
    kIdSurname = 1388,
    kIdRegistered = 1389,
    kIdInstitute = 1395,
    kIdComment = 1392,
    kIdAddCheck = 1225,
    kIdLoginRadio = 1404,
    kIdRegisterRadio = 1402,
    kIdEditRadio = 1403,
    kIdSave = 1396,
    kIdOptional = 1397,
  };

  // Chooses one of the users (the "..." button; by default the users list
  // dialog); false when none was chosen.
  using UserPicker = std::function<bool(wxWindow* parent, const std::vector<CUserRecord>& users, CUserRecord* chosen)>;
  // Adds (add set) or modifies the user; false when the write failed (the
  // writer reports its own errors).
  using UserWriter = std::function<bool(const CUserRecord& user, bool add)>;

  // users: the workstation's users; record: the user shown first (may be
  // null). The record OK or Save produced is Record().
  // projectName: the users are that project's (the caption names it and
  // nobody registers there); null for the workstation's.
  CDlgUser(wxWindow* parent, const std::vector<CUserRecord>& users, const CUserRecord* record, UserDlgMode mode,
           bool offerAdd, const std::string* projectName = nullptr);
  // The project form: the users are the project's, read after the project
  // dialog opened the project (asking for its password when needed; tasks
  // tells which plug-ins are loaded), and Save registers the user in the
  // project's users through the project object, as the logged-in user (or,
  // with nobody logged in, as the user registered).
  CDlgUser(wxWindow* parent, CQelProject* project, const CUserRecord* record, UserDlgMode mode, bool offerAdd,
           const ITaskAvailability& tasks);

  void SetPicker(UserPicker picker) { m_picker = std::move(picker); }
  void SetWriter(UserWriter writer) { m_writer = std::move(writer); }
  // Reloads the users after a write (the writer's list).
  void SetUsers(const std::vector<CUserRecord>& users) { m_users = users; }
  // A project's user logging in with the offer to join the workstation's
  // list: the Id may not be there already.
  void SetWorkstationUsers(const std::vector<CUserRecord>& users) {
    m_workstationUsers = users;
    m_hasWorkstationUsers = true;
  }

  const CUserRecord& Record() const { return m_record; }
  // The users the Id is checked against (the project's users in the
  // project form); whether they could be loaded.
  const std::vector<CUserRecord>& Users() const { return m_users; }
  bool UsersLoaded() const { return !m_loadFailed; }
  const CUserForm& Form() const { return m_form; }
  // Whether the add check box is ticked (the caller adds the user).
  bool AddChecked() const;

 private:
  void BuildControls(UserDlgMode mode);
  // Reads the project's users after the project dialog opened it.
  bool LoadProjectUsers();
  // Save of the project form: registers the user in the project.
  bool RegisterInProject(const CUserRecord& record);
  void ShowFields();
  void TakeFields();
  void UpdateControls();
  void OnRadio(wxCommandEvent& event);
  void OnPick(wxCommandEvent& event);
  void OnOk(wxCommandEvent& event);
  void OnSave(wxCommandEvent& event);

  std::vector<CUserRecord> m_users;
  CQelProject* m_pProject = nullptr;
  const ITaskAvailability* m_pTasks = nullptr;
  bool m_loadFailed = false;
  std::vector<CUserRecord> m_workstationUsers;
  bool m_hasWorkstationUsers = false;
  CUserForm m_form;
  CUserRecord m_record;
  std::string m_sourceName;
  UserPicker m_picker;
  UserWriter m_writer;
  wxTextCtrl* m_pId = nullptr;
  wxTextCtrl* m_pPassword = nullptr;
  wxTextCtrl* m_pNewPassword = nullptr;
  wxTextCtrl* m_pConfirmation = nullptr;
  wxTextCtrl* m_pFirstName = nullptr;
  wxTextCtrl* m_pSurname = nullptr;
  wxStaticText* m_pRegistered = nullptr;
  wxTextCtrl* m_pInstitute = nullptr;
  wxTextCtrl* m_pComment = nullptr;
  wxCheckBox* m_pAdd = nullptr;
  wxRadioButton* m_pLogin = nullptr;
  wxRadioButton* m_pRegister = nullptr;
  wxRadioButton* m_pEdit = nullptr;
  std::vector<std::pair<wxWindow*, wxWindow*>> m_labels;  // field, its label
};

}  // namespace qel
