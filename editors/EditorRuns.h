// How the editors start the signal and practice runs of a task: the
// program's run dialog behind an interface, so that the editors' rules do
// not depend on it. The window that starts a run is told of its start and
// end with the run notifications (started, ended).
#pragma once

#include <string>

class wxWindow;

namespace qel {

class CExpModelTask;

class IEditorRuns {
 public:
  // A run of either kind is in progress or being set up.
  virtual bool IsRunActive() const = 0;
  // Starts the "view task signals" run or a practice run of the task;
  // false when a run is in progress or it does not start.
  virtual bool RunSignals(CExpModelTask* task, const std::string& modelName, wxWindow* notify) = 0;
  virtual bool RunPractice(CExpModelTask* task, const std::string& modelName, wxWindow* notify) = 0;
  // Ends a run in progress (nothing when none runs).
  virtual void AbortRun() = 0;

 protected:
  ~IEditorRuns() = default;
};

}  // namespace qel
