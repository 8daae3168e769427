#include "tasks/plugins/gac/TaskGazeArrowCueing.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "taskfw/TaskPlugin.h"
#include "tasks/layers/choice/ChoiceDrawing.h"
#include "tasks/layers/choice/PairScoring.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/gac/GacTrialLists.h"
#include "tasks/plugins/gac/GacVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Version 1", "Version 2", "Version 3"};
const char* const kPartNames[] = {"No parts"};

// TEXT resources: description, the help on the cue timing and the part
// text (the same in every language).
constexpr msfa::LanguageTexts kTexts[3] = {
    {6, 23004, {23002}},      // English
    {23001, 23005, {23002}},  // Dutch
    {23003, 23006, {23002}},  // Italian
};

constexpr COLORREF kBallColours[CTaskGazeArrowCueing::kVersions] = {QelRGB(0, 255, 0), QelRGB(255, 127, 0),
                                                                    QelRGB(255, 255, 255)};
constexpr COLORREF kArrowColour = QelRGB(255, 255, 0);
constexpr COLORREF kCrossColour = QelRGB(255, 0, 0);
constexpr COLORREF kMeridianColour = QelRGB(0, 0, 0);

// Sizes in 480ths of the second size. The second size is 133 % of the
// screen height (the width of a 4:3 screen): on a 480-line screen a ball of
// radius 50 whose centre lies 174 pixels beside the centre, just clear of
// the cue (241 pixels wide) so that it appears beside the cue, not on it.
constexpr int kBallSizePercent = 133;
constexpr int kDesignHeight = 480;
constexpr int kBallRadius = 38;
constexpr int kBallOffsetTwice = 262;
constexpr int kMeridians = 5;
// The arrow: w x h units; 4w + 1 by 2h + 1 pixels (half that in the preview).
constexpr int kArrowW = 60;
constexpr int kArrowH = 24;

// Buttons of a response code.
constexpr int32_t kLeftBit = 1;
constexpr int32_t kRightBit = 2;
constexpr int32_t kBothButtons = 3;

// Sub-categories of the correct answers: face cue left / right with the
// ball left, face cue left / right with the ball right, then the same for
// arrows; the wrong answers 8 above.
constexpr int32_t kFaceFirst = 10;
constexpr int32_t kArrowFirst = 14;
constexpr int32_t kWrongOffset = 8;

int SideOf(char c) {
  switch (std::toupper(static_cast<unsigned char>(c))) {
    case 'L':
      return CTaskGazeArrowCueing::kSideLeft;
    case 'R':
      return CTaskGazeArrowCueing::kSideRight;
    case ' ':
      return CTaskGazeArrowCueing::kSideNone;
    default:
      return -1;
  }
}

uint32_t Clamped(uint32_t value, uint32_t low, uint32_t high) { return std::clamp(value, low, high); }

}  // namespace

bool CTaskGazeArrowCueing::ParseCode(const char* code, ParsedCode* out) {
  *out = ParsedCode{};
  if (!code) return false;
  const size_t length = strnlen(code, kTrialCodeSize);
  if (length == 0) return false;
  ParsedCode parsed;
  switch (std::tolower(static_cast<unsigned char>(code[0]))) {
    case 'c':
      parsed.kind = kKindCatch;
      break;
    case 'a':
      if (length < 3) return false;
      parsed.kind = kKindArrow;
      parsed.cue = SideOf(code[1]);
      parsed.target = SideOf(code[2]);
      break;
    case 'm':
    case 'w': {
      if (length < 5 || (code[1] != '1' && code[1] != '2')) return false;
      const bool woman = std::tolower(static_cast<unsigned char>(code[0])) == 'w';
      parsed.kind = kKindFace;
      parsed.face = (woman ? 2 : 0) + (code[1] - '1');
      // The third character is not read.
      parsed.cue = SideOf(code[3]);
      parsed.target = SideOf(code[4]);
      break;
    }
    default:
      return false;
  }
  if (parsed.cue < 0 || parsed.target < 0) return false;
  *out = parsed;
  return true;
}

CTaskGazeArrowCueing::CTaskGazeArrowCueing() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = gac::kVariables;
  m_variableCount = gac::kVariableCount;
  m_normVariables = gac::kNormVariables;
  m_normVariableCount = gac::kNormVariableCount;
  m_page = &m_pageObject;
  m_sizePercent[1] = kBallSizePercent;
}

