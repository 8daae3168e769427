#include "tasks/plugins/tr/TrackingTask.h"

#include "tasks/plugins/tr/TrackingTables.h"

namespace qel {

extern "C" const QelModelTask g_ModelDefault;

namespace {

const char* const kDirectionNames[2] = {"Clockwise", "Counterclockwise"};
const char* const kWidthNames[3] = {"Narrow", "Medium", "Wide"};

}  // namespace

CTaskTracking::CTaskTracking() {
  m_modelDefault = &g_ModelDefault;
  m_taskDescription = &tracking::kDescription;
  m_versionNames = tracking::kVersionNames;
  m_versionCount = 1;
  m_partNames = tracking::kPartNames;
  m_partCount = tracking::kPartCount;
  m_variables = tracking::kVariables;
  m_variableCount = tracking::kVariableCount;
  m_normVariables = tracking::kNormVariables;
  m_normVariableCount = tracking::kNormVariableCount;
  m_captions = tracking::kCaptions;
  m_captionCount = tracking::kCaptionCount;
  m_captions2 = tracking::kSecondCaptions;
  m_captionCount2 = tracking::kSecondCaptionCount;
  m_page = &m_pageObject;
}

void CTaskTracking::LoadTexts() { LoadHandTaskTexts(tracking::kTexts); }

bool CTaskTracking::SetupScreen(IDDDisplay* display, bool practice) {
  const bool result = CTaskMouse::SetupScreen(display, practice);
  m_pointerColour = m_normalPointerColour = kWhite;
  m_markerColour = kYellow;
  m_track = TrackForScreen(m_centreY, m_scale);
  m_markerX = m_centreX;
  m_markerY = m_centreY - m_track.radius;
  return result;
}

void CTaskTracking::BindArrays(ITaskRunData* runData) {
  const int part = m_runContext ? m_runContext->currentPart : -1;
  if (!runData || part < 0 || part >= tracking::kPartCount) {
    m_categories = m_reactionTimes = m_deviations = m_progress = nullptr;
    return;
  }
  m_categories = runData->category[part];
  m_reactionTimes = runData->reactionTime[part];
  m_deviations = runData->responseCode[part];
  m_progress = runData->taskCategory[part];
}

bool CTaskTracking::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskMouse::SetupRun(context, value)) return false;
  BindArrays(reinterpret_cast<ITaskRunData*>(value));
  return true;
}

bool CTaskTracking::LoadTrackParams() {
  if (!LoadMouseParams()) return false;
  const uint32_t direction = m_runContext->TaskParam[kWordDirection];
  const bool firstPart = m_partIndex == 0;
  m_directionFlag = direction == 0 ? (firstPart ? 1 : 0) : direction == 1 ? (firstPart ? 0 : 1) : 0;
  m_track = TrackWithWidth(m_track, m_runContext->TaskParam[kWordWidth]);
  return true;
}

int32_t CTaskTracking::GetParamText(int parameter, int which) {
  if (!m_record || !m_runContext) return 0;
  m_record->answerText.clear();
  const uint32_t* words = m_runContext->TaskParam;
  switch (parameter) {
    case 0:
      return 3;
    case 1:
      m_record->answerText = which == 0 ? "Mouse sensitivity" : SensitivityName(MouseWord::Sensitivity(words[0]));
      return 3;
    case 2:
      if (which == 0) {
        m_record->answerText = "Direction";
      } else if (words[kWordDirection] <= 1) {
        m_record->answerText = kDirectionNames[words[kWordDirection]];
      }
      return 2;
    case 3:
      if (which == 0) {
        m_record->answerText = "Track width";
      } else if (words[kWordWidth] <= 2) {
        m_record->answerText = kWidthNames[words[kWordWidth]];
      }
      return 3;
    default:
      return 0;
  }
}

void CTaskTracking::DrawCircleOutline(CDC* dc, int left, int top, int right, int bottom, COLORREF colour, int width) {
  dc->SetPen(colour, width);
  const int middle = (left + right) / 2;
  // A whole ellipse: the arc starts and ends at its top middle.
  dc->Arc(left, top, right, bottom, middle, top, middle, top);
}

void CTaskTracking::FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour) {
  dc->SetPen(colour, 1);
  dc->SetBrush(colour);
  dc->Ellipse(left, top, right, bottom);
}

void CTaskTracking::DrawTrack(CDC* dc, int x, int y) {
  const int inner = m_track.radius - m_track.halfWidth;
  const int outer = m_track.radius + m_track.halfWidth;
  DrawCircleOutline(dc, m_centreX - inner, m_centreY - inner, m_centreX + inner + 1, m_centreY + inner + 1,
                    m_trackColour, 1);
  DrawCircleOutline(dc, m_centreX - outer, m_centreY - outer, m_centreX + outer + 1, m_centreY + outer + 1,
                    m_trackColour, 1);
  const int marker = m_track.halfWidth / 2;
  FillEllipse(dc, m_markerX - marker, m_markerY - marker, m_markerX + marker + 1, m_markerY + marker + 1,
              m_markerColour);
  const int pointer = m_track.halfWidth / 4 + 1;
  FillEllipse(dc, x - pointer, y - pointer, x + pointer + 1, y + pointer + 1, m_pointerColour);
}

bool CTaskTracking::DrawStimulus(CDC* dc, intptr_t, intptr_t) {
  if (!dc) return false;
  DrawTrack(dc, m_centreX, m_centreY);
  return true;
}

void CTaskTracking::ShowScene(int x, int y, bool ruler) {
  if (!m_host) return;
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawTrack(dc, x, y);
    if (ruler) DrawRuler(dc, m_maxY, 0.0, m_markerX, m_markerY, x, y);
    ReleaseBackDC(dc);
  }
  Present();
}

bool CTaskTracking::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskMouse::ShowSignal(code, display, c)) return false;
  m_lastX = m_pointerX;
  m_lastY = m_pointerY;
  ShowScene(m_pointerX, m_pointerY, false);
  return true;
}

void CTaskTracking::SetMarkerColours(bool onMarker) {
  m_pointerColour = m_normalPointerColour = onMarker ? kYellow : kWhite;
  m_markerColour = onMarker ? kWhite : kYellow;
}

}  // namespace qel
