#include "ui/ui/DlgTabModel.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include "app/DocProject.h"
#include "app/model/ExpModel.h"
#include "app/startup/AppStartup.h"
#include "app/ui/QelDoc.h"
#include "common/Prompt.h"
#include "project/ProjectData.h"
#include "ui/MainWindowRules.h"
#include "ui/NotifyCodes.h"
#include "ui/ui/ComboBoxQel.h"
#include "ui/ui/DlgHelp.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/ModelsPageServices.h"
#include "ui/ui/PageControls.h"
#include "ui/ui/ProjectLists.h"
#include "ui/ui/QelNotify.h"
#include "ui/ui/QelViewTab.h"

namespace qel {

namespace {

constexpr int kBorder = 5;
constexpr int kModelListHeight = 120;
constexpr int kTaskListHeight = 200;
// The model file's seven buttons in two columns: the page fits a small screen.
constexpr int kFileButtonColumns = 2;

// The lists' notify codes: double click 300 and selection 320, plus the list's kind.
constexpr int kListDblClk = 300;
constexpr int kListSelected = 320;
constexpr int kNotifyDblClkModel = kListDblClk + kListKindModels;
constexpr int kNotifyDblClkTask = kListDblClk + kListKindTasks;
constexpr int kNotifySelectedModel = kListSelected + kListKindModels;
// The Models page's own codes: edit a model (row, or -1 for the model file),
// the model file (re)loaded (nonzero: then edit it), the model file cleared.
constexpr int kNotifyEditModel = 101;
constexpr int kEditModelFile = -1;

constexpr const char* kSaveCaption = "Save";

const PageButtonDef kModelButtons[] = {
    {CDlgTabModel::kIdExtract, "Extract to file", "Extract model from working project and save it in the modeel file"},
    {CDlgTabModel::kIdDelete, "Delete", "Remove model from working project"},
    {CDlgTabModel::kIdModelsHelp, "Help", ""},
};

const PageButtonDef kFileButtons[] = {
    {CDlgTabModel::kIdNew, "New", "Create new model file"},
    {CDlgTabModel::kIdEdit, "Edit", "Edit currently selected model file"},
    {CDlgTabModel::kIdSave, kSaveCaption, "Save changes in the current model file"},
    {CDlgTabModel::kIdSaveAs, "Save As...", "Save changes in another model file"},
    {CDlgTabModel::kIdClear, "Clear", "Clear fields"},
    {CDlgTabModel::kIdAddToProject, "Add to project", "Add model from current model file to working project"},
    {CDlgTabModel::kIdFileHelp, "Help", ""},
};

void EnableControl(wxWindow* window, bool enabled) {
  if (window) window->Enable(enabled);
}

IModelsPageServices* Services() { return GetModelsPageServices(); }

const CProjectData* ProjectData() {
  IModelsPageServices* services = Services();
  return services ? services->GetProjectData() : nullptr;
}

}  // namespace

bool SaveModifiedModel(CQelDoc* doc) {
  if (!doc || !doc->IsModified()) return true;
  const std::string name = doc->GetModel().m_name.empty() ? std::string("Qel Model") : doc->GetModel().m_name;
  switch (ShowPrompt("Save changes to the model \"" + name + "\"?", "Qel",
                     kPromptYesNoCancel | kPromptIconQuestion | kPromptDefault3)) {
    case kAnswerYes:
      return doc->SaveModelFile();
    case kAnswerNo:
      return true;
    default:
      return false;
  }
}

CDlgTabModel::CDlgTabModel() : CDlgTab(kTemplateId), m_blinkTimer(this, kBlinkTimerId) {}

CDlgTabModel::~CDlgTabModel() { m_blinkTimer.Stop(); }

bool CDlgTabModel::CreatePage(wxWindow* parent) {
  if (!CDlgTab::CreatePage(parent)) return false;
  auto* page = new wxBoxSizer(wxVERTICAL);

  m_pModelsGroup = new wxStaticBox(this, kIdModelsGroup, "Models in project");
  auto* models = new wxStaticBoxSizer(m_pModelsGroup, wxHORIZONTAL);
  m_pModels = new CListCtrlModels;
  m_pModels->Create(m_pModelsGroup, kIdModels, wxDefaultPosition, wxSize(-1, kModelListHeight));
  m_pModels->SetToolTip("Full list of models available in working project");
  m_pModels->m_keyList.m_pOwner = this;
  m_pModels->SetColumns(false);
  models->Add(m_pModels, 1, wxEXPAND | wxALL, kBorder);
  models->Add(MakeButtonColumn(m_pModelsGroup, kModelButtons, std::size(kModelButtons)), 0, wxALL, kBorder);
  page->Add(models, 0, wxEXPAND | wxALL, kBorder);

  m_pFileGroup = new wxStaticBox(this, kIdFileGroup, "Current model file");
  auto* file = new wxStaticBoxSizer(m_pFileGroup, wxVERTICAL);
  auto* pathRow = new wxBoxSizer(wxHORIZONTAL);
  m_pFiles = new CComboBoxFilePath;
  m_pFiles->Create(m_pFileGroup, kIdFilePath);
  m_pFiles->SetToolTip("Currently selected model file (list of most recently used model files)");
  m_pFiles->m_keyList.m_pOwner = this;
  pathRow->Add(m_pFiles, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, kBorder);
  auto* browse = new wxButton(m_pFileGroup, kIdBrowse, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  browse->SetBitmap(wxArtProvider::GetBitmap(wxART_FILE_OPEN, wxART_BUTTON));
  browse->SetToolTip("Open existing model file");
  pathRow->Add(browse, 0, wxALIGN_CENTER_VERTICAL);
  file->Add(pathRow, 0, wxEXPAND | wxALL, kBorder);
  auto* taskRow = new wxBoxSizer(wxHORIZONTAL);
  m_pTasks = new CListCtrlTasks;
  m_pTasks->Create(m_pFileGroup, kIdTasks, wxDefaultPosition, wxSize(-1, kTaskListHeight));
  m_pTasks->SetToolTip("List of tasks available in model file");
  m_pTasks->m_keyList.m_pOwner = this;
  m_pTasks->SetColumns(false);
  taskRow->Add(m_pTasks, 1, wxEXPAND | wxALL, kBorder);
  taskRow->Add(MakeButtonGrid(m_pFileGroup, kFileButtons, std::size(kFileButtons), kFileButtonColumns), 0, wxALL,
               kBorder);
  file->Add(taskRow, 1, wxEXPAND);
  page->Add(file, 1, wxEXPAND | wxALL, kBorder);
  m_pSave = wxDynamicCast(FindWindow(kIdSave), wxButton);

  SetSizer(page);
  Bind(wxEVT_BUTTON, &CDlgTabModel::OnButton, this);
  Bind(wxEVT_TIMER, &CDlgTabModel::OnTimer, this, kBlinkTimerId);
  RefillModels();
  RefillTasks();
  if (m_pSave) m_pSave->SetLabel(kSaveCaption);
  UpdateControls();
  return true;
}

void CDlgTabModel::RefillModels() {
  m_modelCount = 0;
  m_modelId.clear();
  if (!m_pModels) return;
  const CProjectData* data = m_pProject && m_pProject->IsOpen() ? ProjectData() : nullptr;
  if (!data) {
    m_pModels->DeleteAllRows();
    return;
  }
  const int rows = m_pModels->Fill(data, -1);
  if (rows > 0) {
    m_modelCount = rows;
    m_modelId = m_pModels->m_keyList.m_strCurrentKey;
  }
}

void CDlgTabModel::RefillTasks() {
  if (!m_pTasks) return;
  m_pTasks->Fill(m_pDoc ? &m_pDoc->GetModel() : nullptr, -1);
}

void CDlgTabModel::Refresh() {
  RefillModels();
  RefillTasks();
  UpdateControls();
}

ModelsPageState CDlgTabModel::GetState() const {
  ModelsPageState s;
  s.running = IsAnyRunInProgress();
  s.loggedIn = IsUserLoggedIn();
  s.cfrMode = kCfrMode;
  s.ready = IsProjectReady();
  s.mayDelete = IsCurrentUserType1();
  s.modified = m_pDoc && m_pDoc->IsModified();
  s.hasProject = m_pProject && !m_pProject->GetPath().empty();
  s.hasFile = !m_modelFilePath.empty();
  s.hasSelection = !m_modelId.empty() && m_pModels && m_pModels->m_keyList.m_keys.Find(m_modelId.c_str()) >= 0 &&
                   m_pModels->m_keyList.m_keys.Find(m_modelId.c_str()) < m_modelCount;
  s.taskCount = m_pDoc ? m_pDoc->GetModel().GetTaskCount() : 0;
  s.modelCount = m_modelCount;
  s.comboCount = m_pFiles ? static_cast<int>(m_pFiles->GetCount()) : 0;
  return s;
}

void CDlgTabModel::UpdateControls() {
  if (!m_pModels) return;
  const ModelsPageControls c = ModelsPageRules(GetState());
  m_pFiles->Enable(c.combo);
  m_pModels->Enable(c.projectList);
  EnableControl(FindWindow(kIdNew), c.newFile);
  EnableControl(FindWindow(kIdExtract), c.extract);
  if (wxWindow* remove = FindWindow(kIdDelete)) {
    remove->Show(c.remove.shown);
    remove->Enable(c.remove.enabled);
  }
  m_pTasks->Enable(c.taskList);
  EnableControl(FindWindow(kIdEdit), c.edit);
  EnableControl(FindWindow(kIdSaveAs), c.saveAs);
  EnableControl(m_pSave, c.save);
  EnableControl(FindWindow(kIdClear), c.clear);
  EnableControl(FindWindow(kIdAddToProject), c.addToProject);
  m_pModelsGroup->SetLabel(wxString::FromUTF8(c.projectCaption));
  m_pFileGroup->SetLabel(wxString::FromUTF8(c.fileCaption));
  Layout();
}

intptr_t CDlgTabModel::SendToTree(int code, intptr_t payload) {
  wxWindow* tree = m_pView ? m_pView->GetTreeWindow() : nullptr;
  return tree ? SendNotify(tree, code, payload) : 0;
}

void CDlgTabModel::StartBlinking() {
  m_blinkCounter = 0;
  if (!m_blinkTimer.IsRunning()) m_blinkTimer.Start(kBlinkMilliseconds);
}

void CDlgTabModel::Blink() {
  if (m_pDoc && m_pDoc->IsModified()) {
    if (m_pSave) m_pSave->SetLabel(wxString::FromUTF8(BlinkSaveCaption(m_blinkCounter)));
    ++m_blinkCounter;
    return;
  }
  if (m_pSave) m_pSave->SetLabel(kSaveCaption);
  m_blinkTimer.Stop();
  m_blinkCounter = 0;
}

void CDlgTabModel::OnTimer(wxTimerEvent&) { Blink(); }

bool CDlgTabModel::RenewDocument() {
  IModelsPageServices* services = Services();
  if (!m_pDoc || !services) return false;
  m_pDoc->Modify(false);
  // The document may be made anew: the view hands the page the new one.
  return services->NewModelFile();
}

void CDlgTabModel::NewModelFile() {
  if (!SaveModifiedModel(m_pDoc) || !RenewDocument()) return;
  PostNotify(this, kNotifyLoadModel, 1);
}

void CDlgTabModel::SaveModelFile() {
  if (!m_pDoc || !m_pDoc->SaveModelFile()) return;
  PostNotify(this, kNotifyLoadModel, 0);
}

void CDlgTabModel::SaveModelFileAs() {
  if (!m_pDoc || !m_pDoc->SaveModelFileAs()) return;
  PostNotify(this, kNotifyLoadModel, 0);
}

void CDlgTabModel::ClearModelFile() {
  // File New asks about unsaved changes before it drops them.
  if (!SaveModifiedModel(m_pDoc) || !RenewDocument() || !m_pDoc) return;
  m_pDoc->GetModel().SetModified(false, true);
  RefillTasks();
  UpdateControls();
}

void CDlgTabModel::ModelFileLoaded(bool thenEdit) {
  if (!m_pDoc) return;
  CExpModel& model = m_pDoc->GetModel();
  model.SetModified(false, true);
  // A model without a file keeps its name (an extracted model is named after its project model).
  const std::string title = m_pDoc->GetTitleFromPath();
  if (!title.empty()) model.m_name = title;
  RefillTasks();
  m_modelFilePath = m_pDoc->GetDocumentSaved() ? m_pDoc->GetFilename().utf8_string() : std::string();
  m_bSelectingPath = true;
  if (m_modelFilePath.empty()) {
    m_pFiles->SelectKey(nullptr);
  } else if (!m_pFiles->SelectKey(m_modelFilePath.c_str())) {
    m_pFiles->AddToTop(m_modelFilePath.c_str(), false);
  }
  m_bSelectingPath = false;
  UpdateControls();
  if (thenEdit) EditModel(kEditModelFile);
}

void CDlgTabModel::ModelFileCleared() {
  m_modelFilePath.clear();
  m_pFiles->SelectKey(nullptr);
  RefillTasks();
  StartBlinking();
  UpdateControls();
}

void CDlgTabModel::EditModel(int row) {
  IModelsPageServices* services = Services();
  if (!m_pDoc || !m_pProject || !services) return;
  CExpModel model;
  const bool projectModel = row >= 0 && row < m_modelCount;
  if (projectModel) {
    if (!services->ReadModel(m_pModels->GetKey(row), &model)) return;
    // A project model is shown, never changed.
    model.SetLoaded(false, true);
  } else {
    model = m_pDoc->GetModel();
    model.SetLoaded(true, true);
  }
  model.SetModified(false, true);
  const bool ok = services->EditModel(this, &model);
  if (projectModel || !ok || !m_pDoc) return;
  m_pDoc->GetModel() = model;
  m_pDoc->Modify(true);
  RefillTasks();
  StartBlinking();
  UpdateControls();
}

void CDlgTabModel::EditTask(int row) {
  IModelsPageServices* services = Services();
  if (!m_pDoc || !services) return;
  CExpModel& model = m_pDoc->GetModel();
  CExpModelTask* slot = row >= 0 && row < model.GetTaskCount() ? model.GetTask(row) : nullptr;
  if (!slot) return;
  CExpModelTask task(*slot);
  if (!services->EditTask(this, &task, model.m_name)) return;
  *slot = task;
  model.SetModified(false, true);
  m_pDoc->Modify(true);
  StartBlinking();
  UpdateControls();
}

void CDlgTabModel::AddModelToProject() {
  IModelsPageServices* services = Services();
  if (!m_pDoc || !m_pProject || !services) return;
  const std::string model = m_pDoc->GetTitleFromPath();
  const std::string project = m_pProject->GetPath();
  if (model.empty() || project.empty()) return;
  const CProjectData* data = services->GetProjectData();
  if (data && data->FindModel(model.c_str())) {
    ShowPrompt(ModelAlreadyInProjectText(project, model), "Qel", kPromptOk | kPromptIconStop);
    return;
  }
  if (ShowPrompt(AddModelQuestion(model, project), "Qel", kPromptYesNo | kPromptIconWarning) != kAnswerYes) return;
  // The project stores the model under the model file's name.
  m_pDoc->GetModel().m_name = model;
  bool usersAdded = false;
  if (!services->WriteModel(m_pDoc->GetModel(), &usersAdded)) return;
  const PageWriteNotice notice = ModelWrittenNotice(usersAdded);
  if (notice.treeUsers) SendToTree(kTreeRefreshUsers, 0);
  NotifyView(notice.viewFlags);
  SendToTree(kTreeRefreshModels, 0);
}

void CDlgTabModel::ExtractToFile() {
  IModelsPageServices* services = Services();
  if (!m_pDoc || !m_pProject || !services || m_modelId.empty()) return;
  const std::string name = m_modelId;
  CExpModel model;
  if (!services->ReadModel(name, &model)) return;
  model.SetLoaded(true, true);
  if (!SaveModifiedModel(m_pDoc) || !RenewDocument() || !m_pDoc) return;
  m_pDoc->GetModel() = model;
  m_pDoc->GetModel().m_name = name;
  m_pDoc->GetModel().SetModified(true, true);
  m_pDoc->Modify(true);
  m_pDoc->SetTitle(wxString::FromUTF8(name));
  m_modelFilePath.clear();
  m_pFiles->SelectKey(nullptr);
  RefillTasks();
  StartBlinking();
  UpdateControls();
}

void CDlgTabModel::OnButton(wxCommandEvent& event) {
  switch (event.GetId()) {
    case kIdBrowse:
      if (m_pDoc && m_pDoc->OpenModelFile()) PostNotify(this, kNotifyLoadModel, 0);
      break;
    case kIdNew:
      NewModelFile();
      break;
    case kIdEdit:
      PostNotify(this, kNotifyEditModel, kEditModelFile);
      break;
    case kIdSave:
      SaveModelFile();
      break;
    case kIdSaveAs:
      SaveModelFileAs();
      break;
    case kIdClear:
      ClearModelFile();
      break;
    case kIdAddToProject:
      AddModelToProject();
      break;
    case kIdExtract:
      ExtractToFile();
      break;
    case kIdModelsHelp:
      ShowPageHelp(this, kHelpText, "Models help");
      break;
    case kIdFileHelp: {
      CDlgHelp help(this);
      help.ShowModal();
      break;
    }
    default:
      // "Delete" has no action.
      event.Skip();
      break;
  }
}

void CDlgTabModel::OnNotify(CQelNotifyEvent& event) {
  const intptr_t payload = event.GetPayload();
  const int row = static_cast<int>(payload);
  switch (event.GetCode()) {
    case kNotifyEditModel:
      EditModel(row);
      break;
    case kNotifyLoadModel:
      ModelFileLoaded(payload != 0);
      break;
    case kNotifyShowModelsPage:
      ModelFileCleared();
      break;
    case kNotifyRefreshViews:
      if (payload & kRefreshModels) {
        RefillModels();
        UpdateControls();
      }
      break;
    case kNotifyDblClkModel:
      if (row >= 0 && row < m_modelCount) {
        m_modelId = m_pModels->GetKey(row);
        EditModel(row);
      }
      break;
    case kNotifyDblClkTask:
      EditTask(row);
      break;
    case kNotifySelectedModel:
      m_modelId = m_pModels->GetKey(row);
      UpdateControls();
      break;
    case CComboBoxQel::kFilePathCode: {
      if (m_bSelectingPath) break;
      IModelsPageServices* services = Services();
      const std::string path = m_pFiles->GetCurrentKey();
      if (path.empty() || !services) break;
      if (!services->OpenModelFile(path)) {
        m_pFiles->SelectKey(nullptr);
      } else {
        PostNotify(this, kNotifyLoadModel, 0);
      }
      break;
    }
    default:
      CDlgTab::OnNotify(event);
      return;
  }
  event.SetResult(0);
}

}  // namespace qel
