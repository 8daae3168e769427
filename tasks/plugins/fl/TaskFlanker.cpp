#include "tasks/plugins/fl/TaskFlanker.h"

#include "taskfw/TaskPlugin.h"
#include "tasks/layers/choice/ChoiceDrawing.h"
#include "tasks/layers/choice/PairScoring.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/fl/FlTrialLists.h"
#include "tasks/plugins/fl/FlVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Blue-Yellow-Green", "White-Red-Gray", "Red-Green-Gray"};
const char* const kPartNames[] = {"Part 1", "Part 2"};

// Colours 0 (left), 1 (right), 2 (neutral) of each version.
constexpr COLORREF kVersionColours[CTaskFlanker::kVersions][CTaskFlanker::kColours] = {
    {QelRGB(0, 0, 255), QelRGB(255, 255, 0), QelRGB(0, 255, 0)},
    {QelRGB(255, 255, 255), QelRGB(255, 0, 0), QelRGB(127, 127, 127)},
    {QelRGB(255, 0, 0), QelRGB(0, 255, 0), QelRGB(127, 127, 127)},
};

// TEXT resources: description and the instructions of parts 1 and 2.
constexpr msfa::LanguageTexts kTexts[3] = {
    {101, 0, {102, 103}},  // English
    {104, 0, {105, 106}},  // Dutch
    {107, 0, {108, 109}},  // Italian
};

// The record's per-part words: test and practice lengths.
constexpr int kPracticeLengths[CTaskFlanker::kParts] = {8, 12};

// Sub-categories of ClassifyResponse: correct compatible left / right,
// correct neutral or incompatible left / right; errors 4 above.
constexpr int32_t kCorrectCompatibleLeft = 10;
constexpr int32_t kCorrectCompatibleRight = 11;
constexpr int32_t kCorrectOtherLeft = 12;
constexpr int32_t kCorrectOtherRight = 13;
constexpr int32_t kErrorOffset = 4;

}  // namespace

CTaskFlanker::CTaskFlanker() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = fl::kVariables;
  m_variableCount = fl::kVariableCount;
  m_normVariables = fl::kNormVariables;
  m_normVariableCount = fl::kNormVariableCount;
  m_sizePercent[1] = kGridSizePercent;
}

COLORREF CTaskFlanker::Colour(int version, int index) {
  if (version < 0 || version >= kVersions || index < 0 || index >= kColours) return 0;
  return kVersionColours[version][index];
}

char CTaskFlanker::FirstCharacter(const char* code) const { return code ? code[0] : '\0'; }

bool CTaskFlanker::SetupScreen(IDDDisplay* display, bool practice) {
  const bool ok = CTaskBase::SetupScreen(display, practice);
  const int c = m_size[1];
  m_squareSide = c / 3;
  m_gap = c / 15;
  return ok;
}

void CTaskFlanker::DrawGrid(CDC* dc, int x, int y, int centre, int flank) {
  if (!dc || !m_host) return;
  COLORREF colours[choice::kGridCells];
  colours[0] = Colour(m_versionIndex, centre);
  for (int i = 1; i < choice::kGridCells; ++i) colours[i] = Colour(m_versionIndex, flank);
  choice::FillGrid(*m_host, dc, x, y, m_squareSide, m_squareSide + m_gap, colours);
}

bool CTaskFlanker::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  SetTrial(reinterpret_cast<const char*>(a));
  DrawGrid(dc, m_centreX, m_centreY, m_centreColour, m_flankColour);
  return true;
}

void CTaskFlanker::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskFlanker::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  const int p = m_partIndex;
  m_record->practiceTrialList = FlPracticeList(v, p);
  m_record->practiceTrialCount = static_cast<uint32_t>(FlPracticeLength(p));
  m_record->testTrialList = FlTestList(v, p);
  m_record->testTrialCount = static_cast<uint32_t>(FlTestLength(p));
  for (int q = 0; q < kParts; ++q) {
    m_record->partWordsA[q] = kFlTestLengths[q];
    m_record->partWordsB[q] = kPracticeLengths[q];
    m_record->normTrialCounts[q] = static_cast<int32_t>(g_ModelDefault.TaskPartTrials[q]);
  }
  m_record->runText = "12";
  PublishTrialList();
  return true;
}

