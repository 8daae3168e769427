#include "app/model/ExpModel.h"

namespace qel {

CExpModel::CExpModel() { Reset(); }

void CExpModel::Reset() {
  name.clear();
  currentIndex = 0;
  loaded = 0;
  modified = 0;
  header.Reset();
  for (CExpModelTask& t : tasks) t.Clear();
}

CModelHeader* CExpModel::GetHeader() { return &header; }

CExpModelTask* CExpModel::GetTask(int i) {
  if (i < 0 || i >= GetTaskCount()) return nullptr;
  return &tasks[i];
}

const CExpModelTask* CExpModel::GetTask(int i) const {
  if (i < 0 || i >= GetTaskCount()) return nullptr;
  return &tasks[i];
}

CExpModelTask* CExpModel::SelectTask(int i) {
  CExpModelTask* task = GetTask(i);
  if (task) currentIndex = i;
  return task;
}

CExpModelTask* CExpModel::GetCurrentTask() { return GetTask(currentIndex); }

int CExpModel::GetCurrentTaskIndex() const {
  return currentIndex >= 0 && currentIndex < GetTaskCount() ? currentIndex : -1;
}

CExpModelTask* CExpModel::FindTaskByCode(const char* code) {
  if (!code) return nullptr;
  for (currentIndex = 0; currentIndex < GetTaskCount(); ++currentIndex) {
    if (tasks[currentIndex].TaskIdStr == code) return &tasks[currentIndex];
  }
  return nullptr;
}

int CExpModel::AddTask(const CExpModelTask& task) {
  const int count = GetTaskCount();
  if (count < 0 || count >= kMaxModelTasks) return -1;
  tasks[count] = task;
  header.taskCount = static_cast<uint32_t>(count + 1);
  SetModified(true, true);
  return count;
}

void CExpModel::ApplyKeysMapping(int hand) {
  if (CExpModelTask* task = GetCurrentTask()) task->ApplyKeysMapping(hand);
}

void CExpModel::ClearAssessmentCounts() {
  for (CExpModelTask& t : tasks) t.ClearAssessmentCounts();
}

void CExpModel::SelectNewAssessments() {
  for (int i = 0; i < GetTaskCount(); ++i) tasks[i].SelectNewAssessmentOfCurrentPart();
}

bool CExpModel::IsModified() const {
  if (modified) return true;
  for (int i = 0; i < GetTaskCount(); ++i) {
    if (tasks[i].modified) return true;
  }
  return false;
}

void CExpModel::SetModified(bool flag, bool allTasks) {
  modified = flag ? 1 : 0;
  if (!allTasks) return;
  for (int i = 0; i < GetTaskCount(); ++i) tasks[i].modified = modified;
}

void CExpModel::SetLoaded(bool flag, bool allTasks) {
  loaded = flag ? 1 : 0;
  if (!allTasks) return;
  for (int i = 0; i < GetTaskCount(); ++i) tasks[i].loaded = loaded;
}

}  // namespace qel
