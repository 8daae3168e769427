// The model editor's changes to an experiment model, without windows: the
// task slots are inserted, deleted, swapped and found here, the model is
// marked modified, the buttons' state and the captions are worked out. The
// dialog keeps its list of tasks in step with the results.
#pragma once

#include <string>
#include <vector>

namespace qel {

class CExpModel;
class CExpModelTask;
class CTaskLibrary;

// The plug-ins a model's tasks are bound to, searched by short code.
using TaskLibraryList = std::vector<CTaskLibrary*>;
// The first loaded record whose short code equals code (case-sensitive); null when none.
CTaskLibrary* FindLibraryByCode(const TaskLibraryList& libraries, const std::string& code);

class CModelEditing {
 public:
  CModelEditing(CExpModel* model, TaskLibraryList libraries);

  CExpModel* Model() const { return m_model; }
  const TaskLibraryList& Libraries() const { return m_libraries; }

  int TaskCount() const;
  bool IsFull() const;
  // Index of the first task with that task number; -1 when none.
  int FindTask(unsigned taskId) const;
  // Slot `to` := slot `from` (both below 40 and at most the count).
  bool MoveTaskSlot(int from, int to);
  // Exchanges task i with its neighbour (direction -1 up, +1 down).
  bool SwapTask(int i, int direction);
  // Inserts a copy of the task at index, binds it, makes it current; false
  // (and a message for a duplicate task number) when it cannot.
  bool InsertTask(int index, const CExpModelTask& task);
  // Removes task i; returns the row to select afterwards (-1 when none).
  int DeleteTask(int i);
  // The model's (and every task's) modified flag, only while the model is loaded.
  void MarkModified();
  // The model's error flag or any task's timing-error flag.
  bool HasErrors() const;
  // Binds every task of the model to the list.
  void BindAll();

 private:
  CExpModel* m_model;
  TaskLibraryList m_libraries;
};

// "Current Task" or "Current Task <1-based index>".
std::string CurrentTaskCaption(int index);
// "Part %d from %d" for more than one part, else "Part".
std::string PartCaption(int part1Based, int partCount);

// The buttons of the model editor (and of the task dialog).
struct EditorButtons {
  bool add = false, insert = false, remove = false, moveUp = false, moveDown = false;
  bool runShown = false, runEnabled = false;
  bool okShown = false, okEnabled = false;
};
struct EditorState {
  bool hasModel = false;
  bool loaded = false;
  bool modified = false;
  int taskCount = 0;
  int selected = -1;
  bool runActive = false;
  bool canEdit = true;
  bool canRun = false;
  bool selectedLibraryLoaded = false;
};
EditorButtons ModelEditorButtons(const EditorState& s);

// Messages.
std::string DuplicateTaskMessage(const std::string& code, const std::string& modelName);
std::string DeleteTaskQuestion(const std::string& taskName, const std::string& modelName);
std::string ModelErrorsQuestion(const std::string& modelName);
std::string ApplyModelQuestion(const std::string& modelName);
std::string TaskErrorsQuestion(const std::string& taskName);
std::string ApplyTaskQuestion(const std::string& taskName);


}  // namespace qel
