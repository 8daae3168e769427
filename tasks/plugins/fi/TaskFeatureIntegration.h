// "Feature Integration": four patterns of 3 x 3 white and red squares on
// the corners of a virtual square; the testee answers whether the target
// pattern of the version is among them (yes: right, no: left). The other
// patterns are similar to the target (three red squares) or dissimilar
// (one red square), all alike on one display.
#pragma once

#include <cstdint>

#include "include/qel/ModelTask.h"
#include "taskfw/TaskBase.h"

namespace qel {

class CTaskFeatureIntegration final : public CTaskBase {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 1;
  static constexpr int kPositions = 4;
  // The second size: 14 % of the screen height.
  static constexpr int kPatternSizePercent = 14;
  // Target letters by version.
  static constexpr char kTargets[] = "ABC";

  // Kinds of letter for one version: its target, similar (three red
  // squares), dissimilar.
  enum LetterKind : int { kTarget = 0, kSimilar = 1, kDissimilar = 2 };
  static LetterKind KindOf(char letter, char target);
  // The red cells of pattern A..T (either case) as bits in the grid's cell
  // order (bit 0 centre, 1 left, 2 top left, ... 8 bottom left); 0 for
  // anything else (no pattern).
  static uint16_t RedCells(char letter);

  CTaskFeatureIntegration();

  bool SetupScreen(IDDDisplay* display, bool practice) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool BeginRun(ITaskRunData* runData) override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  bool HideSignal(int32_t responseCode) override;
  bool SetTrial(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // Geometry of the run (SetupScreen): cell side, gap, item offset.
  int CellSide() const { return m_cellSide; }
  int CellGap() const { return m_cellGap; }
  int ItemOffset() const { return m_itemOffset; }

 private:
  char Target() const { return kTargets[m_versionIndex >= 0 && m_versionIndex < kVersions ? m_versionIndex : 0]; }
  void ItemCentre(int position, int* x, int* y) const;
  void DrawPattern(CDC* dc, int x, int y, char letter);
  // draw(x, y) for the centre of every cell of the four items.
  template <class Draw>
  void ForEachCell(Draw draw) const;

  int m_cellSide = 0;
  int m_cellGap = 0;
  int m_itemOffset = 0;
  char m_code[kTrialCodeSize] = {};
};

}  // namespace qel
