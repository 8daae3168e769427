// "Shifting Attentional Set Visual": a coloured square jumps one place left
// or right in a row of ten grey squares. In one colour (compatible) the
// testee presses the button on the side of the jump, in the other
// (incompatible) the button on the other side. Part 1 shows only the
// compatible colour, part 2 only the incompatible one, part 3 both.
#pragma once

#include "taskfw/TaskBase.h"

namespace qel {

class CTaskShiftingSetVisual final : public CTaskBase {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 3;
  static constexpr int kSquares = 10;
  // Code values: bit 1 incompatible colour, bit 0 a jump to the right.
  static constexpr int kValueIncompatible = 2;
  static constexpr int kValueRight = 1;
  // Left and right button.
  static constexpr int32_t kLeftButton = 1;
  static constexpr int32_t kRightButton = 2;

  // The value of a code ("CL" 0, "CR" 1, "IL" 2, "IR" 3, either case); -1
  // for any other code.
  static int CodeValue(const char* code);
  // The square a running position is drawn on: below 0 on square 9, above
  // 9 on square 0.
  static int DrawnSquare(int position);
  // Where the square stands before the part's first jump.
  static int StartPosition(int part);

  CTaskShiftingSetVisual();

  bool SetupScreen(IDDDisplay* display, bool practice) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  int32_t OnBreakBegin() override;
  int32_t OnBreakEnd() override;
  bool SetTrial(const char* code) override;
  int32_t GetCorrectResponse(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // The running position after the trials 0..last of the host's list (the
  // start position for last -1).
  int PositionAfter(int last) const;
  // Row geometry (SetupScreen): square side, gap and the left edge of square 0.
  int SquareSide() const { return m_side; }
  int SquareGap() const { return m_gap; }
  int RowLeft() const { return m_rowLeft; }

 private:
  COLORREF KindColour(bool incompatible) const;
  // The row of grey squares, with the coloured square on `square` (none
  // when it is negative); presented.
  void ShowRow(int square, COLORREF colour);

  int m_side = 0;
  int m_gap = 0;
  int m_rowLeft = 0;
  int m_value = -1;
};

}  // namespace qel
