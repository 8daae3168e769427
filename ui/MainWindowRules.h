// Rules of the main window that need no window: its command numbers, the
// toolbar and the Project menu by mode, the enabling of the main view's
// commands, its captions and tooltips, and its help texts by page and
// language.
#pragma once

#include <string>
#include <vector>

namespace qel {

// Commands of the main window's menus, toolbar and buttons.
enum QelCommandId : int {
  kCmdSystemConfig = 32791,
  kCmdLargeIcons = 32800,
  kCmdSystemUsers = 32803,
  kCmdProjectNew = 32804,
  kCmdProjectCompact = 32805,
  kCmdProjectPassword = 32806,
  kCmdProjectConvert = 32807,
  kCmdProjectUsers = 32808,
  kCmdAddLoggedUser = 32811,
  kCmdLoginProjectUser = 32812,
  kCmdTesteeNew = 32813,
  kCmdTesteeNewCode = 32817,
  kCmdProjectProperties = 32821,
  kCmdCompareUsers = 32826,
  kCmdFontSetup = 32830,
  // The framework's file and help commands.
  kCmdFileNew = 57600,
  kCmdFileOpen = 57601,
  kCmdFileSave = 57603,
  kCmdFilePrint = 57607,
  kCmdFilePrintDirect = 57608,
  kCmdFilePrintPreview = 57609,
  kCmdAppAbout = 57664,
  kCmdContextHelp = 57669,
};

// The window id of a command: the program's own commands (32791 and up)
// lie beyond the toolkit's menu ids, so they are moved down by a fixed
// offset; the framework's commands keep theirs.
constexpr int kMenuIdOffset = 20000;
constexpr int MenuId(int command) { return command >= kCmdSystemConfig && command < kCmdFileNew ? command - kMenuIdOffset : command; }

// One toolbar button or menu item; command 0 is a separator.
struct QelCommandEntry {
  int command;
  const char* menuText;  // null: no menu item
  const char* tooltip;
  const char* prompt;  // the status-bar prompt
};

// The toolbar: all 18 entries in 21 CFR mode, else the first 11.
constexpr int kToolbarEntriesCfr = 18;
constexpr int kToolbarEntriesPlain = 11;
std::vector<QelCommandEntry> ToolbarEntries(bool cfrMode);

// The Project menu: without 21 CFR mode "&New...", "Pass&word...",
// "&Properties..." only; in 21 CFR mode those, a separator and the four
// commands of CFR projects. "Compact..." and "Users..." are in neither.
std::vector<QelCommandEntry> ProjectMenuEntries(bool cfrMode);

// What the main view's commands depend on.
struct MainViewState {
  bool running = false;       // a test, practice or signals run is in progress
  bool hasProject = false;    // the document has a project object
  std::string projectPath;    // its path (empty: none)
  bool cfrProject = false;    // the open project is in the audited (CFR) format
  bool cfrMode = true;
  bool logged = false;        // a user is logged in
  bool testeesPageAllows = false;  // the Testees page offers its new-testee actions
};

bool CanRunProjectCommand(const MainViewState& state, bool needPath);
// Whether the view's command is enabled; true for commands it does not rule.
bool IsMainViewCommandEnabled(const MainViewState& state, int command);

// "Working project", + " (21CFR part11)" for a CFR-format project, +
// " CANNOT BE PROCESSED!" when the program does not keep those rules.
std::string WorkingProjectCaption(const MainViewState& state);
// The logged-user text, or "<- Login (21CFR part11)" when nobody is logged in.
std::string LoggedUserText(const std::string& userId);

// Controls of the main view.
enum MainViewControl : int {
  kIdBrowseProject = 1093,
  kIdProjectPath = 1161,
  kIdTabs = 1164,
  kIdRefreshTree = 1174,
  kIdUserIcon = 1322,
  kIdProjectPathLabel = 1333,
  kIdHelp = 1337,
  kIdLogin = 1338,
  kIdUserView = 1339,
  kIdViewUsers = 1340,
  kIdWorkingProject = 1348,
  kIdLoggedUser = 1383,
};
// The tooltip of a control; empty for a control without one.
std::string MainViewTooltip(int control, bool logged);

// The main view's help: the general text, then the current page's text
// (pages 0-5), by language (2 Dutch, 3 Italian, any other the default).
constexpr int kMainViewPages = 6;
int MainViewGeneralHelpText(int language);
// 0 for a page without a help text.
int MainViewPageHelpText(int page, int language);

// The About box's pages: caption and text by language (2 Dutch, any other
// the default).
constexpr int kAboutPages = 7;
const char* AboutPageCaption(int page);  // null outside 0-6
int AboutPageText(int page, int language);

// The help dialog's size percentage, 20 to 100.
int ClampHelpPercent(int percent);

}  // namespace qel
