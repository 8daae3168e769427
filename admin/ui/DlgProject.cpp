#include "admin/ui/DlgProject.h"

#include <wx/button.h>
#include <wx/choicdlg.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/wrapsizer.h>

#include <array>
#include <map>

#include "admin/ui/AdminDialogSupport.h"
#include "app/startup/AppStartup.h"
#include "common/AtomicFile.h"
#include "common/Prompt.h"
#include "common/ui/WxText.h"
#include "project/QelProject.h"
#include "ui/ui/ChooserFit.h"

namespace qel {

namespace {

constexpr int kFieldWidth = 320;
constexpr int kCommentHeight = 60;
constexpr int kGap = 8;
constexpr int kInfoWrap = 640;  // the texts break their own lines; only longer ones wrap

const CControlTip kTips[] = {
    {CDlgProject::kIdPath, "Path of the existing Qel project file"},
    {CDlgProject::kIdBrowse, "Select existing Qel project file"},
    {CDlgProject::kIdPassword, "Password of the existing project (empty when it has none)"},
    {CDlgProject::kIdNewPath, "Path of the new Qel project file"},
    {CDlgProject::kIdBrowseNew, "Select path of the new Qel project file"},
    {CDlgProject::kIdNewPassword, "New password (empty: the project has none)"},
    {CDlgProject::kIdConfirmation, "Type the new password again"},
    {CDlgProject::kIdInstitute, "Department or institute owning the project"},
    {CDlgProject::kIdComment, "Comment of the project"},
    {CDlgProject::kIdModels, "Models stored in the project"},
    {CDlgProject::kIdTestees, "Testees of the project"},
    {CDlgProject::kIdAssessments, "Assessments of the project"},
    {CDlgProject::kIdScores, "Scores of the project"},
    {CDlgProject::kIdUsers, "Users of the project"},
    {CDlgProject::kIdTesteesHistory, "Change history of the testees"},
    {CDlgProject::kIdScoresHistory, "Change history of the scores"},
    {wxID_OK, "Carry out and close this window"},
    {wxID_CANCEL, "Close this window"},
};

struct WindowButton {
  int id;
  const char* label;
  ProjectWindow window;
};
const WindowButton kWindowButtons[] = {
    {CDlgProject::kIdModels, "Models", ProjectWindow::kModels},
    {CDlgProject::kIdTestees, "Testees", ProjectWindow::kTestees},
    {CDlgProject::kIdAssessments, "Assessments", ProjectWindow::kAssessments},
    {CDlgProject::kIdScores, "Scores", ProjectWindow::kScores},
    {CDlgProject::kIdUsers, "Users", ProjectWindow::kUsers},
    {CDlgProject::kIdTesteesHistory, "Testees history", ProjectWindow::kTesteesHistory},
    {CDlgProject::kIdScoresHistory, "Scores history", ProjectWindow::kScoresHistory},
};

std::map<ProjectWindow, ProjectWindowOpener>& Windows() {
  static std::map<ProjectWindow, ProjectWindowOpener> windows;
  return windows;
}

// The users list without an installed one: the project's users by Id and name.
void ListProjectUsers(wxWindow* parent, CQelProject& project) {
  wxArrayString rows;
  for (const CUserRecord& user : project.GetUsers()) {
    rows.Add(ToWx(user.m_id + "  (" + user.m_firstName + " " + user.m_surname + ")"));
  }
  wxSingleChoiceDialog dialog(parent, ToWx("Users of project " + project.GetName()), "Users", rows);
  dialog.ShowModal();
}

std::string FromWx(const wxTextCtrl* text) { return text->GetValue().utf8_string(); }

void ShowWithLabel(wxWindow* parent, int labelId, wxWindow* control, bool shown) {
  if (wxWindow* label = parent->FindWindow(labelId)) label->Show(shown);
  control->Show(shown);
}

}  // namespace

void SetProjectWindow(ProjectWindow which, ProjectWindowOpener opener) {
  if (opener) {
    Windows()[which] = std::move(opener);
  } else {
    Windows().erase(which);
  }
}

bool HasProjectWindow(ProjectWindow which) { return Windows().count(which) > 0; }

std::string ChooseProjectFile(wxWindow* parent, bool save, const std::string& current) {
  const wxString filter = wxString::Format("%s (%s)|%s||", kProjectFileKind, "*.qep", "*.qep");
  const long style = save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  wxFileDialog dialog(parent, save ? "New project file" : "Existing project file", wxEmptyString, ToWx(current), filter,
                      style);
  KeepOnScreen(dialog);
  if (dialog.ShowModal() != wxID_OK) return std::string();
  std::string path = dialog.GetPath().utf8_string();
  const std::string extension = std::string(".") + kProjectFileExtension;
  if (save && (path.size() < extension.size() ||
               path.compare(path.size() - extension.size(), extension.size(), extension) != 0)) {
    path += extension;
  }
  return path;
}

CDlgProject::CDlgProject(wxWindow* parent, CQelProject* project, ProjectDlgMode mode, const ITaskAvailability& tasks)
    : wxDialog(parent, wxID_ANY, "Project", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
      m_form(mode, CQelProject::IsUserLoggedIn(), kCfrMode),
      m_ownProject(std::make_unique<CQelProject>(tasks)),
      m_pProject(project),
      m_chooser(ChooseProjectFile) {
  BuildControls();
  if (project) {
    CProjectFormFields& f = m_form.Fields();
    f.path = project->GetPath();
    f.password = project->GetPassword();
    m_form.SetProjectName(project->GetName());
    m_form.SetProjectKind(project->IsOpenCfr(), project->GetTesteeChangeCount(nullptr) > 0,
                          project->GetScoreChangeTotal() > 0);
  }
  SetToolTips(this, kTips, std::size(kTips));
  SetEscapeId(wxID_CANCEL);
  Bind(wxEVT_BUTTON, &CDlgProject::OnOk, this, wxID_OK);
  Bind(wxEVT_BUTTON, &CDlgProject::OnBrowse, this, kIdBrowse);
  Bind(wxEVT_BUTTON, &CDlgProject::OnBrowseNew, this, kIdBrowseNew);
  for (const WindowButton& button : kWindowButtons) {
    Bind(wxEVT_BUTTON, &CDlgProject::OnWindowButton, this, button.id);
  }
}

CDlgProject::~CDlgProject() {
  // The typed passwords do not outlive the dialog in its fields.
  for (wxTextCtrl* field : {m_pPassword, m_pNewPassword, m_pConfirmation}) {
    if (field) field->ChangeValue(wxEmptyString);
  }
}

void CDlgProject::BuildControls() {
  auto edit = [this](int id, long style = 0) {
    return new wxTextCtrl(this, id, wxEmptyString, wxDefaultPosition, wxSize(kFieldWidth, -1), style);
  };
  m_pInfo = new wxStaticText(this, kIdInfo, wxEmptyString);
  m_pPath = edit(kIdPath);
  m_pPassword = edit(kIdPassword, wxTE_PASSWORD);
  m_pNewPath = edit(kIdNewPath);
  m_pNewPassword = edit(kIdNewPassword, wxTE_PASSWORD);
  m_pConfirmation = edit(kIdConfirmation, wxTE_PASSWORD);
  m_pInstitute = edit(kIdInstitute);
  m_pComment = new wxTextCtrl(this, kIdComment, wxEmptyString, wxDefaultPosition, wxSize(kFieldWidth, kCommentHeight),
                              wxTE_MULTILINE);

  auto* grid = new wxFlexGridSizer(3, kGap / 2, kGap);
  grid->AddGrowableCol(1);
  auto row = [this, grid](int labelId, const char* label, wxWindow* control, wxWindow* extra) {
    auto* text = new wxStaticText(this, labelId, label);
    grid->Add(text, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(control, 1, wxEXPAND);
    if (extra) {
      grid->Add(extra, 0, wxALIGN_CENTER_VERTICAL);
    } else {
      grid->AddSpacer(0);
    }
    return text;
  };
  auto browse = [this](int id) {
    return new wxButton(this, id, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  };
  row(kIdPathLabel, "File path", m_pPath, browse(kIdBrowse));
  row(kIdPasswordLabel, "Password", m_pPassword, new wxStaticText(this, kIdPasswordNote, "*if protected"));
  m_pNewPathLabel = row(kIdNewPathLabel, "New file path", m_pNewPath, browse(kIdBrowseNew));
  m_pNewPasswordLabel =
      row(kIdNewPasswordLabel, "New password", m_pNewPassword, new wxStaticText(this, kIdNewPasswordNote, "*optional"));
  row(kIdConfirmationLabel, "Confirm new password", m_pConfirmation, nullptr);
  row(kIdInstituteLabel, "Department/Institute", m_pInstitute, nullptr);
  row(kIdCommentLabel, "Comment", m_pComment, nullptr);

  auto* windows = new wxWrapSizer(wxHORIZONTAL);
  for (const WindowButton& button : kWindowButtons) {
    windows->Add(new wxButton(this, button.id, button.label), 0, wxRIGHT | wxBOTTOM, kGap / 2);
  }
  auto* responses = new wxButton(this, kIdResponsesHistory, "Responses history");
  responses->Hide();  // response histories are not offered from here

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, kGap);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_pInfo, 0, wxEXPAND | wxALL, kGap);
  top->Add(grid, 1, wxEXPAND | wxLEFT | wxRIGHT, kGap);
  top->Add(windows, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, kGap);
  top->Add(buttons, 0, wxEXPAND | wxALL, kGap);
  SetSizer(top);
}

int CDlgProject::Start() {
  CProjectFormFields& f = m_form.Fields();
  m_startResult = 0;
  if (!f.path.empty()) {
    switch (m_form.Mode()) {
      case ProjectDlgMode::kProperties:
        if (!ReadProperties() && !m_form.PasswordRequired()) m_startResult = wxID_CANCEL;
        break;
      case ProjectDlgMode::kUsersList:
        if (ShowUsers()) {
          m_startResult = wxID_OK;
        } else if (!m_form.PasswordRequired()) {
          m_startResult = wxID_CANCEL;
        }
        break;
      case ProjectDlgMode::kOpenBrowse:
        f.path.clear();
        f.password.clear();
        m_form.SetProjectName(std::string());
        break;
      case ProjectDlgMode::kOpenPath:
        if (OpenWithPassword()) {
          m_startResult = wxID_OK;
        } else if (!m_form.PasswordRequired()) {
          m_startResult = wxID_CANCEL;
        }
        break;
      default:
        break;
    }
  }
  // A stored path that does not open for another reason than its password
  // closes the dialog; the operator is told why.
  if (m_startResult == wxID_CANCEL && m_pProject) m_pProject->Check(f.path, true);
  m_form.SetBrowseOffered(f.path.empty(), f.newPath.empty());
  ShowFields();
  UpdateControls();
  if (m_startResult != 0) SetReturnCode(m_startResult);
  return m_startResult;
}

int CDlgProject::Run() {
  const int started = Start();
  return started != 0 ? started : ShowModal();
}

void CDlgProject::ShowFields() {
  const CProjectFormFields& f = m_form.Fields();
  m_pPath->ChangeValue(ToWx(f.path));
  m_pPassword->ChangeValue(ToWx(f.password));
  m_pNewPath->ChangeValue(ToWx(f.newPath));
  m_pNewPassword->ChangeValue(ToWx(f.newPassword));
  m_pConfirmation->ChangeValue(ToWx(f.confirmation));
  m_pInstitute->ChangeValue(ToWx(f.institute));
  m_pComment->ChangeValue(ToWx(f.comment));
}

void CDlgProject::TakeFields() {
  CProjectFormFields& f = m_form.Fields();
  f.path = FromWx(m_pPath);
  f.password = FromWx(m_pPassword);
  f.newPath = FromWx(m_pNewPath);
  f.newPassword = FromWx(m_pNewPassword);
  f.confirmation = FromWx(m_pConfirmation);
  f.institute = FromWx(m_pInstitute);
  f.comment = FromWx(m_pComment);
}

void CDlgProject::UpdateControls() {
  const CProjectFormLayout l = m_form.Layout();
  ShowWithLabel(this, kIdPathLabel, m_pPath, l.path);
  wxWindow* browse = FindWindow(kIdBrowse);
  browse->Show(l.browsePath);
  browse->Enable(l.browsePathEnabled);
  ShowWithLabel(this, kIdPasswordLabel, m_pPassword, l.password);
  FindWindow(kIdPasswordNote)->Show(l.password);
  ShowWithLabel(this, kIdNewPathLabel, m_pNewPath, l.newPath);
  wxWindow* browseNew = FindWindow(kIdBrowseNew);
  browseNew->Show(l.newPath);
  browseNew->Enable(l.browseNewEnabled);
  m_pNewPathLabel->SetLabel(l.newPathLabelIsPath ? "File path" : "New file path");
  ShowWithLabel(this, kIdNewPasswordLabel, m_pNewPassword, l.newPassword);
  FindWindow(kIdNewPasswordNote)->Show(l.newPassword);
  ShowWithLabel(this, kIdConfirmationLabel, m_pConfirmation, l.newPassword);
  m_pNewPasswordLabel->SetLabel(l.newPasswordLabelIsPassword ? "Password" : "New password");
  ShowWithLabel(this, kIdInstituteLabel, m_pInstitute, l.details);
  ShowWithLabel(this, kIdCommentLabel, m_pComment, l.details);
  m_pInstitute->SetEditable(!l.detailsReadOnly);
  m_pComment->SetEditable(!l.detailsReadOnly);
  for (const WindowButton& button : kWindowButtons) {
    bool shown = l.detailButtons;
    if (button.window == ProjectWindow::kUsers) shown = l.usersButton;
    if (button.window == ProjectWindow::kTesteesHistory) shown = l.testeesHistory;
    if (button.window == ProjectWindow::kScoresHistory) shown = l.scoresHistory;
    // The users list has a plain list of its own; the others need the
    // program's windows.
    if (button.window != ProjectWindow::kUsers) shown = shown && HasProjectWindow(button.window);
    FindWindow(button.id)->Show(shown);
  }
  FindWindow(wxID_OK)->Show(l.ok);
  SetTitle(ToWx(m_form.Caption()));
  m_pInfo->SetLabel(ToWx(m_form.InfoText()));
  m_pInfo->Wrap(kInfoWrap);
  ShowFields();
  GetSizer()->SetSizeHints(this);
  Fit();
  Layout();
  switch (l.focus) {
    case CProjectFormLayout::Focus::kBrowsePath:
      if (browse->IsShown() && browse->IsEnabled()) browse->SetFocus();
      break;
    case CProjectFormLayout::Focus::kBrowseNew:
      if (browseNew->IsEnabled()) browseNew->SetFocus();
      break;
    case CProjectFormLayout::Focus::kPassword:
      if (m_pPassword->IsShown()) m_pPassword->SetFocus();
      break;
  }
}

bool CDlgProject::OpenWithPassword() {
  if (!m_pProject) m_pProject = m_ownProject.get();
  const CProjectFormFields& f = m_form.Fields();
  m_pProject->SetPassword(f.password.c_str());
  // A first silent try tells whether the project needs a password; once the
  // operator is asked for it, a wrong one is told.
  const bool opened = m_pProject->Open(f.path, m_form.PasswordRequired() || IsShown(), false);
  const int result = m_pProject->GetOpenResult();
  if (opened && result == CQelProject::kOpened) {
    m_form.SetPasswordRequired(false);
    m_form.SetProjectName(m_pProject->GetName());
    return true;
  }
  if (result == CQelProject::kPasswordResult) m_form.SetPasswordRequired(true);
  return false;
}

bool CDlgProject::ReadProperties() {
  m_pProject = m_ownProject.get();
  if (!OpenWithPassword()) return false;
  CQelProject& p = *m_pProject;
  CProjectInfo info;
  info.versionText = p.GetVersionText();
  info.versionNumber = p.GetVersionNumber();
  info.creationUser = p.GetCreationUser();
  info.creationDate = p.GetCreationDate();
  info.creationTime = p.GetCreationTime();
  info.owner = p.GetOwner();
  info.comment = p.GetOwnerComment();
  info.isCfr = p.IsCfr();
  info.testees = static_cast<uint32_t>(p.GetTesteeCount());
  info.models = static_cast<uint32_t>(p.GetModelCount());
  uint32_t tasks = 0;
  for (int i = 0; i < p.GetModelCount(); ++i) tasks += static_cast<uint32_t>(p.GetModelTaskCount(i));
  info.tasks = tasks;
  info.scores = static_cast<uint32_t>(p.GetScoreRows(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                     nullptr, nullptr, nullptr, nullptr, nullptr));
  info.users = static_cast<uint32_t>(p.GetUserCount());
  m_form.SetProjectName(p.GetName());
  m_form.SetProjectKind(info.isCfr, p.GetTesteeChangeCount(nullptr) > 0, p.GetScoreChangeTotal() > 0);
  m_form.SetProperties(info);
  return true;
}

bool CDlgProject::ShowUsers() {
  m_pProject = m_ownProject.get();
  if (!OpenWithPassword()) return false;
  auto found = Windows().find(ProjectWindow::kUsers);
  if (found != Windows().end()) {
    found->second(this, *m_pProject);
  } else {
    ListProjectUsers(this, *m_pProject);
  }
  return true;
}

bool CDlgProject::Compact() {
  const CProjectFormFields& f = m_form.Fields();
  if (f.path.empty() || f.newPath.empty()) return false;
  wxBusyCursor wait;
  return CQelProject::CompactProject(f.path, f.newPath, f.password.c_str(), f.newPassword.c_str(), true);
}

bool CDlgProject::ChangePassword() {
  const CProjectFormFields& f = m_form.Fields();
  wxBusyCursor wait;
  if (!CQelProject::ChangeProjectPassword(f.path, f.password.c_str(), f.newPassword.c_str(), true)) return false;
  // The working project opens with its new password from now on.
  if (m_pProject && IsSameFile(m_pProject->GetPath(), f.path)) m_pProject->SetPassword(f.newPassword.c_str());
  return true;
}

bool CDlgProject::Execute() {
  const CProjectFormFields& f = m_form.Fields();
  switch (m_form.Mode()) {
    case ProjectDlgMode::kProperties:
      ReadProperties();
      return false;  // the dialog stays and shows what it read
    case ProjectDlgMode::kUsersList:
      return ShowUsers();
    case ProjectDlgMode::kOpenBrowse:
    case ProjectDlgMode::kOpenPath:
      return OpenWithPassword();
    case ProjectDlgMode::kCreate:
      return CQelProject::CreateProject(f.newPath, f.institute, f.comment, f.newPassword.c_str(), true, true);
    case ProjectDlgMode::kCompact:
      return Compact();
    case ProjectDlgMode::kPassword:
      return ChangePassword();
    case ProjectDlgMode::kConvert:
      if (!CQelProject::IsUserLoggedIn()) {
        // The converted project records who converted it.
        ShowStopMessage(std::string("To create CFR compliant project ") + kCfrSuffix + " you must login!");
        return false;
      }
      return CQelProject::ConvertToCfr(f.path, f.newPath, f.password.c_str(), f.newPassword.c_str());
  }
  return false;
}

void CDlgProject::Finish(int code) { FinishDialog(this, code); }

void CDlgProject::OnOk(wxCommandEvent&) {
  TakeFields();
  const std::string text = m_form.Validate(IsSameFile);
  if (!text.empty()) {
    ShowStopMessage(text);
    return;
  }
  if (Execute()) {
    Finish(wxID_OK);
    return;
  }
  UpdateControls();
}

void CDlgProject::OnBrowse(wxCommandEvent&) {
  TakeFields();
  CProjectFormFields& f = m_form.Fields();
  const std::string chosen = m_chooser ? m_chooser(this, false, f.path) : std::string();
  if (!chosen.empty()) {
    if (chosen != f.path) m_form.SetPasswordRequired(false);
    f.path = chosen;
    if (m_form.Mode() == ProjectDlgMode::kProperties) {
      ReadProperties();
    } else if (m_form.Mode() == ProjectDlgMode::kUsersList && ShowUsers()) {
      Finish(wxID_OK);
      return;
    }
  }
  UpdateControls();
}

void CDlgProject::OnBrowseNew(wxCommandEvent&) {
  TakeFields();
  CProjectFormFields& f = m_form.Fields();
  const std::string chosen = m_chooser ? m_chooser(this, true, f.newPath) : std::string();
  if (!chosen.empty()) f.newPath = chosen;
  UpdateControls();
}

void CDlgProject::OnWindowButton(wxCommandEvent& event) {
  if (!m_pProject || !m_form.PropertiesRead()) return;
  for (const WindowButton& button : kWindowButtons) {
    if (button.id != event.GetId()) continue;
    auto found = Windows().find(button.window);
    if (found != Windows().end()) {
      found->second(this, *m_pProject);
    } else if (button.window == ProjectWindow::kUsers) {
      ListProjectUsers(this, *m_pProject);
    }
  }
}

bool DoProjectDialogEx(CQelProject* project, ProjectDlgMode mode, wxWindow* parent, const ITaskAvailability& tasks) {
  CDlgProject dialog(parent, project, mode, tasks);
  return dialog.Run() == wxID_OK;
}

bool DoProjectDialogForFile(const std::string& path, ProjectDlgMode mode, wxWindow* parent,
                            const ITaskAvailability& tasks) {
  CQelProject project(tasks);
  project.SetPath(path.c_str());
  return DoProjectDialogEx(&project, mode, parent, tasks);
}

}  // namespace qel
