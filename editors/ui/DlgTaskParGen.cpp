#include "editors/ui/DlgTaskParGen.h"

#include <wx/button.h>
#include <algorithm>
#include <wx/checkbox.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/model/ExpModelTask.h"
#include "editors/GeneralPageRules.h"
#include "editors/TaskTextHelpers.h"
#include "editors/EditorRuns.h"
#include "editors/ui/EditorServices.h"
#include "editors/ui/RtfView.h"
#include "engine/sound/voicekey/VoiceKey.h"

namespace qel {

namespace {
const wxColour kMeterColour(0xBF, 0xBF, 0xBF);
const wxColour kTriggerColour(0xFF, 0x00, 0x00);
constexpr int kLeftChannel = 0;
constexpr int kRightChannel = 1;
constexpr uint32_t kLeftTrigger = 1;
constexpr uint32_t kRightTrigger = 2;

wxTextCtrl* ReadOnly(wxWindow* parent, int id, int width) {
  return new wxTextCtrl(parent, id, "", wxDefaultPosition, wxSize(width, -1), wxTE_READONLY);
}
}  // namespace

CDlgTaskParGen::CDlgTaskParGen(wxWindow* parent, const EditorServices& services)
    : CDlgTaskParPage(parent, services), m_voiceKey(std::make_unique<CVoiceKey>()), m_timer(this, kVoiceTimerId) {
  auto* top = new wxBoxSizer(wxVERTICAL);

  auto* idBox = new wxStaticBoxSizer(wxVERTICAL, this, "Task");
  idBox->GetStaticBox()->SetId(kIdTaskLabel);
  auto* idRow = new wxBoxSizer(wxHORIZONTAL);
  idRow->Add(ReadOnly(idBox->GetStaticBox(), kIdCode, 60), 0, wxRIGHT, 4);
  idRow->Add(ReadOnly(idBox->GetStaticBox(), kIdName, 260), 1);
  idBox->Add(idRow, 0, wxEXPAND | wxALL, 2);
  auto* versionRow = new wxBoxSizer(wxHORIZONTAL);
  versionRow->Add(new wxStaticText(idBox->GetStaticBox(), kIdVersionLabel, "Version"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  versionRow->Add(ReadOnly(idBox->GetStaticBox(), kIdVersion, 40), 0);
  m_versionSpin = new wxSpinButton(idBox->GetStaticBox(), kIdVersionSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  m_versionSpin->SetRange(-1000, 1000);
  versionRow->Add(m_versionSpin, 0, wxRIGHT, 4);
  versionRow->Add(new wxStaticText(idBox->GetStaticBox(), kIdVersionCount, "", wxDefaultPosition, wxSize(60, -1)), 0,
                  wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  versionRow->Add(ReadOnly(idBox->GetStaticBox(), kIdVersionName, 200), 1);
  idBox->Add(versionRow, 0, wxEXPAND | wxALL, 2);
  top->Add(idBox, 0, wxEXPAND | wxALL, 4);

  auto* typeBox = new wxStaticBoxSizer(wxVERTICAL, this, "Type");
  typeBox->GetStaticBox()->SetId(kIdTypeLabel);
  auto* typeRow = new wxBoxSizer(wxHORIZONTAL);
  typeRow->Add(ReadOnly(typeBox->GetStaticBox(), kIdType, 200), 0, wxRIGHT, 4);
  typeRow->Add(ReadOnly(typeBox->GetStaticBox(), kIdKeys, 220), 1);
  typeBox->Add(typeRow, 0, wxEXPAND | wxALL, 2);
  m_keysDescription = new CRtfView(typeBox->GetStaticBox(), kIdKeysDescription, wxSize(-1, 90));
  typeBox->Add(m_keysDescription, 1, wxEXPAND | wxALL, 2);
  m_spaceBar = new wxCheckBox(typeBox->GetStaticBox(), kIdSpaceBar, "Use SPACE BAR instead of usual button keys");
  typeBox->Add(m_spaceBar, 0, wxALL, 2);
  top->Add(typeBox, 1, wxEXPAND | wxALL, 4);

  auto* voiceRow = new wxBoxSizer(wxHORIZONTAL);
  m_voiceEnabled = new wxCheckBox(this, kIdVoiceEnabled, "Enable voice");
  voiceRow->Add(m_voiceEnabled, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  voiceRow->Add(new wxStaticText(this, kIdThresholdLabel, "Voice threshold, %"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  m_thresholdSlider = new wxSlider(this, kIdThreshold, kThresholdMin, kThresholdMin, kThresholdMax, wxDefaultPosition,
                                   wxSize(140, -1), wxSL_HORIZONTAL | wxSL_AUTOTICKS);
  m_thresholdSlider->SetTickFreq(kThresholdTick);
  voiceRow->Add(m_thresholdSlider, 0, wxRIGHT, 4);
  voiceRow->Add(new wxStaticText(this, kIdThresholdText, "10", wxDefaultPosition, wxSize(30, -1)), 0,
                wxALIGN_CENTER_VERTICAL);
  top->Add(voiceRow, 0, wxEXPAND | wxALL, 4);

  auto* testRow = new wxBoxSizer(wxHORIZONTAL);
  testRow->Add(new wxButton(this, kIdTestVoice, "Test voice ->"), 0, wxRIGHT, 6);
  m_trigger = new wxPanel(this, kIdTrigger, wxDefaultPosition, wxSize(16, 16), wxBORDER_SIMPLE);
  m_trigger->SetBackgroundColour(kMeterColour);
  testRow->Add(m_trigger, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  auto* meters = new wxFlexGridSizer(2, 2, 2, 4);
  const int meterIds[2] = {kIdLeftMeter, kIdRightMeter};
  const int levelIds[2] = {kIdLeftLevel, kIdRightLevel};
  for (int ch = 0; ch < 2; ++ch) {
    m_meters[ch] = new wxGauge(this, meterIds[ch], 100, wxDefaultPosition, wxSize(180, 12));
    m_meters[ch]->SetBackgroundColour(kMeterColour);
    meters->Add(m_meters[ch], 0, wxALIGN_CENTER_VERTICAL);
    meters->Add(new wxStaticText(this, levelIds[ch], "0", wxDefaultPosition, wxSize(30, -1)));
  }
  testRow->Add(meters, 0);
  top->Add(testRow, 0, wxEXPAND | wxALL, 4);
  SetSizer(top);

  m_versionSpin->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent& e) { StepVersion(-1); e.Veto(); });
  m_versionSpin->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent& e) { StepVersion(1); e.Veto(); });
  m_thresholdSlider->Bind(wxEVT_SCROLL_CHANGED, [this](wxScrollEvent& e) { MoveThreshold(kScrollThumbPosition, e.GetPosition()); });
  m_thresholdSlider->Bind(wxEVT_SCROLL_THUMBTRACK, [this](wxScrollEvent& e) { MoveThreshold(kScrollThumbTrack, e.GetPosition()); });
  m_thresholdSlider->Bind(wxEVT_SCROLL_LINEUP, [this](wxScrollEvent& e) { MoveThreshold(kScrollLineUp, e.GetPosition()); });
  m_thresholdSlider->Bind(wxEVT_SCROLL_LINEDOWN, [this](wxScrollEvent& e) { MoveThreshold(kScrollLineDown, e.GetPosition()); });
  m_thresholdSlider->Bind(wxEVT_SCROLL_PAGEUP, [this](wxScrollEvent& e) { MoveThreshold(kScrollPageUp, e.GetPosition()); });
  m_thresholdSlider->Bind(wxEVT_SCROLL_PAGEDOWN, [this](wxScrollEvent& e) { MoveThreshold(kScrollPageDown, e.GetPosition()); });
  m_spaceBar->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { SetSpaceBar(e.IsChecked()); });
  m_voiceEnabled->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { SetVoiceEnabled(e.IsChecked()); });
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTestVoice(); }, kIdTestVoice);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnVoiceTick(); }, kVoiceTimerId);

  struct Tip {
    int id;
    const char* text;
  } tips[] = {{kIdCode, "Task Id"},
              {kIdName, "Task Name"},
              {kIdVersion, "Current task version"},
              {kIdType, "Number of working keys for task)"},
              {kIdVersionSpin, "Select task version"},
              {kIdVersionCount, "Number of task versions available"},
              {kIdVersionName, "Name of current task version"},
              {kIdKeys, "Keys mapping for task"},
              {kIdThreshold, "Voice key threshold level control"},
              {kIdThresholdLabel, "Voice key threshold level control"},
              {kIdThresholdText, "Currently selected threshold level when voice key triggers"},
              {kIdTestVoice, "Test voice key"},
              {kIdLeftMeter, "Real time level of left channel sound"},
              {kIdLeftLevel, "Real time level of left channel sound"},
              {kIdRightMeter, "Real time level of right channel sound"},
              {kIdRightLevel, "Real time level of right channel sound"},
              {kIdTrigger, "Real time indicator when voice key triggers"},
              {kIdVoiceEnabled, "Enable/disable voice key"},
              {kIdKeysDescription, "Task type description"}};
  for (const Tip& t : tips) {
    if (wxWindow* w = FindWindow(t.id)) w->SetToolTip(t.text);
  }
}

