#include "admin/ui/MySysCfgPages.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <chrono>

#include "app/text/Languages.h"
#include "common/ui/WxText.h"
#include "engine/input/InputDevices.h"
#include "engine/sound/ResourceData.h"
#include "engine/sound/SoundDevices.h"
#include "engine/sound/SoundService.h"

namespace qel {

namespace {

constexpr int kTickMs = 1;
constexpr InputWindow kAnyWindow = 0;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

wxComboBox* NewDeviceCombo(wxWindow* parent, int id) {
  return new wxComboBox(parent, id, wxEmptyString, wxDefaultPosition, wxSize(300, -1), 0, nullptr, wxCB_READONLY);
}

// A device row: caption, combo, "Test".
wxSizer* DeviceRow(wxWindow* parent, const char* caption, wxComboBox* combo, wxButton* test) {
  auto* box = new wxStaticBoxSizer(wxVERTICAL, parent, caption);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(combo, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  row->Add(test, 0);
  box->Add(row, 0, wxEXPAND | wxALL, 5);
  return box;
}

}  // namespace

// ---- Sound -------------------------------------------------------------------------

CMySysCfgSnd::CMySysCfgSnd(CMySysCfg* sheet, wxWindow* parent) : CSysCfgPage(sheet, parent), m_timer(this, kTimerTest) {
  m_pDevice = NewDeviceCombo(this, kIdDevice);
  m_pTest = new wxButton(this, kIdTest, "Test");
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(DeviceRow(this, "Sound output device", m_pDevice, m_pTest), 0, wxEXPAND | wxALL, 5);
  SetSizer(top);

  const int count = OutputSoundDevices().Count();
  for (int i = 0; i < count; ++i) m_pDevice->Append(ToWx(GetSoundDeviceName(i)));
  if (Values().soundInd >= 0 && Values().soundInd < count) m_pDevice->SetSelection(Values().soundInd);
  if (count == 0) {
    m_pTest->Enable(false);
    m_pDevice->Enable(false);
  }
  Bind(wxEVT_COMBOBOX, &CMySysCfgSnd::OnDevice, this, kIdDevice);
  Bind(wxEVT_BUTTON, &CMySysCfgSnd::OnTest, this, kIdTest);
  Bind(wxEVT_TIMER, &CMySysCfgSnd::OnTimer, this);
}

CMySysCfgSnd::~CMySysCfgSnd() { StopTests(); }

void CMySysCfgSnd::StopTests() {
  if (m_testRunning) StopTest();
}

void CMySysCfgSnd::OnDevice(wxCommandEvent&) {
  const int i = m_pDevice->GetSelection();
  if (i >= 0 && i < OutputSoundDevices().Count()) Values().soundInd = i;
}

void CMySysCfgSnd::OnTest(wxCommandEvent&) {
  if (m_testRunning) {
    StopTest();
  } else {
    StartTest();
  }
}

void CMySysCfgSnd::StartTest() {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (!LoadResourceData(kTestSoundId, "WAVE", &data, &size, nullptr)) return;
  if (InitSoundOutput(Values().soundInd, this) != kSoundOk) return;
  if (LoadWaveImage(data, size) != kSoundOk || PlayCurrentSound(false) != kSoundOk) {
    FreeSoundOutput();
    return;
  }
  m_testRunning = true;
  m_endMs = NowMs() + kSoundTestMs;
  m_pTest->SetLabel("Stop");
  LockSheet(true);
  m_timer.Start(kTickMs);
}

void CMySysCfgSnd::StopTest() {
  m_timer.Stop();
  StopAndRewindSound();
  FreeSoundOutput();
  m_testRunning = false;
  m_pTest->SetLabel("Test");
  LockSheet(false);
}

void CMySysCfgSnd::TestTick() {
  if (m_testRunning && SoundTestOver(NowMs(), m_endMs, IsCurrentSoundPlaying())) StopTest();
}

void CMySysCfgSnd::OnTimer(wxTimerEvent&) { TestTick(); }

// ---- Feedback ----------------------------------------------------------------------

CMySysCfgFbk::CMySysCfgFbk(CMySysCfg* sheet, wxWindow* parent)
    : CSysCfgPage(sheet, parent), m_timer(this, kTimerEffect) {
  m_pDevice = NewDeviceCombo(this, kIdDevice);
  m_pTest = new wxButton(this, kIdTest, "Test");
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(DeviceRow(this, "Force feedback device", m_pDevice, m_pTest), 0, wxEXPAND | wxALL, 5);
  SetSizer(top);

  const int count = GetForceFeedbackCount();
  for (int i = 0; i < count; ++i) m_pDevice->Append(ToWx(GetForceFeedbackName(i)));
  if (Values().feedbackDevice >= 0 && Values().feedbackDevice < count) m_pDevice->SetSelection(Values().feedbackDevice);
  if (count == 0) {
    m_pTest->Enable(false);
    m_pDevice->Enable(false);
  }
  Bind(wxEVT_COMBOBOX, &CMySysCfgFbk::OnDevice, this, kIdDevice);
  Bind(wxEVT_BUTTON, &CMySysCfgFbk::OnTest, this, kIdTest);
  Bind(wxEVT_TIMER, &CMySysCfgFbk::OnTimer, this);
}

CMySysCfgFbk::~CMySysCfgFbk() { StopTests(); }

void CMySysCfgFbk::StopTests() {
  if (m_testRunning) StopTest();
}

void CMySysCfgFbk::OnDevice(wxCommandEvent&) {
  const int i = m_pDevice->GetSelection();
  if (i >= 0 && i < GetForceFeedbackCount()) Values().feedbackDevice = i;
}

void CMySysCfgFbk::OnTest(wxCommandEvent&) {
  if (m_testRunning) {
    StopTest();
    return;
  }
  if (CreateForceFeedback(kAnyWindow, Values().feedbackDevice) != kInputOk) return;
  if (StartForceFeedback() != kInputOk) {
    ReleaseForceFeedback();
    return;
  }
  // The effect plays for its time while the page stays answerable.
  m_testRunning = true;
  m_pTest->SetLabel("Stop");
  LockSheet(true);
  m_timer.StartOnce(kEffectMs);
}

void CMySysCfgFbk::StopTest() {
  m_timer.Stop();
  ReleaseForceFeedback();
  m_testRunning = false;
  m_pTest->SetLabel("Test");
  LockSheet(false);
}

void CMySysCfgFbk::OnTimer(wxTimerEvent&) { StopTests(); }

// ---- Options -----------------------------------------------------------------------

CMySysCfgOpt::CMySysCfgOpt(CMySysCfg* sheet, wxWindow* parent) : CSysCfgPage(sheet, parent) {
  m_pLanguage = new wxComboBox(this, kIdLanguage, wxEmptyString, wxDefaultPosition, wxSize(160, -1), 0, nullptr,
                               wxCB_READONLY);
  m_pHelpFile = new wxTextCtrl(this, kIdHelpFile, wxEmptyString, wxDefaultPosition, wxSize(200, -1), wxTE_READONLY);
  auto* protocol = new wxCheckBox(this, kIdProtocol, "Protocol of user actions");
  m_pSignalSync = new wxCheckBox(this, kIdSignalSync, "External sync on signal");

  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* language = new wxFlexGridSizer(2, 5, 8);
  language->Add(new wxStaticText(this, wxID_ANY, "Language"), 0, wxALIGN_CENTER_VERTICAL);
  language->Add(m_pLanguage, 0);
  language->Add(new wxStaticText(this, wxID_ANY, "Help file"), 0, wxALIGN_CENTER_VERTICAL);
  language->Add(m_pHelpFile, 1, wxEXPAND);
  top->Add(language, 0, wxEXPAND | wxALL, 8);
  top->Add(protocol, 0, wxALL, 8);
  top->Add(m_pSignalSync, 0, wxALL, 8);
  SetSizer(top);

  for (int i = 0; i < kLanguageCount && GetLanguageName(i); ++i) m_pLanguage->Append(GetLanguageName(i));
  if (Values().language >= 0 && Values().language < kLanguageCount) m_pLanguage->SetSelection(Values().language);
  protocol->Enable(false);
  m_pSignalSync->SetValue(Values().signalSync != 0);
  ShowHelpFile();

  Bind(wxEVT_COMBOBOX, &CMySysCfgOpt::OnLanguage, this, kIdLanguage);
  Bind(wxEVT_CHECKBOX, &CMySysCfgOpt::OnSignalSync, this, kIdSignalSync);
}

void CMySysCfgOpt::ShowHelpFile() { m_pHelpFile->ChangeValue(HelpFileNameFor(Values().language)); }

void CMySysCfgOpt::OnLanguage(wxCommandEvent&) {
  const int i = m_pLanguage->GetSelection();
  if (i < 0 || i >= kLanguageCount) return;
  Values().language = i;
  ShowHelpFile();
}

void CMySysCfgOpt::OnSignalSync(wxCommandEvent&) { Values().signalSync = m_pSignalSync->GetValue() ? 1 : 0; }

}  // namespace qel
