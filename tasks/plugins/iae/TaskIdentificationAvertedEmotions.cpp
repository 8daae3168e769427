#include "tasks/plugins/iae/TaskIdentificationAvertedEmotions.h"

#include <chrono>
#include <cstring>
#include <random>

#include "include/qel/TaskEntry.h"

#include "taskfw/TaskPlugin.h"
#include "tasks/plugins/iae/IaeTrialLists.h"
#include "tasks/plugins/iae/IaeVariables.h"

namespace qel {

namespace {

const char* const kPartNames[] = {"Happy", "Sad", "Angry", "Fear"};

const IdentificationMember kMember = {
    CTaskIdentificationAvertedEmotions::kParts,
    kAvertedFaceEmotions - 1,
    true,
    CTaskIdentificationAvertedEmotions::kPreviewX,
    CTaskIdentificationAvertedEmotions::kPreviewY,
    IaePracticeList,
    kIaePracticeLength,
    IaeTestList,
    kIaeTestLengths,
    IaeSecondList,
    kIaeSecondLength,
    g_ModelDefault.TaskPartTrials,
    kPartNames,
};

int GazeOfCode(const char* code) {
  return code && strnlen(code, kTrialCodeSize) > 3 ? GazeOf(code[3]) : static_cast<int>(kGazeStraight);
}

}  // namespace

CTaskIdentificationAvertedEmotions::CTaskIdentificationAvertedEmotions() : CTaskIdentification(kMember) {
  m_modelDefault = &g_ModelDefault;
  m_variables = iae::kVariables;
  m_variableCount = iae::kVariableCount;
  m_normVariables = iae::kNormVariables;
  m_normVariableCount = iae::kNormVariableCount;
  m_page = &m_pageObject;
}

uint32_t CTaskIdentificationAvertedEmotions::PictureOf(const char* code, int size) const {
  FaceCode face;
  if (!ParseFace(code, kAvertedFaceEmotions - 1, &face)) return 0;
  return GazeFacePictureId(size, face.sex, face.person, GazeOfCode(code), face.emotion);
}

bool CTaskIdentificationAvertedEmotions::SetTrial(const char* code) {
  CTaskIdentification::SetTrial(code);
  m_gaze = GazeOfCode(code);
  m_emotion = code && strnlen(code, kTrialCodeSize) > 2 ? code[2] - '0' : 0;
  return m_trialSet;
}

int32_t CTaskIdentificationAvertedEmotions::ClassifyResponse(int32_t category, int32_t) {
  if (category < kCatHit || category > kCatMiss) return category;
  return category + (m_gaze == kGazeStraight ? kStraightShift : kAvertedShift);
}

bool CTaskIdentificationAvertedEmotions::Demonstrate(ITaskRunData* runData) {
  std::mt19937 random(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  if (!CTaskBase::BeginRun(runData)) return false;
  HideSignal(0);
  if (WaitKeyUntil(GetRunTime() + kDemonstrationStartMs) != kScanEscape) {
    // The part's emotion looking left, straight and right, side by side.
    char code[kTrialCodeSize] = {m_partIndex % 2 == 0 ? 'm' : 'w', random() % 2 ? '2' : '1', PartEmotion()};
    constexpr char kGazeLetters[kFaceGazes] = {'L', '\0', 'R'};
    ClearBackSurface();
    if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
      for (int i = 0; i < kFaceGazes; ++i) {
        code[3] = kGazeLetters[i];
        DrawFace(dc, code, kFaceLarge, m_centreX + kDemonstrationX[i], m_centreY + kFaceY);
      }
      ReleaseBackDC(dc);
    }
    Present();
    WaitSpaceChange();
  }
  EndRun();
  return true;
}

int32_t CTaskIdentificationAvertedEmotions::ComputeVariables(ITaskRunData* runData) {
  int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  const QelCodeList* full[2] = {iae::kDirectFull, iae::kAvertedFull};
  const QelCodeList* shorts[2] = {iae::kDirectShort, iae::kAvertedShort};
  for (int q = 0; q < kParts && index >= 0; ++q) {
    for (int g = 0; g < 2 && index >= 0; ++g) {
      const iae::Combination& c = iae::kCombinations[q][g];
      // The part's count opens the direct block.
      index = g == 0 ? runData->ComputePartExtended(m_runContext, index, q, &full[g][q])
                     : runData->ComputePartExtendedNoCount(m_runContext, index, q, &full[g][q]);
      index = runData->CombinePair(index, c.meanA, c.meanB, true);
      index = runData->CombinePair(index, c.zMeanA, c.zMeanB, true);
      index = runData->ComputePartCountMeanZ(m_runContext, index, q, &shorts[g][q]);
      index = runData->CombinePair(index, c.errorsA, c.errorsB, false);
      index = runData->CombinePair(index, c.zErrorsA, c.zErrorsB, true);
    }
    if (index >= 0) index = runData->CountPartOutcomes(m_runContext, index, q);
  }
  return index;
}

}  // namespace qel
