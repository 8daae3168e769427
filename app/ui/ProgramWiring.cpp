#include "app/ui/ProgramWiring.h"

#include "admin/ui/MySysCfg.h"
#include "app/rundata/TaskRunData.h"
#include "app/ui/QelProgram.h"
#include "db/norms/NormDatabase.h"
#include "engine/input/InputDevices.h"
#include "engine/sound/SoundDevices.h"
#include "scores/ui/DlgScore.h"
#include "ui/ui/LeftView.h"
#include "ui/ui/MainFrame.h"

#include <wx/app.h>

namespace qel {

namespace {

wxWindow* MakeTreePane(wxWindow* parent) {
  auto* tree = new CLeftView(parent, wxID_ANY);
  auto* project = dynamic_cast<CProgramProject*>(GetProgramProject());
  if (project) tree->SetProject(&project->Project(), project->GetPath());
  return tree;
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
