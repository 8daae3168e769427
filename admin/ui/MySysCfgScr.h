// The "Display" page: the display on which tasks are shown, with a test that
// shows a two-second full-screen picture on it (a white square of a sixth of
// the screen's height with a black 50-pixel square in its middle).
#pragma once

#include <wx/timer.h>

#include <cstdint>

#include "admin/ui/MySysCfg.h"
#include "display/ui/DDDisplay.h"

class wxButton;
class wxComboBox;
class wxStaticText;

namespace qel {

class CMySysCfgScr : public CSysCfgPage {
 public:
  enum ControlId : int {
    kIdTestGroup = 1038,
    kIdDisplayName = 1039,
    kIdStatus = 1040,
    kIdDevice = 1134,
    kIdTest = 1135,
    kIdResolution = 1151,
    kIdPixelBits = 1152,
    kIdVideoMode = 1155,
  };
  enum TimerId : int { kTimerTest = 100 };

  CMySysCfgScr(CMySysCfg* sheet, wxWindow* parent);
  ~CMySysCfgScr() override;

  void StopTests() override;
  bool IsTestRunning() const { return m_testRunning; }
  bool IsEnumerated() const { return m_enumerated; }
  // The chosen mode (0 for "Windows Mode" or nothing chosen).
  int ChosenWidth() const { return m_width; }
  int ChosenHeight() const { return m_height; }
  int ChosenBits() const { return m_bits; }
  CDDDisplay& Display() { return m_display; }
  // One tick of the test's timer.
  void TestTick();

 private:
  void OnDevice(wxCommandEvent& event);
  void OnResolution(wxCommandEvent& event);
  void OnPixelBits(wxCommandEvent& event);
  void OnVideoMode(wxCommandEvent& event);
  void OnTest(wxCommandEvent& event);
  void OnTimer(wxTimerEvent& event);
  void StartTest();
  void StopTest();
  void DrawTestPicture();

  CDDDisplay m_display;
  wxComboBox* m_pDevice = nullptr;
  wxComboBox* m_pResolution = nullptr;
  wxComboBox* m_pPixelBits = nullptr;
  wxComboBox* m_pVideoMode = nullptr;
  wxButton* m_pTest = nullptr;
  wxStaticText* m_pName = nullptr;
  wxStaticText* m_pStatus = nullptr;
  wxTimer m_timer;
  bool m_enumerated = false;
  bool m_testRunning = false;
  int64_t m_endMs = 0;
  int m_width = 0;
  int m_height = 0;
  int m_bits = 0;
};

}  // namespace qel
