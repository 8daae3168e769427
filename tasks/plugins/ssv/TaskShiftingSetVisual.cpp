#include "tasks/plugins/ssv/TaskShiftingSetVisual.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "include/qel/TaskEntry.h"
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/ssv/SsvTrialLists.h"
#include "tasks/plugins/ssv/SsvVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Green-Red", "Red-White", "Yellow-Blue"};
const char* const kPartNames[] = {"Compatible", "Incompatible", "Mixed"};

// TEXT resources: description and the instructions of parts 1, 2 and 3.
constexpr msfa::LanguageTexts kTexts[3] = {
    {4, 0, {102, 103, 104}},    // English
    {108, 0, {106, 107, 105}},  // Dutch
    {109, 0, {110, 111, 112}},  // Italian
};

// Colours of the compatible and the incompatible square by version.
constexpr COLORREF kKindColours[CTaskShiftingSetVisual::kVersions][2] = {
    {QelRGB(0, 255, 0), QelRGB(255, 0, 0)},
    {QelRGB(255, 0, 0), QelRGB(255, 255, 255)},
    {QelRGB(255, 255, 0), QelRGB(0, 0, 255)},
};
constexpr COLORREF kGrey = QelRGB(127, 127, 127);

// The row: a square pitch of 9 % of the horizontal extent (at least 2), a
// gap of a seventh of it (at least 1).
constexpr int kPitchPercent = 9;
constexpr int kGapDivisor = 7;

// Sub-categories: 0x10 + value when the answer is right, 0x30 + value when not.
constexpr int32_t kCorrectBase = 0x10;
constexpr int32_t kWrongBase = 0x30;

// Each step of the demonstration stays this long unless a key ends it.
constexpr uint32_t kDemoStepMs = 1000;
// The pause after the part's first display and after a break.
constexpr uint32_t kSettleMs = 1000;

// Six jumps per part for the demonstration.
constexpr const char* kDemoCodes[CTaskShiftingSetVisual::kParts][6] = {
    {"CR", "CR", "CL", "CR", "CL", "CL"},
    {"IL", "IR", "IR", "IL", "IR", "IL"},
    {"CR", "IL", "CL", "IR", "IL", "CR"},
};

}  // namespace

int CTaskShiftingSetVisual::CodeValue(const char* code) {
  if (!code || strnlen(code, kTrialCodeSize) < 2) return -1;
  const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(code[0])));
  const char jump = static_cast<char>(std::toupper(static_cast<unsigned char>(code[1])));
  if ((kind != 'C' && kind != 'I') || (jump != 'L' && jump != 'R')) return -1;
  return (kind == 'I' ? kValueIncompatible : 0) | (jump == 'R' ? kValueRight : 0);
}

int CTaskShiftingSetVisual::DrawnSquare(int position) {
  if (position < 0) return kSquares - 1;
  if (position >= kSquares) return 0;
  return position;
}

int CTaskShiftingSetVisual::StartPosition(int part) { return part == 2 ? 6 : 4; }

CTaskShiftingSetVisual::CTaskShiftingSetVisual() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = ssv::kVariables;
  m_variableCount = ssv::kVariableCount;
  m_normVariables = ssv::kNormVariables;
  m_normVariableCount = ssv::kNormVariableCount;
}

bool CTaskShiftingSetVisual::SetupScreen(IDDDisplay* display, bool practice) {
  const bool ok = CTaskBase::SetupScreen(display, practice);
  const int w = m_maxX;
  const int pitch = std::max(static_cast<int>(((w + 1) * kPitchPercent / 100) * m_scale), 2);
  m_gap = std::max(pitch / kGapDivisor, 1);
  m_side = pitch - m_gap;
  m_rowLeft = (w - 9 * m_gap - kSquares * m_side) / 2;
  return ok;
}

COLORREF CTaskShiftingSetVisual::KindColour(bool incompatible) const {
  const int v = (m_versionIndex >= 0 && m_versionIndex < kVersions) ? m_versionIndex : 0;
  return kKindColours[v][incompatible ? 1 : 0];
}

void CTaskShiftingSetVisual::ShowRow(int square, COLORREF colour) {
  if (!m_host) return;
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    const int top = m_centreY - m_side / 2;
    for (int i = 0; i < kSquares; ++i) {
      const bool coloured = i == square;
      m_host->FillRect(dc, m_rowLeft + i * (m_side + m_gap), top, m_side, m_side, coloured ? colour : kGrey);
    }
    ReleaseBackDC(dc);
  }
  Present();
}

