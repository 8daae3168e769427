// The "Sound", "Feedback" and "Options" pages of the "System Config" sheet:
// the sound output device with a test that plays the program's test sound
// on it, the force-feedback device with a test of its effect, and the
// language (with its help book) and external sync.
#pragma once

#include <wx/timer.h>

#include <cstdint>

#include "admin/ui/MySysCfg.h"

class wxButton;
class wxCheckBox;
class wxComboBox;
class wxTextCtrl;

namespace qel {

class CMySysCfgSnd : public CSysCfgPage {
 public:
  enum ControlId : int { kIdDevice = 1142, kIdTest = 1144 };
  enum TimerId : int { kTimerTest = 100 };
  static constexpr uint32_t kTestSoundId = 143;  // the WAVE resource the test plays

  CMySysCfgSnd(CMySysCfg* sheet, wxWindow* parent);
  ~CMySysCfgSnd() override;

  void StopTests() override;
  bool IsTestRunning() const { return m_testRunning; }
  // One tick of the test's timer.
  void TestTick();

 private:
  void OnDevice(wxCommandEvent& event);
  void OnTest(wxCommandEvent& event);
  void OnTimer(wxTimerEvent& event);
  void StartTest();
  void StopTest();

  wxComboBox* m_pDevice = nullptr;
  wxButton* m_pTest = nullptr;
  wxTimer m_timer;
  bool m_testRunning = false;
  int64_t m_endMs = 0;
};

class CMySysCfgFbk : public CSysCfgPage {
 public:
  enum ControlId : int { kIdDevice = 1145, kIdTest = 1146 };
  enum TimerId : int { kTimerEffect = 100 };
  static constexpr int kEffectMs = 2000;

  CMySysCfgFbk(CMySysCfg* sheet, wxWindow* parent);
  ~CMySysCfgFbk() override;

  void StopTests() override;
  bool IsTestRunning() const { return m_testRunning; }

 private:
  void OnDevice(wxCommandEvent& event);
  void OnTest(wxCommandEvent& event);
  void OnTimer(wxTimerEvent& event);
  void StopTest();

  wxComboBox* m_pDevice = nullptr;
  wxButton* m_pTest = nullptr;
  wxTimer m_timer;
  bool m_testRunning = false;
};

class CMySysCfgOpt : public CSysCfgPage {
 public:
  enum ControlId : int { kIdLanguage = 1351, kIdHelpFile = 1352, kIdProtocol = 1225, kIdSignalSync = 1226 };

  CMySysCfgOpt(CMySysCfg* sheet, wxWindow* parent);

 private:
  void OnLanguage(wxCommandEvent& event);
  void OnSignalSync(wxCommandEvent& event);
  void ShowHelpFile();

  wxComboBox* m_pLanguage = nullptr;
  wxTextCtrl* m_pHelpFile = nullptr;
  wxCheckBox* m_pSignalSync = nullptr;
};

}  // namespace qel
