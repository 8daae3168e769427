#include "project/ModelData.h"

#include <new>

#include "include/qel/ModelTask.h"
#include "project/CacheDetail.h"
#include "project/ComboSink.h"
#include "project/TaskAvailability.h"

namespace qel {

using cache_detail::AppendOwned;

void CModelTaskData::Reset() {
  m_taskId = 0;
  m_taskIdStr.clear();
  m_taskName.clear();
  m_available = 0;
}

void CModelTaskData::Set(uint32_t taskId, const std::string& code, const std::string& name, bool available) {
  std::string newCode = code;
  std::string newName = name;
  m_taskId = taskId;
  m_taskIdStr = std::move(newCode);
  m_taskName = std::move(newName);
  m_available = available ? 1 : 0;
}

CModelData::~CModelData() { Clear(); }

void CModelData::Set(const std::string& name, int32_t version, const std::string& versionText, const char* user,
                     const QelDateTime& date) {
  std::string newName = name;
  std::string newVersionText = versionText;
  std::string newUser = cache_detail::TextOrEmpty(user);
  m_model = std::move(newName);
  m_version = version;
  m_versionStr = std::move(newVersionText);
  m_user = std::move(newUser);
  m_date = cache_detail::ValidOrNull(date);
}

void CModelData::Clear() {
  m_model.clear();
  m_versionStr.clear();
  m_version = 0;
  for (auto& task : m_taskList) task->Reset();
  m_taskList.clear();
  m_unavailableCount = 0;
}

CModelTaskData* CModelData::AddTask(uint32_t taskId, const std::string& code, const std::string& name) {
  if (m_taskList.size() >= static_cast<size_t>(kMaxModelTasks)) return nullptr;
  try {
    auto task = std::make_unique<CModelTaskData>();
    const bool available = m_tasks->IsTaskLibraryLoaded(code);
    task->Set(taskId, code, name, available);
    CModelTaskData* added = AppendOwned(m_taskList, std::move(task));
    if (!available) ++m_unavailableCount;
    return added;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

const CModelTaskData* CModelData::FindTask(const char* code) const {
  return cache_detail::FindFirst(m_taskList, code,
                                 [](const CModelTaskData& t) -> const std::string& { return t.GetTaskIdStr(); });
}

bool CModelData::IsTaskAvailable(const char* code) const {
  const CModelTaskData* task = FindTask(code);
  return task && task->IsAvailable();
}

const CModelTaskData* CModelData::GetTask(int j) const {
  if (j < 0 || j >= GetTaskCount()) return nullptr;
  return m_taskList[static_cast<size_t>(j)].get();
}

uint32_t CModelData::GetTaskId(int j) const {
  const CModelTaskData* task = GetTask(j);
  return task ? task->GetTaskId() : 0;
}

const char* CModelData::GetTaskIdStr(int j) const {
  const CModelTaskData* task = GetTask(j);
  return task ? task->GetTaskIdStr().c_str() : nullptr;
}

int CModelData::FillTaskCombo(IComboSink& combo, std::vector<std::string>* codes,
                              std::vector<std::string>* names) const {
  cache_detail::Empty(codes);
  cache_detail::Empty(names);
  combo.ResetContent();
  combo.SetNoSelection();
  for (const auto& task : m_taskList) {
    combo.AddString(task->GetTaskIdStr());
    cache_detail::Put(codes, task->GetTaskIdStr());
    cache_detail::Put(names, task->GetTaskName());
  }
  return GetTaskCount();
}

}  // namespace qel
