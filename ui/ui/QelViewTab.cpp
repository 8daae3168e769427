#include "ui/ui/QelViewTab.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/imaglist.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>

#include "admin/AdminProject.h"
#include "app/DocProject.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "app/ui/ReportPrintout.h"
#include "common/Prompt.h"
#include "project/ProjectData.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/DlgTab.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/MainWindows.h"
#include "ui/ui/QelNotify.h"

namespace qel {

namespace {

CQelViewTab* g_mainView = nullptr;
constexpr const char* kFrameTitle = "Qel Task Battery";
constexpr const char* kDuplicateUserText = "! Duplicate User Id, try another one !";
constexpr int kMargin = 6;
constexpr int kTabIconSize = 16;
constexpr const char* kRtfHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\pard\\fi-1988\\li1988\\tx2160\\f0\\fs24 ";

struct TabDef {
  const char* caption;
  wxArtID icon;
};
const TabDef kTabs[kMainViewPages] = {
    {"Assessments", wxART_TICK_MARK}, {"Testees", wxART_HELP_BOOK}, {"Models", wxART_NORMAL_FILE},
    {"Data", wxART_REPORT_VIEW},      {"Export", wxART_FILE_SAVE_AS}, {"Projects", wxART_FOLDER},
};

}  // namespace

CQelViewTab* GetMainView() { return g_mainView; }

CQelViewTab::CQelViewTab(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
  CreateControls();
  Bind(QEL_EVT_NOTIFY, &CQelViewTab::OnNotify, this);
  Bind(wxEVT_SIZE, &CQelViewTab::OnSize, this);
}

CQelViewTab::~CQelViewTab() {
  if (g_mainView == this) {
    g_mainView = nullptr;
    SetMainViewWindow(nullptr);
  }
}

void CQelViewTab::CreateControls() {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_pCaptionBox = new wxStaticBox(this, kIdWorkingProject, "Working project");
  auto* box = new wxStaticBoxSizer(m_pCaptionBox, wxVERTICAL);
  auto* pathRow = new wxBoxSizer(wxHORIZONTAL);
  pathRow->Add(new wxStaticText(m_pCaptionBox, kIdProjectPathLabel, "Project file path"), 0,
               wxALIGN_CENTER_VERTICAL | wxRIGHT, kMargin);
  m_pPathCombo = new wxComboBox(m_pCaptionBox, kIdProjectPath, "", wxDefaultPosition, wxDefaultSize, 0, nullptr,
                                wxCB_READONLY);
  pathRow->Add(m_pPathCombo, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, kMargin);
  m_pBrowse = new wxButton(m_pCaptionBox, kIdBrowseProject, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  pathRow->Add(m_pBrowse, 0, wxALIGN_CENTER_VERTICAL);
  box->Add(pathRow, 0, wxEXPAND | wxALL, kMargin);

  auto* userRow = new wxBoxSizer(wxHORIZONTAL);
  m_pRefresh = new wxButton(m_pCaptionBox, kIdRefreshTree, "<- Refresh Project Tree");
  userRow->Add(m_pRefresh, 0, wxRIGHT, kMargin);
  m_pUserIcon = new wxStaticBitmap(m_pCaptionBox, kIdUserIcon, wxArtProvider::GetBitmap(wxART_QUESTION, wxART_BUTTON));
  userRow->Add(m_pUserIcon, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kMargin / 2);
  m_pLoggedUser = new wxStaticText(m_pCaptionBox, kIdLoggedUser, "");
  userRow->Add(m_pLoggedUser, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, kMargin);
  box->Add(userRow, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
  auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
  m_pLogin = new wxButton(m_pCaptionBox, kIdLogin, "User login");
  m_pUserView = new wxButton(m_pCaptionBox, kIdUserView, "User view");
  m_pViewUsers = new wxButton(m_pCaptionBox, kIdViewUsers, "View users");
  m_pHelp = new wxButton(m_pCaptionBox, kIdHelp, "Help");
  buttonRow->AddStretchSpacer();
  for (wxButton* button : {m_pLogin, m_pUserView, m_pViewUsers, m_pHelp}) buttonRow->Add(button, 0, wxLEFT, kMargin / 2);
  box->Add(buttonRow, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
  sizer->Add(box, 0, wxEXPAND | wxALL, kMargin);

  m_pTabs = new wxNotebook(this, kIdTabs);
  sizer->Add(m_pTabs, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
  SetSizer(sizer);

  for (int id : {kIdBrowseProject, kIdRefreshTree, kIdLogin, kIdUserView, kIdViewUsers, kIdHelp}) {
    Bind(wxEVT_BUTTON, &CQelViewTab::OnButton, this, id);
  }
  m_pPathCombo->Bind(wxEVT_COMBOBOX, &CQelViewTab::OnPathChosen, this);
  m_pTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CQelViewTab::OnPageChanging, this);
  m_pTabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CQelViewTab::OnPageChanged, this);
  m_pTabs->Bind(wxEVT_KEY_DOWN, &CQelViewTab::OnTabsKey, this);
  Bind(wxEVT_MENU, &CQelViewTab::OnCommand, this, MenuId(kCmdSystemConfig), MenuId(kCmdFontSetup) - 1);
  Bind(wxEVT_UPDATE_UI, &CQelViewTab::OnUpdateCommand, this, MenuId(kCmdSystemConfig), MenuId(kCmdFontSetup) - 1);
  for (wxWindow* control : std::initializer_list<wxWindow*>{m_pPathCombo, m_pBrowse, m_pRefresh, m_pTabs, m_pHelp}) {
    control->SetToolTip(wxString::FromUTF8(MainViewTooltip(control->GetId(), false)));
  }
}

void CQelViewTab::SetTreeWindow(wxWindow* tree) {
  m_pTree = tree;
  if (m_pDoc) m_pDoc->SetTreeWindow(tree);
}

void CQelViewTab::OnInitialUpdate(CQelDoc* doc) {
  m_pDoc = doc;
  if (doc) {
    doc->SetNotifyWindow(this);
    // The document's selections in the tree ("<- Find") go to the main window's tree.
    doc->SetTreeWindow(m_pTree);
  }
  for (CDlgTab* page : m_pages) {
    if (page) page->SetDocument(doc);
  }
  if (!m_bFirstUpdate) {
    // A model file renewed or opened (File New, File Open, a recent file): the Models page shows it.
    if (CDlgTab* models = m_pages[kPageModels]) PostNotify(models, kNotifyLoadModel);
    RefreshAll();
    return;
  }
  m_bFirstUpdate = false;
  g_mainView = this;
  SetMainViewWindow(this);

  auto* images = new wxImageList(kTabIconSize, kTabIconSize, true, kMainViewPages);
  for (const TabDef& tab : kTabs) {
    images->Add(wxArtProvider::GetBitmap(tab.icon, wxART_MENU, wxSize(kTabIconSize, kTabIconSize)));
  }
  m_pTabs->AssignImageList(images);
  for (int i = 0; i < kMainPageCount; ++i) {
    CDlgTab* page = MakeTabPage(i);
    m_pages[static_cast<size_t>(i)] = page;
    PlacePage(page);
  }
  if (CDlgTab* models = m_pages[kPageModels]) PostNotify(models, kNotifyLoadModel);
  m_currentPage = kPageAssessments;
  m_pTabs->SetSelection(kPageAssessments);
  RefreshAll();
}

void CQelViewTab::DetachDocument(CQelDoc* doc) {
  if (!doc || doc != m_pDoc) return;
  m_pDoc = nullptr;
  for (CDlgTab* page : m_pages) {
    if (page && page->GetDocument() == doc) page->SetDocument(nullptr);
  }
}

void CQelViewTab::PlacePage(CDlgTab* page) {
  const int index = static_cast<int>(std::find(m_pages.begin(), m_pages.end(), page) - m_pages.begin());
  if (index < kMainViewPages) {
    page->Place(m_pDoc, this, m_pTabs);
    m_pTabs->AddPage(page, kTabs[index].caption, index == 0, index);
  } else {
    // The Import page has no tab: it lies over the tabs' page area when shown.
    page->Place(m_pDoc, this, this);
    page->Hide();
  }
}

void CQelViewTab::OnSize(wxSizeEvent& event) {
  event.Skip();
  CDlgTab* import = m_pages[kPageImport];
  if (import && m_pTabs->GetPageCount() > 0) {
    wxWindow* first = m_pTabs->GetPage(0);
    import->SetSize(wxRect(ScreenToClient(first->GetScreenPosition()), first->GetSize()));
  }
}

CDlgTab* CQelViewTab::GetPage(int index) const {
  return index >= 0 && index < kMainPageCount ? m_pages[static_cast<size_t>(index)] : nullptr;
}

MainViewState CQelViewTab::State() const {
  MainViewState state;
  state.running = IsAnyRunInProgress();
  IDocProject* project = m_pDoc ? m_pDoc->GetProject() : nullptr;
  state.hasProject = project != nullptr;
  state.projectPath = project ? project->GetPath() : std::string();
  state.cfrProject = project && m_cfrProject;
  state.cfrMode = kCfrMode;
  state.logged = IsUserLoggedIn();
  return state;
}

void CQelViewTab::RefreshAll() {
  UpdateControls();
  for (CDlgTab* page : m_pages) {
    if (page) page->UpdateControls();
  }
}

void CQelViewTab::UpdateControls() {
  const MainViewState state = State();
  m_caption = WorkingProjectCaption(state);
  const bool logged = state.logged;
  if (state.cfrMode) {
    m_pUserView->Enable(logged && !state.running);
    m_pViewUsers->Enable(!state.running && !state.projectPath.empty() && state.cfrProject);
    m_pLogin->Enable(!state.running);
    m_pLogin->SetLabel(logged ? "User logout" : "User login");
  }
  for (wxWindow* control :
       std::initializer_list<wxWindow*>{m_pUserView, m_pViewUsers, m_pLogin, m_pLoggedUser, m_pUserIcon}) {
    control->Show(state.cfrMode);
  }
  m_pBrowse->Enable(logged && !state.running);
  m_pPathCombo->Enable(logged && !state.running);
  m_pRefresh->Enable(!state.running);
  m_pUserIcon->SetBitmap(wxArtProvider::GetBitmap(logged ? wxART_TICK_MARK : wxART_QUESTION, wxART_BUTTON));
  m_pLoggedUser->SetLabel(wxString::FromUTF8(LoggedUserText(m_loggedUser)));
  m_pCaptionBox->SetLabel(wxString::FromUTF8(m_caption));
  for (wxWindow* control : std::initializer_list<wxWindow*>{m_pLogin, m_pUserView, m_pLoggedUser}) {
    control->SetToolTip(wxString::FromUTF8(MainViewTooltip(control->GetId(), logged)));
  }
  if (m_pDoc) m_pDoc->SetPrintEnabled(m_pDoc->GetModel().GetTaskCount() > 0);
  Layout();
}

bool CQelViewTab::OpenWorkingProject(bool browse) {
  IDocProject* project = m_pDoc ? m_pDoc->GetProject() : nullptr;
  if (!project) return false;
  if (!RunProjectDialog(project, browse ? kProjectOpenBrowse : kProjectOpenPath)) return false;
  m_workingPath = project->GetPath();
  m_cfrProject = project->IsOpenCfr();
  m_pDoc->SetTitle("Project " + wxString::FromUTF8(project->GetName()));
  // The tree shows the project just opened, from its root.
  if (auto* tree = dynamic_cast<CLeftView*>(m_pTree)) tree->ShowProjectAt(m_workingPath);
  UpdateControls();
  for (CDlgTab* page : m_pages) {
    if (page) page->Refresh();
  }
  return true;
}

void CQelViewTab::ShowProjectPathInCombo() {
  IDocProject* project = m_pDoc ? m_pDoc->GetProject() : nullptr;
  if (!project || project->GetPath().empty()) return;
  const wxString path = wxString::FromUTF8(project->GetPath());
  int index = m_pPathCombo->FindString(path, true);
  if (index == wxNOT_FOUND) index = m_pPathCombo->Append(path);
  m_pPathCombo->SetSelection(index);
}

void CQelViewTab::ShowPage(int index) {
  if (index < 0 || index >= kMainPageCount) return;
  m_currentPage = index;
  if (index < kMainViewPages) {
    if (m_pTabs->GetSelection() != index) m_pTabs->ChangeSelection(static_cast<size_t>(index));
    if (m_pages[kPageImport]) m_pages[kPageImport]->Hide();
  } else if (CDlgTab* page = m_pages[static_cast<size_t>(index)]) {
    page->Show();
    page->Raise();
  }
}

void CQelViewTab::HidePage(int index) {
  if (index == kPageImport && m_pages[kPageImport]) m_pages[kPageImport]->Hide();
}

void CQelViewTab::FocusTabs() { m_pTabs->SetFocus(); }

void CQelViewTab::OnPageChanging(wxBookCtrlEvent& event) {
  HidePage(m_currentPage);
  event.Skip();
}

void CQelViewTab::OnPageChanged(wxBookCtrlEvent& event) {
  if (event.GetEventObject() == m_pTabs) m_currentPage = event.GetSelection();
  event.Skip();
}

void CQelViewTab::OnTabsKey(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_DOWN) {
    if (CDlgTab* page = GetPage(m_currentPage)) {
      page->SetFocus();
      return;
    }
  }
  event.Skip();
}

void CQelViewTab::ShowHelp() {
  const int language = g_Language;
  // The texts are whole RTF documents: their bodies are joined under one header.
  std::string body;
  for (const std::string& part : {LoadProgramText(static_cast<unsigned>(MainViewGeneralHelpText(language))),
                                  LoadProgramText(static_cast<unsigned>(MainViewPageHelpText(m_currentPage, language)))}) {
    if (part.empty()) continue;
    if (!body.empty()) body += "\\par ";
    body += "{" + part + "}";
  }
  const std::string rtf = std::string(kRtfHeader) + body + "}";
  CDlgHelp dialog(rtf.c_str(), "Main view Help", wxTheApp->GetTopWindow(), 100);
  dialog.ShowModal();
}

bool CQelViewTab::ChangeLogin() {
  if (IsUserLoggedIn()) {
    LogoutCurrentUser();
  } else {
    IUserDialogs* dialogs = GetAppServices().userDialogs;
    IWorkstationUsers* users = GetAppServices().users;
    if (!dialogs || !users) return false;
    CUserRecord user;
    if (!dialogs->Login(users->Users(), &user)) return IsUserLoggedIn();
    g_LoggedUser = user;
  }
  m_loggedUser = GetCurrentUserId();
  RefreshAll();
  return IsUserLoggedIn();
}

bool CQelViewTab::LoginProjectUser(IDocProject* project) {
  CUserRecord user;
  bool addToWorkstation = false;
  if (!project || !RunProjectUserLogin(project, &user, &addToWorkstation)) return false;
  if (addToWorkstation) {
    // An Id of the workstation's list is never written twice; the login
    // waits until the user is on the list.
    if (IsUserNameListed(user.m_id)) {
      ShowPrompt(kDuplicateUserText, "Qel", kPromptOk | kPromptIconStop);
      return false;
    }
    if (!SaveWorkstationUser(user, IsUserLoggedIn() ? g_LoggedUser.m_id : user.m_id, true)) return false;
  }
  g_LoggedUser = user;
  m_loggedUser = GetCurrentUserId();
  RefreshAll();
  return true;
}

bool CQelViewTab::AddLoggedUserToProject(IDocProject* project) {
  if (!project || !IsUserLoggedIn()) return false;
  if (project->IsProjectUser(g_LoggedUser.m_id)) {
    ShowPrompt(kDuplicateUserText, "Qel", kPromptOk | kPromptIconStop);
    return false;
  }
  if (!RunProjectDialog(project, kProjectOpenPath)) return false;
  if (!project->AddProjectUser(g_LoggedUser, g_LoggedUser.m_id)) return false;
  if (m_pTree) SendNotify(m_pTree, kTreeRefreshUsers);
  return true;
}

namespace {

// The users of the document's project as its cache holds them; null without a project.
const std::vector<CUserRecord>* ProjectUsers(IDocProject* project) {
  IAdminProject* admin = project && project->IsOpen() ? project->GetAdminProject() : nullptr;
  return admin ? &admin->GetData().GetUsers() : nullptr;
}

}  // namespace

void CQelViewTab::ShowLoggedUser() {
  IUserDialogs* dialogs = GetAppServices().userDialogs;
  if (dialogs && IsUserLoggedIn()) dialogs->ShowUser(g_LoggedUser);
}

void CQelViewTab::ShowProjectUsers() {
  IDocProject* project = m_pDoc ? m_pDoc->GetProject() : nullptr;
  IUserDialogs* dialogs = GetAppServices().userDialogs;
  const std::vector<CUserRecord>* users = ProjectUsers(project);
  if (dialogs && users) dialogs->ShowProjectUsers(*users, project->GetName(), std::string());
}

void CQelViewTab::CompareUsers() {
  IDocProject* project = m_pDoc ? m_pDoc->GetProject() : nullptr;
  IUserDialogs* dialogs = GetAppServices().userDialogs;
  const std::vector<CUserRecord>* users = ProjectUsers(project);
  if (!dialogs || !users || !kCfrMode || !project->IsOpenCfr()) return;
  dialogs->CompareProjectUsers(*users, project->GetName(), project->GetPath());
}

void CQelViewTab::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdBrowseProject:
      if (OpenWorkingProject(true)) {
        RefreshAll();
        ShowProjectPathInCombo();
      }
      break;
    case kIdRefreshTree:
      if (m_pTree) PostNotify(m_pTree, kNotifyRebuildTree);
      RefreshAll();
      break;
    case kIdLogin:
      ChangeLogin();
      break;
    case kIdUserView:
      ShowLoggedUser();
      break;
    case kIdViewUsers:
      ShowProjectUsers();
      break;
    case kIdHelp:
      ShowHelp();
      break;
    default:
      break;
  }
}

