#include "tasks/layers/mouse/TaskMouse.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qel {

const char* SensitivityName(int32_t sensitivity) {
  static const char* const kNames[3] = {"Negative", "Equal", "Positive"};
  return sensitivity >= 0 && sensitivity <= 2 ? kNames[sensitivity] : "";
}

CTaskMouse::CTaskMouse()
    : m_quarterTurn(2.0 * std::atan2(1.0, 1.0)),
      m_fullTurn(4.0 * m_quarterTurn),
      m_feedbackPointerColour(m_feedbackColour) {}

void CTaskMouse::MovePointer(int& x, int& y) {
  if (!m_host) return;
  int dx = 0;
  int dy = 0;
  m_host->GetMouseDelta(&dx, &dy);
  switch (m_sensitivity) {
    case static_cast<int32_t>(MouseSensitivity::kNegative):
      dx /= 2;
      dy /= 2;
      break;
    case static_cast<int32_t>(MouseSensitivity::kPositive):
      dx *= 2;
      dy *= 2;
      break;
    default:
      break;
  }
  x = std::clamp(x + dx, 0, std::max(m_maxX, 0));
  y = std::clamp(y + dy, 0, std::max(m_maxY, 0));
}

bool CTaskMouse::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  m_pointerColour = m_normalPointerColour;
  return true;
}

void CTaskMouse::LoadHandTaskTexts(const MouseTaskTexts (&texts)[3]) {
  // At command 2 the texts are loaded before the part is taken over.
  const int part = m_runContext ? m_runContext->currentPart : m_partIndex;
  const bool knownPart = part == 0 || part == 1;
  const int feedback = FeedbackType();
  const bool knownFeedback = feedback >= 0 && feedback <= 2;
  TaskTextIds ids[3];
  for (int language = 0; language < 3; ++language) {
    const MouseTaskTexts& t = texts[language];
    ids[language] =
        TaskTextIds{t.task, knownPart ? t.parts[part] : 0u, t.parameters, knownFeedback ? t.feedback[feedback] : 0u};
  }
  LoadTextsForLanguage(ids);
}

bool CTaskMouse::LoadMouseParams() {
  if (!m_runContext) return false;
  m_feedbackType = static_cast<int32_t>(m_runContext->w.TaskFbk & 0xFFFF);
  const uint32_t word = m_runContext->TaskParam[0];
  m_mmPerPixel = MouseWord::PixelSize(word) * 0.001;
  m_sensitivity = MouseWord::Sensitivity(word);
  return true;
}

void CTaskMouse::SetFeedback(bool on) {
  switch (m_feedbackType) {
    case kMouseFeedbackSound:
      if (on) {
        FeedbackOn();
      } else {
        FeedbackOff();
      }
      break;
    case kMouseFeedbackPointer:
      m_pointerColour = on ? m_feedbackPointerColour : m_normalPointerColour;
      break;
    default:
      break;
  }
}

void CTaskMouse::DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width) {
  if (!dc) return;
  dc->SetPen(colour, width);
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

void CTaskMouse::DrawRuler(CDC* dc, int rulerY, double thresholdMm, int targetX, int targetY, int pointerX,
                           int pointerY) {
  if (!dc || !(m_mmPerPixel > 0.0)) return;
  const int length = PixelsOf(kRulerMm);
  dc->SetBkColor(m_backColour);
  dc->SetBkMode(kBkTransparent);

  const int r = thresholdMm > 0.0 ? PixelsOf(thresholdMm) : 0;
  if (r > 0) {
    dc->SetPen(m_feedbackColour, 1);
    dc->SetNullBrush();
    dc->Ellipse(targetX - r, targetY - r, targetX + r + 1, targetY + r + 1);
    const int64_t dx = pointerX - targetX;
    const int64_t dy = pointerY - targetY;
    const bool inside = dx * dx + dy * dy < static_cast<int64_t>(r) * r;
    DrawLine(dc, targetX, targetY, pointerX, pointerY, inside ? m_textColour : m_feedbackColour, 1);
    if (rulerY >= 0) {
      char label[32];
      std::snprintf(label, sizeof label, "%1.0fmm", thresholdMm);
      dc->SetTextColor(m_feedbackColour);
      dc->SetTextAlign(kTaLeft | kTaBottom);
      dc->TextOut(targetX + r + 1, targetY, label);
    }
  }

  const int left = m_centreX - length / 2;
  if (rulerY < 0 || left < 0) return;
  DrawLine(dc, left, rulerY, left + length + 1, rulerY, m_textColour, 1);
  for (int k = 0; k <= 10; ++k) {
    const int x = left + k * length / 10;
    DrawLine(dc, x, rulerY, x, rulerY - 3, m_textColour, 1);
  }
  dc->SetTextColor(m_textColour);
  dc->SetTextAlign(kTaLeft | kTaBottom);
  dc->TextOut(left + length, rulerY, "100mm");
  dc->SetTextAlign(kTaRight | kTaBottom);
  dc->TextOut(left - 1, rulerY, "0");
}

bool CTaskMouse::BreakStateSaysStop() const {
  IDDDisplay* display = m_host ? m_host->display : nullptr;
  if (!display) return false;
  const int state = display->BreakGetState();
  return state == kBreakStop || state == kBreakStopSeen;
}

bool CTaskMouse::OpenBreakDialog(const std::string& title, QelRestoreCallback restore) {
  IDDDisplay* display = m_host ? m_host->display : nullptr;
  if (!display || BreakStateSaysStop()) return false;
  m_breakTitle = title;
  display->BreakSetTitle(m_breakTitle.c_str());
  display->BreakSetState(kBreakRequested);
  SetRestoreCallback(restore, this);
  if (display->PostMessageA(kDispCmdOpenBreak, 0) == 0) {
    SetRestoreCallback(nullptr, nullptr);
    return false;
  }
  return true;
}

CTaskMouse::BreakAnswer CTaskMouse::PollBreakDialog() {
  IDDDisplay* display = m_host ? m_host->display : nullptr;
  const int state = display ? display->BreakGetState() : kBreakStop;
  if (state != kBreakContinue && state != kBreakStop && state != kBreakStopSeen) return BreakAnswer::kPending;
  SetRestoreCallback(nullptr, nullptr);
  return state == kBreakContinue ? BreakAnswer::kContinue : BreakAnswer::kStop;
}

}  // namespace qel
