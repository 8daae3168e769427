// The test plug-in's parameter page: a check box for TaskParam word 0 and a
// slider (0..40) for word 1, the pattern of a task page.
#pragma once

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;

namespace qel {

class CTaskPageProbe final : public CTaskPage {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdCheck = 1136;
  static constexpr int kIdSlider = 1008;
  static constexpr int kIdLabel = 1004;
  static constexpr int kSliderDefault = 20;

  CTaskPageProbe() : CTaskPage(kTemplate) {}

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnCheck(wxCommandEvent& event);
  void OnSlider(wxCommandEvent& event);
};

}  // namespace qel
