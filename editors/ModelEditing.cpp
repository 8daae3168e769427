#include "editors/ModelEditing.h"

#include <cstdio>
#include <utility>

#include "app/model/ExpModel.h"
#include "common/Prompt.h"
#include "engine/library/ModelTaskBinding.h"
#include "engine/library/TaskLibrary.h"

namespace qel {

CTaskLibrary* FindLibraryByCode(const TaskLibraryList& libraries, const std::string& code) {
  for (CTaskLibrary* library : libraries) {
    if (!library || !library->loaded || !library->modelDefault) continue;
    const QelModelTask* record = library->modelDefault;
    const std::string own(record->TaskIdStr, strnlen(record->TaskIdStr, sizeof record->TaskIdStr));
    if (own == code) return library;
  }
  return nullptr;
}

CModelEditing::CModelEditing(CExpModel* model, TaskLibraryList libraries)
    : m_model(model), m_libraries(std::move(libraries)) {}

int CModelEditing::TaskCount() const { return m_model ? m_model->GetTaskCount() : 0; }

bool CModelEditing::IsFull() const { return TaskCount() >= kMaxModelTasks; }

int CModelEditing::FindTask(unsigned taskId) const {
  if (!m_model) return -1;
  for (int i = 0; i < m_model->GetTaskCount(); ++i) {
    if (m_model->m_tasks[i].TaskId == taskId) return i;
  }
  return -1;
}

bool CModelEditing::MoveTaskSlot(int from, int to) {
  if (!m_model || from < 0 || to < 0) return false;
  const int count = m_model->GetTaskCount();
  if (from > count || to > count || from >= kMaxModelTasks || to >= kMaxModelTasks) return false;
  m_model->m_tasks[to] = m_model->m_tasks[from];
  return true;
}

bool CModelEditing::SwapTask(int i, int direction) {
  if (!m_model) return false;
  const int count = m_model->GetTaskCount();
  int j;
  if (direction == -1 && i > 0 && i < count) {
    j = i - 1;
  } else if (direction == 1 && i >= 0 && i + 1 < count) {
    j = i + 1;
  } else {
    return false;
  }
  std::swap(m_model->m_tasks[i], m_model->m_tasks[j]);
  MarkModified();
  return true;
}

bool CModelEditing::InsertTask(int index, const CExpModelTask& task) {
  if (!m_model) return false;
  const int count = m_model->GetTaskCount();
  if (index < 0 || index > count || count >= kMaxModelTasks) return false;
  if (FindTask(task.TaskId) >= 0) {
    ShowPrompt(DuplicateTaskMessage(task.TaskIdStr, m_model->m_name), "Qel", kPromptOk | kPromptIconStop);
    return false;
  }
  for (int k = count - 1; k >= index; --k) MoveTaskSlot(k, k + 1);
  m_model->m_header.m_taskCount = static_cast<uint32_t>(count + 1);
  CExpModelTask& slot = m_model->m_tasks[index];
  slot = task;
  // A task added to a loaded model is edited with it.
  slot.loaded = m_model->m_loaded;
  m_model->SelectTask(index);
  BindModelTaskTo(&slot, FindLibraryByCode(m_libraries, slot.TaskIdStr));
  MarkModified();
  return true;
}

int CModelEditing::DeleteTask(int i) {
  if (!m_model) return -1;
  const int count = m_model->GetTaskCount();
  if (i < 0 || i >= count) return -1;
  for (int k = i + 1; k < count; ++k) MoveTaskSlot(k, k - 1);
  m_model->m_tasks[count - 1].Clear();
  const int newCount = count - 1;
  m_model->m_header.m_taskCount = static_cast<uint32_t>(newCount);
  int current = m_model->m_currentIndex;
  if (current >= newCount) current = newCount > 0 ? newCount - 1 : 0;
  if (current < 0) current = 0;
  m_model->m_currentIndex = current;
  MarkModified();
  return current < newCount ? current : -1;
}

void CModelEditing::MarkModified() {
  if (m_model && m_model->m_loaded) m_model->SetModified(true, true);
}

bool CModelEditing::HasErrors() const {
  if (!m_model) return false;
  if (m_model->m_error) return true;
  for (int i = 0; i < m_model->GetTaskCount(); ++i) {
    if (m_model->m_tasks[i].HasTimingError()) return true;
  }
  return false;
}

void CModelEditing::BindAll() {
  if (!m_model) return;
  for (int i = 0; i < m_model->GetTaskCount(); ++i) {
    CExpModelTask& task = m_model->m_tasks[i];
    BindModelTaskTo(&task, FindLibraryByCode(m_libraries, task.TaskIdStr));
  }
}

std::string CurrentTaskCaption(int index) {
  if (index < 0) return "Current Task";
  return "Current Task " + std::to_string(index + 1);
}

std::string PartCaption(int part1Based, int partCount) {
  if (partCount > 1) return "Part " + std::to_string(part1Based) + " from " + std::to_string(partCount);
  return "Part";
}

EditorButtons ModelEditorButtons(const EditorState& s) {
  EditorButtons b;
  const bool hasTasks = s.taskCount > 0;
  const bool room = s.taskCount < kMaxModelTasks;
  const bool selected = s.selected >= 0 && s.selected < s.taskCount;
  bool editable = !s.runActive && s.canEdit;
  if (selected) editable = editable && s.selectedLibraryLoaded;
  b.add = s.loaded && room;
  b.insert = s.loaded && room && hasTasks && selected;
  b.remove = s.loaded && hasTasks && selected;
  b.moveUp = s.loaded && hasTasks && selected && s.selected >= 1;
  b.moveDown = s.loaded && hasTasks && selected && s.selected < s.taskCount - 1;
  b.runShown = s.canRun;
  b.runEnabled = s.canRun && editable && selected;
  b.okShown = s.loaded;
  b.okEnabled = s.loaded && s.modified;
  return b;
}

std::string DuplicateTaskMessage(const std::string& code, const std::string& modelName) {
  return "Task \"" + code + "\" already exists in model \"" + modelName + "\"!";
}

std::string DeleteTaskQuestion(const std::string& taskName, const std::string& modelName) {
  return "Task \"" + taskName + "\"\r\nmodel \"" + modelName + "\".\r\nDELETE task from model?\n";
}

std::string ModelErrorsQuestion(const std::string& modelName) {
  return "Model \"" + modelName + "\" has errors in parameters!\r\nApply changes in the model?";
}

std::string ApplyModelQuestion(const std::string& modelName) { return "Apply changes in the model?\n" + modelName; }

std::string TaskErrorsQuestion(const std::string& taskName) {
  return "Task \"" + taskName + "\" has errors in parameters!\r\nApply changes in the task?";
}

std::string ApplyTaskQuestion(const std::string& taskName) { return "Apply changes in the task?\n\"" + taskName + "\""; }

}  // namespace qel
