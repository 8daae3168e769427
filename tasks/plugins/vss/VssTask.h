// VisuoSpatial Sequencing: a square board with nine circles in three rows.
// In each trial a series of circles is shown one after the other, by an
// animated hand pointing at them or by the circles popping up; the testee
// then points at the same circles in the same order with a small hand
// moved by the mouse, pressing a mouse button on each. The operator starts
// each series with Space and ends it with Space when the testee is done.
// The part runs itself on the host's worker thread (the run-self-timed
// command). The variables count correct trials, identified targets, those
// in order, false alarms, misses and false alarms after a perfect series,
// and the mean and SD of the interval between pointings, with Z-scores.
#pragma once

#include <cstdint>

#include "tasks/layers/mouse/TaskMouse.h"
#include "tasks/plugins/vss/ui/VssPage.h"

namespace qel {

class CTaskVisuoSpatialSequencing final : public CTaskMouse {
 public:
  static constexpr int kCircles = 9;
  static constexpr COLORREF kBoardColour = 0x3F3F3F;
  static constexpr COLORREF kGrey = 0x7F7F7F;
  static constexpr COLORREF kBlack = 0x000000;
  static constexpr COLORREF kWhite = 0xFFFFFF;
  // TaskParam words.
  static constexpr int kWordPointerType = 1;  // 0 hand, other values pop up
  static constexpr int kWordShowDuration = 2;
  static constexpr int kWordShowInterval = 3;
  static constexpr int kWordStopCriterion = 4;
  static constexpr uint32_t kLeadInMs = 1000;
  static constexpr int kHandPoints = 21;

  CTaskVisuoSpatialSequencing();

  bool SetupScreen(IDDDisplay* display, bool practice) override;   // 2
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;     // 3
  void LoadTexts() override;                                       // 5
  bool SetupRun(IExpModelTask* context, intptr_t value) override;  // 8
  bool BeginRun(ITaskRunData* runData) override;                   // 11
  bool Demonstrate(ITaskRunData* runData) override;                // 32
  int32_t ComputeVariables(ITaskRunData* runData) override;        // 33
  bool RunSelfTimed(ITaskRunData* runData) override;               // 34

  void LayOutCircles();
  // The series of a code into the sequence slots (circle numbers, 0 empty).
  bool ParseSequence(const char* code);
  // The circle 1..9 whose centre is nearer than the plain radius; 0 none.
  int HitTestCircle(int x, int y) const;
  static void DrawHandPointer(CDC* dc, int x, int y, int scale);

  int BoardHalfSide() const { return m_boardHalf; }
  int OuterRadius() const { return m_r1; }
  int LitRadius() const { return m_r2; }
  int PlainRadius() const { return m_r3; }
  int Spacing() const { return m_spacing; }
  QelPoint CircleCentre(int number) const;
  const int32_t* Sequence() const { return m_sequence; }

 private:
  static void FillEllipse(CDC* dc, int left, int top, int right, int bottom, COLORREF colour);
  void DrawCircle(CDC* dc, int x, int y, bool hand, bool lit);
  void DrawBoard(CDC* dc, int litIndex, bool hand);
  void ShowBoard(int x, int y, int litIndex, bool hand, bool withPointer);
  static bool RestoreBoard(void* context);
  // Shows a series; false when Escape ended it.
  bool PresentSequence(const char* code);
  // The testee points; entries stored unless `store` is off. Returns the
  // key that ended it: Escape, or Space (in a demonstration only Escape).
  int RespondToSeries(int trial, int startX, bool store, bool spaceEnds);
  void OpenBreak();

  CTaskPageVisuoSpatialSequencing m_pageObject;
  bool m_breakPending = false;
  int m_currentTrial = 0;
  int m_trialsToRun = 0;
  int32_t m_pointerType = 1;
  uint32_t m_showDuration = 1000;
  uint32_t m_showInterval = 750;
  int32_t m_sequence[kCircles] = {};
  int m_shownCount = 0;
  int m_boardHalf = 240;
  int m_r1 = 30;
  int m_r2 = 27;
  int m_r3 = 21;
  int m_spacing = 160;
  int m_offsetX[kCircles] = {};
  int m_offsetY[kCircles] = {};
  // Entries of the part (run data of part 1).
  int32_t* m_categories = nullptr;
  int32_t* m_reactionTimes = nullptr;
  int32_t* m_codes = nullptr;
  int m_entries = 0;
};

}  // namespace qel
