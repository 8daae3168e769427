#include "tasks/plugins/pr/TaskProsody.h"

#include <algorithm>
#include <vector>

#include "display/image/ImageDecoder.h"
#include "include/qel/TaskEntry.h"
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/pr/PrTrialLists.h"
#include "tasks/plugins/pr/ProsodyVariables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"No versions"};
const char* const kPartNames[] = {"All sentences"};

// TEXT resources: the description in English, Dutch, Italian; one part text.
constexpr msfa::LanguageTexts kTexts[3] = {
    {101, 0, {102, 0, 0}},
    {103, 0, {102, 0, 0}},
    {120, 0, {102, 0, 0}},
};

constexpr COLORREF kLabelActive = QelRGB(0, 0, 0);
constexpr COLORREF kLabelInactive = QelRGB(127, 127, 127);
constexpr COLORREF kPointerFill = QelRGB(255, 255, 255);
constexpr COLORREF kPointerRim = QelRGB(0, 0, 0);

// The pointer: an arrow with its tip at the point.
void DrawPointer(CDC* dc, QelPoint at) {
  const QelPoint arrow[] = {{0, 0}, {0, 17}, {4, 13}, {7, 20}, {10, 19}, {7, 12}, {12, 12}};
  QelPoint points[std::size(arrow)];
  for (size_t i = 0; i < std::size(arrow); ++i) points[i] = QelPoint{at.x + arrow[i].x, at.y + arrow[i].y};
  dc->SetPen(kPointerRim, 1);
  dc->SetBrush(kPointerFill);
  dc->Polygon(points, static_cast<int>(std::size(points)));
}

}  // namespace

CTaskProsody::CTaskProsody() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = 1;
  m_partNames = kPartNames;
  m_partCount = 1;
  m_variables = pr::kVariables;
  m_variableCount = pr::kVariableCount;
  m_normVariables = pr::kNormVariables;
  m_normVariableCount = pr::kNormVariableCount;
}

CTaskProsody::~CTaskProsody() { JoinThreads(); }

void CTaskProsody::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, 1); }

bool CTaskProsody::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->practiceTrialList = PrPracticeList(m_versionIndex, m_partIndex);
  m_record->practiceTrialCount = static_cast<uint32_t>(kPrPracticeLength);
  m_record->testTrialList = PrTestList(m_versionIndex, m_partIndex);
  m_record->testTrialCount = static_cast<uint32_t>(kPrTestLengths[0]);
  msfa::PublishPartWords(*m_record, 1, kPrTestLengths, kPrPracticeLength, g_ModelDefault.TaskPartTrials);
  PublishTrialList();
  return true;
}

bool CTaskProsody::OnUnload() {
  JoinThreads();
  return CTaskBase::OnUnload();
}

// ---- the button screen --------------------------------------------------------

void CTaskProsody::PrepareButtonScreen() {
  m_layout = pr::LayoutButtons(m_centreX, m_centreY);
  m_labels[0] = pr::kLabelStart;
  for (int b = 1; b < pr::kButtons; ++b) m_labels[b] = pr::EmotionLabel(TextLanguage(), b);
  m_labelFont.CreateFromPoints(pr::kLabelPoints, kFwNormal);
  const uint32_t ids[4] = {pr::kBitmapLarge, pr::kBitmapLargePressed, pr::kBitmapSmall, pr::kBitmapSmallPressed};
  for (int i = 0; i < 4; ++i) {
    m_pictures[i].Clear();
    const QelResource* res =
        m_record && m_record->resources ? QelFindResource(m_record->resources, "BITMAP", ids[i]) : nullptr;
    if (res) QelDecodeImage(res->data, res->size, m_pictures[i]);
  }
  m_pressed = -1;
  m_inputActive = false;
}

void CTaskProsody::DrawButtonScreen() {
  if (!m_host || !ClearBackSurface()) return;
  CDC* dc = m_host->SurfaceGetDC(kSurfaceBack);
  if (!dc) return;
  m_labelFont.Select(dc);
  dc->SetBkMode(kBkTransparent);
  dc->SetTextAlign(kTaLeft | kTaTop);
  dc->SetTextColor(m_inputActive ? kLabelActive : kLabelInactive);
  for (int b = m_inputActive ? 0 : 1; b < pr::kButtons; ++b) {
    const QelRect& r = m_layout.rects[b];
    const bool pressed = b == m_pressed;
    const bool large = b > 0;
    BlitBitmap(dc, m_pictures[(large ? 0 : 2) + (pressed ? 1 : 0)].View(), r.left, r.top, false);
    int w = 0;
    int h = 0;
    GetTextSize(dc, m_labels[b], &w, &h);
    // A label wider than its button is drawn smaller, so that it fits.
    const int room = r.Width() - 2 * pr::kLabelMargin;
    const bool shrunk = w > room && w > 0;
    if (shrunk) {
      dc->SetFont(nullptr, MulDiv(m_labelFont.Height(), room, w), kFwNormal, false);
      GetTextSize(dc, m_labels[b], &w, &h);
    }
    const int shift = pressed ? pr::kPressedShift : 0;
    const int cx = r.left + (large ? pr::kLargeLabelX : pr::kSmallLabelX) + shift;
    const int cy = r.top + (large ? pr::kLargeLabelY : pr::kSmallLabelY) + shift;
    TextOutString(dc, cx - w / 2, cy - h / 2, m_labels[b]);
    if (shrunk) m_labelFont.Select(dc);
  }
  CTaskFont::Deselect(dc);
  if (m_inputActive) DrawPointer(dc, m_pointer);
  ReleaseBackDC(dc);
  Present();
}

