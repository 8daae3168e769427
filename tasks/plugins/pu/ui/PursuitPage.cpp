#include "tasks/plugins/pu/ui/PursuitPage.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "tasks/plugins/pu/PursuitTask.h"

namespace qel {

int CTaskPagePursuit::Smoothing() const {
  return static_cast<int>(std::min<uint32_t>(ParamWord(CTaskPursuit::kWordSmoothing), kSmoothingMax));
}

bool CTaskPagePursuit::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(BuildMouseControls(panel), 0, wxEXPAND);

  auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
  grid->Add(new wxStaticText(panel, wxID_ANY, "Moving speed"), 0, wxALIGN_CENTER_VERTICAL);
  const wxString speeds[3] = {"Low", "Medium", "High"};
  auto* speed = new wxChoice(panel, kIdSpeed, wxDefaultPosition, wxDefaultSize, 3, speeds);
  grid->Add(speed, 0);

  grid->Add(new wxStaticText(panel, wxID_ANY, "Track smoothing"), 0, wxALIGN_CENTER_VERTICAL);
  auto* smoothing = new wxBoxSizer(wxHORIZONTAL);
  auto* edit = new wxTextCtrl(panel, kIdSmoothingEdit, "4", wxDefaultPosition, wxSize(40, -1), wxTE_READONLY);
  auto* spin = new wxSpinButton(panel, kIdSmoothingSpin, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  spin->SetRange(0, kSmoothingMax);
  smoothing->Add(edit, 0, wxALIGN_CENTER_VERTICAL);
  smoothing->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(smoothing, 0);

  auto* caption = new wxBoxSizer(wxHORIZONTAL);
  caption->Add(new wxStaticText(panel, wxID_ANY, "Feedback threshold, mm"), 0, wxALIGN_CENTER_VERTICAL);
  caption->Add(new wxStaticText(panel, kIdThresholdLabel, "12"), 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 6);
  grid->Add(caption, 0, wxALIGN_CENTER_VERTICAL);
  auto* slider =
      new wxSlider(panel, kIdThresholdSlider, CTaskPursuit::kThresholdDefault, CTaskPursuit::kThresholdMin,
                   CTaskPursuit::kThresholdMax, wxDefaultPosition, wxSize(200, -1), wxSL_HORIZONTAL | wxSL_AUTOTICKS);
  slider->SetTickFreq(1);
  grid->Add(slider, 0, wxEXPAND);
  top->Add(grid, 0, wxALL, 6);
  panel->SetSizer(top);

  speed->Bind(wxEVT_CHOICE, &CTaskPagePursuit::OnSpeed, this);
  spin->Bind(wxEVT_SPIN_UP, &CTaskPagePursuit::OnSmoothingUp, this);
  spin->Bind(wxEVT_SPIN_DOWN, &CTaskPagePursuit::OnSmoothingDown, this);
  slider->Bind(wxEVT_SLIDER, &CTaskPagePursuit::OnThreshold, this);
  return true;
}

void CTaskPagePursuit::RefreshControls() {
  RefreshMouseControls();
  auto* speed = Control<wxChoice>(kIdSpeed);
  auto* edit = Control<wxTextCtrl>(kIdSmoothingEdit);
  auto* spin = Control<wxSpinButton>(kIdSmoothingSpin);
  auto* slider = Control<wxSlider>(kIdThresholdSlider);
  auto* label = Control<wxStaticText>(kIdThresholdLabel);
  if (!speed || !edit || !spin || !slider || !label) return;
  const bool editable = IsEditable() && GetModelTask();
  speed->Enable(editable);
  spin->Enable(editable);
  slider->Enable(editable);
  const uint32_t word = ParamWord(CTaskPursuit::kWordSpeed);
  speed->SetSelection(word <= 2 ? static_cast<int>(word) : wxNOT_FOUND);
  edit->ChangeValue(wxString::Format("%d", Smoothing() + 1));
  spin->SetValue(Smoothing());
  const int32_t threshold = CTaskPursuit::ThresholdOf(ParamWord(CTaskPursuit::kWordThreshold));
  slider->SetValue(threshold);
  label->SetLabel(wxString::Format("%d", threshold));
  CTaskPage::RefreshControls();
}

void CTaskPagePursuit::OnSpeed(wxCommandEvent& event) {
  const int selection = event.GetSelection();
  if (selection >= 0 && selection <= 2) StoreParamWord(CTaskPursuit::kWordSpeed, static_cast<uint32_t>(selection));
}

void CTaskPagePursuit::OnSmoothingUp(wxSpinEvent& event) {
  event.Veto();  // the page shows the stored word
  StoreParamWord(CTaskPursuit::kWordSmoothing, static_cast<uint32_t>(std::min(Smoothing() + 1, kSmoothingMax)));
}

void CTaskPagePursuit::OnSmoothingDown(wxSpinEvent& event) {
  event.Veto();
  StoreParamWord(CTaskPursuit::kWordSmoothing, static_cast<uint32_t>(std::max(Smoothing() - 1, 0)));
}

void CTaskPagePursuit::OnThreshold(wxCommandEvent& event) {
  const int32_t value = std::clamp(event.GetInt(), CTaskPursuit::kThresholdMin, CTaskPursuit::kThresholdMax);
  StoreParamWord(CTaskPursuit::kWordThreshold, static_cast<uint32_t>(value));
}

}  // namespace qel
