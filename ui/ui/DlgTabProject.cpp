#include "ui/ui/DlgTabProject.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibrary.h"
#include "ui/NotifyCodes.h"
#include "ui/ProjectFileRows.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/DlgTabModel.h"
#include "ui/ui/FileLists.h"
#include "ui/ui/PageControls.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/ProjectsPageServices.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {

namespace {

constexpr int kBorder = 5;
constexpr int kProjectListHeight = 150;
constexpr int kPluginListHeight = 170;
constexpr const char* kBrowseTitle = "Select working folder";

// The lists' notify codes: double click 300, selection 320, unchecked 330
// and checked 340, plus the list's kind.
constexpr int kNotifyDblClkProject = 300 + kListKindProjects;
constexpr int kNotifyDblClkPlugin = 300 + kListKindPlugIns;
constexpr int kNotifySelectedProject = 320 + kListKindProjects;
constexpr int kNotifyUncheckedPlugin = 330 + kListKindPlugIns;
constexpr int kNotifyCheckedPlugin = 340 + kListKindPlugIns;

const PageButtonDef kProjectButtons[] = {
    {CDlgTabProject::kIdRefresh, "Refresh", ""},
    {CDlgTabProject::kIdSelect, "Select", "Make selected project as working project"},
    {CDlgTabProject::kIdNew, "New", ""},
    {CDlgTabProject::kIdCompact, "Compact", "Compact selected project - make a copy of possible smaller size"},
    {CDlgTabProject::kIdPassword, "Password", "Set/change password of selected project"},
    {CDlgTabProject::kIdProperties, "Properties", "View some properties of selected project"},
    {CDlgTabProject::kIdUsers, "Users", "View list of users of selected project"},
    {CDlgTabProject::kIdConvert, "Convert to CFR",
     "Convert selected Qel project into CFR compliant version (21CFR part11)"},
    {CDlgTabProject::kIdProjectsHelp, "Help", ""},
};

const PageButtonDef kPluginButtons[] = {
    {CDlgTabProject::kIdMakeModel, "Make model", "Create new Qel model using marked tasks from the list"},
    {CDlgTabProject::kIdPluginsHelp, "Help", ""},
};

IProjectsPageServices* Services() { return GetProjectsPageServices(); }

}  // namespace

CDlgTabProject::CDlgTabProject() : CDlgTab(kTemplateId) {
  IProjectsPageServices* services = Services();
  if (services) m_folder = StartWorkingFolder(services->ReadWorkingFolder(), services->SharedDocumentsFolder());
}

CDlgTabProject::~CDlgTabProject() {
  if (IProjectsPageServices* services = Services()) services->WriteWorkingFolder(m_folder);
}

