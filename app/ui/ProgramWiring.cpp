#include "app/ui/ProgramWiring.h"

#include "admin/ui/DlgProject.h"
#include "admin/ui/DlgUser.h"
#include "admin/ui/MySysCfg.h"
#include "app/rundata/TaskRunData.h"
#include "app/ui/QelProgram.h"
#include "db/norms/NormDatabase.h"
#include "engine/input/InputDevices.h"
#include "engine/sound/SoundDevices.h"
#include "scores/ProjectScoreStore.h"
#include "scores/ui/DlgScore.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/MainFrame.h"
#include "ui/ui/AssessmentsPageServices.h"

#include <wx/app.h>

namespace qel {

namespace {

wxWindow* MakeTreePane(wxWindow* parent) {
  auto* tree = new CLeftView(parent, wxID_ANY);
  auto* project = dynamic_cast<CProgramProject*>(GetProgramProject());
  if (project) tree->SetProject(&project->Project(), project->GetPath());
  return tree;
}

// The view's mode numbers are the dialog's.
static_assert(static_cast<int>(ProjectDlgMode::kProperties) == kProjectProperties &&
              static_cast<int>(ProjectDlgMode::kUsersList) == kProjectUsersList &&
              static_cast<int>(ProjectDlgMode::kOpenBrowse) == kProjectOpenBrowse &&
              static_cast<int>(ProjectDlgMode::kOpenPath) == kProjectOpenPath &&
              static_cast<int>(ProjectDlgMode::kCreate) == kProjectCreate &&
              static_cast<int>(ProjectDlgMode::kCompact) == kProjectCompact &&
              static_cast<int>(ProjectDlgMode::kPassword) == kProjectPassword &&
              static_cast<int>(ProjectDlgMode::kConvert) == kProjectConvert &&
              kProjectDlgModeCount == kProjectConvert + 1);

// The project dialog on the program's project object.
bool RunProgramProjectDialog(IDocProject* project, int mode) {
  auto* program = dynamic_cast<CProgramProject*>(project);
  if (!program || mode < 0 || mode >= kProjectDlgModeCount) return false;
  wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
  return DoProjectDialogEx(&program->Project(), static_cast<ProjectDlgMode>(mode), parent, program->Tasks());
}

// The user dialog's project form logging in a user of the program's project.
bool RunProgramProjectUserLogin(IDocProject* project, CUserRecord* user, bool* addToWorkstation) {
  auto* program = dynamic_cast<CProgramProject*>(project);
  if (!program) return false;
  wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
  CDlgUser dialog(parent, &program->Project(), nullptr, UserDlgMode::kLogin, true, program->Tasks());
  // A project that was not opened (its password not given) has no users to log in.
  if (!dialog.UsersLoaded() || dialog.ShowModal() != wxID_OK) return false;
  *user = dialog.Record();
  if (addToWorkstation) *addToWorkstation = dialog.AddChecked();
  return true;
}

}  // namespace

int CProgramScoreDialogs::RunScoreDialog(const ScoreDialogRequest& request) {
  CScoreDialogFactory dialogs;
  ScoreUser user;
  user.id = GetCurrentUserId();
  user.firstName = GetCurrentUserFirstName();
  user.surname = GetCurrentUserSurname();
  user.cfrMode = kCfrMode;
  dialogs.SetUser(user);
  // The scores of the project the run stores into, in either format: without
  // it the dialog knows no project and offers no saving.
  std::unique_ptr<CProjectScoreStore> store;
  auto* project = dynamic_cast<CProgramProject*>(request.project);
  if (project && project->IsOpen()) {
    store = std::make_unique<CProjectScoreStore>(project->Project());
    dialogs.SetStore(store.get());
  }
  return dialogs.RunScoreDialog(request);
}

bool CProgramSystemConfig::Run(SystemConfigValues* values) {
  wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
  if (!RunSystemConfig(parent)) return false;
  // The sheet has stored its values in the settings: hand them back as they are.
  *values = CurrentSystemConfig();
  if (CQelProgram* program = GetProgram()) program->SetHelpFilePath();
  return true;
}

CProgramWiring::CProgramWiring() : m_norms(GetNormDatabase()) {}

CProgramWiring::~CProgramWiring() { Uninstall(); }

void CProgramWiring::Install() {
  AppServices services = GetAppServices();
  services.norms = &m_norms;
  services.users = &m_users;
  services.systemConfig = &m_systemConfig;
  SetAppServices(services);
  SetDocProjectFactory([]() -> std::unique_ptr<IDocProject> {
    CQelProgram* program = GetProgram();
    return std::make_unique<CProgramProject>(program ? &program->RunData() : nullptr);
  });
  SetScoreDialogFactory(&m_scores);
  SetTreePaneFactory(&MakeTreePane);
  SetDataPageServices(&m_dataPages);
  SetAssessmentsPageServices(&m_assessments);
  SetProjectDialogRunner(&RunProgramProjectDialog);
  SetProjectUserLogin(&RunProgramProjectUserLogin);
  SetPageServices(&m_pageServices);
  SetModelsPageServices(&m_modelsPage);
  SetProjectsPageServices(&m_projectsPage);
  m_installed = true;
}

void CProgramWiring::Uninstall() {
  if (!m_installed) return;
  m_installed = false;
  ResetProgramProject();
  AppServices services = GetAppServices();
  services.norms = nullptr;
  services.users = nullptr;
  services.systemConfig = nullptr;
  SetAppServices(services);
  SetDocProjectFactory(nullptr);
  SetScoreDialogFactory(nullptr);
  SetTreePaneFactory(nullptr);
  SetDataPageServices(nullptr);
  SetAssessmentsPageServices(nullptr);
  SetProjectDialogRunner(nullptr);
  SetProjectUserLogin(nullptr);
  if (GetPageServices() == &m_pageServices) SetPageServices(nullptr);
  SetModelsPageServices(nullptr);
  SetProjectsPageServices(nullptr);
}

void CProgramWiring::EnumDevices() {
  EnumInputDevices();
  EnumSoundDevices();
}

IRunProject* GetProgramRunProject() {
  IDocProject* project = GetProgramProject();
  return project ? project->GetRunProject() : nullptr;
}

IAdminProject* GetProgramAdminProject() {
  IDocProject* project = GetProgramProject();
  return project ? project->GetAdminProject() : nullptr;
}

}  // namespace qel
