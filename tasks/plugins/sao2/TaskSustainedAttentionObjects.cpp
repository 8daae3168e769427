#include "tasks/plugins/sao2/TaskSustainedAttentionObjects.h"

#include "include/qel/TaskEntry.h"
#include "tasks/plugins/sao2/Sao2Tables.h"
#include "tasks/plugins/sao2/Sao2TrialLists.h"

namespace qel {

namespace {

// TEXT resources: task instruction, parameters help; the part text is the
// same in every language.
constexpr uint32_t kPartText = 102;
constexpr TaskTextIds kTexts[3] = {
    {101, kPartText, 103, 0},  // English (and the default)
    {104, kPartText, 105, 0},  // Dutch
    {106, kPartText, 107, 0},  // Italian
};

int PictureNumber(char c) { return (c >= '1' && c <= '6') ? c - '0' : 0; }
int WindowNumber(char c) { return (c >= '1' && c <= '4') ? c - '0' : 0; }

}  // namespace

CTaskSustainedAttentionObjects::CTaskSustainedAttentionObjects() : CTaskSustained(sao2::kTables) {
  m_page = &m_pageObject;
  m_sizePercent[1] = kSecondSizePercent;
}

void CTaskSustainedAttentionObjects::LoadTexts() { LoadTextsForLanguage(kTexts); }

void CTaskSustainedAttentionObjects::EnsurePictures() {
  if (m_picturesLoaded) return;
  // The plug-in's own table, whether or not a record is bound yet.
  m_picturesLoaded = m_house.LoadPictures(&QelModuleResources());
}

char CTaskSustainedAttentionObjects::TargetCharacter() const {
  if (m_versionIndex < 0 || m_versionIndex >= sao2::kVersions) return '\0';
  return m_twoChoice ? kTwoKeyTargets[m_versionIndex] : kOneKeyTargets[m_versionIndex];
}

bool CTaskSustainedAttentionObjects::SetupRun(IExpModelTask* context, intptr_t value) {
  EnsurePictures();
  if (!CTaskSeries::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  m_record->practiceTrialList = Sao2PracticeList(v, 0);
  m_record->practiceTrialCount = kSao2PracticeLength;
  m_record->testTrialList = Sao2TestList(v, 0);
  m_record->testTrialCount = static_cast<uint32_t>(Sao2TestLength(0));
  m_record->runText = std::string(1, TargetCharacter());
  m_record->partWordsA[0] = sao2::kTestLength;
  m_record->partWordsB[0] = sao2::kPracticeLength;
  m_record->normTrialCounts[0] = sao2::kNormTrials;
  m_record->secondList = sao2::kSecondList;
  m_record->secondListCount = sao2::kSecondLength;
  PublishTrialList();
  return true;
}

void CTaskSustainedAttentionObjects::DrawHouseOnBack(const char* code) {
  if (!m_host) return;
  EnsurePictures();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    m_house.Draw(dc, m_centreX, m_centreY);
    if (code) {
      const int window = WindowNumber(code[0] != '\0' ? code[1] : '\0');
      if (window > 0) m_house.DrawAnimal(dc, m_centreX, m_centreY, ShownWindow(window), PictureNumber(code[0]));
    }
    ReleaseBackDC(dc);
  }
}

bool CTaskSustainedAttentionObjects::BeginRun(ITaskRunData* runData) {
  if (!CTaskSeries::BeginRun(runData)) return false;
  m_rotation = 0;
  DrawHouseOnBack(nullptr);
  Present();
  return true;
}

bool CTaskSustainedAttentionObjects::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskSeries::ShowSignal(code, display, c)) return false;
  DrawHouseOnBack(code);
  Present();
  return true;
}

bool CTaskSustainedAttentionObjects::HideSignal(int32_t responseCode) {
  CTaskSeries::HideSignal(responseCode);
  DrawHouseOnBack(nullptr);
  Present();
  return true;
}

void CTaskSustainedAttentionObjects::SquareOnFront(int h, COLORREF colour) {
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceFront)) {
    CHousePicture::FillSquare(dc, m_centreX, m_centreY + kSquareDrop, h, colour);
    m_host->SurfaceReleaseDC(kSurfaceFront, dc);
  }
}

bool CTaskSustainedAttentionObjects::ShowWarning() {
  if (!m_host) return false;
  SquareOnFront(m_size[0] / 2, kWarningSquare);
  return true;
}

bool CTaskSustainedAttentionObjects::HideWarning() { return true; }

bool CTaskSustainedAttentionObjects::FeedbackOn() {
  if (!m_host || !m_runContext) return false;
  if (FeedbackType() != 2) return CTaskBase::FeedbackOn();
  SquareOnFront(m_size[2] / 2, m_feedbackColour);
  return true;
}

bool CTaskSustainedAttentionObjects::FeedbackOff() {
  if (!m_host || !m_runContext) return false;
  if (FeedbackType() != 2) return CTaskBase::FeedbackOff();
  SquareOnFront(m_size[2] / 2, kFeedbackOffSquare);
  return true;
}

bool CTaskSustainedAttentionObjects::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  const char* code = reinterpret_cast<const char*>(a);
  if (!dc) return true;
  EnsurePictures();
  m_house.SetPictureSize(m_size[1]);
  m_house.DrawScaled(dc, m_centreX, m_centreY);
  if (code && code[0] != '\0') {
    const int window = WindowNumber(code[1]);
    if (window > 0) m_house.DrawAnimalScaled(dc, m_centreX, m_centreY, window - 1, PictureNumber(code[0]), false);
  }
  return true;
}

bool CTaskSustainedAttentionObjects::SetTrial(const char* code) {
  m_trialSet = code && code[0] != '\0' && code[0] == TargetCharacter();
  return m_trialSet;
}

int32_t CTaskSustainedAttentionObjects::ClassifyResponse(int32_t category, int32_t code) {
  CTaskSeries::ClassifyResponse(category, code);
  m_rotation = (category == kCatAnticipation || category == kCatOmission) ? m_rotation + 1 : 0;
  return category;
}

bool CTaskSustainedAttentionObjects::Demonstrate(ITaskRunData* runData) {
  if (!BeginRun(runData)) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    for (int w = 0; w < 3; ++w)
      m_house.DrawAnimal(dc, m_centreX, m_centreY, w, PictureNumber(kDemonstrationAnimals[w]));
    ReleaseBackDC(dc);
  }
  Present();
  bool result = false;
  if (WaitSpaceChange() != kScanEscape) {
    ClearBackSurface();
    if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
      m_house.DrawPictureAt(dc, m_centreX - kTargetLeft, m_centreY - kTargetUp, PictureNumber(TargetCharacter()));
      ReleaseBackDC(dc);
    }
    Present();
    result = WaitSpaceChange() != kScanEscape;
  }
  EndRun();
  return result;
}

}  // namespace qel
