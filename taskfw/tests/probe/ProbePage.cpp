#include "taskfw/tests/probe/ProbePage.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

namespace qel {

bool CTaskPageProbe::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  auto* check = new wxCheckBox(panel, kIdCheck, "Show counter");
  auto* slider = new wxSlider(panel, kIdSlider, kSliderDefault, 0, 40);
  auto* label = new wxStaticText(panel, kIdLabel, "");
  sizer->Add(check, 0, wxALL, 4);
  sizer->Add(slider, 0, wxEXPAND | wxALL, 4);
  sizer->Add(label, 0, wxALL, 4);
  panel->SetSizer(sizer);
  check->Bind(wxEVT_CHECKBOX, &CTaskPageProbe::OnCheck, this);
  slider->Bind(wxEVT_SLIDER, &CTaskPageProbe::OnSlider, this);
  return true;
}

void CTaskPageProbe::RefreshControls() {
  auto* check = FindControl<wxCheckBox>(kIdCheck);
  auto* slider = FindControl<wxSlider>(kIdSlider);
  auto* label = FindControl<wxStaticText>(kIdLabel);
  if (!check || !slider || !label) return;
  const bool editable = IsEditable() && GetModelTask();
  check->Enable(editable);
  slider->Enable(editable);
  check->SetValue(ParamWord(0) != 0);
  uint32_t position = ParamWord(1);
  if (position > 40) position = kSliderDefault;
  slider->SetValue(static_cast<int>(position));
  label->SetLabel(wxString::Format("%u", position));
  CTaskPage::RefreshControls();
}

void CTaskPageProbe::OnCheck(wxCommandEvent& event) { StoreParamWord(0, event.IsChecked() ? 1 : 0); }

void CTaskPageProbe::OnSlider(wxCommandEvent& event) { StoreParamWord(1, static_cast<uint32_t>(event.GetInt())); }

}  // namespace qel