bool CTaskProsody::RedrawCallback(void* context) {
  static_cast<CTaskProsody*>(context)->DrawButtonScreen();
  return true;
}

int CTaskProsody::WaitClick(bool spaceEnds) {
  // The pointer starts at its place: movement made before it was shown is
  // not applied.
  int staleX = 0;
  int staleY = 0;
  m_host->GetMouseDelta(&staleX, &staleY);
  // Nor does a press or release made before the wait: a click while the
  // sentence plays is no answer.
  while (m_host->NextInputEvent(nullptr)) {
  }
  m_pointer = pr::PointerStart(m_centreX, m_centreY);
  m_pressed = -1;
  bool pressedOnce = false;
  DrawButtonScreen();
  for (;;) {
    // Each look takes the next press or release, then the movement: the
    // movement made before a press has reached the program by the time the
    // press has, so the press lands where the pointer was, and a click made
    // while this thread was held up is still seen, press and release.
    m_host->NextInputEvent(nullptr);
    const int key = PollKey();
    if (key == kScanEscape || (spaceEnds && key == kScanSpace)) return kEndedByKey;
    const QelPoint before = m_pointer;
    const int pressedBefore = m_pressed;
    int x = m_pointer.x;
    int y = m_pointer.y;
    MovePointer(x, y);
    m_pointer = QelPoint{x, y};
    if (m_host->ReadButtons() & 3) {
      pressedOnce = true;
      m_pressed = pr::HitButton(m_layout, x, y);
    } else if (pressedOnce) {
      return m_pressed;
    }
    // Only a change is drawn again.
    if (m_pointer.x != before.x || m_pointer.y != before.y || m_pressed != pressedBefore) DrawButtonScreen();
    m_host->SleepMs(kPointerPollMs);
  }
}

// ---- a part -------------------------------------------------------------------

bool CTaskProsody::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  JoinThreads();
  m_stopThreads.store(false);
  SetRestoreCallback(&CTaskProsody::RedrawCallback, this);
  PrepareButtonScreen();
  m_presented = pr::kNoEmotion;
  m_chosen = pr::kNoEmotion;
  // The part goes on when the operator clicks "Start" (or gives up with Escape).
  m_inputActive = true;
  for (;;) {
    const int clicked = WaitClick(false);
    if (clicked == 0 || clicked == kEndedByKey) break;
  }
  m_labels[0] = pr::kLabelCancel;
  m_pressed = -1;
  m_inputActive = false;
  DrawButtonScreen();
  return true;
}

bool CTaskProsody::EndRun() {
  m_labelFont.Delete();
  // No thread of the task outlives its part.
  JoinThreads();
  return CTaskBase::EndRun();
}

bool CTaskProsody::ShowWarning() {
  if (!m_host) return false;
  JoinWarningThread();
  m_warningRunning.store(true);
  m_warningThread = std::thread([this] {
    CTaskBase::ShowWarning();
    m_warningRunning.store(false);
  });
  return true;
}

int32_t CTaskProsody::GetWarningInterval() { return kWarningIntervalMs; }

bool CTaskProsody::ShowSignal(const char* code, IDDDisplay*, intptr_t) {
  // The sentence follows its warning.
  JoinWarningThread();
  const pr::SentenceCode sentence = pr::ParseSentenceCode(code);
  m_presented = sentence.valid ? sentence.emotion : pr::kNoEmotion;
  m_chosen = pr::kNoEmotion;
  if (!m_host || !m_record || !sentence.valid) return false;
  if (!m_host->LoadWaveResource(pr::SentenceWave(sentence), m_record->resources)) return false;
  if (!m_host->IsSoundPlaying()) return m_host->PlaySound(false);
  return true;
}

bool CTaskProsody::HideSignal(int32_t responseCode) {
  const bool cleared = CTaskBase::HideSignal(responseCode);
  if (m_host && m_host->IsSoundPlaying()) m_host->StopSound();
  return cleared;
}

int32_t CTaskProsody::OnBreakBegin() {
  if (m_host && m_host->IsSoundPlaying()) m_host->StopSound();
  DrawButtonScreen();
  return 0;
}

int32_t CTaskProsody::OnBreakEnd() {
  DrawButtonScreen();
  return 0;
}

