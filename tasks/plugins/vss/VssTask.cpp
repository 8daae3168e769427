#include "tasks/plugins/vss/VssTask.h"

#include <algorithm>

#include "taskfw/NormGetters.h"
#include "tasks/plugins/vss/VssScoring.h"
#include "tasks/plugins/vss/VssTables.h"

namespace qel {

extern "C" const QelModelTask g_ModelDefault;

namespace {

// The hand: its outline and, drawn over it when large, its inner outline.
constexpr QelPoint kHandOutline[CTaskVisuoSpatialSequencing::kHandPoints] = {
    {0, 0},   {3, 0},   {3, 15},  {4, 15},  {4, 10},  {7, 10}, {7, 17},  {8, 17},  {8, 12}, {11, 12}, {11, 19},
    {12, 19}, {12, 14}, {15, 14}, {15, 21}, {11, 29}, {0, 29}, {-6, 11}, {-2, 11}, {0, 20}, {0, 0}};
constexpr QelPoint kHandInner[CTaskVisuoSpatialSequencing::kHandPoints] = {
    {1, 1},   {2, 1},   {2, 16},  {5, 16},  {5, 11},  {6, 11}, {6, 18},  {9, 18},  {9, 13}, {10, 13}, {10, 20},
    {13, 20}, {13, 15}, {14, 15}, {14, 20}, {10, 28}, {1, 28}, {-4, 12}, {-3, 12}, {1, 21}, {1, 1}};

}  // namespace

CTaskVisuoSpatialSequencing::CTaskVisuoSpatialSequencing() {
  m_modelDefault = &g_ModelDefault;
  m_taskDescription = &vss::kDescription;
  m_versionNames = vss::kVersionNames;
  m_versionCount = vss::kVersionCount;
  m_partNames = vss::kPartNames;
  m_partCount = 1;
  m_variables = vss::kVariables;
  m_variableCount = vss::kVariableCount;
  m_normVariables = vss::kNormVariables;
  m_normVariableCount = vss::kNormVariableCount;
  m_sizePercent[0] = 3;
  m_sizePercent[1] = 25;
  m_sizePercent[2] = 3;
  m_page = &m_pageObject;
}

void CTaskVisuoSpatialSequencing::LoadTexts() {
  TaskTextIds ids[3];
  for (int language = 0; language < 3; ++language) {
    const vss::LanguageTexts& t = vss::kTexts[language];
    ids[language] = TaskTextIds{t.task, t.part, t.parameters, 0u};
  }
  LoadTextsForLanguage(ids);
}

bool CTaskVisuoSpatialSequencing::SetupScreen(IDDDisplay* display, bool practice) {
  const bool result = CTaskMouse::SetupScreen(display, practice);
  m_shownCount = 0;
  m_boardHalf = m_size[1];
  m_r1 = std::max(m_boardHalf / 8, 1);
  m_r2 = std::max(m_r1 - m_r1 / 10, 1);
  m_r3 = std::max(m_r1 - (3 * m_r1) / 10, 1);
  m_spacing = (2 * m_boardHalf) / 3;
  return result;
}

bool CTaskVisuoSpatialSequencing::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskMouse::SetupRun(context, value)) return false;
  m_record->testTrialList = vss::kTestList;
  m_record->testTrialCount = vss::kTestTrials;
  m_record->practiceTrialList = vss::kPracticeList;
  m_record->practiceTrialCount = vss::kPracticeTrials;
  m_record->secondList = vss::kWarmUpList;
  m_record->secondListCount = 1;
  m_record->partWordsA[0] = vss::kTestTrials;
  m_record->partWordsB[0] = vss::kPracticeTrials;
  m_record->normTrialCounts[0] = vss::kTestTrials;
  PublishTrialList();
  return true;
}

