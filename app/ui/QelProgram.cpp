#include "app/ui/QelProgram.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <wx/app.h>
#include <wx/docview.h>
#include <wx/filename.h>
#include <wx/fs_arc.h>
#include <wx/html/helpctrl.h>
#include <wx/imaglist.h>
#include <wx/sysopt.h>

#include "admin/ui/UserDialogs.h"
#include "app/DocProject.h"
#include "app/rundata/TaskRunData.h"
#include "app/settings/SystemSettings.h"
#include "app/startup/AppStartup.h"
#include "app/ui/DocReport.h"
#include "app/ui/QelDoc.h"
#include "common/ProgramFolder.h"
#include "common/Prompt.h"
#include "engine/host/ui/TaskHost.h"
#include "editors/ui/EditorRunner.h"
#include "engine/rundlg/ui/DlgRun.h"
#include "engine/library/TaskLibraries.h"
#include "include/qel/Resources.h"
#include "ui/ui/AssessmentsPageServices.h"
#include "ui/ui/AppImageLists.h"
#include "ui/ui/MainFrame.h"
#include "ui/ui/MainPages.h"
#include "ui/ui/QelViewTab.h"

namespace qel {

namespace {

CQelProgram* g_program = nullptr;
constexpr const char* kHelpFolder = "help/";
constexpr const char* kModelExtension = ".qem";
constexpr const char* kRecentFileSection = "/Recent File List";

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

CQelProgram* GetProgram() { return g_program; }

CQelProgram::CQelProgram(std::string folder, std::string settingsPath)
    : m_folder(folder.empty() ? ProgramFolder() : std::move(folder)),
      m_settings(std::make_unique<CQelSettings>(settingsPath.empty() ? CQelSettings::DefaultPath() : settingsPath)) {
  if (!m_folder.empty() && m_folder.back() != '/') m_folder += '/';
}

CQelProgram::~CQelProgram() {
  if (m_bStarted) ExitInstance();
  if (g_program == this) g_program = nullptr;
}

bool CQelProgram::InitInstance(const std::vector<std::string>& args) {
  g_program = this;
  m_bStarted = true;
  SetTaskFolder((m_folder + "Qel").c_str());

  // The node and list icons, 16 and 32 pixels.
  m_smallImages.reset(CreateNodeImageList(kSmallIconSize));
  m_largeImages.reset(CreateNodeImageList(kLargeIconSize));
  SetAppSmallImageList(m_smallImages.get());
  SetAppLargeImageList(m_largeImages.get());

  // The display library from the program folder.
  m_displayModule = ::dlopen((m_folder + kDisplayLibraryName).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!m_displayModule) ShowPrompt("No resource library", "Qel", kPromptIconStop);

  // Norms and plug-ins.
  m_host = std::make_unique<CTaskHost>();
  m_host->SetProgramResources(&QelModuleResources());
  m_runData = std::make_unique<CTaskRunData>();
  LoadNormsAndPlugins(m_folder, GetAppServices().norms, [this] { return m_pluginCount = FindTaskLibraries(m_host.get()); });

  m_runner = std::make_unique<CEditorRunner>(*m_host, *m_runData);
  SetRunInProgressQuery([this] { return IsRunInProgress(); });
  SetTabPageFactory(MakeMainPage);

  // The document manager with the model template and the recent files.
  CDocReport::SetSettingsStore(m_settings.get());
  m_pDocManager = new wxDocManager;
  m_pDocManager->SetMaxDocsOpen(1);
  m_settings->Config()->SetPath(kRecentFileSection);
  m_pDocManager->FileHistoryLoad(*m_settings->Config());
  m_settings->Config()->SetPath("/");
  new wxDocTemplate(m_pDocManager, "Qel Experiment Model Files (*.qem)", "*.qem", "", "qem", "Qel Model",
                    "Qel Experiment Model Document", CLASSINFO(CQelDoc), CLASSINFO(CQelView));

  // Nobody works without a login.
  InstallUserDialogs();
  const StartupLogin login = LoginAtStartup(GetAppServices().users, GetAppServices().userDialogs);
  if (login == StartupLogin::kCancelled || login == StartupLogin::kUsersUnavailable) return false;

  m_settings->LoadSystemSettings();
  m_windowState = m_settings->LoadWindowState();
  m_bSettingsLoaded = true;
  SetHelpFilePath();

  m_pFrame = new CMainFrame(m_pDocManager, &m_windowState);
  if (wxTheApp) wxTheApp->SetTopWindow(m_pFrame);
  const std::string model = args.size() > 1 ? args[1] : std::string();
  const bool opened = model.empty() ? m_pDocManager->CreateNewDocument() != nullptr : OpenModelFile(model);
  if (!opened) {
    m_pFrame->Destroy();
    m_pFrame = nullptr;
    return false;
  }
  m_pFrame->ActivateFrame();
  m_pFrame->Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowHelpContents(); }, wxID_HELP_CONTENTS);
  m_pFrame->DragAcceptFiles(true);
  m_pFrame->Bind(wxEVT_DROP_FILES, &CQelProgram::OnDropFiles, this);
  return true;
}

