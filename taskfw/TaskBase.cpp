#include "taskfw/TaskBase.h"

#include <cstring>

namespace qel {

namespace {

const char* const kBaseCaptions[] = {"N",     "RT",    "SD",    "Median", "Log(RT)", "RT25s",
                                     "RT25f", "n(RT)", "z(RT)", "n(N)",   "z(N)"};
constexpr int32_t kBaseCaptionCount = sizeof(kBaseCaptions) / sizeof(kBaseCaptions[0]);

const int32_t kCodes134[] = {3, 1, 3, 4};
const int32_t kCodes1234[] = {4, 1, 2, 3, 4};

// Feedback sound choices 0..4 of the main program's WAVE resources.
const uint32_t kFeedbackWaves[] = {181, 182, 183, 179, 180};

// The host's centred cross and square on the front surface (the warning and
// the visual feedback); nothing when the surface gives no context.
void CrossOnFront(ITaskHost* host, int arm, COLORREF colour, int thickness) {
  if (CDC* dc = host->SurfaceGetDC(kSurfaceFront)) {
    host->DrawCrossCentred(dc, arm, colour, thickness);
    host->SurfaceReleaseDC(kSurfaceFront, dc);
  }
}

void SquareOnFront(ITaskHost* host, int r, COLORREF colour) {
  if (CDC* dc = host->SurfaceGetDC(kSurfaceFront)) {
    host->FillSquareCentred(dc, r, colour);
    host->SurfaceReleaseDC(kSurfaceFront, dc);
  }
}

}  // namespace

CTaskBase::CTaskBase()
    : m_captions(kBaseCaptions), m_captionCount(kBaseCaptionCount), m_codes134(kCodes134), m_codes1234(kCodes1234) {}

// --- Binding -----------------------------------------------------------------

bool CTaskBase::Init(ITaskLibrary* record) {
  m_record = record;
  if (!record) return false;
  m_host = record->host;
  record->normVariables = nullptr;
  record->normVariableCount = 0;

  LoadTexts();

  record->normVariables = m_normVariables;
  record->normVariableCount = m_normVariableCount;
  record->version = m_libraryVersion;
  record->modelDefault = m_modelDefault;
  record->taskDescription = m_taskDescription;
  PublishTexts();
  record->versionNames = m_versionNames;
  record->partNames = m_partNames;
  record->versionCount = m_versionCount;
  record->partCount = m_partCount;
  record->scoreVariableCount = m_variableCount;
  record->scoreVariables = m_variables;
  record->captions = m_captions;
  record->captionCount = m_captionCount;
  record->captions2 = m_captions2;
  record->captionCount2 = m_captionCount2;
  record->page = m_page;
  record->answerText.clear();
  record->answerWord = 0;
  ClearRecordLists();
  for (int i = 0; i < 4; ++i) record->taskWords[i] = m_taskWords[i];
  record->codeNames = m_codeNames;
  record->codeNameFirst = m_codeNameFirst;
  record->codeNameCount = m_codeNameCount;
  const QelModelTask* d = m_modelDefault;
  record->defaultTaskType = d ? d->w.TaskType : 0;
  record->defaultTaskFlags = d ? d->w.TaskFlags : 0;
  record->defaultIntrAfterTrials = d ? d->w.TaskIntrAfterTrials : 0;
  record->defaultIntrContinue = d ? d->w.TaskIntrContinue : 0;
  record->defaultIntrReplaceTrial = d ? d->w.TaskIntrReplaceTrial : 0;
  record->defaultIntrDummyTrials = d ? d->w.TaskIntrDummyTrials : 0;
  // The host makes this table current to find the plug-in's own sounds.
  record->resources = &QelModuleResources();

  m_trialList = nullptr;
  m_trialCount = 0;
  return true;
}

bool CTaskBase::SetupRun(IExpModelTask* context, intptr_t value) {
  m_runArg = value;
  if (!context) return false;
  m_runContext = context;
  m_record = context->library;
  if (!m_record) return false;
  m_host = m_record->host;
  if (!m_host) return false;

  LoadTexts();
  PublishTexts();

  m_practice = m_host->practiceFlag != 0;
  m_trialSet = false;
  m_host->trialCount = 0;
  m_host->secondCount = 0;
  m_host->secondList = nullptr;
  m_host->codeOffset = m_taskWords[0];
  ClearRecordLists();
  m_record->runText.clear();

  return TakeVersionAndPart();
}

bool CTaskBase::TakeVersionAndPart() {
  const uint32_t version = m_runContext->w.TaskVersion;
  const int part = m_runContext->currentPart;
  if (version == 0 || m_versionCount <= 0 || version > static_cast<uint32_t>(m_versionCount)) return false;
  if (part < 0 || part >= m_partCount) return false;
  m_versionIndex = static_cast<int>(version) - 1;
  m_partIndex = part;
  // The low half of TaskType is the response type; binding keeps the high half.
  m_twoChoice = ResponseTypeOf(m_runContext->w.TaskType) == kResponseTwoChoice;
  return true;
}

void CTaskBase::PublishTexts() {
  for (int i = 0; i < 4; ++i) m_record->texts[i] = m_texts[i];
}

void CTaskBase::ClearRecordLists() {
  for (int i = 0; i < kMaxParts; ++i) {
    m_record->partWordsA[i] = 0;
    m_record->partWordsB[i] = 0;
    m_record->normTrialCounts[i] = -1;
  }
  m_record->testTrialCount = 0;
  m_record->practiceTrialCount = 0;
  m_record->seriesLength = 0;
  m_record->testTrialList = nullptr;
  m_record->practiceTrialList = nullptr;
  m_record->practiceCode = nullptr;
  m_record->testCode = nullptr;
  m_record->secondList = nullptr;
  m_record->secondListCount = 0;
}

int CTaskBase::FeedbackType() const {
  return m_runContext ? static_cast<int>(FeedbackTypeOf(m_runContext->w.TaskFbk)) : -1;
}

// --- Runs --------------------------------------------------------------------

bool CTaskBase::BeginRun(ITaskRunData* runData) {
  if (!runData || !m_runContext || !m_record || !m_host) return false;
  m_runArg = reinterpret_cast<intptr_t>(runData);
  if (!TakeVersionAndPart()) return false;

  m_host->breakFlag = 0;
  m_feedbackSoundReady = false;
  if (FeedbackType() == kFeedbackAudio) {
    const uint32_t choice = FeedbackSoundOf(m_runContext->w.TaskFbk);
    if (choice < sizeof(kFeedbackWaves) / sizeof(kFeedbackWaves[0]) &&
        m_host->LoadWaveResource(kFeedbackWaves[choice], nullptr)) {
      m_feedbackSoundReady = true;
    }
  }

  SetupScreen(m_host->display, m_practice);

  if (m_host->display) m_host->display->SetCursor(false);
  m_cursorHidden = true;

  return ClearBackSurface();
}

bool CTaskBase::EndRun() {
  if (!m_host) return false;
  if (m_cursorHidden) {
    if (m_host->display) m_host->display->SetCursor(true);
    m_cursorHidden = false;
  }
  if (m_feedbackSoundReady && m_host->IsSoundPlaying()) m_host->StopSound();
  return true;
}

bool CTaskBase::SetupScreen(IDDDisplay* display, bool practice) {
  const char* code = nullptr;
  if (m_record) code = practice ? m_record->practiceCode : m_record->testCode;
  if (code) std::memcpy(m_currentCode, code, kTrialCodeSize);
  else std::memset(m_currentCode, 0, kTrialCodeSize);
  // A code is at most 16 letters: the last byte is its end, whatever was there.
  m_currentCode[kTrialCodeSize - 1] = '\0';

  m_scale = m_runContext ? (m_runContext->w.TaskSSS & kSssScaleMask) * 0.01 : 1.0;

  if (!display) return false;
  int width = 0;
  int height = 0;
  if (!display->SurfaceGetSize(kSurfaceBack, width, height)) return false;
  m_centreX = width / 2;
  m_centreY = height / 2;
  for (int i = 0; i < 3; ++i) {
    const double product = static_cast<double>(m_sizePercent[i] * height);
    m_size[i] = static_cast<int>(product * m_scale * 0.01);
  }
  m_maxX = width - 1;
  m_maxY = height - 1;
  m_minX = 0;
  return true;
}

bool CTaskBase::PrepareScreen(IDDDisplay* display, bool flag) { return SetupScreen(display, flag); }

// --- Default bodies ----------------------------------------------------------

void CTaskBase::SetRestoreCallback(QelRestoreCallback callback, void* context) {
  if (m_host) m_host->SetRestoreDisplay(callback, context);
}

void CTaskBase::MovePointer(int& x, int& y) {
  if (!m_host) return;
  int dx = 0;
  int dy = 0;
  m_host->GetMouseDelta(&dx, &dy);
  x += dx;
  y += dy;
  if (x < 0) x = 0;
  if (x > m_maxX) x = m_maxX;
  if (y < 0) y = 0;
  if (y > m_maxY) y = m_maxY;
}

bool CTaskBase::DrawStimulus(CDC*, intptr_t, intptr_t) { return true; }

bool CTaskBase::SpareHook(intptr_t) { return true; }

void CTaskBase::LoadTexts() {}

int32_t CTaskBase::GetParamText(int, int) {
  if (m_record) m_record->answerText.clear();
  return 0;
}

bool CTaskBase::OnUnload() { return m_host != nullptr; }

bool CTaskBase::ShowWarning() {
  if (!m_host) return false;
  CrossOnFront(m_host, m_size[0] / 2, m_warningColour, m_size[0] / 6);
  return true;
}

bool CTaskBase::HideWarning() {
  if (!m_host) return false;
  CrossOnFront(m_host, m_size[0] / 2, m_backColour, m_size[0] / 6);
  return true;
}

bool CTaskBase::ShowSignal(const char*, IDDDisplay*, intptr_t) { return ClearBackSurface(); }

bool CTaskBase::HideSignal(int32_t) { return ClearBackSurface(); }

int32_t CTaskBase::OnBreakBegin() {
  HideSignal(0);
  return 0;
}

int32_t CTaskBase::OnBreakEnd() {
  HideSignal(0);
  return 0;
}

int32_t CTaskBase::GetWarningInterval() { return 500; }

int32_t CTaskBase::GetResponse() {
  if (!m_host) return 0;
  if (m_runContext && (m_runContext->w.TaskSSS & kSssKeyboardResponses)) {
    return static_cast<int32_t>(m_host->GetResponseKeys());
  }
  return static_cast<int32_t>(m_host->ReadButtons() & 3);
}

int32_t CTaskBase::IsTrialEnded() { return 0; }
int32_t CTaskBase::OnResponse(int32_t, int32_t) { return 0; }
int32_t CTaskBase::OnNoResponse() { return 0; }
int32_t CTaskBase::OnResponseRelease() { return 0; }
int32_t CTaskBase::GetExtraResponseCount() { return 0; }

bool CTaskBase::FeedbackOn() {
  if (!m_host || !m_runContext) return false;
  switch (FeedbackType()) {
    case kFeedbackAudio:
      if (m_feedbackSoundReady && !m_host->IsSoundPlaying()) m_host->PlaySound(false);
      return true;
    case kFeedbackVisual:
      SquareOnFront(m_host, m_size[2] / 2, m_feedbackColour);
      return true;
    default:
      return false;
  }
}

bool CTaskBase::FeedbackOff() {
  if (!m_host || !m_runContext) return false;
  switch (FeedbackType()) {
    case kFeedbackAudio:
      if (m_feedbackSoundReady && m_host->IsSoundPlaying()) {
        m_host->StopSound();
        m_host->RewindSound();
      }
      break;
    case kFeedbackVisual:
      SquareOnFront(m_host, m_size[2] / 2, m_backColour);
      break;
    default:
      break;
  }
  return true;
}

bool CTaskBase::SetTrial(const char*) {
  m_trialSet = true;
  return true;
}

int32_t CTaskBase::GetCorrectResponse(const char*) {
  if (!m_host) return 0;
  return m_trialSet ? m_host->rightCode : m_host->leftCode;
}

int32_t CTaskBase::ClassifyResponse(int32_t category, int32_t) { return category; }

bool CTaskBase::Demonstrate(ITaskRunData*) { return m_host != nullptr; }

int32_t CTaskBase::ComputeVariables(ITaskRunData* runData) {
  if (!runData) return -1;
  runData->resultWord = 1;
  return 0;
}

bool CTaskBase::RunSelfTimed(ITaskRunData*) { return m_host != nullptr; }

}  // namespace qel
