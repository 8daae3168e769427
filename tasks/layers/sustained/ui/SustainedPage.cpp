#include "tasks/layers/sustained/ui/SustainedPage.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace qel {

namespace {

constexpr int kEditWidth = 60;

void AddReadOnlyEdit(wxWindow* panel, wxFlexGridSizer* grid, int id, const char* label) {
  grid->Add(new wxStaticText(panel, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(new wxTextCtrl(panel, id, "", wxDefaultPosition, wxSize(kEditWidth, -1), wxTE_READONLY), 0,
            wxALIGN_CENTER_VERTICAL);
}

}  // namespace

void CSustainedPage::SetLengths(unsigned seriesLength, unsigned taskLength) {
  m_seriesLength = seriesLength;
  m_taskLength = taskLength;
  if (GetWindow()) RefreshControls();
}

void CSustainedPage::AddSeriesControls(wxWindow* panel, wxSizer* sizer, int seriesLengthId, int taskLengthId) {
  auto* show = new wxCheckBox(panel, kIdShowSeries, "Show current series No.");
  sizer->Add(show, 0, wxALL, 6);
  show->Bind(wxEVT_CHECKBOX, &CSustainedPage::OnShowSeries, this);
  m_seriesLengthId = seriesLengthId;
  m_taskLengthId = taskLengthId;
  if (seriesLengthId == 0 || taskLengthId == 0) return;
  auto* grid = new wxFlexGridSizer(2, 4, 8);
  AddReadOnlyEdit(panel, grid, seriesLengthId, "Series length (trials)");
  AddReadOnlyEdit(panel, grid, taskLengthId, "Task length (series)");
  sizer->Add(grid, 0, wxALL, 6);
}

void CSustainedPage::RefreshSeriesControls() {
  if (auto* show = FindControl<wxCheckBox>(kIdShowSeries)) {
    show->Enable(IsEditable() && GetModelTask());
    show->SetValue(GetModelTask() && ParamWord(kWordShowSeries) != 0);
  }
  if (m_seriesLengthId == 0 || m_taskLengthId == 0) return;
  if (auto* series = FindControl<wxTextCtrl>(m_seriesLengthId)) series->ChangeValue(wxString::Format("%u", m_seriesLength));
  if (auto* task = FindControl<wxTextCtrl>(m_taskLengthId)) task->ChangeValue(wxString::Format("%u", m_taskLength));
}

void CSustainedPage::OnShowSeries(wxCommandEvent& event) { StoreParamWord(kWordShowSeries, event.IsChecked() ? 1 : 0); }

}  // namespace qel
