// The program's start-up services and its project object, over the
// subsystems that do the work: the norms database (db/norms), the
// workstation users file (project/users) and the project object
// (project/QelProject). The program installs them at start-up
// (app/ui/ProgramWiring.h); tests use them on files of their own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "admin/AdminProject.h"
#include "admin/HistoryProject.h"
#include "app/DocProject.h"
#include "app/startup/AppStartup.h"
#include "project/LoadedTaskLibraries.h"
#include "project/QelProject.h"
#include "project/RunProject.h"

namespace qel {

class CNormDatabase;
class ITaskRunData;

// The norms service over a norms database (the program's: GetNormDatabase()).
class CStartupNorms final : public IStartupNorms {
 public:
  explicit CStartupNorms(CNormDatabase& database) : m_database(database) {}
  bool Open(const std::string& path) override;
  void LoadAllZFunctions() override;
  void Close() override;
  // The number of norm functions the plug-ins took at the last hand-over
  // (-1 before one, or when the table could not be read).
  int GetHandedOver() const { return m_handedOver; }

 private:
  CNormDatabase& m_database;
  int m_handedOver = -1;
};

// The users service over the workstation users database shared by every
// account (GetUsersFilePath(); a test names another file).
class CWorkstationUsersService final : public IWorkstationUsers {
 public:
  explicit CWorkstationUsersService(std::string path = std::string());
  std::string GetFilePath() const override { return m_path; }
  // Makes the users folder when it is missing (opened to every account),
  // then the empty users database.
  bool Create(const std::string& path) override;
  // Opens the file to every account, writing allowed; a refusal is shown.
  bool SetFileAccessForUsers(const std::string& path) override;
  bool Load(const std::string& path) override;
  const std::vector<CUserRecord>& Users() const override { return m_users; }
  bool SaveUser(const CUserRecord& user, const std::string& actingUserId, bool add) override;
  bool HasRegister() const { return m_hasRegister; }

 private:
  std::string m_path;
  std::vector<CUserRecord> m_users;
  bool m_hasRegister = false;
};

// The program's project object as the document, the run and the
// administration dialogs see it: one CQelProject answering whether a task's
// plug-in is loaded from the table of loaded plug-ins, writing as the
// logged-in user (g_LoggedUser).
class CProgramProject final : public IDocProject, public IRunProject, public IHistoryProject {
 public:
  // runData: the program's run data, bound to the project (may be null).
  explicit CProgramProject(ITaskRunData* runData);
  ~CProgramProject() override;

  CQelProject& Project() { return *m_project; }
  // Which plug-ins are loaded (for project objects of the dialogs' own).
  const ITaskAvailability& Tasks() const { return m_tasks; }

  // IDocProject
  void SetPath(const std::string& path) override;
  void SetPassword(const std::string& password) override;
  std::string GetPath() const override;
  std::string GetName() const override;
  bool IsOpen() const override;
  bool IsOpenCfr() const override;
  int GetVersionNumber() const override;
  int GetLastOpenResult() const override;
  IRunProject* GetRunProject() override { return this; }
  IAdminProject* GetAdminProject() override { return this; }
  bool IsProjectUser(const std::string& id) const override;
  bool AddProjectUser(const CUserRecord& user, const std::string& writerId) override;

  // IRunProject: a run's responses, with the score variables of the task's
  // own plug-in.
  bool ReadResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                     uint32_t assessment, int firstPart, int lastPart) override;
  bool WriteResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                      const CTaskRunData& runData, int variableCount, const QelDateTime& runDate, bool* userAdded,
                      bool* newVariablesRow) override;

  // IAdminProject
  const CProjectData& GetData() const override { return *m_project; }
  bool ReadModel(const std::string& model, CExpModel* out) override;

  // IHistoryProject (IsOpenCfr above answers it too)
  IProjectHistory& History() override { return *m_project; }

 private:
  CLoadedTaskLibraries m_tasks;
  std::unique_ptr<CQelProject> m_project;
};

// Any project object as the history dialogs and the model picker see it
// (the project dialog's own one, which is not the program's).
class CHistoryProjectView final : public IHistoryProject {
 public:
  explicit CHistoryProjectView(CQelProject& project) : m_project(project) {}

  std::string GetPath() const override { return m_project.GetPath(); }
  std::string GetName() const override { return m_project.GetName(); }
  const CProjectData& GetData() const override { return m_project; }
  bool ReadModel(const std::string& model, CExpModel* out) override { return m_project.ReadModel(model, out); }
  bool IsOpenCfr() const override { return m_project.IsOpenCfr(); }
  IProjectHistory& History() override { return m_project; }

 private:
  CQelProject& m_project;
};

}  // namespace qel
