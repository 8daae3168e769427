// The parameter page of "Focused Attention 4 letters" (dialog 152): the
// relevant diagonal as two radio buttons bound to TaskParam word 0.
#pragma once

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;

namespace qel {

class CTaskPageFocusedAttention final : public CTaskPage {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdLeftTop = 1131;   // value 0: Left/Top & Right/Bottom
  static constexpr int kIdRightTop = 1132;  // value 1: Right/Top & Left/Bottom

  CTaskPageFocusedAttention() : CTaskPage(kTemplate) {}

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnChoose(wxCommandEvent& event);
};

}  // namespace qel
