#include "admin/ui/DlgUser.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <optional>

#include "admin/ui/AdminDialogSupport.h"
#include "admin/ui/DlgProject.h"
#include "app/startup/AppStartup.h"
#include "project/QelProject.h"
#include "admin/ui/DlgUsers.h"
#include "app/text/DateTimeText.h"
#include "common/Prompt.h"
#include "common/ui/WxText.h"

namespace qel {

namespace {

constexpr int kFieldWidth = 220;
constexpr int kCommentHeight = 60;
constexpr int kGap = 8;
constexpr const char* kDuplicateMessage = "! Duplicate User Id, try another one !";

const CControlTip kTips[] = {
    {CDlgUser::kIdPick, "Pick a user from the list of users"},
    {CDlgUser::kIdUserId, "Unique user identifier"},
    {CDlgUser::kIdPassword, "User password"},
    {CDlgUser::kIdNewPassword, "New user password"},
    {CDlgUser::kIdConfirmation, "Type the new password again"},
    {CDlgUser::kIdSave, "Save the user and close this window"},
    {wxID_OK, "Log in and close this window"},
    {wxID_CANCEL, "Close this window"},
};

std::string FromWx(const wxTextCtrl* text) { return text->GetValue().utf8_string(); }

}  // namespace

CDlgUser::CDlgUser(wxWindow* parent, const std::vector<CUserRecord>& users, const CUserRecord* record,
                   UserDlgMode mode, bool offerAdd, const std::string* projectName)
    : wxDialog(parent, wxID_ANY, "User", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
      m_users(users),
      m_form(mode, projectName != nullptr, offerAdd),
      m_sourceName(UserSourceName(projectName ? *projectName : std::string(), projectName != nullptr)),
      m_picker([project = projectName ? std::optional<std::string>(*projectName) : std::nullopt](
                   wxWindow* parent, const std::vector<CUserRecord>& users, CUserRecord* chosen) {
        return PickUserFromList(parent, users, project ? &*project : nullptr, chosen);
      }) {
  if (record) m_form.LoadRecord(*record);
  BuildControls(mode);
}

CDlgUser::CDlgUser(wxWindow* parent, CQelProject* project, const CUserRecord* record, UserDlgMode mode,
                   bool offerAdd, const ITaskAvailability& tasks)
    : wxDialog(parent, wxID_ANY, "User", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
      m_pProject(project),
      m_pTasks(&tasks),
      m_form(mode, project != nullptr, offerAdd),
      m_sourceName(UserSourceName(project ? project->GetName() : std::string(), project != nullptr)),
      m_picker([project](wxWindow* parent, const std::vector<CUserRecord>& users, CUserRecord* chosen) {
        const std::string name = project ? project->GetName() : std::string();
        return PickUserFromList(parent, users, project ? &name : nullptr, chosen);
      }) {
  if (record) m_form.LoadRecord(*record);
  if (mode != UserDlgMode::kView) m_loadFailed = !LoadProjectUsers();
  BuildControls(mode);
}

bool CDlgUser::LoadProjectUsers() {
  if (!m_pProject || !m_pTasks) return false;
  if (!DoProjectDialogEx(m_pProject, ProjectDlgMode::kOpenPath, GetParent(), *m_pTasks)) return false;
  m_users = m_pProject->GetUsers();
  return true;
}

void CDlgUser::BuildControls(UserDlgMode mode) {
  auto text = [this](int id, long style = 0) {
    return new wxTextCtrl(this, id, wxEmptyString, wxDefaultPosition, wxSize(kFieldWidth, -1), style);
  };
  m_pLogin = new wxRadioButton(this, kIdLoginRadio, "Log in", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  m_pRegister = new wxRadioButton(this, kIdRegisterRadio, "Register");
  m_pEdit = new wxRadioButton(this, kIdEditRadio, "Edit user");
  m_pId = text(kIdUserId);
  m_pPassword = text(kIdPassword, wxTE_PASSWORD);
  m_pNewPassword = text(kIdNewPassword, wxTE_PASSWORD);
  m_pConfirmation = text(kIdConfirmation, wxTE_PASSWORD);
  m_pFirstName = text(kIdFirstName);
  m_pSurname = text(kIdSurname);
  m_pRegistered = new wxStaticText(this, kIdRegistered, wxEmptyString);
  m_pInstitute = text(kIdInstitute);
  m_pComment = new wxTextCtrl(this, kIdComment, wxEmptyString, wxDefaultPosition, wxSize(kFieldWidth, kCommentHeight),
                              wxTE_MULTILINE);
  m_pAdd = new wxCheckBox(this, kIdAddCheck, "Add to workstation users list");

  auto* radios = new wxBoxSizer(wxHORIZONTAL);
  radios->Add(m_pLogin, 0, wxRIGHT, kGap);
  radios->Add(m_pRegister, 0, wxRIGHT, kGap);
  radios->Add(m_pEdit, 0);

  auto* fields = new wxFlexGridSizer(2, kGap / 2, kGap);
  fields->AddGrowableCol(1);
  auto row = [this, fields](const char* label, wxWindow* control) {
    auto* text = new wxStaticText(this, wxID_ANY, label);
    m_labels.emplace_back(control, text);
    fields->Add(text, 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(control, 1, wxEXPAND);
  };
  auto* idRow = new wxBoxSizer(wxHORIZONTAL);
  idRow->Add(m_pId, 1, wxRIGHT, kGap / 2);
  idRow->Add(new wxButton(this, kIdPick, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT), 0);
  fields->Add(new wxStaticText(this, wxID_ANY, "User Id"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(idRow, 1, wxEXPAND);
  row("User password", m_pPassword);
  row("New Password", m_pNewPassword);
  row("Confirm new password", m_pConfirmation);
  row("User First Name", m_pFirstName);
  row("User Surname", m_pSurname);
  row("Registered", m_pRegistered);
  row("Institute*", m_pInstitute);
  row("Comment*", m_pComment);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxStaticText(this, kIdOptional, "*optional"), 0, wxALIGN_CENTER_VERTICAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, kIdSave, "Save"), 0, wxRIGHT, kGap);
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, kGap);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(radios, 0, wxALL, kGap);
  top->Add(fields, 1, wxEXPAND | wxLEFT | wxRIGHT, kGap);
  top->Add(m_pAdd, 0, wxALL, kGap);
  top->Add(buttons, 0, wxEXPAND | wxALL, kGap);
  SetSizer(top);

  switch (mode) {
    case UserDlgMode::kLogin:
      m_pLogin->SetValue(true);
      break;
    case UserDlgMode::kRegister:
      m_pRegister->SetValue(true);
      break;
    default:
      m_pEdit->SetValue(true);
      break;
  }
  ShowFields();
  UpdateControls();
  SetToolTips(this, kTips, std::size(kTips));
  SetEscapeId(wxID_CANCEL);
  (m_form.Fields().id.empty() ? m_pId : m_pPassword)->SetFocus();

  Bind(wxEVT_RADIOBUTTON, &CDlgUser::OnRadio, this);
  Bind(wxEVT_BUTTON, &CDlgUser::OnPick, this, kIdPick);
  Bind(wxEVT_BUTTON, &CDlgUser::OnOk, this, wxID_OK);
  Bind(wxEVT_BUTTON, &CDlgUser::OnSave, this, kIdSave);
}

bool CDlgUser::AddChecked() const { return m_pAdd->IsShown() && m_pAdd->GetValue(); }

void CDlgUser::ShowFields() {
  const CUserFormFields& f = m_form.Fields();
  m_pId->ChangeValue(ToWx(f.id));
  m_pPassword->ChangeValue(ToWx(f.password));
  m_pNewPassword->ChangeValue(ToWx(f.newPassword));
  m_pConfirmation->ChangeValue(ToWx(f.confirmation));
  m_pFirstName->ChangeValue(ToWx(f.firstName));
  m_pSurname->ChangeValue(ToWx(f.surname));
  m_pRegistered->SetLabel(ToWx(FormatDateTimeLocale(f.registered)));
  m_pInstitute->ChangeValue(ToWx(f.institute));
  m_pComment->ChangeValue(ToWx(f.comment));
}

void CDlgUser::TakeFields() {
  CUserFormFields& f = m_form.Fields();
  f.id = FromWx(m_pId);
  f.password = FromWx(m_pPassword);
  f.newPassword = FromWx(m_pNewPassword);
  f.confirmation = FromWx(m_pConfirmation);
  f.firstName = FromWx(m_pFirstName);
  f.surname = FromWx(m_pSurname);
  f.institute = FromWx(m_pInstitute);
  f.comment = FromWx(m_pComment);
}

void CDlgUser::UpdateControls() {
  const CUserFormLayout l = m_form.Layout();
  SetTitle(ToWx(UserDlgCaption(m_form.Mode(), m_sourceName)));
  auto showRow = [this](wxWindow* control, bool shown) {
    control->Show(shown);
    for (const auto& [field, label] : m_labels) {
      if (field == control) label->Show(shown);
    }
  };
  showRow(m_pPassword, l.password);
  showRow(m_pNewPassword, l.newPassword);
  showRow(m_pConfirmation, l.newPassword);
  showRow(m_pFirstName, l.details);
  showRow(m_pSurname, l.details);
  showRow(m_pRegistered, l.details && l.registered);
  showRow(m_pInstitute, l.details);
  showRow(m_pComment, l.details);
  FindWindow(kIdOptional)->Show(l.details);
  FindWindow(kIdPick)->Show(l.pickButton);
  m_pId->SetEditable(l.idEnabled);
  m_pPassword->Enable(l.passwordEnabled);
  for (wxTextCtrl* names : {m_pFirstName, m_pSurname, m_pInstitute, m_pComment}) names->SetEditable(l.namesEnabled);
  FindWindow(kIdSave)->Show(l.save);
  FindWindow(wxID_OK)->Show(l.ok);
  m_pLogin->Show(l.loginRadio);
  m_pRegister->Show(l.registerRadio);
  m_pEdit->Show(l.editRadio);
  m_pAdd->Show(l.addCheck);
  GetSizer()->SetSizeHints(this);
  Fit();
  Layout();
}

void CDlgUser::OnRadio(wxCommandEvent& event) {
  TakeFields();
  switch (event.GetId()) {
    case kIdLoginRadio:
      m_form.SelectMode(UserDlgMode::kLogin);
      break;
    case kIdRegisterRadio:
      m_form.SelectMode(UserDlgMode::kRegister);
      break;
    case kIdEditRadio:
      m_form.SelectMode(UserDlgMode::kEdit);
      break;
    default:
      return;
  }
  ShowFields();
  UpdateControls();
}

void CDlgUser::OnPick(wxCommandEvent&) {
  TakeFields();
  CUserRecord chosen;
  if (!m_picker || !m_picker(this, m_users, &chosen)) return;
  m_form.PickUser(chosen);
  if (m_form.Mode() == UserDlgMode::kEdit) m_pEdit->SetValue(true);
  ShowFields();
  UpdateControls();
}

void CDlgUser::OnOk(wxCommandEvent&) {
  TakeFields();
  const std::string text = m_form.Validate(m_users, true);
  if (!text.empty()) {
    ShowStopMessage(text);
    UpdateControls();
    return;
  }
  // The check box adds the user to the workstation's list: an Id listed
  // there already is not added twice.
  const std::string& id = m_form.Fields().id;
  const bool listed = m_pProject ? IsUserNameListed(id)
                                 : FindListedUser(m_hasWorkstationUsers ? m_workstationUsers : m_users, id) != nullptr;
  if (AddChecked() && listed) {
    ShowStopMessage(kDuplicateMessage);
    return;
  }
  m_record = m_form.LoginRecord(m_users);
  FinishDialog(this, wxID_OK);
}

void CDlgUser::OnSave(wxCommandEvent&) {
  TakeFields();
  const std::string text = m_form.Validate(m_users, false);
  if (!text.empty()) {
    ShowStopMessage(text);
    UpdateControls();
    return;
  }
  const bool add = m_form.Mode() == UserDlgMode::kRegister;
  if (add && FindListedUser(m_users, m_form.Fields().id)) {
    ShowStopMessage(kDuplicateMessage);
    return;
  }
  const CUserRecord record = m_form.SaveRecord(m_users, CurrentLocalDateTime());
  if (m_pProject) {
    if (RegisterInProject(record)) FinishDialog(this, wxID_OK);
    return;
  }
  if (!m_writer || !m_writer(record, add)) return;
  m_record = record;
  const wxString done = wxString::Format("User \"%s\"\nsuccessfully registered in\n%s!", ToWx(record.m_id),
                                         ToWx(m_sourceName));
  ShowPrompt(done.utf8_string(), "Qel", kPromptOk | kPromptIconWarning);
  FinishDialog(this, wxID_OK);
}

bool CDlgUser::RegisterInProject(const CUserRecord& record) {
  // The project is opened first (its password asked for when needed), so
  // that the Id is checked against the users it holds now.
  if (!m_pTasks || !DoProjectDialogEx(m_pProject, ProjectDlgMode::kOpenPath, this, *m_pTasks)) return false;
  m_users = m_pProject->GetUsers();
  if (m_pProject->IsUser(record.m_id.c_str())) {
    ShowStopMessage(kDuplicateMessage);
    return false;
  }
  const CUserRecord* acting = CQelProject::GetLoggedUser();
  const std::string actingId = acting && !acting->m_id.empty() ? acting->m_id : record.m_id;
  if (!m_pProject->WriteProjectUser(record, actingId, false)) return false;
  m_users = m_pProject->GetUsers();
  m_record = record;
  UpdateControls();
  const wxString done = wxString::Format("User \"%s\"\nsuccessfully registered in\nproject \"%s\"!",
                                         ToWx(record.m_id), ToWx(m_pProject->GetPath()));
  ShowPrompt(done.utf8_string(), "Qel", kPromptOk | kPromptIconWarning);
  return true;
}

}  // namespace qel
