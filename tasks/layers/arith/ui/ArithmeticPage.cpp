#include "tasks/layers/arith/ui/ArithmeticPage.h"

#include <algorithm>

#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "tasks/layers/arith/ArithmeticProblem.h"

namespace qel {

namespace {

template <typename T>
T* Find(wxWindow* panel, int id) {
  return panel ? dynamic_cast<T*>(panel->FindWindow(id)) : nullptr;
}

constexpr int kMin = arith::kSizeMin;
constexpr int kMax = arith::kSizeMax;
constexpr int kDefault = arith::kSizeDefault;

}  // namespace

bool CTaskPageMentalArithmetic::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kTemplate) return false;
  auto* box = new wxStaticBoxSizer(wxVERTICAL, panel, "Size of the problem text");
  wxWindow* group = box->GetStaticBox();
  auto* line = new wxBoxSizer(wxHORIZONTAL);
  auto* slider = new wxSlider(group, kIdSlider, kDefault, kMin, kMax, wxDefaultPosition, wxSize(200, -1));
  slider->SetPageSize(kPageSize);
  line->Add(slider, 1, wxRIGHT | wxALIGN_CENTER_VERTICAL, 6);
  line->Add(new wxStaticText(group, kIdValue, wxString::Format("%d%%", kDefault)), 0, wxALIGN_CENTER_VERTICAL);
  box->Add(line, 0, wxEXPAND | wxALL, 6);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(box, 0, wxEXPAND | wxALL, 6);
  panel->SetSizer(top);
  slider->Bind(wxEVT_SLIDER, &CTaskPageMentalArithmetic::OnSlider, this);
  return true;
}

void CTaskPageMentalArithmetic::RefreshControls() {
  wxWindow* panel = GetWindow();
  auto* slider = Find<wxSlider>(panel, kIdSlider);
  auto* value = Find<wxStaticText>(panel, kIdValue);
  if (!slider || !value) return;
  // A stored value outside the slider's range is shown as the default.
  const int percent = GetModelTask() ? arith::SizePercent(ParamWord(arith::kSizeWord)) : kDefault;
  slider->SetValue(percent);
  value->SetLabel(wxString::Format("%d%%", percent));
  slider->Enable(IsEditable() && GetModelTask());
  CTaskPage::RefreshControls();
}

void CTaskPageMentalArithmetic::OnSlider(wxCommandEvent& event) {
  StoreParamWord(arith::kSizeWord, static_cast<uint32_t>(std::clamp(event.GetInt(), kMin, kMax)));
}

}  // namespace qel
