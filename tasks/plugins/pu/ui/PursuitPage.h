// Pursuit's parameter page (template 152): the mouse controls, then the
// target's moving speed (TaskParam word 1), the track smoothing (word 2,
// 0..5, shown as 1..6) and the feedback threshold in mm (word 3, 5..30).
#pragma once

#include "tasks/layers/mouse/ui/TaskPageMouse.h"

class wxSpinEvent;

namespace qel {

class CTaskPagePursuit final : public CTaskPageMouse {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdSpeed = 1062;
  static constexpr int kIdSmoothingSpin = 1135;
  static constexpr int kIdSmoothingEdit = 1136;
  static constexpr int kIdThresholdSlider = 1139;
  static constexpr int kIdThresholdLabel = 1140;
  static constexpr int kSmoothingMax = 5;

  CTaskPagePursuit() : CTaskPageMouse(kTemplate) {}

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  int Smoothing() const;
  void OnSpeed(wxCommandEvent& event);
  void OnSmoothingUp(wxSpinEvent& event);
  void OnSmoothingDown(wxSpinEvent& event);
  void OnThreshold(wxCommandEvent& event);
};

}  // namespace qel