bool CTaskFlanker::BeginRun(ITaskRunData* runData) {
  // The framework's part start sets the screen up again: the grid's
  // geometry follows the display of this part.
  if (!CTaskBase::BeginRun(runData)) return false;
  return Present();
}

bool CTaskFlanker::ShowWarning() {
  if (!m_host) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceFront)) {
    m_host->DrawFramedSquare(dc, m_centreX, m_centreY, m_squareSide / 2, m_warningColour, m_backColour);
    m_host->SurfaceReleaseDC(kSurfaceFront, dc);
  }
  return true;
}

bool CTaskFlanker::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c)) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawGrid(dc, m_centreX, m_centreY, m_centreColour, m_flankColour);
    ReleaseBackDC(dc);
  }
  return Present();
}

bool CTaskFlanker::SetTrial(const char* code) {
  m_centreColour = 0;
  m_flankColour = 0;
  m_trialSet = false;
  m_lastCode = FirstCharacter(code);
  switch (m_lastCode) {
    case '1':
      m_trialSet = true;
      break;
    case '2':
      m_trialSet = true;
      m_centreColour = 1;
      m_flankColour = 1;
      break;
    case '3':
      m_flankColour = 2;
      break;
    case '4':
      m_centreColour = 1;
      m_flankColour = 2;
      break;
    case '5':
      m_flankColour = 1;
      break;
    case '6':
      m_centreColour = 1;
      break;
    default:
      break;
  }
  return m_trialSet;
}

int32_t CTaskFlanker::GetCorrectResponse(const char* code) {
  m_lastCode = FirstCharacter(code);
  if (!m_host) return 0;
  switch (m_lastCode) {
    case '1':
    case '3':
    case '5':
      return m_host->leftCode;
    case '2':
    case '4':
    case '6':
      return m_host->rightCode;
    default:
      return 0;
  }
}

int32_t CTaskFlanker::ClassifyResponse(int32_t category, int32_t code) {
  if (category < kCatHit || category > kCatMiss || !m_host) return category;
  int32_t correct;
  int32_t button;
  switch (m_lastCode) {
    case '1':
      correct = kCorrectCompatibleLeft;
      button = m_host->leftCode;
      break;
    case '2':
      correct = kCorrectCompatibleRight;
      button = m_host->rightCode;
      break;
    case '3':
    case '5':
      correct = kCorrectOtherLeft;
      button = m_host->leftCode;
      break;
    case '4':
    case '6':
      correct = kCorrectOtherRight;
      button = m_host->rightCode;
      break;
    default:
      return category;
  }
  return code == button ? correct : correct + kErrorOffset;
}

bool CTaskFlanker::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  const int e = (m_squareSide + 2 * m_gap) * 3 / 2;
  const bool neutral = m_partIndex == 0;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawGrid(dc, m_centreX - e, m_centreY - e, 0, 0);
    DrawGrid(dc, m_centreX + e, m_centreY - e, 1, 1);
    DrawGrid(dc, m_centreX - e, m_centreY + e, 0, neutral ? 2 : 1);
    DrawGrid(dc, m_centreX + e, m_centreY + e, 1, neutral ? 2 : 0);
    ReleaseBackDC(dc);
  }
  Present();
  WaitSpaceChange();
  CTaskBase::EndRun();
  return true;
}

int32_t CTaskFlanker::ComputeVariables(ITaskRunData* runData) {
  const int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return choice::ComputePairParts(*runData, *m_runContext, index, fl::kPartBlocks, kParts);
}

}  // namespace qel