bool CTaskVisuoSpatialSequencing::BeginRun(ITaskRunData* runData) {
  if (!CTaskMouse::BeginRun(runData) || !LoadMouseParams()) return false;
  m_pointerType = static_cast<int32_t>(m_runContext->TaskParam[kWordPointerType]);
  m_showDuration = m_runContext->TaskParam[kWordShowDuration];
  m_showInterval = m_runContext->TaskParam[kWordShowInterval];
  LayOutCircles();
  ShowBoard(m_centreX, m_centreY, -1, false, false);
  return true;
}

void CTaskVisuoSpatialSequencing::LayOutCircles() {
  for (int i = 0; i < kCircles; ++i) {
    m_offsetX[i] = (i % 3 - 1) * m_spacing;
    m_offsetY[i] = (i / 3 - 1) * m_spacing;
  }
}

QelPoint CTaskVisuoSpatialSequencing::CircleCentre(int number) const {
  if (number < 1 || number > kCircles) return QelPoint{m_centreX, m_centreY};
  return QelPoint{m_centreX + m_offsetX[number - 1], m_centreY + m_offsetY[number - 1]};
}

bool CTaskVisuoSpatialSequencing::ParseSequence(const char* code) {
  std::fill(std::begin(m_sequence), std::end(m_sequence), 0);
  if (!code) return false;
  for (int i = 0; i < kCircles; ++i) {
    if (code[i] == '\0') return false;
  }
  for (int i = 0; i < kCircles; ++i) {
    const char c = code[i];
    m_sequence[i] = (c >= '1' && c <= '9') ? 1 + MapSeriesIndex(m_versionIndex + 1, c - '1') : 0;
  }
  return true;
}

int CTaskVisuoSpatialSequencing::HitTestCircle(int x, int y) const {
  const int64_t limit = static_cast<int64_t>(m_r3) * m_r3;
  for (int i = 0; i < kCircles; ++i) {
    const int64_t dx = x - (m_centreX + m_offsetX[i]);
    const int64_t dy = y - (m_centreY + m_offsetY[i]);
    if (dx * dx + dy * dy < limit) return i + 1;
  }
  return 0;
}

void CTaskVisuoSpatialSequencing::FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) {
  dc->SetPen(colour, 1);
  dc->SetBrush(colour);
  dc->Ellipse(left, top, right, bottom);
}

void CTaskVisuoSpatialSequencing::DrawHandPointer(CDC* dc, int x, int y, int scale) {
  if (!dc) return;
  // Black outline, white fill (a surface context's own pen and brush).
  dc->SetPen(kBlack, 1);
  dc->SetBrush(kWhite);
  QelPoint points[kHandPoints];
  for (int k = 0; k < kHandPoints; ++k) points[k] = {x + scale * kHandOutline[k].x, y + scale * kHandOutline[k].y};
  dc->Polygon(points, kHandPoints);
  if (scale >= 2 || scale <= -2) {
    for (int k = 0; k < kHandPoints; ++k) points[k] = {x + scale * kHandInner[k].x, y + scale * kHandInner[k].y};
    dc->Polygon(points, kHandPoints);
  }
}

void CTaskVisuoSpatialSequencing::DrawCircle(CDC* dc, int x, int y, bool hand, bool lit) {
  FillEllipse(dc, x - m_r1, y - m_r1, x + m_r1 + 1, y + m_r1 + 1, kBlack);
  if (lit && !hand) {
    FillEllipse(dc, x - m_r2, y - m_r2, x + m_r2 + 1, y + m_r2 + 1, kGrey);
    return;
  }
  FillEllipse(dc, x - m_r3, y - m_r3, x + m_r3 + 1, y + m_r3 + 1, kGrey);
  // The hand, three times larger and upside down, points at the circle from above.
  if (lit) DrawHandPointer(dc, x, y, -3);
}

void CTaskVisuoSpatialSequencing::DrawBoard(CDC* dc, int litIndex, bool hand) {
  const int side = 2 * m_boardHalf + 1;
  dc->FillSolidRect(m_centreX - m_boardHalf, m_centreY - m_boardHalf, side, side, kBoardColour);
  for (int i = 0; i < kCircles; ++i) {
    DrawCircle(dc, m_centreX + m_offsetX[i], m_centreY + m_offsetY[i], hand, i == litIndex);
  }
}

