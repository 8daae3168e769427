#include "tasks/plugins/roa/TaskResponseOrganizationArrows.h"

#include "include/qel/TaskEntry.h"
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/choice/ChoiceDrawing.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/roa/RoaTrialLists.h"
#include "tasks/plugins/roa/RoaVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Version 1", "Version 2", "Version 3"};
const char* const kPartNames[] = {"Compatible", "Incompatible", "Mixed"};

// TEXT resources: description and the instructions of parts 1, 2 and 3.
constexpr msfa::LanguageTexts kTexts[3] = {
    {101, 0, {102, 103, 104}},  // English
    {108, 0, {106, 107, 105}},  // Dutch
    {109, 0, {110, 111, 112}},  // Italian
};

// Compatible and incompatible arrow colours by version.
constexpr COLORREF kArrowColours[CTaskResponseOrganizationArrows::kVersions][2] = {
    {QelRGB(0, 255, 0), QelRGB(255, 0, 0)},
    {QelRGB(0, 0, 255), QelRGB(255, 255, 0)},
    {QelRGB(255, 0, 0), QelRGB(255, 255, 255)},
};

// Sub-categories: correct "L", "R", "r", "l"; wrong ones 4 above.
constexpr int32_t kCorrectCompatibleLeft = 10;
constexpr int32_t kCorrectCompatibleRight = 11;
constexpr int32_t kCorrectIncompatibleLeft = 12;
constexpr int32_t kCorrectIncompatibleRight = 13;
constexpr int32_t kWrongOffset = 4;

bool IsArrowCode(char c) { return c == 'L' || c == 'R' || c == 'l' || c == 'r'; }

}  // namespace

CTaskResponseOrganizationArrows::CTaskResponseOrganizationArrows() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = roa::kVariables;
  m_variableCount = roa::kVariableCount;
  m_normVariables = roa::kNormVariables;
  m_normVariableCount = roa::kNormVariableCount;
  // The box and the arrow are measured on the whole screen height.
  m_sizePercent[1] = 100;
}

COLORREF CTaskResponseOrganizationArrows::ArrowColour(int version, bool incompatible) {
  if (version < 0 || version >= kVersions) return 0;
  return kArrowColours[version][incompatible ? 1 : 0];
}

void CTaskResponseOrganizationArrows::DrawBox(CDC* dc) {
  const int width = Units(kBoxWidth);
  const int height = Units(kBoxHeight);
  const int left = m_centreX - width / 2;
  const int top = m_centreY - height / 2;
  dc->SetPen(m_warningColour, 1);
  dc->SetBrush(m_backColour);
  dc->Rectangle(left, top, left + width, top + height);
}

void CTaskResponseOrganizationArrows::DrawArrow(CDC* dc, char code, int width, int height) {
  if (!IsArrowCode(code)) return;
  const bool right = code == 'R' || code == 'r';
  const bool incompatible = code == 'l' || code == 'r';
  const COLORREF colour = ArrowColour(m_versionIndex, incompatible);
  QelPoint points[choice::kArrowPoints];
  choice::ArrowPolygon(m_centreX, m_centreY, Units(width) / 2, Units(height) / 2, right, points);
  dc->SetPen(colour, 1);
  dc->SetBrush(colour);
  dc->Polygon(points, choice::kArrowPoints);
}

void CTaskResponseOrganizationArrows::ShowBox(char code) {
  if (!m_host) return;
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawBox(dc);
    DrawArrow(dc, code, kArrowWidth, kArrowHeight);
    ReleaseBackDC(dc);
  }
  Present();
}

bool CTaskResponseOrganizationArrows::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  if (!dc) return false;
  const char* code = reinterpret_cast<const char*>(a);
  DrawArrow(dc, code ? code[0] : '\0', kPreviewArrowWidth, kPreviewArrowHeight);
  return true;
}

void CTaskResponseOrganizationArrows::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskResponseOrganizationArrows::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  const int p = m_partIndex;
  m_record->practiceTrialList = RoaPracticeList(v, p);
  m_record->practiceTrialCount = static_cast<uint32_t>(RoaPracticeLength(p));
  m_record->testTrialList = RoaTestList(v, p);
  m_record->testTrialCount = static_cast<uint32_t>(RoaTestLength(p));
  for (int q = 0; q < kParts; ++q) {
    m_record->partWordsA[q] = kRoaTestLengths[q];
    m_record->partWordsB[q] = kRoaPracticeLengths[q];
    m_record->normTrialCounts[q] = static_cast<int32_t>(g_ModelDefault.TaskPartTrials[q]);
  }
  // The codes that ask for the right button.
  m_record->runText = "Rl";
  PublishTrialList();
  return true;
}

bool CTaskResponseOrganizationArrows::ShowWarning() {
  if (!m_host) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceFront)) {
    DrawBox(dc);
    m_host->SurfaceReleaseDC(kSurfaceFront, dc);
  }
  return true;
}

bool CTaskResponseOrganizationArrows::ShowSignal(const char* code, IDDDisplay*, intptr_t) {
  if (!m_host) return false;
  ShowBox(code ? code[0] : '\0');
  return true;
}

bool CTaskResponseOrganizationArrows::SetTrial(const char* code) {
  m_code = code ? code[0] : '\0';
  m_trialSet = m_code == 'R' || m_code == 'l';
  return m_trialSet;
}

int32_t CTaskResponseOrganizationArrows::ClassifyResponse(int32_t category, int32_t code) {
  if (category < kCatHit || category > kCatMiss || !m_host) return category;
  const int32_t left = m_host->leftCode;
  const int32_t right = m_host->rightCode;
  switch (m_code) {
    case 'L':
      return code == left ? kCorrectCompatibleLeft : kCorrectCompatibleLeft + kWrongOffset;
    case 'R':
      return code == right ? kCorrectCompatibleRight : kCorrectCompatibleRight + kWrongOffset;
    case 'r':
      return code == left ? kCorrectIncompatibleLeft : kCorrectIncompatibleLeft + kWrongOffset;
    case 'l':
      return code == right ? kCorrectIncompatibleRight : kCorrectIncompatibleRight + kWrongOffset;
    default:
      return category;
  }
}

bool CTaskResponseOrganizationArrows::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  const auto run = [&]() {
    ShowBox('\0');
    if (WaitSpaceChange() == 1) return;
    for (const char code : {'L', 'R', 'l', 'r'}) {
      const bool incompatible = code == 'l' || code == 'r';
      if ((incompatible && m_partIndex == 0) || (!incompatible && m_partIndex == 1)) continue;
      ShowBox(code);
      if (WaitSpaceChange() == 1) return;
    }
  };
  run();
  CTaskBase::EndRun();
  return true;
}

int32_t CTaskResponseOrganizationArrows::ComputeVariables(ITaskRunData* runData) {
  const int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return choice::ComputeCompatibilityParts(*runData, *m_runContext, index, roa::kLists);
}

}  // namespace qel
