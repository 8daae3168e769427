// The cached models of a project: each with its name, version, the user
// and date of its row, and its task entries (number, short code, name, and
// whether the task's plug-in was loaded when the entry was made).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"

namespace qel {

class IComboSink;
class ITaskAvailability;

class CModelTaskData {
 public:
  virtual ~CModelTaskData() = default;

  // Everything empty or false.
  void Reset();
  void Set(uint32_t taskId, const std::string& code, const std::string& name, bool available);

  uint32_t GetTaskId() const { return m_taskId; }
  const std::string& GetTaskIdStr() const { return m_taskIdStr; }
  const std::string& GetTaskName() const { return m_taskName; }
  bool IsAvailable() const { return m_available != 0; }

 private:
  uint32_t m_taskId = 0;
  std::string m_taskIdStr;
  std::string m_taskName;
  uint8_t m_available = 0;
};

class CModelData {
 public:
  // The availability answers for every task entry added later; not owned.
  explicit CModelData(const ITaskAvailability& tasks) : m_tasks(&tasks) {}
  virtual ~CModelData();
  CModelData(const CModelData&) = delete;
  CModelData& operator=(const CModelData&) = delete;

  // A null user is stored empty; the date only when it is valid, else null.
  void Set(const std::string& name, int32_t version, const std::string& versionText, const char* user,
           const QelDateTime& date);
  // Name and version text empty, version 0, every task entry reset and
  // deleted, task and unavailable counts 0.
  void Clear();

  // Appends a task entry whose available flag says whether the plug-in of
  // that short code is loaded now; counts it, and counts it unavailable when
  // not. Null (nothing added) when the model already holds the most tasks a
  // model can hold or memory runs out.
  CModelTaskData* AddTask(uint32_t taskId, const std::string& code, const std::string& name);

  // The first task entry with that short code (exact); null when none.
  const CModelTaskData* FindTask(const char* code) const;
  // The available flag of that entry; false when none.
  bool IsTaskAvailable(const char* code) const;
  // TaskId / short code of entry j; 0 / null out of range.
  uint32_t GetTaskId(int j) const;
  const char* GetTaskIdStr(int j) const;

  // Fills the combo with the short codes in order (empty, no selection,
  // append); codes and names (each may be null) receive the short codes and
  // the task names. Returns the number added.
  int FillTaskCombo(IComboSink& combo, std::vector<std::string>* codes, std::vector<std::string>* names) const;

  const std::string& GetName() const { return m_model; }
  int32_t GetVersion() const { return m_version; }
  const std::string& GetVersionStr() const { return m_versionStr; }
  const std::string& GetUser() const { return m_user; }
  const QelDateTime& GetDate() const { return m_date; }
  int GetTaskCount() const { return static_cast<int>(m_taskList.size()); }
  uint32_t GetUnavailableTaskCount() const { return m_unavailableCount; }
  const CModelTaskData* GetTask(int j) const;

 private:
  const ITaskAvailability* m_tasks;
  std::string m_model;
  int32_t m_version = 0;
  std::string m_versionStr;
  std::string m_user;
  QelDateTime m_date;
  std::vector<std::unique_ptr<CModelTaskData>> m_taskList;
  uint32_t m_unavailableCount = 0;
};

}  // namespace qel
