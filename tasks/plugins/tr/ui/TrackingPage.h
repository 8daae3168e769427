// Tracking's parameter page (template 152): the mouse controls, then the
// direction of the right hand (TaskParam word 1) and the track width (word 2).
#pragma once

#include "tasks/layers/mouse/ui/TaskPageMouse.h"

namespace qel {

class CTaskPageTracking final : public CTaskPageMouse {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdClockwise = 1134;
  static constexpr int kIdCounterclockwise = 1135;
  static constexpr int kIdWidth = 1079;

  CTaskPageTracking() : CTaskPageMouse(kTemplate) {}

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnDirection(wxCommandEvent& event);
  void OnWidth(wxCommandEvent& event);
};

}  // namespace qel