int32_t CTaskProsody::OnResponse(int32_t, int32_t) {
  if (!m_host) return kCatSkipped;
  m_labels[0] = pr::kLabelNext;
  m_inputActive = true;
  const int clicked = WaitClick(false);
  m_chosen = clicked >= 1 && clicked <= pr::kEmotions ? clicked : pr::kNoEmotion;
  if (m_host->IsSoundPlaying()) m_host->StopSound();
  m_inputActive = false;
  m_pressed = -1;
  DrawButtonScreen();
  StartFeedbackThread();
  return m_chosen != pr::kNoEmotion ? kCatHit : kCatSkipped;
}

bool CTaskProsody::FeedbackOn() {
  // The sentence has taken the place of the feedback sound loaded at the
  // start of the part: a feedback sound is loaded again before it plays.
  if (FeedbackType() == 1 && m_host && m_runContext) {
    const uint16_t id = m_host->GetFeedbackSoundId(static_cast<int>(m_runContext->w.TaskFbk >> 16));
    if (id == 0 || !m_host->LoadWaveResource(id, nullptr)) return false;
    return m_host->PlaySound(false);
  }
  return CTaskBase::FeedbackOn();
}

void CTaskProsody::StartFeedbackThread() {
  if (m_feedbackThread.joinable()) m_feedbackThread.join();
  m_feedbackRunning.store(true);
  // The thread is told whether the answer was wrong; it reads no member the
  // next trial changes.
  m_feedbackThread = std::thread([this, wrong = m_chosen != m_presented] {
    if (wrong && FeedbackOn()) {
      // The wait gives way when the part ends.
      for (uint32_t waited = 0; waited < kFeedbackMs && !m_stopThreads.load(); waited += kPointerPollMs) {
        m_host->SleepMs(kPointerPollMs);
      }
      FeedbackOff();
    }
    m_feedbackRunning.store(false);
  });
}

void CTaskProsody::JoinWarningThread() {
  if (m_warningThread.joinable()) m_warningThread.join();
}

void CTaskProsody::JoinThreads() {
  m_stopThreads.store(true);
  JoinWarningThread();
  if (m_feedbackThread.joinable()) m_feedbackThread.join();
  m_stopThreads.store(false);
}

int32_t CTaskProsody::ClassifyResponse(int32_t category, int32_t) {
  if (category != kCatHit) return category;
  const int32_t judged = pr::IdentificationCategory(m_chosen, m_presented);
  // A response to a trial without a sentence cannot be judged.
  return judged != 0 ? judged : kCatExcluded;
}

bool CTaskProsody::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  JoinThreads();
  SetRestoreCallback(&CTaskProsody::RedrawCallback, this);
  PrepareButtonScreen();
  m_labels[0] = pr::kLabelNext;
  DrawButtonScreen();
  CTaskBase::ShowWarning();
  m_host->SleepMs(static_cast<uint32_t>(kWarningIntervalMs));
  const int32_t emotion = static_cast<int32_t>(m_demonstrationIndex % pr::kEmotions) + 1;
  if (m_host->LoadWaveResource(pr::DemonstrationWave(emotion), m_record->resources)) m_host->PlaySound(false);
  // The operator may click the emotions until Space; a wrong one gives feedback.
  m_inputActive = true;
  for (;;) {
    const int clicked = WaitClick(true);
    if (clicked == kEndedByKey) break;
    if (clicked >= 1 && clicked <= pr::kEmotions && clicked != emotion && FeedbackOn()) {
      m_host->SleepMs(kFeedbackMs);
      FeedbackOff();
    }
  }
  if (m_host->IsSoundPlaying()) m_host->StopSound();
  m_inputActive = false;
  m_demonstrationIndex = (m_demonstrationIndex + 1) % pr::kEmotions;
  EndRun();
  return true;
}

int32_t CTaskProsody::ComputeVariables(ITaskRunData* runData) {
  int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  constexpr int part = 0;
  const int n = static_cast<int>(std::min<uint32_t>(m_runContext->trialCounts[part], kMaxResponses));
  const int normTrials = m_runContext->GetThirdPartTableEntry(runData->normTableSwitch != 0, part + 1);
  // The confusions of each emotion taken together (at least one entry, so
  // the run data sees values).
  std::vector<int32_t> grouped(static_cast<size_t>(std::max(n, 1)), 0);
  for (int i = 0; i < n; ++i) grouped[i] = pr::GroupedCategory(runData->taskCategory[part][i]);
  const int32_t* categories = runData->taskCategory[part];
  const int32_t* times = runData->reactionTime[part];

  index = runData->ComputePartExtended(m_runContext, index, part, &pr::kCorrectList);
  if (index >= 0) index = runData->CountPartOutcomes(m_runContext, index, part);
  for (int e = 0; e < pr::kEmotions && index >= 0; ++e) {
    // Nothing without trials, as for the right answers.
    if (n < 1) {
      index += 3 + 2 * pr::kConfusionLists[e].count;
      continue;
    }
    index = runData->StoreCountMeanZ(grouped.data(), times, n, pr::ErrorGroup(e + 1), index, pr::kErrorGetters[e],
                                     normTrials);
    index = runData->StoreCountMeanForCodes(index, categories, times, n, &pr::kConfusionLists[e]);
  }
  return index;
}

}  // namespace qel
