// "Response Organization Arrows": an arrow in a framed box points left or
// right. In one colour (compatible) the testee presses the button the arrow
// points to, in the other (incompatible) the button on the other side.
// Codes: "L" / "R" compatible arrows, "l" / "r" incompatible ones.
#pragma once

#include "taskfw/TaskBase.h"

namespace qel {

class CTaskResponseOrganizationArrows final : public CTaskBase {
 public:
  static constexpr int kVersions = 3;
  static constexpr int kParts = 3;
  // Sizes in 480ths of the second size, which is the whole screen height
  // here: the box 176 x 80, the arrow 88 x 40 (32 x 16 in the preview).
  static constexpr int kDesignHeight = 480;
  static constexpr int kBoxWidth = 176;
  static constexpr int kBoxHeight = 80;
  static constexpr int kArrowWidth = 88;
  static constexpr int kArrowHeight = 40;
  static constexpr int kPreviewArrowWidth = 32;
  static constexpr int kPreviewArrowHeight = 16;

  CTaskResponseOrganizationArrows();

  bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b) override;
  void LoadTexts() override;
  bool SetupRun(IExpModelTask* context, intptr_t value) override;
  bool ShowWarning() override;
  bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c) override;
  bool SetTrial(const char* code) override;
  int32_t ClassifyResponse(int32_t category, int32_t code) override;
  bool Demonstrate(ITaskRunData* runData) override;
  int32_t ComputeVariables(ITaskRunData* runData) override;

  // Compatible and incompatible arrow colours of a version (0-based).
  static COLORREF ArrowColour(int version, bool incompatible);

 private:
  int Units(int n) const { return n * m_size[1] / kDesignHeight; }
  void DrawBox(CDC* dc);
  // The arrow of a code character ("L", "R", "l", "r"); nothing for others.
  void DrawArrow(CDC* dc, char code, int width, int height);
  // The box with the arrow of the code (or empty), presented.
  void ShowBox(char code);

  char m_code = 0;
};

}  // namespace qel
