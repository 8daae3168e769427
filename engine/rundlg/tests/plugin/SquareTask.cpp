#include "engine/rundlg/tests/plugin/SquareTask.h"

#include "taskfw/TaskPlugin.h"

namespace qel {

#ifndef SQUARE_CODE
#define SQUARE_CODE "SQ"
#endif
#ifndef SQUARE_NAME
#define SQUARE_NAME "Square"
#endif
#ifndef SQUARE_ID
#define SQUARE_ID 90
#endif
#ifndef SQUARE_TYPE
#define SQUARE_TYPE 1
#endif
#ifndef SQUARE_TRIALS
#define SQUARE_TRIALS 4
#endif

namespace {

const char* const kVersions[] = {"Only"};
const char* const kParts[] = {"Part 1", "Part 2"};
const char* const kCaptions[] = {"N"};
const char kCodes[2][kTrialCodeSize] = {"T1", "T2"};

}  // namespace

// Fixed signal 300 ms, interval 800 ms, valid window 100-1500 ms; the keys
// are the responses (TaskSSS bit 25).
const QelModelTask g_ModelDefault = {
    SQUARE_ID,
    SQUARE_CODE,
    SQUARE_NAME,
    {/*TaskType*/ SQUARE_TYPE, /*TaskFlags*/ 0, /*IntrAfterTrials*/ 1000, 0, 0, 0,
     /*TaskSSS*/ 100 | kSssKeyboardResponses, /*TaskFbk*/ 0, /*TaskVersion*/ 1, kSignalDurationFixed, 300, 300,
     kEventsPostResponse, 100, 1500, kIntervalFixed, 800, 800},
    {SQUARE_TRIALS, SQUARE_TRIALS},
    {0},
};

CTaskSquare::CTaskSquare() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersions;
  m_versionCount = 1;
  m_partNames = kParts;
  m_partCount = 2;
  m_captions = kCaptions;
  m_captionCount = 1;
}

bool CTaskSquare::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->testTrialList = kCodes;
  m_record->testTrialCount = 2;
  m_record->practiceTrialList = kCodes;
  m_record->practiceTrialCount = 2;
  PublishTrialList();
  return true;
}

bool CTaskSquare::BeginRun(ITaskRunData* runData) {
  m_shown = 0;
  return CTaskBase::BeginRun(runData);
}

bool CTaskSquare::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c) || !m_host) return false;
  CDC* dc = m_host->SurfaceGetDC(kSurfaceBack);
  if (!dc) return false;
  const int half = m_size[1];
  dc->FillSolidRect(m_centreX - half, m_centreY - half, 2 * half, 2 * half, kSquareColour);
  m_host->SurfaceReleaseDC(kSurfaceBack, dc);
  const bool shown = m_host->Present(true);
  if (m_shown < kMaxTimes) m_presented[m_shown++] = m_host->GetRunTimeMs();
  return shown;
}

bool CTaskSquare::HideSignal(int32_t responseCode) {
  CTaskBase::HideSignal(responseCode);
  return m_host && m_host->Present(true);
}

int32_t CTaskSquare::ComputeVariables(ITaskRunData* runData) {
  if (CTaskBase::ComputeVariables(runData) < 0) return -1;
  for (int i = 0; i < m_shown; ++i) runData->SetValue(i, m_presented[i], true);
  return m_shown;
}

QEL_TASK_PLUGIN(CTaskSquare, g_squareTask);

}  // namespace qel
