// Start-up and shut-down rules of the program that need no window: the
// names of the files beside the program, the help book of a language, the
// logged-in user, and the steps of start-up that load the norms and the
// plug-ins and log a workstation user in. The services these steps use
// (norms database, workstation users file, login dialog) are handed in
// through the small interfaces below; the program installs the real ones,
// tests install fakes. Messages to the operator go through ShowPrompt.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "admin/UserRecord.h"

namespace qel {

// Files beside the program.
constexpr const char* kFileStem = "Qel";
constexpr const char* kUsersFileExtension = ".qeu";
constexpr const char* kNormsFileExtension = ".qen";
constexpr const char* kHelpFileExtension = ".htb";
constexpr const char* kDisplayLibraryName = "libQelScreen.so";

// The program keeps 21 CFR Part 11 rules (logins, audited projects): set
// when the program is built, never changed while it runs.
constexpr bool kCfrMode = true;

// folder + "Qel.qeu", folder + "Qel.qen" (folder ends with '/'). The
// workstation users file itself lives where its service says (GetFilePath).
std::string UsersFilePath(const std::string& folder);
std::string NormsFilePath(const std::string& folder);
// "Qel" + the language's help code ("EN", "DU", "IT"; nothing for any other
// value) + ".htb".
std::string GetHelpFileName(int language);

// ---- the logged-in user ----
extern CUserRecord g_LoggedUser;
bool IsUserLoggedIn();
bool IsCurrentUserType1();
void LogoutCurrentUser();
std::string GetCurrentUserId();
std::string GetCurrentUserFirstName();
std::string GetCurrentUserSurname();

// Whether a test, practice or signals run is in progress: the program
// installs the question over its run dialog; without one, no run.
void SetRunInProgressQuery(std::function<bool()> query);
bool IsAnyRunInProgress();
// A user is logged in and no run is in progress.
bool CanUserAct();

// ---- services of start-up ----

// The norms database beside the program.
class IStartupNorms {
 public:
  virtual ~IStartupNorms() = default;
  // Opens the database read-only; false when it cannot be opened.
  virtual bool Open(const std::string& path) = 0;
  // Hands every norm function to the loaded plug-ins' records.
  virtual void LoadAllZFunctions() = 0;
  virtual void Close() = 0;
};

// The workstation users file and the program's list of its users.
class IWorkstationUsers {
 public:
  virtual ~IWorkstationUsers() = default;
  // The users file every account of the workstation shares.
  virtual std::string GetFilePath() const = 0;
  // Creates an empty users file; false on failure.
  virtual bool Create(const std::string& path) = 0;
  // Opens the new file's access to every account of the machine.
  virtual bool SetFileAccessForUsers(const std::string& path) = 0;
  // Reads the users into the list; false when the file cannot be read.
  virtual bool Load(const std::string& path) = 0;
  virtual const std::vector<CUserRecord>& Users() const = 0;
  // Adds (add set) or modifies the user in the file; false on failure.
  virtual bool SaveUser(const CUserRecord& user, const std::string& actingUserId, bool add) = 0;
};

// The user dialog in its log-in and register modes.
class IUserDialogs {
 public:
  virtual ~IUserDialogs() = default;
  // Logs a workstation user in; true on OK with the user filled in.
  virtual bool Login(const std::vector<CUserRecord>& users, CUserRecord* user) = 0;
  // Registers a new workstation user; true on OK with the user filled in.
  virtual bool RegisterUser(CUserRecord* user) = 0;
  // The users lists of the main view, shown only; a build without them
  // shows nothing. The user's record as it stands:
  virtual void ShowUser(const CUserRecord& /*user*/) {}
  // A project's users (projectName names it), an Id looked for or "":
  virtual void ShowProjectUsers(const std::vector<CUserRecord>& /*users*/, const std::string& /*projectName*/,
                                const std::string& /*idToFind*/) {}
  // The workstation's users beside the project's, those of the project that
  // differ or are missing marked:
  virtual void CompareProjectUsers(const std::vector<CUserRecord>& /*projectUsers*/,
                                   const std::string& /*projectName*/, const std::string& /*projectPath*/) {}
};

// The eight settings the system configuration sheet edits.
struct SystemConfigValues {
  int buttonType = 0;
  int buttonInd = 0;
  int screenInd = 0;
  int videoMode = 0;
  int soundInd = 0;
  int feedbackDevice = 0;
  int signalSync = 0;
  int language = 0;
};
SystemConfigValues CurrentSystemConfig();
void ApplySystemConfig(const SystemConfigValues& values);

// The "System Config" sheet: edits the values; true on OK.
class ISystemConfigSheet {
 public:
  virtual ~ISystemConfigSheet() = default;
  virtual bool Run(SystemConfigValues* values) = 0;
};

// The sheet on copies of the settings; on OK the copies become the
// settings (stored at shut-down), on cancel nothing changes. False on
// cancel or without a sheet.
bool RunSystemConfig(ISystemConfigSheet* sheet);

// The services the program installs; null members are services this build
// does not have yet.
struct AppServices {
  IStartupNorms* norms = nullptr;
  IWorkstationUsers* users = nullptr;
  IUserDialogs* userDialogs = nullptr;
  ISystemConfigSheet* systemConfig = nullptr;
};
void SetAppServices(const AppServices& services);
const AppServices& GetAppServices();

// True when the name is the Id of a user of the workstation list
// (case-sensitive); false for an empty name or without a users service.
bool IsUserNameListed(const std::string& name);
// Adds or modifies the user in the workstation file, then reloads the list;
// true only when both succeed.
bool SaveWorkstationUser(const CUserRecord& user, const std::string& actingUserId, bool add);

// Norms and plug-ins: a missing norms file is reported with a warning and
// the plug-ins load without norms; otherwise the database is opened, the
// plug-ins are loaded (findPlugins) and, when the database opened, their
// norm functions are handed over and the database is closed. Returns
// whether the norms were handed over.
bool LoadNormsAndPlugins(const std::string& folder, IStartupNorms* norms, const std::function<int()>& findPlugins);

enum class StartupLogin {
  kLoggedIn,           // a user logged in: g_LoggedUser holds them
  kCancelled,          // the login did not end with OK: the program ends
  kUsersUnavailable,   // the users list cannot be created or loaded: the program ends (reported)
  kNoLoginService,     // this build has no users service or dialog: no login
};

// The start-up login: a missing users file (at users->GetFilePath()) is created and opened to every
// account; the list is loaded and the login dialog runs on it. A list that
// cannot be created or loaded stops start-up with a message: without it
// nobody could log in, and nobody works without a login.
StartupLogin LoginAtStartup(IWorkstationUsers* users, IUserDialogs* dialogs);

}  // namespace qel
