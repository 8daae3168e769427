#include "tasks/plugins/mso1/TaskMemorySearchObjects.h"

#include "taskfw/TaskPlugin.h"
#include "tasks/layers/msfa/MemorySearchRun.h"
#include "tasks/plugins/mso1/Mso1TrialLists.h"
#include "tasks/plugins/mso1/Mso1Variables.h"

namespace qel {

namespace {

const char* const kVersionNames[] = {"Version 1", "Version 2", "Version 3"};
const char* const kPartNames[] = {"1 target", "2 targets"};

// TEXT resources: description and the part instructions of parts 1 and 2.
constexpr msfa::LanguageTexts kTexts[3] = {
    {101, 0, {102, 103}},  // English
    {106, 0, {105, 104}},  // Dutch
    {107, 0, {108, 109}},  // Italian
};

int PictureNumber(char c) { return (c >= '1' && c <= '6') ? c - '0' : 0; }

}  // namespace

CTaskMemorySearchObjects::CTaskMemorySearchObjects() {
  m_modelDefault = &g_ModelDefault;
  m_versionNames = kVersionNames;
  m_versionCount = kVersions;
  m_partNames = kPartNames;
  m_partCount = kParts;
  m_variables = mso1::kVariables;
  m_variableCount = mso1::kVariableCount;
  m_normVariables = mso1::kNormVariables;
  m_normVariableCount = mso1::kNormVariableCount;
}

const char* CTaskMemorySearchObjects::MemorySet(int version, int part) {
  if (version < 0 || version >= kVersions || part < 0 || part >= kParts) return nullptr;
  return kMemorySets + (part * 3 + version) * 2;
}

void CTaskMemorySearchObjects::EnsurePictures() {
  if (m_picturesLoaded) return;
  // The plug-in's own table, whether or not a record is bound yet.
  m_picturesLoaded = m_house.LoadPictures(&QelModuleResources());
}

void CTaskMemorySearchObjects::LoadTexts() { msfa::LoadPartTexts(*this, kTexts, kParts); }

bool CTaskMemorySearchObjects::SetupRun(IExpModelTask* context, intptr_t value) {
  EnsurePictures();
  if (!CTaskBase::SetupRun(context, value)) return false;
  const int v = m_versionIndex;
  const int p = m_partIndex;
  m_record->practiceTrialList = qel::Mso1PracticeList(v, p);
  m_record->practiceTrialCount = qel::kMso1PracticeLength;
  m_record->testTrialList = qel::Mso1TestList(v, p);
  m_record->testTrialCount = static_cast<uint32_t>(qel::Mso1TestLength(p));
  msfa::PublishPartWords(*m_record, kParts, qel::kMso1TestLengths, qel::kMso1PracticeLength,
                         g_ModelDefault.TaskPartTrials);
  m_record->runText = msfa::MemorySetText(MemorySet(v, p), p + 1);
  PublishTrialList();
  return true;
}

void CTaskMemorySearchObjects::DrawPictures(CDC* dc, const char* code, bool scaled, int centreX, int centreY) {
  if (!dc || !code) return;
  for (int i = 0; i < kPositions && code[i] != '\0'; ++i) {
    const int picture = PictureNumber(code[i]);
    if (picture == 0) continue;
    if (scaled) m_house.DrawAnimalScaled(dc, centreX, centreY, i, picture, false);
    else m_house.DrawAnimal(dc, centreX, centreY, i, picture);
  }
}

void CTaskMemorySearchObjects::DrawHouseOnBack(const char* code) {
  if (!m_host) return;
  EnsurePictures();
  if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
    m_house.Draw(dc, m_centreX, m_centreY);
    char pictures[kTrialCodeSize];
    msfa::CopyTrialCode(code, pictures);
    DrawPictures(dc, pictures, false, m_centreX, m_centreY);
    ReleaseBackDC(dc);
  }
}

bool CTaskMemorySearchObjects::BeginRun(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  DrawHouseOnBack(nullptr);
  return Present();
}

bool CTaskMemorySearchObjects::ShowSignal(const char* code, IDDDisplay* display, intptr_t c) {
  if (!CTaskBase::ShowSignal(code, display, c)) return false;
  DrawHouseOnBack(code);
  return Present();
}

bool CTaskMemorySearchObjects::HideSignal(int32_t responseCode) {
  if (!CTaskBase::HideSignal(responseCode)) return false;
  DrawHouseOnBack(nullptr);
  Present();
  return true;
}

bool CTaskMemorySearchObjects::DrawStimulus(CDC* dc, intptr_t a, intptr_t) {
  const char* code = reinterpret_cast<const char*>(a);
  if (!dc) return true;
  EnsurePictures();
  // The whole 640 x 480 design fits the context.
  const int width = dc->GetWidth();
  const int height = dc->GetHeight();
  int size = height;
  if (width * CHousePicture::kDesignSize / 640 < size) size = width * CHousePicture::kDesignSize / 640;
  if (size < 1) return true;
  m_house.SetPictureSize(size);
  m_house.DrawScaled(dc, width / 2, height / 2);
  char pictures[kTrialCodeSize];
  msfa::CopyTrialCode(code, pictures);
  DrawPictures(dc, pictures, true, width / 2, height / 2);
  return true;
}

bool CTaskMemorySearchObjects::SetTrial(const char* code) {
  const char* set = MemorySet(m_versionIndex, m_partIndex);
  // A code that cannot be judged counts as a target.
  if (!msfa::HasFourItems(code) || !set) {
    m_trialSet = true;
    return m_trialSet;
  }
  m_trialSet = false;
  for (int i = 0; i < kPositions; ++i) {
    for (int j = 0; j <= m_partIndex; ++j) {
      if (code[i] == set[j]) m_trialSet = true;
    }
  }
  return m_trialSet;
}

bool CTaskMemorySearchObjects::Demonstrate(ITaskRunData* runData) {
  if (!CTaskBase::BeginRun(runData)) return false;
  const int v = m_versionIndex;
  const int p = m_partIndex;
  DrawHouseOnBack(kSampleDisplays[p][v]);
  Present();
  if (WaitSpaceChange() != 1) {
    ClearBackSurface();
    const char* set = MemorySet(v, p);
    if (CDC* dc = m_host->SurfaceGetDC(kSurfaceBack)) {
      for (int i = 0; i <= p; ++i) {
        m_house.DrawPictureAt(dc, m_centreX + kMemoryStep * i - kMemoryStep / 2 * p - kMemoryLeft,
                              m_centreY - kMemoryUp, PictureNumber(set[i]));
      }
      ReleaseBackDC(dc);
    }
    Present();
    WaitSpaceChange();
  }
  EndRun();
  return true;
}

int32_t CTaskMemorySearchObjects::ComputeVariables(ITaskRunData* runData) {
  const int32_t index = CTaskBase::ComputeVariables(runData);
  if (index < 0) return index;
  if (!m_runContext) return -1;
  return msfa::ComputePartSplits(*runData, *m_runContext, index, kParts, mso1::kFullLists, mso1::kShortLists);
}

}  // namespace qel
