#include "engine/timer/ui/DlgTimerStatus.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace qel {

namespace {
constexpr const char* kLabels[8] = {
    "Beats:", "Elapsed (ms):", "Late beats:", "Largest gap (ms):", "Idle:", "Busy:", "Overlapped:", "Load (%):",
};
constexpr const char* kRealTimeLabel = "Real-time scheduling:";
constexpr const char* kRealTimeOn = "on";
constexpr const char* kRealTimeOff = "off";
}  // namespace

CDlgTimerStatus::CDlgTimerStatus(wxWindow* parent, const CTimerMs& timer)
    : wxDialog(parent, wxID_ANY, "Timer Status"), m_sampler(timer), m_refresh(this, kTimerId) {
  auto* grid = new wxFlexGridSizer(2, wxSize(12, 4));
  grid->AddGrowableCol(1);
  for (int i = 0; i < 8; ++i) {
    grid->Add(new wxStaticText(this, wxID_ANY, kLabels[i]), 0, wxALIGN_CENTER_VERTICAL);
    m_fields[i] = new wxStaticText(this, kIdBeats + i, "0", wxDefaultPosition, wxSize(90, -1),
                                   wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    grid->Add(m_fields[i], 0, wxEXPAND | wxALIGN_CENTER_VERTICAL);
  }
  grid->Add(new wxStaticText(this, wxID_ANY, kRealTimeLabel), 0, wxALIGN_CENTER_VERTICAL);
  m_realTime = new wxStaticText(this, kIdRealTime, kRealTimeOff, wxDefaultPosition, wxSize(90, -1),
                                wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
  grid->Add(m_realTime, 0, wxEXPAND | wxALIGN_CENTER_VERTICAL);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 1, wxEXPAND | wxALL, 10);
  top->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALIGN_CENTER | wxBOTTOM, 10);
  SetSizerAndFit(top);

  Bind(wxEVT_TIMER, &CDlgTimerStatus::OnRefreshTimer, this, kTimerId);
  SampleNow();
  m_refresh.Start(kRefreshMs);
}

CDlgTimerStatus::~CDlgTimerStatus() { m_refresh.Stop(); }

void CDlgTimerStatus::OnRefreshTimer(wxTimerEvent&) { SampleNow(); }

void CDlgTimerStatus::SampleNow() {
  m_sampler.Sample();
  ShowFigures();
}

void CDlgTimerStatus::ShowFigures() {
  const TimerStatusFigures& f = m_sampler.Figures();
  const uint32_t values[8] = {f.beats, f.elapsedMs, f.lateBeats,  f.largestGapMs,
                              f.idle,  f.busy,      f.overlapped, f.loadPercent};
  for (int i = 0; i < 8; ++i) {
    const wxString text = wxString::Format("%u", values[i]);
    if (m_fields[i]->GetLabel() != text) m_fields[i]->SetLabel(text);
  }
  const wxString realTime = f.realTime ? kRealTimeOn : kRealTimeOff;
  if (m_realTime->GetLabel() != realTime) m_realTime->SetLabel(realTime);
}

}  // namespace qel
