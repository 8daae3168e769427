#include "tasks/plugins/sad/TaskSustainedAttentionDots.h"

#include <algorithm>

#include "include/qel/TaskEntry.h"
#include "tasks/plugins/sad/SadTables.h"

namespace qel {

namespace {

// TEXT resources: task instruction, parameters help; the part text is the
// same in every language ("Task has no parts!").
constexpr uint32_t kPartText = 102;
constexpr TaskTextIds kTexts[3] = {
    {4, kPartText, 151, 0},    // English (and the default)
    {152, kPartText, 153, 0},  // Dutch
    {154, kPartText, 155, 0},  // Italian
};

// The demonstration shows one fewer, the target and one more.
constexpr int kDemonstrationPatterns = 3;

}  // namespace

CTaskSustainedAttentionDots::CTaskSustainedAttentionDots() : CTaskSustained(sad::kTables) {
  m_page = &m_pageObject;
  m_textColour = kGrey;
  m_sizePercent[1] = kFramePercent;
  m_pageObject.SetLengths(sad::kSeriesLength, sad::kTaskLengthSeries);
}

void CTaskSustainedAttentionDots::LoadTexts() { LoadTextsForLanguage(kTexts); }

int CTaskSustainedAttentionDots::DotSide() const { return std::max(2, m_dotUnit / 2); }

bool CTaskSustainedAttentionDots::SetupScreen(IDDDisplay* display, bool practice) {
  const bool result = CTaskSeries::SetupScreen(display, practice);
  ResetGrid();
  // The integer product first, then the scale and the factor in floating point.
  const int product = m_centreY * m_sizePercent[1];
  m_size[1] = static_cast<int>(static_cast<double>(product) * m_scale * kFrameFactor);
  m_dotUnit = m_size[1] / kDotUnits;
  m_doubleDotUnit = 2 * m_dotUnit;
  return result;
}

void CTaskSustainedAttentionDots::ResetGrid() {
  m_currentCount = 0;
  m_targetCount = 0;
  if (m_runContext) m_targetCount = m_runContext->TaskParam[kWordDotSet] != 0 ? kTargetDotsHighSet : kTargetDots;
  m_pattern.Reset();
}

int CTaskSustainedAttentionDots::GetDotCount(const char* code) {
  m_targetCount = 0;
  if (!code || !m_runContext) return 0;
  const int t = m_runContext->TaskParam[kWordDotSet] != 0 ? kTargetDotsHighSet : kTargetDots;
  m_targetCount = t;
  const bool byResponse = m_runContext->TaskParam[kWordBalance] != 0;
  switch (code[0]) {
    case 'H':
      return t + 1;
    case 'h':
      return byResponse ? t : t + 1;
    case 'm':
      return t;
    case 'l':
      return byResponse ? t : t - 1;
    case 'L':
      return t - 1;
    default:
      return 0;
  }
}

bool CTaskSustainedAttentionDots::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskSeries::SetupRun(context, value)) return false;
  m_record->seriesLength = sad::kSeriesLength;
  m_record->practiceTrialList = sad::PracticeList();
  m_record->practiceTrialCount = sad::kPracticeLength;
  m_record->testTrialList = sad::TestList();
  m_record->testTrialCount = sad::kTestLength;
  m_record->secondList = sad::SecondList();
  m_record->secondListCount = sad::kSecondLength;
  m_record->partWordsA[0] = sad::kTestLength;
  m_record->partWordsB[0] = sad::kPracticeLength;
  m_record->normTrialCounts[0] = sad::kNormTrials;
  PublishTrialList();
  ResetGrid();
  m_record->runText = std::string(1, kTargetCode);
  m_pageObject.SetLengths(sad::kSeriesLength, sad::kTaskLengthSeries);
  return true;
}

bool CTaskSustainedAttentionDots::BeginRun(ITaskRunData* runData) {
  if (!CTaskSeries::BeginRun(runData)) return false;
  ResetGrid();
  HideSignal(0);  // the empty frame
  m_currentCount = 0;
  return true;
}

