#include "tasks/plugins/tp/TappingTask.h"

#include <algorithm>

#include "tasks/plugins/tp/TappingTables.h"

namespace qel {

extern "C" const QelModelTask g_ModelDefault;

CTaskTapping::CTaskTapping() {
  m_modelDefault = &g_ModelDefault;
  m_taskDescription = &tapping::kDescription;
  m_versionNames = tapping::kVersionNames;
  m_versionCount = 1;
  m_partNames = tapping::kPartNames;
  m_partCount = tapping::kPartCount;
  m_sizePercent[1] = 4;
  m_variables = tapping::kVariables;
  m_variableCount = tapping::kVariableCount;
  m_normVariables = tapping::kNormVariables;
  m_normVariableCount = tapping::kNormVariableCount;
  m_captions = tapping::kCaptions;
  m_captionCount = tapping::kCaptionCount;
  m_page = &m_pageObject;
  m_counterSize = 4 * m_centreY / 50;
}

void CTaskTapping::LoadTexts() {
  // At the set-up command the texts are loaded before the part is taken over.
  const int part = m_runContext ? m_runContext->currentPart : m_partIndex;
  const bool known = part >= 0 && part < tapping::kPartCount;
  TaskTextIds ids[3];
  for (int language = 0; language < 3; ++language) {
    const tapping::LanguageTexts& t = tapping::kTexts[language];
    ids[language] = TaskTextIds{t.task, known ? t.parts[part] : 0u, t.parameters, 0u};
  }
  LoadTextsForLanguage(ids);
}

bool CTaskTapping::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskSeries::SetupRun(context, value)) return false;
  // The norms were collected over the first 10 s of each part.
  for (int part = 0; part < tapping::kPartCount; ++part) m_record->normTrialCounts[part] = kNormWindowSeconds;
  return true;
}

bool CTaskTapping::BeginRun(ITaskRunData* runData) {
  if (!CTaskSeries::BeginRun(runData)) return false;
  m_counterSize = m_size[1];
  CDC* dc = m_host->SurfaceGetDC(kSurfaceBack);
  m_counterFont.CreateFromPoints(m_counterSize, kFwNormal);
  if (dc) ReleaseBackDC(dc);
  Present();
  return true;
}

bool CTaskTapping::EndRun() {
  if (m_counterFont.IsCreated()) m_counterFont.Delete();
  return CTaskSeries::EndRun();
}

bool CTaskTapping::Demonstrate(ITaskRunData* runData) {
  m_practice = true;
  RunSelfTimed(runData);
  m_practice = false;
  return true;
}

int CTaskTapping::MaxEntries(uint32_t seconds) {
  const int64_t entries = static_cast<int64_t>(seconds) * 1000 / 10 + 1;
  return static_cast<int>(std::min<int64_t>(entries, kMaxResponses));
}

}  // namespace qel
