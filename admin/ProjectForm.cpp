#include "admin/ProjectForm.h"

#include <openssl/crypto.h>

#include <cstdio>

namespace qel {

namespace {

constexpr const char* kDefaultVersion = "3.00";
constexpr const char* kCfrCompliant = ", CFR compliant";

bool Is(ProjectDlgMode mode, std::initializer_list<ProjectDlgMode> modes) {
  for (ProjectDlgMode m : modes) {
    if (m == mode) return true;
  }
  return false;
}

std::string OrUnknown(const std::string& text) { return text.empty() ? std::string(kUnknownText) : text; }

void Wipe(std::string& text) {
  if (!text.empty()) OPENSSL_cleanse(text.data(), text.size());
  text.clear();
}

}  // namespace

std::string ProjectPropertiesText(const CProjectInfo& info) {
  std::string version = kDefaultVersion;
  std::string created = kUnknownText;
  std::string user = kUnknownText;
  std::string users = kUnknownText;
  if (!info.versionText.empty()) {
    version = info.versionText;
    // The project's own format decides: the two formats count their
    // version numbers apart.
    if (info.isCfr) version += kCfrCompliant;
    const std::string when = info.creationDate.empty() && info.creationTime.empty()
                                 ? std::string()
                                 : info.creationDate + " " + info.creationTime;
    created = OrUnknown(when);
    user = OrUnknown(info.creationUser);
    users = std::to_string(info.users);
  }
  char counts[160];
  std::snprintf(counts, sizeof counts, "Testees: %u, Models: %u, Tasks: %u, Scores: %u, Users: ", info.testees,
                info.models, info.tasks, info.scores);
  return "Version: " + version + "\n Created: " + created + "\n User: " + user + "\n" + counts + users;
}

CProjectForm::CProjectForm(ProjectDlgMode mode, bool loggedIn, bool cfrMode)
    : m_mode(mode), m_loggedIn(loggedIn), m_cfrMode(cfrMode) {}

CProjectForm::~CProjectForm() {
  Wipe(m_fields.password);
  Wipe(m_fields.newPassword);
  Wipe(m_fields.confirmation);
}

void CProjectForm::SetProjectKind(bool isCfr, bool hasTesteeHistory, bool hasScoreHistory) {
  m_isCfr = isCfr;
  m_hasTesteeHistory = hasTesteeHistory;
  m_hasScoreHistory = hasScoreHistory;
}

void CProjectForm::SetProperties(const CProjectInfo& info) {
  m_properties = ProjectPropertiesText(info);
  m_propertiesRead = true;
  m_isCfr = info.isCfr;
  m_fields.institute = info.owner;
  m_fields.comment = info.comment;
}

void CProjectForm::SetBrowseOffered(bool path, bool newPath) {
  m_mayBrowsePath = path;
  m_mayBrowseNewPath = newPath;
}

std::string CProjectForm::Caption() const {
  const std::string prefix = m_projectName.empty() ? std::string() : m_projectName + ": ";
  switch (m_mode) {
    case ProjectDlgMode::kProperties:
      if (m_propertiesRead && !m_passwordRequired) return "Project " + m_projectName + " properties";
      return prefix + "Select project to view it's properties";
    case ProjectDlgMode::kUsersList:
      return prefix + "Select project to view it's users list";
    case ProjectDlgMode::kOpenBrowse:
    case ProjectDlgMode::kOpenPath:
      return prefix + "Open existing project";
    case ProjectDlgMode::kCreate:
      return prefix + "Create new project" + (m_loggedIn ? kCfrSuffix : "");
    case ProjectDlgMode::kCompact:
      return prefix + "Compact existing project";
    case ProjectDlgMode::kPassword:
      return prefix + "Change password of existing project";
    case ProjectDlgMode::kConvert:
      return prefix + "Convert existing project to new version" + kCfrSuffix;
  }
  return prefix;
}

std::string CProjectForm::InfoText() const {
  if (m_passwordRequired && Is(m_mode, {ProjectDlgMode::kProperties, ProjectDlgMode::kUsersList,
                                        ProjectDlgMode::kOpenBrowse, ProjectDlgMode::kOpenPath})) {
    return kEnterPasswordText;
  }
  switch (m_mode) {
    case ProjectDlgMode::kProperties:
      return m_propertiesRead ? m_properties : std::string();
    case ProjectDlgMode::kUsersList:
      return "The only CFR compliant Qel projects contain list of users.";
    case ProjectDlgMode::kOpenBrowse:
    case ProjectDlgMode::kOpenPath:
      return "You will open existing Qel project.\nThis project will be current working project.";
    case ProjectDlgMode::kCreate: {
      std::string text = std::string("You will create new empty Qel project") + (m_loggedIn ? kCfrSuffix : "") + ".\n";
      if (!m_loggedIn && m_cfrMode)
        text += std::string("To create CFR compliant project ") + kCfrSuffix + " you must login!";
      return text;
    }
    case ProjectDlgMode::kCompact:
      return "If you performed much deletions from this project then\n"
             "compacting will create new project file of decreased size and after that\n"
             "all data not deleted from old project will be copied to new compacted project.";
    case ProjectDlgMode::kPassword:
      return "You can change password of Qel project.\nEnter old password, new password and confirm new password.";
    case ProjectDlgMode::kConvert:
      return std::string("This procedure will convert selected Qel project\ninto CFR compliant Qel project") +
             kCfrSuffix + ".\n";
  }
  return std::string();
}

CProjectFormLayout CProjectForm::Layout() const {
  CProjectFormLayout l;
  const bool properties = m_mode == ProjectDlgMode::kProperties;
  const bool create = m_mode == ProjectDlgMode::kCreate;
  const bool showDetails = properties || create;
  l.path = !create;
  l.browsePath = l.path && (!showDetails || m_fields.path.empty());
  l.browsePathEnabled = m_mayBrowsePath;
  l.browseNewEnabled = m_mayBrowseNewPath;
  l.password = properties ? m_passwordRequired : !create;
  l.newPath = Is(m_mode, {ProjectDlgMode::kCreate, ProjectDlgMode::kCompact, ProjectDlgMode::kConvert});
  l.newPathLabelIsPath = create;
  l.newPassword = Is(
      m_mode, {ProjectDlgMode::kCreate, ProjectDlgMode::kCompact, ProjectDlgMode::kPassword, ProjectDlgMode::kConvert});
  l.newPasswordLabelIsPassword = create;
  l.details = showDetails && !m_passwordRequired;
  l.detailsReadOnly = properties;
  l.ok = !properties || m_passwordRequired;
  // The buttons open lists of a project that was read.
  l.detailButtons = properties && l.details && m_propertiesRead;
  l.usersButton = l.detailButtons && m_cfrMode && m_isCfr;
  l.testeesHistory = l.usersButton && m_hasTesteeHistory;
  l.scoresHistory = l.usersButton && m_hasScoreHistory;
  if (create) {
    l.focus = CProjectFormLayout::Focus::kBrowseNew;
  } else if (m_fields.path.empty()) {
    l.focus = CProjectFormLayout::Focus::kBrowsePath;
  } else {
    l.focus = CProjectFormLayout::Focus::kPassword;
  }
  return l;
}

std::string CProjectForm::Validate(const SameFileTest& sameFile) const {
  const CProjectFormLayout l = Layout();
  const CProjectFormFields& f = m_fields;
  const bool distinct = Is(m_mode, {ProjectDlgMode::kCompact, ProjectDlgMode::kConvert});
  std::string text;
  if (l.path && f.path.empty()) text += "Enter path of project file!\n";
  if (l.newPath && f.newPath.empty()) text += "Enter path of new project file!\n";
  if (distinct && !f.path.empty() && !f.newPath.empty() && sameFile && sameFile(f.path, f.newPath)) {
    text += "Can't copy project to itself!";
  }
  if (l.newPassword && f.newPassword != f.confirmation) text += "Wrong confirmation of new password!";
  if (m_mode == ProjectDlgMode::kPassword && f.password.empty() && f.newPassword.empty() && f.confirmation.empty()) {
    text += "Enter old and/or new password!";
  }
  return text;
}

}  // namespace qel
