// VisuoSpatial Sequencing's parameter page (template 152): the mouse
// controls, then the pointer type (TaskParam word 1), the show duration
// and interval in ms (words 2 and 3) and the stop criterion (word 4, kept
// with the model; shown only for a model task whose current part is not
// the first).
#pragma once

#include "tasks/layers/mouse/ui/TaskPageMouse.h"

namespace qel {

class CTaskPageVisuoSpatialSequencing final : public CTaskPageMouse {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdHand = 1134;
  static constexpr int kIdPopUp = 1135;
  static constexpr int kIdShowDuration = 1002;
  static constexpr int kIdShowInterval = 1001;
  static constexpr int kIdStopGroup = 1004;
  static constexpr int kIdUserBased = 1003;
  static constexpr int kIdRuleBased = 1005;

  CTaskPageVisuoSpatialSequencing() : CTaskPageMouse(kTemplate) {}

  // The stop criterion as the page shows it: -1 (none) for the first part.
  int StopCriterion() const;

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnPointerType(wxCommandEvent& event);
  void OnNumber(wxCommandEvent& event);
  void OnStopCriterion(wxCommandEvent& event);
  bool m_refreshing = false;
};

}  // namespace qel
