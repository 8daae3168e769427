// The parameter page of the identification tasks (dialog 153): how the
// probe that opens each part is timed, and whether it is shown as a word.
//
//   radios 1131 "Fixed", 1132 "User terminated", 1133 "Stimul terminated"
//          in "Probe timing option"                       TaskParam word 0
//   edit 1001 "Probe duration, ms"                         word 1
//   edit 1002 "Post probe interval, ms"                    word 2
//   edit 1003 "Probe-stimul interval, ms"                  word 3
//   check 1007 "Probe as text"                             word 4, low 16 bits
//   combo 1008 "Language" (English, Dutch)                 word 4, high 16 bits
//
// Each choice is written into the model task at once. Only the edits the
// chosen timing uses are enabled; a task whose events come at a fixed rate
// (TaskControl 1) cannot wait for the testee, so "User terminated" is then
// disabled and a stored 1 becomes 0.
#pragma once

#include "taskfw/ui/TaskPage.h"

class wxCommandEvent;

namespace qel {

class CTaskPageProbeTiming final : public CTaskPage {
 public:
  static constexpr int kTemplate = 153;
  static constexpr int kIdFixed = 1131;
  static constexpr int kIdUserTerminated = 1132;
  static constexpr int kIdStimulusTerminated = 1133;
  static constexpr int kIdProbeDuration = 1001;
  static constexpr int kIdPostProbe = 1002;
  static constexpr int kIdProbeStimulus = 1003;
  static constexpr int kIdProbeAsText = 1007;
  static constexpr int kIdLanguage = 1008;
  // TaskControl of a task whose events come at a fixed rate.
  static constexpr uint32_t kEventRate = 1;

  CTaskPageProbeTiming() : CTaskPage(kTemplate) {}

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnMode(wxCommandEvent& event);
  void OnDuration(wxCommandEvent& event);
  void OnProbeText(wxCommandEvent& event);
  void OnLanguage(wxCommandEvent& event);
};

}  // namespace qel
