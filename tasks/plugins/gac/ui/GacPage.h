// The parameter page of "Gaze-Arrow Cueing" (dialog 153, "Cue timing"):
// three edits bound to TaskParam words 0-2, each with its range beside it.
// A changed edit that holds a number is written into the model task at
// once; the task keeps the times within their ranges when it runs.
#pragma once

#include <cstdint>

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;

namespace qel {

class CTaskPageGazeArrowCueing final : public CTaskPage {
 public:
  static constexpr int kTemplate = 153;
  static constexpr int kIdCueStart = 1001;   // word 0, 50-2000 ms
  static constexpr int kIdCueEnd = 1002;     // word 1, 50-2000 ms
  static constexpr int kIdPostCatch = 1003;  // word 2, 1000-5000 ms
  static constexpr int kEdits = 3;

  CTaskPageGazeArrowCueing() : CTaskPage(kTemplate) {}

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnEdit(wxCommandEvent& event);
};

}  // namespace qel
