// The experiment-model editor as the tasks-available dialog uses it: tasks
// are added to the model being edited, whose list is then refreshed. The
// model editor implements it.
#pragma once

class wxWindow;

namespace qel {

class CExpModelTask;

class IModelTaskEditor {
 public:
  enum AddMode { kAddAppend = 1, kAddInsert = 2 };

  // Adds a copy of the task (the editor owns its copy): kAddAppend at the
  // end, kAddInsert before the first selected task. False when the model
  // already holds that task or is full.
  virtual bool AddTask(int mode, const CExpModelTask& task) = 0;
  // Shows the model's tasks again.
  virtual void RefreshModelList() = 0;
  // The editor's window (the dialog's owner) and its list of the model's
  // tasks (the dialog opens below it); the list may be null.
  virtual wxWindow* GetEditorWindow() = 0;
  virtual wxWindow* GetModelListWindow() = 0;

 protected:
  ~IModelTaskEditor() = default;
};

}  // namespace qel