void CQelViewTab::OnPathChosen(wxCommandEvent& event) { SendNotify(this, kNotifyPathChosen, event.GetSelection()); }

void CQelViewTab::OnUpdateCommand(wxUpdateUIEvent& event) {
  event.Enable(IsMainViewCommandEnabled(State(), event.GetId() + kMenuIdOffset));
}

void CQelViewTab::OnCommand(wxCommandEvent& event) {
  IDocProject* project = m_pDoc ? m_pDoc->GetProject() : nullptr;
  switch (event.GetId() + kMenuIdOffset) {
    case kCmdProjectNew:
      RunProjectDialog(project, kProjectCreate);
      break;
    case kCmdProjectCompact:
      RunProjectDialog(project, kProjectCompact);
      break;
    case kCmdProjectPassword:
      RunProjectDialog(project, kProjectPassword);
      break;
    case kCmdProjectProperties:
      RunProjectDialog(project, kProjectProperties);
      break;
    case kCmdProjectUsers:
      RunProjectDialog(project, kProjectUsersList);
      break;
    case kCmdProjectConvert:
      if (!m_cfrProject) RunProjectDialog(project, kProjectConvert);
      break;
    case kCmdLoginProjectUser:
      if (m_cfrProject) LoginProjectUser(project);
      break;
    case kCmdAddLoggedUser:
      if (m_cfrProject) AddLoggedUserToProject(project);
      break;
    case kCmdSystemUsers:
      if (m_pDoc) m_pDoc->ShowUserDialog();
      break;
    case kCmdCompareUsers:
      CompareUsers();
      break;
    case kCmdSystemConfig:
      if (m_pDoc) m_pDoc->OnSystemConfig();
      break;
    default:
      event.Skip();
      break;
  }
}