int CTaskShiftingSetVisual::PositionAfter(int last) const {
  int position = StartPosition(m_partIndex);
  if (!m_host) return position;
  const int count = static_cast<int>(std::min<uint32_t>(m_host->trialCount, kMaxTrialCodes));
  for (int i = 0; i <= last && i < count; ++i) {
    const int value = CodeValue(m_host->trialList[i]);
    if (value >= 0) position += (value & kValueRight) ? 1 : -1;
  }
  return position;
}

void CTaskShiftingSetVisual::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskShiftingSetVisual::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  const int p = m_partIndex;
  m_record->practiceTrialList = SsvPracticeList(v, p);
  m_record->practiceTrialCount = static_cast<uint32_t>(SsvPracticeLength(p));
  m_record->testTrialList = SsvTestList(v, p);
  m_record->testTrialCount = static_cast<uint32_t>(SsvTestLength(p));
  for (int q = 0; q < kParts; ++q) {
    m_record->partWordsA[q] = kSsvTestLengths[q];
    m_record->partWordsB[q] = kSsvPracticeLengths[q];
    m_record->normTrialCounts[q] = static_cast<int32_t>(g_ModelDefault.TaskPartTrials[q]);
  }
  PublishTrialList();
  return true;
}

bool CTaskShiftingSetVisual::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  // The square at its start, in the compatible colour (the incompatible
  // one in part 2).
  ShowRow(StartPosition(m_partIndex), KindColour(m_partIndex == 1));
  m_host->SleepMs(kSettleMs);
  return true;
}

bool CTaskShiftingSetVisual::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c)) return false;
  const int value = CodeValue(code);
  if (value < 0) {
    ShowRow(-1, kGrey);
    return true;
  }
  const int square = DrawnSquare(PositionAfter(static_cast<int>(m_host->trialIndex)));
  ShowRow(square, KindColour((value & kValueIncompatible) != 0));
  return true;
}

int32_t CTaskShiftingSetVisual::OnBreakBegin() {
  ShowRow(-1, kGrey);
  return 0;
}

int32_t CTaskShiftingSetVisual::OnBreakEnd() {
  if (!m_host) return 0;
  // Where the previous trial left the square, in its colour.
  const int previous = static_cast<int>(m_host->trialIndex) - 1;
  bool incompatible = m_partIndex == 1;
  if (previous >= 0 && previous < static_cast<int>(std::min<uint32_t>(m_host->trialCount, kMaxTrialCodes))) {
    const int value = CodeValue(m_host->trialList[previous]);
    if (value >= 0) incompatible = (value & kValueIncompatible) != 0;
  }
  ShowRow(DrawnSquare(PositionAfter(previous)), KindColour(incompatible));
  return static_cast<int32_t>(kSettleMs);
}

bool CTaskShiftingSetVisual::SetTrial(const char* code) {
  m_value = CodeValue(code);
  return CTaskBase::SetTrial(code);
}

int32_t CTaskShiftingSetVisual::GetCorrectResponse(const char* code) {
  m_value = CodeValue(code);
  if (m_value < 0) return 0;
  // Left when the jump and the colour agree: a compatible jump left or an
  // incompatible jump right.
  const bool right = (m_value & kValueRight) != 0;
  const bool incompatible = (m_value & kValueIncompatible) != 0;
  return right == incompatible ? kLeftButton : kRightButton;
}

int32_t CTaskShiftingSetVisual::ClassifyResponse(int32_t category, int32_t code) {
  if ((category != kCatHit && category != kCatMiss) || m_value < 0) return category;
  const bool right = (m_value & kValueRight) != 0;
  const bool incompatible = (m_value & kValueIncompatible) != 0;
  const int32_t correct = right == incompatible ? kLeftButton : kRightButton;
  return (code == correct ? kCorrectBase : kWrongBase) + m_value;
}

bool CTaskShiftingSetVisual::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  int position = StartPosition(m_partIndex);
  ShowRow(position, KindColour(m_partIndex == 1));
  for (const char* code : kDemoCodes[m_partIndex]) {
    if (WaitKeyUntil(GetRunTime() + kDemoStepMs) != 0) break;
    const int value = CodeValue(code);
    position += (value & kValueRight) ? 1 : -1;
    ShowRow(DrawnSquare(position), KindColour((value & kValueIncompatible) != 0));
  }
  WaitSpaceChange();
  CTaskBase::EndRun();
  return true;
}

int32_t CTaskShiftingSetVisual::ComputeVariables(ITaskRunData* runData) {
  const int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return choice::ComputeCompatibilityParts(*runData, *m_runContext, index, ssv::kLists);
}

}  // namespace qel
