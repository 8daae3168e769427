// "Flanker": a 3 x 3 grid of squares; the colour of the centre square tells
// which button to press (left or right), the eight flanking squares have
// the same colour (compatible), a third colour (neutral, part 1) or the
// other answer's colour (incompatible, part 2).
#pragma once

#include "taskfw/TaskBase.h"

namespace qel {

class CTaskFlanker final : public CTaskBase {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 2;
  static constexpr int kColours = 3;  // 0 left, 1 right, 2 neutral
  // The second size: 23 % of the screen height.
  static constexpr int kGridSizePercent = 23;

  CTaskFlanker();

  bool SetupScreen(IDDDisplay* display, bool practice) override;
  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool ShowWarning() override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  bool SetTrial(const char* code) override;
  int32_t GetCorrectResponse(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // Colour 0..2 of a version (0-based); black out of range.
  static COLORREF Colour(int version, int index);
  int CentreColour() const { return m_centreColour; }
  int FlankColour() const { return m_flankColour; }

 private:
  // The grid centred on (x, y) in the colours of the indexes.
  void DrawGrid(CDC* dc, int x, int y, int centre, int flank);
  char FirstCharacter(const char* code) const;

  int m_centreColour = 0;
  int m_flankColour = 0;
  // The grid (SetupScreen): square side and gap; squares 1-8 lie around the
  // centre square, side + gap apart.
  int m_squareSide = 0;
  int m_gap = 0;
  char m_lastCode = 0;
};

}  // namespace qel
