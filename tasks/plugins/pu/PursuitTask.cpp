#include "tasks/plugins/pu/PursuitTask.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "tasks/plugins/pu/PursuitPath.h"
#include "tasks/plugins/pu/PursuitTables.h"

namespace qel {

extern "C" const QelModelTask g_ModelDefault;

namespace {

const char* const kSpeedNames[3] = {"Low", "Medium", "High"};

}  // namespace

CTaskPursuit::CTaskPursuit() {
  m_modelDefault = &g_ModelDefault;
  m_taskDescription = &pursuit::kDescription;
  m_versionNames = pursuit::kVersionNames;
  m_versionCount = 1;
  m_partNames = pursuit::kPartNames;
  m_partCount = pursuit::kPartCount;
  m_variables = pursuit::kVariables;
  m_variableCount = pursuit::kVariableCount;
  m_normVariables = pursuit::kNormVariables;
  m_normVariableCount = pursuit::kNormVariableCount;
  m_captions = pursuit::kCaptions;
  m_captionCount = pursuit::kCaptionCount;
  m_captions2 = pursuit::kSecondCaptions;
  m_captionCount2 = pursuit::kSecondCaptionCount;
  m_sizePercent[1] = 6;
  // The combined rows take the mean of the two hands' norms.
  m_pairNormMean = true;
  m_page = &m_pageObject;
}

int32_t CTaskPursuit::ThresholdOf(uint32_t word) {
  const int32_t t = static_cast<int32_t>(word);
  return t >= kThresholdMin && t <= kThresholdMax ? t : kThresholdDefault;
}

void CTaskPursuit::LoadTexts() { LoadHandTaskTexts(pursuit::kTexts); }

void CTaskPursuit::BindArrays(ITaskRunData* runData) {
  const int part = m_runContext ? m_runContext->currentPart : -1;
  if (!runData || part < 0 || part >= pursuit::kPartCount) {
    m_deviationX = m_deviationY = m_sampleTime = nullptr;
    return;
  }
  m_deviationX = runData->category[part];
  m_deviationY = runData->reactionTime[part];
  m_sampleTime = runData->responseCode[part];
}

bool CTaskPursuit::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskMouse::SetupRun(context, value)) return false;
  BindArrays(reinterpret_cast<ITaskRunData*>(value));
  const auto samplesOf = [](uint32_t seconds) {
    return static_cast<int32_t>(std::min(seconds, kMaxSeconds) * (1000 / kSampleMs));
  };
  m_record->practiceTrialCount = kPracticeSamples;
  m_record->testTrialCount = static_cast<uint32_t>(samplesOf(m_runContext->TaskPartTrials[m_partIndex]));
  for (int part = 0; part < pursuit::kPartCount; ++part) {
    m_record->partWordsA[part] = samplesOf(m_runContext->TaskPartTrials[part]);
    m_record->partWordsB[part] = kPracticeSamples;
    m_record->normTrialCounts[part] = kNormWindowSeconds;
  }
  PublishTrialList();
  return true;
}

int32_t CTaskPursuit::GetParamText(int parameter, int which) {
  if (!m_record) return 0;
  m_record->answerText.clear();
  if (parameter == 0) return 3;
  if (parameter < 1 || parameter > 3) return 0;
  static const char* const kCaptionsOf[3] = {"Mouse sensitivity", "Moving speed", "Track smoothing"};
  static const int32_t kChoices[3] = {3, 3, 6};
  if (which == 0) {
    m_record->answerText = kCaptionsOf[parameter - 1];
    return kChoices[parameter - 1];
  }
  if (!m_runContext) return 0;
  const uint32_t* words = m_runContext->TaskParam;
  switch (parameter) {
    case 1:
      m_record->answerText = SensitivityName(MouseWord::Sensitivity(words[0]));
      break;
    case 2:
      if (words[kWordSpeed] <= 2) m_record->answerText = kSpeedNames[words[kWordSpeed]];
      break;
    default: {
      char text[16];
      std::snprintf(text, sizeof text, "%d", static_cast<int>(words[kWordSmoothing]) + 1);
      m_record->answerText = text;
      break;
    }
  }
  return kChoices[parameter - 1];
}

