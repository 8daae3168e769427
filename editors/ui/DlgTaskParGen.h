// The General page: the task's code, name and version, its response keys
// in words and as a description, and for voice-key tasks the voice key's
// options and a live level test on the capture device of the system
// configuration. It edits the version, the voice-key threshold and the
// voice-key and space-bar options.
#pragma once

#include <wx/timer.h>

#include <chrono>
#include <memory>

#include "editors/ui/DlgTaskParPage.h"

class wxGauge;
class wxSlider;
class wxSpinButton;
class wxSpinEvent;
class wxScrollEvent;
class wxCheckBox;


namespace qel {

class CRtfView;
class CVoiceKey;

class CDlgTaskParGen : public CDlgTaskParPage {
 public:
  enum ControlId : int {
    kIdCode = 1009,
    kIdName = 1010,
    kIdVersion = 1013,
    kIdType = 1018,
    kIdTypeLabel = 1020,
    kIdVersionLabel = 1023,
    kIdTaskLabel = 1024,
    kIdVersionSpin = 1054,
    kIdVersionCount = 1055,
    kIdVersionName = 1057,
    kIdKeys = 1059,
    kIdThreshold = 1139,
    kIdThresholdText = 1140,
    kIdThresholdLabel = 1141,  // the caption "Voice threshold, %"
    kIdTestVoice = 1219,
    kIdLeftMeter = 1220,
    kIdRightMeter = 1221,
    kIdRightLevel = 1222,
    kIdLeftLevel = 1223,
    kIdTrigger = 1224,
    kIdVoiceEnabled = 1225,
    kIdSpaceBar = 1226,
    kIdKeysDescription = 1261,
  };
  static constexpr int kVoiceTimerId = 103;
  static constexpr int kVoiceTimerMs = 10;

  CDlgTaskParGen(wxWindow* parent, const EditorServices& services);
  ~CDlgTaskParGen() override;

  void UpdatePage() override;
  void OnPageHidden() override { StopVoiceTest(); }

  // The operator's actions (also driven by tests).
  void StepVersion(int delta);
  void MoveThreshold(int scrollCode, int position);
  void SetSpaceBar(bool on);
  void SetVoiceEnabled(bool on);
  void OnTestVoice();
  // One beat of the voice test: levels, triggers, the end.
  void OnVoiceTick();
  bool IsTesting() const { return m_testing; }
  int LeftPercent() const { return m_leftPercent; }
  int RightPercent() const { return m_rightPercent; }
  std::string KeysDescription() const;

 private:
  void StopVoiceTest();
  void ShowLevels(int left, int right, uint32_t bits);

  wxSpinButton* m_versionSpin = nullptr;
  wxSlider* m_thresholdSlider = nullptr;
  wxGauge* m_meters[2] = {nullptr, nullptr};
  wxCheckBox* m_spaceBar = nullptr;
  wxCheckBox* m_voiceEnabled = nullptr;
  wxWindow* m_trigger = nullptr;
  CRtfView* m_keysDescription = nullptr;
  std::unique_ptr<CVoiceKey> m_voiceKey;
  int m_threshold = 10;
  bool m_testing = false;
  std::chrono::steady_clock::time_point m_testEnd;
  int m_leftPercent = 0;
  int m_rightPercent = 0;
  wxTimer m_timer;
};

}  // namespace qel
