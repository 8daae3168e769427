#include "tasks/layers/matching/TaskMatchingEmotions.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>

#include "include/qel/TaskEntry.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"No versions"};
const char* const kPartNames[] = {"Task has no parts!"};

// TEXT resources: the description in English, Dutch and Italian; one part
// text for every language.
constexpr TaskTextIds kTexts[3] = {{101, 102, 0, 0}, {103, 102, 0, 0}, {104, 102, 0, 0}};

constexpr uint32_t kCategoryShift = 4096;
constexpr int kEmotionShift = 16;
constexpr int kRedraws = 100;

int EmotionDigit(char c) { return (c >= '0' && c <= '9') ? c - '0' : 0; }

}  // namespace

CTaskMatchingEmotions::CTaskMatchingEmotions(const MatchingEmotionsMember& member, const QelModelTask& modelDefault)
    : m_member(member) {
  m_modelDefault = &modelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = 1;
  m_partNames = kPartNames;
  m_partCount = 1;
  m_variables = member.variables;
  m_variableCount = member.variableCount;
  m_normVariables = member.norms;
  m_normVariableCount = member.normCount;
}

int32_t CTaskMatchingEmotions::PairCategory(int32_t category, int emotion1, int emotion2) {
  if (category < kCatHit || category > kCatMiss) return category;
  return category * static_cast<int32_t>(kCategoryShift) + kEmotionShift * std::max(emotion1, emotion2) +
         std::min(emotion1, emotion2);
}

bool CTaskMatchingEmotions::IsSameEmotionPair(const char* code) {
  return code && strnlen(code, kTrialCodeSize) >= kCodeLength && code[2] == code[5];
}

void CTaskMatchingEmotions::LoadTexts() { LoadTextsForLanguage(kTexts); }

bool CTaskMatchingEmotions::SetupRun(IExpModelTask* context, intptr_t value) {
  if (!CTaskBase::SetupRun(context, value)) return false;
  m_record->practiceTrialList = m_member.practice;
  m_record->practiceTrialCount = m_member.practiceLength;
  m_record->testTrialList = m_member.test;
  m_record->testTrialCount = m_member.testLength;
  m_record->partWordsA[0] = static_cast<int32_t>(m_member.testLength);
  m_record->partWordsB[0] = static_cast<int32_t>(m_member.practiceLength);
  m_record->normTrialCounts[0] = static_cast<int32_t>(m_member.testLength);
  PublishTrialList();
  // The large faces decoded now, not while a trial shows them.
  m_pictures.SetModule(&QelModuleResources());
  for (int sex = 0; sex < kFaceSexes; ++sex) {
    for (int person = 0; person < kFacePersons; ++person) {
      for (int emotion = 1; emotion <= m_member.emotions; ++emotion) {
        m_pictures.Picture(FacePictureId(kFaceLarge, sex, person, emotion));
      }
    }
  }
  return true;
}

void CTaskMatchingEmotions::DrawPair(CDC* dc, const char* code, int size, int x1, int x2, int y) {
  if (!dc || !code || strnlen(code, kTrialCodeSize) < kCodeLength) return;
  m_pictures.SetModule(&QelModuleResources());
  FaceCode face;
  if (ParseFace(code, kFaceEmotions - 1, &face)) {
    m_pictures.Draw(dc, FacePictureId(size, face.sex, face.person, face.emotion), x1, y);
  }
  if (ParseFace(code + 3, kFaceEmotions - 1, &face)) {
    m_pictures.Draw(dc, FacePictureId(size, face.sex, face.person, face.emotion), x2, y);
  }
}

bool CTaskMatchingEmotions::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  m_face1X = kFace1X;
  m_face2X = kFace2X;
  m_faceY = kFaceY;
  return Present();
}

