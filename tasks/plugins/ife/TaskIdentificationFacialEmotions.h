// "Identification Facial Emotions": eight parts, part p asks whether each
// face shows emotion p + 1 (happy ... contempt). Codes: one face of three
// characters (tasks/layers/faces), e.g. "m23": a man, person 2, angry.
#pragma once

#include "tasks/layers/identification/TaskIdentification.h"
#include "tasks/layers/identification/ui/ProbeTimingPage.h"

namespace qel {

class CTaskIdentificationFacialEmotions final : public CTaskIdentification {
 public:
  static constexpr int kParts = 8;
  // The small face of the editor's preview, from the centre.
  static constexpr int kPreviewX = -60;
  static constexpr int kPreviewY = -68;

  CTaskIdentificationFacialEmotions();

  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

 protected:
  uint32_t PictureOf(const char* code, int size) const override;

 private:
  CTaskPageProbeTiming m_pageObject;
};

}  // namespace qel
