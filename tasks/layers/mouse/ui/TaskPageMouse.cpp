#include "tasks/layers/mouse/ui/TaskPageMouse.h"

#include <algorithm>

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "tasks/layers/mouse/TaskMouse.h"

namespace qel {

namespace {

wxString PixelText(int32_t micrometres) { return wxString::Format("0.%03d", micrometres); }

}  // namespace

int32_t CTaskPageMouse::PixelSize() const { return MouseWord::PixelSize(ParamWord(0)); }

int32_t CTaskPageMouse::Sensitivity() const { return MouseWord::Sensitivity(ParamWord(0)); }

wxSizer* CTaskPageMouse::BuildMouseControls(wxWindow* panel) {
  auto* line = new wxBoxSizer(wxHORIZONTAL);

  auto* group = new wxStaticBoxSizer(wxVERTICAL, panel, "Mouse sensitivity");
  wxWindow* box = group->GetStaticBox();
  // The box is as wide as its caption at least (GTK sizes it by its buttons).
  group->SetMinSize(wxSize(box->GetTextExtent("Mouse sensitivity").x + 24, -1));
  const int ids[3] = {kIdNegative, kIdEqual, kIdPositive};
  const char* labels[3] = {"Negative", "Equal", "Positive"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new wxRadioButton(box, ids[i], labels[i], wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
    group->Add(button, 0, wxALL, 3);
    button->Bind(wxEVT_RADIOBUTTON, &CTaskPageMouse::OnSensitivity, this);
  }
  line->Add(group, 0, wxALL, 6);

  auto* pixel = new wxBoxSizer(wxVERTICAL);
  auto* caption = new wxBoxSizer(wxHORIZONTAL);
  caption->Add(new wxStaticText(panel, wxID_ANY, "Pixel size, mm"), 0, wxALIGN_CENTER_VERTICAL);
  caption->Add(new wxStaticText(panel, kIdPixelLabel, PixelText(MouseWord::kPixelSizeDefault)), 0,
               wxLEFT | wxALIGN_CENTER_VERTICAL, 6);
  pixel->Add(caption, 0, wxBOTTOM, 4);
  auto* slider =
      new wxSlider(panel, kIdPixelSlider, MouseWord::kPixelSizeDefault, MouseWord::kPixelSizeMin,
                   MouseWord::kPixelSizeMax, wxDefaultPosition, wxSize(200, -1), wxSL_HORIZONTAL | wxSL_AUTOTICKS);
  slider->SetTickFreq(kPixelTicks);
  pixel->Add(slider, 0, wxEXPAND);
  slider->Bind(wxEVT_SLIDER, &CTaskPageMouse::OnPixelSize, this);
  line->Add(pixel, 1, wxALL | wxALIGN_CENTER_VERTICAL, 6);
  return line;
}

bool CTaskPageMouse::BuildControls(wxWindow* panel, int templateId) {
  if (templateId != kDefaultTemplate) return false;
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(BuildMouseControls(panel), 0, wxEXPAND);
  panel->SetSizer(top);
  return true;
}

void CTaskPageMouse::RefreshMouseControls() {
  auto* slider = FindControl<wxSlider>(kIdPixelSlider);
  auto* label = FindControl<wxStaticText>(kIdPixelLabel);
  wxRadioButton* buttons[3] = {FindControl<wxRadioButton>(kIdNegative), FindControl<wxRadioButton>(kIdEqual),
                               FindControl<wxRadioButton>(kIdPositive)};
  if (!slider || !label || !buttons[0] || !buttons[1] || !buttons[2]) return;
  const bool editable = IsEditable() && GetModelTask();
  for (wxRadioButton* b : buttons) b->Enable(editable);
  slider->Enable(editable);
  const int32_t size = PixelSize();
  const int32_t sensitivity = Sensitivity();
  for (int i = 0; i < 3; ++i) buttons[i]->SetValue(i == sensitivity);
  slider->SetValue(size);
  label->SetLabel(PixelText(size));
}

void CTaskPageMouse::RefreshControls() {
  RefreshMouseControls();
  CTaskPage::RefreshControls();
}

void CTaskPageMouse::OnSensitivity(wxCommandEvent& event) {
  const int id = event.GetId();
  const int32_t sensitivity = id == kIdNegative ? 0 : id == kIdPositive ? 2 : 1;
  StoreParamWord(0, MouseWord::Make(PixelSize(), sensitivity));
}

void CTaskPageMouse::OnPixelSize(wxCommandEvent& event) {
  const int32_t size = std::clamp(event.GetInt(), MouseWord::kPixelSizeMin, MouseWord::kPixelSizeMax);
  StoreParamWord(0, MouseWord::Make(size, Sensitivity()));
}

}  // namespace qel
