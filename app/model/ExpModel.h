// An experiment model: an ordered list of at most 40 tasks with a header,
// the current task and the loaded and modified flags. The document owns the
// program's one model; the model file reads and writes it.
#pragma once

#include <cstdint>
#include <string>

#include "app/model/ExpModelTask.h"
#include "app/model/ModelHeader.h"

namespace qel {

class CExpModel {
 public:
  CExpModel();
  virtual ~CExpModel() = default;
  CExpModel(const CExpModel&) = default;
  CExpModel& operator=(const CExpModel&) = default;

  // An empty model: no name, a new header, every slot cleared.
  void Reset();

  virtual CModelHeader* GetHeader();      // slot 0
  virtual CExpModelTask* GetTask(int i);  // slot 1: 0..count-1, else null
  const CModelHeader* GetHeader() const { return &m_header; }
  const CExpModelTask* GetTask(int i) const;

  // The count never exceeds the 40 slots, whatever was stored in the header.
  int GetTaskCount() const {
    return static_cast<int>(m_header.m_taskCount < kMaxModelTasks ? m_header.m_taskCount : kMaxModelTasks);
  }
  CExpModelTask* SelectTask(int i);
  CExpModelTask* GetCurrentTask();
  int GetCurrentTaskIndex() const;
  // Case-sensitive search by short code; the match becomes current. Without
  // a match the current index is left at the count (no current task).
  CExpModelTask* FindTaskByCode(const char* code);
  // Appends a copy; -1 when the model is full.
  int AddTask(const CExpModelTask& task);
  void ApplyKeysMapping(int hand);
  void ClearAssessmentCounts();
  void SelectNewAssessments();
  bool IsModified() const;
  void SetModified(bool flag, bool allTasks);
  void SetLoaded(bool flag, bool allTasks);

  std::string m_name;  // the file title of the model file
  CModelHeader m_header;
  CExpModelTask m_tasks[kMaxModelTasks];
  int m_currentIndex = 0;
  uint8_t m_loaded = 0;
  uint8_t m_modified = 0;
  uint8_t m_error = 0;  // not 0: the model has errors in its parameters
};

}  // namespace qel