void CTaskVisuoSpatialSequencing::ShowBoard(int x, int y, int litIndex, bool hand, bool withPointer) {
  if (!m_host) return;
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawBoard(dc, litIndex, hand);
    if (withPointer) DrawHandPointer(dc, x, y, 1);
    ReleaseBackDC(dc);
  }
  Present();
}

bool CTaskVisuoSpatialSequencing::RestoreBoard(void* context) {
  auto* task = static_cast<CTaskVisuoSpatialSequencing*>(context);
  task->ShowBoard(task->m_centreX, task->m_centreY, -1, false, false);
  return true;
}

bool CTaskVisuoSpatialSequencing::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  if (!dc) return false;
  LayOutCircles();
  const int side = 2 * m_boardHalf + 1;
  dc->FillSolidRect(m_centreX - m_boardHalf, m_centreY - m_boardHalf, side, side, kBoardColour);
  if (!ParseSequence(reinterpret_cast<const char*>(a))) return false;
  for (int i = 0; i < kCircles; ++i) {
    const int x = m_centreX + m_offsetX[i];
    const int y = m_centreY + m_offsetY[i];
    const bool inSeries = std::find(std::begin(m_sequence), std::end(m_sequence), i + 1) != std::end(m_sequence);
    FillEllipse(dc, x - m_r1, y - m_r1, x + m_r1 + 1, y + m_r1 + 1, kBlack);
    const int r = inSeries ? m_r2 : m_r3;
    FillEllipse(dc, x - r, y - r, x + r + 1, y + r + 1, inSeries ? kWhite : kGrey);
  }
  return true;
}

int32_t CTaskVisuoSpatialSequencing::ComputeVariables(ITaskRunData* runData) {
  const int32_t a = CTaskMouse::ComputeVariables(runData);
  if (a < 0) return a;
  if (!m_runContext) return -1;
  const int n = static_cast<int>(std::min<uint32_t>(m_runContext->trialCounts[0], kMaxResponses));
  if (n == 0) return a + vss::kVariableCount;

  // The intervals are a list of the task's own: the stored entries stay as they are.
  const VssScore score =
      ScoreVssEntries(runData->category[0], runData->responseCode[0], runData->reactionTime[0], n, vss::kTestTrials);
  double age = 0.0;
  const bool hasAge = runData->GetTesteeAge(&age);
  QelStats intervals;
  runData->ComputeStats(&intervals, nullptr, score.intervals.data(), static_cast<int>(score.intervals.size()), 0);

  const double values[8] = {static_cast<double>(score.correct),
                            static_cast<double>(score.identified),
                            static_cast<double>(score.inOrder),
                            static_cast<double>(score.falseAlarms),
                            static_cast<double>(score.Misses()),
                            static_cast<double>(score.afterCompletion),
                            intervals.mean,
                            intervals.sd};
  for (int k = 0; k < 8; ++k) runData->SetValue(a + k, values[k], true);

  // The norms rest on a whole test: a norm trial count of none (a practice
  // run) or above the trials scanned gives no Z-score.
  const int normTrials = m_runContext->GetThirdPartTableEntry(m_practice, 1);
  const bool zScores = hasAge && normTrials >= 0 && normTrials <= score.trialsScanned;
  for (int k = 0; k < 8; ++k) {
    const int index = a + vss::kRowFirstZ + k;
    runData->SetValue(index, kNoValue, false);
    if (!zScores || values[k] == kNoValue) continue;
    double out = kNoValue;
    const QelNormGetter z = NormGetterByNumber(k);
    if (z && z(&out, values[k], age, 0)) runData->SetValue(index, out, true);
  }
  return a + vss::kVariableCount;
}

}  // namespace qel
