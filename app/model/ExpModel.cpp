#include "app/model/ExpModel.h"

namespace qel {

CExpModel::CExpModel() { Reset(); }

void CExpModel::Reset() {
  m_name.clear();
  m_currentIndex = 0;
  m_loaded = 0;
  m_modified = 0;
  m_error = 0;
  m_header.Reset();
  for (CExpModelTask& t : m_tasks) t.Clear();
}

CModelHeader* CExpModel::GetHeader() { return &m_header; }

CExpModelTask* CExpModel::GetTask(int i) {
  if (i < 0 || i >= GetTaskCount()) return nullptr;
  return &m_tasks[i];
}

const CExpModelTask* CExpModel::GetTask(int i) const {
  if (i < 0 || i >= GetTaskCount()) return nullptr;
  return &m_tasks[i];
}

CExpModelTask* CExpModel::SelectTask(int i) {
  CExpModelTask* task = GetTask(i);
  if (task) m_currentIndex = i;
  return task;
}

CExpModelTask* CExpModel::GetCurrentTask() { return GetTask(m_currentIndex); }

int CExpModel::GetCurrentTaskIndex() const {
  return m_currentIndex >= 0 && m_currentIndex < GetTaskCount() ? m_currentIndex : -1;
}

CExpModelTask* CExpModel::FindTaskByCode(const char* code) {
  if (!code) return nullptr;
  for (m_currentIndex = 0; m_currentIndex < GetTaskCount(); ++m_currentIndex) {
    if (m_tasks[m_currentIndex].TaskIdStr == code) return &m_tasks[m_currentIndex];
  }
  return nullptr;
}

int CExpModel::AddTask(const CExpModelTask& task) {
  const int count = GetTaskCount();
  if (count < 0 || count >= kMaxModelTasks) return -1;
  m_tasks[count] = task;
  m_header.m_taskCount = static_cast<uint32_t>(count + 1);
  SetModified(true, true);
  return count;
}

void CExpModel::ApplyKeysMapping(int hand) {
  if (CExpModelTask* task = GetCurrentTask()) task->ApplyKeysMapping(hand);
}

void CExpModel::ClearAssessmentCounts() {
  for (CExpModelTask& t : m_tasks) t.ClearAssessmentCounts();
}

void CExpModel::SelectNewAssessments() {
  for (int i = 0; i < GetTaskCount(); ++i) m_tasks[i].SelectNewAssessmentOfCurrentPart();
}

bool CExpModel::IsModified() const {
  if (m_modified) return true;
  for (int i = 0; i < GetTaskCount(); ++i) {
    if (m_tasks[i].modified) return true;
  }
  return false;
}

void CExpModel::SetModified(bool flag, bool allTasks) {
  m_modified = flag ? 1 : 0;
  if (!allTasks) return;
  for (int i = 0; i < GetTaskCount(); ++i) m_tasks[i].modified = m_modified;
}

void CExpModel::SetLoaded(bool flag, bool allTasks) {
  m_loaded = flag ? 1 : 0;
  if (!allTasks) return;
  for (int i = 0; i < GetTaskCount(); ++i) m_tasks[i].loaded = m_loaded;
}

}  // namespace qel
