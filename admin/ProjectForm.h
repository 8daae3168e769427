// The rules of the project dialog that need no window: what each of its
// eight modes shows, its caption and explanatory text, the checks of OK with
// their messages, and the project information text of the properties mode.
//
// Passwords: project passwords are the files' encryption keys, so the form
// holds what the operator typed until the dialog hands it to the project
// object; the typed texts are wiped when the form goes and never shown
// outside the password fields.
//
// Threads: the user-interface thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qel {

// The modes, as the project object's dialog entry points number them.
enum class ProjectDlgMode : int {
  kProperties = 0,
  kUsersList = 1,
  kOpenBrowse = 2,
  kOpenPath = 3,
  kCreate = 4,
  kCompact = 5,
  kPassword = 6,
  kConvert = 7,
};
constexpr int kProjectDlgModeCount = 8;

constexpr const char* kCfrSuffix = " (21CFR part11)";
constexpr const char* kEnterPasswordText = "ENTER PROJECT's PASSWORD!";
constexpr const char* kUnknownText = "<Unknown>";
constexpr const char* kProjectFileExtension = "qep";
constexpr const char* kProjectFileKind = "Qel project files";

// What the properties mode reads from the project.
struct CProjectInfo {
  std::string versionText;
  int32_t versionNumber = 0;
  std::string creationUser;
  std::string creationDate;
  std::string creationTime;
  std::string owner;  // "Department/Institute"
  std::string comment;
  bool isCfr = false;
  uint32_t testees = 0;
  uint32_t models = 0;
  uint32_t tasks = 0;
  uint32_t scores = 0;
  uint32_t users = 0;
};

// "Version: %s\n Created: %s\n User: %s\nTestees: %d, Models: %d, Tasks:
// %d, Scores: %d, Users: %s": the version text (else "3.00") with ",
// CFR compliant" for an audited project; creation date and time, creator
// and user count when the project has a version text; "<Unknown>" for what
// it does not record.
std::string ProjectPropertiesText(const CProjectInfo& info);

// The fields the operator sees.
struct CProjectFormFields {
  std::string path;      // the existing project
  std::string password;  // its password
  std::string newPassword;
  std::string confirmation;
  std::string newPath;  // the project created, or the compaction or conversion target
  std::string institute;
  std::string comment;
};

// Which controls show and which may be used.
struct CProjectFormLayout {
  bool path = false;        // file path label and edit
  bool browsePath = false;  // "..." of the file path
  bool browsePathEnabled = false;
  bool browseNewEnabled = false;  // "..." of the new file path
  bool password = false;
  bool newPath = false;
  bool newPathLabelIsPath = false;  // the new file path's label reads "File path" (creating)
  bool newPassword = false;         // new password and confirmation
  bool newPasswordLabelIsPassword = false;
  bool details = false;  // institute and comment
  bool detailsReadOnly = false;
  bool ok = false;
  bool detailButtons = false;  // "Details", "Models", "Testees", "Assessments", "Scores"
  bool usersButton = false;
  bool testeesHistory = false;
  bool scoresHistory = false;
  enum class Focus { kBrowsePath, kPassword, kBrowseNew } focus = Focus::kPassword;
};

// Whether two paths name the same file (common/AtomicFile.h's IsSameFile in
// the program).
using SameFileTest = std::function<bool(const std::string&, const std::string&)>;

class CProjectForm {
 public:
  // loggedIn: a user is logged in (a new project is then CFR); cfrMode: the
  // program keeps the 21 CFR rules.
  CProjectForm(ProjectDlgMode mode, bool loggedIn, bool cfrMode);
  ~CProjectForm();
  CProjectForm(const CProjectForm&) = delete;
  CProjectForm& operator=(const CProjectForm&) = delete;

  ProjectDlgMode Mode() const { return m_mode; }
  CProjectFormFields& Fields() { return m_fields; }
  const CProjectFormFields& Fields() const { return m_fields; }

  // The project name shown in the caption (empty: not known).
  void SetProjectName(const std::string& name) { m_projectName = name; }
  const std::string& ProjectName() const { return m_projectName; }
  // The last open attempt said the project needs a password.
  void SetPasswordRequired(bool required) { m_passwordRequired = required; }
  bool PasswordRequired() const { return m_passwordRequired; }
  // What the project holds, for the buttons of the properties mode.
  void SetProjectKind(bool isCfr, bool hasTesteeHistory, bool hasScoreHistory);
  // The properties were read: the caption names the project and the
  // explanatory text is the project information.
  void SetProperties(const CProjectInfo& info);
  bool PropertiesRead() const { return m_propertiesRead; }
  // The browse buttons are offered for fields that were empty at the start.
  void SetBrowseOffered(bool path, bool newPath);

  std::string Caption() const;
  std::string InfoText() const;
  CProjectFormLayout Layout() const;

  // The messages of OK in one text; empty when valid.
  std::string Validate(const SameFileTest& sameFile) const;

 private:
  ProjectDlgMode m_mode;
  bool m_loggedIn;
  bool m_cfrMode;
  CProjectFormFields m_fields;
  std::string m_projectName;
  std::string m_properties;
  bool m_propertiesRead = false;
  bool m_passwordRequired = false;
  bool m_isCfr = false;
  bool m_hasTesteeHistory = false;
  bool m_hasScoreHistory = false;
  bool m_mayBrowsePath = false;
  bool m_mayBrowseNewPath = false;
};

}  // namespace qel
