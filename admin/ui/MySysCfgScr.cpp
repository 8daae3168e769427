#include "admin/ui/MySysCfgScr.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <chrono>

#include "common/ui/WxText.h"
#include "include/qel/DisplayInterface.h"

namespace qel {

namespace {

constexpr int kTickMs = 1;
constexpr uint32_t kFullScreenFlags = 0;  // the cursor is hidden
constexpr COLORREF kBlack = 0x00000000;
constexpr COLORREF kWhite = 0x00FFFFFF;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

wxComboBox* NewCombo(wxWindow* parent, int id, int width) {
  return new wxComboBox(parent, id, wxEmptyString, wxDefaultPosition, wxSize(width, -1), 0, nullptr, wxCB_READONLY);
}

}  // namespace

CMySysCfgScr::CMySysCfgScr(CMySysCfg* sheet, wxWindow* parent) : CSysCfgPage(sheet, parent), m_timer(this, kTimerTest) {
  m_pResolution = NewCombo(this, kIdResolution, 180);
  m_pPixelBits = NewCombo(this, kIdPixelBits, 180);
  m_pVideoMode = NewCombo(this, kIdVideoMode, 180);
  auto* group = new wxStaticBoxSizer(wxVERTICAL, this, "Display");
  group->GetStaticBox()->SetId(kIdTestGroup);
  m_pTest = new wxButton(group->GetStaticBox(), kIdTest, "Test");
  m_pName = new wxStaticText(group->GetStaticBox(), kIdDisplayName, wxEmptyString, wxDefaultPosition, wxSize(300, -1),
                             wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
  m_pStatus = new wxStaticText(group->GetStaticBox(), kIdStatus, wxEmptyString, wxDefaultPosition, wxSize(300, -1),
                               wxST_NO_AUTORESIZE);
  m_pDevice = NewCombo(group->GetStaticBox(), kIdDevice, 320);

  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(m_pDevice, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  row->Add(m_pTest, 0);
  group->Add(row, 0, wxEXPAND | wxALL, 5);
  group->Add(m_pName, 0, wxEXPAND | wxALL, 5);
  group->Add(m_pStatus, 0, wxEXPAND | wxALL, 5);

  auto* modes = new wxFlexGridSizer(2, 5, 8);
  modes->Add(new wxStaticText(this, wxID_ANY, "Video mode"), 0, wxALIGN_CENTER_VERTICAL);
  modes->Add(m_pVideoMode);
  modes->Add(new wxStaticText(this, wxID_ANY, "Resolution, pixels"), 0, wxALIGN_CENTER_VERTICAL);
  modes->Add(m_pResolution);
  modes->Add(new wxStaticText(this, wxID_ANY, "Pixel, bits"), 0, wxALIGN_CENTER_VERTICAL);
  modes->Add(m_pPixelBits);

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(group, 0, wxEXPAND | wxALL, 5);
  top->Add(modes, 0, wxALL, 8);
  SetSizer(top);

  Bind(wxEVT_COMBOBOX, &CMySysCfgScr::OnDevice, this, kIdDevice);
  Bind(wxEVT_COMBOBOX, &CMySysCfgScr::OnResolution, this, kIdResolution);
  Bind(wxEVT_COMBOBOX, &CMySysCfgScr::OnPixelBits, this, kIdPixelBits);
  Bind(wxEVT_COMBOBOX, &CMySysCfgScr::OnVideoMode, this, kIdVideoMode);
  Bind(wxEVT_BUTTON, &CMySysCfgScr::OnTest, this, kIdTest);
  Bind(wxEVT_TIMER, &CMySysCfgScr::OnTimer, this);

  m_enumerated = m_display.DisplayEnum();
  if (!m_enumerated) {
    m_pTest->Enable(false);
    m_pDevice->Enable(false);
    return;
  }
  for (int i = 0; i < m_display.GetDisplayNum(); ++i)
    m_pDevice->Append(ToWx(m_display.GetMonitorName(i) + " " + m_display.GetDisplayName(i)));
  const int index = Values().screenInd;
  if (index >= 0 && index < m_display.GetDisplayNum()) m_pDevice->SetSelection(index);
  m_pName->SetLabel(ToWx(m_display.GetDisplayName(index)));

  for (int i = 0; i < kResolutionCount; ++i) m_pResolution->Append(ResolutionText(i));
  m_pResolution->SetSelection(ResolutionEntryOfWidth(m_width));
  for (int i = 0; i < kPixelBitsCount; ++i) m_pPixelBits->Append(std::to_string(PixelBitsAt(i)));
  m_pPixelBits->SetSelection(PixelBitsEntryOf(m_bits));
  for (int i = 0; i < kVideoModeCount; ++i) m_pVideoMode->Append(VideoModeText(i));
  m_pVideoMode->SetSelection(VideoModeEntryOf(m_width, m_bits));
  m_width = m_height = m_bits = 0;
}

CMySysCfgScr::~CMySysCfgScr() { StopTests(); }

void CMySysCfgScr::StopTests() {
  if (m_testRunning) StopTest();
}

void CMySysCfgScr::OnDevice(wxCommandEvent&) {
  const int i = m_pDevice->GetSelection();
  if (i < 0 || i >= m_display.GetDisplayNum()) return;
  Values().screenInd = i;
  m_pName->SetLabel(ToWx(m_display.GetDisplayName(i)));
  m_pStatus->SetLabel(wxEmptyString);
}

void CMySysCfgScr::OnResolution(wxCommandEvent&) {
  const CVideoModeEntry r = ResolutionAt(m_pResolution->GetSelection());
  m_width = r.width;
  m_height = r.height;
}

void CMySysCfgScr::OnPixelBits(wxCommandEvent&) { m_bits = PixelBitsAt(m_pPixelBits->GetSelection()); }

void CMySysCfgScr::OnVideoMode(wxCommandEvent&) {
  const CVideoModeEntry m = VideoModeAt(m_pVideoMode->GetSelection());
  m_width = m.width;
  m_height = m.height;
  m_bits = m.bits;
}

void CMySysCfgScr::OnTest(wxCommandEvent&) {
  if (m_testRunning) {
    StopTest();
  } else {
    StartTest();
  }
}

void CMySysCfgScr::StartTest() {
  if (!m_display.CreateFullScreen(Values().screenInd, kFullScreenFlags)) return;
  DrawTestPicture();
  m_testRunning = true;
  m_endMs = NowMs() + kDisplayTestMs;
  m_pTest->SetLabel("Stop");
  LockSheet(true);
  m_timer.Start(kTickMs);
}

void CMySysCfgScr::DrawTestPicture() {
  const CTestSquares s = DisplayTestSquares(m_display.GetResolutionX(), m_display.GetResolutionY());
  m_display.SurfaceClear(kSurfaceBack, kBlack);
  if (CDC* dc = m_display.SurfaceGetDC(kSurfaceBack)) {
    dc->FillSolidRect(s.outerLeft, s.outerTop, s.outerSide, s.outerSide, kWhite);
    dc->FillSolidRect(s.innerLeft, s.innerTop, s.innerSide, s.innerSide, kBlack);
    m_display.SurfaceReleaseDC(kSurfaceBack, dc);
  }
  m_display.Present(true);
}

void CMySysCfgScr::StopTest() {
  m_timer.Stop();
  m_display.Free();
  m_testRunning = false;
  m_pTest->SetLabel("Test");
  LockSheet(false);
}

void CMySysCfgScr::TestTick() {
  if (m_testRunning && NowMs() >= m_endMs) StopTest();
}

void CMySysCfgScr::OnTimer(wxTimerEvent&) { TestTick(); }

}  // namespace qel