CDlgTaskParGen::~CDlgTaskParGen() {
  m_timer.Stop();
  m_voiceKey->Close();
}

void CDlgTaskParGen::UpdatePage() {
  CDlgTaskParPage::UpdatePage();
  std::string name, code, versionName, countText, typeText, keysText;
  uint32_t version = 0;
  bool multiVersion = false, voiceShown = false, voiceOn = false, spaceBarShown = false;
  bool spaceBar = false, voiceEnabled = false;
  if (m_task) {
    const bool bound = m_task->IsLibraryLoaded();
    const int n = m_task->GetVersionCount();
    multiVersion = bound && n >= 2;
    if (n > 1) countText = "from " + std::to_string(n);
    name = m_task->TaskName;
    code = m_task->TaskIdStr;
    version = m_task->w.TaskVersion;
    versionName = bound ? m_task->GetVersionName(static_cast<int>(version)) : "<TASK NOT AVAILABLE>";
    const uint32_t sss = m_task->w.TaskSSS;
    spaceBar = (sss & kSssKeyboardResponses) != 0;
    voiceEnabled = (sss & kSssVoiceKeyOption) != 0;
    const bool voiceTask = (m_task->w.TaskFlags & kTaskFlagVoiceKey) != 0;
    voiceShown = bound && voiceTask;
    voiceOn = voiceShown && voiceEnabled;
    typeText = WorkingKeysText(m_task->w.TaskType, m_task->w.TaskFlags);
    keysText = KeysMappingWords(m_task->w.TaskType, m_task->w.TaskFlags);
    spaceBarShown = OffersSpaceBar(m_task->w.TaskType, m_task->w.TaskFlags);
    m_threshold = ShownThreshold(sss);
    m_thresholdSlider->SetValue(m_threshold);
    SetText(kIdThresholdText, std::to_string(m_threshold));
    m_voiceKey->SetThreshold(m_threshold);
  }
  SetText(kIdName, name);
  SetText(kIdCode, code);
  SetText(kIdVersion, std::to_string(version));
  SetText(kIdVersionName, versionName);
  SetText(kIdVersionCount, countText);
  SetText(kIdType, typeText);
  SetText(kIdKeys, keysText);
  m_keysDescription->SetRtf(GetKeysMappingText(m_task, EditorLanguage(), [this](uint32_t id) { return LoadText(id); }));
  m_spaceBar->SetValue(spaceBar);
  m_voiceEnabled->SetValue(voiceEnabled);

  ShowControl(kIdSpaceBar, spaceBarShown);
  EnableControl(kIdSpaceBar, IsEditable());
  ShowControl(kIdVersionSpin, multiVersion && IsEditable());
  ShowControl(kIdVersionCount, multiVersion);
  for (int id : {kIdThresholdLabel, kIdThreshold, kIdThresholdText, kIdTestVoice, kIdLeftLevel, kIdRightLevel,
                 kIdLeftMeter, kIdRightMeter, kIdVoiceEnabled, kIdTrigger}) {
    ShowControl(id, voiceShown);
  }
  SetText(kIdTestVoice, m_testing ? "Stop test ->" : "Test voice ->");
  EnableControl(kIdVoiceEnabled, !m_testing && IsEditable());
  EnableControl(kIdThreshold, (m_testing || voiceOn) && IsEditable());
  EnableControl(kIdTestVoice, m_testing || voiceOn);
  if (!voiceOn) StopVoiceTest();
  Layout();
}

