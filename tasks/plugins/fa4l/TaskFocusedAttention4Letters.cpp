#include "tasks/plugins/fa4l/TaskFocusedAttention4Letters.h"

#include "include/qel/TrialCodes.h"
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/fa4l/Fa4lTrialLists.h"
#include "tasks/plugins/fa4l/Fa4lVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Targets: c, j+n+s", "Targets: x, f+t+z", "Targets: m, g+l+v"};
const char* const kPartNames[] = {"1 target", "3 targets"};

// TEXT resources: description, the help on the relevant diagonal and the
// part instructions of parts 1 and 2.
constexpr msfa::LanguageTexts kTexts[3] = {
    {101, 104, {102, 103}},  // English
    {106, 107, {108, 109}},  // Dutch
    {111, 112, {113, 114}},  // Italian
};

// Relevant positions of the two diagonals.
constexpr int kRelevantStored[2] = {0, 3};
constexpr int kRelevantOther[2] = {2, 1};

// The demonstration blinks the relevant positions in steps of this length.
constexpr int kBlinkSteps = 12;
constexpr uint32_t kBlinkStepMs = 500;

}  // namespace

CTaskFocusedAttention4Letters::CTaskFocusedAttention4Letters() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = fa4l::kVariables;
  m_variableCount = fa4l::kVariableCount;
  m_normVariables = fa4l::kNormVariables;
  m_normVariableCount = fa4l::kNormVariableCount;
  m_page = &m_pageObject;
}

const char* CTaskFocusedAttention4Letters::MemorySet(int version, int part) {
  if (version < 0 || version >= kVersions || part < 0 || part >= kParts) return nullptr;
  return kMemorySets + part * 9 + version * 3;
}

void CTaskFocusedAttention4Letters::ReadParameter() {
  const uint32_t parameter = m_runContext ? m_runContext->TaskParam[0] : 0;
  m_permutation = parameter == 1 ? 1 : 0;
  const int* relevant = m_permutation ? kRelevantOther : kRelevantStored;
  m_relevant[0] = relevant[0];
  m_relevant[1] = relevant[1];
}

void CTaskFocusedAttention4Letters::DisplayedCode(const char* code, char (&out)[kTrialCodeSize]) const {
  msfa::CopyTrialCode(code, out);
  if (m_permutation != 1) return;
  // The host's permutation when there is a host; the same rule otherwise.
  if (m_host) m_host->PermuteCodeQuarters(out, true, 0);
  else QelPermuteCodeQuarters(out, true, 0);
}

bool CTaskFocusedAttention4Letters::SetupScreen(IDDDisplay* display, bool practice) {
  const bool ok = CTaskLetters::SetupScreen(display, practice);
  ReadParameter();
  return ok;
}

void CTaskFocusedAttention4Letters::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskFocusedAttention4Letters::SetupRun(IExpModelTask* context, intptr_t value) {
  ResetMatches();
  if (!CTaskBase::SetupRun(context, value)) return false;
  ReadParameter();
  const int v = m_versionIndex;
  const int p = m_partIndex;
  m_record->practiceTrialList = qel::Fa4lPracticeList(v, p);
  m_record->practiceTrialCount = qel::kFa4lPracticeLength;
  // The test list is played round and round up to the part's trial count.
  m_record->testTrialList = qel::Fa4lTestList(v, p);
  m_record->testTrialCount = static_cast<uint32_t>(qel::Fa4lTestLength(p));
  msfa::PublishPartWords(*m_record, kParts, qel::kFa4lTestLengths, qel::kFa4lPracticeLength,
                         g_ModelDefault.TaskPartTrials);
  m_record->runText = msfa::MemorySetText(MemorySet(v, p), MemorySetSize(p));
  PublishTrialList();
  return true;
}

int32_t CTaskFocusedAttention4Letters::GetParamText(int line, int column) {
  if (!m_record) return 0;
  m_record->answerText.clear();
  if (line == 0) return 1;  // one parameter line
  if (line != 1) return 0;
  if (column == 0) {
    m_record->answerText = "Relevant diagonal";
  } else {
    if (!m_runContext) return 0;
    m_record->answerText =
        m_runContext->TaskParam[0] == 1 ? "/  (LeftBottom to RightTop)" : "\\  (LeftTop to RightBottom)";
  }
  return 3;
}

bool CTaskFocusedAttention4Letters::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  ResetMatches();
  DrawEmptyDisplay();
  return Present();
}

bool CTaskFocusedAttention4Letters::SetTrial(const char* code) {
  ResetMatches();
  m_trialSet = false;
  const char* set = MemorySet(m_versionIndex, m_partIndex);
  if (!msfa::HasFourItems(code) || !set) return m_trialSet;
  char letters[kTrialCodeSize];
  DisplayedCode(code, letters);
  const int size = MemorySetSize(m_partIndex);
  for (int i = 0; i < kPositions; ++i) {
    for (int j = 0; j < size; ++j) {
      if (LowerCase(letters[i]) != set[j]) continue;
      m_seenAnywhere = 1;
      if (i == m_relevant[0] || i == m_relevant[1]) {
        m_seenRelevant = 1;
        m_trialSet = true;
      }
    }
  }
  return m_trialSet;
}

int32_t CTaskFocusedAttention4Letters::ClassifyResponse(int32_t category, int32_t) {
  if (category == kCatCorrectRejection) return m_seenAnywhere ? 10 : 11;
  if (category == kCatFalseAlarm) return m_seenAnywhere ? 13 : 14;
  return category;
}

bool CTaskFocusedAttention4Letters::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  ReadParameter();
  // The relevant positions blink: off on even steps, on again on odd ones.
  for (int step = 0; step < kBlinkSteps; ++step) {
    const uint32_t start = GetRunTime();
    DrawEmptyDisplay();
    if (step % 2 == 0) {
      if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
        EraseLetter(dc, m_relevant[0]);
        EraseLetter(dc, m_relevant[1]);
        ReleaseBackDC(dc);
      }
    }
    Present();
    if (WaitKeyUntil(start + kBlinkStepMs) != 0) break;
  }
  if (WaitSpaceChange() != 1) {
    ClearBackSurface();
    if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
      DrawLetterRow(dc, MemorySet(m_versionIndex, m_partIndex), MemorySetSize(m_partIndex));
      ReleaseBackDC(dc);
    }
    Present();
    WaitSpaceChange();
  }
  EndRun();
  return true;
}

int32_t CTaskFocusedAttention4Letters::ComputeVariables(ITaskRunData* runData) {
  const int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return msfa::ComputePartSplits(*runData, *m_runContext, index, kParts, fa4l::kFullLists, fa4l::kShortLists);
}

}  // namespace qel