void CQelViewTab::OnNotify(CQelNotifyEvent& event) {
  intptr_t result = 0;
  switch (event.GetCode()) {
    case kNotifyViewRefresh:
      RefreshAll();
      break;
    case kNotifyLoginChanged:
      result = ChangeLogin() ? 1 : 0;
      break;
    case kNotifyPrint:
    case kNotifyPrintDirect:
    case kNotifyPrintPreview: {
      wxCommandEvent command(wxEVT_MENU, event.GetCode() == kNotifyPrintPreview ? wxID_PREVIEW : wxID_PRINT);
      if (wxDocManager* manager = m_pDoc ? m_pDoc->GetDocumentManager() : nullptr) manager->ProcessEvent(command);
      break;
    }
    case kNotifyShowModelsPage:
      if (CDlgTab* models = m_pages[kPageModels]) PostNotify(models, kNotifyShowModelsPage, event.GetPayload());
      HidePage(m_currentPage);
      ShowPage(kPageModels);
      break;
    // A stored run: the tree shows its user, reads its score sets anew and
    // selects the assessment (the notice lives for this call only).
    case kNotifyUserAdded:
      if (m_pTree) SendNotify(m_pTree, kTreeRefreshUsers);
      break;
    case kNotifyNewAssessment:
    case kNotifyAssessmentChanged:
      if (m_pTree) SendNotify(m_pTree, kTreeRefreshScores);
      break;
    case kNotifySelectAssessment:
      if (m_pTree && event.GetPayload()) SendNotify(m_pTree, kTreeSelectScore, event.GetPayload());
      break;
    case kNotifyRefreshViews:
      for (CDlgTab* page : m_pages) {
        if (page) SendNotify(page, kNotifyRefreshViews, event.GetPayload());
      }
      break;
    case kNotifyPathChosen: {
      IDocProject* project = m_pDoc ? m_pDoc->GetProject() : nullptr;
      const int item = static_cast<int>(event.GetPayload());
      if (!project || item < 0 || item >= static_cast<int>(m_pPathCombo->GetCount())) break;
      const std::string path = m_pPathCombo->GetString(static_cast<unsigned>(item)).utf8_string();
      if (path.empty() || path == project->GetPath()) break;
      project->SetPath(path);
      project->SetPassword("");
      if (!OpenWorkingProject(false) && project->GetLastOpenResult() == kProjectOpenNotFound) {
        m_pPathCombo->Delete(static_cast<unsigned>(item));
      }
      break;
    }
    default:
      break;
  }
  event.SetResult(result);
}