void CDlgTaskParGen::StepVersion(int delta) {
  if (!m_task || !IsEditable()) return;
  const uint32_t stepped = SteppedVersion(m_task->w.TaskVersion, delta, m_task->GetVersionCount());
  if (stepped == m_task->w.TaskVersion) return;
  m_task->w.TaskVersion = stepped;
  Edited();
}

void CDlgTaskParGen::MoveThreshold(int scrollCode, int position) {
  if (!m_task || !IsEditable()) return;
  if (!ThresholdMoveTaken(scrollCode, position, m_threshold)) return;
  if (position == m_threshold) return;
  m_threshold = position;
  m_task->SetVoiceKeyThreshold(static_cast<uint8_t>(position));
  Edited();
}

void CDlgTaskParGen::SetSpaceBar(bool on) {
  if (!m_task || !IsEditable()) return;
  SetSssBit(m_task->w, kSssKeyboardResponses, on);
  Edited();
}

void CDlgTaskParGen::SetVoiceEnabled(bool on) {
  if (!m_task || !IsEditable()) return;
  SetSssBit(m_task->w, kSssVoiceKeyOption, on);
  Edited();
}

void CDlgTaskParGen::OnTestVoice() {
  if (m_testing) {
    StopVoiceTest();
    UpdatePage();
    return;
  }
  m_voiceKey->SetThreshold(m_threshold);
  if (!m_voiceKey->InitAndStart(m_services.captureDevice)) {
    m_voiceKey->Close();
    return;
  }
  m_testEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(kVoiceTestLengthMs);
  m_timer.Start(kVoiceTimerMs);
  m_testing = true;
  SaveOwnerEnable();
  SetOwnerEnable(false);
  UpdatePage();
}

