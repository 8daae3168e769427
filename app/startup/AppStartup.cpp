#include "app/startup/AppStartup.h"

#include <sys/stat.h>

#include <cstdio>

#include "app/settings/SystemSettings.h"
#include "app/text/Languages.h"
#include "common/Prompt.h"

namespace qel {

CUserRecord g_LoggedUser;

namespace {

AppServices g_services;

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::string Format(const char* format, const std::string& text) {
  const int size = std::snprintf(nullptr, 0, format, text.c_str());
  std::string out(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  std::snprintf(out.data(), out.size() + 1, format, text.c_str());
  return out;
}

}  // namespace

std::string UsersFilePath(const std::string& folder) { return folder + kFileStem + kUsersFileExtension; }
std::string NormsFilePath(const std::string& folder) { return folder + kFileStem + kNormsFileExtension; }

std::string GetHelpFileName(int language) {
  const char* code = language > 0 ? GetLanguageHelpCode(language) : nullptr;
  return std::string(kFileStem) + (code ? code : "") + kHelpFileExtension;
}

bool IsUserLoggedIn() { return !g_LoggedUser.m_id.empty(); }
bool IsCurrentUserType1() { return g_LoggedUser.m_type == 1; }
void LogoutCurrentUser() { g_LoggedUser.Clear(); }
std::string GetCurrentUserId() { return g_LoggedUser.m_id; }
std::string GetCurrentUserFirstName() { return g_LoggedUser.m_firstName; }
std::string GetCurrentUserSurname() { return g_LoggedUser.m_surname; }

namespace {
std::function<bool()>& RunQuery() {
  static std::function<bool()> query;
  return query;
}
}  // namespace

void SetRunInProgressQuery(std::function<bool()> query) { RunQuery() = std::move(query); }
bool IsAnyRunInProgress() { return RunQuery() && RunQuery()(); }
bool CanUserAct() { return IsUserLoggedIn() && !IsAnyRunInProgress(); }

void SetAppServices(const AppServices& services) { g_services = services; }
const AppServices& GetAppServices() { return g_services; }

SystemConfigValues CurrentSystemConfig() {
  return {g_ButtonType, g_ButtonInd, g_ScreenInd, g_VideoMode, g_SoundInd, g_FeedbackDevice, g_SignalSync, g_Language};
}

void ApplySystemConfig(const SystemConfigValues& v) {
  g_ButtonType = v.buttonType;
  g_ButtonInd = v.buttonInd;
  g_ScreenInd = v.screenInd;
  g_VideoMode = v.videoMode;
  g_SoundInd = v.soundInd;
  g_FeedbackDevice = v.feedbackDevice;
  g_SignalSync = v.signalSync;
  g_Language = v.language;
}

bool RunSystemConfig(ISystemConfigSheet* sheet) {
  if (!sheet) return false;
  SystemConfigValues values = CurrentSystemConfig();
  if (!sheet->Run(&values)) return false;
  ApplySystemConfig(values);
  return true;
}

bool IsUserNameListed(const std::string& name) {
  if (name.empty() || !g_services.users) return false;
  for (const CUserRecord& user : g_services.users->Users()) {
    if (user.m_id == name) return true;
  }
  return false;
}

bool SaveWorkstationUser(const CUserRecord& user, const std::string& actingUserId, bool add) {
  IWorkstationUsers* users = g_services.users;
  if (!users) return false;
  const std::string path = users->GetFilePath();
  if (!users->SaveUser(user, actingUserId, add)) return false;
  return users->Load(path);
}

bool LoadNormsAndPlugins(const std::string& folder, IStartupNorms* norms, const std::function<int()>& findPlugins) {
  const std::string path = NormsFilePath(folder);
  bool opened = false;
  if (!FileExists(path)) {
    ShowPrompt(Format("Missing Norm file :%s!", path), "Qel", kPromptIconWarning);
  } else if (norms) {
    opened = norms->Open(path);
  }
  if (findPlugins) findPlugins();
  if (opened) {
    norms->LoadAllZFunctions();
    norms->Close();
  }
  return opened;
}

StartupLogin LoginAtStartup(IWorkstationUsers* users, IUserDialogs* dialogs) {
  if (!users || !dialogs) return StartupLogin::kNoLoginService;
  const std::string path = users->GetFilePath();
  if (!FileExists(path) && users->Create(path)) users->SetFileAccessForUsers(path);
  if (!users->Load(path)) {
    ShowPrompt(Format("The list of workstation users \"%s\" cannot be created or loaded.\n"
                      "Nobody can log in, so Qel ends.",
                      path),
               "Qel", kPromptIconStop);
    return StartupLogin::kUsersUnavailable;
  }
  CUserRecord user;
  if (!dialogs->Login(users->Users(), &user)) return StartupLogin::kCancelled;
  g_LoggedUser = user;
  return StartupLogin::kLoggedIn;
}

}  // namespace qel
