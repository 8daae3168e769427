#include "app/ui/ProgramWiring.h"

#include "admin/ui/DlgProject.h"
#include "admin/ui/DlgHistory.h"
#include "admin/ui/DlgModelsAvailable.h"
#include "admin/ui/DlgUser.h"
#include "admin/ui/MySysCfg.h"
#include "app/rundata/TaskRunData.h"
#include "app/ui/QelProgram.h"
#include "common/AtomicFile.h"
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

// The score history's "View" on a score of project, with the version it chose.
CProgramPageServices::ScoreViewer ScoreViewerOn(CQelProject& project) {
  return [&project](wxWindow* parent, const CScoreChoice& score, const QelDateTime* asOf) {
    CProgramDataPages::ViewStoredScore(parent, project, {score.testee, score.model, score.task, score.assessment},
                                       asOf);
  };
}

// The program's project object when a project is open; else null.
CProgramProject* OpenProgramProject() {
  auto* program = dynamic_cast<CProgramProject*>(GetProgramProject());
  return program && program->IsOpen() ? program : nullptr;
}

// The window of the project dialog's detail buttons for which (null: none),
// on the project that dialog read.
ProjectWindowOpener MakeProjectWindow(ProjectWindow which, CProgramAssessments& assessments) {
  switch (which) {
    case ProjectWindow::kUsers:
      return [](wxWindow*, CQelProject& project) {
        if (IUserDialogs* dialogs = GetAppServices().userDialogs) {
          dialogs->ShowProjectUsers(project.GetUsers(), project.GetName(), std::string());
        }
      };
    case ProjectWindow::kTestees:
    case ProjectWindow::kTesteesHistory:
      return [history = which == ProjectWindow::kTesteesHistory](wxWindow* parent, CQelProject& project) {
        CHistoryProjectView view(project);
        CProgramPageServices::ShowTesteesOf(parent, view, history);
      };
    case ProjectWindow::kAssessments:
      return [](wxWindow* parent, CQelProject& project) {
        CHistoryProjectView view(project);
        CProgramPageServices::ShowAssessmentsOf(parent, view, false, std::string(), std::string(), std::string());
      };
    case ProjectWindow::kScores:
    case ProjectWindow::kScoresHistory:
      return [history = which == ProjectWindow::kScoresHistory](wxWindow* parent, CQelProject& project) {
        CHistoryProjectView view(project);
        CProgramPageServices::ShowScoresOf(parent, view, history, std::string(), std::string(), std::string(),
                                           ScoreViewerOn(project));
      };
    case ProjectWindow::kModels:
      return [&assessments](wxWindow* parent, CQelProject& project) {
        CHistoryProjectView view(project);
        CDlgModelsAvailable dialog(parent, &view, [&assessments](wxWindow* owner, CExpModel& model) {
          assessments.RunModelEditor(owner, model, true);
        });
        dialog.ShowModal();
      };
  }
  return nullptr;
}

constexpr ProjectWindow kProjectWindows[] = {
    ProjectWindow::kModels, ProjectWindow::kTestees,        ProjectWindow::kAssessments,  ProjectWindow::kScores,
    ProjectWindow::kUsers,  ProjectWindow::kTesteesHistory, ProjectWindow::kScoresHistory};

}  // namespace

int CProgramScoreVersions::ChooseVersion(const ScoreVersionsRequest& request) {
  CProgramProject* project = OpenProgramProject();
  // Another project's score has no history here to choose from.
  if (!project || !IsSameFile(project->GetPath(), request.projectPath)) return -1;
  CDlgAssessmentScoreHistory dialog(request.parent, project, request.testee, request.model, request.task,
                                    request.assessment, request.selected);
  if (dialog.ShowModal() != wxID_OK) return -1;
  return dialog.GetSelectedRow();
}

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
  SetScoreVersionsDialog(&m_scoreVersions);
  // The history lists of the Data page and of the pages are the page services' ones.
  m_dataPages.SetAssessmentsDialog([this](wxWindow* parent, const DataPageScore& filter) {
    m_pageServices.ShowAssessments(parent, false, filter.testee, filter.model, filter.task);
  });
  m_dataPages.SetScoreHistoryDialog([this](wxWindow* parent, const DataPageScore& filter) {
    m_pageServices.ShowScores(parent, true, filter.testee, filter.model, filter.task);
  });
  m_pageServices.SetScoreViewer([](wxWindow* parent, const CScoreChoice& score, const QelDateTime* asOf) {
    if (CProgramProject* project = OpenProgramProject()) ScoreViewerOn(project->Project())(parent, score, asOf);
  });
  for (ProjectWindow which : kProjectWindows) {
    SetProjectWindow(which, MakeProjectWindow(which, m_assessments));
  }
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
  if (GetScoreVersionsDialog() == &m_scoreVersions) SetScoreVersionsDialog(nullptr);
  m_dataPages.SetAssessmentsDialog(nullptr);
  m_dataPages.SetScoreHistoryDialog(nullptr);
  m_pageServices.SetScoreViewer(nullptr);
  for (ProjectWindow which : kProjectWindows) SetProjectWindow(which, nullptr);
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
