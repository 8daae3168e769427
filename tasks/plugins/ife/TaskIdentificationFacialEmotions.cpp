#include "tasks/plugins/ife/TaskIdentificationFacialEmotions.h"

#include <chrono>
#include <random>

#include "taskfw/TaskPlugin.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/ife/IfeTrialLists.h"
#include "tasks/plugins/ife/IfeVariables.h"

namespace qel {

namespace {

const char* const kPartNames[] = {"Happy", "Sad", "Angry", "Fear", "Disgust", "Surprise", "Shame", "Contempt"};

const IdentificationMember kMember = {
    CTaskIdentificationFacialEmotions::kParts,
    kFaceEmotions - 1,
    false,
    CTaskIdentificationFacialEmotions::kPreviewX,
    CTaskIdentificationFacialEmotions::kPreviewY,
    IfePracticeList,
    kIfePracticeLength,
    IfeTestList,
    kIfeTestLengths,
    IfeSecondList,
    kIfeSecondLength,
    g_ModelDefault.TaskPartTrials,
    kPartNames,
};

}  // namespace

CTaskIdentificationFacialEmotions::CTaskIdentificationFacialEmotions() : CTaskIdentification(kMember) {
  m_modelDefault = &g_ModelDefault;
  m_variables = ife::kVariables;
  m_variableCount = ife::kVariableCount;
  m_normVariables = ife::kNormVariables;
  m_normVariableCount = ife::kNormVariableCount;
  m_page = &m_pageObject;
}

uint32_t CTaskIdentificationFacialEmotions::PictureOf(const char* code, int size) const {
  FaceCode face;
  if (!ParseFace(code, kFaceEmotions - 1, &face)) return 0;
  return FacePictureId(size, face.sex, face.person, face.emotion);
}

bool CTaskIdentificationFacialEmotions::Demonstrate(ITaskRunData* runData) {
  std::mt19937 random(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  if (!CTaskBase::BeginRun(runData)) return false;
  m_faceX = m_centreX + kFaceX;
  m_faceY = m_centreY + kFaceY;
  HideSignal(0);
  bool stop = WaitKeyUntil(GetRunTime() + kDemonstrationStartMs) == kScanEscape;
  // A face of the part's emotion, one of another emotion, then the part's again.
  const int own = m_partIndex + 1;
  int other = static_cast<int>(random() % (kFaceEmotions - 1));
  if (other >= own) ++other;
  for (int emotion : {own, other, own}) {
    if (stop) break;
    const char code[kTrialCodeSize] = {m_partIndex % 2 == 0 ? 'm' : 'w', random() % 2 ? '2' : '1',
                                       static_cast<char>('0' + emotion)};
    ShowSignal(code, m_host->display, 0);
    stop = WaitSpaceChange() == 1;
  }
  EndRun();
  return true;
}

int32_t CTaskIdentificationFacialEmotions::ComputeVariables(ITaskRunData* runData) {
  const int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return msfa::ComputePartSplits(*runData, *m_runContext, index, kParts, ife::kFullLists, ife::kShortLists);
}

}  // namespace qel
