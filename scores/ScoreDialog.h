// The score dialog of a finished run, as the end of a run reaches it: the
// program installs the factory that makes, runs and destroys the real
// dialog. Without a factory no score dialog comes up and nothing is stored.
#pragma once

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
  CTaskRunData* runData = nullptr;  // read only: trial arrays and variables of command 29
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

}  // namespace qel
