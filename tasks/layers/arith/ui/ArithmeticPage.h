// The parameter page of the mental arithmetic tasks (dialog 152): one
// slider for the size of the problem text, TaskParam word 0, 20..100 % in
// steps of 10 (50 the standard size), its value shown beside it.
#pragma once

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;

namespace qel {

class CTaskPageMentalArithmetic final : public CTaskPage {
 public:
  static constexpr int kTemplate = 152;
  static constexpr int kIdSlider = 1139;
  static constexpr int kIdValue = 1140;
  static constexpr int kPageSize = 10;

  CTaskPageMentalArithmetic() : CTaskPage(kTemplate) {}

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnSlider(wxCommandEvent& event);
};

}  // namespace qel
