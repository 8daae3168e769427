#include "tasks/layers/identification/TaskIdentification.h"

#include <cstring>
#include <string>

namespace qel {

namespace {

const char* const kVersionNames[] = {"No versions"};

// TEXT resources: description, part instruction and the help on the probe
// parameters, in English, Dutch and Italian.
constexpr TaskTextIds kTexts[3] = {{101, 102, 107, 0}, {103, 105, 108, 0}, {104, 106, 109, 0}};

// The probe labels, part + 8 x language.
const char* const kProbeLabels[CTaskIdentification::kPartEmotions * kLabelLanguages] = {
    "Happy", "Sad",        "Angry", "Fear",    "Disgust", "Surprise",   "Shame",    "Contempt",
    "Blij",  "Verdrietig", "Boos",  "Angstig", "Walging", "Verrassing", "Schaamte", "Verachting"};

int32_t Word(const IExpModelTask& task, int index) { return static_cast<int32_t>(task.TaskParam[index]); }

}  // namespace

CTaskIdentification::CTaskIdentification(const IdentificationMember& member) : m_member(member) {
  m_versionNames = kVersionNames;
  m_versionCount = 1;
  m_partNames = member.partNames;
  m_partCount = member.parts;
}

const char* CTaskIdentification::ProbeLabel(int part, int language) {
  if (part < 0 || part >= kPartEmotions || language < 0 || language >= kLabelLanguages) return "";
  return kProbeLabels[part + kPartEmotions * language];
}

void CTaskIdentification::ProbeCode(int part, char (&code)[kTrialCodeSize]) {
  std::memset(code, 0, sizeof code);
  code[0] = part % 2 == 0 ? 'm' : 'w';
  code[1] = (part / 2) % 2 == 0 ? '1' : '2';
  code[2] = static_cast<char>('1' + part);
}

void CTaskIdentification::LoadTexts() { LoadTextsForLanguage(kTexts); }

bool CTaskIdentification::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  const int p = m_partIndex;
  m_record->practiceTrialList = m_member.practiceList(m_versionIndex, p);
  m_record->practiceTrialCount = m_member.practiceLength;
  m_record->testTrialList = m_member.testList(m_versionIndex, p);
  m_record->testTrialCount = static_cast<uint32_t>(m_member.testLengths[p]);
  m_record->secondList = m_member.secondList(m_versionIndex, p, m_practice);
  m_record->secondListCount = m_member.secondLength;
  for (int q = 0; q < m_member.parts && q < kMaxParts; ++q) {
    m_record->partWordsA[q] = m_member.testLengths[q];
    m_record->partWordsB[q] = static_cast<int32_t>(m_member.practiceLength);
    m_record->normTrialCounts[q] = static_cast<int32_t>(m_member.defaultTrials[q]);
  }
  m_record->runText = std::string(1, PartEmotion());
  ProbeCode(p, m_probeCode);
  PublishTrialList();
  // The large faces decoded now, not while a trial shows them.
  m_pictures.SetModule(&QelModuleResources());
  for (int sex = 0; sex < kFaceSexes; ++sex) {
    for (int person = 0; person < kFacePersons; ++person) {
      for (int gaze = 0; gaze < (m_member.gazes ? kFaceGazes : 1); ++gaze) {
        for (int emotion = 0; emotion <= m_member.maxEmotion; ++emotion) {
          m_pictures.Picture(m_member.gazes ? GazeFacePictureId(kFaceLarge, sex, person, gaze, emotion)
                                            : FacePictureId(kFaceLarge, sex, person, emotion));
        }
      }
    }
  }
  return true;
}

bool CTaskIdentification::DrawFace(CDC* dc, const char* code, int size, int x, int y) {
  if (!dc || !code) return false;
  m_pictures.SetModule(&QelModuleResources());
  return m_pictures.Draw(dc, PictureOf(code, size), x, y);
}

void CTaskIdentification::ShowProbe() {
  ClearBackSurface();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    bool drawn = false;
    if (m_probeAsText != 0 && m_labelFont.Select(dc)) {
      const char* label = ProbeLabel(m_partIndex, m_labelLanguage < kLabelLanguages ? m_labelLanguage : 0);
      dc->SetTextColor(m_textColour);
      dc->SetBkColor(m_backColour);
      dc->SetBkMode(kBkOpaque);
      const QelRect screen{0, 0, m_maxX + 1, m_maxY + 1};
      drawn = label[0] != '\0' && dc->DrawText(label, screen, kDtCenter | kDtVCenter | kDtSingleLine) > 0;
      CTaskFont::Deselect(dc);
    }
    if (!drawn) DrawFace(dc, m_probeCode, kFaceLarge, m_faceX, m_faceY);
    ReleaseBackDC(dc);
  }
  Present();
}

bool CTaskIdentification::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  m_labelFont.CreateFromPoints(static_cast<int>(kLabelPoints * m_scale), kFwNormal);
  m_faceX = m_centreX + kFaceX;
  m_faceY = m_centreY + kFaceY;
  m_probeMode = Word(*m_runContext, kParamProbeMode);
  m_probeDuration = Word(*m_runContext, kParamProbeDuration);
  m_postProbe = Word(*m_runContext, kParamPostProbe);
  m_probeStimulus = Word(*m_runContext, kParamProbeStimulus);
  const uint32_t text = m_runContext->TaskParam[kParamProbeText];
  m_probeAsText = static_cast<uint16_t>(text & kProbeTextMask);
  m_labelLanguage = static_cast<uint16_t>(text >> kProbeLanguageShift);
  ProbeCode(m_partIndex, m_probeCode);

  ShowProbe();
  switch (m_probeMode) {
    case kProbeStimulusTerminated:
      // The probe stays until the first face.
      break;
    case kProbeFixed:
      WaitKeyUntil(GetRunTime() + static_cast<uint32_t>(m_probeDuration));
      HideSignal(0);
      WaitKeyUntil(GetRunTime() + static_cast<uint32_t>(m_postProbe));
      break;
    default:
      WaitSpaceChange();
      HideSignal(0);
      WaitKeyUntil(GetRunTime() + static_cast<uint32_t>(m_postProbe));
      break;
  }
  return true;
}

int32_t CTaskIdentification::GetWarningInterval() {
  if (m_probeMode == kProbeStimulusTerminated) return m_probeStimulus;
  return CTaskBase::GetWarningInterval();
}

bool CTaskIdentification::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c)) return false;
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    DrawFace(dc, code, kFaceLarge, m_faceX, m_faceY);
    ReleaseBackDC(dc);
  }
  return Present();
}

bool CTaskIdentification::HideSignal(int32_t responseCode) {
  if (!CTaskBase::HideSignal(responseCode)) return false;
  return Present();
}

bool CTaskIdentification::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  if (!dc) return true;
  DrawFace(dc, reinterpret_cast<const char*>(a), kFaceSmall, dc->GetWidth() / 2 + m_member.previewX,
           dc->GetHeight() / 2 + m_member.previewY);
  return true;
}

bool CTaskIdentification::SetTrial(const char* code) {
  m_trialSet = code && strnlen(code, kTrialCodeSize) > 2 && code[2] == PartEmotion();
  return m_trialSet;
}

}  // namespace qel
