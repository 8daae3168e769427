// What a testee's score sets and its assessments of one model have in
// common: the cached model the entry is bound to, and its task entries,
// each bound to the model's task of a short code. The entry owns its task
// entries; the bound model and tasks belong to the cache's model list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "project/CacheDetail.h"
#include "project/ModelData.h"

namespace qel {

namespace cache_detail {

template <class TaskEntry>
class ModelEntry {
 public:
  // Bound to the cached model (may be null); not owned.
  explicit ModelEntry(const CModelData* model) : m_model(model) {}
  virtual ~ModelEntry() { ClearTasks(); }
  ModelEntry(const ModelEntry&) = delete;
  ModelEntry& operator=(const ModelEntry&) = delete;

  // Appends a task entry bound to the bound model's task of that code (null
  // when the model is null or has no such task); std::bad_alloc leaves the
  // list as it was.
  TaskEntry* AddTask(const std::string& code) {
    const CModelTaskData* task = m_model ? m_model->FindTask(code.c_str()) : nullptr;
    return AppendOwned(m_taskList, std::make_unique<TaskEntry>(task));
  }
  // Drops the last task entry (undoes an AddTask).
  void RemoveLastTask() {
    if (!m_taskList.empty()) m_taskList.pop_back();
  }
  // The first task entry whose bound task has that short code; null when none.
  TaskEntry* FindTask(const char* code) { return FindByBoundTask(m_taskList, code); }
  const TaskEntry* FindTask(const char* code) const { return FindByBoundTask(m_taskList, code); }

  const CModelData* GetBoundModel() const { return m_model; }
  int GetTaskCount() const { return static_cast<int>(m_taskList.size()); }
  const TaskEntry* GetTask(int i) const {
    if (i < 0 || i >= GetTaskCount()) return nullptr;
    return m_taskList[static_cast<size_t>(i)].get();
  }

 protected:
  // Bound model null, task entries cleared and deleted.
  void ClearTasks() {
    m_model = nullptr;
    for (auto& task : m_taskList) task->Clear();
    m_taskList.clear();
  }

  // Rows of the task entry with that code (of every one when code is null):
  // rowsOf appends an entry's value columns and returns their number; the
  // code column follows. Returns the rows added.
  template <class Lists, class RowsOf>
  int TaskRows(const char* code, const Lists& lists, RowsOf rowsOf) const {
    return RowsOfEntries(
        m_taskList, code, [&](const char* key) { return FindTask(key); },
        [&](const TaskEntry& task) {
          const int added = rowsOf(task);
          PutRepeated(lists.codes, CodeColumn(code, task.GetBoundTask()), added);
          return added;
        });
  }

  const CModelData* m_model;
  std::vector<std::unique_ptr<TaskEntry>> m_taskList;
};

}  // namespace cache_detail

}  // namespace qel