bool CTaskMatchingEmotions::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c)) return false;
  m_emotion1 = 0;
  m_emotion2 = 0;
  if (code && strnlen(code, kTrialCodeSize) >= kCodeLength) {
    if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
      DrawPair(dc, code, kFaceLarge, m_centreX + m_face1X, m_centreX + m_face2X, m_centreY + m_faceY);
      ReleaseBackDC(dc);
    }
    m_emotion1 = EmotionDigit(code[2]);
    m_emotion2 = EmotionDigit(code[5]);
  }
  return Present();
}

bool CTaskMatchingEmotions::HideSignal(int32_t responseCode) {
  if (!CTaskBase::HideSignal(responseCode)) return false;
  return Present();
}

bool CTaskMatchingEmotions::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  if (!dc) return true;
  const int cx = dc->GetWidth() / 2;
  const int cy = dc->GetHeight() / 2;
  DrawPair(dc, reinterpret_cast<const char*>(a), kFaceSmall, cx + kPreview1X, cx + kPreview2X, cy + kPreviewY);
  return true;
}

bool CTaskMatchingEmotions::SetTrial(const char* code) {
  m_trialSet = IsSameEmotionPair(code);
  return m_trialSet;
}

int32_t CTaskMatchingEmotions::ClassifyResponse(int32_t category, int32_t) {
  return PairCategory(category, m_emotion1, m_emotion2);
}

bool CTaskMatchingEmotions::Demonstrate(ITaskRunData* runData) {
  std::mt19937 random(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  if (!CTaskBase::BeginRun(runData)) return false;
  bool stop = WaitKeyUntil(GetRunTime() + kDemonstrationStartMs) == kScanEscape;
  for (int round = 0; round < 2 && !stop; ++round) {
    // First a pair of one emotion, then one of two different emotions, of 1..4.
    int emotion1 = 1 + static_cast<int>(random() % 4);
    int emotion2 = emotion1;
    if (round == 1) {
      const int other = static_cast<int>(random() % 12);  // the twelve ordered pairs
      emotion1 = 1 + other / 3;
      emotion2 = 1 + other % 3;
      if (emotion2 >= emotion1) ++emotion2;
    }
    char code[kTrialCodeSize] = {};
    for (int draw = 0; draw < kRedraws; ++draw) {
      code[0] = random() % 2 ? 'w' : 'm';
      code[1] = random() % 2 ? '2' : '1';
      code[3] = random() % 2 ? 'w' : 'm';
      code[4] = random() % 2 ? '2' : '1';
      if (code[0] != code[3] || code[1] != code[4]) break;
    }
    code[2] = static_cast<char>('0' + emotion1);
    code[5] = static_cast<char>('0' + emotion2);
    ShowSignal(code, m_host->display, 0);
    stop = WaitSpaceChange() == 1;
  }
  EndRun();
  return true;
}

int32_t CTaskMatchingEmotions::ComputeVariables(ITaskRunData* runData) {
  int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  const int n = static_cast<int>(std::min<uint32_t>(m_runContext->trialCounts[0], kMaxResponses));
  if (n > 0) {
    const int normTrials = m_runContext->GetThirdPartTableEntry(runData->normTableSwitch != 0, 1);
    runData->SetValue(index++, n, true);
    index = runData->ComputeExtendedForCodes(index, runData->category[0], runData->reactionTime[0], n,
                                             m_member.overallFull, normTrials);
    index = runData->ComputeForCodes(index, runData->category[0], runData->reactionTime[0], n, m_member.overallShort,
                                     normTrials);
    index = runData->CountPartOutcomes(m_runContext, index, 0);
  } else {
    index += kOverallRows;
  }
  index = runData->ComputePartExtendedNoCount(m_runContext, index, 0, m_member.hits);
  index = runData->ComputePartCountMeanZ(m_runContext, index, 0, m_member.misses);
  index = runData->ComputePartExtendedNoCount(m_runContext, index, 0, m_member.correctRejections);
  return runData->ComputePartCountMeanZ(m_runContext, index, 0, m_member.falseAlarms);
}

}  // namespace qel
