#include "tasks/plugins/fi/TaskFeatureIntegration.h"

#include <cctype>
#include <cstring>
#include <initializer_list>

#include "taskfw/TaskPlugin.h"
#include "tasks/layers/choice/ChoiceDrawing.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/layers/msfa/TrialCodeSlot.h"
#include "tasks/plugins/fi/FiTrialLists.h"
#include "tasks/plugins/fi/FiVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Target type A", "Target type B", "Target type C"};
const char* const kPartNames[] = {"No parts"};

// TEXT resources: description and the part text (the same in every language).
constexpr msfa::LanguageTexts kTexts[3] = {
    {101, 0, {102}},  // English
    {103, 0, {102}},  // Dutch
    {104, 0, {102}},  // Italian
};

constexpr COLORREF kWhite = QelRGB(255, 255, 255);
constexpr COLORREF kRed = QelRGB(255, 0, 0);

// Cells: 0 centre, 1 left, 2 top left, 3 top, 4 top right, 5 right,
// 6 bottom right, 7 bottom, 8 bottom left.
constexpr uint16_t Cells(std::initializer_list<int> cells) {
  uint16_t mask = 0;
  for (int c : cells) mask = static_cast<uint16_t>(mask | (1u << c));
  return mask;
}
constexpr uint16_t kPatterns[20] = {
    Cells({2, 5, 7}),     // A target type A
    Cells({1, 4, 7}),     // B target type B
    Cells({1, 3, 6}),     // C target type C
    Cells({3, 5, 8}),     // D similar
    Cells({2, 5, 8}),     // E
    Cells({2, 4, 7}),     // F
    Cells({1, 4, 6}),     // G
    Cells({3, 6, 8}),     // H
    Cells({2, 5, 7, 8}),  // I
    Cells({1, 2, 4, 7}),  // J
    Cells({1, 3, 4, 6}),  // K
    Cells({3, 5, 6, 8}),  // L
    Cells({8}),           // M dissimilar
    Cells({2}),           // N
    Cells({4}),           // O
    Cells({6}),           // P
    Cells({5}),           // Q
    Cells({7}),           // R
    Cells({1}),           // S
    Cells({3}),           // T
};

// Sub-categories of ClassifyResponse.
constexpr int32_t kHitSimilar = 10;
constexpr int32_t kHitDissimilar = 11;
constexpr int32_t kRejectionSimilar = 12;
constexpr int32_t kRejectionDissimilar = 13;
constexpr int32_t kFalseAlarmSimilar = 14;
constexpr int32_t kFalseAlarmDissimilar = 15;
constexpr int32_t kMissSimilar = 16;
constexpr int32_t kMissDissimilar = 17;

// The item offset: 14 % of the screen height times 1.06 per cent.
constexpr double kItemOffsetFactor = 0.0106;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

CTaskFeatureIntegration::LetterKind CTaskFeatureIntegration::KindOf(char letter, char target) {
  const char c = Upper(letter);
  if (c == Upper(target)) return kTarget;
  return (c >= 'A' && c < 'M') ? kSimilar : kDissimilar;
}

uint16_t CTaskFeatureIntegration::RedCells(char letter) {
  const char c = Upper(letter);
  return (c >= 'A' && c <= 'T') ? kPatterns[c - 'A'] : 0;
}

CTaskFeatureIntegration::CTaskFeatureIntegration() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = fi::kVariables;
  m_variableCount = fi::kVariableCount;
  m_normVariables = fi::kNormVariables;
  m_normVariableCount = fi::kNormVariableCount;
  m_sizePercent[1] = kPatternSizePercent;
}

bool CTaskFeatureIntegration::SetupScreen(IDDDisplay* display, bool practice) {
  const bool ok = CTaskBase::SetupScreen(display, practice);
  const int c = m_size[1];
  m_cellSide = c / 3;
  m_cellGap = c / 15;
  const double height = static_cast<double>(m_maxY + 1);
  m_itemOffset = static_cast<int>(height * kPatternSizePercent * m_scale * kItemOffsetFactor);
  return ok;
}

void CTaskFeatureIntegration::ItemCentre(int position, int* x, int* y) const {
  *x = m_centreX + ((position & 1) ? m_itemOffset : -m_itemOffset);
  *y = m_centreY + ((position & 2) ? m_itemOffset : -m_itemOffset);
}

void CTaskFeatureIntegration::DrawPattern(CDC* dc, int x, int y, char letter) {
  const uint16_t red = RedCells(letter);
  if (!red || !m_host) return;
  COLORREF colours[choice::kGridCells];
  for (int i = 0; i < choice::kGridCells; ++i) colours[i] = (red & (1u << i)) ? kRed : kWhite;
  choice::FillGrid(*m_host, dc, x, y, m_cellSide, m_cellSide + m_cellGap, colours);
}