CTaskGazeArrowCueing::Geometry CTaskGazeArrowCueing::RunGeometry() const {
  const int s = m_size[1];
  return Geometry{m_centreX,
                  m_centreY,
                  s * kBallRadius / kDesignHeight,
                  kBallOffsetTwice * s / (2 * kDesignHeight),
                  2 * kArrowW,
                  kArrowH,
                  kLargeFaceFirstId,
                  kLargeFaceWidth,
                  kLargeFaceHeight};
}

void CTaskGazeArrowCueing::ReadTiming() {
  const uint32_t* words = m_runContext ? m_runContext->TaskParam : nullptr;
  m_cueStartMs = Clamped(words ? words[0] : kCueStartDefault, kCueMin, kCueMax);
  m_cueEndMs = Clamped(words ? words[1] : kCueEndDefault, kCueMin, kCueMax);
  m_postCatchMs = Clamped(words ? words[2] : kPostCatchDefault, kPostCatchMin, kPostCatchMax);
}

void CTaskGazeArrowCueing::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskGazeArrowCueing::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->practiceTrialList = GacPracticeList(m_versionIndex, 0);
  m_record->practiceTrialCount = kGacPracticeLength;
  m_record->testTrialList = GacTestList(m_versionIndex, 0);
  m_record->testTrialCount = static_cast<uint32_t>(GacTestLength(0));
  msfa::PublishPartWords(*m_record, kParts, kGacTestLengths, kGacPracticeLength, g_ModelDefault.TaskPartTrials);
  PublishTrialList();
  return true;
}

bool CTaskGazeArrowCueing::BeginRun(ITaskRunData* runData) {
  m_partRunning = false;
  m_summaryWritten = false;
  if (!CTaskBase::BeginRun(runData)) return false;
  ReadTiming();
  m_catchCount = 0;
  m_catchSum = 0;
  m_leftPressed = m_rightPressed = false;
  m_leftTime = m_rightTime = 0;
  m_catchActive = false;
  m_catchEnded = false;
  m_partRunning = true;
  return Present();
}

// The summary record goes after the part's last stored record: the trials
// before it stay as they were, however often trials were given again.
bool CTaskGazeArrowCueing::EndRun() {
  if (m_partRunning && m_host && m_runArg) {
    auto* data = reinterpret_cast<ITaskRunData*>(m_runArg);
    const uint32_t at = m_host->responseCount;
    if (at < static_cast<uint32_t>(kMaxResponses) && m_partIndex >= 0 && m_partIndex < kMaxParts) {
      data->category[m_partIndex][at] = kSummaryCategory;
      data->reactionTime[m_partIndex][at] = m_catchSum;
      data->responseCode[m_partIndex][at] = m_catchCount;
      data->taskCategory[m_partIndex][at] = kCatNone;
      m_summaryWritten = true;
    }
  }
  m_partRunning = false;
  return CTaskBase::EndRun();
}

int32_t CTaskGazeArrowCueing::GetExtraResponseCount() { return m_summaryWritten ? 1 : 0; }

void CTaskGazeArrowCueing::DrawCue(CDC* dc, const Geometry& g, const ParsedCode& code, bool directional) {
  const int cue = directional ? code.cue : kSideNone;
  if (code.kind == kKindFace) {
    const uint32_t id = g.firstFaceId + static_cast<uint32_t>(code.face * 3 + cue);
    DrawBitmap(dc, id, g.centreX - g.faceWidth / 2, g.centreY - g.faceHeight / 2, false);
    return;
  }
  if (code.kind != kKindArrow) return;
  if (cue == kSideNone) {
    m_host->FillRect(dc, g.centreX - g.arrowHalfWidth, g.centreY - g.arrowHalfHeight, 2 * g.arrowHalfWidth + 1,
                     2 * g.arrowHalfHeight + 1, kArrowColour);
    return;
  }
  QelPoint points[choice::kArrowPoints];
  choice::ArrowPolygon(g.centreX, g.centreY, g.arrowHalfWidth, g.arrowHalfHeight, cue == kSideRight, points);
  dc->SetPen(kArrowColour, 1);
  dc->SetBrush(kArrowColour);
  dc->Polygon(points, choice::kArrowPoints);
}

void CTaskGazeArrowCueing::DrawBall(CDC* dc, const Geometry& g, int side) {
  const int r = g.ballRadius;
  int x = g.centreX;
  COLORREF colour = kMeridianColour;
  if (side != kSideNone) {
    x += side == kSideLeft ? -g.ballOffset : g.ballOffset;
    colour = kBallColours[m_versionIndex >= 0 && m_versionIndex < kVersions ? m_versionIndex : 0];
  }
  const int y = g.centreY;
  m_host->FillEllipse(dc, x - r, y - r, x + r + 1, y + r + 1, colour);
  // Meridians: ellipses through the top and the bottom, r/5, 2r/5, ... wide.
  for (int k = 1; k <= kMeridians; ++k) {
    const int half = k * r / (2 * kMeridians);
    m_host->DrawArc(dc, x - half, y - r, x + half + 1, y + r + 1, kMeridianColour, 1);
  }
}

