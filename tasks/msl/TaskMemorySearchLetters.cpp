#include "tasks/msl/TaskMemorySearchLetters.h"

#include <string>

#include "tasks/msl/MslTrialLists.h"
#include "tasks/msl/MslVariables.h"
#include "taskfw/TaskPlugin.h"

namespace {

const char* const kVersionNames[] = {"Targets: k, k+r, k+r+s", "Targets: j, j+m, j+m+z", "Targets: g, g+t, g+t+v"};
const char* const kPartNames[] = {"1 target", "2 targets", "3 targets"};

// TEXT resources: description and the part instructions of parts 1, 2, 3.
struct LanguageTexts {
  uint32_t description;
  uint32_t parts[CTaskMemorySearchLetters::kParts];
};
constexpr LanguageTexts kTexts[3] = {
    {4, {104, 103, 102}},    // English
    {108, {106, 107, 105}},  // Dutch
    {109, {110, 111, 112}},  // Italian
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

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

void CTaskMemorySearchLetters::LoadTexts() {
  int part = m_runContext ? m_runContext->currentPart : 0;
  if (part < 0 || part >= kParts) part = 0;
  TaskTextIds ids[3];
  for (int language = 0; language < 3; ++language) {
    ids[language] = {kTexts[language].description, kTexts[language].parts[part], 0, 0};
  }
  LoadTextsForLanguage(ids);
}

bool CTaskMemorySearchLetters::SetupRun(IExpModelTask* context, intptr_t value) {
  ResetMatches();
  if (!CTaskBase::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  const int p = m_partIndex;
  m_record->practiceTrialList = qel::MslPracticeList(v, p);
  m_record->practiceTrialCount = qel::kMslPracticeLength;
  m_record->testTrialList = qel::MslTestList(v, p);
  m_record->testTrialCount = static_cast<uint32_t>(qel::MslTestLength(p));
  for (int q = 0; q < kParts; ++q) {
    m_record->partWordsA[q] = qel::MslTestLength(q);
    m_record->partWordsB[q] = qel::kMslPracticeLength;
    m_record->normTrialCounts[q] = static_cast<int32_t>(g_ModelDefault.TaskPartTrials[q]);
  }
  const char* set = MemorySet(v, p);
  std::string targets;
  for (int i = 0; i <= p; ++i) {
    if (i > 0) targets += ',';
    targets += set[i];
  }
  m_record->runText = targets;
  PublishTrialList();
  return true;
}

bool CTaskMemorySearchLetters::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  m_matchCount = 0;
  DrawEmptyDisplay();
  return Present();
}

bool CTaskMemorySearchLetters::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  const char* code = reinterpret_cast<const char*>(a);
  if (!dc || !code) return true;
  char letters[kTrialCodeSize] = {};
  for (int i = 0; i < kTrialCodeSize - 1 && code[i] != '\0'; ++i) letters[i] = code[i];
  DrawCode(dc, letters);
  return true;
}

bool CTaskMemorySearchLetters::SetTrial(const char* code) {
  m_matchCount = 0;
  const char* set = MemorySet(m_versionIndex, m_partIndex);
  // A code that cannot be judged asks for the yes-key.
  if (!HasFourLetters(code) || !set) {
    m_trialSet = true;
    return m_trialSet;
  }
  const int size = m_partIndex + 1;
  for (int i = 0; i < kPositions; ++i) {
    for (int j = 0; j < size; ++j) {
      if (Lower(code[i]) == set[j]) ++m_matchCount;
    }
  }
  // Only a display holding every memory letter is a target.
  m_trialSet = m_matchCount == size;
  return m_trialSet;
}

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
  int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  for (int q = 0; q < kParts && index >= 0; ++q) {
    index = runData->ComputePart(m_runContext, index, q, &msl::kFullLists[q], &msl::kShortLists[q]);
  }
  return index;
}
