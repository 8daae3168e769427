#include "admin/ui/MySysCfgBtn.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <string>

#include "common/ui/WxText.h"
#include "engine/input/InputDevices.h"

namespace qel {

namespace {

constexpr int kTickMs = 1;
constexpr InputWindow kAnyWindow = 0;  // the input layer reads the whole X display

struct TypeControls {
  int radio;
  int combo;
  int test;
  const char* caption;
};

// Per type, in the order keyboard, mouse, game pad, joystick.
constexpr TypeControls kTypes[kDeviceTypeCount] = {
    {CMySysCfgBtn::kIdKeyboardRadio, CMySysCfgBtn::kIdKeyboardCombo, CMySysCfgBtn::kIdKeyboardTest, "Keyboard"},
    {CMySysCfgBtn::kIdMouseRadio, CMySysCfgBtn::kIdMouseCombo, CMySysCfgBtn::kIdMouseTest, "Mouse"},
    {CMySysCfgBtn::kIdGamePadRadio, CMySysCfgBtn::kIdGamePadCombo, CMySysCfgBtn::kIdGamePadTest, "Game Pad"},
    {CMySysCfgBtn::kIdJoystickRadio, CMySysCfgBtn::kIdJoystickCombo, CMySysCfgBtn::kIdJoystickTest, "Joystick"},
};

int DeviceCountOf(int type) {
  switch (type) {
    case kButtonTypeKeyboard: return GetKeyboardCount();
    case kButtonTypeMouse: return GetMouseCount();
    case kButtonTypeGamePad: return GetGamePadCount();
    case kButtonTypeJoystick: return GetJoystickCount();
    default: return 0;
  }
}

std::string DeviceNameOf(int type, int index) {
  switch (type) {
    case kButtonTypeKeyboard: return GetKeyboardName(index);
    case kButtonTypeMouse: return GetMouseName(index);
    case kButtonTypeGamePad: return GetGamePadName(index);
    case kButtonTypeJoystick: return GetJoystickName(index);
    default: return {};
  }
}

InputResult AcquireDeviceOfType(int type, int index) {
  switch (type) {
    case kButtonTypeKeyboard: return AcquireKeyboard(kAnyWindow, index);
    case kButtonTypeMouse: return AcquireMouse(kAnyWindow, index);
    case kButtonTypeGamePad: return AcquireGamePad(kAnyWindow, index);
    case kButtonTypeJoystick: return AcquireJoystick(kAnyWindow, index);
    default: return kInputRefused;
  }
}

// The data text of one read of the device under test.
std::string ReadDeviceText(int type) {
  switch (type) {
    case kButtonTypeKeyboard: {
      uint8_t keys[kKeyboardStateSize] = {};
      ReadKeyboard(keys);
      return FormatKeyboardData(keys, kKeyboardStateSize);
    }
    case kButtonTypeMouse: {
      MouseState mouse;
      ReadMouse(&mouse);
      return FormatMouseData(mouse);
    }
    case kButtonTypeGamePad:
    case kButtonTypeJoystick: {
      JoystickState pad;
      if (type == kButtonTypeGamePad) {
        ReadGamePad(&pad);
      } else {
        ReadJoystick(&pad);
      }
      return FormatPadData(pad);
    }
    default: return {};
  }
}

std::array<int, kDeviceTypeCount> ListedCounts() {
  std::array<int, kDeviceTypeCount> counts{};
  for (int t = 0; t < kDeviceTypeCount; ++t) counts[static_cast<size_t>(t)] = DeviceCountOf(t);
  return counts;
}

}  // namespace

CMySysCfgBtn::CMySysCfgBtn(CMySysCfg* sheet, wxWindow* parent)
    : CSysCfgPage(sheet, parent), m_deviceTimer(this, kTimerDevice), m_responseTimer(this, kTimerResponse) {
  m_state = std::make_unique<CButtonPageState>(ListedCounts(), Values().buttonType, Values().buttonInd);

  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* devices = new wxStaticBoxSizer(wxVERTICAL, this, "Response device");
  auto* grid = new wxFlexGridSizer(3, 5, 8);
  grid->AddGrowableCol(1);
  for (int t = 0; t < kDeviceTypeCount; ++t) {
    const auto i = static_cast<size_t>(t);
    m_radios[i] = new wxRadioButton(devices->GetStaticBox(), kTypes[t].radio, kTypes[t].caption, wxDefaultPosition,
                                    wxDefaultSize, t == 0 ? wxRB_GROUP : 0);
    m_combos[i] = new wxComboBox(devices->GetStaticBox(), kTypes[t].combo, wxEmptyString, wxDefaultPosition,
                                 wxSize(260, -1), 0, nullptr, wxCB_READONLY);
    m_tests[i] = new wxButton(devices->GetStaticBox(), kTypes[t].test, "Test");
    grid->Add(m_radios[i], 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_combos[i], 1, wxEXPAND);
    grid->Add(m_tests[i], 0);
  }
  devices->Add(grid, 0, wxEXPAND | wxALL, 5);
  m_pData = new wxStaticText(devices->GetStaticBox(), kIdData, wxEmptyString, wxDefaultPosition, wxSize(-1, 20),
                             wxST_NO_AUTORESIZE);
  devices->Add(m_pData, 0, wxEXPAND | wxALL, 5);
  top->Add(devices, 0, wxEXPAND | wxALL, 5);

  auto* response = new wxStaticBoxSizer(wxHORIZONTAL, this, "Response buttons");
  m_pResponseTest = new wxButton(response->GetStaticBox(), kIdResponseTest, "Test");
  m_pResponseName = new wxStaticText(response->GetStaticBox(), kIdResponseName, wxEmptyString, wxDefaultPosition,
                                     wxSize(220, -1), wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
  m_pResponseMask = new wxStaticText(response->GetStaticBox(), kIdResponseMask, wxEmptyString, wxDefaultPosition,
                                     wxSize(60, -1), wxST_NO_AUTORESIZE);
  response->Add(m_pResponseTest, 0, wxALL, 5);
  response->Add(m_pResponseName, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
  response->Add(m_pResponseMask, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
  top->Add(response, 0, wxEXPAND | wxALL, 5);
  SetSizer(top);

  m_radios[static_cast<size_t>(m_state->Type())]->SetValue(true);
  ApplyType();

  // The device system of the tests; its own failure message is shown.
  m_inputCreated = CreateDirectInput() == kInputOk;
  if (m_inputCreated) {
    for (int t = 0; t < kDeviceTypeCount; ++t) {
      wxComboBox* combo = m_combos[static_cast<size_t>(t)];
      combo->Clear();
      const int count = m_state->DeviceCount(t);
      for (int d = 0; d < count; ++d) combo->Append(ToWx(DeviceNameOf(t, d)));
      if (count > 0 && m_state->SelectedIndex(t) < count) combo->SetSelection(m_state->SelectedIndex(t));
    }
  }

  for (int t = 0; t < kDeviceTypeCount; ++t) {
    Bind(wxEVT_RADIOBUTTON, &CMySysCfgBtn::OnRadio, this, kTypes[t].radio);
    Bind(wxEVT_COMBOBOX, &CMySysCfgBtn::OnCombo, this, kTypes[t].combo);
    Bind(wxEVT_BUTTON, &CMySysCfgBtn::OnDeviceTest, this, kTypes[t].test);
  }
  Bind(wxEVT_BUTTON, &CMySysCfgBtn::OnResponseTest, this, kIdResponseTest);
  Bind(wxEVT_TIMER, &CMySysCfgBtn::OnTimer, this);
}

CMySysCfgBtn::~CMySysCfgBtn() {
  StopTests();
  if (m_inputCreated) ReleaseDirectInput();
}

void CMySysCfgBtn::StopTests() {
  if (m_state->DeviceTestRunning()) StopDeviceTest();
  if (m_state->ResponseTestRunning()) StopResponseTest();
}

void CMySysCfgBtn::StoreChoice() {
  Values().buttonType = m_state->Type();
  Values().buttonInd = m_state->Index();
}

void CMySysCfgBtn::ApplyType() {
  const CButtonPageEnables e = m_state->Enables();
  for (size_t i = 0; i < kDeviceTypeCount; ++i) {
    m_radios[i]->Enable(e.radio[i]);
    m_combos[i]->Enable(e.combo[i]);
    m_tests[i]->Enable(e.test[i]);
  }
  m_pResponseTest->Enable(e.responseTest);
  LockSheet(!e.tabs);
}

void CMySysCfgBtn::ShowDeviceTestCaption() {
  m_tests[static_cast<size_t>(m_state->Type())]->SetLabel(m_state->DeviceTestRunning() ? "Stop" : "Test");
  m_pData->SetLabel(wxEmptyString);
}

void CMySysCfgBtn::OnRadio(wxCommandEvent& event) {
  for (int t = 0; t < kDeviceTypeCount; ++t) {
    if (kTypes[t].radio == event.GetId()) m_state->ChooseType(t);
  }
  StoreChoice();
  ApplyType();
}

void CMySysCfgBtn::OnCombo(wxCommandEvent& event) {
  for (int t = 0; t < kDeviceTypeCount; ++t) {
    if (kTypes[t].combo != event.GetId()) continue;
    ReleaseDeviceOfType(t);
    m_state->ChooseDevice(t, m_combos[static_cast<size_t>(t)]->GetSelection());
  }
  StoreChoice();
}

void CMySysCfgBtn::ReleaseDeviceOfType(int type) {
  switch (type) {
    case kButtonTypeKeyboard: qel::ReleaseKeyboard(); break;
    case kButtonTypeMouse: qel::ReleaseMouse(); break;
    case kButtonTypeGamePad: qel::ReleaseGamePad(); break;
    case kButtonTypeJoystick: qel::ReleaseJoystick(); break;
    default: break;
  }
}

void CMySysCfgBtn::OnDeviceTest(wxCommandEvent&) {
  if (m_state->DeviceTestRunning()) {
    StopDeviceTest();
  } else {
    StartDeviceTest();
  }
}

void CMySysCfgBtn::StartDeviceTest() {
  if (!m_inputCreated) return;
  if (AcquireDeviceOfType(m_state->Type(), m_state->Index()) != kInputOk) return;
  if (!m_state->StartDeviceTest()) return;
  ShowDeviceTestCaption();
  ApplyType();
  m_deviceTimer.Start(kTickMs);
}

void CMySysCfgBtn::StopDeviceTest() {
  m_deviceTimer.Stop();
  m_state->StopDeviceTest();
  ShowDeviceTestCaption();
  ApplyType();
  ReleaseDeviceOfType(m_state->Type());
}

void CMySysCfgBtn::DeviceTestTick() {
  if (!m_state->DeviceTestRunning()) return;
  const wxString text = ToWx(ReadDeviceText(m_state->Type()));
  if (text != m_pData->GetLabel()) m_pData->SetLabel(text);
}

void CMySysCfgBtn::OnResponseTest(wxCommandEvent&) {
  if (m_state->ResponseTestRunning()) {
    StopResponseTest();
  } else {
    StartResponseTest();
  }
}

void CMySysCfgBtn::StartResponseTest() {
  if (!m_inputCreated || !m_state->ControlsEnabled()) return;
  if (!m_responseDevice.Select(static_cast<unsigned>(m_state->Type()), m_state->Index())) return;
  if (!m_responseDevice.Acquire(kAnyWindow)) return;
  m_state->StartResponseTest();
  ApplyType();
  m_pData->SetLabel(wxEmptyString);
  m_pResponseTest->SetLabel("Stop");
  m_pResponseName->SetLabel(ToWx(m_responseDevice.GetName()));
  m_maskShown = false;
  m_responseTimer.Start(kTickMs);
}

void CMySysCfgBtn::StopResponseTest() {
  m_responseTimer.Stop();
  m_state->StopResponseTest();
  ApplyType();
  m_pData->SetLabel(wxEmptyString);
  m_pResponseTest->SetLabel("Test");
  m_pResponseName->SetLabel(wxEmptyString);
  m_pResponseMask->SetLabel(wxEmptyString);
  m_responseDevice.Release();
}

void CMySysCfgBtn::ResponseTestTick() {
  if (!m_state->ResponseTestRunning()) return;
  const uint32_t mask = m_responseDevice.ReadMask();
  if (m_maskShown && mask == m_lastMask) return;
  m_lastMask = mask;
  m_maskShown = true;
  m_pResponseMask->SetLabel(FormatResponseMask(mask));
}

void CMySysCfgBtn::OnTimer(wxTimerEvent& event) {
  if (event.GetId() == kTimerDevice) DeviceTestTick();
  if (event.GetId() == kTimerResponse) ResponseTestTick();
}

}  // namespace qel