void CTaskGazeArrowCueing::DrawCatchCrosses(CDC* dc, const Geometry& g) {
  const int s1 = m_size[0];
  const int half = s1 / 2;
  const int pen = std::max(s1 / 6, 1);
  for (const int x : {g.centreX - half, g.centreX + half}) {
    m_host->DrawLine(dc, x - half, g.centreY - half, x + half, g.centreY + half, kCrossColour, pen);
    m_host->DrawLine(dc, x - half, g.centreY + half, x + half, g.centreY - half, kCrossColour, pen);
  }
}

void CTaskGazeArrowCueing::DrawPhase(CDC* dc, const Geometry& g, int phase, const ParsedCode& code) {
  switch (phase) {
    case kPhaseNeutralCue:
      DrawCue(dc, g, code, false);
      break;
    case kPhaseDirectionalCue:
      DrawCue(dc, g, code, true);
      break;
    case kPhaseCatch:
      DrawCatchCrosses(dc, g);
      break;
    case kPhaseCueAndTarget:
      DrawCue(dc, g, code, true);
      DrawCentreCross(dc, m_warningColour);
      DrawBall(dc, g, code.target);
      break;
    default:
      DrawCentreCross(dc, m_warningColour);
      break;
  }
}

void CTaskGazeArrowCueing::ShowPhase(int phase, const ParsedCode& code) {
  if (!m_host) return;
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawPhase(dc, RunGeometry(), phase, code);
    ReleaseBackDC(dc);
  }
  Present();
}

void CTaskGazeArrowCueing::ShowCueSequence(const ParsedCode& code) {
  ShowPhase(kPhaseNeutralCue, code);
  m_host->SleepMs(m_cueStartMs);
  ShowPhase(kPhaseDirectionalCue, code);
  m_host->SleepMs(m_cueEndMs);
  ShowPhase(kPhaseCueAndTarget, code);
}

bool CTaskGazeArrowCueing::ShowSignal(const char* code, IDDDisplay*, intptr_t) {
  if (!m_host) return false;
  ParsedCode parsed;
  ParseCode(code, &parsed);
  switch (parsed.kind) {
    case kKindArrow:
    case kKindFace:
      ShowCueSequence(parsed);
      return true;
    case kKindCatch:
      RunCatchWindow();
      return true;
    default:
      ShowPhase(kPhaseFixation, parsed);
      return true;
  }
}

void CTaskGazeArrowCueing::RunCatchWindow() {
  m_leftPressed = m_rightPressed = false;
  m_leftTime = m_rightTime = 0;
  m_catchEnded = false;
  m_catchActive = true;
  ShowPhase(kPhaseCatch, ParsedCode{kKindCatch});
  const uint32_t onset = GetRunTime();
  const uint32_t window = m_postCatchMs + kCatchCrossesMs;
  bool crossesShown = true;
  bool counted = false;
  for (;;) {
    const uint32_t elapsed = GetRunTime() - onset;
    if (elapsed >= window) break;
    // The buttons as the run reads them (the response keys when the task
    // answers with the keyboard).
    const int32_t bits = GetResponse();
    if ((bits & kLeftBit) && !m_leftPressed) {
      m_leftPressed = true;
      m_leftTime = static_cast<int32_t>(elapsed);
    }
    if ((bits & kRightBit) && !m_rightPressed) {
      m_rightPressed = true;
      m_rightTime = static_cast<int32_t>(elapsed);
    }
    if (m_leftPressed && m_rightPressed && !counted) {
      counted = true;
      m_catchSum += std::max(m_leftTime, m_rightTime);
      ++m_catchCount;
    }
    if (crossesShown && (elapsed >= kCatchCrossesMs || counted)) {
      crossesShown = false;
      ClearBackSurface();
      Present();
    }
    m_host->SleepMs(1);
  }
  if (crossesShown) {
    ClearBackSurface();
    Present();
  }
  m_catchActive = false;
  m_catchEnded = true;
}

int32_t CTaskGazeArrowCueing::IsTrialEnded() {
  if (m_catchEnded.exchange(false)) return 1;
  return m_catchActive.load() ? 6 : 0;
}

int32_t CTaskGazeArrowCueing::OnResponse(int32_t, int32_t) { return m_parsed.kind == kKindCatch ? kCatExcluded : 0; }