void CTaskSustainedAttentionDots::DrawFrame(CDC* dc, int x, int y, int h, COLORREF pen, COLORREF brush) {
  if (!dc) return;
  dc->SetBrush(brush);
  dc->SetPen(pen, 1);
  dc->Rectangle(x - h, y - h, x + h + 1, y + h + 1);
}

void CTaskSustainedAttentionDots::DrawDots(CDC* dc, int x, int y, int n, bool redraw) {
  if (!dc || n < sad::CDotPattern::kMinDots || n > sad::CDotPattern::kMaxDots) return;
  if (!redraw) m_pattern.New(n);
  m_pattern.Draw(dc, x, y, FrameSize(), DotSide(), m_textColour);
}

bool CTaskSustainedAttentionDots::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskSeries::ShowSignal(code, display, c) || !code) return false;
  if (!m_host) return true;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawFrame(dc, m_centreX, m_centreY, FrameHalfSide(), m_textColour, m_backColour);
    DrawDots(dc, m_centreX, m_centreY, m_currentCount, c != 0);
    ReleaseBackDC(dc);
  }
  Present();
  return true;
}

bool CTaskSustainedAttentionDots::HideSignal(int32_t responseCode) {
  CTaskSeries::HideSignal(responseCode);
  if (!m_host) return true;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawFrame(dc, m_centreX, m_centreY, FrameHalfSide(), m_textColour, m_backColour);
    ReleaseBackDC(dc);
  }
  Present();
  return true;
}

bool CTaskSustainedAttentionDots::DrawStimulus(CDC* dc, intptr_t a, intptr_t b) {
  m_currentCount = GetDotCount(reinterpret_cast<const char*>(a));
  if (m_currentCount > 0 && dc) {
    DrawFrame(dc, m_centreX, m_centreY, FrameHalfSide(), m_textColour, m_backColour);
    DrawDots(dc, m_centreX, m_centreY, m_currentCount, b != 0);
  }
  return true;
}

bool CTaskSustainedAttentionDots::SetTrial(const char* code) {
  if (code && code[0] != '\0') {
    m_currentCount = GetDotCount(code);
    m_trialSet = m_currentCount == m_targetCount;
  } else {
    m_trialSet = true;
  }
  return m_trialSet;
}

int32_t CTaskSustainedAttentionDots::ClassifyResponse(int32_t category, int32_t code) {
  CTaskSeries::ClassifyResponse(category, code);
  const bool fewer = m_currentCount < m_targetCount;
  const bool more = m_currentCount > m_targetCount;
  if (category == kCatCorrectRejection) {
    if (fewer) return sad::kCorrectRejectionFewer;
    if (more) return sad::kCorrectRejectionMore;
  } else if (category == kCatFalseAlarm) {
    if (fewer) return sad::kFalseAlarmFewer;
    if (more) return sad::kFalseAlarmMore;
  }
  return category;
}

bool CTaskSustainedAttentionDots::Demonstrate(ITaskRunData* runData) {
  if (!CTaskSeries::BeginRun(runData)) return false;
  ResetGrid();
  bool result = true;
  for (int i = 0; i < kDemonstrationPatterns; ++i) {
    if (CDC* dc = m_host ? m_host->SurfaceGetDC(kSurfaceBack) : nullptr) {
      DrawFrame(dc, m_centreX, m_centreY, m_dotUnit + (9 * m_doubleDotUnit) / 2, m_textColour, m_backColour);
      DrawDots(dc, m_centreX, m_centreY, m_targetCount - 1 + i, false);
      ReleaseBackDC(dc);
      Present();
    }
    if (WaitSpaceChange() == kScanEscape) {
      result = false;
      break;
    }
  }
  if (!CTaskSeries::EndRun()) return false;
  return result;
}

}  // namespace qel
