// The "Button" page: which device gives the testee's response buttons
// (keyboard, mouse, game pad or joystick, and which one of its kind), with
// two live tests on the real input layer: the chosen device's raw state
// (keys, movement, buttons) and the response mask the run will read.
#pragma once

#include <wx/timer.h>

#include <array>
#include <memory>

#include "admin/SysCfgRules.h"
#include "admin/ui/MySysCfg.h"
#include "engine/input/ResponseDevice.h"

class wxButton;
class wxComboBox;
class wxRadioButton;
class wxStaticText;

namespace qel {

class CMySysCfgBtn : public CSysCfgPage {
 public:
  enum ControlId : int {
    kIdKeyboardRadio = 1025,
    kIdMouseRadio = 1026,
    kIdGamePadRadio = 1027,
    kIdJoystickRadio = 1034,
    kIdKeyboardCombo = 1029,
    kIdMouseCombo = 1028,
    kIdGamePadCombo = 1030,
    kIdJoystickCombo = 1035,
    kIdKeyboardTest = 1031,
    kIdMouseTest = 1032,
    kIdGamePadTest = 1033,
    kIdJoystickTest = 1036,
    kIdData = 1037,
    kIdResponseTest = 1038,
    kIdResponseName = 1039,
    kIdResponseMask = 1040,
  };
  enum TimerId : int { kTimerDevice = 100, kTimerResponse = 101 };

  CMySysCfgBtn(CMySysCfg* sheet, wxWindow* parent);
  ~CMySysCfgBtn() override;

  void StopTests() override;
  const CButtonPageState& State() const { return *m_state; }
  bool IsInputCreated() const { return m_inputCreated; }

  // One tick of each test's timer (the timers call them every millisecond).
  void DeviceTestTick();
  void ResponseTestTick();

 private:
  void ApplyType();
  void ShowDeviceTestCaption();
  void StoreChoice();
  void OnRadio(wxCommandEvent& event);
  void OnCombo(wxCommandEvent& event);
  void OnDeviceTest(wxCommandEvent& event);
  void OnResponseTest(wxCommandEvent& event);
  void OnTimer(wxTimerEvent& event);
  void StartDeviceTest();
  void StopDeviceTest();
  void StartResponseTest();
  void StopResponseTest();
  static void ReleaseDeviceOfType(int type);

  std::unique_ptr<CButtonPageState> m_state;
  bool m_inputCreated = false;
  std::array<wxRadioButton*, kDeviceTypeCount> m_radios{};
  std::array<wxComboBox*, kDeviceTypeCount> m_combos{};
  std::array<wxButton*, kDeviceTypeCount> m_tests{};
  wxStaticText* m_pData = nullptr;
  wxButton* m_pResponseTest = nullptr;
  wxStaticText* m_pResponseName = nullptr;
  wxStaticText* m_pResponseMask = nullptr;
  wxTimer m_deviceTimer;
  wxTimer m_responseTimer;
  CResponseDevice m_responseDevice;
  uint32_t m_lastMask = 0;
  bool m_maskShown = false;
};

}  // namespace qel
