// The parameter page of "Sustained Attention Objects 2 keys" (template
// 152): the switch of the series number (TaskParam word 0).
#pragma once

#include "tasks/layers/sustained/ui/SustainedPage.h"

class wxWindow;

namespace qel {

class CTaskPageObjects final : public CSustainedPage {
 public:
  CTaskPageObjects() = default;

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;
};

}  // namespace qel