// ---- the document's view ----

wxIMPLEMENT_DYNAMIC_CLASS(CQelView, wxView);

bool CQelView::OnCreate(wxDocument* doc, long flags) {
  if (!wxView::OnCreate(doc, flags)) return false;
  auto* qelDoc = wxDynamicCast(doc, CQelDoc);
  if (auto* window = dynamic_cast<CQelViewTab*>(GetMainViewWindow())) {
    window->OnInitialUpdate(qelDoc);
    SetFrame(wxGetTopLevelParent(window));
  } else if (wxWindow* frame = GetMainFrameWindow()) {
    SetFrame(frame);
  }
  Activate(true);
  return true;
}

bool CQelView::OnClose(bool deleteWindow) {
  if (!wxView::OnClose(deleteWindow)) return false;
  // The main view and its pages outlive the document.
  if (auto* window = dynamic_cast<CQelViewTab*>(GetMainViewWindow())) {
    window->DetachDocument(wxDynamicCast(GetDocument(), CQelDoc));
  }
  Activate(false);
  return true;
}

void CQelView::OnChangeFilename() {
  wxWindow* frame = GetFrame();
  auto* doc = wxDynamicCast(GetDocument(), CQelDoc);
  if (!frame || !doc) return;
  const std::string name = doc->GetTitleFromPath();
  frame->SetLabel(name.empty() ? wxString(kFrameTitle) : wxString::FromUTF8(name) + " - " + kFrameTitle);
}

wxPrintout* CQelView::OnCreatePrintout() {
  auto* doc = wxDynamicCast(GetDocument(), CQelDoc);
  if (!doc) return nullptr;
  const QelPageMargins& margins = doc->PrintSettings().Margins();
  if (const wxBitmap* picture = doc->GetPrintSource()) {
    return new CPicturePrintout(*picture, doc->GetPrintArea(), margins.left, margins.top, margins.right,
                                margins.bottom);
  }
  doc->ResetPrintState();
  doc->m_title = doc->GetModel().m_name.empty() ? std::string("Qel Model") : doc->GetModel().m_name;
  doc->m_subtitle = "Experiment model";
  doc->m_totalLabel = "Tasks total";
  return new CReportPrintout(*doc, doc->ModelReportLines());
}

}  // namespace qel
