// The project dialog: selects, opens, creates, shows, compacts, re-protects
// and converts project files (".qep") in one of eight modes. It validates
// and collects; the project object does the opening and writing (create,
// compact, change password, convert). Every mode but the properties mode
// ends with OK when its operation succeeded; a failure leaves it open.
//
// A mode may finish before the window shows (a stored path that opens at
// once): Start tells, Run shows the window only when the operator is needed.
//
// Threads: the user-interface thread only.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "admin/ProjectForm.h"

class wxButton;
class wxStaticText;
class wxTextCtrl;

namespace qel {

class CQelProject;
class ITaskAvailability;

// The windows that the properties mode's buttons and the users-list mode
// open on the project the dialog read. The program installs them; a button
// whose window is not installed is not shown, and the users list falls back
// to a plain list of the project's users.
enum class ProjectWindow : int { kModels, kTestees, kAssessments, kScores, kUsers, kTesteesHistory, kScoresHistory };
using ProjectWindowOpener = std::function<void(wxWindow* parent, CQelProject& project)>;
void SetProjectWindow(ProjectWindow which, ProjectWindowOpener opener);
bool HasProjectWindow(ProjectWindow which);

class CDlgProject : public wxDialog {
 public:
  enum ControlId : int {
    kIdBrowse = 1093,
    kIdBrowseNew = 1094,
    kIdUsers = 1099,
    kIdTestees = 1100,
    kIdScores = 1101,
    kIdAssessments = 1102,
    kIdModels = 1103,
    kIdResponsesHistory = 1104,
    kIdScoresHistory = 1105,
    kIdTesteesHistory = 1106,
    kIdCommentLabel = 1256,
    kIdPath = 1317,
    kIdInstitute = 1318,
    kIdPassword = 1319,
    kIdConfirmation = 1320,
    kIdInstituteLabel = 1321,
    kIdNewPath = 1323,
    kIdNewPassword = 1324,
    kIdPasswordNote = 1325,
    kIdComment = 1326,
    kIdNewPathLabel = 1327,
    kIdInfo = 1328,
    kIdConfirmationLabel = 1329,
    kIdNewPasswordNote = 1330,
    kIdNewPasswordLabel = 1331,
    kIdPasswordLabel = 1332,
    kIdPathLabel = 1333,
    kIdDetails = 1421,
  };

  // Asks for a project file: save false to pick an existing one, true to
  // name a new one (with an overwrite prompt). Empty when cancelled.
  using FileChooser = std::function<std::string(wxWindow* parent, bool save, const std::string& current)>;

  // project: the project the dialog works on (the working project; may be
  // null in the properties and users-list modes, which read the file into
  // a project object of their own). tasks: which plug-ins are loaded, for
  // that own project.
  CDlgProject(wxWindow* parent, CQelProject* project, ProjectDlgMode mode, const ITaskAvailability& tasks);
  ~CDlgProject() override;

  void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }

  // The start of the mode (reads, shows or opens a given path): wxID_OK or
  // wxID_CANCEL when the mode already finished, 0 when the operator is
  // needed.
  int Start();
  // Start, then the modal window when needed; the dialog's result.
  int Run();

  const CProjectForm& Form() const { return m_form; }
  // The project the dialog works on (its own one in the properties and
  // users-list modes).
  CQelProject* Project() const { return m_pProject; }

 private:
  void BuildControls();
  void ShowFields();
  void TakeFields();
  void UpdateControls();
  // Opens the project at the file path with the typed password; a project
  // that needs one turns the dialog to asking for it.
  bool OpenWithPassword();
  bool ReadProperties();
  bool ShowUsers();
  bool Compact();
  bool ChangePassword();
  bool Execute();
  void Finish(int code);

  void OnOk(wxCommandEvent& event);
  void OnBrowse(wxCommandEvent& event);
  void OnBrowseNew(wxCommandEvent& event);
  void OnWindowButton(wxCommandEvent& event);

  CProjectForm m_form;
  std::unique_ptr<CQelProject> m_ownProject;
  CQelProject* m_pProject;
  FileChooser m_chooser;
  int m_startResult = 0;
  wxTextCtrl* m_pPath = nullptr;
  wxTextCtrl* m_pPassword = nullptr;
  wxTextCtrl* m_pNewPassword = nullptr;
  wxTextCtrl* m_pConfirmation = nullptr;
  wxTextCtrl* m_pNewPath = nullptr;
  wxTextCtrl* m_pInstitute = nullptr;
  wxTextCtrl* m_pComment = nullptr;
  wxStaticText* m_pInfo = nullptr;
  wxStaticText* m_pNewPathLabel = nullptr;
  wxStaticText* m_pNewPasswordLabel = nullptr;
};

// The project file chooser of the browse buttons: the open-file dialog (the
// file must exist) or the save-file dialog (with an overwrite prompt), both
// for "Qel project files (*.qep)".
std::string ChooseProjectFile(wxWindow* parent, bool save, const std::string& current);

// The project object's dialog entry points: the dialog in the mode on the
// project; true on OK.
bool DoProjectDialogEx(CQelProject* project, ProjectDlgMode mode, wxWindow* parent, const ITaskAvailability& tasks);
// On a project object of its own for the file (for example a project of the
// Projects page's list).
bool DoProjectDialogForFile(const std::string& path, ProjectDlgMode mode, wxWindow* parent,
                            const ITaskAvailability& tasks);

}  // namespace qel