int32_t CTaskGazeArrowCueing::OnNoResponse() { return m_parsed.kind == kKindCatch ? kCatExcluded : 0; }

bool CTaskGazeArrowCueing::SetTrial(const char* code) {
  m_trialSet = ParseCode(code, &m_parsed);
  return m_trialSet;
}

int32_t CTaskGazeArrowCueing::GetCorrectResponse(const char* code) {
  ParsedCode parsed;
  ParseCode(code, &parsed);
  if (parsed.target == kSideLeft) return kLeftBit;
  if (parsed.target == kSideRight) return kRightBit;
  return kBothButtons;
}

int32_t CTaskGazeArrowCueing::ClassifyResponse(int32_t category, int32_t code) {
  const bool answered = category >= kCatHit && category <= kCatMiss;
  if (m_parsed.kind == kKindCatch) {
    // A catch trial ends by the plug-in (category 8) or, when answered before
    // its crosses, as a response: its buttons are those of the catch window.
    if (!answered && category != kCatExcluded) return category;
    if (m_leftPressed && m_rightPressed) return kCatchBoth;
    return (m_leftPressed || m_rightPressed) ? kCatchOne : kCatchNone;
  }
  if (!answered || m_parsed.cue == kSideNone || m_parsed.target == kSideNone) return category;
  if (m_parsed.kind != kKindFace && m_parsed.kind != kKindArrow) return category;
  const int32_t first = m_parsed.kind == kKindFace ? kFaceFirst : kArrowFirst;
  // Cue left / right with the ball left: +0 / +1; with the ball right: +2 / +3.
  const int32_t correct = first + (m_parsed.target == kSideRight ? 2 : 0) + (m_parsed.cue == kSideRight ? 1 : 0);
  const int32_t button = m_parsed.target == kSideLeft ? kLeftBit : kRightBit;
  return (code & kBothButtons) == button ? correct : correct + kWrongOffset;
}

bool CTaskGazeArrowCueing::DemoWait() { return WaitSpaceChange() == 1; }

bool CTaskGazeArrowCueing::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  ReadTiming();
  const auto run = [&]() {
    ShowPhase(kPhaseFixation, ParsedCode{});
    if (DemoWait()) return;
    for (const int side : {kSideLeft, kSideRight}) {
      ParsedCode ball;
      ball.target = side;
      ShowPhase(kPhaseCueAndTarget, ball);
      if (DemoWait()) return;
    }
    for (const int kind : {kKindFace, kKindArrow}) {
      for (const int side : {kSideLeft, kSideRight}) {
        ShowCueSequence(ParsedCode{kind, 0, side, side});
        if (DemoWait()) return;
      }
    }
    ShowPhase(kPhaseCatch, ParsedCode{kKindCatch});
    m_host->SleepMs(kCatchCrossesMs);
    ShowPhase(kPhaseFixation, ParsedCode{});
    DemoWait();
  };
  run();
  CTaskBase::EndRun();
  return true;
}

bool CTaskGazeArrowCueing::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  if (!dc || !m_host) return false;
  ParsedCode parsed;
  ParseCode(reinterpret_cast<const char*>(a), &parsed);
  Geometry g = RunGeometry();
  g.arrowHalfWidth /= 2;
  g.arrowHalfHeight /= 2;
  g.firstFaceId = kSmallFaceFirstId;
  g.faceWidth = kSmallFaceWidth;
  g.faceHeight = kSmallFaceHeight;
  DrawPhase(dc, g, parsed.kind == kKindCatch ? kPhaseCatch : kPhaseCueAndTarget, parsed);
  return true;
}

int32_t CTaskGazeArrowCueing::ComputeVariables(ITaskRunData* runData) {
  int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  const int part = 0;
  const int stored = static_cast<int>(std::min<uint32_t>(m_runContext->trialCounts[part], kMaxResponses));
  // The trials are the records before the summary record.
  int summary = 0;
  while (summary < stored && runData->category[part][summary] != kSummaryCategory) ++summary;
  index = choice::StorePartTotal(*runData, index, summary);
  index = choice::ComputePairBlocks(*runData, *m_runContext, index, part, gac::kBlocks);
  if (index < 0) return index;
  // Catch trials answered with both buttons and their mean slower time.
  if (summary < stored) {
    const int32_t count = runData->responseCode[part][summary];
    runData->SetValue(index, count, true);
    if (count > 0) {
      runData->SetValue(index + 1, static_cast<double>(runData->reactionTime[part][summary]) / count, true);
    }
  }
  index += 2;
  return runData->CountPartOutcomes(m_runContext, index, part);
}

}  // namespace qel
