#include "tasks/plugins/msl/TaskMemorySearchLetters.h"

#include "taskfw/TaskPlugin.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/msl/MslTrialLists.h"
#include "tasks/plugins/msl/MslVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Targets: k, k+r, k+r+s", "Targets: j, j+m, j+m+z", "Targets: g, g+t, g+t+v"};
const char* const kPartNames[] = {"1 target", "2 targets", "3 targets"};

// TEXT resources: description and the part instructions of parts 1, 2, 3.
constexpr msfa::LanguageTexts kTexts[3] = {
    {4, 0, {104, 103, 102}},    // English
    {108, 0, {106, 107, 105}},  // Dutch
    {109, 0, {110, 111, 112}},  // Italian
};

}  // namespace

CTaskMemorySearchLetters::CTaskMemorySearchLetters() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = msl::kVariables;
  m_variableCount = msl::kVariableCount;
  m_normVariables = msl::kNormVariables;
  m_normVariableCount = msl::kNormVariableCount;
}

const char* CTaskMemorySearchLetters::MemorySet(int version, int part) {
  if (version < 0 || version >= kVersions || part < 0 || part >= kParts) return nullptr;
  return kMemorySets + part * 9 + version * 3;
}

void CTaskMemorySearchLetters::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskMemorySearchLetters::SetupRun(IExpModelTask* context, intptr_t value) {
  ResetMatches();
  if (!CTaskBase::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  const int p = m_partIndex;
  m_record->practiceTrialList = qel::MslPracticeList(v, p);
  m_record->practiceTrialCount = qel::kMslPracticeLength;
  m_record->testTrialList = qel::MslTestList(v, p);
  m_record->testTrialCount = static_cast<uint32_t>(qel::MslTestLength(p));
  msfa::PublishPartWords(*m_record, kParts, qel::kMslTestLengths, qel::kMslPracticeLength,
                         g_ModelDefault.TaskPartTrials);
  m_record->runText = msfa::MemorySetText(MemorySet(v, p), p + 1);
  PublishTrialList();
  return true;
}

bool CTaskMemorySearchLetters::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  m_matchCount = 0;
  DrawEmptyDisplay();
  return Present();
}

bool CTaskMemorySearchLetters::SetTrial(const char* code) {
  m_matchCount = 0;
  const char* set = MemorySet(m_versionIndex, m_partIndex);
  // A code that cannot be judged asks for the yes-key.
  if (!msfa::HasFourItems(code) || !set) {
    m_trialSet = true;
    return m_trialSet;
  }
  const int size = m_partIndex + 1;
  for (int i = 0; i < kPositions; ++i) {
    for (int j = 0; j < size; ++j) {
      if (LowerCase(code[i]) == set[j]) ++m_matchCount;
    }
  }
  // Only a display holding every memory letter is a target.
  m_trialSet = m_matchCount == size;
  return m_trialSet;
}

// Correct rejections become 10, 11, 12 and false alarms 13, 14, 15 by the
// memory letters the display held; a count of 3 or more has no split.
int32_t CTaskMemorySearchLetters::ClassifyResponse(int32_t category, int32_t) {
  if (m_matchCount < 0 || m_matchCount > 2) return category;
  if (category == kCatCorrectRejection) return 10 + m_matchCount;
  if (category == kCatFalseAlarm) return 13 + m_matchCount;
  return category;
}

bool CTaskMemorySearchLetters::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  const char* set = MemorySet(m_versionIndex, m_partIndex);
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawLetterRow(dc, set, m_partIndex + 1);
    ReleaseBackDC(dc);
  }
  Present();
  WaitSpaceChange();
  EndRun();
  return true;
}

int32_t CTaskMemorySearchLetters::ComputeVariables(ITaskRunData* runData) {
  const int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return msfa::ComputePartSplits(*runData, *m_runContext, index, kParts, msl::kFullLists, msl::kShortLists);
}

}  // namespace qel
