// "Identification of Averted Facial Emotions": four parts, part p asks
// whether each face shows emotion p + 1 (happy, sad, angry, fear), with the
// eyes looking straight or averted. Codes: a face of three characters
// (emotions 0..4) and "L" or "R" for eyes averted to the left or right,
// e.g. "m11R". Hits, correct rejections, false alarms and misses are told
// apart by the gaze: 10-13 straight, 14-17 averted.
#pragma once

#include "tasks/layers/identification/TaskIdentification.h"
#include "tasks/layers/identification/ui/ProbeTimingPage.h"

namespace qel {

class CTaskIdentificationAvertedEmotions final : public CTaskIdentification {
 public:
  static constexpr int kParts = 4;
  static constexpr int kPreviewX = -30;
  static constexpr int kPreviewY = -34;
  static constexpr int32_t kStraightShift = 9;  // category 1-4 -> 10-13
  static constexpr int32_t kAvertedShift = 13;  // category 1-4 -> 14-17
  // The three faces of the demonstration from the centre (gaze left,
  // straight, right).
  static constexpr int kDemonstrationX[kFaceGazes] = {-360, -120, 120};

  CTaskIdentificationAvertedEmotions();

  bool SetTrial(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  int Gaze() const { return m_gaze; }
  int Emotion() const { return m_emotion; }

 protected:
  uint32_t PictureOf(const char* code, int size) const override;

 private:
  CTaskPageProbeTiming m_pageObject;
  int m_gaze = kGazeStraight;  // of the current code
  int m_emotion = 0;
};

}  // namespace qel
