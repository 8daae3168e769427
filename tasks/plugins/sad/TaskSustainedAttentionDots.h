// "Sustained Attention Dots": a large square frame stays on the screen; on
// every trial a pattern of 3 to 6 small dots appears inside it and the
// testee presses the yes-key when it holds the target number of dots (4, or
// 5 with the dot set 4-5-6) and the no-key when it holds one fewer or one
// more. Correct rejections and false alarms are split by fewer and more dots.
//
// Trial codes, one character, with t the target count:
//   'H' t + 1 dots; 'h' t + 1 (balance by presentation) or t (by response);
//   'm' t; 'l' t - 1 (presentation) or t (response); 'L' t - 1; any other
//   character (or none) draws nothing.
#pragma once

#include <cstdint>

#include "tasks/layers/sustained/TaskSustained.h"
#include "tasks/plugins/sad/DotPattern.h"
#include "tasks/plugins/sad/ui/DotsPage.h"

namespace qel {

class CTaskSustainedAttentionDots final : public CTaskSustained {
 public:
  // TaskParam words.
  static constexpr int kWordShowSeries = 0;
  static constexpr int kWordDotSet = 1;   // 0: 3-4-5 dots, target 4; 1: 4-5-6, target 5
  static constexpr int kWordBalance = 2;  // 0: by presentation; 1: by response
  static constexpr int kTargetDots = 4;
  // The code of a target whatever the balance (the run text).
  static constexpr char kTargetCode = 'm';
  static constexpr int kTargetDotsHighSet = 5;
  // Second size percent and the frame size per unit of it (F = centre y x
  // percent x scale x 0.114), the dot unit F / 18.
  static constexpr int kFramePercent = 5;
  static constexpr double kFrameFactor = 0.114;
  static constexpr int kDotUnits = 18;
  static constexpr COLORREF kGrey = 0x7F7F7F;
  // Generator seed of the dot patterns (once per loaded plug-in).
  static constexpr uint32_t kPatternSeed = 1;

  CTaskSustainedAttentionDots();

  bool SetupScreen(IDDDisplay* display, bool practice) override;                // 2
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;                  // 3
  void LoadTexts() override;                                                    // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;               // 8
  bool BeginRun(ITaskRunData* runData) override;                                // 11
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;  // 16
  bool HideSignal(int32_t responseCode) override;                               // 17
  bool SetTrial(const char* code) override;                                     // 29
  int32_t ClassifyResponse(int32_t category, int32_t code) override;            // 31
  bool Demonstrate(ITaskRunData* runData) override;                             // 32

  // The dots a code shows (0 without a code or run context); sets the
  // target count from the run context's dot set.
  int GetDotCount(const char* code);
  // Pattern state back to its start, the target count from the run context.
  void ResetGrid();

  int FrameSize() const { return m_size[1]; }
  int DotUnit() const { return m_dotUnit; }
  int DotSide() const;
  // Half side of the frame: frame size / 2 + dot unit.
  int FrameHalfSide() const { return FrameSize() / 2 + m_dotUnit; }
  int TargetCount() const { return m_targetCount; }
  int CurrentCount() const { return m_currentCount; }
  const sad::CDotPattern& Pattern() const { return m_pattern; }

 private:
  // A filled square of 2h + 1 pixels at (x, y): outline in the pen colour,
  // inside in the brush colour.
  static void DrawFrame(CDC* dc, int x, int y, int h, COLORREF pen, COLORREF brush);
  // The dots of count n (a new pattern unless redraw) at (x, y).
  void DrawDots(CDC* dc, int x, int y, int n, bool redraw);

  CTaskPageDots m_pageObject;
  int m_dotUnit = 1600;
  int m_doubleDotUnit = 3200;
  int m_targetCount = 0;
  int m_currentCount = 0;
  sad::CDotPattern m_pattern{kPatternSeed};
};

}  // namespace qel