bool CQelProgram::OpenModelFile(const std::string& path) {
  if (!m_pDocManager) return false;
  return m_pDocManager->CreateDocument(wxString::FromUTF8(path), wxDOC_SILENT) != nullptr;
}

void CQelProgram::OnDropFiles(wxDropFilesEvent& event) {
  for (int i = 0; i < event.GetNumberOfFiles(); ++i) {
    const std::string path = event.GetFiles()[i].utf8_string();
    if (path.size() > 4 && wxFileName(path).GetExt().Lower() == wxString(kModelExtension + 1)) {
      OpenModelFile(path);
      return;
    }
  }
}

int CQelProgram::ExitInstance() {
  if (!m_bStarted) return 0;
  m_bStarted = false;
  // A start that ended before the settings were read leaves them as stored.
  if (m_bSettingsLoaded) {
    m_settings->SaveWindowState(m_windowState);
    m_settings->SaveSystemSettings();
  }
  if (m_pDocManager && m_bSettingsLoaded) {
    m_settings->Config()->SetPath(kRecentFileSection);
    m_pDocManager->FileHistorySave(*m_settings->Config());
    m_settings->Config()->SetPath("/");
    m_settings->Flush();
  }
  if (m_runner) {
    AbortTaskRun();
    // Its dialog now, not at the next idle time: it uses the host and the run data, which go below.
    delete m_runner->Dialog();
    m_runner.reset();
  }
  SetRunInProgressQuery(nullptr);
  UnloadTaskLibraries();
  if (m_displayModule) {
    ::dlclose(m_displayModule);
    m_displayModule = nullptr;
  }
  m_help.reset();
  delete m_pDocManager;
  m_pDocManager = nullptr;
  m_pFrame = nullptr;
  CDocReport::SetSettingsStore(nullptr);
  ResetProgramProject();
  m_runData.reset();
  m_host.reset();
  SetAppSmallImageList(nullptr);
  SetAppLargeImageList(nullptr);
  m_smallImages.reset();
  m_largeImages.reset();
  if (g_program == this) g_program = nullptr;
  return 0;
}

bool CQelProgram::IsRunInProgress() const {
  // The pages' runs go on run dialogs of their own.
  IAssessmentsPageServices* pages = GetAssessmentsPageServices();
  const CDlgRun* dialog = GetRunDialog();
  return (dialog && dialog->IsRunInProgress()) || (pages && pages->IsRunInProgress());
}

void CQelProgram::SetTaskHostRunFlag(uint8_t flag) {
  if (m_host) m_host->SetRunFlags(flag);
}

IRunProject* CQelProgram::RunProjectOr(IRunProject* project) {
  if (project) return project;
  IDocProject* own = GetProgramProject();
  return own ? own->GetRunProject() : nullptr;
}

CDlgRun* CQelProgram::GetRunDialog() const { return m_runner ? m_runner->Dialog() : nullptr; }

bool CQelProgram::RunTaskSignals(CExpModelTask* task, IRunProject* project, const char* testee, const char* model,
                                 wxWindow* caller) {
  return m_runner && !IsRunInProgress() &&
         m_runner->RunSignalsFor(task, RunProjectOr(project), testee ? testee : "", model ? model : "", caller);
}

bool CQelProgram::RunTaskPractice(CExpModelTask* task, IRunProject* project, const char* testee, const char* model,
                                  wxWindow* caller) {
  return m_runner && !IsRunInProgress() &&
         m_runner->RunPracticeFor(task, RunProjectOr(project), testee ? testee : "", model ? model : "", caller);
}

void CQelProgram::AbortTaskRun() {
  if (m_runner) m_runner->AbortRun();
}

void CQelProgram::SetHelpFilePath() {
  if (g_Language < 0) return;
  m_helpPath = m_folder + kHelpFolder + GetHelpFileName(g_Language);
  m_help.reset();
}

bool CQelProgram::OpenHelpBook() {
  if (m_help) return true;
  if (m_helpPath.empty() || !FileExists(m_helpPath)) return false;
  // The books are zip archives.
  static const bool kArchives = (wxFileSystem::AddHandler(new wxArchiveFSHandler), true);
  (void)kArchives;
  // The system's MIME database may call .htm pages application/xhtml+xml
  // (shared-mime-info does), which the help viewer shows as plain text;
  // wx's own table calls them text/html.
  wxSystemOptions::SetOption("filesys.no-mimetypesmanager", 1);
  m_help = std::make_unique<wxHtmlHelpController>();
  if (!m_help->AddBook(wxFileName(wxString::FromUTF8(m_helpPath)))) {
    m_help.reset();
    return false;
  }
  return true;
}

bool CQelProgram::ShowHelpTopic(int topic) {
  if (topic == 0 || !OpenHelpBook()) return false;
  const bool shown = m_help->Display(topic);
  if (shown) m_bHelpPending = false;
  return shown;
}

void CQelProgram::ShowHelpContents() {
  if (!OpenHelpBook()) {
    ShowPrompt("No help book \"" + m_helpPath + "\"!", "Qel", kPromptIconWarning);
    return;
  }
  m_help->DisplayContents();
}

}  // namespace qel
