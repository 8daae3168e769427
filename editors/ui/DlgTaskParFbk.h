// The Feedback page: the feedback a task gives on error responses (None,
// Audio or Visual, as far as the plug-in allows), the sound of audio
// feedback with a test of each sound on the configured output device, and a
// description of the chosen feedback.
#pragma once

#include <wx/timer.h>

#include <chrono>

#include "editors/FeedbackRules.h"
#include "editors/ui/DlgTaskParPage.h"

class wxChoice;
class wxRadioButton;

namespace qel {

class CRtfView;

class CDlgTaskParFbk : public CDlgTaskParPage {
 public:
  enum ControlId : int {
    kIdOption = 1019,
    kIdOptionLabel = 1022,
    kIdSoundsGroup = 1210,
    kIdDescription = 1268,
  };
  static constexpr int kSoundIds[kFeedbackSoundCount] = {1208, 1209, 1211, 1212, 1213};
  static constexpr int kProbeIds[kFeedbackSoundCount] = {1263, 1264, 1265, 1266, 1267};
  static constexpr int kSoundTimerId = 100;
  static constexpr int kSoundTimerMs = 10;

  CDlgTaskParFbk(wxWindow* parent, const EditorServices& services);
  ~CDlgTaskParFbk() override;

  void UpdatePage() override;
  void OnPageHidden() override { StopSound(); }

  // The operator's actions (also driven by tests).
  void ChooseOption(const std::string& name);
  void ChooseSound(int k);
  void TestSound(int k);
  void OnSoundTick();
  bool IsPlaying() const { return m_playing; }
  std::vector<std::string> OfferedOptions() const;
  std::string Description() const;

 private:
  void StopSound();

  wxChoice* m_option = nullptr;
  wxRadioButton* m_sounds[kFeedbackSoundCount] = {};
  CRtfView* m_description = nullptr;
  bool m_hasSound = false;
  bool m_playing = false;
  int m_playingProbe = -1;  // the button that started the sound: it reads "Stop" and stops it
  std::chrono::steady_clock::time_point m_playEnd;
  wxTimer m_timer;
};

}  // namespace qel
