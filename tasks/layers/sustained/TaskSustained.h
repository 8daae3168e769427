// The layer between the series layer and the three sustained-attention
// tasks (objects, dots, tones): their published tables set in one place,
// and the variables of a part computed by the shared scoring with each
// task's layout of its table.
#pragma once

#include <cstdint>

#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskTables.h"
#include "tasks/layers/series/TaskSeries.h"
#include "tasks/layers/sustained/SustainedScoring.h"

namespace qel {

// What a sustained-attention task publishes (static data of the task).
struct SustainedTables {
  const QelModelTask* modelDefault;
  const QelTaskDescription* description;
  const char* const* versionNames;
  int32_t versionCount;
  const TaskVariableDef* variables;
  uint32_t variableCount;
  const TaskNormVariable* normVariables;
  uint32_t normVariableCount;
  const char* const* captions2;  // after the shared caption table
  int32_t captionCount2;
  const sustained::SustainedLayout* layout;
  int32_t seriesLength;
  // The task's own response categories: names from the first code on
  // (none: null and 0).
  const char* const* codeNames = nullptr;
  int32_t codeNameCount = 0;
  int32_t codeNameFirst = 0;
};

class CTaskSustained : public CTaskSeries {
 public:
  int32_t ComputeVariables(ITaskRunData* runData) override;  // 33

 protected:
  // One part ("No parts") and the shared caption table; the task class
  // sets its page.
  explicit CTaskSustained(const SustainedTables& tables);
  ~CTaskSustained() = default;

 private:
  const sustained::SustainedLayout* m_layout;
};

}  // namespace qel
