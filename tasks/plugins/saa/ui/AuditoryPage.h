// The parameter page of "Sustained Attention Auditory" (template 152): the
// three pitches in Hz (TaskParam words 1-3), the series number switch (word
// 0) and the series and task lengths. A pitch the host cannot play is not
// stored: the page says why under the edits and the model keeps its value.
#pragma once

#include <string>

#include "tasks/layers/sustained/ui/SustainedPage.h"

class wxCommandEvent;
class wxWindow;

namespace qel {

class CTaskPageAuditory final : public CSustainedPage {
 public:
  static constexpr int kIdLowPitch = 1001;
  static constexpr int kIdHighPitch = 1002;
  static constexpr int kIdMiddlePitch = 1003;
  static constexpr int kIdSeriesLength = 1004;
  static constexpr int kIdTaskLength = 1005;
  static constexpr int kIdPitchMessage = 1006;
  static constexpr int kPitches = 3;

  CTaskPageAuditory() = default;

  // Low, middle and high pitch as the page holds them.
  unsigned Pitch(int i) const { return m_pitches[i]; }
  // What the page says about a pitch it cannot take ("" when all are good).
  const std::string& PitchMessage() const { return m_message; }
  // The message for a pitch edit (label "Low pitch" and the like) that holds
  // no pitch the host plays.
  static std::string RefusalText(const char* label);

 protected:
  bool BuildControls(wxWindow* panel, int templateId) override;
  void RefreshControls() override;

 private:
  void OnPitch(wxCommandEvent& event);
  void ShowMessage(const std::string& text);

  unsigned m_pitches[kPitches] = {440, 660, 990};
  std::string m_message;
};

}  // namespace qel