void CDlgTaskParGen::OnVoiceTick() {
  if (!m_testing) return;
  const bool runActive = m_services.runs && m_services.runs->IsRunActive();
  if (!runActive && std::chrono::steady_clock::now() <= m_testEnd) {
    ShowLevels(m_voiceKey->Level(kLeftChannel), m_voiceKey->Level(kRightChannel), m_voiceKey->Bits());
    return;
  }
  StopVoiceTest();
  UpdatePage();
}

void CDlgTaskParGen::ShowLevels(int left, int right, uint32_t bits) {
  m_leftPercent = LevelPercent(left);
  m_rightPercent = LevelPercent(right);
  m_meters[kLeftChannel]->SetBackgroundColour((bits & kLeftTrigger) ? kTriggerColour : kMeterColour);
  m_meters[kRightChannel]->SetBackgroundColour((bits & kRightTrigger) ? kTriggerColour : kMeterColour);
  m_trigger->SetBackgroundColour((bits & (kLeftTrigger | kRightTrigger)) ? kTriggerColour : kMeterColour);
  m_trigger->Refresh();
  m_meters[kLeftChannel]->SetValue(std::clamp(m_leftPercent, 0, 100));
  m_meters[kRightChannel]->SetValue(std::clamp(m_rightPercent, 0, 100));
  SetText(kIdLeftLevel, std::to_string(m_leftPercent));
  SetText(kIdRightLevel, std::to_string(m_rightPercent));
}

void CDlgTaskParGen::StopVoiceTest() {
  if (!m_testing) return;
  m_testing = false;
  m_timer.Stop();
  m_voiceKey->Close();
  m_trigger->SetBackgroundColour(kMeterColour);
  m_trigger->Refresh();
  SetText(kIdLeftLevel, "");
  SetText(kIdRightLevel, "");
  for (wxGauge* meter : m_meters) {
    meter->SetBackgroundColour(kMeterColour);
    meter->SetValue(0);
  }
  RestoreOwnerEnable();
}

std::string CDlgTaskParGen::KeysDescription() const { return m_keysDescription->GetRtf(); }

}  // namespace qel
