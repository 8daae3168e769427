// Pursuit: a green target glides over the screen along a random path of
// quarter arcs and the testee follows it with the mouse pointer, first with
// the left hand, then with the right. Each part runs itself on the host's
// worker thread (the run-self-timed command): every 100 ms it stores the
// pointer's deviation from the target. The variables are the mean and SD of
// the deviation in mm and the percentages of samples within 3, 6 and 12 mm
// per hand, their Z-scores, the means of both hands and the mean deviation
// of every second.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "tasks/layers/mouse/TaskMouse.h"
#include "tasks/plugins/pu/ui/PursuitPage.h"

namespace qel {

class CTaskPursuit final : public CTaskMouse {
 public:
  static constexpr uint32_t kSampleMs = 100;
  static constexpr uint32_t kPracticeSeconds = 15;
  static constexpr uint32_t kMaxSeconds = 600;
  static constexpr int kPracticeSamples = 150;
  static constexpr int32_t kNormWindowSeconds = 60;
  static constexpr COLORREF kTargetColour = 0x00FF00;
  // TaskParam words: speed, smoothing, feedback threshold in mm.
  static constexpr int kWordSpeed = 1;
  static constexpr int kWordSmoothing = 2;
  static constexpr int kWordThreshold = 3;
  static constexpr int32_t kThresholdMin = 5;
  static constexpr int32_t kThresholdMax = 30;
  static constexpr int32_t kThresholdDefault = 12;

  CTaskPursuit();

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;                  // 3
  void LoadTexts() override;                                                    // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  int32_t GetParamText(int parameter, int which) override;                      // 9
  bool BeginRun(ITaskRunData* runData) override;                                // 11
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool HideSignal(int32_t responseCode) override;                               // 17
  int32_t OnBreakBegin() override;                                              // 18
  int32_t OnBreakEnd() override;                                                // 19
  bool Demonstrate(ITaskRunData* runData) override;                             // 32
  int32_t ComputeVariables(ITaskRunData* runData) override;                     // 33
  bool RunSelfTimed(ITaskRunData* runData) override;                            // 34

  // The feedback threshold of TaskParam word 3 (12 outside 5..30).
  static int32_t ThresholdOf(uint32_t word);

 private:
  // Binds the stored-sample arrays of the current part.
  void BindArrays(ITaskRunData* runData);
  // The target of the current sample (the centre before the path is built).
  QelPoint Target() const;
  // Clears the back surface, draws the target and the pointer (and, with
  // the ruler flag, the threshold circle and the ruler) and presents.
  void ShowScene();
  void DrawScene(CDC* dc);
  static void DrawAsterisk(CDC* dc, int x, int y, int arm, COLORREF colour);
  static bool RestoreScene(void* context);
  // The sampling loop; the number of samples stored.
  int RunSampling();
  void BuildPath();

  CTaskPagePursuit m_pageObject;
  int32_t* m_deviationX = nullptr;  // category array of the part
  int32_t* m_deviationY = nullptr;  // reaction-time array
  int32_t* m_sampleTime = nullptr;  // response-code array
  int m_pointerX = 320;
  int m_pointerY = 240;
  int m_drawnX = 320;
  int m_drawnY = 240;
  int m_sample = 0;
  int m_samples = 0;
  double m_thresholdMm = kThresholdDefault;
  int m_gridWidth = 180;
  int m_gridHeight = 180;
  int m_gridCells = 0;
  uint32_t m_durationMs = 0;
  bool m_demonstration = false;
  bool m_breakPending = false;
  bool m_ruler = false;
  std::vector<QelPoint> m_path;
  std::minstd_rand m_random;
};

}  // namespace qel
