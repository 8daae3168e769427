// What the program installs into its shell before start-up: the norms and
// workstation users services, the project object's factory, the score
// dialog of runs, the system configuration sheet, the project tree pane,
// the project dialog of the project commands with its detail windows, the
// main view pages' services and dialogs over the project object and the
// score dialog's list of saved versions.
// The application object owns one for the program's life; tests install
// one around a program of their own.
#pragma once

#include <memory>

#include "app/services/ProgramServices.h"
#include "app/ui/ProgramDataPages.h"
#include "app/ui/AssessmentsServices.h"
#include "app/ui/ProgramPageServices.h"
#include "app/ui/ProgramPages.h"
#include "scores/ScoreDialog.h"

class wxWindow;

namespace qel {

// The score dialog of runs as the logged-in user sees it.
class CProgramScoreDialogs final : public IScoreDialogFactory {
 public:
  int RunScoreDialog(const ScoreDialogRequest& request) override;
};

// The score dialog's list of a stored score's saved versions: the
// assessment score history of the program's project, when the score comes
// from it.
class CProgramScoreVersions final : public IScoreVersionsDialog {
 public:
  int ChooseVersion(const ScoreVersionsRequest& request) override;
};

// The "System Config" sheet of the administration dialogs; on OK the help
// book follows the Language setting.
class CProgramSystemConfig final : public ISystemConfigSheet {
 public:
  bool Run(SystemConfigValues* values) override;
};

class CProgramWiring {
 public:
  CProgramWiring();
  ~CProgramWiring();  // uninstalls what it installed
  CProgramWiring(const CProgramWiring&) = delete;
  CProgramWiring& operator=(const CProgramWiring&) = delete;

  // Installs everything; the user dialogs already installed stay.
  void Install();
  void Uninstall();

  // The device lists of the input and sound systems, once the main window
  // shows.
  static void EnumDevices();

  CWorkstationUsersService& Users() { return m_users; }
  CProgramDataPages& DataPages() { return m_dataPages; }

 private:
  CStartupNorms m_norms;
  CWorkstationUsersService m_users;
  CProgramScoreDialogs m_scores;
  CProgramScoreVersions m_scoreVersions;
  CProgramSystemConfig m_systemConfig;
  CProgramDataPages m_dataPages;
  CProgramAssessments m_assessments{CProgramAssessments::ProgramSources()};
  CProgramPageServices m_pageServices;
  CProgramModelsPage m_modelsPage;
  CProgramProjectsPage m_projectsPage;
  bool m_installed = false;
};

// The program's project object as the run and the administration dialogs
// see it; null before one is made.
IRunProject* GetProgramRunProject();
IAdminProject* GetProgramAdminProject();

}  // namespace qel
