#include "tasks/layers/sustained/TaskSustained.h"

#include "tasks/layers/sustained/SustainedRows.h"

namespace qel {

namespace {

const char* const kPartNames[1] = {"No parts"};

}  // namespace

CTaskSustained::CTaskSustained(const SustainedTables& tables) : m_layout(tables.layout) {
  m_modelDefault = tables.modelDefault;
  m_taskDescription = tables.description;
  m_versionNames = tables.versionNames;
  m_versionCount = tables.versionCount;
  m_partNames = kPartNames;
  m_partCount = 1;
  m_variables = tables.variables;
  m_variableCount = tables.variableCount;
  m_normVariables = tables.normVariables;
  m_normVariableCount = tables.normVariableCount;
  m_captions = sustained::kCaptions;
  m_captionCount = sustained::kCaptionCount;
  m_captions2 = tables.captions2;
  m_captionCount2 = tables.captionCount2;
  // The host's code offset stays 0; then the table's count and first code.
  m_taskWords[2] = static_cast<uint32_t>(tables.codeNameCount);
  m_taskWords[3] = static_cast<uint32_t>(tables.codeNameFirst);
  m_codeNames = tables.codeNames;
  m_codeNameFirst = tables.codeNameFirst;
  m_codeNameCount = tables.codeNameCount;
  m_seriesLength = tables.seriesLength;
}

int32_t CTaskSustained::ComputeVariables(ITaskRunData* runData) {
  if (CTaskBase::ComputeVariables(runData) < 0 || !m_runContext || !m_layout) return -1;
  return sustained::ComputeSustainedVariables(*runData, *m_runContext, m_practice, *m_layout);
}

}  // namespace qel