template <class Draw>
void CTaskFeatureIntegration::ForEachCell(Draw draw) const {
  for (int position = 0; position < kPositions; ++position) {
    int x = 0;
    int y = 0;
    ItemCentre(position, &x, &y);
    for (int i = 0; i < choice::kGridCells; ++i) {
      int dx = 0;
      int dy = 0;
      choice::GridOffset(i, m_cellSide + m_cellGap, &dx, &dy);
      draw(x + dx, y + dy);
    }
  }
}

void CTaskFeatureIntegration::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskFeatureIntegration::SetupRun(IExpModelTask* context, intptr_t value) {
  std::memset(m_code, 0, sizeof m_code);
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->practiceTrialList = FiPracticeList(m_versionIndex, 0);
  m_record->practiceTrialCount = kFiPracticeLength;
  m_record->testTrialList = FiTestList(m_versionIndex, 0);
  m_record->testTrialCount = static_cast<uint32_t>(FiTestLength(0));
  msfa::PublishPartWords(*m_record, kParts, kFiTestLengths, kFiPracticeLength, g_ModelDefault.TaskPartTrials);
  m_record->runText = std::string(1, Target());
  PublishTrialList();
  return true;
}

bool CTaskFeatureIntegration::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  // Empty cells: white frames where the patterns appear.
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    const int r = m_size[1] / 6 + 1;
    ForEachCell([&](int x, int y) { m_host->DrawFramedSquare(dc, x, y, r, kWhite, m_backColour); });
    ReleaseBackDC(dc);
  }
  return Present();
}

bool CTaskFeatureIntegration::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c)) return false;
  char shown[kTrialCodeSize];
  msfa::CopyTrialCode(code, shown);
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawCentreCross(dc, m_warningColour);
    for (int position = 0; position < kPositions && shown[position] != '\0'; ++position) {
      int x = 0;
      int y = 0;
      ItemCentre(position, &x, &y);
      DrawPattern(dc, x, y, shown[position]);
    }
    ReleaseBackDC(dc);
  }
  return Present();
}

bool CTaskFeatureIntegration::HideSignal(int32_t responseCode) {
  if (!CTaskBase::HideSignal(responseCode)) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    // 36 empty cells: white outlines of side s + 2 around the cells.
    const int side = m_cellSide + 2;
    dc->SetPen(kWhite, 1);
    dc->SetBrush(m_backColour);
    ForEachCell([&](int x, int y) {
      const int left = x - side / 2;
      const int top = y - side / 2;
      dc->Rectangle(left, top, left + side, top + side);
    });
    ReleaseBackDC(dc);
  }
  return Present();
}

bool CTaskFeatureIntegration::SetTrial(const char* code) {
  msfa::CopyTrialCode(code, m_code);
  // A code that cannot be judged asks for the yes-key.
  if (!msfa::HasFourItems(code)) {
    m_trialSet = true;
    return m_trialSet;
  }
  m_trialSet = false;
  for (int i = 0; i < kPositions; ++i) {
    if (KindOf(m_code[i], Target()) == kTarget) m_trialSet = true;
  }
  return m_trialSet;
}

int32_t CTaskFeatureIntegration::ClassifyResponse(int32_t category, int32_t) {
  if (strnlen(m_code, kTrialCodeSize) < static_cast<size_t>(kPositions)) return category;
  int counts[3] = {0, 0, 0};
  for (int i = 0; i < kPositions; ++i) ++counts[KindOf(m_code[i], Target())];
  const bool targetWithSimilar = counts[kTarget] == 1 && counts[kSimilar] == 3;
  const bool targetWithDissimilar = counts[kTarget] == 1 && counts[kDissimilar] == 3;
  const bool allSimilar = counts[kSimilar] == 4;
  const bool allDissimilar = counts[kDissimilar] == 4;
  switch (category) {
    case kCatHit:
      if (targetWithDissimilar) return kHitDissimilar;
      if (targetWithSimilar) return kHitSimilar;
      break;
    case kCatCorrectRejection:
      if (allDissimilar) return kRejectionDissimilar;
      if (allSimilar) return kRejectionSimilar;
      break;
    case kCatFalseAlarm:
      if (allDissimilar) return kFalseAlarmDissimilar;
      if (allSimilar) return kFalseAlarmSimilar;
      break;
    case kCatMiss:
      if (targetWithDissimilar) return kMissDissimilar;
      if (targetWithSimilar) return kMissSimilar;
      break;
    default:
      break;
  }
  return category;
}

bool CTaskFeatureIntegration::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    const uint16_t red = RedCells(Target());
    const int r = m_size[1] / 6;
    for (int i = 0; i < choice::kGridCells; ++i) {
      int dx = 0;
      int dy = 0;
      choice::GridOffset(i, m_cellSide + m_cellGap, &dx, &dy);
      m_host->FillSquare(dc, m_centreX + dx, m_centreY + dy, r, (red & (1u << i)) ? kRed : kWhite);
    }
    ReleaseBackDC(dc);
  }
  Present();
  WaitSpaceChange();
  CTaskBase::EndRun();
  return true;
}

int32_t CTaskFeatureIntegration::ComputeVariables(ITaskRunData* runData) {
  int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return fi::ComputeVariables(*runData, *m_runContext, index);
}

}  // namespace qel