bool CTaskPursuit::BeginRun(ITaskRunData* runData) {
  if (!CTaskMouse::BeginRun(runData)) return false;
  if (!m_deviationX) BindArrays(runData);
  if (!m_deviationX || !m_deviationY || !m_sampleTime) return false;
  const uint32_t seconds =
      m_practice ? kPracticeSeconds : std::min(m_runContext->TaskPartTrials[m_partIndex], kMaxSeconds);
  m_durationMs = seconds * 1000;
  m_gridWidth = m_gridHeight = m_centreY * 3 / 4;
  // One generator per run, seeded once from the clock.
  m_random.seed(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  LoadMouseParams();
  m_thresholdMm = ThresholdOf(m_runContext->TaskParam[kWordThreshold]);
  m_samples = std::min(static_cast<int>(m_durationMs / kSampleMs), kMaxResponses);
  m_path.clear();
  m_sample = 0;
  m_breakPending = false;
  m_pointerX = m_drawnX = m_centreX;
  m_pointerY = m_drawnY = m_centreY;
  ShowScene();
  return true;
}

void CTaskPursuit::BuildPath() {
  PursuitPathSpec spec;
  spec.startX = m_centreX;
  spec.startY = m_centreY;
  spec.centreX = m_centreX;
  spec.gridSize = m_gridWidth;
  spec.speed = static_cast<int32_t>(m_runContext->TaskParam[kWordSpeed]);
  spec.smoothing = static_cast<int32_t>(m_runContext->TaskParam[kWordSmoothing]);
  spec.samples = m_samples;
  m_gridCells = PursuitGridCells(m_gridWidth, PursuitRadius(spec.smoothing, m_centreX));
  m_path = BuildPursuitPath(spec, [this] { return static_cast<uint32_t>(m_random()); });
}

QelPoint CTaskPursuit::Target() const {
  if (m_sample >= 0 && static_cast<size_t>(m_sample) < m_path.size()) return m_path[static_cast<size_t>(m_sample)];
  if (!m_path.empty()) return m_path.back();
  return QelPoint{m_centreX, m_centreY};
}

void CTaskPursuit::DrawAsterisk(CDC* dc, int x, int y, int arm, COLORREF colour) {
  const int width = std::max(1, arm / 4);
  const int diagonal = arm * 7 / 10;
  DrawLine(dc, x - arm, y, x + arm + 1, y, colour, width);
  DrawLine(dc, x, y - arm, x, y + arm + 1, colour, width);
  DrawLine(dc, x - diagonal, y - diagonal, x + diagonal + 1, y + diagonal + 1, colour, width);
  DrawLine(dc, x - diagonal, y + diagonal, x + diagonal + 1, y - diagonal - 1, colour, width);
}

void CTaskPursuit::DrawScene(CDC* dc) {
  const int arm = m_size[0] / 4;
  const QelPoint target = Target();
  DrawAsterisk(dc, target.x, target.y, arm, kTargetColour);
  const int x = m_pointerX;
  const int y = m_pointerY;
  const int width = std::max(1, arm / 4);
  DrawLine(dc, x - arm, y, x - 2 * arm, y, m_pointerColour, width);
  DrawLine(dc, x + arm, y, x + 2 * arm, y, m_pointerColour, width);
  DrawLine(dc, x, y - arm, x, y - 2 * arm, m_pointerColour, width);
  DrawLine(dc, x, y + arm, x, y + 2 * arm, m_pointerColour, width);
  // The ruler row only outside a run (the demonstration).
  if (m_ruler) DrawRuler(dc, m_demonstration ? m_maxY : -1, m_thresholdMm, target.x, target.y, x, y);
}

void CTaskPursuit::ShowScene() {
  if (!m_host) return;
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawScene(dc);
    ReleaseBackDC(dc);
  }
  Present();
  m_drawnX = m_pointerX;
  m_drawnY = m_pointerY;
}

bool CTaskPursuit::RestoreScene(void* context) {
  static_cast<CTaskPursuit*>(context)->ShowScene();
  return true;
}

bool CTaskPursuit::DrawStimulus(CDC* dc, intptr_t, intptr_t) {
  if (!dc) return false;
  DrawAsterisk(dc, dc->GetWidth() / 2, dc->GetHeight() / 2, m_size[0] / 4, kTargetColour);
  return true;
}

bool CTaskPursuit::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskMouse::ShowSignal(code, display, c)) return false;
  MovePointer(m_pointerX, m_pointerY);
  ShowScene();
  return true;
}

bool CTaskPursuit::HideSignal(int32_t) { return true; }

int32_t CTaskPursuit::OnBreakBegin() { return 0; }

int32_t CTaskPursuit::OnBreakEnd() {
  m_pointerX = m_drawnX;
  m_pointerY = m_drawnY;
  return 0;
}

}  // namespace qel