bool CDlgTabProject::CreatePage(wxWindow* parent) {
  if (!CDlgTab::CreatePage(parent)) return false;
  auto* page = new wxBoxSizer(wxVERTICAL);

  auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
  m_pFolder =
      new wxTextCtrl(this, kIdFolder, wxString::FromUTF8(m_folder), wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
  m_pFolder->SetToolTip("Working folder of Qel projects");
  folderRow->Add(m_pFolder, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  auto* browse = new wxButton(this, kIdBrowse, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  browse->SetBitmap(wxArtProvider::GetBitmap(wxART_FOLDER_OPEN, wxART_BUTTON));
  browse->SetToolTip("Select working folder of Qel projects");
  folderRow->Add(browse, 0, wxALIGN_CENTER_VERTICAL);
  page->Add(folderRow, 0, wxEXPAND | wxALL, kBorder);

  m_pProjectsGroup = new wxStaticBox(this, kIdProjectsGroup, "Projects in working folder");
  auto* projects = new wxStaticBoxSizer(m_pProjectsGroup, wxHORIZONTAL);
  auto* listColumn = new wxBoxSizer(wxVERTICAL);
  IProjectsPageServices* services = Services();
  m_pProjects = new CListCtrlProjects(services ? services->GetProjectProbe() : nullptr);
  m_pProjects->Create(m_pProjectsGroup, kIdProjects, wxDefaultPosition, wxSize(-1, kProjectListHeight));
  m_pProjects->SetToolTip("Full list of projects available in working folder");
  m_pProjects->m_keyList.m_pOwner = this;
  m_pProjects->SetColumns(false);
  listColumn->Add(m_pProjects, 1, wxEXPAND);
  m_pLongList = new wxCheckBox(m_pProjectsGroup, kIdLongList, "Long list");
  listColumn->Add(m_pLongList, 0, wxTOP, kBorder);
  projects->Add(listColumn, 1, wxEXPAND | wxALL, kBorder);
  projects->Add(MakeButtonColumn(m_pProjectsGroup, kProjectButtons, std::size(kProjectButtons)), 0, wxALL, kBorder);
  page->Add(projects, 1, wxEXPAND | wxALL, kBorder);

  m_pPluginsGroup = new wxStaticBox(this, kIdPluginsGroup, "Tasks available");
  auto* plugins = new wxStaticBoxSizer(m_pPluginsGroup, wxHORIZONTAL);
  m_pPlugins = new CListCtrlDlls;
  m_pPlugins->Create(m_pPluginsGroup, kIdPlugins, wxDefaultPosition, wxSize(-1, kPluginListHeight));
  m_pPlugins->SetToolTip("Full list of tasks available in your Qel installation");
  m_pPlugins->m_keyList.m_pOwner = this;
  m_pPlugins->SetColumns(true);
  plugins->Add(m_pPlugins, 1, wxEXPAND | wxALL, kBorder);
  plugins->Add(MakeButtonColumn(m_pPluginsGroup, kPluginButtons, std::size(kPluginButtons)), 0, wxALL, kBorder);
  page->Add(plugins, 1, wxEXPAND | wxALL, kBorder);

  if (wxWindow* create = FindWindow(kIdNew)) create->SetToolTip(NewProjectTooltip(kCfrMode));
  SetSizer(page);
  Bind(wxEVT_BUTTON, &CDlgTabProject::OnButton, this);
  m_pLongList->Bind(wxEVT_CHECKBOX, &CDlgTabProject::OnLongList, this);
  RefillProjects();
  RefillPlugins();
  return true;
}

void CDlgTabProject::TakeRow(int row) {
  m_selectedRow = row >= 0 && row < m_projectCount ? row : -1;
  m_selectedPath = m_selectedRow >= 0 ? m_pProjects->GetPath(row) : std::string();
  m_selectedKey = m_selectedRow >= 0 ? m_pProjects->GetKey(row) : std::string();
  TakeCfrMark();
}

void CDlgTabProject::TakeCfrMark() {
  m_selectedCfr = false;
  IProjectsPageServices* services = Services();
  IProjectFileProbe* probe = services ? services->GetProjectProbe() : nullptr;
  if (m_selectedPath.empty() || !probe) return;
  CProjectFileFacts facts;
  probe->Check(m_selectedPath, &facts);
  m_selectedCfr = facts.cfr;
}

void CDlgTabProject::RefillProjects() {
  m_projectCount = 0;
  m_selectedRow = -1;
  m_selectedPath.clear();
  m_selectedKey.clear();
  m_selectedCfr = false;
  if (m_pProjects) {
    m_pProjects->DeleteAllRows();
    if (!m_folder.empty()) m_projectCount = std::max(0, m_pProjects->Fill(m_folder, -1));
    m_selectedPath = m_pProjects->GetSelectedPath();
    m_selectedKey = m_pProjects->m_keyList.m_strCurrentKey;
  }
  TakeCfrMark();
  UpdateControls();
}

void CDlgTabProject::RefillPlugins() {
  m_pluginCount = 0;
  if (m_pPlugins) {
    IProjectsPageServices* services = Services();
    m_pluginCount = services ? std::max(0, m_pPlugins->Fill(services->GetTaskLibraries(), -1)) : 0;
  }
  UpdateControls();
}

void CDlgTabProject::Refresh() {
  // The folder may hold new projects; the selected one stays selected.
  const std::string selected = m_selectedPath;
  RefillProjects();
  for (int row = 0; !selected.empty() && row < m_projectCount; ++row) {
    if (m_pProjects->GetPath(row) != selected) continue;
    m_pProjects->SelectRow(row);
    TakeRow(row);
    break;
  }
  UpdateControls();
}

ProjectsPageState CDlgTabProject::GetState() const {
  ProjectsPageState s;
  s.running = IsAnyRunInProgress();
  s.loggedIn = IsUserLoggedIn();
  s.cfrMode = kCfrMode;
  s.hasFolder = !m_folder.empty();
  s.hasSelection = m_selectedRow >= 0;
  s.hasSelectedPath = !m_selectedPath.empty();
  s.selectedCfr = m_selectedCfr;
  s.projectCount = m_projectCount;
  s.pluginCount = m_pluginCount;
  s.checkedPlugins = m_pPlugins ? m_pPlugins->CountCheckedRows() : 0;
  return s;
}

void CDlgTabProject::UpdateControls() {
  if (!m_pProjects || !m_pPlugins) return;
  const ProjectsPageControls c = ProjectsPageRules(GetState());
  for (int id : {kIdLongList, kIdCompact, kIdUsers}) {
    if (wxWindow* hidden = FindWindow(id)) hidden->Hide();
  }
  ApplyPageButton(FindWindow(kIdConvert), c.convert);
  ApplyPageButton(FindWindow(kIdNew), c.newProject);
  ApplyPageButton(FindWindow(kIdPassword), c.password);
  ApplyPageButton(FindWindow(kIdProperties), c.properties);
  ApplyPageButton(FindWindow(kIdSelect), c.select);
  ApplyPageButton(FindWindow(kIdMakeModel), c.makeModel);
  m_pProjects->Enable(c.projectList);
  m_pPlugins->Enable(c.pluginList);
  m_pProjectsGroup->SetLabel(wxString::FromUTF8(c.projectsCaption));
  m_pPluginsGroup->SetLabel(wxString::FromUTF8(c.pluginsCaption));
  m_pFolder->ChangeValue(wxString::FromUTF8(m_folder));
  Layout();
}

void CDlgTabProject::SetWorkingFolder(const std::string& folder) {
  m_folder = StartWorkingFolder(folder, std::string());
  RefillProjects();
}

void CDlgTabProject::Browse() {
  IProjectsPageServices* services = Services();
  std::string folder = m_folder;
  if (!services || !services->BrowseFolder(this, kBrowseTitle, &folder)) return;
  SetWorkingFolder(folder);
}

void CDlgTabProject::SelectProject() {
  if (!m_pProject || !m_pView || m_selectedPath.empty()) return;
  m_pProject->SetPath(m_selectedPath);
  m_pProject->SetPassword("");
  if (m_pView->OpenWorkingProject(false)) {
    m_pView->ShowProjectPathInCombo();
    m_pView->RefreshAll();
  }
}

void CDlgTabProject::ProjectDialog(int mode) {
  IProjectsPageServices* services = Services();
  if (!services) return;
  const bool forFile = mode != kProjectCreate;
  if (forFile && m_selectedPath.empty()) return;
  const bool ok = services->RunProjectDialog(forFile ? m_selectedPath : std::string(), mode);
  if (ok && (mode == kProjectCreate || mode == kProjectCompact || mode == kProjectConvert)) RefillProjects();
  UpdateControls();
}

void CDlgTabProject::MakeModel() {
  IProjectsPageServices* services = Services();
  if (m_pDoc && services) {
    CExpModel model;
    model.Reset();
    model.SetLoaded(true, true);
    model.SetModified(false, true);
    for (int row = 0; row < m_pPlugins->GetItemCount(); ++row) {
      const CTaskLibrary* library = m_pPlugins->GetLibrary(row);
      if (!m_pPlugins->IsRowChecked(row) || !library || !library->modelDefault) continue;
      CExpModelTask task;
      task.SetFromModelTask(library->modelDefault);
      const int at = model.AddTask(task);
      if (at >= 0) BindModelTaskAt(&model, at);
    }
    model.SetModified(false, true);
    if (services->EditModel(this, &model) && m_pDoc) {
      if (SaveModifiedModel(m_pDoc)) {
        m_pDoc->Modify(false);
        if (services->NewModelFile() && m_pDoc) {
          m_pDoc->GetModel() = model;
          m_pDoc->Modify(true);
          if (m_pView) PostNotify(m_pView, kNotifyShowModelsPage);
        }
      }
    }
  }
  for (int row = 0; row < m_pPlugins->GetItemCount(); ++row) m_pPlugins->SetRowCheck(row, false, false);
  UpdateControls();
}

void CDlgTabProject::OnLongList(wxCommandEvent&) {
  m_pProjects->SetProjectMode(m_pLongList->IsChecked());
  m_pProjects->SetColumns(false);
  RefillProjects();
}

void CDlgTabProject::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdBrowse:
      Browse();
      break;
    case kIdRefresh:
      RefillProjects();
      break;
    case kIdSelect:
      SelectProject();
      break;
    case kIdNew:
      ProjectDialog(kProjectCreate);
      break;
    case kIdCompact:
      ProjectDialog(kProjectCompact);
      break;
    case kIdPassword:
      ProjectDialog(kProjectPassword);
      break;
    case kIdConvert:
      ProjectDialog(kProjectConvert);
      break;
    case kIdProperties:
      ProjectDialog(kProjectProperties);
      break;
    case kIdUsers:
      ProjectDialog(kProjectUsersList);
      break;
    case kIdMakeModel:
      MakeModel();
      break;
    case kIdProjectsHelp:
      ShowPageHelp(this, kHelpText, "Projects help");
      break;
    case kIdPluginsHelp: {
      CDlgHelp help(this);
      help.ShowModal();
      break;
    }
    default:
      event.Skip();
      break;
  }
}

void CDlgTabProject::OnNotify(CQelNotifyEvent& event) {
  const int row = static_cast<int>(event.GetPayload());
  switch (event.GetCode()) {
    case kNotifyDblClkProject:
      if (MayOpenProjectOnDoubleClick(IsUserLoggedIn(), kCfrMode, IsAnyRunInProgress()) && row >= 0 &&
          row < m_projectCount) {
        TakeRow(row);
        SelectProject();
      }
      break;
    case kNotifyDblClkPlugin:
      if (row >= 0 && row < m_pluginCount) m_pPlugins->SetRowCheck(row, !m_pPlugins->IsRowChecked(row), false);
      UpdateControls();
      break;
    case kNotifySelectedProject:
      TakeRow(row);
      UpdateControls();
      break;
    case kNotifyUncheckedPlugin:
    case kNotifyCheckedPlugin:
      UpdateControls();
      break;
    default:
      CDlgTab::OnNotify(event);
      return;
  }
  event.SetResult(0);
}

}  // namespace qel
