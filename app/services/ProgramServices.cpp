#include "app/services/ProgramServices.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "app/model/ExpModelTask.h"
#include "common/Prompt.h"
#include "db/acl/FileAccess.h"
#include "db/cfr/CfrRecordsets.h"
#include "db/norms/NormDatabase.h"
#include "engine/library/TaskLibraries.h"
#include "project/users/WorkstationUsers.h"

namespace qel {

namespace {

constexpr const char* kUsersCaption = "Users list";

bool IsMissing(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) != 0;
}

void ShowAccessRefused(const std::string& path, const std::string& reason) {
  ShowPrompt(std::string(kUsersCaption) + "\n\"" + path + "\"\nis not open to every account of the workstation:\n" +
                 reason,
             kUsersCaption, kPromptOk | kPromptIconWarning);
}

}  // namespace

// ---- norms -------------------------------------------------------------------------------

bool CStartupNorms::Open(const std::string& path) {
  m_database.SetPath(path.c_str(), "");
  return m_database.Open(true);
}

void CStartupNorms::LoadAllZFunctions() { m_handedOver = m_database.LoadAllZFunctions(); }

void CStartupNorms::Close() { m_database.Close(); }

// ---- workstation users -------------------------------------------------------------------

CWorkstationUsersService::CWorkstationUsersService(std::string path)
    : m_path(path.empty() ? GetUsersFilePath() : std::move(path)) {}

bool CWorkstationUsersService::Create(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && IsMissing(folder)) {
    std::error_code ec;
    std::string reason;
    // A folder that cannot be made leaves the file uncreated; the load then fails and says so.
    if (std::filesystem::create_directories(folder, ec) && !SetFolderAccessForUsers(folder, true, &reason)) {
      ShowAccessRefused(folder, reason);
    }
  }
  return CreateUsers(path, nullptr, false);
}

bool CWorkstationUsersService::SetFileAccessForUsers(const std::string& path) {
  std::string reason;
  if (qel::SetFileAccessForUsers(path, true, &reason)) return true;
  ShowAccessRefused(path, reason);
  return false;
}

bool CWorkstationUsersService::Load(const std::string& path) { return LoadUsers(path, &m_hasRegister, &m_users); }

bool CWorkstationUsersService::SaveUser(const CUserRecord& user, const std::string& actingUserId, bool add) {
  return SaveUserToDatabase(m_path, user, add, actingUserId);
}

// ---- the project object ------------------------------------------------------------------

CProgramProject::CProgramProject(ITaskRunData* runData) : m_project(std::make_unique<CQelProject>(m_tasks)) {
  CQelProject::SetLoggedUser(&g_LoggedUser);
  m_project->AttachRunData(runData);
}

CProgramProject::~CProgramProject() = default;

void CProgramProject::SetPath(const std::string& path) { m_project->SetPath(path.c_str()); }
void CProgramProject::SetPassword(const std::string& password) { m_project->SetPassword(password.c_str()); }
std::string CProgramProject::GetPath() const { return m_project->GetPath(); }
std::string CProgramProject::GetName() const { return m_project->GetName(); }
bool CProgramProject::IsOpen() const { return m_project->IsOpen(); }
bool CProgramProject::IsOpenCfr() const { return m_project->IsOpenCfr(); }
int CProgramProject::GetVersionNumber() const { return m_project->GetVersionNumber(); }
int CProgramProject::GetLastOpenResult() const { return m_project->GetOpenResult(); }

bool CProgramProject::ReadResponses(const std::string& testeeCode, const std::string& modelName, CExpModelTask& task,
                                    uint32_t assessment, int firstPart, int lastPart) {
  return m_project->ReadResponses(testeeCode, modelName, task, assessment, firstPart, lastPart);
}

bool CProgramProject::WriteResponses(const std::string& testeeCode, const std::string& modelName,
                                     CExpModelTask& task, const CTaskRunData& runData, int variableCount,
                                     const QelDateTime& runDate, bool* userAdded, bool* newVariablesRow) {
  // The rows of the stored variables are the task's own plug-in's.
  const ITaskLibrary* record = task.library ? task.library : FindTaskLibrary(task.TaskIdStr.c_str());
  m_project->SetScoreVariableTable(record);
  return m_project->WriteResponses(testeeCode, modelName, task, runData, variableCount, runDate, userAdded,
                                   newVariablesRow);
}

bool CProgramProject::IsProjectUser(const std::string& id) const { return m_project->IsUser(id.c_str()); }

bool CProgramProject::AddProjectUser(const CUserRecord& user, const std::string& writerId) {
  return m_project->WriteProjectUser(user, writerId, false);
}

bool CProgramProject::ReadModel(const std::string& model, CExpModel* out) { return m_project->ReadModel(model, out); }

}  // namespace qel
