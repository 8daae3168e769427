// The score dialog of a finished run, as the end of a run reaches it: the
// program installs the factory that makes, runs and destroys the real
// dialog. Without a factory no score dialog comes up and nothing is stored.
#pragma once

#include <cstdint>
#include <string>

class wxWindow;

namespace qel {

class CExpModelTask;
class CTaskRunData;
class IRunProject;

// The dialog's modal result that stores the run (wxID_OK).
constexpr int kScoreDialogOk = 5100;

struct ScoreDialogRequest {
  wxWindow* parent = nullptr;       // the run dialog (it fills this in)
  CTaskRunData* runData = nullptr;  // read only: trial arrays and the computed variables
  IRunProject* project = nullptr;
  std::string testeeCode;
  std::string modelName;
  CExpModelTask* task = nullptr;
  int part = 1;          // counted from 1
  bool savable = false;  // the run may be stored as a score
  bool practice = false;
};

class IScoreDialogFactory {
 public:
  virtual ~IScoreDialogFactory() = default;
  // Constructs the dialog with the request, shows it modally and destroys
  // it; the modal result (kScoreDialogOk: store the run).
  virtual int RunScoreDialog(const ScoreDialogRequest& request) = 0;
};

void SetScoreDialogFactory(IScoreDialogFactory* factory);  // not owned
IScoreDialogFactory* GetScoreDialogFactory();

// The list of a stored score's saved versions (newest first, the version
// that stands at 0), as the score dialog's "<- ChangesList" opens it to
// choose the version its changes view shows; the program installs the
// administration dialogs' score-history dialog. Without one the score
// dialog offers no such list.
struct ScoreVersionsRequest {
  wxWindow* parent = nullptr;  // the score dialog
  std::string projectPath, projectName;
  std::string testee, model, task;
  uint32_t assessment = 0;
  int selected = -1;  // the row of the version shown now
};

class IScoreVersionsDialog {
 public:
  virtual ~IScoreVersionsDialog() = default;
  // Shows the list modally: the chosen row, or -1 when nothing was chosen.
  virtual int ChooseVersion(const ScoreVersionsRequest& request) = 0;
};

void SetScoreVersionsDialog(IScoreVersionsDialog* dialog);  // not owned
IScoreVersionsDialog* GetScoreVersionsDialog();

}  // namespace qel
