// The run's real devices: the host's full-screen display and response
// device, the input device layer (X server keyboard and mouse, SDL pads),
// the SDL sound output and the voice key on the sound capture.
#pragma once

#include <memory>

#include "engine/run/KeyboardRunAdapter.h"
#include "engine/run/VoiceKeyRunAdapter.h"
#include "engine/rundlg/RunDevices.h"
#include "engine/rundlg/ui/HostPresentGate.h"
#include "engine/rundlg/ui/HostRunStamps.h"
#include "engine/sound/voicekey/VoiceKey.h"

namespace qel {

class CTaskHost;

// Opens the run's full screen on the display of that index, listing the
// displays first when nobody has yet. An index that names no display is
// told to the operator: the display library refuses it without a word.
bool OpenRunFullScreen(CTaskHost& host, int displayIndex);

// The operator's message for a display index that names no display.
constexpr const char* kRunDisplayMissing =
    "Display %d not found!\nChoose the run's display in the system configuration.";

class CHostRunDevices final : public IRunDevices {
 public:
  explicit CHostRunDevices(CTaskHost& host);
  ~CHostRunDevices() override;

  bool InitVoiceKey(int captureDevice) override;
  bool CreateFullScreen(int displayIndex) override;
  qel::InputWindow GetDeviceWindow() override;
  bool InitSoundOutput(int deviceIndex) override;
  bool CreateInput() override;
  bool OpenResponseDevice(qel::InputWindow window) override;
  bool AcquireKeyboard(qel::InputWindow window) override;
  bool AcquireMouse(qel::InputWindow window) override;

  void ReleaseMouse() override;
  void ReleaseKeyboard() override;
  void CloseResponseDevice() override;
  void ReleaseInput() override;
  void ReleaseSound() override;
  void ReleaseVoiceKey() override;
  void FreeDisplay() override;

  IRunKeyboard* Keyboard() override { return &m_keyboard; }
  IRunVoiceKey* VoiceKey() override { return &m_voiceKeyAdapter; }
  IRunStamps* Stamps(const CTimerMs& clock) override;
  IRunPresentGate* PresentGate(const CTimerMs& clock) override;

 private:
  CTaskHost& m_host;
  qel::CVoiceKey m_voiceKey;
  CVoiceKeyRunAdapter m_voiceKeyAdapter{m_voiceKey};
  CKeyboardRunAdapter m_keyboard;
  std::unique_ptr<CHostRunStamps> m_stamps;
  std::unique_ptr<CHostPresentGate> m_gate;
  bool m_soundOpen = false;
};

}  // namespace qel
