// The program's start-up and shut-down and what lives between them: the
// program folder, the settings store, the display library's module, the
// task host and the run data, the plug-ins, the document manager with the
// model template and the recent files, the main frame, the login and the
// help books. The application object runs one; tests run one inside their
// own application, on a program folder and settings file of their own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/QelSettings.h"

class wxDocManager;
class wxDropFilesEvent;
class wxHtmlHelpController;
class wxImageList;
class wxWindow;

namespace qel {

class CDlgRun;
class CEditorRunner;
class CExpModel;
class CExpModelTask;
class CMainFrame;
class CTaskHost;
class IRunProject;
class CTaskRunData;

class CQelProgram {
 public:
  static constexpr int kRecentFiles = 4;

  // folder: the program folder with its trailing '/' (empty: the
  // executable's); settingsPath: the settings file (empty: the user's).
  CQelProgram(std::string folder = std::string(), std::string settingsPath = std::string());
  ~CQelProgram();
  CQelProgram(const CQelProgram&) = delete;
  CQelProgram& operator=(const CQelProgram&) = delete;

  // Start-up; false ends the program. args[0] is the program, args[1] a
  // model file to open.
  bool InitInstance(const std::vector<std::string>& args);
  // Shut-down: settings, placement and recent files written, plug-ins
  // unloaded, the display library released.
  int ExitInstance();

  const std::string& GetProgramFolder() const { return m_folder; }
  CQelSettings& Settings() { return *m_settings; }
  QelWindowState& WindowState() { return m_windowState; }
  CMainFrame* GetMainFrame() const { return m_pFrame; }
  wxDocManager* GetDocManager() const { return m_pDocManager; }
  bool HasDisplayLibrary() const { return m_displayModule != nullptr; }
  int GetPluginCount() const { return m_pluginCount; }

  // The help book of the Language setting (folder + "help/" + name).
  void SetHelpFilePath();
  const std::string& GetHelpFilePath() const { return m_helpPath; }
  // Shows the book's topic; false for topic 0, without a book or when it
  // cannot be shown.
  bool ShowHelpTopic(int topic);
  void ShowHelpContents();
  bool IsHelpPending() const { return m_bHelpPending; }

  // Opens a model file as the document; false when it cannot be read.
  bool OpenModelFile(const std::string& path);

  // Runs started by the pages and editors, on the program's one run dialog
  // (its caller hears 131 at the start and 132 at the end), storing into
  // the project given, or the program's project object when none is given.
  // Nothing, and false, while a run is in progress or without a task.
  bool RunTaskSignals(CExpModelTask* task, IRunProject* project, const char* testee, const char* model,
                      wxWindow* caller);
  bool RunTaskPractice(CExpModelTask* task, IRunProject* project, const char* testee, const char* model,
                       wxWindow* caller);
  // Ends a run in progress from outside; nothing when none runs.
  void AbortTaskRun();
  bool IsRunInProgress() const;
  void SetTaskHostRunFlag(uint8_t flag);
  // The run dialog of the signals or practice run going on or last ended; null when none is left.
  CDlgRun* GetRunDialog() const;
  CTaskHost& Host() { return *m_host; }
  CTaskRunData& RunData() { return *m_runData; }

 private:
  void OnDropFiles(wxDropFilesEvent& event);
  static IRunProject* RunProjectOr(IRunProject* project);
  bool OpenHelpBook();

  std::string m_folder;
  std::unique_ptr<CQelSettings> m_settings;
  QelWindowState m_windowState;
  void* m_displayModule = nullptr;
  std::unique_ptr<CTaskHost> m_host;
  std::unique_ptr<CTaskRunData> m_runData;
  int m_pluginCount = 0;
  // Signals and practice runs started for the program: each on a hidden run
  // dialog of its own that goes with its run.
  std::unique_ptr<CEditorRunner> m_runner;
  wxDocManager* m_pDocManager = nullptr;
  CMainFrame* m_pFrame = nullptr;
  std::unique_ptr<wxHtmlHelpController> m_help;
  std::unique_ptr<wxImageList> m_smallImages;
  std::unique_ptr<wxImageList> m_largeImages;
  std::string m_helpPath;
  bool m_bHelpPending = true;
  bool m_bStarted = false;
  bool m_bSettingsLoaded = false;
};

// The program while it runs (null before start-up and after shut-down).
CQelProgram* GetProgram();

}  // namespace qel
