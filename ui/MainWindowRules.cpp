#include "ui/MainWindowRules.h"

#include <iterator>

namespace qel {

namespace {

constexpr int kLanguageDutch = 2;
constexpr int kLanguageItalian = 3;

constexpr QelCommandEntry kToolbar[kToolbarEntriesCfr] = {
    {kCmdFileNew, "&New Model\tCtrl+N", "New Qel model", "Create a new Qel model"},
    {kCmdFileOpen, "&Open Model...\tCtrl+O", "Open Qel model", "Open an existing Qel model"},
    {kCmdFileSave, "&Save Model\tCtrl+S", "Save Qel model", "Save the active Qel model"},
    {0, nullptr, nullptr, nullptr},
    {kCmdFilePrint, "&Print Model...\tCtrl+P", "Print Qel model", "Print the active Qel model"},
    {kCmdFilePrintPreview, "Print Model Pre&view", "Print Preview", "Display full pages"},
    {0, nullptr, nullptr, nullptr},
    {kCmdAppAbout, "&About Qel...", "About", "Display program information, version number and copyright"},
    {kCmdContextHelp, nullptr, "Help", "Display help for clicked on buttons, menus and windows"},
    {0, nullptr, nullptr, nullptr},
    {kCmdProjectNew, "&New...", "New Qel project", "Create a new Qel project"},
    {kCmdProjectConvert, "&Convert to CFR compliant...", "Convert current Qel project to CFR version",
     "Convert current Qel project to CFR version"},
    {0, nullptr, nullptr, nullptr},
    {kCmdSystemUsers, "Users...", "Update Qel Users for this Qel Workstation", "Update Qel Users"},
    {0, nullptr, nullptr, nullptr},
    {kCmdAddLoggedUser, "&Add logged user to project", "Add logged user to current project",
     "Add logged user to current project"},
    {kCmdLoginProjectUser, "&Login as project's user...",
     "Login as user from current project and add user to workstation users list", "Login as user from current project"},
    {kCmdCompareUsers, "Compare project and workstation &&users",
     "Compare users from current project and from Qel workstation",
     "Compare users from current project and from Qel workstation"},
};

const QelCommandEntry& Entry(int command) {
  for (const QelCommandEntry& entry : kToolbar) {
    if (entry.command == command) return entry;
  }
  static const QelCommandEntry kNone{0, nullptr, nullptr, nullptr};
  return kNone;
}

}  // namespace

std::vector<QelCommandEntry> ToolbarEntries(bool cfrMode) {
  const int count = cfrMode ? kToolbarEntriesCfr : kToolbarEntriesPlain;
  return std::vector<QelCommandEntry>(std::begin(kToolbar), std::begin(kToolbar) + count);
}

std::vector<QelCommandEntry> ProjectMenuEntries(bool cfrMode) {
  std::vector<QelCommandEntry> items = {
      Entry(kCmdProjectNew),
      {kCmdProjectPassword, "Pass&word...", nullptr, "Change the password of the working project"},
      {kCmdProjectProperties, "&Properties...", nullptr, "Show the properties of the working project"},
  };
  if (cfrMode) {
    items.push_back({0, nullptr, nullptr, nullptr});
    items.push_back(Entry(kCmdProjectConvert));
    items.push_back(Entry(kCmdLoginProjectUser));
    items.push_back(Entry(kCmdAddLoggedUser));
    items.push_back(Entry(kCmdCompareUsers));
  }
  return items;
}

bool CanRunProjectCommand(const MainViewState& state, bool needPath) {
  if (state.running) return false;
  return !needPath || !state.projectPath.empty();
}

bool IsMainViewCommandEnabled(const MainViewState& s, int command) {
  const bool cfrProject = s.cfrProject;
  switch (command) {
    case kCmdProjectNew:
      return CanRunProjectCommand(s, false) && (!s.cfrMode || s.logged);
    case kCmdProjectCompact:
    case kCmdProjectPassword:
    case kCmdProjectProperties:
      return CanRunProjectCommand(s, false);
    case kCmdProjectUsers:
      return CanRunProjectCommand(s, false) && s.cfrMode;
    case kCmdProjectConvert:
      return CanRunProjectCommand(s, true) && s.cfrMode && s.logged && !cfrProject;
    case kCmdLoginProjectUser:
    case kCmdCompareUsers:
      return CanRunProjectCommand(s, true) && s.cfrMode && cfrProject;
    case kCmdAddLoggedUser:
      return CanRunProjectCommand(s, true) && s.cfrMode && s.logged && cfrProject;
    case kCmdTesteeNew:
    case kCmdTesteeNewCode:
      return s.testeesPageAllows;
    case kCmdSystemUsers:
      return s.cfrMode;
    default:
      return true;
  }
}

std::string WorkingProjectCaption(const MainViewState& state) {
  std::string caption = "Working project";
  if (state.hasProject && state.cfrProject) {
    caption += " (21CFR part11)";
    if (!state.cfrMode) caption += " CANNOT BE PROCESSED!";
  }
  return caption;
}

std::string LoggedUserText(const std::string& userId) {
  return userId.empty() ? std::string("<- Login (21CFR part11)") : userId;
}

std::string MainViewTooltip(int control, bool logged) {
  constexpr const char* kLoginFirst = "Press 'User login' button to login as Qel user";
  switch (control) {
    case kIdLogin:
      return logged ? "Press to logout as current user" : "Press to login as Qel user";
    case kIdUserView:
      return logged ? "View currently logged user data" : kLoginFirst;
    case kIdViewUsers:
      return "View list of users of working project";
    case kIdLoggedUser:
      return logged ? "Currently logged user Id" : kLoginFirst;
    case kIdBrowseProject:
      return "Select existing Qel project and set it as current working project";
    case kIdProjectPath:
      return "Currently selected working project";
    case kIdTabs:
      return "Select Tab for necessary operations on working project";
    case kIdRefreshTree:
      return "Refresh view of full content (project tree) of working project";
    case kIdProjectPathLabel:
      return "Path of currenly selected Qel project file (working project)";
    case kIdHelp:
      return "Click me!";
    default:
      return std::string();
  }
}

int MainViewGeneralHelpText(int language) {
  if (language == kLanguageDutch) return 285;
  if (language == kLanguageItalian) return 337;
  return 246;
}

int MainViewPageHelpText(int page, int language) {
  struct PageTexts {
    int base, dutch, italian;
  };
  static constexpr PageTexts kTexts[kMainViewPages] = {
      {217, 271, 361}, {218, 272, 332}, {221, 273, 333}, {220, 274, 334}, {219, 275, 335}, {222, 276, 336},
  };
  if (page < 0 || page >= kMainViewPages) return 0;
  if (language == kLanguageDutch) return kTexts[page].dutch;
  if (language == kLanguageItalian) return kTexts[page].italian;
  return kTexts[page].base;
}

const char* AboutPageCaption(int page) {
  static constexpr const char* kCaptions[kAboutPages] = {"Copyright", "License", "Users", "Publications",
                                                         "Award",     "About",   "FrameOfReference"};
  return page >= 0 && page < kAboutPages ? kCaptions[page] : nullptr;
}

int AboutPageText(int page, int language) {
  struct PageTexts {
    int dutch, other;
  };
  // Copyright and License are 390 and 391: 205 and 206 are the editors' feedback texts.
  static constexpr PageTexts kTexts[kAboutPages] = {{25, 390}, {26, 391}, {28, 200}, {27, 201},
                                                    {22, 203}, {21, 204}, {24, 212}};
  if (page < 0 || page >= kAboutPages) return 0;
  return language == kLanguageDutch ? kTexts[page].dutch : kTexts[page].other;
}

int ClampHelpPercent(int percent) {
  constexpr int kMin = 20;
  constexpr int kMax = 100;
  return percent < kMin ? kMin : (percent > kMax ? kMax : percent);
}

}  // namespace qel
